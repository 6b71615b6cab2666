#include "FinestraRicerca.h"
#include "DataSource.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FocusColour.h"
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

FinestraRicerca::FinestraRicerca(DataSource& ds, Prompts& prompts, const QString& etichetta, const QString& campo,
                                 const QList<DbGridColumn>& colonne, QWidget* parent)
    : QDialog(parent), ds(ds), prompts(prompts)
{
    auto* lblRicerca = new QLabel(etichetta, this);
    edtRicerca = new QLineEdit(this);
    edtRicerca->setObjectName(campo);
    edtRicerca->setMaxLength(50);
    lblRicerca->setBuddy(edtRicerca);
    FocusColour::install(edtRicerca);
    navRicerca = new DbNavigator(&ds, Nav::Browse, prompts, this);
    navRicerca->setHints(DbNavigator::hintsStandard);
    grdRicerca = new DbGrid(&ds, prompts, this);
    grdRicerca->setColumns(colonne);
    grdRicerca->setReadOnly(true);
    grdRicerca->setRowSelect(true);

    auto* l = new QGridLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->setHorizontalSpacing(8);
    l->setVerticalSpacing(8);
    l->addWidget(lblRicerca, 0, 0);
    l->addWidget(edtRicerca, 0, 1);
    l->addWidget(navRicerca, 1, 0, 1, 2, Qt::AlignLeft);
    l->addWidget(grdRicerca, 2, 0, 1, 2);
    l->setColumnStretch(1, 1);
    l->setRowStretch(2, 1);

    connect(edtRicerca, &QLineEdit::textChanged, this, &FinestraRicerca::RicercaChange);
}

bool FinestraRicerca::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        edtRicerca->setFocus();
    return QDialog::event(e);
}

void FinestraRicerca::RicercaChange(const QString& testo)
{
    Dataset* tabella = ds.dataset();
    if (!isVisible() || !tabella || !tabella->active())
        return;
    tabella->disableControls();
    runDbAction(prompts, [&] { tabella->findNearest({testo}); });
    tabella->enableControls();
}
