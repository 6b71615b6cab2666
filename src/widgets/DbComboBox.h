#pragma once
#include "FieldLink.h"
#include <QComboBox>

// A drop-down list of fixed items bound to one field of the current record; choosing an item
// writes its text (choosing starts editing only when the data source's autoEdit allows it).
// A field whose text is not among the items shows no item.
class DbComboBox : public QComboBox
{
    Q_OBJECT
public:
    DbComboBox(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    void setItems(const QStringList& items);
    void showField();

private:
    void choose(int index);

    FieldLink* fieldLink;
};
