#include "TFrmClientiLst.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QHeaderView>
#include <QVBoxLayout>

TFrmClientiLst::TFrmClientiLst(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    setWindowTitle(QStringLiteral("Archivio clienti"));
    setModal(false);

    auto* etichetta = new QLabel(QStringLiteral("Cliente da ricercare:"), this);
    Denominazione = new QLineEdit(this);
    Denominazione->setObjectName(QStringLiteral("Denominazione"));
    Denominazione->setMaxLength(dm.TblClienti.field(QStringLiteral("Denominazione")).size());
    etichetta->setBuddy(Denominazione);

    DBNavigator1 = new DbNavigator(&dm.DSClienti, Nav::Browse, dm.prompts, this);
    DBNavigator1->setHints(DbNavigator::hintsStandard);

    DBGrid1 = new DbGrid(&dm.DSClienti, dm.prompts, this);
    DBGrid1->setReadOnly(true);
    DBGrid1->setRowSelect(true);
    DBGrid1->setColumns({{.field = QStringLiteral("Denominazione"), .width = 230},
                         {.field = QStringLiteral("Denominazione 2"), .width = 190},
                         {.field = QStringLiteral("Data contratto"), .width = 100, .alignment = Qt::AlignHCenter}});

    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* ricerca = new QHBoxLayout;
    ricerca->addWidget(etichetta);
    ricerca->addWidget(Denominazione, 1);
    auto* sotto = new QHBoxLayout;
    sotto->addWidget(DBNavigator1);
    sotto->addStretch(1);
    sotto->addWidget(BtnOK);
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* colonna = new QVBoxLayout(this);
    colonna->addLayout(ricerca);
    colonna->addWidget(DBGrid1, 1);
    colonna->addLayout(sotto);

    connect(Denominazione, &QLineEdit::textChanged, this, &TFrmClientiLst::DenominazioneChange);
    resize(600, 420);
    setMinimumSize(420, 260);
}

void TFrmClientiLst::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (const QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen())
        move(schermo->geometry().x() + schermo->geometry().width() - frameGeometry().width(), 100);
    Denominazione->selectAll();
    Denominazione->setFocus();
}

void TFrmClientiLst::DenominazioneChange(const QString& testo)
{
    Table& clienti = dm.TblClienti;
    if (!clienti.active())
        return;
    // The key of the name index; the grid is repainted once, where the search ends.
    clienti.disableControls();
    runDbAction(dm.prompts, [&] { clienti.findNearest({testo}); });
    clienti.enableControls();
}
