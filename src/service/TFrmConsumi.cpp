#include "TFrmConsumi.h"
#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "Icone.h"
#include "Modulo.h"
#include "PendingEdits.h"
#include "SceltaData.h"
#include "StateCaption.h"
#include "TDataModule1.h"
#include "TFrmMedia.h"
#include "TQRMDStatistica.h"
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

TFrmConsumi::TFrmConsumi(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm), statistiche(dm)
{
    auto* barra = new BarraStrumenti(this);
    DaData = new SceltaData(this);
    AData = new SceltaData(this);
    barra->aggiungi(etichetta(QStringLiteral("&Da data"), DaData, this));
    barra->aggiungi(DaData);
    barra->aggiungi(etichetta(QStringLiteral("&A data"), AData, this));
    barra->aggiungi(AData);
    ChkFiltro = new QCheckBox(QStringLiteral("A&ttiva filtro"), this);
    barra->aggiungi(ChkFiltro);
    barra->separatore();
    SBtnMedia1 = barra->pulsante(Icone::statistica(), QStringLiteral("Statistica per cliente"), QStringLiteral("SBtnMedia1"));
    SBtnMedia2 = barra->pulsante(Icone::statistica(), QStringLiteral("Statistica per sede"), QStringLiteral("SBtnMedia2"));
    barra->spazio();
    SBtnStampa1 = barra->pulsante(Icone::stampa(), QStringLiteral("Stampa statistica analitica"), QStringLiteral("SBtnStampa1"),
                                  QStringLiteral("1"));
    SBtnStampa2 = barra->pulsante(Icone::stampa(), QStringLiteral("Stampa statistica sintetica"), QStringLiteral("SBtnStampa2"),
                                  QStringLiteral("2"));
    BtnChiudi = barra->chiudi();

    // Customers, their sites, the readings of the site.
    NavClienti = new DbNavigator(&dm.DSClienti, Nav::Browse, dm.prompts, this);
    NavClienti->setHints(DbNavigator::hintsStandard);
    GridClienti = new DbGrid(&dm.DSClienti, dm.prompts, this);
    GridClienti->setColumns({{.field = "Denominazione", .width = 240}});
    GridClienti->setReadOnly(true);
    GridClienti->setRowSelect(true);

    NavSedi = new DbNavigator(&dm.DSSedi, Nav::Browse, dm.prompts, this);
    NavSedi->setHints(DbNavigator::hintsStandard);
    GridSedi = new DbGrid(&dm.DSSedi, dm.prompts, this);
    GridSedi->setColumns({{.field = "Indirizzo", .width = 200}, {.field = "Comune", .width = 140}});
    GridSedi->setReadOnly(true);
    GridSedi->setRowSelect(true);

    NavConsumi = new DbNavigator(&dm.DSConsumi, Nav::Browse | Nav::Editing, dm.prompts, this);
    NavConsumi->setHints(DbNavigator::hintsStandard);
    NavConsumi->setDeleteQuestion(QStringLiteral("Elimino il record?"));
    GridConsumi = new DbGrid(&dm.DSConsumi, dm.prompts, this);
    GridConsumi->setColumns({{.field = "DescrServ", .title = "Materiale", .width = 200},
                             {.field = "Quantita", .title = "Quantità", .width = 80, .alignment = Qt::AlignHCenter | Qt::AlignVCenter},
                             {.field = "Data", .width = 90, .alignment = Qt::AlignHCenter | Qt::AlignVCenter}});
    GridConsumi->setDeleteQuestion(QStringLiteral("Elimino il record?"));

    auto* griglie = new QGridLayout;
    griglie->setHorizontalSpacing(10);
    griglie->addWidget(etichetta(QStringLiteral("&Clienti"), GridClienti, this), 0, 0);
    griglie->addWidget(NavClienti, 1, 0, Qt::AlignLeft);
    griglie->addWidget(GridClienti, 2, 0);
    griglie->addWidget(etichetta(QStringLiteral("&Sedi"), GridSedi, this), 0, 1);
    griglie->addWidget(NavSedi, 1, 1, Qt::AlignLeft);
    griglie->addWidget(GridSedi, 2, 1);
    griglie->addWidget(etichetta(QStringLiteral("C&onsumi"), GridConsumi, this), 0, 2);
    griglie->addWidget(NavConsumi, 1, 2, Qt::AlignLeft);
    griglie->addWidget(GridConsumi, 2, 2);
    griglie->setColumnStretch(0, 3);
    griglie->setColumnStretch(1, 4);
    griglie->setColumnStretch(2, 4);
    griglie->setRowStretch(2, 1);

    sottoLaBarra(this, barra)->addLayout(griglie, 1);
    resize(1180, 560);

    followState(this, QStringLiteral("Consumi"), dm.DSConsumi);
    connect(SBtnMedia1, &QToolButton::clicked, this, &TFrmConsumi::SBtnMedia1Click);
    connect(SBtnMedia2, &QToolButton::clicked, this, &TFrmConsumi::SBtnMedia2Click);
    connect(SBtnStampa1, &QToolButton::clicked, this, &TFrmConsumi::SBtnStampa1Click);
    connect(SBtnStampa2, &QToolButton::clicked, this, &TFrmConsumi::SBtnStampa2Click);
    connect(ChkFiltro, &QCheckBox::clicked, this, &TFrmConsumi::ChkFiltroClick);
    connect(DaData, &QDateEdit::dateChanged, this, &TFrmConsumi::DataChange);
    connect(AData, &QDateEdit::dateChanged, this, &TFrmConsumi::DataChange);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmConsumi::~TFrmConsumi() = default;

std::optional<PeriodoConsumi> TFrmConsumi::periodo() const
{
    if (!ChkFiltro->isChecked())
        return std::nullopt;
    return PeriodoConsumi{DaData->date(), AData->date()};
}

// Only consumable materials are offered; the period starts from the current year. The filter
// keeps the state it had.
void TFrmConsumi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] {
        dm.TblServizi.setFilter(QStringLiteral("not Fatturabile"));
        dm.TblServizi.setFiltered(true);
        dm.TblClienti.first();
    });
    const QSignalBlocker da(DaData), a(AData);
    DaData->setDate(QDate(oggi().year(), 1, 1));
    AData->setDate(oggi());
    DataChange();
    centraSulloSchermo(*this);
    GridClienti->setFocus();
}

// Closing gives up a reading not posted and offers every article again.
void TFrmConsumi::done(int r)
{
    runDbAction(dm.prompts, [this] {
        if (dm.TblConsumi.state() != DatasetState::Browse && dm.TblConsumi.active())
            dm.TblConsumi.cancel();
        dm.TblServizi.setFiltered(false);
    });
    QDialog::done(r);
}

void TFrmConsumi::ChkFiltroClick()
{
    runDbAction(dm.prompts, [this] { statistiche.ApplicaPeriodo(periodo()); });
}

// A new date rewrites the period; it takes effect while the filter is on.
void TFrmConsumi::DataChange()
{
    runDbAction(dm.prompts, [this] {
        dm.TblConsumi.setFilter(StatisticaConsumi::FiltroPeriodo({DaData->date(), AData->date()}));
    });
}

void TFrmConsumi::SBtnMedia1Click()
{
    statistica(true);
}

void TFrmConsumi::SBtnMedia2Click()
{
    statistica(false);
}

void TFrmConsumi::statistica(bool perCliente)
{
    const bool fatta = runDbAction(dm.prompts, [this, perCliente] {
        PendingEdits::writeAndPost(dm.TblConsumi);
        BusyCursor attesa;
        if (perCliente)
            statistiche.PerCliente(dm.TblClienti.isEmpty() ? 0 : dm.TblClienti["Codice"].asFloat(), periodo());
        else
            statistiche.PerSede(dm.TblSedi.isEmpty() ? 0 : dm.TblSedi["Codice"].asFloat(), periodo());
    });
    if (!fatta)
        return;
    if (!frmMedia) {
        BusyCursor attesa;
        frmMedia = new TFrmMedia(dm, this);
    }
    frmMedia->Mostra(perCliente, periodo());
    frmMedia->exec();
}

void TFrmConsumi::SBtnStampa1Click()
{
    stampa(true);
}

void TFrmConsumi::SBtnStampa2Click()
{
    stampa(false);
}

void TFrmConsumi::stampa(bool analitica)
{
    runDbAction(dm.prompts, [this, analitica] {
        PendingEdits::writeAndPost(dm.TblConsumi);
        TQRMDStatistica* r = nullptr;
        {
            BusyCursor attesa;
            r = &statistiche.PreparaStampa(analitica, periodo());
        }
        const ControlsOff fermi(dm.TblSedi);
        r->preview(dm.prompts, this);
    });
}
