#pragma once
#include "EmissioneNotaCredito.h"

// The credit note on the manual invoice shown in the manual invoice window.
class TFrmNotaCreMan : public EmissioneNotaCredito
{
    Q_OBJECT
public:
    explicit TFrmNotaCreMan(TDataModule1& dm, QWidget* parent = nullptr);
};
