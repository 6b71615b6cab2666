// The ledger of the current fiscal year: invoices, their settlement and its undo, running
// balances; and the creation of the next fiscal year with the balances carried forward.
#include "Clock.h"
#include "Errors.h"
#include "TDataModule1.h"
#include <QDir>
#include <QSqlQuery>

namespace {
const QString fatturaDiVendita = QStringLiteral("Fattura di vendita");
const QString saldoFattura = QStringLiteral("Saldo fattura");
const QString ripresaSaldi = QStringLiteral("Ripresa saldi esercizio precedente");
} // namespace

void TDataModule1::CollegaPrimaNota(const QString& campi, DataSource& master)
{
    TblPrimaNota.setIndexFieldNames(campi);
    TblPrimaNota.setMaster(master.dataset(), QStringLiteral("Codice"), QStringLiteral("Cliente"));
}

void TDataModule1::ScollegaPrimaNota()
{
    TblPrimaNota.setMaster(nullptr, {}, {});
    TblPrimaNota.setIndexFieldNames({});
}

void TDataModule1::RegistraFattura(Money importo, const QDate& data)
{
    TblPrimaNota.last();
    TblPrimaNota.append();
    TblPrimaNota["Cliente"] = TblClienti["Codice"].value();
    TblPrimaNota["Causale"] = fatturaDiVendita;
    TblPrimaNota["Data"] = data;
    TblPrimaNota["Importo"] = -importo;
    TblPrimaNota["Incassata"] = false;
    TblPrimaNota["Fattura"] = TblClienti["Fattura"].value();
    TblPrimaNota["Conto"] = 0;
    TblPrimaNota.post();
}

void TDataModule1::IncassaFattura(const QString& filtro, const QDate& data)
{
    const Money importo = TblPrimaNota["Importo"].asMoney();
    const int numero = int(TblPrimaNota["Fattura"].asInteger());
    const QDate dataFattura = TblPrimaNota["Data"].asDate();
    // The invoice and its collections are written together or not at all.
    Savepoint sp(db);
    try {
        TblPrimaNota.edit();
        TblPrimaNota["Incassata"] = true;
        qint64 codiceAltra = TblPrimaNota["Codice"].asInteger();
        TblPrimaNota.post();
        if (TblModPag.active() && !TblClienti["Pagamento"].isNull()
            && TblModPag.locate(QStringLiteral("Codice"), {TblClienti["Pagamento"].value()}))
            RegistraIncassoConto(numero, saldoFattura, codiceAltra, filtro, importo, dataFattura, data);
        RegistraIncassoCliente(numero, codiceAltra, filtro, importo, dataFattura, data);
        sp.release();
    } catch (...) {
        // More than a roll-back: the tables that showed the posted rows are brought back in
        // line with the file.
        sp.rollback();
        riallinea(nullptr);
        throw;
    }
}

void TDataModule1::RegistraIncassoConto(int numero, const QString& causale, qint64& codiceAltra, const QString& filtro,
                                        Money importo, const QDate& dataRif, const QDate& data)
{
    codiceAltra = aggiungiIncasso(numero, causale, codiceAltra, TblModPag["Codice"].asInteger(), filtro, importo, dataRif, data);
}

void TDataModule1::RegistraIncassoCliente(int numero, qint64 codiceAltra, const QString& filtro, Money importo,
                                          const QDate& dataRif, const QDate& data)
{
    aggiungiIncasso(numero, saldoFattura, codiceAltra, 0, filtro, importo, dataRif, data);
}

qint64 TDataModule1::aggiungiIncasso(int numero, const QString& causale, qint64 codiceAltra, qint64 conto,
                                     const QString& filtro, Money importo, const QDate& dataRif, const QDate& data)
{
    // Appended to the unlinked ledger; the ledger then goes back to the customer, filtered.
    ScollegaPrimaNota();
    TblPrimaNota.append();
    TblPrimaNota["CodiceAltra"] = codiceAltra;
    TblPrimaNota["Cliente"] = TblClienti["Codice"].value();
    TblPrimaNota["Causale"] = causale;
    TblPrimaNota["Data"] = data;
    TblPrimaNota["Importo"] = -importo;
    TblPrimaNota["Incassata"] = true;
    TblPrimaNota["Fattura"] = numero;
    TblPrimaNota["DataRif"] = dataRif;
    TblPrimaNota["Conto"] = conto;
    TblPrimaNota.post();
    const qint64 codice = TblPrimaNota["Codice"].asInteger();
    CollegaPrimaNota(QStringLiteral("Cliente;Data"), DSClienti);
    TblPrimaNota.setFilter(filtro);
    TblPrimaNota.setFiltered(true);
    TblPrimaNota.first();
    return codice;
}

void TDataModule1::CalcolaSaldi(const QString& filtro)
{
    const QString campi = TblPrimaNota.indexFieldNames();
    TblPrimaNota.checkBrowseMode();
    TblPrimaNota.setFilter(filtro);
    TblPrimaNota.setFiltered(true);
    if (campi.isEmpty())
        TblPrimaNota.setIndexFieldNames(QStringLiteral("Data;Fattura"));
    // One statement writes into each movement the ledger shows the sum of the amounts up to it
    // in the ledger's order, kept to the four decimals of the currency: all balances or none.
    const Table::Selection sel = TblPrimaNota.selection();
    const QString pn = db.qualified(TblPrimaNota.tableName());
    db.exec(QStringLiteral("UPDATE %1 SET Saldo = s.saldo FROM (SELECT rowid AS riga, round(sum(Importo) OVER "
                           "(ORDER BY %2 ROWS UNBOUNDED PRECEDING), 4) AS saldo %3) AS s WHERE %1.rowid = s.riga")
                .arg(pn, sel.orderBy, sel.from),
            sel.params);
    const bool filtrato = !TblPrimaNota.filter().isEmpty();
    TblPrimaNota.setFilter(QString());
    TblPrimaNota.setFiltered(false);
    TblPrimaNota.setIndexFieldNames(campi);
    // The rows are read again when next needed; with no filter to drop they are read now.
    if (!filtrato)
        TblPrimaNota.refresh();
}

void TDataModule1::AnnullaIncasso(qint64 codice)
{
    // The chain is walked on the ledger file itself, so the whole ledger is never loaded.
    const QString pn = db.qualified(TblPrimaNota.tableName());
    TblPrimaNota.disableControls();
    Savepoint sp(db);
    try {
        for (int passi = 0; codice != 0 && passi < 1000; ++passi) {
            QSqlQuery q = db.exec(QStringLiteral("SELECT Conto, Causale, CodiceAltra FROM %1 WHERE Codice = ?").arg(pn), {codice});
            if (!q.next())
                break;
            const bool fattura = q.value(0).toInt() == 0 && q.value(1).toString() == fatturaDiVendita;
            const qint64 altra = q.value(2).toLongLong();
            q.finish();
            if (fattura) {
                db.exec(QStringLiteral("UPDATE %1 SET Incassata = 0 WHERE Codice = ?").arg(pn), {codice});
                break;
            }
            db.exec(QStringLiteral("DELETE FROM %1 WHERE Codice = ?").arg(pn), {codice});
            codice = altra;
        }
        sp.release();
    } catch (...) {
        // More than a roll-back: the ledger is read again as the file now stands, filtered
        // as before, and its controls are told once.
        sp.rollback();
        TblPrimaNota.refresh();
        TblPrimaNota.setFiltered(true);
        TblPrimaNota.enableControls();
        throw;
    }
    if (TblPrimaNota.master() == nullptr)
        CollegaPrimaNota(QStringLiteral("Cliente;Data"), DSClienti);
    TblPrimaNota.refresh();
    TblPrimaNota.setFiltered(true);
    TblPrimaNota.enableControls();
}

// A payment method is also an account of the ledger: it goes only while no customer pays by it
// and no movement of the year's ledger is on it, so that no collection loses its account.
void TDataModule1::TblModPagBeforeDelete(Dataset& m)
{
    const QVariant codice = m["Codice"].value();
    const QString nome = m["Descrizione"].asString();
    QSqlQuery q = db.exec(QStringLiteral("SELECT count(*) FROM Clienti WHERE Pagamento = ?"), {codice});
    const qint64 clienti = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    if (clienti > 0) {
        prompts.warning(QStringLiteral("La modalità di pagamento \"%1\" è assegnata a %2: impossibile eliminarla.")
                            .arg(nome, clienti == 1 ? QStringLiteral("un cliente") : QStringLiteral("%1 clienti").arg(clienti)));
        throw Abort{};
    }
    if (TblPrimaNota.active()) {
        q = db.exec(QStringLiteral("SELECT 1 FROM %1 WHERE Conto = ? LIMIT 1").arg(db.qualified(TblPrimaNota.tableName())),
                    {codice});
        if (q.next()) {
            prompts.warning(QStringLiteral("La modalità di pagamento \"%1\" ha movimenti nella prima nota del %2: "
                                           "impossibile eliminarla.").arg(nome).arg(anno));
            throw Abort{};
        }
    }
}

void TDataModule1::CreaAnnoSuccessivo()
{
    const int nuovo = anno + 1;
    if (!prompts.askYes(QStringLiteral("Questo comando azzera, se esiste, l'archivio fatture per l'anno %1, continuo?").arg(nuovo),
                        MsgType::Warning))
        return;
    {
        BusyScope busy(prompts);
        const QString precedente = TblPrimaNota.tableName();
        TblPrevPN.close();
        TblPrevPN.setTableName(precedente);

        // Every customer gets one movement with the balance of its account, also when it is 0.
        QList<Riporto> riporti;
        {
            QSqlQuery somma = db.prepare(QStringLiteral("SELECT Importo FROM %1 WHERE Cliente = ? AND Conto = 0").arg(db.qualified(precedente)));
            for (int i = 0; i < TblClienti.recordCount(); ++i) {
                const QVariant cliente = TblClienti.valueAt(i, "Codice");
                somma.addBindValue(cliente);
                Database::run(somma);
                Money saldo;
                while (somma.next())
                    saldo += Money::fromDouble(somma.value(0).toDouble());
                somma.finish();
                riporti.append({cliente, saldo});
            }
        }

        // The new ledger, carried balances included, is written whole and then takes the place
        // of the year's ledger: a failure or a crash leaves the year as it was.
        const QString nome = nomeLedger(nuovo);
        const QString cartella = QDir(workFolder).absoluteFilePath(QString::number(nuovo));
        if (!QDir().mkpath(cartella))
            throw LavError(QStringLiteral("Impossibile creare la cartella '%1'.").arg(QDir::toNativeSeparators(cartella)));
        db.detach(nome);
        if (db.isAttached(nome))
            throw LavError(QStringLiteral("La prima nota dell'anno %1 è in uso: chiudere le finestre che la mostrano e ripetere.").arg(nuovo));
        creaLedger(cartella, db.fileOf(nome), riporti);
        passaAlLedger(nome);
        anno = nuovo;
        contatoreFile = QDir(cartella).absoluteFilePath(QStringLiteral("fatture.dat"));
        counter.setPath(contatoreFile);
        Q_EMIT annoCambiato(nuovo);
    }
    if (mostraParametri)
        mostraParametri();
    prompts.information(QStringLiteral("Elaborazione terminata."));
}
