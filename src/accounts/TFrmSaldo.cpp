#include "TFrmSaldo.h"

#include "BarraStrumenti.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "EstrattoConto.h"
#include "FiltroPeriodo.h"
#include "IncassiCliente.h"
#include "Modale.h"
#include "Modulo.h"
#include "TDataModule1.h"
#include "TFrmEmessa.h"
#include "TFrmIncassata.h"
#include "TFrmIncasso.h"
#include "TQRDocumenti.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr NavButtons pulsantiElenco = Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Edit;

// The list of open invoices or of collections: invoice, date, amount, causale.
DbGrid* elenco(DataSource& ds, Prompts& prompts, QWidget* parent)
{
    auto* g = new DbGrid(&ds, prompts, parent);
    g->setColumns({{.field = "Fattura", .width = 60},
                   {.field = "Data", .width = 85},
                   {.field = "Importo", .width = 95},
                   {.field = "Causale", .width = 170}});
    g->setRowSelect(true);
    return g;
}

} // namespace

TFrmSaldo::TFrmSaldo(TDataModule1& d, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      dm(d), ops(std::make_unique<IncassiCliente>(d))
{
    auto* barra = new BarraStrumenti(this);
    navEmesse = barra->navigatore(dm.DSPrimaNota, pulsantiElenco, dm.prompts, QStringLiteral("navEmesse"));
    btnIncassa = barra->comando(QStringLiteral("&Incassa ->"), QStringLiteral("Registra l'incasso della fattura selezionata"));
    btnAnnulla = barra->comando(QStringLiteral("<- Ann&ulla"), QStringLiteral("Annulla l'incasso della fattura"));
    navIncassate = barra->navigatore(ops->DSPrimaNota2, pulsantiElenco, dm.prompts, QStringLiteral("navIncassate"));
    barra->spazio();

    filtro = new FiltroPeriodo(barra);
    chkAttivato = filtro->chkAttivato;
    dtpDaData = filtro->dtpDaData;
    dtpAData = filtro->dtpAData;
    barra->aggiungi(filtro);
    btnStampa = barra->comando(QStringLiteral("&Stampa"), QStringLiteral("Stampa scheda contabile"));
    btnChiudi = barra->chiudi();

    grdEmesse = elenco(dm.DSPrimaNota, dm.prompts, this);
    grdEmesse->setReadOnly(true);
    grdIncassate = elenco(ops->DSPrimaNota2, dm.prompts, this);
    auto* liste = new QGridLayout;
    liste->addWidget(etichetta(QStringLiteral("&Emesse"), grdEmesse, this), 0, 0);
    liste->addWidget(etichetta(QStringLiteral("I&ncassate"), grdIncassate, this), 0, 1);
    liste->addWidget(grdEmesse, 1, 0);
    liste->addWidget(grdIncassate, 1, 1);
    liste->setContentsMargins(8, 0, 8, 8);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(barra);
    l->addLayout(liste, 1);
    resize(900, 420);

    navEmesse->afterAction = [this](NavButton b) { navEmesseClick(b); };
    navIncassate->afterAction = [this](NavButton b) { navIncassateClick(b); };
    connect(btnIncassa, &QPushButton::clicked, this, &TFrmSaldo::btnIncassaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TFrmSaldo::btnAnnullaClick);
    connect(chkAttivato, &QCheckBox::clicked, this, &TFrmSaldo::chkAttivatoClick);
    connect(btnStampa, &QPushButton::clicked, this, &TFrmSaldo::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(&ops->DSPrimaNota2, &DataSource::recordChanged, this, &TFrmSaldo::aggiornaPulsanti);
    connect(&ops->DSPrimaNota2, &DataSource::rowsChanged, this, &TFrmSaldo::aggiornaPulsanti);
    connect(&dm.DSPrimaNota, &DataSource::rowsChanged, this, &TFrmSaldo::aggiornaPulsanti);
}

TFrmSaldo::~TFrmSaldo() = default;

void TFrmSaldo::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous() || aperta)
        return;
    aperta = true;
    posiziona();
    filtro->reimposta();
    setWindowTitle(QStringLiteral("Saldo fattura cliente: ") + dm.TblClienti["Denominazione"].asString());
    runDbAction(dm.prompts, [this] { ops->Apri(); });
    aggiornaPulsanti();
    grdEmesse->setFocus();
}

// Closing gives up a half-typed movement; the ledger stays linked to the customer.
void TFrmSaldo::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (e->spontaneous() || !aperta)
        return;
    aperta = false;
    runDbAction(dm.prompts, [this] { ops->Chiudi(); });
}

// Bottom right, 10 pixels from the edges of the screen's working area.
void TFrmSaldo::posiziona()
{
    QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    const QRect area = schermo->availableGeometry();
    const QSize dim = frameGeometry().size();
    move(area.right() - 10 - dim.width() + 1, area.bottom() - 10 - dim.height() + 1);
}

void TFrmSaldo::aggiornaPulsanti()
{
    btnIncassa->setEnabled(ops->aperto() && ops->PuoIncassare());
    btnAnnulla->setEnabled(ops->aperto() && ops->PuoAnnullare());
}

void TFrmSaldo::btnIncassaClick()
{
    if (!ops->PuoIncassare())
        return;
    if (!frmIncasso)
        frmIncasso = new TFrmIncasso(dm, *ops, this);
    Modale::esegui(*frmIncasso);
    aggiornaPulsanti();
}

void TFrmSaldo::btnAnnullaClick()
{
    runDbAction(dm.prompts, [this] { ops->AnnullaIncasso(); });
    aggiornaPulsanti();
}

void TFrmSaldo::chkAttivatoClick()
{
    runDbAction(dm.prompts, [this] { ops->ImpostaFiltro(filtro->attivo(), filtro->da(), filtro->a()); });
    aggiornaPulsanti();
}

void TFrmSaldo::btnStampaClick()
{
    if (!estratto)
        estratto = std::make_unique<EstrattoConto>(dm);
    const QString suffisso = filtro->attivo() ? IncassiCliente::suffissoDate(filtro->da(), filtro->a()) : QString();
    runDbAction(dm.prompts, [&] { estratto->esegui(suffisso, [this](TQRDocumenti& r) { r.preview(dm.prompts, this); }); });
    runDbAction(dm.prompts, [this] { dm.TblPrimaNota.first(); });
    aggiornaPulsanti();
}

// An invoice inserted or changed is typed in its dialog; whatever does not reach "Registra" is
// taken back.
void TFrmSaldo::navEmesseClick(NavButton b)
{
    if (b == NavButton::Insert || b == NavButton::Edit) {
        runDbAction(dm.prompts, [this] { ops->PreparaFattura(); });
        if (!frmEmessa)
            frmEmessa = new TFrmEmessa(dm, *ops, this);
        if (Modale::esegui(*frmEmessa) != QDialog::Accepted)
            runDbAction(dm.prompts, [this] { ops->AnnullaFattura(); });
    }
    aggiornaPulsanti();
}

void TFrmSaldo::navIncassateClick(NavButton b)
{
    if (!frmIncassata)
        frmIncassata = new TFrmIncassata(dm, *ops, this);
    if (b == NavButton::Insert || b == NavButton::Edit) {
        if (Modale::esegui(*frmIncassata) != QDialog::Accepted)
            runDbAction(dm.prompts, [this] { ops->AnnullaIncassoManuale(); });
    }
    aggiornaPulsanti();
}
