#include "FieldLink.h"
#include "DbAction.h"
#include "PendingEdits.h"
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class FiltroAlt : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override
    {
        return e->type() == QEvent::KeyPress && isUnusedAltKey(static_cast<QKeyEvent*>(e));
    }
};

} // namespace

FieldLink::FieldLink(QObject* control, DataSource* source, const QString& fieldName, Prompts& prompts)
    : QObject(control), src(source), name(fieldName), msg(prompts)
{
    if (auto* w = qobject_cast<QWidget*>(control))
        scartaAltSenzaAcceleratore(w);
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
        if (!f)
            return;
        if (f->name().compare(name, Qt::CaseInsensitive) == 0) {
            modified = false;
            Q_EMIT refresh();
            return;
        }
        // Calculated and lookup fields follow the fields they are made of at once (the VAT
        // and the total of a new taxable amount, the agent of a new route).
        const Field* own = field();
        if (own && own->kind() != FieldKind::Data && !modified)
            Q_EMIT refresh();
    });
    connect(source, &DataSource::stateChanged, this, &FieldLink::stateChanged);
    PendingEdits::add(this, source, [this] { return !modified || !writePending || writePending(); });
}

void scartaAltSenzaAcceleratore(QWidget* control)
{
    control->installEventFilter(new FiltroAlt(control));
}

void mostraSolaLettura(QWidget* box, bool solaLettura)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, solaLettura ? QColor(Qt::transparent) : QApplication::palette(box).color(QPalette::Base));
    box->setPalette(p);
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

bool isUnusedAltKey(const QKeyEvent* e)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    return (m & Qt::AltModifier) && !(m & Qt::ControlModifier) && !e->text().isEmpty();
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
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier) || isUnusedAltKey(e))
        return false;
    const QString t = e->text();
    return !t.isEmpty() && t.at(0).isPrint();
}
