#include "TFrmFatture.h"

#include "Clock.h"
#include "DateIt.h"
#include "DbAction.h"
#include "GruppoFE.h"
#include "Icone.h"
#include "Modulo.h"
#include "PageModel.h"
#include "Periodicita.h"
#include "TDataModule1.h"
#include "TQRFatture.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

TFrmFatture::TFrmFatture(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, finestraFissa), dm(dm)
{
    setWindowTitle(QStringLiteral("Stampa fatture"));
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(1, 31);
    SpinEdit1->setFixedWidth(larghezzaCaratteri(SpinEdit1, 5));
    ComboBox1 = new QComboBox(this);
    ComboBox1->addItems(NomiMesi());
    ComboBox1->setMaxVisibleItems(12);
    SpinEdit2 = new QSpinBox(this);
    SpinEdit2->setRange(2016, 2999);
    SpinEdit2->setFixedWidth(larghezzaCaratteri(SpinEdit2, 7));
    MaskEdit2 = new QLineEdit(this);
    MaskEdit2->setInputMask(QStringLiteral("99/99/9999; "));
    MaskEdit2->setFixedWidth(larghezzaCaratteri(MaskEdit2, 10));

    BtnPreview = new QPushButton(Icone::anteprima(), QStringLiteral("&Anteprima"), this);
    BtnPrint = new QPushButton(Icone::stampa(), QStringLiteral("&Stampa"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton* b : {BtnPreview, BtnPrint, BitBtn2})
        b->setAutoDefault(false);

    grpFE = new GruppoFE(dm, SessioneFE::Schermata::Fatture, this);
    grpFE->genera = [this] { return GeneraFE(); };

    auto* campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    const std::pair<const char*, QWidget*> righe[] = {{"&Giorno", SpinEdit1},
                                                      {"&Mese di riferimento", ComboBox1},
                                                      {"A&nno", SpinEdit2},
                                                      {"&Data di stampa", MaskEdit2}};
    for (int r = 0; r < int(std::size(righe)); ++r) {
        campi->addWidget(etichetta(QString::fromUtf8(righe[r].first), righe[r].second, this), r, 0);
        campi->addWidget(righe[r].second, r, 1, Qt::AlignLeft);
    }
    campi->setColumnStretch(2, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(BtnPreview);
    pulsanti->addWidget(BtnPrint);
    pulsanti->addStretch();
    pulsanti->addWidget(BitBtn2);
    auto* l = colonnaFinestra(this);
    l->addLayout(campi);
    l->addLayout(pulsanti);
    l->addWidget(grpFE);
    setFixedSize(sizeHint());

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFrmFatture::ComboBox1Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TFrmFatture::SpinEdit1Change);
    connect(SpinEdit2, &QSpinBox::valueChanged, this, [this] {
        limitaGiorno(false);
        SpinEdit1Change();
    });
    connect(BtnPreview, &QPushButton::clicked, this, &TFrmFatture::BtnPreviewClick);
    connect(BtnPrint, &QPushButton::clicked, this, &TFrmFatture::BtnPrintClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmFatture::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    const QDate adesso = oggi();
    SpinEdit2->setValue(dm.annoEsercizio() ? dm.annoEsercizio() : adesso.year());
    {
        const QSignalBlocker fermo(ComboBox1);
        ComboBox1->setCurrentIndex(adesso.month() - 1);
    }
    limitaGiorno(true);
    SpinEdit1Change();
    MaskEdit2->setText(formatDate(adesso));
    grpFE->Mostra();
    ComboBox1->setFocus();
}

// February follows the year of the billing period.
void TFrmFatture::limitaGiorno(bool imposta)
{
    const int giorni = GiorniMese(ComboBox1->currentText(), SpinEdit2->value());
    SpinEdit1->setMaximum(giorni);
    if (imposta)
        SpinEdit1->setValue(giorni);
}

void TFrmFatture::ComboBox1Change()
{
    limitaGiorno(true);
    SpinEdit1Change();
}

void TFrmFatture::SpinEdit1Change()
{
    finePeriodo = QString::number(SpinEdit1->value());
}

ScelteFatture TFrmFatture::Scelte() const
{
    ScelteFatture s;
    s.mese = NumeroMese(ComboBox1->currentText());
    s.giorno = SpinEdit1->value();
    s.anno = SpinEdit2->value();
    s.dataStampa = MaskEdit2->text();
    s.clienteSingolo = ClienteSingolo;
    return s;
}

void TFrmFatture::BtnPreviewClick()
{
    mese = NumeroMese(ComboBox1->currentText());
    FatturazionePeriodica run(dm);
    run.scelte = Scelte();
    TQRFatture report(dm);
    if (runDbAction(dm.prompts, [&] { run.Anteprima(report); }))
        report.showPreview(dm.prompts, this);
    ComboBox1->setFocus();
}

// The dialog's page range chooses the due customers (the third to the fifth), not the pages;
// its copies count.
void TFrmFatture::BtnPrintClick()
{
    auto fuoco = qScopeGuard([this] { ComboBox1->setFocus(); });
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Stampa Fatture"));
    printer.setCopyCount(1);
    if (!dm.prompts.printSetup(printer))
        return;
    mese = NumeroMese(ComboBox1->currentText());
    int dal = 0, al = FatturazionePeriodica::senzaLimite;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        dal = printer.fromPage();
        al = printer.toPage() > 0 ? printer.toPage() : dal;
    }
    FatturazionePeriodica run(dm);
    run.scelte = Scelte();
    TQRFatture report(dm);
    runDbAction(dm.prompts, [&] {
        run.Stampa(report, [&printer](const PageModel& pagine) {
            printer.setPrintRange(QPrinter::AllPages);
            return pagine.print(printer);
        }, dal, al);
    });
}

QStringList TFrmFatture::GeneraFE()
{
    mese = NumeroMese(ComboBox1->currentText());
    return grpFE->sessione.GeneraFatture(QString::number(SpinEdit2->value()), [this] {
        FatturazionePeriodica run(dm);
        run.scelte = Scelte();
        run.ElaboraFattureElettroniche();
    });
}
