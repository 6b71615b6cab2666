// The electronic-invoice jobs of lavanderia-cli, through the same operations the screens' group
// "Fatture Elettroniche" and the validation window call.
#include "ComandiFE.h"

#include "ApriEsercizio.h"
#include "Clock.h"
#include "Database.h"
#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "FattureManuali.h"
#include "FileFE.h"
#include "Opzioni.h"
#include "PromptsConsole.h"
#include "SessioneFE.h"
#include "TDataModule1.h"
#include "ValidatoreFE.h"
#include "VisualizzaFE.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

const char usoGenera[] = "Uso: lavanderia-cli fe genera CARTELLA --anno AAAA --mese M --giorno G --data GG/MM/AAAA "
                         "[--cliente CODICE] [--salva CARTELLA]\n";
const char usoNota[] = "Uso: lavanderia-cli fe nota CARTELLA --cliente CODICE --data GG/MM/AAAA --anno AAAA "
                       "[--salva CARTELLA]\n";
const char usoManuale[] = "Uso: lavanderia-cli fe manuale CARTELLA --codice CODICE [--nota --data GG/MM/AAAA] "
                          "[--salva CARTELLA]\n";
const char usoValida[] = "Uso: lavanderia-cli fe valida FILE...\n";
const char usoMostra[] = "Uso: lavanderia-cli fe mostra FILE --html FILE\n";

// The files written in the working folder, then, when asked, their copies in the export folder
// with the stored values advanced. 0 when every file was written (and copied) and no error
// stopped the work on the way.
int generaESalva(SessioneFE& s, const QStringList& scritti, const Opzioni& o, const QDate& emissione,
                 const PromptsConsole& prompts, Uscite u)
{
    for (const QString& n : scritti)
        u.out << QDir(o.cartella).absoluteFilePath(n) << '\n';
    for (const QString& p : s.Controlla(scritti))
        u.err << QStringLiteral("Attenzione: ") << p << '\n';
    if (scritti.isEmpty())
        return 1;
    if (!o.ha(QStringLiteral("salva")))
        return prompts.errori ? 1 : 0;
    const QString cartella = QDir(o.valore(QStringLiteral("salva"))).absolutePath();
    const QStringList copiati = s.Salva(cartella, formatDate(oggi()), emissione);
    for (const QString& n : copiati)
        u.out << QDir(cartella).filePath(n) << '\n';
    return copiati.size() == scritti.size() && !prompts.errori ? 0 : 1;
}

bool leggiOpzioni(const QStringList& args, const QStringList& nomi, const QStringList& obbligatorie, const char* uso,
                  Opzioni& o, Uscite u, const QStringList& interruttori = {})
{
    QString errore;
    if (!o.leggi(args, nomi, errore, interruttori)) {
        u.err << errore << '\n' << uso;
        return false;
    }
    if (o.cartella.isEmpty()) {
        u.err << uso;
        return false;
    }
    for (const QString& n : obbligatorie) {
        if (!o.ha(n)) {
            u.err << QStringLiteral("Manca l'opzione --%1.\n").arg(n) << uso;
            return false;
        }
    }
    return true;
}

int anno(const Opzioni& o, Uscite u)
{
    bool ok = false;
    const int a = o.valore(QStringLiteral("anno")).toInt(&ok);
    if (!ok || a < 2016 || a > 2999) {
        u.err << QStringLiteral("L'anno deve essere un numero da 2016 a 2999.\n");
        return 0;
    }
    return a;
}

int intero(const Opzioni& o, const QString& nome, int min, int max, Uscite u)
{
    bool ok = false;
    const int v = o.valore(nome).trimmed().toInt(&ok);
    if (!ok || v < min || v > max) {
        u.err << QStringLiteral("--%1 deve essere un numero da %2 a %3.\n").arg(nome).arg(min).arg(max);
        return 0;
    }
    return v;
}

// "Genera" of the periodic invoices: the run without numbers for the month (or one customer),
// the period texts stored as a preview stores them, then one file per invoice.
int genera(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggiOpzioni(args, {"anno", "mese", "giorno", "data", "cliente", "salva"}, {"anno", "mese", "giorno", "data"},
                      usoGenera, o, u))
        return 1;
    const int esercizio = anno(o, u);
    const int mese = intero(o, QStringLiteral("mese"), 1, 12, u);
    const int giorno = intero(o, QStringLiteral("giorno"), 1, 31, u);
    if (!esercizio || !mese || !giorno)
        return 1;
    PromptsConsole prompts(u.err);
    auto dm = ApriEsercizio(o.cartella, esercizio, prompts);
    FatturazionePeriodica run(*dm);
    run.scelte = {mese, giorno, esercizio, o.valore(QStringLiteral("data")), o.valore(QStringLiteral("cliente"))};
    bool elaborato = false;
    auto elabora = [&] {
        run.ElaboraFattureElettroniche();
        elaborato = true;
    };
    SessioneFE s(*dm, SessioneFE::Schermata::Fatture);
    s.Mostra();
    const QStringList scritti = s.GeneraFatture(QString::number(esercizio), elabora);
    if (elaborato && scritti.isEmpty())
        u.err << QStringLiteral("Nessuna fattura elettronica da generare.\n");
    return generaESalva(s, scritti, o, {}, prompts, u);
}

int nota(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggiOpzioni(args, {"cliente", "data", "anno", "salva"}, {"cliente", "data", "anno"}, usoNota, o, u))
        return 1;
    const int esercizio = anno(o, u);
    const QDate emissione = o.data(QStringLiteral("data"));
    if (!esercizio)
        return 1;
    if (!emissione.isValid()) {
        u.err << QStringLiteral("La data di emissione %1 non è valida.\n").arg(o.valore(QStringLiteral("data")));
        return 1;
    }
    PromptsConsole prompts(u.err);
    auto dm = ApriEsercizio(o.cartella, esercizio, prompts);
    bool ok = false;
    const double cliente = o.valore(QStringLiteral("cliente")).toDouble(&ok);
    if (!ok || !dm->TblClienti.locate(QStringLiteral("Codice"), {cliente})) {
        u.err << QStringLiteral("Il cliente %1 non esiste.\n").arg(o.valore(QStringLiteral("cliente")));
        return 1;
    }
    SessioneFE s(*dm, SessioneFE::Schermata::NotaCre);
    s.Mostra();
    return generaESalva(s, s.GeneraNoteCredito(cliente, QString::number(esercizio), emissione), o, emissione, prompts,
                       u);
}

// The date of a manual invoice as stored, read before its fiscal year is opened; false, with
// the reason written, when the archive or the invoice is missing.
bool dataFatturaManuale(const QString& cartella, int codice, QDate& data, Uscite u)
{
    if (TDataModule1::archivioMancante(cartella)) {
        u.err << QStringLiteral("Nella cartella %1 non c'è un archivio.\n").arg(cartella);
        return false;
    }
    Database db(QStringLiteral("lavanderia-cli fe"));
    db.open(cartellaArchivi(cartella));
    QSqlQuery q = db.exec(QStringLiteral("SELECT \"Data fattura\" FROM Fattman WHERE Codice = ?"), {codice});
    if (!q.next()) {
        u.err << QStringLiteral("La fattura manuale %1 non esiste.\n").arg(codice);
        return false;
    }
    data = QDate::fromString(q.value(0).toString().left(10), Qt::ISODate);
    if (!data.isValid()) {
        u.err << QStringLiteral("La fattura manuale %1 non ha la data: impossibile generare la fattura elettronica.\n")
                     .arg(codice);
        return false;
    }
    return true;
}

// "Genera" of the manual invoice window, or with --nota of its credit note, in the fiscal year
// of the invoice's date.
int manuale(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggiOpzioni(args, {"codice", "data", "salva"}, {"codice"}, usoManuale, o, u, {"nota"}))
        return 1;
    const bool nota = o.attivo(QStringLiteral("nota"));
    bool ok = false;
    const int codice = o.valore(QStringLiteral("codice")).toInt(&ok);
    if (!ok || codice < 1) {
        u.err << QStringLiteral("Il codice della fattura manuale deve essere un numero intero positivo.\n");
        return 1;
    }
    QDate emissione;
    if (nota) {
        emissione = o.data(QStringLiteral("data"));
        if (!emissione.isValid()) {
            u.err << QStringLiteral("La data di emissione '%1' non è valida.\n").arg(o.valore(QStringLiteral("data")));
            return 1;
        }
    } else if (o.ha(QStringLiteral("data"))) {
        u.err << QStringLiteral("--data è la data di emissione della nota di credito: va con --nota.\n") << usoManuale;
        return 1;
    }
    QDate dataFattura;
    if (!dataFatturaManuale(o.cartella, codice, dataFattura, u))
        return 1;

    PromptsConsole prompts(u.err);
    auto dm = ApriEsercizio(o.cartella, dataFattura.year(), prompts);
    FattureManuali manuali(*dm);   // the months of the billing period the amounts follow
    dm->TblFatturaMan.locate(QStringLiteral("Codice"), {codice});
    SessioneFE s(*dm, nota ? SessioneFE::Schermata::NotaCreMan : SessioneFE::Schermata::FatturaMan);
    s.Mostra();
    return generaESalva(s, s.GeneraManuale(emissione), o, emissione, prompts, u);
}

int valida(const QStringList& args, Uscite u)
{
    if (args.isEmpty()) {
        u.err << usoValida;
        return 1;
    }
    ValidatoreFE validatore;
    bool tutti = true;
    for (const QString& file : args) {
        const EsitoFE e = validatore.Valida(file);
        tutti = tutti && e.valido();
        u.out << file << ": " << QString(e.messaggio).replace(QLatin1Char('\n'), QStringLiteral("\n    ")) << '\n';
    }
    return tutti ? 0 : 1;
}

int mostra(const QStringList& args, Uscite u)
{
    Opzioni o;
    if (!leggiOpzioni(args, {"html"}, {"html"}, usoMostra, o, u))
        return 1;
    const QString html = QFileInfo(o.valore(QStringLiteral("html"))).absoluteFilePath();
    ScriviFileIntero(html, HtmlFatturaPA(o.cartella, PercorsoFoglioDiStile()));
    u.out << html << '\n';
    return 0;
}

} // namespace

int ComandoFE(const QStringList& args, Uscite u)
{
    const QString sotto = args.value(0);
    const QStringList resto = args.mid(1);
    if (sotto == QLatin1String("genera"))
        return genera(resto, u);
    if (sotto == QLatin1String("nota"))
        return nota(resto, u);
    if (sotto == QLatin1String("manuale"))
        return manuale(resto, u);
    if (sotto == QLatin1String("valida"))
        return valida(resto, u);
    if (sotto == QLatin1String("mostra"))
        return mostra(resto, u);
    u.err << QStringLiteral("Uso: lavanderia-cli fe genera|nota|manuale|valida|mostra ...\n");
    return 1;
}
