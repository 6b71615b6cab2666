// The service jobs of lavanderia-cli: the weekly sheet of a route, the list of pending
// deliveries, the consumption statistic of a customer and the inventory, each written as a PDF
// through the same operations the windows call.
#include "ComandiServizi.h"
#include "DateIt.h"
#include "Errors.h"
#include "ElencoSospesi.h"
#include "Inventario.h"
#include "Report.h"
#include "StampaServizi.h"
#include "StatisticaConsumi.h"
#include "TDataModule1.h"
#include "TQRLInventario.h"
#include "TQRMDStatistica.h"
#include "TQRSchedaSettimanale.h"
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cstdio>
#include <filesystem>

namespace {

// Without a person to answer: messages go to the error output, questions get their refusal.
class PromptsRigaDiComando : public Prompts
{
public:
    explicit PromptsRigaDiComando(QTextStream& e) : err(e) {}
    Answer message(MsgType, const QString& text, Buttons buttons) override
    {
        err << text << '\n';
        return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> dataSospeso() override { return std::nullopt; }

private:
    QTextStream& err;
};

// The options of a command: "--nome valore" or "--nome=valore", switches without a value, and
// the one folder.
struct Opzioni
{
    QString cartella;
    QMap<QString, QString> valori;
    QStringList interruttori;
    QString errore;

    QString valore(const char* nome) const { return valori.value(QString::fromLatin1(nome)); }
    bool ha(const char* nome) const { return valori.contains(QString::fromLatin1(nome)); }
    bool attivo(const char* nome) const { return interruttori.contains(QString::fromLatin1(nome)); }
};

Opzioni leggiOpzioni(const QStringList& args, const QStringList& conValore, const QStringList& senzaValore)
{
    Opzioni o;
    for (int i = 0; i < args.size() && o.errore.isEmpty(); ++i) {
        QString a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            if (o.cartella.isEmpty())
                o.cartella = a;
            else
                o.errore = QStringLiteral("Argomento non riconosciuto: %1").arg(a);
            continue;
        }
        QString valore;
        bool conUguale = false;
        if (a.contains(u'=')) {
            valore = a.section(u'=', 1);
            a = a.section(u'=', 0, 0);
            conUguale = true;
        }
        const QString nome = a.mid(2);
        if (senzaValore.contains(nome) && !conUguale) {
            o.interruttori << nome;
        } else if (conValore.contains(nome)) {
            if (!conUguale) {
                if (i + 1 >= args.size()) {
                    o.errore = QStringLiteral("Manca il valore di %1.").arg(a);
                    break;
                }
                valore = args[++i];
            }
            o.valori[nome] = valore;
        } else {
            o.errore = QStringLiteral("Argomento non riconosciuto: %1").arg(args[i]);
        }
    }
    if (o.errore.isEmpty() && o.cartella.isEmpty())
        o.errore = QStringLiteral("Manca la cartella di lavoro.");
    return o;
}

// A date typed as GG/MM/AAAA; the error names the option.
bool leggiData(const Opzioni& o, const char* nome, QDate& data, Uscite u)
{
    data = parseDate(o.valore(nome));
    if (!data.isValid()) {
        u.err << QStringLiteral("Data non valida per --%1: '%2' (scrivere GG/MM/AAAA).\n")
                     .arg(QString::fromLatin1(nome), o.valore(nome));
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
    PromptsRigaDiComando prompts;
    TDataModule1 dm;
};

// Writes the document whole under a temporary name beside the target, then moves it into
// place: an interrupted export never leaves half a file. An empty document writes nothing.
int scriviPdf(ReportDocument& documento, const QString& file, Uscite u, const QString& vuoto)
{
    if (documento.prepare() == 0) {
        u.out << vuoto << '\n';
        return 0;
    }
    const QFileInfo destinazione(file);
    QTemporaryFile temporaneo(destinazione.absoluteDir().filePath(destinazione.fileName() + QStringLiteral(".XXXXXX")));
    if (!temporaneo.open()) {
        u.err << QStringLiteral("Impossibile scrivere nella cartella %1.\n").arg(QDir::toNativeSeparators(destinazione.absolutePath()));
        return 1;
    }
    temporaneo.close();
    if (!documento.pages().writePdf(temporaneo.fileName(), documento.title)) {
        u.err << QStringLiteral("Impossibile scrivere il file %1.\n").arg(QDir::toNativeSeparators(file));
        return 1;
    }
    std::error_code errore;
    std::filesystem::rename(temporaneo.fileName().toStdString(), destinazione.absoluteFilePath().toStdString(), errore);
    if (errore) {
        u.err << QStringLiteral("Impossibile scrivere il file %1.\n").arg(QDir::toNativeSeparators(file));
        return 1;
    }
    temporaneo.setAutoRemove(false);
    const int pagine = documento.pageCount();
    u.out << QStringLiteral("%1: %2 %3.\n")
                 .arg(QDir::toNativeSeparators(file))
                 .arg(pagine)
                 .arg(pagine == 1 ? QStringLiteral("pagina") : QStringLiteral("pagine"));
    return 0;
}

bool mancaPdf(const Opzioni& o, const char* uso, Uscite u)
{
    if (!o.errore.isEmpty() || !o.ha("pdf") || o.valore("pdf").isEmpty()) {
        if (!o.errore.isEmpty())
            u.err << o.errore << '\n';
        u.err << uso;
        return true;
    }
    return false;
}

bool periodoValido(const QDate& dal, const QDate& al, Uscite u)
{
    if (al < dal) {
        u.err << QStringLiteral("La data finale del periodo (%1) precede quella iniziale (%2).\n").arg(formatDate(al), formatDate(dal));
        return false;
    }
    return true;
}

} // namespace

int ComandoServizio(const QStringList& args, Uscite u)
{
    const char* uso = "Uso: lavanderia-cli servizio CARTELLA --giro NOME --settimana GG/MM/AAAA --pdf FILE [--vecchia]\n";
    const Opzioni o = leggiOpzioni(args, {"giro", "settimana", "pdf"}, {"vecchia"});
    if (mancaPdf(o, uso, u))
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
    const Opzioni o = leggiOpzioni(args, {"pdf", "revisione"}, {});
    if (mancaPdf(o, uso, u))
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
    const Opzioni o = leggiOpzioni(args, {"cliente", "dal", "al", "pdf"}, {"sintetico"});
    if (mancaPdf(o, uso, u))
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
        if ((o.ha("dal") && !leggiData(o, "dal", p.dal, u)) || (o.ha("al") && !leggiData(o, "al", p.al, u))
            || !periodoValido(p.dal, p.al, u))
            return 1;
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
    const Opzioni o = leggiOpzioni(args, {"dal", "al", "articolo", "pdf"}, {});
    if (mancaPdf(o, uso, u))
        return 1;
    if (!o.ha("dal") || !o.ha("al")) {
        u.err << uso;
        return 1;
    }
    QDate dal, al;
    if (!leggiData(o, "dal", dal, u) || !leggiData(o, "al", al, u) || !periodoValido(dal, al, u))
        return 1;
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
