#pragma once
#include "Report.h"

class TDataModule1;

// "Elenco sintetico clienti": one line per customer, in name order.
class TQRClientiLst : public Report
{
public:
    explicit TQRClientiLst(TDataModule1& dm);
    ~TQRClientiLst() override;

private:
    TDataModule1& dm;
};
