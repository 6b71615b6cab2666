#pragma once
#include "FieldLink.h"
#include <QCheckBox>

// A check box bound to one field of the current record, written as soon as it is clicked
// (clicking starts editing only when the data source's autoEdit allows it). The field holds a
// boolean, or the texts given by setValues, read and written through the field's text (and so
// through its text hooks). With three states the grey one is the empty value.
class DbCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    DbCheckBox(const QString& caption, DataSource* source, const QString& fieldName, Prompts& prompts,
               QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    // Texts of the checked and unchecked states ("True", "False"); empty for boolean values.
    void setValues(const QString& checked, const QString& unchecked);
    // Three states: an empty field shows grey, and grey empties the field.
    void setTristate(bool on = true);
    void showField();

protected:
    void nextCheckState() override;

private:
    FieldLink* fieldLink;
    QString checkedText, uncheckedText;
};
