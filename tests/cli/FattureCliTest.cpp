#include "FattureDiProva.h"
#include "reports/LetturaPdf.h"
#include "reports/TestoQt.h"
#include <QProcess>

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

    struct Esito
    {
        int codice = -1;
        QString out, err;
    };
    Esito cli(QStringList args)
    {
        QProcess p;
        p.start(QStringLiteral(LAV_BIN_DIR "/lavanderia-cli"), QStringList{"fatture", a.dir.path()} + args);
        Esito e;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "lavanderia-cli non termina";
            return e;
        }
        e.codice = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        e.out = QString::fromUtf8(p.readAllStandardOutput());
        e.err = QString::fromUtf8(p.readAllStandardError());
        return e;
    }
    QString pdf = a.percorso("fatture.pdf");
};

} // namespace

TEST_F(FattureCli, ThePreviewWritesTheInvoicesWithoutNumberingThem)
{
    const Esito e = cli({"--anno", "2024", "--mese", "6", "--data", "30/06/2024", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "0\t2\tBar Due\t100,00\t122,00\n0\t3\tBar Tre\t100,00\t122,00\n0\t1\tBar Uno\t100,00\t122,00\n");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 3);
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("periodo dal 01/06/2024 al 30/06/2024"));
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_TRUE(movimenti().isEmpty());
}

TEST_F(FattureCli, ThePrintNumbersRecordsAndCollects)
{
    const Esito e = cli({"--anno", "2024", "--mese", "6", "--giorno", "30", "--data", "30/06/2024", "--da", "2", "--a", "3",
                         "--stampa", "--pdf", pdf});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "41\t3\tBar Tre\t100,00\t122,00\n42\t1\tBar Uno\t100,00\t122,00\n");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 2);
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("41/2024"));
    EXPECT_EQ(ultimoNumero(), 42);
    EXPECT_EQ(movimenti().size(), 6);
}

TEST_F(FattureCli, BadInputEndsWithTheMessageAndWritesNothing)
{
    Esito e = cli({"--anno", "2024", "--mese", "6", "--data", "31/06/2024", "--stampa", "--pdf", pdf});
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
    EXPECT_TRUE(e.err.startsWith("L'esercizio 2025 non esiste")) << e.err.toStdString();
}
