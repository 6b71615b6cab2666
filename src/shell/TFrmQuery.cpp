#include "TFrmQuery.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

TFrmQuery::TFrmQuery(TDataModule1& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                          | Qt::WindowCloseButtonHint),
      dm(dm), Query1(dm.db, "Query1"), DataSource1(&Query1)
{
    setWindowTitle("Query");
    Query1.setRequestLive(true);

    // Top panel: navigator, statement and buttons.
    auto* pnlAlto = new QWidget(this);
    navQuery = new DbNavigator(&DataSource1, Nav::Browse | Nav::Editing, dm.prompts, pnlAlto);
    navQuery->setHints(DbNavigator::hintsStandard);
    memSql = new QPlainTextEdit(pnlAlto);
    memSql->setLineWrapMode(QPlainTextEdit::NoWrap);
    memSql->setTabChangesFocus(true);
    memSql->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memSql->setMinimumHeight(70);
    btnApri = new QPushButton("Apri", pnlAlto);
    btnEsegui = new QPushButton("Esegui", pnlAlto);
    btnChiudi = new QPushButton("Chiudi", pnlAlto);
    btnCarica = new QPushButton("Carica", pnlAlto);
    btnSalva = new QPushButton("Salva", pnlAlto);
    btnCarica->hide();
    btnSalva->hide();
    for (QPushButton* b : {btnApri, btnEsegui, btnChiudi, btnCarica, btnSalva}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
    }
    auto* pulsanti = new QVBoxLayout;
    pulsanti->setSpacing(6);
    pulsanti->addWidget(btnApri);
    pulsanti->addWidget(btnEsegui);
    pulsanti->addWidget(btnCarica);
    pulsanti->addWidget(btnSalva);
    pulsanti->addStretch();
    pulsanti->addWidget(btnChiudi);
    auto* testo = new QHBoxLayout;
    testo->setSpacing(8);
    testo->addWidget(memSql, 1);
    testo->addLayout(pulsanti);
    auto* alto = new QVBoxLayout(pnlAlto);
    alto->setContentsMargins(8, 8, 8, 4);
    alto->setSpacing(6);
    alto->addWidget(navQuery, 0, Qt::AlignLeft);
    alto->addLayout(testo, 1);

    // Below the splitter, the result over the rest of the window.
    grdRisultato = new DbGrid(&DataSource1, dm.prompts, this);
    splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(pnlAlto);
    splitter->addWidget(grdRisultato);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({170, 380});
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(splitter);

    setTabOrder(memSql, btnApri);
    setTabOrder(btnApri, btnEsegui);
    setTabOrder(btnEsegui, btnChiudi);
    setTabOrder(btnChiudi, grdRisultato);
    setMinimumSize(560, 380);
    resize(820, 560);

    connect(btnApri, &QPushButton::clicked, this, &TFrmQuery::BtnApriClick);
    connect(btnEsegui, &QPushButton::clicked, this, &TFrmQuery::BtnEseguiClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmQuery::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    memSql->setFocus();
}

// The statement stays for the next time; the result goes.
void TFrmQuery::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous())
        return;
    Query1.close();
    mostraColonne();
}

void TFrmQuery::BtnApriClick()
{
    runDbAction(dm.prompts, [this] {
        Query1.setSql(memSql->toPlainText());
        Query1.close();
        Query1.open();
    });
    mostraColonne();
}

void TFrmQuery::BtnEseguiClick()
{
    runDbAction(dm.prompts, [this] {
        Query1.setSql(memSql->toPlainText());
        Query1.close();
        Query1.execSql();
    });
    mostraColonne();
}

// One column per field of the result, none while the query is closed.
void TFrmQuery::mostraColonne()
{
    QList<DbGridColumn> colonne;
    if (Query1.active()) {
        const int carattere = grdRisultato->fontMetrics().averageCharWidth();
        for (int i = 0; i < Query1.fieldCount(); ++i) {
            const Field& f = Query1.fieldAt(i);
            int larghezza = 90;
            if (f.type() == FieldType::String)
                larghezza = std::clamp(f.size() > 0 ? f.size() * carattere + 12 : 160, 60, 260);
            colonne.append({.field = f.name(), .width = std::max(larghezza, grdRisultato->fontMetrics().horizontalAdvance(f.name()) + 20)});
        }
    }
    grdRisultato->setColumns(colonne);
}
