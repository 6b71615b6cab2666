// The ledger jobs of lavanderia-cli: a customer's account statement and the collection of an
// open invoice, through the operations the collection screen uses.
#include "ApriEsercizio.h"
#include "Clock.h"
#include "Comandi.h"
#include "DateIt.h"
#include "DisplayMask.h"
#include "EstrattoConto.h"
#include "IncassiCliente.h"
#include "Opzioni.h"
#include "PromptsConsole.h"
#include "TQRDocumenti.h"

namespace {

const char* const usoEstratto =
    "Uso: lavanderia-cli estratto CARTELLA --cliente CODICE [--dal GG/MM/AAAA] [--al GG/MM/AAAA]\n"
    "                            [--anno AAAA] --pdf FILE\n";
const char* const usoIncassa =
    "Uso: lavanderia-cli incassa CARTELLA --cliente CODICE --fattura N --data GG/MM/AAAA [--anno AAAA]\n";

// A whole number option within bounds; false with the message written when it is not one.
bool intero(const Opzioni& o, const QString& nome, qint64 min, qint64 max, qint64& valore, Uscite u)
{
    bool ok = false;
    valore = o.valore(nome).toLongLong(&ok);
    if (ok && valore >= min && valore <= max)
        return true;
    u.err << QStringLiteral("--%1 deve essere un numero intero da %2 a %3.\n").arg(nome).arg(min).arg(max);
    return false;
}

// A date option: absent is allowed unless required; a text that is no date is refused.
bool data(const Opzioni& o, const QString& nome, bool richiesta, QDate& valore, Uscite u)
{
    valore = o.data(nome);
    if (!o.ha(nome) && !richiesta)
        return true;
    if (valore.isValid())
        return true;
    u.err << (o.ha(nome) ? QStringLiteral("--%1: data non valida \"%2\" (usare GG/MM/AAAA).\n").arg(nome, o.valore(nome))
                         : QStringLiteral("Manca --%1.\n").arg(nome));
    return false;
}

// The customer of that code made current; false with the message written when there is none.
bool suCliente(TDataModule1& dm, qint64 codice, Uscite u)
{
    if (dm.TblClienti.locate(QStringLiteral("Codice"), {double(codice)}))
        return true;
    u.err << QStringLiteral("Il cliente %1 non esiste.\n").arg(codice);
    return false;
}

QString nomeCliente(TDataModule1& dm)
{
    return (dm.TblClienti["Denominazione"].asString() + u' ' + dm.TblClienti["Denominazione 2"].asString()).trimmed();
}

} // namespace

int ComandoEstratto(const QStringList& args, Uscite u)
{
    Opzioni o;
    QString errore;
    if (!o.leggi(args, {QStringLiteral("cliente"), QStringLiteral("dal"), QStringLiteral("al"), QStringLiteral("anno"),
                        QStringLiteral("pdf")},
                 errore)) {
        u.err << errore << '\n' << usoEstratto;
        return 1;
    }
    if (o.cartella.isEmpty() || !o.ha(QStringLiteral("cliente")) || o.valore(QStringLiteral("pdf")).isEmpty()) {
        u.err << usoEstratto;
        return 1;
    }
    qint64 cliente = 0, anno = 0;
    QDate dal, al;
    if (!intero(o, QStringLiteral("cliente"), 1, 999999999, cliente, u)
        || !data(o, QStringLiteral("dal"), false, dal, u) || !data(o, QStringLiteral("al"), false, al, u))
        return 1;
    if (dal.isValid() && al.isValid() && al < dal) {
        u.err << "La data --al precede la data --dal.\n";
        return 1;
    }
    anno = al.isValid() ? al.year() : dal.isValid() ? dal.year() : oggi().year();
    if (o.ha(QStringLiteral("anno")) && !intero(o, QStringLiteral("anno"), 1900, 2999, anno, u))
        return 1;

    PromptsConsole prompts(u.err);
    auto dm = ApriEsercizio(o.cartella, int(anno), prompts);
    if (!suCliente(*dm, cliente, u))
        return 1;
    const QString file = o.valore(QStringLiteral("pdf"));
    EstrattoConto estratto(*dm);
    if (!estratto.esportaPdf(file, IncassiCliente::suffissoDate(dal, al))) {
        u.err << QStringLiteral("Nessun movimento del cliente %1 da stampare: il file non è stato scritto.\n").arg(cliente);
        return 1;
    }
    u.out << QStringLiteral("Scheda contabile di %1 (esercizio %2): %3 pagine in %4.\n")
                 .arg(nomeCliente(*dm))
                 .arg(anno)
                 .arg(estratto.report().pageCount())
                 .arg(file);
    return 0;
}

int ComandoIncassa(const QStringList& args, Uscite u)
{
    Opzioni o;
    QString errore;
    if (!o.leggi(args, {QStringLiteral("cliente"), QStringLiteral("fattura"), QStringLiteral("data"), QStringLiteral("anno")},
                 errore)) {
        u.err << errore << '\n' << usoIncassa;
        return 1;
    }
    if (o.cartella.isEmpty() || !o.ha(QStringLiteral("cliente")) || !o.ha(QStringLiteral("fattura"))) {
        u.err << usoIncassa;
        return 1;
    }
    qint64 cliente = 0, numero = 0, anno = 0;
    QDate quando;
    if (!intero(o, QStringLiteral("cliente"), 1, 999999999, cliente, u)
        || !intero(o, QStringLiteral("fattura"), 1, 32767, numero, u)
        || !data(o, QStringLiteral("data"), true, quando, u))
        return 1;
    anno = quando.year();
    if (o.ha(QStringLiteral("anno")) && !intero(o, QStringLiteral("anno"), 1900, 2999, anno, u))
        return 1;

    PromptsConsole prompts(u.err);
    auto dm = ApriEsercizio(o.cartella, int(anno), prompts);
    if (!suCliente(*dm, cliente, u))
        return 1;
    IncassiCliente incassi(*dm);
    incassi.Apri();
    if (!incassi.TrovaFattura(int(numero))) {
        u.err << QStringLiteral("Il cliente %1 non ha la fattura n° %2 da incassare nell'esercizio %3.\n")
                     .arg(cliente)
                     .arg(numero)
                     .arg(anno);
        return 1;
    }
    const Money importo = -dm->TblPrimaNota["Importo"].asMoney();
    incassi.Incassa(quando);
    incassi.Chiudi();
    u.out << QStringLiteral("Fattura n° %1 di %2 incassata il %3: %4.\n")
                 .arg(numero)
                 .arg(nomeCliente(*dm), formatDate(quando), formatCurrency(importo.toDouble()));
    return 0;
}
