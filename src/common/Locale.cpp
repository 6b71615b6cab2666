#include "Locale.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

void impostaFormatiItaliani()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

QString plainDecimal(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, 20);
    if (!std::isfinite(v))
        v = 0;
    const double a = std::fabs(v);

    // Exact decimal digits of |v| to 15 significant digits, which removes the noise of binary
    // arithmetic; beyond 1e15 at the rounding scale every digit counts, so keep 17.
    const int sig = a * std::pow(10.0, decimals) < 1e15 ? 15 : 17;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", sig - 1, a);
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // |v| * 10^decimals = mantissa * 10^shift; round it to a whole number, halves up.
    const int shift = exponent - (sig - 1) + decimals;
    std::string whole;
    if (shift >= 0) {
        whole = mantissa + std::string(shift, '0');
    } else {
        const int drop = -shift;
        if (drop > sig) {
            whole = "0";
        } else {
            const int kept = sig - drop;
            whole = kept > 0 ? mantissa.substr(0, kept) : std::string(1, '0');
            const bool up = mantissa[kept] >= '5';
            if (up) {
                int i = int(whole.size()) - 1;
                for (; i >= 0 && whole[i] == '9'; --i)
                    whole[i] = '0';
                if (i >= 0)
                    ++whole[i];
                else
                    whole = '1' + whole;
            }
        }
    }
    const auto firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    const bool negative = v < 0 && whole != "0";

    QString text = QString::fromLatin1(whole);
    if (text.size() < decimals + 1)
        text.prepend(QString(decimals + 1 - text.size(), '0'));
    if (decimals > 0)
        text.insert(text.size() - decimals, '.');
    return negative ? '-' + text : text;
}

QString formatNumber(double v, int decimals, bool thousands)
{
    QString text = plainDecimal(v, decimals);
    const bool negative = text.startsWith('-');
    if (negative)
        text.remove(0, 1);
    const qsizetype point = text.indexOf('.');
    QString integer = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (thousands)
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, '.');
    QString result = negative ? QStringLiteral("-") : QString();
    result += integer;
    if (!fraction.isEmpty())
        result += ',' + fraction;
    return result;
}

namespace {

bool allDigits(QStringView s)
{
    for (QChar c : s)
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    return true;
}

// "1.234.567" -> "1234567"; false when the points do not group by three.
bool ungroup(QStringView s, QString& out)
{
    const auto groups = s.split('.');
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const auto& g = groups[i];
        if (!allDigits(g) || g.isEmpty() || (i > 0 && g.size() != 3) || (i == 0 && g.size() > 3))
            return false;
        out += g;
    }
    return true;
}

} // namespace

std::optional<double> parseNumber(const QString& text)
{
    QStringView s = QStringView(text).trimmed();
    QString sign;
    if (s.startsWith('-') || s.startsWith('+')) {
        if (s.front() == '-')
            sign = QStringLiteral("-");
        s = s.mid(1);
    }

    QString integer, fraction;
    const qsizetype comma = s.indexOf(',');
    if (comma >= 0) {
        const QStringView left = s.left(comma), right = s.mid(comma + 1);
        if (!allDigits(right))
            return std::nullopt;
        if (left.contains('.')) {
            if (!ungroup(left, integer))
                return std::nullopt;
        } else if (allDigits(left)) {
            integer = left.toString();
        } else {
            return std::nullopt;
        }
        fraction = right.toString();
    } else if (s.count('.') > 1) {
        if (!ungroup(s, integer))
            return std::nullopt;
    } else {
        const qsizetype point = s.indexOf('.');
        const QStringView left = point < 0 ? s : s.left(point);
        const QStringView right = point < 0 ? QStringView() : s.mid(point + 1);
        if (!allDigits(left) || !allDigits(right))
            return std::nullopt;
        integer = left.toString();
        fraction = right.toString();
    }
    if (integer.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    bool ok = false;
    const double value = (sign + (integer.isEmpty() ? QStringLiteral("0") : integer) + '.'
                          + (fraction.isEmpty() ? QStringLiteral("0") : fraction)).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
