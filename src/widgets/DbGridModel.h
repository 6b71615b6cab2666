#pragma once
#include "DataSource.h"
#include "DbGridColumn.h"
#include <QAbstractTableModel>
#include <QPointer>

class Prompts;

// The rows of a dataset as a table for DbGrid: one row per loaded record, plus the record being
// inserted at the current position. Values are read with valueAt only for the cells the view
// asks for; a change of state or of the current record touches only what it changes.
class DbGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // setData with KeyRole takes the key values (a QVariantList) of a lookup column's choice.
    static constexpr int KeyRole = Qt::UserRole + 1;

    DbGridModel(DataSource* source, Prompts& prompts, QObject* parent = nullptr);

    DataSource* source() const { return src; }
    Dataset* dataset() const { return src ? src->dataset() : nullptr; }
    Prompts& prompts() const { return msg; }

    void setColumns(const QList<DbGridColumn>& columns);
    const QList<DbGridColumn>& columns() const { return cols; }
    DbGridColumn& column(int c) { return cols[c]; }
    // The field of a column, nullptr when the dataset does not have it.
    Field* fieldOf(int column) const;
    // A column over a lookup field with its lookup dataset.
    bool isLookup(int column) const;

    bool readOnly = false;
    // Background of a cell: the record (dataset row, -1 for the record being inserted) and the
    // column. An invalid colour keeps the grid's own.
    std::function<QColor(int record, int column)> cellColour;

    // The row of the record being inserted, -1 when none is.
    int insertRow() const { return insRow; }
    // The row of the dataset's current record (or of the record being inserted), -1 when empty.
    int currentRow() const;
    // The dataset row shown in a grid row; -1 for the record being inserted.
    int recordOf(int row) const { return insRow >= 0 && row >= insRow ? (row == insRow ? -1 : row - 1) : row; }
    // Whether a cell can be typed into now or after editing starts.
    bool cellEditable(int column) const;
    // Text a cell is edited from.
    QString editText(const QModelIndex& index) const;
    // Whether the last setData wrote its value (false after a refusal).
    bool lastWriteDone = true;
    // Set while setData writes into the dataset.
    bool writing() const { return inWrite; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Brings the rows in line with the dataset (called on every notification of it).
    void sync();

private:
    QVariant valueAt(int row, int column) const;
    void resolveFields();
    void currentFieldChanged();

    QPointer<DataSource> src;
    Prompts& msg;
    QList<DbGridColumn> cols;
    QList<int> fieldIndex;          // index of each column's field in the dataset, -1 when absent
    int rows = 0;                   // rows as the view knows them
    int insRow = -1;
    int shownCurrent = -1;          // row whose indicator is drawn
    DatasetState shownState = DatasetState::Inactive;
    const Dataset* shownDataset = nullptr;
    bool syncing = false, syncAgain = false;
    bool inWrite = false;
};

// Display text of a stored value in the program's formats: dates dd/MM/yyyy, amounts in the
// currency format ("€ 1.234,50"), other numbers with a decimal comma.
QString gridText(const QVariant& v, FieldType type);
