#include "TQRDatiDiProva.h"
#include "TQRMDClienti.h"
#include "TQRStile.h"
#include "ReportPreview.h"
#include "reports/LetturaPdf.h"
#include <gtest/gtest.h>

namespace {

// The customer report as the customer screen and the main window print it: generated once to
// learn the page count, which becomes the title, then generated again.
class SchedaCliente : public DatiDiProva
{
protected:
    const PageModel& scheda(double codice)
    {
        dm.TblClienti.setFilter("Codice = " + QString::number(codice));
        dm.TblClienti.setFiltered(true);
        dm.ModoElenco = false;
        stampa();
        dm.TblClienti.setFiltered(false);
        return r.pages();
    }
    const PageModel& elenco()
    {
        dm.ModoElenco = true;
        stampa();
        return r.pages();
    }
    void stampa()
    {
        r.title = QString::number(r.prepare());
        r.prepare();
    }
    static const PageText& unico(const PageModel& m, const QString& testo)
    {
        const auto trovati = m.find(testo);
        EXPECT_EQ(trovati.size(), 1u) << testo.toStdString();
        static const PageText nessuno;
        return trovati.empty() ? nessuno : *trovati.front().text;
    }

    TQRMDClienti r{dm};
};

} // namespace

TEST_F(SchedaCliente, OneSiteShowsItsPricesAndNoTotals)
{
    const double c = cliente({.note = "Consegna entro le 8"});
    const double s = sede(c, "Via Popilia 5");
    noleggio(s, 1, 10, 2, 12.5);
    noleggio(s, 2, 20, 0, 1.2);
    aggiorna();

    const PageModel& m = scheda(c);
    ASSERT_EQ(m.pageCount(), 1);
    const QStringList t = m.texts(0);
    EXPECT_EQ(t.mid(0, 2), QStringList({"SCHEDA CLIENTE N°", "7"}));
    EXPECT_TRUE(t.contains("Hotel Miramare S.r.l."));
    EXPECT_TRUE(t.contains("Contratto n° C-118 del 01/02/2023"));
    EXPECT_TRUE(t.contains("Via Popilia 5  Rende"));
    EXPECT_TRUE(t.contains("Giro Cosenza nord"));
    EXPECT_TRUE(m.find("TOTALI").empty());

    // Articles by description, quantity at the customer without the pending ones.
    EXPECT_EQ(colonna(m, "Presso cliente"), QStringList({"20", "8"}));
    EXPECT_EQ(colonna(m, "In magazzino"), QStringList({"0", "2"}));
    EXPECT_EQ(colonna(m, "Descrizione"), QStringList({"Federa", "Lenzuolo matrimoniale"}));
    EXPECT_EQ(colonna(m, "Tipo"), QStringList({"Cotone", "Cotone"}));
    EXPECT_EQ(colonna(m, "Prezzo unitario"), QStringList({"1,20", "12,50"}));

    // The summary's notes; the form code and the page count in the footer.
    EXPECT_TRUE(t.contains("Consegna entro le 8"));
    EXPECT_TRUE(t.contains("SC/02/01-10-01-04"));
    EXPECT_EQ(t.last(), "Pagina 1 di 1");
    EXPECT_TRUE(m.find("TOTALE CLIENTI:").empty());
}

TEST_F(SchedaCliente, TwoSitesPrintTheTotalsAndHideTheSitePrices)
{
    const double c = cliente({});
    const double s1 = sede(c, "Via Popilia 5");
    const double s2 = sede(c, "Corso Mazzini 80");
    noleggio(s1, 1, 10, 1, 12.5);
    noleggio(s1, 2, 4, 0, 1.2);
    noleggio(s2, 1, 5, 0, 13);
    aggiorna();

    const PageModel& m = scheda(c);
    ASSERT_EQ(m.find("Presso cliente").size(), 3u);      // under each site and in the totals
    EXPECT_EQ(colonna(m, "Presso cliente", 0), QStringList({"4", "9"}));
    EXPECT_EQ(colonna(m, "Presso cliente", 1), QStringList({"5"}));
    EXPECT_TRUE(m.find("12,50").empty());

    // The totals: quantities summed over the sites, the last price met.
    const PageText& totali = unico(m, "TOTALI");
    const PageText& prezzo = unico(m, "Prezzo unitario");
    EXPECT_GT(prezzo.rect.top(), totali.rect.top());
    EXPECT_EQ(colonna(m, "Presso cliente", 2), QStringList({"4", "14"}));
    EXPECT_EQ(colonna(m, "In magazzino", 2), QStringList({"0", "1"}));
    EXPECT_EQ(colonna(m, "Prezzo unitario"), QStringList({"1,20", "13,00"}));
    EXPECT_EQ(m.find("SC/02/01-10-01-04").size(), 1u);
}

TEST_F(SchedaCliente, ListModeHasEveryCustomerWithTotalsAndTheCount)
{
    const double a1 = cliente({.nome = "Albergo Sila", .scheda = 3});
    noleggio(sede(a1, "Via Sila 1"), 1, 6, 0, 10);
    const double b = cliente({.nome = "Bar Centrale", .scheda = 4});
    noleggio(sede(b, "Piazza Kennedy 2"), 2, 3, 0, 1);
    noleggio(sede(b, "Via Roma 9"), 2, 2, 0, 1);
    const double z = cliente({.nome = "Zeta Residence", .scheda = 5, .note = "Chiamare prima"});
    noleggio(sede(z, "Via Verdi 4"), 3, 1, 0, 30);
    aggiorna();

    const PageModel& m = elenco();
    EXPECT_EQ(a.prompts.progressMax, 3);
    const QStringList t = testi(m);
    EXPECT_EQ(t.first(), "ELENCO CLIENTI");
    EXPECT_NE(m.page(0).texts[1].rect.top(), m.page(0).texts[0].rect.top());    // no card number beside it
    EXPECT_TRUE(m.find("SCHEDA CLIENTE N°").empty());
    EXPECT_TRUE(m.find("SC/02/01-10-01-04").empty());

    // Totals for every customer, one site or more; prices only there.
    EXPECT_EQ(m.find("TOTALI").size(), 3u);
    EXPECT_EQ(m.find("Prezzo unitario").size(), 3u);
    EXPECT_EQ(colonna(m, "Prezzo unitario", 0), QStringList({"10,00"}));
    EXPECT_EQ(colonna(m, "Presso cliente", 4), QStringList({"5"}));     // Bar Centrale's totals
    EXPECT_LT(t.indexOf("Albergo Sila S.r.l."), t.indexOf("Bar Centrale S.r.l."));
    EXPECT_LT(t.indexOf("Bar Centrale S.r.l."), t.indexOf("Zeta Residence S.r.l."));

    // The last page ends with the notes of the last customer and the count.
    const QStringList ultima = m.texts(m.pageCount() - 1);
    const qsizetype conteggio = ultima.indexOf("TOTALE CLIENTI:");
    ASSERT_GE(conteggio, 0);
    EXPECT_EQ(ultima.value(conteggio + 1), "3");
    EXPECT_LT(ultima.indexOf("Chiamare prima"), conteggio);
    EXPECT_EQ(ultima.last(), QString("Pagina %1 di %1").arg(m.pageCount()));
}

TEST_F(SchedaCliente, PricesHaveThreeDecimalsForMillesimiCustomers)
{
    const double mil = cliente({.nome = "Clinica Sant'Anna", .millesimi = true});
    noleggio(sede(mil, "Via Bari 3"), 1, 10, 0, 1234.5);
    noleggio(sede(mil, "Via Bari 5"), 2, 10, 0, 0.2345);
    const double cent = cliente({.nome = "Pizzeria Da Nino"});
    noleggio(sede(cent, "Via Napoli 1"), 1, 10, 0, 1234.5);
    noleggio(sede(cent, "Via Napoli 1"), 2, 10, 0, 0.2345);
    aggiorna();

    // The totals of the list.
    const PageModel& m = elenco();
    for (const char* testo : {"1.234,500", "0,235", "1.234,50", "0,23"})
        EXPECT_EQ(m.find(testo).size(), 1u) << testo;

    // The site lines of a single sheet.
    const double solo = cliente({.nome = "Studio Medico Gallo", .millesimi = true});
    noleggio(sede(solo, "Via Po 2"), 1, 1, 0, 7.5);
    aggiorna();
    EXPECT_EQ(scheda(solo).find("7,500").size(), 1u);
}

TEST_F(SchedaCliente, VisitFrequencyFromTheInterventionRows)
{
    const QVariant grigio;
    const double c = cliente({});
    const double s1 = sede(c, "Via Popilia 5");
    intervento(s1, 1, {true, false, false, false, grigio, false});
    intervento(s1, 2, {true, false, false, false, grigio, false});
    const double s2 = sede(c, "Corso Mazzini 80");
    intervento(s2, 3, {grigio, grigio, grigio, grigio, grigio, grigio});
    intervento(s2, 4, {true, true, true, true, true, true});
    const double s3 = sede(c, "Via Panebianco 7", "Ogni 15 giorni");
    intervento(s3, 1, {true, false, false, false, false, false});
    aggiorna();

    dm.TblSedi.locate("Codice", {s1});
    EXPECT_EQ(r.FrequenzaVisite(), "Sett. n°1: Lun[F] Ven[O] \r\nSett. n°2: Lun[F] Ven[O] ");
    dm.TblSedi.locate("Codice", {s2});
    EXPECT_EQ(r.FrequenzaVisite(), "Sett. n°3: Lun[O] Mar[O] Mer[O] Gio[O] Ven[O] Sab[O]\r\n"
                                   "Sett. n°4: Lun[F] Mar[F] Mer[F] Gio[F] Ven[F] Sab[F] ");
    dm.TblSedi.locate("Codice", {s3});
    EXPECT_EQ(r.FrequenzaVisite(), "Ogni 15 giorni");

    // On the sheet: one line per row, under the heading, the filled text unchanged.
    const PageModel& m = scheda(c);
    const PageText& titolo = unico(m, "Frequenza visite");
    QStringList righe;
    for (const PageText& t : m.page(0).texts)
        if (t.rect.left() == titolo.rect.left() && t.rect.top() > titolo.rect.top())
            righe << t.text;
    EXPECT_EQ(righe, QStringList({"Sett. n°1: Lun[F] Ven[O] ", "Sett. n°2: Lun[F] Ven[O] ",
                                                           "Sett. n°3: Lun[O] Mar[O] Mer[O] Gio[O] Ven[O] Sab[O]",
                                                           "Sett. n°4: Lun[F] Mar[F] Mer[F] Gio[F] Ven[F] Sab[F] ",
                                                           "Ogni 15 giorni"}));
}

TEST_F(SchedaCliente, LongNamesAndAddressesKeepClearOfTheirNeighbours)
{
    const double c = cliente({.nome = "Residenza Sanitaria Assistenziale S", .nome2 = "Fondazione Madonna della Catena Onl"});
    sede(c, "Contrada Sant'Antonio delle Vigne, località Piano del Lago, presso il complesso sanitario regionale, "
            "ingresso carrabile lato nord, edificio B");
    aggiorna();

    const PageModel& m = scheda(c);
    const PageText& nome = *m.findContaining("Residenza Sanitaria")[0].text;
    EXPECT_LT(nome.font.pointSizeF(), 10.5);
    EXPECT_LE(TQRStile::larghezza(nome.font, nome.text), nome.rect.width());

    const auto indirizzo = m.findContaining("Piano del Lago");
    ASSERT_EQ(indirizzo.size(), 1u);
    const PageText& chiavi = unico(m, "Chiavi:");
    EXPECT_GT(chiavi.rect.top(), m.findContaining("edificio B")[0].text->rect.bottom() - 0.5);
    EXPECT_GT(unico(m, "Presso cliente").rect.top(), chiavi.rect.bottom());
}

TEST_F(SchedaCliente, PreviewedAndWrittenAsPdf)
{
    const double c = cliente({});
    noleggio(sede(c, "Via Popilia 5"), 1, 10, 2, 12.5);
    aggiorna();
    scheda(c);

    // The screen filters, previews without generating the title again.
    dm.TblClienti.setFilter("Codice = " + QString::number(c));
    dm.TblClienti.setFiltered(true);
    QString didascalia;
    ReportPreview::runner = [&](ReportPreview& w) { didascalia = w.windowTitle(); };
    EXPECT_TRUE(r.preview(a.prompts));
    ReportPreview::runner = nullptr;
    EXPECT_EQ(didascalia, "Anteprima di stampa - Scheda cliente Hotel Miramare");

    const QString file = a.percorso("scheda.pdf");
    ASSERT_TRUE(r.exportPdf(file));
    dm.TblClienti.setFiltered(false);
    EXPECT_EQ(LetturaPdf::info(file, "Page size"), "595 x 842 pts (A4)");
    const QString testo = LetturaPdf::testo(file);
    EXPECT_TRUE(testo.contains("SCHEDA CLIENTE N° 7"));
    EXPECT_TRUE(testo.contains("Pagina 1 di 1"));
    EXPECT_TRUE(testo.contains("12,50"));
}

namespace {

// The text on a given page, or null.
const PageText* suPagina(const PageModel& m, int pagina, const QString& testo)
{
    for (const auto& h : m.find(testo))
        if (h.page == pagina)
            return h.text;
    return nullptr;
}

} // namespace

TEST_F(SchedaCliente, ListRunningOverPagesKeepsSitesWholeAndNamesWhatContinues)
{
    // Enough articles for a site with a long list of rentals.
    for (int i = 10; i < 80; ++i)
        sql("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori) VALUES (?, ?, 'Cotone', 500, 0)",
            {i, QString("Articolo %1").arg(i)});
    dm.TblServizi.refresh();
    const double a1 = cliente({.nome = "Albergo Sila"});
    const double s1 = sede(a1, "Via Sila 1");
    for (int i = 10; i < 40; ++i)
        noleggio(s1, i, 2, 0, 1);
    const double b = cliente({.nome = "Bar Centrale"});
    const double lunga = sede(b, "Via Lunga 3");
    for (int i = 10; i < 80; ++i)
        noleggio(lunga, i, 1, 0, 1);
    const double corta = sede(b, "Via Corta 9");
    for (int i = 10; i < 25; ++i)
        noleggio(corta, i, 3, 0, 1);
    const double z = cliente({.nome = "Zeta Residence", .note = "Chiamare prima"});
    noleggio(sede(z, "Via Verdi 4"), 1, 1, 0, 30);
    aggiorna();

    const PageModel& m = elenco();
    ASSERT_GT(m.pageCount(), 3);

    // Every page holding an article line says whose it is, above its first line: the
    // customer, and the site with its column headings or the totals heading.
    for (int p = 0; p < m.pageCount(); ++p) {
        double alto = 1000;
        for (const PageText& t : m.page(p).texts)
            if (t.text.startsWith("Articolo "))
                alto = std::min(alto, t.rect.top());
        if (alto == 1000)
            continue;
        auto sopra = [&](auto&& condizione) {
            return std::any_of(m.page(p).texts.begin(), m.page(p).texts.end(),
                               [&](const PageText& t) { return t.rect.top() < alto && condizione(t.text); });
        };
        EXPECT_TRUE(sopra([](const QString& t) { return t.endsWith("S.r.l."); })) << "page " << p + 1;
        EXPECT_TRUE(sopra([](const QString& t) { return t == "Descrizione"; })) << "page " << p + 1;
        EXPECT_TRUE(sopra([](const QString& t) { return t.endsWith("  Rende") || t == "TOTALI"; })) << "page " << p + 1;
    }

    // A site that fits on a page is not split: the short one is whole on the page of its address.
    const int pagina = m.find("Via Corta 9  Rende").front().page;
    for (int i = 10; i < 25; ++i)
        EXPECT_TRUE(suPagina(m, pagina, QString("Articolo %1").arg(i))) << i;

    // The last customer prints with its totals, its notes and the count on the last page.
    const int ultima = m.pageCount() - 1;
    for (const char* testo : {"Zeta Residence S.r.l.", "TOTALI", "Chiamare prima", "TOTALE CLIENTI:"})
        EXPECT_TRUE(suPagina(m, ultima, testo)) << testo;
}
