#include "LetturaPdf.h"
#include "Dataset.h"
#include "Report.h"
#include "TestoQt.h"
#include "ReportPreview.h"
#include "ScriptedPrompts.h"
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A document of `n` pages, the k-th showing "Riga k", over a query of n numbers.
class Righe
{
public:
    explicit Righe(int n)
    {
        db.open(dir.filePath("archivi"), true);
        numeri.setSql(QString("WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < %1) "
                              "SELECT k AS K FROM n").arg(n));
        r.title = "Prova";
        r.setDataset(&numeri);
        r.beforeRun = [this] {
            ++esecuzioni;
            numeri.close();
            numeri.open();
            return true;
        };
        r.pageHeader(10).addLabel(0, 0, 100, 6, "Quantità e prezzi in €");
        r.pageFooter(8).addPageNumber(130, 0, 60, 5, "Pagina %1 di %2").setAlignment(Qt::AlignRight);
        auto& det = r.detail(5);
        det.addField(0, 0, 100, 5, numeri, "K", "'Riga '0");
        det.forceNewPage = true;
    }

    QTemporaryDir dir;
    Database db{"UscitaTest"};
    Query numeri{db, "qNumeri"};
    Report r;
    int esecuzioni = 0;
};

} // namespace

TEST(Uscita, PdfHoldsEveryPageWithItsTextsOnA4)
{
    QTemporaryDir dir;
    Report r;
    r.title = "Elenco di prova";
    r.pageHeader(10).addLabel(0, 0, 120, 6, "Quantità e prezzi in €").setBold();
    auto& det = r.detail(140);
    det.addExpression(0, 0, 100, 5, [] { return 1234.5; }, "'€ '#,.00;;#");
    det.addShade(0, 10, 50, 20);
    det.addFrame(0, 10, 50, 20);
    det.addCheckBox(60, 10);
    det.addHLine(0, 40, 190);
    r.summary(140).addLabel(0, 0, 100, 6, "Fine elenco");
    r.pageFooter(8).addPageNumber(130, 0, 60, 5, "Pagina %1 di %2").setAlignment(Qt::AlignRight);

    const QString file = dir.filePath("elenco.pdf");
    ASSERT_TRUE(r.exportPdf(file));
    EXPECT_EQ(LetturaPdf::pagine(file), 2);
    EXPECT_TRUE(LetturaPdf::info(file, "Page size").contains("(A4)"));
    EXPECT_EQ(LetturaPdf::info(file, "Title"), "Elenco di prova");
    const QString prima = LetturaPdf::testo(file, 1, 1), seconda = LetturaPdf::testo(file, 2, 2);
    EXPECT_TRUE(prima.contains("Quantità e prezzi in €"));
    EXPECT_TRUE(prima.contains("€ 1.234,50"));
    EXPECT_TRUE(prima.contains("Pagina 1 di 2"));
    EXPECT_TRUE(seconda.contains("Fine elenco"));
    EXPECT_TRUE(seconda.contains("Pagina 2 di 2"));

    r.setOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(r.exportPdf(file));
    const QStringList lati = LetturaPdf::info(file, "Page size").split(' ');
    ASSERT_GE(lati.size(), 3);
    EXPECT_NEAR(lati[0].toDouble(), 842, 1);
    EXPECT_NEAR(lati[2].toDouble(), 595, 1);
    EXPECT_FALSE(r.exportPdf(dir.filePath("manca/elenco.pdf")));
}

TEST(Uscita, TextsAreDrawnAtTheirSizeOnAnyResolution)
{
    Report r;
    r.setMargins(0);
    auto& det = r.detail(30);
    det.addLabel(10, 10, 100, 10, "MMMMMMMMMM").setFontSize(20);
    det.addShade(120, 10, 20, 10, QColor(200, 200, 200));
    r.prepare();
    // 20 pt capitals are about 5 mm high and ten of them about 55 mm wide, at 4 and 12 px/mm.
    for (double k : {4.0, 12.0}) {
        QImage image(int(210 * k), int(60 * k), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        r.pages().drawPage(p, 0, k);
        p.end();
        int left = image.width(), right = 0, top = image.height(), bottom = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < int(115 * k); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        EXPECT_NEAR(left / k, 10, 1.5) << k;
        EXPECT_NEAR((right - left) / k, 58, 8) << k;
        EXPECT_NEAR((bottom - top) / k, 5, 1.5) << k;
        EXPECT_GT(top / k, 10);
        EXPECT_EQ(image.pixel(int(130 * k), int(15 * k)), QColor(200, 200, 200).rgb());
    }
}

TEST(Uscita, PrintDialogChoosesCopiesAndPagesAndCancelPrintsNothing)
{
    ScriptedPrompts prompts;
    Righe doc(4);
    Report& r = doc.r;
    const int& esecuzioni = doc.esecuzioni;
    const QString file = doc.dir.filePath("stampa.pdf");

    prompts.answerPrint(false);
    EXPECT_FALSE(r.print(prompts));
    EXPECT_EQ(esecuzioni, 0);           // nothing is laid out when the user cancels
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(prompts.last().kind, Prompt::Kind::PrintSetup);

    prompts.answerPrint(true, [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
        p.setCopyCount(2);
        p.setCollateCopies(true);
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 3);
    });
    ASSERT_TRUE(r.print(prompts));
    EXPECT_EQ(esecuzioni, 1);
    ASSERT_EQ(LetturaPdf::pagine(file), 4);
    const QStringList pagine = LetturaPdf::testo(file).split('\f');
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(pagine[i].contains(QString("Pagina %1 di 4").arg(i % 2 + 2))) << pagine[i].toStdString();
}

TEST(Uscita, PreviewPagesThroughTheDocumentPrintsAndExportsWithoutRunningAgain)
{
    ScriptedPrompts prompts;
    Righe doc(3);
    Report& r = doc.r;
    QTemporaryDir& dir = doc.dir;

    bool vista = false;
    ReportPreview::runner = [&](ReportPreview& w) {
        vista = true;
        w.show();
        EXPECT_EQ(w.windowTitle(), "Anteprima di stampa - Prova");
        EXPECT_EQ(w.zoom(), -1);        // the page width
        EXPECT_EQ(w.pageCaption(), "Pagina 1 di 3");
        EXPECT_FALSE(w.btnPrecedente->isEnabled());
        QTest::mouseClick(w.btnSuccessiva, Qt::LeftButton);
        QTest::mouseClick(w.btnSuccessiva, Qt::LeftButton);
        EXPECT_EQ(w.pageCaption(), "Pagina 3 di 3");
        EXPECT_FALSE(w.btnSuccessiva->isEnabled());
        QTest::keyClick(&w, Qt::Key_Home);
        EXPECT_EQ(w.currentPage(), 0);
        w.cbZoom->setCurrentIndex(0);
        Q_EMIT w.cbZoom->activated(0);
        EXPECT_EQ(w.zoom(), 0);

        prompts.answerFile(dir.filePath("anteprima"));
        QTest::mouseClick(w.btnEsporta, Qt::LeftButton);
        prompts.answerPrint(true, [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(dir.filePath("stampata.pdf"));
        });
        QTest::mouseClick(w.btnStampa, Qt::LeftButton);
        QTest::mouseClick(w.btnChiudi, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    };
    r.preview(prompts);
    ReportPreview::runner = nullptr;

    ASSERT_TRUE(vista);
    EXPECT_EQ(doc.esecuzioni, 1);
    EXPECT_EQ(LetturaPdf::pagine(dir.filePath("anteprima.pdf")), 3);
    EXPECT_TRUE(LetturaPdf::testo(dir.filePath("stampata.pdf"), 3, 3).contains("Riga 3"));
    EXPECT_EQ(prompts.shown().size(), 2);
}

TEST(Uscita, PreviewFitsItsScreenAndShowsTheWholeWidthOfALandscapePage)
{
    ScriptedPrompts prompts;
    Righe doc(2);
    doc.r.setOrientation(QPageLayout::Landscape);
    bool vista = false;
    ReportPreview::runner = [&](ReportPreview& w) {
        vista = true;
        w.show();
        QCoreApplication::processEvents();
        const QRect schermo = w.screen()->availableGeometry();
        EXPECT_TRUE(schermo.contains(w.frameGeometry()))
            << w.frameGeometry().width() << "x" << w.frameGeometry().height() << " on " << schermo.width() << "x"
            << schermo.height();
        EXPECT_EQ(w.zoom(), -1);
        EXPECT_EQ(w.cbZoom->currentText(), "Larghezza pagina");
        auto* area = w.findChild<QScrollArea*>();
        ASSERT_TRUE(area);
        EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
        EXPECT_GT(area->widget()->width(), area->viewport()->width() * 3 / 4);
    };
    doc.r.preview(prompts);
    ReportPreview::runner = nullptr;
    EXPECT_TRUE(vista);
}

TEST(Uscita, ExportProposesTheDocumentsNameInTheFolderLastUsed)
{
    ScriptedPrompts prompts;
    Righe doc(1);
    doc.r.name = "Scheda cliente 7: Bar/Tabacchi";
    ASSERT_TRUE(QDir(doc.dir.path()).mkdir("pdf"));
    const QString scelto = doc.dir.filePath("pdf/mia copia.pdf");
    ReportPreview::runner = [&](ReportPreview& w) {
        EXPECT_EQ(w.windowTitle(), "Anteprima di stampa - Scheda cliente 7: Bar/Tabacchi");
        prompts.answerFile(scelto);
        QTest::mouseClick(w.btnEsporta, Qt::LeftButton);
        QTest::mouseClick(w.btnEsporta, Qt::LeftButton);    // cancelled
    };
    doc.r.preview(prompts);
    ReportPreview::runner = nullptr;

    ASSERT_EQ(prompts.shown().size(), 2);
    EXPECT_TRUE(prompts.shown()[0].folder.endsWith("/Scheda cliente 7- Bar-Tabacchi.pdf"))
        << prompts.shown()[0].folder.toStdString();
    EXPECT_EQ(prompts.shown()[1].folder, doc.dir.filePath("pdf/Scheda cliente 7- Bar-Tabacchi.pdf"));
    EXPECT_EQ(LetturaPdf::pagine(scelto), 1);
    ReportPreview::lastFolder.clear();
}
