#include "ComandiFatture.h"

#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "Periodicita.h"
#include "PromptsCli.h"
#include "TDataModule1.h"
#include "TQRFatture.h"
#include <QDir>
#include <QFile>
#include <QHash>
#include <QScopeGuard>
#include <QSet>
#include <memory>

namespace {

// Options of a command: "--nome valore" or "--nome=valore", switches without a value, and
// the one working folder.
struct Argomenti
{
    QString cartella;
    QHash<QString, QString> valori;
    QSet<QString> interruttori;

    bool leggi(const QStringList& args, const QStringList& conValore, const QStringList& senzaValore, Uscite u,
               const QString& uso)
    {
        for (int i = 0; i < args.size(); ++i) {
            QString a = args[i], valore;
            bool haValore = false;
            if (a.startsWith(QLatin1String("--")) && a.contains(u'=')) {
                valore = a.section(u'=', 1);
                a = a.section(u'=', 0, 0);
                haValore = true;
            }
            if (conValore.contains(a)) {
                if (!haValore) {
                    if (i + 1 >= args.size()) {
                        u.err << QStringLiteral("Manca il valore di %1.\n").arg(a) << uso;
                        return false;
                    }
                    valore = args[++i];
                }
                valori[a] = valore;
            } else if (senzaValore.contains(a) && !haValore) {
                interruttori << a;
            } else if (!a.startsWith(QLatin1String("--")) && cartella.isEmpty()) {
                cartella = a;
            } else {
                u.err << QStringLiteral("Argomento non riconosciuto: %1\n").arg(args[i]) << uso;
                return false;
            }
        }
        if (cartella.isEmpty()) {
            u.err << uso;
            return false;
        }
        return true;
    }

    // A whole number within bounds; false (with the message) when absent or out of them.
    bool intero(const QString& nome, int min, int max, int& out, Uscite u, const QString& errore) const
    {
        bool ok = false;
        out = valori.value(nome).trimmed().toInt(&ok);
        if (!ok || out < min || out > max) {
            u.err << errore << '\n';
            return false;
        }
        return true;
    }
};

// The data module on a working folder, in the fiscal year asked for; messages are kept to
// be printed.
class ArchivioCli
{
public:
    bool apri(const QString& cartella, int anno, Uscite u)
    {
        if (TDataModule1::archivioMancante(cartella)) {
            u.err << QStringLiteral("Nella cartella %1 non c'è un archivio.\n").arg(cartella);
            return false;
        }
        dm = std::make_unique<TDataModule1>(prompts, cartella);
        bool esiste = false;
        dm->sceltaAnno = [&] { esiste = dm->CambiaAnno(anno); };
        const bool aperto = dm->Avvia();
        if (!esiste) {
            prompts.prendiMessaggi();
            u.err << QStringLiteral("L'esercizio %1 non esiste nella cartella %2: crearlo dal programma.\n").arg(anno).arg(cartella);
            return false;
        }
        if (!aperto || !dm->TblClienti.active()) {
            riferisci(u);
            u.err << QStringLiteral("L'archivio della cartella %1 non si può aprire.\n").arg(cartella);
            return false;
        }
        riferisci(u);
        return true;
    }

    // Prints the messages the program showed.
    void riferisci(Uscite u)
    {
        for (const QString& m : prompts.prendiMessaggi())
            u.err << m << '\n';
    }

    PromptsCli prompts;
    std::unique_ptr<TDataModule1> dm;
};

const QString usoFatture = QStringLiteral(
    "Uso: lavanderia-cli fatture CARTELLA --anno AAAA --mese M [--giorno G] --data GG/MM/AAAA\n"
    "                            [--cliente CODICE] [--da N --a N] [--stampa] --pdf FILE\n");

} // namespace

int ComandoFatture(const QStringList& args, Uscite u)
{
    Argomenti a;
    if (!a.leggi(args, {"--anno", "--mese", "--giorno", "--data", "--cliente", "--da", "--a", "--pdf"}, {"--stampa"}, u,
                 usoFatture))
        return 1;
    ScelteFatture scelte;
    if (!a.intero("--anno", 2016, 2999, scelte.anno, u, QStringLiteral("L'anno deve essere un numero da 2016 a 2999."))
        || !a.intero("--mese", 1, 12, scelte.mese, u, QStringLiteral("Il mese deve essere un numero da 1 a 12.")))
        return 1;
    const int giorni = GiorniMese(NomeMese(scelte.mese), scelte.anno);
    scelte.giorno = giorni;
    if (a.valori.contains("--giorno")
        && !a.intero("--giorno", 1, giorni, scelte.giorno, u,
                     QStringLiteral("Il giorno deve essere un numero da 1 a %1 per %2.").arg(giorni).arg(NomeMese(scelte.mese))))
        return 1;
    scelte.dataStampa = a.valori.value("--data");
    const QDate data = parseDate(scelte.dataStampa);
    if (!data.isValid()) {
        u.err << QStringLiteral("'%1' non è una data valida per la data di stampa.\n").arg(scelte.dataStampa);
        return 1;
    }
    scelte.clienteSingolo = a.valori.value("--cliente");
    int dal = 0, al = FatturazionePeriodica::senzaLimite;
    if (a.valori.contains("--da") || a.valori.contains("--a")) {
        if (!a.intero("--da", 1, 32767, dal, u, QStringLiteral("--da deve essere un numero da 1 a 32767."))
            || !a.intero("--a", dal, 32767, al, u, QStringLiteral("--a deve essere un numero da --da a 32767.")))
            return 1;
    }
    const QString pdf = a.valori.value("--pdf");
    if (pdf.isEmpty()) {
        u.err << QStringLiteral("Manca il file PDF (--pdf FILE).\n") << usoFatture;
        return 1;
    }
    const bool stampa = a.interruttori.contains("--stampa");

    // The invoices are numbered in the fiscal year of their date.
    ArchivioCli archivio;
    if (!archivio.apri(a.cartella, data.year(), u))
        return 1;
    TDataModule1& dm = *archivio.dm;
    FatturazionePeriodica run(dm);
    run.scelte = scelte;
    TQRFatture report(dm);
    QList<FatturaPeriodica> fatture;
    bool scritto = false;
    // Pages written for invoices that could then not be recorded must not stay behind.
    auto togli = qScopeGuard([&] {
        if (scritto && stampa)
            QFile::remove(pdf);
    });
    try {
        if (stampa) {
            fatture = run.Stampa(report, [&](const PageModel& pagine) { return scritto = pagine.writePdf(pdf, report.title); },
                                 dal, al);
        } else {
            fatture = run.Anteprima(report);
            scritto = fatture.isEmpty() || report.pages().writePdf(pdf, report.title);
        }
    } catch (const Abort&) {
        archivio.riferisci(u);
        return 1;
    } catch (const LavError& e) {
        archivio.riferisci(u);
        u.err << e.message() << '\n';
        return 1;
    }
    togli.dismiss();
    archivio.riferisci(u);
    if (!scritto) {
        u.err << QStringLiteral("Impossibile scrivere il file PDF '%1'.\n").arg(QDir::toNativeSeparators(pdf));
        return 1;
    }
    if (fatture.isEmpty()) {
        u.out << "Nessuna fattura da stampare.\n";
        return 0;
    }
    for (const FatturaPeriodica& f : fatture)
        u.out << f.numero << '\t' << QString::number(f.cliente, 'g', 15) << '\t' << f.denominazione << '\t'
              << f.imponibile.toString(2) << '\t' << f.totale.toString(2) << '\n';
    return 0;
}
