// lavanderia-cli: set-up and scripting of the laundry's archive without a display.
#include "BloccoCartella.h"
#include "Comandi.h"
#include "ComandiFE.h"
#include "ComandiFatture.h"
#include "ComandiServizi.h"
#include "Errors.h"
#include "Locale.h"
#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

const char* const uso =
    "Uso: lavanderia-cli COMANDO [ARGOMENTI]\n"
    "\n"
    "Comandi:\n"
    "  init CARTELLA\n"
    "      Crea un archivio nuovo e vuoto in CARTELLA/archivi.\n"
    "  demo CARTELLA [--scale N] [--seed S]\n"
    "      Carica i dati dimostrativi, creando prima l'archivio se manca.\n"
    "      Scala da 1 (50 clienti) a 200 (10.000 clienti), predefinita 1;\n"
    "      a parità di scala e seme (predefinito 1) i dati sono gli stessi.\n"
    "  fatture CARTELLA --anno AAAA --mese M [--giorno G] --data GG/MM/AAAA\n"
    "          [--cliente CODICE] [--da N --a N] [--stampa] --pdf FILE\n"
    "      Elabora le fatture periodiche del mese (o del solo cliente indicato) e le\n"
    "      scrive nel file PDF, come l'anteprima. Con --stampa le numera, le registra in\n"
    "      prima nota e le incassa se il cliente ha l'incasso automatico, come la\n"
    "      stampa; --da e --a limitano i clienti da fatturare per posizione. Una riga\n"
    "      per fattura: numero, codice cliente, nome, imponibile, totale.\n"
    "  fattura-manuale CARTELLA --codice CODICE [--data GG/MM/AAAA] [--stampa] --pdf FILE\n"
    "      Scrive nel file PDF la fattura manuale di quel codice, come l'anteprima. Con\n"
    "      --stampa le dà il numero successivo dell'esercizio e la data di stampa (oggi\n"
    "      se non indicata), come la stampa. Una riga: numero, data, nome, imponibile,\n"
    "      totale.\n"
    "  sql CARTELLA ISTRUZIONE\n"
    "      Esegue un'istruzione SQL sull'archivio. Le righe lette escono separate da\n"
    "      tabulazioni, con i nomi delle colonne nella prima riga; le altre istruzioni\n"
    "      stampano il numero di righe modificate.\n"
    "  estratto CARTELLA --cliente CODICE [--dal GG/MM/AAAA] [--al GG/MM/AAAA]\n"
    "           [--anno AAAA] --pdf FILE\n"
    "      Scrive in FILE la scheda contabile del cliente, con il saldo progressivo,\n"
    "      per i movimenti del periodo (tutti senza date). L'esercizio è quello\n"
    "      delle date, o l'anno in corso.\n"
    "  incassa CARTELLA --cliente CODICE --fattura N --data GG/MM/AAAA [--anno AAAA]\n"
    "      Incassa alla data la fattura aperta N del cliente, con i movimenti sul\n"
    "      conto della modalità di pagamento e sul conto del cliente.\n"
    "  servizio CARTELLA --giro NOME --settimana GG/MM/AAAA --pdf FILE [--vecchia]\n"
    "      La scheda settimanale di servizio di un giro (NOME o codice), con le\n"
    "      settimane contate dalla data di riferimento; --vecchia per la vecchia versione.\n"
    "  sospesi CARTELLA --pdf FILE [--revisione TESTO]\n"
    "      L'elenco dei sospesi con i totali per articolo. Come la stampa del programma,\n"
    "      elimina prima i sospesi senza unità e quelli di sedi che non esistono più.\n"
    "  consumi CARTELLA --cliente CODICE [--dal GG/MM/AAAA] [--al GG/MM/AAAA] [--sintetico]\n"
    "          --pdf FILE\n"
    "      La statistica dei consumi delle sedi di un cliente, analitica o sintetica.\n"
    "  inventario CARTELLA --dal GG/MM/AAAA --al GG/MM/AAAA [--articolo CODICE] --pdf FILE\n"
    "      I movimenti di magazzino di un articolo nel periodo; senza --articolo,\n"
    "      quelli di tutti gli articoli fatturabili.\n"
    "  fe genera CARTELLA --anno AAAA --mese M --giorno G --data GG/MM/AAAA\n"
    "            [--cliente CODICE] [--salva CARTELLA]\n"
    "      Come \"Genera\" delle fatture periodiche: elabora il mese senza numerare e\n"
    "      scrive nella cartella di lavoro un file FatturaPA per fattura; con --salva\n"
    "      li copia nella cartella di invio e avanza il progressivo.\n"
    "  fe nota CARTELLA --cliente CODICE --data GG/MM/AAAA --anno AAAA [--salva CARTELLA]\n"
    "      Genera nella cartella di lavoro la nota di credito elettronica sulla\n"
    "      fattura del cliente dell'ultima elaborazione; con --salva la copia nella\n"
    "      cartella di invio e avanza il progressivo e il numero delle note.\n"
    "  fe manuale CARTELLA --codice CODICE [--nota --data GG/MM/AAAA] [--salva CARTELLA]\n"
    "      Come \"Genera\" della fattura manuale (con --nota, della sua nota di credito\n"
    "      emessa in quella data); con --salva la copia nella cartella di invio.\n"
    "  fe valida FILE...\n"
    "      Controlla i file (anche firmati, .p7m) con lo schema FatturaPA e con i\n"
    "      controlli del Sistema di Interscambio; esce con 0 solo se sono tutti validi.\n"
    "  fe mostra FILE --html PAGINA\n"
    "      Scrive in PAGINA la fattura elettronica resa con il foglio di stile.\n"
    "  --help\n"
    "      Mostra questo aiuto.\n";

// Qt's notice that a display-less run has no runtime folder is no news to the user.
void messaggiQt(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo)
{
    if (testo.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contesto, testo)));
}

} // namespace

int main(int argc, char** argv)
{
    // Commands that lay out printed documents need the fonts and the PDF writer of the window
    // system, which runs here without a display (the demo office prints manual invoices); the
    // others need only the core.
    const QByteArrayList conStampa{"demo",       "estratto", "servizio", "sospesi",
                                   "consumi",    "inventario", "fatture", "fattura-manuale"};
    qInstallMessageHandler(messaggiQt);
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && conStampa.contains(argv[1])) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    impostaFormatiItaliani();
    QTextStream out(stdout), err(stderr);
    Uscite u{out, err};

    // Every archive a command opens takes its working folder for the run: a command never
    // works beside the program, or beside another command, on the same folder.
    BloccoCartella::attiva();
    const QStringList args = app->arguments().mid(1);
    if (args.isEmpty()) {
        err << uso;
        return 1;
    }
    const QString comando = args[0];
    const QStringList resto = args.mid(1);
    try {
        if (comando == QLatin1String("--help") || comando == QLatin1String("-h")
            || comando == QLatin1String("help")) {
            out << uso;
            return 0;
        }
        if (comando == QLatin1String("init"))
            return ComandoInit(resto, u);
        if (comando == QLatin1String("demo"))
            return ComandoDemo(resto, u);
        if (comando == QLatin1String("fatture"))
            return ComandoFatture(resto, u);
        if (comando == QLatin1String("fattura-manuale"))
            return ComandoFatturaManuale(resto, u);
        if (comando == QLatin1String("sql"))
            return ComandoSql(resto, u);
        if (comando == QLatin1String("estratto"))
            return ComandoEstratto(resto, u);
        if (comando == QLatin1String("incassa"))
            return ComandoIncassa(resto, u);
        if (comando == QLatin1String("servizio"))
            return ComandoServizio(resto, u);
        if (comando == QLatin1String("sospesi"))
            return ComandoSospesi(resto, u);
        if (comando == QLatin1String("consumi"))
            return ComandoConsumi(resto, u);
        if (comando == QLatin1String("inventario"))
            return ComandoInventario(resto, u);
        if (comando == QLatin1String("fe"))
            return ComandoFE(resto, u);
        err << QStringLiteral("Comando sconosciuto: %1\n\n").arg(comando) << uso;
        return 1;
    } catch (const LavError& e) {
        err << e.message() << '\n';
    } catch (const Abort&) {
        err << "Operazione annullata.\n";
    } catch (const std::exception& e) {
        err << QStringLiteral("Errore: %1\n").arg(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}
