// The service jobs of lavanderia-cli: the weekly sheet of a route, the list of pending
// deliveries, the consumption statistic of a customer and the inventory, each written as a PDF
// through the same operations the windows call.
#include "ComandiServizi.h"
#include "DateIt.h"
#include "Errors.h"
#include "ElencoSospesi.h"
#include "Opzioni.h"
#include "Periodo.h"
#include "PromptsConsole.h"
#include "Inventario.h"
#include "Report.h"
#include "StampaServizi.h"
#include "StatisticaConsumi.h"
#include "TDataModule1.h"
#include "TQRLInventario.h"
#include "TQRMDStatistica.h"
#include "TQRSchedaSettimanale.h"
#include <QDir>
#include <QSqlQuery>

namespace {

// The command's options read with its folder and its PDF file; false, with the reason and the
// usage on the error output, when they are not.
bool leggiOpzioni(Opzioni& o, const QStringList& args, const QStringList& nomi, const QStringList& interruttori,
                  const char* uso, Uscite u)
{
    QString errore;
    if (!o.leggi(args, nomi, errore, interruttori))
        u.err << errore << '\n';
    else if (o.cartella.isEmpty())
        u.err << QStringLiteral("Manca la cartella di lavoro.\n");
    else if (!o.valore(QStringLiteral("pdf")).isEmpty())
        return true;
    u.err << uso;
    return false;
}

// A date typed as GG/MM/AAAA; the error names the option.
bool leggiData(const Opzioni& o, const char* nome, QDate& data, Uscite u)
{
    data = o.data(QString::fromLatin1(nome));
    if (!data.isValid()) {
        u.err << QStringLiteral("Data non valida per --%1: '%2' (scrivere GG/MM/AAAA).\n")
                     .arg(QString::fromLatin1(nome), o.valore(QString::fromLatin1(nome)));
        return false;
    }
    return true;
}

// The archive of a working folder with the data module on it; only the tables a job reads
// are opened, and nothing of the fiscal years is touched.
struct Archivio
{
    Archivio(const QString& cartella, QTextStream& err) : prompts(err), dm(prompts, cartella)
    {
        if (TDataModule1::archivioMancante(cartella))
            throw LavError(QStringLiteral("Nella cartella %1 non c'è un archivio.").arg(cartella));
        dm.db.open(dm.cartellaArchivi());
        if (!dm.db.tableExists(QStringLiteral("Parametri")))
            throw LavError(QStringLiteral("Il file '%1' non è un archivio del programma.")
                               .arg(QDir::toNativeSeparators(dm.db.filePath())));
    }
    void apri(std::initializer_list<Table*> tabelle)
    {
        for (Table* t : tabelle)
            t->open();
    }
    PromptsConsole prompts;
    TDataModule1 dm;
};

// The document as a PDF (written whole and moved into place by the report engine); an empty
// document writes nothing.
int scriviPdf(ReportDocument& documento, const QString& file, Uscite u, const QString& vuoto)
{
    if (documento.prepare() == 0) {
        u.out << vuoto << '\n';
        return 0;
    }
    if (!documento.pages().writePdf(file, documento.title)) {
        u.err << QStringLiteral("Impossibile scrivere il file %1.\n").arg(QDir::toNativeSeparators(file));
        return 1;
    }
    const int pagine = documento.pageCount();
    u.out << QStringLiteral("%1: %2 %3.\n")
                 .arg(QDir::toNativeSeparators(file))
                 .arg(pagine)
                 .arg(pagine == 1 ? QStringLiteral("pagina") : QStringLiteral("pagine"));
    return 0;
}

} // namespace

int ComandoServizio(const QStringList& args, Uscite u)
{
    const char* uso = "Uso: lavanderia-cli servizio CARTELLA --giro NOME --settimana GG/MM/AAAA --pdf FILE [--vecchia]\n";
    Opzioni o;
    if (!leggiOpzioni(o, args, {"giro", "settimana", "pdf"}, {"vecchia"}, uso, u))
        return 1;
    if (!o.ha("giro") || !o.ha("settimana")) {
        u.err << uso;
        return 1;
    }
    QDate riferimento;
    if (!leggiData(o, "settimana", riferimento, u))
        return 1;
    Archivio a(o.cartella, u.err);
    int giro = StampaServizi::CercaGiro(a.dm.db, o.valore("giro"));
    if (giro == 0) {
        bool numero = false;
        const int codice = o.valore("giro").toInt(&numero);
        QSqlQuery q = a.dm.db.exec(QStringLiteral("SELECT Codice FROM Iter WHERE Codice = ?"), {codice});
        if (numero && q.next())
            giro = codice;
    }
    if (giro == 0) {
        u.err << QStringLiteral("Non c'è un giro '%1'.\n").arg(o.valore("giro"));
        return 1;
    }
    StampaServizi stampa(a.dm);
    TQRSchedaSettimanale& r = stampa.Prepara(giro, o.attivo("vecchia") ? LayoutScheda::Vecchia : LayoutScheda::Corrente, riferimento);
    const int esito = scriviPdf(r, o.valore("pdf"), u, QStringLiteral("Il giro non ha interventi: nessuna scheda da stampare."));
    stampa.Chiudi();
    return esito;
}

int ComandoSospesi(const QStringList& args, Uscite u)
{
    const char* uso = "Uso: lavanderia-cli sospesi CARTELLA --pdf FILE [--revisione TESTO]\n";
    Opzioni o;
    if (!leggiOpzioni(o, args, {"pdf", "revisione"}, {}, uso, u))
        return 1;
    Archivio a(o.cartella, u.err);
    a.apri({&a.dm.TblSospesi});
    ElencoSospesi elenco(a.dm);
    return scriviPdf(elenco.Prepara(o.valore("revisione")), o.valore("pdf"), u, QString());
}

int ComandoConsumi(const QStringList& args, Uscite u)
{
    const char* uso = "Uso: lavanderia-cli consumi CARTELLA --cliente CODICE [--dal GG/MM/AAAA] [--al GG/MM/AAAA] "
                      "[--sintetico] --pdf FILE\n";
    Opzioni o;
    if (!leggiOpzioni(o, args, {"cliente", "dal", "al", "pdf"}, {"sintetico"}, uso, u))
        return 1;
    bool numero = false;
    const double cliente = o.valore("cliente").toDouble(&numero);
    if (!numero) {
        u.err << uso;
        return 1;
    }
    std::optional<PeriodoConsumi> periodo;
    if (o.ha("dal") || o.ha("al")) {
        PeriodoConsumi p{QDate(1900, 1, 1), QDate(2100, 12, 31)};
        if ((o.ha("dal") && !leggiData(o, "dal", p.dal, u)) || (o.ha("al") && !leggiData(o, "al", p.al, u)))
            return 1;
        ControllaPeriodo(p.dal, p.al);
        periodo = p;
    }
    Archivio a(o.cartella, u.err);
    TDataModule1& dm = a.dm;
    a.apri({&dm.TblServizi, &dm.TblClienti, &dm.TblSedi, &dm.TblConsumi});
    if (!dm.TblClienti.locate(QStringLiteral("Codice"), {cliente})) {
        u.err << QStringLiteral("Non c'è un cliente con il codice %1.\n").arg(o.valore("cliente"));
        return 1;
    }
    StatisticaConsumi statistica(dm);
    TQRMDStatistica& r = statistica.PreparaStampa(!o.attivo("sintetico"), periodo);
    return scriviPdf(r, o.valore("pdf"), u, QStringLiteral("Il cliente non ha sedi: nessuna statistica da stampare."));
}

int ComandoInventario(const QStringList& args, Uscite u)
{
    const char* uso = "Uso: lavanderia-cli inventario CARTELLA --dal GG/MM/AAAA --al GG/MM/AAAA [--articolo CODICE] --pdf FILE\n";
    Opzioni o;
    if (!leggiOpzioni(o, args, {"dal", "al", "articolo", "pdf"}, {}, uso, u))
        return 1;
    if (!o.ha("dal") || !o.ha("al")) {
        u.err << uso;
        return 1;
    }
    QDate dal, al;
    if (!leggiData(o, "dal", dal, u) || !leggiData(o, "al", al, u))
        return 1;
    ControllaPeriodo(dal, al);
    Archivio a(o.cartella, u.err);
    QString articolo;
    if (o.ha("articolo")) {
        QSqlQuery q = a.dm.db.exec(QStringLiteral("SELECT Descrizione, Tipo FROM Servizi WHERE Codice = ?"),
                                   {o.valore("articolo").toDouble()});
        if (!q.next()) {
            u.err << QStringLiteral("Non c'è un articolo con il codice %1.\n").arg(o.valore("articolo"));
            return 1;
        }
        articolo = Inventario::TestoArticolo(q.value(0).toString(), q.value(1).toString());
    }
    Inventario inventario(a.dm);
    return scriviPdf(inventario.Prepara(articolo, dal, al), o.valore("pdf"), u,
                     QStringLiteral("Nessun movimento nel periodo: nessun inventario da stampare."));
}
