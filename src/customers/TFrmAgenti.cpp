#include "TFrmAgenti.h"
#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "DbAction.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "DbText.h"
#include "DisplayMask.h"
#include "FocusColour.h"
#include "Icone.h"
#include "Modulo.h"
#include "PendingEdits.h"
#include "StateCaption.h"
#include "TDataModule1.h"
#include "TFrmAgentiLst.h"
#include "TQRAgenti.h"
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

TFrmAgenti::TFrmAgenti(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm), dsQuerySedi(&dm.QuerySedi)
{
    // Tool bar.
    auto* pnlToolBar = new BarraAnagrafica(dm.DSAgenti, dm.prompts, this);
    navAgenti = pnlToolBar->navigatore;
    SBtnRicerca = pnlToolBar->pulsante(Icone::ricerca(), "Ricerca");
    SBtnCalcola = pnlToolBar->pulsante(Icone::calcola(), "Calcola provvigione");
    SBtnStampa = pnlToolBar->pulsante(Icone::stampa(), "Stampa");
    btnChiudi = pnlToolBar->chiudi();

    // The agent.
    txtCodice = new DbText(&dm.DSAgenti, "Codice", dm.prompts, this);
    comeCampoSoloLettura(txtCodice, 80);
    txtProvvigione = new DbText(&dm.DSAgenti, "Provvigione", dm.prompts, this);
    comeCampoSoloLettura(txtProvvigione, 120);
    ControlliVivi controlli(&dm.DSAgenti, dm.prompts, this);
    controlli.coloreFuoco = true;
    auto* campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    campi->setVerticalSpacing(6);
    disponiCampi(campi, controlli,
                 {{.etichetta = "Codice", .riga = 0, .allinea = Qt::AlignLeft, .controllo = txtCodice},
                  {.etichetta = "&Nominativo", .campo = "Nominativo", .riga = 1, .ampiezza = 4, .dove = &edtNominativo},
                  {.etichetta = "&Percentuale sull'imponibile", .campo = "Percentuale", .riga = 2,
                   .allinea = Qt::AlignLeft, .dove = &edtPercentuale},
                  {.etichetta = "Provvigione", .riga = 2, .colonna = 3, .controllo = txtProvvigione,
                   .allineaEtichetta = Qt::AlignRight}});
    edtPercentuale->setAlignment(Qt::AlignRight);
    edtPercentuale->setFixedWidth(80);
    campi->setColumnStretch(2, 1);

    // The sites of the agent.
    navSedi = new DbNavigator(&dsQuerySedi, Nav::Browse, dm.prompts, this);
    navSedi->setHints(DbNavigator::hintsStandard);
    grdSedi = new DbGrid(&dsQuerySedi, dm.prompts, this);
    // The amounts come from the statement as plain numbers: shown as currency.
    grdSedi->setColumns({{.field = "Cliente", .width = 220},
                         {.field = "Indirizzo", .width = 210},
                         {.field = "Comune", .width = 180},
                         {.field = "Imponibile",
                          .width = 100,
                          .alignment = Qt::AlignRight | Qt::AlignVCenter,
                          .format = [](const QVariant& v) { return v.isNull() ? QString() : formatCurrency(v.toDouble()); }}});
    grdSedi->setReadOnly(true);
    grdSedi->setRowSelect(true);

    QVBoxLayout* corpo = sottoLaBarra(this, pnlToolBar);
    corpo->setSpacing(6);
    corpo->addLayout(campi);
    corpo->addSpacing(8);
    corpo->addWidget(navSedi, 0, Qt::AlignLeft);
    corpo->addWidget(grdSedi, 1);

    setTabOrder(edtNominativo, edtPercentuale);
    setTabOrder(edtPercentuale, grdSedi);
    setTabOrder(grdSedi, btnChiudi);
    setMinimumSize(640, 400);
    resize(800, 540);

    followState(this, "Agenti", dm.DSAgenti);
    connect(&dm.DSAgenti, &DataSource::stateChanged, this, &TFrmAgenti::DSAgentiStateChange);
    connect(&dm.DSAgenti, &DataSource::recordChanged, this, &TFrmAgenti::DSAgentiDataChange);
    connect(&dm.DSAgenti, &DataSource::fieldChanged, this, &TFrmAgenti::DSAgentiDataChange);
    connect(SBtnRicerca, &QToolButton::clicked, this, &TFrmAgenti::SBtnRicercaClick);
    connect(SBtnCalcola, &QToolButton::clicked, this, &TFrmAgenti::SBtnCalcolaClick);
    connect(SBtnStampa, &QToolButton::clicked, this, &TFrmAgenti::SBtnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    DSAgentiStateChange();
}

TFrmAgenti::~TFrmAgenti() = default;

void TFrmAgenti::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || aperta)
        return;
    aperta = true;
    runDbAction(dm.prompts, [this] {
        collegaSediAgente();
        dm.QuerySedi.close();
        dm.QuerySedi.open();
    });
    DSAgentiStateChange();
    SBtnRicercaClick();
}

// Closing gives up the changes not posted and gives the sites back to the customer.
void TFrmAgenti::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous() || !aperta)
        return;
    aperta = false;
    navAgenti->click(NavButton::Cancel);
    if (frmLst)
        frmLst->close();
    runDbAction(dm.prompts, [this] {
        collegaSediCliente();
        dm.QuerySedi.close();
    });
}

bool TFrmAgenti::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        edtNominativo->setFocus();
    return QDialog::event(e);
}

void TFrmAgenti::collegaSediAgente()
{
    dm.TblSedi.setIndexName("IdxAgente");
    dm.TblSedi.setMaster(&dm.TblAgenti, "Codice", "Codice agente");
}

void TFrmAgenti::collegaSediCliente()
{
    dm.TblSedi.setIndexName("IdxCliente");
    dm.TblSedi.setMaster(&dm.TblClienti, "Codice", "Codice cliente");
}

void TFrmAgenti::DSAgentiStateChange()
{
    SBtnRicerca->setEnabled(dm.DSAgenti.state() == DatasetState::Browse);
}

// The grid shows the sites of the agent on screen, also while it is typed.
void TFrmAgenti::DSAgentiDataChange()
{
    if (!aperta)
        return;
    runDbAction(dm.prompts, [this] {
        dm.QuerySedi.close();
        dm.QuerySedi.open();
    });
}

void TFrmAgenti::SBtnRicercaClick()
{
    if (!frmLst)
        frmLst = new TFrmAgentiLst(dm, this);
    frmLst->edtRicerca->clear();
    if (!frmLst->isVisible()) {
        // Beside the screen, on its right when there is room.
        const QRect schermo = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
        const QRect qui = frameGeometry();
        int x = qui.right() + 8;
        if (x + frmLst->frameGeometry().width() > schermo.right())
            x = qMax(schermo.left(), schermo.right() - frmLst->frameGeometry().width());
        frmLst->move(x, qui.top());
    }
    frmLst->show();
    frmLst->raise();
    frmLst->activateWindow();
}

void TFrmAgenti::SBtnCalcolaClick()
{
    runDbAction(dm.prompts, [this] { CalcolaProvvigione(); });
}

// The commission is the percentage of the monthly taxable amounts of the agent's sites, to the
// cent with halves upwards. The rounding and the post happen even when the sum fails half-way.
void TFrmAgenti::CalcolaProvvigione()
{
    Table& agente = dm.TblAgenti;
    Table& sedi = dm.TblSedi;
    if (!PendingEdits::writeAll(&agente))
        throw Abort{};
    if (agente.state() == DatasetState::Edit || agente.state() == DatasetState::Insert)
        agente.post();
    const ControlsOff fermi(agente);

    std::exception_ptr errore;
    try {
        sedi.first();
        agente.edit();
        agente["Provvigione"] = Money();
        for (int i = 0, n = sedi.recordCount(); i < n; ++i)
            agente["Provvigione"] = agente["Provvigione"].asMoney() + Money::fromDouble(sedi.valueAt(i, "Imponibile").toDouble());
    } catch (...) {
        errore = std::current_exception();
    }
    agente["Provvigione"] = Arrotonda(2, agente["Provvigione"].asMoney() * agente["Percentuale"].asFloat() / 100.0);
    agente.post();
    if (errore)
        std::rethrow_exception(errore);
}

void TFrmAgenti::SBtnStampaClick()
{
    Query& sedi = dm.QuerySedi;
    sedi.disableControls();
    runDbAction(dm.prompts, [&] {
        if (sedi.active())
            sedi.first();
        if (!qrAgenti) {
            BusyCursor attesa;
            qrAgenti = std::make_unique<TQRAgenti>(dm);
        }
        qrAgenti->preview(dm.prompts, this);
        if (sedi.active())
            sedi.first();
    });
    sedi.enableControls();
}
