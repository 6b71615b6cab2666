#include "Errors.h"
#include "FilterExpr.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

// A small ledger in an in-memory database; each filter is compiled and run against it.
class LedgerFilter : public ::testing::Test
{
protected:
    const QString conn = QStringLiteral("filter_test");
    const QList<FilterField> fields = {
        {"Codice", FieldType::AutoInc},     {"Codice cliente", FieldType::Float},
        {"Causale", FieldType::String},     {"Data", FieldType::Date},
        {"Importo", FieldType::Currency},   {"Incassata", FieldType::Boolean},
        {"Conto", FieldType::SmallInt},
    };

    void SetUp() override
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        exec(R"(CREATE TABLE PrimaNota ("Codice" INTEGER PRIMARY KEY, "Codice cliente" float,
                "Causale" varchar(40), "Data" date, "Importo" money, "Incassata" boolean,
                "Conto" smallint))");
        exec(R"(INSERT INTO PrimaNota VALUES
            (1, 7, 'Fattura di vendita',                 '2018-12-31', 100.5,  0,    0),
            (2, 7, 'Incasso',                            '2019-01-01', -100.5, 1,    0),
            (3, 8, 'Ripresa saldi esercizio precedente', '2019-01-01', 250,    0,    0),
            (4, 8, 'Incasso',                            '2019-12-31', -20,    1,    1),
            (5, 9, 'D''Angelo',                          '2020-01-01', 99.99,  NULL, 0),
            (6, 9, 'x'' or 1=1 --',                      NULL,         0,      1,    0))");
    }
    void TearDown() override { QSqlDatabase::removeDatabase(conn); }

    void exec(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(conn));
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
    }

    // Codes of the rows the filter selects, in code order.
    QList<int> select(const QString& expression)
    {
        const CompiledFilter f = compileFilter(expression, fields);
        EXPECT_FALSE(f.where.contains('\'')) << f.where.toStdString();   // values are bound
        QSqlQuery q(QSqlDatabase::database(conn));
        q.prepare("SELECT Codice FROM PrimaNota WHERE " + f.where + " ORDER BY Codice");
        for (const QVariant& v : f.params)
            q.addBindValue(v);
        EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString() << " " << f.where.toStdString();
        QList<int> codes;
        while (q.next())
            codes.append(q.value(0).toInt());
        return codes;
    }

    QString errorOf(const QString& expression)
    {
        try {
            compileFilter(expression, fields);
        } catch (const LavError& e) {
            return e.message();
        }
        return {};
    }
};

using Rows = QList<int>;

} // namespace

TEST_F(LedgerFilter, ExpressionsOfTheProgram)
{
    EXPECT_EQ(select("Conto = 0"), Rows({1, 2, 3, 5, 6}));
    EXPECT_EQ(select("Causale <> 'Fattura di vendita' and Conto = 0 and Incassata = True"),
              Rows({2, 6}));
    EXPECT_EQ(select("Causale = 'Ripresa saldi esercizio precedente'"), Rows({3}));
    EXPECT_EQ(select("Data >= '01/01/2019' and Data <= '31/12/2019'"), Rows({2, 3, 4}));
    EXPECT_EQ(select("[Codice cliente] = 8"), Rows({3, 4}));
}

TEST_F(LedgerFilter, ValuesTakeTheTypeOfTheirField)
{
    EXPECT_EQ(select("Data = '1/1/2019'"), Rows({2, 3}));
    EXPECT_EQ(select("Data < '2019-01-01'"), Rows({1}));
    EXPECT_EQ(select("Data = '  /  /    '"), Rows({6}));
    EXPECT_EQ(select("Data <> '  /  /    '"), Rows({1, 2, 3, 4, 5}));
    EXPECT_EQ(select("Importo >= '100.5'"), Rows({1, 3}));
    EXPECT_EQ(select("Importo > '99,98'"), Rows({1, 3, 5}));
    EXPECT_EQ(select("Importo < -20.5"), Rows({2}));
    EXPECT_EQ(select("Incassata = 'true'"), Rows({2, 4, 6}));
    EXPECT_EQ(select("Causale = 'D''Angelo'"), Rows({5}));
    EXPECT_EQ(select("Causale = 'd''angelo'"), Rows({}));   // case-sensitive
}

TEST_F(LedgerFilter, OperandsNamesAndKeywordsInAnyForm)
{
    EXPECT_EQ(select("0 < Conto"), Rows({4}));
    EXPECT_EQ(select("250 <= Importo"), Rows({3}));
    EXPECT_EQ(select("\"codice CLIENTE\" = 9"), Rows({5, 6}));
    EXPECT_EQ(select("conto = 1 OR importo = 0"), Rows({4, 6}));
    EXPECT_EQ(select("Conto=1"), Rows({4}));
    EXPECT_EQ(select("Codice = Conto"), Rows({}));
    EXPECT_EQ(select("True"), Rows({1, 2, 3, 4, 5, 6}));
}

TEST_F(LedgerFilter, AndBindsTighterThanOrAndParenthesesRegroup)
{
    EXPECT_EQ(select("Conto = 1 or Codice = 3 and Incassata = True"), Rows({4}));
    EXPECT_EQ(select("(Conto = 1 or Codice = 3) and Incassata = False"), Rows({3}));
    EXPECT_EQ(select("not (Conto = 0 and Incassata = True)"), Rows({1, 3, 4}));
    EXPECT_EQ(select("not not Conto = 1"), Rows({4}));
}

TEST_F(LedgerFilter, EmptyValues)
{
    // Plain SQL comparisons never match an empty field.
    EXPECT_EQ(select("Incassata = False"), Rows({1, 3}));
    // A Boolean field alone is a truth test in which empty counts as false.
    EXPECT_EQ(select("Incassata"), Rows({2, 4, 6}));
    EXPECT_EQ(select("not Incassata"), Rows({1, 3, 5}));
    EXPECT_EQ(select("Incassata is null"), Rows({5}));
    EXPECT_EQ(select("Incassata = NULL"), Rows({5}));
    EXPECT_EQ(select("Data IS NOT NULL and Incassata <> null"), Rows({1, 2, 3, 4}));
}

TEST_F(LedgerFilter, ValuesNeverBecomeSql)
{
    EXPECT_EQ(select("Causale = 'x'' or 1=1 --'"), Rows({6}));
    EXPECT_EQ(select("Causale = 'y'' or 1=1 --'"), Rows({}));
    EXPECT_EQ(select("Causale = 'x''); DROP TABLE PrimaNota; --'"), Rows({}));
    EXPECT_EQ(select("Conto = 0").size(), 5);
    const CompiledFilter f = compileFilter("Causale = 'a' and Data >= '01/02/2019'", fields);
    EXPECT_EQ(f.where, "\"Causale\" = ? AND \"Data\" >= ?");
    EXPECT_EQ(f.params, QVariantList({"a", "2019-02-01"}));
}

TEST_F(LedgerFilter, BlankExpressionIsNoFilter)
{
    EXPECT_TRUE(compileFilter("", fields).where.isEmpty());
    EXPECT_TRUE(compileFilter("   ", fields).params.isEmpty());
}

TEST_F(LedgerFilter, FaultsNameTheProblemAndTheExpression)
{
    EXPECT_TRUE(errorOf("Pippo = 1").contains("campo sconosciuto \"Pippo\""));
    EXPECT_TRUE(errorOf("[Codice  cliente] = 1").contains("campo sconosciuto"));
    for (const char* bad : {"Conto =", "Conto = 0 and", "(Conto = 0", "Conto = 0)",
                            "Causale = 'abc", "[Causale = 'a'", "Data = '31/02/2019'",
                            "Data = 5", "Conto = 'abc'", "Incassata = 'forse'",
                            "Causale = True", "Conto > NULL", "NULL = NULL", "Conto",
                            "Conto = 0 Conto = 1", "Conto # 1", "Data is 5", "= 1",
                            "Importo = - Conto", "Data > '  /  /    '"}) {
        const QString message = errorOf(bad);
        EXPECT_TRUE(message.startsWith("Filtro non valido \"" + QString(bad) + "\":"))
            << bad << " -> " << message.toStdString();
    }
}
