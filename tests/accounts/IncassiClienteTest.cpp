#include "ContiDiProva.h"
#include "IncassiCliente.h"

namespace {

class Incassi : public ContiDiProva
{
protected:
    Incassi() : incassi(dm) {}
    ~Incassi() override { incassi.Chiudi(); }

    QStringList fattureAperte()
    {
        QStringList out;
        for (int i = 0; i < dm.TblPrimaNota.recordCount(); ++i)
            out << dm.TblPrimaNota.valueAt(i, "Fattura").toString();
        return out;
    }
    QStringList incassiElencati()
    {
        QStringList out;
        Table& t = incassi.TblPrimaNota2;
        for (int i = 0; i < t.recordCount(); ++i)
            out << QStringLiteral("%1 %2 %3").arg(t.valueAt(i, "Causale").toString(),
                                                   t.valueAt(i, "Data").toDate().toString("dd/MM"))
                       .arg(t.valueAt(i, "Importo").toDouble());
        return out;
    }

    IncassiCliente incassi;
};

TEST_F(Incassi, CollectingAndUndoingAnInvoiceWalksItsWholeChain)
{
    fattura(15, 122, QDate(2024, 1, 5));
    incassi.Apri();
    ASSERT_TRUE(incassi.PuoIncassare());
    EXPECT_EQ(incassi.DomandaIncasso(), "Eseguo l'incasso della fattura n° 15 emessa il 05/01/2024?");

    incassi.Incassa(QDate(2024, 2, 10));
    EXPECT_EQ(riassunto(), (QStringList{"Fattura di vendita 0 -122 incassata", "Saldo fattura 2 122 incassata",
                                        "Saldo fattura 0 122 incassata"}));
    const auto m = ledger();
    EXPECT_EQ(m[1].altra, m[0].codice);
    EXPECT_EQ(m[2].altra, m[1].codice);
    EXPECT_EQ(m[2].rif, QDate(2024, 1, 5));
    EXPECT_FALSE(incassi.PuoIncassare());
    EXPECT_EQ(incassiElencati(), QStringList{"Saldo fattura 10/02 122"});
    EXPECT_TRUE(incassi.PuoAnnullare());

    a.prompts.answer(Answer::Yes);
    EXPECT_TRUE(incassi.AnnullaIncasso());
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Confirmation, "Eseguo il ripristino della fattura n° 15 del 10/02/2024?"));
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -122"});
    EXPECT_EQ(fattureAperte(), QStringList{"15"});
    EXPECT_TRUE(incassiElencati().isEmpty());

    // Without a payment method there is one collection only, and one movement to undo.
    sql("UPDATE Clienti SET Pagamento = NULL");
    dm.TblClienti.refresh();
    incassi.Incassa(QDate(2024, 2, 10));
    EXPECT_EQ(riassunto(), (QStringList{"Fattura di vendita 0 -122 incassata", "Saldo fattura 0 122 incassata"}));
    a.prompts.answer(Answer::No);
    EXPECT_FALSE(incassi.AnnullaIncasso());
    EXPECT_EQ(ledger().size(), 2);
    EXPECT_TRUE(incassi.AnnullaIncasso());
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -122"});
}

TEST_F(Incassi, TheDateFilterRestrictsBothLists)
{
    fattura(1, 100, QDate(2024, 1, 10));
    fattura(2, 200, QDate(2024, 2, 15));
    fattura(3, 300, QDate(2024, 1, 20));
    incassi.Apri();
    incassi.TrovaFattura(3);
    incassi.Incassa(QDate(2024, 2, 20));
    EXPECT_EQ(fattureAperte(), (QStringList{"1", "2"}));

    incassi.ImpostaFiltro(true, QDate(2024, 1, 1), QDate(2024, 1, 31));
    EXPECT_EQ(fattureAperte(), QStringList{"1"});
    EXPECT_TRUE(incassiElencati().isEmpty());     // collected on 20/02
    incassi.ImpostaFiltro(false, QDate(2024, 1, 1), QDate(2024, 1, 31));
    EXPECT_EQ(fattureAperte(), (QStringList{"1", "2"}));
    EXPECT_EQ(incassiElencati(), QStringList{"Saldo fattura 20/02 300"});

    // Collecting under the filter keeps it.
    incassi.ImpostaFiltro(true, QDate(2024, 1, 1), QDate(2024, 1, 31));
    incassi.Incassa(QDate(2024, 1, 31));
    EXPECT_TRUE(fattureAperte().isEmpty());
    EXPECT_EQ(incassiElencati(), QStringList{"Saldo fattura 31/01 100"});
}

TEST_F(Incassi, ACollectionOutsideTheYearOrBeforeItsInvoiceIsRefused)
{
    fattura(15, 122, QDate(2024, 1, 5));
    incassi.Apri();
    const QStringList prima = riassunto();
    EXPECT_THROW(incassi.Incassa(QDate(2025, 1, 2)), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("La data 02/01/2025 non cade nell'esercizio 2024."));
    EXPECT_THROW(incassi.Incassa(QDate(2024, 1, 4)), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("La data d'incasso (04/01/2024) precede la data della fattura (05/01/2024)."));
    EXPECT_THROW(incassi.Incassa(QDate()), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("Indicare la data d'incasso."));
    EXPECT_EQ(riassunto(), prima);
}

TEST_F(Incassi, AnInvoiceOrCollectionRemovedElsewhereIsNotWrittenAgain)
{
    fattura(15, 122, QDate(2024, 1, 5));
    fattura(16, 50, QDate(2024, 1, 6));
    incassi.Apri();
    // The direct ledger editor removed invoice 15 while this list still shows it.
    sql(QString("DELETE FROM %1 WHERE Fattura = 15").arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    EXPECT_THROW(incassi.Incassa(QDate(2024, 2, 1)), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("La fattura n° 15 non è più in prima nota: l'elenco viene aggiornato."));
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -50"});
    EXPECT_EQ(fattureAperte(), QStringList{"16"});

    incassi.Incassa(QDate(2024, 2, 1));
    sql(QString("DELETE FROM %1 WHERE Conto = 0 AND Causale = 'Saldo fattura'").arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    a.prompts.answer(Answer::Yes);
    EXPECT_THROW(incassi.AnnullaIncasso(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("L'incasso non è più in prima nota: l'elenco viene aggiornato."));
    EXPECT_EQ(ledger().size(), 2);
    EXPECT_TRUE(incassiElencati().isEmpty());
}

TEST_F(Incassi, APaymentMethodRemovedMeanwhileGetsNoMovement)
{
    fattura(15, 122, QDate(2024, 1, 5));
    incassi.Apri();
    sql("DELETE FROM ModPag WHERE Codice = 2");     // still in the table object
    incassi.Incassa(QDate(2024, 2, 1));
    EXPECT_EQ(riassunto(), (QStringList{"Fattura di vendita 0 -122 incassata", "Saldo fattura 0 122 incassata"}));
    EXPECT_EQ(ledger()[1].altra, ledger()[0].codice);
}

TEST_F(Incassi, AnInvoiceTypedByHandIsADebit)
{
    incassi.Apri();
    dm.TblPrimaNota.insert();
    incassi.PreparaFattura();
    dm.TblPrimaNota["Data"] = QDate(2024, 2, 1);
    dm.TblPrimaNota["Fattura"] = 40;
    dm.TblPrimaNota["Importo"] = 150.0;
    incassi.RegistraFattura();
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -150"});
    EXPECT_EQ(ledger()[0].cliente, miramare);
    EXPECT_EQ(fattureAperte(), QStringList{"40"});

    // Refused: no number, no amount, a date of another year. The record stays in edit.
    dm.TblPrimaNota.edit();
    dm.TblPrimaNota["Importo"] = 0.0;
    EXPECT_THROW(incassi.RegistraFattura(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("Indicare l'importo della fattura."));
    dm.TblPrimaNota["Importo"] = -70.0;
    dm.TblPrimaNota["Data"] = QDate(2023, 12, 31);
    EXPECT_THROW(incassi.RegistraFattura(), Abort);
    EXPECT_EQ(dm.TblPrimaNota.state(), DatasetState::Edit);
    incassi.AnnullaFattura();
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -150"});
    dm.TblPrimaNota.insert();
    incassi.PreparaFattura();
    dm.TblPrimaNota["Data"] = QDate(2024, 2, 1);
    dm.TblPrimaNota["Importo"] = 10.0;
    EXPECT_THROW(incassi.RegistraFattura(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("Indicare il numero della fattura."));
    incassi.AnnullaFattura();
    EXPECT_EQ(ledger().size(), 1);
}

TEST_F(Incassi, ACollectionTypedByHandCarriesItsPaymentAccountMovement)
{
    incassi.Apri();
    Table& pn2 = incassi.TblPrimaNota2;
    pn2.insert();
    incassi.PreparaIncasso();
    pn2["Causale"] = "Acconto";
    pn2["Importo"] = -80.0;
    incassi.RegistraIncasso();
    EXPECT_EQ(riassunto(), (QStringList{"Acconto 2 80 incassata", "Acconto 0 80 incassata"}));
    auto m = ledger();
    EXPECT_EQ(m[1].altra, m[0].codice);
    EXPECT_EQ(m[1].data, QDate(2024, 3, 15));
    EXPECT_TRUE(m[1].manuale);
    EXPECT_FALSE(m[0].manuale);
    EXPECT_EQ(incassiElencati(), QStringList{"Acconto 15/03 80"});
    EXPECT_FALSE(incassi.PuoAnnullare());    // removed with "Elimina" instead

    // An edit dates it today again and brings its payment movement along: no second one.
    fissaOggi(QDate(2024, 3, 20));
    pn2.edit();
    incassi.PreparaIncasso();
    pn2["Importo"] = 90.0;
    incassi.RegistraIncasso();
    EXPECT_EQ(riassunto(), (QStringList{"Acconto 2 90 incassata", "Acconto 0 90 incassata"}));
    m = ledger();
    EXPECT_EQ(m[0].data, QDate(2024, 3, 20));
    EXPECT_EQ(m[1].altra, m[0].codice);

    // The customer no longer pays by an account: the payment movement goes.
    sql("UPDATE Clienti SET Pagamento = 7");
    dm.TblClienti.refresh();
    pn2.edit();
    incassi.RegistraIncasso();
    EXPECT_EQ(riassunto(), QStringList{"Acconto 0 90 incassata"});
    EXPECT_EQ(ledger()[0].altra, 0);

    pn2.remove();
    EXPECT_TRUE(ledger().isEmpty());
}

TEST_F(Incassi, DeletingACollectionUndoesTheRestOfItsChain)
{
    fattura(15, 122, QDate(2024, 1, 5));
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 1));
    Table& pn2 = incassi.TblPrimaNota2;
    pn2.insert();
    incassi.PreparaIncasso();
    pn2["Causale"] = "Acconto";
    pn2["Importo"] = 20.0;
    incassi.RegistraIncasso();
    ASSERT_EQ(ledger().size(), 5);

    ASSERT_TRUE(pn2.locate("Causale", {"Saldo fattura"}));
    pn2.remove();
    EXPECT_EQ(riassunto(), (QStringList{"Fattura di vendita 0 -122", "Acconto 2 20 incassata", "Acconto 0 20 incassata"}));
    EXPECT_EQ(fattureAperte(), QStringList{"15"});
}

TEST_F(Incassi, OnlyCollectionsTypedByHandCanBeEdited)
{
    fattura(15, 122, QDate(2024, 1, 5));
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 1));
    a.prompts.clear();
    EXPECT_THROW(incassi.TblPrimaNota2.edit(), Abort);
    EXPECT_TRUE(a.prompts.shown().isEmpty());     // refused without a word
    EXPECT_EQ(incassi.TblPrimaNota2.state(), DatasetState::Browse);
}

TEST_F(Incassi, ACollectionBeyondWhatIsOpenOfItsInvoiceIsRefused)
{
    fattura(15, 122, QDate(2024, 1, 5));
    fattura(16, 50, QDate(2024, 1, 6));
    incassi.Apri();
    Table& pn2 = incassi.TblPrimaNota2;
    auto incasso = [&](int numero, double importo) {
        pn2.insert();
        incassi.PreparaIncasso();
        pn2["Causale"] = "Bonifico ricevuto";
        pn2["Fattura"] = numero;
        pn2["Importo"] = importo;
        incassi.RegistraIncasso();
    };
    incasso(15, 100);
    EXPECT_THROW(incasso(15, 30), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("L'importo dell'incasso (€ 30,00) supera quanto resta da incassare "
                                                "della fattura n° 15 (€ 22,00)."));
    EXPECT_EQ(pn2.state(), DatasetState::Insert);
    pn2["Importo"] = 22.0;
    incassi.RegistraIncasso();

    // Once collected there is nothing left; a number not invoiced (last year's) has no limit.
    incassi.TrovaFattura(16);
    incassi.Incassa(QDate(2024, 2, 1));
    EXPECT_THROW(incasso(16, 1), Abort);
    incassi.AnnullaIncassoManuale();
    incasso(9, 1000);
    EXPECT_EQ(ledger().size(), 2 + 2 * 2 + 2 + 2);
}

TEST_F(Incassi, AFailedWriteLeavesNoHalfOfACollection)
{
    incassi.Apri();
    // The disk refuses the customer's movement after the payment movement was written.
    sql(QString("CREATE TRIGGER %1 BEFORE INSERT ON PrimaNota WHEN NEW.Conto = 0 "
                "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END")
            .arg(dm.db.qualified(dm.TblPrimaNota.tableName()).replace("\"PrimaNota\"", "\"rifiuta\"")));
    Table& pn2 = incassi.TblPrimaNota2;
    pn2.insert();
    incassi.PreparaIncasso();
    pn2["Importo"] = 80.0;
    EXPECT_THROW(incassi.RegistraIncasso(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("Indicare la causale dell'incasso."));
    pn2["Causale"] = "Acconto";
    EXPECT_THROW(incassi.RegistraIncasso(), LavError);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(pn2.state(), DatasetState::Insert);
    EXPECT_EQ(dm.TblPrimaNota.recordCount(), 0);
}

} // namespace
