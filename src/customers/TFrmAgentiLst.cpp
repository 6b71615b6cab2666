#include "TFrmAgentiLst.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "FocusColour.h"
#include "TDataModule1.h"
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

TFrmAgentiLst::TFrmAgentiLst(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    setWindowTitle("Archivio agenti");
    auto* lblNominativo = new QLabel("&Nominativo", this);
    edtNominativo = new QLineEdit(this);
    edtNominativo->setObjectName("Nominativo");
    edtNominativo->setMaxLength(50);
    lblNominativo->setBuddy(edtNominativo);
    FocusColour::install(edtNominativo);
    navAgenti = new DbNavigator(&dm.DSAgenti, Nav::Browse, dm.prompts, this);
    navAgenti->setHints(DbNavigator::hintsStandard);
    grdAgenti = new DbGrid(&dm.DSAgenti, dm.prompts, this);
    grdAgenti->setColumns({{.field = "Nominativo", .width = 260}});
    grdAgenti->setReadOnly(true);
    grdAgenti->setRowSelect(true);
    grdAgenti->horizontalHeader()->setStretchLastSection(true);

    auto* l = new QGridLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->setHorizontalSpacing(8);
    l->setVerticalSpacing(8);
    l->addWidget(lblNominativo, 0, 0);
    l->addWidget(edtNominativo, 0, 1);
    l->addWidget(navAgenti, 1, 0, 1, 2, Qt::AlignLeft);
    l->addWidget(grdAgenti, 2, 0, 1, 2);
    l->setColumnStretch(1, 1);
    l->setRowStretch(2, 1);
    setMinimumSize(260, 240);
    resize(320, 380);

    connect(edtNominativo, &QLineEdit::textChanged, this, &TFrmAgentiLst::NominativoChange);
}

bool TFrmAgentiLst::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        edtNominativo->setFocus();
    return QDialog::event(e);
}

// The agents are ordered by name; the grid is held still while the table moves.
void TFrmAgentiLst::NominativoChange(const QString& testo)
{
    Table& agenti = dm.TblAgenti;
    if (!isVisible() || !agenti.active())
        return;
    agenti.disableControls();
    runDbAction(dm.prompts, [&] { agenti.findNearest({testo}); });
    agenti.enableControls();
}
