#include "ArchivioDiProva.h"
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// Drives the data module's tables as the windows do: insert, set fields, post; delete with
// scripted answers.
class Regole : public ::testing::Test
{
protected:
    Regole() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm), prompts(a.prompts) { fissaOggi(QDate(2024, 3, 15)); }

    double articolo(const QString& descrizione, double dentro)
    {
        dm.TblServizi.insert();
        dm.TblServizi["Descrizione"] = descrizione;
        dm.TblServizi["Tipo"] = "Cotone";
        dm.TblServizi["Dentro"] = dentro;
        dm.TblServizi["Fuori"] = 0.0;
        dm.TblServizi.post();
        return dm.TblServizi["Codice"].asFloat();
    }
    void cliente(const QString& nome)
    {
        dm.TblClienti.insert();
        dm.TblClienti["Denominazione"] = nome;
        dm.TblClienti["Denominazione 2"] = "S.r.l.";
        dm.TblClienti.post();
    }
    void sede(const QString& indirizzo)
    {
        dm.TblSedi.insert();
        dm.TblSedi["Indirizzo"] = indirizzo;
        dm.TblSedi["Comune"] = "87036 Rende (CS)";
        dm.TblSedi.post();
    }
    void noleggio(double art, int quantita)
    {
        dm.TblNoleggi.insert();
        dm.TblNoleggi["Codice servizio"] = art;
        dm.TblNoleggi["Quantita"] = quantita;
        dm.TblNoleggi.post();
    }
    double dentro(double art) { return scalar(QString("SELECT Dentro FROM Servizi WHERE Codice = %1").arg(art)).toDouble(); }
    double fuori(double art) { return scalar(QString("SELECT Fuori FROM Servizi WHERE Codice = %1").arg(art)).toDouble(); }
    QVariant scalar(const QString& sql)
    {
        QSqlQuery q = dm.db.exec(sql);
        return q.next() ? q.value(0) : QVariant();
    }
    struct Movimento { QString tipo; double quantita; double giacenza; QString cliente; };
    QList<Movimento> movimenti()
    {
        QList<Movimento> out;
        QSqlQuery q = dm.db.exec("SELECT \"Tipo movimento\", \"Quantità\", Giacenza, Cliente FROM Stomag ORDER BY Codice");
        while (q.next())
            out.append({q.value(0).toString(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toString()});
        return out;
    }

    ArchivioDiProva a;
    TDataModule1& dm;
    ScriptedPrompts& prompts;
};

TEST_F(Regole, CodesAreOneAboveTheHighestOfTheWholeTable)
{
    dm.TblAgenti.insert();
    EXPECT_EQ(dm.TblAgenti["Codice"].asInteger(), 1);
    dm.TblAgenti["Nominativo"] = "Rossi Mario";
    dm.TblAgenti.post();
    dm.db.exec("INSERT INTO Agenti (Codice, Nominativo) VALUES (2, 'Bianchi Luca'), (7, 'Zappia Rita')");
    dm.TblAgenti.refresh();
    dm.TblAgenti.insert();
    EXPECT_EQ(dm.TblAgenti["Codice"].asInteger(), 8);
    dm.TblAgenti["Nominativo"] = "Caruso Anna";
    dm.TblAgenti.post();
    // Shown by name before and after.
    QStringList nomi;
    for (int i = 0; i < dm.TblAgenti.recordCount(); ++i)
        nomi << dm.TblAgenti.valueAt(i, "Nominativo").toString();
    EXPECT_EQ(nomi, (QStringList{"Bianchi Luca", "Caruso Anna", "Rossi Mario", "Zappia Rita"}));
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "Caruso Anna");

    dm.TblIter.insert();
    EXPECT_EQ(dm.TblIter["Codice"].asInteger(), 1);
    dm.TblIter.cancel();
}

TEST_F(Regole, SitesTakeGroupsAndAlternatingColoursPerCustomer)
{
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    sede("Via Napoli 2");
    sede("Via Milano 3");
    QList<int> gruppi, colori;
    QSqlQuery q = dm.db.exec("SELECT Gruppo, GruppoOrg, Colore FROM Sedi ORDER BY Codice");
    while (q.next()) {
        EXPECT_EQ(q.value(0).toInt(), q.value(1).toInt());
        gruppi << q.value(0).toInt();
        colori << q.value(2).toInt();
    }
    EXPECT_EQ(gruppi, (QList<int>{1, 2, 3}));
    EXPECT_EQ(colori, (QList<int>{1, 0, 1}));

    // A second customer starts again from group 1; codes go on over the whole table.
    cliente("Clinica San Luca");
    sede("Viale Europa 10");
    EXPECT_EQ(dm.TblSedi["Gruppo"].asInteger(), 1);
    EXPECT_EQ(dm.TblSedi["Codice"].asInteger(), 4);

    dm.TblAltreInfo.insert();
    EXPECT_EQ(dm.TblAltreInfo["Progr"].asInteger(), 1);
    dm.TblAltreInfo["Descrizione"] = "Trasporto";
    dm.TblAltreInfo.post();
    dm.TblAltreInfo.insert();
    EXPECT_EQ(dm.TblAltreInfo["Progr"].asInteger(), 2);
    dm.TblAltreInfo.cancel();
    dm.TblClienti.first();   // Clinica San Luca comes first by name
    dm.TblClienti.next();
    dm.TblAltreInfo.insert();
    EXPECT_EQ(dm.TblAltreInfo["Progr"].asInteger(), 1);
}

TEST_F(Regole, PostingANewRentalPostsItsNewSiteAndCustomer)
{
    const double art = articolo("Lenzuola", 50);
    dm.TblClienti.insert();
    dm.TblClienti["Denominazione"] = "Residenza Il Faro";
    dm.TblSedi.insert();
    dm.TblSedi["Indirizzo"] = "Lungomare Sirena 14, una via piuttosto lunga";
    dm.TblSedi["Comune"] = "87032 Amantea (CS)";
    dm.TblNoleggi.insert();
    dm.TblNoleggi["Codice servizio"] = art;
    dm.TblNoleggi["Quantita"] = 4;
    dm.TblNoleggi.post();
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Browse);
    EXPECT_EQ(dm.TblSedi.state(), DatasetState::Browse);
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 1);
    // The address of the first site, cut to the customer's 30 characters.
    EXPECT_EQ(scalar("SELECT Indirizzo FROM Clienti").toString(), "Lungomare Sirena 14, una via p");
    EXPECT_EQ(scalar("SELECT Comune FROM Clienti").toString(), "87032 Amantea (CS)");
    EXPECT_EQ(dentro(art), 46);
}

TEST_F(Regole, RentalsMoveStockAndLogIt)
{
    const double lenzuola = articolo("Lenzuola", 3);
    cliente("Hotel Miramare");
    sede("Via Roma 1");

    EXPECT_THROW(noleggio(lenzuola, 5), Abort);
    EXPECT_EQ(prompts.last(), Prompt::warning("Quantità troppo alta per la giacenza attuale."));
    EXPECT_EQ(dm.TblNoleggi.state(), DatasetState::Insert);
    dm.TblNoleggi["Quantita"] = 2;
    dm.TblNoleggi.post();
    EXPECT_EQ(dentro(lenzuola), 1);

    // Raising 2 to 5 with 1 left: the 2 already placed count.
    dm.db.exec(QString("UPDATE Servizi SET Dentro = 3 WHERE Codice = %1").arg(lenzuola));
    dm.TblServizi.refresh();
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Quantita"] = 5;
    dm.TblNoleggi.post();
    EXPECT_EQ(dentro(lenzuola), 0);
    EXPECT_EQ(fuori(lenzuola), 5);
    EXPECT_EQ(movimenti().last().tipo, "Uscita");
    EXPECT_EQ(movimenti().last().quantita, 3);
    EXPECT_EQ(movimenti().last().cliente, "Hotel Miramare S.r.l.");

    // Lowering 5 to 2 returns 3; changing other fields moves nothing.
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Quantita"] = 2;
    dm.TblNoleggi.post();
    EXPECT_EQ(movimenti().last().tipo, "Entrata");
    EXPECT_EQ(movimenti().last().quantita, 3);
    EXPECT_EQ(dentro(lenzuola), 3);
    const int logged = movimenti().size();
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Reparto"] = "Piano terra";
    dm.TblNoleggi.post();
    EXPECT_EQ(movimenti().size(), logged);
    EXPECT_EQ(dentro(lenzuola), 3);
}

TEST_F(Regole, ChangingTheArticleReturnsOneAndTakesTheOther)
{
    const double a1 = articolo("Asciugamani", 10);
    const double b = articolo("Federe", 3);
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    noleggio(a1, 4);

    dm.TblNoleggi.edit();
    dm.TblNoleggi["Codice servizio"] = b;
    EXPECT_THROW(dm.TblNoleggi.post(), Abort);
    EXPECT_EQ(prompts.last(), Prompt::warning("Quantità troppo alta per la giacenza attuale."));
    EXPECT_EQ(dentro(a1), 6);

    dm.db.exec(QString("UPDATE Servizi SET Dentro = 4 WHERE Codice = %1").arg(b));
    dm.TblServizi.refresh();
    dm.TblNoleggi.post();
    EXPECT_EQ(dentro(a1), 10);
    EXPECT_EQ(fuori(a1), 0);
    EXPECT_EQ(dentro(b), 0);
    EXPECT_EQ(fuori(b), 4);
    const auto log = movimenti();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[log.size() - 2].tipo, "Entrata");
    EXPECT_EQ(log[log.size() - 2].quantita, 4);
    EXPECT_EQ(log.last().tipo, "Uscita");
    EXPECT_EQ(log.last().quantita, 4);
}

TEST_F(Regole, ASecondRowForTheSameArticleIsRefusedAndStaysInEdit)
{
    const double art = articolo("Tovaglie", 20);
    cliente("Trattoria Da Gino");
    sede("Corso Mazzini 5");
    noleggio(art, 2);
    EXPECT_THROW(noleggio(art, 3), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("Errore in registrazione!"));
    EXPECT_EQ(dm.TblNoleggi.state(), DatasetState::Insert);
    EXPECT_EQ(dentro(art), 18);
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 1);
}

TEST_F(Regole, DeletingACustomerTakesSitesAndRentalsAndCanBeUndone)
{
    const double a1 = articolo("Lenzuola", 20), a2 = articolo("Federe", 20);
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    noleggio(a1, 2);
    noleggio(a2, 3);
    sede("Via Napoli 2");
    noleggio(a1, 4);
    dm.TblInterventi.insert();
    dm.TblInterventi["Lunedi"] = true;
    dm.TblInterventi.post();
    const int logged = movimenti().size();
    prompts.clear();

    prompts.answer(Answer::Cancel);
    EXPECT_THROW(dm.TblClienti.remove(), Abort);
    EXPECT_EQ(scalar("SELECT count(*) FROM Sedi").toInt(), 2);

    prompts.clear();
    dm.TblClienti.remove();
    EXPECT_EQ(prompts.shown(), QList<Prompt>{Prompt::confirmation("Elimino il cliente con sedi e noleggi?")});
    EXPECT_EQ(scalar("SELECT count(*) FROM Sedi").toInt(), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 0);
    EXPECT_EQ(scalar("SELECT count(*) FROM Interventi").toInt(), 0);
    EXPECT_EQ(dentro(a1), 20);
    EXPECT_EQ(dentro(a2), 20);
    const auto log = movimenti();
    ASSERT_EQ(log.size(), logged + 3);
    for (int i = logged; i < log.size(); ++i)
        EXPECT_EQ(log[i].tipo, "Entrata");
    EXPECT_TRUE(dm.db.inTransaction());

    dm.AnnullaModifiche(dm.TblClienti);
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_EQ(scalar("SELECT count(*) FROM Clienti").toInt(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Sedi").toInt(), 2);
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 3);
    EXPECT_EQ(dentro(a1), 14);
    EXPECT_EQ(movimenti().size(), logged);
    // The tables in memory agree with the files again.
    EXPECT_EQ(dm.TblClienti.recordCount(), 1);
    EXPECT_EQ(dm.TblSedi.recordCount(), 2);
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {a1}));
    EXPECT_EQ(dm.TblServizi["Dentro"].asFloat(), 14);
}

TEST_F(Regole, ArticlesLeaveOnlyWhenAllStockIsBack)
{
    const double art = articolo("Divise", 12);
    cliente("Officina Meccanica Sud");
    sede("Zona Industriale");
    noleggio(art, 2);
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {art}));
    EXPECT_THROW(dm.TblServizi.remove(), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("L'eliminazione è possibile solo quando tutta la merce è rientrata in magazzino."));
    EXPECT_EQ(scalar("SELECT count(*) FROM Servizi").toInt(), 1);

    prompts.answer(Answer::Ok);
    dm.TblNoleggi.remove();
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {art}));
    dm.TblServizi.remove();
    EXPECT_EQ(scalar("SELECT count(*) FROM Servizi").toInt(), 0);
    EXPECT_EQ(movimenti().last().tipo, "Rimozione");
    EXPECT_EQ(movimenti().last().quantita, 12);
    EXPECT_EQ(movimenti().last().giacenza, 0);
}

TEST_F(Regole, StockScreenAddsAndRemovesWithItsReason)
{
    const double art = articolo("Carta mani", 10);
    dm.motivoMagazzino = [] { return QStringLiteral("Inventario"); };
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {art}));
    dm.QuantitaMagazzino = 5;

    dm.TblServizi.edit();
    dm.TblServizi.tag = 2;
    dm.TblServizi.post();
    EXPECT_EQ(movimenti().last().tipo, "Rimozione");
    EXPECT_EQ(movimenti().last().giacenza, 5);
    EXPECT_EQ(dm.TblServizi.tag, 0);

    dm.TblServizi.edit();
    dm.TblServizi.tag = 1;
    dm.TblServizi.post();
    EXPECT_EQ(movimenti().last().tipo, "Acquisto");
    EXPECT_EQ(movimenti().last().giacenza, 10);

    const int logged = movimenti().size();
    dm.QuantitaMagazzino = 11;
    dm.TblServizi.edit();
    dm.TblServizi.tag = 2;
    EXPECT_THROW(dm.TblServizi.post(), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("Valore da decrementare maggiore dell'attuale giacenza."));
    dm.TblServizi.cancel();
    EXPECT_EQ(dm.TblServizi.tag, 0);
    EXPECT_EQ(dentro(art), 10);
    EXPECT_EQ(movimenti().size(), logged);
}

TEST_F(Regole, PendingQuantitiesWriteOneRowPerDateSiteAndArticle)
{
    const double art = articolo("Tovaglioli", 100);
    cliente("Ristorante Il Gabbiano");
    sede("Via del Porto 3");
    noleggio(art, 10);
    EXPECT_EQ(scalar("SELECT count(*) FROM Sospesi").toInt(), 0);

    dm.TblNoleggi.edit();
    dm.TblNoleggi["Sospesi"] = 2;
    prompts.answerDate(QStringLiteral("  /  /    "));
    dm.TblNoleggi.post();
    QSqlQuery q = dm.db.exec("SELECT Codice, Data, Quantita FROM Sospesi");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    EXPECT_TRUE(q.value(1).isNull());
    EXPECT_EQ(q.value(2).toInt(), 2);
    q.finish();
    EXPECT_EQ(dm.TblNoleggi["Qta"].asInteger(), 8);

    dm.TblNoleggi.edit();
    dm.TblNoleggi["Sospesi"] = 0;
    prompts.answerDate(std::nullopt);   // closed without OK: the row without date
    dm.TblNoleggi.post();
    EXPECT_EQ(scalar("SELECT count(*) FROM Sospesi").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Quantita FROM Sospesi").toInt(), 0);

    dm.TblNoleggi.edit();
    dm.TblNoleggi["Sospesi"] = 3;
    prompts.answerDate(QStringLiteral("20/03/2024"));
    dm.TblNoleggi.post();
    EXPECT_EQ(scalar("SELECT count(*) FROM Sospesi").toInt(), 2);
    EXPECT_EQ(scalar("SELECT Quantita FROM Sospesi WHERE Data = '2024-03-20'").toInt(), 3);
}

TEST_F(Regole, AFailureHalfWayLeavesEveryTableAsItWas)
{
    const double art = articolo("Camici", 10);
    cliente("Studio Medico Greco");
    sede("Via Popilia 7");
    const int logged = movimenti().size();
    dm.db.exec("CREATE TRIGGER guasto BEFORE INSERT ON Stomag BEGIN SELECT RAISE(ABORT, 'disco pieno'); END");
    EXPECT_THROW(noleggio(art, 4), LavError);
    dm.db.exec("DROP TRIGGER guasto");
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 0);
    EXPECT_EQ(dentro(art), 10);
    EXPECT_EQ(movimenti().size(), logged);
    EXPECT_EQ(dm.TblNoleggi.state(), DatasetState::Insert);
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {art}));
    EXPECT_EQ(dm.TblServizi["Dentro"].asFloat(), 10);
    // Once the fault is gone the same record goes through, logged once.
    dm.TblNoleggi.post();
    EXPECT_EQ(dentro(art), 6);
    EXPECT_EQ(movimenti().size(), logged + 1);
}

TEST_F(Regole, AFailedArticleChangeRetriedMovesTheStockOnce)
{
    const double a1 = articolo("Asciugamani", 10);
    const double b = articolo("Federe", 10);
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    noleggio(a1, 4);
    const int logged = movimenti().size();

    // The return to the first article goes through, the taking of the second fails.
    dm.db.exec("CREATE TRIGGER guasto BEFORE INSERT ON Stomag WHEN NEW.\"Tipo movimento\" = 'Uscita' "
               "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END");
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Codice servizio"] = b;
    EXPECT_THROW(dm.TblNoleggi.post(), LavError);
    EXPECT_EQ(dm.TblNoleggi.state(), DatasetState::Edit);
    EXPECT_EQ(dentro(a1), 6);
    EXPECT_EQ(dentro(b), 10);
    EXPECT_EQ(movimenti().size(), logged);

    dm.db.exec("DROP TRIGGER guasto");
    dm.TblNoleggi.post();
    EXPECT_EQ(dentro(a1), 10);
    EXPECT_EQ(fuori(a1), 0);
    EXPECT_EQ(dentro(b), 6);
    EXPECT_EQ(fuori(b), 4);
    EXPECT_EQ(movimenti().size(), logged + 2);
}

TEST_F(Regole, AFailedStockIncrementRetriedAddsOnce)
{
    const double art = articolo("Lenzuola", 10);
    dm.db.exec("CREATE TRIGGER guasto BEFORE INSERT ON Stomag BEGIN SELECT RAISE(ABORT, 'disco pieno'); END");
    ASSERT_TRUE(dm.TblServizi.locate("Codice", {art}));
    dm.TblServizi.edit();
    dm.TblServizi.tag = 1;
    dm.QuantitaMagazzino = 5;
    EXPECT_THROW(dm.TblServizi.post(), LavError);
    EXPECT_EQ(dentro(art), 10);
    dm.db.exec("DROP TRIGGER guasto");
    dm.TblServizi.post();
    EXPECT_EQ(dentro(art), 15);
    EXPECT_EQ(movimenti().last().tipo, "Acquisto");
}

TEST_F(Regole, ADateTypedInThePendingDialogCountsAlsoWhenItIsClosed)
{
    const double art = articolo("Tovaglioli", 100);
    cliente("Ristorante Il Gabbiano");
    sede("Via del Porto 3");
    noleggio(art, 10);
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Sospesi"] = 2;
    prompts.answerDateClosed(QStringLiteral("25/03/2024"));
    dm.TblNoleggi.post();
    QSqlQuery q = dm.db.exec("SELECT Data, Quantita FROM Sospesi");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "2024-03-25");
    EXPECT_EQ(q.value(1).toInt(), 2);
}

TEST_F(Regole, ACustomerChangedElsewhereIsNotDeletedAndKeepsItsSites)
{
    const double art = articolo("Lenzuola", 20);
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    noleggio(art, 2);
    dm.db.exec("UPDATE Clienti SET Note = 'cambiato in un altro programma'");
    prompts.answer(Answer::Ok);
    EXPECT_THROW(dm.TblClienti.remove(), RowConflict);
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_EQ(scalar("SELECT count(*) FROM Clienti").toInt(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Sedi").toInt(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM Noleggi").toInt(), 1);
    EXPECT_EQ(dentro(art), 18);
    EXPECT_EQ(dm.TblSedi.recordCount(), 1);
    EXPECT_FALSE(dm.cascata);
}

TEST_F(Regole, EntryRules)
{
    cliente("Hotel Miramare");
    dm.TblClienti.edit();
    dm.TblClienti["Mese_Fatt"].setText("True");
    EXPECT_EQ(dm.TblClienti["Mese_Fatt"].asInteger(), 1);
    EXPECT_EQ(dm.TblClienti["Mese_Fatt"].text(), "True");
    dm.TblClienti["Mese_Fatt"].setText("si");
    EXPECT_EQ(dm.TblClienti["Mese_Fatt"].text(), "False");
    dm.TblClienti["Data contratto"].setText("  /  /    ");
    EXPECT_TRUE(dm.TblClienti["Data contratto"].isNull());
    dm.TblClienti.post();

    const double art = articolo("Lenzuola", 10);
    sede("Via Roma 1");
    dm.TblNoleggi.insert();
    dm.TblNoleggi["Codice servizio"] = art;
    dm.TblNoleggi["Sesso"].setText("f");
    EXPECT_EQ(dm.TblNoleggi["Sesso"].asString(), "F");
    dm.TblNoleggi["Sesso"].setText("X");
    EXPECT_TRUE(dm.TblNoleggi["Sesso"].isNull());
    dm.TblNoleggi.cancel();

    dm.TblInterventi.insert();
    dm.TblInterventi["Settimana"].clear();
    dm.TblInterventi.post();
    EXPECT_EQ(scalar("SELECT Settimana FROM Interventi").toInt(), 1);
    dm.TblInterventi.edit();
    EXPECT_THROW(dm.TblInterventi["Settimana"] = 11, LavError);
}

TEST_F(Regole, WhileTheNavigatorActsTheMasterIsNotPostedForIt)
{
    const double art = articolo("Lenzuola", 50);
    cliente("Hotel Miramare");
    dm.TblSedi.insert();
    dm.TblSedi["Indirizzo"] = "Via Roma 1";
    dm.DSSedi.tag = 1;
    noleggio(art, 2);
    EXPECT_EQ(dm.TblSedi.state(), DatasetState::Insert);
    dm.DSSedi.tag = 0;
    dm.TblSedi.post();
    EXPECT_EQ(scalar("SELECT count(*) FROM Sedi").toInt(), 1);
}

TEST_F(Regole, SitesOfAnAgentWithTheirCustomers)
{
    dm.TblAgenti.insert();
    dm.TblAgenti["Nominativo"] = "Rossi Mario";
    dm.TblAgenti.post();
    cliente("Hotel Miramare");
    dm.TblClienti.edit();
    dm.TblClienti["Imponibile"] = 100.0;
    dm.TblClienti["Fattura"] = 7;
    dm.TblClienti.post();
    sede("Via Roma 1");
    dm.TblSedi.edit();
    dm.TblSedi["Codice agente"] = dm.TblAgenti["Codice"].asFloat();
    dm.TblSedi.post();
    sede("Via Napoli 2");
    dm.QuerySedi.open();
    ASSERT_EQ(dm.QuerySedi.recordCount(), 1);
    EXPECT_EQ(dm.QuerySedi["Indirizzo"].asString(), "Via Roma 1");
    EXPECT_EQ(dm.QuerySedi["Cliente"].asString(), "Hotel Miramare");
    EXPECT_EQ(dm.QuerySedi["Cliente2"].asString(), "S.r.l.");
    EXPECT_EQ(dm.QuerySedi["Fattura"].asInteger(), 7);
    EXPECT_EQ(dm.QuerySedi["Totale"].asMoney(), Money::fromInt(122));
}

TEST(MesiTraDate, CountsCalendarMonthsBothIncluded)
{
    EXPECT_EQ(TDataModule1::MesiTraDate(QDate(2020, 3, 15), QDate(2019, 11, 20)), 5);
    EXPECT_EQ(TDataModule1::MesiTraDate(QDate(2020, 1, 31), QDate(2020, 1, 1)), 1);
    EXPECT_LE(TDataModule1::MesiTraDate(QDate(2020, 1, 31), QDate(2020, 3, 1)), 0);
}

TEST_F(Regole, TotalsPerCustomerAndArticle)
{
    const double a1 = articolo("Lenzuola", 100), a2 = articolo("Federe", 100);
    cliente("Hotel Miramare");
    sede("Via Roma 1");
    noleggio(a1, 4);
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Costo"] = 1.5;
    dm.TblNoleggi["InFattura"] = 3;
    dm.TblNoleggi.post();
    noleggio(a2, 2);
    sede("Via Napoli 2");
    noleggio(a1, 5);
    dm.TblNoleggi.edit();
    dm.TblNoleggi["Costo"] = 1.75;
    dm.TblNoleggi.post();
    cliente("Bar Centrale");
    sede("Piazza Duomo");
    noleggio(a2, 1);

    dm.RicalcolaTotali();
    EXPECT_EQ(prompts.progressMax, 2);
    EXPECT_EQ(prompts.progressPos, 2);
    QSqlQuery q = dm.db.exec("SELECT c.Denominazione, t.Servizio, t.Quantita, t.Prezzo FROM Totali t "
                             "JOIN Clienti c ON c.Codice = t.Cliente ORDER BY c.Denominazione, t.Servizio");
    QStringList righe;
    while (q.next())
        righe << QString("%1 %2 %3 %4").arg(q.value(0).toString()).arg(q.value(1).toInt()).arg(q.value(2).toDouble()).arg(q.value(3).toDouble());
    EXPECT_EQ(righe, (QStringList{"Bar Centrale 2 1 0", "Hotel Miramare 1 8 1.75", "Hotel Miramare 2 2 0"}));
    EXPECT_TRUE(dm.TblTotali.active());

    ASSERT_TRUE(dm.TblClienti.locate("Denominazione", {"Hotel Miramare"}));
    EXPECT_EQ(dm.RicalcolaTotaliCliente(), 2);
    EXPECT_EQ(dm.db.recordCount("Totali"), 2);
    EXPECT_EQ(dm.TblTotali.recordCount(), 2);
    EXPECT_EQ(dm.TblTotali["DescrServ"].asString(), "Lenzuola");
}

} // namespace
