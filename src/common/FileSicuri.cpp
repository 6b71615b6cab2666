#include "FileSicuri.h"
#include "Errors.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString nativo(const QString& p)
{
    return QDir::toNativeSeparators(p);
}

QString erroreSistema(int codice)
{
    switch (codice) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return QStringLiteral("spazio su disco esaurito");
    case EROFS:
        return QStringLiteral("il disco è in sola lettura");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case ENOENT:
        return QStringLiteral("file o cartella inesistente");
    case EISDIR:
        return QStringLiteral("al suo posto c'è una cartella");
    default:
        return QString::fromLocal8Bit(std::strerror(codice));
    }
}

} // namespace

QString fileTemporaneo(const QString& destinazione)
{
    return destinazione + QStringLiteral(".nuovo");
}

bool sincronizzaSuDisco(const QString& percorso)
{
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;   // some file systems cannot sync a folder
    ::close(fd);
    return ok;
}

void sostituisciFile(const QString& temporaneo, const QString& destinazione)
{
    if (!sincronizzaSuDisco(temporaneo)) {
        const int e = errno;
        QFile::remove(temporaneo);
        throw LavError(QStringLiteral("Impossibile scrivere '%1': %2.").arg(nativo(destinazione), erroreSistema(e)));
    }
    if (std::rename(QFile::encodeName(temporaneo).constData(), QFile::encodeName(destinazione).constData()) != 0) {
        const int e = errno;
        QFile::remove(temporaneo);
        throw LavError(QStringLiteral("Impossibile scrivere '%1': %2.").arg(nativo(destinazione), erroreSistema(e)));
    }
    sincronizzaSuDisco(QFileInfo(destinazione).absolutePath());
}

void copiaFileSicura(const QString& origine, const QString& destinazione)
{
    QFile da(origine);
    if (!da.open(QIODevice::ReadOnly))
        throw LavError(QStringLiteral("Impossibile leggere '%1': %2.").arg(nativo(origine), da.errorString()));
    const QString tmp = fileTemporaneo(destinazione);
    QFile a(tmp);
    if (!a.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw LavError(QStringLiteral("Impossibile scrivere '%1': %2.").arg(nativo(destinazione), erroreSistema(errno)));
    QByteArray blocco;
    bool ok = true;
    while (ok && !(blocco = da.read(1 << 20)).isEmpty())
        ok = a.write(blocco) == blocco.size();
    ok = ok && da.error() == QFileDevice::NoError && a.flush();
    const int e = errno;
    a.close();
    if (!ok) {
        QFile::remove(tmp);
        throw LavError(QStringLiteral("Impossibile scrivere '%1': %2.").arg(nativo(destinazione), erroreSistema(e)));
    }
    sostituisciFile(tmp, destinazione);
}
