#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class QPushButton;
class TDataModule1;

// "Gestione diretta archivio prima nota": every field of every movement of the customer chosen
// below, changed, added or removed as typed, with no ledger rule behind it. It opens only after
// the ledger password.
class TFrmPrimaNota : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmPrimaNota(TDataModule1& dm, QWidget* parent = nullptr);

    DbNavigator* navPrimaNota;
    DbGrid* grdPrimaNota;
    QPushButton* btnChiudi;
    DbNavigator* navClienti;
    DbGrid* grdClienti;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TDataModule1& dm;
};
