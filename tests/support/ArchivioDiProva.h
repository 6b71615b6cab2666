#pragma once
#include "Clock.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include <QTemporaryDir>
#include <memory>

// A working folder with a new archive and a data module on it, in the fiscal year given
// (created without asking). Started, the data module has opened its tables as at start-up.
struct ArchivioDiProva
{
    enum Avvio { SoloAnno, Avviato };

    explicit ArchivioDiProva(int anno = 2024, Avvio avvio = SoloAnno)
    {
        TDataModule1::CreaArchivio(dir.path());
        dm = std::make_unique<TDataModule1>(prompts, dir.path());
        if (avvio == Avviato) {
            dm->sceltaAnno = [this, anno] { dm->CambiaAnno(anno); };
            dm->Avvia();
        } else {
            dm->CambiaAnno(anno);
        }
        prompts.clear();
    }
    ~ArchivioDiProva()
    {
        dm.reset();
        fissaOggi(QDate());
    }

    QString percorso(const QString& relativo) const { return dir.filePath(relativo); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
};
