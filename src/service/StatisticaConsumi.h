#pragma once
#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class TDataModule1;
class TQRMDStatistica;

// The period of the consumption statistics: the readings from `dal` to `al`, both included.
struct PeriodoConsumi
{
    QDate dal, al;
};

// The consumption statistics: per material, the total consumed, the months from the earliest to
// the latest reading and the monthly average, for one site or for all the sites of a customer,
// written into Medie.DB for the chart and the printed statistic.
class StatisticaConsumi
{
public:
    explicit StatisticaConsumi(TDataModule1& dm);
    ~StatisticaConsumi();

    // Medie.DB emptied and filled again with the statistic of one site or of every site of a
    // customer, from the readings within the period when one is given. Medie.DB changes as a
    // whole or not at all: a reading dated outside any plausible range (before 1900 or after
    // 2100) is refused with a LavError naming the site and the date, and so is a period that
    // ends before it starts. The number of materials.
    int PerSede(double sede, const std::optional<PeriodoConsumi>& periodo = {});
    int PerCliente(double cliente, const std::optional<PeriodoConsumi>& periodo = {});

    // The printed statistic of the data module's current customer, analytic (every reading) or
    // synthetic (the totals of each material): Medie.DB refilled for its sites and the readings
    // restricted to the period. Preview, print or export it.
    TQRMDStatistica& PreparaStampa(bool analitica, const std::optional<PeriodoConsumi>& periodo = {});

    // The consumption table's filter for a period: "Data >= '01/01/2024' and Data <= '31/03/2024'".
    static QString FiltroPeriodo(const PeriodoConsumi& periodo);
    // Puts the data module's consumption table on the period, or takes the period away.
    void ApplicaPeriodo(const std::optional<PeriodoConsumi>& periodo);

private:
    int riempiMedie(const QString& condizione, double chiave, const std::optional<PeriodoConsumi>& periodo);

    TDataModule1& dm;
    std::unique_ptr<TQRMDStatistica> qrStatistica;
};
