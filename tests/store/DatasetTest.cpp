#include "Dataset.h"
#include <QDir>
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
                {"Attivo", FieldType::Boolean, 0, true},
                {"Figli", FieldType::SmallInt},
                {"Voto", FieldType::SmallInt, 0, {}, 1.0, 10.0},
                {"Saldo", FieldType::Currency}};
    t.indexes = {{"TblPersoneIndex1", {"Codice"}, true, false}, {"IdxNome", {"Nome"}, false, true}};
    return t;
}

TableDef figli()
{
    TableDef t;
    t.name = "Figli";
    t.fields = {{"Progr", FieldType::AutoInc}, {"Genitore", FieldType::Float}, {"Nome", FieldType::String, 20}};
    t.indexes = {{"TblFigliIndex1", {"Progr"}, true, false}, {"IdxGenitore", {"Genitore"}, false, true}};
    return t;
}

class DatasetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(dir.filePath("archivi"), true);
        db.createTable("Persone", persone());
        db.createTable("Figli", figli());
        for (auto [codice, nome] : std::initializer_list<std::pair<int, const char*>>{
                 {1, "rossi"}, {2, "Bianchi"}, {7, "Verdi"}, {3, "Russo"}, {4, "Esposito"}})
            db.exec("INSERT INTO Persone (Codice, Nome, Attivo, Saldo) VALUES (?, ?, 1, 0)", {codice, nome});
        db.exec("INSERT INTO Figli (Genitore, Nome) VALUES (1, 'Anna'), (1, 'Luca'), (2, 'Sara')");
        p.setTableName("Persone");
        p.setDefinition(persone());
        f.setTableName("Figli");
        f.setDefinition(figli());
    }

    QStringList names(Dataset& d)
    {
        QStringList out;
        for (int i = 0; i < d.recordCount(); ++i)
            out << d.valueAt(i, "Nome").toString();
        return out;
    }

    QTemporaryDir dir;
    Database db{"DatasetTest"};
    Table p{db, "TblPersone"};
    Table f{db, "TblFigli"};
};

TEST_F(DatasetTest, StoredDefinitionReadsBackTypesWidthsDefaultsAndIndexes)
{
    const TableDef def = db.readDef("Persone");
    ASSERT_EQ(def.fields.size(), 7);
    EXPECT_EQ(def.fields[1].type, FieldType::String);
    EXPECT_EQ(def.fields[1].size, 10);
    EXPECT_EQ(def.fields[2].type, FieldType::Date);
    EXPECT_EQ(def.fields[3].defaultValue, QVariant(true));
    EXPECT_EQ(def.fields[6].type, FieldType::Currency);
    ASSERT_NE(def.index("IdxNome"), nullptr);
    EXPECT_TRUE(def.index("IdxNome")->caseInsensitive);
    EXPECT_FALSE(def.index("IdxNome")->primary);
    EXPECT_TRUE(def.primaryIndex()->name == "TblPersoneIndex1");
    EXPECT_EQ(db.readDef("Figli").fields[0].type, FieldType::AutoInc);
}

TEST_F(DatasetTest, OrderByCaseInsensitiveIndexAndSwitchKeepsTheRecord)
{
    p.setIndexName("IdxNome");
    p.open();
    EXPECT_EQ(names(p), (QStringList{"Bianchi", "Esposito", "rossi", "Russo", "Verdi"}));
    ASSERT_TRUE(p.locate("Nome", {"Russo"}));
    p.setIndexFieldNames("Codice");
    EXPECT_EQ(p["Nome"].asString(), "Russo");
    EXPECT_EQ(p.recNo(), 3);
    p.setIndexName("IdxNome");
    EXPECT_EQ(p.recNo(), 4);
}

TEST_F(DatasetTest, InsertPostsOneRowAndFollowsTheOrder)
{
    p.setIndexName("IdxNome");
    p.open();
    // A row added behind the dataset's back stays unseen: posting does not reload the table.
    db.exec("INSERT INTO Persone (Codice, Nome) VALUES (99, 'Abate')");
    p.insert();
    EXPECT_EQ(p.state(), DatasetState::Insert);
    EXPECT_TRUE(p["Attivo"].asBoolean());   // default of the field
    p["Codice"] = 8;
    p["Nome"] = "Conti";
    p.post();
    EXPECT_EQ(p.state(), DatasetState::Browse);
    EXPECT_EQ(names(p), (QStringList{"Bianchi", "Conti", "Esposito", "rossi", "Russo", "Verdi"}));
    EXPECT_EQ(p["Nome"].asString(), "Conti");
    EXPECT_EQ(db.recordCount("Persone"), 7);

    // Changing the key moves the record to its new place.
    p.edit();
    p["Nome"] = "Zanfo";
    p.post();
    EXPECT_EQ(p.recNo(), 6);
    p.refresh();
    EXPECT_EQ(p.recordCount(), 7);
    EXPECT_EQ(p["Nome"].asString(), "Zanfo");
}

TEST_F(DatasetTest, ValuesAreCutOrRefusedAsTheFieldRequires)
{
    p.open();
    p.edit();
    p["Nome"] = "Bartolomeo Colleoni";
    EXPECT_EQ(p["Nome"].asString(), "Bartolomeo");
    EXPECT_THROW(p["Figli"] = 40000, LavError);
    EXPECT_THROW(p["Voto"] = 11, LavError);
    p["Voto"] = 10;
    p["Saldo"] = 12.34567;
    EXPECT_EQ(p["Saldo"].asMoney(), Money::fromUnits(123457));
    p["Nome"] = "";
    EXPECT_TRUE(p["Nome"].isNull());
    p["Nato"].setText("  /  /    ");
    EXPECT_TRUE(p["Nato"].isNull());
    p["Nato"].setText("05/03/2019");
    EXPECT_EQ(p["Nato"].asDate(), QDate(2019, 3, 5));
    p.post();
    QSqlQuery q = db.exec("SELECT Nato, Figli, Voto FROM Persone WHERE Codice = 1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "2019-03-05");
    EXPECT_TRUE(q.value(1).isNull());
    EXPECT_EQ(q.value(2).toInt(), 10);
}

TEST_F(DatasetTest, AbortLeavesTheRecordAsItWas)
{
    p.open();
    bool refuse = true;
    p.beforePost += [&](Dataset&) {
        if (refuse)
            throw Abort{};
    };
    p.beforeDelete += [&](Dataset&) { throw Abort{}; };
    const QString before = p["Nome"].asString();
    p.edit();
    p["Nome"] = "Cambiato";
    EXPECT_THROW(p.post(), Abort);
    EXPECT_EQ(p.state(), DatasetState::Edit);
    p.cancel();
    EXPECT_EQ(p["Nome"].asString(), before);
    EXPECT_THROW(p.remove(), Abort);
    EXPECT_EQ(p.recordCount(), 5);
    EXPECT_EQ(db.recordCount("Persone"), 5);

    // A refused new record never reaches the table.
    p.onNewRecord += [&](Dataset&) { throw Abort{}; };
    EXPECT_THROW(p.insert(), Abort);
    EXPECT_EQ(p.state(), DatasetState::Browse);
    EXPECT_EQ(p["Nome"].asString(), before);
}

TEST_F(DatasetTest, MovingAwayPostsThePendingEdit)
{
    p.setIndexFieldNames("Codice");
    p.open();
    p.edit();
    p["Figli"] = 2;
    p.next();
    QSqlQuery q = db.exec("SELECT Figli FROM Persone WHERE Codice = 1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
}

TEST_F(DatasetTest, DetailFollowsTheMasterAndTakesItsLink)
{
    p.setIndexFieldNames("Codice");
    f.setIndexName("IdxGenitore");
    f.setMaster(&p, "Codice", "Genitore");
    f.open();
    p.open();
    EXPECT_EQ(names(f), (QStringList{"Anna", "Luca"}));
    p.next();
    EXPECT_EQ(names(f), (QStringList{"Sara"}));
    p.next();
    EXPECT_TRUE(f.isEmpty());
    f.insert();
    f["Nome"] = "Piero";
    f.post();
    EXPECT_EQ(f["Genitore"].asInteger(), 3);
    EXPECT_GT(f["Progr"].asInteger(), 3);   // given by the store
    // While the master inserts, the detail shows the new master's (no) rows.
    p.insert();
    p["Codice"] = 50;
    EXPECT_TRUE(f.isEmpty());
    p.cancel();
    EXPECT_EQ(names(f), (QStringList{"Piero"}));
}

TEST_F(DatasetTest, DisabledControlsHoldBackTheDetails)
{
    p.setIndexFieldNames("Codice");
    f.setMaster(&p, "Codice", "Genitore");
    f.open();
    p.open();
    int reloads = 0;
    QObject::connect(&f, &Dataset::rowsChanged, [&] { ++reloads; });
    p.disableControls();
    p.last();
    p.first();
    p.next();
    EXPECT_EQ(reloads, 0);
    p.enableControls();
    EXPECT_EQ(names(f), (QStringList{"Sara"}));
}

TEST_F(DatasetTest, NearestKeyForIncrementalSearch)
{
    p.setIndexName("IdxNome");
    p.open();
    p.findNearest({"ro"});
    EXPECT_EQ(p["Nome"].asString(), "rossi");
    p.findNearest({"RU"});
    EXPECT_EQ(p["Nome"].asString(), "Russo");
    p.findNearest({"zz"});
    EXPECT_EQ(p["Nome"].asString(), "Verdi");
    EXPECT_TRUE(p.findKey({"ESPOSITO"}));
    EXPECT_FALSE(p.findKey({"Esp"}));
    p.setIndexFieldNames("Codice");
    EXPECT_TRUE(p.findKey({7}));
    EXPECT_EQ(p["Nome"].asString(), "Verdi");
}

TEST_F(DatasetTest, FilterSwitchesKeepTheExpressionAndTheRecord)
{
    p.setIndexFieldNames("Codice");
    p.open();
    p.edit();
    p["Nato"] = QDate(2001, 5, 1);
    p.post();
    ASSERT_TRUE(p.locate("Nome", {"Verdi"}));
    p.setFilter("Codice > 2 and Nome <> 'Russo'");
    EXPECT_EQ(p.recordCount(), 5);       // not yet filtered
    p.setFiltered(true);
    EXPECT_EQ(names(p), (QStringList{"Esposito", "Verdi"}));
    EXPECT_EQ(p["Nome"].asString(), "Verdi");
    p.setFiltered(false);
    EXPECT_EQ(p.filter(), "Codice > 2 and Nome <> 'Russo'");
    EXPECT_EQ(p.recordCount(), 5);
    p.setFilter("Nato >= '01/01/2001'");
    p.setFiltered(true);
    EXPECT_EQ(names(p), (QStringList{"rossi"}));
}

TEST_F(DatasetTest, CalculatedAndLookupFieldsFollowTheirSources)
{
    p.setIndexFieldNames("Codice");
    p.open();
    f.addLookupField("NomeGenitore", FieldType::String, 10, "Genitore", p, "Codice", "Nome");
    f.addCalculatedField("Etichetta", FieldType::String, 40);
    f.onCalcFields += [](Dataset& d) { d["Etichetta"] = d["Nome"].asString() + " di " + d["NomeGenitore"].asString(); };
    f.setIndexFieldNames("Progr");
    f.open();
    EXPECT_EQ(f["Etichetta"].asString(), "Anna di rossi");
    p.edit();
    p["Nome"] = "Rossini";
    p.post();
    EXPECT_EQ(f["NomeGenitore"].asString(), "Rossini");
    EXPECT_EQ(f.valueAt(2, "NomeGenitore").toString(), "Bianchi");
}

TEST_F(DatasetTest, PostErrorCanBeDroppedLeavingTheRecordInEdit)
{
    p.open();
    QString seen;
    p.onPostError = [&](Dataset&, const QString& m) {
        seen = m;
        return true;
    };
    p.insert();
    p["Codice"] = 1;   // duplicate of the primary index
    EXPECT_THROW(p.post(), Abort);
    EXPECT_FALSE(seen.isEmpty());
    EXPECT_EQ(p.state(), DatasetState::Insert);
    EXPECT_EQ(db.recordCount("Persone"), 5);
}

TEST_F(DatasetTest, QueryWithParametersAndLiveSingleTable)
{
    Query q(db, "Query1");
    q.setSql("SELECT p.Nome, count(f.Progr) AS n FROM Persone p JOIN Figli f ON f.Genitore = p.Codice "
             "WHERE p.Codice <= :Max GROUP BY p.Nome ORDER BY p.Nome");
    q.setParam("Max", 1);
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q["n"].asInteger(), 2);
    EXPECT_THROW(q.edit(), LavError);

    Query live(db, "QueryLive");
    live.setRequestLive(true);
    live.setSql("SELECT * FROM Persone WHERE Codice = 2");
    live.open();
    ASSERT_TRUE(live.live());
    live.edit();
    live["Nome"] = "Bianco";
    live.post();
    QSqlQuery check = db.exec("SELECT Nome FROM Persone WHERE Codice = 2");
    ASSERT_TRUE(check.next());
    EXPECT_EQ(check.value(0).toString(), "Bianco");

    // A list of columns with a condition and an order is live too, and keeps the statement's order.
    Query ordinata(db, "QueryOrdinata");
    ordinata.setRequestLive(true);
    ordinata.setSql("SELECT Codice, Nome FROM Persone WHERE Codice > 1 ORDER BY Codice DESC");
    ordinata.open();
    ASSERT_TRUE(ordinata.live());
    EXPECT_EQ(ordinata["Codice"].asInteger(), 7);
    ordinata.next();
    ordinata.edit();
    ordinata["Nome"] = "Zeta";
    ordinata.post();
    EXPECT_EQ(ordinata.recNo(), 2);
    EXPECT_EQ(ordinata.valueAt(0, "Codice").toInt(), 7);
    EXPECT_EQ(ordinata.valueAt(1, "Codice").toInt(), 4);
    EXPECT_EQ(ordinata.valueAt(1, "Nome").toString(), "Zeta");

    Query update(db, "QueryUpd");
    update.setSql("UPDATE Persone SET Figli = 7");
    EXPECT_THROW(update.open(), LavError);
    QSqlQuery untouched = db.exec("SELECT count(*) FROM Persone WHERE Figli = 7");
    ASSERT_TRUE(untouched.next());
    EXPECT_EQ(untouched.value(0).toInt(), 0);   // refused before it ran
    untouched.finish();
    EXPECT_EQ(update.execSql(), 5);
}

TEST_F(DatasetTest, FieldObjectsSurviveCloseAndOpen)
{
    p.open();
    Field* nome = &p["Nome"];
    p.close();
    p.open();
    EXPECT_EQ(&p["Nome"], nome);
    EXPECT_FALSE(nome->asString().isEmpty());
}

TEST_F(DatasetTest, SizeMismatchNamesTableFieldAndWidths)
{
    TableDef wider = persone();
    wider.fields[1].size = 20;
    p.setDefinition(wider);
    try {
        p.open();
        FAIL() << "opened a table whose column is narrower than defined";
    } catch (const SizeMismatch& e) {
        EXPECT_EQ(e.message(), "TblPersone: Size mismatch for field 'Nome', expecting: 20 actual: 10");
    }
    EXPECT_FALSE(p.active());
}

// An atomic post whose rules fail after the row was written and placed: the files, the rows in
// memory and the record the user typed are all as before the post, and the owner hears of it.
TEST_F(DatasetTest, AFailedAtomicPostLeavesFilesRowsAndTypedRecordAsBefore)
{
    p.setIndexName("IdxNome");
    p.atomic = true;
    bool fallisci = true;
    QList<bool> esiti;
    int riallineamenti = 0;
    p.onAtomicEnd = [&](Dataset&, bool ok) { esiti << ok; };
    p.onAtomicFailure = [&](Dataset&) { ++riallineamenti; };
    // The rule writes to another table, then fails.
    p.afterPost += [&](Dataset&) {
        db.exec("INSERT INTO Figli (Genitore, Nome) VALUES (9, 'Orfano')");
        if (fallisci)
            throw LavError("rifiutato");
    };
    p.open();
    const QStringList prima = {"Bianchi", "Esposito", "rossi", "Russo", "Verdi"};

    // An edit that moves the record to the end of the order.
    ASSERT_TRUE(p.locate("Nome", {"Bianchi"}));
    p.edit();
    p["Nome"] = "Zanetti";
    EXPECT_THROW(p.post(), LavError);
    EXPECT_EQ(p.state(), DatasetState::Edit);
    EXPECT_EQ(p["Nome"].asString(), "Zanetti");
    p.cancel();
    EXPECT_EQ(names(p), prima);
    EXPECT_EQ(p["Nome"].asString(), "Bianchi");
    QSqlQuery q = db.exec("SELECT Nome FROM Persone WHERE Codice = 2");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "Bianchi");
    q.finish();
    EXPECT_EQ(db.recordCount("Figli"), 3);

    // An insert.
    p.insert();
    p["Codice"] = 9;
    p["Nome"] = "Conti";
    EXPECT_THROW(p.post(), LavError);
    EXPECT_EQ(p.state(), DatasetState::Insert);
    EXPECT_EQ(p["Nome"].asString(), "Conti");
    EXPECT_EQ(db.recordCount("Persone"), 5);
    EXPECT_EQ(db.recordCount("Figli"), 3);

    // The same record goes through once the rule lets it.
    fallisci = false;
    p.post();
    EXPECT_EQ(names(p), (QStringList{"Bianchi", "Conti", "Esposito", "rossi", "Russo", "Verdi"}));
    EXPECT_EQ(db.recordCount("Persone"), 6);
    EXPECT_EQ(db.recordCount("Figli"), 4);
    EXPECT_EQ(esiti, (QList<bool>{false, false, true}));
    EXPECT_EQ(riallineamenti, 2);
}

// An atomic delete whose rules fail after the row left the file: the row and what the rules
// deleted come back, and the record is current again.
TEST_F(DatasetTest, AFailedAtomicDeleteBringsTheRecordAndItsRulesWorkBack)
{
    p.setIndexFieldNames("Codice");
    p.atomic = true;
    p.beforeDelete += [&](Dataset& d) { db.exec("DELETE FROM Figli WHERE Genitore = ?", {d["Codice"].value()}); };
    p.afterDelete += [](Dataset&) { throw LavError("rifiutato"); };
    p.open();
    ASSERT_TRUE(p.locate("Codice", {1}));
    EXPECT_THROW(p.remove(), LavError);
    EXPECT_EQ(p.state(), DatasetState::Browse);
    EXPECT_EQ(p.recordCount(), 5);
    EXPECT_EQ(p["Nome"].asString(), "rossi");
    EXPECT_EQ(p.recNo(), 1);
    EXPECT_EQ(db.recordCount("Persone"), 5);
    EXPECT_EQ(db.recordCount("Figli"), 3);
}

// Rows marked stale (the master moved, the filter changed) are read only when needed; a record
// posted meanwhile is current at once and stays current when they are read, even where the
// filter would leave it out. A post that fails meanwhile leaves nothing behind.
TEST_F(DatasetTest, ARecordPostedWhileTheRowsAreStaleStaysCurrentWhenTheyAreRead)
{
    p.setIndexFieldNames("Codice");
    f.setIndexName("IdxGenitore");
    f.setMaster(&p, "Codice", "Genitore");
    f.open();
    p.open();
    p.next();                               // Bianchi, the parent of Sara: f is stale
    f.setFilter("Nome = 'Sara'");
    f.setFiltered(true);
    f.insert();
    f["Nome"] = "Piero";
    f.post();
    EXPECT_EQ(f["Nome"].asString(), "Piero");
    EXPECT_EQ(f["Genitore"].asInteger(), 2);
    EXPECT_EQ(names(f), (QStringList{"Sara", "Piero"}));
    EXPECT_EQ(f["Nome"].asString(), "Piero");
    f.refresh();
    EXPECT_EQ(names(f), (QStringList{"Sara"}));

    f.atomic = true;
    bool fallisci = true;
    f.afterPost += [&](Dataset&) {
        if (fallisci)
            throw LavError("rifiutato");
    };
    p.next();                               // Russo, no children: stale again
    f.setFiltered(false);
    f.insert();
    f["Nome"] = "Fantasma";
    EXPECT_THROW(f.post(), LavError);
    EXPECT_EQ(f.state(), DatasetState::Insert);
    f.cancel();
    EXPECT_TRUE(f.isEmpty());
    EXPECT_EQ(db.recordCount("Figli"), 4);
    fallisci = false;
    p.prior();
    EXPECT_EQ(names(f), (QStringList{"Sara", "Piero"}));
}

} // namespace
