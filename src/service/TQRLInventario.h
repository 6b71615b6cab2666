#pragma once
#include "Dataset.h"
#include "Report.h"
#include <QDate>

class TDataModule1;

// The inventory of an article: its stock movements within a period, in recording order, with
// the stock after each. Without an article, the inventories of every invoiceable article, each
// starting on a page of its own.
class TQRLInventario : public Report
{
public:
    explicit TQRLInventario(TDataModule1& dm);
    ~TQRLInventario() override;

    // What to print, set before each preview or print.
    QString articolo;          // the article as the log names it: description, a blank, type
    bool tuttiGliArticoli = false;
    QDate dal, al;
    QString testoPeriodo;      // ", periodo interessato ..."
    QDate dataStampa;          // today when not set

    Query QryInventario;

private:
    bool QRLInventarioBeforePrint();
    TDataModule1& dm;
};
