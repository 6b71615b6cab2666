#pragma once
#include <QString>
#include <QStringList>
#include <QTextStream>

// The subcommands of lavanderia-cli. Each returns the exit code of the program and writes its
// result on out, its errors (in Italian) on err.
struct Uscite
{
    QTextStream& out;
    QTextStream& err;
};

// The folder of the archive database inside a working folder.
QString cartellaArchivi(const QString& cartella);

int ComandoInit(const QStringList& args, Uscite u);
int ComandoDemo(const QStringList& args, Uscite u);
int ComandoSql(const QStringList& args, Uscite u);
int ComandoEstratto(const QStringList& args, Uscite u);
int ComandoIncassa(const QStringList& args, Uscite u);

// Text of one value in the output of "sql": empty for NULL, numbers with a decimal point as
// SQLite writes them ("2.0", "0.1"), tabs, line ends and backslashes escaped.
QString TestoValore(const QVariant& v);
