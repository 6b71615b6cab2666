#include "BloccoCartella.h"
#include "Errors.h"
#include "Icone.h"
#include "LavApplication.h"
#include "Locale.h"
#include "QtPrompts.h"
#include "ShellPrompts.h"
#include "TDataModule1.h"
#include "TFrmMain.h"
#include "TFrmWait.h"
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

int main(int argc, char** argv)
{
    LavApplication app(argc, argv);

    // The start-up window first, painted at once.
    TFrmWait frmWait;
    frmWait.show();
    frmWait.repaint();
    app.processEvents();

    app.setApplicationName(TitoloApplicazione);
    app.setWindowIcon(Icone::lavatrice());
    impostaFormatiItaliani();
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian, QLocale::Italy), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&traduzioneQt);

    // Declared first so that the data module outlives the windows that use it.
    ShellPrompts prompts;
    std::unique_ptr<TDataModule1> dm;
    TFrmMain frmMain;
    app.setPrompts(&prompts);
    bool avviato = false;
    try {
        const QString lavoro = QDir::currentPath();
        // One program at a time on a working folder: a second one says who holds it and ends.
        BloccoCartella::attiva();
        BloccoCartella::prendi(lavoro);
        if (TDataModule1::archivioMancante(lavoro)) {
            if (!prompts.askYes("Nella cartella di lavoro non c'è un archivio. Creo un nuovo archivio vuoto?"))
                return 0;
            TDataModule1::CreaArchivio(lavoro);
        }
        dm = std::make_unique<TDataModule1>(prompts, lavoro);
        frmMain.impostaDataModule(*dm);
        dm->sceltaAnno = [&frmMain] { frmMain.AnnoCambiaClick(); };
        avviato = dm->Avvia();
        // A year that could not be opened ends the program touching no file: no copy either.
        frmMain.copiaAllUscita = !dm->annoNonApribile();
    } catch (const Abort&) {
    } catch (const CartellaInUso& e) {
        frmWait.close();
        prompts.error(e.message());
        return 1;
    } catch (const LavError& e) {
        frmMain.copiaAllUscita = false;
        prompts.standardError(e.message());
    }
    frmWait.close();

    // Without a fiscal year the program ends here, after the copy of the archives that
    // closing the main window takes.
    if (!avviato) {
        frmMain.close();
        return 0;
    }
    // The program ends when the main window has closed, whatever other window is still shown.
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(&frmMain, &TFrmMain::chiusa, &app, &QApplication::quit, Qt::QueuedConnection);
    frmMain.show();
    return app.exec();
}
