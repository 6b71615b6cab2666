#include "Money.h"

#include "Errors.h"
#include "Locale.h"

#include <cmath>
#include <limits>

namespace {

// Whole number nearest to `units`, halves away from zero, ignoring binary noise; values
// outside the range of Money saturate.
qint64 roundUnits(double units)
{
    constexpr double limit = 9.2e18;
    if (std::isnan(units))
        return 0;
    if (units >= limit)
        return std::numeric_limits<qint64>::max();
    if (units <= -limit)
        return std::numeric_limits<qint64>::min();
    return plainDecimal(units, 0).toLongLong();
}

constexpr qint64 pow10(int n)
{
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

} // namespace

Money Money::fromDouble(double amount)
{
    if (std::isnan(amount))
        return {};
    if (std::fabs(amount) >= 9.2e14)
        return fromUnits(roundUnits(amount * 10000.0));
    return fromUnits(plainDecimal(amount, 4).remove('.').toLongLong());
}

Money Money::operator*(double f) const
{
    return fromUnits(roundUnits(double(v) * f));
}

Money Money::operator/(double d) const
{
    if (d == 0)
        throw LavError(QStringLiteral("Divisione per zero"));
    return fromUnits(roundUnits(double(v) / d));
}

QString Money::toString(int decimals) const
{
    decimals = std::max(decimals, 0);
    qint64 shown = v;
    if (decimals < 4) {
        const qint64 q = pow10(4 - decimals);
        const qint64 rest = shown % q;
        shown /= q;
        if (2 * (rest < 0 ? -rest : rest) >= q)
            shown += v < 0 ? -1 : 1;
    }
    const bool negative = shown < 0;
    // Unsigned magnitude so that the most negative value prints too.
    const quint64 magnitude = negative ? quint64(0) - quint64(shown) : quint64(shown);
    QString digits = QString::number(magnitude);
    if (decimals > 4)
        digits += QString(decimals - 4, '0');
    if (digits.size() < decimals + 1)
        digits.prepend(QString(decimals + 1 - digits.size(), '0'));
    if (decimals > 0)
        digits.insert(digits.size() - decimals, ',');
    return negative ? '-' + digits : digits;
}

Money Arrotonda(int digits, Money amount)
{
    // amount * 10^digits is exact on the ten-thousandths: it is units / 10^(4 - digits).
    if (digits >= 4)
        return amount;
    const qint64 q = pow10(std::min(4 - digits, 18));
    const qint64 units = amount.units();
    qint64 whole = units / q;
    const qint64 rest = units % q;
    if (units >= 0) {
        if (2 * rest >= q)
            ++whole;
    } else if (rest != 0) {
        // The signed fractional part is below zero, never 0.5 or more: always down.
        --whole;
    }
    return Money::fromUnits(whole * q);
}

Money Arrotonda(int digits, double amount)
{
    return Arrotonda(digits, Money::fromDouble(amount));
}
