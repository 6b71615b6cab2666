#include "DbCheckBox.h"
#include "DbMemo.h"
#include "DbNavigator.h"
#include "DbRadioGroup.h"
#include "TFrmClientiProva.h"
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

// The rows of panels of the sites and interventions, and the keyboard of the screen.
class PannelliClienti : public SchermoClienti
{
protected:
    void SetUp() override
    {
        cliente(1, "Ospedale Civile");
        for (int i = 0; i < 4; ++i)
            sede(10 + i, 1, QString("Padiglione %1").arg(QChar('A' + i)));
        scrivi("INSERT INTO Interventi (Codice, Settimana, Lunedi, Sede) VALUES (1, 2, 1, 10)");
        apri();
        paginaSedi();
    }
    QString indirizzoNelPosto(int posto)
    {
        return w->pannelliSedi->copia(posto)->findChild<QLineEdit*>()->text();
    }
};

TEST_F(PannelliClienti, AClickOnAnotherSiteMovesThereSavingTheSiteBeingEdited)
{
    GrigliaPannelli* sedi = w->pannelliSedi;
    EXPECT_EQ(sedi->postoCorrente(), 0);
    EXPECT_EQ(indirizzoNelPosto(2), "Padiglione C");

    w->DBNavigator2->button(NavButton::Edit)->click();
    digita(campoSede("Indirizzo"), "Padiglione Nord");
    QTest::mouseClick(sedi->copia(2), Qt::LeftButton);
    EXPECT_EQ(dm.TblSedi["Codice"].asInteger(), 12);
    EXPECT_EQ(dm.TblSedi.state(), DatasetState::Browse);
    EXPECT_EQ(leggi("SELECT Indirizzo FROM Sedi WHERE Codice = 10").toString(), "Padiglione Nord");
    EXPECT_EQ(sedi->postoCorrente(), 2);
    EXPECT_EQ(indirizzoNelPosto(0), "Padiglione Nord");

    // The scroll bar runs through the sites; the panels keep the current one in sight.
    sedi->barra()->setValue(3);
    EXPECT_EQ(dm.TblSedi["Codice"].asInteger(), 13);
    EXPECT_EQ(sedi->postoCorrente(), 2);
    EXPECT_EQ(indirizzoNelPosto(0), "Padiglione B");
    EXPECT_EQ(campoSede("Indirizzo")->text(), "Padiglione D");
    w->DBNavigator2->button(NavButton::First)->click();
    EXPECT_EQ(sedi->postoCorrente(), 0);
    EXPECT_EQ(sedi->recordNelPosto(2), 2);
}

TEST_F(PannelliClienti, ANewInterventionComesAfterTheOthersAndGreyDaysAreEmpty)
{
    GrigliaPannelli* interventi = w->pannelliInterventi;
    w->DBNavigator4->button(NavButton::Insert)->click();
    EXPECT_EQ(dm.TblInterventi.state(), DatasetState::Insert);
    EXPECT_EQ(interventi->postoCorrente(), 1);
    EXPECT_EQ(interventi->copia(0)->findChild<QLineEdit*>()->text(), "2");
    QWidget* vivo = interventi->pannelloVivo();
    EXPECT_EQ(QApplication::focusWidget(), vivo->findChild<DbEdit*>("Settimana"));
    for (const char* giorno : {"Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato"})
        EXPECT_EQ(vivo->findChild<DbCheckBox*>(giorno)->checkState(), Qt::Unchecked) << giorno;

    vivo->findChild<DbCheckBox*>("Lunedi")->click();                // grey: mandatory
    vivo->findChild<DbCheckBox*>("Martedi")->click();
    vivo->findChild<DbCheckBox*>("Martedi")->click();               // checked
    EXPECT_EQ(vivo->findChild<DbCheckBox*>("Lunedi")->checkState(), Qt::PartiallyChecked);
    w->DBNavigator4->button(NavButton::Post)->click();
    const QString dove = " FROM Interventi WHERE Sede = 10 AND Codice = 2";
    EXPECT_TRUE(leggi("SELECT Lunedi" + dove).isNull());
    EXPECT_EQ(leggi("SELECT Martedi" + dove).toInt(), 1);
    EXPECT_EQ(leggi("SELECT Mercoledi" + dove).toInt(), 0);
    EXPECT_EQ(leggi("SELECT Settimana" + dove).toInt(), 1);
}

TEST_F(PannelliClienti, AcceleratorsAndTabFollowTheLayout)
{
    auto tasto = [&](Qt::Key k) {
        QTest::keyClick(w.get(), k, Qt::AltModifier);
        return QApplication::focusWidget();
    };
    EXPECT_EQ(tasto(Qt::Key_T), w->pannelliInterventi->pannelloVivo()->findChild<DbEdit*>("Settimana"));
    EXPECT_EQ(tasto(Qt::Key_L), w->grdNoleggi);
    EXPECT_EQ(tasto(Qt::Key_R), campoSede("Indirizzo"));

    w->pageControl1->setCurrentIndex(0);
    EXPECT_EQ(tasto(Qt::Key_2), w->edtDenominazione2);
    EXPECT_EQ(tasto(Qt::Key_1), w->edtDenominazione);
    EXPECT_EQ(tasto(Qt::Key_O), w->edtComune);
    EXPECT_EQ(tasto(Qt::Key_R), w->edtRigo1);
    EXPECT_EQ(tasto(Qt::Key_5), w->memoRigo3);
    EXPECT_EQ(tasto(Qt::Key_Z), w->rgCondizioni->button(0));

    w->edtMastro->setFocus();
    for (QWidget* successivo : std::initializer_list<QWidget*>{w->edtConto, w->edtIndirizzo, w->edtComune}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), successivo);
    }
}
