#include "BloccoCartella.h"
#include "Database.h"
#include "support/EseguiCli.h"
#include "support/TempArchive.h"
#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>
#include <QLockFile>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(CliSql, WhatIsWrongWithAStatementIsSaidInItalian)
{
    TempArchive archivio;
    const QString d = archivio.cartella();
    struct Caso { const char* sql; const char* errore; };
    for (const Caso& c : {Caso{"", "Errore SQL: L'istruzione è vuota.\n"},
                          Caso{"   -- solo un commento", "Errore SQL: L'istruzione è vuota.\n"},
                          Caso{"SELECT 1; SELECT 2", "Errore SQL: Il testo contiene più di un'istruzione: se ne esegue una alla volta.\n"},
                          Caso{"DELETE FROM Agenti; DROP TABLE Clienti",
                               "Errore SQL: Il testo contiene più di un'istruzione: se ne esegue una alla volta.\n"},
                          Caso{"SELECT * FROM Inesistente", "Errore SQL: La tabella Inesistente non esiste.\n"},
                          Caso{"INSERT INTO Iter (Codice) VALUES (1), (1)",
                               "Errore SQL: Valore già presente in un indice univoco (Iter.Codice).\n"}}) {
        const EsitoCli e = eseguiCli({"sql", d, QString::fromUtf8(c.sql)});
        EXPECT_EQ(e.codice, 1) << c.sql;
        EXPECT_EQ(e.err, QString::fromUtf8(c.errore)) << c.sql;
    }
    EXPECT_EQ(eseguiCli({"sql", d, "SELECT count(*) AS n FROM Clienti;"}).out, "n\n0\n");   // a closing semicolon is fine
    EXPECT_EQ(eseguiCli({"sql", d, "SELECT count(*) AS n FROM Clienti"}).out, "n\n0\n");
}

// The working folder as another program holds it: this test process takes its lock.
class CartellaCondivisa : public ::testing::Test
{
protected:
    void TearDown() override
    {
        BloccoCartella::rilascia(archivio.cartella());
        BloccoCartella::attiva(false);
    }
    TempArchive archivio;
};

TEST_F(CartellaCondivisa, ASecondProgramOnTheFolderNamesWhoHoldsItAndChangesNothing)
{
    BloccoCartella::attiva();
    BloccoCartella::prendi(archivio.cartella());
    const EsitoCli e = eseguiCli({"sql", archivio.cartella(), "INSERT INTO Agenti (Codice, Nominativo) VALUES (1, 'Rossi')"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.contains(QDir::toNativeSeparators(archivio.cartella()))) << e.err.toStdString();
    EXPECT_TRUE(e.err.contains(QString("processo %1 sul computer %2").arg(QCoreApplication::applicationPid()).arg(QSysInfo::machineHostName())))
        << e.err.toStdString();

    BloccoCartella::rilascia(archivio.cartella());
    EXPECT_EQ(eseguiCli({"sql", archivio.cartella(), "SELECT count(*) FROM Agenti"}).out, "count(*)\n0\n");
    EXPECT_EQ(eseguiCli({"sql", archivio.cartella(), "INSERT INTO Agenti (Codice, Nominativo) VALUES (1, 'Rossi')"}).codice, 0);

    // And the other way round: while a command runs, the folder is not this program's.
    EXPECT_NO_THROW(BloccoCartella::prendi(archivio.cartella()));
}

TEST_F(CartellaCondivisa, TheLockOfAProgramKilledMeanwhileIsStale)
{
    const pid_t pid = fork();
    if (pid == 0) {
        BloccoCartella::attiva();
        BloccoCartella::prendi(archivio.cartella());
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(QFile::exists(QDir(archivio.cartella()).filePath("lavanderia.lck")));
    const EsitoCli e = eseguiCli({"sql", archivio.cartella(), "SELECT count(*) FROM Clienti"});
    EXPECT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_FALSE(QFile::exists(QDir(archivio.cartella()).filePath("lavanderia.lck")));   // given back at the end
}

TEST_F(CartellaCondivisa, TestsAndToolsThatLeaveTheLockOffShareAFolder)
{
    BloccoCartella::attiva(false);
    Database a("CondivisaA"), b("CondivisaB");
    a.open(archivio.archivi());
    EXPECT_NO_THROW(b.open(archivio.archivi()));
    EXPECT_FALSE(QFile::exists(QDir(archivio.cartella()).filePath("lavanderia.lck")));
}

} // namespace
