#pragma once
#include <QString>

// The billing periodicity of a customer (`Condizioni`): how many months one invoice covers and
// where its billing period starts.

// Months one invoice covers: "Mensile" 1, "Bimestrale" 2, "Trimestrale" 3, "Quadrimestrale" 4,
// "5 mesi" 5, "Semestrale" 6, "Annuale" 12; any other text 1.
int MesiPerFattura(const QString& condizioni);

// First month of the billing period of an invoice for month m (1 to 12) of the year in `anno`,
// as "mm/yyyy": "Trimestrale" in June 2024 gives "04/2024", "Annuale" in June 2024 "07/2023"
// and in December 2024 "01/2024". An unknown periodicity starts in December of the year before.
QString Periodo(int m, const QString& condizioni, const QString& anno);
