#include "DbRadioGroup.h"
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

DbRadioGroup::DbRadioGroup(const QString& title, DataSource* source, const QString& fieldName, Prompts& prompts,
                           QWidget* parent)
    : QGroupBox(title, parent), fieldLink(new FieldLink(this, source, fieldName, prompts)),
      group(new QButtonGroup(this)), grid(new QGridLayout(this))
{
    connect(fieldLink, &FieldLink::refresh, this, &DbRadioGroup::showField);
    connect(group, &QButtonGroup::idClicked, this, &DbRadioGroup::choose);
}

void DbRadioGroup::setItems(const QStringList& list, int columns)
{
    for (QAbstractButton* b : group->buttons()) {
        group->removeButton(b);
        delete b;
    }
    items = list;
    columns = std::max(columns, 1);
    const int perColumn = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group->addButton(b, i);
        grid->addWidget(b, i % std::max(perColumn, 1), i / std::max(perColumn, 1));
    }
    showField();
}

void DbRadioGroup::setValues(const QStringList& list)
{
    values = list;
    showField();
}

void DbRadioGroup::storeIndex()
{
    QStringList list;
    for (int i = 0; i < items.size(); ++i)
        list << QString::number(i);
    setValues(list);
}

QString DbRadioGroup::valueOf(int index) const
{
    return values.isEmpty() ? items.value(index) : values.value(index);
}

int DbRadioGroup::itemIndex() const
{
    return group->checkedId();
}

QRadioButton* DbRadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(group->button(index));
}

void DbRadioGroup::showField()
{
    const Field* f = fieldLink->field();
    int found = -1;
    if (f && fieldLink->dataset()->active() && !f->isNull()) {
        const QString t = f->text();
        for (int i = 0; i < items.size() && found < 0; ++i)
            if (valueOf(i) == t)
                found = i;
    }
    // An exclusive group keeps one button checked; none is checked only with the group loose.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(group->id(b) == found);
    group->setExclusive(true);
}

void DbRadioGroup::choose(int index)
{
    const QString v = valueOf(index);
    const Field* f = fieldLink->field();
    if (f && !f->isNull() && f->text() == v)
        return;
    if (!fieldLink->beginEdit()) {
        showField();
        return;
    }
    fieldLink->write([&v](Field& f) { f.setText(v); });
}
