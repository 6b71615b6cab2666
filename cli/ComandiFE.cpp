// The electronic-invoice jobs of lavanderia-cli, through the same operations the screens' group
// "Fatture Elettroniche" and the validation window call.
#include "ComandiFE.h"

#include "ApriEsercizio.h"
#include "Clock.h"
#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "FileFE.h"
#include "Opzioni.h"
#include "PromptsConsole.h"
#include "SessioneFE.h"
#include "TDataModule1.h"
#include "ValidatoreFE.h"
#include "VisualizzaFE.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char usoGenera[] = "Uso: lavanderia-cli fe genera CARTELLA --anno AAAA --mese M --giorno G --data GG/MM/AAAA "
                         "[--cliente CODICE] [--salva CARTELLA]\n";
const char usoNota[] = "Uso: lavanderia-cli fe nota CARTELLA --cliente CODICE --data GG/MM/AAAA --anno AAAA "
                       "[--salva CARTELLA]\n";
const char usoValida[] = "Uso: lavanderia-cli fe valida FILE...\n";
const char usoMostra[] = "Uso: lavanderia-cli fe mostra FILE --html FILE\n";

// The files written in the working folder, then, when asked, their copies in the export folder
// with the stored values advanced. 0 when every file was written (and copied).
int generaESalva(SessioneFE& s, const QStringList& scritti, const Opzioni& o, const QDate& emissione, Uscite u)
{
    for (const QString& n : scritti)
        u.out << QDir(o.cartella).absoluteFilePath(n) << '\n';
    for (const QString& p : s.Controlla(scritti))
        u.err << QStringLiteral("Attenzione: ") << p << '\n';
    if (scritti.isEmpty())
        return 1;
    if (!o.ha(QStringLiteral("salva")))
        return 0;
    const QString cartella = QDir(o.valore(QStringLiteral("salva"))).absolutePath();
    const QStringList copiati = s.Salva(cartella, formatDate(oggi()), emissione);
    for (const QString& n : copiati)
        u.out << QDir(cartella).filePath(n) << '\n';
    return copiati.size() == scritti.size() ? 0 : 1;
}

bool leggiOpzioni(const QStringList& args, const QStringList& nomi, const QStringList& obbligatorie, const char* uso,
                  Opzioni& o, Uscite u)
{
    QString errore;
    if (!o.leggi(args, nomi, errore)) {
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

QString dueCifre(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
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
        run.ElaboraFatture(false);
        ContatoreFatture& c = dm->contatore();
        c.ProssimoNumeroFattura(false);   // a year without invoices yet has no counter file
        c.SalvaPeriodo(dueCifre(giorno), dueCifre(mese), dueCifre(giorno));
        elaborato = true;
    };
    SessioneFE s(*dm, SessioneFE::Schermata::Fatture);
    s.Mostra();
    const QStringList scritti = s.GeneraFatture(QString::number(esercizio), elabora);
    if (elaborato && scritti.isEmpty())
        u.err << QStringLiteral("Nessuna fattura elettronica da generare.\n");
    return generaESalva(s, scritti, o, {}, u);
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
    return generaESalva(s, s.GeneraNoteCredito(cliente, QString::number(esercizio), emissione), o, emissione, u);
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
    if (sotto == QLatin1String("valida"))
        return valida(resto, u);
    if (sotto == QLatin1String("mostra"))
        return mostra(resto, u);
    u.err << QStringLiteral("Uso: lavanderia-cli fe genera|nota|valida|mostra ...\n");
    return 1;
}
