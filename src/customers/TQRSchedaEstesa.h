#pragma once
#include "Report.h"

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
};
