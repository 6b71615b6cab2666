#include "FatturazionePeriodica.h"

#include "Clock.h"
#include "ContatoreFatture.h"
#include "DateIt.h"
#include "Errors.h"
#include "Periodicita.h"
#include "TDataModule1.h"
#include "TQRFatture.h"
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSqlQuery>
#include <cmath>

namespace {

// An amount at or above this (ten thousand million euro) cannot be a laundry's invoice: it
// is a price or a quantity typed wrong, and it would pass the precision of the ledger.
constexpr double importoMassimo = 1e10;

QString nomeCliente(const QString& d1, const QString& d2)
{
    return (d1 + ' ' + d2).trimmed();
}

[[noreturn]] void rifiuta(Prompts& prompts, const QString& testo)
{
    prompts.error(testo);
    throw Abort{};
}

// Applies a filter to a table for the life of the guard, then gives back its own.
class FiltroTemporaneo
{
public:
    FiltroTemporaneo(Table& t, const QString& filtro) : tabella(t), prima(t.filter()), attivo(t.filtered())
    {
        tabella.setFilter(filtro);
        tabella.setFiltered(true);
    }
    ~FiltroTemporaneo()
    {
        tabella.setFilter(prima);
        tabella.setFiltered(attivo);
    }
    FiltroTemporaneo(const FiltroTemporaneo&) = delete;
    FiltroTemporaneo& operator=(const FiltroTemporaneo&) = delete;

private:
    Table& tabella;
    QString prima;
    bool attivo;
};

} // namespace

FatturazionePeriodica::FatturazionePeriodica(TDataModule1& dati) : dm(dati) {}

QDate FatturazionePeriodica::DataFattura() const
{
    const QDate d = parseDate(scelte.dataStampa);
    if (!d.isValid())
        rifiuta(dm.prompts, QStringLiteral("'%1' non è una data valida per la data di stampa.").arg(scelte.dataStampa.trimmed()));
    return d;
}

void FatturazionePeriodica::ControllaLettura(TDataModule1& dm)
{
    ContatoreFatture& contatore = dm.contatore();
    if (!QFileInfo::exists(contatore.path()))
        return;
    try {
        contatore.LeggiMese();
    } catch (const LavError& e) {
        // The counter's message names the file and what is wrong with it.
        rifiuta(dm.prompts, e.message());
    }
}

void FatturazionePeriodica::ControllaContatore(TDataModule1& dm)
{
    ContatoreFatture& contatore = dm.contatore();
    const QString file = QDir::toNativeSeparators(contatore.path());
    ControllaLettura(dm);
    const bool esiste = QFileInfo::exists(contatore.path());
    const int ultimo = esiste ? contatore.ProssimoNumeroFattura(false) - 1 : 0;
    QSqlQuery q = dm.db.exec(QStringLiteral("SELECT max(Fattura) FROM %1 WHERE Causale = 'Fattura di vendita' AND Conto = 0")
                                 .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
    const qint64 registrata = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    if (registrata <= ultimo)
        return;
    if (!esiste)
        rifiuta(dm.prompts, QStringLiteral("Il file contatore delle fatture '%1' manca, ma in prima nota c'è già la fattura n. %2: "
                                           "ripristinare il file o impostare l'ultimo numero di fattura nei Parametri.")
                                .arg(file)
                                .arg(registrata));
    rifiuta(dm.prompts, QStringLiteral("Il file contatore delle fatture '%1' dà come ultimo numero %2, ma in prima nota c'è "
                                       "già la fattura n. %3: ripristinare il file o impostare l'ultimo numero di fattura "
                                       "nei Parametri.")
                            .arg(file)
                            .arg(ultimo)
                            .arg(registrata));
}

QList<FatturaPeriodica> FatturazionePeriodica::ElaboraFatture(bool stampa, int dal, int al)
{
    return elabora(stampa, dal, al, false);
}

QList<FatturaPeriodica> FatturazionePeriodica::ElaboraFattureElettroniche()
{
    return elabora(false, 0, senzaLimite, true);
}

QList<FatturaPeriodica> FatturazionePeriodica::elabora(bool stampa, int dal, int al, bool salvaPeriodo)
{
    Prompts& prompts = dm.prompts;
    Database& db = dm.db;
    if (scelte.mese < 1 || scelte.mese > 12)
        rifiuta(prompts, QStringLiteral("Scegliere il mese di riferimento."));
    const QDate data = DataFattura();
    const QString singolo = scelte.clienteSingolo.trimmed();
    bool codiceValido = true;
    const double codiceSingolo = singolo.isEmpty() ? 0 : singolo.toDouble(&codiceValido);
    if (!codiceValido)
        rifiuta(prompts, QStringLiteral("'%1' non è un codice cliente valido.").arg(singolo));
    // A printing run must not land inside a customer deletion that may still be undone.
    if (stampa && db.inTransaction())
        rifiuta(prompts, QStringLiteral("Confermare o annullare l'eliminazione in corso nella scheda clienti prima di "
                                        "stampare le fatture."));
    ContatoreFatture& contatore = dm.contatore();
    if (stampa) {
        ControllaContatore(dm);
    } else if (salvaPeriodo) {
        if (!QFileInfo::exists(contatore.path()))
            rifiuta(prompts, QStringLiteral("Il file contatore delle fatture '%1' non esiste ancora: impostare l'ultimo "
                                            "numero di fattura dell'anno nei Parametri.")
                                 .arg(QDir::toNativeSeparators(contatore.path())));
        ControllaLettura(dm);
    }

    BusyScope attesa(prompts);
    dm.TblClienti.checkBrowseMode();
    dm.PreparaFatture();
    // Whoever shows the lines reads them again.
    auto rileggi = qScopeGuard([this] { dm.TblFatture.refreshLater(); });

    // The customers in name order, and among the due ones those within the range.
    const QString dove = QStringLiteral("coalesce(Escluso, 0) = 0") + (singolo.isEmpty() ? QString() : QStringLiteral(" AND Codice = ?"));
    const QVariantList parametri = singolo.isEmpty() ? QVariantList() : QVariantList{codiceSingolo};
    QSqlQuery conta = db.exec(QStringLiteral("SELECT count(*) FROM Clienti WHERE ") + dove, parametri);
    prompts.progressStart(conta.next() ? conta.value(0).toInt() : 0);
    conta.finish();
    auto fine = qScopeGuard([&prompts] { prompts.progressEnd(); });

    QList<FatturaPeriodica> fatture;
    QStringList sconosciute;
    {
        QSqlQuery q = db.exec(QStringLiteral("SELECT Codice, Condizioni, Mese_Fatt, Denominazione, \"Denominazione 2\", Fattura, "
                                             "Imponibile, Pagaiva FROM Clienti WHERE %1 "
                                             "ORDER BY Denominazione COLLATE NOCASE, rowid").arg(dove),
                              parametri);
        int ordinale = 1;
        while (q.next()) {
            const QString condizioni = q.value(1).toString();
            const bool forza = !q.value(2).isNull() && q.value(2).toInt() == 1;
            const QString nome = nomeCliente(q.value(3).toString(), q.value(4).toString());
            if (!PeriodicitaNota(condizioni) && (!condizioni.isEmpty() || forza))
                sconosciute << QStringLiteral("\"%1\" (%2)").arg(nome, condizioni.isEmpty() ? QStringLiteral("nessuna") : condizioni);
            if (DaFatturare(condizioni, scelte.mese, forza)) {
                if (dal <= ordinale && ordinale <= al) {
                    FatturaPeriodica f;
                    f.cliente = q.value(0).toDouble();
                    f.denominazione = nome;
                    f.numero = q.value(5).toLongLong();
                    f.imponibile = Money::fromDouble(q.value(6).toDouble());
                    const bool pagaIva = q.value(7).toBool();
                    f.totale = f.imponibile + (pagaIva ? Arrotonda(2, f.imponibile * 0.22) : Money());
                    fatture << f;
                }
                ++ordinale;
            }
            prompts.progressStep();
        }
    }
    if (!sconosciute.isEmpty()) {
        QString testo = QStringLiteral("Periodicità di fatturazione sconosciuta per il cliente %1").arg(sconosciute.first());
        if (sconosciute.size() > 1)
            testo += QStringLiteral(" e per altri %1 clienti").arg(sconosciute.size() - 1);
        rifiuta(prompts, testo + QStringLiteral(": scegliere la periodicità nella scheda del cliente prima di elaborare le fatture."));
    }

    // Everything the run writes goes in together.
    Savepoint sp(db);
    db.exec(QStringLiteral("DELETE FROM Fatture"));
    db.exec(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS FattureInCorso (Cliente REAL PRIMARY KEY, Ordine INTEGER)"));
    db.exec(QStringLiteral("DELETE FROM temp.FattureInCorso"));
    QStringList codici;
    for (const FatturaPeriodica& f : fatture)
        codici << QString::number(f.cliente, 'g', 17);
    db.exec(QStringLiteral("INSERT INTO temp.FattureInCorso (Cliente, Ordine) SELECT value, key FROM json_each(?)"),
            {QStringLiteral("[%1]").arg(codici.join(u','))});
    PreparaRighe(data);

    // Only the flags that change are written.
    const QString nuovoFlag = QStringLiteral("CASE WHEN Codice IN (SELECT Cliente FROM temp.FattureInCorso) THEN '1' ELSE '0' END");
    db.exec(QStringLiteral("UPDATE Clienti SET Flag = %1 WHERE %2 AND Flag IS NOT %1").arg(nuovoFlag, dove), parametri);
    controllaImporti(fatture);

    const QString giorno = QString::number(scelte.giorno), mese = QString::number(scelte.mese);
    if (stampa && !fatture.isEmpty()) {
        const int primo = contatore.ProssimoNumeroFattura(false);
        const int ultimo = primo + int(fatture.size()) - 1;
        if (primo < 1 || ultimo > ContatoreFatture::numeroMassimo)
            rifiuta(prompts, ContatoreFatture::NumeriEsauriti());
        db.exec(QStringLiteral("UPDATE Clienti SET Fattura = ? + (SELECT Ordine FROM temp.FattureInCorso r WHERE r.Cliente = Clienti.Codice) "
                               "WHERE Codice IN (SELECT Cliente FROM temp.FattureInCorso)"),
                {primo});
        for (int i = 0; i < fatture.size(); ++i)
            fatture[i].numero = primo + i;
        // The numbers reach the counter file before any customer has them for good: a
        // failure from here on leaves a gap in the numbering, never a number issued twice.
        if (salvaPeriodo)
            contatore.SalvaPeriodo(giorno, mese, giorno);
        contatore.ImpostaUltimoNumero(ultimo);
    } else if (salvaPeriodo) {
        contatore.SalvaPeriodo(giorno, mese, giorno);
    }
    sp.release();
    dm.TblClienti.refreshLater();
    return fatture;
}

void FatturazionePeriodica::PreparaRighe(const QDate& data)
{
    Database& db = dm.db;
    const QString giorno = isoDate(data);

    // Rented articles: one line per customer and article description (empty for the
    // articles that may not be invoiced), quantities summed, priced with the first rental
    // met walking the sites and their rentals in order (SQLite takes the bare Costo from the
    // row of the min()). CROSS JOIN keeps the planner walking from the due customers to their
    // sites and rentals by index instead of scanning every rental: far quicker for one
    // customer or a range, and still a third quicker for all of them.
    db.exec(QStringLiteral(
                "INSERT INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, Moltiplicatore) "
                "SELECT Cliente, Testo, 0, Quantita, Prezzo, ?, 1 FROM ("
                "  SELECT r.Cliente AS Cliente,"
                "         nullif(CASE WHEN a.Fatturabile THEN a.Descrizione END, '') AS Testo,"
                "         total(coalesce(n.InFattura, n.Quantita)) AS Quantita,"
                "         nullif(n.Costo, 0) AS Prezzo,"
                "         min(s.rowid * 4294967296 + n.rowid) AS Primo"
                "  FROM temp.FattureInCorso r"
                "  CROSS JOIN Sedi s ON s.\"Codice cliente\" = r.Cliente"
                "  CROSS JOIN Noleggi n ON n.\"Codice sede\" = s.Codice"
                "  LEFT JOIN Servizi a ON a.Codice = n.\"Codice servizio\""
                "  GROUP BY r.Cliente, Testo)"),
            {giorno});

    // Free lines in their order: a line with a quantity adds to the line of the same text,
    // one without becomes a text line numbered after the priced ones. Never multiplied.
    struct Riga
    {
        qint64 rowid;
        QVariant quantita;
    };
    QHash<QString, Riga> esistenti;      // by customer and text
    auto chiave = [](const QVariant& cliente, const QString& testo) { return cliente.toString() + u'\x1f' + testo; };
    {
        // The article lines that free lines of the same text will add to (the empty text too).
        QSqlQuery q = db.exec(QStringLiteral(
            "SELECT f.rowid, f.Cliente, f.Servizio, f.Quantita FROM AltreInfo a "
            "JOIN temp.FattureInCorso r ON r.Cliente = a.Cliente "
            "JOIN Fatture f ON f.Cliente = a.Cliente AND f.Servizio = a.Descrizione "
            "UNION "
            "SELECT f.rowid, f.Cliente, f.Servizio, f.Quantita FROM Fatture f WHERE f.Servizio IS NULL AND f.Cliente IN "
            "(SELECT a.Cliente FROM AltreInfo a JOIN temp.FattureInCorso r ON r.Cliente = a.Cliente "
            "WHERE a.Descrizione IS NULL OR a.Descrizione = '')"));
        while (q.next())
            esistenti.insert(chiave(q.value(1), q.value(2).toString()), {q.value(0).toLongLong(), q.value(3)});
    }
    QSqlQuery nuova = db.prepare(QStringLiteral("INSERT INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, "
                                                "Moltiplicatore) VALUES (?, ?, ?, ?, ?, ?, 0)"));
    QSqlQuery aggiorna = db.prepare(QStringLiteral("UPDATE Fatture SET Posizione = ?, Quantita = ?, Data = ?, "
                                                   "Moltiplicatore = 0 WHERE rowid = ?"));
    QSqlQuery libere = db.exec(QStringLiteral("SELECT a.Cliente, a.Quantita, a.Descrizione, a.Prezzo FROM AltreInfo a "
                                              "JOIN temp.FattureInCorso r ON r.Cliente = a.Cliente ORDER BY r.Ordine, a.Progr"));
    const QVariant vuoto(QMetaType(QMetaType::QString));
    QVariant cliente;
    int posizione = 0;
    while (libere.next()) {
        if (libere.value(0) != cliente) {
            cliente = libere.value(0);
            posizione = 0;
        }
        const QString testo = libere.value(2).toString();
        const QVariant servizio = testo.isEmpty() ? vuoto : QVariant(testo);
        const bool conQuantita = !libere.value(1).isNull();
        auto it = esistenti.find(chiave(cliente, testo));
        Riga precedente = it != esistenti.end() ? *it : Riga{0, QVariant()};
        const int pos = conQuantita ? 0 : ++posizione;
        const QVariant quantita = conQuantita ? QVariant(precedente.quantita.toDouble() + libere.value(1).toDouble())
                                              : precedente.quantita;
        if (precedente.rowid == 0) {
            const double p = libere.value(3).toDouble();
            nuova.addBindValue(cliente);
            nuova.addBindValue(servizio);
            nuova.addBindValue(pos);
            nuova.addBindValue(quantita);
            nuova.addBindValue(p != 0 ? QVariant(p) : QVariant(QMetaType(QMetaType::Double)));
            nuova.addBindValue(giorno);
            Database::run(nuova);
            esistenti.insert(chiave(cliente, testo), {nuova.lastInsertId().toLongLong(), quantita});
        } else {
            aggiorna.addBindValue(pos);
            aggiorna.addBindValue(quantita);
            aggiorna.addBindValue(giorno);
            aggiorna.addBindValue(precedente.rowid);
            Database::run(aggiorna);
            it->quantita = quantita;
        }
    }
}

void FatturazionePeriodica::controllaImporti(const QList<FatturaPeriodica>& fatture)
{
    Database& db = dm.db;
    auto nome = [&](double codice) {
        for (const FatturaPeriodica& f : fatture)
            if (f.cliente == codice)
                return f.denominazione;
        return QString();
    };
    QSqlQuery riga = db.exec(QStringLiteral("SELECT Cliente, Servizio FROM Fatture "
                                            "WHERE abs(coalesce(Quantita, 0) * coalesce(Prezzo, 0)) * 12 >= ? "
                                            "OR abs(coalesce(Prezzo, 0)) >= ? LIMIT 1"),
                             {importoMassimo, importoMassimo});
    if (riga.next())
        rifiuta(dm.prompts, QStringLiteral("L'importo della riga \"%1\" del cliente \"%2\" è fuori misura: controllare prezzo e "
                                           "quantità.").arg(riga.value(1).toString(), nome(riga.value(0).toDouble())));
    riga.finish();
    for (const FatturaPeriodica& f : fatture)
        if (std::fabs(f.totale.toDouble()) >= importoMassimo)
            rifiuta(dm.prompts, QStringLiteral("L'imponibile del cliente \"%1\" è fuori misura: ricalcolarlo nella scheda del "
                                               "cliente.").arg(f.denominazione));
}

QString FatturazionePeriodica::filtroStampa() const
{
    QString filtro = QStringLiteral("Flag = '1' and not Escluso");
    if (!scelte.clienteSingolo.trimmed().isEmpty())
        filtro += QStringLiteral(" and Codice = ") + scelte.clienteSingolo.trimmed();
    return filtro;
}

QList<FatturaPeriodica> FatturazionePeriodica::Anteprima(TQRFatture& report)
{
    const QList<FatturaPeriodica> fatture = elabora(false, 0, senzaLimite, true);
    prepara(report);
    timbraDataFattura();
    return fatture;
}

QList<FatturaPeriodica> FatturazionePeriodica::Stampa(TQRFatture& report, const Emissione& emetti, int dal, int al)
{
    const QList<FatturaPeriodica> fatture = elabora(true, dal, al, true);
    if (fatture.isEmpty())
        return fatture;
    prepara(report);
    if (!emetti(report.pages()))
        rifiuta(dm.prompts, QStringLiteral("La stampa delle fatture non è riuscita: i numeri da %1 a %2 restano inutilizzati e "
                                           "in prima nota non è stato registrato nulla.")
                                .arg(fatture.first().numero)
                                .arg(fatture.last().numero));
    RegistraInPrimaNota(fatture, DataFattura());
    timbraDataFattura();
    return fatture;
}

void FatturazionePeriodica::prepara(TQRFatture& report)
{
    BusyScope attesa(dm.prompts);
    report.ClienteSingolo = scelte.clienteSingolo.trimmed();
    report.dataStampa = formatDate(DataFattura());
    report.anno = QString::number(scelte.anno);
    report.esercizio = dm.AnnoCorrente();
    report.prepare();
}

void FatturazionePeriodica::RegistraInPrimaNota(const QList<FatturaPeriodica>& fatture, const QDate& data)
{
    BusyScope attesa(dm.prompts);
    Table& clienti = dm.TblClienti;
    Table& primaNota = dm.TblPrimaNota;
    FiltroTemporaneo selezione(clienti, filtroStampa());
    auto scollega = qScopeGuard([&] {
        dm.ScollegaPrimaNota();
        primaNota.setFilter(QString());
        primaNota.setFiltered(false);
    });
    dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
    primaNota.setFilter(QStringLiteral("Conto = 0"));
    primaNota.setFiltered(true);
    if (clienti.recordCount() != fatture.size())
        throw LavError(QStringLiteral("I clienti da fatturare sono cambiati durante la stampa: ripetere la stampa."));

    // Every invoice with its collection, or none of them.
    Savepoint sp(dm.db);
    try {
        int i = 0;
        for (clienti.first(); !clienti.eof(); clienti.next(), ++i) {
            if (clienti["Codice"].asFloat() != fatture[i].cliente)
                throw LavError(QStringLiteral("I clienti da fatturare sono cambiati durante la stampa: ripetere la stampa."));
            const Money imponibile = clienti["Imponibile"].asMoney();
            // Recorded with four decimals: unlike the printed total, the VAT is not rounded.
            const Money importo = imponibile + (clienti["Pagaiva"].asBoolean() ? imponibile * 22.0 / 100.0 : Money());
            dm.RegistraFattura(importo, data);
            if (clienti["Incassabile"].asBoolean())
                dm.IncassaFattura(QStringLiteral("Conto = 0"), data);
        }
        sp.release();
    } catch (...) {
        // More than a roll-back: the ledger's rows, read while the entries were written, are
        // read again so that they match the file.
        sp.rollback();
        primaNota.refresh();
        throw;
    }
}

void FatturazionePeriodica::timbraDataFattura()
{
    const QString singolo = scelte.clienteSingolo.trimmed();
    try {
        dm.db.exec(QStringLiteral("UPDATE Clienti SET \"Data fattura\" = ? WHERE Flag = '1' AND coalesce(Escluso, 0) = 0")
                       + (singolo.isEmpty() ? QString() : QStringLiteral(" AND Codice = ?")),
                   singolo.isEmpty() ? QVariantList{isoDate(oggi())} : QVariantList{isoDate(oggi()), singolo.toDouble()});
    } catch (const LavError&) {
        // The date of the last print is a note for the office: the invoices are already
        // numbered and recorded, so a failure to stamp it must not stop them.
        return;
    }
    dm.TblClienti.refresh();
}
