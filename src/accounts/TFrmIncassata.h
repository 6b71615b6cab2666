#pragma once
#include "DialogoMovimento.h"

// "Registra fattura incassata (in avere)": a collection typed by hand on the collection
// screen, bound to the collection being inserted or changed there, dated today when shown.
// "&Registra" posts it with its payment-account movement and closes with Accepted; "Annulla"
// closes with Rejected (the screen takes it back).
class TFrmIncassata : public DialogoMovimento
{
    Q_OBJECT
public:
    TFrmIncassata(TDataModule1& dm, IncassiCliente& incassi, QWidget* parent = nullptr);

    DbEdit* edtCausale = nullptr;
    DbEdit* edtDataRif = nullptr;

protected:
    void prepara() override;
    void registra() override;
};
