#include "QtPrompts.h"
#include "ScriptedPrompts.h"
#include "TFrmDataSospeso.h"
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {

// Runs azione on the message box the next prompt shows, from inside its modal loop.
void allaProssimaFinestra(std::function<void(QMessageBox&)> azione)
{
    QTimer::singleShot(0, [azione] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        azione(*box);
    });
}

QStringList testiPulsanti(QMessageBox& box)
{
    QStringList testi;
    for (QAbstractButton* b : box.buttons())
        testi << b->text();
    testi.sort();
    return testi;
}

QAbstractButton* pulsante(QMessageBox& box, const QString& testo)
{
    for (QAbstractButton* b : box.buttons())
        if (b->text() == testo)
            return b;
    return nullptr;
}

} // namespace

TEST(MessageBoxes, ItalianButtonsAndTheTypesIcon)
{
    QtPrompts prompts;
    allaProssimaFinestra([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Lavanderia Mr. ZANFO");
        EXPECT_EQ(box.text(), "Creo?");
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(testiPulsanti(box), QStringList({"No", "Sì"}));
        EXPECT_EQ(box.defaultButton()->text(), "Sì");
        pulsante(box, "No")->click();
    });
    EXPECT_EQ(prompts.message(MsgType::Warning, "Creo?", Buttons::YesNo), Answer::No);

    allaProssimaFinestra([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(testiPulsanti(box), QStringList({"Annulla", "No", "Sì"}));
        pulsante(box, "Sì")->click();
    });
    EXPECT_EQ(prompts.message(MsgType::Confirmation, "Salvo?", Buttons::YesNoCancel), Answer::Yes);

    allaProssimaFinestra([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(testiPulsanti(box), QStringList({"OK"}));
        pulsante(box, "OK")->click();
    });
    EXPECT_EQ(prompts.message(MsgType::Error, "Errore", Buttons::Ok), Answer::Ok);
}

TEST(MessageBoxes, EscapeGivesTheLastButton)
{
    QtPrompts prompts;
    allaProssimaFinestra([](QMessageBox& box) {
        EXPECT_EQ(testiPulsanti(box), QStringList({"Annulla", "OK"}));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompts.message(MsgType::Confirmation, "Elimino?", Buttons::OkCancel), Answer::Cancel);

    allaProssimaFinestra([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(prompts.message(MsgType::Information, "Fatto.", Buttons::Ok), Answer::Ok);
}

TEST(MessageBoxes, BusyCursorNestsAndIgnoresAnExtraRestore)
{
    QtPrompts prompts;
    prompts.setBusy(true);
    prompts.setBusy(true);
    prompts.setBusy(false);
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.setBusy(false);
    prompts.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

namespace {

class PendingDate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }
    void scrivi(const QString& cifre)
    {
        dlg.edtData->setFocus();
        QTest::keyClicks(dlg.edtData, cifre);
    }

    ScriptedPrompts prompts;
    TFrmDataSospeso dlg{prompts};
};

} // namespace

TEST_F(PendingDate, AnEmptyFieldIsAcceptedAsTheBlankMask)
{
    EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(dlg.testo(), "  /  /    ");
    QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.testo(), "  /  /    ");
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(PendingDate, ARealDateIsAcceptedAsTyped)
{
    scrivi("29022024");
    QTest::keyClick(dlg.edtData, Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.testo(), "29/02/2024");
}

TEST_F(PendingDate, AWrongDateIsRefusedAndSelected)
{
    for (const QString sbagliata : {"29022023", "3101", "00002024"}) {
        prompts.clear();
        dlg.edtData->clear();
        scrivi(sbagliata);
        QTest::mouseClick(dlg.btnOK, Qt::LeftButton);
        EXPECT_EQ(prompts.shown(), QList<Prompt>{Prompt::error("Data errata. Ripetere.")}) << sbagliata.toStdString();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.edtData->selectedText(), dlg.edtData->displayText());
    }
}

TEST_F(PendingDate, ChiudiAndEscapeCloseWithoutOKAndTheFieldIsClearedNextTime)
{
    scrivi("01012024");
    QTest::mouseClick(dlg.btnChiudi, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);

    dlg.show();
    EXPECT_EQ(dlg.testo(), "  /  /    ");
    EXPECT_EQ(dlg.focusWidget(), dlg.edtData);
    QTest::keyClick(dlg.edtData, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}
