#pragma once
#include "FieldLink.h"
#include <QPlainTextEdit>

// A multi-line text box bound to one field of the current record, at most as long as the
// field's width. Typing starts editing only when the data source's autoEdit allows it; the text
// is written when the focus leaves the box.
class DbMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    DbMemo(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    // Writes the typed text into the field now; false when the field refused it.
    bool commit();
    void showField();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void keepWithinWidth();

    FieldLink* fieldLink;
    bool showing = false;
};
