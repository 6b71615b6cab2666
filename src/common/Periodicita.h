#pragma once
#include <QString>
#include <QStringList>

// Billing periodicity of a customer (`Condizioni`) and the Italian month names: which months a
// customer is due in, how many months one invoice covers, where its billing period starts.
// The periodic run, its print, the credit notes and the electronic invoices share them.

// "Mensile", "Bimestrale", "Trimestrale", "Quadrimestrale", "Semestrale", "Annuale", "5 mesi",
// in the order the customer screen offers them.
const QStringList& PeriodicitaFatturazione();
// One of the seven texts above, compared exactly (case included).
bool PeriodicitaNota(const QString& condizioni);
// Months one invoice covers: 1, 2, 3, 4, 6, 12, 5; 1 for any other text.
int MesiPerFattura(const QString& condizioni);

// Whether a customer of this periodicity is invoiced in month `mese` (1 to 12); a forced
// customer ("Forza stampa fattura") is due in every month.
bool DaFatturare(const QString& condizioni, int mese, bool forza);

// First month of the billing period invoiced in month m of year `anno`, as "MM/YYYY":
// Periodo(7, "Mensile", "2023") = "07/2023", Periodo(6, "Annuale", "2024") = "07/2023".
QString Periodo(int m, const QString& condizioni, const QString& anno);

// "Gennaio" … "Dicembre".
const QStringList& NomiMesi();
QString NomeMese(int mese);              // empty outside 1 to 12
// The number of an Italian month name, 0 for any other text.
int NumeroMese(const QString& nome);
// Days of the named month; February has 29 in a leap `anno`. Any other text gives 30.
int GiorniMese(const QString& nome, int anno);
