#include "Dataset.h"
#include "Errors.h"
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>

namespace {

FieldType typeOfColumn(const QSqlField& f)
{
    switch (f.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return FieldType::Integer;
    case QMetaType::Double: return FieldType::Float;
    case QMetaType::Bool: return FieldType::Boolean;
    case QMetaType::QDate: return FieldType::Date;
    default: return FieldType::String;
    }
}

const QString rowidColumn = QStringLiteral("__rowid__");

// The one table read by "SELECT ... FROM T [WHERE ...] [ORDER BY ...]", when there is only one.
QString singleTable(const QString& sql)
{
    static const QRegularExpression shape(
        QStringLiteral("^\\s*select\\s+(?!distinct\\b).*?\\bfrom\\s+(\"[^\"]+\"|\\[[^\\]]+\\]|[\\w.]+)\\s*(?:(?:as\\s+)?\\w+\\s*)?"
                       "(?:where\\b.*|order\\s+by\\b.*)?;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    // A list of columns is fine; a list of tables is not (checked after FROM below).
    static const QRegularExpression complex(QStringLiteral("\\b(join|group\\s+by|union|having|intersect|except)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    auto m = shape.match(sql);
    if (!m.hasMatch() || complex.match(sql).hasMatch())
        return {};
    // A list of tables after FROM is a join too.
    const QString afterFrom = sql.mid(m.capturedEnd(1));
    if (afterFrom.trimmed().startsWith(','))
        return {};
    QString t = m.captured(1);
    if (t.startsWith('[') || t.startsWith('"'))
        t = t.mid(1, t.size() - 2);
    return t;
}

// The typed values of the data fields of a result row, in slot order: map gives the column
// and the type of each field, value(column) what the row holds there. Unknown columns keep the
// value as SQLite gives it.
template <class Value>
QList<QVariant> typedValues(const std::vector<std::pair<int, FieldType>>& map, Value value)
{
    QList<QVariant> values;
    values.reserve(int(map.size()));
    for (const auto& [col, type] : map) {
        const QVariant v = value(col);
        values.append(type == FieldType::String && v.typeId() != QMetaType::QString && !v.isNull() ? v : fromSqlValue(type, v));
    }
    return values;
}

} // namespace

Query::Query(Database& d, const QString& name, QObject* parent) : Dataset(d, name, parent) {}

void Query::setSql(const QString& t)
{
    if (active())
        close();
    text = t;
}

void Query::openCursor()
{
    liveTable.clear();
    effectiveSql = text;
    if (requestLive) {
        const QString t = singleTable(text);
        if (!t.isEmpty()) {
            static const QRegularExpression select(QStringLiteral("^\\s*select\\s+"), QRegularExpression::CaseInsensitiveOption);
            effectiveSql = text;
            effectiveSql.replace(select, QStringLiteral("SELECT rowid AS %1, ").arg(rowidColumn));
            liveTable = database().qualified(t);
        }
    }
    QSqlQuery q;
    try {
        // A statement without rows is refused before it runs, so that it changes nothing.
        if (!database().returnsRows(effectiveSql))
            throw SqlError(QStringLiteral("L'istruzione non restituisce righe."), text);
        q = database().prepare(effectiveSql);
        for (auto it = params.begin(); it != params.end(); ++it)
            q.bindValue(':' + it.key(), it.value());
        Database::run(q);
    } catch (const SqlError& e) {
        // Named as it was written, not as it is run for a live result.
        throw SqlError(e.reason(), text.trimmed(), e.code());
    }
    // The rows are read now with the columns; the first load takes them without a second run.
    firstRun.clear();
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList values;
        values.reserve(columns);
        for (int i = 0; i < columns; ++i)
            values.append(q.value(i));
        firstRun.append(values);
    }
    haveFirstRun = true;
    const QSqlRecord rec = q.record();
    TableDef def;
    if (!liveTable.isEmpty()) {
        try {
            def = database().readDef(singleTable(text));
        } catch (const LavError&) {
        }
    }
    QList<FieldDef> cols;
    liveKey.clear();
    if (const IndexDef* pk = def.primaryIndex()) {
        liveKey = pk->fields;
        for (const QString& k : pk->fields)
            if (rec.indexOf(k) < 0)
                liveKey.clear();
    }
    for (int i = 0; i < rec.count(); ++i) {
        if (rec.fieldName(i) == rowidColumn)
            continue;
        const FieldDef* known = def.field(rec.fieldName(i));
        FieldDef f = known ? *known : FieldDef{rec.fieldName(i), typeOfColumn(rec.field(i)), 0, {}, {}, {}};
        f.name = rec.fieldName(i);
        if (!known)
            f.size = 0;
        cols.append(f);
    }
    firstRunColumns.clear();
    for (int i = 0; i < rec.count(); ++i)
        firstRunColumns << rec.fieldName(i);
    q.finish();
    bindDataFields(cols);
}

void Query::loadRows(std::vector<Row>& out)
{
    const SqlFilter flt = compiledFilter();
    if (haveFirstRun && flt.where.isEmpty()) {
        haveFirstRun = false;
        std::vector<std::pair<int, FieldType>> map;
        for (int i = 0; i < dataFieldCount(); ++i) {
            const Field* f = dataFieldAt(i);
            map.emplace_back(firstRunColumns.indexOf(f->name()), f->type());
        }
        const int rowidAt = firstRunColumns.indexOf(rowidColumn);
        qint64 seq = 0;
        for (const QVariantList& values : std::as_const(firstRun)) {
            Row r;
            r.rowid = rowidAt >= 0 ? values.value(rowidAt).toLongLong() : ++seq;
            r.values = typedValues(map, [&values](int col) { return values.value(col); });
            out.push_back(std::move(r));
        }
        firstRun.clear();
        return;
    }
    haveFirstRun = false;
    firstRun.clear();
    QString sql = effectiveSql;
    QVariantList extra;
    if (!flt.where.isEmpty()) {
        sql = QStringLiteral("SELECT * FROM (%1) WHERE %2").arg(effectiveSql, flt.where);
        extra = flt.params;
    }
    QSqlQuery q = database().prepare(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        q.bindValue(':' + it.key(), it.value());
    for (const QVariant& p : extra)
        q.addBindValue(p);
    Database::run(q);
    const QSqlRecord rec = q.record();
    const int rowidAt = rec.indexOf(rowidColumn);
    std::vector<std::pair<int, FieldType>> map;   // column -> type, in slot order
    for (int i = 0; i < dataFieldCount(); ++i) {
        const Field* f = dataFieldAt(i);
        map.emplace_back(rec.indexOf(f->name()), f->type());
    }
    qint64 seq = 0;
    while (q.next()) {
        Row r;
        r.rowid = rowidAt >= 0 ? q.value(rowidAt).toLongLong() : ++seq;
        r.values = typedValues(map, [&q](int col) { return q.value(col); });
        out.push_back(std::move(r));
    }
    q.finish();
}

int Query::execSql()
{
    if (active())
        close();
    QSqlQuery q;
    try {
        q = database().prepare(text);
        for (auto it = params.begin(); it != params.end(); ++it)
            q.bindValue(':' + it.key(), it.value());
        Database::run(q);
    } catch (const SqlError& e) {
        throw SqlError(e.reason(), text.trimmed(), e.code());
    }
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

qint64 Query::insertRow(const Row& r)
{
    return insertInto(liveTable, r);
}

qint64 Query::updateRow(const Row& before, const Row& after)
{
    return updateIn(liveTable, before, after);
}

QVariant Query::typedValue(FieldType type, const QVariant& stored) const
{
    return typedValues(std::vector<std::pair<int, FieldType>>{{0, type}}, [&stored](int) { return stored; }).value(0);
}

void Query::deleteRow(const Row& r)
{
    deleteFrom(liveTable, r);
}
