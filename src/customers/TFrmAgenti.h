#pragma once
#include "DataSource.h"
#include <QDialog>
#include <memory>

class DbEdit;
class DbGrid;
class DbNavigator;
class DbText;
class QPushButton;
class QToolButton;
class TDataModule1;
class TFrmAgentiLst;
class TQRAgenti;

// The agents with their commission, and the sites assigned to the current agent. While the
// screen is shown the data module's site table follows the agent instead of the customer.
class TFrmAgenti : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmAgenti(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmAgenti() override;

    DbNavigator* navAgenti;
    QToolButton* SBtnRicerca;
    QToolButton* SBtnCalcola;
    QToolButton* SBtnStampa;
    QPushButton* btnChiudi;
    DbText* txtCodice;
    DbEdit* edtNominativo;
    DbEdit* edtPercentuale;
    DbText* txtProvvigione;
    DbGrid* grdSedi;
    DbNavigator* navSedi;

    // The search window, once "Ricerca" has made it.
    TFrmAgentiLst* FrmAgentiLst() const { return frmLst; }

    void SBtnRicercaClick();
    void SBtnCalcolaClick();
    void SBtnStampaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;

private:
    void DSAgentiStateChange();
    void DSAgentiDataChange();
    void collegaSediAgente();
    void collegaSediCliente();
    void CalcolaProvvigione();

    TDataModule1& dm;
    DataSource dsQuerySedi;
    TFrmAgentiLst* frmLst = nullptr;
    std::unique_ptr<TQRAgenti> qrAgenti;
    bool aperta = false;    // between show and hide: the sites follow the agent
};
