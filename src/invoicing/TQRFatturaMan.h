#pragma once
#include "Report.h"

class TDataModule1;

// The printed manual invoice: the data module's current manual invoice on one page, the top
// left empty for the company's own paper, its eleven lines, footer lines and totals.
class TQRFatturaMan : public Report
{
public:
    explicit TQRFatturaMan(TDataModule1& dm);

    // The fiscal year printed after the invoice number.
    QString esercizio;

private:
    bool millesimi();

    TDataModule1& dm;
};
