#include "BloccoCartella.h"
#include <QDir>
#include <QHash>
#include <QLockFile>
#include <memory>

namespace {

bool acceso = false;

QHash<QString, std::shared_ptr<QLockFile>>& blocchi()
{
    static QHash<QString, std::shared_ptr<QLockFile>> b;
    return b;
}

QString chiave(const QString& cartella)
{
    return QDir::cleanPath(QDir(cartella).absolutePath());
}

} // namespace

namespace BloccoCartella {

void attiva(bool on)
{
    acceso = on;
}

bool attivo()
{
    return acceso;
}

void prendi(const QString& cartellaLavoro)
{
    const QString k = chiave(cartellaLavoro);
    if (blocchi().contains(k) || !QDir(k).exists())
        return;
    auto blocco = std::make_shared<QLockFile>(QDir(k).absoluteFilePath(QStringLiteral("lavanderia.lck")));
    // Never stale by age: the program holds it for hours. Stale only when its process is gone.
    blocco->setStaleLockTime(0);
    if (blocco->tryLock(0)) {
        blocchi().insert(k, blocco);
        return;
    }
    if (blocco->error() != QLockFile::LockFailedError)
        return;   // no lock file can be written here: the folder is read-only
    qint64 pid = 0;
    QString macchina, programma;
    if (blocco->getLockInfo(&pid, &macchina, &programma))
        throw CartellaInUso(QStringLiteral("La cartella di lavoro '%1' è già in uso: la usa il programma %2 (processo %3 sul "
                                           "computer %4). Un solo programma alla volta può lavorare su una cartella: chiudere "
                                           "l'altro e riprovare.")
                                .arg(QDir::toNativeSeparators(k), programma.isEmpty() ? QStringLiteral("?") : programma)
                                .arg(pid)
                                .arg(macchina.isEmpty() ? QStringLiteral("?") : macchina));
    throw CartellaInUso(QStringLiteral("La cartella di lavoro '%1' è già in uso da un altro programma: chiuderlo e riprovare.")
                            .arg(QDir::toNativeSeparators(k)));
}

void rilascia(const QString& cartellaLavoro)
{
    blocchi().remove(chiave(cartellaLavoro));
}

} // namespace BloccoCartella
