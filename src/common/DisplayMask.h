#pragma once
#include "Money.h"
#include <QString>
#include <QVariant>

// Display masks of numbers, as the reports and grids of the program write them, with the
// Italian separators (decimal comma, thousands point).
//
// A mask has up to three sections separated by ';': positive, negative, zero.
// - A negative value uses the negative section as it is (no sign is added: "#,.00;#,.00"
//   prints -5 as "5,00"); when that section is missing or empty it uses the positive one
//   with '-' in front of everything.
// - A value that is zero once rounded to the section's decimals uses the zero section; a
//   zero section present but empty prints nothing; without one, the positive section.
// - '0' is a required digit, '#' an optional one. Before the decimal point, '#' positions
//   without a digit print nothing, so 0,5 with "#.00" gives ",50" and 0 with "#" gives "".
//   After it, '0' positions always print and '#' positions print only non-zero trailing
//   digits ("#.###": 1,2346 gives "1,235" and 1,2 gives "1,2"); with no decimal digit left
//   the decimal comma is left out too.
// - '.' marks the decimal point; a ',' anywhere before it turns on thousands grouping
//   ("#,.00", "#,", "#,##0.#").
// - Text in '...' or "..." and any other character print as they are.
// Rounding is half away from zero on the decimal value, free of binary noise.
QString formatMask(const QString& mask, double value);
QString formatMask(const QString& mask, Money value);
// Null prints nothing; numbers and booleans (1/0) go through the mask; dates through a date
// mask ("dd/mm/yyyy", "d/m/yy", with "hh:nn:ss" for times) or the short date format when the
// mask is empty; texts print unchanged. An empty mask prints numbers plainly ("1234,5").
QString formatMask(const QString& mask, const QVariant& value);

// The system's currency format: "€ 1.234,50", "-€ 1.234,50".
QString formatCurrency(double value, int decimals = 2);
