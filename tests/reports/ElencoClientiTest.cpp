#include "Dataset.h"
#include "LetturaPdf.h"
#include "Report.h"
#include "TestoQt.h"
#include "ReportPreview.h"
#include "ScriptedPrompts.h"
#include "Tabelle.h"
#include "support/TempArchive.h"
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

// The customers of a demo archive by name, under the initial of each, with the page count
// learnt from a first hidden run as the program's lists do.
class ElencoClienti : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(archivio.archivi());
        clienti.setTableName("Clienti");
        clienti.setDefinition(Tabelle::Clienti());
        clienti.setIndexName("IdxName");
        clienti.open();

        r.title = "Elenco clienti";
        r.setDataset(&clienti);
        r.titleBand(12).addLabel(0, 0, 190, 8, "ELENCO CLIENTI").setFontSize(14).setBold().setAlignment(Qt::AlignHCenter);
        auto& colonne = r.columnHeader(7);
        colonne.addLabel(0, 1, 100, 5, "Denominazione").setBold();
        colonne.addLabel(100, 1, 90, 5, "Indirizzo").setBold();
        colonne.setFrame(Band::Bottom);
        auto& lettera = r.addGroup([this] { return iniziale(); });
        lettera.header(7).addExpression(0, 1, 20, 5, [this] { return iniziale(); }).setBold();
        lettera.headerBand()->keepWithNext = true;
        auto& riga = r.detail(5);
        riga.addExpression(0, 0, 100, 5, [this] {
            return clienti["Denominazione"].asString() + ' ' + clienti["Denominazione 2"].asString();
        });
        riga.addExpression(100, 0, 90, 5, [this] {
            return clienti["Indirizzo"].asString() + ' ' + clienti["Comune"].asString();
        });
        r.pageFooter(8).addExpression(110, 2, 80, 5, [this] {
            return QString("Pagina %1 di %2").arg(r.pageNumber()).arg(totalePagine);
        }).setAlignment(Qt::AlignRight);
    }

    QString iniziale() { return clienti["Denominazione"].asString().left(1).toUpper(); }

    TempArchive archivio{TempArchive::Demo{.scale = 1, .seed = 3}};
    Database db{"ElencoClientiTest"};
    Table clienti{db, "TblClienti"};
    Report r;
    int totalePagine = 0;
    ScriptedPrompts prompts;
};

} // namespace

TEST_F(ElencoClienti, TwoPagesByInitialPreviewedAndPrinted)
{
    totalePagine = r.prepare();
    ASSERT_EQ(totalePagine, 2);

    // Every customer once, under the heading of its initial, in name order.
    QStringList nomi;
    QString corrente;
    for (int p = 0; p < r.pageCount(); ++p)
        for (const PageText& t : r.pages().page(p).texts) {
            if (t.font.bold() && t.text.size() == 1) {
                corrente = t.text;
            } else if (!t.font.bold() && t.rect.left() == 10) {
                nomi << t.text;
                EXPECT_TRUE(t.text.startsWith(corrente)) << t.text.toStdString();
            }
        }
    ASSERT_EQ(nomi.size(), clienti.recordCount());
    for (int i = 0; i < nomi.size(); ++i)
        EXPECT_TRUE(nomi[i].startsWith(clienti.valueAt(i, "Denominazione").toString()));

    QString didascalia;
    ReportPreview::runner = [&](ReportPreview& w) {
        w.show();
        didascalia = w.pageCaption();
        prompts.answerPrint(true, [this](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(archivio.percorso("clienti.pdf"));
        });
        w.stampa();
    };
    r.preview(prompts);
    ReportPreview::runner = nullptr;
    EXPECT_EQ(didascalia, "Pagina 1 di 2");

    const QString file = archivio.percorso("clienti.pdf");
    ASSERT_EQ(LetturaPdf::pagine(file), 2);
    const QString prima = LetturaPdf::testo(file, 1, 1);
    EXPECT_TRUE(prima.contains("ELENCO CLIENTI"));
    EXPECT_TRUE(prima.contains("Pagina 1 di 2"));
    clienti.first();
    EXPECT_TRUE(prima.contains(clienti["Denominazione"].asString()));
    EXPECT_TRUE(LetturaPdf::testo(file, 2, 2).contains("Pagina 2 di 2"));
}
