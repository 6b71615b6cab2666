#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include "OperazioniClienti.h"
#include <QDialog>
#include <functional>
#include <memory>

class DbCheckBox;
class DbComboBox;
class DbDateEdit;
class DbEdit;
class DbGrid;
class DbLookupComboBox;
class DbMemo;
class DbNavigator;
class DbRadioGroup;
class DbText;
class GrigliaPannelli;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TDataModule1;
class TFrmClientiLst;
class TFrmSuppFatt;
class TQRDocumenti;
class TQRMDClienteSin;
class TQRMDClienti;
class TQRSchedaEstesa;
class ValidatoreCodiceFE;

// "Clienti": the customers with their sites, the articles rented to each site, the weekly
// intervention days and the extra invoice lines. From here the taxable amount is computed,
// prices are copied across the sites, routes are assigned and the customer sheets printed.
//
// Records change only after the navigators' edit or insert buttons (or the screen's own
// operations); a customer deletion stays undoable until something is edited again.
class TFrmClienti : public QDialog
{
    Q_OBJECT
    TDataModule1& dm;

public:
    explicit TFrmClienti(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmClienti() override;

    // Months one invoice covers for the payment terms chosen; 0 when none is chosen.
    int MesiCondizioni() const;
    // Description of a VAT nature code ("N3.2"), empty for a code that has none.
    static QString DescrizioneNatura(const QString& codice);
    // The nature codes of the drop-down lists, the empty one first.
    static QStringList CodiciNatura();

    // The buttons' operations.
    void SBtnUndoClick();
    void SBtnRicercaClick();
    void SBtnFatturaClick();
    void SBtnCalcolaClick();
    void SBtnStampa1Click();
    void SBtnStampa2Click();
    void SBtnStampa3Click();
    void sbRicopiaImportiClick();
    void SBtnEliminaServizioClick();
    // The extended site sheet: Ostrelo.DB made again for the customer, then shown.
    void StampaSchedaEstesa();
    // The site being shown takes a route and the route's agent; it stays in edit.
    void AssegnaServizio(int iter, double agente);

    // Buttons that open windows of other subsystems, through `collegamenti`.
    void SBtnSaldoClick();                // invoice settlement
    void BtnNotaCreditoClick();           // credit note on a periodic invoice
    void BtnFatturaClick();               // periodic invoice of this customer
    void BtnCaricaClick();                // contract number from an order file
    void SBtnModificaServizioClick();     // route chosen in the routes window, then AssegnaServizio
    void SBtnRaggruppamentiClick();       // site grouping

    // The windows of the invoicing, e-invoice, accounts and service subsystems live in layers
    // above this one: the main window, which knows them all, fills these in. A button whose
    // link is empty does nothing.
    struct Collegamenti {
        std::function<void()> saldo;            // "Saldo fattura"
        std::function<void()> notaCredito;      // "Nota credito"
        std::function<void()> fattura;          // "Fattura", for the current customer
        std::function<void()> caricaOrdine;     // "Carica..."
        std::function<void()> modificaServizio; // "Modifica il servizio"
        std::function<void()> raggruppamenti;   // "Raggruppamenti"
    } collegamenti;

    // The companions, once opened.
    TFrmClientiLst* FrmClientiLst() const { return frmClientiLst; }
    TFrmSuppFatt* FrmSuppFatt() const { return frmSuppFatt; }

    // The screen's data sources: they never start an edit by themselves.
    DataSource ActiveSource, DSSedi, DSNoleggi;

    // Top bar.
    DbNavigator* DBNavigator1 = nullptr;
    QToolButton* SBtnUndo = nullptr;
    QToolButton* SBtnRicerca = nullptr;
    QToolButton* SBtnFattura = nullptr;
    QToolButton* SBtnCalcola = nullptr;
    QToolButton* SBtnStampa1 = nullptr;
    QToolButton* SBtnStampa2 = nullptr;
    QToolButton* SBtnStampa3 = nullptr;
    QToolButton* SBtnSaldo = nullptr;
    QPushButton* BtnNotaCredito = nullptr;
    QPushButton* BtnFattura = nullptr;
    QPushButton* BtnChiudi = nullptr;

    // Header.
    DbText* txtCodice = nullptr;
    DbEdit* edtDenominazione = nullptr;
    DbEdit* edtDenominazione2 = nullptr;
    DbCheckBox* chkEscluso = nullptr;
    DbCheckBox* chkIncassabile = nullptr;
    DbCheckBox* ChkIva = nullptr;
    DbCheckBox* chkStampaEstesa = nullptr;
    DbComboBox* cmbNatura = nullptr;
    QLabel* lblNatura = nullptr;
    DbRadioGroup* rgScadenzaFattura = nullptr;

    QTabWidget* pageControl1 = nullptr;

    // Page "Informazioni generali".
    DbEdit* edtMastro = nullptr;
    DbEdit* edtConto = nullptr;
    DbEdit* edtIndirizzo = nullptr;
    DbEdit* edtComune = nullptr;
    DbEdit* edtPartitaIva = nullptr;
    DbEdit* edtCodiceFiscale = nullptr;
    DbEdit* edtPEC = nullptr;
    QPushButton* BtnCarica = nullptr;
    DbEdit* edtNumContratto = nullptr;
    DbDateEdit* edtDataContratto = nullptr;
    DbEdit* edtRigo1 = nullptr;
    DbDateEdit* edtDataScadenza = nullptr;
    DbEdit* edtRigo2 = nullptr;
    DbLookupComboBox* cmbPagamento = nullptr;
    DbEdit* edtCoordinateBanca = nullptr;
    DbEdit* edtBanca = nullptr;
    DbEdit* edtNumeroCC = nullptr;
    DbRadioGroup* rgCondizioni = nullptr;
    DbEdit* edtImponibile = nullptr;
    DbEdit* edtIva = nullptr;
    DbEdit* edtTotale = nullptr;
    DbMemo* memoRigo3 = nullptr;
    DbMemo* memoNote = nullptr;
    DbCheckBox* chkMeseFatt = nullptr;
    DbEdit* edtNoteServizi = nullptr;
    DbEdit* edtScheda = nullptr;
    DbEdit* edtIndiceRev = nullptr;
    DbDateEdit* edtDataRev = nullptr;
    DbCheckBox* ChkXML = nullptr;
    DbEdit* edtCodiceFE = nullptr;
    DbCheckBox* chkScissione = nullptr;
    DbEdit* edtCausale = nullptr;

    // Page "Sedi e noleggi".
    DbNavigator* DBNavigator2 = nullptr;
    QToolButton* SBtnModificaServizio = nullptr;
    QToolButton* SBtnEliminaServizio = nullptr;
    QToolButton* SBtnRaggruppamenti = nullptr;
    QStackedWidget* pilaSedi = nullptr;
    GrigliaPannelli* pannelliSedi = nullptr;
    GrigliaPannelli* pannelliSediEstese = nullptr;
    DbNavigator* DBNavigator4 = nullptr;
    GrigliaPannelli* pannelliInterventi = nullptr;
    DbCheckBox* chkMillesimi = nullptr;
    DbNavigator* DBNavigator3 = nullptr;
    QToolButton* sbRicopiaImporti = nullptr;
    QStackedWidget* pilaNoleggi = nullptr;
    DbGrid* grdNoleggi = nullptr;
    DbGrid* grdNoleggiEstesa = nullptr;


public Q_SLOTS:
    // Closing: pending changes are dropped, the companions closed, an undoable deletion made
    // final, the article filter and the ledger link taken away.
    void done(int r) override;

protected:
    // Opening: the invoiceable articles, the first customer, the ledger linked to it.
    void showEvent(QShowEvent* e) override;

private:
    QWidget* creaBarra();
    QWidget* creaTestata();
    QWidget* creaInformazioni();
    QWidget* creaSediNoleggi();

    void FormShow();
    void FormClose();
    // Data change of the customer: the layout of the sites, the nature, the recipient code,
    // the undo button.
    void ActiveSourceDataChange();
    void ActiveSourceStateChange();
    // Editing any of the three tables makes an undoable deletion final.
    void ConfermaEliminazione(DataSource& ds);
    // A new intervention is appended after the site's others, the week taking the focus.
    void InterventoNuovo();
    void ChkIvaClick();
    void ChkXMLClick();
    void aggiornaNatura();
    bool estesa() const;
    // Hidden while a print or another window is shown, without ending its own modal run.
    void nascondi();

    TFrmClientiLst* frmClientiLst = nullptr;
    TFrmSuppFatt* frmSuppFatt = nullptr;
    std::unique_ptr<TQRMDClienti> QRMDClienti;
    std::unique_ptr<TQRMDClienteSin> QRMDClienteSin;
    std::unique_ptr<TQRDocumenti> QRDocumenti;
    std::unique_ptr<TQRSchedaEstesa> QRSchedaEstesa;
    ValidatoreCodiceFE* validatoreCodiceFE = nullptr;
    QLabel* lblSedi = nullptr;
    QLabel* lblNoleggi = nullptr;
    QWidget* indirizzoSede = nullptr;
    QWidget* indirizzoSedeEstesa = nullptr;
    QWidget* edtSettimana = nullptr;
    OperazioniClienti operazioni;
    bool aperta = false;
};
