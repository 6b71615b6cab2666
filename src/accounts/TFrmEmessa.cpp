#include "TFrmEmessa.h"

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

TFrmEmessa::TFrmEmessa(TDataModule1& d, IncassiCliente& i, QWidget* parent) : QDialog(parent), dm(d), incassi(i)
{
    setWindowTitle(QStringLiteral("Registra fattura emessa (in dare)"));
    ControlliVivi controlli(&dm.DSPrimaNota, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto* campi = new QGridLayout;
    disponiCampi(campi, controlli,
                 {{.etichetta = "&Data emissione", .campo = "Data", .riga = 0, .caratteri = 10, .allinea = Qt::AlignLeft,
                   .tipo = VoceModulo::Data, .dove = &edtData},
                  {.etichetta = "&Importo", .campo = "Importo", .riga = 1, .caratteri = 12, .allinea = Qt::AlignLeft,
                   .dove = &edtImporto},
                  {.etichetta = "&Fattura", .campo = "Fattura", .riga = 2, .caratteri = 6, .allinea = Qt::AlignLeft,
                   .dove = &edtFattura}});
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

    connect(btnRegistra, &QPushButton::clicked, this, &TFrmEmessa::btnRegistraClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmEmessa::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    edtData->setFocus();
}

void TFrmEmessa::btnRegistraClick()
{
    if (!PendingEdits::writeAll(&dm.TblPrimaNota))
        return;
    if (runDbAction(dm.prompts, [this] { incassi.RegistraFattura(); }))
        accept();
}
