#pragma once
#include "DataSource.h"
#include "RaggruppamentoSedi.h"
#include <QDialog>

class DbGrid;
class DbNavigator;
class QPushButton;
class TDataModule1;

// "Raggruppamento sedi": the current customer's sites by group, each group coloured apart;
// the selected sites are joined into the group of the first of them, or given their own group
// back. Every change is posted to the site at once.
class TFrmGroup : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmGroup(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmGroup() override;

    RaggruppamentoSedi raggruppamento;
    DbGrid* DBGrid1;
    DbNavigator* DBNavigator1;
    QPushButton* BtnRaggruppa;
    QPushButton* BtnSepara;
    QPushButton* BtnChiudi;

    void BtnRaggruppaClick();
    void BtnSeparaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The codes of the selected sites, in grid order.
    QList<double> selezionate();

    TDataModule1& dm;
    DataSource DSGruppi;
};
