#include "ArchivioDiProva.h"
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// The ledger of 2024 with one customer and the payment method 2 ("Bonifico").
class PrimaNota : public ::testing::Test
{
protected:
    PrimaNota() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm)
    {
        dm.db.exec("INSERT INTO ModPag (Codice, Descrizione, Mastro, Conto) VALUES (1, 'Rimessa diretta', 18, 1), "
                   "(2, 'Bonifico', 18, 2)");
        dm.TblModPag.refresh();
        dm.TblClienti.insert();
        dm.TblClienti["Denominazione"] = "Hotel Miramare";
        dm.TblClienti["Pagamento"] = 2;
        dm.TblClienti["Fattura"] = 15;
        dm.TblClienti.post();
        dm.CollegaPrimaNota("Cliente;Data", dm.DSClienti);
        dm.TblPrimaNota.setFilter("Conto = 0");
        dm.TblPrimaNota.setFiltered(true);
    }

    struct Mov { qint64 codice, altra; QString causale; int conto; double importo; bool incassata; QDate data, rif; double saldo; };
    QList<Mov> movimenti()
    {
        QList<Mov> out;
        QSqlQuery q = dm.db.exec(QString("SELECT Codice, CodiceAltra, Causale, Conto, Importo, Incassata, Data, DataRif, Saldo FROM %1 ORDER BY Codice")
                                     .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toInt(),
                        q.value(4).toDouble(), q.value(5).toBool(), QDate::fromString(q.value(6).toString(), Qt::ISODate),
                        QDate::fromString(q.value(7).toString(), Qt::ISODate), q.value(8).toDouble()});
        return out;
    }
    double saldoCliente()
    {
        QSqlQuery q = dm.db.exec(QString("SELECT sum(Importo) FROM %1 WHERE Conto = 0").arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
        return q.next() ? q.value(0).toDouble() : 0;
    }

    ArchivioDiProva a;
    TDataModule1& dm;
};

TEST_F(PrimaNota, AnInvoiceWithoutAutomaticCollectionIsOneOpenMovement)
{
    dm.RegistraFattura(Money::fromInt(122), QDate(2024, 1, 5));
    const auto m = movimenti();
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].causale, "Fattura di vendita");
    EXPECT_EQ(m[0].importo, -122.0);
    EXPECT_EQ(m[0].conto, 0);
    EXPECT_FALSE(m[0].incassata);
    EXPECT_EQ(dm.TblPrimaNota["Fattura"].asInteger(), 15);
    EXPECT_EQ(dm.TblPrimaNota["Dare"].asMoney(), Money::fromInt(-122));
    EXPECT_TRUE(dm.TblPrimaNota["Avere"].isNull());
}

TEST_F(PrimaNota, CollectionWritesBothAccountsPairedWithTheInvoice)
{
    dm.RegistraFattura(Money::fromInt(122), QDate(2024, 1, 5));
    dm.IncassaFattura("Conto = 0", QDate(2024, 2, 10));
    const auto m = movimenti();
    ASSERT_EQ(m.size(), 3);
    EXPECT_TRUE(m[0].incassata);
    EXPECT_EQ(m[1].causale, "Saldo fattura");
    EXPECT_EQ(m[1].conto, 2);
    EXPECT_EQ(m[1].importo, 122.0);
    EXPECT_EQ(m[1].altra, m[0].codice);
    EXPECT_EQ(m[2].conto, 0);
    EXPECT_EQ(m[2].importo, 122.0);
    EXPECT_EQ(m[2].altra, m[1].codice);
    for (int i : {1, 2}) {
        EXPECT_EQ(m[i].data, QDate(2024, 2, 10));
        EXPECT_EQ(m[i].rif, QDate(2024, 1, 5));
    }
    EXPECT_EQ(saldoCliente(), 0.0);
    // The ledger ends linked to the customer, filtered, on its first movement.
    EXPECT_EQ(dm.TblPrimaNota.master(), &dm.TblClienti);
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 2);
    EXPECT_EQ(dm.TblPrimaNota.recNo(), 1);

    dm.AnnullaIncasso(m[2].codice);
    const auto dopo = movimenti();
    ASSERT_EQ(dopo.size(), 1);
    EXPECT_FALSE(dopo[0].incassata);
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 1);
}

TEST_F(PrimaNota, WithoutPaymentMethodOnlyTheCustomerAccountIsCollected)
{
    dm.TblClienti.edit();
    dm.TblClienti["Pagamento"] = 9;
    dm.TblClienti.post();
    dm.RegistraFattura(Money::fromInt(50), QDate(2024, 3, 1));
    dm.IncassaFattura("Conto = 0", QDate(2024, 3, 1));
    auto m = movimenti();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[1].altra, m[0].codice);
    dm.AnnullaIncasso(m[1].codice);
    m = movimenti();
    ASSERT_EQ(m.size(), 1);
    EXPECT_FALSE(m[0].incassata);
}

TEST_F(PrimaNota, RunningBalancesInDateOrder)
{
    dm.RegistraFattura(Money::fromInt(100), QDate(2024, 1, 5));
    dm.IncassaFattura("Conto = 0", QDate(2024, 2, 10));
    dm.RegistraFattura(Money::fromInt(50), QDate(2024, 3, 3));
    dm.CalcolaSaldi("Conto = 0");
    QList<double> saldi;
    for (const auto& m : movimenti())
        if (m.conto == 0)
            saldi << m.saldo;
    EXPECT_EQ(saldi, (QList<double>{-100, 0, -50}));
    EXPECT_FALSE(dm.TblPrimaNota.filtered());
    EXPECT_EQ(dm.TblPrimaNota.indexFieldNames(), "Cliente;Data");
}

TEST_F(PrimaNota, NextYearCarriesEveryCustomersBalance)
{
    dm.TblClienti.insert();
    dm.TblClienti["Denominazione"] = "Bar Centrale";
    dm.TblClienti.post();
    ASSERT_TRUE(dm.TblClienti.locate("Denominazione", {"Hotel Miramare"}));
    dm.RegistraFattura(Money::fromInt(100), QDate(2024, 1, 5));
    dm.RegistraFattura(Money::fromInt(50), QDate(2024, 2, 5));
    dm.IncassaFattura("Conto = 0", QDate(2024, 2, 20));

    for (int volta = 0; volta < 2; ++volta) {
        if (volta == 1) {
            ASSERT_TRUE(dm.CambiaAnno(2024));
        }
        a.prompts.clear();
        dm.CreaAnnoSuccessivo();
        EXPECT_EQ(a.prompts.shown().first(),
                  Prompt::question(MsgType::Warning, "Questo comando azzera, se esiste, l'archivio fatture per l'anno 2025, continuo?"));
        EXPECT_EQ(a.prompts.last(), Prompt::information("Elaborazione terminata."));
        EXPECT_EQ(dm.AnnoCorrente(), "2025");
        EXPECT_EQ(dm.FileContatore(), a.percorso("2025/fatture.dat"));
        QSqlQuery q = dm.db.exec(QString("SELECT c.Denominazione, p.Importo, p.Data, p.Causale FROM %1 p JOIN Clienti c ON c.Codice = p.Cliente "
                                         "ORDER BY c.Denominazione").arg(dm.db.qualified(TDataModule1::nomeLedger(2025))));
        QStringList righe;
        while (q.next())
            righe << QString("%1 %2 %3 %4").arg(q.value(0).toString()).arg(q.value(1).toDouble()).arg(q.value(2).toString(), q.value(3).toString());
        EXPECT_EQ(righe, (QStringList{"Bar Centrale 0 2025-01-01 Ripresa saldi esercizio precedente",
                                      "Hotel Miramare -100 2025-01-01 Ripresa saldi esercizio precedente"}));
    }
    EXPECT_EQ(dm.db.recordCount(TDataModule1::nomeLedger(2024)), 4);   // the old year is untouched
}

TEST_F(PrimaNota, RefusingTheNextYearChangesNothing)
{
    a.prompts.answer(Answer::No);
    dm.CreaAnnoSuccessivo();
    EXPECT_EQ(dm.AnnoCorrente(), "2024");
    EXPECT_FALSE(QDir(a.percorso("2025")).exists());
}

} // namespace
namespace {

TEST_F(PrimaNota, APostedMovementStaysCurrentOutsideTheFilter)
{
    dm.RegistraFattura(Money::fromInt(122), QDate(2024, 1, 5));
    dm.ScollegaPrimaNota();
    dm.TblPrimaNota.append();
    dm.TblPrimaNota["Conto"] = 2;
    dm.TblPrimaNota.post();
    EXPECT_EQ(dm.TblPrimaNota["Codice"].asInteger(), 2);
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 2);    // until the rows are read again
    dm.TblPrimaNota.refresh();
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 1);
}

} // namespace
