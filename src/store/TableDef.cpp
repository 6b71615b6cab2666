#include "TableDef.h"
#include <QRegularExpression>

int TableDef::fieldIndex(const QString& f) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(f, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef* TableDef::field(const QString& f) const
{
    int i = fieldIndex(f);
    return i < 0 ? nullptr : &fields[i];
}

const IndexDef* TableDef::index(const QString& n) const
{
    for (const auto& ix : indexes)
        if (ix.name.compare(n, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

const IndexDef* TableDef::primaryIndex() const
{
    for (const auto& ix : indexes)
        if (ix.primary)
            return &ix;
    return nullptr;
}

QString quoteName(const QString& name)
{
    QString n = name;
    n.replace('"', "\"\"");
    return '"' + n + '"';
}

QString sqlTypeName(const FieldDef& f)
{
    switch (f.type) {
    case FieldType::String: return QStringLiteral("varchar(%1)").arg(f.size > 0 ? f.size : 255);
    case FieldType::SmallInt: return QStringLiteral("smallint");
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::AutoInc: return QStringLiteral("integer");
    case FieldType::Float: return QStringLiteral("float");
    case FieldType::Currency: return QStringLiteral("money");
    case FieldType::Boolean: return QStringLiteral("boolean");
    case FieldType::Date: return QStringLiteral("date");
    }
    return QStringLiteral("varchar(255)");
}

FieldDef fieldFromDeclaredType(const QString& name, const QString& declared, bool autoIncrement)
{
    FieldDef f;
    f.name = name;
    const QString t = declared.trimmed().toLower();
    static const QRegularExpression width(QStringLiteral("^\\w+(?:\\s+\\w+)?\\s*\\(\\s*(\\d+)"));
    auto m = width.match(t);
    if (t.startsWith("varchar") || t.startsWith("char") || t.startsWith("nvarchar")
        || t.startsWith("character") || t.startsWith("text") || t.startsWith("string") || t.isEmpty()) {
        f.type = FieldType::String;
        f.size = m.hasMatch() ? m.captured(1).toInt() : 255;
    } else if (t.startsWith("smallint") || t.startsWith("short")) {
        f.type = FieldType::SmallInt;
    } else if (t.startsWith("int") || t.startsWith("bigint") || t.startsWith("autoinc")) {
        f.type = autoIncrement ? FieldType::AutoInc : FieldType::Integer;
    } else if (t.startsWith("float") || t.startsWith("real") || t.startsWith("double")
               || t.startsWith("numeric") || t.startsWith("decimal")) {
        f.type = FieldType::Float;
    } else if (t.startsWith("money") || t.startsWith("currency")) {
        f.type = FieldType::Currency;
    } else if (t.startsWith("bool") || t.startsWith("logical")) {
        f.type = FieldType::Boolean;
    } else if (t.startsWith("date")) {
        f.type = FieldType::Date;
    } else {
        f.type = FieldType::String;
        f.size = 255;
    }
    return f;
}
