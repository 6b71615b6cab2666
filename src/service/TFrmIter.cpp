#include "TFrmIter.h"
#include "BarraStrumenti.h"
#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "Modulo.h"
#include "PendingEdits.h"
#include "SceltaData.h"
#include "StampaServizi.h"
#include "TDataModule1.h"
#include "TQRSchedaSettimanale.h"
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmIter::TFrmIter(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    setWindowTitle(QStringLiteral("Servizi"));

    auto* barra = new BarraStrumenti(this);
    DataRiferimento = new SceltaData(this);
    barra->aggiungi(etichetta(QStringLiteral("Data di riferimento"), DataRiferimento, this));
    barra->aggiungi(DataRiferimento);
    barra->spazio();
    DBNavigator1 = barra->navigatore(dm.DSIter, Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post
                                                    | NavButton::Cancel,
                                     dm.prompts, QStringLiteral("DBNavigator1"));
    barra->spazio();
    BtnStampa = barra->comando(QStringLiteral("&Stampa"), QStringLiteral("Stampa scheda settimanale"));
    BtnVecchia = barra->comando(QStringLiteral("Vecchia versione"), QStringLiteral("Stampa scheda settimanale"));
    barra->allunga();
    BtnOk = barra->comando(QStringLiteral("OK"));
    BtnOk->setDefault(true);
    BtnChiudi = barra->chiudi();

    DBGrid1 = new DbGrid(&dm.DSIter, dm.prompts, this);
    DBGrid1->setColumns({{.field = "Codice", .width = 70, .alignment = Qt::AlignHCenter | Qt::AlignVCenter, .readOnly = true},
                         {.field = "Descrizione", .width = 320},
                         {.field = "DescAgente", .title = "Agente", .width = 260}});

    sottoLaBarra(this, barra)->addWidget(DBGrid1, 1);
    resize(760, 460);

    connect(BtnStampa, &QPushButton::clicked, this, &TFrmIter::BtnStampaClick);
    connect(BtnVecchia, &QPushButton::clicked, this, &TFrmIter::BtnVecchiaClick);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    mostraOk(false);
}

TFrmIter::~TFrmIter() = default;

void TFrmIter::mostraOk(bool visibile)
{
    BtnOk->setVisible(visibile);
    BtnOk->setDefault(visibile);
}

void TFrmIter::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    DataRiferimento->setDate(oggi());
    centraSulloSchermo(*this);
    DBGrid1->setFocus();
}

// A route being typed is posted before the window closes with the route chosen; closing
// otherwise gives up what was not posted.
void TFrmIter::done(int r)
{
    if (r == QDialog::Accepted) {
        const bool scritto = runDbAction(dm.prompts, [this] { PendingEdits::writeAndPost(dm.TblIter); });
        if (!scritto || dm.TblIter.isEmpty())
            return;
    } else if (dm.TblIter.state() != DatasetState::Browse && dm.TblIter.active()) {
        dm.TblIter.cancel();
    }
    QDialog::done(r);
}

void TFrmIter::BtnStampaClick()
{
    stampa(false);
}

void TFrmIter::BtnVecchiaClick()
{
    stampa(true);
}

// The current route planned into SSS.DB and its sheet previewed; the planning table is closed
// again whatever happens.
void TFrmIter::stampa(bool vecchia)
{
    runDbAction(dm.prompts, [this, vecchia] {
        PendingEdits::writeAndPost(dm.TblIter);
        if (dm.TblIter.isEmpty())
            return;
        if (!stampaServizi)
            stampaServizi = std::make_unique<StampaServizi>(dm);
        const auto chiudi = qScopeGuard([this] { stampaServizi->Chiudi(); });
        TQRSchedaSettimanale* r = nullptr;
        {
            BusyScope attesa(dm.prompts);
            r = &stampaServizi->Prepara(int(dm.TblIter["Codice"].asInteger()),
                                        vecchia ? LayoutScheda::Vecchia : LayoutScheda::Corrente, DataRiferimento->date());
        }
        r->preview(dm.prompts, this);
    });
}
