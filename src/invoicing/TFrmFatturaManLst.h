#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include <QDialog>

class DbGrid;
class DbNavigator;
class QLineEdit;
class QPushButton;
class TDataModule1;

// "Elenco fatture manuali": the manual invoices whose name contains the text typed, by name,
// second name and address; "OK" or a double click on a row chooses it.
class TFrmFatturaManLst : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmFatturaManLst(TDataModule1& dm, QWidget* parent = nullptr);

    QLineEdit* edtNome;         // "Nome da ricercare:"
    DbNavigator* navElenco;
    QPushButton* btnOk;
    DbGrid* grdElenco;

    // The list of the invoices, read again as the text changes.
    Query qElenco;
    DataSource dsElenco;

    void edtNomeChange(const QString& testo);

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDataModule1& dm;
};
