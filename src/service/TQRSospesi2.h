#pragma once
#include "Dataset.h"
#include "Report.h"

class TDataModule1;

// "TOTALI": the pending units per article, printed after the list of pending deliveries, with
// the revision label at the end.
class TQRSospesi2 : public Report
{
public:
    explicit TQRSospesi2(TDataModule1& dm);
    ~TQRSospesi2() override;

    Query QryTotali;
    // "OVRT/" followed by the revision typed by the user.
    QString etichettaRevisione = QStringLiteral("OVRT/");

private:
    TDataModule1& dm;
};
