#include "TFrmInventario.h"
#include "Centra.h"
#include "Clock.h"
#include "DbAction.h"
#include "Icone.h"
#include "Inventario.h"
#include "Modulo.h"
#include "SceltaData.h"
#include "TDataModule1.h"
#include "TQRLInventario.h"
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

TFrmInventario::TFrmInventario(TDataModule1& dm, QWidget* parent)
    : QDialog(parent), dm(dm), inventario(std::make_unique<Inventario>(dm))
{
    setWindowTitle(QStringLiteral("Inventario"));
    DaData = new SceltaData(this);
    DaData->setDate(Inventario::inizioArchivio());
    AData = new SceltaData(this);

    // The drop-down shows description and type side by side, ten rows at a time.
    CmbArticolo = new QComboBox(this);
    auto* vista = new QTableView(CmbArticolo);
    vista->horizontalHeader()->hide();
    vista->verticalHeader()->hide();
    vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    vista->setShowGrid(false);
    CmbArticolo->setModel(new QStandardItemModel(0, 2, CmbArticolo));
    CmbArticolo->setView(vista);
    CmbArticolo->setMaxVisibleItems(10);
    CmbArticolo->setMinimumWidth(larghezzaCaratteri(CmbArticolo, 40));

    BtnAnteprima = new QPushButton(Icone::anteprima(), QStringLiteral("&Anteprima"), this);
    BtnAnteprima->setToolTip(QStringLiteral("Anteprima"));
    BtnStampa = new QPushButton(Icone::stampa(), QStringLiteral("&Stampa"), this);
    BtnStampa->setToolTip(QStringLiteral("Stampa"));
    BtnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    for (QPushButton* b : {BtnAnteprima, BtnStampa, BtnChiudi})
        b->setAutoDefault(false);

    auto* campi = new QGridLayout;
    campi->setHorizontalSpacing(8);
    campi->addWidget(etichetta(QStringLiteral("&Da data"), DaData, this), 0, 0);
    campi->addWidget(DaData, 0, 1, Qt::AlignLeft);
    campi->addWidget(etichetta(QStringLiteral("A da&ta"), AData, this), 0, 2);
    campi->addWidget(AData, 0, 3, Qt::AlignLeft);
    campi->addWidget(etichetta(QStringLiteral("A&pparechio o materiale"), CmbArticolo, this), 1, 0);
    campi->addWidget(CmbArticolo, 1, 1, 1, 4);
    campi->setColumnStretch(4, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(BtnAnteprima);
    pulsanti->addWidget(BtnStampa);
    pulsanti->addStretch();
    pulsanti->addWidget(BtnChiudi);
    auto* l = colonnaFinestra(this);
    l->addLayout(campi);
    l->addLayout(pulsanti);

    connect(CmbArticolo, &QComboBox::activated, this, &TFrmInventario::CmbArticoloChange);
    connect(BtnAnteprima, &QPushButton::clicked, this, &TFrmInventario::BtnAnteprimaClick);
    connect(BtnStampa, &QPushButton::clicked, this, &TFrmInventario::BtnStampaClick);
    connect(BtnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmInventario::~TFrmInventario() = default;

// Only invoiceable articles are offered, from the first; the period ends today and starts
// where the user left it.
void TFrmInventario::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    runDbAction(dm.prompts, [this] {
        dm.TblServizi.setFilter(QStringLiteral("Fatturabile"));
        dm.TblServizi.setFiltered(true);
        dm.TblServizi.first();
    });
    riempiArticoli();
    AData->setDate(oggi());
    centraSulloSchermo(*this);
    CmbArticolo->setFocus();
}

void TFrmInventario::done(int r)
{
    runDbAction(dm.prompts, [this] {
        dm.TblServizi.setFiltered(false);
        dm.TblStoMag.setFiltered(false);
    });
    QDialog::done(r);
}

void TFrmInventario::riempiArticoli()
{
    auto* modello = static_cast<QStandardItemModel*>(CmbArticolo->model());
    modello->removeRows(0, modello->rowCount());
    Table& articoli = dm.TblServizi;
    for (int i = 0; articoli.active() && i < articoli.recordCount(); ++i) {
        auto* descrizione = new QStandardItem(articoli.valueAt(i, QStringLiteral("Descrizione")).toString());
        descrizione->setData(articoli.valueAt(i, QStringLiteral("Codice")), Qt::UserRole);
        modello->appendRow({descrizione, new QStandardItem(articoli.valueAt(i, QStringLiteral("Tipo")).toString())});
    }
    CmbArticolo->setCurrentIndex(articoli.active() && !articoli.isEmpty() ? articoli.currentRow() : -1);
    if (auto* vista = qobject_cast<QTableView*>(CmbArticolo->view()))
        vista->resizeColumnsToContents();
}

void TFrmInventario::CmbArticoloChange(int indice)
{
    const QVariant codice = CmbArticolo->itemData(indice, Qt::UserRole);
    runDbAction(dm.prompts, [this, &codice] { dm.TblServizi.locate(QStringLiteral("Codice"), {codice}); });
}

QString TFrmInventario::articoloCorrente()
{
    Table& articoli = dm.TblServizi;
    if (!articoli.active() || articoli.isEmpty())
        return {};
    return Inventario::TestoArticolo(articoli["Descrizione"].asString(), articoli["Tipo"].asString());
}

void TFrmInventario::BtnAnteprimaClick()
{
    stampa(false);
}

void TFrmInventario::BtnStampaClick()
{
    stampa(true);
}

// An article without movements in the period has no page: the user is told so.
void TFrmInventario::stampa(bool diretta)
{
    runDbAction(dm.prompts, [this, diretta] {
        const QString articolo = articoloCorrente();
        if (articolo.isEmpty())
            return;
        TQRLInventario& r = inventario->Prepara(articolo, DaData->date(), AData->date());
        if (r.prepare() == 0) {
            dm.prompts.information(QStringLiteral("Nessun movimento dell'articolo nel periodo scelto."));
            return;
        }
        if (!diretta)
            r.showPreview(dm.prompts, this);
        else if (!r.printDirect())
            dm.prompts.error(QStringLiteral("Stampa non riuscita: nessuna stampante predefinita disponibile."));
    });
}
