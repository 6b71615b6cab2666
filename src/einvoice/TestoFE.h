#pragma once
#include "Money.h"
#include <QDate>
#include <QString>

// The text forms of the values of an electronic invoice.
namespace TestoFE {

// "2024-03-05"; "--" for an empty date, as the day/month/year text rearranged by position.
QString Data(const QDate& d);
// A day/month/year text rearranged by character position into year-month-day: characters 7
// to 10, 4 and 5, 1 and 2, joined by hyphens ("05/03/2024" gives "2024-03-05").
QString DataDaTesto(const QString& ggmmaaaa);

// A counter with at least five digits: 7 gives "00007".
QString Progressivo(qint64 n);

// An amount with a fixed number of decimals, a decimal point and no grouping, rounded with
// halves away from zero: from the exact decimal value of a currency amount, or from a float
// first expanded to 18 significant digits (so the double nearest to 2.675 gives "2.67").
QString Importo(Money m, int decimali);
QString Importo(double v, int decimali);

// The fewest decimals, from `minimo` up to four, that write the amount without loss.
int DecimaliNecessari(Money m, int minimo);

// A quantity: the whole number followed by ".00". With a fraction, as many decimals as it
// needs from two up to eight.
QString Quantita(double q);

// A whole number read from a float field: nearest, halves to even.
qint64 Intero(double v);

// Text fit for the Latin-1 elements of the schema: typographic quotes, dashes, ellipsis and
// the like become their plain forms, control characters other than tab and line ends go.
QString Latino(const QString& s);

// Postcode, town and province of a town text "00184 Roma (RM)": the postcode is the first five
// characters; the town runs from the sixth character to the first "(" (or for at most 24
// characters without one); the province is the two characters after the "(", "CS" without.
struct Localita
{
    QString cap, comune, provincia;
};
Localita DividiComune(const QString& testo);

// The tender code of a footer text: whatever follows the first ":" after the first "CIG",
// trimmed. `trovato` tells whether "CIG" and a ":" after it are there at all.
QString CercaCIG(const QString& rigo3, bool* trovato = nullptr);

} // namespace TestoFE
