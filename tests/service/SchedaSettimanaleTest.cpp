#include "PianificazioneSettimanale.h"
#include "ServiziDiProva.h"
#include "StampaServizi.h"
#include "TQRIntervento.h"
#include "TQRSchedaSettimanale.h"
#include <gtest/gtest.h>

namespace {

const QVariant si = true, no = false, grigio = QVariant();

// A route with its sites planned into SSS.DB and printed on the weekly sheet.
class SchedaSettimanale : public ServiziDiProva
{
protected:
    QStringList piano(int iter, LayoutScheda layout = LayoutScheda::Corrente)
    {
        PianificazioneSettimanale::Pianifica(dm.db, iter, layout);
        return righe("SELECT Settimana, Giorno, Cliente, Gruppo, CodSede, Indirizzo FROM SSS "
                     "ORDER BY Settimana, Giorno, Cliente, Gruppo, CodCliente");
    }

    const PageModel& stampa(int iter, LayoutScheda layout, const QDate& riferimento = QDate(2024, 1, 10))
    {
        TQRSchedaSettimanale& r = servizi.Prepara(iter, layout, riferimento);
        r.prepare();
        return r.pages();
    }

    StampaServizi servizi{dm};
};

} // namespace

TEST(SettimaneDellaScheda, WeekOneStartsOnTheFirstMondayAfterTheReferenceDate)
{
    using PianificazioneSettimanale::Lunedi;
    EXPECT_EQ(Lunedi(QDate(2024, 1, 10), 1), QDate(2024, 1, 15));    // a Wednesday
    EXPECT_EQ(Lunedi(QDate(2024, 1, 10), 2), QDate(2024, 1, 22));
    EXPECT_EQ(Lunedi(QDate(2024, 1, 14), 1), QDate(2024, 1, 15));    // a Sunday
    EXPECT_EQ(Lunedi(QDate(2024, 1, 15), 1), QDate(2024, 1, 22));    // a Monday: the next one
    EXPECT_EQ(Lunedi(QDate(2024, 1, 13), 1), QDate(2024, 1, 15));    // a Saturday
    EXPECT_EQ(Lunedi(QDate(2024, 12, 30), 1), QDate(2025, 1, 6));     // across the year
}

TEST_F(SchedaSettimanale, AStopGetsOneLinePerDayWhateverNumberOfItsSitesIsOnTheRoute)
{
    const int g = giro("Cosenza centro");
    const double c = cliente();
    const double s1 = sede({.cliente = c, .indirizzo = "Via Roma 1", .iter = g});
    const double s2 = sede({.cliente = c, .indirizzo = "Via Roma 2", .iter = g, .gruppo = 1});   // joins s1
    const double s3 = sede({.cliente = c, .indirizzo = "Via Lecce 3", .iter = g});               // its own group
    intervento(s2, 1, {si, no, no, no, no, no});
    intervento(s1, 1, {si, no, si, no, no, no});
    intervento(s3, 1, {si, no, no, no, no, no});

    // The joined stop carries the address of its lower site code, though s2's days came first.
    EXPECT_EQ(piano(g), QStringList({"1 | 1 | Hotel Miramare S.r.l. | 1 | 1 | Via Roma 1",
                                     "1 | 1 | Hotel Miramare S.r.l. | 3 | 3 | Via Lecce 3",
                                     "1 | 3 | Hotel Miramare S.r.l. | 1 | 1 | Via Roma 1"}));
}

TEST_F(SchedaSettimanale, GreyDaysCountUncheckedOnesDoNotAndEveryWeekIsPlanned)
{
    const int g = giro("Rende");
    const double c = cliente({.nome = "Bar Sport", .nome2 = ""});
    const double s = sede({.cliente = c, .iter = g});
    intervento(s, 1, {no, grigio, no, no, si, no});
    intervento(s, 2, {no, no, no, si, no, no});
    intervento(s, 3, {no, no, no, no, no, no});                  // nothing at all

    EXPECT_EQ(piano(g), QStringList({"1 | 2 | Bar Sport  | 1 | 1 | Via Popilia 5", "1 | 5 | Bar Sport  | 1 | 1 | Via Popilia 5",
                                     "2 | 4 | Bar Sport  | 1 | 1 | Via Popilia 5"}));
}

TEST_F(SchedaSettimanale, OnlyTheRoutesOwnSitesOfExistingCustomersArePlannedAndAPlanReplacesTheLast)
{
    const int g1 = giro("Nord"), g2 = giro("Sud");
    const double c = cliente();
    intervento(sede({.cliente = c, .indirizzo = "A", .iter = g1}), 1, {si, no, no, no, no, no});
    intervento(sede({.cliente = c, .indirizzo = "B", .iter = g2}), 1, {no, si, no, no, no, no});
    intervento(sede({.cliente = 99, .indirizzo = "Senza cliente", .iter = g1}), 1, {si, si, si, si, si, si});

    EXPECT_EQ(piano(g1).size(), 1);
    EXPECT_EQ(piano(g2), QStringList({"1 | 2 | Hotel Miramare S.r.l. | 2 | 2 | B"}));
    EXPECT_TRUE(piano(giro("Vuoto")).isEmpty());
}

TEST_F(SchedaSettimanale, TheCurrentLayoutCarriesTheSheetReferenceAndTheOldOneHasNoSuchField)
{
    const int g = giro("Nord");
    intervento(sede({.cliente = cliente(), .iter = g}), 1, {si, no, no, no, no, no});
    intervento(sede({.cliente = cliente({.nome = "Bar", .scheda = QVariant(), .indiceRev = QVariant(), .dataRev = QVariant()}),
                     .iter = g}),
               1, {si, no, no, no, no, no});

    PianificazioneSettimanale::Pianifica(dm.db, g, LayoutScheda::Corrente);
    EXPECT_EQ(righe("SELECT Scheda FROM SSS ORDER BY Cliente"),
              QStringList({"Scheda:  - Rev:  del ", "Scheda: 7 - Rev: 2 del 01/03/2024"}));
    PianificazioneSettimanale::Pianifica(dm.db, g, LayoutScheda::Vecchia);
    EXPECT_EQ(dm.db.readDef("SSS").fieldIndex("Scheda"), -1);
    EXPECT_EQ(dm.db.recordCount("SSS"), 2);
}

TEST_F(SchedaSettimanale, EachPlannedDayPrintsOnItsOwnPagesWithItsDatesAndSignatureLine)
{
    const int g = giro("Cosenza centro", "Rossi Mario");
    const double c = cliente();
    intervento(sede({.cliente = c, .indirizzo = "Via Roma 1", .iter = g}), 1, {no, no, no, no, si, no});
    intervento(sede({.cliente = c, .indirizzo = "Via Roma 2", .iter = g, .indirizzoGruppo = "Piazza Kennedy"}), 2,
               {no, no, no, si, no, no});

    const PageModel& m = stampa(g, LayoutScheda::Corrente);
    ASSERT_EQ(m.pageCount(), 2);
    const QStringList p1 = m.texts(0), p2 = m.texts(1);
    EXPECT_TRUE(p1.contains("Venerdì"));
    EXPECT_TRUE(p1.contains("Settimana  1"));
    EXPECT_TRUE(p1.contains("Dal  15/01/2024"));
    EXPECT_TRUE(p1.contains("Al  20/01/2024"));
    EXPECT_TRUE(p1.contains("Cosenza centro"));
    EXPECT_TRUE(p1.contains("Rossi Mario"));
    EXPECT_TRUE(p1.contains("Hotel Miramare S.r.l. Via Roma 1 Rende"));
    EXPECT_TRUE(p1.contains("Scheda: 7 - Rev: 2 del 01/03/2024"));
    EXPECT_TRUE(p1.contains("SSS/02/03-15-05-15"));
    EXPECT_TRUE(p1.contains("Pagina 1 di 2"));

    EXPECT_TRUE(p2.contains("Giovedì"));
    EXPECT_TRUE(p2.contains("Settimana  2"));
    EXPECT_TRUE(p2.contains("Dal  22/01/2024"));
    EXPECT_TRUE(p2.contains("Al  27/01/2024"));
    EXPECT_TRUE(p2.contains("Hotel Miramare S.r.l. Piazza Kennedy Rende"));   // the group's address
    EXPECT_TRUE(p2.contains("Pagina 2 di 2"));
    for (const QStringList& p : {p1, p2})
        EXPECT_EQ(p.filter("Firma per attestazione attività giornaliera:").size(), 1);
}

TEST_F(SchedaSettimanale, AStopsDayRunningOverAPageKeepsItsHeadingsAndTheNextDayStartsAfresh)
{
    const int g = giro("Lungo");
    for (int i = 0; i < 40; ++i)
        intervento(sede({.cliente = cliente({.nome = QString("Cliente %1").arg(i, 2, 10, QChar('0'))}), .iter = g}), 1,
                   {si, si, no, no, no, no});
    const PageModel& m = stampa(g, LayoutScheda::Corrente, QDate(2024, 1, 15));
    ASSERT_GT(m.pageCount(), 2);
    int lunedi = 0, martedi = 0;
    for (int p = 0; p < m.pageCount(); ++p) {
        const QStringList t = m.texts(p);
        EXPECT_TRUE(t.contains("Pianificazione e requisiti del servizio")) << p;
        EXPECT_TRUE(t.contains(QString("Pagina %1 di %2").arg(p + 1).arg(m.pageCount())));
        EXPECT_TRUE(t.contains("Dal  22/01/2024"));
        lunedi += t.contains("Lunedì");
        martedi += t.contains("Martedì");
        EXPECT_FALSE(t.contains("Lunedì") && t.contains("Martedì")) << p;
    }
    EXPECT_EQ(lunedi + martedi, m.pageCount());
    EXPECT_GE(lunedi, 1);
    EXPECT_GE(martedi, 1);
}

TEST_F(SchedaSettimanale, TheOldLayoutListsTheArticlesAtTheCustomerOfTheWholeGroup)
{
    const int g = giro("Nord");
    const double c = cliente();
    const double s1 = sede({.cliente = c, .indirizzo = "Via Roma 1", .iter = g});
    const double s2 = sede({.cliente = c, .indirizzo = "Via Roma 2", .iter = 0, .gruppo = 1});   // same stop, other route
    const double s3 = sede({.cliente = c, .indirizzo = "Via Lecce 3"});                         // another group
    const double lenzuolo = articolo("Lenzuolo", "Cotone"), federa = articolo("Federa", "Cotone");
    noleggio(s1, lenzuolo, 10, 2);
    noleggio(s2, lenzuolo, 5, 0);
    noleggio(s2, federa, 4, 4);
    noleggio(s3, federa, 30, 0);
    intervento(s1, 1, {si, no, no, no, no, no});

    const PageModel& m = stampa(g, LayoutScheda::Vecchia);
    const QStringList t = testi(m);
    const int lenz = int(t.indexOf("Lenzuolo Cotone")), fed = int(t.indexOf("Federa Cotone"));
    ASSERT_GE(lenz, 0);
    ASSERT_GE(fed, 0);
    EXPECT_EQ(t.value(lenz + 1), "13");       // 10 - 2 + 5
    EXPECT_EQ(t.value(fed + 1), "0");         // 4 placed, 4 pending
    EXPECT_FALSE(t.contains("30"));
    EXPECT_TRUE(t.contains("SSS/02/02-28-01-06"));
    EXPECT_TRUE(t.filter("Scheda:").isEmpty());
}

TEST_F(SchedaSettimanale, AnEmptyRoutePrintsNothingAndARouteWithoutAgentAnEmptyAgentLine)
{
    EXPECT_EQ(stampa(giro("Vuoto"), LayoutScheda::Corrente).pageCount(), 0);

    const int g = giro("Senza agente");
    intervento(sede({.cliente = cliente(), .iter = g}), 1, {si, no, no, no, no, no});
    const PageModel& m = stampa(g, LayoutScheda::Corrente);
    ASSERT_EQ(m.pageCount(), 1);
    const QStringList t = m.texts(0);
    ASSERT_GE(t.indexOf("Senza agente"), 0);
    EXPECT_EQ(t.value(t.indexOf("Senza agente") + 1), "");
}

TEST_F(SchedaSettimanale, AnUnknownRouteIsRefused)
{
    EXPECT_THROW(servizi.Prepara(42, LayoutScheda::Corrente, QDate(2024, 1, 10)), LavError);
}

TEST_F(SchedaSettimanale, TheBlankInterventionSheetListsEveryArticleByDescription)
{
    TQRIntervento r(dm);
    EXPECT_EQ(r.prepare(), 0);                             // no article, nothing printed

    articolo("Lenzuolo", "Cotone");
    articolo("Asciugamano", "Spugna", false);
    aggiorna();
    r.stampatoIl = QDateTime(QDate(2024, 3, 5), QTime(9, 30, 15));
    ASSERT_EQ(r.prepare(), 1);
    const QStringList t = r.pages().texts(0);
    EXPECT_EQ(t.mid(0, 2), QStringList({"Scheda d'intervento stampata il 05/03/2024 09:30:15", "Data: ______________"}));
    EXPECT_TRUE(t.contains("Agente:"));
    EXPECT_TRUE(t.contains("Cliente:"));
    EXPECT_TRUE(t.contains("Indirizzo:"));
    EXPECT_EQ(t.mid(t.indexOf("Quantità") + 1), QStringList({"Asciugamano", "Spugna", "Lenzuolo", "Cotone"}));
}
