#include "BarChart.h"
#include "DbDateEdit.h"
#include "DbGrid.h"
#include "DbGridModel.h"
#include "DbNavigator.h"
#include "ReportPreview.h"
#include "SceltaData.h"
#include "ServiziDiProva.h"
#include "TFrmConsumi.h"
#include "TFrmGroup.h"
#include "TFrmInventario.h"
#include "TFrmIter.h"
#include "TFrmMedia.h"
#include "TFrmSospesi.h"
#include "TFrmStoMag.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The service windows over a started archive, shown on the offscreen platform; the previews
// they open are caught instead of shown.
class FinestreServizi : public ServiziDiProva
{
protected:
    FinestreServizi()
    {
        fissaOggi(QDate(2024, 3, 15));
        ReportPreview::runner = [this](ReportPreview& p) { anteprime << p.pageCaption(); };
    }
    ~FinestreServizi() override { ReportPreview::runner = nullptr; }

    template <class W>
    std::unique_ptr<W> mostra()
    {
        auto w = std::make_unique<W>(dm, nullptr);
        w->show();
        return w;
    }

    QStringList anteprime;
};

QStringList colonna(DbGrid* g, int c)
{
    QStringList out;
    for (int r = 0; r < g->model()->rowCount(); ++r)
        out << g->model()->index(r, c).data().toString();
    return out;
}

} // namespace

TEST_F(FinestreServizi, RoutesWindowPrintsTheSheetOfTheCurrentRouteAndClosesItsPlanning)
{
    const int g = giro("Cosenza centro", "Rossi Mario");
    giro("Rende");
    intervento(sede({.cliente = cliente(), .iter = g}), 1, {true, false, false, false, true, false});
    aggiorna();
    auto w = mostra<TFrmIter>();
    EXPECT_EQ(w->windowTitle(), "Servizi");
    EXPECT_EQ(w->DataRiferimento->date(), QDate(2024, 3, 15));
    EXPECT_FALSE(w->BtnOk->isVisible());
    EXPECT_EQ(colonna(w->DBGrid1, 2), QStringList({"Rossi Mario", ""}));

    dm.TblIter.first();
    QTest::mouseClick(w->BtnStampa, Qt::LeftButton);
    QTest::mouseClick(w->BtnVecchia, Qt::LeftButton);
    EXPECT_EQ(anteprime, QStringList({"Pagina 1 di 2", "Pagina 1 di 2"}));
    EXPECT_EQ(dm.db.recordCount("SSS"), 2);
    // The planning table can be made again at once: nothing holds it open.
    EXPECT_NO_THROW(dm.db.dropTable("SSS"));

    dm.TblIter.last();
    QTest::mouseClick(w->BtnStampa, Qt::LeftButton);
    EXPECT_EQ(anteprime.size(), 2);                      // a route without stops has no sheet
}

TEST_F(FinestreServizi, ChoosingARoutePostsTheOneBeingTyped)
{
    aggiorna();
    auto w = mostra<TFrmIter>();
    w->mostraOk(true);
    EXPECT_TRUE(w->BtnOk->isVisible());
    EXPECT_TRUE(w->BtnOk->isDefault());
    w->DBNavigator1->click(NavButton::Insert);
    dm.TblIter["Descrizione"] = "Giro nuovo";
    QTest::mouseClick(w->BtnOk, Qt::LeftButton);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(righe("SELECT Codice, Descrizione FROM Iter"), QStringList({"1 | Giro nuovo"}));
    EXPECT_EQ(dm.TblIter["Codice"].asInteger(), 1);
}

TEST_F(FinestreServizi, GroupingWindowJoinsTheSelectedRowsAndPaintsTheGroupsApart)
{
    const double c = cliente();
    for (const char* via : {"Via Roma 1", "Via Lecce 2", "Via Po 3"})
        sede({.cliente = c, .indirizzo = via});
    aggiorna();
    auto w = mostra<TFrmGroup>();
    EXPECT_EQ(w->windowTitle(), "Raggruppamento sedi");
    ASSERT_EQ(w->DBGrid1->model()->rowCount(), 3);
    auto* sel = w->DBGrid1->selectionModel();
    sel->select(w->DBGrid1->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    sel->select(w->DBGrid1->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(w->BtnRaggruppa, Qt::LeftButton);

    EXPECT_EQ(righe("SELECT Codice, Gruppo, Colore FROM Sedi ORDER BY Codice"),
              QStringList({"1 | 1 | 0", "2 | 2 | 1", "3 | 1 | 0"}));
    EXPECT_EQ(colonna(w->DBGrid1, 1), QStringList({"Via Roma 1", "Via Po 3", "Via Lecce 2"}));
    auto sfondo = [&](int r) { return w->DBGrid1->model()->index(r, 0).data(Qt::BackgroundRole).value<QColor>(); };
    EXPECT_EQ(sfondo(0), QColor(128, 128, 0));
    EXPECT_EQ(sfondo(1), QColor(128, 128, 0));
    EXPECT_EQ(sfondo(2), QColor(0, 128, 128));
    EXPECT_FALSE(w->DBGrid1->model()->index(0, 1).data(Qt::BackgroundRole).isValid());
}

TEST_F(FinestreServizi, PendingScreenReDatesARowOnlyThroughRegistraOrAnnulla)
{
    const double art = articolo("Lenzuolo", "Cotone");
    const double s = sede({.cliente = cliente()});
    sospeso("2024-03-01", s, art, 3);
    sospeso(QVariant(), s, art, 2);
    sospeso("2024-03-02", 99, art, 1);                  // its site is gone: not listed
    aggiorna();
    auto w = mostra<TFrmSospesi>();
    EXPECT_EQ(colonna(w->DBGrid1, 0), QStringList({"", "01/03/2024"}));
    EXPECT_EQ(colonna(w->DBGrid1, 3), QStringList({"Lenzuolo Cotone", "Lenzuolo Cotone"}));
    EXPECT_FALSE(w->BtnRegistra->isEnabled());
    EXPECT_TRUE(w->SBtnElimina->isEnabled());

    // The row without date gets one.
    w->EdtData->setFocus();
    w->EdtData->selectAll();
    QTest::keyClicks(w->EdtData, "05032024");
    EXPECT_TRUE(w->BtnRegistra->isEnabled());
    EXPECT_FALSE(w->DBGrid1->isEnabled());
    EXPECT_FALSE(w->DBNavigator1->isEnabled());
    QTest::mouseClick(w->BtnRegistra, Qt::LeftButton);
    EXPECT_EQ(righe("SELECT Codice, Data FROM Sospesi ORDER BY Codice"),
              QStringList({"1 | 2024-03-01", "2 | 2024-03-05", "3 | 2024-03-02"}));
    EXPECT_TRUE(w->DBGrid1->isEnabled());
    EXPECT_EQ(colonna(w->DBGrid1, 0), QStringList({"01/03/2024", "05/03/2024"}));

    // Escape takes a typed date back.
    dm.TblSospesi.locate("Codice", {1});
    w->EdtData->setFocus();
    w->EdtData->selectAll();
    QTest::keyClicks(w->EdtData, "09");
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->BtnAnnulla->isEnabled());
    EXPECT_EQ(righe("SELECT Data FROM Sospesi WHERE Codice = 1"), QStringList({"2024-03-01"}));
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(FinestreServizi, PendingScreenDeletesTheListedRowOnlyAfterYes)
{
    const double art = articolo("Federa", "Cotone");
    const double s = sede({.cliente = cliente()});
    sospeso("2024-03-01", s, art, 3);
    aggiorna();
    auto w = mostra<TFrmSospesi>();
    a.prompts.answer(Answer::No);
    QTest::mouseClick(w->SBtnElimina, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Confirmation, "Elimino il sospeso?"));
    EXPECT_EQ(dm.db.recordCount("Sospesi"), 1);
    a.prompts.answer(Answer::Yes);
    QTest::mouseClick(w->SBtnElimina, Qt::LeftButton);
    EXPECT_EQ(dm.db.recordCount("Sospesi"), 0);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);
    EXPECT_FALSE(w->SBtnElimina->isEnabled());
}

TEST_F(FinestreServizi, ConsumptionScreenOffersMaterialsFiltersThePeriodAndChartsTheStatistic)
{
    const double sapone = articolo("Sapone", "Ricarica", false);
    articolo("Lenzuolo", "Cotone");
    const double c = cliente();
    const double s = sede({.cliente = c});
    consumo(s, sapone, 10, "2023-11-20");
    consumo(s, sapone, 20, "2024-02-03");
    aggiorna();
    auto w = mostra<TFrmConsumi>();
    EXPECT_EQ(w->windowTitle(), "Consumi [Visualizzazione]");
    EXPECT_EQ(dm.TblServizi.recordCount(), 1);          // the consumable materials only
    EXPECT_EQ(w->DaData->date(), QDate(2024, 1, 1));
    EXPECT_EQ(w->AData->date(), QDate(2024, 3, 15));
    EXPECT_EQ(colonna(w->GridConsumi, 0), QStringList({"Sapone", "Sapone"}));

    QTest::mouseClick(w->ChkFiltro, Qt::LeftButton);
    EXPECT_EQ(colonna(w->GridConsumi, 2), QStringList({"03/02/2024"}));

    QStringList barre, piede;
    QTimer::singleShot(0, [&] {
        barre = w->FrmMedia()->Grafico->categories();
        piede = w->FrmMedia()->Grafico->foot();
        w->FrmMedia()->reject();
    });
    QTest::mouseClick(w->SBtnMedia1, Qt::LeftButton);
    EXPECT_EQ(barre, QStringList({"Sapone\rmedia su totale mesi: 1"}));
    EXPECT_EQ(piede, QStringList({"", "Periodo compreso tra 01/01/2024 e 15/03/2024"}));

    // A period that ends before it starts has no statistic: the chart is not shown.
    w->DaData->setDate(QDate(2024, 4, 1));
    QTest::mouseClick(w->SBtnMedia2, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::error("La data finale del periodo (15/03/2024) precede quella iniziale (01/04/2024)."));
    EXPECT_EQ(righe("SELECT Totale FROM Medie"), QStringList({"20"}));
    w->DaData->setDate(QDate(2024, 1, 1));

    QTest::mouseClick(w->ChkFiltro, Qt::LeftButton);
    EXPECT_EQ(w->GridConsumi->model()->rowCount(), 2);
    QTest::mouseClick(w->SBtnStampa1, Qt::LeftButton);
    EXPECT_EQ(anteprime, QStringList({"Pagina 1 di 1"}));
    EXPECT_EQ(righe("SELECT Totale, Mesi FROM Medie"), QStringList({"30 | 4"}));

    w->reject();
    EXPECT_FALSE(dm.TblServizi.filtered());
    EXPECT_EQ(dm.TblServizi.recordCount(), 2);
}

TEST_F(FinestreServizi, HistoryScreenFiltersThePeriodAndOrdersByTheClickedTitle)
{
    movimento("Lenzuolo Cotone", "2024-02-10", "Acquisto", 50, 50);
    movimento("Federa Cotone", "2023-12-11", "Acquisto", 9, 9);
    movimento("Federa Cotone", "2024-03-01", "Uscita", 2, 7, "Bar Sport");
    aggiorna();
    auto w = mostra<TFrmStoMag>();
    EXPECT_EQ(w->windowTitle(), "Storico magazzino [Visualizzazione]");
    EXPECT_FALSE(w->DaData->isEnabled());
    EXPECT_EQ(colonna(w->DBGrid1, 0), QStringList({"11/12/2023", "01/03/2024", "10/02/2024"}));
    auto titolo = [&](int c, int ruolo) { return w->DBGrid1->model()->headerData(c, Qt::Horizontal, ruolo); };
    EXPECT_TRUE(titolo(1, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(titolo(1, Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    EXPECT_EQ(titolo(0, Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));

    QTest::mouseClick(w->ChkAttivato, Qt::LeftButton);
    EXPECT_TRUE(w->DaData->isEnabled());
    EXPECT_EQ(colonna(w->DBGrid1, 0), QStringList({"01/03/2024", "10/02/2024"}));

    w->DBGrid1TitleClick(0);
    EXPECT_EQ(colonna(w->DBGrid1, 1), QStringList({"Lenzuolo Cotone", "Federa Cotone"}));
    EXPECT_TRUE(titolo(0, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(titolo(1, Qt::FontRole).isValid());

    w->DaData->setDate(QDate(2024, 2, 20));
    EXPECT_EQ(colonna(w->DBGrid1, 0), QStringList({"01/03/2024"}));

    a.prompts.answer(Answer::Ok);
    w->DBNavigator1->click(NavButton::Delete);
    EXPECT_EQ(a.prompts.last(), Prompt::confirmation("Elimino il record?"));
    EXPECT_EQ(dm.db.recordCount("Stomag"), 2);
}

TEST_F(FinestreServizi, InventoryWindowPrintsTheChosenInvoiceableArticle)
{
    articolo("Federa", "Cotone");
    articolo("Sapone", "Ricarica", false);
    articolo("Lenzuolo", "Cotone");
    movimento("Lenzuolo Cotone", "2024-02-10", "Acquisto", 50, 50);
    aggiorna();
    auto w = mostra<TFrmInventario>();
    EXPECT_EQ(w->DaData->date(), QDate(1900, 1, 1));
    EXPECT_EQ(w->AData->date(), QDate(2024, 3, 15));
    ASSERT_EQ(w->CmbArticolo->count(), 2);
    EXPECT_EQ(w->CmbArticolo->itemText(0), "Federa");
    EXPECT_EQ(w->CmbArticolo->currentIndex(), 0);

    QTest::mouseClick(w->BtnAnteprima, Qt::LeftButton);
    EXPECT_TRUE(anteprime.isEmpty());
    EXPECT_EQ(a.prompts.last(), Prompt::information("Nessun movimento dell'articolo nel periodo scelto."));

    w->CmbArticoloChange(1);
    EXPECT_EQ(dm.TblServizi["Descrizione"].asString(), "Lenzuolo");
    QTest::mouseClick(w->BtnAnteprima, Qt::LeftButton);
    EXPECT_EQ(anteprime, QStringList({"Pagina 1 di 1"}));

    // A period that ends before it starts is refused, not printed empty.
    w->DaData->setDate(QDate(2024, 4, 1));
    QTest::mouseClick(w->BtnAnteprima, Qt::LeftButton);
    EXPECT_EQ(anteprime.size(), 1);
    EXPECT_EQ(a.prompts.last(), Prompt::error("La data finale del periodo (15/03/2024) precede quella iniziale (01/04/2024)."));

    w->reject();
    EXPECT_FALSE(dm.TblServizi.filtered());
}
