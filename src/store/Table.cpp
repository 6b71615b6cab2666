#include "Dataset.h"
#include "Errors.h"
#include <QSqlRecord>
#include <algorithm>

Table::Table(Database& d, const QString& name, QObject* parent) : Dataset(d, name, parent) {}

void Table::setTableName(const QString& name)
{
    if (active())
        throw LavError(QStringLiteral("%1: impossibile cambiare tabella con l'archivio aperto.").arg(objectName()));
    table = name;
    stored = TableDef{};
}

void Table::setDefinition(const TableDef& def)
{
    expected = def;
    hasExpected = true;
    if (!active())
        bindDataFields(def.fields);
}

bool Table::exists()
{
    return database().tableExists(table);
}

void Table::createTable()
{
    if (!hasExpected)
        throw LavError(QStringLiteral("%1: definizione della tabella mancante.").arg(objectName()));
    close();
    database().createTable(table, expected);
}

void Table::deleteTable()
{
    close();
    database().dropTable(table);
}

void Table::emptyTable()
{
    database().exec(QStringLiteral("DELETE FROM %1").arg(database().qualified(table)));
    if (active())
        refresh();
}

bool Table::resolveIndex(const QString& name, QStringList& fields, bool& noCase) const
{
    const TableDef& def = !stored.name.isEmpty() ? stored : expected;
    const IndexDef* ix = def.index(name);
    if (!ix && hasExpected)
        ix = expected.index(name);
    if (!ix)
        return false;
    fields = ix->fields;
    noCase = ix->caseInsensitive;
    return true;
}

bool Table::fieldListNoCase(const QStringList& fields) const
{
    const TableDef& def = !stored.name.isEmpty() ? stored : expected;
    for (const auto& ix : def.indexes) {
        if (!ix.caseInsensitive || ix.fields.size() < fields.size())
            continue;
        bool prefix = true;
        for (int i = 0; i < fields.size() && prefix; ++i)
            prefix = ix.fields[i].compare(fields[i], Qt::CaseInsensitive) == 0;
        if (prefix)
            return true;
    }
    return false;
}

void Table::openCursor()
{
    if (table.isEmpty())
        throw LavError(QStringLiteral("%1: nome della tabella mancante.").arg(objectName()));
    qualifiedName = database().qualified(table);
    stored = database().readDef(table);
    QList<FieldDef> columns;
    for (const FieldDef& s : stored.fields) {
        const FieldDef* e = hasExpected ? expected.field(s.name) : nullptr;
        if (e && e->type == FieldType::String && s.type == FieldType::String && s.size < e->size)
            throw SizeMismatch(objectName(), e->name, e->size, s.size);
        FieldDef f = e ? *e : s;
        f.name = s.name;
        if (f.type == FieldType::String)
            f.size = s.size;
        columns.append(f);
    }
    bindDataFields(columns);
    if (indexName().isEmpty() && orderFields().isEmpty()) {
        // Keyed tables browse in primary key order.
        if (const IndexDef* pk = stored.primaryIndex())
            setIndexFieldNames(pk->fields.join(';'));
    }
}

bool Table::linkNoCase(const QString& field) const
{
    auto testo = [this](const QString& f) {
        const FieldDef* d = stored.field(f);
        return d && d->type == FieldType::String;
    };
    for (const auto& ix : stored.indexes) {
        if (!ix.caseInsensitive || ix.fields.isEmpty() || ix.fields.first().compare(field, Qt::CaseInsensitive) != 0)
            continue;
        // Text columns fold their case. A number column folds only in archives written before
        // number columns kept the plain collation, whose indexes fold every column: an index
        // that also holds a text column (Cliente, Posizione, Servizio) owes its fold to that.
        if (testo(field) || std::none_of(ix.fields.begin(), ix.fields.end(), testo))
            return true;
    }
    return false;
}

QString Table::orderClause() const
{
    QStringList parts;
    for (const QString& f : orderFields()) {
        const Field* fd = const_cast<Table*>(this)->findField(f);
        const bool text = fd && fd->type() == FieldType::String;
        parts << quoteName(f) + (orderCaseInsensitive() && text ? QStringLiteral(" COLLATE NOCASE") : QString());
    }
    parts << QStringLiteral("rowid");
    return parts.join(QStringLiteral(", "));
}

Table::Selection Table::selection() const
{
    Selection sel;
    QStringList where;
    if (hasMaster()) {
        const QVariantList key = masterKey();
        const QStringList dfields = detailFieldList();
        for (int i = 0; i < dfields.size(); ++i) {
            const QVariant v = key.value(i);
            if (v.isNull() || !v.isValid()) {
                // No master record: no details.
                sel.from = QStringLiteral("FROM %1 WHERE 0").arg(qualifiedName);
                sel.orderBy = orderClause();
                sel.params.clear();
                return sel;
            }
            const Field* df = const_cast<Table*>(this)->findField(dfields[i]);
            // The collation of the index on the link field, so that the index serves the test.
            where << quoteName(dfields[i]) + (linkNoCase(dfields[i]) ? QStringLiteral(" COLLATE NOCASE = ?") : QStringLiteral(" = ?"));
            sel.params << toSqlValue(df ? df->type() : FieldType::Float, v);
        }
    }
    const SqlFilter flt = compiledFilter();
    if (!flt.where.isEmpty()) {
        where << '(' + flt.where + ')';
        sel.params << flt.params;
    }
    sel.from = QStringLiteral("FROM ") + qualifiedName;
    if (!where.isEmpty())
        sel.from += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sel.orderBy = orderClause();
    return sel;
}

void Table::loadRows(std::vector<Row>& out)
{
    QStringList cols;
    std::vector<FieldType> types;
    for (int i = 0; i < dataFieldCount(); ++i) {
        const Field* f = dataFieldAt(i);
        cols << quoteName(f->name());
        types.push_back(f->type());
    }
    const Selection sel = selection();
    QSqlQuery q = database().prepare(
        QStringLiteral("SELECT rowid, %1 %2 ORDER BY %3").arg(cols.join(QStringLiteral(", ")), sel.from, sel.orderBy));
    for (const QVariant& p : sel.params)
        q.addBindValue(p);
    Database::run(q);
    const int n = int(types.size());
    while (q.next()) {
        Row r;
        r.rowid = q.value(0).toLongLong();
        r.values.reserve(n);
        for (int i = 0; i < n; ++i)
            r.values.append(fromSqlValue(types[i], q.value(i + 1)));
        out.push_back(std::move(r));
    }
    q.finish();
}

qint64 Table::insertRow(const Row& r)
{
    return insertInto(qualifiedName, r);
}

qint64 Table::updateRow(const Row& before, const Row& after)
{
    return updateIn(qualifiedName, before, after);
}

QStringList Table::identityFields() const
{
    const IndexDef* pk = stored.primaryIndex();
    if (!pk)
        return {};
    for (const QString& f : pk->fields) {
        const Field* fd = const_cast<Table*>(this)->findField(f);
        if (!fd || fd->kind() != FieldKind::Data)
            return {};
    }
    return pk->fields;
}

void Table::deleteRow(const Row& r)
{
    deleteFrom(qualifiedName, r);
}
