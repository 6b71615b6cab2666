#pragma once
#include "DataSource.h"
#include <QDialog>
#include <optional>

class DbCheckBox;
class DbDateEdit;
class DbEdit;
class QPushButton;
class QSpinBox;
class TDataModule1;

// "Parametri": the company's single parameters record (seller, register, document types, last
// credit note) and the last invoice number of the current fiscal year, kept in its counter file.
class TFrmParametri : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmParametri(TDataModule1& dm, QWidget* parent = nullptr);

    QSpinBox* speUltimoNumero;
    DbEdit* edtProgrInvio;
    DbDateEdit* edtDataInvio;
    DbEdit* edtPIva;
    DbEdit* edtCedID;
    DbEdit* edtCedNome;
    DbEdit* edtCedRegFisc;
    DbEdit* edtCedIndirizzo;
    DbEdit* edtCedCAP;
    DbEdit* edtCedComune;
    DbEdit* edtReaUfficio;
    DbEdit* edtReaNumero;
    DbEdit* edtReaCapSoc;
    DbEdit* edtSocio;
    DbEdit* edtStato;
    DbCheckBox* chkSoloPA;
    DbEdit* edtTipoDocFatt;
    DbEdit* edtTipoDocNota;
    DbEdit* edtNotaCre;
    DbDateEdit* edtDataNotaCre;
    QPushButton* btnSalva;
    QPushButton* btnChiudi;

    void BtnSalvaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Salva();
    int ultimoNumeroNelFile();

    TDataModule1& dm;
    DataSource dsParametri;
    std::optional<int> numeroLetto;   // the last number as the counter file held it when shown
};
