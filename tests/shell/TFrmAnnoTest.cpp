#include "ArchivioDiProva.h"
#include "TFrmAnno.h"
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class YearDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fissaOggi(QDate(2024, 3, 4));
        dlg = std::make_unique<TFrmAnno>(*a.dm);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    ArchivioDiProva a{2024};
    std::unique_ptr<TFrmAnno> dlg;
};

} // namespace

TEST_F(YearDialog, StartsOnTheCurrentCalendarYearWithinItsRange)
{
    EXPECT_EQ(dlg->windowTitle(), "Anno d'esercizio");
    EXPECT_EQ(dlg->speAnno->value(), 2024);
    EXPECT_EQ(dlg->speAnno->minimum(), 1990);
    EXPECT_EQ(dlg->speAnno->maximum(), 2090);
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(YearDialog, EnterOrSpaceInTheYearFieldIsOK)
{
    dlg->speAnno->setValue(2023);
    QTest::keyClick(dlg->speAnno, Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(a.dm->annoEsercizio(), 2023);
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Warning, "Anno selezionato inesistente, creo?"));

    // An existing year is switched to without a question.
    a.prompts.clear();
    dlg->show();
    dlg->speAnno->setValue(2024);
    QTest::keyClick(dlg->speAnno, Qt::Key_Space);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(a.dm->annoEsercizio(), 2024);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
}

TEST_F(YearDialog, KeysWithAltHeldAreIgnored)
{
    QTest::keyClick(dlg->speAnno, Qt::Key_Up, Qt::AltModifier);
    QTest::keyClick(dlg->speAnno, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(dlg->speAnno, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(dlg->btnOK, Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->speAnno->value(), 2024);

    QTest::keyClick(dlg->speAnno, Qt::Key_Up);   // without Alt the field works
    EXPECT_EQ(dlg->speAnno->value(), 2025);
}

TEST_F(YearDialog, CannotBeLeftButThroughOK)
{
    dlg->close();
    EXPECT_TRUE(dlg->isVisible());
    QTest::keyClick(dlg->speAnno, Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());

    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(YearDialog, RefusingToCreateAYearPutsBackTheYearInForce)
{
    const QString contatore = a.dm->FileContatore();
    dlg->speAnno->setValue(2031);
    a.prompts.answer(Answer::No);
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);

    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->speAnno->value(), 2024);
    EXPECT_EQ(a.dm->annoEsercizio(), 2024);
    EXPECT_EQ(a.dm->FileContatore(), contatore);
    EXPECT_FALSE(QDir(a.percorso("2031")).exists());

    // The year remembered is the one the dialog held when it was last shown.
    dlg->speAnno->setValue(2023);
    dlg->show();
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    dlg->show();
    dlg->speAnno->setValue(2032);
    a.prompts.answer(Answer::No);
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    EXPECT_EQ(dlg->speAnno->value(), 2023);
    EXPECT_EQ(a.dm->annoEsercizio(), 2023);
}
