#include "ArchivioFE.h"
#include "ValidatoreFE.h"
#include <QFile>
#include <gtest/gtest.h>

// The published one-line invoice changed in one point at a time, so that it stays valid
// against the schema and fails one check of the exchange system.
class ControlliSdI : public ::testing::Test
{
protected:
    ControlliSdI()
    {
        QFile f(QStringLiteral(FATTURAPA_DIR "/samples/IT01234567890_FPR01.xml"));
        f.open(QIODevice::ReadOnly);
        base = f.readAll();
    }

    // The codes of the failed checks after the replacements, in order.
    QStringList codici(const QList<std::pair<QByteArray, QByteArray>>& cambi)
    {
        QByteArray d = base;
        for (const auto& [da, a] : cambi) {
            EXPECT_TRUE(d.contains(da)) << da.toStdString();
            d.replace(da, a);
        }
        const EsitoFE e = validatore.ValidaDati(d, d.size());
        EXPECT_NE(e.stato, EsitoFE::Stato::NonValido) << e.messaggio.toStdString();
        EXPECT_NE(e.stato, EsitoFE::Stato::NonLetto) << e.messaggio.toStdString();
        QStringList r;
        for (const QString& s : e.scarti)
            r << s.left(5);
        if (!r.isEmpty())
            ultimo = e.scarti.first();
        return r;
    }

    QByteArray base;
    QString ultimo;
    ValidatoreFE validatore{QStringLiteral(FATTURAPA_DIR)};
    const QByteArray linea = "<AliquotaIVA>22.00</AliquotaIVA>\n      </DettaglioLinee>";
    const QByteArray riepilogo = "<AliquotaIVA>22.00</AliquotaIVA>\n        <ImponibileImporto>";
};

TEST_F(ControlliSdI, TheSampleAsPublishedPasses)
{
    EXPECT_EQ(codici({}), QStringList());
}

TEST_F(ControlliSdI, TransmissionFormatRecipientCodeAndCustomer)
{
    EXPECT_EQ(codici({{"versione=\"FPR12\"", "versione=\"FPA12\""}}), QStringList{"00428"});
    EXPECT_EQ(ultimo, "00428: il formato di trasmissione FPR12 non corrisponde alla versione FPA12 del documento.");
    EXPECT_EQ(codici({{"<CodiceDestinatario>ABC1234", "<CodiceDestinatario>ABC123"}}), QStringList{"00427"});
    EXPECT_EQ(ultimo, "00427: il codice destinatario ABC123 ha 6 caratteri, ma con il formato FPR12 ne deve avere 7.");
    EXPECT_EQ(codici({{"<CodiceFiscale>09876543210</CodiceFiscale>", ""}}), QStringList{"00417"});
    EXPECT_EQ(codici({{"<Numero>123</Numero>", "<Numero>FT/A</Numero>"}}), QStringList{"00425"});
}

TEST_F(ControlliSdI, LineTotalsTaxAndTaxableAmountWithTheirTolerances)
{
    EXPECT_EQ(codici({{"<PrezzoTotale>5.00", "<PrezzoTotale>5.02"}}), QStringList{"00423"});
    EXPECT_EQ(ultimo, "00423: il prezzo totale 5.02 della linea 1 non è il prezzo unitario per la quantità (5.00), "
                      "oltre la tolleranza di 0,01.");
    EXPECT_EQ(codici({{"<PrezzoTotale>5.00", "<PrezzoTotale>5.01"}}), QStringList());
    EXPECT_EQ(codici({{"<Imposta>1.10", "<Imposta>1.12"}}), QStringList{"00421"});
    EXPECT_EQ(codici({{"<Imposta>1.10", "<Imposta>1.11"}}), QStringList());
    EXPECT_EQ(codici({{"<ImponibileImporto>5.00", "<ImponibileImporto>6.50"}, {"<Imposta>1.10", "<Imposta>1.43"}}),
              QStringList{"00422"});
    EXPECT_EQ(codici({{"<ImponibileImporto>5.00", "<ImponibileImporto>5.90"}, {"<Imposta>1.10", "<Imposta>1.30"}}),
              QStringList());
    // A discount of 10 % on the unit price counts before the quantity.
    EXPECT_EQ(codici({{"<PrezzoTotale>5.00", "<ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>10.00</Percentuale>"
                                             "</ScontoMaggiorazione><PrezzoTotale>4.50"},
                      {"<ImponibileImporto>5.00", "<ImponibileImporto>4.50"},
                      {"<Imposta>1.10", "<Imposta>0.99"}}),
              QStringList());
}

TEST_F(ControlliSdI, RatesAndNaturesOfLinesAndSummaries)
{
    EXPECT_EQ(codici({{linea, "<AliquotaIVA>0.00</AliquotaIVA>\n      </DettaglioLinee>"}}),
              QStringList({"00400", "00419", "00444", "00422"}));
    EXPECT_EQ(codici({{linea, "<AliquotaIVA>22.00</AliquotaIVA><Natura>N2.2</Natura></DettaglioLinee>"}}),
              QStringList({"00401", "00443"}));
    const QByteArray zeroN4 = "<AliquotaIVA>0.00</AliquotaIVA><Natura>N4</Natura></DettaglioLinee>";
    EXPECT_EQ(codici({{linea, zeroN4}, {riepilogo, "<AliquotaIVA>0.00</AliquotaIVA><ImponibileImporto>"},
                      {"<Imposta>1.10", "<Imposta>0.00"}}),
              QStringList({"00429", "00443", "00422"}));
    EXPECT_EQ(codici({{riepilogo, "<AliquotaIVA>22.00</AliquotaIVA><Natura>N2.2</Natura><ImponibileImporto>"}}),
              QStringList{"00430"});
    // Zero rate with its nature on both sides passes.
    EXPECT_EQ(codici({{linea, zeroN4},
                      {riepilogo, "<AliquotaIVA>0.00</AliquotaIVA><Natura>N4</Natura><ImponibileImporto>"},
                      {"<Imposta>1.10", "<Imposta>0.00"}}),
              QStringList());
}
