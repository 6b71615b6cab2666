#pragma once
#include "Money.h"
#include "Report.h"
#include <QStringList>
#include <vector>

// The grid of an account statement ("Scheda contabile"), a customer's or a payment account's:
// shaded column titles, each line framed and ruled by column, and the closing band with the
// sums of Dare and Avere beside the last balance. The last four columns are Dare, Avere, Saldo
// and Controp.; the sums are taken from the ledger's "Dare" and "Avere" as each line prints.
class ColonneScheda
{
public:
    // bordi: the left edge of each column, then the right edge of the last.
    ColonneScheda(Report& report, Dataset& primaNota, std::vector<double> bordi, QStringList titoli);

    double x(int colonna) const { return bordi[colonna]; }
    double larghezza(int colonna) const { return bordi[colonna + 1] - bordi[colonna]; }
    int dare() const { return int(bordi.size()) - 5; }

    // Before each run.
    void azzera() { totaleDare = totaleAvere = Money(); }

    void intestazione();
    Band& riga();
    Band& totali(const QString& maskImporti, const QString& maskSaldo);

private:
    Report& report;
    Dataset& pn;
    std::vector<double> bordi;
    QStringList titoli;
    Money totaleDare, totaleAvere;
};
