#pragma once
#include "Report.h"
#include <memory>

class ColonneScheda;
class MovimentiConto;
class TDataModule1;

// "Scheda contabile" of a payment account: the movements of the account as its screen's table
// stands (restricted by the caller), with the running balance written beforehand, the
// counter-account of each movement and the totals of Dare and Avere.
class TQRConto : public Report
{
public:
    TQRConto(MovimentiConto& movimenti, TDataModule1& dm);
    ~TQRConto() override;

private:
    QVariant modPag(const QString& campo) const;

    MovimentiConto& mov;
    TDataModule1& dm;
    std::unique_ptr<ColonneScheda> scheda;
};
