#include "Clock.h"
#include "FatturazionePeriodica.h"
#include "FattureDiProva.h"
#include "TQRFatture.h"
#include "reports/TestoQt.h"
#include <algorithm>

namespace {

// The invoices of June 2024 ("Giorno" 30), printed on 30/06/2024 with the next number 41.
class StampaFatture : public FattureDiProva
{
protected:
    StampaFatture()
    {
        fissaOggi(QDate(2024, 7, 2));
        run.scelte = {.mese = 6, .giorno = 30, .anno = 2024, .dataStampa = "30/06/2024"};
        contatore(40);
    }

    const PageModel& anteprima()
    {
        fatture = run.Anteprima(report);
        return report.pages();
    }
    const PageModel& stampa(bool riesce = true)
    {
        fatture = run.Stampa(report, [&](const PageModel& m) {
            ++emissioni;
            pagineEmesse = m.pageCount();
            return riesce;
        });
        return report.pages();
    }

    // The texts printed on the line of a page where `testo` is, left to right.
    static QStringList riga(const PageModel& m, int pagina, const QString& testo)
    {
        const Page& p = m.page(pagina);
        const auto it = std::find_if(p.texts.begin(), p.texts.end(), [&](const PageText& t) { return t.text == testo; });
        if (it == p.texts.end())
            return {};
        std::vector<const PageText*> stessa;
        for (const PageText& t : p.texts)
            if (qAbs(t.rect.top() - it->rect.top()) < 0.5 && !t.text.isEmpty())
                stessa.push_back(&t);
        std::sort(stessa.begin(), stessa.end(), [](auto* a, auto* b) { return a->rect.left() < b->rect.left(); });
        QStringList out;
        for (const PageText* t : stessa)
            out << t->text;
        return out;
    }
    static double alto(const PageModel& m, int pagina, const QString& testo)
    {
        for (const PageText& t : m.page(pagina).texts)
            if (t.text == testo)
                return t.rect.top();
        return -1;
    }

    FatturazionePeriodica run{dm};
    TQRFatture report{dm};
    QList<FatturaPeriodica> fatture;
    int emissioni = 0;
    int pagineEmesse = 0;
};

} // namespace

TEST_F(StampaFatture, OneInvoiceAPageWithItsHeaderLinesAndPeriod)
{
    const double c = cliente({.nome = "Hotel Miramare", .nome2 = "S.r.l.", .condizioni = "Trimestrale", .fattura = 12});
    noleggio(sede(c), 1, 10, 2.5);
    rigaLibera(c, 2, "Lavaggio tende", 15);
    rigaLibera(c, QVariant(), "Rif. ordine n. 12");
    rigaLibera(c, 1, "Ritiro straordinario");
    cliente({.nome = "Bar Senza Righe"});
    aggiorna();

    const PageModel& m = anteprima();
    ASSERT_EQ(m.pageCount(), 2);
    // A customer without lines still gets its page with header and footer.
    const QStringList bar = m.texts(0);
    EXPECT_TRUE(bar.contains("Bar Senza Righe "));
    EXPECT_TRUE(bar.contains("Importo fattura"));

    const QStringList t = m.texts(1);
    EXPECT_EQ(t.mid(0, 3), QStringList({"Spett.le", "Data fattura", "N. fattura"}));
    EXPECT_TRUE(t.contains("Hotel Miramare S.r.l."));
    EXPECT_TRUE(t.contains("30/06/2024"));
    EXPECT_TRUE(t.contains("12/2024"));               // a preview shows the previous number
    EXPECT_TRUE(t.contains("Via Roma 12 87100 Cosenza"));
    EXPECT_EQ(riga(m, 1, "Codice fiscale:"), QStringList({"Codice fiscale:", "MRARSS70A01D086X"}));
    EXPECT_EQ(riga(m, 1, "Quantità"), QStringList({"Quantità", "Descrizione", "Prezzo unitario", "Mensilità", "Importo"}));
    // Article lines are multiplied by the months of the period, free lines never.
    EXPECT_EQ(riga(m, 1, "Lenzuolo matrimoniale"), QStringList({"n°  10", "Lenzuolo matrimoniale", "2,50", "3", "€ 75,00"}));
    EXPECT_EQ(riga(m, 1, "Lavaggio tende"), QStringList({"n°  2", "Lavaggio tende", "15,00", "€ 30,00"}));
    EXPECT_EQ(riga(m, 1, "Ritiro straordinario"), QStringList({"n°  1", "Ritiro straordinario"}));
    EXPECT_EQ(riga(m, 1, "Rif. ordine n. 12"), QStringList({"Rif. ordine n. 12"}));
    EXPECT_LT(alto(m, 1, "Ritiro straordinario"), alto(m, 1, "Rif. ordine n. 12"));
    EXPECT_TRUE(t.contains("periodo dal 01/04/2024 al 30/06/2024"));
    EXPECT_EQ(riga(m, 1, "Coordinate bancarie:"), QStringList({"Coordinate bancarie:"}));
    EXPECT_TRUE(t.contains("IT60X0542811101000000123456 - C/C n° 123456"));
    EXPECT_TRUE(t.contains("Banca della Calabria"));
    EXPECT_TRUE(t.contains("Pagamento a 30 giorni"));
    // The footer sits at the bottom of the page, below every line.
    EXPECT_GT(alto(m, 1, "Importo fattura"), 250);
    EXPECT_EQ(riga(m, 1, "Imponibile"), QStringList({"Imponibile", "€ 100,00"}));
    EXPECT_EQ(riga(m, 1, "Importo fattura"), QStringList({"Importo fattura", "€ 122,00"}));
}

TEST_F(StampaFatture, MonthsAndAmountsFollowThePeriodicity)
{
    const double mensile = cliente({.nome = "Bar Mensile"});
    noleggio(sede(mensile), 1, 10, 2.5);
    const double annuale = cliente({.nome = "Colonia Annuale", .condizioni = "Annuale", .millesimi = true});
    const double s = sede(annuale);
    noleggio(s, 2, 3, 1.2346);
    noleggio(s, 3, 4, 0);                   // no price: no price, months nor amount
    aggiorna();
    run.scelte.mese = 12;
    run.scelte.giorno = 31;

    const PageModel& m = anteprima();
    ASSERT_EQ(m.pageCount(), 2);
    EXPECT_EQ(riga(m, 0, "Lenzuolo matrimoniale"), QStringList({"n°  10", "Lenzuolo matrimoniale", "2,50", "1", "€ 25,00"}));
    EXPECT_EQ(riga(m, 1, "Federa"), QStringList({"n°  3", "Federa", "1,235", "12", "€ 44,446"}));
    EXPECT_EQ(riga(m, 1, "Tovaglia 140x140"), QStringList({"n°  4", "Tovaglia 140x140"}));
    EXPECT_EQ(m.findContaining("periodo dal").size(), 2u);
    EXPECT_TRUE(m.texts(1).contains("periodo dal 01/01/2024 al 31/12/2024"));
    EXPECT_TRUE(m.texts(0).contains("periodo dal 01/12/2024 al 31/12/2024"));
}

TEST_F(StampaFatture, VatIsRoundedOnTheInvoiceButNotInTheLedger)
{
    const double iva = cliente({.nome = "Bar Iva", .imponibile = 10.01});
    const double esente = cliente({.nome = "Ente Esente", .imponibile = 10.01, .pagaIva = false});
    aggiorna();

    const PageModel& m = stampa();
    EXPECT_EQ(emissioni, 1);
    EXPECT_EQ(pagineEmesse, 2);
    EXPECT_EQ(riga(m, 0, "Iva 22%"), QStringList({"Iva 22%", "€  2,20"}));
    EXPECT_EQ(riga(m, 0, "Importo fattura"), QStringList({"Importo fattura", "€ 12,21"}));
    EXPECT_EQ(riga(m, 1, "Importo fattura"), QStringList({"Importo fattura", "€ 10,01"}));
    EXPECT_TRUE(m.find("Iva 22%").size() == 1);

    const auto mov = movimenti();
    ASSERT_EQ(mov.size(), 2);
    EXPECT_EQ(mov[0].cliente, iva);
    EXPECT_EQ(mov[0].importo, -12.2122);
    EXPECT_EQ(mov[0].fattura, 41);
    EXPECT_EQ(mov[0].causale, "Fattura di vendita");
    EXPECT_EQ(mov[0].data, QDate(2024, 6, 30));
    EXPECT_FALSE(mov[0].incassata);
    EXPECT_EQ(mov[1].cliente, esente);
    EXPECT_EQ(mov[1].importo, -10.01);
    EXPECT_EQ(mov[1].fattura, 42);
    EXPECT_EQ(fatture[0].totale, Money::fromDouble(12.21));
}

TEST_F(StampaFatture, AutomaticCollectionSettlesTheInvoiceOnItsDate)
{
    // Movement codes beyond the 16-bit range must still pair.
    sql(QString("INSERT INTO %1 (Codice, Cliente, Causale, Conto, Importo, Data) VALUES (40000, 0, 'Apertura', 1, 0, '2024-01-01')")
            .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    const double c = cliente({.imponibile = 100, .incassabile = true, .pagamento = 2});
    aggiorna();

    stampa();
    const auto mov = movimenti();
    ASSERT_EQ(mov.size(), 4);
    EXPECT_EQ(mov[1].causale, "Fattura di vendita");
    EXPECT_TRUE(mov[1].incassata);
    EXPECT_EQ(mov[2].causale, "Saldo fattura");
    EXPECT_EQ(mov[2].conto, 2);
    EXPECT_EQ(mov[2].importo, 122.0);
    EXPECT_EQ(mov[2].altra, mov[1].codice);
    EXPECT_EQ(mov[3].conto, 0);
    EXPECT_EQ(mov[3].importo, 122.0);
    EXPECT_EQ(mov[3].altra, mov[2].codice);
    for (int i : {2, 3}) {
        EXPECT_EQ(mov[i].data, QDate(2024, 6, 30));
        EXPECT_EQ(mov[i].rif, QDate(2024, 6, 30));
        EXPECT_EQ(mov[i].fattura, 41);
        EXPECT_EQ(mov[i].cliente, c);
    }
    // The ledger is given back unlinked and unfiltered.
    EXPECT_EQ(dm.TblPrimaNota.master(), nullptr);
    EXPECT_FALSE(dm.TblPrimaNota.filtered());
}

TEST_F(StampaFatture, AnInvoiceOverTwoPagesIsRecordedOnce)
{
    const double c = cliente({});
    for (int i = 0; i < 60; ++i)
        rigaLibera(c, 1, QString("Servizio aggiuntivo %1").arg(i, 2, 10, QChar('0')), 1);
    aggiorna();

    const PageModel& m = stampa();
    ASSERT_EQ(m.pageCount(), 2);
    // The header on the first page, the footer on the second, the rules on both.
    EXPECT_TRUE(m.texts(0).contains("Spett.le"));
    EXPECT_FALSE(m.texts(0).contains("Importo fattura"));
    EXPECT_TRUE(m.texts(1).contains("Importo fattura"));
    for (int p = 0; p < 2; ++p) {
        int verticali = 0;
        for (const PageLine& l : m.page(p).lines)
            if (l.from.x() == l.to.x() && l.to.y() - l.from.y() > 100)
                ++verticali;
        EXPECT_EQ(verticali, 6) << "pagina " << p + 1;
    }
    EXPECT_EQ(movimenti().size(), 1u);
}

TEST_F(StampaFatture, PreviewAndPrintStampTheDateOfTheLastPrint)
{
    const double c = cliente({});
    aggiorna();
    anteprima();
    EXPECT_EQ(valore("SELECT \"Data fattura\" FROM Clienti WHERE Codice = ?", {c}), "2024-07-02");
    EXPECT_EQ(fattura(c), QVariant());
    EXPECT_TRUE(movimenti().isEmpty());
    // The data module's tables are given back as they were.
    EXPECT_FALSE(dm.TblClienti.filtered());
    EXPECT_FALSE(dm.TblFatture.active());
}

TEST_F(StampaFatture, APrintThatFailsRecordsNothing)
{
    cliente({});
    aggiorna();
    EXPECT_THROW(stampa(false), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("La stampa delle fatture non è riuscita: i numeri da 41 a 41 restano inutilizzati "
                                            "e in prima nota non è stato registrato nulla."));
    EXPECT_TRUE(movimenti().isEmpty());
    // The number is gone for good: the next print takes the one after.
    EXPECT_EQ(ultimoNumero(), 41);
    stampa();
    EXPECT_EQ(fatture[0].numero, 42);
}

TEST_F(StampaFatture, NoDueCustomerPrintsNothing)
{
    cliente({.condizioni = "Semestrale"});
    aggiorna();
    run.scelte.mese = 5;
    stampa();
    EXPECT_TRUE(fatture.isEmpty());
    EXPECT_EQ(emissioni, 0);
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_TRUE(prompts.shown().isEmpty());
}
