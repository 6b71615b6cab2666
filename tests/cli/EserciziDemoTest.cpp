#include "Clock.h"
#include "ContatoreFatture.h"
#include "DatiDemo.h"
#include "DbGrid.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmPrevSaldi.h"
#include "support/TempArchive.h"
#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// A demo office on 20 May 2024: the year 2023 worked to its end, 2024 up to the April run.
class EserciziDemo : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        fissaOggi(QDate(2024, 5, 20));
        archivio = std::make_unique<TempArchive>(TempArchive::Demo{.scale = 1, .seed = 4});
        CreaEserciziDemo(archivio->cartella(), 4);
        prompts = std::make_unique<ScriptedPrompts>();
        dm = std::make_unique<TDataModule1>(*prompts, archivio->cartella());
        // As the program starts: the year proposed is today's.
        avviato = dm->Avvia();
    }
    static void TearDownTestSuite()
    {
        dm.reset();
        prompts.reset();
        archivio.reset();
        fissaOggi(QDate());
    }

    static QString pn(int anno) { return dm->db.qualified(TDataModule1::nomeLedger(anno)); }
    static qint64 n(const QString& sql)
    {
        QSqlQuery q = dm->db.exec(sql);
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    static inline std::unique_ptr<TempArchive> archivio;
    static inline std::unique_ptr<ScriptedPrompts> prompts;
    static inline std::unique_ptr<TDataModule1> dm;
    static inline bool avviato = false;
};

TEST_F(EserciziDemo, TheProgramOpensTheCurrentYearWithoutAQuestion)
{
    EXPECT_TRUE(avviato);
    EXPECT_EQ(dm->annoEsercizio(), 2024);
    EXPECT_TRUE(prompts->shown().isEmpty()) << prompts->last().text.toStdString();
    EXPECT_TRUE(QDir(archivio->percorso("2023")).exists());
}

// Each year's invoices are numbered from 1 without gaps, and its counter file goes on from the
// last of them; both years have open and settled invoices.
TEST_F(EserciziDemo, EachYearHasItsNumberedInvoicesItsCounterAndOpenAndSettledOnes)
{
    for (int anno : {2023, 2024}) {
        SCOPED_TRACE(anno);
        const QString fatture = QStringLiteral("FROM %1 WHERE Causale = 'Fattura di vendita' AND Conto = 0").arg(pn(anno));
        EXPECT_GT(n("SELECT count(*) " + fatture), 50);
        // The manual invoices printed in the year share the sequence.
        const QString numeri = QStringLiteral("(SELECT Fattura AS Numero %1 UNION ALL SELECT \"Numero fattura\" FROM Fattman "
                                              "WHERE \"Numero fattura\" IS NOT NULL AND \"Data fattura\" LIKE '%2-%')")
                                   .arg(fatture).arg(anno);
        const qint64 quante = n("SELECT count(*) FROM " + numeri);
        EXPECT_EQ(n("SELECT count(DISTINCT Numero) FROM " + numeri), quante);
        EXPECT_EQ(n("SELECT min(Numero) FROM " + numeri), 1);
        EXPECT_EQ(n("SELECT max(Numero) FROM " + numeri), quante);
        ContatoreFatture contatore(archivio->percorso(QStringLiteral("%1/fatture.dat").arg(anno)));
        EXPECT_EQ(contatore.ProssimoNumeroFattura(false), quante + 1);
        EXPECT_GT(n("SELECT count(*) " + fatture + " AND Incassata = 0"), 0);
        EXPECT_GT(n("SELECT count(*) " + fatture + " AND Incassata = 1"), quante / 2);
    }
    EXPECT_EQ(n(QStringLiteral("SELECT max(Data) > '2024-04-30' FROM %1 WHERE Causale = 'Fattura di vendita'").arg(pn(2024))), 0);
    // Some manual invoices were printed with the runs, the others wait as drafts.
    EXPECT_GT(n("SELECT count(*) FROM Fattman WHERE \"Numero fattura\" IS NOT NULL"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Fattman WHERE \"Numero fattura\" IS NULL"), 0);
}

// A settled invoice has one collection of its amount on the customer's account, made on or
// after its date and not after today; an open one has none.
TEST_F(EserciziDemo, CollectionsMatchTheirInvoicesAndNoneIsInTheFuture)
{
    for (int anno : {2023, 2024}) {
        SCOPED_TRACE(anno);
        const QString sql = QStringLiteral(
            "SELECT count(*) FROM %1 f LEFT JOIN %1 i ON i.Causale = 'Saldo fattura' AND i.Conto = 0 AND i.Fattura = f.Fattura "
            "WHERE f.Causale = 'Fattura di vendita' AND f.Conto = 0 AND ")
                                .arg(pn(anno));
        EXPECT_EQ(n(sql + "f.Incassata = 1 AND (i.Codice IS NULL OR i.Cliente <> f.Cliente OR "
                          "abs(i.Importo + f.Importo) > 0.005 OR i.Data < f.Data OR i.Data > '2024-05-20')"),
                  0);
        EXPECT_EQ(n(sql + "f.Incassata = 0 AND i.Codice IS NOT NULL"), 0);
        EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %1 WHERE Causale = 'Saldo fattura' AND Conto = 0").arg(pn(anno))),
                  n(QStringLiteral("SELECT count(*) FROM %1 WHERE Causale = 'Fattura di vendita' AND Incassata = 1").arg(pn(anno))));
    }
}

// The new year starts from what each customer owed at the end of the old one, and some of those
// balances are already paid.
TEST_F(EserciziDemo, TheCurrentYearCarriesTheBalancesOfThePreviousOne)
{
    EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %1 WHERE Causale = 'Ripresa saldi esercizio precedente'").arg(pn(2024))),
              n("SELECT count(*) FROM Clienti"));
    EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM Clienti c "
                               "LEFT JOIN %1 r ON r.Cliente = c.Codice AND r.Causale = 'Ripresa saldi esercizio precedente' "
                               "WHERE abs(coalesce(r.Importo, 1e9) - "
                               "(SELECT coalesce(sum(Importo), 0) FROM %2 p WHERE p.Cliente = c.Codice AND p.Conto = 0)) > 0.005")
                    .arg(pn(2024), pn(2023))),
              0);
    EXPECT_GT(n(QStringLiteral("SELECT count(*) FROM %1 WHERE Causale = 'Ripresa saldi esercizio precedente' AND Importo < 0")
                    .arg(pn(2024))),
              0);
    EXPECT_GT(n(QStringLiteral("SELECT count(*) FROM %1 WHERE Causale = 'Incasso saldo esercizio precedente' AND Conto = 0")
                    .arg(pn(2024))),
              0);
}

// The window of the balances carried into the year shows one for every customer.
TEST_F(EserciziDemo, TheCarriedBalancesWindowListsEveryCustomer)
{
    TFrmPrevSaldi finestra(*dm);
    finestra.show();
    EXPECT_EQ(finestra.saldi().recordCount(), n("SELECT count(*) FROM Clienti"));
    EXPECT_EQ(finestra.grdSaldi->model()->rowCount(), finestra.saldi().recordCount());
    finestra.hide();
}

// The work table of the invoice run holds the lines of the last run: the customers invoiced on
// 30 April.
TEST_F(EserciziDemo, TheInvoiceRunTableHoldsTheLastRun)
{
    EXPECT_GT(n("SELECT count(*) FROM Fatture"), 0);
    EXPECT_EQ(n("SELECT count(*) FROM Fatture WHERE Data <> '2024-04-30'"), 0);
    EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM (SELECT DISTINCT Cliente FROM Fatture EXCEPT SELECT Cliente FROM %1 "
                               "WHERE Causale = 'Fattura di vendita' AND Data = '2024-04-30')")
                    .arg(pn(2024))),
              0);
    EXPECT_GT(n("SELECT FE_Progr FROM Parametri"), 0);
}

} // namespace
