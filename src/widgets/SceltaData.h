#pragma once
#include <QDateEdit>

// A date picked by the user, not bound to a field (the reference date of the weekly sheets, the
// periods of the statistics, the history and the inventory): typed day/month/year or chosen
// from the calendar that drops down.
class SceltaData : public QDateEdit
{
    Q_OBJECT
public:
    explicit SceltaData(QWidget* parent = nullptr);
};
