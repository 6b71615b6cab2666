#include "CopiaArchivi.h"
#include "Clock.h"
#include "Errors.h"
#include "FileSicuri.h"
#include "TDataModule1.h"
#include "TFrmCopiaFile.h"
#include <QDir>
#include <QFile>

namespace {

// Qt counts the weekdays from Monday = 1 to Sunday = 7; the copies from Sunday = 1.
int numeroGiorno(const QDate& d)
{
    return d.dayOfWeek() % 7 + 1;
}

// Copies one file over the previous copy, through a temporary file renamed into place. The
// archive is copied only when it is sound, so that a damaged one never replaces a good copy.
// Returns why the file could not be copied, empty when it was.
QString copiaFile(TDataModule1& dm, const QFileInfo& voce, const QString& destinazione)
{
    try {
        const bool archivio = voce.fileName().compare(Database::fileName(), Qt::CaseInsensitive) == 0;
        if (archivio && dm.db.isOpen() && voce.absoluteFilePath() == QFileInfo(dm.db.filePath()).absoluteFilePath()) {
            const QString problema = dm.db.integrityProblem();
            if (!problema.isEmpty())
                return QStringLiteral("l'archivio è danneggiato (%1)").arg(problema.left(200));
            dm.db.backupTo(destinazione);
            return {};
        }
        if (archivio) {
            const QString problema = Database::checkFile(voce.absoluteFilePath());
            if (!problema.isEmpty())
                return QStringLiteral("l'archivio è danneggiato (%1)").arg(problema.left(200));
        }
        copiaFileSicura(voce.absoluteFilePath(), destinazione);
    } catch (const LavError& e) {
        return e.message();
    }
    return {};
}

// Files of the archive folder that are no part of it: the journal of an open transaction and
// the temporary files of a write in progress.
bool daSaltare(const QFileInfo& voce)
{
    return voce.isDir() || voce.fileName().endsWith(QStringLiteral("-journal"))
           || voce.fileName().endsWith(QStringLiteral(".nuovo"));
}

} // namespace

QStringList CopiaArchivi(TDataModule1& dm, TFrmCopiaFile* finestra)
{
    const QDir archivi(dm.cartellaArchivi());
    const QFileInfoList voci = archivi.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    if (voci.isEmpty())
        return {};

    const QDir lavoro(dm.cartellaLavoro());
    const QString giorno = QString::number(numeroGiorno(oggi()));
    lavoro.mkpath(giorno);
    const QDir copia(lavoro.filePath(giorno));
    // The paths as the window shows them, relative to the working folder.
    const QString da = "./" + lavoro.relativeFilePath(archivi.absolutePath());
    const QString a = "./" + giorno;

    if (finestra)
        finestra->show();
    QStringList mancati;
    for (const QFileInfo& voce : voci) {
        if (daSaltare(voce))
            continue;
        if (finestra)
            finestra->mostraFile(voce.fileName(), da, a);
        const QString errore = copiaFile(dm, voce, copia.filePath(voce.fileName()));
        if (!errore.isEmpty())
            mancati << QStringLiteral("%1: %2").arg(voce.fileName(), errore);
    }
    if (!mancati.isEmpty()) {
        if (finestra)
            finestra->mostraMancati(mancati);
        dm.prompts.error(QStringLiteral("La copia giornaliera in '%1' è incompleta: i file seguenti non sono stati copiati "
                                        "e al loro posto resta la copia precedente.\n%2")
                             .arg(QDir::toNativeSeparators(copia.absolutePath()), mancati.join('\n')));
    }
    if (finestra)
        finestra->close();
    return mancati;
}
