#pragma once
#include "DatiDemo.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include <QTemporaryDir>
#include <functional>
#include <memory>

// The archive a benchmark works on: made new in a temporary folder, filled with the demo data
// of a scale (none with 0), changed by `prepara` while it is still a bare database file, then
// opened by the data module on fiscal year 2024.
struct ArchivioBench
{
    explicit ArchivioBench(int scala, const std::function<void(Database&)>& prepara = {})
    {
        TDataModule1::CreaArchivio(dir.path());
        if (scala > 0 || prepara) {
            Database db(QStringLiteral("ArchivioBench"));
            db.open(dir.filePath(QStringLiteral("archivi")));
            if (scala > 0)
                CreaDatiDemo(db, scala, 1);
            if (prepara)
                prepara(db);
        }
        dm = std::make_unique<TDataModule1>(prompts, dir.path());
        dm->sceltaAnno = [this] { dm->CambiaAnno(2024); };
        dm->Avvia();
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
};
