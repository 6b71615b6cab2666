#include "DbNavigator.h"
#include "TFrmClientiLst.h"
#include "TFrmClientiProva.h"
#include <QScreen>
#include <QToolButton>

class RicercaClienti : public SchermoClienti
{
protected:
    void SetUp() override
    {
        for (const char* nome : {"Albergo Adriatico", "Bar Bianco", "Bar Centrale", "Clinica Sole", "Residence Mare"})
            cliente(++ultimo, nome);
        apri();
        dm.TblClienti.locate("Denominazione", {"Bar Centrale"});
        w->SBtnRicerca->click();
        lista = w->FrmClientiLst();
    }
    QString corrente() { return dm.TblClienti["Denominazione"].asString(); }

    int ultimo = 0;
    TFrmClientiLst* lista = nullptr;
};

TEST_F(RicercaClienti, OpensBesideTheScreenWithTheCurrentName)
{
    ASSERT_TRUE(lista && lista->isVisible());
    EXPECT_EQ(lista->windowTitle(), "Archivio clienti");
    EXPECT_FALSE(lista->isModal());
    EXPECT_EQ(lista->Denominazione->text(), "Bar Centrale");
    EXPECT_EQ(lista->Denominazione->selectedText(), "Bar Centrale");
    const QRect schermo = lista->screen()->geometry();
    EXPECT_EQ(lista->frameGeometry().left(), schermo.width() - lista->frameGeometry().width());
    EXPECT_EQ(lista->frameGeometry().top(), 100);
    EXPECT_EQ(lista->DBGrid1->columnCount(), 3);

    // Opened again, it is the same window with the name of the customer now current.
    lista->close();
    dm.TblClienti.first();
    w->SBtnRicerca->click();
    EXPECT_EQ(w->FrmClientiLst(), lista);
    EXPECT_EQ(lista->Denominazione->text(), "Albergo Adriatico");
}

TEST_F(RicercaClienti, TypingMovesToTheNearestCustomerByName)
{
    lista->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lista));
    QTest::keyClicks(lista->Denominazione, "c");
    EXPECT_EQ(corrente(), "Clinica Sole");
    QTest::keyClick(lista->Denominazione, Qt::Key_Backspace);
    QTest::keyClicks(lista->Denominazione, "bar c");
    EXPECT_EQ(corrente(), "Bar Centrale");
    QTest::keyClicks(lista->Denominazione, "z");
    EXPECT_EQ(corrente(), "Clinica Sole");          // past every "Bar C...": the next name
    lista->Denominazione->setText("zz");
    EXPECT_EQ(corrente(), "Residence Mare");        // past the end: the last
    EXPECT_EQ(lista->DBGrid1->currentIndex().row(), 4);
    EXPECT_EQ(w->edtDenominazione->text(), "Residence Mare");

    lista->DBNavigator1->button(NavButton::First)->click();
    EXPECT_EQ(corrente(), "Albergo Adriatico");
    lista->BtnOK->click();
    EXPECT_FALSE(lista->isVisible());
}
