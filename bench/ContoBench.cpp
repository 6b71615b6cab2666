// The account statement of a customer with 10,000 movements in the year: the running balance
// written over the customer account and the report laid out into pages, beside one SQL
// statement with a window function that computes the same balances, in the same run. The
// balance alone is also measured, so the share of the layout can be read.
#include "ArchivioBench.h"
#include "EseguiBenchmark.h"
#include "EstrattoConto.h"
#include "TQRDocumenti.h"
#include <QSqlQuery>

namespace {

constexpr int movimenti = 10000;

// A customer who in 2024 got 5,000 invoices, each collected a few days later on its own
// account and on the bank's (payment method 2): 10,000 movements on the customer account.
struct Archivio : ArchivioBench
{
    Archivio() : ArchivioBench(0)
    {
        dm->db.exec("INSERT INTO ModPag (Codice, Descrizione, Mastro, Conto) VALUES (2, 'Bonifico', 18, 2)");
        dm->db.exec("INSERT INTO Clienti (Codice, Denominazione, Indirizzo, Comune, Pagamento) "
                    "VALUES (1, 'Hotel Miramare', 'Via Roma 12', 'Cosenza', 2)");
        const QString pn = dm->db.qualified(dm->TblPrimaNota.tableName());
        QSqlQuery ins = dm->db.prepare(QString("INSERT INTO %1 (Codice, CodiceAltra, Cliente, Causale, Data, Importo, "
                                               "Incassata, Fattura, DataRif, Conto) VALUES (?, ?, 1, ?, ?, ?, 1, ?, ?, ?)")
                                           .arg(pn));
        auto riga = [&](qint64 codice, qint64 altra, const char* causale, const QDate& data, double importo, int fattura,
                        const QDate& rif, int conto) {
            for (const QVariant& v : QVariantList{codice, altra ? QVariant(altra) : QVariant(), QString(causale),
                                                  data.toString(Qt::ISODate), importo, fattura,
                                                  rif.isValid() ? QVariant(rif.toString(Qt::ISODate)) : QVariant(), conto})
                ins.addBindValue(v);
            Database::run(ins);
        };
        dm->db.startTransaction();
        qint64 codice = 0;
        for (int i = 0; i < movimenti / 2; ++i) {
            const QDate emessa = QDate(2024, 1, 1).addDays(i * 360 / (movimenti / 2));
            const double importo = 50 + (i * 37) % 900 + 0.25 * (i % 4);
            const qint64 fattura = ++codice;
            riga(fattura, 0, "Fattura di vendita", emessa, -importo, i + 1, {}, 0);
            riga(++codice, fattura, "Saldo fattura", emessa.addDays(5), importo, i + 1, emessa, 2);
            riga(codice + 1, codice, "Saldo fattura", emessa.addDays(5), importo, i + 1, emessa, 0);
            ++codice;
        }
        dm->db.commit();
        ins.finish();
        dm->TblClienti.refresh();
        dm->TblModPag.refresh();
        dm->TblPrimaNota.refresh();
        dm->TblClienti.first();
    }
};

Archivio& archivio()
{
    static Archivio a;
    return a;
}

// "3" of the customer screen, or the collection screen's "Stampa": balances, then the pages.
void SchedaContabile10000Movimenti(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    EstrattoConto estratto(dm);
    int pagine = 0;
    for (auto _ : state)
        estratto.esegui({}, [&](TQRDocumenti& r) { pagine = r.prepare(); });
    state.counters["pagine"] = pagine;
    state.counters["movimenti"] = movimenti;
}

// The running balance alone, written into every movement of the customer account.
void SaldiProgressivi10000Movimenti(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    for (auto _ : state) {
        dm.CollegaPrimaNota("Cliente;Data", dm.DSClienti);
        dm.CalcolaSaldi("Conto = 0");
    }
    state.counters["movimenti"] = movimenti;
}

// Baseline: the same balances in the same order by one query with a window function.
void SaldiProgressivi10000Movimenti_BaselineOneQuery(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    const QString pn = dm.db.qualified(dm.TblPrimaNota.tableName());
    double ultimo = 0;
    int righe = 0;
    for (auto _ : state) {
        QSqlQuery q = dm.db.exec(QString("SELECT Codice, sum(Importo) OVER (ORDER BY Data, Codice) FROM %1 "
                                         "WHERE Cliente = 1 AND Conto = 0 ORDER BY Data, Codice").arg(pn));
        righe = 0;
        while (q.next()) {
            ultimo = q.value(1).toDouble();
            ++righe;
        }
    }
    state.counters["movimenti"] = righe;
    benchmark::DoNotOptimize(ultimo);
}

} // namespace

BENCHMARK(SchedaContabile10000Movimenti)->Unit(benchmark::kMillisecond);
BENCHMARK(SaldiProgressivi10000Movimenti)->Unit(benchmark::kMillisecond);
BENCHMARK(SaldiProgressivi10000Movimenti_BaselineOneQuery)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return eseguiBenchmark(argc, argv);
}
