#include "ServiziDiProva.h"
#include "StatisticaConsumi.h"
#include "TQRMDStatistica.h"
#include <gtest/gtest.h>

namespace {

// A customer with two sites consuming soap and paper, and the statistics over them.
class Consumi : public ServiziDiProva
{
protected:
    Consumi()
    {
        sapone = articolo("Sapone liquido", "Ricarica", false);
        carta = articolo("Carta mani", "Rotolo", false);
        c = cliente();
        s1 = sede({.cliente = c, .indirizzo = "Via Roma 1"});
        s2 = sede({.cliente = c, .indirizzo = "Via Lecce 2"});
    }

    QStringList medie()
    {
        return righe("SELECT CodServizio, replace(Servizio, char(13), '/'), DaData, AData, Totale, Mesi, \"Media mensile\" "
                     "FROM Medie ORDER BY Codice");
    }

    // The print of the customer, as the consumption screen's "1" and "2" make it.
    QStringList stampa(bool analitica, const std::optional<PeriodoConsumi>& periodo = {})
    {
        aggiorna();
        TQRMDStatistica& r = statistica.PreparaStampa(analitica, periodo);
        r.prepare();
        return testi(r.pages());
    }

    double sapone = 0, carta = 0, c = 0, s1 = 0, s2 = 0;
    StatisticaConsumi statistica{dm};
};

} // namespace

TEST_F(Consumi, OneReadingIsOneMonthAndTwoReadingsCountTheMonthsBetweenThem)
{
    consumo(s1, sapone, 10, "2024-03-20");
    EXPECT_EQ(statistica.PerSede(s1), 1);
    EXPECT_EQ(medie(), QStringList({"1 | Sapone liquido/media su totale mesi: 1 | 2024-03-20 | 2024-03-20 | 10 | 1 | 10"}));

    consumo(s1, sapone, 20, "2024-01-15");
    consumo(s1, sapone, 0, "2024-03-03");
    statistica.PerSede(s1);
    EXPECT_EQ(medie(), QStringList({"1 | Sapone liquido/media su totale mesi: 3 | 2024-01-15 | 2024-03-20 | 30 | 3 | 10"}));
}

TEST_F(Consumi, TheCustomerSumsItsSitesPerMaterialTheSiteOnlyItself)
{
    consumo(s1, sapone, 10, "2024-03-20");
    consumo(s2, sapone, 20, "2024-01-15");            // an earlier date met in a later site
    consumo(s2, carta, 6, "2024-02-10");
    consumo(sede({.cliente = cliente()}), sapone, 99, "2024-02-01");   // another customer

    EXPECT_EQ(statistica.PerCliente(c), 2);
    EXPECT_EQ(medie(), QStringList({"1 | Sapone liquido/media su totale mesi: 3 | 2024-01-15 | 2024-03-20 | 30 | 3 | 10",
                                    "2 | Carta mani/media su totale mesi: 1 | 2024-02-10 | 2024-02-10 | 6 | 1 | 6"}));
    EXPECT_EQ(statistica.PerSede(s1), 1);
    EXPECT_EQ(medie(), QStringList({"1 | Sapone liquido/media su totale mesi: 1 | 2024-03-20 | 2024-03-20 | 10 | 1 | 10"}));
    EXPECT_EQ(dm.TblMedie.recordCount(), 1);
}

TEST_F(Consumi, ThePeriodLeavesOutTheReadingsOutsideIt)
{
    consumo(s1, sapone, 10, "2023-12-31");
    consumo(s1, sapone, 20, "2024-01-01");
    consumo(s1, sapone, 5, "2024-02-29");
    consumo(s1, sapone, 7, "2024-03-01");
    statistica.PerCliente(c, PeriodoConsumi{QDate(2024, 1, 1), QDate(2024, 2, 29)});
    EXPECT_EQ(medie(), QStringList({"1 | Sapone liquido/media su totale mesi: 2 | 2024-01-01 | 2024-02-29 | 25 | 2 | 12.5"}));

    // A period whose end comes before its start is refused; the last statistic stays.
    const QStringList prima = medie();
    EXPECT_THROW(statistica.PerCliente(c, PeriodoConsumi{QDate(2024, 3, 1), QDate(2024, 1, 1)}), LavError);
    EXPECT_EQ(medie(), prima);
}

TEST_F(Consumi, AReadingDatedOutOfAnyPlausibleRangeIsRefusedAndTheLastStatisticStays)
{
    consumo(s1, sapone, 10, "2024-03-20");
    statistica.PerCliente(c);
    const QStringList prima = medie();
    consumo(s2, carta, 4, "0024-03-20");
    try {
        statistica.PerCliente(c);
        ADD_FAILURE() << "accepted";
    } catch (const LavError& e) {
        EXPECT_EQ(e.message(), "La sede Via Lecce 2 Rende ha un consumo con una data non plausibile (20/03/0024): "
                               "correggerla prima di calcolare la statistica.");
    }
    EXPECT_EQ(medie(), prima);
}

TEST_F(Consumi, TheAnalyticPrintListsTheReadingsTheSyntheticOnlyTheMaterials)
{
    consumo(s1, sapone, 10, "2024-01-15");
    consumo(s1, sapone, 20, "2024-03-03");
    consumo(s1, carta, 4, "2024-02-01");
    consumo(s2, sapone, 5, "2024-02-01");

    const QStringList a = stampa(true);
    EXPECT_TRUE(a.contains("Hotel Miramare"));
    EXPECT_TRUE(a.contains("Via Roma 1 Rende"));
    EXPECT_EQ(a.count("Data"), 2);                       // the heading over each site's readings
    EXPECT_TRUE(a.contains("15/01/2024"));
    EXPECT_TRUE(a.contains("03/03/2024"));
    // The soap of Via Roma: 30 over January to March.
    const int parziale = int(a.indexOf("Totale consumi parziale su mesi 3:"));
    ASSERT_GE(parziale, 0);
    EXPECT_EQ(a.mid(parziale, 4), QStringList({"Totale consumi parziale su mesi 3:", "30", "Media mensile parziale:", "10"}));
    // After the last site, the customer's totals: soap 35 over January to March.
    const int totale = int(a.indexOf("Totale consumi complessivo su mesi 3:"));
    ASSERT_GE(totale, 0);
    EXPECT_EQ(a.value(totale + 1), "35");
    EXPECT_EQ(a.value(a.indexOf("Media mensile totale:") + 1), "11,67");
    EXPECT_EQ(a.count("Media mensile totale:"), 2);
    EXPECT_EQ(a.count("media su totale mesi: 3"), 1);
    // The soap's name on its three readings and on the customer's totals, never on a partial total.
    EXPECT_EQ(a.count("Sapone liquido"), 4);

    const QStringList s = stampa(false);
    EXPECT_EQ(s.count("Data"), 0);
    EXPECT_FALSE(s.contains("15/01/2024"));
    EXPECT_EQ(s.count("Carta mani"), 2);                 // its partial band and the customer's totals
    EXPECT_EQ(s.count("Sapone liquido"), 3);             // Via Roma, Via Lecce and the totals
    EXPECT_TRUE(s.contains("Totale consumi parziale su mesi 3:"));
}

TEST_F(Consumi, ThePrintsPeriodLeavesReadingsOutOfTheListAndTheTotals)
{
    consumo(s1, sapone, 10, "2024-01-15");
    consumo(s1, sapone, 20, "2024-03-03");
    const QStringList t = stampa(true, PeriodoConsumi{QDate(2024, 2, 1), QDate(2024, 12, 31)});
    EXPECT_FALSE(t.contains("15/01/2024"));
    EXPECT_TRUE(t.contains("Totale consumi complessivo su mesi 1:"));
    EXPECT_TRUE(dm.TblConsumi.filtered());
    stampa(true);
    EXPECT_FALSE(dm.TblConsumi.filtered());
}

TEST_F(Consumi, ACustomerWithoutSitesPrintsNothing)
{
    cliente();
    aggiorna();
    dm.TblClienti.last();
    TQRMDStatistica& r = statistica.PreparaStampa(true);
    EXPECT_EQ(r.prepare(), 0);
}

TEST_F(Consumi, AReadingWithANegativeQuantityOrAnImplausibleDateIsNotPosted)
{
    aggiorna();
    dm.TblSedi.locate("Codice", {s1});
    Table& consumi = dm.TblConsumi;
    consumi.append();
    consumi["Servizio"] = sapone;
    consumi["Quantita"] = -3.0;
    consumi["Data"] = QDate(2024, 3, 1);
    EXPECT_THROW(consumi.post(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::error("La quantità consumata non può essere negativa."));
    EXPECT_EQ(consumi.state(), DatasetState::Insert);

    consumi["Quantita"] = 3.0;
    consumi["Data"] = QDate(2204, 3, 1);
    EXPECT_THROW(consumi.post(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::error("Data del consumo non plausibile: indicare una data tra il 1900 e il 2100."));

    consumi["Data"] = QDate(2024, 3, 1);
    consumi.post();
    EXPECT_EQ(righe("SELECT Sede, Servizio, Quantita, Data FROM Consumi"), QStringList({"1 | 1 | 3 | 2024-03-01"}));
}
