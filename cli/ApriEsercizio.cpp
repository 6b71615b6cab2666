#include "ApriEsercizio.h"

#include "Errors.h"
#include <QDir>
#include <QFileInfo>

std::unique_ptr<TDataModule1> ApriEsercizio(const QString& cartella, int anno, Prompts& prompts)
{
    if (TDataModule1::archivioMancante(cartella))
        throw LavError(QStringLiteral("Nella cartella %1 non c'è un archivio.").arg(cartella));
    if (!QFileInfo::exists(QDir(cartella).filePath(QStringLiteral("%1/PrimaNota.db").arg(anno))))
        throw LavError(QStringLiteral("Nella cartella %1 non c'è l'esercizio %2.").arg(cartella).arg(anno));
    auto dm = std::make_unique<TDataModule1>(prompts, cartella);
    TDataModule1& d = *dm;
    d.sceltaAnno = [&d, anno] { d.CambiaAnno(anno); };
    if (!d.Avvia())
        throw LavError(QStringLiteral("Impossibile aprire l'esercizio %1.").arg(anno));
    return dm;
}
