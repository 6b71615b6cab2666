#include "DateIt.h"

QString formatDate(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

namespace {

// A part made only of ASCII digits, at most `maxLen` of them; -1 otherwise.
int number(QStringView part, int maxLen)
{
    part = part.trimmed();
    if (part.isEmpty() || part.size() > maxLen)
        return -1;
    int n = 0;
    for (QChar c : part) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

} // namespace

QDate parseDate(const QString& text)
{
    const auto parts = QStringView(text).split('/');
    if (parts.size() != 3)
        return {};
    const int day = number(parts[0], 2);
    const int month = number(parts[1], 2);
    const QStringView yearText = parts[2].trimmed();
    int year = number(yearText, 4);
    if (day < 0 || month < 0 || year < 0 || (yearText.size() != 2 && yearText.size() != 4))
        return {};
    if (yearText.size() == 2)
        year += year <= 49 ? 2000 : 1900;
    return QDate(year, month, day);   // invalid when the day or month does not exist
}

bool isBlankDate(const QString& text)
{
    for (QChar c : text)
        if (c != ' ' && c != '/')
            return false;
    return true;
}

QString isoDate(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QDate fromIso(const QString& text)
{
    // A time part ("2019-03-05 00:00:00", "2019-03-05T00:00:00") is ignored.
    QString t = text.trimmed();
    if (t.size() > 10 && (t[10] == ' ' || t[10] == 'T'))
        t.truncate(10);
    return QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
}

QString sqlDate(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}
