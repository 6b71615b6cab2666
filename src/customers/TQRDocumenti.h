#pragma once
#include "Report.h"
#include <memory>

class ColonneScheda;
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
    std::unique_ptr<ColonneScheda> scheda;
    ReportText* mastro = nullptr;
    ReportText* conto = nullptr;
};
