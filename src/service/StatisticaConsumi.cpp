#include "StatisticaConsumi.h"
#include "DateIt.h"
#include "Errors.h"
#include "Periodo.h"
#include "TDataModule1.h"
#include "TQRMDStatistica.h"
#include <QSqlQuery>

namespace {

// Readings dated outside these bounds are typing errors, not consumption.
const QString primaPlausibile = QStringLiteral("1900-01-01");
const QString ultimaPlausibile = QStringLiteral("2100-12-31");

} // namespace

StatisticaConsumi::StatisticaConsumi(TDataModule1& dati) : dm(dati) {}

StatisticaConsumi::~StatisticaConsumi() = default;

QString StatisticaConsumi::FiltroPeriodo(const PeriodoConsumi& periodo)
{
    return FiltroTraDate(QStringLiteral("Data"), periodo.dal, periodo.al);
}

int StatisticaConsumi::PerSede(double sede, const std::optional<PeriodoConsumi>& periodo)
{
    return riempiMedie(QStringLiteral("c.Sede = ?"), sede, periodo);
}

int StatisticaConsumi::PerCliente(double cliente, const std::optional<PeriodoConsumi>& periodo)
{
    return riempiMedie(QStringLiteral("c.Sede IN (SELECT Codice FROM Sedi WHERE \"Codice cliente\" = ?)"), cliente, periodo);
}

// One statement sums the readings per material; Medie.DB is then rewritten in one unit.
int StatisticaConsumi::riempiMedie(const QString& condizione, double chiave, const std::optional<PeriodoConsumi>& periodo)
{
    QString dove = condizione;
    QVariantList parametri{chiave};
    if (periodo) {
        ControllaPeriodo(periodo->dal, periodo->al);
        dove += QStringLiteral(" AND c.Data >= ? AND c.Data <= ?");
        parametri << isoDate(periodo->dal) << isoDate(periodo->al);
    }
    struct Materiale
    {
        QVariant codice;
        QString da, a, descrizione;
        double totale;
    };
    std::vector<Materiale> materiali;
    QString prima, ultima;
    {
        QSqlQuery q = dm.db.exec(QStringLiteral("SELECT c.Servizio, MIN(c.Data), MAX(c.Data), SUM(c.Quantita), MAX(s.Descrizione) "
                                                "FROM Consumi c LEFT JOIN Servizi s ON s.Codice = c.Servizio WHERE %1 "
                                                "GROUP BY c.Servizio ORDER BY c.Servizio")
                                     .arg(dove),
                                 parametri);
        while (q.next()) {
            materiali.push_back({q.value(0), q.value(1).toString(), q.value(2).toString(), q.value(4).toString(),
                                 q.value(3).toDouble()});
            const Materiale& m = materiali.back();
            if (!m.da.isEmpty() && (prima.isEmpty() || m.da < prima))
                prima = m.da;
            if (!m.a.isEmpty() && (ultima.isEmpty() || m.a > ultima))
                ultima = m.a;
        }
    }
    if ((!prima.isEmpty() && prima < primaPlausibile) || (!ultima.isEmpty() && ultima > ultimaPlausibile)) {
        QSqlQuery q = dm.db.exec(QStringLiteral("SELECT COALESCE(s.Indirizzo, '') || ' ' || COALESCE(s.Comune, ''), c.Data "
                                                "FROM Consumi c LEFT JOIN Sedi s ON s.Codice = c.Sede "
                                                "WHERE %1 AND (c.Data < ? OR c.Data > ?) ORDER BY c.Codice LIMIT 1")
                                     .arg(dove),
                                 parametri + QVariantList{primaPlausibile, ultimaPlausibile});
        const QString sede = q.next() ? q.value(0).toString().trimmed() : QString();
        const QDate data = fromIso(q.value(1).toString());
        throw LavError(QStringLiteral("La sede %1 ha un consumo con una data non plausibile (%2): correggerla prima di "
                                      "calcolare la statistica.")
                           .arg(sede, data.isValid() ? formatDate(data) : q.value(1).toString()));
    }

    {
        Savepoint sp(dm.db);
        dm.db.exec(QStringLiteral("DELETE FROM Medie"));
        QSqlQuery ins = dm.db.prepare(QStringLiteral(
            "INSERT INTO Medie (Codice, CodServizio, Servizio, DaData, AData, Totale, Mesi, \"Media mensile\") "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        int codice = 0;
        for (const Materiale& m : materiali) {
            // From the earliest to the latest reading of the material, never below one month.
            const QDate da = fromIso(m.da), a = fromIso(m.a);
            const int mesi = da.isValid() && a.isValid() ? std::max(1, TDataModule1::MesiTraDate(a, da)) : 1;
            ins.addBindValue(++codice);
            ins.addBindValue(m.codice);
            ins.addBindValue((m.descrizione + u'\r' + QStringLiteral("media su totale mesi: ") + QString::number(mesi)).left(70));
            ins.addBindValue(m.da.isEmpty() ? QVariant() : QVariant(m.da));
            ins.addBindValue(m.a.isEmpty() ? QVariant() : QVariant(m.a));
            ins.addBindValue(m.totale);
            ins.addBindValue(mesi);
            ins.addBindValue(m.totale / mesi);
            Database::run(ins);
        }
        ins.finish();
        sp.release();
    }
    if (dm.TblMedie.active())
        dm.TblMedie.refresh();
    else
        dm.TblMedie.open();
    return int(materiali.size());
}

void StatisticaConsumi::ApplicaPeriodo(const std::optional<PeriodoConsumi>& periodo)
{
    Table& consumi = dm.TblConsumi;
    if (periodo)
        consumi.setFilter(FiltroPeriodo(*periodo));
    consumi.setFiltered(periodo.has_value());
}

TQRMDStatistica& StatisticaConsumi::PreparaStampa(bool analitica, const std::optional<PeriodoConsumi>& periodo)
{
    const double cliente = dm.TblClienti.active() && !dm.TblClienti.isEmpty() ? dm.TblClienti["Codice"].asFloat() : 0;
    PerCliente(cliente, periodo);
    ApplicaPeriodo(periodo);
    if (!qrStatistica)
        qrStatistica = std::make_unique<TQRMDStatistica>(dm);
    qrStatistica->analitica = analitica;
    return *qrStatistica;
}
