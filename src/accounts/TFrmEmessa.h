#pragma once
#include "DialogoMovimento.h"

// "Registra fattura emessa (in dare)": an invoice typed by hand on the collection screen,
// bound to the ledger movement being inserted or changed there. "&Registra" posts it as a
// debit and closes with Accepted; "Annulla" closes with Rejected (the screen takes it back).
class TFrmEmessa : public DialogoMovimento
{
    Q_OBJECT
public:
    TFrmEmessa(TDataModule1& dm, IncassiCliente& incassi, QWidget* parent = nullptr);

protected:
    void registra() override;
};
