#include "FileFE.h"

#include "Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

QString CartellaProgramma()
{
    return QCoreApplication::applicationDirPath();
}

bool SostituisciFile(const QString& temporaneo, const QString& destinazione, QString* errore)
{
    // rename() replaces the destination in one step.
    if (std::rename(QFile::encodeName(temporaneo).constData(), QFile::encodeName(destinazione).constData()) == 0)
        return true;
    if (errore)
        *errore = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

void ScriviFileIntero(const QString& percorso, const QByteArray& dati)
{
    const QFileInfo info(percorso);
    QTemporaryFile tmp(info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    tmp.setAutoRemove(true);
    QString errore;
    if (!tmp.open()) {
        errore = tmp.errorString();
    } else if (tmp.write(dati) != dati.size() || !tmp.flush()) {
        errore = tmp.errorString();
    } else {
        tmp.close();
        // The temporary file is made readable by everyone as an ordinary file would be.
        tmp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                           | QFileDevice::ReadOther);
        if (SostituisciFile(tmp.fileName(), info.absoluteFilePath(), &errore)) {
            tmp.setAutoRemove(false);
            return;
        }
    }
    throw LavError(QStringLiteral("Impossibile scrivere il file %1: %2")
                       .arg(QDir::toNativeSeparators(info.absoluteFilePath()), errore));
}

QByteArray LeggiFile(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        throw LavError(QStringLiteral("Impossibile leggere il file %1: %2")
                           .arg(QDir::toNativeSeparators(percorso), f.errorString()));
    return f.readAll();
}
