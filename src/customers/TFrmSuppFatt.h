#pragma once
#include <QDialog>

class DbGrid;
class DbNavigator;
class TDataModule1;

// "Ulteriori informazioni in fattura": the extra lines of the current customer's invoice
// (quantity, description, price), which also count in the customer's taxable amount.
class TFrmSuppFatt : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmSuppFatt(TDataModule1& dm, QWidget* parent = nullptr);

    DbNavigator* DBNavigator1 = nullptr;
    DbGrid* DBGrid1 = nullptr;
};
