#include "reports/LetturaPdf.h"
#include "reports/TestoQt.h"
#include "support/EseguiCli.h"
#include "support/TempArchive.h"
#include <QFile>
#include <gtest/gtest.h>

namespace {

// The service jobs on a demo archive, through the real lavanderia-cli.
class ComandiServizi : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { archivio = new TempArchive(TempArchive::Demo{.scale = 1, .seed = 3}); }
    static void TearDownTestSuite()
    {
        delete archivio;
        archivio = nullptr;
    }
    static QString pdf(const QString& nome) { return archivio->percorso(nome); }
    static QStringList con(QStringList args) { return args.mid(0, 1) << archivio->cartella() << args.mid(1); }

    static TempArchive* archivio;
};

TempArchive* ComandiServizi::archivio = nullptr;

} // namespace

TEST_F(ComandiServizi, TheWeeklySheetOfARouteByNameOrCode)
{
    const EsitoCli e = eseguiCli(con({"servizio", "--giro", "cosenza centro", "--settimana", "10/01/2024", "--pdf", pdf("giro.pdf")}));
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(e.err.isEmpty()) << e.err.toStdString();
    EXPECT_TRUE(e.out.startsWith(pdf("giro.pdf") + ": ")) << e.out.toStdString();
    const QString testo = LetturaPdf::testo(pdf("giro.pdf"));
    EXPECT_TRUE(testo.contains("SCHEDA SETTIMANALE DI SERVIZIO"));
    EXPECT_TRUE(testo.contains("Dal 15/01/2024") || testo.contains("Dal  15/01/2024"));
    EXPECT_TRUE(testo.contains("SSS/02/03-15-05-15"));

    const EsitoCli vecchia = eseguiCli(con({"servizio", "--giro=1", "--settimana=10/01/2024", "--vecchia", "--pdf", pdf("vecchia.pdf")}));
    ASSERT_EQ(vecchia.codice, 0) << vecchia.err.toStdString();
    EXPECT_TRUE(LetturaPdf::testo(pdf("vecchia.pdf")).contains("SSS/02/02-28-01-06"));
}

TEST_F(ComandiServizi, AnUnknownRouteOrABadDateIsRefusedWithoutWritingAFile)
{
    EsitoCli e = eseguiCli(con({"servizio", "--giro", "Atlantide", "--settimana", "10/01/2024", "--pdf", pdf("no.pdf")}));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "Non c'è un giro 'Atlantide'.\n");
    e = eseguiCli(con({"servizio", "--giro", "1", "--settimana", "31/02/2024", "--pdf", pdf("no.pdf")}));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "Data non valida per --settimana: '31/02/2024' (scrivere GG/MM/AAAA).\n");
    e = eseguiCli(con({"servizio", "--giro", "1", "--settimana", "10/01/2024"}));
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.err.startsWith("Uso: lavanderia-cli servizio"));
    EXPECT_FALSE(QFile::exists(pdf("no.pdf")));
}

TEST_F(ComandiServizi, ThePendingDeliveriesWithTheirRevision)
{
    const EsitoCli e = eseguiCli(con({"sospesi", "--revisione", "3 del 01/02/2024", "--pdf", pdf("sospesi.pdf")}));
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    const QString testo = LetturaPdf::testo(pdf("sospesi.pdf"));
    EXPECT_TRUE(testo.contains("ELENCO APPARACCHIATURE DEI CLIENTI IN MAGAZZINO"));
    EXPECT_TRUE(testo.contains("TOTALI"));
    EXPECT_TRUE(testo.contains("OVRT/3 del 01/02/2024"));
    EXPECT_TRUE(LetturaPdf::info(pdf("sospesi.pdf"), "Page size").startsWith("842"));   // landscape
}

TEST_F(ComandiServizi, TheConsumptionOfACustomerAndItsBadPeriods)
{
    EsitoCli e = eseguiCli(con({"consumi", "--cliente", "24", "--sintetico", "--pdf", pdf("consumi.pdf")}));
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(LetturaPdf::testo(pdf("consumi.pdf")).contains("Cliente"));

    e = eseguiCli(con({"consumi", "--cliente", "24", "--dal", "01/03/2024", "--al", "01/01/2024", "--pdf", pdf("no.pdf")}));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "La data finale del periodo (01/01/2024) precede quella iniziale (01/03/2024).\n");
    e = eseguiCli(con({"consumi", "--cliente", "9999", "--pdf", pdf("no.pdf")}));
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "Non c'è un cliente con il codice 9999.\n");
    EXPECT_FALSE(QFile::exists(pdf("no.pdf")));
}

TEST_F(ComandiServizi, TheInventoryOfOneArticleOrOfAllAndAnEmptyOneWritesNothing)
{
    EsitoCli e = eseguiCli(con({"inventario", "--dal", "01/01/1900", "--al", "31/12/2099", "--articolo", "1", "--pdf", pdf("uno.pdf")}));
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_TRUE(LetturaPdf::testo(pdf("uno.pdf")).contains("periodo interessato fino al 31/12/2099"));
    EXPECT_EQ(LetturaPdf::pagine(pdf("uno.pdf")), 1);

    e = eseguiCli(con({"inventario", "--dal", "01/01/1900", "--al", "31/12/2099", "--pdf", pdf("tutti.pdf")}));
    ASSERT_EQ(e.codice, 0) << e.err.toStdString();
    EXPECT_GT(LetturaPdf::pagine(pdf("tutti.pdf")), 5);

    e = eseguiCli(con({"inventario", "--dal", "01/01/1901", "--al", "02/01/1901", "--pdf", pdf("vuoto.pdf")}));
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(e.out, "Nessun movimento nel periodo: nessun inventario da stampare.\n");
    EXPECT_FALSE(QFile::exists(pdf("vuoto.pdf")));
}
