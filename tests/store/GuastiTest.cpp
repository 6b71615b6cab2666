#include "Database.h"
#include "Errors.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

TableDef movimenti()
{
    TableDef t;
    t.name = "Movimenti";
    t.fields = {{"Codice", FieldType::AutoInc}, {"Testo", FieldType::String, 200}};
    t.indexes = {{"TblMovimentiIndex1", {"Codice"}, true, false}};
    return t;
}

// An archive with a few hundred rows, spread over many pages.
class StoreFaults : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(dir.filePath("archivi"), true);
        db.createTable("Movimenti", movimenti());
        db.startTransaction();
        for (int i = 0; i < 400; ++i)
            db.exec("INSERT INTO Movimenti (Testo) VALUES (?)", {QString(150, QChar('a' + i % 26))});
        db.commit();
    }

    // Overwrites a few bytes in the middle of a page of the archive, as a bad sector would.
    void danneggia(const QString& file, int pagina)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(qint64(pagina) * 4096 + 8);
        f.write(QByteArray(16, '\xA5'));
    }

    QTemporaryDir dir;
    Database db{"StoreFaults"};
};

TEST_F(StoreFaults, AFullDiskIsReportedAsSuchAndTheTransactionEndsCleanly)
{
    QSqlQuery q = db.exec("PRAGMA page_count");
    ASSERT_TRUE(q.next());
    const int pagine = q.value(0).toInt();
    q.finish();
    db.exec(QString("PRAGMA max_page_count = %1").arg(pagine + 2));

    db.startTransaction();
    try {
        for (int i = 0; i < 200; ++i)
            db.exec("INSERT INTO Movimenti (Testo) VALUES (?)", {QString(190, 'z')});
        FAIL() << "the disk never filled";
    } catch (const LavError& e) {
        EXPECT_TRUE(e.message().startsWith("Spazio su disco esaurito")) << e.message().toStdString();
    }
    EXPECT_NO_THROW(db.rollback());
    EXPECT_FALSE(db.inTransaction());
    EXPECT_EQ(db.recordCount("Movimenti"), 400);

    // A savepoint over the same failure is given up without a second error.
    {
        Savepoint sp(db);
        EXPECT_THROW(db.exec("INSERT INTO Movimenti (Testo) SELECT Testo FROM Movimenti"), LavError);
    }
    EXPECT_EQ(db.recordCount("Movimenti"), 400);
}

TEST_F(StoreFaults, StatementErrorsSpeakItalian)
{
    auto messaggio = [this](const QString& sql) {
        try {
            db.exec(sql);
        } catch (const LavError& e) {
            return e.message().section('\n', 0, 0);
        }
        return QString();
    };
    EXPECT_EQ(messaggio("SELECT * FROM Nessuna"), "La tabella Nessuna non esiste.");
    EXPECT_EQ(messaggio("SELECT Colore FROM Movimenti"), "Il campo Colore non esiste.");
    EXPECT_EQ(messaggio("SELEC 1"), "Errore di sintassi vicino a \"SELEC\".");
    EXPECT_EQ(messaggio("INSERT INTO Movimenti (Codice) VALUES (1)"),
              "Valore già presente in un indice univoco (Movimenti.Codice).");
}

TEST_F(StoreFaults, ADamagedPageIsFoundByTheQuickCheck)
{
    EXPECT_EQ(db.integrityProblem(), "");
    const QString file = db.filePath();
    db.close();
    danneggia(file, 5);
    EXPECT_NE(Database::checkFile(file), "");
    db.open(dir.filePath("archivi"));
    EXPECT_NE(db.integrityProblem(), "");
}

TEST_F(StoreFaults, ACopyThatWouldNotBeSoundNeverReplacesTheOldOne)
{
    const QString copia = dir.filePath("copia.db");
    db.backupTo(copia);
    EXPECT_EQ(Database::checkFile(copia), "");
    const QString file = db.filePath();
    db.close();
    danneggia(file, 5);
    db.open(dir.filePath("archivi"));
    EXPECT_THROW(db.backupTo(copia), LavError);
    EXPECT_EQ(Database::checkFile(copia), "");        // last week's copy is still there, sound
    EXPECT_FALSE(QFile::exists(copia + ".nuovo"));
}

TEST_F(StoreFaults, ACopyReplacesTheOldOneWithoutEverRemovingIt)
{
    const QString copia = dir.filePath("copia.db");
    db.backupTo(copia);
    // Watch the folder: the old copy must give way to the new one in one rename, never be
    // deleted first (a kill in between would leave no copy at all).
    const int fd = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_GE(inotify_add_watch(fd, QFile::encodeName(dir.path()).constData(), IN_DELETE | IN_MOVED_TO), 0);
    db.backupTo(copia);
    char buf[4096];
    QStringList cancellati, arrivati;
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) {
        for (char* p = buf; p < buf + n;) {
            auto* ev = reinterpret_cast<inotify_event*>(p);
            const QString nome = ev->len ? QString::fromUtf8(ev->name) : QString();
            (ev->mask & IN_DELETE ? cancellati : arrivati) << nome;
            p += sizeof(inotify_event) + ev->len;
        }
    }
    close(fd);
    EXPECT_FALSE(cancellati.contains("copia.db")) << cancellati.join(' ').toStdString();
    EXPECT_TRUE(arrivati.contains("copia.db"));
}

TEST_F(StoreFaults, TableFilesAreFoundWhateverTheCaseOfTheirName)
{
    QDir(dir.path()).mkdir("2019");
    {
        Database altro("StoreFaultsLedger");
        altro.open(dir.filePath("2019"), true);   // makes 2019/DBLav.db
        altro.createTable("PrimaNota", movimenti());
        altro.exec("INSERT INTO PrimaNota (Testo) VALUES ('Fattura di vendita')");
    }
    ASSERT_TRUE(QFile::rename(dir.filePath("2019/DBLav.db"), dir.filePath("2019/PRIMANOTA.DB")));
    EXPECT_TRUE(db.tableExists("..\\2019\\PrimaNota.DB"));
    EXPECT_EQ(db.recordCount("../2019/primanota.db"), 1);
    EXPECT_EQ(db.fileOf("..\\2019\\PrimaNota.DB"), dir.filePath("2019/PRIMANOTA.DB"));
    EXPECT_EQ(db.fileOf("..\\2020\\PrimaNota.DB"), dir.filePath("2020/PrimaNota.db"));   // a new one
}

} // namespace
