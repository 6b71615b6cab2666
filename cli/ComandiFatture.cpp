#include "ComandiFatture.h"

#include "ApriEsercizio.h"
#include "Clock.h"
#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "FattureManuali.h"
#include "Opzioni.h"
#include "PageModel.h"
#include "Periodicita.h"
#include "PromptsConsole.h"
#include "TDataModule1.h"
#include "TQRFatturaMan.h"
#include "TQRFatture.h"
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <limits>

namespace {

const QString usoFatture = QStringLiteral(
    "Uso: lavanderia-cli fatture CARTELLA --anno AAAA --mese M [--giorno G] --data GG/MM/AAAA\n"
    "                            [--cliente CODICE] [--da N --a N] [--stampa] --pdf FILE\n");
const QString usoManuale = QStringLiteral(
    "Uso: lavanderia-cli fattura-manuale CARTELLA --codice CODICE [--data GG/MM/AAAA] [--stampa] --pdf FILE\n");

// The options of a command; false with the message and the usage written.
bool leggi(Opzioni& o, const QStringList& args, const QStringList& nomi, const QString& uso, Uscite u)
{
    QString errore;
    if (!o.leggi(args, nomi, errore, {QStringLiteral("stampa")})) {
        u.err << errore << '\n' << uso;
        return false;
    }
    if (o.cartella.isEmpty()) {
        u.err << uso;
        return false;
    }
    if (o.valore(QStringLiteral("pdf")).isEmpty()) {
        u.err << QStringLiteral("Manca il file PDF (--pdf FILE).\n") << uso;
        return false;
    }
    return true;
}

// A whole number within bounds; false (with the message) when absent or out of them.
bool intero(const Opzioni& o, const QString& nome, int min, int max, int& out, Uscite u, const QString& errore)
{
    bool ok = false;
    out = o.valore(nome).trimmed().toInt(&ok);
    if (!ok || out < min || out > max) {
        u.err << errore << '\n';
        return false;
    }
    return true;
}

// Runs the job on the data module; a refusal (already told through the prompts) or an error
// ends the command with 1.
template <class F>
bool esegui(Uscite u, F&& lavoro)
{
    try {
        lavoro();
        return true;
    } catch (const Abort&) {
        return false;
    } catch (const LavError& e) {
        u.err << e.message() << '\n';
        return false;
    }
}

} // namespace

int ComandoFatture(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggi(o, args, {"anno", "mese", "giorno", "data", "cliente", "da", "a", "pdf"}, usoFatture, u))
        return 1;
    ScelteFatture scelte;
    if (!intero(o, "anno", 2016, 2999, scelte.anno, u, QStringLiteral("L'anno deve essere un numero da 2016 a 2999."))
        || !intero(o, "mese", 1, 12, scelte.mese, u, QStringLiteral("Il mese deve essere un numero da 1 a 12.")))
        return 1;
    const int giorni = GiorniMese(NomeMese(scelte.mese), scelte.anno);
    scelte.giorno = giorni;
    if (o.ha("giorno")
        && !intero(o, "giorno", 1, giorni, scelte.giorno, u,
                   QStringLiteral("Il giorno deve essere un numero da 1 a %1 per %2.").arg(giorni).arg(NomeMese(scelte.mese))))
        return 1;
    scelte.dataStampa = o.valore("data");
    const QDate data = parseDate(scelte.dataStampa);
    if (!data.isValid()) {
        u.err << QStringLiteral("'%1' non è una data valida per la data di stampa.\n").arg(scelte.dataStampa);
        return 1;
    }
    scelte.clienteSingolo = o.valore("cliente");
    int dal = 0, al = FatturazionePeriodica::senzaLimite;
    if (o.ha("da") || o.ha("a")) {
        if (!intero(o, "da", 1, 32767, dal, u, QStringLiteral("--da deve essere un numero da 1 a 32767."))
            || !intero(o, "a", dal, 32767, al, u, QStringLiteral("--a deve essere un numero da --da a 32767.")))
            return 1;
    }
    const QString pdf = o.valore("pdf");
    const bool stampa = o.attivo("stampa");

    // The invoices are numbered in the fiscal year of their date.
    PromptsConsole prompts(u.err);
    std::unique_ptr<TDataModule1> dm = ApriEsercizio(o.cartella, data.year(), prompts);
    FatturazionePeriodica run(*dm);
    run.scelte = scelte;
    TQRFatture report(*dm);
    QList<FatturaPeriodica> fatture;
    bool scritto = false;
    // Pages written for invoices that could then not be recorded must not stay behind.
    auto togli = qScopeGuard([&] {
        if (scritto && stampa)
            QFile::remove(pdf);
    });
    const bool fatto = esegui(u, [&] {
        if (stampa) {
            fatture = run.Stampa(report, [&](const PageModel& pagine) { return scritto = pagine.writePdf(pdf, report.title); },
                                 dal, al);
            scritto = scritto || fatture.isEmpty();
        } else {
            fatture = run.Anteprima(report);
            scritto = fatture.isEmpty() || report.pages().writePdf(pdf, report.title);
        }
    });
    if (!fatto)
        return 1;
    togli.dismiss();
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

int ComandoFatturaManuale(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggi(o, args, {"codice", "data", "pdf"}, usoManuale, u))
        return 1;
    int codice = 0;
    if (!intero(o, "codice", 1, std::numeric_limits<int>::max(), codice, u,
                QStringLiteral("Il codice della fattura manuale deve essere un numero intero positivo.")))
        return 1;
    // "Data di stampa": today unless given; the invoice takes its number in that fiscal year.
    const QDate data = o.ha("data") ? o.data("data") : oggi();
    if (!data.isValid()) {
        u.err << QStringLiteral("'%1' non è una data valida per la data di stampa.\n").arg(o.valore("data"));
        return 1;
    }
    const QString pdf = o.valore("pdf");
    const bool stampa = o.attivo("stampa");

    PromptsConsole prompts(u.err);
    std::unique_ptr<TDataModule1> dm = ApriEsercizio(o.cartella, data.year(), prompts);
    FattureManuali manuali(*dm);
    if (!dm->TblFatturaMan.locate(QStringLiteral("Codice"), {codice})) {
        u.err << QStringLiteral("La fattura manuale %1 non esiste.\n").arg(codice);
        return 1;
    }
    TQRFatturaMan report(*dm);
    bool scritto = false;
    const bool fatto = esegui(u, [&] {
        if (stampa) {
            // The file is one copy of what the printer gets twice.
            manuali.Stampa(report, data, [&](const PageModel& pagine) { return scritto = pagine.writePdf(pdf, report.title); });
        } else {
            manuali.Anteprima(report);
            scritto = report.pages().writePdf(pdf, report.title);
        }
    });
    if (!fatto)
        return 1;
    if (!scritto) {
        u.err << QStringLiteral("Impossibile scrivere il file PDF '%1'.\n").arg(QDir::toNativeSeparators(pdf));
        return 1;
    }
    Table& f = dm->TblFatturaMan;
    const QString numero = f["Numero fattura"].isNull() ? QString() : QString::number(f["Numero fattura"].asFloat(), 'g', 15);
    u.out << numero << '\t' << formatDate(f["Data fattura"].asDate()) << '\t'
          << (f["Nome1"].asString() + u' ' + f["Nome2"].asString()).trimmed() << '\t' << f["Imponibile"].asMoney().toString(2)
          << '\t' << f["Totale"].asMoney().toString(2) << '\n';
    return 0;
}
