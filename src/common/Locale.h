#pragma once
#include <QString>
#include <optional>

// Makes the program's default locale Italian (decimal comma, thousands point) whatever the
// regional settings of the machine. Dates are written by the functions of DateIt.h.
void impostaFormatiItaliani();

// Italian number text: "1.234,57" with thousands, "1234,57" without. Rounded to the given
// decimals, halves away from zero, after dropping binary noise beyond 15 significant digits
// (so 1.005 gives "1,01" and 0.1 + 0.2 gives "0,30").
QString formatNumber(double v, int decimals, bool thousands);

// Reads a number typed by the user: "1.234,56", "1234,56", "1234.56", "-3", "+0,5".
// With a comma the comma is the decimal separator and points group thousands; without one a
// single point is the decimal separator and several points group thousands ("1.234.567").
// Surrounding blanks are ignored; anything else gives no value.
std::optional<double> parseNumber(const QString& text);

// The same rounding as formatNumber, as plain text with a decimal point and no grouping:
// plainDecimal(2.675, 2) = "2.68", plainDecimal(-0.004, 2) = "0.00".
QString plainDecimal(double v, int decimals);
