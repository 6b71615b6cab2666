#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include <QDialog>

class DbGrid;
class DbNavigator;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class TDataModule1;

// "Query": any SQL statement on the archive. "Apri" shows the rows of a statement that returns
// them (editable when it reads a single table), "Esegui" runs one that returns none.
class TFrmQuery : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmQuery(TDataModule1& dm, QWidget* parent = nullptr);

    DbNavigator* navQuery;
    QPlainTextEdit* memSql;
    QPushButton* btnApri;
    QPushButton* btnEsegui;
    QPushButton* btnChiudi;
    QPushButton* btnCarica;     // never shown
    QPushButton* btnSalva;      // never shown
    QSplitter* splitter;
    DbGrid* grdRisultato;

    Query& query() { return Query1; }

    void BtnApriClick();
    void BtnEseguiClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void mostraColonne();

    TDataModule1& dm;
    Query Query1;
    DataSource DataSource1;
};
