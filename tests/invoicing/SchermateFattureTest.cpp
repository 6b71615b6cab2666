#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmFatturaMan.h"
#include "TFrmFatture.h"
#include "TempArchive.h"
#include <gtest/gtest.h>

// Pictures of the invoice windows on the demo archive, written into the folder named by
// LAV_SCREENSHOTS (scripts/screenshots); without it there is nothing to do.
TEST(SchermateFatture, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";

    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 1});
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2024); };
    ASSERT_TRUE(dm.Avvia());

    TFrmFatture fatture(dm);
    fatture.show();
    salvaFinestra(fatture, "fatture");
    TFrmFatturaMan manuale(dm);
    manuale.show();
    salvaFinestra(manuale, "fattura-manuale");
}
