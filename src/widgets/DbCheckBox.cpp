#include "DbCheckBox.h"

DbCheckBox::DbCheckBox(const QString& caption, DataSource* source, const QString& fieldName, Prompts& prompts,
                       QWidget* parent)
    : QCheckBox(caption, parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    connect(fieldLink, &FieldLink::refresh, this, &DbCheckBox::showField);
    showField();
}

void DbCheckBox::setValues(const QString& checked, const QString& unchecked)
{
    checkedText = checked;
    uncheckedText = unchecked;
    showField();
}

void DbCheckBox::setTristate(bool on)
{
    QCheckBox::setTristate(on);
    showField();
}

void DbCheckBox::showField()
{
    const Field* f = fieldLink->field();
    Qt::CheckState s = Qt::Unchecked;
    if (f && fieldLink->dataset()->active()) {
        if (checkedText.isEmpty() && uncheckedText.isEmpty()) {
            if (!f->isNull())
                s = f->asBoolean() ? Qt::Checked : Qt::Unchecked;
            else if (isTristate())
                s = Qt::PartiallyChecked;
        } else {
            const QString t = f->text();
            if (t.compare(checkedText, Qt::CaseInsensitive) == 0)
                s = Qt::Checked;
            else if (t.compare(uncheckedText, Qt::CaseInsensitive) != 0 && isTristate())
                s = Qt::PartiallyChecked;
        }
    }
    setCheckState(s);
}

void DbCheckBox::nextCheckState()
{
    if (!fieldLink->beginEdit())
        return;
    QCheckBox::nextCheckState();
    const Qt::CheckState s = checkState();
    const bool texts = !checkedText.isEmpty() || !uncheckedText.isEmpty();
    fieldLink->write([&](Field& f) {
        if (s == Qt::PartiallyChecked)
            f.clear();
        else if (texts)
            f.setText(s == Qt::Checked ? checkedText : uncheckedText);
        else
            f.setValue(s == Qt::Checked);
    });
}
