#include "TFrmStoMag.h"
#include "BarraStrumenti.h"
#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "Modulo.h"
#include "Periodo.h"
#include "SceltaData.h"
#include "StateCaption.h"
#include "TDataModule1.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QColor blu(Qt::blue);
const QColor marrone(128, 0, 0);

} // namespace

TFrmStoMag::TFrmStoMag(TDataModule1& dm, QWidget* parent) : QDialog(parent), dm(dm)
{
    auto* barra = new BarraStrumenti(this);
    DBNavigator1 = barra->navigatore(dm.DSStoMag, Nav::Browse | NavButton::Delete, dm.prompts, QStringLiteral("DBNavigator1"));
    DBNavigator1->setDeleteQuestion(QStringLiteral("Elimino il record?"));
    barra->spazio();

    auto* intervallo = new QGroupBox(QStringLiteral("Intervallo di tempo considerato"), this);
    ChkAttivato = new QCheckBox(QStringLiteral("Atti&vato"), intervallo);
    DaData = new SceltaData(intervallo);
    AData = new SceltaData(intervallo);
    LblDa = etichetta(QStringLiteral("&Da data"), DaData, intervallo);
    LblA = etichetta(QStringLiteral("&A data"), AData, intervallo);
    auto* riga = new QHBoxLayout(intervallo);
    riga->setContentsMargins(8, 4, 8, 6);
    riga->addWidget(ChkAttivato);
    riga->addSpacing(10);
    riga->addWidget(LblDa);
    riga->addWidget(DaData);
    riga->addSpacing(6);
    riga->addWidget(LblA);
    riga->addWidget(AData);
    barra->aggiungi(intervallo);
    BtnChiudi = barra->chiudi();

    DBGrid1 = new DbGrid(&dm.DSStoMag, dm.prompts, this);
    DBGrid1->setColumns({{.field = "Data movimento", .title = "Data", .width = 90, .alignment = Qt::AlignHCenter | Qt::AlignVCenter},
                         {.field = "Servizio", .width = 240},
                         {.field = "Tipo movimento", .title = "Operazione", .width = 90,
                          .alignment = Qt::AlignHCenter | Qt::AlignVCenter},
                         {.field = "Motivo", .width = 180},
                         {.field = "Quantità", .title = "Qtà", .width = 60},
                         {.field = "Cliente", .width = 240},
                         {.field = "Giacenza", .width = 70}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setRowSelect(true);
    DBGrid1->setDeleteQuestion(QStringLiteral("Elimino il record?"));
    colonnaData = DBGrid1->columnOf(QStringLiteral("Data movimento"));
    colonnaServizio = DBGrid1->columnOf(QStringLiteral("Servizio"));

    sottoLaBarra(this, barra)->addWidget(DBGrid1, 1);
    resize(1100, 560);

    followState(this, QStringLiteral("Storico magazzino"), dm.DSStoMag);
    connect(ChkAttivato, &QCheckBox::clicked, this, &TFrmStoMag::ChkAttivatoClick);
    connect(DaData, &QDateEdit::dateChanged, this, &TFrmStoMag::DataChange);
    connect(AData, &QDateEdit::dateChanged, this, &TFrmStoMag::DataChange);
    connect(DBGrid1, &DbGrid::titleClicked, this, &TFrmStoMag::DBGrid1TitleClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmStoMag::~TFrmStoMag() = default;

QString TFrmStoMag::FiltroPeriodo(const QDate& dal, const QDate& al)
{
    return FiltroTraDate(QStringLiteral("[Data Movimento]"), dal, al);
}

// Every movement, by article; the period starts from the current year, off.
void TFrmStoMag::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    {
        const QSignalBlocker da(DaData), a(AData);
        DaData->setDate(QDate(oggi().year(), 1, 1));
        AData->setDate(oggi());
    }
    ChkAttivato->setChecked(false);
    ChkAttivatoClick();
    ordina(true);
    centraSulloSchermo(*this);
    DBGrid1->setFocus();
}

void TFrmStoMag::ChkAttivatoClick()
{
    const bool attivo = ChkAttivato->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(DaData), static_cast<QWidget*>(AData), static_cast<QWidget*>(LblDa),
                       static_cast<QWidget*>(LblA)})
        w->setEnabled(attivo);
    runDbAction(dm.prompts, [this, attivo] {
        if (attivo)
            dm.TblStoMag.setFilter(FiltroPeriodo(DaData->date(), AData->date()));
        dm.TblStoMag.setFiltered(attivo);
    });
}

void TFrmStoMag::DataChange()
{
    runDbAction(dm.prompts, [this] {
        dm.TblStoMag.setFilter(FiltroPeriodo(DaData->date(), AData->date()));
        dm.TblStoMag.setFiltered(true);
    });
}

void TFrmStoMag::DBGrid1TitleClick(int colonna)
{
    if (colonna == colonnaData)
        ordina(false);
    else if (colonna == colonnaServizio)
        ordina(true);
}

void TFrmStoMag::ordina(bool perArticolo)
{
    runDbAction(dm.prompts, [this, perArticolo] {
        dm.TblStoMag.setIndexName(perArticolo ? QStringLiteral("IdxServizio") : QStringLiteral("TblStoMagIndex1"));
    });
    DBGrid1->setTitleStyle(colonnaServizio, perArticolo, perArticolo ? blu : marrone);
    DBGrid1->setTitleStyle(colonnaData, !perArticolo, perArticolo ? marrone : blu);
}
