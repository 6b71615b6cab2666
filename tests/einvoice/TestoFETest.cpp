#include "TestoFE.h"
#include <gtest/gtest.h>

using namespace TestoFE;

TEST(TestoFE, AmountsRoundHalvesAwayFromZeroFromTheirDecimalValue)
{
    // Floats go through 18 significant digits: the double nearest to 2.675 is below it.
    EXPECT_EQ(Importo(10.125, 2), "10.13");
    EXPECT_EQ(Importo(2.675, 2), "2.67");
    EXPECT_EQ(Importo(-10.125, 2), "-10.13");
    EXPECT_EQ(Importo(0.004, 2), "0.00");
    EXPECT_EQ(Importo(-0.004, 2), "0.00");
    EXPECT_EQ(Importo(999.995, 2), "1000.00");
    EXPECT_EQ(Importo(0.0005, 3), "0.001");
    EXPECT_EQ(Importo(1234567.891, 3), "1234567.891");
    // Currency amounts round from their exact four decimals.
    EXPECT_EQ(Importo(Money::fromUnits(26750), 2), "2.68");
    EXPECT_EQ(Importo(Money::fromUnits(-26750), 2), "-2.68");
    EXPECT_EQ(Importo(Money::fromUnits(12346), 4), "1.2346");
    EXPECT_EQ(Importo(Money::fromUnits(50000000), 2), "5000.00");
}

TEST(TestoFE, CountersDatesAndQuantities)
{
    EXPECT_EQ(Progressivo(7), "00007");
    EXPECT_EQ(Progressivo(123456), "123456");
    EXPECT_EQ(Data(QDate(2024, 3, 5)), "2024-03-05");
    EXPECT_EQ(Data({}), "--");
    EXPECT_EQ(DataDaTesto("05/03/2024"), "2024-03-05");
    EXPECT_EQ(Quantita(15), "15.00");
    EXPECT_EQ(Quantita(4.0 * 16 / 30), "2.13333333");
    EXPECT_EQ(Quantita(1.5), "1.50");
    EXPECT_EQ(Intero(2.5), 2);
    EXPECT_EQ(Intero(3.5), 4);
    EXPECT_EQ(DecimaliNecessari(Money::fromUnits(12350), 2), 3);
    EXPECT_EQ(DecimaliNecessari(Money::fromUnits(12346), 2), 4);
    EXPECT_EQ(DecimaliNecessari(Money::fromUnits(12300), 3), 3);
}

TEST(TestoFE, TownTextSplitsIntoPostcodeTownAndProvince)
{
    auto roma = DividiComune("00184 Roma (RM)");
    EXPECT_EQ(roma.cap, "00184");
    EXPECT_EQ(roma.comune, "Roma");
    EXPECT_EQ(roma.provincia, "RM");
    auto milano = DividiComune("20121 Milano");
    EXPECT_EQ(milano.comune, "Milano");
    EXPECT_EQ(milano.provincia, "CS");
    // Without a postcode the first five characters are taken for one.
    auto senza = DividiComune("Cosenza (CS)");
    EXPECT_EQ(senza.cap, "Cosen");
    EXPECT_EQ(senza.comune, "za");
    // At most 24 characters of town without a province.
    EXPECT_EQ(DividiComune("87100 San Giovanni in Fiore di Calabria").comune, "San Giovanni in Fiore d");
}

TEST(TestoFE, TenderCodeFollowsTheColonAfterCig)
{
    bool trovato = false;
    EXPECT_EQ(CercaCIG("Determina 12/2024 - CIG: Z0123456789", &trovato), "Z0123456789");
    EXPECT_TRUE(trovato);
    EXPECT_EQ(CercaCIG("CIG: Z012345678 Determina", &trovato), "Z012345678 Determina");
    EXPECT_EQ(CercaCIG("CIG Z012345678", &trovato), "");
    EXPECT_FALSE(trovato);
    EXPECT_EQ(CercaCIG("Pagamento: bonifico", &trovato), "");
    EXPECT_FALSE(trovato);
    // The colon must come after the word, not before it.
    CercaCIG("Nota: CIG Z012345678", &trovato);
    EXPECT_FALSE(trovato);
}

TEST(TestoFE, TypographicPunctuationBecomesLatin)
{
    EXPECT_EQ(Latino(QString::fromUtf8("L\u2019Oasi \u201Cda Gino\u201D \u2013 20\u20AC\u2026")),
              "L'Oasi \"da Gino\" - 20EUR...");
    EXPECT_EQ(Latino(QString::fromUtf8("Caff\u00e8\x01")), QString::fromUtf8("Caff\u00e8"));
}
