#include "Errors.h"
#include "Money.h"

#include <gtest/gtest.h>

namespace {

qint64 units(double amount) { return Money::fromDouble(amount).units(); }
double arrotonda(int digits, double amount) { return Arrotonda(digits, amount).toDouble(); }

} // namespace

TEST(Money, FromDoubleIsNearestWithHalvesAwayFromZero)
{
    EXPECT_EQ(units(12.345), 123450);
    EXPECT_EQ(units(0.1 + 0.2), 3000);          // 0.30000000000000004
    EXPECT_EQ(units(1.23455), 12346);
    EXPECT_EQ(units(-1.23455), -12346);
    EXPECT_EQ(units(1.00004), 10000);
    EXPECT_EQ(units(4.35 * 0.001), 44);         // 0.0043499999999999997
    EXPECT_EQ(units(1.15 * 0.001), 12);         // 0.0011499999999999999
    EXPECT_EQ(units(-0.00004), 0);
    EXPECT_EQ(units(123456789.1234), 1234567891234);
}

TEST(Money, ProductsAndQuotientsComeBackToFourDecimals)
{
    EXPECT_EQ((Money::fromDouble(12.345) * 22 / 100).units(), 27159);
    EXPECT_EQ((Money::fromUnits(5) * 0.5).units(), 3);
    EXPECT_EQ((Money::fromUnits(-5) * 0.5).units(), -3);
    EXPECT_EQ((Money::fromDouble(10) / 3).units(), 33333);
    EXPECT_EQ((Money::fromDouble(2) / 3).units(), 6667);
    EXPECT_EQ((Money::fromDouble(1.1) * 3).units(), 33000);
    EXPECT_THROW(Money::fromInt(1) / 0, LavError);
}

TEST(Money, TextHasDecimalCommaAndNoGrouping)
{
    const Money m = Money::fromDouble(1234.56);
    EXPECT_EQ(m.toString(), "1234,56");
    EXPECT_EQ(m.toString(4), "1234,5600");
    EXPECT_EQ(m.toString(6), "1234,560000");
    EXPECT_EQ(m.toString(0), "1235");
    EXPECT_EQ(Money::fromDouble(0.125).toString(), "0,13");
    EXPECT_EQ(Money::fromDouble(-0.125).toString(), "-0,13");
    EXPECT_EQ(Money::fromDouble(-0.004).toString(), "0,00");
    EXPECT_EQ(Money::fromDouble(-0.5).toString(3), "-0,500");
    EXPECT_EQ(Money().toString(), "0,00");
}

TEST(Arrotonda, HalvesGoUpAndNegativeFractionsGoDown)
{
    EXPECT_DOUBLE_EQ(arrotonda(2, 12.345), 12.35);
    EXPECT_DOUBLE_EQ(arrotonda(2, 12.344), 12.34);
    EXPECT_DOUBLE_EQ(arrotonda(2, 12.3449), 12.34);
    EXPECT_DOUBLE_EQ(arrotonda(3, 1.2346), 1.235);
    EXPECT_DOUBLE_EQ(arrotonda(0, 2.5), 3);
    EXPECT_DOUBLE_EQ(arrotonda(0, 2.4999), 2);
    // The signed fractional part of a negative amount is never 0.5 or more.
    EXPECT_DOUBLE_EQ(arrotonda(2, -12.345), -12.35);
    EXPECT_DOUBLE_EQ(arrotonda(2, -12.341), -12.35);
    EXPECT_DOUBLE_EQ(arrotonda(2, -12.34), -12.34);
    EXPECT_DOUBLE_EQ(arrotonda(0, -0.1), -1);
    EXPECT_DOUBLE_EQ(arrotonda(4, 1.2345), 1.2345);
}

TEST(Arrotonda, ArgumentIsFirstBroughtToFourDecimals)
{
    // 12.34495 becomes 12.3450 first, which then rounds up.
    EXPECT_DOUBLE_EQ(arrotonda(2, 12.34495), 12.35);
    EXPECT_DOUBLE_EQ(arrotonda(2, 12.34494), 12.34);
    // A VAT amount as the calculated fields compute it.
    const Money imponibile = Money::fromDouble(56.12);
    EXPECT_EQ(Arrotonda(2, imponibile * 22 / 100), Money::fromDouble(12.35));
    EXPECT_EQ(Arrotonda(2, Money::fromDouble(100.0 * 22 / 100)), Money::fromInt(22));
}
