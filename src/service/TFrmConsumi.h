#pragma once
#include "StatisticaConsumi.h"
#include <QDialog>
#include <optional>

class DbGrid;
class DbNavigator;
class QCheckBox;
class QPushButton;
class QToolButton;
class SceltaData;
class TDataModule1;
class TFrmMedia;

// "Consumi": the consumption readings of each site of each customer, typed in the grid, and
// the statistics over them, per customer or per site, as a chart or printed, within the
// period when the filter is on.
class TFrmConsumi : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmConsumi(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmConsumi() override;

    // The period when "Attiva filtro" is checked.
    std::optional<PeriodoConsumi> periodo() const;

    DbGrid* GridClienti;
    DbNavigator* NavClienti;
    DbGrid* GridSedi;
    DbNavigator* NavSedi;
    DbGrid* GridConsumi;
    DbNavigator* NavConsumi;
    SceltaData* DaData;
    SceltaData* AData;
    QCheckBox* ChkFiltro;
    QToolButton* SBtnMedia1;
    QToolButton* SBtnMedia2;
    QToolButton* SBtnStampa1;
    QToolButton* SBtnStampa2;
    QPushButton* BtnChiudi;

    // The chart window, once a statistic has made it.
    TFrmMedia* FrmMedia() const { return frmMedia; }

    void SBtnMedia1Click();
    void SBtnMedia2Click();
    void SBtnStampa1Click();
    void SBtnStampa2Click();
    void ChkFiltroClick();
    void DataChange();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void statistica(bool perCliente);
    void stampa(bool analitica);

    TDataModule1& dm;
    StatisticaConsumi statistiche;
    TFrmMedia* frmMedia = nullptr;
};
