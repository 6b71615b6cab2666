#include "ArchivioFE.h"
#include "Clock.h"
#include "GruppoFE.h"
#include "TFrmNotaCre.h"
#include "TFrmNotaCreMan.h"
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The credit-note windows shown offscreen over an archive with a last run and a manual invoice.
class NoteCredito : public ::testing::Test
{
protected:
    NoteCredito() { fissaOggi(QDate(2024, 7, 10)); }
    ArchivioFE a;
    QTemporaryDir uscita;

    void salva(GruppoFE* g)
    {
        a.prompts.answerFile(uscita.filePath("nota.xml"));
        QTest::mouseClick(g->BitBtn1, Qt::LeftButton);
    }
};

TEST_F(NoteCredito, PeriodicCreditNoteIsNumberedAndAdvancesTheCounterOnlyWhenSaved)
{
    a.cliente({.codice = 5, .nome = "Hotel Stella"}, {{"Lenzuola", 2.5, 10}});
    a.dm->TblClienti.locate("Codice", {5});
    TFrmNotaCre w(*a.dm);
    w.show();
    EXPECT_EQ(w.windowTitle(), "Emissione nota di credito");
    EXPECT_EQ(w.MaskEdit2->text(), "10/07/2024");
    EXPECT_EQ(w.SpinEdit2->value(), 2024);
    EXPECT_EQ(w.grpFE->MaskEdit1->text(), "10/07/2024");

    QTest::mouseClick(w.grpFE->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::error("Bisogna prima generare la fattura elettronica."));

    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00042.xml");
    const XmlLetto x = XmlLetto::file(a.percorso("IT01234567890_00042.xml"));
    EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], "00001");
    EXPECT_EQ(x["//CessionarioCommittente//Denominazione"], "Hotel Stella S.r.l.");
    // Generating again before saving gives the same number.
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00042.xml");
    EXPECT_TRUE(a.leggi("SELECT NotaCre FROM Parametri").isNull());

    w.MaskEdit2->setText("09/07/2024");
    salva(w.grpFE);
    EXPECT_TRUE(QFileInfo::exists(uscita.filePath("IT01234567890_00042.xml")));
    EXPECT_EQ(a.leggi("SELECT NotaCre FROM Parametri").toInt(), 1);
    EXPECT_EQ(a.leggi("SELECT DataNotaCre FROM Parametri").toString(), "2024-07-09");
    EXPECT_EQ(a.leggi("SELECT FE_Progr FROM Parametri").toInt(), 42);
    EXPECT_EQ(QDir::fromNativeSeparators(a.leggi("SELECT FEPath FROM Parametri").toString()), uscita.path() + "/");

    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00043.xml");
    EXPECT_EQ(XmlLetto::file(a.percorso("IT01234567890_00043.xml"))["//DatiGeneraliDocumento/Numero"], "00002");
}

TEST_F(NoteCredito, AnIssueDateThatIsNotADateIsRefused)
{
    a.cliente({.codice = 5}, {{"Lenzuola", 2.5, 10}});
    TFrmNotaCre w(*a.dm);
    w.show();
    w.MaskEdit2->setText("31/02/2024");
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::error("La data di emissione della nota di credito non è valida."));
    EXPECT_TRUE(w.grpFE->leFileName->text().isEmpty());
}

TEST_F(NoteCredito, ManualCreditNoteStoresThePeriodOfItsInvoiceAndTakesTheNextNumber)
{
    a.dm->ricalcolaMesiPeriodo = [this](Dataset&) { a.dm->MesiPeriodo = 1; };
    a.manuale({.data = QDate(2024, 2, 15), .numero = 31});
    TFrmNotaCreMan w(*a.dm);
    w.show();
    EXPECT_EQ(w.MaskEdit2->text(), "10/07/2024");
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00042.xml");
    // The counter file holds the invoice's day and month and the last day of that month.
    ContatoreFatture c(a.dm->FileContatore());
    EXPECT_EQ(c.LeggiMese(), "02");
    EXPECT_EQ(c.LeggiFinePeriodo(), "29");
    EXPECT_EQ(c.buffer().giorno, "15");
    const XmlLetto x = XmlLetto::file(a.percorso("IT01234567890_00042.xml"));
    EXPECT_EQ(x["//DatiGeneraliDocumento/Numero"], "00001");
    EXPECT_EQ(x["//DatiGeneraliDocumento/Data"], "2024-07-10");
    EXPECT_EQ(x["//DatiFattureCollegate/IdDocumento"], "31");
    EXPECT_EQ(x["//DatiFattureCollegate/Data"], "2024-02-15");
    EXPECT_EQ(x["//DettaglioLinee/DataFinePeriodo"], "2024-02-29");

    // Saving advances the credit-note number too, so the next one never repeats it.
    salva(w.grpFE);
    EXPECT_EQ(a.leggi("SELECT NotaCre FROM Parametri").toInt(), 1);
    EXPECT_EQ(a.leggi("SELECT DataNotaCre FROM Parametri").toString(), "2024-07-10");
    EXPECT_EQ(QDir::fromNativeSeparators(a.leggi("SELECT FEPath FROM Parametri").toString()), uscita.path() + "/");
    QTest::mouseClick(w.grpFE->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(w.grpFE->leFileName->text(), "IT01234567890_00043.xml");
    EXPECT_EQ(XmlLetto::file(a.percorso("IT01234567890_00043.xml"))["//DatiGeneraliDocumento/Numero"], "00002");

    // A second save of the same file would hand it over twice: refused.
    salva(w.grpFE);
    salva(w.grpFE);
    EXPECT_EQ(a.prompts.last(), Prompt::error("Bisogna prima generare la fattura elettronica."));
    EXPECT_EQ(a.leggi("SELECT FE_Progr FROM Parametri").toInt(), 43);
}
