#include "DbSpinEdit.h"
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

DbSpinEdit::DbSpinEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QSpinBox(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    setRange(0, 99999);
    fieldLink->writePending = [this] { return commit(); };
    connect(fieldLink, &FieldLink::refresh, this, &DbSpinEdit::showField);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (!showing)
            fieldLink->modified = true;
    });
    showField();
}

void DbSpinEdit::showField()
{
    showing = true;
    const Field* f = fieldLink->field();
    setValue(f && fieldLink->dataset()->active() && !f->isNull() ? int(f->asInteger()) : minimum());
    setReadOnly(f && f->readOnly());
    fieldLink->modified = false;
    showing = false;
}

bool DbSpinEdit::commit()
{
    interpretText();
    if (!fieldLink->modified)
        return true;
    const int v = value();
    return fieldLink->write([v](Field& f) { f.setValue(qlonglong(v)); });
}

void DbSpinEdit::stepBy(int steps)
{
    if (!fieldLink->beginEdit())
        return;
    QSpinBox::stepBy(steps);
    commit();
}

void DbSpinEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        commit();
    } else if (isEditingKey(e) && !isReadOnly() && !fieldLink->beginEdit()) {
        e->accept();
        return;
    }
    QSpinBox::keyPressEvent(e);
}

void DbSpinEdit::focusOutEvent(QFocusEvent* e)
{
    QSpinBox::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        commit();
}
