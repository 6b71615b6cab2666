#include "Dataset.h"
#include "DateIt.h"
#include "Errors.h"
#include "FilterExpr.h"
#include "Locale.h"
#include "Testo.h"
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSet>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Bumped by every change of loaded rows anywhere, so that calculated and lookup values
// computed before it are computed again on their next read.
quint64 dataVersion = 1;

bool isNumeric(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// Text order of the store: byte order, optionally folding ASCII letters only.
int compareText(const QString& a, const QString& b, bool noCase)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (noCase) {
            if (x >= 'A' && x <= 'Z')
                x += 32;
            if (y >= 'A' && y <= 'Z')
                y += 32;
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Order of two stored values: empty first, then numbers, then texts (as SQLite orders them).
int compareValues(const QVariant& a, const QVariant& b, bool noCase)
{
    const bool an = a.isNull() || !a.isValid(), bn = b.isNull() || !b.isValid();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate) {
        const QDate x = a.toDate(), y = b.toDate();
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    const bool anum = isNumeric(a), bnum = isNumeric(b);
    if (anum && bnum) {
        const double x = a.toDouble(), y = b.toDouble();
        return x == y ? 0 : (x < y ? -1 : 1);
    }
    if (anum != bnum)
        return anum ? -1 : 1;
    const QString x = a.typeId() == QMetaType::QDate ? a.toDate().toString(Qt::ISODate) : a.toString();
    const QString y = b.typeId() == QMetaType::QDate ? b.toDate().toString(Qt::ISODate) : b.toString();
    return compareText(x, y, noCase);
}

QString keyText(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return QStringLiteral("\x01");
    if (isNumeric(v))
        return QString::number(v.toDouble(), 'g', 17);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString();
}

QStringList splitFields(const QString& list)
{
    QStringList out;
    for (const QString& f : list.split(';', Qt::SkipEmptyParts))
        out << f.trimmed();
    return out;
}

// A number given as a value or as Italian text.
double numberOf(const FieldDef& def, const QVariant& in)
{
    if (in.typeId() != QMetaType::QString)
        return in.toDouble();
    const auto n = parseNumber(in.toString());
    if (!n)
        throw LavError(QStringLiteral("'%1' non è un numero valido per il campo '%2'.").arg(in.toString(), def.name));
    return *n;
}

// Brings a value to the type of a field, refusing what the field cannot hold.
QVariant coerce(const FieldDef& def, const QVariant& in)
{
    if (!in.isValid() || in.isNull())
        return QVariant();
    auto outOfRange = [&](const QString& value, const QString& lo, const QString& hi) {
        return LavError(QStringLiteral("Il valore %1 non è ammesso per il campo '%2': deve essere compreso tra %3 e %4.")
                            .arg(value, def.name, lo, hi));
    };
    QVariant v;
    switch (def.type) {
    case FieldType::String: {
        QString s = in.typeId() == QMetaType::QDate ? formatDate(in.toDate()) : in.toString();
        s = tagliaTesto(s, def.size);
        if (s.isEmpty())
            return QVariant();
        v = s;
        break;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        const double d = numberOf(def, in);
        const double r = std::round(d);
        const double lo = def.type == FieldType::SmallInt ? -32768.0 : -2147483648.0;
        const double hi = def.type == FieldType::SmallInt ? 32767.0 : 2147483647.0;
        if (r < lo || r > hi)
            throw outOfRange(QString::number(d, 'g', 15), QString::number(lo, 'f', 0), QString::number(hi, 'f', 0));
        v = qlonglong(r);
        break;
    }
    case FieldType::Float:
    case FieldType::Currency: {
        const double d = numberOf(def, in);
        if (!std::isfinite(d))
            throw LavError(QStringLiteral("Valore non valido per il campo '%1'.").arg(def.name));
        v = def.type == FieldType::Currency ? Money::fromDouble(d).toDouble() : d;
        break;
    }
    case FieldType::Boolean:
        if (in.typeId() == QMetaType::QString) {
            const QString s = in.toString().trimmed().toLower();
            if (s.isEmpty())
                return QVariant();
            v = (s == "true" || s == "1" || s == "si" || s == "sì" || s == "t" || s == "s");
        } else {
            v = in.toBool();
        }
        break;
    case FieldType::Date: {
        QDate d;
        if (in.typeId() == QMetaType::QDate || in.typeId() == QMetaType::QDateTime)
            d = in.toDate();
        else {
            const QString s = in.toString();
            if (isBlankDate(s))
                return QVariant();
            d = QDate::fromString(s.left(10), Qt::ISODate);
            if (!d.isValid())
                d = parseDate(s);
            if (!d.isValid())
                throw LavError(QStringLiteral("'%1' non è una data valida per il campo '%2'.").arg(s, def.name));
        }
        if (!d.isValid())
            return QVariant();
        v = d;
        break;
    }
    }
    if ((def.minValue || def.maxValue) && isNumeric(v)) {
        const double d = v.toDouble();
        const double lo = def.minValue.value_or(-std::numeric_limits<double>::infinity());
        const double hi = def.maxValue.value_or(std::numeric_limits<double>::infinity());
        if (d < lo || d > hi)
            throw outOfRange(QString::number(d, 'g', 15),
                             def.minValue ? QString::number(*def.minValue, 'g', 15) : QStringLiteral("-∞"),
                             def.maxValue ? QString::number(*def.maxValue, 'g', 15) : QStringLiteral("∞"));
    }
    return v;
}

} // namespace

QString stateName(DatasetState s)
{
    switch (s) {
    case DatasetState::Inactive: return QStringLiteral("Non attivo");
    case DatasetState::Browse: return QStringLiteral("Visualizzazione");
    case DatasetState::Edit: return QStringLiteral("Modifica");
    case DatasetState::Insert: return QStringLiteral("Inserimento");
    default: return QString();
    }
}

// ---------------------------------------------------------------- Field

Field::Field(Dataset& o, FieldDef d, FieldKind k, int s) : owner(o), def(std::move(d)), fieldKind(k), slot(s) {}

QVariant Field::value() const
{
    const Dataset::Row* r = owner.activeRow();
    if (!r)
        return QVariant();
    if (fieldKind == FieldKind::Data) {
        if (slot < 0)
            throw LavError(QStringLiteral("%1: campo '%2' non trovato.").arg(owner.objectName(), def.name));
        return r->values.value(slot);
    }
    owner.computeRow(*r);
    return r->computed.value(slot);
}

bool Field::isNull() const
{
    const QVariant v = value();
    return !v.isValid() || v.isNull();
}

QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDate: return formatDate(v.toDate());
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15).replace('.', ',');
    default: return v.toString();
    }
}

qint64 Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        auto n = parseNumber(v.toString());
        return n ? qint64(std::llround(*n)) : 0;
    }
    return qint64(std::llround(v.toDouble()));
}

double Field::asFloat() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return 0.0;
    if (v.typeId() == QMetaType::QString)
        return parseNumber(v.toString()).value_or(0.0);
    return v.toDouble();
}

Money Field::asMoney() const
{
    return Money::fromDouble(asFloat());
}

QDate Field::asDate() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.isNull() || !v.isValid())
        return QDate();
    QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
    return d.isValid() ? d : parseDate(v.toString());
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (v.isNull() || !v.isValid())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == "true" || s == "1" || s == "t";
    }
    return v.toBool();
}

void Field::setValue(const QVariant& v)
{
    if (fieldKind != FieldKind::Data) {
        if (!owner.calcRow)
            throw LavError(QStringLiteral("%1: il campo '%2' non può essere modificato.").arg(owner.objectName(), def.name));
        QVariant c = coerce(FieldDef{def.name, def.type, 0, {}, {}, {}}, v);
        owner.calcRow->computed[slot] = c;
        return;
    }
    if (slot < 0)
        throw LavError(QStringLiteral("%1: campo '%2' non trovato.").arg(owner.objectName(), def.name));
    if (owner.st != DatasetState::Edit && owner.st != DatasetState::Insert)
        throw LavError(QStringLiteral("%1: l'archivio non è in modifica o inserimento.").arg(owner.objectName()));
    const QVariant c = coerce(def, v);
    owner.buffer.values[slot] = c;
    owner.buffer.computedStamp = 0;
    owner.bufferModified = true;
    if (owner.disableCount == 0)
        Q_EMIT owner.fieldChanged(this);
    else
        owner.pendingRecord = true;
    // Details linked through this field follow the new value.
    for (Dataset* d : owner.details)
        if (d->masterFieldNames.contains(def.name, Qt::CaseInsensitive))
            d->masterMoved();
}

QVariant Field::parseText(const QString& t) const
{
    switch (def.type) {
    case FieldType::Date:
        if (isBlankDate(t))
            return QVariant();
        return t;
    case FieldType::String:
        return t;
    case FieldType::Boolean:
        return t;
    default:
        if (t.trimmed().isEmpty())
            return QVariant();
        return t;
    }
}

QString Field::text() const
{
    if (onGetText)
        return onGetText(*this);
    return asString();
}

void Field::setText(const QString& t)
{
    if (onSetText) {
        onSetText(*this, t);
        return;
    }
    setValue(parseText(t));
}

// ---------------------------------------------------------------- Dataset

Dataset::Dataset(Database& d, const QString& name, QObject* parent) : QObject(parent), db(d)
{
    setObjectName(name);
}

Dataset::~Dataset()
{
    if (masterDs)
        std::erase(masterDs->details, this);
    for (Dataset* d : details)
        d->masterDs = nullptr;
}

void Dataset::bindDataFields(const QList<FieldDef>& columns)
{
    QSet<Field*> seen;
    std::vector<std::unique_ptr<Field>> ordered;
    int slot = 0;
    for (const FieldDef& c : columns) {
        auto it = std::find_if(fieldList.begin(), fieldList.end(), [&](const auto& f) {
            return f && f->fieldKind == FieldKind::Data && f->def.name.compare(c.name, Qt::CaseInsensitive) == 0;
        });
        if (it != fieldList.end()) {
            (*it)->def = c;
            (*it)->slot = slot;
            ordered.push_back(std::move(*it));
        } else {
            ordered.push_back(std::make_unique<Field>(*this, c, FieldKind::Data, slot));
        }
        ++slot;
    }
    // Data fields whose column is gone stay as objects but read as absent.
    for (auto& f : fieldList) {
        if (!f)
            continue;
        if (f->fieldKind == FieldKind::Data)
            f->slot = -1;
        ordered.push_back(std::move(f));
    }
    fieldList = std::move(ordered);
    dataFields = slot;
}

Field* Dataset::dataFieldAt(int slot) const
{
    for (const auto& f : fieldList)
        if (f->fieldKind == FieldKind::Data && f->slot == slot)
            return f.get();
    return nullptr;
}

Field& Dataset::addCalculatedField(const QString& name, FieldType type, int size)
{
    FieldDef d;
    d.name = name;
    d.type = type;
    d.size = size;
    fieldList.push_back(std::make_unique<Field>(*this, d, FieldKind::Calculated, computedFields++));
    return *fieldList.back();
}

Field& Dataset::addLookupField(const QString& name, FieldType type, int size, const QString& keyFields,
                               Dataset& lookup, const QString& lookupKeyFields, const QString& resultField)
{
    FieldDef d;
    d.name = name;
    d.type = type;
    d.size = size;
    fieldList.push_back(std::make_unique<Field>(*this, d, FieldKind::Lookup, computedFields++));
    Field& f = *fieldList.back();
    f.keyFields = splitFields(keyFields);
    f.lookupDataset = &lookup;
    f.lookupKeyFields = splitFields(lookupKeyFields);
    f.lookupResultField = resultField;
    return f;
}

Field* Dataset::findField(const QString& name)
{
    for (const auto& f : fieldList)
        if (f->def.name.compare(name, Qt::CaseInsensitive) == 0 && (f->fieldKind != FieldKind::Data || f->slot >= 0))
            return f.get();
    return nullptr;
}

Field& Dataset::field(const QString& name)
{
    if (Field* f = findField(name))
        return *f;
    throw LavError(QStringLiteral("%1: campo '%2' non trovato.").arg(objectName(), name));
}

const Dataset::Row* Dataset::activeRow() const
{
    if (calcRow)
        return calcRow;
    if (st == DatasetState::Edit || st == DatasetState::Insert)
        return &buffer;
    if (stale && pinned.rowid)
        return &pinned;
    ensureLoaded();
    if (cur >= 0 && cur < int(rows.size()))
        return &rows[cur];
    return nullptr;
}

void Dataset::computeRow(const Row& r) const
{
    if (r.computedStamp == dataVersion || computedFields == 0)
        return;
    r.computed = QList<QVariant>(computedFields);
    r.computedStamp = dataVersion;
    const QScopedValueRollback<const Row*> leggendo(calcRow, &r);
    for (const auto& f : fieldList) {
        if (f->fieldKind != FieldKind::Lookup || !f->lookupDataset)
            continue;
        QVariantList key;
        for (const QString& k : f->keyFields) {
            const Field* kf = const_cast<Dataset*>(this)->findField(k);
            key << (kf ? kf->value() : QVariant());
        }
        r.computed[f->slot] = f->lookupDataset->lookup(f->lookupKeyFields.join(';'), key, f->lookupResultField);
    }
    onCalcFields.fire(const_cast<Dataset&>(*this));
}

QVariant Dataset::valueAt(int row, int fieldIndex)
{
    ensureLoaded();
    if (row < 0 || row >= int(rows.size()) || fieldIndex < 0 || fieldIndex >= int(fieldList.size()))
        return QVariant();
    const Row* r = (row == cur && (st == DatasetState::Edit)) ? &buffer : &rows[row];
    const Field& f = *fieldList[fieldIndex];
    if (f.fieldKind == FieldKind::Data)
        return f.slot < 0 ? QVariant() : r->values.value(f.slot);
    computeRow(*r);
    return r->computed.value(f.slot);
}

QVariant Dataset::valueAt(int row, const QString& fieldName)
{
    for (int i = 0; i < int(fieldList.size()); ++i)
        if (fieldList[i]->def.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return valueAt(row, i);
    throw LavError(QStringLiteral("%1: campo '%2' non trovato.").arg(objectName(), fieldName));
}

void Dataset::setState(DatasetState s)
{
    if (st == s)
        return;
    st = s;
    Q_EMIT stateChanged();
}

// While the controls are disabled the signal waits for enableControls.
void Dataset::tell(bool& pending, void (Dataset::*signal)())
{
    if (disableCount > 0)
        pending = true;
    else
        Q_EMIT (this->*signal)();
}

void Dataset::notifyRecord()
{
    tell(pendingRecord, &Dataset::recordChanged);
}

void Dataset::notifyRows()
{
    ++dataVersion;
    tell(pendingRows, &Dataset::rowsChanged);
}

void Dataset::notifyRowsAndRecord()
{
    notifyRows();
    notifyRecord();
}

void Dataset::atomicFailed()
{
    notifyRowsAndRecord();
    if (onAtomicEnd)
        onAtomicEnd(*this, false);
    if (onAtomicFailure)
        onAtomicFailure(*this);
}

void Dataset::disableControls()
{
    ++disableCount;
}

void Dataset::enableControls()
{
    if (disableCount == 0)
        return;
    if (--disableCount > 0)
        return;
    const bool rowsPending = pendingRows, recordPending = pendingRecord;
    pendingRows = pendingRecord = false;
    if (rowsPending)
        Q_EMIT rowsChanged();
    if (rowsPending || recordPending) {
        Q_EMIT recordChanged();
        for (Dataset* d : details)
            d->masterMoved();
    }
}

// ---- open / close / load

void Dataset::open()
{
    if (active())
        return;
    beforeOpen.fire(*this);
    openCursor();
    if (!orderIndex.isEmpty()) {
        QStringList fields;
        bool noCase = false;
        if (!resolveIndex(orderIndex, fields, noCase))
            throw LavError(QStringLiteral("%1: indice '%2' non trovato.").arg(objectName(), orderIndex));
        orderFieldNames = fields;
        orderNoCase = noCase;
    } else if (!orderFieldNames.isEmpty()) {
        orderNoCase = fieldListNoCase(orderFieldNames);
    }
    resolveOrderSlots();
    if (masterDs)
        masterKeyValues = currentMasterKey();
    compileFilter();
    rows.clear();
    loadRows(rows);
    sortRows();
    cur = rows.empty() ? -1 : 0;
    atBof = true;
    atEof = rows.empty();
    setState(DatasetState::Browse);
    notifyRowsAndRecord();
    afterOpen.fire(*this);
    for (Dataset* d : details)
        d->masterMoved();
}

void Dataset::close()
{
    if (!active())
        return;
    beforeClose.fire(*this);
    rows.clear();
    cur = -1;
    atBof = atEof = true;
    buffer = Row{};
    bufferModified = false;
    masterKeyValues.clear();
    ++dataVersion;
    setState(DatasetState::Inactive);
    if (disableCount == 0) {
        Q_EMIT rowsChanged();
        Q_EMIT recordChanged();
    }
    afterClose.fire(*this);
    // Details of a closed master show nothing; one being edited keeps its record.
    for (Dataset* d : details) {
        if (!d->active() || d->st != DatasetState::Browse)
            continue;
        d->masterKeyValues.clear();
        d->markStale(0);
    }
}

void Dataset::loadAll(Bookmark keep)
{
    rows.clear();
    loadRows(rows);
    sortRows();
    cur = -1;
    if (keep) {
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows[i].rowid == keep) {
                cur = i;
                break;
            }
    }
    if (cur < 0)
        cur = rows.empty() ? -1 : 0;
    atBof = cur <= 0;
    atEof = rows.empty();
    notifyRowsAndRecord();
}

void Dataset::markStale(Bookmark keep)
{
    stale = true;
    staleKeep = keep;
    pinned = Row{};
    cur = -1;
    rows.clear();
    notifyRowsAndRecord();
}

void Dataset::ensureLoaded() const
{
    if (!stale || st == DatasetState::Inactive)
        return;
    auto* self = const_cast<Dataset*>(this);
    self->stale = false;
    self->loadAll(staleKeep);
    // A record posted meanwhile stays current even when the restriction would leave it out,
    // as it does when the rows are in memory.
    if (pinned.rowid) {
        Row r = std::move(self->pinned);
        self->pinned = Row{};
        if (self->cur < 0 || self->rows[self->cur].rowid != r.rowid) {
            const int at = positionOf(r);
            self->rows.insert(self->rows.begin() + at, std::move(r));
            self->cur = at;
            self->atBof = self->atEof = false;
        }
    }
    for (Dataset* d : details)
        d->masterMoved();
}

void Dataset::refresh()
{
    if (!active())
        return;
    checkBrowseMode();
    loadAll(bookmark());
    for (Dataset* d : details)
        d->masterMoved();
}

void Dataset::refreshLater()
{
    if (!active())
        return;
    checkBrowseMode();
    markStale(bookmark());
}

QVariantList Dataset::currentMasterKey() const
{
    QVariantList key;
    if (!masterDs || !masterDs->active())
        return key;
    for (const QString& f : masterFieldNames) {
        Field* mf = masterDs->findField(f);
        key << (mf ? mf->value() : QVariant());
    }
    return key;
}

void Dataset::masterMoved()
{
    if (!active() || !masterDs)
        return;
    if (masterDs->disableCount > 0) {
        masterDs->pendingRecord = true;
        return;
    }
    const QVariantList key = currentMasterKey();
    bool same = key.size() == masterKeyValues.size();
    for (int i = 0; same && i < key.size(); ++i)
        same = compareValues(key[i], masterKeyValues[i], false) == 0 && key[i].isNull() == masterKeyValues[i].isNull();
    if (same && !masterKeyValues.isEmpty())
        return;
    checkBrowseMode();
    masterKeyValues = key;
    markStale(0);
    for (Dataset* d : details)
        d->masterMoved();
    afterScroll.fire(*this);
}

void Dataset::sortRows()
{
    if (orderSlots.empty() && keepsReadOrder())
        return;
    auto less = [this](const Row& a, const Row& b) { return compareRows(a, b) < 0; };
    if (!std::is_sorted(rows.begin(), rows.end(), less))
        std::stable_sort(rows.begin(), rows.end(), less);
}

void Dataset::resolveOrderSlots()
{
    orderSlots.clear();
    for (const QString& name : orderFieldNames) {
        const Field* f = findField(name);
        if (f && f->fieldKind == FieldKind::Data && f->slot >= 0)
            orderSlots.push_back(f->slot);
    }
}

int Dataset::compareRows(const Row& a, const Row& b) const
{
    for (int slot : orderSlots) {
        const int c = compareValues(a.values[slot], b.values[slot], orderNoCase);
        if (c)
            return c;
    }
    return a.rowid == b.rowid ? 0 : (a.rowid < b.rowid ? -1 : 1);
}

int Dataset::compareKey(const Row& a, const QVariantList& key, bool) const
{
    for (int i = 0; i < key.size() && i < int(orderSlots.size()); ++i) {
        const Field* f = dataFieldAt(orderSlots[i]);
        const QVariant k = coerce(FieldDef{f->def.name, f->def.type, 0, {}, {}, {}}, key[i]);
        const int c = compareValues(a.values[orderSlots[i]], k, orderNoCase);
        if (c)
            return c;
    }
    return 0;
}

int Dataset::positionOf(const Row& r) const
{
    auto it = std::lower_bound(rows.begin(), rows.end(), r,
                               [this](const Row& a, const Row& b) { return compareRows(a, b) < 0; });
    return int(it - rows.begin());
}

// ---- navigation

void Dataset::ensureBrowse()
{
    if (!active())
        throw LavError(QStringLiteral("%1: l'archivio non è aperto.").arg(objectName()));
    checkBrowseMode();
    ensureLoaded();
}

void Dataset::moveTo(int row, bool bof, bool eof)
{
    // The flags are set first, so that whoever hears of the move sees them right.
    const bool flagsChanged = bof != atBof || eof != atEof;
    atBof = bof;
    atEof = eof;
    if (row == cur) {
        if (flagsChanged)
            notifyRecord();
        return;
    }
    beforeScroll.fire(*this);
    cur = row;
    notifyRecord();
    for (Dataset* d : details)
        d->masterMoved();
    afterScroll.fire(*this);
}

void Dataset::first()
{
    ensureBrowse();
    moveTo(rows.empty() ? cur : 0, true, rows.empty());
}

void Dataset::last()
{
    ensureBrowse();
    moveTo(rows.empty() ? cur : int(rows.size()) - 1, rows.empty(), true);
}

void Dataset::next()
{
    ensureBrowse();
    if (cur + 1 < int(rows.size()))
        moveTo(cur + 1, false, false);
    else
        moveTo(cur, atBof, true);
}

void Dataset::prior()
{
    ensureBrowse();
    if (cur > 0)
        moveTo(cur - 1, false, false);
    else
        moveTo(cur, true, atEof);
}

int Dataset::moveBy(int distance)
{
    ensureBrowse();
    if (rows.empty())
        return 0;
    const int target = std::clamp(cur + distance, 0, int(rows.size()) - 1);
    const int moved = target - cur;
    moveTo(target, distance < 0 && moved != distance, distance > 0 && moved != distance);
    return moved;
}

void Dataset::setRecNo(int n)
{
    ensureBrowse();
    moveTo(n >= 1 && n <= int(rows.size()) ? n - 1 : cur, n == 1, false);
}

Bookmark Dataset::bookmark() const
{
    if (stale)
        return staleKeep;
    return (cur >= 0 && cur < int(rows.size())) ? rows[cur].rowid : 0;
}

bool Dataset::bookmarkValid(Bookmark b) const
{
    ensureLoaded();
    return std::any_of(rows.begin(), rows.end(), [b](const Row& r) { return r.rowid == b; });
}

bool Dataset::gotoBookmark(Bookmark b)
{
    ensureBrowse();
    for (int i = 0; i < int(rows.size()); ++i)
        if (rows[i].rowid == b) {
            moveTo(i, false, false);
            return true;
        }
    return false;
}

// ---- editing

void Dataset::checkBrowseMode()
{
    if (st == DatasetState::Edit || st == DatasetState::Insert)
        post();
}

void Dataset::insert()
{
    if (!active())
        throw LavError(QStringLiteral("%1: l'archivio non è aperto.").arg(objectName()));
    if (!canModify())
        throw LavError(QStringLiteral("%1: l'archivio è di sola lettura.").arg(objectName()));
    checkBrowseMode();
    beforeInsert.fire(*this);
    buffer = Row{};
    buffer.values = QList<QVariant>(dataFields);
    for (const auto& f : fieldList)
        if (f->fieldKind == FieldKind::Data && f->slot >= 0 && f->def.defaultValue.isValid())
            buffer.values[f->slot] = coerce(f->def, f->def.defaultValue);
    if (masterDs) {
        const QVariantList key = currentMasterKey();
        for (int i = 0; i < detailFieldNames.size() && i < key.size(); ++i)
            if (Field* df = findField(detailFieldNames[i]); df && df->fieldKind == FieldKind::Data)
                buffer.values[df->slot] = coerce(df->def, key[i]);
    }
    original = Row{};
    bufferModified = false;
    setState(DatasetState::Insert);
    {
        // A rule that refuses the new record gives the insertion up.
        auto giveUp = qScopeGuard([this] {
            buffer = Row{};
            setState(DatasetState::Browse);
            notifyRecord();
        });
        onNewRecord.fire(*this);
        giveUp.dismiss();
    }
    bufferModified = false;
    notifyRecord();
    for (Dataset* d : details)
        d->masterMoved();
    afterInsert.fire(*this);
}

void Dataset::append()
{
    insert();
}

void Dataset::edit()
{
    if (st == DatasetState::Edit || st == DatasetState::Insert)
        return;
    if (!active())
        throw LavError(QStringLiteral("%1: l'archivio non è aperto.").arg(objectName()));
    if (!canModify())
        throw LavError(QStringLiteral("%1: l'archivio è di sola lettura.").arg(objectName()));
    ensureLoaded();
    if (rows.empty()) {
        insert();
        return;
    }
    beforeEdit.fire(*this);
    original = rows[cur];
    buffer = rows[cur];
    buffer.computedStamp = 0;
    bufferModified = false;
    setState(DatasetState::Edit);
    afterEdit.fire(*this);
}

void Dataset::post()
{
    if (st != DatasetState::Edit && st != DatasetState::Insert)
        return;
    if (!atomic) {
        try {
            postRows(st == DatasetState::Insert);
        } catch (const RowConflict&) {
            rereadOnCancel = true;
            throw;
        }
        return;
    }
    const Row savedBuffer = buffer, savedOriginal = original;
    const DatasetState savedState = st;
    const bool wasStale = stale;
    const Bookmark savedKeep = staleKeep;
    const Row savedPinned = pinned;
    if (onAtomicBegin)
        onAtomicBegin(*this);
    try {
        Savepoint sp(db);
        postRows(st == DatasetState::Insert);
        sp.release();
        if (onAtomicEnd)
            onAtomicEnd(*this, true);
    } catch (...) {
        // The savepoint took the file back; the rows in memory, the buffer and the state are
        // put back by hand as they stood, which no guard knows how to do.
        if (wasStale) {
            // The rows are still to be read: they must not be read standing on a record that
            // was rolled back.
            staleKeep = savedKeep;
            pinned = savedPinned;
        } else if (st == DatasetState::Browse && cur >= 0) {
            rows.erase(rows.begin() + cur);
            if (savedState == DatasetState::Edit) {
                const int at = positionOf(savedOriginal);
                rows.insert(rows.begin() + at, savedOriginal);
                cur = at;
            } else {
                cur = std::min(cur, int(rows.size()) - 1);
            }
        }
        buffer = savedBuffer;
        original = savedOriginal;
        bufferModified = true;
        setState(savedState);
        atomicFailed();
        try {
            throw;
        } catch (const RowConflict&) {
            rereadOnCancel = true;
            throw;
        }
    }
}

void Dataset::postRows(bool inserting)
{
    beforePost.fire(*this);
    try {
        if (inserting)
            buffer.rowid = insertRow(buffer);
        else
            buffer.rowid = updateRow(original, buffer);
    } catch (const RowConflict&) {
        throw;
    } catch (const LavError& e) {
        if (onPostError && onPostError(*this, e.message()))
            throw Abort{};
        throw;
    }
    if (inserting) {
        for (const auto& f : fieldList)
            if (f->fieldKind == FieldKind::Data && f->def.type == FieldType::AutoInc && f->slot >= 0)
                buffer.values[f->slot] = qlonglong(buffer.rowid);
    }
    if (stale) {
        // The rows are read again when needed, standing on the record just posted.
        staleKeep = buffer.rowid;
        pinned = buffer;
        pinned.computedStamp = 0;
    } else {
        Row posted = buffer;
        posted.computedStamp = 0;
        if (!inserting && cur >= 0)
            rows.erase(rows.begin() + cur);
        const int at = orderSlots.empty() && keepsReadOrder() ? std::clamp(cur, 0, int(rows.size())) : positionOf(posted);
        rows.insert(rows.begin() + at, std::move(posted));
        cur = at;
        atBof = atEof = false;
    }
    buffer = Row{};
    original = Row{};
    bufferModified = false;
    setState(DatasetState::Browse);
    notifyRowsAndRecord();
    afterPost.fire(*this);
    for (Dataset* d : details)
        d->masterMoved();
}

void Dataset::cancel()
{
    if (st != DatasetState::Edit && st != DatasetState::Insert)
        return;
    beforeCancel.fire(*this);
    buffer = Row{};
    original = Row{};
    bufferModified = false;
    setState(DatasetState::Browse);
    if (rereadOnCancel)
        rereadAfterConflict();
    notifyRecord();
    afterCancel.fire(*this);
    for (Dataset* d : details)
        d->masterMoved();
}

// The rows are read again after a post or delete refused because another window or program
// changed them, so that the record shows what is stored now.
void Dataset::rereadAfterConflict()
{
    rereadOnCancel = false;
    if (!stale && st == DatasetState::Browse)
        loadAll(bookmark());
}

void Dataset::remove()
{
    if (st == DatasetState::Insert) {
        cancel();
        return;
    }
    if (!active())
        throw LavError(QStringLiteral("%1: l'archivio non è aperto.").arg(objectName()));
    ensureLoaded();
    if (rows.empty())
        throw LavError(QStringLiteral("%1: nessun record da eliminare.").arg(objectName()));
    if (!canModify())
        throw LavError(QStringLiteral("%1: l'archivio è di sola lettura.").arg(objectName()));
    if (!atomic) {
        try {
            removeRow();
        } catch (...) {
            if (onDeleteFailure)
                onDeleteFailure(*this);
            try {
                throw;
            } catch (const RowConflict&) {
                rereadAfterConflict();
                throw;
            }
        }
        return;
    }
    const Row savedRow = rows[cur];
    const DatasetState savedState = st;
    if (onAtomicBegin)
        onAtomicBegin(*this);
    try {
        Savepoint sp(db);
        removeRow();
        sp.release();
        if (onAtomicEnd)
            onAtomicEnd(*this, true);
    } catch (...) {
        // The savepoint took the file back; the record comes back into the rows in memory.
        if (!stale && std::none_of(rows.begin(), rows.end(), [&](const Row& r) { return r.rowid == savedRow.rowid; })) {
            const int at = positionOf(savedRow);
            rows.insert(rows.begin() + at, savedRow);
            cur = at;
        }
        setState(savedState == DatasetState::Edit ? DatasetState::Browse : savedState);
        atomicFailed();
        try {
            throw;
        } catch (const RowConflict&) {
            rereadAfterConflict();
            throw;
        }
    }
}

void Dataset::removeRow()
{
    beforeDelete.fire(*this);
    ensureLoaded();
    if (cur < 0 || cur >= int(rows.size()))
        return;
    deleteRow(st == DatasetState::Edit ? original : rows[cur]);
    rows.erase(rows.begin() + cur);
    if (cur >= int(rows.size()))
        cur = int(rows.size()) - 1;
    buffer = Row{};
    original = Row{};
    bufferModified = false;
    atBof = cur <= 0;
    atEof = rows.empty();
    setState(DatasetState::Browse);
    notifyRowsAndRecord();
    afterDelete.fire(*this);
    for (Dataset* d : details)
        d->masterMoved();
    afterScroll.fire(*this);
}

// ---- writing one row

qint64 Dataset::insertInto(const QString& table, const Row& r)
{
    QStringList cols, marks;
    QVariantList params;
    for (int i = 0; i < dataFields; ++i) {
        const Field* f = dataFieldAt(i);
        const QVariant v = r.values.value(i);
        if (f->type() == FieldType::AutoInc && (v.isNull() || !v.isValid()))
            continue;
        cols << quoteName(f->name());
        marks << QStringLiteral("?");
        params << toSqlValue(f->type(), v);
    }
    const QString sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(table, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    QSqlQuery q = db.exec(sql, params);
    const qint64 id = q.lastInsertId().toLongLong();
    q.finish();
    return id;
}

qint64 Dataset::storedRowFor(const QString& table, const Row& r, bool deleting)
{
    QStringList cols;
    std::vector<const Field*> fs;
    for (int i = 0; i < dataFields; ++i) {
        const Field* f = dataFieldAt(i);
        cols << quoteName(f->name());
        fs.push_back(f);
    }
    QStringList where;
    QVariantList params;
    for (const QString& k : identityFields()) {
        const Field* f = const_cast<Dataset*>(this)->findField(k);
        where << quoteName(f->name()) + QStringLiteral(" IS ?");
        params << toSqlValue(f->type(), r.values.value(f->slot));
    }
    if (where.isEmpty()) {
        where << QStringLiteral("rowid = ?");
        params << r.rowid;
    }
    QSqlQuery q = db.exec(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %3")
                              .arg(cols.join(QStringLiteral(", ")), table, where.join(QStringLiteral(" AND "))),
                          params);
    bool any = false;
    qint64 found = 0;
    while (q.next()) {
        any = true;
        const qint64 id = q.value(0).toLongLong();
        bool same = true;
        for (int i = 0; same && i < int(fs.size()); ++i) {
            const QVariant stored = typedValue(fs[i]->type(), q.value(i + 1));
            const QVariant& read = r.values.value(i);
            const bool sn = stored.isNull() || !stored.isValid(), rn = read.isNull() || !read.isValid();
            same = sn == rn && (sn || stored == read);
        }
        // Rows sharing an empty key: the one read is preferred.
        if (same && (found == 0 || id == r.rowid))
            found = id;
    }
    q.finish();
    if (found == 0)
        throw RowConflict(any ? RowConflict::Changed : RowConflict::Vanished, deleting);
    return found;
}

qint64 Dataset::updateIn(const QString& table, const Row& before, const Row& after)
{
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < dataFields; ++i) {
        const QVariant& a = before.values.value(i);
        const QVariant& b = after.values.value(i);
        if (a == b && a.isNull() == b.isNull())
            continue;
        const Field* f = dataFieldAt(i);
        sets << quoteName(f->name()) + QStringLiteral(" = ?");
        params << toSqlValue(f->type(), b);
    }
    if (sets.isEmpty())
        return before.rowid;
    // The check and the write are one unit, so that nothing slips in between.
    Savepoint sp(db);
    const qint64 id = storedRowFor(table, before, false);
    params << id;
    db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets.join(QStringLiteral(", "))), params);
    sp.release();
    return id;
}

void Dataset::deleteFrom(const QString& table, const Row& r)
{
    Savepoint sp(db);
    const qint64 id = storedRowFor(table, r, true);
    db.exec(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table), QVariantList{id});
    sp.release();
}

// ---- order, master, filter

bool Dataset::resolveIndex(const QString&, QStringList&, bool&) const
{
    return false;
}

void Dataset::setIndexName(const QString& name)
{
    QStringList fields;
    bool noCase = false;
    // Before opening, the name is resolved when the table opens.
    if (!name.isEmpty() && !resolveIndex(name, fields, noCase) && active())
        throw LavError(QStringLiteral("%1: indice '%2' non trovato.").arg(objectName(), name));
    if (active())
        checkBrowseMode();
    orderIndex = name;
    orderFieldNames = fields;
    orderNoCase = noCase;
    applyOrder();
}

void Dataset::setIndexFieldNames(const QString& fields)
{
    if (active())
        checkBrowseMode();
    const QStringList list = splitFields(fields);
    orderIndex.clear();
    orderFieldNames = list;
    orderNoCase = fieldListNoCase(list);
    applyOrder();
}

void Dataset::applyOrder()
{
    resolveOrderSlots();
    if (!active())
        return;
    if (!stale) {
        // The loaded rows are sorted again in memory, staying on the same record.
        const Bookmark b = bookmark();
        std::stable_sort(rows.begin(), rows.end(), [this](const Row& a, const Row& c) { return compareRows(a, c) < 0; });
        cur = -1;
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows[i].rowid == b)
                cur = i;
        if (cur < 0 && !rows.empty())
            cur = 0;
    }
    notifyRowsAndRecord();
}

QString Dataset::indexFieldNames() const
{
    return orderIndex.isEmpty() ? orderFieldNames.join(';') : QString();
}

void Dataset::setMaster(Dataset* m, const QString& mFields, const QString& dFields)
{
    if (masterDs)
        std::erase(masterDs->details, this);
    masterDs = m;
    masterFieldNames = splitFields(mFields);
    detailFieldNames = splitFields(dFields);
    masterKeyValues.clear();
    if (m)
        m->details.push_back(this);
    if (active()) {
        checkBrowseMode();
        masterKeyValues = currentMasterKey();
        markStale(bookmark());
        for (Dataset* d : details)
            d->masterMoved();
    }
}

void Dataset::compileFilter()
{
    compiled = {};
    if (!filterOn || filterText.trimmed().isEmpty())
        return;
    QList<FilterField> ff;
    for (const auto& f : fieldList)
        if (f->fieldKind == FieldKind::Data && f->slot >= 0)
            ff.append({f->def.name, f->def.type});
    const CompiledFilter c = ::compileFilter(filterText, ff);
    compiled.where = c.where;
    compiled.params = c.params;
}

void Dataset::setFilter(const QString& expression)
{
    if (expression == filterText)
        return;
    filterText = expression;
    if (active() && filterOn) {
        checkBrowseMode();
        compileFilter();
        markStale(bookmark());
        for (Dataset* d : details)
            d->masterMoved();
    }
}

void Dataset::setFiltered(bool on)
{
    if (on == filterOn)
        return;
    filterOn = on;
    if (active()) {
        checkBrowseMode();
        compileFilter();
        markStale(bookmark());
        for (Dataset* d : details)
            d->masterMoved();
    }
}

// ---- search

bool Dataset::findKey(const QVariantList& values)
{
    ensureBrowse();
    if (orderFieldNames.isEmpty())
        throw LavError(QStringLiteral("%1: nessun indice attivo per la ricerca.").arg(objectName()));
    auto it = std::lower_bound(rows.begin(), rows.end(), values,
                               [this](const Row& r, const QVariantList& k) { return compareKey(r, k, false) < 0; });
    if (it == rows.end() || compareKey(*it, values, false) != 0)
        return false;
    moveTo(int(it - rows.begin()), false, false);
    return true;
}

void Dataset::findNearest(const QVariantList& values)
{
    ensureBrowse();
    if (rows.empty())
        return;
    if (orderFieldNames.isEmpty())
        throw LavError(QStringLiteral("%1: nessun indice attivo per la ricerca.").arg(objectName()));
    auto it = std::lower_bound(rows.begin(), rows.end(), values,
                               [this](const Row& r, const QVariantList& k) { return compareKey(r, k, true) < 0; });
    int target = it == rows.end() ? int(rows.size()) - 1 : int(it - rows.begin());
    moveTo(target, false, false);
}

namespace {
bool matches(const QVariant& stored, const QVariant& wanted, bool noCase, bool partial)
{
    const bool sn = stored.isNull() || !stored.isValid(), wn = wanted.isNull() || !wanted.isValid();
    if (sn || wn)
        return sn == wn;
    if (stored.typeId() == QMetaType::QString || wanted.typeId() == QMetaType::QString) {
        if (isNumeric(stored) && !isNumeric(wanted)) {
            auto n = parseNumber(wanted.toString());
            return n && *n == stored.toDouble();
        }
        if (stored.typeId() == QMetaType::QDate) {
            QDate d = QDate::fromString(wanted.toString(), Qt::ISODate);
            if (!d.isValid())
                d = parseDate(wanted.toString());
            return d == stored.toDate();
        }
        const QString s = stored.toString(), w = wanted.toString();
        const auto cs = noCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return partial ? s.startsWith(w, cs) : s.compare(w, cs) == 0;
    }
    return compareValues(stored, wanted, false) == 0;
}
} // namespace

bool Dataset::locate(const QString& fieldNames, const QVariantList& values, LocateOptions opt)
{
    ensureBrowse();
    const QStringList names = splitFields(fieldNames);
    std::vector<const Field*> fs;
    for (const QString& n : names)
        fs.push_back(&field(n));
    for (int i = 0; i < int(rows.size()); ++i) {
        bool ok = true;
        for (int j = 0; ok && j < int(fs.size()); ++j) {
            const QVariant v = fs[j]->fieldKind == FieldKind::Data ? rows[i].values.value(fs[j]->slot) : valueAt(i, fs[j]->name());
            ok = matches(v, values.value(j), opt.caseInsensitive, opt.partialKey);
        }
        if (ok) {
            moveTo(i, false, false);
            return true;
        }
    }
    return false;
}

QVariant Dataset::lookup(const QString& keyFieldList, const QVariantList& values, const QString& resultField)
{
    ensureLoaded();
    if (!active() || rows.empty())
        return QVariant();
    const QStringList names = splitFields(keyFieldList);
    std::vector<int> keySlots;
    for (const QString& n : names) {
        Field* f = findField(n);
        if (!f || f->fieldKind != FieldKind::Data)
            return QVariant();
        keySlots.push_back(f->slot);
    }
    if (lookupIndexVersion != dataVersion || lookupIndexFields != keyFieldList) {
        lookupIndex.clear();
        for (int i = int(rows.size()) - 1; i >= 0; --i) {
            QString k;
            for (int s : keySlots)
                k += keyText(rows[i].values.value(s)) + QChar(0x1f);
            lookupIndex.insert(k, i);
        }
        lookupIndexVersion = dataVersion;
        lookupIndexFields = keyFieldList;
    }
    QString k;
    for (int j = 0; j < int(keySlots.size()); ++j) {
        const Field* f = dataFieldAt(keySlots[j]);
        QVariant v = values.value(j);
        try {
            v = coerce(FieldDef{f->def.name, f->def.type, 0, {}, {}, {}}, v);
        } catch (const LavError&) {
            return QVariant();
        }
        k += keyText(v) + QChar(0x1f);
    }
    auto it = lookupIndex.constFind(k);
    if (it == lookupIndex.constEnd())
        return QVariant();
    return valueAt(*it, resultField);
}
