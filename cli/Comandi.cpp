#include "Comandi.h"
#include "BloccoCartella.h"
#include "Clock.h"
#include "DatiDemo.h"
#include "Database.h"
#include "Errors.h"
#include "FileSicuri.h"
#include "TDataModule1.h"
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <cstdio>

QString cartellaArchivi(const QString& cartella)
{
    return QDir(cartella).absoluteFilePath(QStringLiteral("archivi"));
}

namespace {

// Creates the archive of a working folder, making the folder when it is missing.
void CreaArchivioIn(const QString& cartella)
{
    if (!QDir().mkpath(cartella))
        throw LavError(QStringLiteral("Impossibile creare la cartella %1.").arg(cartella));
    TDataModule1::CreaArchivio(cartella);
}

// A whole number from text, within bounds.
bool leggiIntero(const QString& testo, qint64 min, qint64 max, qint64& valore)
{
    bool ok = false;
    valore = testo.toLongLong(&ok);
    return ok && valore >= min && valore <= max;
}

} // namespace

int ComandoInit(const QStringList& args, Uscite u)
{
    if (args.size() != 1) {
        u.err << "Uso: lavanderia-cli init CARTELLA\n";
        return 1;
    }
    const QString cartella = args[0];
    if (!TDataModule1::archivioMancante(cartella)) {
        u.err << QStringLiteral("La cartella %1 contiene già un archivio.\n").arg(cartella);
        return 1;
    }
    CreaArchivioIn(cartella);
    u.out << QStringLiteral("Archivio creato in %1.\n").arg(cartellaArchivi(cartella));
    return 0;
}

int ComandoDemo(const QStringList& args, Uscite u)
{
    QString cartella;
    qint64 scala = 1, seme = 1;
    for (int i = 0; i < args.size(); ++i) {
        QString a = args[i], valore;
        const bool opzione = a.startsWith(QLatin1String("--"));
        if (opzione && a.contains(u'=')) {
            valore = a.section(u'=', 1);
            a = a.section(u'=', 0, 0);
        } else if (opzione && i + 1 < args.size()) {
            valore = args[++i];
        }
        if (a == QLatin1String("--scale")) {
            if (!leggiIntero(valore, 1, 200, scala)) {
                u.err << "La scala deve essere un numero intero da 1 a 200.\n";
                return 1;
            }
        } else if (a == QLatin1String("--seed")) {
            if (!leggiIntero(valore, 0, 4294967295LL, seme)) {
                u.err << "Il seme deve essere un numero intero da 0 a 4294967295.\n";
                return 1;
            }
        } else if (opzione || !cartella.isEmpty()) {
            u.err << QStringLiteral("Argomento non riconosciuto: %1\n").arg(args[i]);
            u.err << "Uso: lavanderia-cli demo CARTELLA [--scale N] [--seed S]\n";
            return 1;
        } else {
            cartella = a;
        }
    }
    if (cartella.isEmpty()) {
        u.err << "Uso: lavanderia-cli demo CARTELLA [--scale N] [--seed S]\n";
        return 1;
    }

    QElapsedTimer tempo;
    tempo.start();
    // A new (or empty) folder is filled beside it and takes its place in one rename when the
    // office is complete, so that a kill half-way leaves the folder as it was, never a
    // half-made archive or year.
    const QString destinazione = QDir::cleanPath(QDir(cartella).absolutePath());
    const QDir d(destinazione);
    const bool nuova = !d.exists() || d.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const QString lavoro = nuova ? destinazione + QStringLiteral(".nuova") : destinazione;
    if (nuova)
        QDir(lavoro).removeRecursively();   // left by a run that was stopped
    if (TDataModule1::archivioMancante(lavoro))
        CreaArchivioIn(lavoro);
    Database db(QStringLiteral("lavanderia-cli"));
    db.open(cartellaArchivi(lavoro));
    CreaDatiDemo(db, int(scala), quint32(seme));
    db.close();
    CreaEserciziDemo(lavoro, quint32(seme));
    if (nuova) {
        BloccoCartella::rilascia(lavoro);
        QDir().mkpath(QFileInfo(destinazione).absolutePath());
        if (std::rename(QFile::encodeName(lavoro).constData(), QFile::encodeName(destinazione).constData()) != 0)
            throw LavError(QStringLiteral("Impossibile spostare i dati dimostrativi da %1 in %2.")
                               .arg(QDir::toNativeSeparators(lavoro), QDir::toNativeSeparators(destinazione)));
        sincronizzaSuDisco(QFileInfo(destinazione).absolutePath());
    }

    db.open(cartellaArchivi(cartella));
    auto conta = [&](const QString& tabella) { return db.recordCount(tabella); };
    const int anno = oggi().year();
    u.out << QStringLiteral("Dati dimostrativi creati in %1 s: %2 clienti, %3 sedi, %4 noleggi, "
                            "%5 agenti, %6 giri, %7 articoli, %8 interventi, %9 sospesi;")
                 .arg(QLocale(QLocale::Italian).toString(tempo.elapsed() / 1000.0, 'f', 1))
                 .arg(conta(QStringLiteral("Clienti")))
                 .arg(conta(QStringLiteral("Sedi")))
                 .arg(conta(QStringLiteral("Noleggi")))
                 .arg(conta(QStringLiteral("Agenti")))
                 .arg(conta(QStringLiteral("Iter")))
                 .arg(conta(QStringLiteral("Servizi")))
                 .arg(conta(QStringLiteral("Interventi")))
                 .arg(conta(QStringLiteral("Sospesi")))
          << QStringLiteral(" esercizi %1 e %2 con %3 e %4 movimenti di prima nota.\n")
                 .arg(anno - 1)
                 .arg(anno)
                 .arg(conta(TDataModule1::nomeLedger(anno - 1)))
                 .arg(conta(TDataModule1::nomeLedger(anno)));
    db.close();
    return 0;
}

QString TestoValore(const QVariant& v)
{
    if (v.isNull())
        return {};
    QString t;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        // SQLite writes a real with 15 significant digits and always a decimal point.
        t = QString::asprintf("%.15g", v.toDouble());
        const bool numero = !t.contains(u'n') && !t.contains(u'i');   // not nan or inf
        if (numero && !t.contains(u'.')) {
            const qsizetype e = t.indexOf(u'e');
            t.insert(e < 0 ? t.size() : e, QStringLiteral(".0"));
        }
    } else if (v.typeId() == QMetaType::QByteArray) {
        t = QString::fromUtf8(v.toByteArray());
    } else {
        t = v.toString();
    }
    t.replace(u'\\', QStringLiteral("\\\\"));
    t.replace(u'\t', QStringLiteral("\\t"));
    t.replace(u'\n', QStringLiteral("\\n"));
    t.replace(u'\r', QStringLiteral("\\r"));
    return t;
}

int ComandoSql(const QStringList& args, Uscite u)
{
    if (args.size() != 2) {
        u.err << "Uso: lavanderia-cli sql CARTELLA ISTRUZIONE\n";
        return 1;
    }
    const QString cartella = args[0];
    if (TDataModule1::archivioMancante(cartella)) {
        u.err << QStringLiteral("Nella cartella %1 non c'è un archivio.\n").arg(cartella);
        return 1;
    }
    Database db(QStringLiteral("lavanderia-cli"));
    db.open(cartellaArchivi(cartella));

    // One statement at a time; what is wrong is said in Italian.
    auto motivo = [](const QSqlError& e) {
        return sqliteMessage(e.nativeErrorCode().toInt(), e.databaseText().isEmpty() ? e.driverText() : e.databaseText());
    };
    const QString problema = db.statementProblem(args[1]);
    if (!problema.isEmpty()) {
        u.err << QStringLiteral("Errore SQL: %1\n").arg(problema);
        return 1;
    }
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!q.exec(args[1])) {
        u.err << QStringLiteral("Errore SQL: %1\n").arg(motivo(q.lastError()));
        return 1;
    }
    if (q.isSelect()) {
        const QSqlRecord rec = q.record();
        QStringList riga;
        for (int i = 0; i < rec.count(); ++i)
            riga << TestoValore(rec.fieldName(i));
        u.out << riga.join(u'\t') << '\n';
        while (q.next()) {
            riga.clear();
            for (int i = 0; i < rec.count(); ++i)
                riga << TestoValore(q.value(i));
            u.out << riga.join(u'\t') << '\n';
        }
        if (q.lastError().isValid()) {
            u.err << QStringLiteral("Errore SQL: %1\n").arg(motivo(q.lastError()));
            return 1;
        }
    } else {
        u.out << qMax(0, q.numRowsAffected()) << '\n';
    }
    q.finish();
    return 0;
}
