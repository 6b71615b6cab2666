#include "ArchivioDiProva.h"
#include "ArchivioFE.h"
#include "DatiDemo.h"
#include "SessioneFE.h"
#include "ValidatoreFE.h"
#include <gtest/gtest.h>


TEST(DemoFE, EveryDocumentOfTheDemoArchivePassesTheSchemaAndTheExchangeSystemChecks)
{
    ArchivioDiProva a(2024, ArchivioDiProva::Avviato);
    CreaDatiDemo(a.dm->db, 1, 5);
    for (Table* t : {&a.dm->TblClienti, &a.dm->TblParametri})
        t->refresh();
    a.dm->ApriFatture();
    RigheDiUnaElaborazione(a.dm->db, QDate(2024, 6, 30));
    a.dm->contatore().ProssimoNumeroFattura(false);
    a.dm->contatore().SalvaPeriodo("30", "06", "30");

    ValidatoreFE validatore(QStringLiteral(FATTURAPA_DIR));
    QStringList problemi;
    auto controlla = [&](const QStringList& nomi) {
        for (const QString& n : nomi) {
            const EsitoFE e = validatore.Valida(a.percorso(n));
            if (!e.valido())
                problemi << n + ": " + e.messaggio;
        }
    };

    SessioneFE fatture(*a.dm, SessioneFE::Schermata::Fatture);
    fatture.Mostra();
    const QStringList generate = fatture.GeneraFatture("2024");
    QSqlQuery conta = a.dm->db.exec("SELECT count(DISTINCT Cliente) FROM Fatture");
    conta.next();
    EXPECT_EQ(generate.size(), conta.value(0).toInt());
    EXPECT_GE(generate.size(), 40);
    controlla(generate);

    // A credit note on every invoice.
    SessioneFE note(*a.dm, SessioneFE::Schermata::NotaCre);
    note.Mostra();
    QSqlQuery clienti = a.dm->db.exec("SELECT DISTINCT Cliente FROM Fatture");
    int notePA = 0;
    while (clienti.next()) {
        const QStringList n = note.GeneraNoteCredito(clienti.value(0).toDouble(), "2024", QDate(2024, 7, 10));
        controlla(n);
        for (const QString& f : n)
            notePA += XmlLetto::file(a.percorso(f))["//FormatoTrasmissione"] == "FPA12";
    }
    EXPECT_GT(notePA, 0);
    EXPECT_TRUE(problemi.isEmpty()) << problemi.join("\n").toStdString();
    EXPECT_TRUE(a.prompts.shown().isEmpty()) << a.prompts.last().text.toStdString();
}
