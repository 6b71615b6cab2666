#pragma once
#include "Dataset.h"
#include "Report.h"

class TDataModule1;

// "ELENCO APPARACCHIATURE DEI CLIENTI IN MAGAZZINO": the pending deliveries by date, customer,
// address and article, identical rows once; the date, the customer and the address are printed
// only where they change. Before it prints, the rows of vanished sites and the rows without
// units are deleted.
class TQRSospesi : public Report
{
public:
    explicit TQRSospesi(TDataModule1& dm);
    ~TQRSospesi() override;

    Query QrySospesi;

private:
    bool QRSospesiBeforePrint();
    TDataModule1& dm;
    // The previous line's date, customer and address, each compared on its own.
    QString dataPrecedente, clientePrecedente, indirizzoPrecedente;
    bool primaRiga = true;
};
