#pragma once
#include <QDate>
#include <QString>
#include <functional>

class Dataset;
class PageModel;
class TDataModule1;
class TQRFatturaMan;

// The manual invoices without a window: the months of the billing period their amounts are
// multiplied by, the defaults the window fills in, the duplicate, the preview and the print
// with its number. The manual invoice window, the e-invoices and lavanderia-cli use them on
// the data module's current manual invoice (`TblFatturaMan`).
class FattureManuali
{
public:
    // Installs the recalculation of the period months on the data module for as long as it lives.
    explicit FattureManuali(TDataModule1& dm);
    ~FattureManuali();
    FattureManuali(const FattureManuali&) = delete;
    FattureManuali& operator=(const FattureManuali&) = delete;

    // Months between the first and the last day of a billing period: whole months when the
    // period runs from a 1st to a month's end (01/01–31/03 gives 3), half a month within one
    // month, otherwise the months in between plus (31 − first day + last day) / 30
    // (10/01–25/02 gives 46/30, 15/01–14/04 gives 3). Years count: 01/11–31/01 gives 3.
    static double CalcolaMesi(const QDate& inizio, const QDate& fine);
    // The months of an invoice: its own period, or by default from the 1st of the month of its
    // `Data fattura` to the period end stored by the last run. An undated invoice counts 1.
    double CalcolaMesi(Dataset& fattura);

    // The period end that the counter file suggests for a month: its period-end day, or the
    // month's last day when it has none or when the month is shorter.
    QDate FinePeriodo(int mese, int anno);

    // "Registra": an empty "Data inizio periodo" becomes the 1st of the month of "Data
    // contratto" (of today when it has none), an empty "Data fine periodo" the period end of
    // that month. A period that ends before it starts is refused (message, Abort).
    void PeriodoPredefinito(Dataset& fattura);
    // Leaving "Data fattura": an empty due date becomes the last day of the following month.
    static void ScadenzaPredefinita(Dataset& fattura);
    static QDate Scadenza(const QDate& dataFattura);

    // "Crea un duplicato della fattura": after the question, a new manual invoice with every
    // stored field of the current one but its code; false when the user says No.
    bool Duplica();

    // "Anteprima": the next number is read once (the counter file is made when missing) and
    // the invoice laid out as it is stored.
    void Anteprima(TQRFatturaMan& report);
    // "Stampa", after the print dialog was confirmed: the invoice takes the next number of the
    // fiscal year (written to the counter file first) and `dataStampa` as its date, is saved,
    // laid out and handed to `emetti`. Returns the number. Bad input is told through the
    // prompts and ends in Abort with the invoice and the counter file as they were.
    using Emissione = std::function<bool(const PageModel&)>;
    int Stampa(TQRFatturaMan& report, const QDate& dataStampa, const Emissione& emetti);

private:
    void controllaImporti(Dataset& fattura);

    TDataModule1& dm;
};
