#include "DbCheckBox.h"
#include "DbNavigator.h"
#include "DisplayMask.h"
#include "TFrmClientiProva.h"
#include "TFrmServizi.h"
#include <QToolButton>

// The office's daily tasks on the customer and articles screens, done with the keyboard and the
// mouse as a new user does them: each screen answers at once and the same way everywhere.
class PrimaSettimana : public SchermoClienti
{
protected:
    // Alt with a letter, sent to the control that has the focus.
    static void alt(Qt::Key tasto) { QTest::keyClick(QApplication::focusWidget(), tasto, Qt::AltModifier); }
    // The read-only look: no box colour of its own, the window's shows through.
    static bool soloLettura(const QWidget* w) { return w->palette().color(QPalette::Base).alpha() == 0; }
};

TEST_F(PrimaSettimana, TheTaxableAmountBringsItsVatAndTotalAtOnce)
{
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    noleggio(10, 1, 10, 5);
    TFrmClienti& f = apri();
    QTest::mouseClick(f.SBtnCalcola, Qt::LeftButton);
    ASSERT_EQ(dm.TblClienti.state(), DatasetState::Edit);       // not posted yet
    EXPECT_EQ(f.edtImponibile->text(), formatCurrency(50));
    EXPECT_EQ(f.edtIva->text(), formatCurrency(11));
    EXPECT_EQ(f.edtTotale->text(), formatCurrency(61));
}

TEST_F(PrimaSettimana, ANewRecordTakesWhatIsTypedInItsFirstField)
{
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    apri();
    paginaSedi();
    QTest::mouseClick(w->DBNavigator2->button(NavButton::Insert), Qt::LeftButton);
    ASSERT_EQ(dm.TblSedi.state(), DatasetState::Insert);
    QTest::keyClicks(QApplication::focusWidget(), "Via Nuova 1");
    EXPECT_EQ(campoSede("Indirizzo")->text(), "Via Nuova 1");

    // A new customer likewise, on the page in view.
    QTest::mouseClick(w->DBNavigator2->button(NavButton::Post), Qt::LeftButton);
    w->pageControl1->setCurrentIndex(0);
    QTest::mouseClick(w->DBNavigator1->button(NavButton::Insert), Qt::LeftButton);
    ASSERT_EQ(dm.TblClienti.state(), DatasetState::Insert);
    EXPECT_EQ(QApplication::focusWidget(), w->edtDenominazione);
}

TEST_F(PrimaSettimana, ASiteWithoutInterventionsShowsAnEmptyPanel)
{
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    apri();
    paginaSedi();
    ASSERT_EQ(dm.TblInterventi.recordCount(), 0);
    for (const DbCheckBox* giorno : w->pannelliInterventi->pannelloVivo()->findChildren<DbCheckBox*>())
        EXPECT_FALSE(giorno->isVisibleTo(w.get())) << giorno->objectName().toStdString();

    // A new row shows its days, none of them grey.
    QTest::mouseClick(w->DBNavigator4->button(NavButton::Insert), Qt::LeftButton);
    auto* lunedi = w->pannelliInterventi->pannelloVivo()->findChild<DbCheckBox*>("Lunedi");
    EXPECT_TRUE(lunedi->isVisibleTo(w.get()));
    EXPECT_EQ(lunedi->checkState(), Qt::Unchecked);
}

TEST_F(PrimaSettimana, AltWithALetterThatIsNoAcceleratorDoesNothing)
{
    articolo(5, "Accappatoio", "Spugna", true);
    dm.TblServizi.refresh();
    TFrmServizi articoli(dm);
    articoli.show();
    articoli.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&articoli));
    ASSERT_TRUE(dm.TblServizi.locate("Descrizione", {"Accappatoio"}));
    articoli.edtDescrizione->setFocus();
    articoli.edtDescrizione->end(false);
    alt(Qt::Key_Q);
    EXPECT_EQ(articoli.edtDescrizione->text(), "Accappatoio");
    EXPECT_EQ(dm.TblServizi.state(), DatasetState::Browse);
    EXPECT_TRUE(articoli.windowTitle().endsWith("[Visualizzazione]")) << articoli.windowTitle().toStdString();
    articoli.close();

    // Nor in the rental grid.
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    noleggio(10, 1, 2, 5);
    apri();
    paginaSedi();
    w->grdNoleggi->setFocus();
    alt(Qt::Key_Q);
    EXPECT_EQ(dm.TblNoleggi.state(), DatasetState::Browse);
    EXPECT_FALSE(w->grdNoleggi->cellEditor());
}

TEST_F(PrimaSettimana, ReadOnlyDataLooksReadOnlyAndAmountsStandRight)
{
    cliente(1, "Bar Sport");
    sede(10, 1, "Piazza Duomo");
    sede(11, 1, "Corso Roma");
    apri();
    paginaSedi();
    for (const char* campo : {"DescAgente", "DescrIter"}) {
        ASSERT_TRUE(campoSede(campo)) << campo;
        EXPECT_TRUE(soloLettura(campoSede(campo))) << campo;
    }
    EXPECT_FALSE(soloLettura(campoSede("Indirizzo")));
    EXPECT_TRUE(campoSede("Imponibile")->alignment() & Qt::AlignRight);

    // The same everywhere on the screen, the other sites' panels included.
    for (int pagina = 0; pagina < w->pageControl1->count(); ++pagina) {
        w->pageControl1->setCurrentIndex(pagina);
        for (const QLineEdit* e : w->findChildren<QLineEdit*>()) {
            if (!e->isVisibleTo(w.get()) || qobject_cast<const QComboBox*>(e->parentWidget()))
                continue;
            EXPECT_EQ(soloLettura(e), e->isReadOnly()) << e->objectName().toStdString() << " " << e->text().toStdString();
        }
    }
    EXPECT_TRUE(w->edtImponibile->alignment() & Qt::AlignRight);
}

TEST_F(PrimaSettimana, UpperCaseFieldsShowWhatIsStoredInUpperCase)
{
    cliente(1, "Ospedale Civile", "Mensile", true);
    sede(10, 1, "Padiglione A");
    sede(11, 1, "Padiglione B");
    scrivi("UPDATE Sedi SET Ufficio = 'Ragioneria', Scala = 'b'");
    apri();
    paginaSedi();
    EXPECT_EQ(campoSede("Ufficio")->text(), "RAGIONERIA");
    EXPECT_EQ(campoSede("Scala")->text(), "B");
    // The panel of the other site too.
    QStringList altri;
    for (const QLineEdit* e : w->pannelliSediEstese->copia(1)->findChildren<QLineEdit*>())
        altri << e->text();
    EXPECT_TRUE(altri.contains("RAGIONERIA")) << altri.join('|').toStdString();
    EXPECT_FALSE(altri.contains("Ragioneria"));
}

TEST_F(PrimaSettimana, EscapeClosesTheCustomerScreenAsItsCloseButtonDoes)
{
    cliente(1, "Bar Sport");
    apri();
    w->edtDenominazione->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());

    // The first Escape takes back what was typed; the next one closes, leaving the record as
    // the close button does.
    apri();
    w->edtDenominazione->setFocus();
    QTest::mouseClick(w->DBNavigator1->button(NavButton::Edit), Qt::LeftButton);
    w->edtDenominazione->setFocus();
    w->edtDenominazione->end(false);
    QTest::keyClicks(w->edtDenominazione, "x");
    ASSERT_EQ(w->edtDenominazione->text(), "Bar Sportx");
    QTest::keyClick(w->edtDenominazione, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->edtDenominazione->text(), "Bar Sport");
    QTest::keyClick(w->edtDenominazione, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(leggi("SELECT Denominazione FROM Clienti WHERE Codice = 1").toString(), "Bar Sport");
}
