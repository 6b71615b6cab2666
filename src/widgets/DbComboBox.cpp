#include "DbComboBox.h"

DbComboBox::DbComboBox(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QComboBox(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    connect(fieldLink, &FieldLink::refresh, this, &DbComboBox::showField);
    connect(this, &QComboBox::activated, this, &DbComboBox::choose);
    showField();
}

void DbComboBox::setItems(const QStringList& items)
{
    clear();
    addItems(items);
    showField();
}

void DbComboBox::showField()
{
    const Field* f = fieldLink->field();
    setCurrentIndex(f && fieldLink->dataset()->active() ? findText(f->text(), Qt::MatchFixedString | Qt::MatchCaseSensitive) : -1);
}

void DbComboBox::choose(int index)
{
    const QString t = itemText(index);
    const Field* f = fieldLink->field();
    if (f && f->text() == t)
        return;
    if (!fieldLink->beginEdit()) {
        showField();
        return;
    }
    fieldLink->write([&t](Field& f) { f.setText(t); });
}
