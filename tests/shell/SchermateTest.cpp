#include "ArchivioDiProva.h"
#include "QtPrompts.h"
#include "Schermate.h"
#include "TFrmAnno.h"
#include "TFrmCopiaFile.h"
#include "TFrmDataSospeso.h"
#include "TFrmMain.h"
#include "TFrmProgBar.h"
#include "TFrmRestruct.h"
#include "TFrmWait.h"
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

// Pictures of the windows for a look by eye, written by scripts/screenshots into the folder
// named by LAV_SCREENSHOTS; without it there is nothing to do.
TEST(Schermate, SalvaLeFinestre)
{
    if (cartellaSchermate().isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";

    TFrmWait attesa;
    salvaFinestra(attesa, "avvio");
    attesa.close();

    ArchivioDiProva a(2024);
    TFrmMain principale;
    principale.impostaDataModule(*a.dm);
    salvaFinestra(principale, "principale");
    salvaFinestra(principale.FrmAnno(), "anno");
    principale.FrmAnno().hide();
    for (QAction* m : principale.menuBar()->actions()) {
        m->menu()->popup(principale.mapToGlobal(QPoint(0, 0)));
        QTest::qWait(50);
        m->menu()->grab().save(fileSchermata("menu-" + QString(m->text()).remove('&') + ".png"));
        m->menu()->hide();
    }

    TFrmCopiaFile copia;
    copia.mostraFile("DBLav.db", "./archivi", "./2");
    salvaFinestra(copia, "copia");
    TFrmProgBar progresso;
    progresso.avvia(10);
    for (int i = 0; i < 4; ++i)
        progresso.passo();
    salvaFinestra(progresso, "progresso");
    TFrmRestruct ristruttura;
    ristruttura.mostraFile("Servizi.db");
    salvaFinestra(ristruttura, "ristruttura");
    TFrmDataSospeso data(a.prompts);
    salvaFinestra(data, "data-sospeso");
}
