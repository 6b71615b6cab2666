#include "TQRAgenti.h"
#include "TQRClientiLst.h"
#include "TQRDatiDiProva.h"
#include "TQRDocumenti.h"
#include "TQRMDClienteSin.h"
#include "TQRMDClienti.h"
#include "TQRSchedaEstesa.h"
#include <gtest/gtest.h>

namespace {

using StampeClienti = DatiDiProva;

// Moves the customer table to a customer, as the customer screen stands on it.
void suCliente(TDataModule1& dm, double codice)
{
    dm.TblClienti.locate("Codice", {codice});
}

} // namespace

// The account statement as the customer screen's "3" prints it: the ledger linked to the
// customer, balances recomputed, filtered on the customer account.
TEST_F(StampeClienti, StatementPutsInvoicesUnderDareAndCollectionsUnderAvere)
{
    sql("INSERT INTO ModPag (Codice, Descrizione, Mastro, Conto) VALUES (1, 'Rimessa diretta', 18, 1), "
        "(2, 'Bonifico', 18, 2)");
    dm.TblModPag.refresh();
    const double c = cliente({});
    sql("UPDATE Clienti SET Fattura = 15");
    aggiorna();
    suCliente(dm, c);
    dm.CollegaPrimaNota("Cliente;Data", dm.DSClienti);
    dm.RegistraFattura(Money::fromInt(100), QDate(2024, 1, 31));
    dm.TblPrimaNota.setFilter("Conto = 0");
    dm.TblPrimaNota.setFiltered(true);
    dm.TblPrimaNota.first();
    dm.IncassaFattura("Conto = 0", QDate(2024, 2, 10));
    sql("UPDATE Clienti SET Fattura = 16");
    dm.TblClienti.refresh();
    dm.RegistraFattura(Money::fromInt(50), QDate(2024, 2, 29));
    dm.CalcolaSaldi("Conto = 0");
    dm.TblPrimaNota.setFilter("Conto = 0");
    dm.TblPrimaNota.setFiltered(true);

    TQRDocumenti r(dm);
    ASSERT_EQ(r.prepare(), 1);
    const PageModel& m = r.pages();
    const QStringList t = m.texts(0);
    EXPECT_EQ(t.mid(0, 2), QStringList({"pag. 1", "Scheda contabile"}));
    EXPECT_EQ(t.mid(2, 5), QStringList({"Cliente:", "Hotel Miramare", "S.r.l.", "Via Roma 12", "Cosenza"}));
    EXPECT_EQ(t.mid(7, 3), QStringList({"P. iva/Cod. fis.:", "01234567890", "MRARSS70A01D086X"}));

    // Invoice 15, its collection, invoice 16; the totals last.
    EXPECT_EQ(colonna(m, "Data"), QStringList({"31/01/2024", "10/02/2024", "29/02/2024"}));
    EXPECT_EQ(colonna(m, "Numero"), QStringList({"15", "16"}));
    EXPECT_EQ(colonna(m, "Causale"), QStringList({"Fattura di vendita", "Saldo fattura", "Fattura di vendita"}));
    EXPECT_EQ(colonna(m, "Rif. fattura"), QStringList({"15 -", "31/01/2024"}));
    EXPECT_EQ(colonna(m, "Dare"), QStringList({"100,00", "50,00", "150,00"}));
    EXPECT_EQ(colonna(m, "Avere"), QStringList({"100,00", "100,00"}));
    EXPECT_EQ(colonna(m, "Saldo"), QStringList({"-100,00", "-50,00", "-50,00"}));
    EXPECT_EQ(colonna(m, "Controp."), QStringList({"18 /", "2"}));
    EXPECT_EQ(m.find("Totali").size(), 1u);

    // Nothing is printed for a customer without entries.
    dm.TblPrimaNota.setFilter("Conto = 99");
    EXPECT_EQ(r.prepare(), 0);
}

TEST_F(StampeClienti, SyntheticSheetFallsBackToTheTaxCode)
{
    const double privato = cliente({.nome = "Rossi Mario", .nome2 = "", .partitaIva = "", .imponibile = 100});
    noleggio(sede(privato, "Via Popilia 5"), 1, 3, 0, 10);
    noleggio(sede(privato, "Via Popilia 7"), 1, 4, 1, 10);
    noleggio(sede(privato, "Via Popilia 7"), 3, 2, 0, 30);
    const double ditta = cliente({.nome = "Bar Centrale"});
    noleggio(sede(ditta, "Piazza Kennedy 2"), 2, 9, 0, 1);
    aggiorna();

    TQRMDClienteSin r(dm);
    auto stampa = [&](double codice) {
        dm.TblClienti.setFilter("Codice = " + QString::number(codice));
        dm.TblClienti.setFiltered(true);
        r.prepare();
        dm.TblClienti.setFiltered(false);
        return testi(r.pages());
    };
    auto valore = [](const QStringList& t, const QString& etichetta) { return t.value(t.indexOf(etichetta) + 1); };

    QStringList t = stampa(privato);
    EXPECT_EQ(t.mid(0, 2), QStringList({"Pag. 1", "SCHEDA CLIENTE SINTETICA"}));
    EXPECT_EQ(valore(t, "Cliente:"), "Rossi Mario ");
    EXPECT_EQ(valore(t, "Sede:"), "Via Roma 12 Cosenza");
    EXPECT_EQ(valore(t, "P. IVA/Cod. fisc:"), "MRARSS70A01D086X");
    EXPECT_EQ(valore(t, "Data contratto:"), "01/02/2023");
    EXPECT_EQ(valore(t, "Data scadenza:"), "31/01/2026");
    EXPECT_EQ(valore(t, "Codizioni di pagamento:"), "RB 60 gg");
    EXPECT_EQ(valore(t, "IMPONIBILE:"), "€ 100,00");
    EXPECT_EQ(valore(t, "IVA:"), "€ 22,00");
    EXPECT_EQ(valore(t, "TOTALE:"), "€ 122,00");
    EXPECT_GT(a.prompts.progressMax, 0);    // rebuilt for the filtered table, with the progress window

    // The totals of this customer only, by description.
    EXPECT_EQ(colonna(r.pages(), "Qta'"), QStringList({"2", "7"}));
    EXPECT_EQ(colonna(r.pages(), "Descrizione"), QStringList({"Asciugamani a rotolo", "Lenzuolo matrimoniale"}));

    t = stampa(ditta);
    EXPECT_EQ(valore(t, "P. IVA/Cod. fisc:"), "01234567890");
    EXPECT_EQ(colonna(r.pages(), "Descrizione"), QStringList({"Federa"}));

    // Nothing for a filter that keeps no customer.
    dm.TblClienti.setFilter("Codice = 0");
    dm.TblClienti.setFiltered(true);
    EXPECT_EQ(r.prepare(), 0);
    dm.TblClienti.setFiltered(false);
}

TEST_F(StampeClienti, ExtendedSheetHasOneBlockPerRowInSiteOrder)
{
    const double c = cliente({});
    aggiorna();
    suCliente(dm, c);
    Table& o = dm.TblOstrelo;
    o.createTable();
    o.open();
    auto riga = [&](double sede, bool ostrelo, bool dirGen, bool ambulatorio, const QString& scala, const QString& piano,
                    const QString& reparto, const QString& sesso, const std::array<double, 8>& quantita) {
        o.append();
        o["Sede"] = sede;
        o["Ostrelo"] = ostrelo;
        o["DirGen"] = dirGen;
        o["PrSocc"] = ambulatorio;
        o["Scala"] = scala;
        o["Piano"] = piano;
        o["Reparto"] = reparto;
        o["Sesso"] = sesso;
        o["Altro"] = "Ingresso dal cortile";
        const char* campi[] = {"CotoneC", "CotoneS", "SaponiereC", "SaponiereS", "CartaIgienicaC", "CartaIgienicaS",
                               "CartaMani", "Igienizzante"};
        for (int i = 0; i < 8; ++i)
            o[campi[i]] = quantita[size_t(i)];
        o.post();
    };
    riga(2, false, false, true, "", "", "Spogliatoio", "F", {2, 0, 0, 0, 0, 0, 4, 1});
    riga(1, true, true, false, "A", "2", "Cucina", "M", {3, 0, 0, 2, 0, 0, 0, 0});

    TQRSchedaEstesa r(dm);
    ASSERT_EQ(r.prepare(), 1);
    const PageModel& m = r.pages();
    EXPECT_EQ(m.page(0).size, QSizeF(297, 210));
    const QStringList t = m.texts(0);
    EXPECT_EQ(t.first(), "Indice di rev. n° 2 del 01/03/2024");
    EXPECT_EQ(t.mid(t.size() - 2), QStringList({"SCA/00/00-01-02-14", "Pag. 1 di 1"}));

    // Site 1 first: Ostrelo, head office, staircase and floor, a man's department.
    EXPECT_LT(t.indexOf("OSTRELO"), t.indexOf("MARBETO"));
    EXPECT_EQ(m.find("Hotel Miramare").size(), 2u);
    EXPECT_EQ(m.find("DIREZIONE GENERALE").size(), 1u);
    EXPECT_EQ(t.mid(t.indexOf(" SCALA"), 4), QStringList({" SCALA", "A", " PIANO", "2"}));
    EXPECT_EQ(colonna(m, "REPARTO", 0), QStringList({"Cucina"}));
    EXPECT_EQ(colonna(m, "CWS", 0), QStringList({"3"}));
    EXPECT_EQ(colonna(m, "STEINER", 0), QStringList());
    EXPECT_EQ(colonna(m, "STEINER", 1), QStringList({"2"}));
    EXPECT_EQ(colonna(m, "UOMO", 0), QStringList({"X"}));
    EXPECT_EQ(colonna(m, "DONNA", 0), QStringList());

    // Site 2: Marbeto with its surgery and no staircase; the sums of both rows below it.
    EXPECT_EQ(m.find(" SCALA").size(), 1u);
    EXPECT_EQ(m.find(" AMBULATORIO").size(), 1u);
    EXPECT_GT(m.find(" AMBULATORIO")[0].text->rect.top(), m.find("MARBETO")[0].text->rect.top());
    EXPECT_EQ(colonna(m, "UOMO", 1), QStringList());
    EXPECT_EQ(colonna(m, "DONNA", 1), QStringList({"X"}));
    EXPECT_EQ(colonna(m, "CARTA MANI", 0), QStringList());
    EXPECT_EQ(colonna(m, "CARTA MANI", 1), QStringList({"4"}));
    EXPECT_EQ(colonna(m, "CWS", 3), QStringList({"2"}));
    EXPECT_EQ(colonna(m, "STEINER", 4), QStringList());
    EXPECT_EQ(colonna(m, "ALTRO", 1), QStringList({"Ingresso dal cortile"}));

    // The sums of both rows, zeros blank, then the footer.
    EXPECT_EQ(dopo(m, "TOTALI"), QStringList({"5", "2", "4", "1", "SCA/00/00-01-02-14", "Pag. 1 di 1"}));
}

TEST_F(StampeClienti, AgentListsItsSitesWithTheirTotal)
{
    sql("INSERT INTO Agenti (Codice, Nominativo) VALUES (1, 'Mario Rossi'), (2, 'Luca Bianchi')");
    const double b = cliente({.nome = "Bar Centrale"});
    const double h = cliente({.nome = "Albergo Sila"});
    sql("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo, Comune, \"Codice agente\", Imponibile) VALUES "
        "(1, ?, 'Piazza Kennedy 2', 'Cosenza', 1, 1000), (2, ?, 'Via Sila 1', 'Camigliatello', 1, 234.5), "
        "(3, ?, 'Via Roma 9', 'Rende', 2, 80)",
        {b, h, b});
    aggiorna();
    dm.TblAgenti.refresh();
    dm.TblAgenti.locate("Codice", {1});
    dm.QuerySedi.close();
    dm.QuerySedi.open();

    TQRAgenti r(dm);
    ASSERT_EQ(r.prepare(), 1);
    const PageModel& m = r.pages();
    EXPECT_EQ(m.texts(0).first(), "ELENCO SEDI ASSEGNATE A Mario Rossi");
    EXPECT_EQ(colonna(m, "Cliente"), QStringList({"Albergo Sila", "Bar Centrale"}));
    EXPECT_EQ(colonna(m, "Comune"), QStringList({"Camigliatello", "Cosenza"}));
    EXPECT_EQ(colonna(m, "Imponibile"), QStringList({"€ 234,50", "€ 1.000,00"}));
    const QStringList t = m.texts(0);
    EXPECT_EQ(t.mid(t.size() - 2), QStringList({"Totale", "€ 1.234,5"}));

    // An agent without sites still gets the page with its heading.
    dm.TblAgenti.locate("Codice", {2});
    sql("DELETE FROM Sedi WHERE \"Codice agente\" = 2");
    dm.QuerySedi.close();
    dm.QuerySedi.open();
    ASSERT_EQ(r.prepare(), 1);
    EXPECT_EQ(r.pages().texts(0).first(), "ELENCO SEDI ASSEGNATE A Luca Bianchi");
}

TEST_F(StampeClienti, SummaryListHasOneLinePerCustomerByName)
{
    TQRClientiLst r(dm);
    ASSERT_EQ(r.prepare(), 1);     // printed even without customers
    EXPECT_EQ(r.pages().texts(0).mid(0, 2), QStringList({"pag. 1", "Elenco sintetico clienti"}));

    cliente({.nome = "Zeta Residence", .scheda = 5});
    cliente({.nome = "Albergo Sila", .nome2 = "di Greco", .scheda = 3});
    aggiorna();
    r.prepare();
    const PageModel& m = r.pages();
    EXPECT_EQ(colonna(m, "Denominazione"), QStringList({"Albergo Sila di Greco", "Zeta Residence S.r.l."}));
    EXPECT_EQ(colonna(m, "Indirizzo"), QStringList({"Via Roma 12 Cosenza", "Via Roma 12 Cosenza"}));
    EXPECT_EQ(colonna(m, "Scheda"), QStringList({"3", "5"}));
    EXPECT_EQ(colonna(m, "Indice rev."), QStringList({"2", "2"}));
    EXPECT_EQ(colonna(m, "Data rev."), QStringList({"01/03/2024", "01/03/2024"}));
}

// Numbers without a mask of their own print plainly, whatever the sheet.
TEST_F(StampeClienti, AQuantityPrintsAlikeOnEverySheet)
{
    const double c = cliente({});
    noleggio(sede(c, "Via Popilia 5"), 1, 1012, 0, 1);
    aggiorna();
    dm.TblClienti.setFilter("Codice = " + QString::number(c));
    dm.TblClienti.setFiltered(true);

    dm.ModoElenco = false;
    TQRMDClienti scheda(dm);
    scheda.prepare();
    EXPECT_EQ(colonna(scheda.pages(), "Presso cliente"), QStringList({"1012"}));
    TQRMDClienteSin sintetica(dm);
    sintetica.prepare();
    EXPECT_EQ(colonna(sintetica.pages(), "Qta'"), QStringList({"1012"}));
    dm.TblClienti.setFiltered(false);
}
