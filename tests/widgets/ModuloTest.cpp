#include "ArchivioDemo.h"
#include "BarraStrumenti.h"
#include "DbCheckBox.h"
#include "DbEdit.h"
#include "Icone.h"
#include "Modulo.h"
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A window laid out from a table of fields over the demo archive's agents.
class ModuloDaTabella : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ControlliVivi controlli(&dm.DSAgenti, a.prompts, &finestra);
        auto* griglia = new QGridLayout(&finestra);
        disponiCampi(griglia, controlli,
                     {{.etichetta = "&Nominativo (&9)", .campo = "Nominativo", .riga = 0, .ampiezza = 3,
                       .dove = &edtNominativo},
                      {.etichetta = "&Percentuale", .campo = "Percentuale", .riga = 1, .caratteri = 6,
                       .dove = &edtPercentuale, .suggerimento = "Percentuale sull'imponibile"}});
        finestra.show();
        finestra.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
    }

    QLabel* etichettaDi(QWidget* controllo)
    {
        for (QLabel* l : finestra.findChildren<QLabel*>())
            if (l->buddy() == controllo)
                return l;
        return nullptr;
    }

    ArchivioDemo a;
    TDataModule1& dm = *a.dm;
    QWidget finestra;
    DbEdit* edtNominativo = nullptr;
    DbEdit* edtPercentuale = nullptr;
};

} // namespace

TEST_F(ModuloDaTabella, EachRowGivesItsMemberABoundControlWithItsCaptionWidthAndHint)
{
    ASSERT_NE(edtNominativo, nullptr);
    ASSERT_NE(edtPercentuale, nullptr);
    EXPECT_EQ(edtNominativo->text(), dm.TblAgenti["Nominativo"].asString());
    EXPECT_EQ(edtPercentuale->objectName(), "Percentuale");
    EXPECT_EQ(edtPercentuale->toolTip(), "Percentuale sull'imponibile");
    EXPECT_EQ(edtPercentuale->maximumWidth(), larghezzaCaratteri(edtPercentuale, 6));
    ASSERT_NE(etichettaDi(edtNominativo), nullptr);
    EXPECT_EQ(etichettaDi(edtNominativo)->text(), "&Nominativo (&9)");

    // Typed into, the control writes its own field of the record.
    dm.DSAgenti.autoEdit = true;
    edtNominativo->setFocus();
    edtNominativo->selectAll();
    QTest::keyClicks(edtNominativo, "Rossi Mario");
    QTest::keyClick(edtNominativo, Qt::Key_Return);
    EXPECT_EQ(dm.TblAgenti["Nominativo"].asString(), "Rossi Mario");
}

TEST_F(ModuloDaTabella, BothAcceleratorsOfACaptionTakeTheFocusToItsControl)
{
    edtPercentuale->setFocus();
    QTest::keyClick(edtPercentuale, Qt::Key_9, Qt::AltModifier);
    EXPECT_TRUE(edtNominativo->hasFocus());
    edtPercentuale->setFocus();
    QTest::keyClick(edtPercentuale, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edtNominativo->hasFocus());
}

// The buttons of a tool bar never take the focus away from the field being typed.
TEST(BarraStrumenti, ButtonsLeaveTheFocusInTheField)
{
    ArchivioDemo a;
    QWidget finestra;
    auto* barra = new BarraAnagrafica(a.dm->DSAgenti, a.prompts, &finestra);
    QToolButton* ricerca = barra->pulsante(Icone::ricerca(), "Ricerca", "SBtnRicerca");
    QToolButton* stampa = barra->pulsante(Icone::stampa(), "Stampa", "SBtnStampa1", "1");
    auto* campo = new DbEdit(&a.dm->DSAgenti, "Nominativo", a.prompts, &finestra);
    campo->move(0, 60);
    finestra.show();
    finestra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
    campo->setFocus();
    int premuto = 0;
    QObject::connect(ricerca, &QToolButton::clicked, [&] { ++premuto; });
    QTest::mouseClick(ricerca, Qt::LeftButton);
    EXPECT_EQ(premuto, 1);
    EXPECT_TRUE(campo->hasFocus());
    EXPECT_EQ(ricerca->objectName(), "SBtnRicerca");
    EXPECT_EQ(stampa->text(), "1");
    EXPECT_GT(stampa->width(), ricerca->width());
    EXPECT_EQ(barra->navigatore->deleteQuestion(), "Elimino il record?");
}
