#include "ArchivioDemo.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The navigator of the agents screen over the demo agents.
class NavigatoreAgenti : public ::testing::Test
{
protected:
    NavigatoreAgenti() : nav(&dm.DSAgenti, Nav::All, a.prompts) { nav.setHints(DbNavigator::hintsStandard); }

    // The buttons enabled now, in their order.
    QStringList abilitati()
    {
        QStringList nomi;
        const std::pair<NavButton, const char*> tutti[] = {
            {NavButton::First, "first"}, {NavButton::Prior, "prior"}, {NavButton::Next, "next"},
            {NavButton::Last, "last"},   {NavButton::Insert, "insert"}, {NavButton::Delete, "delete"},
            {NavButton::Edit, "edit"},   {NavButton::Post, "post"},   {NavButton::Cancel, "cancel"},
            {NavButton::Refresh, "refresh"}};
        for (auto [b, nome] : tutti)
            if (nav.button(b)->isEnabled())
                nomi << nome;
        return nomi;
    }

    ArchivioDemo a;
    TDataModule1& dm = *a.dm;
    Table& agenti = dm.TblAgenti;
    DbNavigator nav;
};

} // namespace

TEST_F(NavigatoreAgenti, ButtonsFollowTheStateAndThePosition)
{
    EXPECT_EQ(nav.button(NavButton::Insert)->toolTip(), "Inserisce");
    agenti.first();
    nav.updateButtons();
    EXPECT_EQ(abilitati(), QStringList({"next", "last", "insert", "delete", "edit", "refresh"}));

    nav.click(NavButton::Next);
    EXPECT_EQ(abilitati(), QStringList({"first", "prior", "next", "last", "insert", "delete", "edit", "refresh"}));

    nav.click(NavButton::Last);
    EXPECT_EQ(abilitati(), QStringList({"first", "prior", "insert", "delete", "edit", "refresh"}));

    nav.click(NavButton::Edit);
    EXPECT_EQ(abilitati(), QStringList({"first", "prior", "insert", "delete", "post", "cancel", "refresh"}));
    nav.click(NavButton::Cancel);
    EXPECT_EQ(agenti.state(), DatasetState::Browse);

    // No agent qualifies: nothing to edit or delete, a new one can still be inserted.
    agenti.setFilter("Codice = 999");
    agenti.setFiltered(true);
    EXPECT_EQ(abilitati(), QStringList({"insert", "refresh"}));
    nav.click(NavButton::Insert);
    EXPECT_EQ(abilitati(), QStringList({"insert", "post", "cancel", "refresh"}));
    nav.click(NavButton::Cancel);

    agenti.close();
    EXPECT_EQ(abilitati(), QStringList());
}

TEST_F(NavigatoreAgenti, AnAbortBeforePostKeepsTheTypedRecordInEdit)
{
    agenti.beforePost += [this](Dataset&) {
        a.prompts.warning("Registrazione rifiutata.");
        throw Abort{};
    };
    DbEdit nominativo(&dm.DSAgenti, "Nominativo", a.prompts);
    const QString prima = agenti["Nominativo"].asString();
    const double codice = agenti["Codice"].asFloat();

    nav.click(NavButton::Edit);
    nominativo.selectAll();
    QTest::keyClicks(&nominativo, "Bianchi Carla");
    EXPECT_FALSE(nav.click(NavButton::Post));     // the text still in the box is written first

    EXPECT_EQ(agenti.state(), DatasetState::Edit);
    EXPECT_EQ(agenti["Nominativo"].asString(), "Bianchi Carla");
    EXPECT_EQ(a.prompts.shown(), QList<Prompt>({Prompt::warning("Registrazione rifiutata.")}));
    EXPECT_TRUE(nav.button(NavButton::Post)->isEnabled());

    nav.click(NavButton::Cancel);
    EXPECT_EQ(nominativo.text(), prima);
    EXPECT_EQ(a.leggi(QString("SELECT Nominativo FROM Agenti WHERE Codice = %1").arg(codice)).toString(), prima);
}

TEST_F(NavigatoreAgenti, AStoreErrorIsShownInTheStandardBoxAndChangesNothing)
{
    Query& sedi = dm.QuerySedi;
    sedi.open();
    DataSource dsSedi(&sedi);
    DbNavigator navSedi(&dsSedi, Nav::All, a.prompts);
    const int righe = sedi.recordCount();
    EXPECT_FALSE(navSedi.button(NavButton::Insert)->isEnabled());   // a query's result is read-only

    EXPECT_FALSE(navSedi.click(NavButton::Insert));
    EXPECT_EQ(a.prompts.last(), Prompt::error("QuerySedi: l'archivio è di sola lettura."));
    EXPECT_EQ(sedi.state(), DatasetState::Browse);
    EXPECT_EQ(sedi.recordCount(), righe);
}

TEST_F(NavigatoreAgenti, DeleteAsksItsQuestionAndCancelKeepsTheRecord)
{
    nav.setDeleteQuestion("Elimino il record?");
    const int prima = agenti.recordCount();
    a.prompts.answer(Answer::Cancel);
    EXPECT_FALSE(nav.click(NavButton::Delete));
    EXPECT_EQ(a.prompts.last(), Prompt::confirmation("Elimino il record?"));
    EXPECT_EQ(agenti.recordCount(), prima);

    EXPECT_TRUE(nav.click(NavButton::Delete));     // OK
    EXPECT_EQ(agenti.recordCount(), prima - 1);
    EXPECT_EQ(a.leggi("SELECT COUNT(*) FROM Agenti").toInt(), prima - 1);

    a.prompts.clear();
    nav.setDeleteQuestion({});
    nav.click(NavButton::Delete);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_EQ(agenti.recordCount(), prima - 2);
}

TEST_F(NavigatoreAgenti, HooksRunAroundTheActionAndTheFirstMayRefuseIt)
{
    QStringList visti;
    nav.beforeAction = [&](NavButton b) {
        dm.DSAgenti.tag = 1;
        visti << "prima";
        if (b == NavButton::Delete)
            throw Abort{};
    };
    agenti.afterScroll += [&](Dataset&) { visti << QString("scorre con tag %1").arg(dm.DSAgenti.tag); };
    nav.afterAction = [&](NavButton) { visti << "dopo"; };
    nav.actionFinished = [&](NavButton) {
        dm.DSAgenti.tag = 0;
        visti << "fine";
    };

    nav.click(NavButton::Next);
    EXPECT_EQ(visti, QStringList({"prima", "scorre con tag 1", "dopo", "fine"}));

    visti.clear();
    const int prima = agenti.recordCount();
    EXPECT_FALSE(nav.click(NavButton::Delete));
    EXPECT_EQ(visti, QStringList({"prima", "fine"}));
    EXPECT_EQ(agenti.recordCount(), prima);
    EXPECT_TRUE(a.prompts.shown().isEmpty());      // refused before the question
    EXPECT_EQ(dm.DSAgenti.tag, 0);
}
