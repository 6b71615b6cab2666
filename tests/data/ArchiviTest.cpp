#include "Clock.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Files of the working folder as a crash, a full disk or a bad sector leave them.
class Archivi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fissaOggi(QDate(2019, 6, 10));
        TDataModule1::CreaArchivio(dir.path());
        sql({"INSERT INTO Clienti (Codice, Denominazione) VALUES (1, 'Hotel Miramare'), (2, 'Trattoria Da Gino')"});
    }
    void TearDown() override { fissaOggi(QDate()); }

    void sql(const QStringList& statements)
    {
        Database db("ArchiviSetup");
        db.open(dir.filePath("archivi"));
        for (const QString& s : statements)
            db.exec(s);
    }
    std::unique_ptr<TDataModule1> modulo() { return std::make_unique<TDataModule1>(prompts, dir.path()); }

    // Writes a few bytes over the start of a page, as a bad sector would.
    static void danneggia(const QString& file, int pagina)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(qint64(pagina) * 4096);
        f.write(QByteArray(24, '\x5A'));
    }
    // A weekday copy of the archive as it is now, dated the day given.
    void copiaDelGiorno(int giorno, const QDateTime& quando)
    {
        QDir(dir.path()).mkpath(QString::number(giorno));
        const QString copia = dir.filePath(QString("%1/DBLav.db").arg(giorno));
        ASSERT_TRUE(QFile::copy(dir.filePath("archivi/DBLav.db"), copia));
        QFile f(copia);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(quando, QFileDevice::FileModificationTime);
    }

    // Runs work in a child process whose files may grow to at most `limite` bytes: a full
    // disk, or (ucciso) a kill at the very write that crosses the limit. The exit code is what
    // work returns, -1 when the child was killed.
    static int conDiscoPieno(rlim_t limite, const std::function<int()>& work, bool ucciso = false)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            std::signal(SIGXFSZ, ucciso ? SIG_DFL : SIG_IGN);
            rlimit r{limite, limite};
            setrlimit(RLIMIT_FSIZE, &r);
            int code = 99;
            try {
                code = work();
            } catch (...) {
                code = 98;
            }
            _exit(code);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

TEST_F(Archivi, ADamagedArchiveIsRefusedNamingTheSoundCopiesNewestFirst)
{
    copiaDelGiorno(2, QDateTime(QDate(2019, 6, 3), QTime(18, 5)));
    copiaDelGiorno(6, QDateTime(QDate(2019, 6, 7), QTime(19, 30)));
    copiaDelGiorno(7, QDateTime(QDate(2019, 6, 8), QTime(12, 0)));
    danneggia(dir.filePath("7/DBLav.db"), 3);
    danneggia(dir.filePath("archivi/DBLav.db"), 3);
    const QByteArray prima = [&] { QFile f(dir.filePath("archivi/DBLav.db")); f.open(QIODevice::ReadOnly); return f.readAll(); }();

    auto dm = modulo();
    try {
        dm->Avvia();
        FAIL() << "started on a damaged archive";
    } catch (const LavError& e) {
        const QString m = e.message();
        EXPECT_TRUE(m.contains("DBLav.db") && m.contains("danneggiato")) << m.toStdString();
        EXPECT_TRUE(m.contains("cartella 6 (07/06/2019 19:30), cartella 2 (03/06/2019 18:05)")) << m.toStdString();
        EXPECT_FALSE(m.contains("cartella 7")) << m.toStdString();
    }
    EXPECT_FALSE(dm->db.isOpen());
    EXPECT_FALSE(QDir(dir.filePath("2019")).exists());
    QFile f(dir.filePath("archivi/DBLav.db"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), prima);
}

TEST_F(Archivi, AYearFolderWithoutLedgerGetsOneWithoutAsking)
{
    QDir(dir.path()).mkdir("2019");
    auto dm = modulo();
    EXPECT_TRUE(dm->Avvia());
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.last().text.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("2019/PrimaNota.db")));
    EXPECT_TRUE(dm->TblPrimaNota.active());
}

TEST_F(Archivi, AnEmptyLedgerFileLeftByACreationIsMadeAgain)
{
    QDir(dir.path()).mkdir("2019");
    QFile(dir.filePath("2019/PrimaNota.db")).open(QIODevice::WriteOnly);
    auto dm = modulo();
    EXPECT_TRUE(dm->Avvia());
    EXPECT_TRUE(dm->TblPrimaNota.active());
    EXPECT_GT(QFileInfo(dir.filePath("2019/PrimaNota.db")).size(), 0);
}

TEST_F(Archivi, ADamagedLedgerEndsTheStartWithoutTouchingAnyFile)
{
    {
        auto dm = modulo();
        ASSERT_TRUE(dm->Avvia());
        for (int i = 0; i < 300; ++i)
            dm->db.exec(QString("INSERT INTO %1 (Cliente, Causale, Importo) VALUES (1, 'Fattura di vendita', -10)")
                            .arg(dm->db.qualified(TDataModule1::nomeLedger(2019))));
    }
    danneggia(dir.filePath("2019/PrimaNota.db"), 2);
    QDir(dir.path()).mkpath("update");
    Database upd("ArchiviUpdate");
    upd.open(dir.filePath("update"), true, "Servizi.db");
    upd.createTable("Servizi", Tabelle::Servizi());
    upd.close();

    prompts.clear();
    auto dm = modulo();
    EXPECT_THROW(dm->CambiaAnno(2019), LavError);
    EXPECT_TRUE(dm->annoNonApribile());
    dm = modulo();
    dm->sceltaAnno = [&] {
        try {
            dm->CambiaAnno(2019);
        } catch (const LavError&) {
        }
    };
    EXPECT_FALSE(dm->Avvia());
    EXPECT_TRUE(QFile::exists(dir.filePath("update/Servizi.db")));   // not merged: no file touched
    EXPECT_FALSE(dm->TblClienti.active());
}

TEST_F(Archivi, AFullDiskWhileCreatingAYearLeavesNoLedgerBehind)
{
    prompts.answer(Answer::Yes);
    const int code = conDiscoPieno(2048, [&] {
        auto dm = modulo();
        try {
            dm->CambiaAnno(2019);
        } catch (const LavError&) {
            return dm->TblPrimaNota.active() ? 2 : 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("2019/PrimaNota.db")));
    EXPECT_TRUE(QDir(dir.filePath("2019")).entryList(QDir::Files).isEmpty());

    // With room again the year is made at the next start.
    auto dm = modulo();
    EXPECT_TRUE(dm->Avvia());
    EXPECT_TRUE(dm->TblPrimaNota.active());
}

TEST_F(Archivi, AKillWhileCreatingTheArchiveLeavesNoArchive)
{
    QTemporaryDir nuova;
    const int code = conDiscoPieno(
        8192, [&] {
            TDataModule1::CreaArchivio(nuova.path());
            return 1;
        },
        true);
    EXPECT_EQ(code, -1);
    EXPECT_TRUE(TDataModule1::archivioMancante(nuova.path()));
    EXPECT_NO_THROW(TDataModule1::CreaArchivio(nuova.path()));
    ScriptedPrompts p;
    TDataModule1 dm(p, nuova.path());
    EXPECT_TRUE(dm.Avvia());
}

TEST_F(Archivi, AFullDiskWhileCreatingTheNextYearKeepsItsLedger)
{
    {
        auto dm = modulo();
        ASSERT_TRUE(dm->Avvia());
        ASSERT_TRUE(dm->CambiaAnno(2020));
        for (int i = 0; i < 200; ++i)
            dm->db.exec(QString("INSERT INTO %1 (Cliente, Causale, Importo) VALUES (1, 'Fattura di vendita', -10)")
                            .arg(dm->db.qualified(TDataModule1::nomeLedger(2020))));
    }
    const qint64 prima = QFileInfo(dir.filePath("2020/PrimaNota.db")).size();
    const int code = conDiscoPieno(prima / 2, [&] {
        auto dm = modulo();
        dm->sceltaAnno = [&] { dm->CambiaAnno(2019); };
        if (!dm->Avvia())
            return 3;
        try {
            dm->CreaAnnoSuccessivo();
        } catch (const LavError&) {
            return dm->annoEsercizio() == 2019 && dm->TblPrimaNota.active() ? 0 : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    Database db("ArchiviVerifica");
    db.open(dir.filePath("archivi"));
    EXPECT_EQ(db.recordCount(TDataModule1::nomeLedger(2020)), 200);
}

TEST_F(Archivi, AReadOnlyArchiveIsToldAtStartUp)
{
    // As an ordinary user: the folders and the archive cannot be written.
    QDir(dir.path()).mkdir("2019");
    auto dm = modulo();
    ASSERT_TRUE(dm->Avvia());
    dm.reset();
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("archivi")).constData(), 0555), 0);
    ASSERT_EQ(chmod(QFile::encodeName(dir.filePath("archivi/DBLav.db")).constData(), 0444), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(90);
        ScriptedPrompts p;
        TDataModule1 m(p, dir.path());
        int code = 1;
        try {
            if (m.Avvia())
                code = 0;
        } catch (...) {
            code = 2;
        }
        const bool detto = !p.shown().isEmpty() && p.shown().first().type == MsgType::Warning
                           && p.shown().first().text.contains("non può essere modificato");
        _exit(code == 0 && !detto ? 3 : code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    chmod(QFile::encodeName(dir.filePath("archivi")).constData(), 0755);
    chmod(QFile::encodeName(dir.filePath("archivi/DBLav.db")).constData(), 0644);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
