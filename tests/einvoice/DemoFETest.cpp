#include "ArchivioDiProva.h"
#include "ArchivioFE.h"
#include "DatiDemo.h"
#include "FatturazionePeriodica.h"
#include "FattureManuali.h"
#include "SessioneFE.h"
#include "ValidatoreFE.h"
#include <gtest/gtest.h>

// Every electronic invoice and credit note of a demo archive, after the real invoice run of
// the months in which every periodicity is due, passes the schema and the exchange system.
TEST(DemoFE, EveryDocumentOfTheDemoArchivePassesTheSchemaAndTheExchangeSystemChecks)
{
    ArchivioDiProva a(2024, ArchivioDiProva::Avviato);
    CreaDatiDemo(a.dm->db, 1, 5);
    for (Table* t : {&a.dm->TblClienti, &a.dm->TblParametri, &a.dm->TblFatturaMan})
        t->refresh();
    a.dm->contatore().ProssimoNumeroFattura(false);   // the year's counter file

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
    SessioneFE note(*a.dm, SessioneFE::Schermata::NotaCre);
    fatture.Mostra();
    note.Mostra();
    int documenti = 0, pubbliche = 0;
    for (const auto& [mese, giorno] : {std::pair{5, 31}, std::pair{12, 31}}) {
        FatturazionePeriodica run(*a.dm);
        run.scelte = {mese, giorno, 2024, QStringLiteral("%1/%2/2024").arg(giorno).arg(mese, 2, 10, QChar('0')), {}};
        const QStringList generate = fatture.GeneraFatture("2024", [&] { run.ElaboraFattureElettroniche(); });
        QSqlQuery clienti = a.dm->db.exec("SELECT DISTINCT f.Cliente FROM Fatture f JOIN Clienti c ON c.Codice = f.Cliente "
                                          "WHERE c.Codice_FE IS NOT NULL AND f.Data IS NOT NULL");
        QList<double> codici;
        while (clienti.next())
            codici << clienti.value(0).toDouble();
        EXPECT_EQ(generate.size(), codici.size());
        controlla(generate);
        documenti += int(generate.size());
        for (double c : codici) {
            const QStringList n = note.GeneraNoteCredito(c, "2024", QDate(2024, mese, giorno).addDays(10));
            controlla(n);
            documenti += int(n.size());
            for (const QString& f : n)
                pubbliche += XmlLetto::file(a.percorso(f))["//FormatoTrasmissione"] == "FPA12";
        }
    }

    // Every manual invoice, and a credit note on each.
    FattureManuali manuali(*a.dm);
    SessioneFE manuale(*a.dm, SessioneFE::Schermata::FatturaMan);
    SessioneFE notaManuale(*a.dm, SessioneFE::Schermata::NotaCreMan);
    manuale.Mostra();
    notaManuale.Mostra();
    QSqlQuery codici = a.dm->db.exec("SELECT Codice FROM Fattman");
    int fattureManuali = 0, noteManuali = 0;
    while (codici.next()) {
        ASSERT_TRUE(a.dm->TblFatturaMan.locate("Codice", {codici.value(0)}));
        const QStringList f = manuale.GeneraManuale();
        const QStringList n = notaManuale.GeneraManuale(QDate(2024, 12, 31));
        controlla(f + n);
        fattureManuali += int(f.size());
        noteManuali += int(n.size());
    }
    EXPECT_GE(fattureManuali, 6);
    EXPECT_EQ(noteManuali, fattureManuali);

    EXPECT_GT(documenti, 100);
    EXPECT_GT(pubbliche, 0);
    EXPECT_TRUE(problemi.isEmpty()) << problemi.join("\n").toStdString();
    EXPECT_TRUE(a.prompts.shown().isEmpty()) << a.prompts.last().text.toStdString();
}
