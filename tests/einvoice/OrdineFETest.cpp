#include "ArchivioFE.h"
#include "OrdineFE.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

class OrdineFE : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file(const QByteArray& testo)
    {
        const QString p = dir.filePath(QString("ordine%1.xml").arg(++n));
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(testo);
        return p;
    }
    static QByteArray suUnaRiga(const QByteArray& id)
    {
        return "<?xml version=\"1.0\"?><Order xmlns:cbc=\"urn:cbc\"><cbc:ProfileID>urn:profilo</cbc:ProfileID><cbc:ID>" + id
               + "</cbc:ID></Order>";
    }
    int n = 0;
};

TEST_F(OrdineFE, IdentifierOnTheProfileLineGivesYearAndNumber)
{
    EXPECT_EQ(LeggiRiferimentoOrdine(file(suUnaRiga("2023000145"))).riferimento, "2023/145");
    EXPECT_EQ(LeggiRiferimentoOrdine(file(suUnaRiga(" 2023000000 "))).riferimento, "2023/0");
    // Only the first line holding the profile counts.
    const QByteArray due = suUnaRiga("2023000145") + "\n" + suUnaRiga("2024000999");
    EXPECT_EQ(LeggiRiferimentoOrdine(file(due)).riferimento, "2023/145");
}

TEST_F(OrdineFE, FilesWithOneElementPerLineAreReadAsXml)
{
    const QByteArray righe = "<?xml version=\"1.0\"?>\n<Order xmlns=\"urn:ordine\" xmlns:cbc=\"urn:cbc\">\n"
                             "  <cbc:ProfileID>urn:profilo</cbc:ProfileID>\n"
                             "  <Altro><ID>999</ID></Altro>\n"
                             "  <cbc:ID>2024000077</cbc:ID>\n</Order>\n";
    EXPECT_EQ(LeggiRiferimentoOrdine(file(righe)).riferimento, "2024/77");

    // The published UBL and Peppol orders carry the identifier 34: no year and number in it.
    for (const char* nome : {"UBL-Order-2.1-Example.xml", "Order_Example.xml"}) {
        const RiferimentoOrdine r = LeggiRiferimentoOrdine(QString(FATTURAPA_DIR "/orders/") + nome);
        EXPECT_TRUE(r.trovato) << nome;
        EXPECT_TRUE(r.riferimento.isEmpty());
        EXPECT_EQ(r.errore, "Il numero d'ordine \"34\" non è valido: dopo le quattro cifre dell'anno deve seguire un "
                            "numero intero.");
    }
}

TEST_F(OrdineFE, FilesWithoutAnOrderNumberSaySo)
{
    EXPECT_EQ(LeggiRiferimentoOrdine(file("<Order><cbc:ID>2023000145</cbc:ID></Order>")).errore,
              "Numero ordine non trovato");
    EXPECT_EQ(LeggiRiferimentoOrdine(file(suUnaRiga("2023ABC"))).errore,
              "Il numero d'ordine \"2023ABC\" non è valido: dopo le quattro cifre dell'anno deve seguire un numero "
              "intero.");
    EXPECT_TRUE(LeggiRiferimentoOrdine(dir.filePath("manca.xml")).errore.startsWith("Impossibile leggere il file"));
}

TEST_F(OrdineFE, LoadingReplacesTheContractNumberOfTheCurrentRecordAfterAsking)
{
    ArchivioFE a;
    a.cliente({.codice = 1, .numContratto = "VECCHIO"}, {});
    a.dm->TblClienti.locate("Codice", {1});
    auto numero = [&] { return a.leggi("SELECT NumContratto FROM Clienti WHERE Codice = 1").toString(); };

    a.prompts.answer(Answer::No);
    EXPECT_FALSE(CaricaNumeroOrdine(a.prompts, a.dm->TblClienti, dir.path()));
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Confirmation, "Sostituisco il numero d'ordine attuale?"));
    a.prompts.answer(Answer::Yes);
    a.prompts.answerFile("");
    EXPECT_FALSE(CaricaNumeroOrdine(a.prompts, a.dm->TblClienti, dir.path()));
    EXPECT_EQ(numero(), "VECCHIO");

    a.prompts.answer(Answer::Yes);
    a.prompts.answerFile(file(suUnaRiga("2023000145")));
    EXPECT_TRUE(CaricaNumeroOrdine(a.prompts, a.dm->TblClienti, dir.path()));
    EXPECT_EQ(numero(), "2023/145");

    // A number longer than the field is refused whole, never cut.
    a.prompts.answer(Answer::Yes);
    a.prompts.answerFile(file(suUnaRiga("2023123456789012345678")));
    EXPECT_FALSE(CaricaNumeroOrdine(a.prompts, a.dm->TblClienti, dir.path()));
    EXPECT_EQ(a.prompts.last(), Prompt::error("Il numero d'ordine 2023/123456789012345678 è lungo 23 caratteri, ma il "
                                              "numero del contratto ne può contenere al massimo 20: non è stato caricato."));
    EXPECT_EQ(numero(), "2023/145");

    a.prompts.answer(Answer::Yes);
    a.prompts.answerFile(file("<Order/>"));
    EXPECT_FALSE(CaricaNumeroOrdine(a.prompts, a.dm->TblClienti, dir.path()));
    EXPECT_EQ(a.prompts.last(), Prompt::error("Numero ordine non trovato"));

    // The manual invoices have the same button.
    const int codice = a.manuale({});
    a.prompts.answer(Answer::Yes);
    a.prompts.answerFile(file(suUnaRiga("2024000009")));
    EXPECT_TRUE(CaricaNumeroOrdine(a.prompts, a.dm->TblFatturaMan, dir.path()));
    EXPECT_EQ(a.leggi("SELECT NumContratto FROM Fattman WHERE Codice = ?", {codice}).toString(), "2024/9");
}
