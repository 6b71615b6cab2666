#include "TFrmSospesi.h"
#include "BarraStrumenti.h"
#include "Centra.h"
#include "DateIt.h"
#include "DbAction.h"
#include "DbDateEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FocusColour.h"
#include "Icone.h"
#include "Modulo.h"
#include "PendingEdits.h"
#include "TDataModule1.h"
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

TFrmSospesi::TFrmSospesi(TDataModule1& dm, QWidget* parent)
    : QDialog(parent), gestione(dm), dm(dm), DSElenco(&gestione.QryElenco)
{
    setWindowTitle(QStringLiteral("Gestione sospesi"));

    auto* barra = new BarraStrumenti(this);
    EdtData = new DbDateEdit(&dm.DSSospesi, QStringLiteral("Data"), dm.prompts, this);
    EdtData->setFixedWidth(larghezzaCaratteri(EdtData, 11));
    FocusColour::install(EdtData);
    barra->aggiungi(etichetta(QStringLiteral("Data"), EdtData, this));
    barra->aggiungi(EdtData);
    SBtnElimina = barra->pulsante(Icone::elimina(), QStringLiteral("Elimina il sospeso"), QStringLiteral("SBtnElimina"));
    barra->spazio();
    DBNavigator1 = barra->navigatore(DSElenco, Nav::Browse, dm.prompts, QStringLiteral("DBNavigator1"));
    barra->spazio();
    BtnRegistra = barra->comando(QStringLiteral("Registra"));
    BtnRegistra->setDefault(true);
    BtnAnnulla = barra->comando(QStringLiteral("&Annulla"));
    BtnChiudi = barra->chiudi();

    DBGrid1 = new DbGrid(&DSElenco, dm.prompts, this);
    // The statement gives the dates as the store keeps them.
    DBGrid1->setColumns({{.field = "Data",
                          .width = 90,
                          .alignment = Qt::AlignHCenter | Qt::AlignVCenter,
                          .format = [](const QVariant& v) { return formatDate(fromIso(v.toString())); }},
                         {.field = "Cliente", .width = 250},
                         {.field = "CcSede", .title = "Indirizzo", .width = 280},
                         {.field = "CcServizio", .title = "Servizio", .width = 220},
                         {.field = "Quantita", .title = "Q.tà", .width = 50, .alignment = Qt::AlignHCenter | Qt::AlignVCenter}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setRowSelect(true);

    sottoLaBarra(this, barra)->addWidget(DBGrid1, 1);
    resize(980, 520);

    connect(&DSElenco, &DataSource::recordChanged, this, [this] { gestione.Allinea(); });
    connect(&dm.DSSospesi, &DataSource::stateChanged, this, &TFrmSospesi::DSSospesiStateChange);
    connect(SBtnElimina, &QToolButton::clicked, this, &TFrmSospesi::SBtnEliminaClick);
    connect(BtnRegistra, &QPushButton::clicked, this, &TFrmSospesi::BtnRegistraClick);
    connect(BtnAnnulla, &QPushButton::clicked, this, &TFrmSospesi::BtnAnnullaClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmSospesi::~TFrmSospesi() = default;

void TFrmSospesi::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] { gestione.Aggiorna(); });
    DSSospesiStateChange();
    centraSulloSchermo(*this);
    DBGrid1->setFocus();
}

void TFrmSospesi::DSSospesiStateChange()
{
    const DatasetState s = dm.TblSospesi.state();
    const bool inModifica = s == DatasetState::Edit || s == DatasetState::Insert;
    DBNavigator1->setEnabled(!inModifica);
    DBGrid1->setEnabled(!inModifica);
    BtnRegistra->setEnabled(inModifica);
    BtnAnnulla->setEnabled(inModifica);
    SBtnElimina->setEnabled(!inModifica && gestione.QryElenco.active() && !gestione.QryElenco.isEmpty());
}

void TFrmSospesi::aggiornaElenco()
{
    runDbAction(dm.prompts, [this] { gestione.Aggiorna(); });
    DSSospesiStateChange();
}

void TFrmSospesi::BtnRegistraClick()
{
    const bool registrato = runDbAction(dm.prompts, [this] { PendingEdits::writeAndPost(dm.TblSospesi); });
    if (registrato)
        aggiornaElenco();
}

void TFrmSospesi::BtnAnnullaClick()
{
    runDbAction(dm.prompts, [this] {
        if (dm.TblSospesi.state() != DatasetState::Browse)
            dm.TblSospesi.cancel();
    });
    aggiornaElenco();
}

void TFrmSospesi::SBtnEliminaClick()
{
    runDbAction(dm.prompts, [this] { gestione.EliminaCorrente(); });
    DSSospesiStateChange();
}

void TFrmSospesi::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && BtnAnnulla->isEnabled()) {
        BtnAnnullaClick();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

// Closing posts a date still being changed and lets the list go.
void TFrmSospesi::done(int r)
{
    if (dm.TblSospesi.state() != DatasetState::Browse && dm.TblSospesi.active()) {
        const bool registrato = runDbAction(dm.prompts, [this] { PendingEdits::writeAndPost(dm.TblSospesi); });
        if (!registrato)
            return;
    }
    gestione.QryElenco.close();
    QDialog::done(r);
}
