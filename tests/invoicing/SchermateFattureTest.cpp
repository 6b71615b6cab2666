#include "Schermate.h"
#include "TFrmFatturaMan.h"
#include "TFrmFatture.h"
#include "widgets/ArchivioDemo.h"
#include <gtest/gtest.h>

// Pictures of the invoice windows on the demo archive, written into the folder named by
// LAV_SCREENSHOTS (scripts/screenshots); without it there is nothing to do.
TEST(SchermateFatture, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";
    ArchivioDemo demo;
    TDataModule1& dm = *demo.dm;

    TFrmFatture fatture(dm);
    salvaFinestra(fatture, "fatture");
    // A VAT-exempt invoice, so that the nature and its text show.
    TFrmFatturaMan manuale(dm);
    manuale.show();
    dm.TblFatturaMan.locate("Codice", {demo.leggi("SELECT min(Codice) FROM Fattman WHERE NATURA IS NOT NULL")});
    salvaFinestra(manuale, "fattura-manuale");
}
