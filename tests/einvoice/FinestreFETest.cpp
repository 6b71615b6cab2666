#include "ArchivioFE.h"
#include "Clock.h"
#include "GruppoFE.h"
#include "TFrmValVisFE.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

// The group "Fatture Elettroniche" on a screen of its own, driven as the user would.
class GruppoFEFinestra : public ::testing::Test
{
protected:
    GruppoFEFinestra()
    {
        fissaOggi(QDate(2024, 7, 1));
        grp = new GruppoFE(*a.dm, SessioneFE::Schermata::Fatture, &schermo);
        grp->genera = [this] { return grp->sessione.GeneraFatture("2024"); };
        grp->apriValidazione = [this](const QString& p) { validato = p; };
        schermo.show();
        grp->Mostra();
    }
    ArchivioFE a;
    QWidget schermo;
    GruppoFE* grp = nullptr;
    QString validato = "<mai>";
};

TEST_F(GruppoFEFinestra, ShowsTheLastSendingAndGeneratesExportsAndValidates)
{
    EXPECT_EQ(grp->title(), "Fatture Elettroniche");
    EXPECT_EQ(grp->MaskEdit1->text(), "01/07/2024");
    EXPECT_TRUE(grp->leFileName->text().isEmpty());
    EXPECT_TRUE(grp->leFileName->isReadOnly());

    // "Salva..." before "Genera".
    QTest::mouseClick(grp->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::error("Bisogna prima generare la fattura elettronica."));

    a.cliente({}, {{"Lenzuola", 2.5, 10}});
    QTest::mouseClick(grp->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(grp->leFileName->text(), "IT01234567890_00042.xml");
    QTest::mouseClick(grp->bbValVis, Qt::LeftButton);
    EXPECT_EQ(validato, a.percorso("IT01234567890_00042.xml"));

    QTemporaryDir uscita;
    a.prompts.answerFile(uscita.filePath("qualsiasi.xml"));
    grp->MaskEdit1->setText("02/07/2024");
    QTest::mouseClick(grp->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(uscita.filePath("IT01234567890_00042.xml")));
    EXPECT_EQ(a.leggi("SELECT FE_Progr FROM Parametri").toInt(), 42);
    EXPECT_EQ(a.leggi("SELECT FE_Data FROM Parametri").toString(), "2024-07-02");
    // "Valida" now hands the exported copy.
    QTest::mouseClick(grp->bbValVis, Qt::LeftButton);
    EXPECT_EQ(validato, uscita.filePath("IT01234567890_00042.xml"));
}

TEST_F(GruppoFEFinestra, GeneratingTellsWhichFilesWouldBeRefused)
{
    a.cliente({.codice = 1, .nome = "Privato senza codici", .piva = "", .cf = ""}, {{"Lenzuola", 2.5, 10}});
    QTest::mouseClick(grp->BitBtn3, Qt::LeftButton);
    const Prompt p = a.prompts.last();
    EXPECT_EQ(p.type, MsgType::Warning);
    EXPECT_TRUE(p.text.startsWith("Attenzione: questa fattura elettronica non supera i controlli:\n\n"
                                  "IT01234567890_00042.xml (Privato senza codici S.r.l.): ")) << p.text.toStdString();
    EXPECT_TRUE(p.text.contains("00417")) << p.text.toStdString();
}

TEST_F(GruppoFEFinestra, CancellingTheExportDialogChangesNothing)
{
    a.cliente({}, {{"Lenzuola", 2.5, 10}});
    QTest::mouseClick(grp->BitBtn3, Qt::LeftButton);
    a.prompts.answerFile("");
    QTest::mouseClick(grp->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(a.leggi("SELECT FE_Progr FROM Parametri").toInt(), 41);
    EXPECT_TRUE(grp->sessione.elenco.has_value());
    EXPECT_TRUE(a.leggi("SELECT FE_Data FROM Parametri").isNull());
}

// The validation window, shown offscreen on the published files.
class ValidazioneFinestra : public ::testing::Test
{
protected:
    ValidazioneFinestra() : w(*a.dm)
    {
        // The schema and the style sheet installed beside the program by the build.
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(LAV_BIN_DIR "/fatturapa_v1.2.xsl")));
        w.avviaBrowser = [this](const QString& b, const QString& p) {
            avviato = {b, p};
            return true;
        };
    }
    void apri(const QString& preset = {})
    {
        w.preset = preset;
        w.show();
    }
    ArchivioFE a;
    TFrmValVisFE w;
    std::pair<QString, QString> avviato;
    const QString campione = QStringLiteral(FATTURAPA_DIR "/samples/IT01234567890_FPA01.xml");
};

TEST_F(ValidazioneFinestra, ValidatesThePresetFileAndShowsItThroughTheStyleSheet)
{
    EXPECT_EQ(w.windowTitle(), "Validazione / Visualizzazione Fatture Elettroniche generate");
    QTemporaryDir dir;
    const QString copia = dir.filePath("IT01234567890_FPA01.xml");
    QFile::copy(campione, copia);
    apri(copia);
    EXPECT_EQ(w.LabeledEdit1->text(), QDir::toNativeSeparators(copia));
    QTest::mouseClick(w.bbValidate, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last(), Prompt::information("Il documento risulta valido"));

    w.LabeledEdit2->setText("/usr/bin/mio-browser");
    QTest::mouseClick(w.bbShow, Qt::LeftButton);
    EXPECT_EQ(avviato.first, "/usr/bin/mio-browser");
    EXPECT_EQ(avviato.second, dir.filePath("IT01234567890_FPA01.html"));
    QFile html(avviato.second);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString testo = QString::fromUtf8(html.readAll());
    EXPECT_TRUE(testo.contains("<html")) << testo.left(200).toStdString();
    EXPECT_TRUE(testo.contains("ALPHA SRL")) << testo.left(2000).toStdString();

    // Closing keeps the browser; no file was picked, so the export folder stays as it was.
    w.close();
    EXPECT_EQ(a.leggi("SELECT Browser FROM Parametri").toString(), "/usr/bin/mio-browser");
    EXPECT_TRUE(a.leggi("SELECT FEPath FROM Parametri").isNull());
    EXPECT_TRUE(w.preset.isEmpty());
}

TEST_F(ValidazioneFinestra, PickingAFileRemembersItsFolderOnClose)
{
    apri();
    EXPECT_TRUE(w.LabeledEdit1->text().isEmpty());
    a.prompts.answerFile(campione);
    QTest::mouseClick(w.bbSfogliaXML, Qt::LeftButton);
    EXPECT_EQ(w.LabeledEdit1->text(), QDir::toNativeSeparators(campione));
    w.close();
    EXPECT_EQ(QDir::fromNativeSeparators(a.leggi("SELECT FEPath FROM Parametri").toString()),
              QFileInfo(campione).absolutePath() + "/");
}

TEST_F(ValidazioneFinestra, AFileThatCannotBeShownIsToldAndNothingStarts)
{
    apri("/non/esiste.xml");
    QTest::mouseClick(w.bbShow, Qt::LeftButton);
    EXPECT_EQ(a.prompts.last().type, MsgType::Error);
    EXPECT_TRUE(a.prompts.last().text.startsWith("Impossibile leggere il file")) << a.prompts.last().text.toStdString();
    EXPECT_TRUE(avviato.second.isEmpty());
}

TEST_F(ValidazioneFinestra, DefaultBrowserComesFromTheDesktopAssociations)
{
    QTemporaryDir casa;
    QDir(casa.path()).mkpath("config");
    QDir(casa.path()).mkpath("data/applications");
    QDir(casa.path()).mkpath("bin");
    const QString programma = casa.filePath("bin/navigatore");
    {
        QFile f(programma);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n");
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile m(casa.filePath("config/mimeapps.list"));
        m.open(QIODevice::WriteOnly);
        m.write("[Added Associations]\ntext/html=altro.desktop;\n[Default Applications]\n"
                "x-scheme-handler/http=navigatore.desktop;\n");
        QFile d(casa.filePath("data/applications/navigatore.desktop"));
        d.open(QIODevice::WriteOnly);
        d.write(QString("[Desktop Entry]\nName=Navigatore\nExec=%1 %u\n").arg(programma).toUtf8());
    }
    const QByteArray vecchi[] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME"), qgetenv("XDG_CONFIG_DIRS"),
                                 qgetenv("XDG_DATA_DIRS")};
    qputenv("XDG_CONFIG_HOME", casa.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", casa.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_DIRS", casa.filePath("nessuna").toUtf8());
    qputenv("XDG_DATA_DIRS", casa.filePath("nessuna").toUtf8());
    apri();
    QTest::mouseClick(w.bbDefaultBr, Qt::LeftButton);
    EXPECT_EQ(w.LabeledEdit2->text(), programma);
    const char* nomi[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"};
    for (int i = 0; i < 4; ++i)
        vecchi[i].isEmpty() ? qunsetenv(nomi[i]) : qputenv(nomi[i], vecchi[i]);
}
