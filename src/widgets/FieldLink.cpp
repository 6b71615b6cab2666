#include "FieldLink.h"
#include "DbAction.h"
#include "PendingEdits.h"
#include <QKeyEvent>

FieldLink::FieldLink(QObject* control, DataSource* source, const QString& fieldName, Prompts& prompts)
    : QObject(control), src(source), name(fieldName), msg(prompts)
{
    if (!source)
        return;
    connect(source, &DataSource::recordChanged, this, [this] {
        modified = false;
        Q_EMIT refresh();
    });
    connect(source, &DataSource::datasetChanged, this, [this] {
        modified = false;
        Q_EMIT refresh();
    });
    connect(source, &DataSource::fieldChanged, this, [this](Field* f) {
        if (f && f->name().compare(name, Qt::CaseInsensitive) == 0) {
            modified = false;
            Q_EMIT refresh();
        }
    });
    connect(source, &DataSource::stateChanged, this, &FieldLink::stateChanged);
    PendingEdits::add(this, source, [this] { return !modified || !writePending || writePending(); });
}

Field* FieldLink::field() const
{
    Dataset* ds = dataset();
    return ds ? ds->findField(name) : nullptr;
}

bool FieldLink::editing() const
{
    const Dataset* ds = dataset();
    return ds && (ds->state() == DatasetState::Edit || ds->state() == DatasetState::Insert);
}

bool FieldLink::canModify() const
{
    const Field* f = field();
    return f && !f->readOnly() && datasetModifiable(dataset());
}

bool FieldLink::beginEdit()
{
    if (!canModify())
        return false;
    if (editing())
        return true;
    if (!src->autoEdit || dataset()->state() != DatasetState::Browse)
        return false;
    return runDbAction(msg, [this] { dataset()->edit(); }) && editing();
}

bool FieldLink::write(const std::function<void(Field&)>& set)
{
    // A message box shown by a refusal moves the focus, which would write again.
    if (writing)
        return false;
    writing = true;
    Field* f = field();
    const bool ok = f && beginEdit() && runDbAction(msg, [&] { set(*f); });
    writing = false;
    modified = false;
    if (!ok)
        Q_EMIT refresh();
    return ok;
}

bool isEditingKey(const QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo)
        || e->matches(QKeySequence::Redo) || e->matches(QKeySequence::DeleteEndOfWord)
        || e->matches(QKeySequence::DeleteStartOfWord) || e->matches(QKeySequence::DeleteEndOfLine)
        || e->matches(QKeySequence::DeleteCompleteLine))
        return true;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete)
        return true;
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).isPrint();
}
