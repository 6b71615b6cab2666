#pragma once
#include "Report.h"
#include <QDateTime>

class TDataModule1;

// The blank intervention sheet: every article of the article table in description order, with
// empty columns for the operation and the quantity that the service staff fill in by hand.
class TQRIntervento : public Report
{
public:
    explicit TQRIntervento(TDataModule1& dm);
    ~TQRIntervento() override;

    // When the sheet is printed; the header shows it.
    QDateTime stampatoIl;

private:
    TDataModule1& dm;
};
