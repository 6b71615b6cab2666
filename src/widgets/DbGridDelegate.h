#pragma once
#include <QPointer>
#include <QStyledItemDelegate>

class DbGrid;
class DbGridModel;

// The cell editors of DbGrid: a drop-down of the fixed items of a pick-list column, a drop-down
// of the lookup dataset's records for a lookup column (choosing writes at once), a masked box
// for dates, a plain box otherwise. It also paints the "…" button of the current cell of an
// ellipsis column, and a cell's own background even when it is selected.
class DbGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit DbGridDelegate(DbGrid* grid);

    // The editor open in the grid, nullptr when none is.
    QWidget* openEditor() const { return editor; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    DbGridModel* model() const;

    DbGrid* grid;
    mutable QPointer<QWidget> editor;
};
