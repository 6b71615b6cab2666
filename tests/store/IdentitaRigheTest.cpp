#include "Dataset.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TableDef persone()
{
    TableDef t;
    t.name = "Persone";
    t.fields = {{"Codice", FieldType::Float},
                {"Nome", FieldType::String, 10},
                {"Nato", FieldType::Date},
                {"Attivo", FieldType::Boolean},
                {"Saldo", FieldType::Currency}};
    t.indexes = {{"TblPersoneIndex1", {"Codice"}, true, false}, {"IdxNome", {"Nome"}, false, true}};
    return t;
}

// A table of people read by a window while other windows (or another program) write the same
// file with SQL: the rowids are SQLite's own, reused after a delete of the last row.
class RowIdentity : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(dir.filePath("archivi"), true);
        db.createTable("Persone", persone());
        for (auto [codice, nome] : std::initializer_list<std::pair<int, const char*>>{
                 {1, "Rossi"}, {2, "Bianchi"}, {3, "Verdi"}})
            db.exec("INSERT INTO Persone (Codice, Nome, Attivo, Saldo) VALUES (?, ?, 1, 0)", {codice, nome});
        p.setTableName("Persone");
        p.setDefinition(persone());
        p.setIndexFieldNames("Codice");
        p.open();
    }

    QVariant stored(int codice, const QString& campo)
    {
        QSqlQuery q = db.exec(QString("SELECT \"%1\" FROM Persone WHERE Codice = ?").arg(campo), {codice});
        return q.next() ? q.value(0) : QVariant();
    }

    QTemporaryDir dir;
    Database db{"RowIdentity"};
    Table p{db, "TblPersone"};
};

TEST_F(RowIdentity, AnEditNeverLandsOnTheRowThatTookTheRowidOfADeletedOne)
{
    ASSERT_TRUE(p.locate("Codice", {3}));            // Verdi, the last row
    db.exec("DELETE FROM Persone WHERE Codice = 3");   // meanwhile, in the query window
    db.exec("INSERT INTO Persone (Codice, Nome) VALUES (4, 'Neri')");

    p.edit();
    p["Nome"] = "Verdini";
    try {
        p.post();
        FAIL() << "the edit was written";
    } catch (const RowConflict& e) {
        EXPECT_EQ(e.kind, RowConflict::Vanished);
        EXPECT_TRUE(e.message().startsWith("Le modifiche non sono state registrate")) << e.message().toStdString();
    }
    EXPECT_EQ(p.state(), DatasetState::Edit);
    EXPECT_EQ(stored(4, "Nome").toString(), "Neri");

    // The same for a delete: Neri stays.
    p.cancel();
    ASSERT_TRUE(p.locate("Codice", {2}));
    db.exec("DELETE FROM Persone WHERE Codice = 2");
    EXPECT_THROW(p.remove(), RowConflict);
    EXPECT_EQ(stored(4, "Nome").toString(), "Neri");
    EXPECT_EQ(db.recordCount("Persone"), 2);
}

TEST_F(RowIdentity, AnEditOfARowChangedMeanwhileIsRefusedAndCancelShowsTheStoredValues)
{
    ASSERT_TRUE(p.locate("Codice", {1}));
    p.edit();
    p["Nome"] = "Rossini";
    db.exec("UPDATE Persone SET Saldo = 75 WHERE Codice = 1");   // another instance

    try {
        p.post();
        FAIL() << "the other edit was overwritten";
    } catch (const RowConflict& e) {
        EXPECT_EQ(e.kind, RowConflict::Changed);
    }
    EXPECT_EQ(p.state(), DatasetState::Edit);
    EXPECT_EQ(p["Nome"].asString(), "Rossini");           // what the user typed is still there
    EXPECT_EQ(stored(1, "Nome").toString(), "Rossi");
    EXPECT_EQ(stored(1, "Saldo").toInt(), 75);

    p.cancel();
    EXPECT_EQ(p["Codice"].asInteger(), 1);
    EXPECT_EQ(p["Saldo"].asFloat(), 75);                  // read again

    // Now the edit goes through: nothing changed since it was read.
    p.edit();
    p["Nome"] = "Rossini";
    p.post();
    EXPECT_EQ(stored(1, "Nome").toString(), "Rossini");
    EXPECT_EQ(stored(1, "Saldo").toInt(), 75);
}

TEST_F(RowIdentity, ADeleteOfARowChangedMeanwhileIsRefusedAndTheRowsAreReadAgain)
{
    ASSERT_TRUE(p.locate("Codice", {2}));
    db.exec("UPDATE Persone SET Nome = 'Bianchini' WHERE Codice = 2");
    try {
        p.remove();
        FAIL() << "a row changed elsewhere was deleted";
    } catch (const RowConflict& e) {
        EXPECT_EQ(e.kind, RowConflict::Changed);
    }
    EXPECT_EQ(db.recordCount("Persone"), 3);
    EXPECT_EQ(p["Nome"].asString(), "Bianchini");
}

TEST_F(RowIdentity, ValuesStoredInOtherSpellingsAreNotTakenForAChange)
{
    // Written by hand: an empty text, a boolean as text, a date with its time.
    db.exec("INSERT INTO Persone (Codice, Nome, Nato, Attivo, Saldo) VALUES (9, '', '2019-03-01 10:00:00', 'True', 12)");
    p.refresh();
    ASSERT_TRUE(p.locate("Codice", {9}));
    p.edit();
    p["Saldo"] = 13.5;
    EXPECT_NO_THROW(p.post());
    EXPECT_DOUBLE_EQ(stored(9, "Saldo").toDouble(), 13.5);
    p.edit();
    p["Saldo"] = 14;
    EXPECT_NO_THROW(p.post());   // the row in memory matches what the first post wrote
    EXPECT_NO_THROW(p.remove());
    EXPECT_FALSE(stored(9, "Codice").isValid());
}

TEST_F(RowIdentity, ATableWithoutKeyIsCheckedOnEveryValueOfItsRow)
{
    TableDef t;
    t.name = "Impostazioni";
    t.fields = {{"Ditta", FieldType::String, 20}, {"Progr", FieldType::SmallInt}};
    db.createTable("Impostazioni", t);
    db.exec("INSERT INTO Impostazioni VALUES ('Zanfo', 7)");
    Table imp(db, "TblImpostazioni");
    imp.setTableName("Impostazioni");
    imp.open();
    imp.edit();
    imp["Progr"] = 8;
    // The record is replaced by another one that takes the same rowid.
    db.exec("DELETE FROM Impostazioni");
    db.exec("INSERT INTO Impostazioni VALUES ('Altra ditta', 1)");
    EXPECT_THROW(imp.post(), RowConflict);
    QSqlQuery q = db.exec("SELECT Ditta, Progr FROM Impostazioni");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Altra ditta");
    EXPECT_EQ(q.value(1).toInt(), 1);
}

TEST_F(RowIdentity, ALiveQueryPostsByTheKeyOfItsTable)
{
    Query q(db, "Query1");
    q.setSql("SELECT * FROM Persone ORDER BY Codice");
    q.setRequestLive(true);
    q.open();
    q.last();                                          // Verdi
    db.exec("DELETE FROM Persone WHERE Codice = 3");
    db.exec("INSERT INTO Persone (Codice, Nome) VALUES (4, 'Neri')");
    q.edit();
    q["Nome"] = "Verdini";
    EXPECT_THROW(q.post(), RowConflict);
    EXPECT_EQ(stored(4, "Nome").toString(), "Neri");

    q.cancel();
    q.first();
    q.edit();
    q["Nome"] = "Rossini";
    q.post();
    EXPECT_EQ(stored(1, "Nome").toString(), "Rossini");
}

TEST_F(RowIdentity, TextsAreCutAtWholeCharacters)
{
    p.insert();
    p["Codice"] = 10;
    p["Nome"] = QString("Stazzonat") + QString::fromUtf8("\xF0\x9F\x98\x80");   // 9 letters and an emoji
    p.post();
    EXPECT_EQ(stored(10, "Nome").toString(), "Stazzonat");
    p.edit();
    p["Nome"] = QString("Caffettie") + QString::fromUtf8("e\xCC\x81");      // an e with its accent
    p.post();
    EXPECT_EQ(stored(10, "Nome").toString(), "Caffettie");
    p.edit();
    p["Nome"] = QString::fromUtf8("Caff\xC3\xA8 e t\xC3\xA8 ok");              // accented letters count one each
    p.post();
    EXPECT_EQ(stored(10, "Nome").toString(), QString::fromUtf8("Caff\xC3\xA8 e t\xC3\xA8"));
}

} // namespace
