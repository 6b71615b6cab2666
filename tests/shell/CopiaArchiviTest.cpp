#include "ArchivioDiProva.h"
#include "CopiaArchivi.h"
#include "TFrmCopiaFile.h"
#include "TFrmMain.h"
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class CopyOnExit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fissaOggi(QDate(2024, 3, 4));   // a Monday
        aggiungiAgenti(3);
        scrivi(a.percorso("archivi/note.txt"), "prima");
    }

    void aggiungiAgenti(int quanti)
    {
        for (int i = 0; i < quanti; ++i)
            a.dm->db.exec("INSERT INTO Agenti (Codice, Nominativo) VALUES (?, ?)",
                          {++ultimoAgente, QString("Agente %1").arg(ultimoAgente)});
    }

    static void scrivi(const QString& file, const QByteArray& testo)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(testo);
    }

    static QByteArray leggi(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Rows per table of a database file opened on a connection of its own.
    static QMap<QString, int> righe(const QString& file)
    {
        QMap<QString, int> conteggi;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "verifica");
            db.setDatabaseName(file);
            if (db.open()) {
                QSqlQuery tabelle("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'", db);
                while (tabelle.next()) {
                    QSqlQuery n(QString("SELECT COUNT(*) FROM \"%1\"").arg(tabelle.value(0).toString()), db);
                    n.next();
                    conteggi.insert(tabelle.value(0).toString(), n.value(0).toInt());
                }
            }
        }
        QSqlDatabase::removeDatabase("verifica");
        return conteggi;
    }

    QMap<QString, int> righeVive() { return righe(a.dm->db.filePath()); }

    ArchivioDiProva a{2024};
    int ultimoAgente = 0;
};

} // namespace

TEST_F(CopyOnExit, MondayGoesToFolder2AsAReadableDatabase)
{
    CopiaArchivi(*a.dm, nullptr);

    ASSERT_TRUE(QDir(a.percorso("2")).exists());
    const QMap<QString, int> copia = righe(a.percorso("2/DBLav.db"));
    EXPECT_EQ(copia, righeVive());
    EXPECT_EQ(copia.value("Agenti"), 3);
    EXPECT_EQ(copia.value("Parametri"), 1);
    EXPECT_EQ(leggi(a.percorso("2/note.txt")), "prima");
}

TEST_F(CopyOnExit, NextMondayOverwritesLastWeeksCopy)
{
    CopiaArchivi(*a.dm, nullptr);
    aggiungiAgenti(2);
    scrivi(a.percorso("archivi/note.txt"), "dopo");
    fissaOggi(QDate(2024, 3, 11));
    CopiaArchivi(*a.dm, nullptr);

    EXPECT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 5);
    EXPECT_EQ(leggi(a.percorso("2/note.txt")), "dopo");
}

TEST_F(CopyOnExit, EachWeekdayHasItsFolderFromSunday1ToSaturday7)
{
    const QDate domenica(2024, 3, 3);
    for (int i = 0; i < 7; ++i) {
        fissaOggi(domenica.addDays(i));
        CopiaArchivi(*a.dm, nullptr);
        EXPECT_TRUE(QFile::exists(a.percorso(QString("%1/DBLav.db").arg(i + 1))))
            << domenica.addDays(i).toString().toStdString();
    }
    EXPECT_FALSE(QDir(a.percorso("0")).exists());
    EXPECT_FALSE(QDir(a.percorso("8")).exists());
}

TEST_F(CopyOnExit, SubFoldersAndTheJournalArePassedOver)
{
    QDir(a.percorso("archivi")).mkpath("vecchi");
    scrivi(a.percorso("archivi/vecchi/x.txt"), "x");
    scrivi(a.percorso("archivi/DBLav.db-journal"), "j");

    CopiaArchivi(*a.dm, nullptr);

    EXPECT_TRUE(QFile::exists(a.percorso("2/DBLav.db")));
    EXPECT_TRUE(QFile::exists(a.percorso("2/note.txt")));
    EXPECT_FALSE(QFileInfo::exists(a.percorso("2/vecchi")));
    EXPECT_FALSE(QFileInfo::exists(a.percorso("2/DBLav.db-journal")));
}

TEST_F(CopyOnExit, AnEmptyArchiveFolderMakesNoCopy)
{
    a.dm.reset();
    QDir(a.percorso("archivi")).removeRecursively();
    QDir().mkpath(a.percorso("archivi"));
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, a.dir.path());
    CopiaArchivi(dm, nullptr);
    EXPECT_FALSE(QDir(a.percorso("2")).exists());
}

TEST_F(CopyOnExit, TheWindowShowsEachFileAndClosesAtTheEnd)
{
    TFrmCopiaFile finestra;
    EXPECT_EQ(finestra.windowTitle(), "Copia in corso...");
    CopiaArchivi(*a.dm, &finestra);
    EXPECT_FALSE(finestra.isVisible());
    EXPECT_EQ(finestra.lblNome->text(), "note.txt");   // the last one, in name order
    EXPECT_EQ(finestra.lblPercorso->text(), "da './archivi/note.txt' a './2/note.txt'");
}

TEST_F(CopyOnExit, ClosingTheMainWindowCopies)
{
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    w.close();   // also when the start-up ends before the window was ever shown
    EXPECT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 3);

    // Every time it closes.
    aggiungiAgenti(1);
    w.show();
    w.close();
    EXPECT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 4);
}

TEST_F(CopyOnExit, ADamagedArchiveNeverReplacesLastWeeksCopy)
{
    CopiaArchivi(*a.dm, nullptr);
    ASSERT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 3);
    // A bad sector in the live archive.
    const QString file = a.dm->db.filePath();
    for (int i = 0; i < 200; ++i)
        a.dm->db.exec("INSERT INTO Agenti (Codice, Nominativo) VALUES (?, ?)", {1000 + i, QString(40, 'x')});
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(QFileInfo(file).size() - 4096);
        f.write(QByteArray(32, '\x33'));
        // The file's change counter moves, so that the program reads the pages again.
        f.seek(24);
        QByteArray contatore = f.read(4);
        contatore[3] = char(contatore[3] + 1);
        f.seek(24);
        f.write(contatore);
    }
    fissaOggi(QDate(2024, 3, 11));
    a.prompts.clear();
    TFrmCopiaFile finestra;
    const QStringList mancati = CopiaArchivi(*a.dm, &finestra);
    ASSERT_EQ(mancati.size(), 1);
    EXPECT_TRUE(mancati[0].startsWith("DBLav.db: l'archivio è danneggiato")) << mancati[0].toStdString();
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_TRUE(a.prompts.last().text.contains("DBLav.db")) << a.prompts.last().text.toStdString();
    EXPECT_EQ(finestra.lblNome->text(), "File non copiati:");
    EXPECT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 3);   // last week's copy, sound
    EXPECT_EQ(Database::checkFile(a.percorso("2/DBLav.db")), "");
    EXPECT_EQ(leggi(a.percorso("2/note.txt")), "prima");               // the other files are copied
}

TEST_F(CopyOnExit, FilesThatCannotBeCopiedAreNamed)
{
    QDir(a.percorso("2")).mkpath("note.txt");   // a folder where the copy of note.txt goes
    a.prompts.clear();
    TFrmCopiaFile finestra;
    const QStringList mancati = CopiaArchivi(*a.dm, &finestra);
    ASSERT_EQ(mancati.size(), 1);
    EXPECT_TRUE(mancati[0].startsWith("note.txt: ")) << mancati[0].toStdString();
    EXPECT_TRUE(finestra.lblPercorso->text().contains("note.txt"));
    EXPECT_TRUE(a.prompts.last().text.contains("note.txt")) << a.prompts.last().text.toStdString();
    EXPECT_EQ(righe(a.percorso("2/DBLav.db")).value("Agenti"), 3);
}

TEST_F(CopyOnExit, AStartThatFailedTakesNoCopy)
{
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    w.copiaAllUscita = false;
    w.close();
    EXPECT_FALSE(QDir(a.percorso("2")).exists());
}
