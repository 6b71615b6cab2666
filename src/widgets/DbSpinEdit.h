#pragma once
#include "FieldLink.h"
#include <QSpinBox>

// A spin box bound to a whole-number field of the current record (an empty field shows the
// minimum). Typing or stepping starts editing only when the data source's autoEdit allows it;
// a step is written at once, typed digits when the focus leaves or on Enter.
class DbSpinEdit : public QSpinBox
{
    Q_OBJECT
public:
    DbSpinEdit(DataSource* source, const QString& fieldName, Prompts& prompts, QWidget* parent = nullptr);

    FieldLink& link() { return *fieldLink; }

    bool commit();
    void showField();
    void stepBy(int steps) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    FieldLink* fieldLink;
    bool showing = false;
};
