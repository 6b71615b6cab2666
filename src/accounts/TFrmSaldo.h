#pragma once
#include <QDialog>
#include <memory>

class DbGrid;
class DbNavigator;
class EstrattoConto;
class FiltroPeriodo;
class IncassiCliente;
class QCheckBox;
class QDateEdit;
class QPushButton;
class TDataModule1;
class TFrmEmessa;
class TFrmIncassata;
class TFrmIncasso;
enum class NavButton;

// "Saldo fattura cliente": the open invoices of the current customer ("Emesse", left) beside
// its collections ("Incassate", right) in the ledger of the current year. An invoice is
// collected with "&Incassa ->" and a collection undone with "<- Ann&ulla"; invoices and
// collections can be typed by hand; both lists can be restricted to a period; "&Stampa"
// previews the customer's account statement. It opens at the bottom right of the screen.
class TFrmSaldo : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSaldo(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmSaldo() override;

    IncassiCliente& incassi() { return *ops; }

    DbNavigator* navEmesse;
    QPushButton* btnIncassa;
    QPushButton* btnAnnulla;
    DbNavigator* navIncassate;
    FiltroPeriodo* filtro;
    QCheckBox* chkAttivato;
    QDateEdit* dtpDaData;
    QDateEdit* dtpAData;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;
    DbGrid* grdEmesse;
    DbGrid* grdIncassate;

    // The dialogs, once used.
    TFrmIncasso* FrmIncasso() const { return frmIncasso; }
    TFrmEmessa* FrmEmessa() const { return frmEmessa; }
    TFrmIncassata* FrmIncassata() const { return frmIncassata; }

    void btnIncassaClick();
    void btnAnnullaClick();
    void chkAttivatoClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void navEmesseClick(NavButton b);
    void navIncassateClick(NavButton b);
    void aggiornaPulsanti();
    void posiziona();

    TDataModule1& dm;
    std::unique_ptr<IncassiCliente> ops;
    std::unique_ptr<EstrattoConto> estratto;
    TFrmIncasso* frmIncasso = nullptr;
    TFrmEmessa* frmEmessa = nullptr;
    TFrmIncassata* frmIncassata = nullptr;
    bool aperta = false;
};
