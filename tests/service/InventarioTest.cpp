#include "Inventario.h"
#include "ServiziDiProva.h"
#include "TQRLInventario.h"
#include <gtest/gtest.h>

namespace {

class InventarioMagazzino : public ServiziDiProva
{
protected:
    QStringList stampa(const QString& articolo, const QDate& dal, const QDate& al)
    {
        TQRLInventario& r = inventario.Prepara(articolo, dal, al);
        r.dataStampa = QDate(2024, 4, 2);
        r.prepare();
        pagine = r.pageCount();
        return testi(r.pages());
    }

    Inventario inventario{dm};
    int pagine = 0;
};

} // namespace

TEST(PeriodoInventario, FromTheFirstDayOfTheArchiveThePeriodHasOnlyAnEnd)
{
    EXPECT_EQ(Inventario::TestoPeriodo(QDate(1900, 1, 1), QDate(2024, 3, 31)), ", periodo interessato fino al 31/03/2024");
    EXPECT_EQ(Inventario::TestoPeriodo(QDate(2024, 1, 1), QDate(2024, 3, 31)),
              ", periodo interessato tra il 01/01/2024 ed il 31/03/2024");
}

TEST_F(InventarioMagazzino, AnArticleNamedWithAQuotePrintsItsMovementsInRecordingOrder)
{
    const QString lenzuolo = Inventario::TestoArticolo("Lenzuolo 1 piazza d'albergo", "Cotone");
    movimento(lenzuolo, "2024-02-10", "Acquisto", 50, 50, {}, "Carico iniziale");
    movimento(lenzuolo, "2024-01-20", "Uscita", 5, 45, "Hotel Miramare S.r.l.");   // recorded later, dated earlier
    movimento(lenzuolo, "2024-05-01", "Entrata", 2, 47);
    movimento("Federa Cotone", "2024-02-11", "Acquisto", 9, 9);

    const QStringList t = stampa(lenzuolo, QDate(1900, 1, 1), QDate(2024, 3, 31));
    EXPECT_EQ(t.mid(0, 3), QStringList({"Pag. 1", "Inventario del 02/04/2024, periodo interessato fino al 31/03/2024",
                                        "Lenzuolo 1 piazza d'albergo Cotone"}));
    const int inizio = int(t.indexOf("Giac.")) + 1;
    EXPECT_EQ(t.mid(inizio), QStringList({"10/02/2024", "Acquisto", "", "50", "50", "Carico iniziale",
                                          "20/01/2024", "Uscita", "Hotel Miramare S.r.l.", "5", "45", ""}));
}

TEST_F(InventarioMagazzino, AnArticleWithoutMovementsInThePeriodPrintsNoPage)
{
    movimento("Federa Cotone", "2024-02-11", "Acquisto", 9, 9);
    stampa("Federa Cotone", QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(pagine, 0);
    EXPECT_THROW(stampa("Federa Cotone", QDate(2024, 3, 1), QDate(2024, 1, 1)), LavError);
}

TEST_F(InventarioMagazzino, TheWholeInventoryGivesEachInvoiceableArticleItsOwnPages)
{
    articolo("Federa", "Cotone");
    articolo("Lenzuolo", "Cotone");
    articolo("Sapone", "Ricarica", false);
    movimento("Lenzuolo Cotone", "2024-02-10", "Acquisto", 50, 50);
    movimento("Federa Cotone", "2024-02-11", "Acquisto", 9, 9);
    movimento("Sapone Ricarica", "2024-02-11", "Acquisto", 30, 30);

    stampa("Federa Cotone", QDate(1900, 1, 1), QDate(2024, 12, 31));
    EXPECT_EQ(pagine, 1);
    const QStringList t = stampa({}, QDate(1900, 1, 1), QDate(2024, 12, 31));
    ASSERT_EQ(pagine, 2);
    EXPECT_TRUE(t.contains("Federa Cotone"));
    EXPECT_TRUE(t.contains("Lenzuolo Cotone"));
    EXPECT_FALSE(t.contains("Sapone Ricarica"));
}
