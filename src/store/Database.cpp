#include "Database.h"
#include "BloccoCartella.h"
#include "Errors.h"
#include "FileSicuri.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <optional>
#include <sqlite3.h>

namespace {

int sqlCode(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? code : SQLITE_ERROR;
}

// The failure of a statement: the reason in Italian, the statement, SQLite's result code.
SqlError statementError(const QSqlError& e, const QString& sql)
{
    return SqlError(sqliteMessage(sqlCode(e), e.databaseText().isEmpty() ? e.driverText() : e.databaseText()),
                    sql.simplified(), sqlCode(e));
}

QString sqlError(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    const QString d = e.databaseText().isEmpty() ? e.driverText() : e.databaseText();
    return sqliteMessage(ok ? code : SQLITE_ERROR, d);
}

QString literal(const QVariant& v, FieldType type)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("NULL");
    switch (type) {
    case FieldType::Boolean: return v.toBool() ? "1" : "0";
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: return QString::number(v.toLongLong());
    case FieldType::Float:
    case FieldType::Currency: return QString::number(v.toDouble(), 'g', 17);
    default: {
        QString s = v.toString();
        s.replace('\'', "''");
        return '\'' + s + '\'';
    }
    }
}

QVariant defaultFromSql(const QString& text, FieldType type)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t.compare("NULL", Qt::CaseInsensitive) == 0)
        return {};
    if (t.startsWith('\'') && t.endsWith('\'') && t.size() >= 2)
        return fromSqlValue(type, t.mid(1, t.size() - 2).replace("''", "'"));
    if (t.compare("TRUE", Qt::CaseInsensitive) == 0)
        return fromSqlValue(type, 1);
    if (t.compare("FALSE", Qt::CaseInsensitive) == 0)
        return fromSqlValue(type, 0);
    bool ok = false;
    double d = t.toDouble(&ok);
    return ok ? fromSqlValue(type, d) : fromSqlValue(type, t);
}

sqlite3* handleOf(QSqlDatabase& db)
{
    QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(v.data());
    return nullptr;
}

} // namespace

QString sqliteMessage(int code, const QString& text)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("Spazio su disco esaurito: l'operazione è stata annullata e l'archivio è rimasto com'era. "
                              "Liberare spazio sul disco e ripetere l'operazione.");
    case SQLITE_READONLY:
        return QStringLiteral("L'archivio è in sola lettura: le modifiche non possono essere registrate.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("L'archivio è occupato da un altro programma: riprovare più tardi.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Impossibile aprire un file dell'archivio: la cartella è in sola lettura o il file manca.");
    case SQLITE_IOERR:
        return QStringLiteral("Errore di lettura o scrittura sul disco: l'operazione è stata annullata (%1).").arg(text);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("L'archivio è danneggiato (%1).").arg(text);
    default:
        break;
    }
    // The usual complaints about a statement, in Italian; anything else keeps SQLite's words.
    struct Traduzione { const char* pattern; const char* testo; };
    static const Traduzione traduzioni[] = {
        {"^no such table: (.+)$", "la tabella %1 non esiste"},
        {"^no such column: (.+)$", "il campo %1 non esiste"},
        {"^near \"(.*)\": syntax error$", "errore di sintassi vicino a \"%1\""},
        {"^incomplete input$", "istruzione incompleta"},
        {"^UNIQUE constraint failed: (.+)$", "valore già presente in un indice univoco (%1)"},
        {"^NOT NULL constraint failed: (.+)$", "il campo %1 non può essere vuoto"},
        {"^table (.+) already exists$", "la tabella %1 esiste già"},
        {"^ambiguous column name: (.+)$", "il nome di campo %1 è ambiguo"},
        {"^no such function: (.+)$", "la funzione %1 non esiste"},
        {"^(.+) values for (.+) columns$", "%1 valori per %2 campi"},
        {"^table (.+) has (.+) columns but (.+) values were supplied$", "la tabella %1 ha %2 campi ma sono stati dati %3 valori"},
    };
    for (const Traduzione& t : traduzioni) {
        const QRegularExpression re(QString::fromUtf8(t.pattern));
        const auto m = re.match(text);
        if (!m.hasMatch())
            continue;
        QString out = QString::fromUtf8(t.testo);
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            out = out.arg(m.captured(i));
        out[0] = out[0].toUpper();
        return out + '.';
    }
    return text.isEmpty() ? QStringLiteral("Errore sconosciuto dell'archivio.") : text;
}

bool isEnvironmentFault(const SqlError& e)
{
    switch (e.code() & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOMEM:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_PERM:
        return true;
    default:
        return false;
    }
}

namespace {

// What both directions do alike: NULL stays NULL, empty text is NULL, numbers with decimals are
// doubles. Nothing for the types each direction converts its own way.
std::optional<QVariant> convertedAlike(FieldType type, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Float:
    case FieldType::Currency: return QVariant(v.toDouble());
    case FieldType::String: {
        const QString s = v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    default: return std::nullopt;
    }
}

} // namespace

QVariant toSqlValue(FieldType type, const QVariant& v)
{
    if (std::optional<QVariant> alike = convertedAlike(type, v))
        return *alike;
    switch (type) {
    case FieldType::Date: {
        QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
        return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
    }
    case FieldType::Boolean: return QVariant(qlonglong(v.toBool() ? 1 : 0));
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: return QVariant(v.toLongLong());
    default: return v;
    }
}

QVariant fromSqlValue(FieldType type, const QVariant& v)
{
    if (std::optional<QVariant> alike = convertedAlike(type, v))
        return *alike;
    switch (type) {
    case FieldType::Date: {
        QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::QString) {
            QString s = v.toString().trimmed().toLower();
            return QVariant(s == "1" || s == "true" || s == "t" || s == "yes");
        }
        return QVariant(v.toLongLong() != 0);
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc: return QVariant(qlonglong(v.toDouble() < 0 ? v.toDouble() - 0.5 : v.toDouble() + 0.5));
    default: return v;
    }
}

Database::Database(const QString& connectionName) : name(connectionName) {}

Database::~Database()
{
    close();
}

void Database::open(const QString& folder, bool create, const QString& fileInFolder)
{
    close();
    QDir dir(folder);
    dbFolder = dir.absolutePath();
    dbFile = fileInFolder.isEmpty() ? fileName() : fileInFolder;
    // A program works on its folder alone: the working folder is the one above the archive's.
    if (BloccoCartella::attivo())
        BloccoCartella::prendi(QFileInfo(dbFolder).absolutePath());
    const QString file = filePath();
    if (!QFileInfo::exists(file)) {
        if (!create)
            throw LavError(QStringLiteral("Archivio non trovato: '%1'.").arg(QDir::toNativeSeparators(file)));
        if (!dir.mkpath("."))
            throw LavError(QStringLiteral("Impossibile creare la cartella '%1'.").arg(QDir::toNativeSeparators(dbFolder)));
    }
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(file);
    if (!db.open()) {
        QString err = sqlError(db.lastError());
        close();
        throw LavError(QStringLiteral("Impossibile aprire l'archivio '%1': %2").arg(QDir::toNativeSeparators(file), err));
    }
    auto closeOnFailure = qScopeGuard([this] { close(); });
    {
        // A file that is not an SQLite database fails on its first read.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            throw LavError(QStringLiteral("Il file '%1' non è un archivio valido: %2")
                               .arg(QDir::toNativeSeparators(file), sqlError(probe.lastError())));
        probe.finish();
        // Double quotes always name a column: a misspelt name is an error, never a text.
        if (sqlite3* h = handleOf(db)) {
            sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
            sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        }
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    }
    closeOnFailure.dismiss();
}

void Database::close()
{
    if (db.isValid()) {
        if (db.isOpen())
            db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
    attached.clear();
    transactionOpen = false;
}

bool Database::isOpen() const
{
    return db.isValid() && db.isOpen();
}

QString Database::filePath() const
{
    return QDir(dbFolder).absoluteFilePath(dbFile);
}

QString Database::bareName(const QString& tableName)
{
    QString n = tableName;
    n.replace('\\', '/');
    n = n.section('/', -1);
    if (n.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        n.chop(3);
    return n;
}

QString Database::fileOf(const QString& tableName) const
{
    QString n = tableName;
    n.replace('\\', '/');
    if (!n.contains('/'))
        return filePath();
    const QDir dir(QDir::cleanPath(QDir(dbFolder).absoluteFilePath(n.section('/', 0, -2))));
    // The letter case of a table's file name does not matter (X.DB, X.db and x.Db are one
    // table): an existing file is found whatever its case; a new one is named X.db.
    const QString bare = bareName(tableName);
    QString file = dir.absoluteFilePath(bare + QStringLiteral(".db"));
    if (!QFileInfo::exists(file) && dir.exists()) {
        const QString wanted = bare + QStringLiteral(".db");
        const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& e : entries)
            if (e.compare(wanted, Qt::CaseInsensitive) == 0) {
                file = dir.absoluteFilePath(e);
                break;
            }
    }
    if (QFileInfo(file).absoluteFilePath() == QFileInfo(filePath()).absoluteFilePath())
        return filePath();
    return file;
}

QString Database::schemaFor(const QString& file)
{
    if (file == filePath())
        return QString();
    auto it = attached.find(file);
    if (it != attached.end())
        return *it;
    if (!QFileInfo(file).absoluteDir().exists())
        throw LavError(QStringLiteral("La cartella dell'archivio '%1' non esiste.").arg(QDir::toNativeSeparators(file)));
    QString schema;
    QFileInfo fi(file);
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    if (year.match(fi.absoluteDir().dirName()).hasMatch())
        schema = 'y' + fi.absoluteDir().dirName() + '_' + QString::number(nextSchema++);
    else
        schema = 'a' + QString::number(nextSchema++);
    if (transactionOpen)
        throw LavError(QStringLiteral("Impossibile aprire l'archivio '%1' durante una transazione.").arg(QDir::toNativeSeparators(file)));
    QSqlQuery q(db);
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS %1").arg(quoteName(schema)));
    q.addBindValue(file);
    if (!q.exec())
        throw LavError(QStringLiteral("Impossibile aprire l'archivio '%1': %2").arg(QDir::toNativeSeparators(file), sqlError(q.lastError())));
    q.finish();
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(quoteName(schema)))) {
        QString err = sqlError(probe.lastError());
        probe.finish();
        QSqlQuery d(db);
        d.exec(QStringLiteral("DETACH DATABASE %1").arg(quoteName(schema)));
        throw LavError(QStringLiteral("Il file '%1' non è un archivio valido: %2").arg(QDir::toNativeSeparators(file), err));
    }
    probe.finish();
    attached.insert(file, schema);
    return schema;
}

QString Database::qualified(const QString& tableName)
{
    // Always qualified: an unqualified name missing from main would reach an attached file.
    const QString schema = schemaFor(fileOf(tableName));
    return quoteName(schema.isEmpty() ? QStringLiteral("main") : schema) + '.' + quoteName(bareName(tableName));
}

void Database::detach(const QString& tableName)
{
    const QString file = fileOf(tableName);
    auto it = attached.find(file);
    if (it == attached.end())
        return;
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("DETACH DATABASE %1").arg(quoteName(*it))))
        attached.erase(it);
}

bool Database::tableExists(const QString& tableName)
{
    const QString file = fileOf(tableName);
    if (file != filePath() && !QFileInfo::exists(file))
        return false;
    const QString schema = schemaFor(file);
    QSqlQuery q = exec(QStringLiteral("SELECT 1 FROM %1sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE")
                           .arg(quoteName(schema.isEmpty() ? QStringLiteral("main") : schema) + '.'),
                       QVariantList{bareName(tableName)});
    bool found = q.next();
    q.finish();
    return found;
}

TableDef Database::readDef(const QString& tableName)
{
    const QString schema = schemaFor(fileOf(tableName));
    const QString prefix = quoteName(schema.isEmpty() ? QStringLiteral("main") : schema) + '.';
    const QString bare = bareName(tableName);
    TableDef def;

    QSqlQuery m = exec(QStringLiteral("SELECT name, sql FROM %1sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE").arg(prefix),
                       QVariantList{bare});
    if (!m.next())
        throw LavError(QStringLiteral("La tabella '%1' non esiste.").arg(tableName));
    def.name = m.value(0).toString();
    const bool autoinc = m.value(1).toString().contains(QStringLiteral("AUTOINCREMENT"), Qt::CaseInsensitive);
    m.finish();

    QSqlQuery cols = exec(QStringLiteral("PRAGMA %1table_info(%2)").arg(prefix, quoteName(def.name)));
    while (cols.next()) {
        const bool pk = cols.value(5).toInt() == 1;
        FieldDef f = fieldFromDeclaredType(cols.value(1).toString(), cols.value(2).toString(), autoinc && pk);
        f.defaultValue = defaultFromSql(cols.value(4).toString(), f.type);
        def.fields.append(f);
    }
    cols.finish();

    QSqlQuery idx = exec(QStringLiteral("PRAGMA %1index_list(%2)").arg(prefix, quoteName(def.name)));
    QList<QPair<QString, bool>> names;
    while (idx.next())
        if (idx.value(3).toString() == QLatin1String("c"))
            names.append({idx.value(1).toString(), idx.value(2).toInt() == 1});
    idx.finish();
    for (const auto& [sqlName, unique] : names) {
        IndexDef ix;
        ix.name = sqlName;
        const QString tablePrefix = def.name + '_';
        if (ix.name.startsWith(tablePrefix, Qt::CaseInsensitive))
            ix.name = ix.name.mid(tablePrefix.size());
        ix.primary = unique;
        QSqlQuery info = exec(QStringLiteral("PRAGMA %1index_xinfo(%2)").arg(prefix, quoteName(sqlName)));
        bool anyNoCase = false;
        while (info.next()) {
            if (info.value(5).toInt() != 1)
                continue;
            ix.fields.append(info.value(2).toString());
            if (info.value(4).toString().compare("NOCASE", Qt::CaseInsensitive) == 0)
                anyNoCase = true;
        }
        info.finish();
        ix.caseInsensitive = anyNoCase;
        def.indexes.append(ix);
    }
    // Primary index first, as the definitions list it.
    std::stable_sort(def.indexes.begin(), def.indexes.end(),
                     [](const IndexDef& a, const IndexDef& b) { return a.primary && !b.primary; });
    return def;
}

void Database::createTable(const QString& tableName, const TableDef& def)
{
    const QString schema = schemaFor(fileOf(tableName));
    const QString prefix = quoteName(schema.isEmpty() ? QStringLiteral("main") : schema) + '.';
    const QString bare = bareName(tableName);
    const QString target = prefix + quoteName(bare);

    QStringList cols;
    for (const auto& f : def.fields) {
        QString c = quoteName(f.name) + ' ' + sqlTypeName(f);
        if (f.type == FieldType::AutoInc)
            c += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        else if (f.defaultValue.isValid() && !f.defaultValue.isNull())
            c += QStringLiteral(" DEFAULT ") + literal(f.defaultValue, f.type);
        cols << c;
    }
    Savepoint sp(*this);
    exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(target));
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(target, cols.join(QStringLiteral(", "))));
    for (const auto& ix : def.indexes) {
        QStringList parts;
        // Letter case matters only to texts; numbers keep the plain collation, so that the
        // equality tests of master/detail links can use the index.
        for (const auto& f : ix.fields) {
            const FieldDef* fd = def.field(f);
            const bool text = !fd || fd->type == FieldType::String;
            parts << quoteName(f) + (ix.caseInsensitive && text ? QStringLiteral(" COLLATE NOCASE") : QString());
        }
        exec(QStringLiteral("CREATE %1INDEX %2%3 ON %4 (%5)")
                 .arg(ix.primary ? QStringLiteral("UNIQUE ") : QString(), prefix,
                      quoteName(bare + '_' + ix.name), quoteName(bare), parts.join(QStringLiteral(", "))));
    }
    sp.release();
}

void Database::dropTable(const QString& tableName)
{
    exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(qualified(tableName)));
}

int Database::copyRecords(const QString& fromTable, const QString& toTable)
{
    TableDef from = readDef(fromTable);
    TableDef to = readDef(toTable);
    QStringList common;
    for (const auto& f : from.fields)
        if (to.field(f.name))
            common << quoteName(to.field(f.name)->name);
    if (common.isEmpty())
        return 0;
    const QString list = common.join(QStringLiteral(", "));
    QSqlQuery q = exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                           .arg(qualified(toTable), list, qualified(fromTable)));
    return q.numRowsAffected();
}

qint64 Database::recordCount(const QString& tableName)
{
    QSqlQuery q = exec(QStringLiteral("SELECT count(*) FROM %1").arg(qualified(tableName)));
    qint64 n = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    return n;
}

void Database::run(QSqlQuery& q)
{
    if (!q.exec()) {
        throw statementError(q.lastError(), q.lastQuery());
    }
}

QSqlQuery Database::prepare(const QString& sql)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw statementError(q.lastError(), sql);
    return q;
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& params)
{
    if (!isOpen())
        throw LavError(QStringLiteral("L'archivio non è aperto."));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (params.isEmpty()) {
        if (!q.exec(sql))
            throw statementError(q.lastError(), sql);
        return q;
    }
    if (!q.prepare(sql))
        throw statementError(q.lastError(), sql);
    for (const auto& p : params)
        q.addBindValue(p);
    run(q);
    return q;
}

QSqlQuery Database::exec(const QString& sql, const QVariantMap& params)
{
    if (!isOpen())
        throw LavError(QStringLiteral("L'archivio non è aperto."));
    QSqlQuery q = prepare(sql);
    for (auto it = params.begin(); it != params.end(); ++it)
        q.bindValue(it.key().startsWith(':') ? it.key() : ':' + it.key(), it.value());
    run(q);
    return q;
}

QString Database::statementProblem(const QString& sql)
{
    sqlite3* h = handleOf(db);
    if (!h)
        return QStringLiteral("L'archivio non è aperto.");
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &stmt, &tail) != SQLITE_OK) {
        const QString err = sqliteMessage(sqlite3_errcode(h), QString::fromUtf8(sqlite3_errmsg(h)));
        sqlite3_finalize(stmt);
        return err;
    }
    const bool empty = stmt == nullptr;
    sqlite3_finalize(stmt);
    if (empty)
        return QStringLiteral("L'istruzione è vuota.");
    // Whatever follows the first statement must be blanks, comments or semicolons.
    sqlite3_stmt* next = nullptr;
    const int rest = int(text.constData() + text.size() - tail);
    if (sqlite3_prepare_v2(h, tail, rest, &next, nullptr) != SQLITE_OK || next) {
        sqlite3_finalize(next);
        return QStringLiteral("Il testo contiene più di un'istruzione: se ne esegue una alla volta.");
    }
    return {};
}

bool Database::returnsRows(const QString& sql)
{
    sqlite3* h = handleOf(db);
    if (!h)
        throw LavError(QStringLiteral("L'archivio non è aperto."));
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(h);
        const QString err = sqliteMessage(code, QString::fromUtf8(sqlite3_errmsg(h)));
        sqlite3_finalize(stmt);
        throw SqlError(err, sql.simplified(), code);
    }
    const bool rows = stmt && sqlite3_column_count(stmt) > 0;
    sqlite3_finalize(stmt);
    return rows;
}

void Database::startTransaction()
{
    if (transactionOpen)
        throw LavError(QStringLiteral("Una transazione è già aperta."));
    if (!db.transaction())
        throw LavError(QStringLiteral("Impossibile avviare la transazione: %1").arg(sqlError(db.lastError())));
    transactionOpen = true;
}

bool Database::sqliteInTransaction()
{
    sqlite3* h = handleOf(db);
    return h && sqlite3_get_autocommit(h) == 0;
}

void Database::commit()
{
    if (!transactionOpen)
        return;
    if (!sqliteInTransaction()) {
        // SQLite has already rolled the whole transaction back after an error (a full disk,
        // an I/O error): nothing of it was written.
        transactionOpen = false;
        throw LavError(QStringLiteral("L'operazione è stata annullata dopo un errore: nessuna modifica è stata registrata."));
    }
    if (!db.commit())
        throw LavError(QStringLiteral("Impossibile confermare la transazione: %1").arg(sqlError(db.lastError())));
    transactionOpen = false;
}

void Database::rollback()
{
    if (!transactionOpen)
        return;
    transactionOpen = false;
    // After a full disk or an I/O error SQLite may have rolled back by itself already.
    if (!sqliteInTransaction())
        return;
    if (!db.rollback())
        throw LavError(QStringLiteral("Impossibile annullare la transazione: %1").arg(sqlError(db.lastError())));
}

bool Database::isAttached(const QString& tableName) const
{
    return attached.contains(fileOf(tableName));
}

QString Database::integrityProblem(const QString& tableName, bool full)
{
    const QString schema = tableName.isEmpty() ? QString() : schemaFor(fileOf(tableName));
    const QString pragma = QStringLiteral("PRAGMA %1.%2").arg(quoteName(schema.isEmpty() ? QStringLiteral("main") : schema),
                                                              full ? QStringLiteral("integrity_check(20)") : QStringLiteral("quick_check(20)"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(pragma))
        return sqlError(q.lastError());
    QStringList problems;
    while (q.next())
        problems << q.value(0).toString();
    q.finish();
    if (problems == QStringList{QStringLiteral("ok")})
        return {};
    return problems.join(QStringLiteral("; "));
}

QString Database::checkFile(const QString& file, bool full)
{
    if (!QFileInfo(file).isFile())
        return QStringLiteral("il file non esiste");
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    QString problem;
    if (rc != SQLITE_OK) {
        problem = sqliteMessage(rc, QString::fromUtf8(h ? sqlite3_errmsg(h) : sqlite3_errstr(rc)));
    } else {
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(h, full ? "PRAGMA integrity_check(20)" : "PRAGMA quick_check(20)", -1, &st, nullptr);
        QStringList problems;
        if (rc == SQLITE_OK)
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                problems << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc != SQLITE_DONE)
            problems << sqliteMessage(rc, QString::fromUtf8(sqlite3_errmsg(h)));
        sqlite3_finalize(st);
        if (problems != QStringList{QStringLiteral("ok")})
            problem = problems.isEmpty() ? QStringLiteral("il file non è un archivio") : problems.join(QStringLiteral("; "));
    }
    sqlite3_close(h);
    return problem;
}

bool Database::readOnly()
{
    sqlite3* h = handleOf(db);
    if (h && sqlite3_db_readonly(h, "main") == 1)
        return true;
    // The journal is written beside the archive, so its folder must take new files too.
    const QString probe = QDir(dbFolder).absoluteFilePath(QStringLiteral(".prova-scrittura"));
    QFile f(probe);
    if (!f.open(QIODevice::WriteOnly))
        return true;
    f.close();
    f.remove();
    QFile archive(filePath());
    if (!archive.open(QIODevice::ReadWrite))
        return true;
    return false;
}

void Database::backupTo(const QString& targetFile)
{
    sqlite3* src = handleOf(db);
    if (!src)
        throw LavError(QStringLiteral("L'archivio non è aperto."));
    // Written whole under a temporary name, checked, and only then moved over the old copy.
    const QString tmp = fileTemporaneo(targetFile);
    QFile::remove(tmp);
    sqlite3* dst = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(tmp).constData(), &dst,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString err;
    if (rc == SQLITE_OK) {
        sqlite3_backup* b = sqlite3_backup_init(dst, "main", src, "main");
        if (b) {
            rc = sqlite3_backup_step(b, -1);
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE)
                err = sqliteMessage(rc, QString::fromUtf8(sqlite3_errstr(rc)));
        } else {
            err = sqliteMessage(sqlite3_errcode(dst), QString::fromUtf8(sqlite3_errmsg(dst)));
        }
    } else {
        err = sqliteMessage(rc, QString::fromUtf8(sqlite3_errstr(rc)));
    }
    sqlite3_close(dst);
    if (err.isEmpty()) {
        const QString problem = checkFile(tmp);
        if (!problem.isEmpty())
            err = QStringLiteral("la copia non è integra (%1)").arg(problem);
    }
    if (!err.isEmpty()) {
        QFile::remove(tmp);
        throw LavError(QStringLiteral("Copia di '%1' non riuscita: %2").arg(QDir::toNativeSeparators(targetFile), err));
    }
    sostituisciFile(tmp, targetFile);
}

void Database::creaFile(const QString& file, const std::function<void(Database&)>& riempi)
{
    const QString tmp = fileTemporaneo(file);
    const auto togliTemporaneo = [&tmp] {
        QFile::remove(tmp);
        QFile::remove(tmp + QStringLiteral("-journal"));
    };
    togliTemporaneo();
    {
        auto pulizia = qScopeGuard(togliTemporaneo);
        static int connessioni = 0;
        Database nuovo(QStringLiteral("creaFile%1").arg(++connessioni));
        nuovo.open(QFileInfo(tmp).absolutePath(), true, QFileInfo(tmp).fileName());
        Transaction t(nuovo);
        riempi(nuovo);
        t.commit();
        nuovo.close();
        pulizia.dismiss();
    }
    sostituisciFile(tmp, file);
}

Transaction::Transaction(Database& d) : db(d)
{
    db.startTransaction();
}

Transaction::~Transaction()
{
    if (done)
        return;
    try {
        db.rollback();
    } catch (const LavError&) {
        // Reached while an error is on its way out, which is the one to report: SQLite drops
        // a transaction whose roll-back fails when the connection closes.
    }
}

// A commit that fails leaves the transaction to the destructor, which rolls it back.
void Transaction::commit()
{
    db.commit();
    done = true;
}

Savepoint::Savepoint(Database& d) : db(d)
{
    static int counter = 0;
    name = QStringLiteral("sp%1").arg(++counter);
    db.exec(QStringLiteral("SAVEPOINT %1").arg(name));
}

Savepoint::~Savepoint()
{
    rollback();
}

void Savepoint::rollback()
{
    if (done)
        return;
    done = true;
    // Gone with the whole transaction when SQLite rolled it back after an error.
    if (!db.sqliteInTransaction())
        return;
    try {
        db.exec(QStringLiteral("ROLLBACK TO %1").arg(name));
        db.exec(QStringLiteral("RELEASE %1").arg(name));
    } catch (const LavError&) {
        // Reached while an error is on its way out, which is the one to report; the savepoint
        // then goes with the transaction around it, which its owner rolls back.
    }
}

void Savepoint::release()
{
    db.exec(QStringLiteral("RELEASE %1").arg(name));
    done = true;
}
