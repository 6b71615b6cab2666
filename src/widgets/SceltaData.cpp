#include "SceltaData.h"
#include "Modulo.h"

SceltaData::SceltaData(QWidget* parent) : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    setCalendarPopup(true);
    setDateRange(QDate(1900, 1, 1), QDate(2100, 12, 31));
    setFixedWidth(larghezzaCaratteri(this, 10) + 24);
}
