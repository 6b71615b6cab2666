#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include <QDialog>

class DbGrid;
class DbNavigator;
class QPushButton;
class TDataModule1;

// "Ripresa saldi esercizio precedente": the balances carried into the current year's ledger,
// one per customer, whose amounts can be corrected. Movements are neither added nor deleted here.
class TFrmPrevSaldi : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmPrevSaldi(TDataModule1& dm, QWidget* parent = nullptr);

    DbNavigator* navSaldi;
    QPushButton* btnChiudi;
    DbGrid* grdSaldi;

    Table& saldi() { return TblSaldi; }

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TDataModule1& dm;
    Table TblSaldi;
    DataSource DSSaldi;
};
