#pragma once
#include "TQRSchedaSettimanale.h"

// "Scheda settimanale di servizio" in the current layout: each stop carries the customer's
// service sheet reference in the annotations column.
class TQRServizi : public TQRSchedaSettimanale
{
public:
    explicit TQRServizi(TDataModule1& dm) : TQRSchedaSettimanale(dm, LayoutScheda::Corrente) {}
};
