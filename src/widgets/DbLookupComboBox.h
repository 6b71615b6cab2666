#pragma once
#include "FieldLink.h"
#include <QComboBox>

// A drop-down list whose items come from another dataset: it shows listField of each of its
// records and writes the chosen record's keyField into the bound field (the payment method of a
// customer: shows `Descrizione`, stores `Codice`). Choosing starts editing only when the data
// source's autoEdit allows it.
class DbLookupComboBox : public QComboBox
{
    Q_OBJECT
public:
    DbLookupComboBox(DataSource* source, const QString& fieldName, DataSource* list, const QString& keyField,
                     const QString& listField, Prompts& prompts, QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    // Rows shown when the list drops down.
    void setDropDownRows(int rows) { setMaxVisibleItems(rows); }
    void showField();
    void showPopup() override;

private:
    void fillItems();
    void choose(int index);

    FieldLink* fieldLink;
    QPointer<DataSource> list;
    QString keyField, listField;
    bool stale = true;
};
