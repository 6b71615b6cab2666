#pragma once
#include "Report.h"
#include <QDate>

class TDataModule1;

// The consumption statistic of the current customer, site after site: in the analytic print
// every reading with its date, in the synthetic one only the material; after each material its
// total and monthly average over the months from its first to its last reading at the site, and
// after the last site the totals of Medie.DB for the whole customer.
class TQRMDStatistica : public Report
{
public:
    explicit TQRMDStatistica(TDataModule1& dm);
    ~TQRMDStatistica() override;

    bool analitica = true;

private:
    // The readings of the material being printed.
    void azzeraMateriale();
    void accumulaLettura();
    int mesiMateriale() const;

    TDataModule1& dm;
    double totaleMateriale = 0;
    QDate primaLettura, ultimaLettura;
};
