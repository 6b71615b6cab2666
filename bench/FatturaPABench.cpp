// The electronic invoices of a large synthetic archive: the files of the periodic invoices
// written by "Genera" (goal: 2,000 files a second), and their validation as the validation
// window does it beside plain libxml2 schema validation of the same files in the same run.
#include "ArchivioBench.h"
#include "Clock.h"
#include "EseguiBenchmark.h"
#include "FatturazionePeriodica.h"
#include "FileFE.h"
#include "SessioneFE.h"
#include "ValidatoreFE.h"
#include "XmlFE.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace {

// A scale-100 archive (5,000 customers) in fiscal year 2024 after the December run (every
// periodicity but "5 mesi" is due), its period stored as "Genera" stores it.
struct Archivio : ArchivioBench
{
    Archivio() : ArchivioBench(100)
    {
        FatturazionePeriodica run(*dm);
        run.scelte = {.mese = 12, .giorno = 31, .anno = 2024, .dataStampa = "31/12/2024"};
        dm->contatore().ProssimoNumeroFattura(false);
        run.ElaboraFattureElettroniche();
        sessione = std::make_unique<SessioneFE>(*dm, SessioneFE::Schermata::Fatture);
        sessione->Mostra();
        prompts.clear();   // the question that created the year
    }
    QStringList genera() { return sessione->GeneraFatture("2024"); }
    QStringList percorsi()
    {
        if (file.isEmpty()) {
            for (const QString& n : genera())
                file << QDir(dm->cartellaLavoro()).filePath(n);
            sync();   // the files on disk before they are timed being read
        }
        return file;
    }

    std::unique_ptr<SessioneFE> sessione;
    QStringList file;
};

Archivio& archivio()
{
    static Archivio a;
    return a;
}

// "Genera" of the periodic screen: every document read, written, post-processed and saved.
// Each iteration finds the working folder as the month's first "Genera" does, without files of
// the same names: those of the previous iteration are moved aside untimed, since replacing
// thousands of files just written costs this machine's file system far more than writing them.
void GeneraFatturePAScale100(benchmark::State& state)
{
    Archivio& a = archivio();
    QDir lavoro(a.dm->cartellaLavoro());
    int giro = 0;
    qsizetype n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString aParte = QStringLiteral("precedenti%1").arg(++giro);
        lavoro.mkdir(aParte);
        for (const QString& f : lavoro.entryList({QStringLiteral("*.xml")}, QDir::Files))
            lavoro.rename(f, aParte + QLatin1Char('/') + f);
        state.ResumeTiming();
        n = a.genera().size();
    }
    if (!a.prompts.shown().isEmpty())
        state.SkipWithError(a.prompts.last().text.toStdString().c_str());
    state.counters["file"] = double(n);
    state.counters["file/s"] = benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate);
}

// "Valida" on every file: read, well-formedness, schema, the exchange system's checks.
void ValidaFatturePAScale100(benchmark::State& state)
{
    const QStringList file = archivio().percorsi();
    ValidatoreFE validatore;
    validatore.Valida(file.first());   // the schema is compiled once per process
    int validi = 0;
    for (auto _ : state) {
        validi = 0;
        for (const QString& f : file)
            validi += validatore.Valida(f).valido();
    }
    if (validi != file.size())
        state.SkipWithError("files refused");
    state.counters["file/s"] = benchmark::Counter(double(file.size()), benchmark::Counter::kIsIterationInvariantRate);
}

// Baseline: libxml2 alone, the schema compiled once, each file parsed and validated.
void ValidaFatturePAScale100_BaselineLibxml2(benchmark::State& state)
{
    const QStringList percorsi = archivio().percorsi();
    QList<QByteArray> file;
    for (const QString& p : percorsi)
        file << QFile::encodeName(p);
    // The schema the build copies beside the program, its signature import read from there.
    InstallaCaricatoreXml();
    xmlSchemaPtr schema;
    {
        CartellaImportazioni importazioni(CartellaProgramma());
        xmlSchemaParserCtxtPtr pc =
            xmlSchemaNewParserCtxt(QFile::encodeName(QDir(CartellaProgramma()).filePath("schemafattura.xsd")).constData());
        schema = xmlSchemaParse(pc);
        xmlSchemaFreeParserCtxt(pc);
    }
    if (!schema) {
        state.SkipWithError("schema not compiled");
        return;
    }
    int validi = 0;
    for (auto _ : state) {
        validi = 0;
        for (const QByteArray& f : file) {
            xmlDocPtr doc = xmlReadFile(f.constData(), nullptr, XML_PARSE_NONET);
            xmlSchemaValidCtxtPtr vc = xmlSchemaNewValidCtxt(schema);
            validi += doc && xmlSchemaValidateDoc(vc, doc) == 0;
            xmlSchemaFreeValidCtxt(vc);
            xmlFreeDoc(doc);
        }
    }
    xmlSchemaFree(schema);
    if (validi != file.size())
        state.SkipWithError("files refused");
    state.counters["file/s"] = benchmark::Counter(double(file.size()), benchmark::Counter::kIsIterationInvariantRate);
}

// Validation first, so that neither of the two runs while the generation's writes are still
// being flushed to disk.
BENCHMARK(ValidaFatturePAScale100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ValidaFatturePAScale100_BaselineLibxml2)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GeneraFatturePAScale100)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    fissaOggi(QDate(2024, 12, 31));
    return eseguiBenchmark(argc, argv);
}
