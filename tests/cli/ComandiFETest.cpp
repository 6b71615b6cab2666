#include "ArchivioFE.h"
#include "DatiDemo.h"
#include "support/EseguiCli.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString campioni = QStringLiteral(FATTURAPA_DIR "/samples/");

} // namespace

TEST(ComandiFE, ValidaPrintsTheMessageOfEachFileAndSucceedsOnlyWhenAllAreValid)
{
    const QString a = campioni + "IT01234567890_FPA01.xml", b = campioni + "IT01234567890_FPR01.xml",
                  rotto = campioni + "invalid/IT01234567890_FPR02.xml";
    EsitoCli e = eseguiCli({"fe", "valida", a, b});
    EXPECT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, a + ": Il documento risulta valido\n" + b + ": Il documento risulta valido\n");

    e = eseguiCli({"fe", "valida", a, rotto});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.out.contains(rotto + ": Errore riga 16: ")) << e.out.toStdString();
    EXPECT_EQ(eseguiCli({"fe", "valida", campioni + "manca.xml"}).codice, 1);
    EXPECT_EQ(eseguiCli({"fe", "valida"}).codice, 1);
}

TEST(ComandiFE, MostraWritesThePageOfTheStyleSheet)
{
    QTemporaryDir dir;
    const QString pagina = dir.filePath("fattura.html");
    const EsitoCli e = eseguiCli({"fe", "mostra", campioni + "IT01234567890_FPR02.xml", "--html", pagina});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, pagina + "\n");
    QFile f(pagina);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<html"));
    EXPECT_EQ(eseguiCli({"fe", "mostra", dir.filePath("manca.xml"), "--html", pagina}).codice, 1);
}

TEST(ComandiFE, NotaWritesTheCreditNoteOfACustomerAndSavesIt)
{
    QString cartella, cliente;
    QTemporaryDir uscita;
    {
        ArchivioFE a;
        CreaDatiDemo(a.dm->db, 1, 3);
        a.dm->ApriFatture();
        RigheDiUnaElaborazione(a.dm->db, QDate(2024, 6, 30));
        a.sql("UPDATE Parametri SET FE_Progr = 7, NotaCre = 3");
        cliente = a.leggi("SELECT min(Cliente) FROM Fatture JOIN Clienti ON Codice = Cliente "
                          "WHERE Codice_FE IS NOT NULL").toString();
        cartella = a.dir.path();
        a.dir.setAutoRemove(false);
    }
    const EsitoCli e = eseguiCli({"fe", "nota", cartella, "--cliente", cliente, "--data", "10/07/2024", "--anno",
                                  "2024", "--salva", uscita.path()});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(e.err.isEmpty()) << e.err.toStdString();
    const QStringList righe = e.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(righe.size(), 2) << e.out.toStdString();
    EXPECT_TRUE(righe[0].endsWith("_00008.xml")) << righe[0].toStdString();
    EXPECT_EQ(righe[1], QDir(uscita.path()).filePath(QFileInfo(righe[0]).fileName()));
    EXPECT_EQ(XmlLetto::file(righe[1])["//DatiGeneraliDocumento/Numero"], "00004");

    const EsitoCli ignoto = eseguiCli({"fe", "nota", cartella, "--cliente", "99999", "--data", "10/07/2024", "--anno", "2024"});
    EXPECT_EQ(ignoto.codice, 1);
    EXPECT_EQ(ignoto.err, "Il cliente 99999 non esiste.\n");
    EXPECT_EQ(eseguiCli({"fe", "nota", cartella, "--cliente", cliente, "--data", "31/02/2024", "--anno", "2024"}).codice, 1);
    QDir(cartella).removeRecursively();
}

TEST(ComandiFE, GeneraWritesTheFilesOfTheRunAndSavingAdvancesTheProgressive)
{
    QString cartella;
    QTemporaryDir uscita;
    {
        ArchivioFE a;
        CreaDatiDemo(a.dm->db, 1, 3);
        a.sql("UPDATE Parametri SET FE_Progr = 7");
        cartella = a.dir.path();
        a.dir.setAutoRemove(false);
    }
    const QStringList mese{"fe", "genera", cartella, "--anno", "2024", "--mese", "12", "--giorno", "31", "--data",
                           "31/12/2024"};
    EsitoCli e = eseguiCli(mese);
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    const QStringList generati = e.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(generati.size(), 20) << e.err.toStdString();
    EXPECT_TRUE(generati.first().endsWith("_00008.xml")) << generati.first().toStdString();
    EXPECT_TRUE(e.err.isEmpty()) << e.err.toStdString();   // no file the checks would refuse

    // Generating again before saving reuses the numbers; saving copies every file and the
    // progressive ends at the last one.
    e = eseguiCli(mese + QStringList{"--salva", uscita.path()});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    const QStringList righe = e.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(righe.size(), 2 * generati.size());
    EXPECT_EQ(righe.mid(0, generati.size()), generati);
    EXPECT_EQ(righe.last(), QDir(uscita.path()).filePath(QFileInfo(generati.last()).fileName()));
    auto valore = [&](const QString& select) {   // the one value of a query, below its heading
        return eseguiCli({"sql", cartella, select}).out.split('\n', Qt::SkipEmptyParts).value(1);
    };
    EXPECT_EQ(valore("SELECT FE_Progr FROM Parametri").toLongLong(), 7 + generati.size());

    // One customer: one file, numbered after those saved.
    const QString cliente = valore("SELECT min(Codice) FROM Clienti WHERE Codice_FE IS NOT NULL AND "
                                   "coalesce(Escluso, 0) = 0 AND Condizioni = 'Mensile'");
    e = eseguiCli(mese + QStringList{"--cliente", cliente});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out.count('\n'), 1) << e.out.toStdString();
    EXPECT_TRUE(e.out.trimmed().endsWith(QStringLiteral("_%1.xml").arg(8 + generati.size(), 5, 10, QChar('0'))));

    // Near the highest progressive the archive can hold, the files up to it are written and
    // the job ends with a failure for those it could not write.
    eseguiCli({"sql", cartella, "UPDATE Parametri SET FE_Progr = 32765"});
    e = eseguiCli(mese);
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out.split('\n', Qt::SkipEmptyParts).size(), 2) << e.out.toStdString();
    EXPECT_TRUE(e.err.contains("32767")) << e.err.toStdString();

    EXPECT_EQ(eseguiCli({"fe", "genera", cartella, "--anno", "2024", "--mese", "13", "--giorno", "31", "--data",
                         "31/12/2024"})
                  .codice,
              1);
    QDir(cartella).removeRecursively();
}

TEST(ComandiFE, ManualeWritesTheManualInvoiceOrItsCreditNoteInTheYearOfItsDate)
{
    QString cartella, codice;
    QTemporaryDir uscita;
    {
        ArchivioFE a;
        // Two months of rental: the amounts are doubled.
        codice = QString::number(a.manuale({.numero = 12, .inizio = QDate(2024, 1, 1), .fine = QDate(2024, 2, 29)}));
        a.sql("UPDATE Parametri SET FE_Progr = 7, NotaCre = 3");
        cartella = a.dir.path();
        a.dir.setAutoRemove(false);
    }
    const QStringList fattura{"fe", "manuale", cartella, "--codice", codice};
    EsitoCli e = eseguiCli(fattura);
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(e.err.isEmpty()) << e.err.toStdString();
    EXPECT_EQ(e.out, QDir(cartella).filePath("IT01234567890_00008.xml") + "\n");
    XmlLetto x = XmlLetto::file(QDir(cartella).filePath("IT01234567890_00008.xml"));
    EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], "00012");
    EXPECT_EQ(x["//DatiRiepilogo/ImponibileImporto"], "40.00");

    // Each credit note saved takes the next number.
    const QStringList nota{"fe", "manuale", cartella, "--codice", codice, "--nota", "--data", "10/07/2024",
                           "--salva", uscita.path()};
    for (const QString numero : {"00004", "00005"}) {
        e = eseguiCli(nota);
        ASSERT_EQ(e.codice, 0) << e.err.toStdString();
        const QStringList righe = e.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(righe.size(), 2) << e.out.toStdString();
        x = XmlLetto::file(righe[1]);
        EXPECT_EQ(x["//TipoDocumento"], "TD04");
        EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], numero);
        EXPECT_EQ(x["//DatiFattureCollegate/IdDocumento"], "12");
    }
    EXPECT_TRUE(QFileInfo::exists(QDir(uscita.path()).filePath("IT01234567890_00009.xml")));

    e = eseguiCli({"fe", "manuale", cartella, "--codice", "999"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "La fattura manuale 999 non esiste.\n");
    EXPECT_EQ(eseguiCli(fattura + QStringList{"--data", "10/07/2024"}).codice, 1);   // a date without --nota
    EXPECT_EQ(eseguiCli(fattura + QStringList{"--nota"}).codice, 1);                 // a credit note without date
    QDir(cartella).removeRecursively();
}
