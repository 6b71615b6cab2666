#include "DbLookupComboBox.h"

namespace {

// Codes are held in floating-point fields: 3 and 3.0 are the same key.
bool sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    bool na = false, nb = false;
    const double x = a.toDouble(&na), y = b.toDouble(&nb);
    if (na && nb && a.typeId() != QMetaType::QString && b.typeId() != QMetaType::QString)
        return x == y;
    return a.toString() == b.toString();
}

} // namespace

DbLookupComboBox::DbLookupComboBox(DataSource* source, const QString& fieldName, DataSource* listSource,
                                   const QString& key, const QString& shown, Prompts& prompts, QWidget* parent)
    : QComboBox(parent), fieldLink(new FieldLink(this, source, fieldName, prompts)), list(listSource),
      keyField(key), listField(shown)
{
    connect(fieldLink, &FieldLink::refresh, this, &DbLookupComboBox::showField);
    connect(this, &QComboBox::activated, this, &DbLookupComboBox::choose);
    if (list) {
        auto changed = [this] {
            stale = true;
            showField();
        };
        connect(list, &DataSource::rowsChanged, this, changed);
        connect(list, &DataSource::datasetChanged, this, changed);
    }
    showField();
}

void DbLookupComboBox::fillItems()
{
    if (!stale)
        return;
    stale = false;
    clear();
    Dataset* ds = list ? list->dataset() : nullptr;
    if (!ds || !ds->active())
        return;
    for (int r = 0, n = ds->recordCount(); r < n; ++r)
        addItem(ds->valueAt(r, listField).toString(), ds->valueAt(r, keyField));
}

void DbLookupComboBox::showField()
{
    fillItems();
    const Field* f = fieldLink->field();
    int found = -1;
    if (f && fieldLink->dataset()->active() && !f->isNull()) {
        const QVariant key = f->value();
        for (int i = 0; i < count() && found < 0; ++i)
            if (sameKey(itemData(i), key))
                found = i;
    }
    setCurrentIndex(found);
}

void DbLookupComboBox::showPopup()
{
    if (stale)
        showField();
    QComboBox::showPopup();
}

void DbLookupComboBox::choose(int index)
{
    const QVariant key = itemData(index);
    const Field* f = fieldLink->field();
    if (f && sameKey(f->value(), key))
        return;
    if (!fieldLink->beginEdit()) {
        showField();
        return;
    }
    fieldLink->write([&key](Field& f) { f.setValue(key); });
}
