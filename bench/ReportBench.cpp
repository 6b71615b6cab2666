// Laying out a long report: every customer of a scale-100 demo archive with its sites, about
// 2,500 pages, beside the baseline of drawing as many plain text lines into a PDF file with
// QPdfWriter in the same run. The counters give pages and texts, so the ratio can be read.
// Two more lines for scale: the same rows only read through the datasets, and the sites read
// by a query per customer instead of the detail table.
#include "Dataset.h"
#include "DatiDemo.h"
#include "EseguiBenchmark.h"
#include "Report.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

constexpr int scale = 100;

// The archive made once per run; LAV_ARCHIVIO_DEMO may name one made before with
// "lavanderia-cli demo DIR --scale 100", so that a profile sees the reports alone.
const QString& archivioDemo()
{
    static const QString given = qEnvironmentVariable("LAV_ARCHIVIO_DEMO");
    if (!given.isEmpty())
        return given;
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        TDataModule1::CreaArchivio(dir.path());
        Database db("BenchReportDemo");
        db.open(dir.filePath("archivi"));
        CreaDatiDemo(db, scale, 1);
        made = true;
    }
    static const QString path = dir.path();
    return path;
}

// The customer sheet list: a framed block per customer, a block per site under it. The sites
// come from the data module's way, a table following the customers as their detail, or from
// a query re-run for each customer that searches the sites by customer code.
class SchedeClienti
{
public:
    enum class Sedi { Dettaglio, Query };
    explicit SchedeClienti(Sedi origine) : db(origine == Sedi::Dettaglio ? "BenchReport" : "BenchReportQuery")
    {
        db.open(QDir(archivioDemo()).filePath("archivi"));
        clienti.setTableName("Clienti");
        clienti.setDefinition(Tabelle::Clienti());
        clienti.setIndexName("IdxName");
        sedi.setTableName("Sedi");
        sedi.setDefinition(Tabelle::Sedi());
        sedi.setMaster(&clienti, "Codice", "Codice cliente");
        clienti.open();
        sedi.open();
        perCliente.setSql(QStringLiteral("SELECT * FROM Sedi WHERE \"Codice cliente\" = :Cliente "
                                         "ORDER BY Codice"));
        righe = origine == Sedi::Dettaglio ? static_cast<Dataset*>(&sedi) : &perCliente;
        Dataset& righeSedi = *righe;

        r.title = "Elenco clienti";
        r.setDataset(&clienti);
        r.pageHeader(10).addLabel(0, 0, 190, 6, "ELENCO CLIENTI").setBold().setFontSize(12);
        r.pageFooter(8).addPageNumber(110, 2, 80, 5, "Pagina %1 di %2").setAlignment(Qt::AlignRight);

        auto& c = r.detail(30);
        c.setFrame(Band::Top);
        c.addLabel(0, 1, 25, 5, "CLIENTE:").setBold();
        c.addExpression(25, 1, 165, 5, [this] {
            return clienti["Denominazione"].asString() + ' ' + clienti["Denominazione 2"].asString();
        }).setBold();
        c.addExpression(25, 6, 165, 5, [this] {
            return clienti["Indirizzo"].asString() + ' ' + clienti["Comune"].asString();
        });
        c.addLabel(0, 11, 25, 5, "P. IVA:");
        c.addField(25, 11, 40, 5, clienti, "Partita iva");
        c.addLabel(70, 11, 25, 5, "Cod. fisc.:");
        c.addField(95, 11, 50, 5, clienti, "Codice fiscale");
        c.addExpression(0, 16, 120, 5, [this] {
            return "Contratto n° " + clienti["NumContratto"].asString() + " del " + clienti["Data contratto"].asString();
        });
        c.addLabel(120, 16, 30, 5, "IMPONIBILE");
        c.addField(150, 16, 40, 5, clienti, "Imponibile", "'€ '#,.00;;#").setAlignment(Qt::AlignRight);
        c.addLabel(0, 21, 35, 5, "Indice di rev. n°");
        c.addField(35, 21, 15, 5, clienti, "IndiceRev", "#");
        c.addLabel(50, 21, 10, 5, "del");
        c.addField(60, 21, 30, 5, clienti, "DataRev");
        c.addField(150, 21, 40, 5, clienti, "Condizioni").setAlignment(Qt::AlignRight);

        auto& livello = r.addSubDetail(righeSedi);
        if (origine == Sedi::Query)
            livello.beforeRun = [this] {
                perCliente.close();
                perCliente.setParam("Cliente", clienti["Codice"].value());
                perCliente.open();
                return true;
            };
        auto& s = livello.detail(30);
        s.addLabel(5, 1, 20, 5, "SEDE").setBold();
        s.addExpression(25, 1, 165, 5, [this] {
            return (*righe)["Indirizzo"].asString() + "  " + (*righe)["Comune"].asString();
        });
        s.addLabel(25, 6, 20, 5, "Chiavi:");
        s.addField(45, 6, 20, 5, righeSedi, "Chiavi", "#");
        s.addLabel(70, 6, 20, 5, "Servizio:");
        s.addField(90, 6, 20, 5, righeSedi, "Iter", "#");
        s.addLabel(25, 11, 30, 5, "Frequenza:");
        s.addField(55, 11, 60, 5, righeSedi, "Frequenza");
        s.addLabel(25, 16, 30, 5, "Imponibile:");
        s.addField(55, 16, 40, 5, righeSedi, "Imponibile", "'€ '#,.00;;#");
        s.addLabel(25, 21, 30, 5, "Gruppo:");
        s.addField(55, 21, 15, 5, righeSedi, "Gruppo", "#");
        s.addVLine(2, 0, 30);
    }

    Database db;
    Table clienti{db, "TblClienti"};
    Table sedi{db, "TblSedi"};
    Query perCliente{db, "qSedi"};
    Dataset* righe = nullptr;
    Report r;
};

SchedeClienti& schede()
{
    static SchedeClienti s(SchedeClienti::Sedi::Dettaglio);
    return s;
}

int testiDi(const PageModel& m)
{
    int n = 0;
    for (int i = 0; i < m.pageCount(); ++i)
        n += int(m.page(i).texts.size());
    return n;
}

void PrepareCustomerListScale100(benchmark::State& state)
{
    SchedeClienti& s = schede();
    for (auto _ : state)
        benchmark::DoNotOptimize(s.r.prepare());
    state.counters["pages"] = s.r.pageCount();
    state.counters["texts"] = testiDi(s.r.pages());
}

void PrepareCustomerListScale100_SitesByQuery(benchmark::State& state)
{
    static SchedeClienti s(SchedeClienti::Sedi::Query);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.r.prepare());
    state.counters["pages"] = s.r.pageCount();
    state.counters["texts"] = testiDi(s.r.pages());
}

// Baseline: as many text lines as the report holds, drawn plainly into a PDF, page after page.
void PrepareCustomerListScale100_BaselinePdfLines(benchmark::State& state)
{
    SchedeClienti& s = schede();
    if (s.r.pageCount() == 0)
        s.r.prepare();
    const int pages = s.r.pageCount();
    const int texts = testiDi(s.r.pages());
    const int perPage = (texts + pages - 1) / pages;
    QTemporaryDir dir;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath("righe.pdf"));
        writer.setResolution(600);
        QPainter p(&writer);
        p.setFont(reportFont(10));
        const double k = writer.resolution() / 25.4;
        for (int i = 0; i < texts; ++i) {
            if (i > 0 && i % perPage == 0)
                writer.newPage();
            p.drawText(QPointF(10 * k, (15 + (i % perPage) * 270.0 / perPage) * k), QStringLiteral("Riga %1").arg(i));
        }
    }
    state.counters["pages"] = pages;
    state.counters["texts"] = texts;
}

// For scale: the same customers and sites walked through the datasets, every printed field
// read as text, without laying anything out.
void PrepareCustomerListScale100_DatasetWalk(benchmark::State& state)
{
    SchedeClienti& s = schede();
    const QStringList campiClienti{"Denominazione", "Denominazione 2", "Indirizzo", "Comune", "Partita iva",
                                   "Codice fiscale", "NumContratto", "Data contratto", "Imponibile",
                                   "IndiceRev", "DataRev", "Condizioni"};
    const QStringList campiSedi{"Indirizzo", "Comune", "Chiavi", "Iter", "Frequenza", "Imponibile", "Gruppo"};
    for (auto _ : state) {
        qsizetype caratteri = 0;
        for (s.clienti.first(); !s.clienti.eof(); s.clienti.next()) {
            for (const QString& f : campiClienti)
                caratteri += s.clienti[f].asString().size();
            for (s.sedi.first(); !s.sedi.eof(); s.sedi.next())
                for (const QString& f : campiSedi)
                    caratteri += s.sedi[f].asString().size();
        }
        benchmark::DoNotOptimize(caratteri);
    }
}

// For scale: the prepared pages written to a PDF file.
void ExportCustomerListScale100Pdf(benchmark::State& state)
{
    SchedeClienti& s = schede();
    if (s.r.pageCount() == 0)
        s.r.prepare();
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(s.r.pages().writePdf(dir.filePath("elenco.pdf")));
    state.counters["pages"] = s.r.pageCount();
}

BENCHMARK(PrepareCustomerListScale100)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PrepareCustomerListScale100_SitesByQuery)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PrepareCustomerListScale100_BaselinePdfLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PrepareCustomerListScale100_DatasetWalk)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExportCustomerListScale100Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return eseguiBenchmark(argc, argv);
}
