#include "ContiDiProva.h"
#include "DbEdit.h"
#include "DbGrid.h"
#include "DbNavigator.h"
#include "IncassiCliente.h"
#include "Modale.h"
#include "ReportPreview.h"
#include "TFrmEmessa.h"
#include "TFrmIncassata.h"
#include "TFrmIncasso.h"
#include "TFrmSaldo.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace {

// The collection screen of "Hotel Miramare" (pays by "Bonifico"), driven on the offscreen
// platform; its dialogs are driven by the test instead of their own event loop.
class SchermataSaldo : public ContiDiProva
{
protected:
    ~SchermataSaldo() override
    {
        Modale::esecutore = nullptr;
        ReportPreview::runner = nullptr;
    }

    void apri()
    {
        w = std::make_unique<TFrmSaldo>(dm, nullptr);
        w->show();
    }

    // What the dialog of the next action does before it gives its result.
    template <class D>
    void poi(std::function<void(D&)> azione)
    {
        Modale::esecutore = [this, azione](QDialog& d) {
            ++dialoghi;
            d.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            azione(dynamic_cast<D&>(d));
            return d.result();
        };
    }

    static void scrivi(DbEdit* e, const QString& testo)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, testo);
    }

    QStringList righe(DbGrid* g)
    {
        QStringList out;
        for (int r = 0; r < g->model()->rowCount(); ++r) {
            QStringList celle;
            for (int c = 0; c < g->model()->columnCount(); ++c)
                celle << g->model()->index(r, c).data().toString();
            out << celle.join(" | ");
        }
        return out;
    }

    std::unique_ptr<TFrmSaldo> w;
    int dialoghi = 0;
};

TEST_F(SchermataSaldo, OpensOnTheCustomerAtTheBottomRightWithNothingToCollect)
{
    apri();
    EXPECT_EQ(w->windowTitle(), "Saldo fattura cliente: Hotel Miramare");
    EXPECT_FALSE(w->btnIncassa->isEnabled());
    EXPECT_FALSE(w->btnAnnulla->isEnabled());
    EXPECT_FALSE(w->chkAttivato->isChecked());
    EXPECT_EQ(w->dtpDaData->date(), QDate(2024, 1, 1));
    EXPECT_EQ(w->dtpAData->date(), QDate(2024, 3, 15));
    const QRect area = w->screen()->availableGeometry();
    EXPECT_EQ(w->frameGeometry().right(), area.right() - 10);
    EXPECT_EQ(w->frameGeometry().bottom(), area.bottom() - 10);
    EXPECT_EQ(w->navEmesse->button(NavButton::Insert)->toolTip(), "Inserisce");
    EXPECT_EQ(w->btnIncassa->toolTip(), "Registra l'incasso della fattura selezionata");
}

TEST_F(SchermataSaldo, CollectingTheOnlyInvoiceMovesItToTheRightAndUndoingBringsItBack)
{
    fattura(15, 122, QDate(2024, 1, 5));
    apri();
    ASSERT_TRUE(w->btnIncassa->isEnabled());
    EXPECT_EQ(righe(w->grdEmesse), QStringList{"15 | 05/01/2024 | -€ 122,00 | Fattura di vendita"});

    poi<TFrmIncasso>([](TFrmIncasso& d) {
        EXPECT_EQ(d.lblDomanda->text(), "Eseguo l'incasso della fattura n° 15 emessa il 05/01/2024?");
        EXPECT_EQ(d.dtpDataIncasso->date(), QDate(2024, 3, 15));
        d.dtpDataIncasso->setDate(QDate(2024, 2, 10));
        d.btnSi->click();
    });
    w->btnIncassa->click();
    EXPECT_EQ(riassunto(), (QStringList{"Fattura di vendita 0 -122 incassata", "Saldo fattura 2 122 incassata",
                                        "Saldo fattura 0 122 incassata"}));
    EXPECT_TRUE(righe(w->grdEmesse).isEmpty());
    EXPECT_FALSE(w->btnIncassa->isEnabled());
    EXPECT_EQ(righe(w->grdIncassate), QStringList{"15 | 10/02/2024 | € 122,00 | Saldo fattura"});
    EXPECT_TRUE(w->btnAnnulla->isEnabled());

    a.prompts.answer(Answer::Yes);
    w->btnAnnulla->click();
    EXPECT_EQ(a.prompts.last(), Prompt::question(MsgType::Confirmation, "Eseguo il ripristino della fattura n° 15 del 10/02/2024?"));
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -122"});
    EXPECT_EQ(righe(w->grdEmesse).size(), 1);
    EXPECT_TRUE(righe(w->grdIncassate).isEmpty());
    EXPECT_TRUE(w->btnIncassa->isEnabled());
    EXPECT_FALSE(w->btnAnnulla->isEnabled());

    // "No" leaves the invoice open.
    poi<TFrmIncasso>([](TFrmIncasso& d) { d.btnNo->click(); });
    w->btnIncassa->click();
    EXPECT_EQ(ledger().size(), 1);
}

TEST_F(SchermataSaldo, TheFilterHidesAnInvoiceOutsideThePeriod)
{
    fattura(15, 100, QDate(2024, 1, 20));
    fattura(16, 200, QDate(2024, 2, 15));
    apri();
    EXPECT_EQ(righe(w->grdEmesse).size(), 2);
    w->dtpDaData->setDate(QDate(2024, 1, 1));
    w->dtpAData->setDate(QDate(2024, 1, 31));
    EXPECT_EQ(righe(w->grdEmesse).size(), 2);      // dates alone change nothing
    w->chkAttivato->click();
    EXPECT_EQ(righe(w->grdEmesse), QStringList{"15 | 20/01/2024 | -€ 100,00 | Fattura di vendita"});
    w->chkAttivato->click();
    EXPECT_EQ(righe(w->grdEmesse).size(), 2);
}

TEST_F(SchermataSaldo, AnInvoiceTypedByHandIsStoredAsADebit)
{
    apri();
    poi<TFrmEmessa>([](TFrmEmessa& d) {
        EXPECT_TRUE(d.edtData->hasFocus());
        scrivi(d.edtData, "01022024");
        scrivi(d.edtImporto, "150");
        scrivi(d.edtFattura, "40");
        d.btnRegistra->click();
    });
    w->navEmesse->click(NavButton::Insert);
    EXPECT_EQ(dialoghi, 1);
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -150"});
    EXPECT_EQ(ledger()[0].data, QDate(2024, 2, 1));
    EXPECT_EQ(righe(w->grdEmesse), QStringList{"40 | 01/02/2024 | -€ 150,00 | Fattura di vendita"});
    EXPECT_TRUE(w->btnIncassa->isEnabled());

    // "Annulla" takes a change back.
    poi<TFrmEmessa>([](TFrmEmessa& d) {
        scrivi(d.edtImporto, "99");
        d.btnAnnulla->click();
    });
    w->navEmesse->click(NavButton::Edit);
    EXPECT_EQ(dm.TblPrimaNota.state(), DatasetState::Browse);
    EXPECT_EQ(riassunto(), QStringList{"Fattura di vendita 0 -150"});
}

TEST_F(SchermataSaldo, AnAmountThatIsNotANumberIsRefusedAndNothingIsWritten)
{
    apri();
    poi<TFrmEmessa>([this](TFrmEmessa& d) {
        scrivi(d.edtData, "01022024");
        scrivi(d.edtFattura, "40");
        scrivi(d.edtImporto, "centocinquanta");
        d.btnRegistra->click();
        EXPECT_TRUE(d.isVisible());       // still open on the refused amount
        EXPECT_EQ(a.prompts.last().type, MsgType::Error);
        d.btnAnnulla->click();
    });
    w->navEmesse->click(NavButton::Insert);
    EXPECT_TRUE(ledger().isEmpty());
    EXPECT_EQ(dm.TblPrimaNota.state(), DatasetState::Browse);
}

TEST_F(SchermataSaldo, ACollectionTypedByHandIsACreditWithItsPaymentMovement)
{
    apri();
    poi<TFrmIncassata>([](TFrmIncassata& d) {
        EXPECT_TRUE(d.edtCausale->hasFocus());
        EXPECT_EQ(d.edtData->text(), "15/03/2024");
        scrivi(d.edtCausale, "Acconto");
        scrivi(d.edtImporto, "-80");
        d.btnRegistra->click();
    });
    w->navIncassate->click(NavButton::Insert);
    EXPECT_EQ(riassunto(), (QStringList{"Acconto 2 80 incassata", "Acconto 0 80 incassata"}));
    EXPECT_EQ(righe(w->grdIncassate), QStringList{" | 15/03/2024 | € 80,00 | Acconto"});
    EXPECT_FALSE(w->btnAnnulla->isEnabled());     // removed with "Elimina" instead

    // Changing it dates it today again.
    fissaOggi(QDate(2024, 3, 18));
    poi<TFrmIncassata>([](TFrmIncassata& d) {
        EXPECT_EQ(d.edtData->text(), "18/03/2024");
        d.btnRegistra->click();
    });
    w->navIncassate->click(NavButton::Edit);
    EXPECT_EQ(ledger()[1].data, QDate(2024, 3, 18));
    EXPECT_EQ(ledger()[0].data, QDate(2024, 3, 18));

    a.prompts.answer(Answer::Ok);
    w->navIncassate->click(NavButton::Delete);
    EXPECT_TRUE(ledger().isEmpty());
}

TEST_F(SchermataSaldo, ACollectionNotTypedByHandOpensNoDialog)
{
    fattura(15, 122, QDate(2024, 1, 5));
    apri();
    w->incassi().Incassa(QDate(2024, 2, 1));
    poi<TFrmIncassata>([](TFrmIncassata& d) { d.btnAnnulla->click(); });
    a.prompts.clear();
    w->navIncassate->click(NavButton::Edit);
    EXPECT_EQ(dialoghi, 0);
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_EQ(w->incassi().TblPrimaNota2.state(), DatasetState::Browse);
}

TEST_F(SchermataSaldo, PrintingShowsTheStatementAndPutsTheListsBack)
{
    fattura(15, 100, QDate(2024, 1, 20));
    fattura(16, 200, QDate(2024, 2, 15));
    apri();
    w->incassi().Incassa(QDate(2024, 2, 1));
    int righeStampate = 0;
    ReportPreview::runner = [&](ReportPreview&) {
        righeStampate = dm.TblPrimaNota.recordCount();
    };
    w->btnStampa->click();
    EXPECT_EQ(righeStampate, 3);     // the whole customer account
    EXPECT_EQ(righe(w->grdEmesse).size(), 1);
    EXPECT_EQ(dm.TblPrimaNota.filter(), IncassiCliente::filtroFatture);
    EXPECT_EQ(righe(w->grdIncassate).size(), 1);
    const auto m = ledger();
    EXPECT_EQ(m[0].saldo, -100.0);

    // Closing leaves the ledger unfiltered, still on the customer.
    w->btnChiudi->click();
    EXPECT_FALSE(dm.TblPrimaNota.filtered());
    EXPECT_EQ(dm.TblPrimaNota.master(), &dm.TblClienti);
    EXPECT_FALSE(w->incassi().TblPrimaNota2.active());
}

} // namespace
