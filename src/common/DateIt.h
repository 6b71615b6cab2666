#pragma once
#include <QDate>
#include <QString>

// Dates as the program shows and types them (day/month/year) and as it stores them.

// "05/03/2019"; empty text for an invalid or null date.
QString formatDate(const QDate& d);
// Reads "5/3/2019", "05/03/2019", "05/03/19" (two-digit years up to 49 are 20xx, the others
// 19xx), blanks around the parts allowed; an invalid QDate when the text is not a real date.
QDate parseDate(const QString& text);
// True for empty text and for the blank edit mask "  /  /    " (only blanks and slashes).
bool isBlankDate(const QString& text);

// "2019-03-05", the form the store keeps; empty for an invalid date.
QString isoDate(const QDate& d);
QDate fromIso(const QString& text);

// "03/05/2019": month first, as the SQL text built by the program writes dates.
QString sqlDate(const QDate& d);
