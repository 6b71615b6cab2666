#pragma once
#include "Database.h"
#include "Errors.h"
#include "Money.h"
#include <QDate>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

// The cursor over a set of rows that every window, rule and report works through: the states,
// the events and the fields of a classic desktop-database dataset.

enum class DatasetState { Inactive, Browse, Edit, Insert, CalcFields };
// "Non attivo", "Visualizzazione", "Modifica", "Inserimento"; empty for any other state.
QString stateName(DatasetState s);

class Dataset;

// A list of handlers run in order. A handler refuses the action by throwing Abort.
class Event
{
public:
    using Handler = std::function<void(Dataset&)>;
    void operator+=(Handler h) { handlers.push_back(std::move(h)); }
    void fire(Dataset& d) const
    {
        for (const auto& h : handlers)
            h(d);
    }
    bool empty() const { return handlers.empty(); }

private:
    std::vector<Handler> handlers;
};

enum class FieldKind { Data, Calculated, Lookup };

class Field
{
public:
    Field(Dataset& owner, FieldDef def, FieldKind kind, int slot);

    const QString& name() const { return def.name; }
    FieldType type() const { return def.type; }
    int size() const { return def.size; }
    FieldKind kind() const { return fieldKind; }
    const FieldDef& definition() const { return def; }
    Dataset& dataset() const { return owner; }
    bool readOnly() const { return fieldKind != FieldKind::Data || def.type == FieldType::AutoInc || ro; }
    void setReadOnly(bool r) { ro = r; }

    // Typed value of the active record: QString, qlonglong, double, bool, QDate or null.
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    Money asMoney() const;
    QDate asDate() const;
    bool asBoolean() const;

    // Sets the value; needs the dataset in Edit or Insert (or a calculated field during the
    // calc pass). Strings longer than the width are cut; a 16-bit value out of range, or a
    // value outside the field's range, is refused with a LavError.
    void setValue(const QVariant& v);
    Field& operator=(const QVariant& v) { setValue(v); return *this; }
    Field& operator=(const QString& v) { setValue(v); return *this; }
    Field& operator=(const char* v) { setValue(QString::fromUtf8(v)); return *this; }
    Field& operator=(int v) { setValue(qlonglong(v)); return *this; }
    Field& operator=(qint64 v) { setValue(qlonglong(v)); return *this; }
    Field& operator=(double v) { setValue(v); return *this; }
    Field& operator=(bool v) { setValue(v); return *this; }
    Field& operator=(const QDate& v) { setValue(v); return *this; }
    Field& operator=(Money v) { setValue(v.toDouble()); return *this; }
    void clear() { setValue(QVariant()); }

    // Display and entry text. The hooks let a rule replace the conversion (Mese_Fatt shown
    // as "True"/"False", Sesso turned to upper case, the blank date mask).
    QString text() const;
    void setText(const QString& t);
    std::function<QString(const Field&)> onGetText;
    std::function<void(Field&, const QString&)> onSetText;
    // Default conversion of a typed text into this field's type (Italian formats).
    QVariant parseText(const QString& t) const;

    // Lookup definition: value of resultField in lookupDataset where lookupKeyFields equal
    // this dataset's keyFields.
    QStringList keyFields;
    Dataset* lookupDataset = nullptr;
    QStringList lookupKeyFields;
    QString lookupResultField;

    QString displayLabel;
    int tag = 0;

private:
    friend class Dataset;
    Dataset& owner;
    FieldDef def;
    FieldKind fieldKind;
    int slot;    // index in the row's stored values (data, -1 when the column is absent) or computed values
    bool ro = false;
};

struct LocateOptions
{
    bool caseInsensitive = false;
    bool partialKey = false;
};

// Opaque position of a record, stable across reloads.
using Bookmark = qint64;

class Dataset : public QObject
{
    Q_OBJECT
public:
    Dataset(Database& db, const QString& objectName, QObject* parent = nullptr);
    ~Dataset() override;

    Database& database() const { return db; }

    // Life.
    void open();
    void close();
    bool active() const { return st != DatasetState::Inactive; }
    void setActive(bool on) { on ? open() : close(); }
    DatasetState state() const { return st; }
    // Reloads the rows (after changes made with SQL), staying on the same record if it is still there.
    void refresh();
    // The same, left to the first operation that needs the rows: nothing is read when
    // nobody looks, and several changes in a row cost one reload.
    void refreshLater();

    // Navigation. Moving away from a record in Edit or Insert posts it first.
    void first();
    void prior();
    void next();
    void last();
    int moveBy(int distance);
    bool bof() const { ensureLoaded(); return atBof; }
    bool eof() const { ensureLoaded(); return atEof; }
    bool isEmpty() const { ensureLoaded(); return rows.empty(); }
    int recordCount() const { ensureLoaded(); return int(rows.size()); }
    int recNo() const { ensureLoaded(); return cur + 1; }        // 1-based, 0 when empty
    void setRecNo(int n);

    Bookmark bookmark() const;
    bool gotoBookmark(Bookmark b);
    bool bookmarkValid(Bookmark b) const;

    // Editing.
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void checkBrowseMode();                     // posts a pending edit
    bool canEdit() const { return active() && canModify(); }
    bool modified() const { return bufferModified; }

    // Fields.
    Field& field(const QString& name);
    Field* findField(const QString& name);
    Field& operator[](const QString& name) { return field(name); }
    int fieldCount() const { return int(fieldList.size()); }
    Field& fieldAt(int i) { return *fieldList[i]; }
    Field& addCalculatedField(const QString& name, FieldType type, int size = 0);
    Field& addLookupField(const QString& name, FieldType type, int size, const QString& keyFields,
                          Dataset& lookup, const QString& lookupKeyFields, const QString& resultField);

    // Value of a field in any loaded row without moving the cursor (grids, reports).
    QVariant valueAt(int row, const QString& fieldName);
    QVariant valueAt(int row, int fieldIndex);
    int currentRow() const { ensureLoaded(); return cur; }

    // Order: a named index of the table, or a list of fields "Cliente;Data".
    void setIndexName(const QString& name);
    QString indexName() const { return orderIndex; }
    void setIndexFieldNames(const QString& fields);
    QString indexFieldNames() const;

    // Master/detail: the rows whose detailFields equal the master's masterFields; new
    // records get the link fields from the master.
    void setMaster(Dataset* master, const QString& masterFields, const QString& detailFields);
    Dataset* master() const { return masterDs; }
    // Current values of the master fields, from the master's active record.
    QVariantList currentMasterKey() const;
    QString masterFields() const { return masterFieldNames.join(';'); }
    QString detailFields() const { return detailFieldNames.join(';'); }

    // Filter written as an expression ("Conto = 0 and Incassata = True"); compiled to SQL with
    // bound values. Switching it on or off keeps the expression.
    void setFilter(const QString& expression);
    QString filter() const { return filterText; }
    void setFiltered(bool on);
    bool filtered() const { return filterOn; }

    // Search.
    // Exact match on the leading fields of the current order; moves there.
    bool findKey(const QVariantList& values);
    // First record at or after the key in the current order (incremental search).
    void findNearest(const QVariantList& values);
    bool locate(const QString& fields, const QVariantList& values, LocateOptions opt = LocateOptions());
    QVariant lookup(const QString& keyFields, const QVariantList& values, const QString& resultField);

    // Controls bound to the dataset are not told of changes while disabled (nested).
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disableCount > 0; }

    int tag = 0;

    // When set, a post or a delete runs with its rules as one unit: if anything fails, the
    // files are as before and the record stays as it was (in edit for a post), and
    // onAtomicFailure lets the owner bring other datasets back in line with the files.
    bool atomic = false;
    std::function<void(Dataset&)> onAtomicFailure;
    // Called when an atomic post or delete begins and when it ends (ok: it went through), so
    // that the owner keeps what its rules remember and gives it back when the unit fails.
    std::function<void(Dataset&)> onAtomicBegin;
    std::function<void(Dataset&, bool ok)> onAtomicEnd;
    // A delete of a dataset that is not atomic failed after its beforeDelete rules ran: the
    // owner undoes what those rules did (the customer deletion rolls back its transaction).
    std::function<void(Dataset&)> onDeleteFailure;

    // Events.
    Event beforeOpen, afterOpen, beforeClose, afterClose;
    Event beforeInsert, afterInsert, onNewRecord;
    Event beforeEdit, afterEdit;
    Event beforePost, afterPost;
    Event beforeCancel, afterCancel;
    Event beforeDelete, afterDelete;
    Event beforeScroll, afterScroll;
    Event onCalcFields;
    // A failing post: returns true to drop the error quietly (the record stays in edit).
    std::function<bool(Dataset&, const QString& message)> onPostError;

Q_SIGNALS:
    void stateChanged();
    // The current record moved or its values changed as a whole.
    void recordChanged();
    // One field of the current record changed.
    void fieldChanged(Field* f);
    // The set or the order of the rows changed.
    void rowsChanged();

protected:
    struct Row
    {
        qint64 rowid = 0;
        QList<QVariant> values;              // data fields, typed
        mutable QList<QVariant> computed;    // calculated and lookup fields
        mutable quint64 computedStamp = 0;   // the data version they were computed at
    };

    // What a subclass supplies: the data fields and the rows.
    virtual void openCursor() = 0;                 // fills the field list and the rows
    virtual void loadRows(std::vector<Row>& out) = 0;
    virtual qint64 insertRow(const Row& r) = 0;     // returns the new rowid
    // Writes the changes of a row read as before; returns the rowid written. Refused with
    // RowConflict when the stored row changed or vanished since it was read.
    virtual qint64 updateRow(const Row& before, const Row& after) = 0;
    virtual void deleteRow(const Row& r) = 0;
    virtual bool canModify() const = 0;

    // Maps the stored columns onto the field objects, which live as long as the dataset so
    // that controls and rules can keep pointers to them across close and open.
    void bindDataFields(const QList<FieldDef>& columns);
    int dataFieldCount() const { return dataFields; }
    Field* dataFieldAt(int slot) const;
    const Row* activeRow() const;
    // Index of a field in the order/master lists, for subclasses building SQL.
    QStringList orderFields() const { return orderFieldNames; }
    bool orderCaseInsensitive() const { return orderNoCase; }
    QStringList detailFieldList() const { return detailFieldNames; }
    QVariantList masterKey() const { return masterKeyValues; }
    bool hasMaster() const { return masterDs != nullptr; }
    struct SqlFilter { QString where; QVariantList params; };
    SqlFilter compiledFilter() const { return compiled; }
    // The one-row statements of a table that holds the rows: INSERT (returning the rowid),
    // UPDATE of the changed fields and DELETE, with bound values. UPDATE and DELETE find the
    // row by its primary key (by rowid in a table without one) and first check that it still
    // holds the values that were read.
    qint64 insertInto(const QString& table, const Row& r);
    qint64 updateIn(const QString& table, const Row& before, const Row& after);
    void deleteFrom(const QString& table, const Row& r);
    // The fields that identify a row: the table's primary key; empty to use the rowid.
    virtual QStringList identityFields() const { return {}; }
    // The typed value of a stored column as the rows are loaded, so that a row read again
    // compares equal to the row in memory when nothing changed.
    virtual QVariant typedValue(FieldType type, const QVariant& stored) const { return fromSqlValue(type, stored); }
    // Resolves an order given by index name into fields; subclasses that know indexes override.
    virtual bool resolveIndex(const QString& name, QStringList& fields, bool& noCase) const;
    // Whether an order given as a field list compares texts without regard to letter case
    // (it does when a case-insensitive index starts with those fields).
    virtual bool fieldListNoCase(const QStringList& fields) const { return false; }
    // Whether rows without an order of their own keep the order they were read in (a query's
    // ORDER BY) instead of the order of their rowids; a posted record then stays in its place.
    virtual bool keepsReadOrder() const { return false; }

private:
    friend class Field;
    void setState(DatasetState s);
    void loadAll(Bookmark keep);
    // A change of master, filter or order only marks the rows stale; they are read again
    // when something needs them, so that several switches in a row cost one reload.
    void markStale(Bookmark keep);
    void ensureLoaded() const;
    void postRows(bool inserting);
    // The rowid of the stored row that still holds what r held when it was read; RowConflict
    // when it changed or is gone.
    qint64 storedRowFor(const QString& table, const Row& r, bool deleting);
    void rereadAfterConflict();
    void removeRow();
    void sortRows();
    int compareRows(const Row& a, const Row& b) const;
    int compareKey(const Row& a, const QVariantList& key, bool partialStrings) const;
    int positionOf(const Row& r) const;
    void moveTo(int row, bool bof, bool eof);
    void masterMoved();
    void computeRow(const Row& r) const;
    void ensureBrowse();
    void tell(bool& pending, void (Dataset::*signal)());
    void notifyRecord();
    void notifyRows();
    void notifyRowsAndRecord();
    // After a failed atomic post or delete is put back: the controls are told, the rules'
    // end and failure hooks run.
    void atomicFailed();
    void fireNewRecord();
    void compileFilter();

    Database& db;
    std::vector<std::unique_ptr<Field>> fieldList;
    int dataFields = 0;
    int computedFields = 0;

    std::vector<Row> rows;
    int cur = -1;
    bool atBof = true;
    bool atEof = true;
    bool stale = false;
    Bookmark staleKeep = 0;
    Row pinned;      // a record posted while stale: current until the rows are needed
    DatasetState st = DatasetState::Inactive;
    Row buffer;                  // the record being edited or inserted
    Row original;                // the record as it was before the edit
    bool bufferModified = false;
    bool rereadOnCancel = false;       // a post was refused because the row changed elsewhere
    mutable const Row* calcRow = nullptr;    // row whose values the calc pass reads

    QString orderIndex;
    QStringList orderFieldNames;
    bool orderNoCase = false;
    std::vector<int> orderSlots;     // stored slots of the order fields
    void resolveOrderSlots();
    void applyOrder();

    Dataset* masterDs = nullptr;
    QStringList masterFieldNames, detailFieldNames;
    QVariantList masterKeyValues;
    std::vector<Dataset*> details;

    QString filterText;
    bool filterOn = false;
    SqlFilter compiled;

    int disableCount = 0;
    bool pendingRecord = false, pendingRows = false;
    mutable std::vector<Dataset*> lookupUsers;
    mutable QHash<QString, int> lookupIndex;       // key text -> row, built on demand
    mutable QString lookupIndexFields;
    mutable quint64 lookupIndexVersion = ~0ull;
};

// Keeps a dataset's controls still while a block of work moves it and tells them once at the
// end, even when the work fails. With BackToRecord the dataset, put in browse mode first, goes
// back to the record that was current.
class ControlsOff
{
public:
    enum Return { StayWhereMoved, BackToRecord };
    explicit ControlsOff(Dataset& ds, Return how = StayWhereMoved) : ds(ds), how(how)
    {
        if (how == BackToRecord) {
            ds.checkBrowseMode();
            mark = ds.bookmark();
        }
        ds.disableControls();
    }
    ~ControlsOff()
    {
        if (how == BackToRecord) {
            try {
                ds.gotoBookmark(mark);
            } catch (const std::exception&) {
                // Only the position is lost: the dataset stays where the job left it, and a
                // failure of the job itself is the one reported.
            }
        }
        ds.enableControls();
    }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    Dataset& ds;
    Return how;
    Bookmark mark = 0;
};

// A table of the store in a chosen order, optionally restricted to the details of a master.
class Table : public Dataset
{
    Q_OBJECT
public:
    Table(Database& db, const QString& objectName, QObject* parent = nullptr);

    void setTableName(const QString& name);       // "Clienti", "..\2019\PrimaNota.DB"
    QString tableName() const { return table; }
    // The fields the program expects. Opening checks the stored widths against it and fails
    // with "<object>: Size mismatch for field '<f>', expecting: N actual: M" (SizeMismatch).
    // The definition also creates the field objects, so that rules can hook them before opening.
    void setDefinition(const TableDef& def);
    const TableDef& definition() const { return expected; }
    const TableDef& storedDefinition() const { return stored; }

    bool exists();
    void createTable();                           // from the definition; replaces an existing one
    void deleteTable();
    void emptyTable();

    // The rows of the current restriction (master link and filter) as SQL, for work done on
    // the file itself over the rows the table shows: "FROM ... WHERE ..." with its bound
    // values, and the order of the rows ("Data, Fattura, rowid").
    struct Selection
    {
        QString from;
        QString orderBy;
        QVariantList params;
    };
    Selection selection() const;

protected:
    void openCursor() override;
    void loadRows(std::vector<Row>& out) override;
    qint64 insertRow(const Row& r) override;
    qint64 updateRow(const Row& before, const Row& after) override;
    void deleteRow(const Row& r) override;
    bool canModify() const override { return true; }
    QStringList identityFields() const override;
    bool resolveIndex(const QString& name, QStringList& fields, bool& noCase) const override;
    bool fieldListNoCase(const QStringList& fields) const override;

private:
    QString orderClause() const;
    bool linkNoCase(const QString& field) const;
    QString table;
    TableDef expected;
    bool hasExpected = false;
    TableDef stored;
    QString qualifiedName;
};

// The size-mismatch error of a table whose stored column is narrower or wider than defined.
class SizeMismatch : public LavError
{
public:
    SizeMismatch(const QString& object, const QString& f, int expecting, int actual)
        : LavError(QStringLiteral("%1: Size mismatch for field '%2', expecting: %3 actual: %4")
                       .arg(object, f).arg(expecting).arg(actual)),
          fieldName(f), expected(expecting), actualSize(actual) {}
    QString fieldName;
    int expected;
    int actualSize;
};

// A post or delete refused because the stored row changed or vanished since it was read (another
// window or program wrote it meanwhile): nothing was written, and a post leaves the record in edit.
class RowConflict : public LavError
{
public:
    enum Kind { Changed, Vanished };
    RowConflict(Kind k, bool deleting) : LavError(text(k, deleting)), kind(k) {}
    Kind kind;

private:
    static QString text(Kind k, bool deleting)
    {
        if (deleting)
            return k == Vanished
                       ? QStringLiteral("Il record è già stato eliminato da un'altra finestra o da un altro programma.")
                       : QStringLiteral("Il record non è stato eliminato: un'altra finestra o un altro programma lo ha "
                                        "modificato dopo che era stato letto. I dati sono stati riletti: riprovare.");
        return k == Vanished
                   ? QStringLiteral("Le modifiche non sono state registrate: il record è stato eliminato da un'altra "
                                    "finestra o da un altro programma dopo che era stato letto. Annullare le modifiche "
                                    "per rileggere i dati.")
                   : QStringLiteral("Le modifiche non sono state registrate: il record è stato modificato da un'altra "
                                    "finestra o da un altro programma dopo che era stato letto. Annullare le modifiche "
                                    "per rileggere i dati.");
    }
};

// An SQL statement with named parameters (":Agente"); read-only unless asked to be live and
// reading a single table.
class Query : public Dataset
{
    Q_OBJECT
public:
    Query(Database& db, const QString& objectName, QObject* parent = nullptr);

    void setSql(const QString& text);
    QString sql() const { return text; }
    void setParam(const QString& name, const QVariant& value) { params[name] = value; }
    QVariant param(const QString& name) const { return params.value(name); }
    void setRequestLive(bool on) { requestLive = on; }
    bool live() const { return liveTable.size() > 0; }
    // Runs a statement that returns no rows; the number of rows affected.
    int execSql();

protected:
    void openCursor() override;
    void loadRows(std::vector<Row>& out) override;
    qint64 insertRow(const Row& r) override;
    qint64 updateRow(const Row& before, const Row& after) override;
    void deleteRow(const Row& r) override;
    bool canModify() const override { return !liveTable.isEmpty(); }
    QStringList identityFields() const override { return liveKey; }
    QVariant typedValue(FieldType type, const QVariant& stored) const override;
    bool keepsReadOrder() const override { return true; }

private:
    QString text;
    QVariantMap params;
    bool requestLive = false;
    QString liveTable;            // qualified table of a live result
    QStringList liveKey;          // its primary key, when the result holds every key field
    QString effectiveSql;
    QList<QVariantList> firstRun; // rows read while opening, taken by the first load
    QStringList firstRunColumns;
    bool haveFirstRun = false;
};
