#include "ArchivioDiProva.h"
#include "DbEdit.h"
#include "TFrmParametri.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The parameters screen of 2024, whose counter file says 41 invoices were issued.
class SchermataParametri : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dm.contatore().ImpostaUltimoNumero(41);
        dm.db.exec("UPDATE Parametri SET REA_SocioUnico = NULL, REA_StatoLiq = 'LN', FE_CedNome = 'LAVANDERIA'");
        dm.TblParametri.refresh();
        w = std::make_unique<TFrmParametri>(dm, nullptr);
        mostra();
    }

    void mostra()
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QVariant leggi(const QString& campo)
    {
        QSqlQuery q = dm.db.exec("SELECT " + campo + " FROM Parametri");
        return q.next() ? q.value(0) : QVariant();
    }
    // The number the next invoice would take, without taking it.
    int prossimaFattura() { return dm.contatore().ProssimoNumeroFattura(false); }
    void scrivi(DbEdit* e, const QString& testo)
    {
        e->selectAll();
        QTest::keyClicks(e, testo);
    }

    ArchivioDiProva a{2024, ArchivioDiProva::Avviato};
    TDataModule1& dm = *a.dm;
    std::unique_ptr<TFrmParametri> w;
};

} // namespace

TEST_F(SchermataParametri, AnEmptySocioIsRefusedButTheInvoiceNumberIsWritten)
{
    EXPECT_EQ(w->speUltimoNumero->value(), 41);
    EXPECT_TRUE(w->speUltimoNumero->hasFocus());
    w->speUltimoNumero->setValue(50);
    scrivi(w->edtCedNome, "Mr. Zanfo Srl");
    w->btnSalva->click();
    EXPECT_EQ(a.prompts.last(), Prompt::error("Il campo Socio può essere \"SU\" oppure \"SM\"."));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->edtSocio->hasFocus());
    EXPECT_EQ(prossimaFattura(), 51);
    EXPECT_EQ(leggi("FE_CedNome").toString(), "LAVANDERIA");
}

TEST_F(SchermataParametri, TypedLettersAreStoredInUpperCaseAndStatoIsChecked)
{
    scrivi(w->edtSocio, "su");
    scrivi(w->edtStato, "LX");
    w->btnSalva->click();
    EXPECT_EQ(a.prompts.last(), Prompt::error("Il campo Stato può essere \"LS\" oppure \"LN\"."));
    EXPECT_TRUE(w->edtStato->hasFocus());
    EXPECT_TRUE(leggi("REA_SocioUnico").isNull());

    a.prompts.clear();
    scrivi(w->edtStato, "ls");
    scrivi(w->edtCedNome, "Mr. Zanfo srl");
    scrivi(w->edtPIva, "it01234567890");
    scrivi(w->edtReaCapSoc, "10000");
    scrivi(w->edtTipoDocFatt, "td01");
    w->btnSalva->click();
    EXPECT_TRUE(a.prompts.shown().isEmpty());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(leggi("REA_SocioUnico").toString(), "SU");
    EXPECT_EQ(leggi("REA_StatoLiq").toString(), "LS");
    EXPECT_EQ(leggi("FE_CedNome").toString(), "MR. ZANFO SRL");
    EXPECT_EQ(leggi("FE_PIva").toString(), "IT01234567890");
    EXPECT_EQ(leggi("REA_CapSoc").toDouble(), 10000);
    EXPECT_EQ(leggi("FE_TipoDocFatt").toString(), "TD01");
}

TEST_F(SchermataParametri, ClosingGivesUpWhatWasNotSaved)
{
    scrivi(w->edtCedNome, "ALTRO NOME");
    w->speUltimoNumero->setValue(7);
    w->btnChiudi->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(dm.TblParametri.state(), DatasetState::Browse);
    EXPECT_EQ(leggi("FE_CedNome").toString(), "LAVANDERIA");
    EXPECT_EQ(prossimaFattura(), 42);

    // Shown again, the screen reads the record and the counter as they are.
    mostra();
    EXPECT_EQ(w->edtCedNome->text(), "LAVANDERIA");
    EXPECT_EQ(w->speUltimoNumero->value(), 41);
}

TEST_F(SchermataParametri, ANewYearStartsFromInvoiceZero)
{
    w->close();
    dm.mostraParametri = [this] { mostra(); };
    dm.CreaAnnoSuccessivo();
    EXPECT_EQ(dm.annoEsercizio(), 2025);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->speUltimoNumero->value(), 0);

    scrivi(w->edtSocio, "SU");
    w->btnSalva->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(prossimaFattura(), 1);
}

TEST(Parametri, UpperCaseFieldsShowTheStoredTextInUpperCaseAndEscapeCloses)
{
    ArchivioDiProva a{2024, ArchivioDiProva::Avviato};
    a.dm->db.exec("UPDATE Parametri SET FE_CedComune = 'Rende', REA_Ufficio = 'cs'");
    a.dm->TblParametri.refresh();
    TFrmParametri w(*a.dm, nullptr);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(w.edtCedComune->text(), "RENDE");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(SchermataParametri, AStoredNumberOutOfRangeShowsAsItIsAndIsNotSavedBack)
{
    w->close();
    for (int guasto : {-1, 30000}) {
        dm.contatore().ImpostaUltimoNumero(guasto);
        mostra();
        EXPECT_EQ(w->speUltimoNumero->value(), guasto);
        scrivi(w->edtSocio, "SU");
        w->btnSalva->click();
        EXPECT_EQ(a.prompts.last(), Prompt::error("L'ultimo numero fattura deve essere compreso tra 0 e 9999."));
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(prossimaFattura(), qint16(guasto + 1));
        w->close();
    }
}

TEST_F(SchermataParametri, AnUnreadableCounterIsNamedAndNeverOverwritten)
{
    w->close();
    const QString file = dm.FileContatore();
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray("\x96\x00\x02", 3));   // 150, cut short
    }
    a.prompts.clear();
    mostra();
    ASSERT_FALSE(a.prompts.shown().isEmpty());
    EXPECT_TRUE(a.prompts.last().text.contains(QDir::toNativeSeparators(file))) << a.prompts.last().text.toStdString();
    EXPECT_FALSE(w->speUltimoNumero->isEnabled());

    scrivi(w->edtSocio, "SU");
    w->btnSalva->click();
    EXPECT_FALSE(w->isVisible());                      // the rest of the parameters is saved
    EXPECT_EQ(leggi("REA_SocioUnico").toString(), "SU");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x96\x00\x02", 3));
}

TEST_F(SchermataParametri, InvoicesPrintedWhileTheScreenIsOpenAreNotNumberedAgain)
{
    w->speUltimoNumero->setValue(123);
    dm.contatore().ImpostaUltimoNumero(150);            // another window printed up to 150
    scrivi(w->edtSocio, "SU");
    w->btnSalva->click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(a.prompts.last().text.contains("ora è 150")) << a.prompts.last().text.toStdString();
    EXPECT_EQ(w->speUltimoNumero->value(), 150);
    EXPECT_EQ(prossimaFattura(), 151);
    w->btnSalva->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(prossimaFattura(), 151);
}
