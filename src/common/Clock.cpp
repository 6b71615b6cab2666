#include "Clock.h"

namespace {
QDate fixedToday;
}

QDate oggi()
{
    return fixedToday.isValid() ? fixedToday : QDate::currentDate();
}

void fissaOggi(const QDate& d)
{
    fixedToday = d;
}
