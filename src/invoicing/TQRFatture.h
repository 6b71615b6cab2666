#pragma once
#include "Dataset.h"
#include "Report.h"
#include <QHash>

class TDataModule1;

// The periodic invoices of the last run ("Stampa Fatture"): one invoice per customer marked
// by the run, each on a page of its own, with its lines, its billing period and its totals.
// The top of every page is left empty for the company's own paper.
class TQRFatture : public Report
{
public:
    explicit TQRFatture(TDataModule1& dm);

    // First month of the billing period as "MM/YYYY"; the electronic invoices use it too.
    static QString Periodo(int m, const QString& condizioni, const QString& anno);

    // Set before the report runs: the only customer to print (empty for all), the invoice
    // date ("Data di stampa"), the year of the billing period ("Anno") and the fiscal year
    // printed after the invoice numbers.
    QString ClienteSingolo;
    QString dataStampa;
    QString anno;
    QString esercizio;

    // The multiplier of a line's amount and the value of its "Mensilità" column, for the
    // customer's periodicity and the line's price, quantity and multiplier flag.
    static int MoltiplicatoreRiga(const QString& condizioni, double quantita, bool moltiplicatore);
    static int MensilitaRiga(const QString& condizioni, bool prezzo, bool moltiplicatore);

protected:
    void layout(PageModel& into) override;

private:
    bool QRFattureBeforePrint();
    void ripristina();
    QString testoPeriodo();
    bool millesimi();

    TDataModule1& dm;
    // The invoiced customers in name order and the lines of the current one, read by the
    // report itself: the customer screen's tables stay where they are, and moving from one
    // invoice to the next reads nothing but its lines.
    Table clienti;
    Table righe;
    // The invoiced month and the period-end day read back from the counter file.
    QString meseContatore, fineContatore;
    // Where the columns of the lines begin and end on each page (by page index).
    QHash<int, double> inizioColonne, fineColonne;

    ReportText* prezzo = nullptr;
    ReportText* importo = nullptr;
    ReportText* didascaliaIva = nullptr;
    ReportText* importoIva = nullptr;
};
