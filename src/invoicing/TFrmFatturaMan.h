#pragma once
#include "FattureManuali.h"
#include <QDialog>
#include <array>
#include <memory>

class DbCheckBox;
class DbComboBox;
class DbEdit;
class DbMemo;
class DbNavigator;
class DbText;
class GruppoFE;
class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;
class TDataModule1;
class TFrmFatturaManLst;
class TFrmNotaCreMan;
class TQRFatturaMan;
enum class NavButton;

// "Fattura manuale": free-form invoices to any addressee, with eleven lines, their own VAT
// rate and nature, a billing period and the data of the electronic invoice. The rules and the
// print are FattureManuali's; the window wires them to its controls.
class TFrmFatturaMan : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmFatturaMan(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmFatturaMan() override;

    static constexpr int righe = 11;

    // Tool bar.
    QToolButton* SBtnRicerca;
    QToolButton* SBtnPreview;
    QToolButton* SBtnPrint;
    QToolButton* sbDuplica;
    DbNavigator* DBNavigator1;
    QPushButton* BtnNotaCredito;
    QPushButton* btnChiudi;
    DbText* txtCodice;

    // Electronic invoice.
    DbEdit* Codice_FE = nullptr;          // "Codice PA"
    DbEdit* edtCig = nullptr;
    DbEdit* edtDataContratto = nullptr;
    DbEdit* edtNumContratto = nullptr;
    QPushButton* BtnCarica;              // "Carica..."
    DbCheckBox* chkPA = nullptr;          // "Fattura verso PA"
    DbCheckBox* chkScissione = nullptr;
    DbEdit* edtCausale = nullptr;
    GruppoFE* grpFE;

    // Addressee.
    DbEdit* edtNome1 = nullptr;
    DbEdit* edtNome2 = nullptr;
    DbEdit* edtIndirizzo = nullptr;
    DbEdit* edtCitta = nullptr;
    DbEdit* edtCodiceFiscale = nullptr;
    DbEdit* edtPartitaIva = nullptr;
    DbEdit* edtPEC = nullptr;
    DbEdit* edtCoordinateBanca = nullptr;
    DbEdit* edtBanca = nullptr;
    DbCheckBox* chkMillesimi = nullptr;

    // The lines and their amounts.
    std::array<DbEdit*, righe> edtQuantita{}, edtDescrizione{}, edtPrezzo{};
    std::array<DbText*, righe> txtImporto{};

    // Invoice data.
    DbEdit* edtDataFattura = nullptr;
    DbEdit* edtNumeroFattura = nullptr;
    DbEdit* edtDataInizioP = nullptr;
    DbEdit* edtDataFineP = nullptr;
    QDateEdit* dtpDataStampa;            // "Data di stampa", not stored
    DbEdit* edtDataScadenza = nullptr;
    DbEdit* edtIva = nullptr;
    DbComboBox* cmbNatura;
    QLabel* lbNatura;
    DbText* txtImponibile;
    DbText* txtImportoIva;
    DbText* txtTotale;

    // Footer.
    std::array<DbEdit*, 6> edtRigo{};
    DbMemo* Rigo_7;                      // "Fine pagina fattura"

    FattureManuali manuali;

    void SBtnRicercaClick();
    void SBtnPreviewClick();
    void SBtnPrintClick();
    void sbDuplicaClick();
    void BtnNotaCreditoClick();
    void BtnCaricaClick();
    void chkPAClick();
    void edtIvaChange();
    void cmbNaturaChange();
    void edtDataFatturaExit();
    // Navigator: the default period before "Registra"; after any button, the limits and the nature.
    void DBNavigator1BeforeAction(NavButton b);
    void DBNavigator1Click();

    // The search window and the report, once made.
    TFrmFatturaManLst* FrmFatturaManLst() const { return frmLst; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* creaDatiFE();
    QWidget* creaDestinatario();
    QWidget* creaRighe();
    QWidget* creaPiede();
    void limitaCodicePA();
    void aggiornaNatura();
    bool inModifica() const;
    // The printed invoice, made the first time it is needed.
    TQRFatturaMan& stampato();

    TDataModule1& dm;
    TFrmFatturaManLst* frmLst = nullptr;
    TFrmNotaCreMan* frmNotaCreMan = nullptr;
    std::unique_ptr<TQRFatturaMan> report;
};
