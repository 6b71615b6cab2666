#include "TempArchive.h"
#include "DatiDemo.h"
#include "Database.h"
#include "Errors.h"
#include "TDataModule1.h"

TempArchive::TempArchive()
{
    if (!dir.isValid())
        throw LavError(QStringLiteral("Impossibile creare la cartella temporanea."));
    TDataModule1::CreaArchivio(dir.path());
}

TempArchive::TempArchive(Demo demo) : TempArchive()
{
    static int connessioni = 0;
    Database db(QStringLiteral("TempArchive%1").arg(++connessioni));
    db.open(archivi());
    CreaDatiDemo(db, demo.scale, demo.seed);
}
