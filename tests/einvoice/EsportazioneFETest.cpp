#include "ArchivioFE.h"
#include "SessioneFE.h"
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The export of the files: what is copied, what is recorded, what stays pending.
class EsportazioneFE : public ::testing::Test
{
protected:
    EsportazioneFE()
    {
        a.cliente({.codice = 1, .nome = "Albergo"}, {{"Lenzuola", 2.5, 10}});
        a.cliente({.codice = 2, .nome = "Bar"}, {{"Lenzuola", 2.5, 10}});
        a.cliente({.codice = 3, .nome = "Comune di Rende", .pa = true, .codiceFE = "UFABCD",
                   .numContratto = "1/2024", .rigo3 = "CIG: Z0123456789"},
                  {{"Lenzuola", 2.5, 10}});
        s.Mostra();
    }
    int progressivo() { return a.leggi("SELECT FE_Progr FROM Parametri").toInt(); }

    ArchivioFE a;
    SessioneFE s{*a.dm, SessioneFE::Schermata::Fatture};
    QTemporaryDir uscita;
};

TEST_F(EsportazioneFE, AFailedCopyStopsTheExportAndKeepsTheRestPending)
{
    ASSERT_EQ(s.GeneraFatture("2024").size(), 3);
    // The second file cannot take its name: a folder stands there.
    QDir(uscita.path()).mkdir("IT01234567890_00043.xml");
    EXPECT_EQ(s.Salva(uscita.path(), "01/07/2024"), QStringList{"IT01234567890_00042.xml"});
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_TRUE(a.prompts.last().text.startsWith("Impossibile copiare il file IT01234567890_00043.xml nella cartella"))
        << a.prompts.last().text.toStdString();
    EXPECT_EQ(progressivo(), 42);
    ASSERT_TRUE(s.elenco.has_value());
    EXPECT_EQ(s.elenco->size(), 2);
    // No temporary copy is left behind.
    EXPECT_EQ(QDir(uscita.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // The same "Salva..." into a good folder hands over the rest, in order.
    QTemporaryDir altra;
    EXPECT_EQ(s.Salva(altra.path(), "01/07/2024"),
              QStringList({"IT01234567890_00043.xml", "IT01234567890_00044.xml"}));
    EXPECT_EQ(progressivo(), 44);
    EXPECT_FALSE(s.elenco.has_value());
}

TEST_F(EsportazioneFE, AMissingFolderCopiesNothingAndRecordsNothing)
{
    s.GeneraFatture("2024");
    EXPECT_TRUE(s.Salva(uscita.filePath("non/esiste"), "01/07/2024").isEmpty());
    EXPECT_EQ(progressivo(), 41);
    EXPECT_TRUE(a.leggi("SELECT FE_Data FROM Parametri").isNull());
    EXPECT_TRUE(a.prompts.last().text.contains("la cartella non esiste")) << a.prompts.last().text.toStdString();
}

TEST_F(EsportazioneFE, NumbersTakenMeanwhileAreNeverHandedOverTwice)
{
    s.GeneraFatture("2024");
    // Another screen exported file 42 meanwhile.
    a.sql("UPDATE Parametri SET FE_Progr = 42");
    a.dm->TblParametri.refresh();
    EXPECT_TRUE(s.Salva(uscita.path(), "01/07/2024").isEmpty());
    EXPECT_EQ(a.prompts.last(), Prompt::error("Il progressivo 42 del file IT01234567890_00042.xml è già stato usato da "
                                              "un altro invio: generare di nuovo la fattura elettronica."));
    EXPECT_EQ(progressivo(), 42);
    // Generating again starts after it.
    EXPECT_EQ(s.GeneraFatture("2024").first(), "IT01234567890_00043.xml");
}

TEST_F(EsportazioneFE, TheProgressiveStopsAtTheLargestStoredValue)
{
    a.sql("UPDATE Parametri SET FE_Progr = 32766");
    a.dm->TblParametri.refresh();
    s.Mostra();
    EXPECT_EQ(s.GeneraFatture("2024"), QStringList{"IT01234567890_32767.xml"});
    EXPECT_EQ(a.prompts.last(), Prompt::error("Il progressivo di invio ha raggiunto 32767, il valore più alto che "
                                              "l'archivio può registrare: il file non viene generato."));
    EXPECT_EQ(s.Salva(uscita.path(), "01/07/2024").size(), 1);
    EXPECT_EQ(progressivo(), 32767);
}

TEST_F(EsportazioneFE, OnlyPublicBodiesWhenAskedAndNeverCustomersWithoutRecipientCode)
{
    a.cliente({.codice = 4, .nome = "Senza codice", .codiceFE = ""}, {{"Lenzuola", 2.5, 10}});
    EXPECT_EQ(s.GeneraFatture("2024").size(), 3);
    a.sql("UPDATE Parametri SET SoloPA = 1");
    a.dm->TblParametri.refresh();
    const QStringList f = s.GeneraFatture("2024");
    ASSERT_EQ(f.size(), 1);
    EXPECT_EQ(XmlLetto::file(a.percorso(f[0]))["//CessionarioCommittente//Denominazione"], "Comune di Rende S.r.l.");
}

TEST_F(EsportazioneFE, AnInvalidDateOfTheLastSendingIsRefusedBeforeAnyCopy)
{
    s.GeneraFatture("2024");
    EXPECT_TRUE(s.Salva(uscita.path(), "32/13/2024").isEmpty());
    EXPECT_EQ(a.prompts.last(), Prompt::error("La data dell'ultimo invio non è valida."));
    EXPECT_EQ(progressivo(), 41);
    EXPECT_TRUE(QDir(uscita.path()).isEmpty());
    // A blank date is no date.
    EXPECT_EQ(s.Salva(uscita.path(), "  /  /    ").size(), 3);
    EXPECT_TRUE(a.leggi("SELECT FE_Data FROM Parametri").isNull());
}

TEST_F(EsportazioneFE, ManualInvoiceRegeneratesTheSameFileUntilExported)
{
    a.dm->ricalcolaMesiPeriodo = [this](Dataset&) { a.dm->MesiPeriodo = 1; };
    a.manuale({});
    SessioneFE m(*a.dm, SessioneFE::Schermata::FatturaMan);
    m.Mostra();
    EXPECT_EQ(m.GeneraManuale(), QStringList{"IT01234567890_00042.xml"});
    EXPECT_EQ(m.GeneraManuale(), QStringList{"IT01234567890_00042.xml"});
    EXPECT_EQ(m.Salva(uscita.path(), "01/07/2024").size(), 1);
    EXPECT_EQ(m.GeneraManuale(), QStringList{"IT01234567890_00043.xml"});
    // The manual invoice does not touch the credit-note number.
    EXPECT_TRUE(a.leggi("SELECT NotaCre FROM Parametri").isNull());
}

TEST_F(EsportazioneFE, UndatedManualInvoiceIsRefused)
{
    a.manuale({.data = QDate()});
    SessioneFE m(*a.dm, SessioneFE::Schermata::FatturaMan);
    m.Mostra();
    EXPECT_TRUE(m.GeneraManuale().isEmpty());
    EXPECT_EQ(a.prompts.last(), Prompt::error("La fattura non ha la data: impossibile generare la fattura elettronica."));
}
