#pragma once
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "TableDef.h"

class Database;

namespace demo {

// Writing rows: one prepared INSERT per table, values bound by position and brought to what
// the store keeps (texts cut to their width and empty texts as NULL, booleans 0/1, dates ISO).
class Inserimento
{
public:
    Inserimento(Database& db, const TableDef& def, const QStringList& campi);
    void operator()(const QVariantList& valori);

private:
    static QVariant valore(const FieldDef& f, const QVariant& v);

    QSqlQuery q;
    std::vector<FieldDef> tipi;
};

// Amounts are counted in ten-thousandths of a euro, as the store's currency.
using Unita = qint64;
inline double euro(Unita u) { return double(u) / 10000.0; }

} // namespace demo
