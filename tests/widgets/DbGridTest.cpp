#include "ArchivioDemo.h"
#include "DbGrid.h"
#include "DbGridModel.h"
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class Griglia : public ::testing::Test
{
protected:
    QModelIndex cella(int riga, int colonna) { return griglia->model()->index(riga, colonna); }
    QString testo(int riga, int colonna) { return cella(riga, colonna).data().toString(); }
    int rigaCorrente() { return griglia->currentIndex().row(); }
    void clicca(int riga, int colonna, Qt::KeyboardModifiers tasti = {})
    {
        QTest::mouseClick(griglia->viewport(), Qt::LeftButton, tasti, griglia->visualRect(cella(riga, colonna)).center());
    }
    void vaiA(int riga, int colonna) { griglia->setCurrentIndex(cella(riga, colonna)); }
    // Opens the editor of the current cell with F2.
    template <class Editor>
    Editor* apriEditor()
    {
        QTest::keyClick(griglia.get(), Qt::Key_F2);
        return qobject_cast<Editor*>(griglia->cellEditor());
    }
    void scrivi(const QString& t)
    {
        auto* editor = apriEditor<QLineEdit>();
        ASSERT_TRUE(editor);
        editor->selectAll();
        QTest::keyClicks(editor, t);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();      // the delegate writes and closes after the key
    }
    void mostra(DataSource& ds, const QList<DbGridColumn>& colonne)
    {
        griglia = std::make_unique<DbGrid>(&ds, a.prompts);
        griglia->setColumns(colonne);
        griglia->resize(600, 300);
        ASSERT_TRUE(mostraAttiva(*griglia));
    }

    ArchivioDemo a;
    TDataModule1& dm = *a.dm;
    std::unique_ptr<DbGrid> griglia;
};

// The agents in a grid as the agents screen would show them.
class GrigliaAgenti : public Griglia
{
protected:
    void SetUp() override
    {
        mostra(dm.DSAgenti, {{.field = "Codice", .width = 50, .readOnly = true},
                             {.field = "Nominativo", .width = 200},
                             {.field = "Percentuale"},
                             {.field = "Provvigione"}});
        for (int r = 0; r < agenti.recordCount(); ++r)
            nomi << agenti.valueAt(r, "Nominativo").toString();
    }

    Table& agenti = dm.TblAgenti;
    QStringList nomi;    // in the grid's order
};

} // namespace

TEST_F(GrigliaAgenti, GridAndDatasetStayOnTheSameRecordBothWays)
{
    ASSERT_EQ(griglia->model()->rowCount(), 5);
    EXPECT_EQ(rigaCorrente(), 0);

    QTest::keyClick(griglia.get(), Qt::Key_Down);
    EXPECT_EQ(agenti.currentRow(), 1);
    QTest::keyClick(griglia.get(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(agenti.currentRow(), 4);

    agenti.first();
    EXPECT_EQ(rigaCorrente(), 0);
    agenti.setRecNo(4);
    EXPECT_EQ(rigaCorrente(), 3);

    clicca(2, 1);
    EXPECT_EQ(agenti.currentRow(), 2);
    EXPECT_EQ(agenti["Nominativo"].asString(), nomi[2]);
    EXPECT_EQ(testo(2, 1), nomi[2]);
    agenti.edit();
    agenti["Provvigione"] = 1234.5;
    agenti["Percentuale"] = 12.5;
    EXPECT_EQ(testo(2, 3), "€ 1.234,50");
    EXPECT_EQ(testo(2, 2), "12,5");
    agenti.cancel();
    EXPECT_EQ(griglia->model()->headerData(2, Qt::Vertical).toString(), "\u25B6");
}

TEST_F(GrigliaAgenti, LeavingAnEditedRecordPostsItAndLandsOnTheChosenOne)
{
    // The first agent is renamed so that it sorts further down, then the user clicks the third.
    vaiA(0, 1);
    scrivi("Rossi Anna");
    EXPECT_EQ(agenti.state(), DatasetState::Edit);
    EXPECT_EQ(griglia->model()->headerData(0, Qt::Vertical).toString(), "I");

    clicca(2, 1);
    EXPECT_EQ(agenti.state(), DatasetState::Browse);
    EXPECT_EQ(agenti["Nominativo"].asString(), nomi[2]);
    EXPECT_EQ(rigaCorrente(), agenti.currentRow());
    EXPECT_EQ(a.leggi("SELECT COUNT(*) FROM Agenti WHERE Nominativo = 'Rossi Anna'").toInt(), 1);
    QStringList ora;
    for (int r = 0; r < 5; ++r)
        ora << testo(r, 1);
    QStringList attesi = nomi.mid(1) << "Rossi Anna";
    attesi.sort(Qt::CaseInsensitive);
    EXPECT_EQ(ora, attesi);
}

TEST_F(GrigliaAgenti, ARefusedPostKeepsGridAndDatasetOnTheEditedRecord)
{
    agenti.beforePost += [this](Dataset&) {
        a.prompts.warning("Percentuale da controllare.");
        throw Abort{};
    };
    vaiA(1, 1);
    scrivi("Rossi Anna");
    clicca(3, 1);
    EXPECT_EQ(agenti.state(), DatasetState::Edit);
    EXPECT_EQ(agenti.currentRow(), 1);
    EXPECT_EQ(rigaCorrente(), 1);
    EXPECT_EQ(testo(1, 1), "Rossi Anna");

    // Cancelled elsewhere while a cell is being typed: the typing goes with the changes.
    QTest::keyClick(griglia.get(), Qt::Key_F2);
    ASSERT_TRUE(griglia->cellEditor());
    QTest::keyClicks(griglia->cellEditor(), "xyz");
    agenti.cancel();
    EXPECT_FALSE(griglia->cellEditor());
    EXPECT_EQ(agenti.state(), DatasetState::Browse);
    EXPECT_EQ(testo(1, 1), nomi[1]);
}

TEST_F(GrigliaAgenti, TheRecordBeingInsertedShowsAsAnExtraRowAtItsPlace)
{
    // The numbering rule starts every insert from the first record.
    agenti.setRecNo(3);
    QTest::keyClick(griglia.get(), Qt::Key_Insert);
    ASSERT_EQ(agenti.state(), DatasetState::Insert);
    EXPECT_EQ(griglia->model()->rowCount(), 6);
    EXPECT_EQ(rigaCorrente(), 0);
    EXPECT_EQ(testo(0, 0), "6");
    EXPECT_EQ(testo(0, 1), "");
    EXPECT_EQ(testo(1, 1), nomi[0]);
    EXPECT_EQ(griglia->model()->headerData(0, Qt::Vertical).toString(), "*");

    QTest::keyClick(griglia.get(), Qt::Key_Escape);
    EXPECT_EQ(agenti.state(), DatasetState::Browse);
    EXPECT_EQ(griglia->model()->rowCount(), 5);
    EXPECT_EQ(testo(0, 1), nomi[0]);

    agenti.setRecNo(3);
    QTest::keyClick(griglia.get(), Qt::Key_Insert);
    vaiA(0, 1);
    scrivi("Zanetti Luca");
    EXPECT_EQ(testo(0, 1), "Zanetti Luca");
    EXPECT_EQ(testo(2, 1), nomi[1]);
    QTest::keyClick(griglia.get(), Qt::Key_Down);     // posts it, then moves on to the record below it
    EXPECT_EQ(agenti.state(), DatasetState::Browse);
    EXPECT_EQ(griglia->model()->rowCount(), 6);
    EXPECT_EQ(testo(5, 1), "Zanetti Luca");
    EXPECT_EQ(agenti["Nominativo"].asString(), nomi[0]);
    EXPECT_EQ(rigaCorrente(), agenti.currentRow());
    EXPECT_EQ(a.leggi("SELECT Codice FROM Agenti WHERE Nominativo = 'Zanetti Luca'").toInt(), 6);
}

TEST_F(GrigliaAgenti, WithoutAutoEditTypingStartsNoEdit)
{
    dm.DSAgenti.autoEdit = false;
    vaiA(0, 1);
    QTest::keyClick(griglia.get(), nomi[3].at(0).toLatin1());
    EXPECT_FALSE(griglia->cellEditor());
    EXPECT_EQ(agenti.currentRow(), 0);             // nor a jump to a name with that letter
    EXPECT_FALSE(apriEditor<QLineEdit>());
    EXPECT_EQ(agenti.state(), DatasetState::Browse);

    agenti.edit();
    scrivi("Bruno Sara");
    EXPECT_EQ(agenti["Nominativo"].asString(), "Bruno Sara");
    vaiA(0, 0);
    EXPECT_FALSE(apriEditor<QLineEdit>());        // a read-only column
    agenti.cancel();
    EXPECT_EQ(testo(0, 1), nomi[0]);
}

TEST_F(GrigliaAgenti, CtrlDeleteAsksFirst)
{
    a.prompts.answer(Answer::Cancel);
    QTest::keyClick(griglia.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(a.prompts.last(), Prompt::confirmation("Eliminare il record?"));
    EXPECT_EQ(agenti.recordCount(), 5);

    QTest::keyClick(griglia.get(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(agenti.recordCount(), 4);
    EXPECT_EQ(griglia->model()->rowCount(), 4);
    EXPECT_EQ(testo(0, 1), nomi[1]);
    EXPECT_EQ(rigaCorrente(), agenti.currentRow());
}

TEST_F(GrigliaAgenti, SeveralRowsSelectedTitlesColoursAndEllipsis)
{
    griglia->setRowSelect(true);
    griglia->setMultiSelect(true);
    clicca(3, 1);
    clicca(1, 1, Qt::ControlModifier);
    EXPECT_EQ(griglia->selectedRecords(), QList<int>({1, 3}));
    EXPECT_EQ(agenti.currentRow(), 1);

    const QColor verdeAcqua(0, 128, 128), oliva(128, 128, 0);
    griglia->setCellColour([&](int record, int colonna) {
        if (colonna != 1)
            return QColor();
        return agenti.valueAt(record, "Percentuale").toDouble() >= 10 ? verdeAcqua : oliva;
    });
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(cella(r, 1).data(Qt::BackgroundRole).value<QColor>(),
                  agenti.valueAt(r, "Percentuale").toDouble() >= 10 ? verdeAcqua : oliva);
    EXPECT_FALSE(cella(0, 2).data(Qt::BackgroundRole).isValid());

    QSignalSpy titoli(griglia.get(), &DbGrid::titleClicked);
    const QHeaderView* testata = griglia->horizontalHeader();
    QTest::mouseClick(testata->viewport(), Qt::LeftButton, {},
                      QPoint(testata->sectionViewportPosition(2) + 5, testata->height() / 2));
    ASSERT_EQ(titoli.count(), 1);
    EXPECT_EQ(titoli[0][0].toInt(), 2);
    EXPECT_EQ(agenti.currentRow(), 1);

    DbGridColumn nominativo = griglia->column(1);
    nominativo.ellipsis = true;
    QList<DbGridColumn> colonne;
    for (int c = 0; c < griglia->columnCount(); ++c)
        colonne << (c == 1 ? nominativo : griglia->column(c));
    griglia->setColumns(colonne);
    QSignalSpy puntini(griglia.get(), &DbGrid::ellipsisClicked);
    vaiA(agenti.currentRow(), 1);
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->ellipsisRect(griglia->currentIndex()).center());
    QTest::keyClick(griglia.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(puntini.count(), 2);
    EXPECT_EQ(puntini[0][0].toInt(), 1);
    EXPECT_EQ(agenti.state(), DatasetState::Browse);
}

TEST_F(Griglia, ALookupColumnWritesTheKeyField)
{
    Table& giri = dm.TblIter;
    mostra(dm.DSIter, {{.field = "Codice", .readOnly = true},
                       {.field = "Descrizione", .pickList = {"Cosenza centro", "Tirreno sud"}},
                       {.field = "DescAgente", .title = "Agente"}});
    giri.first();
    const double agentePrima = giri["Agente"].asFloat();
    dm.TblAgenti.first();
    if (dm.TblAgenti["Codice"].asFloat() == agentePrima)
        dm.TblAgenti.next();
    const double scelto = dm.TblAgenti["Codice"].asFloat();
    const QString nome = dm.TblAgenti["Nominativo"].asString();

    vaiA(0, 2);
    auto* agenti = apriEditor<QComboBox>();
    ASSERT_TRUE(agenti);
    EXPECT_EQ(agenti->count(), dm.TblAgenti.recordCount());
    EXPECT_EQ(agenti->currentText(), testo(0, 2));
    const int voce = agenti->findText(nome);
    agenti->setCurrentIndex(voce);
    Q_EMIT agenti->activated(voce);

    EXPECT_EQ(giri.state(), DatasetState::Edit);
    EXPECT_EQ(giri["Agente"].asFloat(), scelto);
    EXPECT_EQ(testo(0, 2), nome);

    vaiA(0, 1);
    auto* descrizioni = apriEditor<QComboBox>();
    ASSERT_TRUE(descrizioni);
    descrizioni->setCurrentIndex(1);
    Q_EMIT descrizioni->activated(1);
    EXPECT_EQ(giri["Descrizione"].asString(), "Tirreno sud");

    giri.post();
    const QString dove = QString(" FROM Iter WHERE Codice = %1").arg(giri["Codice"].asInteger());
    EXPECT_EQ(a.leggi("SELECT Agente" + dove).toDouble(), scelto);
    EXPECT_EQ(a.leggi("SELECT Descrizione" + dove).toString(), "Tirreno sud");
}

TEST_F(Griglia, FiveThousandRowsAreReadOnlyWhereShown)
{
    dm.db.startTransaction();
    for (int i = 0; i < 5000; ++i)
        dm.db.exec("INSERT INTO Agenti (Codice, Nominativo, Percentuale) VALUES (?, ?, ?)",
                   QVariantList{100 + i, QString("Agente %1").arg(i, 4, 10, QChar('0')), i % 20});
    dm.db.commit();
    dm.TblAgenti.refresh();
    mostra(dm.DSAgenti, {{.field = "Codice"}, {.field = "Nominativo"}, {.field = "Percentuale"}});
    QSet<int> letti;
    griglia->setCellColour([&](int record, int) {
        letti.insert(record);
        return QColor();
    });
    griglia->grab();
    EXPECT_EQ(griglia->model()->rowCount(), 5005);
    EXPECT_GT(letti.size(), 5);
    EXPECT_LT(letti.size(), 60);

    letti.clear();
    QTest::keyClick(griglia.get(), Qt::Key_End, Qt::ControlModifier);
    griglia->grab();
    EXPECT_EQ(dm.TblAgenti.currentRow(), 5004);
    EXPECT_TRUE(letti.contains(5004));
    EXPECT_LT(letti.size(), 60);
}
