#include "TFrmGroup.h"
#include "BarraStrumenti.h"
#include "BusyCursor.h"
#include "Centra.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TDataModule1.h"
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QColor verdeAcqua(0, 128, 128);
const QColor oliva(128, 128, 0);

} // namespace

TFrmGroup::TFrmGroup(TDataModule1& dm, QWidget* parent)
    : QDialog(parent), raggruppamento(dm), dm(dm), DSGruppi(&raggruppamento.QryGruppi)
{
    setWindowTitle(QStringLiteral("Raggruppamento sedi"));

    auto* barra = new BarraStrumenti(this);
    DBNavigator1 = barra->navigatore(DSGruppi, Nav::Browse, dm.prompts, QStringLiteral("DBNavigator1"));
    barra->spazio();
    BtnRaggruppa = barra->comando(QStringLiteral("&Raggruppa"), QStringLiteral("Unisce le sedi scelte nel gruppo della prima"));
    BtnSepara = barra->comando(QStringLiteral("&Separa"), QStringLiteral("Riporta le sedi scelte nel loro gruppo"));
    BtnChiudi = barra->chiudi();

    DBGrid1 = new DbGrid(&DSGruppi, dm.prompts, this);
    DBGrid1->setColumns({{.field = "Gruppo", .width = 70, .alignment = Qt::AlignHCenter | Qt::AlignVCenter},
                         {.field = "Indirizzo", .width = 320},
                         {.field = "Comune", .width = 220},
                         {.field = "GruppoOrg", .visible = false}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setRowSelect(true);
    DBGrid1->setMultiSelect(true);
    // The group's cell tells the groups apart: teal and olive alternate from group to group.
    const int colonnaGruppo = DBGrid1->columnOf(QStringLiteral("Gruppo"));
    DBGrid1->setCellColour([this, colonnaGruppo](int record, int colonna) {
        if (colonna != colonnaGruppo || record < 0)
            return QColor();
        return raggruppamento.QryGruppi.valueAt(record, QStringLiteral("Colore")).toLongLong() != 0 ? verdeAcqua : oliva;
    });

    sottoLaBarra(this, barra)->addWidget(DBGrid1, 1);
    resize(680, 420);

    connect(BtnRaggruppa, &QPushButton::clicked, this, &TFrmGroup::BtnRaggruppaClick);
    connect(BtnSepara, &QPushButton::clicked, this, &TFrmGroup::BtnSeparaClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmGroup::~TFrmGroup() = default;

void TFrmGroup::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] {
        BusyCursor attesa;
        raggruppamento.Aggiorna();
    });
    centraSulloSchermo(*this);
    DBGrid1->setFocus();
}

QList<double> TFrmGroup::selezionate()
{
    QList<double> sedi;
    for (int riga : DBGrid1->selectedRecords())
        sedi << raggruppamento.QryGruppi.valueAt(riga, QStringLiteral("Codice")).toDouble();
    return sedi;
}

void TFrmGroup::BtnRaggruppaClick()
{
    const QList<double> sedi = selezionate();
    runDbAction(dm.prompts, [&] {
        BusyCursor attesa;
        raggruppamento.Raggruppa(sedi);
    });
    DBGrid1->clearSelection();
}

void TFrmGroup::BtnSeparaClick()
{
    const QList<double> sedi = selezionate();
    runDbAction(dm.prompts, [&] {
        BusyCursor attesa;
        raggruppamento.Separa(sedi);
    });
    DBGrid1->clearSelection();
}
