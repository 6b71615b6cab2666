#include "ContiDiProva.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "IncassiCliente.h"
#include "Modale.h"
#include "MovimentiConto.h"
#include "ReportPreview.h"
#include "TFrmAltriMov.h"
#include "TFrmModPag.h"
#include "TFrmPrimaNota.h"
#include "TQRConto.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// The payment methods screen; the movements screen of an account is driven in place of its
// own event loop.
class SchermataModPag : public ContiDiProva
{
protected:
    SchermataModPag() : w(std::make_unique<TFrmModPag>(dm, nullptr)) { w->show(); }
    ~SchermataModPag() override
    {
        Modale::esecutore = nullptr;
        ReportPreview::runner = nullptr;
    }

    // Opens the movements of the payment method under the cursor, runs `azione` on them.
    void movimentiDi(int codice, std::function<void(TFrmAltriMov&)> azione)
    {
        ASSERT_TRUE(dm.TblModPag.locate("Codice", {codice}));
        Modale::esecutore = [azione](QDialog& d) {
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            azione(dynamic_cast<TFrmAltriMov&>(d));
            return int(QDialog::Rejected);
        };
        w->grdModPagDblClick();
    }

    static void scrivi(DbEdit* e, const QString& testo)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, testo);
    }

    std::unique_ptr<TFrmModPag> w;
};

TEST_F(SchermataModPag, ShowsTheMethodsWithTheirStateInTheCaption)
{
    EXPECT_EQ(w->windowTitle(), "Modalità di pagamento [Visualizzazione]");
    EXPECT_EQ(w->grdModPag->model()->rowCount(), 2);
    EXPECT_EQ(w->grdModPag->toolTip(), "Doppio click: gestione movimenti");
    EXPECT_TRUE(w->grdModPag->column(w->grdModPag->columnOf("Mastro")).readOnly);
    w->navModPag->click(NavButton::Insert);
    EXPECT_EQ(w->windowTitle(), "Modalità di pagamento [Inserimento]");
    dm.TblModPag["Descrizione"] = "Assegno";
    // Closing gives the new method up.
    w->btnChiudi->click();
    EXPECT_EQ(dm.db.recordCount("ModPag"), 2);
}

TEST_F(SchermataModPag, AMethodInUseOrWithMovementsCannotBeDeleted)
{
    a.prompts.answer(Answer::Ok);
    dm.TblModPag.locate("Codice", {2});
    w->navModPag->click(NavButton::Delete);
    EXPECT_EQ(a.prompts.last(), Prompt::warning("La modalità di pagamento \"Bonifico\" è assegnata a un cliente: impossibile eliminarla."));
    sql("UPDATE Clienti SET Pagamento = 1");
    sql(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Conto, InsManuale) VALUES (0, 'Versamento', '2024-02-01', 10, 2, 1)")
            .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    a.prompts.answer(Answer::Ok);
    w->navModPag->click(NavButton::Delete);
    EXPECT_EQ(a.prompts.last(),
              Prompt::warning("La modalità di pagamento \"Bonifico\" ha movimenti nella prima nota del 2024: impossibile eliminarla."));
    EXPECT_EQ(dm.db.recordCount("ModPag"), 2);
    sql(QString("DELETE FROM %1").arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    a.prompts.answer(Answer::Ok);
    w->navModPag->click(NavButton::Delete);
    EXPECT_EQ(dm.db.recordCount("ModPag"), 1);
}

TEST_F(SchermataModPag, DareAndAvereTypeMovementsOfTheAccount)
{
    movimentiDi(2, [this](TFrmAltriMov& m) {
        EXPECT_EQ(m.windowTitle(), "Bonifico");
        EXPECT_FALSE(m.chkAttivato->isChecked());
        EXPECT_EQ(m.dtpDaData->date(), QDate(2024, 1, 1));
        EXPECT_EQ(m.dtpAData->date(), QDate(2024, 3, 15));

        m.btnAvere->click();
        EXPECT_TRUE(m.edtData->hasFocus());
        EXPECT_EQ(m.edtImporto->palette().color(QPalette::Base), TFrmAltriMov::rosso);
        scrivi(m.edtData, "01022024");
        scrivi(m.edtCausale, "Spese");
        scrivi(m.edtImporto, "50");
        m.navMovimenti->click(NavButton::Post);
        EXPECT_TRUE(m.navMovimenti->hasFocus());
        EXPECT_EQ(m.edtImporto->text(), "50");

        m.btnDare->click();
        EXPECT_EQ(m.edtImporto->palette().color(QPalette::Base), TFrmAltriMov::verde);
        scrivi(m.edtData, "02022024");
        scrivi(m.edtCausale, "Versamento");
        scrivi(m.edtImporto, "50");
        m.navMovimenti->click(NavButton::Post);
        EXPECT_EQ(m.grdMovimenti->model()->rowCount(), 2);
        EXPECT_EQ(m.grdMovimenti->model()->index(0, 5).data().toString(), "50,00");   // Avere
        EXPECT_EQ(m.grdMovimenti->model()->index(1, 4).data().toString(), "50,00");   // Dare

        // Back on the first, its box is red again.
        m.navMovimenti->click(NavButton::First);
        EXPECT_EQ(m.edtImporto->palette().color(QPalette::Base), TFrmAltriMov::rosso);
    });
    EXPECT_EQ(riassunto(), (QStringList{"Spese 2 -50", "Versamento 2 50"}));
    EXPECT_FALSE(w->movimenti().TblPrimaNota.filtered());     // closing drops the account's filter
}

TEST_F(SchermataModPag, ACollectionIsShownButNotChangedThere)
{
    fattura(15, 122, QDate(2024, 1, 5));
    IncassiCliente incassi(dm);
    incassi.Apri();
    incassi.Incassa(QDate(2024, 2, 10));
    incassi.Chiudi();
    movimentiDi(2, [this](TFrmAltriMov& m) {
        ASSERT_EQ(m.grdMovimenti->model()->rowCount(), 1);
        EXPECT_EQ(m.grdMovimenti->model()->index(0, 4).data().toString(), "122,00");
        a.prompts.clear();
        m.navMovimenti->click(NavButton::Edit);
        m.navMovimenti->click(NavButton::Delete);
        EXPECT_EQ(w->movimenti().TblPrimaNota.state(), DatasetState::Browse);
        EXPECT_EQ(m.grdMovimenti->model()->rowCount(), 1);
    });
    EXPECT_EQ(ledger().size(), 3);
}

TEST_F(SchermataModPag, TheStatementFromEitherScreen)
{
    sql(QString("INSERT INTO %1 (Cliente, Causale, Data, Importo, Conto, InsManuale) VALUES "
                "(0, 'Versamento', '2024-02-01', 100, 2, 1), (0, 'Spese', '2024-02-05', -30, 2, 1)")
            .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    QStringList saldi;
    ReportPreview::runner = [&](ReportPreview&) {
        saldi = DatiDiProva::colonna(w->movimenti().report().pages(), "Saldo");
    };
    dm.TblModPag.locate("Codice", {2});
    w->grdModPagEllipsisClick();
    EXPECT_EQ(saldi, (QStringList{"100,00", "70,00", "70,00"}));
    EXPECT_FALSE(w->movimenti().TblPrimaNota.filtered());

    // From the movements screen, the period of its filter.
    movimentiDi(2, [&](TFrmAltriMov& m) {
        m.dtpAData->setDate(QDate(2024, 2, 29));
        m.dtpDaData->setDate(QDate(2024, 2, 3));
        m.chkAttivato->click();
        EXPECT_EQ(m.grdMovimenti->model()->rowCount(), 1);
        saldi.clear();
        m.btnStampa->click();
        EXPECT_EQ(saldi, (QStringList{"70,00", "70,00"}));
        EXPECT_EQ(m.grdMovimenti->model()->rowCount(), 1);
    });
}

TEST_F(SchermataModPag, TheDirectEditorFollowsTheCustomerAndRunsNoRule)
{
    fattura(15, 122, QDate(2024, 1, 5));
    TFrmPrimaNota editor(dm);
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Gestione diretta archivio prima nota");
    EXPECT_EQ(dm.TblPrimaNota.master(), &dm.TblClienti);
    EXPECT_EQ(editor.grdPrimaNota->model()->rowCount(), 1);
    EXPECT_EQ(editor.grdPrimaNota->model()->index(0, 6).data().toString(), "No");

    // Any field, with no ledger rule: an invoice marked collected with nothing behind it.
    editor.navPrimaNota->click(NavButton::Edit);
    dm.TblPrimaNota["Incassata"] = true;
    editor.navPrimaNota->click(NavButton::Post);
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -122 incassata"});
    EXPECT_EQ(editor.grdPrimaNota->model()->index(0, 6).data().toString(), "Si");

    const double bar = cliente({.nome = "Bar Centrale"});
    dm.TblClienti.refresh();
    suCliente(bar);
    EXPECT_EQ(editor.grdPrimaNota->model()->rowCount(), 0);
    editor.btnChiudi->click();
    EXPECT_EQ(dm.TblPrimaNota.master(), nullptr);
}

} // namespace
