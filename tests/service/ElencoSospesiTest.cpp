#include "ElencoSospesi.h"
#include "ServiziDiProva.h"
#include "TQRSospesi.h"
#include <gtest/gtest.h>

namespace {

// Pending deliveries of two customers, and the printed list over them.
class ListaSospesi : public ServiziDiProva
{
protected:
    ListaSospesi()
    {
        lenzuolo = articolo("Lenzuolo", "Cotone");
        federa = articolo("Federa", "Cotone");
        const double hotel = cliente({.nome = "Hotel Miramare", .nome2 = "S.r.l."});
        const double bar = cliente({.nome = "Bar Sport", .nome2 = "S.n.c."});
        viaRoma = sede({.cliente = hotel, .indirizzo = "Via Roma 1"});
        viaLecce = sede({.cliente = hotel, .indirizzo = "Via Lecce 2"});
        piazza = sede({.cliente = bar, .indirizzo = "Piazza Fera 3"});
    }

    const PageModel& stampa(const QString& revisione = {})
    {
        ReportDocument& d = elenco.Prepara(revisione);
        d.prepare();
        return d.pages();
    }

    double lenzuolo = 0, federa = 0, viaRoma = 0, viaLecce = 0, piazza = 0;
    ElencoSospesi elenco{dm};
};

} // namespace

TEST_F(ListaSospesi, ThePrintDeletesTheRowsOfVanishedSitesAndThoseWithoutUnits)
{
    sospeso("2024-03-01", viaRoma, lenzuolo, 3);
    sospeso("2024-03-01", viaRoma, federa, 0);
    sospeso(QVariant(), viaLecce, federa, QVariant());
    sospeso("2024-03-02", 77, lenzuolo, 5);            // the site was deleted
    aggiorna();

    const QStringList t = testi(stampa());
    EXPECT_EQ(righe("SELECT Codice FROM Sospesi"), QStringList({"1"}));
    EXPECT_EQ(dm.TblSospesi.recordCount(), 1);
    EXPECT_FALSE(t.contains("Federa Cotone"));
    EXPECT_TRUE(t.contains("Lenzuolo Cotone"));
}

TEST_F(ListaSospesi, IdenticalRowsPrintOnceButCountTwiceInTheTotals)
{
    sospeso("2024-03-01", viaRoma, lenzuolo, 3);
    sospeso("2024-03-01", viaRoma, lenzuolo, 3);
    sospeso("2024-03-01", piazza, lenzuolo, 1);

    const QStringList t = testi(stampa());
    EXPECT_EQ(t.count("Lenzuolo Cotone"), 3);             // two list lines, one total
    const int totali = int(t.indexOf("TOTALI"));
    ASSERT_GE(totali, 0);
    EXPECT_EQ(t.mid(totali + 1, 2), QStringList({"Lenzuolo Cotone", "7"}));
}

TEST_F(ListaSospesi, TheDateAndTheCustomerPrintOnlyWhereTheyChangeANewAddressAlways)
{
    sospeso("2024-03-01", viaRoma, lenzuolo, 3);
    sospeso("2024-03-01", viaRoma, federa, 2);
    sospeso("2024-03-01", viaLecce, federa, 1);
    sospeso("2024-03-05", viaLecce, lenzuolo, 4);

    const PageModel& m = stampa();
    const QStringList t = testi(m);
    const int inizio = int(t.indexOf("Numero")) + 1;
    const int fine = int(t.indexOf("TOTALI"));
    // By date, customer, address and article code: Via Lecce before Via Roma on the first date.
    EXPECT_EQ(t.mid(inizio, fine - inizio),
              QStringList({"01/03/2024", "Hotel Miramare S.r.l.", "Via Lecce 2 Rende", "Federa Cotone", "1",
                           "", "", "Via Roma 1 Rende", "Lenzuolo Cotone", "3",
                           "", "", "", "Federa Cotone", "2",
                           "05/03/2024", "", "Via Lecce 2 Rende", "Lenzuolo Cotone", "4"}));
}

TEST_F(ListaSospesi, TheTotalsFollowOnTheSamePageWithTheRevisionAndThePagesRunOn)
{
    sospeso("2024-03-01", viaRoma, lenzuolo, 3);
    PageModel corto = stampa("12 del 01/03/2024");
    ASSERT_EQ(corto.pageCount(), 1);
    EXPECT_TRUE(corto.texts(0).contains("TOTALI"));
    EXPECT_TRUE(corto.texts(0).contains("OVRT/12 del 01/03/2024"));
    EXPECT_EQ(corto.page(0).size, QSizeF(297, 210));

    for (int i = 0; i < 60; ++i)
        sospeso(QDate(2024, 1, 1).addDays(i).toString(Qt::ISODate), piazza, federa, 1);
    const PageModel& lungo = stampa();
    ASSERT_GE(lungo.pageCount(), 2);
    for (int p = 0; p < lungo.pageCount(); ++p)
        EXPECT_TRUE(lungo.texts(p).contains(QString("Pag. %1").arg(p + 1)));
    EXPECT_TRUE(lungo.texts(lungo.pageCount() - 1).contains("OVRT/"));
    EXPECT_EQ(lungo.find("TOTALI").size(), 1u);
}

TEST_F(ListaSospesi, AnEmptyListStillPrintsItsHeadings)
{
    const QStringList t = testi(stampa());
    EXPECT_TRUE(t.contains("ELENCO APPARACCHIATURE DEI CLIENTI IN MAGAZZINO"));
    EXPECT_TRUE(t.contains("TOTALI"));
    EXPECT_TRUE(t.contains("OVRT/"));
}
