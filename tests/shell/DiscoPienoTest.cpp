#include "ShellPrompts.h"
#include "TFrmProgBar.h"
#include "support/TempArchive.h"
#include "TDataModule1.h"
#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// The rebuild of the totals on a demo archive whose disk fills up half-way, with the program's
// own progress window.
TEST(DiscoPieno, TheTotalsRebuildSaysTheDiskIsFullClosesItsWindowAndChangesNothing)
{
    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 3});
    QDir(archivio.cartella()).mkdir("2024");
    ShellPrompts prompts;
    TDataModule1 dm(prompts, archivio.cartella());
    dm.sceltaAnno = [&dm] { dm.CambiaAnno(2024); };
    ASSERT_TRUE(dm.Avvia());
    ASSERT_FALSE(dm.db.tableExists("Totali"));

    QSqlQuery q = dm.db.exec("PRAGMA page_count");
    ASSERT_TRUE(q.next());
    const int pagine = q.value(0).toInt();
    q.finish();
    dm.db.exec(QString("PRAGMA max_page_count = %1").arg(pagine + 1));

    try {
        dm.RicalcolaTotali();
        FAIL() << "the disk never filled";
    } catch (const LavError& e) {
        EXPECT_TRUE(e.message().startsWith("Spazio su disco esaurito")) << e.message().toStdString();
    }
    EXPECT_FALSE(prompts.FrmProgBar().isVisible());
    EXPECT_FALSE(dm.db.inTransaction());
    EXPECT_FALSE(dm.db.tableExists("Totali"));

    // With room again the same rebuild goes through.
    dm.db.exec("PRAGMA max_page_count = 1073741823");
    dm.RicalcolaTotali();
    EXPECT_GT(dm.db.recordCount("Totali"), 0);
}

} // namespace
