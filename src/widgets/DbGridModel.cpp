#include "DbGridModel.h"
#include <QFont>
#include "DateIt.h"
#include "DbAction.h"
#include "DisplayMask.h"

QString gridText(const QVariant& v, FieldType type)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (type) {
    case FieldType::Date: return formatDate(v.toDate());
    case FieldType::Currency: return formatCurrency(v.toDouble());
    case FieldType::Float: return QString::number(v.toDouble(), 'g', 15).replace('.', ',');
    case FieldType::Boolean: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return v.toString();
    }
}

namespace {

bool isNumber(FieldType t)
{
    return t != FieldType::String && t != FieldType::Date && t != FieldType::Boolean;
}

} // namespace

DbGridModel::DbGridModel(DataSource* source, Prompts& prompts, QObject* parent)
    : QAbstractTableModel(parent), src(source), msg(prompts)
{
    if (source) {
        for (auto signal : {&DataSource::stateChanged, &DataSource::recordChanged, &DataSource::rowsChanged,
                            &DataSource::datasetChanged})
            connect(source, signal, this, &DbGridModel::sync);
        connect(source, &DataSource::fieldChanged, this, &DbGridModel::currentFieldChanged);
    }
    sync();
}

void DbGridModel::setColumns(const QList<DbGridColumn>& columns)
{
    beginResetModel();
    cols = columns;
    resolveFields();
    endResetModel();
}

void DbGridModel::resolveFields()
{
    fieldIndex.clear();
    Dataset* ds = dataset();
    for (const DbGridColumn& c : cols) {
        int found = -1;
        if (Field* f = ds ? ds->findField(c.field) : nullptr)
            for (int i = 0, n = ds->fieldCount(); i < n && found < 0; ++i)
                if (&ds->fieldAt(i) == f)
                    found = i;
        fieldIndex << found;
    }
}

Field* DbGridModel::fieldOf(int column) const
{
    Dataset* ds = dataset();
    const int i = fieldIndex.value(column, -1);
    return ds && i >= 0 && i < ds->fieldCount() ? &ds->fieldAt(i) : nullptr;
}

bool DbGridModel::isLookup(int column) const
{
    const Field* f = fieldOf(column);
    return f && f->kind() == FieldKind::Lookup && f->lookupDataset && !f->keyFields.isEmpty();
}

int DbGridModel::currentRow() const
{
    if (insRow >= 0)
        return insRow;
    Dataset* ds = dataset();
    if (!ds || !ds->active() || rows == 0)
        return -1;
    return ds->currentRow();
}

bool DbGridModel::cellEditable(int column) const
{
    if (readOnly || column < 0 || column >= cols.size() || cols[column].readOnly || !datasetModifiable(dataset()))
        return false;
    const Field* f = fieldOf(column);
    if (!f)
        return false;
    if (!isLookup(column))
        return !f->readOnly();
    for (const QString& k : f->keyFields) {
        const Field* key = dataset()->findField(k);
        if (!key || key->readOnly())
            return false;
    }
    return true;
}

int DbGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows;
}

int DbGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(cols.size());
}

QVariant DbGridModel::valueAt(int row, int column) const
{
    const int rec = recordOf(row);
    if (rec < 0) {
        // The record being inserted lives in the dataset's edit buffer.
        const Field* f = fieldOf(column);
        return f ? f->value() : QVariant();
    }
    const int fi = fieldIndex.value(column, -1);
    return fi >= 0 ? dataset()->valueAt(rec, fi) : QVariant();
}

QString DbGridModel::editText(const QModelIndex& index) const
{
    const Field* f = fieldOf(index.column());
    if (!f)
        return QString();
    if (index.row() == currentRow() && !isLookup(index.column()))
        return f->text();
    return data(index, Qt::DisplayRole).toString();
}

QVariant DbGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows || index.column() >= cols.size())
        return QVariant();
    const DbGridColumn& c = cols[index.column()];
    try {
        switch (role) {
        case Qt::DisplayRole: {
            const QVariant v = valueAt(index.row(), index.column());
            if (c.format)
                return c.format(v);
            if (!c.mask.isEmpty())
                return formatMask(c.mask, v);
            const Field* f = fieldOf(index.column());
            return f ? gridText(v, f->type()) : QString();
        }
        case Qt::EditRole:
            return editText(index);
        case KeyRole: {
            QVariantList keys;
            if (const Field* f = fieldOf(index.column()); f && index.row() == currentRow())
                for (const QString& k : f->keyFields)
                    keys << dataset()->field(k).value();
            return keys;
        }
        case Qt::TextAlignmentRole: {
            if (c.alignment)
                return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
            const Field* f = fieldOf(index.column());
            return QVariant::fromValue((f && isNumber(f->type()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        case Qt::BackgroundRole:
            if (cellColour)
                if (const QColor colour = cellColour(recordOf(index.row()), index.column()); colour.isValid())
                    return colour;
            return QVariant();
        case Qt::ForegroundRole:
            return c.textColour.isValid() ? QVariant(c.textColour) : QVariant();
        default:
            return QVariant();
        }
    } catch (const LavError&) {
        return QVariant();
    }
}

QVariant DbGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section >= cols.size())
            return QVariant();
        const DbGridColumn& c = cols[section];
        if (role == Qt::DisplayRole)
            return c.title.isEmpty() ? c.field : c.title;
        if (role == Qt::FontRole && c.titleBold) {
            QFont f;
            f.setBold(true);
            return f;
        }
        if (role == Qt::ForegroundRole && c.titleColour.isValid())
            return c.titleColour;
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole || section != currentRow())
        return QVariant();
    // The indicator of the current record: browsing, editing, inserting.
    switch (shownState) {
    case DatasetState::Insert: return QStringLiteral("*");
    case DatasetState::Edit: return QStringLiteral("I");
    default: return QStringLiteral("\u25B6");
    }
}

Qt::ItemFlags DbGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cellEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool DbGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    lastWriteDone = false;
    if ((role != Qt::EditRole && role != KeyRole) || index.row() != currentRow() || !cellEditable(index.column()))
        return false;
    Dataset* ds = dataset();
    Field* f = fieldOf(index.column());
    const bool lookup = role == KeyRole && isLookup(index.column());
    // Leaving a cell as it was does not start editing the record.
    if ((!lookup && value.toString() == editText(index)) || (lookup && value.toList() == data(index, KeyRole).toList())) {
        lastWriteDone = true;
        return true;
    }
    inWrite = true;
    lastWriteDone = runDbAction(msg, [&] {
        if (ds->state() == DatasetState::Browse) {
            if (!src->autoEdit)
                throw Abort{};
            ds->edit();
        }
        if (lookup) {
            const QVariantList keys = value.toList();
            for (int i = 0; i < f->keyFields.size(); ++i)
                ds->field(f->keyFields[i]).setValue(keys.value(i));
        } else {
            f->setText(value.toString());
        }
    });
    inWrite = false;
    return lastWriteDone;
}

void DbGridModel::currentFieldChanged()
{
    const int row = currentRow();
    if (row >= 0 && row < rows && !cols.isEmpty())
        Q_EMIT dataChanged(index(row, 0), index(row, int(cols.size()) - 1));
}

void DbGridModel::sync()
{
    if (syncing) {
        syncAgain = true;
        return;
    }
    syncing = true;
    do {
        syncAgain = false;
        Dataset* ds = dataset();
        const bool open = ds && ds->active();
        // Reading the count loads rows left stale by a change of master or filter, which
        // notifies again: the loop then starts over on the loaded rows.
        const int count = open ? ds->recordCount() : 0;
        if (syncAgain)
            continue;
        resolveFields();
        const DatasetState st = open ? ds->state() : DatasetState::Inactive;
        const int ins = st == DatasetState::Insert ? std::max(ds->currentRow(), 0) : -1;
        const int total = count + (ins >= 0 ? 1 : 0);
        const int oldCurrent = shownCurrent;
        const bool same = ds == shownDataset;
        if (same && insRow < 0 && ins >= 0 && total == rows + 1) {
            beginInsertRows({}, ins, ins);
            rows = total;
            insRow = ins;
            endInsertRows();
        } else if (same && insRow >= 0 && ins < 0 && total == rows - 1) {
            beginRemoveRows({}, insRow, insRow);
            rows = total;
            insRow = -1;
            endRemoveRows();
        } else if (same && total == rows) {
            insRow = ins;
            if (rows > 0 && !cols.isEmpty())
                Q_EMIT dataChanged(index(0, 0), index(rows - 1, int(cols.size()) - 1));
        } else {
            beginResetModel();
            rows = total;
            insRow = ins;
            endResetModel();
        }
        shownDataset = ds;
        shownState = st;
        shownCurrent = currentRow();
        // The indicator leaves the old current row and shows on the new one.
        for (int r : {oldCurrent, shownCurrent})
            if (r >= 0 && r < rows)
                Q_EMIT headerDataChanged(Qt::Vertical, r, r);
    } while (syncAgain);
    syncing = false;
}
