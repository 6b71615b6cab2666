#pragma once
#include "Errors.h"
#include "TableDef.h"
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

// The table store: one SQLite database per folder (archivi/DBLav.db) holding the shared tables,
// with further database files attached on demand for tables that live elsewhere (the ledger
// of a year, ../2019/PrimaNota.db, or a table of the update folder).
//
// Tables are addressed by the names the program uses: "Clienti", "Clienti.DB",
// "..\2019\PrimaNota.DB", "../update/Servizi.db". A name with a folder part is a file
// relative to the database folder; the file holds one table named after it.
class Database
{
public:
    explicit Database(const QString& connectionName = QStringLiteral("DBLav"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (creating when asked) <folder>/DBLav.db, or another file of the folder. A file
    // that is not a database of ours is refused with an error that names it.
    void open(const QString& folder, bool create = false, const QString& file = {});
    void close();
    bool isOpen() const;
    QString folder() const { return dbFolder; }          // absolute path of archivi
    QString filePath() const;                             // absolute path of DBLav.db (or the file opened)
    QSqlDatabase& connection() { return db; }
    static QString fileName() { return QStringLiteral("DBLav.db"); }

    // SQL name ("main"."Clienti", "y2019"."PrimaNota") of a table addressed as the program
    // addresses it, attaching its file when needed.
    QString qualified(const QString& tableName);
    // The database file a table name refers to, and the bare table name.
    QString fileOf(const QString& tableName) const;
    static QString bareName(const QString& tableName);
    // Detaches the file of a table; isAttached tells whether it is still attached (a
    // statement still reading it keeps it).
    void detach(const QString& tableName);
    bool isAttached(const QString& tableName) const;

    // Catalog.
    bool tableExists(const QString& tableName);
    TableDef readDef(const QString& tableName);
    // Creates the table with its indexes; an existing table of that name is replaced.
    void createTable(const QString& tableName, const TableDef& def);
    void dropTable(const QString& tableName);
    // Appends every record of one table to another, field to field by name.
    int copyRecords(const QString& fromTable, const QString& toTable);
    qint64 recordCount(const QString& tableName);

    // SQL. Values are always bound, named (":Agente") or positional ("?").
    QSqlQuery exec(const QString& sql, const QVariantList& params = {});
    QSqlQuery exec(const QString& sql, const QVariantMap& params);
    QSqlQuery prepare(const QString& sql);                // prepared, forward-only
    static void run(QSqlQuery& q);                        // exec(), throwing LavError on failure
    // Whether a statement returns rows, found without running it; a statement SQLite does not
    // understand throws its error.
    bool returnsRows(const QString& sql);
    // What keeps a text from being run as one statement, in Italian: empty, more than one
    // statement, or SQLite's complaint; empty when it can run.
    QString statementProblem(const QString& sql);

    // Transactions.
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return transactionOpen; }
    // Whether SQLite itself holds a transaction open (false once it rolled one back by itself).
    bool sqliteInTransaction();

    // What SQLite's quick check (or full integrity check) finds wrong in the archive, or in the
    // file of a table addressed with its folder ("..\\2019\\PrimaNota.DB"); empty when sound.
    QString integrityProblem(const QString& tableName = {}, bool full = false);
    // The same check of a database file on a read-only connection of its own (a copy).
    static QString checkFile(const QString& file, bool full = false);
    // Whether the archive cannot be changed: the file, or the folder that takes its journal,
    // is read-only.
    bool readOnly();

    // A new database file written whole: `riempi` fills, in one transaction, a file made
    // under a temporary name beside `file`, which then takes the place of `file`. A failure
    // or a crash leaves the old file (or none), never half a new one.
    static void creaFile(const QString& file, const std::function<void(Database&)>& riempi);

    // A consistent copy of the live database written to target: made under a temporary name,
    // checked, and moved over the old copy in one step, so a failure leaves the old copy.
    void backupTo(const QString& targetFile);

private:
    QString schemaFor(const QString& file);

    QString name;
    QSqlDatabase db;
    QString dbFolder;
    QString dbFile;
    QHash<QString, QString> attached;   // absolute file path -> schema name
    int nextSchema = 1;
    bool transactionOpen = false;
};

// A transaction begun on construction and rolled back on destruction unless commit() was
// called: a failure anywhere in between leaves the files as they were.
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& db;
    bool done = false;
};

// Makes a group of statements atomic, inside or outside a transaction: rolled back unless
// release() is called.
class Savepoint
{
public:
    explicit Savepoint(Database& db);
    ~Savepoint();
    void release();
    void rollback();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

private:
    Database& db;
    QString name;
    bool done = false;
};

// Whether a statement failed because of the disk or the file (full, read-only, I/O, locked,
// damaged) rather than because of the statement or the data.
bool isEnvironmentFault(const SqlError& e);

// An SQLite error in Italian: what is wrong with the disk or the archive, or with the statement.
QString sqliteMessage(int code, const QString& text);

// SQLite value of a field: dates as ISO text, booleans as 0/1, empty strings as NULL.
QVariant toSqlValue(FieldType type, const QVariant& v);
// Typed value read from SQLite: QDate for dates, bool, qlonglong, double, QString.
QVariant fromSqlValue(FieldType type, const QVariant& v);
