// The service planning and the consumption statistics on a large synthetic archive, each beside
// the same rows computed by one SQL statement in the same run: the weekly planning of every
// route of a scale-100 archive, and the statistic per customer over a year of daily readings at
// its 15,000 sites.
#include "ArchivioBench.h"
#include "Clock.h"
#include "EseguiBenchmark.h"
#include "PianificazioneSettimanale.h"
#include "StatisticaConsumi.h"
#include <QSqlQuery>

namespace {

// A scale-100 archive started in 2024 whose consumption readings are a year of daily readings
// at every site, each site consuming one of three materials a day.
struct Archivio : ArchivioBench
{
    Archivio() : ArchivioBench(100, consumiDiUnAnno)
    {
        QSqlQuery r = dm->db.exec("SELECT Codice FROM Iter ORDER BY Codice");
        while (r.next())
            giri << r.value(0).toInt();
        r.finish();
        QSqlQuery c = dm->db.exec("SELECT Codice FROM Clienti ORDER BY Codice LIMIT 500");
        while (c.next())
            clienti << c.value(0).toDouble();
        c.finish();
        dm->db.createTable("SSS", PianificazioneSettimanale::definizione(LayoutScheda::Corrente));
    }
    static void consumiDiUnAnno(Database& db)
    {
        QSqlQuery m = db.exec("SELECT Codice FROM Servizi WHERE NOT Fatturabile ORDER BY Codice LIMIT 3");
        QVariantList materiali;
        while (m.next())
            materiali << m.value(0);
        m.finish();
        db.startTransaction();
        db.exec("DELETE FROM Consumi");
        db.exec("WITH RECURSIVE giorni(d) AS (SELECT 0 UNION ALL SELECT d + 1 FROM giorni WHERE d < 365) "
                "INSERT INTO Consumi (Sede, Servizio, Quantita, Data) "
                "SELECT s.Codice, CASE (CAST(s.Codice AS INTEGER) + d) % 3 WHEN 0 THEN ? WHEN 1 THEN ? ELSE ? END, "
                "1 + (CAST(s.Codice AS INTEGER) + d) % 7, date('2023-01-01', '+' || d || ' days') "
                "FROM Sedi s, giorni ORDER BY s.Codice, d",
                materiali);
        db.commit();
    }
    QList<int> giri;
    QList<double> clienti;
};

Archivio& archivio()
{
    static Archivio a;
    return a;
}

void PianificaOgniGiroScale100(benchmark::State& state)
{
    Archivio& a = archivio();
    qint64 righe = 0;
    for (auto _ : state) {
        righe = 0;
        for (int giro : a.giri)
            righe += PianificazioneSettimanale::Pianifica(a.dm->db, giro, LayoutScheda::Corrente);
    }
    state.counters["giri"] = double(a.giri.size());
    state.counters["righe"] = double(righe);
}

// Baseline: per route, the same rows by one INSERT ... SELECT that keeps the stop's first site.
void PianificaOgniGiroScale100_BaselineOneStatement(benchmark::State& state)
{
    Archivio& a = archivio();
    Database& db = a.dm->db;
    for (auto _ : state) {
        for (int giro : a.giri) {
            db.startTransaction();
            db.exec("DELETE FROM SSS");
            db.exec("INSERT INTO SSS (Settimana, Giorno, Cliente, Gruppo, CodCliente, CodSede, Indirizzo, Comune, IndirizzoGruppo, Scheda) "
                    "SELECT Settimana, Giorno, Cliente, Gruppo, CodCliente, CodSede, Indirizzo, Comune, IndirizzoGruppo, Scheda FROM ("
                    " SELECT COALESCE(i.Settimana, 1) AS Settimana, g.n AS Giorno, "
                    " COALESCE(c.Denominazione, '') || ' ' || COALESCE(c.\"Denominazione 2\", '') AS Cliente, s.Gruppo, "
                    " c.Codice AS CodCliente, s.Codice AS CodSede, s.Indirizzo, s.Comune, s.IndirizzoGruppo, "
                    " 'Scheda: ' || COALESCE(c.Scheda, '') || ' - Rev: ' || COALESCE(c.IndiceRev, '') || ' del ' || "
                    " COALESCE(strftime('%d/%m/%Y', c.DataRev), '') AS Scheda, "
                    " row_number() OVER (PARTITION BY COALESCE(i.Settimana, 1), g.n, c.Codice, s.Gruppo ORDER BY s.Codice) AS n "
                    " FROM Sedi s JOIN Clienti c ON c.Codice = s.\"Codice cliente\" JOIN Interventi i ON i.Sede = s.Codice "
                    " JOIN (SELECT 1 AS n UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 UNION ALL SELECT 5 "
                    "       UNION ALL SELECT 6) g "
                    " WHERE s.Iter = ? AND COALESCE(CASE g.n WHEN 1 THEN i.Lunedi WHEN 2 THEN i.Martedi WHEN 3 THEN i.Mercoledi "
                    "       WHEN 4 THEN i.Giovedi WHEN 5 THEN i.Venerdi ELSE i.Sabato END, 1) <> 0"
                    ") WHERE n = 1",
                    {giro});
            db.commit();
        }
    }
}

void StatistichePer500ClientiAnnoGiornaliero(benchmark::State& state)
{
    Archivio& a = archivio();
    StatisticaConsumi statistica(*a.dm);
    for (auto _ : state)
        for (double cliente : a.clienti)
            statistica.PerCliente(cliente);
    state.counters["letture"] = double(a.dm->db.recordCount("Consumi"));
}

// Baseline: per customer, Medie.DB emptied and refilled by one INSERT ... SELECT with grouping.
void StatistichePer500ClientiAnnoGiornaliero_BaselineOneStatement(benchmark::State& state)
{
    Archivio& a = archivio();
    Database& db = a.dm->db;
    for (auto _ : state) {
        for (double cliente : a.clienti) {
            db.startTransaction();
            db.exec("DELETE FROM Medie");
            db.exec("INSERT INTO Medie (Codice, CodServizio, Servizio, DaData, AData, Totale, Mesi, \"Media mensile\") "
                    "SELECT row_number() OVER (ORDER BY Servizio), Servizio, "
                    " substr(COALESCE(d, '') || char(13) || 'media su totale mesi: ' || mesi, 1, 70), da, a, t, mesi, t / mesi "
                    "FROM (SELECT *, max(1, 1 + 12 * max(0, CAST(strftime('%Y', a) AS INTEGER) - CAST(strftime('%Y', da) AS INTEGER)) "
                    "      + CAST(strftime('%m', a) AS INTEGER) - CAST(strftime('%m', da) AS INTEGER)) AS mesi "
                    "      FROM (SELECT c.Servizio, MIN(c.Data) AS da, MAX(c.Data) AS a, SUM(c.Quantita) AS t, "
                    "            MAX(s.Descrizione) AS d FROM Consumi c LEFT JOIN Servizi s ON s.Codice = c.Servizio "
                    "            WHERE c.Sede IN (SELECT Codice FROM Sedi WHERE \"Codice cliente\" = ?) GROUP BY c.Servizio))",
                    {cliente});
            db.commit();
        }
    }
}

BENCHMARK(PianificaOgniGiroScale100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PianificaOgniGiroScale100_BaselineOneStatement)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StatistichePer500ClientiAnnoGiornaliero)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(StatistichePer500ClientiAnnoGiornaliero_BaselineOneStatement)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    fissaOggi(QDate(2024, 3, 1));
    return eseguiBenchmark(argc, argv);
}
