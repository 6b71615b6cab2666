// Kills at random points: four jobs that write the archives (the copy taken on exit, the rebuild
// of the totals, the creation of the next year, the demo archive) are killed with SIGKILL while
// they run, and after every kill the files they write must pass SQLite's integrity check, hold
// either what they held before the job or what the job writes, and open in the data module.
//
//     ProvaGuasti [--volte N] [--seme S] [--scala N]      (100 kills per job, seed 1, scale 1)
//
// Each job runs in a child process on a fresh copy of a prepared working folder. The child
// tells the parent through a pipe when the job begins; the parent kills it after a random delay
// of up to the job's own duration (measured on a run that is not killed) and a tenth more, so
// that a few runs end before the kill. The counts are printed per job; the exit code is 1 when
// any run left files that fail a check.
#include "Clock.h"
#include "CopiaArchivi.h"
#include "DatiDemo.h"
#include "Errors.h"
#include "ScriptedPrompts.h"
#include "TDataModule1.h"
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QTextStream out(stdout);

// A check that failed: what is wrong with which file.
struct Guasto
{
    QString motivo;
};

const int anno = oggi().year();

QString annoIn(const QString& cartella, int a)
{
    return QDir(cartella).absoluteFilePath(QString::number(a));
}

QString archivioIn(const QString& cartella)
{
    return QDir(cartella).absoluteFilePath(QStringLiteral("archivi/DBLav.db"));
}

QString copiaDelGiorno(const QString& cartella)
{
    return QDir(cartella).absoluteFilePath(QStringLiteral("%1/DBLav.db").arg(oggi().dayOfWeek() % 7 + 1));
}

// The content of a database file as one hash: its schema and every row of every table. The
// file is opened read-write, as the program would, so that SQLite first rolls back what a
// killed writer left in its journal; then it must pass the full integrity check. A file that
// is not there is "assente".
QByteArray impronta(const QString& file)
{
    if (!QFileInfo::exists(file))
        return QByteArrayLiteral("assente");
    static int n = 0;
    const QString nome = QStringLiteral("impronta%1").arg(++n);
    QByteArray risultato;
    QString errore;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        c.setDatabaseName(file);
        if (!c.open()) {
            errore = c.lastError().text();
        } else {
            QSqlQuery q(c);
            if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok")) {
                errore = QStringLiteral("integrity_check: %1").arg(q.lastError().isValid() ? q.lastError().text() : q.value(0).toString());
            } else {
                QCryptographicHash h(QCryptographicHash::Sha1);
                QStringList tabelle;
                q.exec(QStringLiteral("SELECT name, sql FROM sqlite_master ORDER BY type, name"));
                while (q.next()) {
                    h.addData(q.value(1).toString().toUtf8());
                    if (q.value(1).toString().startsWith(QLatin1String("CREATE TABLE")))
                        tabelle << q.value(0).toString();
                }
                for (const QString& t : tabelle) {
                    QSqlQuery righe(c);
                    righe.setForwardOnly(true);
                    if (!righe.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t))) {
                        errore = QStringLiteral("%1: %2").arg(t, righe.lastError().text());
                        break;
                    }
                    while (righe.next())
                        for (int i = 0; i < righe.record().count(); ++i)
                            h.addData(righe.value(i).toString().toUtf8().append('\x1f'));
                }
                risultato = h.result().toHex();
            }
        }
        c.close();
    }
    QSqlDatabase::removeDatabase(nome);
    if (!errore.isEmpty())
        throw Guasto{QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), errore)};
    return risultato;
}

// The data module started on a working folder in a year, as the program starts: it must open
// the ledger and show no error.
void apri(const QString& cartella, int a)
{
    ScriptedPrompts prompts;
    TDataModule1 dm(prompts, cartella);
    dm.sceltaAnno = [&] { dm.CambiaAnno(a); };
    const bool aperto = dm.Avvia();
    for (const Prompt& p : prompts.shown())
        if (p.type == MsgType::Error)
            throw Guasto{QStringLiteral("all'avvio nell'anno %1: %2").arg(a).arg(p.text)};
    if (!aperto)
        throw Guasto{QStringLiteral("l'anno %1 non si apre").arg(a)};
}

void copiaAlbero(const QString& da, const QString& a)
{
    QDirIterator it(da, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    QDir().mkpath(a);
    while (it.hasNext()) {
        const QFileInfo voce(it.next());
        const QString destinazione = QDir(a).absoluteFilePath(QDir(da).relativeFilePath(voce.absoluteFilePath()));
        if (voce.isDir())
            QDir().mkpath(destinazione);
        else if (!QFile::copy(voce.absoluteFilePath(), destinazione))
            throw Guasto{QStringLiteral("copia di %1 non riuscita").arg(voce.absoluteFilePath())};
    }
}

// One job: how its starting folder is made, what the child does (start-up first, then the
// job proper after `via`), the state of the files it writes, and the check that they open.
struct Lavoro
{
    QString nome;
    std::function<void(const QString&)> prepara;
    std::function<void(const QString&, const std::function<void()>& via)> esegui;
    std::function<QByteArray(const QString&)> stato;
    std::function<void(const QString&)> apre;
};

// A working folder with the demo data and the year's ledger.
void cartellaDemo(const QString& cartella, int scala)
{
    TDataModule1::CreaArchivio(cartella);
    {
        Database db(QStringLiteral("ProvaGuastiDemo"));
        db.open(QDir(cartella).absoluteFilePath(QStringLiteral("archivi")));
        CreaDatiDemo(db, scala, 1);
    }
    QDir().mkpath(annoIn(cartella, anno));
    apri(cartella, anno);
}

// The data module of a child, started in the year.
struct Avviato
{
    explicit Avviato(const QString& cartella) : dm(prompts, cartella)
    {
        dm.sceltaAnno = [this] { dm.CambiaAnno(anno); };
        if (!dm.Avvia())
            throw Guasto{QStringLiteral("avvio non riuscito")};
    }
    ScriptedPrompts prompts;
    TDataModule1 dm;
};

QList<Lavoro> lavori(int scala)
{
    QList<Lavoro> l;
    l.append({QStringLiteral("copia all'uscita"),
              [scala](const QString& c) {
                  cartellaDemo(c, scala);
                  {
                      Avviato a(c);
                      CopiaArchivi(a.dm, nullptr);   // last week's copy
                      a.dm.db.exec(QStringLiteral("UPDATE Agenti SET Nominativo = Nominativo || ' bis'"));
                  }
              },
              [](const QString& c, const std::function<void()>& via) {
                  Avviato a(c);
                  via();
                  if (!CopiaArchivi(a.dm, nullptr).isEmpty())
                      throw Guasto{QStringLiteral("copia incompleta")};
              },
              [](const QString& c) { return impronta(copiaDelGiorno(c)) + impronta(archivioIn(c)); },
              [](const QString& c) { apri(c, anno); }});
    l.append({QStringLiteral("ricalcolo dei totali"),
              [scala](const QString& c) { cartellaDemo(c, scala); },
              [](const QString& c, const std::function<void()>& via) {
                  Avviato a(c);
                  via();
                  a.dm.RicalcolaTotali();
              },
              [](const QString& c) { return impronta(archivioIn(c)); },
              [](const QString& c) { apri(c, anno); }});
    l.append({QStringLiteral("creazione dell'anno"),
              [scala](const QString& c) { cartellaDemo(c, scala); },
              [](const QString& c, const std::function<void()>& via) {
                  Avviato a(c);
                  via();
                  a.dm.CreaAnnoSuccessivo();
              },
              [](const QString& c) {
                  return impronta(QDir(annoIn(c, anno + 1)).absoluteFilePath(QStringLiteral("PrimaNota.db")))
                         + impronta(QDir(annoIn(c, anno)).absoluteFilePath(QStringLiteral("PrimaNota.db")))
                         + impronta(archivioIn(c));
              },
              [](const QString& c) {
                  apri(c, anno);
                  if (QFileInfo::exists(QDir(annoIn(c, anno + 1)).absoluteFilePath(QStringLiteral("PrimaNota.db"))))
                      apri(c, anno + 1);
              }});
    // lavanderia-cli demo itself, on a new folder.
    l.append({QStringLiteral("demo"),
              [](const QString& c) { QDir().mkpath(c); },
              [scala](const QString& c, const std::function<void()>& via) {
                  via();
                  const QByteArray cli = QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/lavanderia-cli"));
                  const QByteArray cartella = QFile::encodeName(c);
                  const QByteArray s = QByteArray::number(scala);
                  const int nulla = ::open("/dev/null", O_WRONLY);
                  dup2(nulla, STDOUT_FILENO);
                  execl(cli.constData(), cli.constData(), "demo", cartella.constData(), "--scale", s.constData(), nullptr);
                  _exit(4);
              },
              [](const QString& c) {
                  return impronta(archivioIn(c)) + impronta(QDir(annoIn(c, anno - 1)).absoluteFilePath(QStringLiteral("PrimaNota.db")))
                         + impronta(QDir(annoIn(c, anno)).absoluteFilePath(QStringLiteral("PrimaNota.db")));
              },
              [](const QString& c) {
                  if (!TDataModule1::archivioMancante(c))
                      apri(c, anno);
              }});
    return l;
}

// Runs the job in a child on a copy of the prepared folder. With uccidiDopo < 0 the job runs
// to its end; returns whether it ended by itself and, through durata, how long the job took.
bool eseguiFiglio(const Lavoro& lavoro, const QString& cartella, qint64 uccidiDopoUs, qint64* durataUs)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        throw Guasto{QStringLiteral("pipe non riuscita")};
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(tubo[0]);
        int codice = 0;
        try {
            lavoro.esegui(cartella, [&] {
                const char c = 'v';
                if (::write(tubo[1], &c, 1) != 1)
                    _exit(3);
            });
            const char fine = 'f';   // the job is done: what follows is the end of the process
            if (::write(tubo[1], &fine, 1) != 1)
                _exit(3);
        } catch (const Guasto& g) {
            std::fprintf(stderr, "%s\n", qPrintable(g.motivo));
            codice = 2;
        } catch (const LavError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            codice = 2;
        }
        _exit(codice);
    }
    ::close(tubo[1]);
    char c = 0;
    const bool partito = ::read(tubo[0], &c, 1) == 1;
    QElapsedTimer t;
    t.start();
    if (partito && uccidiDopoUs >= 0) {
        usleep(useconds_t(uccidiDopoUs));
        kill(pid, SIGKILL);
    } else if (partito) {
        [[maybe_unused]] const ssize_t letti = ::read(tubo[0], &c, 1);   // the end of the job, or of the process
    }
    if (durataUs)
        *durataUs = t.nsecsElapsed() / 1000;
    ::close(tubo[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        throw Guasto{QStringLiteral("il lavoro è finito con un errore (%1)").arg(WEXITSTATUS(status))};
    return WIFEXITED(status);
}

struct Conteggi
{
    int prima = 0, dopo = 0, finiti = 0, guasti = 0;
};

Conteggi prova(const Lavoro& lavoro, int volte, std::mt19937& caso, const QString& base)
{
    const QString preparata = QDir(base).absoluteFilePath(QStringLiteral("preparata"));
    QDir(preparata).removeRecursively();
    lavoro.prepara(preparata);
    const QByteArray prima = lavoro.stato(preparata);

    // The states a sound run leaves: measured on copies that are not killed.
    const QString intera = QDir(base).absoluteFilePath(QStringLiteral("intera"));
    QDir(intera).removeRecursively();
    copiaAlbero(preparata, intera);
    qint64 durata = 0;
    eseguiFiglio(lavoro, intera, -1, &durata);
    const QByteArray dopo = lavoro.stato(intera);
    QDir(intera).removeRecursively();
    out << QStringLiteral("%1: il lavoro dura %2 ms\n").arg(lavoro.nome).arg(durata / 1000.0, 0, 'f', 1);
    out.flush();

    Conteggi n;
    std::uniform_int_distribution<qint64> ritardo(0, durata + durata / 10);
    for (int i = 0; i < volte; ++i) {
        const QString cartella = QDir(base).absoluteFilePath(QStringLiteral("prova%1").arg(i));
        copiaAlbero(preparata, cartella);
        const qint64 dopoUs = ritardo(caso);
        try {
            const bool finito = eseguiFiglio(lavoro, cartella, dopoUs, nullptr);
            const QByteArray stato = lavoro.stato(cartella);
            if (finito && stato != dopo)
                throw Guasto{QStringLiteral("finito, ma i file non sono quelli attesi")};
            if (stato == prima)
                ++n.prima;
            else if (stato == dopo)
                ++(finito ? n.finiti : n.dopo);
            else
                throw Guasto{QStringLiteral("i file non sono né quelli di prima né quelli di dopo")};
            lavoro.apre(cartella);
        } catch (const Guasto& g) {
            ++n.guasti;
            out << QStringLiteral("  ucciso dopo %1 ms: %2\n").arg(dopoUs / 1000.0, 0, 'f', 1).arg(g.motivo);
        } catch (const LavError& e) {
            ++n.guasti;
            out << QStringLiteral("  ucciso dopo %1 ms: %2\n").arg(dopoUs / 1000.0, 0, 'f', 1).arg(e.message());
        }
        QDir(cartella).removeRecursively();
        QDir(cartella + QStringLiteral(".nuova")).removeRecursively();   // what a killed demo was filling
    }
    QDir(preparata).removeRecursively();
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int volte = 100, scala = 1;
    quint32 seme = 1;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--volte"))
            volte = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seme"))
            seme = args[i + 1].toUInt();
        else if (args[i] == QLatin1String("--scala"))
            scala = args[i + 1].toInt();
    }
    if (volte <= 0 || scala <= 0 || args.size() % 2 != 0) {
        std::fprintf(stderr, "Uso: ProvaGuasti [--volte N] [--seme S] [--scala N]\n");
        return 1;
    }

    std::mt19937 caso(seme);
    QTemporaryDir base;
    int guasti = 0;
    for (const Lavoro& l : lavori(scala)) {
        Conteggi n;
        try {
            n = prova(l, volte, caso, base.path());
        } catch (const Guasto& g) {
            out << QStringLiteral("%1: preparazione non riuscita: %2\n").arg(l.nome, g.motivo);
            return 1;
        }
        guasti += n.guasti;
        out << QStringLiteral("%1: %2 uccisioni, file come prima %3, come dopo %4, lavoro finito prima %5")
                   .arg(l.nome)
                   .arg(volte)
                   .arg(n.prima)
                   .arg(n.dopo)
                   .arg(n.finiti);
        out << QStringLiteral(", guasti %1\n").arg(n.guasti);
        out.flush();
    }
    return guasti == 0 ? 0 : 1;
}
