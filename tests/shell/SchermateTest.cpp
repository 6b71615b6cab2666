#include "ArchivioDiProva.h"
#include "QtPrompts.h"
#include "TFrmAnno.h"
#include "TFrmCopiaFile.h"
#include "TFrmDataSospeso.h"
#include "TFrmMain.h"
#include "TFrmProgBar.h"
#include "TFrmRestruct.h"
#include "TFrmWait.h"
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

// Pictures of the windows for a look by eye, written by scripts/screenshots into the folder
// named by LAV_SCREENSHOTS; without it there is nothing to do.
TEST(Schermate, SalvaLeFinestre)
{
    const QString cartella = qEnvironmentVariable("LAV_SCREENSHOTS");
    if (cartella.isEmpty())
        GTEST_SKIP() << "LAV_SCREENSHOTS not set";
    QDir().mkpath(cartella);
    auto salva = [&](QWidget& w, const QString& nome) {
        w.show();
        QTest::qWait(120);
        EXPECT_TRUE(w.grab().save(QDir(cartella).filePath(nome + ".png"))) << nome.toStdString();
    };

    TFrmWait attesa;
    salva(attesa, "avvio");
    attesa.close();

    ArchivioDiProva a(2024);
    TFrmMain principale;
    principale.impostaDataModule(*a.dm);
    salva(principale, "principale");
    salva(principale.FrmAnno(), "anno");
    principale.FrmAnno().hide();
    for (QAction* m : principale.menuBar()->actions()) {
        m->menu()->popup(principale.mapToGlobal(QPoint(0, 0)));
        QTest::qWait(50);
        m->menu()->grab().save(QDir(cartella).filePath("menu-" + QString(m->text()).remove('&') + ".png"));
        m->menu()->hide();
    }

    TFrmCopiaFile copia;
    copia.mostraFile("DBLav.db", "./archivi", "./2");
    salva(copia, "copia");
    TFrmProgBar progresso;
    progresso.avvia(10);
    for (int i = 0; i < 4; ++i)
        progresso.passo();
    salva(progresso, "progresso");
    TFrmRestruct ristruttura;
    ristruttura.mostraFile("Servizi.db");
    salva(ristruttura, "ristruttura");
    TFrmDataSospeso data(a.prompts);
    salva(data, "data-sospeso");
}
