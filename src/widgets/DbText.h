#pragma once
#include "FieldLink.h"
#include <QLabel>
#include <functional>

// A label showing one field of the current record (read-only); amounts in the currency format, at
// the right.
class DbText : public QLabel
{
    Q_OBJECT
public:
    DbText(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);

    // The text shown for the field; the field's own text when not set.
    std::function<QString(const Field&)> displayFormat;
    // The text shown through a display mask ("#,.00;;#").
    void setDisplayMask(const QString& mask);
    void showField();

private:
    FieldLink* fieldLink;
};
