#include "ArchivioDiProva.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TFrmQuery.h"
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The query window over an archive with three agents.
class FinestraQuery : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm.db.exec("INSERT INTO Agenti (Codice, Nominativo, Percentuale) VALUES "
                   "(1, 'Rossi', 10), (2, 'Bianchi', 8), (3, 'Verdi', 5)");
        w = std::make_unique<TFrmQuery>(dm, nullptr);
        mostra();
    }

    void mostra()
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void scrivi(const QString& sql)
    {
        w->memSql->clear();
        QTest::keyClicks(w->memSql, sql);
    }
    QVariant leggi(const QString& testo)
    {
        QSqlQuery q = dm.db.exec(testo);
        return q.next() ? q.value(0) : QVariant();
    }
    int righe() { return w->grdRisultato->model()->rowCount(); }
    QString cella(int r, int c) { return w->grdRisultato->model()->index(r, c).data().toString(); }

    ArchivioDiProva a{2024, ArchivioDiProva::Avviato};
    TDataModule1& dm = *a.dm;
    std::unique_ptr<TFrmQuery> w;
};

} // namespace

TEST_F(FinestraQuery, AnUpdateIsRunWithEseguiNotWithApri)
{
    scrivi("UPDATE Agenti SET Percentuale = 20 WHERE Codice = 2");
    w->btnApri->click();
    ASSERT_EQ(a.prompts.shown().size(), 1);
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_FALSE(a.prompts.last().text.isEmpty());
    EXPECT_FALSE(w->query().active());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(righe(), 0);
    EXPECT_NE(leggi("SELECT Percentuale FROM Agenti WHERE Codice = 2").toDouble(), 20);   // nothing ran

    a.prompts.clear();
    w->btnEsegui->click();
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_EQ(leggi("SELECT Percentuale FROM Agenti WHERE Codice = 2").toDouble(), 20);
}

TEST_F(FinestraQuery, ASelectRunWithEseguiShowsNoRows)
{
    scrivi("SELECT * FROM Agenti");
    w->btnApri->click();
    EXPECT_EQ(righe(), 3);
    w->btnEsegui->click();
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_FALSE(w->query().active());
    EXPECT_EQ(righe(), 0);
}

TEST_F(FinestraQuery, ReopeningKeepsTheStatementWithAnEmptyGrid)
{
    scrivi("SELECT Nominativo FROM Agenti ORDER BY Nominativo");
    w->btnApri->click();
    EXPECT_EQ(cella(0, 0), "Bianchi");
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->query().active());

    mostra();
    EXPECT_EQ(w->memSql->toPlainText(), "SELECT Nominativo FROM Agenti ORDER BY Nominativo");
    EXPECT_EQ(righe(), 0);
    EXPECT_EQ(w->grdRisultato->model()->columnCount(), 0);
}

TEST_F(FinestraQuery, TheRowsOfOneTableCanBeChangedThoseOfAJoinCannot)
{
    scrivi("SELECT Codice, Nominativo, Percentuale FROM Agenti WHERE Codice > 1 ORDER BY Codice");
    w->btnApri->click();
    ASSERT_EQ(righe(), 2);
    EXPECT_TRUE(w->navQuery->button(NavButton::Edit)->isEnabled());

    w->grdRisultato->setFocus();
    w->grdRisultato->setCurrentIndex(w->grdRisultato->model()->index(1, 1));
    QTest::keyClick(w->grdRisultato, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(w->grdRisultato->cellEditor());
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "Verdini");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    w->navQuery->button(NavButton::Post)->click();
    EXPECT_EQ(leggi("SELECT Nominativo FROM Agenti WHERE Codice = 3").toString(), "Verdini");

    scrivi("SELECT a.Nominativo, b.Percentuale FROM Agenti a JOIN Agenti b ON a.Codice = b.Codice");
    w->btnApri->click();
    EXPECT_EQ(righe(), 3);
    EXPECT_FALSE(w->navQuery->button(NavButton::Edit)->isEnabled());
    EXPECT_FALSE(w->navQuery->button(NavButton::Insert)->isEnabled());
}

TEST_F(FinestraQuery, ARefusedStatementIsNamedAsTypedWithTheReasonInItalian)
{
    scrivi("SELECT * FROM Clientz");
    w->btnApri->click();
    ASSERT_EQ(a.prompts.shown().size(), 1);
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_EQ(a.prompts.last().text, "La tabella Clientz non esiste.\nSELECT * FROM Clientz");

    scrivi("UPDATE Agenti SET Percentual = 1");
    w->btnEsegui->click();
    EXPECT_EQ(a.prompts.last().text, "Il campo Percentual non esiste.\nUPDATE Agenti SET Percentual = 1");
    scrivi("UPDATE Agenti SET Percentuale = 1");
    w->btnApri->click();
    EXPECT_EQ(a.prompts.last().text, "L'istruzione non restituisce righe.\nUPDATE Agenti SET Percentuale = 1");
}
