#include "ContiDiProva.h"
#include "IncassiCliente.h"
#include "MovimentiConto.h"
#include "TQRConto.h"

namespace {

// The account of "Bonifico" (payment method 2) opened as its screen opens it.
class AltriMovimenti : public ContiDiProva
{
protected:
    AltriMovimenti() : mov(dm)
    {
        dm.TblModPag.locate("Codice", {2});
        mov.Apri();
    }
    ~AltriMovimenti() override { mov.Chiudi(); }

    void movimento(int segno, const QDate& data, double importo, const QString& causale = "Versamento",
                   const QString& mastroConto = {})
    {
        mov.NuovoMovimento(segno);
        Table& pn = mov.TblPrimaNota;
        pn["Data"] = data;
        pn["Causale"] = causale;
        pn["Importo"] = importo;
        if (!mastroConto.isEmpty())
            pn["MastroConto"] = mastroConto;
        pn.post();
    }

    // The statement as the screen's "Stampa" lays it out.
    PageModel scheda(bool conFiltro = false)
    {
        PageModel pagine;
        mov.Scheda(conFiltro, [&](TQRConto& r) {
            r.prepare();
            pagine = r.pages();
        });
        return pagine;
    }

    MovimentiConto mov;
};

TEST_F(AltriMovimenti, DareAndAvereGiveTheSignOfATypedAmount)
{
    movimento(-1, QDate(2024, 2, 1), 50);
    movimento(+1, QDate(2024, 2, 2), 50);
    EXPECT_EQ(riassunto(), (QStringList{"Versamento 2 -50", "Versamento 2 50"}));
    const auto m = ledger();
    EXPECT_TRUE(m[0].manuale);
    EXPECT_EQ(m[0].cliente, 0);
    Table& pn = mov.TblPrimaNota;
    pn.first();
    EXPECT_EQ(pn["Avere"].asMoney(), Money::fromInt(50));
    EXPECT_TRUE(pn["Dare"].isNull());
    pn.next();
    EXPECT_EQ(pn["Dare"].asMoney(), Money::fromInt(50));
    EXPECT_TRUE(pn["Avere"].isNull());
}

TEST_F(AltriMovimenti, AnEditedMovementKeepsItsSideUnlessTheOtherIsChosen)
{
    movimento(-1, QDate(2024, 2, 1), 50);
    Table& pn = mov.TblPrimaNota;
    pn.edit();
    EXPECT_EQ(mov.segnoCorrente(), -1);
    pn["Importo"] = 60.0;        // typed without sign
    pn.post();
    EXPECT_EQ(ledger()[0].importo, -60.0);

    pn.edit();
    mov.NuovoMovimento(+1);      // "Dare" while changing it: the side, not a new movement
    EXPECT_EQ(pn.state(), DatasetState::Edit);
    pn.post();
    EXPECT_EQ(riassunto(), QStringList{"Versamento 2 60"});
    pn.edit();
    pn["Importo"] = 70.0;
    pn.post();
    EXPECT_EQ(ledger()[0].importo, 70.0);
}

TEST_F(AltriMovimenti, CollectionsAreListedButChangedOnlyFromTheCollectionScreen)
{
    fattura(15, 122, QDate(2024, 1, 5));
    IncassiCliente incassi(dm);
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 10));
    incassi.Chiudi();
    mov.Apri();
    Table& pn = mov.TblPrimaNota;
    ASSERT_EQ(pn.recordCount(), 1);
    EXPECT_EQ(pn["Dare"].asMoney(), Money::fromInt(122));
    a.prompts.clear();
    EXPECT_THROW(pn.edit(), Abort);
    EXPECT_THROW(pn.remove(), Abort);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_EQ(ledger().size(), 3);
}

TEST_F(AltriMovimenti, TheCounterAccountIsTypedOrTheCustomers)
{
    fattura(15, 122, QDate(2024, 1, 5));
    IncassiCliente incassi(dm);
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 10));
    incassi.Chiudi();
    const double bar = cliente({.nome = "Bar Centrale"});
    sql("UPDATE Clienti SET Mastro = 40, Conto = 7 WHERE Codice = ?", {bar});
    dm.TblClienti.refresh();
    suCliente(bar);
    fattura(3, 10, QDate(2024, 1, 6));
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 11));
    incassi.Chiudi();
    mov.Apri();
    movimento(+1, QDate(2024, 2, 12), 5, "Giroconto", "120/15");

    const PageModel p = scheda();
    EXPECT_EQ(colonna(p, "Causale"), (QStringList{"Saldo fattura", "Saldo fattura", "Giroconto"}));
    // The customer without general ledger account by its code (the 0 left blank).
    EXPECT_EQ(colonna(p, "Controp."), (QStringList{"1", "40", "/ 7", "120", "/ 15"}));

    mov.TblPrimaNota.last();
    mov.TblPrimaNota.edit();
    mov.TblPrimaNota["MastroConto"] = "conto 9";
    EXPECT_THROW(mov.TblPrimaNota.post(), Abort);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("Mastro / conto va scritto come mastro/conto, per esempio 120/15."));
    mov.TblPrimaNota.cancel();
}

TEST_F(AltriMovimenti, TheStatementRunsTheBalanceOverTheWholeAccount)
{
    movimento(+1, QDate(2024, 2, 1), 100, "Versamento contanti");
    movimento(-1, QDate(2024, 2, 5), 30, "Spese bancarie");
    PageModel p = scheda();
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.texts(0).mid(0, 6), (QStringList{"Bonifico", "Scheda contabile 15/03/2024", "pag. 1", "Conto:", "18 /", "2"}));
    EXPECT_EQ(colonna(p, "Data"), (QStringList{"01/02/2024", "05/02/2024"}));
    EXPECT_EQ(colonna(p, "Dare"), (QStringList{"100,00", "100,00"}));
    EXPECT_EQ(colonna(p, "Avere"), (QStringList{"30,00", "30,00"}));
    EXPECT_EQ(colonna(p, "Saldo"), (QStringList{"100,00", "70,00", "70,00"}));

    // The period on screen: the balance still counts what came before it.
    mov.ImpostaFiltro(true, QDate(2024, 2, 3), QDate(2024, 2, 29));
    p = scheda(true);
    EXPECT_EQ(colonna(p, "Data"), QStringList{"05/02/2024"});
    EXPECT_EQ(colonna(p, "Saldo"), (QStringList{"70,00", "70,00"}));
    EXPECT_EQ(mov.TblPrimaNota.recordCount(), 1);     // the screen's period is back
    mov.ImpostaFiltro(true, QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(scheda(true).pageCount(), 0);
}

TEST_F(AltriMovimenti, AMovementThatCannotBeRightIsRefusedAndNothingWritten)
{
    Table& pn = mov.TblPrimaNota;
    auto tenta = [&](const QDate& data, double importo) {
        mov.NuovoMovimento(+1);
        pn["Data"] = data;
        pn["Importo"] = importo;
        EXPECT_THROW(pn.post(), Abort);
        pn.cancel();
        return a.prompts.last();
    };
    EXPECT_EQ(tenta(QDate(2023, 12, 31), 10), Prompt::warning("La data 31/12/2023 non cade nell'esercizio 2024."));
    EXPECT_EQ(tenta(QDate(), 10), Prompt::warning("Indicare la data del movimento."));
    EXPECT_EQ(tenta(QDate(2024, 1, 2), 0), Prompt::warning("Indicare l'importo del movimento."));
    sql("DELETE FROM ModPag WHERE Codice = 2");
    EXPECT_EQ(tenta(QDate(2024, 1, 2), 10),
              Prompt::warning("La modalità di pagamento \"Bonifico\" non esiste più: il movimento non può essere registrato."));
    EXPECT_TRUE(ledger().isEmpty());
}

} // namespace
