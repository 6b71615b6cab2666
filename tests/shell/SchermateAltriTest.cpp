#include "Schermate.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "TFrmParametri.h"
#include "TFrmPasswordDlg.h"
#include "TFrmPrevSaldi.h"
#include "TFrmQuery.h"
#include "TempArchive.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// Pictures of the parameters, password, query and carried-balances windows over the demo
// archive, written by scripts/screenshots into the folder named by LAV_SCREENSHOTS.
TEST(SchermateAltri, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";

    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 1});
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2023); };
    dm.Avvia();

    // Some invoices of 2023, carried into 2024.
    const QString pn = dm.db.qualified(dm.TblPrimaNota.tableName());
    for (int i = 0; i < dm.TblClienti.recordCount(); i += 2)
        dm.db.exec(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Conto) VALUES (?, 'Fattura di vendita', "
                           "'2023-11-30', ?, 0)").arg(pn),
                   {dm.TblClienti.valueAt(i, "Codice"), -(120.0 + 37.5 * i)});
    dm.CreaAnnoSuccessivo();

    TFrmParametri parametri(dm, nullptr);
    salvaFinestra(parametri, "parametri");
    parametri.close();

    TFrmPasswordDlg password(dm, nullptr);
    salvaFinestra(password, "password");
    password.close();

    TFrmQuery query(dm, nullptr);
    query.show();
    query.memSql->setPlainText("SELECT Codice, Denominazione, Comune, Imponibile\nFROM Clienti\nORDER BY Denominazione");
    query.btnApri->click();
    salvaFinestra(query, "query");
    query.close();

    TFrmPrevSaldi saldi(dm, nullptr);
    salvaFinestra(saldi, "saldi-precedenti");
    saldi.close();
}
