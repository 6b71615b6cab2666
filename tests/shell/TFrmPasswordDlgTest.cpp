#include "ArchivioDiProva.h"
#include "TFrmPasswordDlg.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Password : public ::testing::Test
{
protected:
    void SetUp() override { mostra(); }
    void mostra()
    {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }

    ArchivioDiProva a{2024};
    TFrmPasswordDlg dlg{*a.dm, nullptr};
};

} // namespace

TEST_F(Password, OnlyTheExactPasswordOpensTheLock)
{
    EXPECT_EQ(dlg.windowTitle(), "Password Dialog");
    EXPECT_TRUE(dlg.edtPassword->hasFocus());
    EXPECT_EQ(dlg.edtPassword->echoMode(), QLineEdit::Password);

    QTest::keyClicks(dlg.edtPassword, "TARQUIL");
    dlg.btnOK->click();
    EXPECT_TRUE(dlg.isVisible());
    dlg.edtPassword->clear();
    QTest::keyClicks(dlg.edtPassword, "Tarquil");
    QTest::keyClick(dlg.edtPassword, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(a.prompts.shown().isEmpty());

    dlg.edtPassword->clear();
    QTest::keyClicks(dlg.edtPassword, "tarquil");
    QTest::keyClick(dlg.edtPassword, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.edtPassword->text(), "");
}

TEST_F(Password, ClosingForgetsWhatWasTyped)
{
    QTest::keyClicks(dlg.edtPassword, "tarq");
    dlg.btnChiudi->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.edtPassword->text(), "");

    mostra();
    QTest::keyClicks(dlg.edtPassword, "tarquil");
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.edtPassword->text(), "");
}
