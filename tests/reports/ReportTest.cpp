#include "Dataset.h"
#include "Report.h"
#include "ReportPreview.h"
#include "ScriptedPrompts.h"
#include "TestoQt.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

FieldDef campo(const QString& nome, FieldType tipo, int larghezza = 0)
{
    FieldDef f;
    f.name = nome;
    f.type = tipo;
    f.size = larghezza;
    return f;
}

TableDef voci()
{
    TableDef t;
    t.name = "Voci";
    t.fields = {campo("Codice", FieldType::Float), campo("Gruppo", FieldType::String, 10),
                campo("Nome", FieldType::String, 40), campo("Importo", FieldType::Currency),
                campo("Note", FieldType::String, 255)};
    t.indexes = {{"TblVociIndex1", {"Codice"}, true, false}};
    return t;
}

TableDef righe()
{
    TableDef t;
    t.name = "Righe";
    t.fields = {campo("Progr", FieldType::AutoInc), campo("Voce", FieldType::Float), campo("Testo", FieldType::String, 30)};
    t.indexes = {{"TblRigheIndex1", {"Progr"}, true, false}, {"IdxVoce", {"Voce"}, false, false}};
    return t;
}

// A small archive of items in groups, each with some lines, to lay reports out over.
class Stampe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.open(dir.filePath("archivi"), true);
        db.createTable("Voci", voci());
        db.createTable("Righe", righe());
        voce.setTableName("Voci");
        voce.setDefinition(voci());
        riga.setTableName("Righe");
        riga.setDefinition(righe());
        riga.setIndexFieldNames("Voce;Progr");
        riga.setMaster(&voce, "Codice", "Voce");
    }

    void givenItems(const QList<std::tuple<int, QString, QString, double>>& items)
    {
        for (const auto& [codice, gruppo, nome, importo] : items)
            db.exec("INSERT INTO Voci (Codice, Gruppo, Nome, Importo) VALUES (?, ?, ?, ?)",
                    {codice, gruppo, nome, importo});
    }
    void givenLines(int codice, const QStringList& testi)
    {
        for (const QString& t : testi)
            db.exec("INSERT INTO Righe (Voce, Testo) VALUES (?, ?)", {codice, t});
    }
    void open()
    {
        voce.setIndexFieldNames("Gruppo;Codice");
        voce.open();
        riga.open();
    }

    // Page index of the only text equal to t.
    int pageOf(const Report& r, const QString& t)
    {
        auto hits = r.pages().find(t);
        EXPECT_EQ(hits.size(), 1u) << t.toStdString();
        return hits.empty() ? -1 : hits.front().page;
    }
    const PageText* textOf(const Report& r, const QString& t)
    {
        auto hits = r.pages().find(t);
        return hits.empty() ? nullptr : hits.front().text;
    }

    QTemporaryDir dir;
    Database db{"ReportTest"};
    Table voce{db, "TblVoci"};
    Table riga{db, "TblRighe"};
};

} // namespace

TEST_F(Stampe, GroupsFrameTheirRowsAndFootersSeeTheGroupsLastRow)
{
    givenItems({{1, "A", "Alfa", 10.5}, {2, "A", "Ambra", 0}, {3, "B", "Beta", 1234.5}});
    open();
    Report r;
    r.setDataset(&voce);
    double somma = 0;
    auto& g = r.addGroup("Gruppo");
    g.onStart = [&] { somma = 0; };
    g.header(6).addField(0, 0, 50, 5, voce, "Gruppo");
    g.footer(6).addExpression(0, 0, 80, 5, [&] { return "Totale " + voce["Nome"].asString(); });
    g.footerBand()->addExpression(100, 0, 40, 5, [&] { return somma; }, "'€ '#,.00;;#");
    auto& det = r.detail(5);
    det.addField(0, 0, 50, 5, voce, "Nome");
    det.addField(100, 0, 40, 5, voce, "Importo", "'€ '#,.00;;#");
    det.afterPrint = [&](Band&) { somma += voce["Importo"].asFloat(); };

    EXPECT_EQ(r.prepare(), 1);
    EXPECT_EQ(r.pages().texts(0), (QStringList{"A", "Alfa", "€ 10,50", "Ambra", "", "Totale Ambra", "€ 10,50", "B",
                                               "Beta", "€ 1.234,50", "Totale Beta", "€ 1.234,50"}));
}

TEST_F(Stampe, GroupOnAnExpressionWithNewPagesStartsOnTheFirstPage)
{
    givenItems({{1, "A", "Alfa", 0}, {2, "A", "Ambra", 0}, {3, "B", "Beta", 0}, {4, "C", "Gamma", 0}});
    open();
    voce.setIndexFieldNames("Nome");
    Report r;
    r.setDataset(&voce);
    r.titleBand(10).addLabel(0, 0, 100, 8, "Elenco");
    r.pageHeader(8).addPageNumber(150, 0, 40, 5, "Pag. %1");
    auto& g = r.addGroup([&] { return voce["Nome"].asString().left(1); });
    g.newPage = true;
    g.header(6).addExpression(0, 0, 50, 5, [&] { return "Lettera " + voce["Nome"].asString().left(1); });
    g.footer(6).addExpression(0, 0, 50, 5, [&] { return "Fine " + voce["Nome"].asString(); });
    r.detail(5).addField(10, 0, 50, 5, voce, "Nome");

    EXPECT_EQ(r.prepare(), 3);
    EXPECT_EQ(r.pages().texts(0), (QStringList{"Pag. 1", "Elenco", "Lettera A", "Alfa", "Ambra", "Fine Ambra"}));
    EXPECT_EQ(r.pages().texts(1), (QStringList{"Pag. 2", "Lettera B", "Beta", "Fine Beta"}));
    EXPECT_EQ(r.pages().texts(2), (QStringList{"Pag. 3", "Lettera G", "Gamma", "Fine Gamma"}));
    // The page header sits at the top margin, the group header under it.
    EXPECT_DOUBLE_EQ(textOf(r, "Pag. 2")->rect.top(), 10);
    EXPECT_DOUBLE_EQ(textOf(r, "Lettera B")->rect.top(), 18);
}

TEST_F(Stampe, SubDetailsRunOverTheRowsOfEachMasterRow)
{
    givenItems({{1, "A", "Alfa", 0}, {2, "A", "Beta", 0}, {3, "A", "Gamma", 0}});
    givenLines(1, {"a1", "a2"});
    givenLines(3, {"c1"});
    open();
    Report r;
    r.setDataset(&voce);
    r.detail(5).addField(0, 0, 50, 5, voce, "Nome");
    auto& sub = r.addSubDetail(riga);
    sub.header(5).addLabel(5, 0, 50, 5, "Righe:");
    sub.detail(5).addField(10, 0, 50, 5, riga, "Testo");
    sub.footer(5).addExpression(5, 0, 50, 5, [&] { return QString("fine %1").arg(riga.recordCount()); });
    // A second sub-detail on the same rows with a query re-run for each master row.
    Query conta(db, "qConta");
    conta.setSql("SELECT count(*) AS N FROM Righe WHERE Voce = :Voce");
    auto& sub2 = r.addSubDetail(conta);
    sub2.beforeRun = [&] {
        conta.close();
        conta.setParam("Voce", voce["Codice"].value());
        conta.open();
        return voce["Codice"].asInteger() != 2;
    };
    sub2.detail(5).addField(10, 0, 50, 5, conta, "N", "# 'righe'");

    r.prepare();
    EXPECT_EQ(r.pages().texts(0), (QStringList{"Alfa", "Righe:", "a1", "a2", "fine 2", "2 righe", "Beta", "Gamma",
                                               "Righe:", "c1", "fine 1", "1 righe"}));
}

TEST_F(Stampe, PagesBreakBeforeTheFooterAndCountThemselves)
{
    QList<std::tuple<int, QString, QString, double>> items;
    for (int i = 1; i <= 60; ++i)
        items.append({i, "A", QString("Voce %1").arg(i), i});
    givenItems(items);
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10, 10, 10, 10);
    r.pageHeader(10).addLabel(0, 0, 100, 5, "Intestazione");
    r.columnHeader(6).addLabel(0, 0, 50, 5, "Nome");
    r.detail(8).addField(0, 0, 50, 5, voce, "Nome");
    auto& foot = r.pageFooter(8);
    foot.addPageNumber(120, 0, 70, 5, "Pagina %1 di %2");
    int totale = 0;
    foot.addExpression(0, 0, 70, 5, [&] { return QString("Pagina %1 di %2").arg(r.pageNumber()).arg(totale); });

    // Body: 297 - 10 - 10 - 8 = 269 mm; 16 mm of headers leave room for 31 rows of 8 mm.
    totale = r.prepare();
    ASSERT_EQ(totale, 2);
    EXPECT_EQ(pageOf(r, "Voce 31"), 0);
    EXPECT_EQ(pageOf(r, "Voce 32"), 1);
    EXPECT_LE(textOf(r, "Voce 31")->rect.top() + 8, 297 - 10 - 8);
    EXPECT_DOUBLE_EQ(textOf(r, "Voce 32")->rect.top(), 26);
    EXPECT_EQ(r.pages().find("Nome").size(), 2u);
    EXPECT_EQ(r.pages().find("Pagina 1 di 2").size(), 1u);     // the engine's own total
    EXPECT_DOUBLE_EQ(r.pages().find("Pagina 2 di 2").front().text->rect.top(), 297 - 10 - 8);
    // The caller's total, known from a first hidden run, on the next one.
    r.prepare();
    EXPECT_EQ(r.pages().find("Pagina 1 di 2").size(), 2u);
    EXPECT_EQ(r.pages().find("Pagina 2 di 2").size(), 2u);      // the last page closes after the rows
    EXPECT_EQ(r.pages().page(1).number, 2);
}

TEST_F(Stampe, SplitGroupRepeatsItsHeaderOnTheNextPage)
{
    QList<std::tuple<int, QString, QString, double>> items;
    for (int i = 1; i <= 40; ++i)
        items.append({i, i <= 10 ? "A" : "B", QString("Voce %1").arg(i), 0});
    givenItems(items);
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10);
    r.pageHeader(10).addPageNumber(0, 0, 50, 5, "Pag. %1");
    auto& g = r.addGroup("Gruppo");
    g.reprintHeader = true;
    g.header(10).addExpression(0, 0, 50, 5, [&] { return "Gruppo " + voce["Gruppo"].asString(); });
    r.detail(10).addField(0, 0, 50, 5, voce, "Nome");

    // 277 mm: page header, A (10 + 100 mm), B's header and 14 rows; the rest of B on page two.
    ASSERT_EQ(r.prepare(), 2);
    EXPECT_EQ(pageOf(r, "Voce 24"), 0);
    EXPECT_EQ(r.pages().texts(1).mid(0, 3), (QStringList{"Pag. 2", "Gruppo B", "Voce 25"}));
    EXPECT_EQ(r.pages().find("Gruppo A").size(), 1u);
}

TEST_F(Stampe, EmptyReportsPrintOnlyWhenAsked)
{
    open();
    Report r;
    r.setDataset(&voce);
    r.titleBand(10).addLabel(0, 0, 100, 8, "Elenco");
    r.detail(5).addField(0, 0, 50, 5, voce, "Nome");
    r.summary(5).addLabel(0, 0, 50, 5, "Totale");
    EXPECT_EQ(r.prepare(), 0);
    ScriptedPrompts prompts;
    ReportPreview::runner = [](ReportPreview&) { ADD_FAILURE() << "an empty document is not shown"; };
    EXPECT_FALSE(r.preview(prompts));
    ReportPreview::runner = nullptr;
    r.printIfEmpty = true;
    EXPECT_EQ(r.prepare(), 1);
    EXPECT_EQ(r.pages().texts(0), (QStringList{"Elenco", "Totale"}));
}

TEST_F(Stampe, CompositeDocumentContinuesOnTheSamePageAndNumbersRunOn)
{
    QList<std::tuple<int, QString, QString, double>> items;
    for (int i = 1; i <= 40; ++i)
        items.append({i, i % 2 ? "A" : "B", QString("Voce %1").arg(i), i});
    givenItems(items);
    open();
    Report elenco;
    elenco.setDataset(&voce);
    elenco.titleBand(10).addLabel(0, 0, 100, 8, "ELENCO");
    elenco.detail(8).addField(0, 0, 50, 5, voce, "Nome");
    elenco.pageFooter(8).addPageNumber(0, 0, 50, 5, "Pag. %1 di %2");
    Query totali(db, "qTotali");
    totali.setSql("SELECT Gruppo, sum(Importo) AS Totale FROM Voci GROUP BY Gruppo ORDER BY Gruppo");
    Report riepilogo;
    riepilogo.setDataset(&totali);
    riepilogo.beforeRun = [&] { totali.open(); return true; };
    riepilogo.afterRun = [&] { totali.close(); };
    riepilogo.titleBand(10).addLabel(0, 0, 100, 8, "TOTALI");
    auto& det = riepilogo.detail(6);
    det.addField(0, 0, 30, 5, totali, "Gruppo");
    det.addField(30, 0, 30, 5, totali, "Totale", "#,");
    riepilogo.pageFooter(8).addPageNumber(0, 0, 50, 5, "Pag. %1 di %2");

    CompositeReport doc;
    doc.add(elenco);
    doc.add(riepilogo);
    doc.setOrientation(QPageLayout::Landscape);
    // Landscape body: 210 - 20 - 8 = 182 mm: the title and 21 rows, then 19 rows on page two.
    ASSERT_EQ(doc.prepare(), 2);
    EXPECT_EQ(doc.pages().page(0).size, QSizeF(297, 210));
    const auto ultima = doc.pages().find("Voce 40").front();
    const auto titolo = doc.pages().find("TOTALI").front();
    EXPECT_EQ(ultima.page, 1);
    EXPECT_EQ(titolo.page, 1);
    EXPECT_DOUBLE_EQ(titolo.text->rect.top(), ultima.text->rect.top() + 8);
    EXPECT_EQ(doc.pages().texts(1).mid(doc.pages().texts(1).indexOf("TOTALI")),
              (QStringList{"TOTALI", "A", "400", "B", "420", "Pag. 2 di 2"}));
    EXPECT_EQ(doc.pages().find("Pag. 1 di 2").size(), 1u);
    EXPECT_FALSE(totali.active());
}

TEST_F(Stampe, WrappedTextsStretchTheirBandAndRulesFollow)
{
    givenItems({{1, "A", "Alfa", 0}, {2, "A", "Beta", 0}});
    db.exec("UPDATE Voci SET Note = ? WHERE Codice = 1",
            {QString("Lenzuola e federe ritirate il lunedì, riconsegnate pulite il giovedì "
                     "della stessa settimana presso il magazzino della sede centrale.")});
    db.exec("UPDATE Voci SET Note = ? WHERE Codice = 2", {QString("Prima riga\r\nSeconda riga")});
    open();
    Report r;
    r.setDataset(&voce);
    auto& det = r.detail(6);
    det.addField(0, 0, 30, 5, voce, "Nome");
    det.addField(40, 0, 60, 5, voce, "Note").setWordWrap();
    det.addVLine(35, 0, 6).setToBandBottom();
    det.setFrame(Band::Bottom);

    r.prepare();
    const Page& p = r.pages().page(0);
    const double beta = textOf(r, "Beta")->rect.top();
    EXPECT_GT(beta, 10 + 3 * 4.0);                       // three lines or more of 10 pt
    int righeAlfa = 0;
    for (const PageText& t : p.texts)
        if (t.rect.left() == 50 && t.rect.top() < beta) {
            ++righeAlfa;
            EXPECT_LE(t.rect.width(), 60);
        }
    EXPECT_GE(righeAlfa, 3);
    EXPECT_GT(textOf(r, "Seconda riga")->rect.top(), textOf(r, "Prima riga")->rect.top());
    // The rule and the band's bottom edge run down to where the next band begins.
    EXPECT_DOUBLE_EQ(p.lines[0].to.y() - p.lines[0].from.y(), beta - 10);
    EXPECT_DOUBLE_EQ(p.lines[1].from.y(), beta);
}

TEST_F(Stampe, BandsKeptWithTheNextOneMoveTogetherAndSummaryAlignsToTheBottom)
{
    QList<std::tuple<int, QString, QString, double>> items;
    for (int i = 1; i <= 25; ++i)
        items.append({i, i <= 24 ? "A" : "B", QString("Voce %1").arg(i), 0});
    givenItems(items);
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10);
    auto& g = r.addGroup("Gruppo");
    auto& head = g.header(10);
    head.addField(0, 0, 50, 5, voce, "Gruppo");
    head.keepWithNext = true;
    head.child(5).addLabel(0, 0, 50, 5, "Colonne");
    head.childBand()->keepWithNext = true;
    g.footer(5).addExpression(0, 0, 50, 5, [&] { return "Fine " + voce["Gruppo"].asString(); });
    r.detail(10).addField(0, 0, 50, 5, voce, "Nome");
    auto& fondo = r.summary(20);
    fondo.addLabel(0, 0, 50, 5, "Riepilogo");
    fondo.alignBottom = true;

    // 277 mm of body: group A takes 15 + 240 + 5 mm, leaving 17 mm, enough for the heading
    // and its columns but not for the first row: the three go to page two together.
    ASSERT_EQ(r.prepare(), 2);
    EXPECT_EQ(pageOf(r, "Fine A"), 0);
    EXPECT_EQ(r.pages().texts(1), (QStringList{"B", "Colonne", "Voce 25", "Fine B", "Riepilogo"}));
    EXPECT_DOUBLE_EQ(textOf(r, "B")->rect.top(), 10);
    EXPECT_DOUBLE_EQ(textOf(r, "Riepilogo")->rect.top(), 297 - 10 - 20);
}

TEST_F(Stampe, BandsHiddenOrRewrittenBeforeTheyPrint)
{
    givenItems({{1, "A", "Alfa", 5}, {2, "A", "Beta", 0}, {3, "A", "Gamma", -2}});
    open();
    Report r;
    r.setDataset(&voce);
    auto& det = r.detail(5);
    det.addField(0, 0, 50, 5, voce, "Nome");
    auto& importo = det.addField(60, 0, 30, 5, voce, "Importo", "#,.00;-#,.00;#");
    auto& segno = det.addLabel(100, 0, 30, 5, "");
    det.beforePrint = [&](Band&) {
        if (voce["Nome"].asString() == "Beta")
            return false;
        segno.setText(voce["Importo"].asFloat() < 0 ? "Avere" : "Dare");
        importo.setMask(voce["Importo"].asFloat() < 0 ? "#,.00;#,.00;#" : "#,.00;-#,.00;#");
        return true;
    };
    det.child(5).addLabel(0, 0, 50, 5, "nota");
    auto& nascosto = r.summary(5);
    nascosto.addLabel(0, 0, 50, 5, "Totale");
    nascosto.visible = false;

    r.prepare();
    EXPECT_EQ(r.pages().texts(0), (QStringList{"Alfa", "5,00", "Dare", "nota", "Gamma", "2,00", "Avere", "nota"}));
}

namespace {

QStringList numbered(const QString& prefix, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << prefix + QString::number(i);
    return out;
}

} // namespace

TEST_F(Stampe, RowsRunningOntoANewPageRepeatTheirHeadingsThere)
{
    givenItems({{1, "A", "Alfa", 0}, {2, "A", "Beta", 0}});
    givenLines(1, numbered("a", 40));
    givenLines(2, numbered("b", 2));
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10);
    int voci = 0;
    auto& det = r.detail(10);
    det.addField(0, 0, 50, 5, voce, "Nome");
    det.repeatOnNewPage = true;
    det.afterPrint = [&](Band&) { ++voci; };
    auto& sub = r.addSubDetail(riga);
    auto& testa = sub.header(6);
    testa.addExpression(0, 0, 80, 5, [&] { return "Righe di " + voce["Nome"].asString(); });
    testa.repeatOnNewPage = true;
    sub.detail(8).addField(10, 0, 50, 5, riga, "Testo");
    sub.footer(6).addLabel(0, 0, 50, 5, "fine");

    // 277 mm of body: Alfa, its heading and 32 lines; the other 8 under both again.
    ASSERT_EQ(r.prepare(), 2);
    EXPECT_EQ(pageOf(r, "a32"), 0);
    EXPECT_EQ(r.pages().texts(1).mid(0, 3), (QStringList{"Alfa", "Righe di Alfa", "a33"}));
    EXPECT_DOUBLE_EQ(textOf(r, "a33")->rect.top(), 10 + 10 + 6);
    // Beta's own block is not repeated; nothing ran again for the repeated bands.
    EXPECT_EQ(r.pages().find("Beta").size(), 1u);
    EXPECT_EQ(r.pages().find("Righe di Beta").size(), 1u);
    EXPECT_EQ(voci, 2);
}

TEST_F(Stampe, AFooterKeptWithThePreviousBandNeverStandsAloneOnAPage)
{
    QList<std::tuple<int, QString, QString, double>> items;
    for (int i = 1; i <= 34; ++i)
        items.append({i, "A", QString("Voce %1").arg(i), 0});
    givenItems(items);
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10);
    auto& g = r.addGroup("Gruppo");
    g.footer(10).addLabel(0, 0, 50, 5, "Totale");
    r.detail(8).addField(0, 0, 50, 5, voce, "Nome");

    // 34 rows take 272 of the 277 mm: the footer alone does not fit below them.
    ASSERT_EQ(r.prepare(), 2);
    EXPECT_EQ(r.pages().texts(1), QStringList{"Totale"});
    g.footerBand()->keepWithPrevious = true;
    ASSERT_EQ(r.prepare(), 2);
    EXPECT_EQ(r.pages().texts(1), (QStringList{"Voce 34", "Totale"}));
    EXPECT_DOUBLE_EQ(textOf(r, "Voce 34")->rect.top(), 10);
}

TEST_F(Stampe, ABlockKeptTogetherStartsANewPageOnlyWhenItFitsOnOne)
{
    givenItems({{1, "A", "Alfa", 0}, {2, "A", "Beta", 0}, {3, "A", "Gamma", 0}});
    givenLines(1, numbered("a", 20));
    givenLines(2, numbered("b", 20));
    givenLines(3, numbered("c", 50));
    open();
    Report r;
    r.setDataset(&voce);
    r.setMargins(10);
    auto& det = r.detail(10);
    det.addField(0, 0, 50, 5, voce, "Nome");
    det.keepTogether = true;
    r.addSubDetail(riga).detail(8).addField(10, 0, 50, 5, riga, "Testo");

    // Alfa takes 170 mm; Beta (170 mm) does not fit in the 107 left and moves on whole;
    // Gamma (410 mm) fits on no page and starts right below Beta.
    ASSERT_EQ(r.prepare(), 4);
    EXPECT_EQ(pageOf(r, "a20"), 0);
    EXPECT_EQ(pageOf(r, "Beta"), 1);
    EXPECT_DOUBLE_EQ(textOf(r, "Beta")->rect.top(), 10);
    EXPECT_EQ(pageOf(r, "Gamma"), 1);
    EXPECT_DOUBLE_EQ(textOf(r, "Gamma")->rect.top(), 10 + 170);
    EXPECT_EQ(pageOf(r, "c12"), 1);
    EXPECT_EQ(pageOf(r, "c13"), 2);
}
