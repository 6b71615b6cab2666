#include "TFrmIncassata.h"

#include "Centra.h"
#include "DbAction.h"
#include "DbEdit.h"
#include "IncassiCliente.h"
#include "Modulo.h"
#include "PendingEdits.h"
#include "TDataModule1.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmIncassata::TFrmIncassata(TDataModule1& d, IncassiCliente& i, QWidget* parent) : QDialog(parent), dm(d), incassi(i)
{
    setWindowTitle(QStringLiteral("Registra fattura incassata (in avere)"));
    ControlliVivi controlli(&incassi.DSPrimaNota2, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto* campi = new QGridLayout;
    disponiCampi(campi, controlli,
                 {{.etichetta = "&Causale", .campo = "Causale", .riga = 0, .caratteri = 30, .dove = &edtCausale},
                  {.etichetta = "&Data", .campo = "Data", .riga = 1, .caratteri = 10, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtData},
                  {.etichetta = "&Importo", .campo = "Importo", .riga = 2, .caratteri = 12, .allinea = Qt::AlignLeft,
                   .dove = &edtImporto},
                  {.etichetta = "&Fattura", .campo = "Fattura", .riga = 3, .caratteri = 6, .allinea = Qt::AlignLeft,
                   .dove = &edtFattura},
                  {.etichetta = "D&ata di rif.", .campo = "DataRif", .riga = 4, .caratteri = 10, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtDataRif}});
    edtImporto->setAlignment(Qt::AlignRight);
    edtFattura->setAlignment(Qt::AlignRight);
    btnRegistra = new QPushButton(QStringLiteral("&Registra"), this);
    btnRegistra->setToolTip(QStringLiteral("Registra il movimento"));
    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setToolTip(QStringLiteral("Interrompe l'operazione"));
    btnRegistra->setAutoDefault(false);
    btnAnnulla->setAutoDefault(false);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(btnRegistra);
    pulsanti->addWidget(btnAnnulla);
    auto* l = new QVBoxLayout(this);
    l->addLayout(campi);
    l->addLayout(pulsanti);

    connect(btnRegistra, &QPushButton::clicked, this, &TFrmIncassata::btnRegistraClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmIncassata::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] { incassi.PreparaIncasso(); });
    centraSulloSchermo(*this);
    edtCausale->setFocus();
}

void TFrmIncassata::btnRegistraClick()
{
    if (!PendingEdits::writeAll(&incassi.TblPrimaNota2))
        return;
    if (runDbAction(dm.prompts, [this] { incassi.RegistraIncasso(); }))
        accept();
}
