#pragma once
#include "Dataset.h"
#include <QVariant>

class TDataModule1;

// The operations of the customer screen that are more than a click's wiring, on the data
// module's tables and without a widget, so that tests and lavanderia-cli run them as the
// screen does. A failure is thrown (LavError, or Abort after a message through prompts).
class OperazioniClienti
{
public:
    explicit OperazioniClienti(TDataModule1& dm);

    // The customer's taxable amount for the months one invoice covers: every rental of every
    // site (its invoiced pieces when given, otherwise its pieces) times its price and the
    // months, rounded to three decimals at each step, plus the extra invoice lines. Each site
    // takes its own monthly amount. The customer stays in edit for the user to save; the sites
    // and rentals are back on their first record whatever happens.
    void CalcolaImponibile(int mesi);

    // Every other site of the current customer renting an article of the current site takes
    // this site's price for it.
    void RicopiaImporti();

    // The extended site sheet's table Ostrelo, made again for one customer: its rented
    // dispensers and consumables totalled by site, department and sex.
    void CompilaOstrelo(const QVariant& codiceCliente);

private:
    TDataModule1& dm;
    Query qScheda;   // the customer's sites with their rentals and articles
};
