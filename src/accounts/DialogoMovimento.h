#pragma once
#include "Modulo.h"
#include <QDialog>

class DataSource;
class DbEdit;
class IncassiCliente;
class QPushButton;
class TDataModule1;

// A movement typed by hand on the collection screen: labelled boxes bound to the record being
// inserted or changed there, "&Registra" and "Annulla". "&Registra" writes what the boxes hold
// and registers the movement, closing with Accepted; a refusal keeps the dialog open on the
// record. "Annulla" closes with Rejected (the screen takes the record back). The date, amount
// and invoice boxes are those of every movement; the amount and the invoice stand to the right.
class DialogoMovimento : public QDialog
{
    Q_OBJECT
public:
    DbEdit* edtData = nullptr;
    DbEdit* edtImporto = nullptr;
    DbEdit* edtFattura = nullptr;
    QPushButton* btnRegistra = nullptr;
    QPushButton* btnAnnulla = nullptr;

    void btnRegistraClick();

protected:
    DialogoMovimento(const QString& titolo, TDataModule1& dm, IncassiCliente& incassi, DataSource& ds, QWidget* parent);

    // The boxes, one row each, above the buttons.
    void disponi(std::initializer_list<VoceModulo> voci);
    // What showing the dialog does to the record, and what "&Registra" does after the boxes
    // are written; a refusal throws.
    virtual void prepara() {}
    virtual void registra() = 0;

    void showEvent(QShowEvent* e) override;

    TDataModule1& dm;
    IncassiCliente& incassi;
    QWidget* campoIniziale = nullptr;    // takes the focus when the dialog is shown

private:
    DataSource& ds;
};
