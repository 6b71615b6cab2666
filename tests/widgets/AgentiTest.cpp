#include "ArchivioDemo.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "StateCaption.h"
#include "WindowRegistry.h"
#include <QDialog>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The agents kept in a grid with a navigator, as a maintenance window of the program is built.
class FinestraAgenti : public QDialog
{
public:
    FinestraAgenti(TDataModule1& dm, QWidget* owner) : QDialog(owner)
    {
        auto* colonna = new QVBoxLayout(this);
        nav = new DbNavigator(&dm.DSAgenti, Nav::Browse | Nav::Editing, dm.prompts, this);
        nav->setHints(DbNavigator::hintsStandard);
        nav->setDeleteQuestion("Elimino il record?");
        griglia = new DbGrid(&dm.DSAgenti, dm.prompts, this);
        griglia->setColumns({{.field = "Codice", .width = 60, .alignment = Qt::AlignHCenter, .readOnly = true},
                             {.field = "Nominativo", .width = 220},
                             {.field = "Percentuale"},
                             {.field = "Provvigione", .readOnly = true}});
        nominativo = new DbEdit(&dm.DSAgenti, "Nominativo", dm.prompts, this);
        colonna->addWidget(nav);
        colonna->addWidget(griglia);
        colonna->addWidget(nominativo);
        followState(this, "Agenti", dm.DSAgenti);
        resize(520, 320);
    }

    DbNavigator* nav;
    DbGrid* griglia;
    DbEdit* nominativo;
};

class Agenti : public ::testing::Test
{
protected:
    Agenti() : finestre(&principale) {}

    FinestraAgenti& apri()
    {
        return finestre.get<FinestraAgenti>([this](QWidget* owner) { return new FinestraAgenti(*a.dm, owner); });
    }
    QString cella(FinestraAgenti& w, int riga, int colonna)
    {
        return w.griglia->model()->index(riga, colonna).data().toString();
    }

    ArchivioDemo a;
    QWidget principale;
    WindowRegistry finestre;
};

} // namespace

TEST_F(Agenti, TheWindowIsMadeOnceAndKeptByItsOwner)
{
    EXPECT_EQ(finestre.find<FinestraAgenti>(), nullptr);
    FinestraAgenti& w = apri();
    EXPECT_EQ(&apri(), &w);
    EXPECT_EQ(finestre.find<FinestraAgenti>(), &w);
    EXPECT_EQ(w.parentWidget(), &principale);
}

TEST_F(Agenti, EditingInTheGridAndPostingWithTheNavigator)
{
    Table& agenti = a.dm->TblAgenti;
    FinestraAgenti& w = apri();
    ASSERT_TRUE(mostraAttiva(w));
    EXPECT_EQ(w.windowTitle(), "Agenti [Visualizzazione]");
    EXPECT_EQ(w.griglia->model()->rowCount(), agenti.recordCount());

    // The percentage of the second agent, typed in its cell.
    QTest::keyClick(w.griglia, Qt::Key_Down);
    QTest::keyClick(w.griglia, Qt::Key_Right);
    QTest::keyClick(w.griglia, Qt::Key_Right);
    const double codice = agenti["Codice"].asFloat();
    QTest::keyClick(w.griglia, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(w.griglia->cellEditor());
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "12,5");
    EXPECT_EQ(w.windowTitle(), "Agenti [Visualizzazione]");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), "Agenti [Modifica]");
    EXPECT_EQ(cella(w, 1, 2), "12,5");
    EXPECT_TRUE(w.nav->button(NavButton::Post)->isEnabled());

    w.nav->button(NavButton::Post)->click();
    EXPECT_EQ(w.windowTitle(), "Agenti [Visualizzazione]");
    EXPECT_EQ(a.leggi(QString("SELECT Percentuale FROM Agenti WHERE Codice = %1").arg(codice)).toDouble(), 12.5);

    // A new agent: the grid shows the row being inserted, the edit box takes the name.
    w.nav->button(NavButton::Insert)->click();
    EXPECT_EQ(w.windowTitle(), "Agenti [Inserimento]");
    EXPECT_EQ(w.griglia->model()->rowCount(), 6);
    w.nominativo->setFocus();
    QTest::keyClicks(w.nominativo, "Ferri Paolo");
    w.nav->button(NavButton::Post)->click();
    EXPECT_EQ(w.windowTitle(), "Agenti [Visualizzazione]");
    EXPECT_EQ(agenti["Nominativo"].asString(), "Ferri Paolo");
    EXPECT_EQ(cella(w, w.griglia->currentIndex().row(), 1), "Ferri Paolo");
    EXPECT_EQ(a.leggi("SELECT COUNT(*) FROM Agenti").toInt(), 6);

    // Deleting it asks first.
    a.prompts.answer(Answer::Cancel);
    w.nav->button(NavButton::Delete)->click();
    EXPECT_EQ(a.prompts.last(), Prompt::confirmation("Elimino il record?"));
    EXPECT_EQ(agenti.recordCount(), 6);
    w.nav->button(NavButton::Delete)->click();
    EXPECT_EQ(w.griglia->model()->rowCount(), 5);
    EXPECT_EQ(a.leggi("SELECT COUNT(*) FROM Agenti WHERE Nominativo = 'Ferri Paolo'").toInt(), 0);
}
