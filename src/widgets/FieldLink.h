#pragma once
#include "DataSource.h"
#include <QObject>
#include <QPointer>
#include <functional>

class Prompts;
class QKeyEvent;
class QWidget;

// The tie between one single-record control and one field of a data source: it tells the
// control when to show the field again, lets the user's change start editing when the data
// source allows it, and writes the change with refusals shown through Prompts.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    FieldLink(QObject* control, DataSource* source, const QString& fieldName, Prompts& prompts);

    DataSource* source() const { return src; }
    Dataset* dataset() const { return src ? src->dataset() : nullptr; }
    const QString& fieldName() const { return name; }
    // The field, or nullptr while the dataset or the field is missing (a query before opening).
    Field* field() const;
    Prompts& prompts() const { return msg; }

    // The dataset is in Edit or Insert.
    bool editing() const;
    // The field is one the user may change: dataset open and modifiable, field not read-only.
    bool canModify() const;
    // The user is about to change the control: true when the field may take the change, after
    // putting the dataset in edit when it is browsing and the data source's autoEdit allows it.
    bool beginEdit();
    // Writes into the field. A refusal has been shown to the user; the control then shows the
    // field again and false comes back.
    bool write(const std::function<void(Field&)>& set);

    // Set by the control while it holds a change that is not yet in the field; cleared when the
    // field is shown again.
    bool modified = false;
    // Writes the control's pending change (run before a navigator acts); true when nothing was
    // pending.
    std::function<bool()> writePending;

Q_SIGNALS:
    // Show the field's value again: the record moved, the field changed, the dataset switched.
    void refresh();
    void stateChanged();

private:
    QPointer<DataSource> src;
    QString name;
    Prompts& msg;
    bool writing = false;
};

// A key press that changes the text of an edit box (characters, deletions, cut, paste, undo).
bool isEditingKey(const QKeyEvent* e);
// Alt with a letter that reached a control: no accelerator took it, so it does nothing (it
// neither types the letter nor starts editing).
bool isUnusedAltKey(const QKeyEvent* e);

// Makes a control drop the Alt keys no accelerator took (the data-aware controls and the
// grid's cell editors do so from their creation).
void scartaAltSenzaAcceleratore(QWidget* control);

// The look of a box that shows data but cannot be typed into, the same in every window: a
// frame with no colour of its own, so the window's colour shows behind the text, as in the
// sunken read-only captions. The data-aware boxes take it as they become read-only.
void mostraSolaLettura(QWidget* box, bool solaLettura);
