#include "ArchivioDiProva.h"
#include "TFrmAnno.h"
#include "TFrmClienti.h"
#include "TFrmFatture.h"
#include "ReportPreview.h"
#include "TFrmMain.h"
#include "VoceMenu.h"
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The menu as a list of lines "Menu > Entry", separators as "-".
QStringList vociDi(const QList<QAction*>& azioni, const QString& prefisso = {})
{
    QStringList voci;
    for (QAction* a : azioni) {
        if (a->isSeparator()) {
            voci << prefisso + "-";
            continue;
        }
        voci << prefisso + a->text();
        if (a->menu())
            voci << vociDi(a->menu()->actions(), prefisso + a->text() + " > ");
    }
    return voci;
}

} // namespace

TEST(MainWindow, MenuHasEveryEntryWithItsAcceleratorAndSeparators)
{
    TFrmMain w;
    EXPECT_EQ(w.windowTitle(), "Lavanderia Mr. ZANFO");
    const QStringList attese = {
        "&Clienti",
        "&Clienti > Gestione",
        "&Clienti > Elenco analitico",
        "&Clienti > Elenco analitico > Anteprima",
        "&Clienti > Elenco analitico > Stampa",
        "&Clienti > Elenco sintetico",
        "&Clienti > Elenco sintetico > &Anteprima",
        "&Clienti > Elenco sintetico > &Stampa",
        "&Clienti > Consumi",
        "&Clienti > Sospesi",
        "&Clienti > Sospesi > Elenco sospesi",
        "&Clienti > Sospesi > Gestione",
        "&Magazzino",
        "&Magazzino > &Gestione",
        "&Magazzino > &Storico",
        "&Magazzino > &Inventario",
        "&Agenti",
        "&Agenti > &Gestione",
        "&Agenti > &Scheda",
        "&Agenti > &Scheda > &Anteprima",
        "&Agenti > &Scheda > &Stampa",
        "&Agenti > S&ervizi",
        "&Fatturazione",
        "&Fatturazione > &Automatica",
        "&Fatturazione > &Manuale",
        "&Fatturazione > -",
        "&Fatturazione > Valida / Visualizza FE",
        "A&ltri",
        "A&ltri > &Parametri",
        "A&ltri > &Modalità di pagamento",
        "A&ltri > &Anno d'esercizio",
        "A&ltri > &Anno d'esercizio > &Crea",
        "A&ltri > &Anno d'esercizio > C&ambia",
        "A&ltri > &Saldi anno precedente",
        "A&ltri > P&rima nota",
        "A&ltri > -",
        "A&ltri > Query",
        "A&ltri > -",
        "A&ltri > E&xit",
    };
    EXPECT_EQ(vociDi(w.menuBar()->actions()), attese);
}

TEST(MainWindow, OnlyTheEntriesOfTheToolBarCarryImages)
{
    TFrmMain w;
    const QStringList conImmagine = {
        "&Clienti > Gestione", "&Magazzino > &Gestione", "&Agenti > &Gestione",
        "&Fatturazione > &Automatica", "A&ltri > &Parametri", "A&ltri > &Modalità di pagamento",
        "A&ltri > E&xit"};
    for (const QString& v : vociDi(w.menuBar()->actions())) {
        QAction* a = voceMenu(w, v);
        if (!a || a->isSeparator() || a->menu())
            continue;
        EXPECT_EQ(!a->icon().isNull(), conImmagine.contains(v)) << v.toStdString();
    }
}

TEST(MainWindow, ToolBarHasTwoRowsOfFourFlatButtons)
{
    TFrmMain w;
    auto* griglia = qobject_cast<QGridLayout*>(w.pnlToolBar->layout());
    ASSERT_TRUE(griglia);
    const QStringList didascalie[2] = {{"Clienti", "Magazz.", "Agenti", "Servizi"},
                                       {"Fattur.", "Param.", "Mod. pag.", ""}};
    for (int riga = 0; riga < 2; ++riga)
        for (int col = 0; col < 4; ++col) {
            auto* b = qobject_cast<QToolButton*>(griglia->itemAtPosition(riga, col)->widget());
            ASSERT_TRUE(b);
            EXPECT_EQ(b->text(), didascalie[riga][col]);
            EXPECT_TRUE(b->autoRaise());
            EXPECT_FALSE(b->icon().isNull());
            if (!b->text().isEmpty()) {
                EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            }
        }
    EXPECT_EQ(griglia->itemAtPosition(1, 3)->widget(), w.sbtnEsci);
}

TEST(MainWindow, HasTheFixedSizeOfItsToolBarAndOpensAt10_10)
{
    TFrmMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.pos(), QPoint(10, 10));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.size(), w.minimumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    // The panel fills the client area below the menu, and the menus fit on one line.
    EXPECT_EQ(w.pnlToolBar->geometry(), w.centralWidget()->geometry());
    EXPECT_EQ(w.pnlToolBar->geometry().bottom(), w.height() - 1);
    EXPECT_EQ(w.pnlToolBar->width(), w.width());
    EXPECT_GE(w.width(), w.menuBar()->sizeHint().width());

    w.resize(w.width() + 50, w.height() + 50);
    EXPECT_EQ(w.size(), w.minimumSize());
}

TEST(MainWindow, ExitEntryAndExitButtonCloseTheWindow)
{
    TFrmMain w;
    w.show();
    voceMenu(w, "A&ltri > E&xit")->trigger();
    EXPECT_FALSE(w.isVisible());

    w.show();
    QTest::mouseClick(w.sbtnEsci, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(MainWindow, ChangeYearEntryOpensTheYearDialog)
{
    ArchivioDiProva a(2024);
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    w.show();
    // The dialog runs modally: answer it from inside its own loop.
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(w.FrmAnno().isVisible());
        w.FrmAnno().speAnno->setValue(2023);
        QTest::keyClick(w.FrmAnno().speAnno, Qt::Key_Return);
    });
    voceMenu(w, "A&ltri > &Anno d'esercizio > C&ambia")->trigger();
    EXPECT_FALSE(w.FrmAnno().isVisible());
    EXPECT_EQ(w.AnnoCorrente(), "2023");
    EXPECT_EQ(w.windowTitle(), "Lavanderia Mr. ZANFO - Esercizio 2023");
}

TEST(MainWindow, CreateYearEntryMovesToTheNextYear)
{
    ArchivioDiProva a(2024, ArchivioDiProva::Avviato);
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    EXPECT_EQ(w.windowTitle(), "Lavanderia Mr. ZANFO - Esercizio 2024");
    // The new year ends on the parameters screen, shown modally: close it from its own loop.
    QString mostrata;
    QTimer::singleShot(0, [&] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            mostrata = m->windowTitle();
            m->close();
        }
    });
    voceMenu(w, "A&ltri > &Anno d'esercizio > &Crea")->trigger();
    EXPECT_EQ(mostrata, "Parametri");
    EXPECT_EQ(w.AnnoCorrente(), "2025");
    EXPECT_EQ(w.windowTitle(), "Lavanderia Mr. ZANFO - Esercizio 2025");
    EXPECT_TRUE(QDir(a.percorso("2025")).exists());
    EXPECT_EQ(a.prompts.last(), Prompt::information("Elaborazione terminata."));
}

// The invoicing entries open their windows modally: the invoice window for every customer
// from the menu and the tool bar, for one customer from the customer screen's "Fattura".
TEST(MainWindow, InvoicingEntriesOpenTheirWindows)
{
    ArchivioDiProva a(2024, ArchivioDiProva::Avviato);
    a.dm->db.exec("INSERT INTO Clienti (Codice, Denominazione, Condizioni) VALUES (7, 'Bar Sette', 'Mensile'), "
                  "(8, 'Bar Otto', 'Mensile')");
    a.dm->TblClienti.refresh();
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    w.show();
    QString singolo = "?";
    auto apertaDa = [&](const std::function<void()>& azione) {
        QString titolo;
        QTimer::singleShot(0, [&] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                titolo = m->windowTitle();
                if (auto* f = qobject_cast<TFrmFatture*>(m))
                    singolo = f->ClienteSingolo;
                m->close();
            }
        });
        azione();
        return titolo;
    };
    EXPECT_EQ(apertaDa([&] { voceMenu(w, "&Fatturazione > &Manuale")->trigger(); }), "Fattura manuale");
    EXPECT_EQ(apertaDa([&] { voceMenu(w, "&Fatturazione > &Automatica")->trigger(); }), "Stampa fatture");
    EXPECT_EQ(singolo, "");
    singolo = "?";
    EXPECT_EQ(apertaDa([&] { w.sbtnFatture->click(); }), "Stampa fatture");
    EXPECT_EQ(singolo, "");

    bool riapparsa = false;
    QTimer::singleShot(0, [&] {
        auto* clienti = qobject_cast<TFrmClienti*>(QApplication::activeModalWidget());
        ASSERT_NE(clienti, nullptr);
        a.dm->TblClienti.locate("Codice", {8});
        EXPECT_EQ(apertaDa([&] { clienti->BtnFatturaClick(); }), "Stampa fatture");
        riapparsa = clienti->isVisible();
        clienti->close();
    });
    voceMenu(w, "&Clienti > Gestione")->trigger();
    EXPECT_EQ(singolo, "8");
    EXPECT_TRUE(riapparsa);
    EXPECT_EQ(a.dm->TblClienti["Codice"].asInteger(), 8);
}

TEST(MainWindow, AnalyticListCountsItsPagesBeforeShowingThem)
{
    ArchivioDiProva a(2024, ArchivioDiProva::Avviato);
    a.dm->TblClienti.insert();
    a.dm->TblClienti["Denominazione"] = "Hotel Miramare";
    a.dm->TblClienti.post();
    TFrmMain w;
    w.impostaDataModule(*a.dm);
    QStringList mostrati;
    ReportPreview::runner = [&](ReportPreview& p) { mostrati << p.windowTitle(); };
    voceMenu(w, "&Clienti > Elenco analitico > Anteprima")->trigger();
    voceMenu(w, "&Clienti > Elenco sintetico > &Anteprima")->trigger();
    ReportPreview::runner = nullptr;
    EXPECT_TRUE(a.dm->ModoElenco);
    EXPECT_EQ(mostrati.size(), 2);
}
