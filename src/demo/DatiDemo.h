#pragma once
#include <QString>

class Database;

// Fills a new archive (the installation tables present, Parametri with its one record, the
// other tables empty) with the data of a plausible Calabrian industrial laundry: agents and
// routes, articles with their stock and movements, customers with sites, rentals,
// intervention days, extra invoice lines, pending deliveries and consumption readings, the
// company parameters, and manual invoices not yet printed.
//
// Scale 1 gives 50 customers (about 150 sites and 750 rentals), scale 100 gives 5,000
// customers; scale runs from 1 to 200. The same scale and seed give the same archive on the
// same day (dates are counted back from oggi()). Everything is written in one transaction;
// an archive that already holds customers, sites, articles or agents is refused with a
// LavError.
//
// The generator (Generatore.h) runs one step per subject, each in a file of its own
// (PassoDitta, PassoAgenti, PassoClienti, PassoSedi, PassoMagazzino, PassoFattureManuali). A
// new subject adds its step at the end of Generatore::esegui, drawing from its own stream
// (Caso seeded from the seed) so that the data of the earlier steps stay as they are for a
// given seed.
void CreaDatiDemo(Database& db, int scale, quint32 seed);

// The office at work on a working folder whose archive holds the demo data: the fiscal year
// before the one of oggi() and the current one, each with its ledger of issued invoices and
// collections (some still open) and its counter file, the balances carried from one year to
// the next, the invoice lines of the last periodic run and the counters of the electronic
// invoices. Everything goes through the operations the windows call. It draws from its own
// stream, so the data of CreaDatiDemo stay the same for a seed.
void CreaEserciziDemo(const QString& cartella, quint32 seed);
