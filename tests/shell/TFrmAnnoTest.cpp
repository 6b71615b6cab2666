#include "ArchivioDiProva.h"
#include "TFrmAnno.h"
#include <QDir>
#include <QFile>
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

TEST_F(YearDialog, AfterCreatingTheNextYearItProposesThatYear)
{
    dlg->close();
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);   // leaves the dialog in 2024
    a.dm->CreaAnnoSuccessivo();
    ASSERT_EQ(a.dm->annoEsercizio(), 2025);
    dlg->show();
    EXPECT_EQ(dlg->speAnno->value(), 2025);
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    EXPECT_EQ(a.dm->annoEsercizio(), 2025);
}

TEST_F(YearDialog, AYearThatCannotBeOpenedIsReportedAndTheYearInForceStays)
{
    QDir(a.percorso(".")).mkdir("2023");
    QFile f(a.percorso("2023/PrimaNota.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    dlg->speAnno->setValue(2023);
    QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_TRUE(a.prompts.last().text.contains("PrimaNota.db")) << a.prompts.last().text.toStdString();
    EXPECT_EQ(a.dm->annoEsercizio(), 2024);
    EXPECT_TRUE(a.dm->TblPrimaNota.active());
    EXPECT_EQ(dlg->speAnno->value(), 2024);
    EXPECT_EQ(QFileInfo(a.percorso("2023/PrimaNota.db")).size(), 4096);
}

TEST_F(YearDialog, AtStartUpAnArchiveThatCannotBeOpenedEndsTheDialog)
{
    dlg.reset();
    a.dm.reset();
    QFile f(a.percorso("archivi/DBLav.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray(4096, 'x'));
    f.close();
    TDataModule1 dm(a.prompts, a.dir.path());
    TFrmAnno anno(dm);
    bool chiuso = false;
    dm.sceltaAnno = [&] {
        anno.show();
        QTest::mouseClick(anno.btnOK, Qt::LeftButton);   // every OK used to show the same error
        chiuso = !anno.isVisible();
    };
    EXPECT_FALSE(dm.Avvia());
    EXPECT_TRUE(chiuso);
    EXPECT_EQ(anno.result(), QDialog::Rejected);
    EXPECT_TRUE(a.prompts.last().text.contains("DBLav.db")) << a.prompts.last().text.toStdString();
    EXPECT_EQ(QFileInfo(a.percorso("archivi/DBLav.db")).size(), 4096);
}
