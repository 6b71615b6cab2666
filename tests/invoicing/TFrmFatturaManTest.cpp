#include "ArchivioFE.h"
#include "Clock.h"
#include "DbCheckBox.h"
#include "DbComboBox.h"
#include "DbEdit.h"
#include "DbNavigator.h"
#include "FattureDiProva.h"
#include "GruppoFE.h"
#include "ReportPreview.h"
#include "TFrmFatturaMan.h"
#include "TFrmFatturaManLst.h"
#include "reports/LetturaPdf.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QMap>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The manual invoice window shown offscreen on 10/07/2024, the counter file at 40 with the last
// run for June ("30").
class FinestraManuale : public FattureDiProva
{
protected:
    FinestraManuale()
    {
        fissaOggi(QDate(2024, 7, 10));
        contatore(40, "30", "06", "30");
        prima = fatturaManuale({.data = "2024-03-31", .numero = 12, .inizio = "2024-03-01", .fine = "2024-03-31",
                                .righe = {{2, "Noleggio biancheria", 10}}});
        ReportPreview::runner = [this](ReportPreview&) { ++anteprime; };
    }
    ~FinestraManuale() override { ReportPreview::runner = nullptr; }

    void mostra() { w.show(); }
    void modifica() { ASSERT_TRUE(w.DBNavigator1->click(NavButton::Edit)); }
    void scrivi(DbEdit* e, const QString& testo)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, testo);
    }

    Table& f = dm.TblFatturaMan;
    qint64 prima = 0;
    int anteprime = 0;
    TFrmFatturaMan w{dm};
};

} // namespace

TEST_F(FinestraManuale, NatureFollowsTheRateAndThePublicAdministrationCode)
{
    fatturaManuale({.nome1 = "Altro"});
    mostra();
    EXPECT_EQ(w.windowTitle(), "Fattura manuale");
    EXPECT_EQ(f["Codice"].asInteger(), prima);            // the first invoice by code
    EXPECT_EQ(w.dtpDataStampa->date(), QDate(2024, 7, 10));
    EXPECT_FALSE(w.cmbNatura->isEnabled());               // browsing

    modifica();
    scrivi(w.edtIva, "0");
    EXPECT_TRUE(w.cmbNatura->isEnabled());
    w.cmbNatura->setCurrentIndex(w.cmbNatura->findText("N3.2"));
    Q_EMIT w.cmbNatura->activated(w.cmbNatura->currentIndex());
    EXPECT_EQ(f["NATURA"].asString(), "N3.2");
    EXPECT_EQ(w.lbNatura->text(), "Non imponibile - cessioni intracomunitarie");
    scrivi(w.edtIva, "22");
    EXPECT_TRUE(f["NATURA"].isNull());
    EXPECT_FALSE(w.cmbNatura->isEnabled());
    EXPECT_TRUE(w.lbNatura->text().isEmpty());

    f["Codice_FE"] = "ABCDEFG";
    EXPECT_EQ(w.Codice_FE->maxLength(), 7);
    w.chkPA->click();
    EXPECT_EQ(f["Codice_FE"].asString(), "ABCDEF");
    EXPECT_EQ(w.Codice_FE->maxLength(), 6);
}

TEST_F(FinestraManuale, DueDateAndDefaultPeriodAreFilledIn)
{
    fatturaManuale({.data = QVariant(), .contratto = "2024-04-15"});
    mostra();
    f.last();
    modifica();
    scrivi(w.edtDataFattura, "15012024");
    w.edtDataFatturaExit();
    EXPECT_EQ(f["DataScadenza"].asDate(), QDate(2024, 2, 29));
    ASSERT_TRUE(w.DBNavigator1->click(NavButton::Post));
    EXPECT_EQ(valore("SELECT DataInizioP FROM Fattman WHERE Codice = ?", {f["Codice"].value()}), "2024-04-01");
    EXPECT_EQ(valore("SELECT DataFineP FROM Fattman WHERE Codice = ?", {f["Codice"].value()}), "2024-04-30");
    EXPECT_EQ(valore("SELECT DataScadenza FROM Fattman WHERE Codice = ?", {f["Codice"].value()}), "2024-02-29");
}

// Alt with a caption's letter takes the focus to its own field, never in turn to two.
TEST_F(FinestraManuale, EveryCaptionHasALetterOfItsOwn)
{
    mostra();
    QMap<QChar, QString> lettere;
    for (QLabel* l : w.findChildren<QLabel*>()) {
        const QString t = QString(l->text()).remove("&&");
        const qsizetype i = t.indexOf('&');
        if (!l->buddy() || i < 0 || i + 1 >= t.size())
            continue;
        const QChar lettera = t[i + 1].toLower();
        EXPECT_FALSE(lettere.contains(lettera)) << t.toStdString() << " / " << lettere.value(lettera).toStdString();
        lettere.insert(lettera, t);
    }
    EXPECT_GE(lettere.size(), 12);
}

// Two copies whatever the dialog says; each print takes the next number; a cancelled dialog
// leaves the invoice as it was.
TEST_F(FinestraManuale, PrintingNumbersTheInvoiceAndCancellingRestoresIt)
{
    mostra();
    prompts.answerPrint(false);
    QTest::mouseClick(w.SBtnPrint, Qt::LeftButton);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 12.0);
    EXPECT_EQ(valore("SELECT \"Data fattura\" FROM Fattman"), "2024-03-31");
    EXPECT_EQ(ultimoNumero(), 40);

    const QString pdf = a.percorso("manuale.pdf");
    w.dtpDataStampa->setDate(QDate(2024, 7, 9));
    for (int volta = 0; volta < 2; ++volta)
        prompts.answerPrint(true, [=](QPrinter& p) {
            p.setOutputFileName(pdf);
            p.setCopyCount(5);
        });
    QTest::mouseClick(w.SBtnPrint, Qt::LeftButton);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 41.0);
    EXPECT_EQ(valore("SELECT \"Data fattura\" FROM Fattman"), "2024-07-09");
    EXPECT_EQ(LetturaPdf::pagine(pdf), 2);
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("41/2024"));
    QTest::mouseClick(w.SBtnPrint, Qt::LeftButton);
    EXPECT_EQ(valore("SELECT \"Numero fattura\" FROM Fattman"), 42.0);
    EXPECT_EQ(ultimoNumero(), 42);

    QTest::mouseClick(w.SBtnPreview, Qt::LeftButton);
    EXPECT_EQ(anteprime, 1);
    EXPECT_EQ(ultimoNumero(), 42);
}

TEST_F(FinestraManuale, TheDuplicateAsksAndCopies)
{
    mostra();
    prompts.answer(Answer::Yes);
    QTest::mouseClick(w.sbDuplica, Qt::LeftButton);
    EXPECT_EQ(valore("SELECT count(*) FROM Fattman WHERE \"Numero fattura\" = 12"), 2);
    EXPECT_NE(f["Codice"].asInteger(), prima);
}

// Two invoices to the same name and address: choosing either in the list goes to the lower code.
TEST_F(FinestraManuale, TheSearchGoesToTheFirstInvoiceOfTheChosenAddressee)
{
    fatturaManuale({.nome1 = "Hotel Sirena", .nome2 = QString(), .indirizzo = "Via Mare 3", .numero = 20});
    const qint64 seconda = fatturaManuale({.nome1 = "Hotel Sirena", .nome2 = QString(), .indirizzo = "Via Mare 3", .numero = 25});
    fatturaManuale({.nome1 = "Lido Azzurro", .numero = 30});
    mostra();
    QTimer::singleShot(0, [&] {
        TFrmFatturaManLst* l = w.FrmFatturaManLst();
        ASSERT_NE(l, nullptr);
        QTest::keyClicks(l->edtNome, "sir");
        EXPECT_EQ(l->edtNome->text(), "SIR");
        EXPECT_EQ(l->qElenco.recordCount(), 2);
        l->qElenco.last();
        EXPECT_EQ(l->qElenco["Codice"].asInteger(), seconda);
        l->accept();
    });
    w.SBtnRicercaClick();
    EXPECT_EQ(f["Codice"].asInteger(), seconda - 1);
    EXPECT_EQ(f["Numero fattura"].asInteger(), 20);

    // A quote or a percent sign is looked for as typed.
    QTimer::singleShot(0, [&] {
        TFrmFatturaManLst* l = w.FrmFatturaManLst();
        l->edtNome->setText("%");
        EXPECT_EQ(l->qElenco.recordCount(), 0);
        l->edtNome->setText("'");
        EXPECT_EQ(l->qElenco.recordCount(), 0);
        l->reject();
    });
    w.SBtnRicercaClick();
    EXPECT_EQ(f["Codice"].asInteger(), seconda - 1);
}

// "Genera" of the electronic invoice writes the invoice shown with its amounts over the months
// of its period, and again under the same name until it is saved.
TEST_F(FinestraManuale, TheElectronicInvoiceCountsTheMonthsOfItsPeriod)
{
    sql("UPDATE Parametri SET FE_Progr = 7, FE_PIva = '01234567890', FE_CedID = '01234567890', "
        "FE_CedNome = 'Lavanderia Mr. Zanfo S.r.l.', FE_CedIndirizzo = 'Via Enrico Mattei, 18', FE_CedCAP = '87036', "
        "FE_CedComune = 'Rende', FE_TipoDocFatt = 'TD24', FE_TipoDocNota = 'TD04'");
    sql("UPDATE Fattman SET Codice_FE = 'XYZ9876', PA = 0, DataInizioP = '2024-02-01'");
    dm.TblParametri.refresh();
    f.refresh();
    mostra();
    for (int volta = 0; volta < 2; ++volta) {
        QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
        EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00008.xml");
    }
    const XmlLetto x = XmlLetto::file(a.percorso("IT01234567890_00008.xml"));
    EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], "00012");
    EXPECT_EQ(x["//DatiRiepilogo/ImponibileImporto"], "40.00");   // 2 × 10,00 for two months
    EXPECT_EQ(x["//DettaglioLinee/DataFinePeriodo"], "2024-03-31");
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.last().text.toStdString();
}
