#pragma once
#include <QDialog>

class DbEdit;
class IncassiCliente;
class QPushButton;
class TDataModule1;

// "Registra fattura incassata (in avere)": a collection typed by hand on the collection
// screen, bound to the collection being inserted or changed there, dated today when shown.
// "&Registra" posts it with its payment-account movement and closes with Accepted; "Annulla"
// closes with Rejected (the screen takes it back).
class TFrmIncassata : public QDialog
{
    Q_OBJECT
public:
    TFrmIncassata(TDataModule1& dm, IncassiCliente& incassi, QWidget* parent = nullptr);

    DbEdit* edtCausale = nullptr;
    DbEdit* edtData = nullptr;
    DbEdit* edtImporto = nullptr;
    DbEdit* edtFattura = nullptr;
    DbEdit* edtDataRif = nullptr;
    QPushButton* btnRegistra;
    QPushButton* btnAnnulla;

    void btnRegistraClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
    IncassiCliente& incassi;
};
