#include "DbMemo.h"
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextBlock>

DbMemo::DbMemo(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent)
    : QPlainTextEdit(parent), fieldLink(new FieldLink(this, source, fieldName, prompts))
{
    setTabChangesFocus(true);
    fieldLink->writePending = [this] { return commit(); };
    connect(fieldLink, &FieldLink::refresh, this, &DbMemo::showField);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (showing)
            return;
        keepWithinWidth();
        fieldLink->modified = true;
    });
    showField();
}

void DbMemo::showField()
{
    showing = true;
    const Field* f = fieldLink->field();
    setPlainText(f && fieldLink->dataset()->active() ? f->text() : QString());
    setReadOnly(f && f->readOnly());
    fieldLink->modified = false;
    showing = false;
}

bool DbMemo::commit()
{
    if (!fieldLink->modified)
        return true;
    const QString t = toPlainText();
    return fieldLink->write([&t](Field& f) { f.setText(t); });
}

// A text longer than the field loses its end, as the store would cut it.
void DbMemo::keepWithinWidth()
{
    const Field* f = fieldLink->field();
    if (!f || f->type() != FieldType::String || f->size() <= 0)
        return;
    const QString t = toPlainText();
    if (t.size() <= f->size())
        return;
    showing = true;
    QTextCursor c = textCursor();
    const int pos = std::min(c.position(), int(f->size()));
    setPlainText(t.left(f->size()));
    c = textCursor();
    c.setPosition(pos);
    setTextCursor(c);
    showing = false;
}

void DbMemo::keyPressEvent(QKeyEvent* e)
{
    const bool newLine = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if ((isEditingKey(e) || newLine) && !isReadOnly() && !fieldLink->beginEdit()) {
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void DbMemo::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::ReadOnlyChange)
        mostraSolaLettura(this, isReadOnly());
}

void DbMemo::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        commit();
}

void DbMemo::insertFromMimeData(const QMimeData* source)
{
    if (fieldLink->beginEdit())
        QPlainTextEdit::insertFromMimeData(source);
}
