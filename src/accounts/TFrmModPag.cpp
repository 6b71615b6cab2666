#include "TFrmModPag.h"

#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "Modale.h"
#include "MovimentiConto.h"
#include "StateCaption.h"
#include "TDataModule1.h"
#include "TFrmAltriMov.h"
#include "TQRConto.h"
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrmModPag::TFrmModPag(TDataModule1& d, QWidget* parent) : QDialog(parent), dm(d)
{
    auto* barra = new BarraStrumenti(this);
    navModPag = barra->navigatore(dm.DSModPag,
                                  Nav::Browse | NavButton::Insert | NavButton::Delete | NavButton::Post | NavButton::Cancel,
                                  dm.prompts, QStringLiteral("navModPag"));
    btnChiudi = barra->chiudi();

    grdModPag = new DbGrid(&dm.DSModPag, dm.prompts, this);
    // The general-ledger master of an account is shown, not typed here.
    grdModPag->setColumns({{.field = "Descrizione", .width = 260, .ellipsis = true},
                           {.field = "Mastro", .width = 70, .readOnly = true},
                           {.field = "Conto", .width = 70}});
    grdModPag->setToolTip(QStringLiteral("Doppio click: gestione movimenti"));

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 8);
    l->addWidget(barra);
    auto* corpo = new QVBoxLayout;
    corpo->setContentsMargins(8, 0, 8, 0);
    corpo->addWidget(grdModPag, 1);
    l->addLayout(corpo, 1);
    resize(500, 360);

    followState(this, QStringLiteral("Modalità di pagamento"), dm.DSModPag);
    connect(grdModPag, &QAbstractItemView::doubleClicked, this, &TFrmModPag::grdModPagDblClick);
    connect(grdModPag, &DbGrid::ellipsisClicked, this, &TFrmModPag::grdModPagEllipsisClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmModPag::~TFrmModPag() = default;

MovimentiConto& TFrmModPag::movimenti()
{
    if (!mov)
        mov = std::make_unique<MovimentiConto>(dm);
    return *mov;
}

TFrmAltriMov& TFrmModPag::altriMov()
{
    if (!frmAltriMov) {
        BusyCursor attesa;
        frmAltriMov = new TFrmAltriMov(dm, movimenti(), this);
    }
    return *frmAltriMov;
}

void TFrmModPag::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    centraSulloSchermo(*this);
    grdModPag->setFocus();
}

// Closing gives up the changes of the current payment method.
void TFrmModPag::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    if (!e->spontaneous())
        navModPag->click(NavButton::Cancel);
}

// Whether there is a payment method under the cursor to work on; one still being typed is
// posted first, as moving away from it would.
bool TFrmModPag::suModPag()
{
    return runDbAction(dm.prompts, [this] { dm.TblModPag.checkBrowseMode(); }) && !dm.TblModPag.isEmpty();
}

void TFrmModPag::grdModPagDblClick()
{
    if (suModPag())
        Modale::esegui(altriMov());
}

// The statement needs the account's movements, not their window.
void TFrmModPag::grdModPagEllipsisClick()
{
    if (suModPag())
        runDbAction(dm.prompts, [this] { movimenti().Scheda(false, [this](TQRConto& r) { r.preview(dm.prompts, this); }); });
}
