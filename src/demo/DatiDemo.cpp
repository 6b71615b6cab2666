#include "DatiDemo.h"
#include "Database.h"
#include "Errors.h"
#include "Generatore.h"

void CreaDatiDemo(Database& db, int scale, quint32 seed)
{
    if (scale < 1 || scale > 200)
        throw LavError(QStringLiteral("Scala %1 non valida: deve essere compresa fra 1 e 200.").arg(scale));
    for (const char* t : {"Clienti", "Sedi", "Noleggi", "Servizi", "Agenti", "Iter", "ModPag"}) {
        if (db.recordCount(QString::fromLatin1(t)) > 0)
            throw LavError(QStringLiteral("L'archivio contiene già dei dati (tabella %1): i dati "
                                          "dimostrativi si caricano solo in un archivio nuovo.")
                               .arg(QString::fromLatin1(t)));
    }

    Transaction t(db);
    demo::Generatore(db, scale, seed).esegui();
    t.commit();
}
