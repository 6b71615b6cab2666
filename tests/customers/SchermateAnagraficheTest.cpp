#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmAgenti.h"
#include "TFrmAgentiLst.h"
#include "TFrmServizi.h"
#include "TFrmServiziLst.h"
#include "TempArchive.h"
#include <QToolButton>
#include <gtest/gtest.h>

// Pictures of the agents and articles screens with their search windows over the demo archive,
// written by scripts/screenshots into the folder named by LAV_SCREENSHOTS.
TEST(SchermateAnagrafiche, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";

    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 1});
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2024); };
    dm.Avvia();

    TFrmAgenti agenti(dm, nullptr);
    agenti.show();
    dm.TblAgenti.next();
    salvaFinestra(agenti, "agenti");
    salvaFinestra(*agenti.FrmAgentiLst(), "agenti-ricerca");
    agenti.close();

    TFrmServizi servizi(dm, nullptr);
    servizi.show();
    salvaFinestra(*servizi.FrmServiziLst(), "giacenze-ricerca");
    servizi.FrmServiziLst()->close();
    dm.TblServizi.next();
    salvaFinestra(servizi, "giacenza");
    servizi.SBtnDelete->click();
    salvaFinestra(servizi, "giacenza-decremento");
    servizi.close();
}
