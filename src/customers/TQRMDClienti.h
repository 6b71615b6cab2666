#pragma once
#include "Report.h"

class TDataModule1;

// The customer sheet "SCHEDA CLIENTE N°" of the current customer, or with ModoElenco set the list
// "ELENCO CLIENTI" of every customer of the customer table as filtered: customer data, sites with
// their visit frequency, rented articles and totals per article. The caller prepares it once,
// sets the page count as its title (printed as the total in the page footer), then previews or
// prints it.
class TQRMDClienti : public Report
{
public:
    explicit TQRMDClienti(TDataModule1& dm);
    ~TQRMDClienti() override;

private:
    TDataModule1& dm;
};
