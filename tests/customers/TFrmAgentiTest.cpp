#include "ArchivioDiProva.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "DbText.h"
#include "ReportPreview.h"
#include "TFrmAgenti.h"
#include "TFrmAgentiLst.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The agents screen over a small archive: Rossi (10 %) with two sites of two customers, Bianchi
// (10 %) without sites, and Verdi with one site.
class SchermataAgenti : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sql("INSERT INTO Agenti (Codice, Nominativo, Percentuale, Provvigione) VALUES "
            "(1, 'Rossi Marco', 10, 0), (2, 'Bianchi Anna', 10, 55), (3, 'Verdi Luca', 5, 0)");
        sql("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\") VALUES "
            "(1, 'Alfa Srl', ''), (2, 'Beta Spa', ''), (3, 'Gamma Snc', '')");
        sql("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo, Comune, \"Codice agente\", Imponibile) VALUES "
            "(1, 1, 'Via Roma 1', 'Parma', 1, 100), (2, 2, 'Via Po 2', 'Lodi', 1, 33.33), "
            "(3, 3, 'Via Tevere 3', 'Como', 3, 80)");
        for (Table* t : {&dm.TblAgenti, &dm.TblClienti, &dm.TblSedi})
            t->refresh();
        w = std::make_unique<TFrmAgenti>(dm, nullptr);
    }

    void sql(const QString& testo) { dm.db.exec(testo); }
    QVariant leggi(const QString& testo)
    {
        QSqlQuery q = dm.db.exec(testo);
        return q.next() ? q.value(0) : QVariant();
    }
    void mostra()
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void vaiA(const QString& nominativo) { ASSERT_TRUE(dm.TblAgenti.locate("Nominativo", {nominativo})); }
    QStringList clientiInGriglia()
    {
        QStringList nomi;
        for (int r = 0; r < w->grdSedi->model()->rowCount(); ++r)
            nomi << w->grdSedi->model()->index(r, 0).data().toString();
        return nomi;
    }

    ArchivioDiProva a{2024, ArchivioDiProva::Avviato};
    TDataModule1& dm = *a.dm;
    std::unique_ptr<TFrmAgenti> w;
};

} // namespace

TEST_F(SchermataAgenti, TheCommissionIsThePercentageOfTheSitesAmounts)
{
    mostra();
    vaiA("Rossi Marco");
    EXPECT_EQ(clientiInGriglia(), QStringList({"Alfa Srl", "Beta Spa"}));
    w->SBtnCalcola->click();
    EXPECT_EQ(leggi("SELECT Provvigione FROM Agenti WHERE Codice = 1").toDouble(), 13.33);
    EXPECT_EQ(w->txtProvvigione->text(), "€ 13,33");
    EXPECT_EQ(dm.TblAgenti.state(), DatasetState::Browse);

    // An agent without sites earns nothing, whatever was there before.
    vaiA("Bianchi Anna");
    EXPECT_TRUE(clientiInGriglia().isEmpty());
    w->SBtnCalcola->click();
    EXPECT_EQ(leggi("SELECT Provvigione FROM Agenti WHERE Codice = 2").toDouble(), 0.0);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
}

TEST_F(SchermataAgenti, ACommissionTypedAfterAChangeOfPercentageUsesTheNewOne)
{
    mostra();
    vaiA("Verdi Luca");
    w->edtPercentuale->selectAll();
    QTest::keyClicks(w->edtPercentuale, "12,5");
    w->SBtnCalcola->click();
    EXPECT_EQ(leggi("SELECT Percentuale FROM Agenti WHERE Codice = 3").toDouble(), 12.5);
    EXPECT_EQ(leggi("SELECT Provvigione FROM Agenti WHERE Codice = 3").toDouble(), 10.0);
}

TEST_F(SchermataAgenti, WhileOpenTheSitesFollowTheAgentAndAfterwardsTheCustomerAgain)
{
    mostra();
    EXPECT_EQ(dm.TblSedi.master(), &dm.TblAgenti);
    EXPECT_EQ(dm.TblSedi.indexName(), "IdxAgente");
    EXPECT_TRUE(dm.QuerySedi.active());
    ASSERT_TRUE(w->FrmAgentiLst());
    EXPECT_TRUE(w->FrmAgentiLst()->isVisible());
    EXPECT_EQ(w->FrmAgentiLst()->windowTitle(), "Archivio agenti");

    // Every move and every change of the agent runs the sites query again.
    vaiA("Verdi Luca");
    EXPECT_EQ(clientiInGriglia(), QStringList({"Gamma Snc"}));
    EXPECT_EQ(dm.TblSedi.recordCount(), 1);
    w->navAgenti->click(NavButton::First);
    EXPECT_TRUE(clientiInGriglia().isEmpty());
    EXPECT_EQ(w->windowTitle(), "Agenti [Visualizzazione]");

    // Typing edits the agent; closing gives the change up and the sites back to the customer.
    QTest::keyClicks(w->edtNominativo, "x");
    EXPECT_EQ(w->windowTitle(), "Agenti [Modifica]");
    EXPECT_FALSE(w->SBtnRicerca->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->FrmAgentiLst()->isVisible());
    EXPECT_EQ(leggi("SELECT Nominativo FROM Agenti WHERE Codice = 2").toString(), "Bianchi Anna");
    EXPECT_EQ(dm.TblSedi.master(), &dm.TblClienti);
    EXPECT_EQ(dm.TblSedi.indexName(), "IdxCliente");
    EXPECT_FALSE(dm.QuerySedi.active());
}

TEST_F(SchermataAgenti, TheSearchWindowMovesToTheNearestName)
{
    sql("INSERT INTO Agenti (Codice, Nominativo) VALUES (4, 'rossini Gino')");
    dm.TblAgenti.refresh();
    mostra();
    TFrmAgentiLst& lst = *w->FrmAgentiLst();
    EXPECT_EQ(lst.edtRicerca->text(), "");

    QTest::keyClicks(lst.edtRicerca, "ROSSI");
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "Rossi Marco");
    QTest::keyClicks(lst.edtRicerca, "N");
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "rossini Gino");
    EXPECT_EQ(lst.grdRicerca->currentIndex().row(), dm.TblAgenti.recNo() - 1);
    lst.edtRicerca->setText("c");
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "Rossi Marco");
    lst.edtRicerca->clear();
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "Bianchi Anna");

    // "Ricerca" empties the box and shows the window again.
    QTest::keyClicks(lst.edtRicerca, "Ver");
    lst.close();
    w->SBtnRicerca->click();
    EXPECT_TRUE(lst.isVisible());
    EXPECT_EQ(lst.edtRicerca->text(), "");
}

TEST_F(SchermataAgenti, PrintingHoldsTheGridStillAndLeavesItOnTheFirstSite)
{
    mostra();
    vaiA("Rossi Marco");
    dm.QuerySedi.last();
    bool grigliaFerma = false;
    ReportPreview::runner = [&](ReportPreview&) { grigliaFerma = dm.QuerySedi.controlsDisabled(); };
    w->SBtnStampa->click();
    ReportPreview::runner = nullptr;
    EXPECT_TRUE(grigliaFerma);
    EXPECT_EQ(dm.QuerySedi.recNo(), 1);
    EXPECT_FALSE(dm.QuerySedi.controlsDisabled());
    EXPECT_EQ(w->grdSedi->currentIndex().row(), 0);
}
