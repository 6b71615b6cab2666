#include "GrigliaPannelli.h"
#include "DataSource.h"
#include "DbAction.h"
#include "DbCheckBox.h"
#include "DbEdit.h"
#include "DbGridModel.h"
#include "PendingEdits.h"
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

// A caption without its accelerator, for the panels that only show a record.
QString senzaAcceleratore(const QString& testo)
{
    QString t;
    for (int i = 0; i < testo.size(); ++i) {
        if (testo[i] == u'&' && i + 1 < testo.size())
            ++i;
        t += testo[i];
    }
    return t;
}

// Read-only copies of the controls, filled from a row of the dataset.
class ControlliCopia : public GrigliaPannelli::Controlli
{
public:
    using Riempi = std::function<void(int riga)>;
    ControlliCopia(DataSource* src, QWidget* pannello, std::vector<Riempi>& riempi)
        : src(src), pannello(pannello), riempi(riempi) {}

    bool vivo() const override { return false; }
    QWidget* testo(const QString& campo, bool maiuscolo) override
    {
        auto* e = new QLineEdit(pannello);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        mostraSolaLettura(e, true);
        Dataset* ds = src ? src->dataset() : nullptr;
        if (const Field* f = ds ? ds->findField(campo) : nullptr; f && f->type() == FieldType::Currency)
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        riempi.push_back([e, s = src, campo, maiuscolo](int riga) {
            Dataset* ds = s ? s->dataset() : nullptr;
            const Field* f = ds ? ds->findField(campo) : nullptr;
            const QString t = f ? gridText(ds->valueAt(riga, campo), f->type()) : QString();
            e->setText(maiuscolo ? t.toUpper() : t);
            e->setCursorPosition(0);
        });
        return e;
    }
    QWidget* data(const QString& campo) override { return testo(campo, false); }
    QCheckBox* spunta(const QString& didascalia, const QString& campo, bool treStati) override
    {
        auto* c = new QCheckBox(senzaAcceleratore(didascalia), pannello);
        c->setFocusPolicy(Qt::NoFocus);
        c->setTristate(treStati);
        riempi.push_back([c, s = src, campo, treStati](int riga) {
            Dataset* ds = s ? s->dataset() : nullptr;
            const QVariant v = ds ? ds->valueAt(riga, campo) : QVariant();
            if (v.isNull() || !v.isValid())
                c->setCheckState(treStati ? Qt::PartiallyChecked : Qt::Unchecked);
            else
                c->setCheckState(v.toBool() ? Qt::Checked : Qt::Unchecked);
        });
        return c;
    }
    QLabel* etichetta(const QString& testo, QWidget*) override { return new QLabel(senzaAcceleratore(testo), pannello); }
    QGroupBox* riquadro(const QString& titolo) override { return new QGroupBox(senzaAcceleratore(titolo), pannello); }

private:
    DataSource* src;
    QWidget* pannello;
    std::vector<Riempi>& riempi;
};

QFrame* nuovaCornice(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

} // namespace

GrigliaPannelli::GrigliaPannelli(DataSource* source, int colonne, const Costruzione& costruisci, Prompts& p,
                                 QWidget* parent)
    : QWidget(parent), src(source), prompts(p)
{
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(2);
    fila = new QHBoxLayout;
    fila->setSpacing(4);
    colonna->addLayout(fila, 1);

    // The live panel stands out from the others, as the current record does.
    vivo = nuovaCornice(this);
    vivo->setObjectName(QStringLiteral("pannelloCorrente"));
    vivo->setAutoFillBackground(true);
    QPalette evidenza = vivo->palette();
    evidenza.setColor(QPalette::Window, QColor(0xdc, 0xe8, 0xf8));
    vivo->setPalette(evidenza);
    // Without records the live panel stays empty: controls over no record would show every
    // check box grey.
    auto* dentroVivo = new QVBoxLayout(vivo);
    dentroVivo->setContentsMargins(0, 0, 0, 0);
    vivoInterno = new QWidget(vivo);
    QSizePolicy spVivo = vivoInterno->sizePolicy();
    spVivo.setRetainSizeWhenHidden(true);
    vivoInterno->setSizePolicy(spVivo);
    dentroVivo->addWidget(vivoInterno);
    {
        ControlliVivi c(source, prompts, vivoInterno);
        costruisci(c, vivoInterno);
    }

    copie.resize(size_t(std::max(colonne, 1)));
    for (Copia& copia : copie) {
        copia.cornice = nuovaCornice(this);
        auto* dentro = new QVBoxLayout(copia.cornice);
        dentro->setContentsMargins(0, 0, 0, 0);
        copia.interno = new QWidget(copia.cornice);
        QSizePolicy sp = copia.interno->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        copia.interno->setSizePolicy(sp);
        dentro->addWidget(copia.interno);
        ControlliCopia c(source, copia.interno, copia.riempi);
        costruisci(c, copia.interno);
        // A click anywhere on a panel that only shows a record is a click on the panel.
        for (QWidget* w : copia.interno->findChildren<QWidget*>())
            w->setAttribute(Qt::WA_TransparentForMouseEvents);
        copia.cornice->installEventFilter(this);
        copia.interno->installEventFilter(this);
    }

    scorrimento = new QScrollBar(Qt::Horizontal, this);
    scorrimento->setFocusPolicy(Qt::NoFocus);
    colonna->addWidget(scorrimento);
    connect(scorrimento, &QScrollBar::valueChanged, this, [this](int v) {
        if (!inSincronia)
            vaiA(v);
    });

    if (source) {
        for (auto segnale : {&DataSource::stateChanged, &DataSource::recordChanged, &DataSource::rowsChanged,
                             &DataSource::datasetChanged})
            connect(source, segnale, this, &GrigliaPannelli::sincronizza);
    }
    sincronizza();
}

Dataset* GrigliaPannelli::dataset() const
{
    return src ? src->dataset() : nullptr;
}

int GrigliaPannelli::totale() const
{
    const Dataset* ds = dataset();
    if (!ds || !ds->active())
        return 0;
    return ds->recordCount() + (inserito >= 0 ? 1 : 0);
}

int GrigliaPannelli::rigaDi(int record) const
{
    if (record < 0 || record >= totale() || record == inserito)
        return -1;
    return inserito >= 0 && record > inserito ? record - 1 : record;
}

int GrigliaPannelli::recordNelPosto(int posto) const
{
    const int record = primo + posto;
    return record < totale() ? record : -1;
}

void GrigliaPannelli::sincronizza()
{
    if (inSincronia)
        return;
    inSincronia = true;
    Dataset* ds = dataset();
    const bool aperto = ds && ds->active();
    // Reading the count may load rows left stale, which notifies again: taken as done here.
    const int righe = aperto ? ds->recordCount() : 0;
    inserito = -1;
    if (aperto && ds->state() == DatasetState::Insert)
        inserito = nuoviInFondo ? righe : std::max(ds->currentRow(), 0);
    const int tot = righe + (inserito >= 0 ? 1 : 0);
    corrente = inserito >= 0 ? inserito : (righe > 0 ? std::max(ds->currentRow(), 0) : 0);

    // The window of records shown follows the current one and stays full when it can.
    const int n = colonne();
    if (corrente < primo)
        primo = corrente;
    if (corrente >= primo + n)
        primo = corrente - n + 1;
    primo = std::max(0, std::min(primo, tot - n));

    disponi(corrente - primo);
    vivoInterno->setVisible(tot > 0);
    for (int posto = 0; posto < n; ++posto) {
        if (posto == corrente - primo)
            continue;
        Copia& copia = copie[size_t(posto)];
        const int riga = rigaDi(primo + posto);
        copia.interno->setVisible(riga >= 0);
        if (riga >= 0)
            for (const auto& r : copia.riempi)
                r(riga);
    }

    scorrimento->setRange(0, std::max(0, tot - 1));
    scorrimento->setPageStep(n);
    scorrimento->setValue(corrente);
    scorrimento->setEnabled(tot > 1);
    inSincronia = false;
}

void GrigliaPannelli::disponi(int postoVivo)
{
    if (postoVivo == postoVivoMostrato)
        return;
    postoVivoMostrato = postoVivo;
    // The widgets change places in the row without changing parent, so the focus stays put.
    while (fila->count() > 0)
        delete fila->takeAt(0);
    for (int posto = 0; posto < colonne(); ++posto) {
        QWidget* w = posto == postoVivo ? static_cast<QWidget*>(vivo) : copie[size_t(posto)].cornice;
        fila->addWidget(w, 1);
        copie[size_t(posto)].cornice->setVisible(posto != postoVivo);
    }
    vivo->show();
}

void GrigliaPannelli::vaiA(int record)
{
    Dataset* ds = dataset();
    if (!ds || !ds->active() || record == corrente || record < 0 || record >= totale())
        return;
    const int bersaglio = rigaDi(record);
    runDbAction(prompts, [&] {
        if (!PendingEdits::writeAll(ds))
            throw Abort{};
        postAndMoveTo(*ds, bersaglio);
    });
    sincronizza();
}

bool GrigliaPannelli::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress) {
        for (int posto = 0; posto < colonne(); ++posto) {
            const Copia& copia = copie[size_t(posto)];
            if (watched == copia.cornice || watched == copia.interno) {
                vaiA(recordNelPosto(posto));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

void GrigliaPannelli::wheelEvent(QWheelEvent* e)
{
    // One record per notch, as the scroll bar steps.
    const int passo = e->angleDelta().y();
    if (passo != 0)
        vaiA(corrente + (passo < 0 ? 1 : -1));
    e->accept();
}
