#pragma once
#include "DataSource.h"
#include "GestioneSospesi.h"
#include <QDialog>

class DbDateEdit;
class DbGrid;
class DbNavigator;
class QPushButton;
class QToolButton;
class TDataModule1;

// "Gestione sospesi": the pending deliveries of existing sites, each re-dated in the date box
// ("Registra" or "Annulla") or deleted.
class TFrmSospesi : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSospesi(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmSospesi() override;

    GestioneSospesi gestione;
    DbDateEdit* EdtData;
    QToolButton* SBtnElimina;
    DbNavigator* DBNavigator1;
    QPushButton* BtnRegistra;
    QPushButton* BtnAnnulla;
    QPushButton* BtnChiudi;
    DbGrid* DBGrid1;

    void SBtnEliminaClick();
    void BtnRegistraClick();
    void BtnAnnullaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;
    // Escape takes back the date being changed, as "Annulla" does; otherwise it closes.
    void keyPressEvent(QKeyEvent* e) override;

private:
    // While the date is being changed only "Registra" and "Annulla" act.
    void DSSospesiStateChange();
    void aggiornaElenco();

    TDataModule1& dm;
    DataSource DSElenco;
};
