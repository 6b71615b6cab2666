#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmAgenti.h"
#include "TFrmAgentiLst.h"
#include "TFrmServizi.h"
#include "TFrmServiziLst.h"
#include "TempArchive.h"
#include <QDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

// Pictures of the agents and articles screens with their search windows over the demo archive,
// written by scripts/screenshots into the folder named by LAV_SCREENSHOTS.
TEST(SchermateAnagrafiche, SalvaLeFinestre)
{
    const QString cartella = qEnvironmentVariable("LAV_SCREENSHOTS");
    if (cartella.isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";
    QDir().mkpath(cartella);
    auto salva = [&](QWidget& w, const QString& nome) {
        QTest::qWait(120);
        EXPECT_TRUE(w.grab().save(QDir(cartella).filePath(nome + ".png"))) << nome.toStdString();
    };

    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 1});
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2024); };
    dm.Avvia();

    TFrmAgenti agenti(dm, nullptr);
    agenti.show();
    dm.TblAgenti.next();
    salva(agenti, "agenti");
    salva(*agenti.FrmAgentiLst(), "agenti-ricerca");
    agenti.close();

    TFrmServizi servizi(dm, nullptr);
    servizi.show();
    salva(*servizi.FrmServiziLst(), "giacenze-ricerca");
    servizi.FrmServiziLst()->close();
    dm.TblServizi.next();
    salva(servizi, "giacenza");
    servizi.SBtnDelete->click();
    salva(servizi, "giacenza-decremento");
    servizi.close();
}
