#include "Clock.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A working folder with a new archive; the archive can be altered with plain SQL to look like
// one written by an older version before the data module starts on it.
class Avvio : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fissaOggi(QDate(2019, 6, 10));
        TDataModule1::CreaArchivio(dir.path());
    }
    void TearDown() override { fissaOggi(QDate()); }

    void sql(const QStringList& statements)
    {
        Database db("AvvioSetup");
        db.open(dir.filePath("archivi"));
        for (const QString& s : statements)
            db.exec(s);
    }

    // Starts with the year of today, answering Yes to its creation.
    std::unique_ptr<TDataModule1> avvia(bool* ok = nullptr)
    {
        auto dm = std::make_unique<TDataModule1>(prompts, dir.path());
        const bool started = dm->Avvia();
        if (ok)
            *ok = started;
        return dm;
    }

    QStringList columns(TDataModule1& dm, const QString& table)
    {
        QStringList out;
        for (const FieldDef& f : dm.db.readDef(table).fields)
            out << f.name;
        return out;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

TEST_F(Avvio, NewArchiveHoldsTheInstallationTablesAndOneParametriRecord)
{
    Database db("AvvioNew");
    db.open(dir.filePath("archivi"));
    for (const TableDef& t : Tabelle::installazione())
        EXPECT_TRUE(db.tableExists(t.name)) << t.name.toStdString();
    EXPECT_EQ(db.recordCount("Parametri"), 1);
    EXPECT_FALSE(db.tableExists("Fatture"));
    EXPECT_THROW(TDataModule1::CreaArchivio(dir.path()), LavError);
    EXPECT_TRUE(TDataModule1::archivioMancante(dir.filePath("altrove")));
}

TEST_F(Avvio, MissingYearIsCreatedOnConfirmation)
{
    bool ok = false;
    auto dm = avvia(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(prompts.shown().first(), Prompt::question(MsgType::Warning, "Anno selezionato inesistente, creo?"));
    EXPECT_TRUE(QFile::exists(dir.filePath("2019/PrimaNota.db")));
    EXPECT_TRUE(dm->TblPrimaNota.active());
    EXPECT_EQ(dm->AnnoCorrente(), "2019");
    EXPECT_EQ(dm->FileContatore(), dir.filePath("2019/fatture.dat"));
    EXPECT_TRUE(dm->TblClienti.active());
    EXPECT_TRUE(dm->TblParametri.active());
    EXPECT_FALSE(dm->TblFatture.active());
    EXPECT_TRUE(QDir(dir.filePath("update")).exists());
}

TEST_F(Avvio, RefusingTheMissingYearEndsTheProgram)
{
    prompts.answer(Answer::No);
    bool ok = true;
    auto dm = avvia(&ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(QDir(dir.filePath("2019")).exists());
    EXPECT_FALSE(dm->TblPrimaNota.active());
}

TEST_F(Avvio, SwitchingYearMovesLedgerCounterAndInvoiceNumbers)
{
    auto dm = avvia();
    dm->TblClienti.insert();
    dm->TblClienti["Codice"] = 1;
    dm->TblClienti["Denominazione"] = "Hotel Miramare";
    dm->TblClienti["Fattura"] = 15;
    dm->TblClienti.post();
    EXPECT_EQ(dm->TblClienti["FattNum"].asString(), "15/2019");

    ASSERT_TRUE(dm->CambiaAnno(2020));   // created after the question
    EXPECT_EQ(dm->TblClienti["FattNum"].asString(), "15/2020");
    EXPECT_EQ(dm->FileContatore(), dir.filePath("2020/fatture.dat"));

    ASSERT_TRUE(dm->CambiaAnno(2019));   // exists: no question
    EXPECT_EQ(prompts.shown().size(), 2);
    dm->TblPrimaNota.insert();
    dm->TblPrimaNota["Causale"] = "Fattura di vendita";
    dm->TblPrimaNota.post();
    EXPECT_EQ(dm->db.recordCount(TDataModule1::nomeLedger(2019)), 1);
    EXPECT_EQ(dm->db.recordCount(TDataModule1::nomeLedger(2020)), 0);

    prompts.answer(Answer::No);
    EXPECT_FALSE(dm->CambiaAnno(2021));
    EXPECT_EQ(dm->AnnoCorrente(), "2019");
    EXPECT_EQ(dm->FileContatore(), dir.filePath("2019/fatture.dat"));
    EXPECT_TRUE(dm->TblPrimaNota.active());
    EXPECT_EQ(dm->TblPrimaNota.recordCount(), 1);
    EXPECT_FALSE(QDir(dir.filePath("2021")).exists());
}

TEST_F(Avvio, OldCustomerTableGainsItsFiveColumns)
{
    sql({"INSERT INTO Clienti (Codice, Denominazione) VALUES (1, 'Hotel Miramare'), (2, 'Trattoria Da Gino')",
         "ALTER TABLE Clienti DROP COLUMN Scissione", "ALTER TABLE Clienti DROP COLUMN Causale",
         "ALTER TABLE Clienti DROP COLUMN PEC", "ALTER TABLE Clienti DROP COLUMN NATURA",
         "ALTER TABLE Clienti DROP COLUMN ScadenzaFattura"});
    auto dm = avvia();
    ASSERT_TRUE(dm->TblClienti.active());
    const QStringList cols = columns(*dm, "Clienti");
    for (const char* c : {"Scissione", "Causale", "PEC", "NATURA", "ScadenzaFattura"})
        EXPECT_TRUE(cols.contains(c)) << c;
    EXPECT_EQ(dm->db.readDef("Clienti").field("NATURA")->size, 5);
    QSqlQuery q = dm->db.exec("SELECT count(*) FROM Clienti WHERE ScadenzaFattura = 0");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
}

TEST_F(Avvio, NarrowContractNumbersAreWidenedKeepingThem)
{
    sql({"ALTER TABLE Clienti DROP COLUMN NumContratto", "ALTER TABLE Clienti ADD NumContratto varchar(10)",
         "INSERT INTO Clienti (Codice, Denominazione, NumContratto) VALUES (1, 'Hotel Miramare', '2019/00123')",
         "ALTER TABLE Fattman DROP COLUMN NATURA", "ALTER TABLE Fattman ADD NATURA varchar(3)",
         "INSERT INTO Fattman (Nome1, NATURA) VALUES ('Comune di Ostia', 'N4')"});
    auto dm = avvia();
    ASSERT_TRUE(dm->TblClienti.active());
    ASSERT_TRUE(dm->TblFatturaMan.active());
    EXPECT_EQ(dm->db.readDef("Clienti").field("NumContratto")->size, 20);
    EXPECT_EQ(columns(*dm, "Clienti").last(), "NumContratto");   // moved to the end
    EXPECT_EQ(dm->TblClienti["NumContratto"].asString(), "2019/00123");
    EXPECT_EQ(dm->TblFatturaMan["NATURA"].asString(), "N4");
    EXPECT_FALSE(columns(*dm, "Clienti").contains("temp", Qt::CaseInsensitive));
}

TEST_F(Avvio, OldParametersAndManualInvoicesGainTheirColumns)
{
    sql({"ALTER TABLE Parametri DROP COLUMN SoloPA", "ALTER TABLE Parametri DROP COLUMN FEPath",
         "ALTER TABLE Parametri DROP COLUMN Browser", "ALTER TABLE Parametri DROP COLUMN FE_TipoDocFatt",
         "ALTER TABLE Parametri DROP COLUMN FE_TipoDocNota", "UPDATE Parametri SET FE_CedNome = 'Lavanderia'",
         "ALTER TABLE Fattman DROP COLUMN Millesimi",
         "INSERT INTO Fattman (Nome1) VALUES ('Comune di Ostia'), ('ASL Roma 3')"});
    auto dm = avvia();
    ASSERT_TRUE(dm->TblParametri.active());
    EXPECT_TRUE(dm->TblParametri["SoloPA"].asBoolean());
    EXPECT_TRUE(dm->TblParametri.findField("FEPath"));
    EXPECT_TRUE(dm->TblParametri.findField("Browser"));
    EXPECT_EQ(dm->TblParametri["FE_TipoDocFatt"].asString(), "TD24");
    EXPECT_EQ(dm->TblParametri["FE_TipoDocNota"].asString(), "TD04");
    EXPECT_EQ(dm->TblParametri["FE_CedNome"].asString(), "Lavanderia");
    QSqlQuery q = dm->db.exec("SELECT count(*) FROM Fattman WHERE Millesimi = 0");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);
}

class Aggiornamento : public Avvio
{
protected:
    void SetUp() override
    {
        Avvio::SetUp();
        sql({"INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori) VALUES "
             "(1, 'Lenzuola', 'Matrimon.', 120, 30), (2, 'Federe', 'Cotone', 300, 0)"});
    }
    // Places an update table Servizi with the fields given.
    void update(const TableDef& def)
    {
        Database db("AggiornamentoSetup");
        db.open(dir.filePath("archivi"));
        QDir(dir.path()).mkpath("update");
        db.createTable("../update/Servizi.db", def);
    }
};

TEST_F(Aggiornamento, UpdateFolderTableIsMergedKeepingEveryRecord)
{
    TableDef def = Tabelle::Servizi();
    def.fields.append({"CodiceEAN", FieldType::String, 13});
    def.fields[1].size = 80;
    update(def);
    auto dm = avvia();
    EXPECT_EQ(prompts.restructured, QStringList{"Servizi.db"});
    EXPECT_EQ(prompts.shown().size(), 1) << prompts.last().text.toStdString();   // the year question only
    EXPECT_TRUE(dm->TblServizi.active());
    EXPECT_FALSE(QFile::exists(dir.filePath("update/Servizi.db")));
    const TableDef merged = dm->db.readDef("Servizi");
    ASSERT_NE(merged.field("CodiceEAN"), nullptr);
    EXPECT_EQ(merged.field("Descrizione")->size, 80);
    EXPECT_NE(merged.index("IdxName"), nullptr);
    QSqlQuery q = dm->db.exec("SELECT Codice, Descrizione, Dentro, CodiceEAN FROM Servizi ORDER BY Codice");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toString(), "Lenzuola");
    EXPECT_EQ(q.value(2).toInt(), 120);
    EXPECT_TRUE(q.value(3).isNull());
    ASSERT_TRUE(q.next());
    EXPECT_FALSE(q.next());
}

TEST_F(Aggiornamento, UpdateLackingAFieldIsMovedAsideAndTheStartGoesOn)
{
    TableDef def = Tabelle::Servizi();
    def.fields.removeAt(def.fieldIndex("Motivo"));
    update(def);
    auto dm = avvia();
    ASSERT_FALSE(prompts.shown().isEmpty());
    EXPECT_EQ(prompts.last().type, MsgType::Error);
    EXPECT_TRUE(prompts.last().text.contains("Servizi.db")) << prompts.last().text.toStdString();
    EXPECT_TRUE(prompts.last().text.contains("Motivo")) << prompts.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("update/Servizi.db")));
    EXPECT_TRUE(QFile::exists(dir.filePath("update/scartati/Servizi.db")));
    EXPECT_TRUE(dm->db.readDef("Servizi").field("Motivo"));
    EXPECT_EQ(dm->db.recordCount("Servizi"), 2);
    EXPECT_TRUE(dm->TblServizi.active());
    EXPECT_TRUE(dm->TblParametri.active());
}

TEST_F(Aggiornamento, FilesThatAreNoUpdateAreMovedAsideNamedAndTheTablesStillOpen)
{
    QDir(dir.path()).mkpath("update");
    QFile f(dir.filePath("update/Servizi.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'x'));
    f.close();
    {
        // A database without the table of its name, as a merge of an older version left it.
        Database vuoto("AggiornamentoVuoto");
        vuoto.open(dir.filePath("update"), true, "Agenti.db");
        vuoto.exec("CREATE TABLE Altro (x integer)");
    }
    auto dm = avvia();
    QStringList errori;
    for (const Prompt& p : prompts.shown())
        if (p.type == MsgType::Error)
            errori << p.text;
    ASSERT_EQ(errori.size(), 2) << errori.join('\n').toStdString();
    EXPECT_TRUE(errori[0].contains("Agenti.db") && errori[0].contains("non contiene la tabella Agenti")) << errori[0].toStdString();
    EXPECT_TRUE(errori[1].contains("Servizi.db") && errori[1].contains("scartati")) << errori[1].toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath("update/scartati/Servizi.db")).size(), 2048);
    EXPECT_TRUE(QFile::exists(dir.filePath("update/scartati/Agenti.db")));
    EXPECT_TRUE(QDir(dir.filePath("update")).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(dm->db.recordCount("Servizi"), 2);
    for (Table* t : {&dm->TblAgenti, &dm->TblClienti, &dm->TblServizi, &dm->TblParametri})
        EXPECT_TRUE(t->active()) << t->objectName().toStdString();
}

TEST_F(Aggiornamento, AnUpperCaseExtensionIsTheSameTable)
{
    TableDef def = Tabelle::Servizi();
    def.fields.append({"CodiceEAN", FieldType::String, 13});
    update(def);
    ASSERT_TRUE(QFile::rename(dir.filePath("update/Servizi.db"), dir.filePath("update/Servizi.DB")));
    auto dm = avvia();
    EXPECT_EQ(prompts.restructured, QStringList{"Servizi.DB"});
    EXPECT_EQ(prompts.shown().size(), 1) << prompts.last().text.toStdString();   // the year question only
    EXPECT_NE(dm->db.readDef("Servizi").field("CodiceEAN"), nullptr);
    EXPECT_EQ(dm->db.recordCount("Servizi"), 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("update/Servizi.DB")));
    EXPECT_TRUE(dm->TblServizi.active());
}

TEST_F(Aggiornamento, AnUpdateAlreadyMergedIsOnlyRemoved)
{
    TableDef def = Tabelle::Servizi();
    def.fields.append({"CodiceEAN", FieldType::String, 13});
    update(def);
    ASSERT_TRUE(QFile::copy(dir.filePath("update/Servizi.db"), dir.filePath("Servizi.copia")));
    avvia().reset();
    // As if the program had stopped after the merge and before removing the file.
    ASSERT_TRUE(QFile::copy(dir.filePath("Servizi.copia"), dir.filePath("update/Servizi.db")));
    prompts.clear();
    auto dm = avvia();
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("update/Servizi.db")));
    EXPECT_EQ(dm->db.recordCount("Servizi"), 2);
    EXPECT_TRUE(dm->TblServizi.active());
}

TEST_F(Avvio, AnArchiveThatIsNotADatabaseIsNamed)
{
    QFile::remove(dir.filePath("archivi/DBLav.db"));
    QFile f(dir.filePath("archivi/DBLav.db"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'x'));
    f.close();
    TDataModule1 dm(prompts, dir.path());
    try {
        dm.Avvia();
        FAIL() << "started on a damaged archive";
    } catch (const LavError& e) {
        EXPECT_TRUE(e.message().contains("DBLav.db")) << e.message().toStdString();
    }
    EXPECT_EQ(QFileInfo(dir.filePath("archivi/DBLav.db")).size(), 2048);
}

} // namespace
