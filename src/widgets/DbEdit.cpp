#include "DbEdit.h"
#include "DisplayMask.h"
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {

// Turns what is typed to upper case as it comes in.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

DbEdit::DbEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QLineEdit(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    fieldLink->writePending = [this] { return commit(); };
    connect(fieldLink, &FieldLink::refresh, this, &DbEdit::showField);
    // A change that did not come through the keyboard (the context menu's paste) still needs
    // the dataset in edit; when it cannot be, the change is taken back.
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (showing)
            return;
        if (fieldLink->beginEdit())
            fieldLink->modified = true;
        else
            showField();
    });
    showField();
}

void DbEdit::setUpperCase(bool on)
{
    upper = on;
    setValidator(on ? new UpperCaseValidator(this) : nullptr);
    showField();
}

void DbEdit::setMask(const QString& mask)
{
    setInputMask(mask);
    showField();
}

void DbEdit::setDisplayMask(const QString& mask)
{
    displayFormat = [mask](const Field& f) { return formatMask(mask, f.value()); };
    showField();
}

bool DbEdit::hasDisplayForm() const
{
    const Field* f = fieldLink->field();
    return displayFormat || (f && f->type() == FieldType::Currency && !f->onGetText);
}

void DbEdit::showField()
{
    showing = true;
    const Field* f = fieldLink->field();
    QString t;
    inDisplayForm = false;
    if (f && fieldLink->dataset()->active()) {
        inDisplayForm = hasDisplayForm() && !hasFocus();
        if (!inDisplayForm)
            t = f->text();
        else if (displayFormat)
            t = displayFormat(*f);
        else
            t = f->isNull() ? QString() : formatCurrency(f->asFloat());
    }
    if (f && inputMask().isEmpty() && f->type() == FieldType::String && f->size() > 0)
        setMaxLength(f->size());
    // Amounts at the right, unless the window places them otherwise afterwards.
    if (f && !aligned) {
        aligned = true;
        if (f->type() == FieldType::Currency)
            setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    setReadOnly(f && f->readOnly());
    setText(upper ? t.toUpper() : t);
    // A text longer than the box shows from its start unless the user is typing in it.
    if (!hasFocus())
        setCursorPosition(0);
    fieldLink->modified = false;
    showing = false;
}

bool DbEdit::commit()
{
    if (!fieldLink->modified)
        return true;
    const QString t = text();
    return fieldLink->write([&t](Field& f) { f.setText(t); });
}

void DbEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        break;
    case Qt::Key_Escape:
        if (fieldLink->modified) {
            showField();
            selectAll();
            e->accept();
            return;
        }
        break;
    default:
        if (isEditingKey(e) && !isReadOnly()) {
            if (!fieldLink->beginEdit()) {
                e->accept();
                return;
            }
            // Typing goes into the field's own text, never into its display form.
            if (inDisplayForm && !fieldLink->modified) {
                showing = true;
                setText(fieldLink->field()->text());
                inDisplayForm = false;
                showing = false;
            }
            break;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void DbEdit::focusInEvent(QFocusEvent* e)
{
    if (inDisplayForm && !fieldLink->modified)
        showField();
    QLineEdit::focusInEvent(e);
}

void DbEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;
    if (commit() && hasDisplayForm())
        showField();
}

void DbEdit::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::ReadOnlyChange)
        mostraSolaLettura(this, isReadOnly());
}

void DbEdit::dropEvent(QDropEvent* e)
{
    if (!fieldLink->beginEdit()) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}
