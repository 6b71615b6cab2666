// The files of the data module: opening and checking the archive, the ledger of a year written
// whole and switched to, and the merge of the update folder.
#include "Errors.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlQuery>
#include <algorithm>

namespace {

QString nativo(const QString& p)
{
    return QDir::toNativeSeparators(p);
}

// Two structures are the same when their fields (names, types, widths, in order) and their
// indexes are.
bool stessaStruttura(const TableDef& a, const TableDef& b)
{
    if (a.fields.size() != b.fields.size() || a.indexes.size() != b.indexes.size())
        return false;
    for (int i = 0; i < a.fields.size(); ++i) {
        const FieldDef &x = a.fields[i], &y = b.fields[i];
        if (x.name.compare(y.name, Qt::CaseInsensitive) != 0 || x.type != y.type || x.size != y.size)
            return false;
    }
    for (const IndexDef& ix : a.indexes) {
        const IndexDef* iy = b.index(ix.name);
        if (!iy || iy->primary != ix.primary || iy->caseInsensitive != ix.caseInsensitive
            || iy->fields.join(';').compare(ix.fields.join(';'), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

QStringList TDataModule1::copieIntegre(const QString& folder)
{
    QList<QFileInfo> copie;
    for (int giorno = 1; giorno <= 7; ++giorno) {
        const QFileInfo f(QDir(folder).absoluteFilePath(QStringLiteral("%1/%2").arg(giorno).arg(Database::fileName())));
        if (f.isFile() && Database::checkFile(f.absoluteFilePath()).isEmpty())
            copie << f;
    }
    std::sort(copie.begin(), copie.end(), [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() > b.lastModified(); });
    QStringList out;
    for (const QFileInfo& f : copie)
        out << QStringLiteral("cartella %1 (%2)").arg(f.dir().dirName(), f.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    return out;
}

QString TDataModule1::messaggioArchivioDanneggiato(const QString& problema) const
{
    QString testo = QStringLiteral("L'archivio '%1' è danneggiato (%2).\nIl programma non lo usa e non lo copia sulle copie giornaliere.")
                        .arg(nativo(QDir(cartellaArchivi()).absoluteFilePath(Database::fileName())),
                             problema.size() > 300 ? problema.left(300) + QStringLiteral("…") : problema);
    const QStringList copie = copieIntegre(workFolder);
    if (copie.isEmpty())
        return testo + QStringLiteral("\nNon c'è nessuna copia giornaliera integra: rivolgersi all'assistenza prima di usare di nuovo il programma.");
    return testo + QStringLiteral("\nPer ripristinarlo, copiare nella cartella '%1' il file %2 di una delle copie giornaliere "
                                  "integre, dalla più recente: %3.")
                       .arg(nativo(cartellaArchivi()), Database::fileName(), copie.join(QStringLiteral(", ")));
}

void TDataModule1::apriArchivio()
{
    const QString file = QDir(cartellaArchivi()).absoluteFilePath(Database::fileName());
    try {
        db.open(cartellaArchivi());
    } catch (const LavError& e) {
        // A file that SQLite cannot even read is damaged too: say which copies are sound.
        if (QFileInfo(file).isFile())
            throw LavError(messaggioArchivioDanneggiato(e.message()));
        throw;
    }
    {
        auto chiudi = qScopeGuard([this] { db.close(); });
        const QString problema = db.integrityProblem();
        if (!problema.isEmpty())
            throw LavError(messaggioArchivioDanneggiato(problema));
        if (!db.tableExists(QStringLiteral("Parametri")))
            throw LavError(QStringLiteral("Il file '%1' non è un archivio del programma.").arg(nativo(file)));
        chiudi.dismiss();
    }
    if (db.readOnly())
        prompts.warning(QStringLiteral("L'archivio '%1' non può essere modificato: la cartella o il file sono in sola lettura. "
                                       "I dati si possono consultare, ma nessuna modifica potrà essere registrata.")
                            .arg(nativo(file)));
}

void TDataModule1::creaLedger(const QString& cartella, const QString& file, const QList<Riporto>& riporti)
{
    Database::creaFile(file, [&](Database& nuovo) {
        nuovo.createTable(QStringLiteral("PrimaNota"), Tabelle::PrimaNota());
        if (riporti.isEmpty())
            return;
        QSqlQuery ins = nuovo.prepare(QStringLiteral("INSERT INTO PrimaNota (Cliente, Causale, Data, Importo, Incassata, Conto) "
                                                     "VALUES (?, 'Ripresa saldi esercizio precedente', ?, ?, 0, 0)"));
        const QString primoGennaio = QDate(QFileInfo(cartella).fileName().toInt(), 1, 1).toString(Qt::ISODate);
        for (const Riporto& r : riporti) {
            ins.addBindValue(r.cliente);
            ins.addBindValue(primoGennaio);
            ins.addBindValue(r.saldo.toDouble());
            Database::run(ins);
        }
        ins.finish();
    });
}

void TDataModule1::passaAlLedger(const QString& nome)
{
    const QString vecchio = TblPrimaNota.tableName();
    const bool eraAperto = TblPrimaNota.active();
    const bool stessoFile = !vecchio.isEmpty() && db.fileOf(vecchio) == db.fileOf(nome);
    TblPrimaNota.close();
    TblPrimaNota.setTableName(nome);
    try {
        const QString file = db.fileOf(nome);
        const QString problema = db.integrityProblem(nome);
        if (!problema.isEmpty())
            throw LavError(QStringLiteral("L'archivio di prima nota '%1' è danneggiato (%2).").arg(nativo(file), problema.left(300)));
        if (!db.tableExists(nome))
            throw LavError(QStringLiteral("Il file '%1' non contiene la prima nota dell'anno.").arg(nativo(file)));
        TblPrimaNota.open();
    } catch (...) {
        // The year in force stays: its ledger is opened again.
        TblPrimaNota.close();
        if (!stessoFile)
            db.detach(nome);
        TblPrimaNota.setTableName(vecchio);
        if (eraAperto) {
            try {
                TblPrimaNota.open();
            } catch (const LavError&) {
                // The failure the user hears of is the new year's; the old ledger stays closed
                // and its next use says why.
            }
        }
        throw;
    }
    if (!vecchio.isEmpty() && !stessoFile && TblPrevPN.tableName() != vecchio)
        db.detach(vecchio);
}

void TDataModule1::AggiornaStruttura(const QString& fileName)
{
    const QString name = Database::bareName(fileName);
    const QString updateTable = QStringLiteral("../update/") + fileName;
    const QString updateFile = db.fileOf(updateTable);
    if (!QFileInfo::exists(updateFile))
        throw LavError(QStringLiteral("Il file di aggiornamento '%1' non esiste.").arg(nativo(updateFile)));
    // What makes a file no update at all: it is not a database, it holds no table of its
    // name, or its table lacks a field of the archive's (the records would lose it).
    const QString guasto = Database::checkFile(updateFile);
    if (!guasto.isEmpty())
        throw AggiornamentoNonValido(QStringLiteral("non è un archivio valido: %1").arg(guasto));
    TableDef nuova;
    try {
        if (!db.tableExists(updateTable))
            throw AggiornamentoNonValido(QStringLiteral("non contiene la tabella %1").arg(name));
        nuova = db.readDef(updateTable);
    } catch (const AggiornamentoNonValido&) {
        db.detach(updateTable);
        throw;
    } catch (const SqlError& e) {
        db.detach(updateTable);
        if (isEnvironmentFault(e))
            throw;
        throw AggiornamentoNonValido(e.reason());
    }
    const bool existing = db.tableExists(name);
    const TableDef vecchia = existing ? db.readDef(name) : TableDef{};
    for (const FieldDef& f : vecchia.fields)
        if (!nuova.field(f.name)) {
            db.detach(updateTable);
            throw AggiornamentoNonValido(QStringLiteral("non contiene il campo '%1' della tabella %2").arg(f.name, vecchia.name));
        }

    // Merged already when the archive table has the new structure: the program stopped after
    // the merge and before it could remove the file. Otherwise the old records go through a
    // scratch table into the table made anew; the update file itself is only read, so a merge
    // stopped at any point can run again.
    if (!existing || !stessaStruttura(vecchia, nuova)) {
        TableDef def = nuova;
        def.name = existing ? vecchia.name : nuova.name;
        QStringList comuni;
        for (const FieldDef& f : vecchia.fields)
            comuni << quoteName(f.name);
        const QString elenco = comuni.join(QStringLiteral(", "));
        try {
            Savepoint sp(db);
            db.exec(QStringLiteral("DROP TABLE IF EXISTS temp.\"lav_aggiornamento\""));
            if (existing)
                db.exec(QStringLiteral("CREATE TEMP TABLE \"lav_aggiornamento\" AS SELECT %1 FROM %2 ORDER BY rowid")
                            .arg(elenco, db.qualified(name)));
            db.createTable(def.name, def);
            db.copyRecords(updateTable, def.name);
            if (existing)
                db.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM temp.\"lav_aggiornamento\" ORDER BY rowid")
                            .arg(db.qualified(def.name), elenco));
            db.exec(QStringLiteral("DROP TABLE temp.\"lav_aggiornamento\""));
            sp.release();
        } catch (const SqlError& e) {
            db.detach(updateTable);
            if (isEnvironmentFault(e))
                throw;
            // Records that the new structure refuses (a duplicate key, a value too big).
            throw AggiornamentoNonValido(QStringLiteral("i record della tabella %1 non entrano nella nuova struttura: %2")
                                             .arg(def.name, e.reason()));
        }
    }
    db.detach(updateTable);
    if (!QFile::remove(updateFile))
        throw LavError(QStringLiteral("Impossibile eliminare il file di aggiornamento '%1'.").arg(nativo(updateFile)));
}

void TDataModule1::scartaAggiornamento(const QString& file, const QString& motivo)
{
    const QFileInfo fi(file);
    QDir update = fi.absoluteDir();
    const QString scartati = update.absoluteFilePath(QStringLiteral("scartati"));
    QString destinazione = QDir(scartati).absoluteFilePath(fi.fileName());
    for (int n = 2; QFileInfo::exists(destinazione); ++n)
        destinazione = QDir(scartati).absoluteFilePath(QStringLiteral("%1.%2").arg(fi.fileName()).arg(n));
    if (!QDir().mkpath(scartati) || !QFile::rename(file, destinazione))
        throw LavError(QStringLiteral("Il file di aggiornamento '%1' non è valido (%2) e non è stato possibile spostarlo in '%3'.")
                           .arg(nativo(file), motivo, nativo(scartati)));
    prompts.error(QStringLiteral("Il file di aggiornamento '%1' non è valido (%2): la tabella non è stata aggiornata e il "
                                 "file è stato spostato in '%3'.")
                      .arg(nativo(file), motivo, nativo(scartati)));
}
