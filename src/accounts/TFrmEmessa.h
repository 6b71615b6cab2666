#pragma once
#include <QDialog>

class DbEdit;
class IncassiCliente;
class QPushButton;
class TDataModule1;

// "Registra fattura emessa (in dare)": an invoice typed by hand on the collection screen,
// bound to the ledger movement being inserted or changed there. "&Registra" posts it as a
// debit and closes with Accepted; "Annulla" closes with Rejected (the screen takes it back).
class TFrmEmessa : public QDialog
{
    Q_OBJECT
public:
    TFrmEmessa(TDataModule1& dm, IncassiCliente& incassi, QWidget* parent = nullptr);

    DbEdit* edtData = nullptr;
    DbEdit* edtImporto = nullptr;
    DbEdit* edtFattura = nullptr;
    QPushButton* btnRegistra;
    QPushButton* btnAnnulla;

    void btnRegistraClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
    IncassiCliente& incassi;
};
