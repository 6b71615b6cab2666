#include "ArchivioDemo.h"
#include "DbCheckBox.h"
#include "DbComboBox.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbLookupComboBox.h"
#include "DbMemo.h"
#include "DbRadioGroup.h"
#include "DbSpinEdit.h"
#include "DbText.h"
#include "FocusColour.h"
#include <QRadioButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Single-record controls on the demo archive's tables, in one window.
class Controlli : public ::testing::Test
{
protected:
    template <class C, class... Args>
    C& aggiungi(Args&&... args)
    {
        auto* c = new C(std::forward<Args>(args)...);
        layout->addWidget(c);
        return *c;
    }
    void scegli(QComboBox& box, const QString& voce)
    {
        const int i = box.findText(voce);
        ASSERT_GE(i, 0) << voce.toStdString();
        box.setCurrentIndex(i);
        Q_EMIT box.activated(i);
    }

    ArchivioDemo a;
    TDataModule1& dm = *a.dm;
    QWidget finestra;
    QVBoxLayout* layout = new QVBoxLayout(&finestra);
};

} // namespace

TEST_F(Controlli, TypingStartsAnEditOnlyWhenAutoEditAllowsAndEnterWrites)
{
    Table& agenti = dm.TblAgenti;
    auto& nominativo = aggiungi<DbEdit>(&dm.DSAgenti, "Nominativo", a.prompts);
    const QString primo = agenti["Nominativo"].asString();
    EXPECT_EQ(nominativo.text(), primo);

    dm.DSAgenti.autoEdit = false;
    QTest::keyClicks(&nominativo, "X");
    EXPECT_EQ(nominativo.text(), primo);
    EXPECT_EQ(agenti.state(), DatasetState::Browse);

    dm.DSAgenti.autoEdit = true;
    QTest::keyClick(&nominativo, Qt::Key_End);
    QTest::keyClicks(&nominativo, " Jr");
    EXPECT_EQ(agenti.state(), DatasetState::Edit);
    EXPECT_EQ(agenti["Nominativo"].asString(), primo);      // not yet written
    QTest::keyClick(&nominativo, Qt::Key_Escape);
    EXPECT_EQ(nominativo.text(), primo);

    QTest::keyClick(&nominativo, Qt::Key_End);
    QTest::keyClicks(&nominativo, " Jr");
    QTest::keyClick(&nominativo, Qt::Key_Return);
    EXPECT_EQ(agenti["Nominativo"].asString(), primo + " Jr");
    agenti.post();

    agenti.next();
    EXPECT_EQ(nominativo.text(), agenti["Nominativo"].asString());
}

TEST_F(Controlli, UpperCaseAndTheFieldsWidth)
{
    auto& codiceFE = aggiungi<DbEdit>(&dm.DSClienti, "Codice_FE", a.prompts);
    codiceFE.setUpperCase(true);
    codiceFE.clear();
    QTest::keyClick(&codiceFE, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&codiceFE, "abc1234xyz");
    EXPECT_EQ(codiceFE.text(), "ABC1234");
    QTest::keyClick(&codiceFE, Qt::Key_Return);
    EXPECT_EQ(dm.TblClienti["Codice_FE"].asString(), "ABC1234");
}

TEST_F(Controlli, DateEditBlankMaskEmptiesTheFieldAndAWrongDateIsRefused)
{
    Table& clienti = dm.TblClienti;
    clienti.edit();
    clienti["Data contratto"] = QDate(2021, 3, 5);
    auto& data = aggiungi<DbDateEdit>(&dm.DSClienti, "Data contratto", a.prompts);
    EXPECT_EQ(data.text(), "05/03/2021");

    data.selectAll();
    QTest::keyClick(&data, Qt::Key_Delete);
    EXPECT_EQ(data.displayText(), "  /  /    ");
    QTest::keyClick(&data, Qt::Key_Return);
    EXPECT_TRUE(clienti["Data contratto"].isNull());
    EXPECT_TRUE(a.prompts.shown().isEmpty());

    data.home(false);
    QTest::keyClicks(&data, "31022024");
    QTest::keyClick(&data, Qt::Key_Return);
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_TRUE(a.prompts.last().text.contains("non è una data valida")) << a.prompts.last().text.toStdString();
    EXPECT_TRUE(clienti["Data contratto"].isNull());
    EXPECT_EQ(data.displayText(), "  /  /    ");

    data.home(false);
    QTest::keyClicks(&data, "15032024");
    QTest::keyClick(&data, Qt::Key_Return);
    EXPECT_EQ(clienti["Data contratto"].asDate(), QDate(2024, 3, 15));
    clienti.post();
    EXPECT_EQ(a.leggi(QString("SELECT \"Data contratto\" FROM Clienti WHERE Codice = %1").arg(clienti["Codice"].asFloat())),
              "2024-03-15");
}

TEST_F(Controlli, CheckBoxesWithThreeStatesAndWithTextValues)
{
    Table& interventi = dm.TblInterventi;
    ASSERT_FALSE(interventi.isEmpty());
    interventi.edit();
    interventi["Lunedi"] = false;
    interventi.post();
    auto& lunedi = aggiungi<DbCheckBox>("L", &dm.DSInterventi, "Lunedi", a.prompts);
    lunedi.setTristate();
    EXPECT_EQ(lunedi.checkState(), Qt::Unchecked);

    lunedi.click();
    EXPECT_EQ(lunedi.checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(interventi["Lunedi"].isNull());       // grey: a mandatory day
    lunedi.click();
    EXPECT_TRUE(interventi["Lunedi"].asBoolean());
    lunedi.click();
    lunedi.click();
    interventi.post();
    EXPECT_TRUE(a.leggi(QString("SELECT Lunedi IS NULL FROM Interventi WHERE Codice = %1").arg(interventi["Codice"].asInteger())).toBool());
    interventi.next();
    interventi.prior();
    EXPECT_EQ(lunedi.checkState(), Qt::PartiallyChecked);

    // "Forza stampa fattura": a number shown and written as "True"/"False" by the field's hooks.
    auto& forza = aggiungi<DbCheckBox>("Forza stampa fattura", &dm.DSClienti, "Mese_Fatt", a.prompts);
    forza.setValues("True", "False");
    dm.DSClienti.autoEdit = false;
    const Qt::CheckState prima = forza.checkState();
    forza.click();
    EXPECT_EQ(forza.checkState(), prima);
    EXPECT_EQ(dm.TblClienti.state(), DatasetState::Browse);

    dm.DSClienti.autoEdit = true;
    dm.TblClienti.edit();
    dm.TblClienti["Mese_Fatt"] = 0;
    forza.click();
    EXPECT_EQ(dm.TblClienti["Mese_Fatt"].asInteger(), 1);
    forza.click();
    EXPECT_EQ(dm.TblClienti["Mese_Fatt"].asInteger(), 0);
    EXPECT_EQ(forza.checkState(), Qt::Unchecked);
}

TEST_F(Controlli, DropDownsAndRadioGroupsWriteTextKeyOrIndex)
{
    Table& clienti = dm.TblClienti;
    auto& natura = aggiungi<DbComboBox>(&dm.DSClienti, "NATURA", a.prompts);
    natura.setItems({"", "N1", "N2", "N2.1", "N2.2"});
    scegli(natura, "N2.1");
    EXPECT_EQ(clienti.state(), DatasetState::Edit);
    EXPECT_EQ(clienti["NATURA"].asString(), "N2.1");
    scegli(natura, "");
    EXPECT_TRUE(clienti["NATURA"].isNull());
    EXPECT_EQ(natura.currentText(), "");

    auto& pagamento = aggiungi<DbLookupComboBox>(&dm.DSClienti, "Pagamento", &dm.DSModPag, "Codice", "Descrizione",
                                                 a.prompts);
    EXPECT_EQ(pagamento.count(), dm.TblModPag.recordCount());
    dm.TblModPag.last();
    scegli(pagamento, dm.TblModPag["Descrizione"].asString());
    EXPECT_EQ(clienti["Pagamento"].asInteger(), dm.TblModPag["Codice"].asInteger());

    auto& condizioni = aggiungi<DbRadioGroup>("Condi&zioni di pagamento", &dm.DSClienti, "Condizioni", a.prompts);
    condizioni.setItems({"Mensile", "Bimestrale", "Trimestrale", "Quadrimestrale", "Semestrale", "Annuale", "5 mesi"}, 2);
    auto& scadenza = aggiungi<DbRadioGroup>("Data scadenza fattura", &dm.DSClienti, "ScadenzaFattura", a.prompts);
    scadenza.setItems({"A 30 gg", "Data fattura"});
    scadenza.storeIndex();
    condizioni.button(2)->click();
    scadenza.button(1)->click();
    EXPECT_EQ(clienti["Condizioni"].asString(), "Trimestrale");
    EXPECT_EQ(clienti["ScadenzaFattura"].asInteger(), 1);
    EXPECT_EQ(condizioni.itemIndex(), 2);
    clienti.post();

    // A record with no terms shows no item checked, and the lists show its own values.
    clienti.next();
    clienti.edit();
    clienti["Condizioni"].clear();
    EXPECT_EQ(condizioni.itemIndex(), -1);
    EXPECT_EQ(pagamento.currentData().toInt(), clienti["Pagamento"].isNull() ? 0 : clienti["Pagamento"].asInteger());
    clienti.prior();
    EXPECT_EQ(condizioni.itemIndex(), 2);
    EXPECT_EQ(scadenza.itemIndex(), 1);
    EXPECT_EQ(natura.currentIndex(), 0);
    EXPECT_EQ(pagamento.currentText(), dm.TblModPag["Descrizione"].asString());
}

TEST_F(Controlli, AmountsShowTheirDisplayFormUntilTheBoxHasTheFocus)
{
    Table& clienti = dm.TblClienti;
    clienti.edit();
    clienti["Imponibile"] = 1234.5;
    auto& imponibile = aggiungi<DbEdit>(&dm.DSClienti, "Imponibile", a.prompts);
    auto& totale = aggiungi<DbText>(&dm.DSClienti, "Imponibile", a.prompts);
    auto& mastro = aggiungi<DbEdit>(&dm.DSClienti, "Mastro", a.prompts);
    mastro.setDisplayMask("# '/'");
    ASSERT_TRUE(mostraAttiva(finestra));
    mastro.setFocus();
    EXPECT_EQ(imponibile.text(), "€ 1.234,50");
    EXPECT_EQ(totale.text(), "€ 1.234,50");

    imponibile.setFocus();
    EXPECT_EQ(imponibile.text(), "1234,5");
    imponibile.selectAll();
    QTest::keyClicks(&imponibile, "99,9");
    clienti["Mastro"] = 7;
    mastro.setFocus();
    EXPECT_EQ(clienti["Imponibile"].asFloat(), 99.9);
    EXPECT_EQ(imponibile.text(), "€ 99,90");
    EXPECT_EQ(mastro.text(), "7");
    imponibile.setFocus();
    EXPECT_EQ(mastro.text(), "7 /");
}

TEST_F(Controlli, MemoWritesOnLeavingAndFreeTextTurnsAquaWhileFocused)
{
    Table& clienti = dm.TblClienti;
    auto& note = aggiungi<DbMemo>(&dm.DSClienti, "Note", a.prompts);
    FocusColour::install(&note);
    auto& comune = aggiungi<DbEdit>(&dm.DSClienti, "Comune", a.prompts);
    auto& codice = aggiungi<DbText>(&dm.DSClienti, "Codice", a.prompts);
    auto& settimana = aggiungi<DbSpinEdit>(&dm.DSInterventi, "Settimana", a.prompts);
    const QColor base = note.palette().color(QPalette::Base);
    ASSERT_TRUE(mostraAttiva(finestra));
    EXPECT_EQ(codice.text(), clienti["Codice"].asString());

    note.setFocus();
    EXPECT_EQ(note.palette().color(QPalette::Base), FocusColour::aqua);
    EXPECT_TRUE(note.font().bold());
    QTest::keyClicks(&note, "Consegna al mattino");
    QTest::keyClicks(&note, QString(300, 'x'));
    EXPECT_EQ(note.toPlainText().size(), 255);
    EXPECT_TRUE(clienti["Note"].isNull() || clienti["Note"].asString() != note.toPlainText());

    comune.setFocus();
    EXPECT_EQ(note.palette().color(QPalette::Base), base);
    EXPECT_FALSE(note.font().bold());
    EXPECT_EQ(clienti["Note"].asString(), note.toPlainText());
    EXPECT_TRUE(clienti["Note"].asString().startsWith("Consegna al mattino"));

    const qint64 prima = dm.TblInterventi["Settimana"].asInteger();
    settimana.stepBy(1);
    EXPECT_EQ(dm.TblInterventi.state(), DatasetState::Edit);
    EXPECT_EQ(dm.TblInterventi["Settimana"].asInteger(), prima + 1);
}
