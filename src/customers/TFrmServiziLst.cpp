#include "TFrmServiziLst.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FocusColour.h"
#include "TDataModule1.h"
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

TFrmServiziLst::TFrmServiziLst(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    setWindowTitle("Elenco giacenze");
    auto* lblRicerca = new QLabel("Ricerca:", this);
    edtDescrizione = new QLineEdit(this);
    edtDescrizione->setObjectName("Descrizione");
    edtDescrizione->setMaxLength(50);
    lblRicerca->setBuddy(edtDescrizione);
    FocusColour::install(edtDescrizione);
    navServizi = new DbNavigator(&dm.DSServizi, Nav::Browse, dm.prompts, this);
    navServizi->setHints(DbNavigator::hintsStandard);
    grdServizi = new DbGrid(&dm.DSServizi, dm.prompts, this);
    grdServizi->setColumns({{.field = "Descrizione", .width = 230},
                            {.field = "Tipo", .width = 90},
                            {.field = "Dentro", .width = 70},
                            {.field = "Fuori", .width = 70}});
    grdServizi->setReadOnly(true);
    grdServizi->setRowSelect(true);

    auto* l = new QGridLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->setHorizontalSpacing(8);
    l->setVerticalSpacing(8);
    l->addWidget(lblRicerca, 0, 0);
    l->addWidget(edtDescrizione, 0, 1);
    l->addWidget(navServizi, 1, 0, 1, 2, Qt::AlignLeft);
    l->addWidget(grdServizi, 2, 0, 1, 2);
    l->setColumnStretch(1, 1);
    l->setRowStretch(2, 1);
    setMinimumSize(360, 260);
    resize(520, 420);

    connect(edtDescrizione, &QLineEdit::textChanged, this, &TFrmServiziLst::DescrizioneChange);
}

void TFrmServiziLst::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        centraSulloSchermo(*this);
    QDialog::showEvent(e);
}

bool TFrmServiziLst::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        edtDescrizione->setFocus();
    return QDialog::event(e);
}

// The articles are ordered by description (IdxName); the grid is held still while the table moves.
void TFrmServiziLst::DescrizioneChange(const QString& testo)
{
    Table& articoli = dm.TblServizi;
    if (!isVisible() || !articoli.active())
        return;
    articoli.disableControls();
    runDbAction(dm.prompts, [&] { articoli.findNearest({testo}); });
    articoli.enableControls();
}
