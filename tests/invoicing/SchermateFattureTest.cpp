#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmFatturaMan.h"
#include "TFrmFatture.h"
#include "TempArchive.h"
#include <QSqlQuery>
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
    // A VAT-exempt invoice, so that the nature and its text show.
    TFrmFatturaMan manuale(dm);
    manuale.show();
    QSqlQuery esente = dm.db.exec("SELECT min(Codice) FROM Fattman WHERE NATURA IS NOT NULL");
    if (esente.next())
        dm.TblFatturaMan.locate("Codice", {esente.value(0)});
    salvaFinestra(manuale, "fattura-manuale");
}
