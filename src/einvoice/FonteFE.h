#pragma once
#include "DocumentoFE.h"
#include <QSqlQuery>
#include <optional>

class Database;
class Dataset;

// Where the documents come from: the parameters record, the customers joined with the lines of
// the last invoice run, a manual invoice, and their lines queries.

// The company's values from the current record of the parameters table.
ParametriFE LeggiParametriFE(Dataset& parametri);

// One document per customer and invoice date of the last run: the customers with a recipient
// code joined with their lines in Fatture, by name (the periodic invoices), or those of one
// customer (its credit notes). Only public administrations when `soloPA`. No documents when the
// run never made its table.
QList<DocumentoFE> DocumentiPeriodici(Database& db, TipoFE tipo, bool soloPA,
                                      std::optional<double> cliente = std::nullopt);

// The document of the current manual invoice, with its calculated taxable amount and total.
DocumentoFE DocumentoManuale(Dataset& fattman, TipoFE tipo);

// The lines query of a kind, prepared once and run for each document:
// - periodic kinds: the distinct lines of the customer with a positive quantity, by text;
// - manual kinds: the eleven slots of the invoice, in order, those with a price other than
//   zero (manual invoice) or above zero (manual credit note).
class RigheFE
{
public:
    RigheFE(Database& db, TipoFE tipo);
    QList<RigaFE> leggi(double codice);

private:
    TipoFE tipo;
    QSqlQuery q;
};
