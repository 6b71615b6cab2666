#include "FatturazionePeriodica.h"
#include "FattureDiProva.h"
#include "reports/TestoQt.h"
#include <QDir>

namespace {

// The run of the invoice window for June 2024, printed on 30/06/2024.
class Elaborazione : public FattureDiProva
{
protected:
    Elaborazione()
    {
        run.scelte = {.mese = 6, .giorno = 30, .anno = 2024, .dataStampa = "30/06/2024"};
        contatore(40);
    }

    QList<FatturaPeriodica> elabora(bool stampa = false, int dal = 0, int al = FatturazionePeriodica::senzaLimite)
    {
        return run.ElaboraFatture(stampa, dal, al);
    }
    static QStringList nomi(const QList<FatturaPeriodica>& f)
    {
        QStringList n;
        for (const auto& x : f)
            n << x.denominazione;
        return n;
    }

    FatturazionePeriodica run{dm};
};

} // namespace

TEST_F(Elaborazione, DueCustomersAreTakenInNameOrderAndMarked)
{
    const double mensile = cliente({.nome = "zeta Bar"});
    const double bimestrale = cliente({.nome = "Albergo Sole", .condizioni = "Bimestrale"});
    const double cinque = cliente({.nome = "Bar Luna", .condizioni = "5 mesi"});
    const double forzato = cliente({.nome = "Caffè Roma", .condizioni = "5 mesi", .forza = 1});
    const double escluso = cliente({.nome = "Hotel Escluso", .escluso = true});
    const double vuoto = cliente({.nome = "Hotel Vecchio", .escluso = QVariant()});
    const double annuale = cliente({.nome = "Pizzeria Etna", .condizioni = "Annuale"});
    sql("UPDATE Clienti SET Flag = '1' WHERE Codice = ?", {escluso});
    aggiorna();

    const auto f = elabora();
    // Letter case does not count in the order; an empty "Escluso" is not an exclusion.
    EXPECT_EQ(nomi(f), QStringList({"Albergo Sole", "Caffè Roma", "Hotel Vecchio", "Pizzeria Etna", "zeta Bar"}));
    for (double c : {mensile, bimestrale, forzato, vuoto, annuale})
        EXPECT_EQ(flag(c), "1");
    EXPECT_EQ(flag(cinque), "0");
    EXPECT_EQ(flag(escluso), "1");          // never walked
    // Without printing nobody gets a number, and the data module sees the new flags.
    EXPECT_EQ(fattura(mensile), QVariant());
    EXPECT_EQ(ultimoNumero(), 40);
    dm.TblClienti.locate("Codice", {bimestrale});
    EXPECT_EQ(dm.TblClienti["Flag"].asString(), "1");
}

TEST_F(Elaborazione, RentalsOfOneArticleMergeIntoOneLinePricedByTheFirstMet)
{
    const double c = cliente({});
    const double s1 = sede(c), s2 = sede(c);
    noleggio(s1, 1, 10, 2.5);
    noleggio(s2, 1, 4, 3.0);                 // same article at another site: summed, first price kept
    noleggio(s1, 2, 20, 0.8, 12);            // invoiced quantity instead of the rented one
    noleggio(s2, 2, 6, 0.9, 0);              // invoiced quantity 0 adds nothing
    noleggio(s1, 3, 5, 0);                   // no cost: no price
    noleggio(s1, 4, 3, 1.5);                 // articles that may not be invoiced share one empty line
    noleggio(s2, 4, 2, 9.9);
    aggiorna();

    elabora();
    EXPECT_EQ(righe(c), (QList<Riga>{{"", 0, 5.0, 1.5, true},
                                     {"Federa", 0, 12.0, 0.8, true},
                                     {"Lenzuolo matrimoniale", 0, 14.0, 2.5, true},
                                     {"Tovaglia 140x140", 0, 5.0, QVariant(), true}}));
    EXPECT_EQ(valore("SELECT DISTINCT Data FROM Fatture"), "2024-06-30");
}

TEST_F(Elaborazione, FreeLinesFollowThePricedOnesAndAreNeverMultiplied)
{
    const double c = cliente({});
    noleggio(sede(c), 1, 10, 2.5);
    rigaLibera(c, QVariant(), "Rif. ordine n. 12");
    rigaLibera(c, 2, "Lavaggio tende", 15);
    rigaLibera(c, QVariant(), "Consegna il martedì", 0);
    rigaLibera(c, 3, "Lenzuolo matrimoniale", 9);    // adds to the article's line, which stops multiplying
    aggiorna();

    elabora();
    EXPECT_EQ(righe(c), (QList<Riga>{{"Lavaggio tende", 0, 2.0, 15.0, false},
                                     {"Lenzuolo matrimoniale", 0, 13.0, 2.5, false},
                                     {"Rif. ordine n. 12", 1, QVariant(), QVariant(), false},
                                     {"Consegna il martedì", 2, QVariant(), QVariant(), false}}));
}

TEST_F(Elaborazione, EachRunReplacesTheLinesOfTheLast)
{
    const double mensile = cliente({.nome = "Bar Uno"});
    const double semestrale = cliente({.nome = "Bar Due", .condizioni = "Semestrale"});
    noleggio(sede(mensile), 1, 10, 2.5);
    noleggio(sede(semestrale), 2, 5, 1);
    aggiorna();

    elabora();
    EXPECT_EQ(righeInTutto(), 2);
    run.scelte.mese = 5;
    elabora();
    EXPECT_EQ(righeInTutto(), 1);
    EXPECT_EQ(righe(semestrale).size(), 0);
    EXPECT_EQ(flag(semestrale), "0");
}

TEST_F(Elaborazione, APageRangeNumbersOnlyTheDueCustomersWithinIt)
{
    QList<double> c;
    for (const char* nome : {"A", "B", "C", "D", "E", "F"})
        c << cliente({.nome = nome, .fattura = 7});
    cliente({.nome = "Bb", .condizioni = "Trimestrale"});       // due in June
    cliente({.nome = "Ca", .condizioni = "Quadrimestrale"});    // not due: not counted
    aggiorna();

    const auto f = elabora(true, 3, 5);
    EXPECT_EQ(nomi(f), QStringList({"Bb", "C", "D"}));
    EXPECT_EQ(f[1].numero, 42);
    EXPECT_EQ(fattura(c[2]), 42.0);
    EXPECT_EQ(fattura(c[3]), 43.0);
    EXPECT_EQ(ultimoNumero(), 43);
    EXPECT_EQ(fattura(c[0]), 7.0);
    EXPECT_EQ(fattura(c[1]), 7.0);
    EXPECT_EQ(flag(c[1]), "0");
    EXPECT_EQ(flag(c[2]), "1");
    EXPECT_EQ(flag(c[4]), "0");

    // A second printing run goes on from there.
    const auto g = elabora(true, 1, 1);
    EXPECT_EQ(g[0].numero, 44);
    EXPECT_EQ(ultimoNumero(), 44);
}

TEST_F(Elaborazione, ASingleCustomerRunLeavesTheOthersAsTheyWere)
{
    const double uno = cliente({.nome = "Bar Uno"});
    const double due = cliente({.nome = "Bar Due"});
    sql("UPDATE Clienti SET Flag = '1'");
    aggiorna();
    run.scelte.clienteSingolo = QString::number(due);

    const auto f = elabora(true);
    ASSERT_EQ(f.size(), 1);
    EXPECT_EQ(f[0].cliente, due);
    EXPECT_EQ(f[0].numero, 41);
    EXPECT_EQ(flag(uno), "1");
    EXPECT_EQ(fattura(uno), QVariant());
}

TEST_F(Elaborazione, TheCounterFileIsCreatedByTheFirstPrintOfTheYear)
{
    QFile::remove(fileContatore());
    cliente({});
    aggiorna();
    EXPECT_EQ(elabora(true)[0].numero, 1);
    EXPECT_EQ(ultimoNumero(), 1);
}

// Bad input: a message, and the files as they were.
class ElaborazioneRifiutata : public Elaborazione
{
protected:
    void SetUp() override
    {
        c = cliente({.nome = "Bar Uno", .fattura = 7});
        noleggio(sede(c), 1, 10, 2.5);
        aggiorna();
        elabora();                       // an earlier run whose lines must survive
        prima = bytesContatore();
        prompts.clear();
    }
    void rifiutata(const QString& messaggio)
    {
        EXPECT_THROW(elabora(true), Abort);
        EXPECT_EQ(prompts.last(), Prompt::error(messaggio));
        EXPECT_EQ(bytesContatore(), prima);
        EXPECT_EQ(fattura(c), 7.0);
        EXPECT_EQ(righe(c).size(), 1);
        EXPECT_EQ(flag(c), "1");
    }
    double c = 0;
    QByteArray prima;
};

TEST_F(ElaborazioneRifiutata, AnInvalidPrintDate)
{
    run.scelte.dataStampa = "31/06/2024";
    rifiutata("'31/06/2024' non è una data valida per la data di stampa.");
}

TEST_F(ElaborazioneRifiutata, AnUnknownPeriodicity)
{
    cliente({.nome = "Trattoria", .condizioni = "mensile"});
    rifiutata("Periodicità di fatturazione sconosciuta per il cliente \"Trattoria\" (mensile): scegliere la periodicità "
              "nella scheda del cliente prima di elaborare le fatture.");
    // A forced customer without any periodicity has no period either.
    sql("UPDATE Clienti SET Condizioni = NULL, Mese_Fatt = 1 WHERE Denominazione = 'Trattoria'");
    rifiutata("Periodicità di fatturazione sconosciuta per il cliente \"Trattoria\" (nessuna): scegliere la periodicità "
              "nella scheda del cliente prima di elaborare le fatture.");
}

TEST_F(ElaborazioneRifiutata, APriceOutOfMeasure)
{
    sql("UPDATE Noleggi SET Costo = 1e12");
    rifiutata("L'importo della riga \"Lenzuolo matrimoniale\" del cliente \"Bar Uno\" è fuori misura: controllare prezzo "
              "e quantità.");
}

TEST_F(ElaborazioneRifiutata, ACounterFileTooShort)
{
    QFile f(fileContatore());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x05\x00", 2);
    f.close();
    prima = bytesContatore();
    EXPECT_THROW(elabora(true), Abort);
    EXPECT_TRUE(prompts.last().text.startsWith("Il file contatore delle fatture '")) << prompts.last().text.toStdString();
    EXPECT_EQ(bytesContatore(), prima);
    EXPECT_EQ(fattura(c), 7.0);
}

TEST_F(ElaborazioneRifiutata, ACounterFileBehindTheLedger)
{
    // A counter put back (a restored copy, a lost file) would issue numbers already issued.
    sql(QString("INSERT INTO %1 (Cliente, Causale, Conto, Importo, Fattura, Data) "
                "VALUES (?, 'Fattura di vendita', 0, -10, 45, '2024-05-31')")
            .arg(dm.db.qualified(dm.TblPrimaNota.tableName())),
        {c});
    rifiutata(QString("Il file contatore delle fatture '%1' dà come ultimo numero 40, ma in prima nota c'è già la fattura "
                      "n. 45: ripristinare il file o impostare l'ultimo numero di fattura nei Parametri.")
                  .arg(QDir::toNativeSeparators(fileContatore())));
    QFile::remove(fileContatore());
    prima = bytesContatore();
    rifiutata(QString("Il file contatore delle fatture '%1' manca, ma in prima nota c'è già la fattura n. 45: ripristinare il "
                      "file o impostare l'ultimo numero di fattura nei Parametri.")
                  .arg(QDir::toNativeSeparators(fileContatore())));
    EXPECT_FALSE(QFile::exists(fileContatore()));
}
