#include "ArchivioFE.h"
#include "Clock.h"
#include "FattureDiProva.h"
#include "GruppoFE.h"
#include "ReportPreview.h"
#include "TFrmClienti.h"
#include "TFrmFatture.h"
#include "reports/LetturaPdf.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The invoice window shown offscreen on 10/07/2024 over four monthly customers, the counter
// file at number 40.
class FinestraFatture : public FattureDiProva
{
protected:
    FinestraFatture()
    {
        fissaOggi(QDate(2024, 7, 10));
        for (const char* nome : {"Bar Uno", "Bar Due", "Bar Tre", "Bar Quattro"})
            codici << cliente({.nome = nome, .incassabile = true});
        for (double c : codici)
            noleggio(sede(c), 1, 10, 2.5);
        aggiorna();
        contatore(40);
        ReportPreview::runner = [this](ReportPreview&) { ++anteprime; };
        w.show();
    }
    ~FinestraFatture() override { ReportPreview::runner = nullptr; }

    void scegli(const char* mese, int giorno)
    {
        w.ComboBox1->setCurrentText(mese);
        w.SpinEdit1->setValue(giorno);
    }
    // "Stampa" with the dialog confirmed: into a PDF file, with the customers' range and copies.
    QString stampa(int dal = 0, int al = 0, int copie = 1)
    {
        const QString pdf = a.percorso("fatture.pdf");
        prompts.answerPrint(true, [=](QPrinter& p) {
            p.setOutputFileName(pdf);
            p.setCopyCount(copie);
            if (dal > 0) {
                p.setPrintRange(QPrinter::PageRange);
                p.setFromTo(dal, al);
            }
        });
        QTest::mouseClick(w.BtnPrint, Qt::LeftButton);
        return pdf;
    }

    QList<double> codici;     // Uno, Due, Tre, Quattro; by name: Due, Quattro, Tre, Uno
    TFrmFatture w{dm};
    int anteprime = 0;
};

} // namespace

TEST_F(FinestraFatture, OpensOnTodaysMonthAndKeepsTheDayWithinTheMonth)
{
    EXPECT_EQ(w.windowTitle(), "Stampa fatture");
    EXPECT_EQ(w.ComboBox1->currentText(), "Luglio");
    EXPECT_EQ(w.ComboBox1->count(), 12);
    EXPECT_EQ(w.SpinEdit1->value(), 31);
    EXPECT_EQ(w.SpinEdit2->value(), 2024);
    EXPECT_EQ(w.MaskEdit2->text(), "10/07/2024");
    EXPECT_EQ(w.finePeriodo, "31");

    w.ComboBox1->setCurrentText("Febbraio");
    EXPECT_EQ(w.SpinEdit1->value(), 29);
    EXPECT_EQ(w.SpinEdit1->maximum(), 29);
    w.SpinEdit2->setValue(2025);
    EXPECT_EQ(w.SpinEdit1->value(), 28);
    EXPECT_EQ(w.finePeriodo, "28");
    w.ComboBox1->setCurrentText("Aprile");
    EXPECT_EQ(w.SpinEdit1->value(), 30);
    w.SpinEdit1->setValue(15);
    EXPECT_EQ(w.finePeriodo, "15");
    EXPECT_EQ(w.Scelte().mese, 4);
    EXPECT_EQ(w.Scelte().giorno, 15);
}

TEST_F(FinestraFatture, ThePreviewShowsTheInvoicesAndStoresThePeriodWithoutNumbers)
{
    scegli("Giugno", 30);
    QTest::mouseClick(w.BtnPreview, Qt::LeftButton);
    EXPECT_EQ(anteprime, 1);
    EXPECT_EQ(w.mese, 6);
    EXPECT_EQ(bytesContatore().mid(2), QByteArray("\x02" "30" "\x02" "06" "\x02" "30" "\0", 10));
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_TRUE(movimenti().isEmpty());
    EXPECT_EQ(valore("SELECT count(*) FROM Clienti WHERE Flag = '1'"), 4);

    // A date that is not one stops before anything is written.
    contatore(40);
    w.MaskEdit2->setText("31/06/2024");
    QTest::mouseClick(w.BtnPreview, Qt::LeftButton);
    EXPECT_EQ(anteprime, 1);
    EXPECT_EQ(prompts.last().type, MsgType::Error);
    EXPECT_EQ(bytesContatore().mid(2, 1), QByteArray("\0", 1));
}

// The dialog's range picks the second and third due customer by name; the copies count.
TEST_F(FinestraFatture, ThePrintNumbersTheCustomersInTheRangeAndRecordsThem)
{
    scegli("Giugno", 30);
    const QString pdf = stampa(2, 3, 2);
    EXPECT_EQ(fattura(codici[3]), 41);       // Bar Quattro
    EXPECT_EQ(fattura(codici[2]), 42);       // Bar Tre
    EXPECT_TRUE(fattura(codici[0]).isNull());
    EXPECT_TRUE(fattura(codici[1]).isNull());
    EXPECT_EQ(ultimoNumero(), 42);
    EXPECT_EQ(movimenti().size(), 6);        // two invoices, each with its collection
    EXPECT_EQ(LetturaPdf::pagine(pdf), 4);   // every page of the two invoices, twice
    EXPECT_TRUE(LetturaPdf::testo(pdf, 1, 1).contains("41/2024"));

    // A dialog cancelled prints and numbers nothing.
    prompts.answerPrint(false);
    QTest::mouseClick(w.BtnPrint, Qt::LeftButton);
    EXPECT_EQ(ultimoNumero(), 42);
    EXPECT_EQ(movimenti().size(), 6);
}

TEST_F(FinestraFatture, GenerationRunsAgainWithoutNumbers)
{
    scegli("Giugno", 30);
    w.grpFE->genera();
    EXPECT_EQ(ultimoNumero(), 40);
    EXPECT_EQ(valore("SELECT count(DISTINCT Cliente) FROM Fatture"), 4);
}

// "Fattura" of the customer screen: the screen steps aside for the invoice window, which
// invoices that customer alone, and finds it again afterwards.
TEST_F(FinestraFatture, TheCustomerScreenOpensTheWindowForItsCustomer)
{
    w.hide();
    TFrmClienti clienti(dm);
    clienti.show();
    dm.TblClienti.locate("Codice", {codici[2]});
    bool nascosta = false;
    clienti.collegamenti.fattura = [&] {
        nascosta = !clienti.isVisible();
        w.ClienteSingolo = QString::number(dm.TblClienti["Codice"].asFloat());
        w.show();
        scegli("Giugno", 30);
        QTest::mouseClick(w.BtnPreview, Qt::LeftButton);
        w.hide();
        dm.TblClienti.first();
    };
    clienti.BtnFatturaClick();
    EXPECT_TRUE(nascosta);
    EXPECT_TRUE(clienti.isVisible());
    EXPECT_EQ(dm.TblClienti["Codice"].asFloat(), codici[2]);
    EXPECT_EQ(anteprime, 1);
    EXPECT_EQ(valore("SELECT count(*) FROM Clienti WHERE Flag = '1'"), 1);
    EXPECT_EQ(flag(codici[2]), "1");
}

// "Genera" of the electronic invoices runs the month chosen in the window and stores its period,
// so that the files describe that month even when the last print was of another.
TEST_F(FinestraFatture, ElectronicInvoicesCarryThePeriodOfTheMonthChosen)
{
    sql("UPDATE Parametri SET FE_Progr = 7, FE_PIva = '01234567890', FE_CedID = '01234567890', "
        "FE_CedNome = 'Lavanderia Mr. Zanfo S.r.l.', FE_CedIndirizzo = 'Via Enrico Mattei, 18', FE_CedCAP = '87036', "
        "FE_CedComune = 'Rende', SoloPA = 0, FE_TipoDocFatt = 'TD24', FE_TipoDocNota = 'TD04'");
    sql("UPDATE Clienti SET Codice_FE = 'ABC1234', \"Partita iva\" = '01234567897', Indirizzo = 'Via Roma 1', "
        "Comune = '87100 Cosenza (CS)', Fattura = Codice, Imponibile = 25");   // 10 × 2,50
    aggiorna();
    dm.TblParametri.refresh();
    w.hide();
    w.show();
    auto periodo = [this](const char* nome) {
        const XmlLetto x = XmlLetto::file(a.percorso(nome));
        return x["//DettaglioLinee/DataInizioPeriodo"] + " " + x["//DettaglioLinee/DataFinePeriodo"];
    };

    scegli("Giugno", 30);
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00011.xml");   // four customers from 8
    EXPECT_EQ(periodo("IT01234567890_00008.xml"), "2024-06-01 2024-06-30");
    EXPECT_EQ(ultimoNumero(), 40);   // no invoice number taken
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.last().text.toStdString();   // every file passes

    // Generating again for May, before saving, writes the same names with May's period.
    scegli("Maggio", 31);
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00011.xml");
    EXPECT_EQ(periodo("IT01234567890_00008.xml"), "2024-05-01 2024-05-31");

    QTemporaryDir uscita;
    prompts.answerFile(QDir(uscita.path()).filePath("IT01234567890_00011.xml"));
    QTest::mouseClick(w.grpFE->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(valore("SELECT FE_Progr FROM Parametri"), 11);
    EXPECT_EQ(QDir(uscita.path()).entryList(QDir::Files).size(), 4);
}
