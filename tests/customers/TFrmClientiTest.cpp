#include "DbCheckBox.h"
#include "DbComboBox.h"
#include "DbNavigator.h"
#include "DbRadioGroup.h"
#include "TFrmClientiProva.h"
#include "TFrmSuppFatt.h"
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

TEST_F(SchermoClienti, ACustomerWithTwoSitesAndTheirRentalsIsEnteredThroughTheControls)
{
    TFrmClienti& f = apri();
    EXPECT_EQ(f.windowTitle(), "Clienti [Visualizzazione]");

    f.DBNavigator1->button(NavButton::Insert)->click();
    EXPECT_EQ(f.windowTitle(), "Clienti [Inserimento]");
    digita(f.edtDenominazione, "Hotel Sila");
    f.rgCondizioni->button(0)->click();                         // "Mensile"
    f.DBNavigator1->button(NavButton::Post)->click();
    const QVariant codice = dm.TblClienti["Codice"].value();
    EXPECT_EQ(leggi("SELECT Denominazione FROM Clienti WHERE Codice = ?", {codice}).toString(), "Hotel Sila");
    EXPECT_EQ(leggi("SELECT Condizioni FROM Clienti WHERE Codice = ?", {codice}).toString(), "Mensile");

    paginaSedi();
    struct Sede { QString indirizzo; QString articolo; QString quantita; QString costo; };
    for (const Sede& s : {Sede{"Via Roma 1", "Dispenser sapone", "3", "12,5"},
                          Sede{"Corso Italia 40", "Tappeto antisporco", "2", "7"}}) {
        f.DBNavigator2->button(NavButton::Insert)->click();
        digita(campoSede("Indirizzo"), s.indirizzo);
        f.DBNavigator2->button(NavButton::Post)->click();
        ASSERT_EQ(dm.TblSedi.state(), DatasetState::Browse);

        f.DBNavigator3->button(NavButton::Insert)->click();
        // Only the invoiceable articles are offered.
        auto* articoli = cellaNoleggio<QComboBox>(0);
        ASSERT_TRUE(articoli);
        EXPECT_EQ(articoli->count(), 3);
        EXPECT_EQ(articoli->findText("Servizio di ritiro"), -1);
        scegli(articoli, s.articolo);
        scriviNoleggio(2, s.quantita);
        scriviNoleggio(4, s.costo);
        f.DBNavigator3->button(NavButton::Post)->click();
        ASSERT_EQ(dm.TblNoleggi.state(), DatasetState::Browse);
    }

    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Sedi WHERE \"Codice cliente\" = ?", {codice}).toInt(), 2);
    EXPECT_EQ(leggi("SELECT Quantita FROM Noleggi n JOIN Sedi s ON n.\"Codice sede\" = s.Codice "
                    "WHERE s.Indirizzo = 'Via Roma 1' AND n.\"Codice servizio\" = 2").toInt(), 3);
    EXPECT_DOUBLE_EQ(leggi("SELECT Costo FROM Noleggi n JOIN Sedi s ON n.\"Codice sede\" = s.Codice "
                           "WHERE s.Indirizzo = 'Corso Italia 40' AND n.\"Codice servizio\" = 3").toDouble(), 7.0);
    // The stock rules ran: the pieces left the warehouse.
    EXPECT_EQ(leggi("SELECT Dentro FROM Servizi WHERE Codice = 2").toDouble(), 97);
    EXPECT_EQ(leggi("SELECT Fuori FROM Servizi WHERE Codice = 3").toDouble(), 2);
    // Both sites are in the row of panels, the second one being the live panel.
    EXPECT_EQ(f.pannelliSedi->recordNelPosto(1), 1);
    EXPECT_EQ(f.pannelliSedi->postoCorrente(), 1);
    EXPECT_EQ(f.pannelliSedi->copia(0)->findChild<QLineEdit*>()->text(), "Via Roma 1");
}

TEST_F(SchermoClienti, RecordsChangeOnlyThroughTheNavigators)
{
    cliente(1, "Albergo Centrale");
    TFrmClienti& f = apri();
    digita(f.edtDenominazione, "X");
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Browse);
    EXPECT_EQ(f.edtDenominazione->text(), "Albergo Centrale");
    EXPECT_FALSE(f.cmbNatura->isEnabled());
    EXPECT_TRUE(f.SBtnRicerca->isEnabled());
    f.DBNavigator1->button(NavButton::Edit)->click();
    EXPECT_FALSE(f.SBtnRicerca->isEnabled());
}

// ---- the taxable amount

TEST_F(SchermoClienti, TaxableAmountRoundsEachStepToThreeDecimals)
{
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    noleggio(10, 1, 1, 1.2346);
    TFrmClienti& f = apri();
    f.SBtnCalcola->click();
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Edit);
    EXPECT_DOUBLE_EQ(dm.TblClienti["Imponibile"].asFloat(), 1.235);
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Sedi WHERE Codice = 10").toDouble(), 1.235);
    // Saved or discarded by the user.
    EXPECT_DOUBLE_EQ(leggi("SELECT COALESCE(Imponibile, 0) FROM Clienti WHERE Codice = 1").toDouble(), 0);
    f.DBNavigator1->button(NavButton::Post)->click();
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Clienti WHERE Codice = 1").toDouble(), 1.235);
}

TEST_F(SchermoClienti, TaxableAmountCountsInvoicedPiecesWhenGivenOverAllSitesAndMonths)
{
    cliente(1, "Clinica San Marco", "Trimestrale");
    sede(10, 1, "Padiglione A");
    noleggio(10, 1, 3, 10.0);                 // "In fattura" empty: the 3 placed
    noleggio(10, 2, 4, 5.0, 0);               // "In fattura" 0: nothing
    sede(11, 1, "Padiglione B");
    noleggio(11, 3, 5, 2.0, 2);               // "In fattura" 2
    TFrmClienti& f = apri();
    dm.TblSedi.last();
    f.SBtnCalcola->click();
    EXPECT_DOUBLE_EQ(dm.TblClienti["Imponibile"].asFloat(), (30 + 4) * 3.0);
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Sedi WHERE Codice = 10").toDouble(), 30);
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Sedi WHERE Codice = 11").toDouble(), 4);
    EXPECT_EQ(dm.TblSedi.recNo(), 1);
    EXPECT_EQ(dm.TblNoleggi.recNo(), 1);
    EXPECT_EQ(dm.TblSedi.state(), DatasetState::Browse);
}

TEST_F(SchermoClienti, WithoutPaymentTermsOnlyTheExtraLinesMakeTheTaxableAmount)
{
    cliente(1, "Pensione Aurora", QVariant());
    sede(10, 1, "Via Lungomare");
    noleggio(10, 1, 2, 4.0);
    TFrmClienti& f = apri();

    // The extra lines are typed in their own window.
    f.SBtnFattura->click();
    TFrmSuppFatt* righe = f.FrmSuppFatt();
    ASSERT_TRUE(righe && righe->isVisible());
    for (auto [quantita, prezzo] : {std::pair{"2", "7,5"}, std::pair{"3", "0,3333"}}) {
        righe->DBNavigator1->button(NavButton::Insert)->click();
        for (auto [colonna, testo] : {std::pair{0, quantita}, std::pair{2, prezzo}}) {
            DbGrid* g = righe->DBGrid1;
            g->setCurrentIndex(g->model()->index(g->gridModel()->currentRow(), colonna));
            QTest::keyClick(g, Qt::Key_F2);
            auto* e = qobject_cast<QLineEdit*>(g->cellEditor());
            ASSERT_TRUE(e);
            QTest::keyClicks(e, testo);
            QTest::keyClick(e, Qt::Key_Return);
            QApplication::processEvents();
        }
        righe->DBNavigator1->button(NavButton::Post)->click();
    }
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM AltreInfo WHERE Cliente = 1").toInt(), 2);

    EXPECT_EQ(f.MesiCondizioni(), 0);
    f.SBtnCalcola->click();
    EXPECT_NEAR(dm.TblClienti["Imponibile"].asFloat(), 15.9999, 1e-9);
    EXPECT_DOUBLE_EQ(leggi("SELECT Imponibile FROM Sedi WHERE Codice = 10").toDouble(), 8);
}

// ---- copying prices

TEST_F(SchermoClienti, PricesGoToTheOtherSitesRentingTheSameArticleOnly)
{
    cliente(1, "Residence Le Palme");
    sede(10, 1, "Blocco A");
    noleggio(10, 1, 1, 2.3456);
    noleggio(10, 2, 1, 3.0);
    sede(11, 1, "Blocco B");
    noleggio(11, 1, 1, 1.0);
    noleggio(11, 3, 1, 5.0);
    sede(12, 1, "Blocco C");
    noleggio(12, 3, 1, 6.0);
    cliente(2, "Zeta Servizi");
    sede(20, 2, "Altrove");
    noleggio(20, 1, 1, 9.0);
    TFrmClienti& f = apri();
    paginaSedi();
    ASSERT_EQ(dm.TblSedi["Codice"].asInteger(), 10);
    const int noleggiPrima = leggi("SELECT COUNT(*) FROM Noleggi").toInt();

    a.prompts.answer(Answer::No);
    f.sbRicopiaImporti->click();
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Confirmation,
                                                 "Attenzione, sto per replicare quest importi su tutte le sedi. Continuo?"));
    EXPECT_DOUBLE_EQ(costo(11, 1), 1.0);

    f.sbRicopiaImporti->click();
    EXPECT_DOUBLE_EQ(costo(11, 1), 2.346);     // three decimals
    EXPECT_DOUBLE_EQ(costo(11, 3), 5.0);       // an article the first site does not rent
    EXPECT_DOUBLE_EQ(costo(12, 3), 6.0);
    EXPECT_DOUBLE_EQ(costo(10, 1), 2.3456);    // the site itself
    EXPECT_DOUBLE_EQ(costo(20, 1), 9.0);       // another customer
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Noleggi").toInt(), noleggiPrima);
    EXPECT_EQ(dm.TblNoleggi.recNo(), 1);

    f.DBNavigator3->button(NavButton::Edit)->click();
    EXPECT_FALSE(f.sbRicopiaImporti->isEnabled());
}

// ---- routes of the sites

TEST_F(SchermoClienti, RemovingTheRouteLeavesTheSiteInEditWithoutIt)
{
    cliente(1, "Ristorante Il Faro");
    sede(10, 1, "Via del Porto");
    scrivi("UPDATE Sedi SET Iter = 4 WHERE Codice = 10");
    TFrmClienti& f = apri();
    paginaSedi();
    f.SBtnEliminaServizio->click();
    EXPECT_EQ(dm.TblSedi.state(), DatasetState::Edit);
    EXPECT_EQ(dm.TblSedi["Iter"].asInteger(), 0);
    f.DBNavigator2->button(NavButton::Post)->click();
    EXPECT_EQ(leggi("SELECT Iter FROM Sedi WHERE Codice = 10").toInt(), 0);
}

// ---- extended layout

TEST_F(SchermoClienti, ExtendedCustomersShowTheExtendedSitePanelsAndRentalGrid)
{
    cliente(1, "Azienda Ospedaliera", "Mensile", true);
    cliente(2, "Bar Centrale");
    TFrmClienti& f = apri();
    paginaSedi();
    ASSERT_EQ(dm.TblClienti["Denominazione"].asString(), "Azienda Ospedaliera");
    EXPECT_EQ(f.pilaSedi->currentWidget(), f.pannelliSediEstese);
    EXPECT_EQ(f.pilaNoleggi->currentWidget(), f.grdNoleggiEstesa);
    EXPECT_EQ(f.grdNoleggiEstesa->columnCount(), 10);
    EXPECT_EQ(f.grdNoleggiEstesa->columnOf("Reparto"), 7);

    f.DBNavigator1->button(NavButton::Next)->click();
    EXPECT_EQ(f.pilaSedi->currentWidget(), f.pannelliSedi);
    EXPECT_EQ(f.pilaNoleggi->currentWidget(), f.grdNoleggi);
    EXPECT_EQ(f.grdNoleggi->columnCount(), 6);

    // Ticking the box while editing switches at once.
    f.DBNavigator1->button(NavButton::Edit)->click();
    f.chkStampaEstesa->click();
    EXPECT_EQ(f.pilaSedi->currentWidget(), f.pannelliSediEstese);
}

// ---- undo of a deletion

class AnnullaElimina : public SchermoClienti
{
protected:
    void SetUp() override
    {
        cliente(1, "Albergo Adriatico");
        sede(10, 1, "Via Mare 1");
        noleggio(10, 1, 4, 3.0);
        sede(11, 1, "Via Mare 2");
        noleggio(11, 1, 2, 3.0);
        noleggio(11, 2, 5, 1.0);
        scrivi("INSERT INTO Interventi (Codice, Settimana, Lunedi, Sede) VALUES (1, 1, 1, 10)");
        cliente(2, "Bar Bianco");
        apri();
    }
    int conta(const QString& tabella, const QString& dove)
    {
        return leggi("SELECT COUNT(*) FROM " + tabella + " WHERE " + dove).toInt();
    }
    void elimina()
    {
        ASSERT_EQ(dm.TblClienti["Codice"].asInteger(), 1);
        w->DBNavigator1->button(NavButton::Delete)->click();
        ASSERT_EQ(a.prompts.last(), Prompt::confirmation("Elimino il cliente con sedi e noleggi?"));
        ASSERT_EQ(conta("Clienti", "Codice = 1"), 0);
    }
};

TEST_F(AnnullaElimina, TheUndoButtonTakesBackTheWholeDeletion)
{
    EXPECT_FALSE(w->SBtnUndo->isEnabled());
    elimina();
    EXPECT_EQ(a.prompts.shown().size(), 1);           // the navigator asks nothing of its own
    EXPECT_EQ(conta("Sedi", "\"Codice cliente\" = 1"), 0);
    EXPECT_EQ(leggi("SELECT Dentro FROM Servizi WHERE Codice = 1").toDouble(), 100);
    EXPECT_TRUE(w->SBtnUndo->isEnabled());

    w->SBtnUndo->click();
    EXPECT_FALSE(w->SBtnUndo->isEnabled());
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_EQ(conta("Clienti", "Codice = 1"), 1);
    EXPECT_EQ(conta("Sedi", "\"Codice cliente\" = 1"), 2);
    EXPECT_EQ(conta("Noleggi", "\"Codice sede\" IN (10, 11)"), 3);
    EXPECT_EQ(conta("Interventi", "Sede = 10"), 1);
    EXPECT_EQ(leggi("SELECT Dentro FROM Servizi WHERE Codice = 1").toDouble(), 94);
    EXPECT_EQ(dm.TblClienti.recordCount(), 2);
    EXPECT_EQ(dm.TblClienti["Codice"].asInteger(), 1);      // the first customer again
}

TEST_F(AnnullaElimina, EditingMakesTheDeletionFinal)
{
    elimina();
    w->DBNavigator1->button(NavButton::Edit)->click();
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_FALSE(w->SBtnUndo->isEnabled());
    w->DBNavigator1->button(NavButton::Cancel)->click();
    dm.TblClienti.refresh();
    EXPECT_EQ(conta("Clienti", "Codice = 1"), 0);
    EXPECT_EQ(conta("Sedi", "\"Codice cliente\" = 1"), 0);
}

TEST_F(AnnullaElimina, ClosingTheScreenMakesTheDeletionFinal)
{
    elimina();
    w->BtnChiudi->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_EQ(conta("Clienti", "Codice = 1"), 0);
}

// ---- header rules

TEST_F(SchermoClienti, RecipientCodeOfAPublicAdministrationHasSixCharacters)
{
    cliente(1, "Comune di Rende");
    scrivi("UPDATE Clienti SET Codice_FE = 'ABCDEF7' WHERE Codice = 1");
    TFrmClienti& f = apri();
    f.DBNavigator1->button(NavButton::Edit)->click();
    f.ChkXML->click();
    EXPECT_EQ(dm.TblClienti["Codice_FE"].asString(), "ABCDEF");
    EXPECT_EQ(f.edtCodiceFE->text(), "ABCDEF");

    digita(f.edtCodiceFE, "uf1234567");
    EXPECT_EQ(f.edtCodiceFE->text(), "UF1234");
    f.ChkXML->click();
    digita(f.edtCodiceFE, "uf1234567");
    EXPECT_EQ(f.edtCodiceFE->text(), "UF12345");
    f.DBNavigator1->button(NavButton::Post)->click();
    EXPECT_EQ(leggi("SELECT Codice_FE FROM Clienti WHERE Codice = 1").toString(), "UF12345");
}

TEST(DescrizioneNatura, FamilyAndSubCaseTexts)
{
    EXPECT_EQ(TFrmClienti::DescrizioneNatura(""), "");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N1"), "Esclusa ex art. 15");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N2"), "Non soggetta");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N2.1"),
              "Non soggetta ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N2.3"), "");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N3.6"),
              "Non imponibile - altre operazioni che non concorrono alla formazione del plafond");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N6"), "Inversione contabile");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N6.9"), "Inversione contabile - altri casi");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N6.0"), "");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N4.2"), "Esente");        // families without sub-cases
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N5"), "Regime del margine / IVA non esposta in fattura");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N7"), "IVA assolta in altro stato UE");
    EXPECT_EQ(TFrmClienti::DescrizioneNatura("N8"), "");
}

TEST_F(SchermoClienti, NatureIsChosenOnlyWhileEditingACustomerWithoutVat)
{
    cliente(1, "Studio Medico");
    scrivi("UPDATE Clienti SET Pagaiva = 0, NATURA = 'N2.2' WHERE Codice = 1");
    cliente(2, "Trattoria");
    TFrmClienti& f = apri();
    EXPECT_EQ(f.lblNatura->text(), "Non soggetta - altri casi");
    EXPECT_FALSE(f.cmbNatura->isEnabled());

    f.DBNavigator1->button(NavButton::Edit)->click();
    ASSERT_TRUE(f.cmbNatura->isEnabled());
    scegli(f.cmbNatura, "N3.2");
    EXPECT_EQ(dm.TblClienti["NATURA"].asString(), "N3.2");
    EXPECT_EQ(f.lblNatura->text(), "Non imponibile - cessioni intracomunitarie");

    f.ChkIva->click();
    EXPECT_TRUE(dm.TblClienti["NATURA"].isNull());
    EXPECT_EQ(f.cmbNatura->currentText(), "");
    EXPECT_EQ(f.lblNatura->text(), "");
    EXPECT_FALSE(f.cmbNatura->isEnabled());
    f.ChkIva->click();
    EXPECT_TRUE(f.cmbNatura->isEnabled());
    f.DBNavigator1->button(NavButton::Post)->click();
    EXPECT_FALSE(f.cmbNatura->isEnabled());

    f.DBNavigator1->button(NavButton::Next)->click();          // a customer with VAT
    f.DBNavigator1->button(NavButton::Edit)->click();
    EXPECT_FALSE(f.cmbNatura->isEnabled());
}

// ---- navigator marks

TEST_F(SchermoClienti, NavigatorsMarkTheDataSourcesOnlyWhileTheyAct)
{
    cliente(1, "Hotel Stella");
    sede(10, 1, "Via Nuova");
    std::vector<std::pair<int, int>> marche;
    dm.TblClienti.beforePost += [&](Dataset&) { marche.push_back({dm.DSClienti.tag, dm.DSSedi.tag}); };
    dm.TblSedi.beforePost += [&](Dataset&) {
        marche.push_back({dm.DSClienti.tag, dm.DSSedi.tag});
        throw Abort{};
    };
    TFrmClienti& f = apri();
    f.DBNavigator1->button(NavButton::Edit)->click();
    f.DBNavigator1->button(NavButton::Post)->click();
    paginaSedi();
    f.DBNavigator2->button(NavButton::Edit)->click();
    f.DBNavigator2->button(NavButton::Post)->click();       // refused
    EXPECT_EQ(marche, (std::vector<std::pair<int, int>>{{1, 1}, {0, 1}}));
    EXPECT_EQ(dm.DSClienti.tag, 0);
    EXPECT_EQ(dm.DSSedi.tag, 0);
}

// ---- opening and closing

TEST_F(SchermoClienti, OpeningFiltersTheArticlesAndLinksTheLedgerClosingUndoesIt)
{
    cliente(1, "Zeta Servizi");
    cliente(2, "Alfa Hotel");
    dm.TblClienti.refresh();
    dm.TblClienti.last();
    TFrmClienti& f = apri();
    EXPECT_EQ(dm.TblClienti["Denominazione"].asString(), "Alfa Hotel");
    EXPECT_TRUE(dm.TblServizi.filtered());
    EXPECT_EQ(dm.TblServizi.recordCount(), 3);
    EXPECT_EQ(dm.TblPrimaNota.master(), &dm.TblClienti);
    EXPECT_EQ(f.pageControl1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), f.chkEscluso);

    f.DBNavigator1->button(NavButton::Edit)->click();
    digita(f.edtDenominazione, "Beta Hotel");
    f.SBtnFattura->click();
    f.close();
    EXPECT_FALSE(f.FrmSuppFatt()->isVisible());
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Browse);
    EXPECT_EQ(leggi("SELECT COUNT(*) FROM Clienti WHERE Denominazione = 'Beta Hotel'").toInt(), 0);
    EXPECT_FALSE(dm.TblServizi.filtered());
    EXPECT_EQ(dm.TblServizi.recordCount(), 4);
    EXPECT_EQ(dm.TblPrimaNota.master(), nullptr);
}
