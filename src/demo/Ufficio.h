#pragma once
#include "Caso.h"
#include "Money.h"
#include "ScriptedPrompts.h"
#include <QDate>
#include <QHash>
#include <memory>
#include <vector>

class FatturazionePeriodica;
class TDataModule1;
class IncassiCliente;
struct FatturaPeriodica;

namespace demo {

// The history of the office on a demo archive: the fiscal year before the current one and the
// current one, worked month by month as the office works them, through the operations the
// windows call. Each month's periodic run is printed on its last day (numbers from the year's
// counter file, recorded in the ledger, collected at once for automatic collection), with
// about half of the manual invoices of the month; the other invoices are collected later,
// each customer after its own delay, and the ones not yet due at oggi(), or of customers that
// pay late or not at all, stay open. At the end of the previous year the next one is created
// with the balances carried forward, and most customers that still owed something pay it in
// the new year.
class Ufficio
{
public:
    Ufficio(const QString& cartella, quint32 seed);
    ~Ufficio();

    void esegui();

private:
    // How a customer pays the invoices it does not settle at once.
    struct Pagatore
    {
        int ritardo = 30;          // days from the invoice to the collection
        int variazione = 0;        // spread of that delay
        QDate smetteDal;           // invoices from this date on stay unpaid (when valid)
        bool automatico = false;   // collected when the invoice is printed
    };
    struct DaIncassare
    {
        double cliente;
        int numero;
        QDate data;
    };

    void scegliPagatori();
    void apriAnno(int anno);
    void senzaAttesaDelDisco();
    void fatturaMese(int anno, int mese);
    bool numeriBastano(FatturazionePeriodica& run);
    void pianificaIncassi(const QList<FatturaPeriodica>& fatture, const QDate& data);
    void stampaManuali(const QDate& data);
    void incassa(const QDate& finoAl);
    void riscuotiSaldiPrecedenti();
    void aggiornaParametri();
    void suCliente(double codice);
    // Runs an operation of the program; a refusal it showed becomes an error that names it.
    template <class F> auto operazione(const F& f);

    ScriptedPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<IncassiCliente> incassi;
    Caso c;
    QDate oggi;
    QHash<double, Pagatore> pagatori;
    std::vector<DaIncassare> daIncassare;
    int fattureEmesse = 0;
    int meseMaggiore = 0;      // the most invoices one run has issued
    QDate ultimaStampa;
};

} // namespace demo
