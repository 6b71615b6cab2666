#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Field types of the table store. Codes of customers, sites, agents and articles are whole
// numbers held in Float fields; Currency is stored as REAL and handled as Money in code.
enum class FieldType { String, SmallInt, Integer, AutoInc, Float, Currency, Boolean, Date };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;                       // width of a String field
    QVariant defaultValue;              // given to new records (and as the SQL default)
    std::optional<double> minValue;     // range checked when a value is set
    std::optional<double> maxValue;
};

struct IndexDef
{
    QString name;                       // as the program names it: "IdxName", "TblClientiIndex1"
    QStringList fields;
    bool primary = false;               // the unique primary index; secondary ones never are
    bool caseInsensitive = false;
};

struct TableDef
{
    QString name;                       // SQL name of the table: "Clienti", "Fattman", "PrimaNota"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    int fieldIndex(const QString& field) const;   // -1 when absent; case-insensitive
    const FieldDef* field(const QString& name) const;
    const IndexDef* index(const QString& name) const;
    const IndexDef* primaryIndex() const;
};

// SQL text of a field's declared type ("varchar(35)", "smallint", "money", ...).
QString sqlTypeName(const FieldDef& f);
// The declared type read back from the catalog, as a field type and width.
FieldDef fieldFromDeclaredType(const QString& name, const QString& declared, bool autoIncrement);
// Quotes an identifier for SQL: Codice cliente -> "Codice cliente".
QString quoteName(const QString& name);
