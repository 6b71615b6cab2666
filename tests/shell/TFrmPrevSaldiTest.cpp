#include "ArchivioDiProva.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TFrmPrevSaldi.h"
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// 2024 created from 2023, where Alfa owed 100 and Beta nothing; a later invoice of Alfa in 2024.
class SaldiPrecedenti : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm.db.exec("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\") VALUES "
                   "(1, 'Alfa Srl', 'Filiale Nord'), (2, 'Beta Spa', '')");
        dm.TblClienti.refresh();
        dm.db.exec(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Conto) VALUES "
                           "(1, 'Fattura di vendita', '2023-05-02', -100, 0)")
                       .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
        dm.CreaAnnoSuccessivo();
        dm.db.exec(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Conto) VALUES "
                           "(1, 'Fattura di vendita', '2024-02-01', -50, 0)")
                       .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
        a.prompts.clear();
        w = std::make_unique<TFrmPrevSaldi>(dm, nullptr);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    QString cella(int r, int c) { return w->grdSaldi->model()->index(r, c).data().toString(); }
    int righe() { return w->grdSaldi->model()->rowCount(); }
    double importo(int cliente)
    {
        QSqlQuery q = dm.db.exec(QString("SELECT Importo FROM %1 WHERE Cliente = %2 AND Causale LIKE 'Ripresa%'")
                                     .arg(dm.db.qualified(dm.TblPrimaNota.tableName()))
                                     .arg(cliente));
        return q.next() ? q.value(0).toDouble() : -1;
    }
    int movimenti()
    {
        QSqlQuery q = dm.db.exec("SELECT COUNT(*) FROM " + dm.db.qualified(dm.TblPrimaNota.tableName()));
        return q.next() ? q.value(0).toInt() : -1;
    }

    ArchivioDiProva a{2023, ArchivioDiProva::Avviato};
    TDataModule1& dm = *a.dm;
    std::unique_ptr<TFrmPrevSaldi> w;
};

} // namespace

TEST_F(SaldiPrecedenti, ShowsTheCarriedBalancesOfTheCurrentYearWithTheCustomersNames)
{
    EXPECT_EQ(w->windowTitle(), "Ripresa saldi esercizio precedente");
    EXPECT_EQ(w->saldi().tableName(), TDataModule1::nomeLedger(2024));
    ASSERT_EQ(righe(), 2);
    EXPECT_EQ(w->grdSaldi->model()->headerData(0, Qt::Horizontal).toString(), "Cliente");
    EXPECT_EQ(cella(0, 0), "Alfa Srl Filiale Nord");
    EXPECT_EQ(cella(1, 0), "Beta Spa ");
    EXPECT_EQ(cella(0, 1), "-€ 100,00");

    w->btnChiudi->click();
    EXPECT_FALSE(w->saldi().active());
}

TEST_F(SaldiPrecedenti, AnAmountCanBeCorrected)
{
    w->grdSaldi->setCurrentIndex(w->grdSaldi->model()->index(1, 1));
    QTest::keyClick(w->grdSaldi, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(w->grdSaldi->cellEditor());
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "-12,50");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    w->navSaldi->button(NavButton::Post)->click();
    EXPECT_EQ(importo(2), -12.5);
    EXPECT_EQ(importo(1), -100.0);

    // The customer's name is not a field to type into.
    w->grdSaldi->setCurrentIndex(w->grdSaldi->model()->index(0, 0));
    QTest::keyClick(w->grdSaldi, Qt::Key_F2);
    EXPECT_EQ(w->grdSaldi->cellEditor(), nullptr);
}

TEST_F(SaldiPrecedenti, NoMovementIsAddedOrDeleted)
{
    for (NavButton b : {NavButton::Insert, NavButton::Delete})
        EXPECT_FALSE(w->navSaldi->visibleButtons().testFlag(b));
    w->grdSaldi->setFocus();
    QTest::keyClick(w->grdSaldi, Qt::Key_Insert);
    EXPECT_EQ(w->saldi().state(), DatasetState::Browse);
    QTest::keyClick(w->grdSaldi, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(righe(), 2);
    EXPECT_EQ(movimenti(), 3);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
}
