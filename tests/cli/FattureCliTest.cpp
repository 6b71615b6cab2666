#include "EseguiCli.h"
#include "FattureDiProva.h"
#include "reports/LetturaPdf.h"
#include "reports/TestoQt.h"

namespace {

// lavanderia-cli fatture on an archive of 2024 with three monthly customers.
class FattureCli : public FattureDiProva
{
protected:
    FattureCli()
    {
        for (const char* nome : {"Bar Uno", "Bar Due", "Bar Tre"})
            noleggio(sede(cliente({.nome = nome, .incassabile = true})), 1, 10, 2.5);
        aggiorna();
        contatore(40);
    }

    EsitoCli cli(const QStringList& args) { return eseguiCli(QStringList{"fatture", a.dir.path()} + args); }
    EsitoCli manuale(const QStringList& args) { return eseguiCli(QStringList{"fattura-manuale", a.dir.path()} + args); }
    QString pdf = a.percorso("fatture.pdf");
};

} // namespace

TEST_F(FattureCli, ThePreviewWritesTheInvoicesWithoutNumberingThem)
{
    const EsitoCli e = cli({"--anno", "2024", "--mese", "6", "--data", "30/06/2024", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "0\t2\tBar Due\t100,00\t122,00\n0\t3\tBar Tre\t100,00\t122,00\n0\t1\tBar Uno\t100,00\t122,00\n");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 3);
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("periodo dal 01/06/2024 al 30/06/2024"));
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_TRUE(movimenti().isEmpty());
}

TEST_F(FattureCli, ThePrintNumbersRecordsAndCollects)
{
    const EsitoCli e = cli({"--anno", "2024", "--mese", "6", "--giorno", "30", "--data", "30/06/2024", "--da", "2", "--a", "3",
                         "--stampa", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "41\t3\tBar Tre\t100,00\t122,00\n42\t1\tBar Uno\t100,00\t122,00\n");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 2);
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("41/2024"));
    EXPECT_EQ(ultimoNumero(), 42);
    EXPECT_EQ(movimenti().size(), 6);

    // A range past the due customers prints nothing, and says so.
    const EsitoCli nessuna = cli({"--anno", "2024", "--mese", "6", "--data", "30/06/2024", "--da", "4", "--a", "9", "--stampa",
                                  "--pdf", a.percorso("nessuna.pdf")});
    EXPECT_EQ(nessuna.codice, 0) << nessuna.err.toStdString();
    EXPECT_EQ(nessuna.out, "Nessuna fattura da stampare.\n");
    EXPECT_EQ(ultimoNumero(), 42);
}

TEST_F(FattureCli, BadInputEndsWithTheMessageAndWritesNothing)
{
    EsitoCli e = cli({"--anno", "2024", "--mese", "6", "--data", "31/06/2024", "--stampa", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "'31/06/2024' non è una data valida per la data di stampa.\n");

    QFile f(fileContatore());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x29", 1);
    f.close();
    e = cli({"--anno", "2024", "--mese", "6", "--data", "30/06/2024", "--stampa", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.startsWith("Il file contatore delle fatture '")) << e.err.toStdString();
    EXPECT_EQ(bytesContatore(), QByteArray("\x29", 1));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(movimenti().isEmpty());

    e = cli({"--anno", "2024", "--mese", "13", "--data", "30/06/2024", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "Il mese deve essere un numero da 1 a 12.\n");
    e = cli({"--anno", "2024", "--mese", "6", "--data", "30/06/2025", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.contains("non c'è l'esercizio 2025")) << e.err.toStdString();
}

// One manual invoice: the preview keeps its number, the print gives it the next one and the
// date asked for; a wrong code or date changes nothing.
TEST_F(FattureCli, TheManualInvoiceIsPrintedWithTheNextNumber)
{
    const qint64 codice = fatturaManuale({.data = "2024-03-31", .numero = 12, .inizio = "2024-03-01", .fine = "2024-03-31",
                                          .righe = {{2, "Noleggio biancheria", 10}}});
    EsitoCli e = manuale({"--codice", QString::number(codice), "--data", "10/07/2024", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "12\t31/03/2024\tComune di Rende Ufficio economato\t20,00\t24,40\n");
    EXPECT_TRUE(LetturaPdf::testo(pdf).contains("12/2024"));
    EXPECT_EQ(ultimoNumero(), 40);

    e = manuale({"--codice", QString::number(codice), "--data", "10/07/2024", "--stampa", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "41\t10/07/2024\tComune di Rende Ufficio economato\t20,00\t24,40\n");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 1);
    EXPECT_TRUE(LetturaPdf::testo(pdf).contains("41/2024"));
    EXPECT_EQ(ultimoNumero(), 41);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 41.0);

    e = manuale({"--codice", "99", "--stampa", "--data", "10/07/2024", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "La fattura manuale 99 non esiste.\n");
    e = manuale({"--codice", QString::number(codice), "--data", "32/07/2024", "--stampa", "--pdf", pdf});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "'32/07/2024' non è una data valida per la data di stampa.\n");
    EXPECT_EQ(ultimoNumero(), 41);
}
