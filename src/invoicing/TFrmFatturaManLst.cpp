#include "TFrmFatturaManLst.h"

#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "Modulo.h"
#include "TDataModule1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFrmFatturaManLst::TFrmFatturaManLst(TDataModule1& dati, QWidget* parent)
    : QDialog(parent), qElenco(dati.db, QStringLiteral("qElenco")), dsElenco(&qElenco), dm(dati)
{
    setWindowTitle(QStringLiteral("Elenco fatture manuali"));
    // The text is looked for as it is: quotes and percent signs are plain characters.
    qElenco.setSql(QStringLiteral("SELECT Codice, Nome1, Nome2, Indirizzo, \"Città\", \"Data fattura\", \"Numero fattura\" "
                                  "FROM Fattman WHERE instr(upper(coalesce(Nome1, '')), :Testo) > 0 "
                                  "ORDER BY Nome1, Nome2, Indirizzo, Codice"));
    dsElenco.autoEdit = false;

    edtNome = new QLineEdit(this);
    edtNome->setObjectName(QStringLiteral("edtNome"));
    edtNome->setMaxLength(35);
    navElenco = new DbNavigator(&dsElenco, Nav::Browse, dm.prompts, this);
    navElenco->setHints(DbNavigator::hintsStandard);
    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setAutoDefault(false);
    grdElenco = new DbGrid(&dsElenco, dm.prompts, this);
    grdElenco->setReadOnly(true);
    grdElenco->setRowSelect(true);
    grdElenco->setColumns({{.field = "Nome1", .title = "Nome", .width = 200},
                           {.field = "Indirizzo", .width = 180},
                           {.field = "Città", .width = 140},
                           {.field = "Data fattura", .width = 80},
                           {.field = "Numero fattura", .width = 90}});
    grdElenco->horizontalHeader()->setStretchLastSection(true);

    auto* riga = new QHBoxLayout;
    riga->setSpacing(8);
    riga->addWidget(etichetta(QStringLiteral("&Nome da ricercare:"), edtNome, this));
    riga->addWidget(edtNome, 1);
    riga->addWidget(navElenco);
    riga->addWidget(btnOk);
    auto* l = new QVBoxLayout(this);
    l->addLayout(riga);
    l->addWidget(grdElenco);
    resize(760, 420);
    centraSulloSchermo(*this);

    connect(edtNome, &QLineEdit::textEdited, this, [this](const QString& testo) {
        // Letters typed are upper case, as the names are looked for. The list is read once a
        // keystroke: the text changed by the keystroke has been looked for in upper case already.
        const int cursore = edtNome->cursorPosition();
        const QSignalBlocker fermo(edtNome);
        edtNome->setText(testo.toUpper());
        edtNome->setCursorPosition(cursore);
    });
    connect(edtNome, &QLineEdit::textChanged, this, &TFrmFatturaManLst::edtNomeChange);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(grdElenco, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
}

void TFrmFatturaManLst::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    edtNomeChange(edtNome->text());
    edtNome->setFocus();
}

void TFrmFatturaManLst::edtNomeChange(const QString& testo)
{
    runDbAction(dm.prompts, [&] {
        qElenco.close();
        qElenco.setParam(QStringLiteral("Testo"), testo.toUpper());
        qElenco.open();
    });
}
