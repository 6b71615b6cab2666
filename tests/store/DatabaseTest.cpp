#include "Database.h"
#include "Errors.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TableDef ledger()
{
    TableDef t;
    t.name = "PrimaNota";
    t.fields = {{"Codice", FieldType::AutoInc}, {"Cliente", FieldType::Float}, {"Importo", FieldType::Currency}};
    t.indexes = {{"TblPrimaNotaIndex1", {"Codice"}, true, false}};
    return t;
}

class DatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(dir.filePath("archivi"), true);
        TableDef t;
        t.name = "Clienti";
        t.fields = {{"Codice", FieldType::Float}, {"Denominazione", FieldType::String, 35}, {"Extra", FieldType::String, 5}};
        t.indexes = {{"TblClientiIndex1", {"Codice"}, true, false}, {"IdxName", {"Denominazione"}, false, true}};
        db.createTable("Clienti", t);
        db.exec("INSERT INTO Clienti VALUES (1, 'Hotel Miramare', 'x'), (2, 'Ristorante Da Gino', NULL)");
    }
    QTemporaryDir dir;
    Database db{"DatabaseTest"};
};

TEST_F(DatabaseTest, YearLedgerLivesInItsFolderBesideTheArchive)
{
    QDir(dir.path()).mkdir("2019");
    db.createTable("..\\2019\\PrimaNota.DB", ledger());
    EXPECT_TRUE(QFile::exists(dir.filePath("2019/PrimaNota.db")));
    EXPECT_TRUE(db.tableExists("..\\2019\\PrimaNota.DB"));
    EXPECT_FALSE(db.tableExists("..\\2020\\PrimaNota.DB"));
    EXPECT_FALSE(db.tableExists("PrimaNota"));   // not in the shared archive
    db.exec(QString("INSERT INTO %1 (Cliente, Importo) VALUES (1, -100)").arg(db.qualified("..\\2019\\PrimaNota.DB")));
    EXPECT_EQ(db.recordCount("../2019/PrimaNota.db"), 1);
}

TEST_F(DatabaseTest, TransactionSpansArchiveAndLedger)
{
    QDir(dir.path()).mkdir("2019");
    db.createTable("..\\2019\\PrimaNota.DB", ledger());
    const QString pn = db.qualified("..\\2019\\PrimaNota.DB");
    db.startTransaction();
    db.exec(QString("INSERT INTO %1 (Cliente, Importo) VALUES (1, -100)").arg(pn));
    db.exec("UPDATE Clienti SET Extra = 'y'");
    db.rollback();
    EXPECT_EQ(db.recordCount("..\\2019\\PrimaNota.DB"), 0);
    QSqlQuery q = db.exec("SELECT Extra FROM Clienti WHERE Codice = 1");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), "x");
}

// The guard rolls back whatever was done when it goes out of scope uncommitted; a new file is
// written whole or not at all, the old one staying when its filling fails.
TEST_F(DatabaseTest, ATransactionGuardRollsBackUnlessCommittedAndNewFilesAreWrittenWhole)
{
    const auto extra = [&](int codice) {
        QSqlQuery q = db.exec("SELECT Extra FROM Clienti WHERE Codice = ?", {codice});
        return q.next() ? q.value(0).toString() : QString("?");
    };
    try {
        Transaction t(db);
        db.exec("UPDATE Clienti SET Extra = 'y'");
        throw LavError("interrotto");
    } catch (const LavError&) {
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(extra(1), "x");
    {
        Transaction t(db);
        db.exec("UPDATE Clienti SET Extra = 'z' WHERE Codice = 2");
        t.commit();
    }
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(extra(2), "z");

    QDir(dir.path()).mkdir("2019");
    const QString file = dir.filePath("2019/PrimaNota.db");
    Database::creaFile(file, [](Database& nuovo) {
        nuovo.createTable("PrimaNota", ledger());
        nuovo.exec("INSERT INTO PrimaNota (Cliente, Importo) VALUES (1, -100)");
    });
    EXPECT_THROW(Database::creaFile(file,
                                    [](Database& nuovo) {
                                        nuovo.createTable("PrimaNota", ledger());
                                        throw LavError("disco pieno");
                                    }),
                 LavError);
    EXPECT_EQ(QDir(dir.filePath("2019")).entryList(QDir::Files), QStringList{"PrimaNota.db"});
    EXPECT_EQ(db.recordCount("..\\2019\\PrimaNota.DB"), 1);
}

TEST_F(DatabaseTest, CopyMatchesFieldsByName)
{
    TableDef t;
    t.name = "Nuovi";
    t.fields = {{"Denominazione", FieldType::String, 50}, {"Codice", FieldType::Float}, {"Nuovo", FieldType::Boolean}};
    db.createTable("Nuovi", t);
    EXPECT_EQ(db.copyRecords("Clienti", "Nuovi"), 2);
    QSqlQuery q = db.exec("SELECT Codice, Denominazione, Nuovo FROM Nuovi ORDER BY Codice");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 1);
    EXPECT_EQ(q.value(1).toString(), "Hotel Miramare");
    EXPECT_TRUE(q.value(2).isNull());
}

TEST_F(DatabaseTest, FailedCreateLeavesTheOldTable)
{
    TableDef bad;
    bad.name = "Clienti";
    bad.fields = {{"Codice", FieldType::Float}};
    bad.indexes = {{"Idx", {"Manca"}, false, false}};
    EXPECT_THROW(db.createTable("Clienti", bad), LavError);
    EXPECT_EQ(db.recordCount("Clienti"), 2);
}

TEST_F(DatabaseTest, ValuesAreBoundNeverPasted)
{
    db.exec("SELECT * FROM Clienti WHERE Denominazione = ?", {"x'; DROP TABLE Clienti; --"});
    EXPECT_TRUE(db.tableExists("Clienti"));
}

TEST_F(DatabaseTest, BackupIsAReadableCopyOfTheLiveDatabase)
{
    db.startTransaction();
    db.exec("INSERT INTO Clienti VALUES (3, 'Clinica San Luca', NULL)");
    db.commit();
    const QString target = dir.filePath("copia.db");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("vecchia copia");
    old.close();
    db.backupTo(target);
    Database copy("DatabaseTestCopy");
    QDir(dir.path()).mkdir("c");
    QFile::rename(target, dir.filePath("c/DBLav.db"));
    copy.open(dir.filePath("c"));
    EXPECT_EQ(copy.recordCount("Clienti"), 3);
}

TEST_F(DatabaseTest, AFileThatIsNotADatabaseIsNamed)
{
    QDir(dir.path()).mkdir("rotto");
    QFile f(dir.filePath("rotto/DBLav.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'z'));
    f.close();
    Database other("DatabaseTestBroken");
    try {
        other.open(dir.filePath("rotto"));
        FAIL();
    } catch (const LavError& e) {
        EXPECT_TRUE(e.message().contains("DBLav.db")) << e.message().toStdString();
    }
    EXPECT_FALSE(other.isOpen());
}

} // namespace
