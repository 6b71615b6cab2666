#include "Animazione.h"
#include "ShellPrompts.h"
#include "TFrmProgBar.h"
#include "TFrmRestruct.h"
#include "TFrmWait.h"
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(StartUpWindow, ShowsNameAndVersionOnTopWithoutBorder)
{
    TFrmWait w;
    EXPECT_EQ(w.windowTitle(), "... aspetta ...");
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.lblNome->text(), "Lavanderia Mr. Zanfo");
    EXPECT_EQ(w.lblVersione->text(), "Versione 1.0.0");
    w.show();
    EXPECT_FALSE(w.lblBuild->isVisible());
    EXPECT_EQ(TFrmWait::testoVersione("2.7.2.0"), "Versione 2.7.2");
}

TEST(StartUpWindow, AnAviQtCannotPlayLeavesTheBuiltInAnimation)
{
    QTemporaryDir dir;
    QFile avi(dir.filePath("wait.avi"));
    ASSERT_TRUE(avi.open(QIODevice::WriteOnly));
    avi.write(QByteArray("RIFF\x10\0\0\0AVI LIST", 16));
    avi.close();

    TFrmWait w(dir.path());
    EXPECT_EQ(w.filmato, nullptr);
    ASSERT_NE(w.animazione, nullptr);
    w.show();
    QTRY_VERIFY(w.animazione->fotogramma() > 0);
}

TEST(StartUpWindow, StepsAsideWhileAModalDialogAsks)
{
    TFrmWait w;
    w.show();
    QDialog domanda;
    domanda.setModal(true);
    domanda.show();
    EXPECT_FALSE(w.isVisible());
    domanda.hide();
    EXPECT_TRUE(w.isVisible());

    // Once closed it stays closed.
    w.close();
    domanda.show();
    domanda.hide();
    EXPECT_FALSE(w.isVisible());
}

TEST(ProgressWindows, TheBarStepsByOneFromZeroToTheMaximum)
{
    ShellPrompts prompts;
    prompts.progressStart(3);
    TFrmProgBar& f = prompts.FrmProgBar();
    EXPECT_EQ(f.windowTitle(), "Elaborazione in corso ...");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.ProgressBar1->maximum(), 3);
    EXPECT_EQ(f.ProgressBar1->value(), 0);
    prompts.progressStep();
    prompts.progressStep();
    EXPECT_EQ(f.ProgressBar1->value(), 2);
    prompts.progressEnd();
    EXPECT_FALSE(f.isVisible());

    // The next run starts again from zero in the same window.
    prompts.progressStart(10);
    EXPECT_EQ(&prompts.FrmProgBar(), &f);
    EXPECT_EQ(f.ProgressBar1->value(), 0);
    EXPECT_EQ(f.ProgressBar1->maximum(), 10);
}

TEST(ProgressWindows, RestructureWindowShowsTheFileAndSitsAtItsLeftEdge)
{
    ShellPrompts prompts;
    prompts.restructStart();
    TFrmRestruct& f = prompts.FrmRestruct();
    EXPECT_EQ(f.windowTitle(), "Aggiornamento in corso...");
    EXPECT_TRUE(f.isVisible());
    const int larghezza = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(f.x(), (larghezza - 268) / 2 + 1);

    prompts.restructFile("Servizi.db");
    EXPECT_EQ(f.lblNomeFile->text(), "Servizi.db");
    prompts.restructEnd();
    EXPECT_FALSE(f.isVisible());
}
