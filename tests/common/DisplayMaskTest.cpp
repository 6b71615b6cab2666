#include "DisplayMask.h"

#include <QDate>
#include <gtest/gtest.h>

TEST(DisplayMask, AmountsPrintNothingForZeroAndKeepTheirLiterals)
{
    EXPECT_EQ(formatMask("'€ '#,.00;;#", 1234.5), "€ 1.234,50");
    EXPECT_EQ(formatMask("'€ '#,.00;;#", 0.0), "");
    EXPECT_EQ(formatMask("'€ '#,.00;;#", 0.004), "");          // zero once rounded
    EXPECT_EQ(formatMask("'€ '#,.00;;#", -1234.5), "-€ 1.234,50"); // empty negative section
    EXPECT_EQ(formatMask("'€ '#,.000;;#", 1234567.8915), "€ 1.234.567,892");
    EXPECT_EQ(formatMask("'€ ' #,.00;;#", 2.2022), "€  2,20");
    EXPECT_EQ(formatMask("€ #,.##", 1234.5), "€ 1.234,5");
    EXPECT_EQ(formatMask("€ #,.##", 1234.0), "€ 1.234");
    EXPECT_EQ(formatMask("#,.000;;#", 1.2346), "1,235");
    EXPECT_EQ(formatMask("#,.00;;#", 0.0), "");
}

TEST(DisplayMask, NegativeSectionDecidesTheSign)
{
    EXPECT_EQ(formatMask("#,.00;#,.00;#", -100.0), "100,00");
    EXPECT_EQ(formatMask("#,.00;#,.00;#", 100.0), "100,00");
    EXPECT_EQ(formatMask("#,.00;#,.00;#", 0.0), "");
    EXPECT_EQ(formatMask("#,.00;-#,.00;#", -1234.567), "-1.234,57");
    EXPECT_EQ(formatMask("#,.00;-#,.00;#", 1234.567), "1.234,57");
    EXPECT_EQ(formatMask("#,.00;-#,.00;#", -0.001), "");
    EXPECT_EQ(formatMask("#,;#,", -1234567.0), "1.234.567");
    EXPECT_EQ(formatMask("#,.00", -5.0), "-5,00");
    EXPECT_EQ(formatMask("#", -3.0), "-3");
}

TEST(DisplayMask, RequiredAndOptionalDigits)
{
    // Prices: two or three required decimals and a required unit digit.
    EXPECT_EQ(formatMask("0,.000", 1.2346), "1,235");
    EXPECT_EQ(formatMask("0,.000", 1234.5), "1.234,500");
    EXPECT_EQ(formatMask("0,.000", 0.0), "0,000");
    EXPECT_EQ(formatMask("0,.00", 1.2346), "1,23");
    EXPECT_EQ(formatMask("0,.00", 0.5), "0,50");
    EXPECT_EQ(formatMask("0,.00", 2.675), "2,68");          // 2.67499999... in binary
    // Optional decimals print only what is not a trailing zero.
    EXPECT_EQ(formatMask("#.###", 1.2346), "1,235");
    EXPECT_EQ(formatMask("#.###", 1.2), "1,2");
    EXPECT_EQ(formatMask("#.###", 3.0), "3");
    EXPECT_EQ(formatMask("#.##", 10.0 / 3), "3,33");
    EXPECT_EQ(formatMask("#.##", 1.999), "2");
    EXPECT_EQ(formatMask("#.##", 0.25), ",25");             // no required unit digit
    EXPECT_EQ(formatMask("#.##", 0.0), "");
    EXPECT_EQ(formatMask("#,##0.#", 1234.56), "1.234,6");
    EXPECT_EQ(formatMask("#,##0.#", 0.0), "0");
    EXPECT_EQ(formatMask("#,##0.#", 12.0), "12");
    EXPECT_EQ(formatMask("000", 7.0), "007");
    // Whole numbers.
    EXPECT_EQ(formatMask("#", 1234.5), "1235");
    EXPECT_EQ(formatMask("#", -0.5), "-1");
    EXPECT_EQ(formatMask("#", 0.0), "");
    EXPECT_EQ(formatMask("#,", 1234567.0), "1.234.567");
    EXPECT_EQ(formatMask("#,", 999.0), "999");
}

TEST(DisplayMask, LiteralsAroundTheDigits)
{
    EXPECT_EQ(formatMask("'n° ' #;;#", 5.0), "n°  5");
    EXPECT_EQ(formatMask("'n° ' #;;#", 0.0), "");
    EXPECT_EQ(formatMask("# \"-\";;#", 123.0), "123 -");
    EXPECT_EQ(formatMask("# \"/\";;#", 5.0), "5 /");
    EXPECT_EQ(formatMask("# \"/\";;#", 0.0), "");
    EXPECT_EQ(formatMask("\"/\" #;;#", 12.0), "/ 12");
    EXPECT_EQ(formatMask("# '%'", 22.0), "22 %");
    EXPECT_EQ(formatMask("# '%'", 0.0), " %");              // one section: the literal stays
    EXPECT_EQ(formatMask("'a;b' #", 1.0), "a;b 1");        // a quoted ';' is no section
    EXPECT_EQ(formatMask("0-00", 123.0), "1-23");
    EXPECT_EQ(formatMask("0-00", 7.0), "0-07");
}

TEST(DisplayMask, EmptyZeroSectionPrintsNothing)
{
    EXPECT_EQ(formatMask("0.00;-0.00;", 0.0), "");
    EXPECT_EQ(formatMask("0.00;-0.00;", 1.0), "1,00");
    EXPECT_EQ(formatMask("0.00;-0.00;\"zero\"", 0.0), "zero");
}

TEST(DisplayMask, VariantsFollowTheirType)
{
    EXPECT_EQ(formatMask("'€ '#,.00;;#", QVariant()), "");
    EXPECT_EQ(formatMask("'€ '#,.00;;#", QVariant(0.0)), "");
    EXPECT_EQ(formatMask("#", QVariant(qlonglong(42))), "42");
    EXPECT_EQ(formatMask("", QVariant(qlonglong(1234))), "1234");
    EXPECT_EQ(formatMask("", QVariant(1234.5)), "1234,5");
    EXPECT_EQ(formatMask("", QVariant(0.1 + 0.2)), "0,3");
    EXPECT_EQ(formatMask("#,.00", QVariant(QStringLiteral("testo"))), "testo");
    EXPECT_EQ(formatMask("", QVariant(QDate(2024, 1, 5))), "05/01/2024");
    EXPECT_EQ(formatMask("dd/mm/yyyy", QVariant(QDate(2024, 1, 5))), "05/01/2024");
    EXPECT_EQ(formatMask("d/m/yy", QVariant(QDate(2024, 1, 5))), "5/1/24");
    EXPECT_EQ(formatMask("'€ '#,.00;;#", Money::fromDouble(10.005)), "€ 10,01");
}

TEST(DisplayMask, CurrencyFormat)
{
    EXPECT_EQ(formatCurrency(1234.5), "€ 1.234,50");
    EXPECT_EQ(formatCurrency(-12.21), "-€ 12,21");
    EXPECT_EQ(formatCurrency(-0.001), "€ 0,00");
    EXPECT_EQ(formatCurrency(1.2346, 3), "€ 1,235");
}
