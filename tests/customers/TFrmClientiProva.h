#pragma once
#include "ArchivioDiProva.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbGridModel.h"
#include "TFrmClienti.h"
#include "GrigliaPannelli.h"
#include "reports/TestoQt.h"
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// A started archive with a few articles, builders that write customers, sites, rentals and
// extra lines straight into the files, and the customer screen shown offscreen over them.
class SchermoClienti : public ::testing::Test
{
protected:
    SchermoClienti() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm)
    {
        articolo(1, "Dispenser asciugamani", "CWS", true);
        articolo(2, "Dispenser sapone", "Inox", true);
        articolo(3, "Tappeto antisporco", "Cotone", true);
        articolo(4, "Servizio di ritiro", "", false);
    }

    QVariant leggi(const QString& sql, const QVariantList& valori = {})
    {
        QSqlQuery q = dm.db.exec(sql, valori);
        return q.next() ? q.value(0) : QVariant();
    }
    void scrivi(const QString& sql, const QVariantList& valori = {}) { dm.db.exec(sql, valori); }

    void articolo(int codice, const QString& descrizione, const QString& tipo, bool fatturabile, double dentro = 100)
    {
        scrivi("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori, Fatturabile) VALUES (?, ?, ?, ?, 0, ?)",
               {codice, descrizione, tipo, dentro, fatturabile});
    }
    void cliente(int codice, const QString& nome, const QVariant& condizioni = "Mensile", bool estesa = false)
    {
        scrivi("INSERT INTO Clienti (Codice, Denominazione, Condizioni, StampaEstesa, Pagaiva) VALUES (?, ?, ?, ?, 1)",
               {codice, nome, condizioni, estesa});
    }
    void sede(int codice, int cliente, const QString& indirizzo)
    {
        scrivi("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo) VALUES (?, ?, ?)", {codice, cliente, indirizzo});
    }
    void noleggio(int sede, int articolo, int quantita, double costo, const QVariant& inFattura = {},
                  const QString& reparto = {}, const QString& sesso = {})
    {
        scrivi("INSERT INTO Noleggi (\"Codice sede\", \"Codice servizio\", Quantita, InFattura, Costo, Reparto, Sesso) "
               "VALUES (?, ?, ?, ?, ?, ?, ?)",
               {sede, articolo, quantita, inFattura, costo, reparto.isEmpty() ? QVariant() : QVariant(reparto),
                sesso.isEmpty() ? QVariant() : QVariant(sesso)});
        scrivi("UPDATE Servizi SET Dentro = Dentro - ?, Fuori = Fuori + ? WHERE Codice = ?", {quantita, quantita, articolo});
    }
    double costo(int sede, int articolo)
    {
        return leggi("SELECT Costo FROM Noleggi WHERE \"Codice sede\" = ? AND \"Codice servizio\" = ?", {sede, articolo})
            .toDouble();
    }

    // The screen on what the files hold now, shown and active.
    TFrmClienti& apri()
    {
        for (Table* t : {&dm.TblServizi, &dm.TblClienti, &dm.TblSedi, &dm.TblNoleggi, &dm.TblAltreInfo})
            t->refresh();
        w = std::make_unique<TFrmClienti>(dm);
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }
    void paginaSedi() { w->pageControl1->setCurrentIndex(1); }

    // Types into a bound box as the user would.
    static void digita(QWidget* box, const QString& testo)
    {
        box->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(box))
            e->selectAll();
        QTest::keyClicks(box, testo);
    }
    // The bound box of a field in the live site panel.
    DbEdit* campoSede(const QString& campo)
    {
        GrigliaPannelli* p = w->pilaSedi->currentWidget() == w->pannelliSedi ? w->pannelliSedi : w->pannelliSediEstese;
        return p->pannelloVivo()->findChild<DbEdit*>(campo);
    }
    // Opens the editor of the current record's cell in a column of the rental grid.
    template <class Editor>
    Editor* cellaNoleggio(int colonna)
    {
        DbGrid* g = w->grdNoleggi;
        g->setCurrentIndex(g->model()->index(g->gridModel()->currentRow(), colonna));
        QTest::keyClick(g, Qt::Key_F2);
        return qobject_cast<Editor*>(g->cellEditor());
    }
    static void scegli(QComboBox* box, const QString& descrizione)
    {
        ASSERT_TRUE(box);
        const int i = box->findText(descrizione);
        ASSERT_GE(i, 0) << descrizione.toStdString();
        box->setCurrentIndex(i);
        Q_EMIT box->activated(i);
    }
    void scriviNoleggio(int colonna, const QString& testo)
    {
        auto* e = cellaNoleggio<QLineEdit>(colonna);
        ASSERT_TRUE(e);
        e->selectAll();
        QTest::keyClicks(e, testo);
        QTest::keyClick(e, Qt::Key_Return);
        QApplication::processEvents();
    }

    ArchivioDiProva a;
    TDataModule1& dm;
    std::unique_ptr<TFrmClienti> w;
};
