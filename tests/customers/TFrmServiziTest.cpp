#include "ArchivioDiProva.h"
#include "DbCheckBox.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "TFrmServizi.h"
#include "TFrmServiziLst.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The articles screen over three articles: Asciugamano (10 in stock, 4 at customers), Dispenser
// (3 in stock) and Sapone (none).
class SchermataMagazzino : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fissaOggi(QDate(2024, 5, 20));
        dm.db.exec("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori, Fatturabile) VALUES "
                   "(1, 'Asciugamano', 'Spugna', 10, 4, 1), (2, 'Dispenser', 'Carta', 3, 0, 1), "
                   "(3, 'sapone', 'Liquido', 0, 0, 0)");
        dm.TblServizi.refresh();
        w = std::make_unique<TFrmServizi>(dm, nullptr);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    QVariant leggi(const QString& testo)
    {
        QSqlQuery q = dm.db.exec(testo);
        return q.next() ? q.value(0) : QVariant();
    }
    double dentro(int codice) { return leggi(QString("SELECT Dentro FROM Servizi WHERE Codice = %1").arg(codice)).toDouble(); }
    void vaiA(const QString& descrizione) { ASSERT_TRUE(dm.TblServizi.locate("Descrizione", {descrizione})); }
    // Tipo movimento, Quantità and Motivo of the last stock movement.
    QStringList ultimoMovimento()
    {
        QSqlQuery q = dm.db.exec("SELECT \"Tipo movimento\", \"Quantità\", Motivo FROM Stomag ORDER BY Codice DESC LIMIT 1");
        if (!q.next())
            return {};
        return {q.value(0).toString(), QString::number(q.value(1).toDouble()), q.value(2).toString()};
    }
    int movimenti() { return leggi("SELECT COUNT(*) FROM Stomag").toInt(); }
    void registra() { w->navServizi->button(NavButton::Post)->click(); }

    ArchivioDiProva a{2024, ArchivioDiProva::Avviato};
    TDataModule1& dm = *a.dm;
    std::unique_ptr<TFrmServizi> w;
};

} // namespace

TEST_F(SchermataMagazzino, AnIncrementAddsToTheStockAndLogsAPurchase)
{
    vaiA("Asciugamano");
    EXPECT_FALSE(w->speQuantita->isVisible());
    w->SBtnInsert->click();
    EXPECT_EQ(w->windowTitle(), "Giacenza magazzino [Modifica]");
    EXPECT_TRUE(w->speQuantita->isVisible());
    EXPECT_EQ(w->lblQuantita->text(), "&Incremento");
    EXPECT_TRUE(w->speQuantita->hasFocus());
    for (QToolButton* b : {w->SBtnInsert, w->SBtnDelete, w->SBtnRicerca})
        EXPECT_FALSE(b->isEnabled());

    QTest::keyClicks(w->speQuantita, "25");
    QTest::keyClicks(w->edtMotivo, "Fornitura di maggio");
    registra();
    EXPECT_EQ(dentro(1), 35);
    EXPECT_EQ(ultimoMovimento(), QStringList({"Acquisto", "25", "Fornitura di maggio"}));
    EXPECT_EQ(w->edtMotivo->text(), "");
    EXPECT_FALSE(w->speQuantita->isVisible());
    EXPECT_EQ(w->windowTitle(), "Giacenza magazzino [Visualizzazione]");
    EXPECT_TRUE(w->SBtnInsert->isEnabled());
}

TEST_F(SchermataMagazzino, AnIncrementOfNothingIsStillLogged)
{
    vaiA("sapone");
    w->SBtnInsert->click();
    registra();
    EXPECT_EQ(dentro(3), 0);
    EXPECT_EQ(ultimoMovimento(), QStringList({"Acquisto", "0", ""}));
}

TEST_F(SchermataMagazzino, ADecrementMayTakeTheWholeStockButNoMore)
{
    vaiA("Dispenser");
    w->SBtnDelete->click();
    EXPECT_EQ(w->lblQuantita->text(), "&Decremento");
    QTest::keyClicks(w->speQuantita, "4");
    registra();
    EXPECT_EQ(a.prompts.last(), Prompt::error("Valore da decrementare maggiore dell'attuale giacenza."));
    EXPECT_EQ(dm.TblServizi.state(), DatasetState::Edit);
    EXPECT_TRUE(w->speQuantita->isVisible());
    EXPECT_EQ(dm.TblServizi["Dentro"].asFloat(), 3);
    EXPECT_EQ(dentro(2), 3);
    EXPECT_EQ(movimenti(), 0);

    w->speQuantita->selectAll();
    QTest::keyClicks(w->speQuantita, "3");
    registra();
    EXPECT_EQ(dentro(2), 0);
    EXPECT_EQ(ultimoMovimento(), QStringList({"Rimozione", "3", ""}));
}

TEST_F(SchermataMagazzino, TheStockIsTypedOnlyForANewArticle)
{
    EXPECT_FALSE(w->edtDentro->isEnabled());
    EXPECT_FALSE(w->edtFuori->isEnabled());
    EXPECT_EQ(w->navServizi->button(NavButton::Insert)->toolTip(), "Primo inserimento");

    w->navServizi->button(NavButton::Insert)->click();
    EXPECT_EQ(w->windowTitle(), "Giacenza magazzino [Inserimento]");
    EXPECT_TRUE(w->edtDentro->isEnabled());
    EXPECT_FALSE(w->speQuantita->isVisible());
    QTest::keyClicks(w->edtDescrizione, "Telo");
    QTest::keyClicks(w->edtDentro, "7");
    registra();
    EXPECT_EQ(leggi("SELECT Dentro FROM Servizi WHERE Descrizione = 'Telo'").toDouble(), 7);
    EXPECT_FALSE(w->edtDentro->isEnabled());

    // Neither an ordinary edit nor a stock change lets it be typed.
    QTest::keyClicks(w->edtTipo, "Cotone");
    EXPECT_EQ(dm.TblServizi.state(), DatasetState::Edit);
    EXPECT_FALSE(w->edtDentro->isEnabled());
    registra();
    w->SBtnInsert->click();
    EXPECT_FALSE(w->edtDentro->isEnabled());
}

TEST_F(SchermataMagazzino, ClosingGivesUpTheChangeAndEmptiesTheReason)
{
    vaiA("Asciugamano");
    w->SBtnInsert->click();
    QTest::keyClicks(w->speQuantita, "5");
    QTest::keyClicks(w->edtMotivo, "Reso");
    w->btnChiudi->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->FrmServiziLst()->isVisible());
    EXPECT_EQ(w->edtMotivo->text(), "");
    EXPECT_EQ(dm.TblServizi.state(), DatasetState::Browse);
    EXPECT_EQ(dm.TblServizi.tag, 0);
    EXPECT_EQ(dentro(1), 10);
    EXPECT_EQ(movimenti(), 0);
}

TEST_F(SchermataMagazzino, TheSearchWindowMovesToTheNearestDescription)
{
    ASSERT_TRUE(w->FrmServiziLst());
    TFrmServiziLst& lst = *w->FrmServiziLst();
    EXPECT_TRUE(lst.isVisible());
    EXPECT_EQ(lst.windowTitle(), "Elenco giacenze");
    EXPECT_EQ(lst.grdRicerca->model()->rowCount(), 3);

    QTest::keyClicks(lst.edtRicerca, "DIS");
    EXPECT_EQ(dm.TblServizi["Descrizione"].asString(), "Dispenser");
    lst.edtRicerca->setText("Sa");
    EXPECT_EQ(dm.TblServizi["Descrizione"].asString(), "sapone");
    lst.edtRicerca->setText("B");
    EXPECT_EQ(dm.TblServizi["Descrizione"].asString(), "Dispenser");
    lst.edtRicerca->clear();
    EXPECT_EQ(dm.TblServizi["Descrizione"].asString(), "Asciugamano");
}
