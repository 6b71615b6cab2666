#pragma once
#include "DbEdit.h"

// A date box bound to a date field, typed day/month/year through the mask "99/99/9999" and
// shown blank as "  /  /    ". Leaving the mask blank empties the field; a text that is not a
// date is refused with the store's message and the field keeps its value.
class DbDateEdit : public DbEdit
{
    Q_OBJECT
public:
    DbDateEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);
};
