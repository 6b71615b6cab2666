#include "DbNavigator.h"
#include "DataSource.h"
#include "DbAction.h"
#include "DbGrid.h"
#include "FieldLink.h"
#include "PendingEdits.h"
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

constexpr NavButton order[] = {NavButton::First, NavButton::Prior,  NavButton::Next,   NavButton::Last,
                               NavButton::Insert, NavButton::Delete, NavButton::Edit,   NavButton::Post,
                               NavButton::Cancel, NavButton::Refresh};

int slotOf(NavButton b)
{
    for (int i = 0; i < 10; ++i)
        if (order[i] == b)
            return i;
    return 0;
}

// The glyph of a button, drawn on a 16 × 16 grid.
void drawGlyph(QPainter& p, NavButton b, const QColor& ink)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto wedge = [&](QPointF a, QPointF b, QPointF c) {
        QPainterPath t;
        t.moveTo(a);
        t.lineTo(b);
        t.lineTo(c);
        t.closeSubpath();
        p.drawPath(t);
    };
    // Pointing left or right, the base upright.
    auto triangle = [&](qreal tipX, qreal baseX) { wedge({tipX, 8}, {baseX, 3}, {baseX, 13}); };
    switch (b) {
    case NavButton::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(5.5, 12);
        break;
    case NavButton::Prior: triangle(4.5, 11); break;
    case NavButton::Next: triangle(11.5, 5); break;
    case NavButton::Last:
        triangle(10.5, 4);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case NavButton::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case NavButton::Delete: p.drawRect(QRectF(3, 7, 10, 2)); break;
    case NavButton::Edit: wedge({8, 3}, {13, 12}, {3, 12}); break;
    case NavButton::Post:
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case NavButton::Cancel:
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case NavButton::Refresh: {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.5, 3.5, 9, 9), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        wedge({8, 1.5}, {11, 4}, {8, 6.5});
        break;
    }
    }
}

QIcon glyphIcon(NavButton b, const QPalette& pal)
{
    QIcon icon;
    for (auto [mode, ink] : {std::pair{QIcon::Normal, pal.color(QPalette::Active, QPalette::ButtonText)},
                             std::pair{QIcon::Disabled, pal.color(QPalette::Disabled, QPalette::ButtonText)}}) {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.scale(2, 2);
        drawGlyph(p, b, b == NavButton::Post && mode == QIcon::Normal ? QColor(0, 128, 0)
                        : b == NavButton::Cancel && mode == QIcon::Normal ? QColor(128, 0, 0)
                                                                          : ink);
        p.end();
        pm.setDevicePixelRatio(2);
        icon.addPixmap(pm, mode);
    }
    return icon;
}

} // namespace

DbNavigator::DbNavigator(DataSource* source, NavButtons visible, Prompts& p, QWidget* parent)
    : QWidget(parent), src(source), prompts(p)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    static const char* names[] = {"btnFirst", "btnPrior", "btnNext", "btnLast", "btnInsert",
                                  "btnDelete", "btnEdit", "btnPost", "btnCancel", "btnRefresh"};
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setIcon(glyphIcon(order[i], palette()));
        b->setIconSize(QSize(16, 16));
        b->setFixedSize(25, 25);
        // The focus stays in the control being typed into, as with tool-bar buttons.
        b->setFocusPolicy(Qt::NoFocus);
        const NavButton which = order[i];
        connect(b, &QToolButton::clicked, this, [this, which] { click(which); });
        row->addWidget(b);
        buttons[i] = b;
    }
    setVisibleButtons(visible);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (source) {
        for (auto signal : {&DataSource::stateChanged, &DataSource::recordChanged, &DataSource::rowsChanged,
                            &DataSource::datasetChanged})
            connect(source, signal, this, &DbNavigator::updateButtons);
    }
    updateButtons();
}

void DbNavigator::setVisibleButtons(NavButtons visible)
{
    shown = visible;
    for (int i = 0; i < 10; ++i)
        buttons[i]->setVisible(visible.testFlag(order[i]));
}

QToolButton* DbNavigator::button(NavButton b) const
{
    return buttons[slotOf(b)];
}

void DbNavigator::setHints(const QStringList& hints)
{
    for (int i = 0; i < 10; ++i)
        buttons[i]->setToolTip(hints.value(i));
}

void DbNavigator::setHint(NavButton b, const QString& hint)
{
    button(b)->setToolTip(hint);
}

void DbNavigator::updateButtons()
{
    Dataset* ds = src ? src->dataset() : nullptr;
    const bool open = ds && ds->active();
    const bool editing = open && (ds->state() == DatasetState::Edit || ds->state() == DatasetState::Insert);
    const bool modifiable = datasetModifiable(ds);
    const bool up = open && !ds->bof();
    const bool down = open && !ds->eof();
    const bool empty = !open || ds->isEmpty();
    button(NavButton::First)->setEnabled(up);
    button(NavButton::Prior)->setEnabled(up);
    button(NavButton::Next)->setEnabled(down);
    button(NavButton::Last)->setEnabled(down);
    button(NavButton::Insert)->setEnabled(modifiable);
    button(NavButton::Delete)->setEnabled(modifiable && !empty);
    button(NavButton::Edit)->setEnabled(modifiable && !editing && !empty);
    button(NavButton::Post)->setEnabled(modifiable && editing);
    button(NavButton::Cancel)->setEnabled(modifiable && editing);
    button(NavButton::Refresh)->setEnabled(open);
}

bool DbNavigator::click(NavButton b)
{
    Dataset* ds = src ? src->dataset() : nullptr;
    if (!ds)
        return false;
    bool done = false;
    runDbAction(prompts, [&] {
        if (beforeAction)
            beforeAction(b);
        // Cancel and delete drop what the controls hold; every other action keeps it.
        if (b != NavButton::Cancel && b != NavButton::Delete && !PendingEdits::writeAll(ds))
            throw Abort{};
        act(b, *ds);
        done = true;
        if (afterAction)
            afterAction(b);
    });
    if (actionFinished)
        runDbAction(prompts, [&] { actionFinished(b); });
    updateButtons();
    if (done && b == NavButton::Insert && ds->state() == DatasetState::Insert)
        fuocoSulPrimoCampo(window(), src);
    if (done)
        Q_EMIT clicked(b);
    return done;
}

namespace {

// A control of the window that the user can type into, over the data source.
bool campoDi(QWidget* w, const DataSource* src, const QWidget* finestra)
{
    if (!w->isVisibleTo(finestra) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
        return false;
    if (auto* g = qobject_cast<DbGrid*>(w))
        return g->source() == src;
    if (auto* e = qobject_cast<QLineEdit*>(w); e && e->isReadOnly())
        return false;
    if (auto* m = qobject_cast<QPlainTextEdit*>(w); m && m->isReadOnly())
        return false;
    const auto* link = w->findChild<FieldLink*>(QString(), Qt::FindDirectChildrenOnly);
    return link && link->source() == src;
}

} // namespace

void fuocoSulPrimoCampo(QWidget* finestra, const DataSource* src)
{
    if (!finestra || !src)
        return;
    for (QWidget* w = finestra->nextInFocusChain(); w && w != finestra; w = w->nextInFocusChain())
        if (campoDi(w, src, finestra)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void DbNavigator::act(NavButton b, Dataset& ds)
{
    switch (b) {
    case NavButton::First: ds.first(); break;
    case NavButton::Prior: ds.prior(); break;
    case NavButton::Next: ds.next(); break;
    case NavButton::Last: ds.last(); break;
    case NavButton::Insert: ds.insert(); break;
    case NavButton::Delete:
        if (!deleteText.isEmpty() && !prompts.confirmOk(deleteText))
            throw Abort{};
        ds.remove();
        break;
    case NavButton::Edit: ds.edit(); break;
    case NavButton::Post: ds.post(); break;
    case NavButton::Cancel: ds.cancel(); break;
    case NavButton::Refresh: ds.refresh(); break;
    }
}
