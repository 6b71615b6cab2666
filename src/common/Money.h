#pragma once
#include <QString>
#include <QtGlobal>
#include <compare>

// A currency amount: a fixed-point number with four decimals, held as a count of
// ten-thousandths so that sums and comparisons are exact.
class Money
{
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 tenThousandths) { Money m; m.v = tenThousandths; return m; }
    // The nearest amount with four decimals (halves away from zero).
    static Money fromDouble(double amount);
    static constexpr Money fromInt(qint64 whole) { return fromUnits(whole * 10000); }

    constexpr qint64 units() const { return v; }
    double toDouble() const { return double(v) / 10000.0; }
    constexpr bool isZero() const { return v == 0; }

    constexpr Money operator+(Money o) const { return fromUnits(v + o.v); }
    constexpr Money operator-(Money o) const { return fromUnits(v - o.v); }
    constexpr Money operator-() const { return fromUnits(-v); }
    Money& operator+=(Money o) { v += o.v; return *this; }
    Money& operator-=(Money o) { v -= o.v; return *this; }
    // Products and quotients are brought back to four decimals, nearest.
    Money operator*(double f) const;
    Money operator/(double d) const;

    constexpr auto operator<=>(const Money&) const = default;

    // "1234,5600" style text with a decimal comma and no thousands separator.
    QString toString(int decimals = 2) const;

private:
    qint64 v = 0;
};

// Rounds to the given number of decimals: up to the next whole number of the scaled amount
// when its fractional part (with the sign) is 0.5 or more, down otherwise, so negative
// amounts always go down. Arrotonda(2, 12.345) = 12.35, Arrotonda(2, -12.345) = -12.35.
Money Arrotonda(int digits, Money amount);
Money Arrotonda(int digits, double amount);
