#include "CopiaArchivi.h"
#include "Clock.h"
#include "Errors.h"
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

// Copies one file over the previous copy; a failure leaves it behind silently.
void copiaFile(TDataModule1& dm, const QFileInfo& voce, const QString& destinazione)
{
    if (dm.db.isOpen() && voce.absoluteFilePath() == QFileInfo(dm.db.filePath()).absoluteFilePath()) {
        try {
            dm.db.backupTo(destinazione);
        } catch (const LavError&) {
        }
        return;
    }
    QFile::remove(destinazione);
    QFile::copy(voce.absoluteFilePath(), destinazione);
}

} // namespace

void CopiaArchivi(TDataModule1& dm, TFrmCopiaFile* finestra)
{
    const QDir archivi(dm.cartellaArchivi());
    const QFileInfoList voci = archivi.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    if (voci.isEmpty())
        return;

    const QDir lavoro(dm.cartellaLavoro());
    const QString giorno = QString::number(numeroGiorno(oggi()));
    lavoro.mkpath(giorno);
    const QDir copia(lavoro.filePath(giorno));
    // The paths as the window shows them, relative to the working folder.
    const QString da = "./" + lavoro.relativeFilePath(archivi.absolutePath());
    const QString a = "./" + giorno;

    if (finestra)
        finestra->show();
    for (const QFileInfo& voce : voci) {
        if (voce.isDir() || voce.fileName().endsWith("-journal"))
            continue;
        if (finestra)
            finestra->mostraFile(voce.fileName(), da, a);
        copiaFile(dm, voce, copia.filePath(voce.fileName()));
    }
    if (finestra)
        finestra->close();
}
