#include "TFrmPrevSaldi.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmPrevSaldi::TFrmPrevSaldi(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dm(dm), TblSaldi(dm.db, "TblSaldi"), DSSaldi(&TblSaldi)
{
    setWindowTitle("Ripresa saldi esercizio precedente");

    TblSaldi.setTableName(dm.TblPrimaNota.tableName());
    TblSaldi.setDefinition(Tabelle::PrimaNota());
    TblSaldi.setFilter("Causale = 'Ripresa saldi esercizio precedente'");
    TblSaldi.setFiltered(true);
    TblSaldi.addLookupField("Denominazione", FieldType::String, 35, "Cliente", dm.TblClienti, "Codice", "Denominazione");
    TblSaldi.addLookupField("Denominazione 2", FieldType::String, 35, "Cliente", dm.TblClienti, "Codice",
                            "Denominazione 2");
    TblSaldi.addCalculatedField("NomeCliente", FieldType::String, 71);
    TblSaldi.onCalcFields += [](Dataset& s) {
        s["NomeCliente"] = s["Denominazione"].asString() + ' ' + s["Denominazione 2"].asString();
    };
    // Every customer has its one carried balance: none is added or taken away.
    TblSaldi.beforeInsert += [](Dataset&) { throw Abort{}; };
    TblSaldi.beforeDelete += [](Dataset&) { throw Abort{}; };

    auto* pnlAlto = new QFrame(this);
    pnlAlto->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    navSaldi = new DbNavigator(&DSSaldi, Nav::Browse | NavButton::Edit | NavButton::Post | NavButton::Cancel, dm.prompts,
                               pnlAlto);
    navSaldi->setHints(DbNavigator::hintsStandard);
    btnChiudi = new QPushButton("Chiudi", pnlAlto);
    btnChiudi->setAutoDefault(false);
    btnChiudi->setMinimumWidth(90);
    auto* barra = new QHBoxLayout(pnlAlto);
    barra->setContentsMargins(6, 4, 6, 4);
    barra->addWidget(navSaldi);
    barra->addStretch();
    barra->addWidget(btnChiudi);

    grdSaldi = new DbGrid(&DSSaldi, dm.prompts, this);
    grdSaldi->setColumns({{.field = "NomeCliente", .title = "Cliente", .width = 380, .readOnly = true},
                          {.field = "Importo", .width = 130}});
    grdSaldi->setDeleteQuestion(QString());
    grdSaldi->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(pnlAlto);
    l->addWidget(grdSaldi, 1);
    setFixedSize(600, 460);

    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

// The ledger is the current year's at the time the screen opens.
void TFrmPrevSaldi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    runDbAction(dm.prompts, [this] {
        TblSaldi.close();
        TblSaldi.setTableName(dm.TblPrimaNota.tableName());
        TblSaldi.open();
    });
    grdSaldi->setFocus();
}

void TFrmPrevSaldi::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous())
        TblSaldi.close();
}
