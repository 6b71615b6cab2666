// The data module's heavier rules on a large synthetic archive, each beside the same work done
// by plain SQL in the same run: the rebuild of the totals per customer and article, the
// collection of an invoice with its undo, and the post of an edited customer.
#include "ArchivioBench.h"
#include "Clock.h"
#include "EseguiBenchmark.h"
#include <QDir>
#include <QSqlQuery>

namespace {

// A scale-100 archive started in 2024, with 1,000 open invoices spread over the customers.
struct Archivio : ArchivioBench
{
    Archivio() : ArchivioBench(100)
    {
        const QString pn = dm->db.qualified(dm->TblPrimaNota.tableName());
        dm->db.startTransaction();
        for (int i = 0; i < 1000; ++i)
            dm->db.exec(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Incassata, Fattura, Conto) "
                                "VALUES (?, 'Fattura di vendita', '2024-01-31', -122, 0, ?, 0)").arg(pn),
                        {1 + (i * 5) % 5000, i + 1});
        dm->db.commit();
        dm->TblPrimaNota.refresh();
        dm->RicalcolaTotali();   // the totals table exists for either benchmark run alone
    }
};

Archivio& archivio()
{
    static Archivio a;
    return a;
}

void RicalcolaTotaliScale100(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    for (auto _ : state)
        dm.RicalcolaTotali();
    state.counters["righe"] = double(dm.db.recordCount("Totali"));
}

// Baseline: the same totals by one INSERT ... SELECT with grouping (prices aside).
void RicalcolaTotaliScale100_BaselineOneStatement(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    for (auto _ : state) {
        dm.db.startTransaction();
        dm.db.exec("DELETE FROM Totali");
        dm.db.exec("INSERT INTO Totali (Cliente, Servizio, Quantita, Sospesi, Prezzo) "
                   "SELECT s.\"Codice cliente\", n.\"Codice servizio\", sum(coalesce(n.InFattura, n.Quantita)), "
                   "sum(n.Sospesi), max(n.Costo) FROM Sedi s JOIN Noleggi n ON n.\"Codice sede\" = s.Codice "
                   "GROUP BY s.\"Codice cliente\", n.\"Codice servizio\"");
        dm.db.commit();
    }
}

void IncassaEAnnulla1000Fatture(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    const QString pn = dm.db.qualified(dm.TblPrimaNota.tableName());
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            dm.TblClienti.locate("Codice", {1 + (i * 5) % 5000});
            dm.CollegaPrimaNota("Cliente;Data", dm.DSClienti);
            dm.TblPrimaNota.setFilter("Causale = 'Fattura di vendita' and Importo < 0 and Incassata = False");
            dm.TblPrimaNota.setFiltered(true);
            if (!dm.TblPrimaNota.locate("Fattura", {i + 1})) {
                state.SkipWithError("invoice not found");
                return;
            }
            dm.IncassaFattura("Causale <> 'Fattura di vendita' and Conto = 0 and Incassata = True", QDate(2024, 2, 10));
            dm.AnnullaIncasso(dm.TblPrimaNota["Codice"].asInteger());
        }
    }
}

// Baseline: the same rows written and removed by plain statements, one transaction each way.
void IncassaEAnnulla1000Fatture_BaselinePlainSql(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    const QString pn = dm.db.qualified(dm.TblPrimaNota.tableName());
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            dm.db.startTransaction();
            QSqlQuery q = dm.db.exec(QString("SELECT Codice FROM %1 WHERE Fattura = ? AND Causale = 'Fattura di vendita'").arg(pn), {i + 1});
            q.next();
            const qint64 fattura = q.value(0).toLongLong();
            q.finish();
            dm.db.exec(QString("UPDATE %1 SET Incassata = 1 WHERE Codice = ?").arg(pn), {fattura});
            QSqlQuery a = dm.db.exec(QString("INSERT INTO %1 (CodiceAltra, Cliente, Causale, Data, Importo, Incassata, Conto) "
                                             "VALUES (?, 1, 'Saldo fattura', '2024-02-10', 122, 1, 2)").arg(pn), {fattura});
            const qint64 conto = a.lastInsertId().toLongLong();
            QSqlQuery b = dm.db.exec(QString("INSERT INTO %1 (CodiceAltra, Cliente, Causale, Data, Importo, Incassata, Conto) "
                                             "VALUES (?, 1, 'Saldo fattura', '2024-02-10', 122, 1, 0)").arg(pn), {conto});
            const qint64 cliente = b.lastInsertId().toLongLong();
            dm.db.commit();
            dm.db.startTransaction();
            dm.db.exec(QString("DELETE FROM %1 WHERE Codice IN (?, ?)").arg(pn), {cliente, conto});
            dm.db.exec(QString("UPDATE %1 SET Incassata = 0 WHERE Codice = ?").arg(pn), {fattura});
            dm.db.commit();
        }
    }
}

// Editing and posting customers one by one, as the customer screen does: each post finds its row
// by the key, checks it against the values read and writes it, without reading the table again.
void ModificaEPost1000Clienti(benchmark::State& state)
{
    Table& clienti = archivio().dm->TblClienti;
    int giro = 0;
    clienti.disableControls();   // the sites of each customer are not what is measured
    for (auto _ : state) {
        ++giro;
        clienti.first();
        for (int i = 0; i < 1000; ++i, clienti.next()) {
            clienti.edit();
            clienti["Indirizzo"] = QString("Via Roma %1").arg(giro * 1000 + i);
            clienti.post();
        }
    }
    clienti.enableControls();
}

// Baseline: the same rows written by one UPDATE by key each, each in its own transaction as a
// post is.
void ModificaEPost1000Clienti_BaselinePlainUpdate(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    int giro = 0;
    for (auto _ : state) {
        ++giro;
        for (int i = 0; i < 1000; ++i)
            dm.db.exec("UPDATE Clienti SET Indirizzo = ? WHERE Codice = ?", {QString("Via Corso %1").arg(giro * 1000 + i), 1 + i});
    }
}

BENCHMARK(RicalcolaTotaliScale100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RicalcolaTotaliScale100_BaselineOneStatement)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IncassaEAnnulla1000Fatture)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(IncassaEAnnulla1000Fatture_BaselinePlainSql)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ModificaEPost1000Clienti)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ModificaEPost1000Clienti_BaselinePlainUpdate)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    fissaOggi(QDate(2024, 3, 1));
    return eseguiBenchmark(argc, argv);
}
