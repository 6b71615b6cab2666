#include "Periodicita.h"

#include <gtest/gtest.h>

namespace {

QList<int> mesiDovuti(const QString& condizioni, bool forza = false)
{
    QList<int> mesi;
    for (int m = 1; m <= 12; ++m)
        if (DaFatturare(condizioni, m, forza))
            mesi << m;
    return mesi;
}

} // namespace

TEST(Periodicita, EachPeriodicityIsDueInItsMonths)
{
    const QList<int> tutti = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(mesiDovuti("Mensile"), tutti);
    EXPECT_EQ(mesiDovuti("Bimestrale"), (QList<int>{2, 4, 6, 8, 10, 12}));
    EXPECT_EQ(mesiDovuti("Trimestrale"), (QList<int>{3, 6, 9, 12}));
    EXPECT_EQ(mesiDovuti("Quadrimestrale"), (QList<int>{4, 8, 12}));
    EXPECT_EQ(mesiDovuti("Semestrale"), (QList<int>{6, 12}));
    EXPECT_EQ(mesiDovuti("5 mesi"), (QList<int>{5, 10}));
    EXPECT_EQ(mesiDovuti("Annuale"), tutti);
    // Any other text, letter case included, only when forced.
    EXPECT_TRUE(mesiDovuti("mensile").isEmpty());
    EXPECT_TRUE(mesiDovuti("").isEmpty());
    EXPECT_EQ(mesiDovuti("", true), tutti);
    EXPECT_EQ(mesiDovuti("Semestrale", true), tutti);
}

TEST(Periodicita, MonthsPerInvoiceAreTheLineMultiplier)
{
    QList<int> mesi;
    for (const QString& c : PeriodicitaFatturazione())
        mesi << MesiPerFattura(c);
    EXPECT_EQ(mesi, (QList<int>{1, 2, 3, 4, 6, 12, 5}));
    EXPECT_EQ(MesiPerFattura("Quindicinale"), 1);
    EXPECT_FALSE(PeriodicitaNota("Trimestrale "));
}

TEST(Periodicita, PeriodStartsMonthsBackAcrossTheYear)
{
    EXPECT_EQ(Periodo(7, "Mensile", "2023"), "07/2023");
    EXPECT_EQ(Periodo(6, "Trimestrale", "2024"), "04/2024");
    EXPECT_EQ(Periodo(10, "5 mesi", "2024"), "06/2024");
    EXPECT_EQ(Periodo(12, "Semestrale", "2024"), "07/2024");
    // An annual invoice covers the twelve months up to the invoiced one.
    EXPECT_EQ(Periodo(6, "Annuale", "2024"), "07/2023");
    EXPECT_EQ(Periodo(12, "Annuale", "2024"), "01/2024");
    // Forced out of its months, the period reaches back into the year before.
    EXPECT_EQ(Periodo(2, "Trimestrale", "2024"), "12/2023");
    EXPECT_EQ(Periodo(2, "", "2024"), "12/2023");
    EXPECT_EQ(Periodo(1, "Bimestrale", "2024"), "12/2023");
}

TEST(Periodicita, MonthNamesAndTheirDays)
{
    EXPECT_EQ(NumeroMese("Gennaio"), 1);
    EXPECT_EQ(NumeroMese("Dicembre"), 12);
    EXPECT_EQ(NumeroMese("dicembre"), 0);
    EXPECT_EQ(NomeMese(9), "Settembre");
    EXPECT_EQ(GiorniMese("Aprile", 2024), 30);
    EXPECT_EQ(GiorniMese("Agosto", 2024), 31);
    EXPECT_EQ(GiorniMese("Febbraio", 2024), 29);
    EXPECT_EQ(GiorniMese("Febbraio", 2025), 28);
    EXPECT_EQ(GiorniMese("Tredicembre", 2024), 30);
}
