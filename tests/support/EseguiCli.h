#pragma once
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// What a run of lavanderia-cli gave back.
struct EsitoCli
{
    int codice = -1;
    QString out, err;
};

// Runs the real lavanderia-cli and collects what it prints.
inline EsitoCli eseguiCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(LAV_BIN_DIR "/lavanderia-cli"), args);
    EsitoCli e;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "lavanderia-cli non termina";
        return e;
    }
    e.codice = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.out = QString::fromUtf8(p.readAllStandardOutput());
    e.err = QString::fromUtf8(p.readAllStandardError());
    return e;
}
