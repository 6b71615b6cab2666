#include "DisplayMask.h"

#include "DateIt.h"
#include "Locale.h"

#include <QDateTime>
#include <cmath>
#include <vector>

namespace {

struct Token
{
    enum Kind { Literal, Required, Optional, Point, Comma };
    Kind kind;
    QString text;     // literals only
};

// One section of a mask, read into its tokens and the counts the formatting needs.
struct Section
{
    std::vector<Token> tokens;
    bool empty = true;          // nothing at all between the semicolons
    int intPositions = 0;       // digit positions before the decimal point
    int minIntDigits = 0;       // from the first '0' before the point to the point
    int decPositions = 0;       // digit positions after the point
    int minDecDigits = 0;       // up to the last '0' after the point
    bool grouping = false;
    bool contiguous = true;     // integer positions with nothing but ',' between them
};

Section readSection(QStringView text)
{
    Section s;
    s.empty = text.isEmpty();
    bool afterPoint = false;
    int firstRequired = -1;
    int lastIntToken = -1, firstIntToken = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == '\'' || c == '"') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            s.tokens.push_back({Token::Literal, text.mid(i + 1, stop - i - 1).toString()});
            i = stop;
        } else if (c == '0' || c == '#') {
            const Token::Kind kind = c == '0' ? Token::Required : Token::Optional;
            if (afterPoint) {
                ++s.decPositions;
                if (kind == Token::Required)
                    s.minDecDigits = s.decPositions;
            } else {
                if (kind == Token::Required && firstRequired < 0)
                    firstRequired = s.intPositions;
                ++s.intPositions;
                if (firstIntToken < 0)
                    firstIntToken = int(s.tokens.size());
                lastIntToken = int(s.tokens.size());
            }
            s.tokens.push_back({kind, {}});
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
            s.tokens.push_back({Token::Point, {}});
        } else if (c == ',') {
            if (!afterPoint)
                s.grouping = true;
            s.tokens.push_back({Token::Comma, {}});
        } else {
            s.tokens.push_back({Token::Literal, QString(c)});
        }
    }
    if (firstRequired >= 0)
        s.minIntDigits = s.intPositions - firstRequired;
    for (int i = firstIntToken; i >= 0 && i <= lastIntToken; ++i)
        if (s.tokens[i].kind == Token::Literal)
            s.contiguous = false;
    return s;
}

// The sections of a mask, split at the semicolons that are not quoted.
std::vector<QStringView> splitSections(QStringView mask)
{
    std::vector<QStringView> parts;
    qsizetype start = 0;
    QChar quote;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            parts.push_back(mask.mid(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(mask.mid(start));
    return parts;
}

QString grouped(const QString& digits)
{
    QString out = digits;
    for (qsizetype i = out.size() - 3; i > 0; i -= 3)
        out.insert(i, '.');
    return out;
}

// |value| rounded to the section's decimals as plain "1234.50" text.
QString rounded(const Section& s, double value)
{
    return plainDecimal(std::fabs(value), s.decPositions);
}

bool isZero(const QString& plain)
{
    for (QChar c : plain)
        if (c != '0' && c != '.')
            return false;
    return true;
}

QString apply(const Section& s, const QString& plain, bool minus)
{
    const qsizetype point = plain.indexOf('.');
    QString integer = point < 0 ? plain : plain.left(point);
    QString fraction = point < 0 ? QString() : plain.mid(point + 1);
    if (integer == QLatin1String("0"))
        integer.clear();
    if (integer.size() < s.minIntDigits)
        integer.prepend(QString(s.minIntDigits - integer.size(), '0'));
    while (fraction.size() > s.minDecDigits && fraction.endsWith('0'))
        fraction.chop(1);

    QString out;
    if (minus)
        out += '-';
    bool afterPoint = false;
    int intIndex = 0, decIndex = 0;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Comma:
            break;
        case Token::Point:
            afterPoint = true;
            if (!fraction.isEmpty())
                out += ',';
            break;
        case Token::Required:
        case Token::Optional:
            if (afterPoint) {
                if (decIndex < fraction.size())
                    out += fraction[decIndex];
                ++decIndex;
            } else if (s.contiguous) {
                if (intIndex++ == 0)
                    out += s.grouping ? grouped(integer) : integer;
            } else {
                // Digits fill the positions from the right; the first takes any excess.
                const int fromRight = s.intPositions - 1 - intIndex;
                const qsizetype len = integer.size();
                if (intIndex == 0)
                    out += integer.left(std::max<qsizetype>(0, len - (s.intPositions - 1)));
                else if (len - 1 - fromRight >= 0)
                    out += integer[len - 1 - fromRight];
                ++intIndex;
            }
            break;
        }
    }
    return out;
}

// Plain text of a number without mask: up to 15 significant digits, decimal comma.
QString plainNumber(double v)
{
    QString s = QString::number(v, 'g', 15);
    s.replace('.', ',');
    return s;
}

// A date mask in Qt's terms: d, m (month, or minutes after h), y, h, n (minutes), s.
QString qtDateFormat(const QString& mask)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < mask.size();) {
        const QChar c = mask[i].toLower();
        qsizetype n = 1;
        while (i + n < mask.size() && mask[i + n].toLower() == c)
            ++n;
        const QChar original = mask[i];
        i += n;
        switch (c.unicode()) {
        case 'd': out += QString(std::min<qsizetype>(n, 4), 'd'); break;
        case 'm': out += QString(std::min<qsizetype>(n, 2), afterHour ? 'm' : 'M'); afterHour = false; break;
        case 'n': out += QString(std::min<qsizetype>(n, 2), 'm'); break;
        case 'y': out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case 'h': out += QString(std::min<qsizetype>(n, 2), 'h'); afterHour = true; break;
        case 's': out += QString(std::min<qsizetype>(n, 2), 's'); break;
        default:
            out += '\'' + QString(n, original) + '\'';
            break;
        }
    }
    return out;
}

} // namespace

QString formatMask(const QString& mask, double value)
{
    if (std::isnan(value))
        return {};
    if (mask.isEmpty())
        return plainNumber(value);
    const auto texts = splitSections(mask);
    const Section positive = readSection(texts[0]);
    const bool negative = value < 0;

    Section chosen;
    bool minus = false;
    if (negative && texts.size() > 1 && !texts[1].isEmpty()) {
        chosen = readSection(texts[1]);
    } else {
        chosen = positive;
        minus = negative;
    }
    QString plain = rounded(chosen, value);
    if (isZero(plain)) {
        if (texts.size() > 2) {
            if (texts[2].isEmpty())
                return {};
            chosen = readSection(texts[2]);
        } else {
            chosen = positive;
        }
        minus = false;
        plain = rounded(chosen, 0);
    }
    return apply(chosen, plain, minus);
}

QString formatMask(const QString& mask, Money value)
{
    return formatMask(mask, value.toDouble());
}

QString formatMask(const QString& mask, const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QDate:
        return mask.isEmpty() ? formatDate(value.toDate()) : value.toDate().toString(qtDateFormat(mask));
    case QMetaType::QDateTime:
        return mask.isEmpty() ? formatDate(value.toDate())
                              : value.toDateTime().toString(qtDateFormat(mask));
    case QMetaType::Bool:
        return formatMask(mask, value.toBool() ? 1.0 : 0.0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (mask.isEmpty())
            return QString::number(value.toLongLong());
        return formatMask(mask, value.toDouble());
    default:
        break;
    }
    bool ok = false;
    const double d = value.toDouble(&ok);
    return ok ? formatMask(mask, d) : value.toString();
}

QString formatCurrency(double value, int decimals)
{
    const QString text = formatNumber(std::fabs(value), decimals, true);
    const bool negative = value < 0 && !isZero(plainDecimal(std::fabs(value), decimals));
    return (negative ? QStringLiteral("-€ ") : QStringLiteral("€ ")) + text;
}
