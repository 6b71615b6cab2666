// Start-up costs on a large synthetic archive: writing the demo archive and opening it as the
// program does at start-up, each beside the same work done by plain SQL in the same run.
#include "Clock.h"
#include "DatiDemo.h"
#include "EseguiBenchmark.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QDir>
#include <QSqlRecord>
#include <QTemporaryDir>

namespace {

constexpr int scale = 100;

// One archive at scale 100, made once and shared by the opening benchmarks.
const QString& archivioDemo()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        TDataModule1::CreaArchivio(dir.path());
        Database db("BenchDemo");
        db.open(dir.filePath("archivi"));
        CreaDatiDemo(db, scale, 1);
        db.close();
        QDir(dir.path()).mkdir(QString::number(oggi().year()));
        ScriptedPrompts prompts;
        TDataModule1 dm(prompts, dir.path());
        dm.Avvia();   // creates the year's ledger once
        made = true;
    }
    static const QString path = dir.path();
    return path;
}

void DemoScale100(benchmark::State& state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        TDataModule1::CreaArchivio(dir.path());
        Database db("BenchDemoWrite");
        db.open(dir.filePath("archivi"));
        CreaDatiDemo(db, scale, 1);
    }
}

// Baseline: the same rows written into a new archive by one INSERT ... SELECT per table.
void DemoScale100_BaselinePlainCopy(benchmark::State& state)
{
    const QString source = QDir(archivioDemo()).filePath("archivi/DBLav.db");
    for (auto _ : state) {
        QTemporaryDir dir;
        TDataModule1::CreaArchivio(dir.path());
        Database db("BenchDemoCopy");
        db.open(dir.filePath("archivi"));
        db.exec("ATTACH DATABASE ? AS src", QVariantList{source});
        db.startTransaction();
        db.exec("DELETE FROM Parametri");
        for (const TableDef& t : Tabelle::installazione())
            db.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM src.%1").arg(quoteName(t.name)));
        db.commit();
    }
}

void OpenArchiveScale100(benchmark::State& state)
{
    const QString path = archivioDemo();
    for (auto _ : state) {
        ScriptedPrompts prompts;
        TDataModule1 dm(prompts, path);
        if (!dm.Avvia() || !dm.TblClienti.active())
            state.SkipWithError("start-up failed");
    }
}

// Baseline: reading every row of the tables the start-up opens, with plain SELECTs.
void OpenArchiveScale100_BaselinePlainSelect(benchmark::State& state)
{
    const QString path = archivioDemo();
    for (auto _ : state) {
        Database db("BenchOpenPlain");
        db.open(QDir(path).filePath("archivi"));
        qint64 values = 0;
        for (const char* t : {"Agenti", "Clienti", "Fattman", "Servizi", "Stomag", "ModPag", "Iter", "Sospesi", "Parametri"}) {
            QSqlQuery q = db.exec(QStringLiteral("SELECT * FROM %1").arg(t));
            const int n = q.record().count();
            while (q.next())
                for (int i = 0; i < n; ++i)
                    values += q.value(i).isNull() ? 0 : 1;
        }
        benchmark::DoNotOptimize(values);
    }
}

BENCHMARK(DemoScale100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(DemoScale100_BaselinePlainCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenArchiveScale100)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OpenArchiveScale100_BaselinePlainSelect)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return eseguiBenchmark(argc, argv);
}
