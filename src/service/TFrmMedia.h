#pragma once
#include "StatisticaConsumi.h"
#include <QDialog>
#include <optional>

class BarChart;
class QLabel;
class QPushButton;
class TDataModule1;

// "Media e totali": the statistic in Medie.DB as a bar chart, the monthly average in green and
// the total in red for each material, under the customer's name and the address of the
// customer or of the site.
class TFrmMedia : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmMedia(TDataModule1& dm, QWidget* parent = nullptr);
    ~TFrmMedia() override;

    // Fills the chart from Medie.DB: per customer or per site (the current one), with the
    // period of the readings when the filter is on.
    void Mostra(bool perCliente, const std::optional<PeriodoConsumi>& periodo);

    QLabel* LblIntestazione;
    BarChart* Grafico;
    QPushButton* BtnChiudi;

private:
    TDataModule1& dm;
};
