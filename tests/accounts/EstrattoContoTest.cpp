#include "ContiDiProva.h"
#include "EstrattoConto.h"
#include "IncassiCliente.h"
#include "TQRDocumenti.h"
#include "reports/LetturaPdf.h"
#include "support/EseguiCli.h"

namespace {

// A customer account with invoice 15 of 100,00 on 31/01 collected on 10/02 and invoice 16 of
// 50,00 on 29/02, open.
class Estratto : public ContiDiProva
{
protected:
    Estratto()
    {
        fattura(15, 100, QDate(2024, 1, 31));
        IncassiCliente incassi(dm);
        incassi.Apri();
        incassi.Incassa(QDate(2024, 2, 10));
        incassi.Chiudi();
        fattura(16, 50, QDate(2024, 2, 29));
    }
    QString cartella() const { return a.dir.path(); }
};

TEST_F(Estratto, APeriodShowsItsMovementsWithTheBalanceOfTheWholeYear)
{
    dm.TblPrimaNota.setFilter(IncassiCliente::filtroFatture);
    dm.TblPrimaNota.setFiltered(true);
    EstrattoConto estratto(dm);
    QStringList date, saldi, controp;
    estratto.esegui(IncassiCliente::suffissoDate(QDate(2024, 2, 1), QDate()), [&](TQRDocumenti& r) {
        ASSERT_EQ(r.prepare(), 1);
        date = colonna(r.pages(), "Data");
        saldi = colonna(r.pages(), "Saldo");
        controp = colonna(r.pages(), "Controp.");
    });
    EXPECT_EQ(date, (QStringList{"10/02/2024", "29/02/2024"}));
    EXPECT_EQ(saldi, (QStringList{"-50,00", "-50,00"}));     // 0 after the collection is left blank
    EXPECT_EQ(controp, (QStringList{"18 /", "2"}));     // the customer's payment account
    // The ledger's own filter is back.
    EXPECT_EQ(dm.TblPrimaNota.filter(), IncassiCliente::filtroFatture);
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 1);
}

TEST_F(Estratto, TheCommandWritesTheStatementOfACustomer)
{
    const QString pdf = a.percorso("estratto.pdf");
    EsitoCli e = eseguiCli({"estratto", cartella(), "--cliente", QString::number(miramare), "--al", "15/02/2024",
                            "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "Scheda contabile di Hotel Miramare S.r.l. (esercizio 2024): 1 pagine in " + pdf + ".\n");
    const QString testo = LetturaPdf::testo(pdf);
    EXPECT_TRUE(testo.contains("Scheda contabile"));
    EXPECT_TRUE(testo.contains("31/01/2024"));
    EXPECT_TRUE(testo.contains("10/02/2024"));
    EXPECT_FALSE(testo.contains("29/02/2024"));

    // Nothing to print: no file.
    const QString vuoto = a.percorso("vuoto.pdf");
    e = eseguiCli({"estratto", cartella(), "--cliente", QString::number(miramare), "--al", "15/01/2024", "--pdf", vuoto});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.contains("Nessun movimento del cliente 1 da stampare"));
    EXPECT_FALSE(QFile::exists(vuoto));

    for (const QStringList& sbagliati :
         {QStringList{"--cliente", "99", "--anno", "2024", "--pdf", vuoto}, QStringList{"--cliente", "1", "--dal", "31/02/2024", "--pdf", vuoto},
          QStringList{"--cliente", "1", "--anno", "2019", "--pdf", vuoto}, QStringList{"--cliente", "1"},
          QStringList{"--cliente", "uno", "--pdf", vuoto}}) {
        e = eseguiCli(QStringList{"estratto", cartella()} + sbagliati);
        EXPECT_EQ(e.codice, 1) << sbagliati.join(' ').toStdString();
        EXPECT_FALSE(e.err.isEmpty());
    }
    EXPECT_TRUE(eseguiCli({"estratto", cartella(), "--cliente", "99", "--anno", "2024", "--pdf", vuoto}).err.contains("Il cliente 99 non esiste."));
    EXPECT_TRUE(eseguiCli({"estratto", cartella(), "--cliente", "1", "--anno", "2019", "--pdf", vuoto})
                    .err.contains("non c'è l'esercizio 2019"));
}

TEST_F(Estratto, TheCommandCollectsAnOpenInvoice)
{
    EsitoCli e = eseguiCli({"incassa", cartella(), "--cliente", "1", "--fattura", "16", "--data", "05/03/2024"});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "Fattura n° 16 di Hotel Miramare S.r.l. incassata il 05/03/2024: € 50,00.\n");
    const auto m = ledger();
    ASSERT_EQ(m.size(), 6);
    EXPECT_TRUE(m[3].incassata);
    EXPECT_EQ(m[4].conto, 2);
    EXPECT_EQ(m[4].altra, m[3].codice);
    EXPECT_EQ(m[5].conto, 0);
    EXPECT_EQ(m[5].importo, 50.0);
    EXPECT_EQ(m[5].data, QDate(2024, 3, 5));
    EXPECT_EQ(m[5].rif, QDate(2024, 2, 29));

    // Already collected, not an invoice of the customer, a date of another year, a bad date.
    e = eseguiCli({"incassa", cartella(), "--cliente", "1", "--fattura", "16", "--data", "06/03/2024"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "Il cliente 1 non ha la fattura n° 16 da incassare nell'esercizio 2024.\n");
    fattura(17, 10, QDate(2024, 3, 1));
    e = eseguiCli({"incassa", cartella(), "--cliente", "1", "--fattura", "17", "--data", "06/03/2025", "--anno", "2024"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "La data 06/03/2025 non cade nell'esercizio 2024.\nOperazione annullata.\n");
    e = eseguiCli({"incassa", cartella(), "--cliente", "1", "--fattura", "17", "--data", "6 marzo"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "--data: data non valida \"6 marzo\" (usare GG/MM/AAAA).\n");
    EXPECT_EQ(ledger().size(), 7);
}

} // namespace
