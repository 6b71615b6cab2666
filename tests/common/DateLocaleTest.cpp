#include "DateIt.h"
#include "Locale.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(DateIt, ShowsAndReadsDayMonthYear)
{
    EXPECT_EQ(formatDate(QDate(2019, 3, 5)), "05/03/2019");
    EXPECT_EQ(formatDate(QDate()), "");
    EXPECT_EQ(parseDate("05/03/2019"), QDate(2019, 3, 5));
    EXPECT_EQ(parseDate("5/3/2019"), QDate(2019, 3, 5));
    EXPECT_EQ(parseDate(" 5/ 3/2019 "), QDate(2019, 3, 5));
    EXPECT_EQ(parseDate("29/02/2020"), QDate(2020, 2, 29));
    EXPECT_EQ(parseDate("31/12/49"), QDate(2049, 12, 31));
    EXPECT_EQ(parseDate("01/01/50"), QDate(1950, 1, 1));
    EXPECT_EQ(parseDate("1/1/00"), QDate(2000, 1, 1));
}

TEST(DateIt, TextThatIsNoDateGivesAnInvalidDate)
{
    for (const char* text : {"", "  /  /    ", "29/02/2019", "31/04/2019", "00/01/2019",
                             "1/13/2019", "abc", "1/2", "1/2/3/4", "1/2/019", "12/03/20199",
                             "1a/03/2019", "2019-03-05", "-1/03/2019"})
        EXPECT_FALSE(parseDate(text).isValid()) << text;
}

TEST(DateIt, BlankMaskMeansNoDate)
{
    EXPECT_TRUE(isBlankDate(""));
    EXPECT_TRUE(isBlankDate("  /  /    "));
    EXPECT_TRUE(isBlankDate("//"));
    EXPECT_FALSE(isBlankDate(" 1/  /    "));
    EXPECT_FALSE(isBlankDate("01/01/2019"));
}

TEST(DateIt, StoredAndSqlForms)
{
    const QDate d(2019, 3, 5);
    EXPECT_EQ(isoDate(d), "2019-03-05");
    EXPECT_EQ(isoDate(QDate()), "");
    EXPECT_EQ(fromIso("2019-03-05"), d);
    EXPECT_EQ(fromIso("2019-03-05 00:00:00"), d);
    EXPECT_FALSE(fromIso("05/03/2019").isValid());
    EXPECT_FALSE(fromIso("").isValid());
    EXPECT_EQ(sqlDate(d), "03/05/2019");
}

TEST(Locale, ItalianFormatsWhateverTheMachine)
{
    QLocale::setDefault(QLocale::c());
    impostaFormatiItaliani();
    EXPECT_EQ(QLocale().decimalPoint(), ",");
    EXPECT_EQ(QLocale().groupSeparator(), ".");
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 2), "1.234,50");
}

TEST(Locale, NumbersRoundHalvesAwayFromZero)
{
    EXPECT_EQ(formatNumber(1234.567, 2, true), "1.234,57");
    EXPECT_EQ(formatNumber(1234567.891, 2, true), "1.234.567,89");
    EXPECT_EQ(formatNumber(1234567.891, 2, false), "1234567,89");
    EXPECT_EQ(formatNumber(-1234.5, 2, true), "-1.234,50");
    EXPECT_EQ(formatNumber(999.995, 2, true), "1.000,00");
    EXPECT_EQ(formatNumber(1.005, 2, false), "1,01");
    EXPECT_EQ(formatNumber(2.675, 2, false), "2,68");
    EXPECT_EQ(formatNumber(0.1 + 0.2, 2, false), "0,30");
    EXPECT_EQ(formatNumber(-0.004, 2, false), "0,00");
    EXPECT_EQ(formatNumber(123.5, 0, true), "124");
    EXPECT_EQ(formatNumber(0.000123, 4, false), "0,0001");
    EXPECT_EQ(formatNumber(1e20, 0, false), "100000000000000000000");
    EXPECT_EQ(plainDecimal(-2.675, 2), "-2.68");
}

TEST(Locale, ReadsItalianAndPlainNumbers)
{
    EXPECT_EQ(parseNumber("1.234,56"), 1234.56);
    EXPECT_EQ(parseNumber("1234,56"), 1234.56);
    EXPECT_EQ(parseNumber("1234.56"), 1234.56);
    EXPECT_EQ(parseNumber(" -1.234.567 "), -1234567.0);
    EXPECT_EQ(parseNumber("+0,5"), 0.5);
    EXPECT_EQ(parseNumber(",5"), 0.5);
    EXPECT_EQ(parseNumber("12,"), 12.0);
    EXPECT_EQ(parseNumber("0"), 0.0);
    for (const char* text : {"", " ", "-", ",", "abc", "12a", "1,2,3", "1.23,4", "1234.567,8",
                             "1,234.56", "1..2", "1 234"})
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
}
