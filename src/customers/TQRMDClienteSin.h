#pragma once
#include "Dataset.h"
#include "Report.h"

class TDataModule1;

// "SCHEDA CLIENTE SINTETICA" of the customer table as filtered by the caller (one customer):
// customer data and totals per article.
class TQRMDClienteSin : public Report
{
public:
    explicit TQRMDClienteSin(TDataModule1& dm);
    ~TQRMDClienteSin() override;

private:
    bool QRMDClienteSinBeforePrint();

    TDataModule1& dm;
    // Every row of Totali.DB with the description and type of its article.
    Query QryTotali;
    ReportText* nome = nullptr;
    ReportText* banca = nullptr;
    ReportText* imponibile = nullptr;
    ReportText* iva = nullptr;
    ReportText* totale = nullptr;
};
