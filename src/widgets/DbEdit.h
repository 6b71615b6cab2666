#pragma once
#include "FieldLink.h"
#include <QLineEdit>
#include <functional>

// An edit box bound to one field of the current record. It shows the field as the record moves;
// typing starts editing only when the data source's autoEdit allows it; the text is written when
// the focus leaves the box or on Enter, and Escape takes back what was typed. Amounts stand at
// the right; a box that cannot be typed into has the read-only look.
class DbEdit : public QLineEdit
{
    Q_OBJECT
public:
    DbEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }
    Field* field() const { return fieldLink->field(); }

    // Letters typed are turned to upper case.
    void setUpperCase(bool on);
    bool upperCase() const { return upper; }
    // An input mask in QLineEdit's notation ("99999999999" for the eleven digits of a VAT
    // number, "99/99/9999; " for a date). Without a mask the length is the field's width.
    void setMask(const QString& mask);

    // The text shown while the box has no focus; while typing the box shows the field's own
    // text. Amounts show in the currency format unless told otherwise.
    std::function<QString(const Field&)> displayFormat;
    // The text shown while the box has no focus, through a display mask ("#,;#,").
    void setDisplayMask(const QString& mask);

    // Writes the typed text into the field now; false when the field refused it.
    bool commit();
    // Shows the field's value again, dropping what was typed.
    void showField();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // What the box shows without the focus, when it differs from the field's text.
    bool hasDisplayForm() const;

    FieldLink* fieldLink;
    bool upper = false;
    bool showing = false;
    bool inDisplayForm = false;
    bool aligned = false;
};
