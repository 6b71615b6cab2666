#pragma once
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
    TDataModule1& dm;
};
