#pragma once
#include "Money.h"
#include "Report.h"

class TDataModule1;

// The sites assigned to the current agent ("ELENCO SEDI ASSEGNATE A ...") over QuerySedi, with
// their amounts and the total.
class TQRAgenti : public Report
{
public:
    explicit TQRAgenti(TDataModule1& dm);
    ~TQRAgenti() override;

private:
    TDataModule1& dm;
    Money totale;
};
