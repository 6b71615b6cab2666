#pragma once
#include "TQRSchedaSettimanale.h"

// The weekly service sheet in the old layout: smaller, and under each stop the articles placed
// at the customer's sites of that group instead of the sheet reference.
class TQRServiziOld : public TQRSchedaSettimanale
{
public:
    explicit TQRServiziOld(TDataModule1& dm) : TQRSchedaSettimanale(dm, LayoutScheda::Vecchia) {}
};
