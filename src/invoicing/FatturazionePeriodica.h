#pragma once
#include "Money.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <limits>

class TDataModule1;
class PageModel;
class TQRFatture;

// What the invoice window's controls hold when a run starts.
struct ScelteFatture
{
    int mese = 0;                // "Mese di riferimento", 1 to 12
    int giorno = 0;              // "Giorno": the last day of the billing period
    int anno = 0;                // "Anno": the year of the billing period
    QString dataStampa;          // "Data di stampa": the invoice date as typed
    QString clienteSingolo;      // code of the only customer to invoice; empty for all
};

// One invoice of a run, in the order of the customers' names.
struct FatturaPeriodica
{
    double cliente = 0;
    QString denominazione;       // "Denominazione Denominazione 2"
    qint64 numero = 0;           // `Fattura`: new after a printing run, the previous one otherwise
    Money imponibile;            // the customer's stored taxable amount
    Money totale;                // as printed: 22 % VAT rounded to the cent when it is charged
};

// The periodic invoice run and its print, without any window: the invoice window, the
// e-invoice generation and lavanderia-cli call these.
//
// A run decides which customers are due in the chosen month, rebuilds the work table
// `Fatture` with their lines, marks them (`Flag`) and, for a real print, numbers them. It
// writes everything in one transaction: after a failure or a kill `Fatture` holds the old
// run or the new one, and an invoice number is written to the counter file before any
// customer gets it, so a number is never issued twice.
class FatturazionePeriodica
{
public:
    // No page range: every due customer is invoiced.
    static constexpr int senzaLimite = std::numeric_limits<int>::max();

    explicit FatturazionePeriodica(TDataModule1& dm);

    ScelteFatture scelte;

    // The run over the due customers whose ordinal (1 for the first due customer in name
    // order) lies within dal..al. With `stampa` each of them takes the next invoice number.
    // Bad input (an invalid date, an unreadable counter file, an unknown periodicity, an
    // amount out of range) is told through the prompts and ends in Abort with nothing changed.
    QList<FatturaPeriodica> ElaboraFatture(bool stampa, int dal = 0, int al = senzaLimite);

    // "Anteprima": the run without numbers, the period texts stored in the counter file, the
    // invoices laid out into `report`, the customers' `Data fattura` stamped with today.
    QList<FatturaPeriodica> Anteprima(TQRFatture& report);
    // "Genera" of the electronic invoices: the run without numbers and the period texts stored
    // as the preview stores them, so that the files carry the period of the month just run.
    QList<FatturaPeriodica> ElaboraFattureElettroniche();
    // "Stampa": the run with numbers over the range, the period texts stored, the invoices
    // laid out into `report` and handed to `emetti`, which sends the pages to the printer or
    // to a file and tells whether it could. Only then are they recorded in the ledger, all
    // together (collected at once for customers with automatic collection), and `Data
    // fattura` stamped. A print that fails leaves its numbers unused and records nothing.
    using Emissione = std::function<bool(const PageModel&)>;
    QList<FatturaPeriodica> Stampa(TQRFatture& report, const Emissione& emetti, int dal = 0, int al = senzaLimite);

    // "Data di stampa" as a date; an invalid one is refused with a message (Abort).
    QDate DataFattura() const;

    // Refuses (message and Abort) a printing run whose counter file cannot be trusted: one
    // that exists but cannot be read, or one that is missing while the fiscal year already
    // has numbered invoices (a new file would issue their numbers again). Also used by the
    // manual invoices.
    static void ControllaContatore(TDataModule1& dm);
    // Refuses (message and Abort) a counter file that exists but cannot be read, before an
    // operation that would read it, or rewrite it as new.
    static void ControllaLettura(TDataModule1& dm);

    // Records in the ledger the invoices of the printing run just made (the customers it
    // flagged, in name order), each collected at once when its customer has automatic
    // collection: all of them or none. "Stampa" calls it once the pages went out; so does
    // whoever sent the invoices by another road.
    void RegistraInPrimaNota(const QList<FatturaPeriodica>& fatture, const QDate& data);

private:
    QList<FatturaPeriodica> elabora(bool stampa, int dal, int al, bool salvaPeriodo);
    // The lines of the customers of the run (listed in temp.FattureInCorso), dated `data`.
    void PreparaRighe(const QDate& data);
    void controllaImporti(const QList<FatturaPeriodica>& fatture);
    void prepara(TQRFatture& report);
    void timbraDataFattura();
    QString filtroStampa() const;

    TDataModule1& dm;
};
