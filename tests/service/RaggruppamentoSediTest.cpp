#include "RaggruppamentoSedi.h"
#include "ServiziDiProva.h"
#include <gtest/gtest.h>

namespace {

// A customer with four sites standing alone, the grouping of the customer screen over them.
class Raggruppamento : public ServiziDiProva
{
protected:
    Raggruppamento()
    {
        c = cliente();
        for (double& s : sedi)
            s = sede({.cliente = c});
        aggiorna();
        r.Aggiorna();
    }

    // Code, group and colour of each site, in the dialog's order (group, own group).
    QStringList gruppi()
    {
        return righe("SELECT Codice, Gruppo, Colore FROM Sedi WHERE \"Codice cliente\" = ? ORDER BY Gruppo, GruppoOrg", {c});
    }

    double c = 0;
    double sedi[4] = {};
    RaggruppamentoSedi r{dm};
};

} // namespace

TEST_F(Raggruppamento, JoinedSitesTakeTheFirstSelectedGroupAndOneColourTheNextGroupTheOther)
{
    r.Raggruppa({sedi[1], sedi[3]});
    EXPECT_EQ(gruppi(), QStringList({"1 | 1 | 0", "2 | 2 | 1", "4 | 2 | 1", "3 | 3 | 0"}));
    // The dialog's query and the customer screen's site table show it at once.
    EXPECT_EQ(r.QryGruppi.valueAt(2, "Codice").toInt(), 4);
    ASSERT_TRUE(dm.TblSedi.locate("Codice", {sedi[3]}));
    EXPECT_EQ(dm.TblSedi["Gruppo"].asInteger(), 2);
}

TEST_F(Raggruppamento, JoiningMovesTheSelectedSiteNotAnotherOfItsGroup)
{
    r.Raggruppa({sedi[0], sedi[1]});                      // sites 1 and 2 form group 1
    r.Raggruppa({sedi[2], sedi[1]});                      // site 2 moves on to site 3's group
    EXPECT_EQ(gruppi(), QStringList({"1 | 1 | 0", "2 | 3 | 1", "3 | 3 | 1", "4 | 4 | 0"}));
}

TEST_F(Raggruppamento, SeparatingGivesASiteItsOwnGroupBackWhateverItHadJoined)
{
    r.Raggruppa({sedi[3], sedi[0], sedi[1]});
    EXPECT_EQ(gruppi(), QStringList({"3 | 3 | 0", "1 | 4 | 1", "2 | 4 | 1", "4 | 4 | 1"}));
    r.Separa({sedi[1]});
    EXPECT_EQ(gruppi(), QStringList({"2 | 2 | 0", "3 | 3 | 1", "1 | 4 | 0", "4 | 4 | 0"}));
}

TEST_F(Raggruppamento, WithNothingSelectedTheGroupsAreOnlyRecoloured)
{
    sql("UPDATE Sedi SET Colore = 1");
    dm.TblSedi.refresh();
    r.Raggruppa({});
    EXPECT_EQ(gruppi(), QStringList({"1 | 1 | 0", "2 | 2 | 1", "3 | 3 | 0", "4 | 4 | 1"}));
    r.Separa({});
    EXPECT_EQ(gruppi(), QStringList({"1 | 1 | 0", "2 | 2 | 1", "3 | 3 | 0", "4 | 4 | 1"}));
}

TEST_F(Raggruppamento, TheSiteTableStaysOnTheSiteTheCustomerScreenShowed)
{
    dm.TblSedi.locate("Codice", {sedi[2]});
    r.Raggruppa({sedi[0], sedi[3]});
    EXPECT_EQ(dm.TblSedi["Codice"].asFloat(), sedi[2]);
}
