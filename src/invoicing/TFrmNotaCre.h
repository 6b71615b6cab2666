#pragma once
#include "EmissioneNotaCredito.h"

class QSpinBox;

// The credit note on the periodic invoice of the current customer as the last invoice run
// left it.
class TFrmNotaCre : public EmissioneNotaCredito
{
    Q_OBJECT
public:
    explicit TFrmNotaCre(TDataModule1& dm, QWidget* parent = nullptr);

    QSpinBox* SpinEdit2;       // "Anno di riferimento"

    // "Genera": the credit notes of the current customer.
    QStringList GeneraNota();

protected:
    void showEvent(QShowEvent* e) override;
};
