#pragma once
#include "Money.h"
#include "Report.h"

class TDataModule1;

// The account statement "Scheda contabile" of the current customer over the ledger as linked
// and filtered ("Conto = 0") by the caller, with running balance.
class TQRDocumenti : public Report
{
public:
    explicit TQRDocumenti(TDataModule1& dm);
    ~TQRDocumenti() override;

private:
    TDataModule1& dm;
    Money totaleDare, totaleAvere;
    ReportText* mastro = nullptr;
    ReportText* conto = nullptr;
};
