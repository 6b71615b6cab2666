#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmClienti.h"
#include "TFrmClientiLst.h"
#include "TFrmSuppFatt.h"
#include "TempArchive.h"
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

// Pictures of the customer screen and its companions on the demo archive, written into the
// folder named by LAV_SCREENSHOTS (scripts/screenshots); without it there is nothing to do.
TEST(SchermateClienti, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";

    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 1});
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2024); };
    ASSERT_TRUE(dm.Avvia());
    // The customer with the most sites, and one described in the extended way.
    auto codice = [&](const QString& sql) {
        QSqlQuery q = dm.db.exec(sql);
        return q.next() ? q.value(0) : QVariant();
    };
    const QVariant conPiuSedi = codice("SELECT \"Codice cliente\" FROM Sedi GROUP BY \"Codice cliente\" "
                                       "ORDER BY COUNT(*) DESC LIMIT 1");
    const QVariant esteso = codice("SELECT Codice FROM Clienti WHERE StampaEstesa = 1 LIMIT 1");
    const QVariant conRighe = codice("SELECT Cliente FROM AltreInfo GROUP BY Cliente ORDER BY COUNT(*) DESC LIMIT 1");

    TFrmClienti clienti(dm);
    clienti.show();
    dm.TblClienti.locate("Codice", {conPiuSedi});
    salvaFinestra(clienti, "clienti-informazioni");
    clienti.pageControl1->setCurrentIndex(1);
    dm.TblSedi.next();
    salvaFinestra(clienti, "clienti-sedi");
    if (esteso.isValid()) {
        dm.TblClienti.locate("Codice", {esteso});
        salvaFinestra(clienti, "clienti-sedi-estese");
    }

    clienti.SBtnRicerca->click();
    salvaFinestra(*clienti.FrmClientiLst(), "clienti-ricerca");
    if (conRighe.isValid())
        dm.TblClienti.locate("Codice", {conRighe});
    clienti.SBtnFattura->click();
    salvaFinestra(*clienti.FrmSuppFatt(), "clienti-righe-fattura");
    clienti.close();
}
