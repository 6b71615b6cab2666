#include "DbGrid.h"
#include "ReportPreview.h"
#include "ServiziDiProva.h"
#include "TFrmClienti.h"
#include "TFrmIter.h"
#include "TFrmMain.h"
#include "VoceMenu.h"
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

// The main window over an archive of routes, sites and pending deliveries; each modal window it
// opens is handed to the test from inside its own loop, then closed.
class MenuServizi : public ServiziDiProva
{
protected:
    MenuServizi()
    {
        fissaOggi(QDate(2024, 3, 15));
        ReportPreview::runner = [this](ReportPreview& p) { anteprime << p.windowTitle(); };
    }
    ~MenuServizi() override { ReportPreview::runner = nullptr; }

    // Runs the action; the modal window it opens goes to `dentro`, then is closed. Returns the
    // window's caption ("" when none opened).
    QString apri(const std::function<void()>& azione, const std::function<void(QWidget&)>& dentro = {})
    {
        QString titolo;
        QTimer::singleShot(0, [&] {
            QWidget* m = QApplication::activeModalWidget();
            if (!m)
                return;
            titolo = m->windowTitle();
            if (dentro)
                dentro(*m);
            if (m->isVisible())
                m->close();
        });
        azione();
        return titolo;
    }
    QString apri(const QString& percorso, const std::function<void(QWidget&)>& dentro = {})
    {
        QAction* a = voceMenu(w, percorso);
        EXPECT_NE(a, nullptr) << percorso.toStdString();
        return a ? apri([a] { a->trigger(); }, dentro) : QString();
    }

    TFrmMain w;
    QStringList anteprime;
};

} // namespace

TEST_F(MenuServizi, EntriesOpenTheServiceWindowsAndDocuments)
{
    const int g = giro("Cosenza centro", "Rossi Mario");
    const double art = articolo("Lenzuolo", "Cotone");
    const double s = sede({.cliente = cliente(), .iter = g});
    intervento(s, 1, {true, false, false, false, false, false});
    sospeso("2024-03-01", s, art, 3);
    aggiorna();
    w.impostaDataModule(dm);

    // From the main window the routes are only looked at: no "OK".
    bool conOk = true;
    auto guardaOk = [&](QWidget& f) { conOk = static_cast<TFrmIter&>(f).BtnOk->isVisible(); };
    EXPECT_EQ(apri("&Agenti > S&ervizi", guardaOk), "Servizi");
    EXPECT_FALSE(conOk);
    conOk = true;
    EXPECT_EQ(apri([this] { QTest::mouseClick(w.sbtnServizi, Qt::LeftButton); }, guardaOk), "Servizi");
    EXPECT_FALSE(conOk);

    EXPECT_EQ(apri("&Clienti > Consumi"), "Consumi [Visualizzazione]");
    EXPECT_EQ(apri("&Clienti > Sospesi > Gestione"), "Gestione sospesi");
    EXPECT_EQ(apri("&Magazzino > &Storico"), "Storico magazzino [Visualizzazione]");
    EXPECT_EQ(apri("&Magazzino > &Inventario"), "Inventario");

    // The pending list asks for the revision and previews; the blank intervention sheet too.
    a.prompts.answerInput(QString("3 del 01/03/2024"));
    voceMenu(w, "&Clienti > Sospesi > Elenco sospesi")->trigger();
    EXPECT_EQ(a.prompts.last().text, "Inserisci i dati|N° e data revisione");
    voceMenu(w, "&Agenti > &Scheda > &Anteprima")->trigger();
    EXPECT_EQ(anteprime.size(), 2);
}

TEST_F(MenuServizi, CustomerScreenChoosesTheRouteOfTheSiteAndGroupsItsSites)
{
    giro("Cosenza centro", "Rossi Mario");
    const int rende = giro("Rende", "Bianchi Luca");
    const double c = cliente();
    sede({.cliente = c, .indirizzo = "Via Roma 1"});
    sede({.cliente = c, .indirizzo = "Via Po 3"});
    aggiorna();
    w.impostaDataModule(dm);

    QString sceltaRotta, raggruppamento;
    bool conOk = false;
    apri("&Clienti > Gestione", [&](QWidget& f) {
        auto& clienti = static_cast<TFrmClienti&>(f);
        // The route is chosen in the routes window, with "OK", and given to the site shown.
        sceltaRotta = apri([&] { QTest::mouseClick(clienti.SBtnModificaServizio, Qt::LeftButton); }, [&](QWidget& r) {
            auto& iter = static_cast<TFrmIter&>(r);
            conOk = iter.BtnOk->isVisible();
            dm.TblIter.locate("Codice", {rende});
            QTest::mouseClick(iter.BtnOk, Qt::LeftButton);
        });
        dm.TblSedi.post();
        raggruppamento = apri([&] { QTest::mouseClick(clienti.SBtnRaggruppamenti, Qt::LeftButton); });
    });
    EXPECT_EQ(sceltaRotta, "Servizi");
    EXPECT_TRUE(conOk);
    EXPECT_EQ(raggruppamento, "Raggruppamento sedi");
    EXPECT_EQ(righe("SELECT s.Indirizzo, s.Iter, a.Nominativo FROM Sedi s LEFT JOIN Agenti a ON a.Codice = s.\"Codice agente\" "
                    "ORDER BY s.Codice"),
              QStringList({"Via Roma 1 | 2 | Bianchi Luca", "Via Po 3 | 0 | "}));

    // Closing the routes window without "OK" leaves the site alone.
    apri("&Clienti > Gestione", [&](QWidget& f) {
        auto& clienti = static_cast<TFrmClienti&>(f);
        dm.TblSedi.last();
        apri([&] { QTest::mouseClick(clienti.SBtnModificaServizio, Qt::LeftButton); });
    });
    EXPECT_EQ(righe("SELECT Iter FROM Sedi ORDER BY Codice"), QStringList({"2", "0"}));
}
