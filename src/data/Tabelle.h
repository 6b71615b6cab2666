#pragma once
#include "TableDef.h"
#include <QList>

// The definitions of the program's tables: fields in order with types and widths, the primary
// and secondary indexes, the defaults and the ranges of the fields that have them.
namespace Tabelle {

const TableDef& Agenti();
const TableDef& Clienti();
const TableDef& Sedi();
const TableDef& Noleggi();
const TableDef& Servizi();
const TableDef& StoMag();
const TableDef& Consumi();
const TableDef& Medie();
const TableDef& FattMan();
const TableDef& Fatture();
const TableDef& Totali();
const TableDef& PrimaNota();
const TableDef& ModPag();
const TableDef& AltreInfo();
const TableDef& Iter();
const TableDef& Interventi();
const TableDef& Sospesi();
const TableDef& Ostrelo();
const TableDef& Parametri();

// The tables that exist from installation (a new archive holds them, Parametri with its one record).
QList<TableDef> installazione();
// Every definition, found by table name without regard to letter case; nullptr when unknown.
const TableDef* perNome(const QString& name);

} // namespace Tabelle
