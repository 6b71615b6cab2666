#pragma once
#include "DateIt.h"
#include "Errors.h"
#include <QDate>

// A period chosen by the user, from `dal` to `al` both included, is refused when it ends before
// it starts: the statistics and the inventory would come out empty without saying why.
inline void ControllaPeriodo(const QDate& dal, const QDate& al)
{
    if (al < dal)
        throw LavError(QStringLiteral("La data finale del periodo (%1) precede quella iniziale (%2).")
                           .arg(formatDate(al), formatDate(dal)));
}

// A dataset filter that lets through the rows whose date `campo` falls in the period, both
// ends included: "Data >= '01/01/2024' and Data <= '31/03/2024'".
inline QString FiltroTraDate(const QString& campo, const QDate& dal, const QDate& al)
{
    return campo + QStringLiteral(" >= '") + formatDate(dal) + QStringLiteral("' and ") + campo + QStringLiteral(" <= '")
           + formatDate(al) + u'\'';
}
