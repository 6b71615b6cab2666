#pragma once
#include "Report.h"
#include <array>

class TDataModule1;

// The extended site sheet of a customer (landscape): dispensers and consumables per site,
// department and sex, from the rows of Ostrelo.DB filled by the customer screen.
class TQRSchedaEstesa : public Report
{
public:
    explicit TQRSchedaEstesa(TDataModule1& dm);
    ~TQRSchedaEstesa() override;

private:
    TDataModule1& dm;
    std::array<double, 8> totali{};      // sums of the eight counters over the rows printed
    ReportText* direzione = nullptr;
    ReportText* etichettaScala = nullptr;
    ReportText* scala = nullptr;
    ReportText* etichettaPiano = nullptr;
    ReportText* piano = nullptr;
    ReportText* ambulatorio = nullptr;
};
