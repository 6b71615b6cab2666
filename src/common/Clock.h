#pragma once
#include <QDate>

// Today's date for the program. Tests fix it to check date-dependent behaviour.
QDate oggi();
void fissaOggi(const QDate& d);   // an invalid date goes back to the system clock
