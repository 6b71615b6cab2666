#include "Clock.h"
#include "FattureDiProva.h"
#include "FattureManuali.h"
#include "TQRFatturaMan.h"
#include "reports/TestoQt.h"
#include <QDir>

namespace {

QDate d(const char* testo)
{
    return parseDate(testo);
}

// Manual invoices of 2024 with the counter file at number 40, the last run for June ("30").
class FattureManualiTest : public FattureDiProva
{
protected:
    FattureManualiTest()
    {
        fissaOggi(QDate(2024, 7, 10));
        contatore(40, "30", "06", "30");
    }
    Table& f = dm.TblFatturaMan;
    FattureManuali manuali{dm};
    TQRFatturaMan report{dm};
};

} // namespace

TEST(CalcolaMesi, WholeMonthsHalfMonthsAndFractions)
{
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("01/01/2024"), d("31/03/2024")), 3);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("01/05/2024"), d("31/05/2024")), 1);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("10/05/2024"), d("20/05/2024")), 0.5);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("15/01/2024"), d("14/02/2024")), 1);
    EXPECT_DOUBLE_EQ(FattureManuali::CalcolaMesi(d("10/01/2024"), d("25/02/2024")), 46.0 / 30);
    // The whole months in between count, and so do the years.
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("15/01/2024"), d("14/04/2024")), 3);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("01/11/2024"), d("31/01/2025")), 3);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("15/12/2024"), d("14/01/2025")), 1);
    EXPECT_EQ(FattureManuali::CalcolaMesi(d("01/01/2024"), d("31/12/2024")), 12);
}

TEST_F(FattureManualiTest, AmountsFollowThePeriod)
{
    fatturaManuale({.data = "2024-04-30", .inizio = "2024-01-01", .fine = "2024-03-31",
                    .righe = {{2, "Noleggio biancheria", 10}, {QVariant(), "Solo prezzo", 5}, {3, "Solo quantità", QVariant()},
                              {-1, "Storno", 10}}});
    EXPECT_EQ(f["Importo 1"].asMoney(), Money::fromInt(60));
    EXPECT_TRUE(f["Importo 2"].isNull());
    EXPECT_TRUE(f["Importo 3"].isNull());
    EXPECT_EQ(f["Importo 4"].asMoney(), Money::fromInt(-30));
    EXPECT_EQ(f["Imponibile"].asMoney(), Money::fromInt(30));
    EXPECT_EQ(f["Imponibile ivato"].asMoney(), Money::fromDouble(6.6));
    EXPECT_EQ(f["Totale"].asMoney(), Money::fromDouble(36.6));
    EXPECT_EQ(f["NumFatt"].asInteger(), 41);

    // Half a month; without a period, from the 1st of the invoice's month to the last run's end.
    fatturaManuale({.data = "2024-05-20", .inizio = "2024-05-10", .fine = "2024-05-20", .righe = {{2, "Noleggio", 10}}});
    EXPECT_EQ(f["Importo 1"].asMoney(), Money::fromInt(10));
    fatturaManuale({.data = "2024-05-20", .righe = {{2, "Noleggio", 10}}});
    EXPECT_EQ(f["Importo 1"].asMoney(), Money::fromInt(40));
    EXPECT_EQ(dm.MesiPeriodo, 2);      // 01/05 to 30/06
    // An undated invoice counts one month.
    fatturaManuale({.inizio = "2024-01-01", .fine = "2024-03-31", .righe = {{2, "Noleggio", 10}}});
    EXPECT_EQ(f["Importo 1"].asMoney(), Money::fromInt(20));
}

TEST_F(FattureManualiTest, SavingFillsTheDefaultPeriod)
{
    fatturaManuale({.contratto = "2024-04-15"});
    f.edit();
    manuali.PeriodoPredefinito(f);
    EXPECT_EQ(f["DataInizioP"].asDate(), QDate(2024, 4, 1));
    EXPECT_EQ(f["DataFineP"].asDate(), QDate(2024, 4, 30));     // day 30 of the last run
    f.post();

    // Without contract date, today's month; a day the month lacks becomes its last day.
    contatore(40, "31", "05", "31");
    fatturaManuale({});
    f.edit();
    manuali.PeriodoPredefinito(f);
    EXPECT_EQ(f["DataInizioP"].asDate(), QDate(2024, 7, 1));
    EXPECT_EQ(f["DataFineP"].asDate(), QDate(2024, 7, 31));
    f.cancel();
    fissaOggi(QDate(2024, 6, 10));
    f.edit();
    manuali.PeriodoPredefinito(f);
    EXPECT_EQ(f["DataFineP"].asDate(), QDate(2024, 6, 30));
    f.cancel();

    // Without counter file the month's last day; a period that ends before it starts is refused.
    QFile::remove(fileContatore());
    fatturaManuale({.fine = "2024-03-31"});
    f.edit();
    f["DataInizioP"] = QDate(2024, 4, 1);
    EXPECT_THROW(manuali.PeriodoPredefinito(f), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("La data di fine periodo precede quella di inizio."));
    f["DataInizioP"].clear();
    f["DataFineP"].clear();
    manuali.PeriodoPredefinito(f);
    EXPECT_EQ(f["DataFineP"].asDate(), QDate(2024, 6, 30));
}

TEST_F(FattureManualiTest, TheDueDateIsTheEndOfTheNextMonth)
{
    EXPECT_EQ(FattureManuali::Scadenza(d("15/01/2024")), QDate(2024, 2, 29));
    EXPECT_EQ(FattureManuali::Scadenza(d("31/12/2024")), QDate(2025, 1, 31));
    EXPECT_EQ(FattureManuali::Scadenza(d("31/01/2025")), QDate(2025, 2, 28));
    fatturaManuale({.data = "2024-01-15"});
    f.edit();
    FattureManuali::ScadenzaPredefinita(f);
    EXPECT_EQ(f["DataScadenza"].asDate(), QDate(2024, 2, 29));
    f["Data fattura"] = QDate(2024, 3, 5);
    FattureManuali::ScadenzaPredefinita(f);
    EXPECT_EQ(f["DataScadenza"].asDate(), QDate(2024, 2, 29));    // a due date stays
    f.cancel();
}

TEST_F(FattureManualiTest, TheDuplicateCopiesNumberAndDate)
{
    const qint64 originale = fatturaManuale({.data = "2024-03-31", .numero = 12, .righe = {{2, "Noleggio", 10}}});
    prompts.answer(Answer::No);
    EXPECT_FALSE(manuali.Duplica());
    EXPECT_EQ(prompts.last(), Prompt::question(MsgType::Confirmation,
                                               "Attenzione, sto per duplicare la fattura n. 12 intestata a Comune di Rende "
                                               "Ufficio economato. Continuo?"));
    EXPECT_EQ(f.recordCount(), 1);
    EXPECT_TRUE(manuali.Duplica());
    ASSERT_EQ(f.recordCount(), 2);
    EXPECT_NE(f["Codice"].asInteger(), originale);
    EXPECT_EQ(f["Numero fattura"].asInteger(), 12);
    EXPECT_EQ(f["Data fattura"].asDate(), QDate(2024, 3, 31));
    EXPECT_EQ(f["Descrizione 1"].asString(), "Noleggio");
    EXPECT_EQ(f["Rigo_7"].asString(), "Pagamento con bonifico bancario");
}

TEST_F(FattureManualiTest, EachPrintTakesTheNextNumber)
{
    fatturaManuale({.data = "2024-03-31", .numero = 12, .inizio = "2024-03-01", .fine = "2024-03-31",
                    .righe = {{2, "Noleggio", 10}}});
    int emissioni = 0;
    auto emetti = [&](const PageModel& m) {
        ++emissioni;
        return m.pageCount() == 1;
    };
    EXPECT_EQ(manuali.Stampa(report, QDate(2024, 7, 10), emetti), 41);
    EXPECT_EQ(f["Numero fattura"].asInteger(), 41);
    EXPECT_EQ(f["Data fattura"].asDate(), QDate(2024, 7, 10));
    EXPECT_EQ(f.state(), DatasetState::Browse);
    EXPECT_EQ(manuali.Stampa(report, QDate(2024, 7, 11), emetti), 42);
    EXPECT_EQ(ultimoNumero(), 42);
    EXPECT_EQ(emissioni, 2);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 42.0);

    // A print that fails keeps its number; the next one goes on.
    EXPECT_THROW(manuali.Stampa(report, QDate(2024, 7, 12), [](const PageModel&) { return false; }), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("La stampa della fattura n. 43 non è riuscita: la fattura conserva il numero, "
                                            "una nuova stampa le darà il successivo."));
    EXPECT_EQ(f["Numero fattura"].asInteger(), 43);
}

TEST_F(FattureManualiTest, ARefusedPrintChangesNothing)
{
    fatturaManuale({.data = "2024-03-31", .numero = 12, .inizio = "2024-03-01", .fine = "2024-03-31",
                    .righe = {{2, "Noleggio", 1e12}}});
    auto nessuna = [](const PageModel&) {
        ADD_FAILURE() << "stampata";
        return true;
    };
    EXPECT_THROW(manuali.Stampa(report, QDate(2024, 7, 10), nessuna), Abort);
    EXPECT_EQ(prompts.last(), Prompt::error("L'importo della riga 1 è fuori misura: controllare prezzo e quantità."));
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 12.0);
    EXPECT_EQ(valore("SELECT \"Data fattura\" FROM Fattman"), "2024-03-31");
    EXPECT_EQ(f.state(), DatasetState::Browse);

    sql("UPDATE Fattman SET \"Prezzo unitario 1\" = 10");
    f.refresh();
    QFile c(fileContatore());
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write("\x28\x00\x02", 3);
    c.close();
    EXPECT_THROW(manuali.Stampa(report, QDate(2024, 7, 10), nessuna), Abort);
    EXPECT_TRUE(prompts.last().text.startsWith("Il file contatore delle fatture '")) << prompts.last().text.toStdString();
    EXPECT_EQ(bytesContatore(), QByteArray("\x28\x00\x02", 3));
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 12.0);
}

TEST_F(FattureManualiTest, TheInvoiceAsPrinted)
{
    fatturaManuale({.data = "2024-03-31", .numero = 12, .inizio = "2024-03-01", .fine = "2024-03-31", .millesimi = true,
                    .righe = {{2, "Noleggio biancheria", 1.2346}, {QVariant(), "Periodo di marzo", QVariant()}}});
    manuali.Anteprima(report);
    const PageModel& m = report.pages();
    ASSERT_EQ(m.pageCount(), 1);
    const QStringList t = m.texts(0);
    for (const char* testo : {"Spett.le", "Comune di Rende", "Ufficio economato", "Piazza Municipio 1", "87036 Rende (CS)",
                              "80003370781", "00339930780", "31/03/2024", "12/2024", "n°  2", "Noleggio biancheria",
                              "1,235", "€ 2,469", "Periodo di marzo", "Servizio di lavanderia",
                              "Pagamento con bonifico bancario", "€ 2,47", "22 %", "€ 0,54", "€ 3,01"})
        EXPECT_TRUE(t.contains(testo)) << testo;
    EXPECT_EQ(t.filter("Quantità").size(), 1);
    // The preview reads the next number, which makes a missing counter file.
    QFile::remove(fileContatore());
    manuali.Anteprima(report);
    EXPECT_EQ(ultimoNumero(), 0);
}
