#include "QtPrompts.h"
#include "TFrmDataSospeso.h"
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// The window a dialog belongs to: the modal one in front, else the active one.
QWidget* finestraCorrente()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

QMessageBox::Icon iconaDi(MsgType type)
{
    switch (type) {
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtPrompts::QtPrompts() = default;
QtPrompts::~QtPrompts() = default;

Answer QtPrompts::message(MsgType type, const QString& text, Buttons buttons)
{
    QMessageBox box(iconaDi(type), TitoloApplicazione, text, QMessageBox::NoButton,
                    finestraCorrente());
    // The buttons in order, the first one being the default; Escape takes the last one.
    QList<std::pair<Answer, QString>> pulsanti;
    switch (buttons) {
    case Buttons::Ok: pulsanti = {{Answer::Ok, "OK"}}; break;
    case Buttons::OkCancel: pulsanti = {{Answer::Ok, "OK"}, {Answer::Cancel, "Annulla"}}; break;
    case Buttons::YesNo: pulsanti = {{Answer::Yes, "Sì"}, {Answer::No, "No"}}; break;
    case Buttons::YesNoCancel:
        pulsanti = {{Answer::Yes, "Sì"}, {Answer::No, "No"}, {Answer::Cancel, "Annulla"}};
        break;
    }
    QHash<QAbstractButton*, Answer> risposte;
    for (const auto& [risposta, testo] : pulsanti) {
        QMessageBox::ButtonRole ruolo = risposta == Answer::Ok || risposta == Answer::Yes
            ? QMessageBox::AcceptRole
            : risposta == Answer::No ? QMessageBox::NoRole : QMessageBox::RejectRole;
        QPushButton* b = box.addButton(testo, ruolo);
        risposte.insert(b, risposta);
        if (risposte.size() == 1)
            box.setDefaultButton(b);
        box.setEscapeButton(b);
    }
    box.exec();
    return risposte.value(box.clickedButton(), pulsanti.last().first);
}

std::optional<QString> QtPrompts::input(const QString& title, const QString& prompt,
                                        const QString& initial)
{
    QInputDialog dlg(finestraCorrente());
    dlg.setWindowTitle(title);
    dlg.setLabelText(prompt);
    dlg.setTextValue(initial);
    dlg.setOkButtonText("OK");
    dlg.setCancelButtonText("Annulla");
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString QtPrompts::openFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(finestraCorrente(), title, folder, filter);
}

QString QtPrompts::saveFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(finestraCorrente(), title, folder, filter);
}

std::optional<QString> QtPrompts::dataSospeso()
{
    const RispostaDataSospeso r = dataSospesoTesto();
    if (!r.ok)
        return std::nullopt;
    return r.testo;
}

// The text typed is kept also when the dialog is closed with "Chiudi" or Escape.
RispostaDataSospeso QtPrompts::dataSospesoTesto()
{
    if (!frmDataSospeso)
        frmDataSospeso = std::make_unique<TFrmDataSospeso>(*this);
    const bool ok = frmDataSospeso->exec() == QDialog::Accepted;
    return {ok, frmDataSospeso->testo()};
}

bool QtPrompts::printSetup(QPrinter& printer)
{
    QPrintDialog dlg(&printer, finestraCorrente());
    dlg.setWindowTitle(QStringLiteral("Stampa"));
    dlg.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies
                   | QAbstractPrintDialog::PrintShowPageSize);
    dlg.setMinMax(1, 9999);
    return dlg.exec() == QDialog::Accepted;
}

void QtPrompts::setBusy(bool on)
{
    if (on) {
        ++busyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth > 0) {
        --busyDepth;
        QApplication::restoreOverrideCursor();
    }
}
