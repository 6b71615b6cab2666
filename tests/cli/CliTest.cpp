#include "Tabelle.h"
#include "support/EseguiCli.h"
#include "support/TempArchive.h"
#include <QDir>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Esito = EsitoCli;

Esito cli(const QStringList& args)
{
    return eseguiCli(args);
}

// Reads an archive straight from its file, without the program's store.
class Lettore
{
public:
    explicit Lettore(const QString& cartella) : nome(QStringLiteral("lettore%1").arg(++contatore))
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(QDir(cartella).filePath(QStringLiteral("archivi/DBLav.db")));
        db.open();
    }
    ~Lettore() { QSqlDatabase::removeDatabase(nome); }

    QStringList tabelle()
    {
        QStringList t;
        QSqlQuery q(QSqlDatabase::database(nome));
        q.exec("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
        while (q.next())
            t << q.value(0).toString();
        return t;
    }

    qint64 conta(const QString& tabella)
    {
        QSqlQuery q(QSqlDatabase::database(nome));
        q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(tabella));
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    // Every row of every table as text, in a fixed order: equal dumps, equal archives.
    QString dump()
    {
        QString testo;
        for (const QString& t : tabelle()) {
            QSqlQuery q(QSqlDatabase::database(nome));
            q.exec(QStringLiteral("SELECT * FROM \"%1\" LIMIT 0").arg(t));
            const int colonne = q.record().count();
            QStringList ordine;
            for (int i = 1; i <= colonne; ++i)
                ordine << QString::number(i);
            q.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY %2").arg(t, ordine.join(',')));
            testo += QStringLiteral("== %1\n").arg(t);
            while (q.next()) {
                for (int i = 0; i < colonne; ++i)
                    testo += (q.isNull(i) ? QStringLiteral("<null>") : q.value(i).toString()) + '|';
                testo += '\n';
            }
        }
        return testo;
    }

private:
    static inline int contatore = 0;
    QString nome;
};

TEST(Cli, InitCreatesTheInstallationTablesWithTheParametersRecord)
{
    QTemporaryDir dir;
    const QString cartella = dir.filePath("nuovo/lavanderia");   // made when missing
    const Esito e = cli({"init", cartella});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(e.err.isEmpty());

    QStringList attese;
    for (const TableDef& def : Tabelle::installazione())
        attese << def.name;
    Lettore archivio(cartella);
    const QStringList trovate = archivio.tabelle();
    EXPECT_EQ(QSet<QString>(trovate.begin(), trovate.end()), QSet<QString>(attese.begin(), attese.end()));
    EXPECT_EQ(archivio.conta("Parametri"), 1);
    EXPECT_EQ(archivio.conta("Clienti"), 0);

    // A second init leaves the archive alone.
    const Esito ancora = cli({"init", cartella});
    EXPECT_EQ(ancora.codice, 1);
    EXPECT_TRUE(ancora.err.contains("contiene già un archivio")) << ancora.err.toStdString();
    EXPECT_EQ(archivio.conta("Parametri"), 1);
}

TEST(Cli, DemoIsTheSameForTheSameSeedAndDiffersForAnother)
{
    QTemporaryDir dir;
    const Esito a = cli({"demo", dir.filePath("a"), "--seed", "5"});
    ASSERT_EQ(a.codice, 0) << a.err.toStdString();
    EXPECT_TRUE(a.out.contains("50 clienti")) << a.out.toStdString();
    EXPECT_EQ(a.out.count('\n'), 1);
    ASSERT_EQ(cli({"demo", dir.filePath("b"), "--scale", "1", "--seed=5"}).codice, 0);
    ASSERT_EQ(cli({"demo", dir.filePath("c"), "--seed", "6"}).codice, 0);

    const QString dumpA = Lettore(dir.filePath("a")).dump();
    EXPECT_GT(dumpA.size(), 10000);
    EXPECT_EQ(dumpA, Lettore(dir.filePath("b")).dump());
    EXPECT_NE(dumpA, Lettore(dir.filePath("c")).dump());

    // On an archive that already holds data the demo refuses and changes nothing.
    const Esito ancora = cli({"demo", dir.filePath("a"), "--seed", "7"});
    EXPECT_EQ(ancora.codice, 1);
    EXPECT_FALSE(ancora.err.isEmpty());
    EXPECT_EQ(Lettore(dir.filePath("a")).dump(), dumpA);
}

TEST(Cli, DemoRejectsBadOptions)
{
    QTemporaryDir dir;
    for (const QStringList& args : {QStringList{"demo", dir.path(), "--scale", "0"},
                                    QStringList{"demo", dir.path(), "--scale", "tre"},
                                    QStringList{"demo", dir.path(), "--seed", "-1"},
                                    QStringList{"demo", dir.path(), "--colore", "1"},
                                    QStringList{"demo"}}) {
        const Esito e = cli(args);
        EXPECT_EQ(e.codice, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(e.err.isEmpty());
    }
    EXPECT_FALSE(QDir(dir.filePath("archivi")).exists());
}

TEST(Cli, SqlPrintsAHeaderAndTabSeparatedRowsOrTheRowsAffected)
{
    TempArchive archivio;
    const QString d = archivio.cartella();

    Esito e = cli({"sql", d, "INSERT INTO ModPag (Descrizione, Mastro, Conto) "
                             "VALUES ('Contanti', 18, 1), ('RI.BA. 30 gg', NULL, 11)"});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "2\n");

    e = cli({"sql", d, "SELECT Codice, Descrizione, Mastro, Conto FROM ModPag ORDER BY Codice"});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "Codice\tDescrizione\tMastro\tConto\n"
                     "1\tContanti\t18\t1\n"
                     "2\tRI.BA. 30 gg\t\t11\n");

    // Reals with a decimal point as SQLite writes them, dates as stored, texts escaped.
    ASSERT_EQ(cli({"sql", d, "INSERT INTO Agenti (Codice, Nominativo, Percentuale, Provvigione) "
                             "VALUES (1, 'Rossi' || char(9) || 'Mario', 7.5, 1234.5)"}).codice, 0);
    ASSERT_EQ(cli({"sql", d, "INSERT INTO Sospesi (Codice, Data, Sede, Servizio, Quantita) "
                             "VALUES (1, '2024-03-05', 2, 3, 4)"}).codice, 0);
    e = cli({"sql", d, "SELECT a.Codice, a.Nominativo, a.Percentuale, a.Provvigione, s.Data "
                       "FROM Agenti a, Sospesi s"});
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_EQ(e.out, "Codice\tNominativo\tPercentuale\tProvvigione\tData\n"
                     "1.0\tRossi\\tMario\t7.5\t1234.5\t2024-03-05\n");

    // A query without rows still names its columns; an update counts what it changed.
    e = cli({"sql", d, "SELECT Codice, Denominazione FROM Clienti"});
    EXPECT_EQ(e.out, "Codice\tDenominazione\n");
    e = cli({"sql", d, "UPDATE ModPag SET Mastro = 18 WHERE Mastro IS NULL"});
    EXPECT_EQ(e.out, "1\n");
    e = cli({"sql", d, "DELETE FROM ModPag WHERE Codice > 100"});
    EXPECT_EQ(e.out, "0\n");
}

TEST(Cli, SqlErrorsGoToStandardErrorWithExitCode1)
{
    TempArchive archivio;
    const QString d = archivio.cartella();
    for (const QString& sql : {QStringLiteral("SELEC * FROM Clienti"),
                               QStringLiteral("SELECT * FROM Inesistente"),
                               QStringLiteral("SELECT Inesistente FROM Clienti"),
                               QStringLiteral("INSERT INTO Iter (Codice) VALUES (1), (1)")}) {
        const Esito e = cli({"sql", d, sql});
        EXPECT_EQ(e.codice, 1) << sql.toStdString();
        EXPECT_TRUE(e.out.isEmpty()) << e.out.toStdString();
        EXPECT_TRUE(e.err.startsWith("Errore SQL")) << e.err.toStdString();
    }

    QTemporaryDir vuota;
    Esito e = cli({"sql", vuota.path(), "SELECT 1"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.contains("non c'è un archivio")) << e.err.toStdString();
    EXPECT_FALSE(QDir(vuota.filePath("archivi")).exists());

    e = cli({"sql", d});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.startsWith("Uso:"));
}

TEST(Cli, HelpInItalian)
{
    Esito e = cli({"--help"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(e.out.startsWith("Uso: lavanderia-cli"));
    for (const char* comando : {"init CARTELLA", "demo CARTELLA", "sql CARTELLA"})
        EXPECT_TRUE(e.out.contains(comando)) << comando;

    e = cli({});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.startsWith("Uso: lavanderia-cli"));

    e = cli({"backup", "x"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.startsWith("Comando sconosciuto: backup"));
}

} // namespace
