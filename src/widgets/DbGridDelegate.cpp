#include "DbGridDelegate.h"
#include "DbGrid.h"
#include "DbGridModel.h"
#include "FieldLink.h"
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

DbGridDelegate::DbGridDelegate(DbGrid* g) : QStyledItemDelegate(g), grid(g) {}

DbGridModel* DbGridDelegate::model() const
{
    return grid->gridModel();
}

QWidget* DbGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const int c = index.column();
    const DbGridColumn& col = model()->columns()[c];
    const Field* f = model()->fieldOf(c);
    QWidget* w = nullptr;
    if (!col.pickList.isEmpty() || model()->isLookup(c)) {
        auto* box = new QComboBox(parent);
        if (!col.pickList.isEmpty()) {
            box->addItems(col.pickList);
        } else if (Dataset* list = f->lookupDataset; list->active()) {
            for (int r = 0, n = list->recordCount(); r < n; ++r) {
                QVariantList keys;
                for (const QString& k : f->lookupKeyFields)
                    keys << list->valueAt(r, k);
                box->addItem(list->valueAt(r, f->lookupResultField).toString(), keys);
            }
        }
        box->setMaxVisibleItems(20);
        // A choice is written at once, as it is made.
        connect(box, &QComboBox::activated, this, [this, box] { Q_EMIT const_cast<DbGridDelegate*>(this)->commitData(box); });
        w = box;
    } else {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        if (f && f->type() == FieldType::Date)
            line->setInputMask(QStringLiteral("99/99/9999; "));
        else if (f && f->type() == FieldType::String && f->size() > 0)
            line->setMaxLength(f->size());
        w = line;
    }
    scartaAltSenzaAcceleratore(w);
    editor = w;
    return w;
}

void DbGridDelegate::destroyEditor(QWidget* w, const QModelIndex& index) const
{
    if (editor == w)
        editor = nullptr;
    QStyledItemDelegate::destroyEditor(w, index);
}

void DbGridDelegate::setEditorData(QWidget* w, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        if (model()->isLookup(index.column())) {
            const QVariantList keys = index.data(DbGridModel::KeyRole).toList();
            int found = -1;
            for (int i = 0; i < box->count() && found < 0; ++i)
                if (box->itemData(i).toList() == keys)
                    found = i;
            box->setCurrentIndex(found);
        } else {
            box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(index.data(Qt::EditRole).toString());
    }
}

void DbGridDelegate::setModelData(QWidget* w, QAbstractItemModel* m, const QModelIndex& index) const
{
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        if (box->currentIndex() < 0)
            return;
        if (model()->isLookup(index.column()))
            m->setData(index, box->currentData(), DbGridModel::KeyRole);
        else
            m->setData(index, box->currentText(), Qt::EditRole);
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        m->setData(index, line->text(), Qt::EditRole);
    }
}

void DbGridDelegate::updateEditorGeometry(QWidget* w, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QRect r = option.rect;
    // The "…" button stays visible beside the editor.
    if (model()->columns()[index.column()].ellipsis)
        r.setRight(grid->ellipsisRect(index).left() - 1);
    w->setGeometry(r);
}

void DbGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    // A cell with a background of its own keeps it when selected.
    if (index.data(Qt::BackgroundRole).isValid())
        opt.state &= ~QStyle::State_Selected;
    QStyledItemDelegate::paint(painter, opt, index);
    if (index != grid->currentIndex() || !model()->columns()[index.column()].ellipsis)
        return;
    QStyleOptionButton button;
    button.rect = grid->ellipsisRect(index);
    button.text = QStringLiteral("\u2026");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.palette = option.palette;
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
}
