#include "DbGrid.h"
#include "DataSource.h"
#include "DbAction.h"
#include "DbGridDelegate.h"
#include "DbGridModel.h"
#include "FieldLink.h"
#include "PendingEdits.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>

DbGrid::DbGrid(DataSource* source, Prompts& p, QWidget* parent)
    : QTableView(parent), model_(new DbGridModel(source, p, this)), delegate(new DbGridDelegate(this)), prompts(p)
{
    setModel(model_);
    setItemDelegate(delegate);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);
    // Rows of one height: the grid never measures rows it does not show.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    // A click on a title is the window's business; it does not select the column.
    disconnect(horizontalHeader(), &QHeaderView::sectionPressed, this, nullptr);
    disconnect(horizontalHeader(), &QHeaderView::sectionEntered, this, nullptr);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DbGrid::titleClicked);

    // A reset of the rows would bring the columns back to the default width.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        savedWidths.clear();
        for (int c = 0; c < model_->columnCount(); ++c)
            savedWidths << horizontalHeader()->sectionSize(c);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < model_->columnCount(); ++c) {
            setColumnHidden(c, !model_->columns()[c].visible);
            if (c < savedWidths.size())
                horizontalHeader()->resizeSection(c, savedWidths[c]);
        }
    });
    if (source) {
        // After the model, which has already brought its rows in line.
        for (auto signal : {&DataSource::stateChanged, &DataSource::recordChanged, &DataSource::rowsChanged,
                            &DataSource::datasetChanged})
            connect(source, signal, this, &DbGrid::followDataset);
        PendingEdits::add(this, source, [this] { return commitEdit(); });
    }
    followDataset();
}

DataSource* DbGrid::source() const
{
    return model_->source();
}

Dataset* DbGrid::dataset() const
{
    return model_->dataset();
}

int DbGrid::addColumn(const DbGridColumn& column)
{
    QList<DbGridColumn> cols = model_->columns();
    cols << column;
    setColumns(cols);
    return int(cols.size()) - 1;
}

int DbGrid::addColumn(const QString& field, const QString& title, int width)
{
    DbGridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    return addColumn(c);
}

void DbGrid::setColumns(const QList<DbGridColumn>& columns)
{
    model_->setColumns(columns);
    for (int c = 0; c < columns.size(); ++c)
        applyColumn(c);
    followDataset();
}

// Width and visibility of a column; without a width, one that fits the field's usual content.
void DbGrid::applyColumn(int c)
{
    const DbGridColumn& col = model_->columns()[c];
    setColumnHidden(c, !col.visible);
    int width = col.width;
    if (width <= 0) {
        int chars = 10;
        if (const Field* f = model_->fieldOf(c); f && f->type() == FieldType::String)
            chars = std::clamp(f->size(), 4, 30);
        const QString title = col.title.isEmpty() ? col.field : col.title;
        width = std::max(chars * fontMetrics().averageCharWidth(), fontMetrics().horizontalAdvance(title)) + 12;
    }
    horizontalHeader()->resizeSection(c, width);
}

const DbGridColumn& DbGrid::column(int c) const
{
    return model_->columns()[c];
}

int DbGrid::columnCount() const
{
    return model_->columnCount();
}

int DbGrid::columnOf(const QString& field) const
{
    const auto& cols = model_->columns();
    for (int c = 0; c < cols.size(); ++c)
        if (cols[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void DbGrid::setReadOnly(bool on)
{
    model_->readOnly = on;
}

bool DbGrid::isReadOnly() const
{
    return model_->readOnly;
}

void DbGrid::setRowSelect(bool on)
{
    setSelectionBehavior(on ? SelectRows : SelectItems);
}

void DbGrid::setMultiSelect(bool on)
{
    setSelectionMode(on ? ExtendedSelection : SingleSelection);
}

void DbGrid::setIndicator(bool on)
{
    verticalHeader()->setVisible(on);
}

void DbGrid::setCellColour(std::function<QColor(int record, int column)> colour)
{
    model_->cellColour = std::move(colour);
    viewport()->update();
}

void DbGrid::setTitleStyle(int column, bool bold, const QColor& colour)
{
    DbGridColumn& c = model_->column(column);
    c.titleBold = bold;
    c.titleColour = colour;
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, column, column);
}

QList<int> DbGrid::selectedRecords() const
{
    QSet<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        rows.insert(i.row());
    QList<int> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    QList<int> records;
    for (int r : sorted)
        if (const int rec = model_->recordOf(r); rec >= 0)
            records << rec;
    return records;
}

QWidget* DbGrid::cellEditor() const
{
    return delegate->openEditor();
}

bool DbGrid::commitEdit()
{
    QWidget* editor = delegate->openEditor();
    if (!editor)
        return true;
    model_->lastWriteDone = true;
    commitData(editor);
    if (!model_->lastWriteDone)
        return false;
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

QRect DbGrid::ellipsisRect(const QModelIndex& index) const
{
    const QRect cell = visualRect(index);
    const int w = std::min(cell.height() + 2, cell.width());
    return QRect(cell.right() - w + 1, cell.top(), w, cell.height());
}

// Puts the grid's current row where the dataset's current record is.
void DbGrid::followDataset()
{
    if (moving)
        return;
    // The record was moved, posted or cancelled by another hand: what was being typed in a
    // cell no longer applies.
    if (QWidget* editor = delegate->openEditor(); editor && !model_->writing())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    const int row = model_->currentRow();
    const QModelIndex cur = currentIndex();
    if (row < 0 || (cur.isValid() && cur.row() == row))
        return;
    int column = cur.isValid() ? cur.column() : 0;
    while (column < model_->columnCount() - 1 && isColumnHidden(column))
        ++column;
    following = true;
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
    if (selectionBehavior() == SelectRows)
        how |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(model_->index(row, column), how);
    following = false;
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (following || moving || !current.isValid() || (previous.isValid() && previous.row() == current.row()))
        return;
    moveDatasetTo(current.row());
}

// The user moved to another row: the dataset follows, posting the record being edited or
// inserted first. A refused post keeps the dataset, and the grid, on that record.
void DbGrid::moveDatasetTo(int row)
{
    Dataset* ds = dataset();
    if (!ds || !ds->active() || row == model_->currentRow())
        return;
    const int target = model_->recordOf(row);
    moving = true;
    runDbAction(prompts, [&] { postAndMoveTo(*ds, target); });
    moving = false;
    followDataset();
}

bool DbGrid::mayEdit(int column) const
{
    const Dataset* ds = dataset();
    if (!ds || !model_->cellEditable(column))
        return false;
    const bool editing = ds->state() == DatasetState::Edit || ds->state() == DatasetState::Insert;
    return editing || source()->autoEdit;
}

bool DbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Without a trigger the view only hands an event to the delegate.
    if (trigger != NoEditTriggers && (index.row() != model_->currentRow() || !mayEdit(index.column())))
        return false;
    return QTableView::edit(index, trigger, event);
}

void DbGrid::insertRecord()
{
    Dataset* ds = dataset();
    if (isReadOnly() || !datasetModifiable(ds))
        return;
    runDbAction(prompts, [&] {
        if (!PendingEdits::writeAll(ds))
            throw Abort{};
        ds->insert();
    });
}

void DbGrid::deleteRecord()
{
    Dataset* ds = dataset();
    if (isReadOnly() || !datasetModifiable(ds) || ds->isEmpty())
        return;
    runDbAction(prompts, [&] {
        if (!deleteText.isEmpty() && !prompts.confirmOk(deleteText))
            throw Abort{};
        ds->remove();
    });
}

void DbGrid::keyPressEvent(QKeyEvent* e)
{
    if (isUnusedAltKey(e)) {
        e->ignore();
        return;
    }
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Insert:
        if (e->modifiers() == Qt::NoModifier) {
            insertRecord();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (ctrl) {
            deleteRecord();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (state() != EditingState) {
            Dataset* ds = dataset();
            if (ds && (ds->state() == DatasetState::Edit || ds->state() == DatasetState::Insert)) {
                runDbAction(prompts, [ds] { ds->cancel(); });
                return;
            }
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state() != EditingState && currentIndex().isValid()) {
            if (ctrl && model_->columns()[currentIndex().column()].ellipsis) {
                Q_EMIT ellipsisClicked(currentIndex().column());
                return;
            }
            if (edit(currentIndex(), EditKeyPressed, e))
                return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(e);
}

void DbGrid::mousePressEvent(QMouseEvent* e)
{
    const QModelIndex cur = currentIndex();
    if (e->button() == Qt::LeftButton && cur.isValid() && model_->columns()[cur.column()].ellipsis
        && ellipsisRect(cur).contains(e->position().toPoint())) {
        Q_EMIT ellipsisClicked(cur.column());
        return;
    }
    QTableView::mousePressEvent(e);
}
