#pragma once
#include <QDialog>
#include <memory>

class DbGrid;
class DbNavigator;
class QPushButton;
class SceltaData;
class StampaServizi;
class TDataModule1;

// "Servizi": the delivery routes with their agent, and the weekly service sheet of the current
// route, planned from the reference date and printed in the current or the old layout. Opened
// from the customer screen it also lets the user choose the route of a site ("OK").
class TFrmIter : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmIter(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmIter() override;

    // "OK" is shown only when the route is being chosen for a site.
    void mostraOk(bool visibile);

    SceltaData* DataRiferimento;
    DbNavigator* DBNavigator1;
    QPushButton* BtnStampa;
    QPushButton* BtnVecchia;
    QPushButton* BtnOk;
    QPushButton* BtnChiudi;
    DbGrid* DBGrid1;

    void BtnStampaClick();
    void BtnVecchiaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void stampa(bool vecchia);

    TDataModule1& dm;
    std::unique_ptr<StampaServizi> stampaServizi;
};
