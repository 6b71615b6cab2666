#include "TFrmPrimaNota.h"

#include "BarraStrumenti.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmPrimaNota::TFrmPrimaNota(TDataModule1& d, QWidget* parent) : QDialog(parent), dm(d)
{
    setWindowTitle(QStringLiteral("Gestione diretta archivio prima nota"));
    auto* barra = new BarraStrumenti(this);
    navPrimaNota = barra->navigatore(dm.DSPrimaNota, Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Edit
                                                         | NavButton::Post | NavButton::Cancel,
                                     dm.prompts, QStringLiteral("navPrimaNota"));
    btnChiudi = barra->chiudi();

    grdPrimaNota = new DbGrid(&dm.DSPrimaNota, dm.prompts, this);
    grdPrimaNota->setColumns(
        {{.field = "Codice", .width = 60},
         {.field = "CodiceAltra", .title = "Codice altra", .width = 80},
         {.field = "Cliente", .width = 60},
         {.field = "Causale", .width = 180},
         {.field = "Data", .width = 85},
         {.field = "Importo", .width = 95},
         {.field = "Incassata",
          .width = 70,
          .pickList = {QStringLiteral("Si"), QStringLiteral("No")},
          .format = [](const QVariant& v) { return v.isNull() ? QString() : v.toBool() ? QStringLiteral("Si") : QStringLiteral("No"); }},
         {.field = "Fattura", .width = 60},
         {.field = "DataRif", .title = "Data rif.", .width = 85},
         {.field = "Conto", .width = 50},
         {.field = "Saldo", .width = 95},
         {.field = "MastroCP", .title = "Mastro CP", .width = 70},
         {.field = "ContoCP", .title = "Conto CP", .width = 70}});

    auto* barraClienti = new BarraStrumenti(this, BarraStrumenti::Aspetto::Piatta);
    navClienti = barraClienti->navigatore(dm.DSClienti, Nav::Browse, dm.prompts, QStringLiteral("navClienti"));
    grdClienti = new DbGrid(&dm.DSClienti, dm.prompts, this);
    grdClienti->setColumns({{.field = "Codice", .width = 60},
                            {.field = "Denominazione", .title = "Cliente", .width = 240},
                            {.field = "Denominazione 2", .width = 160},
                            {.field = "Indirizzo", .width = 200},
                            {.field = "Comune", .width = 140}});
    grdClienti->setReadOnly(true);
    grdClienti->setRowSelect(true);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 8);
    l->addWidget(barra);
    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 0, 8, 0);
    corpo->addWidget(grdPrimaNota, 3);
    corpo->addWidget(barraClienti);
    corpo->addWidget(grdClienti, 2);
    l->addLayout(corpo, 1);
    resize(1100, 620);

    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

// The movements follow the customer chosen in the lower grid, in date order.
void TFrmPrimaNota::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    runDbAction(dm.prompts, [this] {
        dm.TblPrimaNota.setFilter(QString());
        dm.TblPrimaNota.setFiltered(false);
        dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
    });
    grdClienti->setFocus();
}

void TFrmPrimaNota::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous())
        return;
    navPrimaNota->click(NavButton::Cancel);
    runDbAction(dm.prompts, [this] { dm.ScollegaPrimaNota(); });
}
