// The periodic invoice run and its print on a large synthetic archive, each beside a baseline
// measured in the same run: the run beside one SQL statement writing the same lines, the print
// of some 5,000 invoices to PDF beside drawing the same texts and rules raw.
#include "ArchivioBench.h"
#include "Clock.h"
#include "EseguiBenchmark.h"
#include "FatturazionePeriodica.h"
#include "TQRFatture.h"
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

// A scale-100 archive (5,000 customers, 75,000 rentals) in fiscal year 2024, invoiced for
// December, when every periodicity but "5 mesi" is due.
struct Archivio : ArchivioBench
{
    Archivio() : ArchivioBench(100)
    {
        dm->contatore().ImpostaUltimoNumero(0);
        run = std::make_unique<FatturazionePeriodica>(*dm);
        run->scelte = {.mese = 12, .giorno = 31, .anno = 2024, .dataStampa = "31/12/2024"};
    }
    // The year starts again: no number taken, an empty ledger.
    void azzera()
    {
        dm->contatore().ImpostaUltimoNumero(0);
        dm->db.exec(QString("DELETE FROM %1").arg(dm->db.qualified(dm->TblPrimaNota.tableName())));
        dm->TblPrimaNota.refresh();
    }
    std::unique_ptr<FatturazionePeriodica> run;
};

Archivio& archivio()
{
    static Archivio a;
    return a;
}

void ElaboraFattureScale100(benchmark::State& state)
{
    Archivio& a = archivio();
    qsizetype fatture = 0;
    for (auto _ : state)
        fatture = a.run->ElaboraFatture(false).size();
    state.counters["fatture"] = double(fatture);
    state.counters["righe"] = double(a.dm->db.recordCount("Fatture"));
}

// Baseline: the lines of the same customers by one INSERT ... SELECT, the rented articles
// grouped by description and the free lines added as they are.
void ElaboraFattureScale100_BaselineOneStatement(benchmark::State& state)
{
    TDataModule1& dm = *archivio().dm;
    for (auto _ : state) {
        dm.db.startTransaction();
        dm.db.exec("DELETE FROM Fatture");
        dm.db.exec("INSERT INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, Moltiplicatore) "
                   "WITH dovuti AS (SELECT Codice FROM Clienti WHERE coalesce(Escluso, 0) = 0 "
                   "                AND (Condizioni <> '5 mesi' OR Mese_Fatt = 1)) "
                   "SELECT d.Codice, CASE WHEN a.Fatturabile THEN a.Descrizione END, 0, "
                   "       sum(coalesce(n.InFattura, n.Quantita)), max(n.Costo), '2024-12-31', 1 "
                   "FROM dovuti d JOIN Sedi s ON s.\"Codice cliente\" = d.Codice "
                   "JOIN Noleggi n ON n.\"Codice sede\" = s.Codice LEFT JOIN Servizi a ON a.Codice = n.\"Codice servizio\" "
                   "GROUP BY d.Codice, CASE WHEN a.Fatturabile THEN a.Descrizione END "
                   "UNION ALL "
                   "SELECT d.Codice, i.Descrizione || ' ' || i.Progr, i.Progr, i.Quantita, i.Prezzo, '2024-12-31', 0 "
                   "FROM dovuti d JOIN AltreInfo i ON i.Cliente = d.Codice");
        dm.db.commit();
    }
    state.counters["righe"] = double(dm.db.recordCount("Fatture"));
}

void StampaFattureScale100Pdf(benchmark::State& state)
{
    Archivio& a = archivio();
    const QString pdf = a.dir.filePath("fatture.pdf");
    int pagine = 0;
    qsizetype fatture = 0;
    for (auto _ : state) {
        state.PauseTiming();
        a.azzera();
        state.ResumeTiming();
        TQRFatture report(*a.dm);
        fatture = a.run->Stampa(report, [&](const PageModel& m) {
                           pagine = m.pageCount();
                           return m.writePdf(pdf, report.title);
                       }).size();
    }
    state.counters["fatture"] = double(fatture);
    state.counters["pagine"] = pagine;
}

// Baseline: the same pages drawn straight with QPainter into a PDF: every text at its place
// in its font, every rule and box, without run, layout or ledger.
void StampaFattureScale100Pdf_BaselineRawDrawing(benchmark::State& state)
{
    Archivio& a = archivio();
    a.azzera();
    TQRFatture report(*a.dm);
    a.run->Stampa(report, [](const PageModel&) { return true; });
    const PageModel& m = report.pages();
    const QString pdf = a.dir.filePath("grezzo.pdf");
    for (auto _ : state) {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        const double k = 600 / 25.4;
        for (int i = 0; i < m.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            const Page& pg = m.page(i);
            for (const PageBox& b : pg.boxes)
                p.drawRect(QRectF(b.rect.topLeft() * k, b.rect.size() * k));
            for (const PageLine& l : pg.lines)
                p.drawLine(l.from * k, l.to * k);
            for (const PageText& t : pg.texts) {
                QFont f = t.font;
                f.setPointSizeF(t.font.pointSizeF() * k * 25.4 / writer.logicalDpiY());
                p.setFont(f);
                p.drawText(QRectF(t.rect.topLeft() * k, t.rect.size() * k), int(t.alignment), t.text);
            }
        }
    }
    state.counters["pagine"] = m.pageCount();
}

BENCHMARK(ElaboraFattureScale100)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ElaboraFattureScale100_BaselineOneStatement)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StampaFattureScale100Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(StampaFattureScale100Pdf_BaselineRawDrawing)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    fissaOggi(QDate(2024, 12, 31));
    return eseguiBenchmark(argc, argv);
}
