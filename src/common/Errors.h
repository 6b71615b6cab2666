#pragma once
#include <QString>
#include <stdexcept>

// A rule that refuses an action has already told the user why; Abort unwinds the action
// quietly and every caller treats it as a cancel, leaving the record as it was.
struct Abort {};

// An error that no rule handles: the operation stops and the text reaches the user in the
// application's standard error box.
class LavError : public std::runtime_error
{
public:
    explicit LavError(const QString& message)
        : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& message() const { return msg; }

private:
    QString msg;
};

// A statement the database refused: its reason in Italian and the statement, shown one under
// the other.
class SqlError : public LavError
{
public:
    SqlError(const QString& reason, const QString& statement, int code = 0)
        : LavError(reason + QLatin1Char('\n') + statement), why(reason), sql(statement), sqliteCode(code) {}
    const QString& reason() const { return why; }
    const QString& statement() const { return sql; }
    int code() const { return sqliteCode; }   // SQLite's result code (SQLITE_FULL, ...), 0 when unknown

private:
    QString why, sql;
    int sqliteCode;
};

// Raised by a counter-file operation that finds no file to work on, with the runtime's code.
class IoError : public LavError
{
public:
    explicit IoError(int code)
        : LavError(QStringLiteral("I/O error %1").arg(code)), ioCode(code) {}
    int code() const { return ioCode; }

private:
    int ioCode;
};
