#pragma once
#include "DbGridColumn.h"
#include <QPointer>
#include <QTableView>
#include <functional>

class DataSource;
class Dataset;
class DbGridDelegate;
class DbGridModel;
class Prompts;

// A grid over a data source's records, one column per chosen field, that follows the current
// record both ways: moving in the grid moves the dataset (posting a pending edit first) and the
// grid follows any other move. The record being inserted shows as an extra row at its place.
// Cells are edited in place, starting the edit of the record only when the data source's
// autoEdit allows it or the record is already being edited.
//
// Keys: arrows and page keys move the current record; Insert inserts; Ctrl+Delete deletes
// (after the delete question); Enter or F2 edits the cell, typing replaces it; Escape takes back
// the cell being typed, then the record's changes; Ctrl+Enter in an ellipsis column is a click
// of its "…" button.
class DbGrid : public QTableView
{
    Q_OBJECT
public:
    static inline const QString standardDeleteQuestion = QStringLiteral("Eliminare il record?");

    DbGrid(DataSource* source, Prompts& prompts, QWidget* parent = nullptr);

    DataSource* source() const;
    Dataset* dataset() const;
    DbGridModel* gridModel() const { return model_; }

    // Columns. addColumn gives the new column's position.
    int addColumn(const DbGridColumn& column);
    int addColumn(const QString& field, const QString& title = {}, int width = 0);
    void setColumns(const QList<DbGridColumn>& columns);
    const DbGridColumn& column(int c) const;
    int columnCount() const;
    // Position of the column of a field, -1 when there is none.
    int columnOf(const QString& field) const;

    // No typing, inserting or deleting in the grid.
    void setReadOnly(bool on);
    bool isReadOnly() const;
    // Clicking selects whole rows.
    void setRowSelect(bool on);
    // Several rows can be selected at once (with Ctrl and Shift).
    void setMultiSelect(bool on);
    // The narrow column at the left with the current record's mark.
    void setIndicator(bool on);
    // The OK/Cancel question of Ctrl+Delete; an empty text deletes without asking.
    void setDeleteQuestion(const QString& question) { deleteText = question; }

    // Background of a cell from its record (the dataset row, -1 for the record being inserted,
    // which the fields read) and its column; an invalid colour keeps the normal one.
    void setCellColour(std::function<QColor(int record, int column)> colour);

    // The look of a column's heading: bold or not, in a colour (the palette's when not valid).
    void setTitleStyle(int column, bool bold, const QColor& colour);

    // Dataset rows of the selected grid rows, in grid order (without the record being inserted).
    QList<int> selectedRecords() const;
    // The editor open in a cell, nullptr when none is.
    QWidget* cellEditor() const;
    // Writes the cell being typed into its field and closes the editor; false when refused.
    bool commitEdit();
    // Where the "…" button of a cell is drawn.
    QRect ellipsisRect(const QModelIndex& index) const;

Q_SIGNALS:
    void titleClicked(int column);
    void ellipsisClicked(int column);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    // Letters typed where no cell can be edited do nothing (no jump to a matching row).
    void keyboardSearch(const QString&) override {}

private:
    void followDataset();
    void moveDatasetTo(int row);
    bool mayEdit(int column) const;
    void applyColumn(int c);
    void insertRecord();
    void deleteRecord();

    DbGridModel* model_;
    DbGridDelegate* delegate;
    Prompts& prompts;
    QString deleteText = standardDeleteQuestion;
    bool following = false;     // the grid is being put where the dataset is
    bool moving = false;        // the dataset is being put where the grid is
    QList<int> savedWidths;
};
