#include "ReportPreview.h"
#include "TFrmClientiProva.h"
#include <QToolButton>

// The prints of the current customer: what the tables look like while the preview is up, and
// after it is closed.
class StampeDalloSchermo : public SchermoClienti
{
protected:
    struct Vista
    {
        bool schermoVisibile = false;
        int clienti = 0;
        QString titolo, pagina;
    };

    void SetUp() override
    {
        ReportPreview::runner = [this](ReportPreview& p) {
            vista.push_back({w->isVisible(), dm.TblClienti.recordCount(), p.windowTitle(), p.pageCaption()});
        };
    }
    void TearDown() override { ReportPreview::runner = nullptr; }

    // The customer is where the print left it, on the whole table again.
    void clienteRitrovato(qint64 codice, int clienti)
    {
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(dm.TblClienti.filtered());
        EXPECT_EQ(dm.TblClienti.recordCount(), clienti);
        EXPECT_EQ(dm.TblClienti["Codice"].asInteger(), codice);
    }

    std::vector<Vista> vista;
};

TEST_F(StampeDalloSchermo, CustomerSheetCountsItsPagesWithTheScreenHidden)
{
    cliente(1, "Albergo Roma");
    cliente(2, "Bar Milano");
    sede(20, 2, "Via Po 3");
    noleggio(20, 1, 2, 4.0);
    cliente(3, "Caffè Torino");
    apri();
    dm.TblClienti.locate("Codice", {2});
    dm.ModoElenco = true;
    w->SBtnStampa1->click();
    ASSERT_EQ(vista.size(), 1u);
    EXPECT_FALSE(vista[0].schermoVisibile);
    EXPECT_EQ(vista[0].clienti, 1);
    const QString totale = vista[0].pagina.section(' ', -1);
    EXPECT_EQ(vista[0].pagina, "Pagina 1 di " + totale);
    EXPECT_EQ(vista[0].titolo, "Anteprima di stampa - Scheda cliente Bar Milano");
    EXPECT_FALSE(dm.ModoElenco);
    clienteRitrovato(2, 3);
}

TEST_F(StampeDalloSchermo, SyntheticSheetShowsTheCustomerAlone)
{
    cliente(1, "Albergo Roma");
    cliente(2, "Bar Milano");
    apri();
    dm.TblClienti.last();
    w->SBtnStampa2->click();
    ASSERT_EQ(vista.size(), 1u);
    EXPECT_TRUE(vista[0].schermoVisibile);
    EXPECT_EQ(vista[0].clienti, 1);
    clienteRitrovato(2, 2);
}

TEST_F(StampeDalloSchermo, StatementComputesTheRunningBalanceOfTheCustomerAccount)
{
    cliente(1, "Albergo Roma");
    cliente(2, "Bar Milano");
    const QString primaNota = dm.db.qualified(dm.TblPrimaNota.tableName());
    for (const auto& [cliente, data, importo, conto] :
         {std::tuple{2, "2024-02-10", 100.0, 0}, std::tuple{2, "2024-01-05", -100.0, 0},
          std::tuple{2, "2024-03-03", -50.0, 0}, std::tuple{2, "2024-02-10", 100.0, 3}, std::tuple{1, "2024-01-09", -70.0, 0}})
        scrivi("INSERT INTO " + primaNota + " (Cliente, Data, Importo, Conto) VALUES (?, ?, ?, ?)",
               {cliente, data, importo, conto});
    dm.TblPrimaNota.refresh();
    apri();
    dm.TblClienti.last();
    int movimenti = 0;
    ReportPreview::runner = [&](ReportPreview&) { movimenti = dm.TblPrimaNota.recordCount(); };
    w->SBtnStampa3->click();
    EXPECT_EQ(movimenti, 3);
    EXPECT_FALSE(dm.TblPrimaNota.filtered());
    QSqlQuery saldi = dm.db.exec("SELECT Saldo FROM " + primaNota + " WHERE Cliente = 2 AND Conto = 0 ORDER BY Data");
    QList<double> attesi{-100, 0, -50};
    for (double s : attesi) {
        ASSERT_TRUE(saldi.next());
        EXPECT_DOUBLE_EQ(saldi.value(0).toDouble(), s);
    }
}

TEST_F(StampeDalloSchermo, ExtendedSheetTotalsBySiteDepartmentAndSex)
{
    cliente(1, "Azienda Sanitaria", "Mensile", true);
    sede(10, 1, "Palazzina A");
    scrivi("UPDATE Sedi SET Ostrelo = 1, Ufficio = 'RAGIONERIA', Scala = 'B' WHERE Codice = 10");
    noleggio(10, 1, 2, 5.0, {}, "Cucina", "M");      // towel dispenser of type CWS
    noleggio(10, 2, 3, 5.0, {}, "CUCINA", "M");      // soap dispenser of another type
    noleggio(10, 3, 1, 5.0, {}, "Sala", "F");        // matches no keyword
    sede(11, 1, "Palazzina B");                      // no rentals
    apri();
    w->SBtnStampa1->click();
    ASSERT_EQ(vista.size(), 1u);
    EXPECT_TRUE(vista[0].schermoVisibile);
    EXPECT_FALSE(dm.TblOstrelo.active());

    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Ostrelo").toInt(), 3);
    const QString cucina = " FROM Ostrelo WHERE Sede = 10 AND UPPER(Reparto) = 'CUCINA' AND Sesso = 'M'";
    EXPECT_EQ(leggi("SELECT COUNT(*)" + cucina).toInt(), 1);
    EXPECT_EQ(leggi("SELECT CotoneC" + cucina).toDouble(), 2);
    EXPECT_EQ(leggi("SELECT SaponiereS" + cucina).toDouble(), 3);
    EXPECT_EQ(leggi("SELECT COALESCE(CotoneS, 0) + COALESCE(SaponiereC, 0)" + cucina).toDouble(), 0);
    EXPECT_EQ(leggi("SELECT Ufficio || Scala || Ostrelo" + cucina).toString(), "RAGIONERIAB1");
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Ostrelo WHERE Sede = 10 AND Reparto = 'Sala' AND Sesso = 'F' "
                    "AND COALESCE(CotoneC, 0) + COALESCE(CartaMani, 0) = 0").toInt(), 1);
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Ostrelo WHERE Sede = 11 AND Reparto IS NULL AND Sesso IS NULL").toInt(), 1);
}
