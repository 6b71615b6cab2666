#include "DatiDemo.h"
#include "Database.h"
#include "Errors.h"
#include "Money.h"
#include "Tabelle.h"
#include "support/TempArchive.h"
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

QVariant valore(Database& db, const QString& sql)
{
    QSqlQuery q = db.exec(sql);
    return q.next() ? q.value(0) : QVariant();
}

qint64 numero(Database& db, const QString& sql) { return valore(db, sql).toLongLong(); }

QList<QVariantList> righe(Database& db, const QString& sql)
{
    QSqlQuery q = db.exec(sql);
    QList<QVariantList> r;
    while (q.next()) {
        QVariantList riga;
        for (int i = 0; i < q.record().count(); ++i)
            riga << q.value(i);
        r << riga;
    }
    return r;
}

// The check digit rule of Italian VAT numbers and numeric tax codes.
bool partitaIvaValida(const QString& p)
{
    if (!QRegularExpression(QStringLiteral("^\\d{11}$")).match(p).hasMatch())
        return false;
    int somma = 0;
    for (int i = 0; i < 10; ++i) {
        int c = p[i].digitValue();
        if (i % 2 == 1)
            c = c * 2 > 9 ? c * 2 - 9 : c * 2;
        somma += c;
    }
    return (10 - somma % 10) % 10 == p[10].digitValue();
}

// One demo archive at scale 1, shared by the checks that only read it.
class DatiDemo : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        archivio = std::make_unique<TempArchive>(TempArchive::Demo{.scale = 1, .seed = 1});
        db = std::make_unique<Database>(QStringLiteral("DatiDemoTest"));
        db->open(archivio->archivi());
    }
    static void TearDownTestSuite()
    {
        db.reset();
        archivio.reset();
    }

    static qint64 n(const QString& sql) { return numero(*db, sql); }

    static inline std::unique_ptr<TempArchive> archivio;
    static inline std::unique_ptr<Database> db;
};

TEST_F(DatiDemo, Scale1HasAboutFiftyCustomersWithTheirSitesAndRentals)
{
    EXPECT_EQ(n("SELECT count(*) FROM Clienti"), 50);
    EXPECT_GE(n("SELECT count(*) FROM Sedi"), 110);
    EXPECT_LE(n("SELECT count(*) FROM Sedi"), 200);
    EXPECT_GE(n("SELECT count(*) FROM Noleggi"), 550);
    EXPECT_LE(n("SELECT count(*) FROM Noleggi"), 1000);
    EXPECT_GE(n("SELECT count(*) FROM Agenti"), 3);
    EXPECT_GE(n("SELECT count(*) FROM Iter"), 5);
    EXPECT_GE(n("SELECT count(*) FROM ModPag"), 5);
    EXPECT_GE(n("SELECT count(*) FROM Servizi WHERE Fatturabile = 1"), 20);
    EXPECT_GE(n("SELECT count(*) FROM Servizi WHERE Fatturabile = 0"), 3);
    EXPECT_GE(n("SELECT count(*) FROM Interventi"), n("SELECT count(*) FROM Sedi"));
    EXPECT_GT(n("SELECT count(*) FROM Sospesi"), 0);
    EXPECT_GT(n("SELECT count(*) FROM AltreInfo"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Consumi"), 0);
    EXPECT_GE(n("SELECT count(*) FROM Stomag"), n("SELECT count(*) FROM Servizi"));
    EXPECT_EQ(n("SELECT count(*) FROM Parametri"), 1);
    // Work tables stay empty: the program fills them.
    EXPECT_EQ(n("SELECT count(*) FROM Medie"), 0);
    // Manual invoices not yet printed, to public bodies and to others, some exempt from VAT.
    EXPECT_EQ(n("SELECT count(*) FROM Fattman WHERE \"Numero fattura\" IS NULL AND \"Data fattura\" IS NOT NULL"), 6);
    EXPECT_GT(n("SELECT count(*) FROM Fattman WHERE PA = 1 AND length(Codice_FE) = 6 AND Scissione = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Fattman WHERE PA = 0 AND Codice_FE = '0000000'"), 0);
    EXPECT_EQ(n("SELECT count(*) FROM Fattman WHERE (Iva = 0) <> (NATURA IS NOT NULL)"), 0);
    EXPECT_EQ(n("SELECT count(*) FROM Fattman WHERE \"Descrizione 1\" IS NULL OR DataFineP < DataInizioP"), 0);
}

TEST_F(DatiDemo, EveryReferenceLeadsToAnExistingRecord)
{
    EXPECT_EQ(n(R"(SELECT count(*) FROM Sedi s LEFT JOIN Clienti c ON c.Codice = s."Codice cliente"
                   WHERE c.Codice IS NULL)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Clienti c WHERE NOT EXISTS
                   (SELECT 1 FROM Sedi s WHERE s."Codice cliente" = c.Codice))"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Noleggi n LEFT JOIN Sedi s ON s.Codice = n."Codice sede"
                   WHERE s.Codice IS NULL)"), 0);
    // Only invoiceable articles are rented; readings are of consumables.
    EXPECT_EQ(n(R"(SELECT count(*) FROM Noleggi n LEFT JOIN Servizi a ON a.Codice = n."Codice servizio"
                   WHERE a.Codice IS NULL OR a.Fatturabile = 0)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Consumi k LEFT JOIN Servizi a ON a.Codice = k.Servizio
                   LEFT JOIN Sedi s ON s.Codice = k.Sede
                   WHERE a.Codice IS NULL OR a.Fatturabile = 1 OR s.Codice IS NULL)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Interventi i LEFT JOIN Sedi s ON s.Codice = i.Sede
                   WHERE s.Codice IS NULL)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM AltreInfo x LEFT JOIN Clienti c ON c.Codice = x.Cliente
                   WHERE c.Codice IS NULL)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Clienti c LEFT JOIN ModPag m ON m.Codice = c.Pagamento
                   WHERE m.Codice IS NULL)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Iter r LEFT JOIN Agenti a ON a.Codice = r.Agente
                   WHERE a.Codice IS NULL)"), 0);
    // A site on a route carries the route's agent; a site without route keeps an agent.
    EXPECT_EQ(n(R"(SELECT count(*) FROM Sedi s LEFT JOIN Iter r ON r.Codice = s.Iter
                   WHERE s.Iter <> 0 AND (r.Codice IS NULL OR r.Agente <> s."Codice agente"))"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Sedi s LEFT JOIN Agenti a ON a.Codice = s."Codice agente"
                   WHERE a.Codice IS NULL)"), 0);
    // Every agent has routes.
    EXPECT_EQ(n(R"(SELECT count(*) FROM Agenti a WHERE NOT EXISTS
                   (SELECT 1 FROM Iter r WHERE r.Agente = a.Codice))"), 0);
}

TEST_F(DatiDemo, KeysAreUniqueAndNumberedAsTheProgramNumbersThem)
{
    for (const char* t : {"Clienti", "Sedi", "Servizi", "Agenti", "Iter", "Interventi", "Sospesi"}) {
        SCOPED_TRACE(t);
        EXPECT_EQ(n(QStringLiteral("SELECT count(DISTINCT Codice) FROM %1").arg(t)),
                  n(QStringLiteral("SELECT count(*) FROM %1").arg(t)));
        // Codes run from 1 without holes, as "highest + 1" gives them.
        EXPECT_EQ(n(QStringLiteral("SELECT min(Codice) FROM %1").arg(t)), 1);
        EXPECT_EQ(n(QStringLiteral("SELECT max(Codice) FROM %1").arg(t)),
                  n(QStringLiteral("SELECT count(*) FROM %1").arg(t)));
    }
    EXPECT_EQ(n(R"(SELECT count(*) FROM (SELECT 1 FROM Noleggi
                   GROUP BY "Codice sede", "Codice servizio" HAVING count(*) > 1))"), 0);
    EXPECT_EQ(n("SELECT count(DISTINCT Descrizione) FROM Servizi"), n("SELECT count(*) FROM Servizi"));
    // Extra invoice lines are numbered 1, 2, ... within each customer.
    EXPECT_EQ(n(R"(SELECT count(*) FROM (SELECT Cliente FROM AltreInfo GROUP BY Cliente
                   HAVING min(Progr) <> 1 OR max(Progr) <> count(*) OR count(DISTINCT Progr) <> count(*)))"),
              0);
}

TEST_F(DatiDemo, StockMatchesTheRentalsAndTheMovementLog)
{
    const auto articoli = righe(*db, R"(SELECT a.Codice, a.Dentro, a.Fuori,
            (SELECT coalesce(sum(Quantita), 0) FROM Noleggi n WHERE n."Codice servizio" = a.Codice),
            a.Descrizione || ' ' || a.Tipo
        FROM Servizi a)");
    ASSERT_FALSE(articoli.isEmpty());
    for (const QVariantList& a : articoli) {
        SCOPED_TRACE(a[4].toString().toStdString());
        EXPECT_EQ(a[2].toDouble(), a[3].toDouble()) << "Fuori = pezzi noleggiati";
        EXPECT_GE(a[1].toDouble(), 0);
        // The last movement of the article leaves the warehouse stock it holds now.
        QSqlQuery q = db->exec(R"(SELECT Giacenza FROM Stomag WHERE Servizio = ?
                                  ORDER BY "Data movimento" DESC, Codice DESC LIMIT 1)",
                               QVariantList{a[4]});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toDouble(), a[1].toDouble());
    }
    EXPECT_EQ(n(R"(SELECT count(*) FROM Stomag WHERE "Tipo movimento" NOT IN
                   ('Entrata', 'Uscita', 'Acquisto', 'Rimozione'))"), 0);
}

TEST_F(DatiDemo, PendingDeliveriesMatchTheRentals)
{
    EXPECT_EQ(n("SELECT count(*) FROM Noleggi WHERE Sospesi < 0 OR Sospesi > Quantita"), 0);
    // Each rental with pending units has its row, and each row belongs to such a rental.
    EXPECT_EQ(n(R"(SELECT count(*) FROM Noleggi n WHERE n.Sospesi > 0 AND
                   (SELECT count(*) FROM Sospesi p WHERE p.Sede = n."Codice sede"
                    AND p.Servizio = n."Codice servizio" AND p.Quantita = n.Sospesi) <> 1)"), 0);
    EXPECT_EQ(n(R"(SELECT count(*) FROM Sospesi p LEFT JOIN Noleggi n
                   ON n."Codice sede" = p.Sede AND n."Codice servizio" = p.Servizio
                   WHERE n.Sospesi IS NULL OR n.Sospesi <> p.Quantita)"), 0);
}

TEST_F(DatiDemo, SitesAreGroupedAndColouredAsTheProgramDoes)
{
    const auto sedi = righe(*db, R"(SELECT "Codice cliente", Codice, Gruppo, GruppoOrg, Colore
                                    FROM Sedi ORDER BY "Codice cliente", Codice)");
    std::map<int, QList<QVariantList>> perCliente;
    for (const QVariantList& s : sedi)
        perCliente[s[0].toInt()] << s;

    int clientiUniti = 0;
    for (const auto& [cliente, lista] : perCliente) {
        SCOPED_TRACE(cliente);
        bool uniti = false;
        QList<int> originali;
        for (int i = 0; i < lista.size(); ++i) {
            EXPECT_EQ(lista[i][3].toInt(), i + 1) << "GruppoOrg numbered 1, 2, 3 in site order";
            originali << lista[i][3].toInt();
        }
        for (const QVariantList& s : lista) {
            EXPECT_LE(s[2].toInt(), s[3].toInt());
            EXPECT_TRUE(originali.contains(s[2].toInt())) << "Gruppo is the GruppoOrg of a site";
            uniti = uniti || s[2].toInt() != s[3].toInt();
        }
        if (!uniti) {
            // New sites: colours 1, 0, 1, ...
            for (int i = 0; i < lista.size(); ++i)
                EXPECT_EQ(lista[i][4].toInt(), i % 2 == 0 ? 1 : 0);
            continue;
        }
        // After joining, the grouping dialog's colouring: in group order the first group has
        // colour 0 and the colour changes at each new group.
        ++clientiUniti;
        QList<QVariantList> ordinate = lista;
        std::stable_sort(ordinate.begin(), ordinate.end(), [](const QVariantList& a, const QVariantList& b) {
            return std::pair(a[2].toInt(), a[3].toInt()) < std::pair(b[2].toInt(), b[3].toInt());
        });
        int colore = 0;
        for (int i = 0; i < ordinate.size(); ++i) {
            if (i > 0 && ordinate[i][2] != ordinate[i - 1][2])
                colore = 1 - colore;
            EXPECT_EQ(ordinate[i][4].toInt(), colore);
        }
    }
    EXPECT_GT(clientiUniti, 0);
}

TEST_F(DatiDemo, TaxableAmountsAndCommissionsFollowTheRentals)
{
    // A site's amount is one month of its rentals (InFattura replacing Quantita).
    EXPECT_EQ(n(R"(SELECT count(*) FROM Sedi s WHERE abs(s.Imponibile -
                   (SELECT coalesce(sum(Costo * coalesce(InFattura, Quantita)), 0) FROM Noleggi n
                    WHERE n."Codice sede" = s.Codice)) > 0.0005)"), 0);

    // A customer's amount is one billing period of its sites plus its extra lines.
    const auto clienti = righe(*db, R"(SELECT c.Codice, c.Condizioni, c.Imponibile,
            (SELECT coalesce(sum(Imponibile), 0) FROM Sedi s WHERE s."Codice cliente" = c.Codice),
            (SELECT coalesce(sum(Quantita * Prezzo), 0) FROM AltreInfo x WHERE x.Cliente = c.Codice)
        FROM Clienti c)");
    const std::map<QString, int> mesi{{"Mensile", 1},     {"Bimestrale", 2}, {"Trimestrale", 3},
                                      {"Quadrimestrale", 4}, {"Semestrale", 6}, {"5 mesi", 5},
                                      {"Annuale", 12}};
    for (const QVariantList& c : clienti) {
        SCOPED_TRACE(c[0].toInt());
        ASSERT_TRUE(mesi.count(c[1].toString()));
        EXPECT_NEAR(c[2].toDouble(), c[3].toDouble() * mesi.at(c[1].toString()) + c[4].toDouble(), 0.0005);
        EXPECT_GT(c[2].toDouble(), 0);
    }

    // An agent's commission: its sites' monthly amounts times its percentage, to the cent.
    const auto agenti = righe(*db, R"(SELECT a.Codice, a.Percentuale, a.Provvigione,
            (SELECT coalesce(sum(Imponibile), 0) FROM Sedi s WHERE s."Codice agente" = a.Codice)
        FROM Agenti a)");
    for (const QVariantList& a : agenti) {
        SCOPED_TRACE(a[0].toInt());
        EXPECT_GT(a[1].toDouble(), 0);
        EXPECT_LE(a[1].toDouble(), 100);
        const Money attesa = Arrotonda(2, Money::fromDouble(a[3].toDouble()) * (a[1].toDouble() / 100));
        EXPECT_EQ(Money::fromDouble(a[2].toDouble()), attesa);
    }
}

TEST_F(DatiDemo, CustomersShowEveryCaseTheProgramHandles)
{
    for (const char* p : {"Mensile", "Bimestrale", "Trimestrale", "Quadrimestrale", "Semestrale",
                          "5 mesi", "Annuale"})
        EXPECT_GT(n(QStringLiteral("SELECT count(*) FROM Clienti WHERE Condizioni = '%1'").arg(p)), 0) << p;
    EXPECT_EQ(n("SELECT count(*) FROM Clienti WHERE Mese_Fatt NOT IN (0, 1)"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Clienti WHERE Mese_Fatt = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Clienti WHERE Escluso = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Clienti WHERE Millesimi = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Clienti WHERE StampaEstesa = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Clienti WHERE Incassabile = 1"), 0);
    EXPECT_GT(n("SELECT count(*) FROM Noleggi WHERE InFattura IS NOT NULL AND InFattura <> Quantita"), 0);
    EXPECT_GT(n(R"(SELECT count(*) FROM (SELECT 1 FROM Sedi GROUP BY "Codice cliente" HAVING count(*) > 2))"), 0);
    // Only customers marked Millesimi have prices with a third decimal.
    EXPECT_EQ(n(R"(SELECT count(*) FROM Noleggi n JOIN Sedi s ON s.Codice = n."Codice sede"
                   JOIN Clienti c ON c.Codice = s."Codice cliente"
                   WHERE c.Millesimi = 0 AND abs(n.Costo * 100 - round(n.Costo * 100)) > 1e-6)"), 0);

    // Public bodies: a six-character recipient code, split payment and a CIG the e-invoice
    // finds after "CIG" and ":" in Rigo_3; the others a seven-character code.
    const auto pa = righe(*db, "SELECT Codice_FE, Scissione, Rigo_3 FROM Clienti WHERE XML = 1");
    ASSERT_GE(pa.size(), 2);
    const QRegularExpression cig(QStringLiteral("CIG[^:]*:\\s*(\\S+)\\s*$"));
    for (const QVariantList& c : pa) {
        EXPECT_EQ(c[0].toString().size(), 6);
        EXPECT_TRUE(c[1].toBool());
        const auto m = cig.match(c[2].toString());
        ASSERT_TRUE(m.hasMatch()) << c[2].toString().toStdString();
        EXPECT_EQ(m.captured(1).size(), 10);
    }
    EXPECT_EQ(n("SELECT count(*) FROM Clienti WHERE XML = 0 AND length(Codice_FE) <> 7"), 0);
    EXPECT_EQ(n("SELECT count(*) FROM Clienti WHERE Pagaiva = 0 AND NATURA IS NULL"), 0);

    // Registry data as the e-invoice reads it.
    const QRegularExpression comune(QStringLiteral("^\\d{5} \\S.* \\([A-Z]{2}\\)$"));
    for (const QVariantList& c : righe(*db, R"(SELECT Comune, "Partita iva", "Codice fiscale" FROM Clienti)")) {
        EXPECT_TRUE(comune.match(c[0].toString()).hasMatch()) << c[0].toString().toStdString();
        if (!c[1].isNull()) {
            EXPECT_TRUE(partitaIvaValida(c[1].toString())) << c[1].toString().toStdString();
        }
        const QString cf = c[2].toString();
        EXPECT_TRUE(cf.size() == 16 || partitaIvaValida(cf)) << cf.toStdString();
    }
    for (const QVariantList& s : righe(*db, "SELECT Comune FROM Sedi"))
        EXPECT_TRUE(comune.match(s[0].toString()).hasMatch()) << s[0].toString().toStdString();
}

TEST_F(DatiDemo, TextsFitTheirDeclaredWidthsAndValuesTheirRanges)
{
    for (const TableDef& def : Tabelle::installazione()) {
        for (const FieldDef& f : def.fields) {
            const QString col = quoteName(f.name), tab = quoteName(def.name);
            if (f.type == FieldType::String) {
                EXPECT_LE(n(QStringLiteral("SELECT coalesce(max(length(%1)), 0) FROM %2").arg(col, tab)), f.size)
                    << def.name.toStdString() << "." << f.name.toStdString();
                EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 = ''").arg(col, tab)), 0)
                    << "empty texts are NULL: " << f.name.toStdString();
            }
            if (f.minValue) {
                EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 < %3 OR %1 > %4")
                                .arg(col, tab).arg(*f.minValue).arg(*f.maxValue)), 0)
                    << def.name.toStdString() << "." << f.name.toStdString();
            }
            if (f.type == FieldType::SmallInt) {
                EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 < -32768 OR %1 > 32767").arg(col, tab)), 0);
            }
            if (f.type == FieldType::Date) {
                EXPECT_EQ(n(QStringLiteral("SELECT count(*) FROM %2 WHERE %1 IS NOT NULL AND date(%1) IS NOT %1")
                                .arg(col, tab)), 0)
                    << "ISO dates: " << f.name.toStdString();
            }
        }
    }
}

TEST_F(DatiDemo, CompanyParametersAreFilledIn)
{
    const auto p = righe(*db, R"(SELECT FE_CedNome, FE_PIva, FE_CedID, REA_Ufficio, REA_SocioUnico,
                                 REA_StatoLiq, FE_TipoDocFatt, FE_TipoDocNota, SoloPA, FE_CedCAP
                                 FROM Parametri)");
    ASSERT_EQ(p.size(), 1);
    EXPECT_FALSE(p[0][0].toString().isEmpty());
    EXPECT_TRUE(partitaIvaValida(p[0][1].toString()));
    EXPECT_EQ(p[0][1], p[0][2]);
    EXPECT_EQ(p[0][3].toString(), "CS");
    EXPECT_EQ(p[0][4].toString(), "SU");
    EXPECT_EQ(p[0][5].toString(), "LN");
    EXPECT_EQ(p[0][6].toString(), "TD24");
    EXPECT_EQ(p[0][7].toString(), "TD04");
    EXPECT_FALSE(p[0][8].toBool());   // electronic invoices for every customer
    EXPECT_EQ(p[0][9].toString().size(), 5);
}

TEST(DatiDemoCarico, AnArchiveWithDataOrAWrongScaleIsRefusedUntouched)
{
    TempArchive archivio(TempArchive::Demo{.scale = 1, .seed = 3});
    Database db(QStringLiteral("DatiDemoCarico"));
    db.open(archivio.archivi());
    const qint64 noleggi = db.recordCount("Noleggi");
    EXPECT_THROW(CreaDatiDemo(db, 1, 3), LavError);
    EXPECT_EQ(db.recordCount("Clienti"), 50);
    EXPECT_EQ(db.recordCount("Noleggi"), noleggi);
    EXPECT_FALSE(db.inTransaction());

    TempArchive vuoto;
    Database db2(QStringLiteral("DatiDemoCarico2"));
    db2.open(vuoto.archivi());
    EXPECT_THROW(CreaDatiDemo(db2, 0, 1), LavError);
    EXPECT_THROW(CreaDatiDemo(db2, 201, 1), LavError);
    EXPECT_EQ(db2.recordCount("Clienti"), 0);
}

// The size promised for large archives (its speed is measured in bench/AvvioBench).
TEST(DatiDemoCarico, Scale100MakesFiveThousandCustomers)
{
    TempArchive archivio;
    Database db(QStringLiteral("DatiDemoScala100"));
    db.open(archivio.archivi());
    CreaDatiDemo(db, 100, 1);
    EXPECT_EQ(db.recordCount("Clienti"), 5000);
    EXPECT_NEAR(double(db.recordCount("Sedi")), 15000, 1500);
    EXPECT_NEAR(double(db.recordCount("Noleggi")), 75000, 7500);
    EXPECT_EQ(numero(db, "SELECT count(*) FROM (SELECT Codice FROM Interventi GROUP BY Codice HAVING count(*) > 1)"), 0);
}

} // namespace
