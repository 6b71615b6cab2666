#pragma once
#include "FieldLink.h"
#include <QGroupBox>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

// A framed group of radio buttons bound to one field of the current record. The field holds
// the chosen item's text, or the item's value when values are given (storeIndex() makes them
// "0", "1", ...); a field holding none of them leaves every button unchecked. Clicking starts
// editing only when the data source's autoEdit allows it.
class DbRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    DbRadioGroup(const QString& title, DataSource* source, const QString& fieldName, Prompts& prompts,
                 QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    // The items, laid out column by column in the given number of columns.
    void setItems(const QStringList& items, int columns = 1);
    // The value written for each item, in the order of the items.
    void setValues(const QStringList& values);
    // The item's position is written ("0" for the first).
    void storeIndex();

    // Position of the checked item, -1 when none is.
    int itemIndex() const;
    QRadioButton* button(int index) const;
    void showField();

private:
    void choose(int index);
    QString valueOf(int index) const;

    FieldLink* fieldLink;
    QButtonGroup* group;
    QGridLayout* grid;
    QStringList items, values;
};
