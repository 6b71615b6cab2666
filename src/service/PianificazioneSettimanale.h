#pragma once
#include "TableDef.h"
#include <QDate>
#include <QString>

class Database;

// The two layouts of the weekly service sheet: the current one carries the customer's sheet
// reference on each stop, the old one lists the articles placed there instead.
enum class LayoutScheda { Corrente, Vecchia };

// The weekly planning of a route: one row of SSS.DB per week, day and stop (a customer's group
// of sites), from the sites of the route and their intervention days.
namespace PianificazioneSettimanale {

// SSS.DB as each layout creates it; the old one has no Scheda field.
TableDef definizione(LayoutScheda layout);

// Replaces SSS.DB with a table of the layout's definition holding the plan of route `iter`:
// for each site of the route in code order, for each of its intervention rows, each day that
// is checked or grey (empty) gives a row, unless the same week, day, customer and group already
// has one (so a stop's row carries the first of its sites met). Sites whose customer no longer
// exists are left out. All of it is one unit: a failure leaves the previous SSS.DB in place.
// Returns the number of rows written.
int Pianifica(Database& db, int iter, LayoutScheda layout);

// The Monday of week `settimana` of a sheet whose reference date is `riferimento`: week 1 starts
// on the first Monday after the reference date (a Monday reference gives the next one).
QDate Lunedi(const QDate& riferimento, int settimana);

// "Lunedì" … "Sabato" for 1 … 6, empty for any other value.
QString NomeGiorno(int giorno);

} // namespace PianificazioneSettimanale
