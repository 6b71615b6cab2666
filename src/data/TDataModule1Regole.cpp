// The rules that hold whichever window edits the data: numbering, cascading deletes, stock and
// its movement log, pending deliveries, entry rules, and the totals per customer and article.
#include "Clock.h"
#include "DateIt.h"
#include "Errors.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include "Testo.h"
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSqlQuery>
#include <map>
#include <optional>

namespace {

QString trim(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString();
}

} // namespace

void TDataModule1::definisciRegole()
{
    // Numbering: one above the highest code of the whole table, given to the new record.
    for (Table* t : {&TblAgenti, &TblSedi, &TblClienti, &TblServizi, &TblMedie, &TblIter, &TblInterventi}) {
        t->beforeInsert += [this, t](Dataset&) { numeraPrimaDiInserire(*t); };
        if (t != &TblSedi)
            t->onNewRecord += [this](Dataset& d) { d["Codice"] = ultimoCodice.value(&d) + 1; };
    }
    TblSedi.onNewRecord += [this](Dataset& s) { TblSediNewRecord(s); };

    TblAltreInfo.beforeInsert += [this](Dataset& a) {
        ultimoProgr = a.isEmpty() ? 0 : int(a.valueAt(a.recordCount() - 1, "Progr").toLongLong());
        a.first();
    };
    TblAltreInfo.onNewRecord += [this](Dataset& a) { a["Progr"] = ultimoProgr + 1; };

    TblModPag.beforeDelete += [this](Dataset& m) { TblModPagBeforeDelete(m); };
    TblClienti.beforePost += [this](Dataset& c) { TblClientiBeforePost(c); };
    TblClienti.beforeDelete += [this](Dataset& c) { TblClientiBeforeDelete(c); };
    TblSedi.afterPost += [this](Dataset& s) { TblSediAfterPost(s); };
    TblSedi.beforeDelete += [this](Dataset& s) { TblSediBeforeDelete(s); };

    TblNoleggi.beforeInsert += [this](Dataset& n) { TblNoleggiBeforeInsert(n); };
    TblNoleggi.afterEdit += [this](Dataset& n) {
        qtaRicordata = n["Quantita"].asFloat();
        servizioRicordato = n["Codice servizio"].asFloat();
        sospesiRicordati = int(n["Sospesi"].asInteger());
    };
    TblNoleggi.beforePost += [this](Dataset& n) { TblNoleggiBeforePost(n); };
    TblNoleggi.afterPost += [this](Dataset& n) { TblNoleggiAfterPost(n); };
    TblNoleggi.beforeDelete += [this](Dataset& n) { TblNoleggiBeforeDelete(n); };
    TblNoleggi.onPostError = [this](Dataset&, const QString&) {
        prompts.error(QStringLiteral("Errore in registrazione!"));
        return true;
    };

    TblServizi.beforePost += [this](Dataset& a) { TblServiziBeforePost(a); };
    TblServizi.afterPost += [this](Dataset& a) { TblServiziAfterPost(a); };
    TblServizi.beforeCancel += [](Dataset& a) { a.tag = 0; };
    TblServizi.beforeDelete += [this](Dataset& a) { TblServiziBeforeDelete(a); };

    // A post or delete whose rules change other tables is one unit: a failure half-way
    // leaves every table as it was, and what the rules remember goes back with them.
    for (Table* t : {&TblSedi, &TblNoleggi, &TblServizi}) {
        t->atomic = true;
        t->onAtomicFailure = [this](Dataset& d) { riallinea(&d); };
        t->onAtomicBegin = [this](Dataset&) { ricordaMemoria(); };
        t->onAtomicEnd = [this](Dataset& d, bool ok) { restituisciMemoria(d, ok); };
    }
    // A customer whose own row cannot be deleted keeps its sites: the deletion's transaction
    // is rolled back.
    TblClienti.onDeleteFailure = [this](Dataset&) {
        if (db.inTransaction()) {
            try {
                db.rollback();
            } catch (const LavError&) {
            }
        }
        riallinea(&TblClienti);
    };

    // Entry rules.
    Field& sesso = TblNoleggi.field(QStringLiteral("Sesso"));
    sesso.onSetText = [](Field& f, const QString& t) {
        const QString u = t.toUpper();
        f.setValue(u == " " || u == "M" || u == "F" ? QVariant(u) : QVariant());
    };
    Field& meseFatt = TblClienti.field(QStringLiteral("Mese_Fatt"));
    meseFatt.onSetText = [](Field& f, const QString& t) { f.setValue(t == QLatin1String("True") ? 1 : 0); };
    meseFatt.onGetText = [](const Field& f) {
        return f.asInteger() == 1 && !f.isNull() ? QStringLiteral("True") : QStringLiteral("False");
    };
    TblConsumi.beforePost += [this](Dataset& c) { TblConsumiBeforePost(c); };
    TblInterventi.beforePost += [](Dataset& i) {
        if (i["Settimana"].isNull())
            i["Settimana"] = 1;
    };
    TblFatture.beforePost += [](Dataset& f) {
        if (f.findField(QStringLiteral("Moltiplicatore")) && f["Moltiplicatore"].isNull())
            f["Moltiplicatore"] = true;
    };

    // Shared queries.
    QuerySedi.setSql(QStringLiteral(
        "SELECT Sedi.Codice, Sedi.Indirizzo, Sedi.Comune, Sedi.Imponibile, Sedi.\"Codice agente\", "
        "Sedi.\"Codice cliente\", Clienti.Denominazione FROM Sedi JOIN Clienti ON Sedi.\"Codice cliente\" = Clienti.Codice "
        "WHERE Sedi.\"Codice agente\" = :Agente ORDER BY Clienti.Denominazione"));
    QuerySedi.beforeOpen += [this](Dataset&) {
        QuerySedi.setParam(QStringLiteral("Agente"), TblAgenti.active() ? TblAgenti["Codice"].value() : QVariant());
    };
    // The customer of each site: name, invoice and total.
    struct DalCliente
    {
        const char* campo;
        FieldType tipo;
        int dimensione;
        const char* origine;
    };
    for (const DalCliente& d : {DalCliente{"Cliente", FieldType::String, 35, "Denominazione"},
                                DalCliente{"Cliente2", FieldType::String, 35, "Denominazione 2"},
                                DalCliente{"Data Fattura", FieldType::Date, 0, "Data fattura"},
                                DalCliente{"Fattura", FieldType::Integer, 0, "Fattura"},
                                DalCliente{"Totale", FieldType::Currency, 0, "Totale"}})
        QuerySedi.addLookupField(QString::fromLatin1(d.campo), d.tipo, d.dimensione, QStringLiteral("Codice cliente"),
                                 TblClienti, QStringLiteral("Codice"), QString::fromLatin1(d.origine));
    QryNewSede.setSql(QStringLiteral("SELECT MAX( GruppoOrg ) LastGruppoOrg FROM Sedi WHERE \"Codice cliente\" = :Cliente"));
    QTemp.setSql(QStringLiteral("SELECT Codice, Data FROM Sospesi WHERE Sede = :Sede AND Servizio = :Servizio ORDER BY Data DESC"));
}

QList<Table*> TDataModule1::tabelle()
{
    return {&TblAgenti, &TblClienti, &TblSedi, &TblNoleggi, &TblServizi, &TblStoMag, &TblConsumi,
            &TblMedie, &TblFatturaMan, &TblFatture, &TblTotali, &TblPrimaNota, &TblPrevPN, &TblModPag,
            &TblAltreInfo, &TblIter, &TblInterventi, &TblSospesi, &TblOstrelo, &TblParametri};
}

void TDataModule1::ricordaMemoria()
{
    Memoria m{qtaRicordata, servizioRicordato, sospesiRicordati, TblServizi.tag, cascata, {}};
    for (Table* t : tabelle())
        m.stati.append(t->state());
    memoria.push_back(m);
}

void TDataModule1::restituisciMemoria(Dataset& fallito, bool riuscita)
{
    if (memoria.empty())
        return;
    const Memoria m = memoria.back();
    memoria.pop_back();
    if (riuscita)
        return;
    // A record the rules had put into edit during the failed unit is given up (a movement
    // left in insert would otherwise be written by the next post); records in edit before it
    // began are the user's and stay.
    const QList<Table*> tutte = tabelle();
    for (int i = 0; i < tutte.size(); ++i) {
        Table* t = tutte[i];
        if (t != &fallito && m.stati.value(i) == DatasetState::Browse
            && (t->state() == DatasetState::Edit || t->state() == DatasetState::Insert)) {
            try {
                t->cancel();
            } catch (...) {
                // A hook that refuses to give the record up must not hide the failure being
                // reported; the record is reloaded with its table.
            }
        }
    }
    qtaRicordata = m.quantita;
    servizioRicordato = m.servizio;
    sospesiRicordati = m.sospesi;
    TblServizi.tag = m.tagServizi;
    cascata = m.cascata;
    giacenzaZero = false;
}

void TDataModule1::riallinea(Dataset* tranne)
{
    // Brings the tables in memory back in line with the files after a roll-back; a table
    // that cannot be read again keeps what it shows.
    // A refresh that fails may itself ask for a realignment: it is not run twice at once.
    if (riallineando)
        return;
    const QScopedValueRollback<bool> inCorso(riallineando, true);
    for (Table* t : tabelle()) {
        if (t == tranne || !t->active() || t->state() != DatasetState::Browse)
            continue;
        try {
            t->refresh();
        } catch (...) {
            // The failure being reported is the one that matters; this table keeps its rows.
        }
    }
}

void TDataModule1::numeraPrimaDiInserire(Table& t)
{
    ControlsOff off(t);
    // The highest code of the whole table, whatever the table's order, master and filter.
    QSqlQuery q = db.exec(QStringLiteral("SELECT MAX(Codice) FROM %1").arg(db.qualified(t.tableName())));
    ultimoCodice[&t] = q.next() ? qint64(q.value(0).toDouble()) : 0;
    q.finish();
    if (&t == &TblSedi)
        ultimoColore = t.isEmpty() ? 0 : int(t.valueAt(t.recordCount() - 1, "Colore").toLongLong());
    t.first();
}

void TDataModule1::TblSediNewRecord(Dataset& s)
{
    s["Codice"] = ultimoCodice.value(&TblSedi) + 1;
    QryNewSede.close();
    QryNewSede.setParam(QStringLiteral("Cliente"), s["Codice cliente"].asInteger());
    QryNewSede.open();
    const int gruppo = int(QryNewSede["LastGruppoOrg"].asInteger()) + 1;
    QryNewSede.close();
    s["GruppoOrg"] = gruppo;
    s["Gruppo"] = gruppo;
    s["Colore"] = ultimoColore != 0 ? 0 : 1;
}

void TDataModule1::TblSediAfterPost(Dataset&)
{
    if (TblClienti.state() == DatasetState::Insert && DSClienti.tag != tagNavigatore)
        TblClienti.post();
}

void TDataModule1::TblClientiBeforePost(Dataset& c)
{
    // An empty address takes the first site's, read without moving the site list.
    if (!TblSedi.active() || TblSedi.isEmpty())
        return;
    if (c["Indirizzo"].isNull())
        c["Indirizzo"] = tagliaTesto(trim(TblSedi.valueAt(0, "Indirizzo")), 30);
    if (c["Comune"].isNull())
        c["Comune"] = trim(TblSedi.valueAt(0, "Comune"));
}

void TDataModule1::TblClientiBeforeDelete(Dataset&)
{
    if (!prompts.confirmOk(QStringLiteral("Elimino il cliente con sedi e noleggi?")))
        throw Abort{};
    BusyScope busy(prompts);
    if (db.inTransaction())
        db.commit();
    db.startTransaction();
    // Left open when the sites are gone: the customer screen commits it, or rolls it back to
    // undo the deletion. A site that cannot go takes the whole deletion back at once.
    auto annulla = qScopeGuard([this] {
        db.rollback();
        riallinea(nullptr);
    });
    const QScopedValueRollback<bool> inCascata(cascata, true);
    while (!TblSedi.isEmpty()) {
        TblSedi.first();
        TblSedi.remove();
    }
    annulla.dismiss();
}

void TDataModule1::TblSediBeforeDelete(Dataset&)
{
    if (!cascata && !prompts.confirmOk(QStringLiteral("Elimino la sede con i noleggi?")))
        throw Abort{};
    const QScopedValueRollback<bool> inCascata(cascata, true);
    while (!TblNoleggi.isEmpty()) {
        TblNoleggi.first();
        TblNoleggi.remove();
    }
    while (!TblInterventi.isEmpty()) {
        TblInterventi.first();
        TblInterventi.remove();
    }
}

void TDataModule1::TblNoleggiBeforeDelete(Dataset& n)
{
    if (!cascata && !prompts.confirmOk(QStringLiteral("Elimino il noleggio?")))
        throw Abort{};
    RientroMerce(n["Quantita"].asFloat(), n["Codice servizio"].asFloat());
}

QString TDataModule1::nomeClienteCorrente()
{
    if (!TblClienti.active() || TblClienti.isEmpty())
        return QStringLiteral(" ");
    return TblClienti["Denominazione"].asString() + ' ' + TblClienti["Denominazione 2"].asString();
}

bool TDataModule1::trovaArticolo(double codice)
{
    if (!TblServizi.active())
        TblServizi.open();
    return TblServizi.locate(QStringLiteral("Codice"), {codice});
}

void TDataModule1::RegistraMovimento(const QString& tipo, const QString& motivo, double quantita, const QString& cliente)
{
    const QString servizio = TblServizi["Descrizione"].asString() + ' ' + TblServizi["Tipo"].asString();
    const double giacenza = giacenzaZero ? 0.0 : TblServizi["Dentro"].asFloat();
    if (!TblStoMag.active())
        TblStoMag.open();
    TblStoMag.append();
    TblStoMag["Servizio"] = servizio;
    TblStoMag["Cliente"] = cliente;
    TblStoMag["Data movimento"] = oggi();
    TblStoMag["Tipo movimento"] = tipo;
    TblStoMag["Motivo"] = motivo;
    TblStoMag["Quantità"] = quantita;
    TblStoMag["Giacenza"] = giacenza;
    TblStoMag.post();
}

void TDataModule1::RientroMerce(double quantita, double codiceServizio)
{
    // A rental whose article no longer exists has no stock to return.
    if (!trovaArticolo(codiceServizio))
        return;
    TblServizi.edit();
    TblServizi["Dentro"] = TblServizi["Dentro"].asFloat() + quantita;
    const double fuori = TblServizi["Fuori"].asFloat() - quantita;
    TblServizi["Fuori"] = fuori < 0 ? 0.0 : fuori;
    TblServizi.post();
    RegistraMovimento(QStringLiteral("Entrata"), QString(), quantita, nomeClienteCorrente());
}

void TDataModule1::TblServiziBeforePost(Dataset& a)
{
    if (a.tag == tagIncremento) {
        a["Dentro"] = a["Dentro"].asFloat() + QuantitaMagazzino;
    } else if (a.tag == tagDecremento) {
        if (QuantitaMagazzino > a["Dentro"].asFloat()) {
            prompts.error(QStringLiteral("Valore da decrementare maggiore dell'attuale giacenza."));
            throw Abort{};
        }
        a["Dentro"] = a["Dentro"].asFloat() - QuantitaMagazzino;
    }
}

void TDataModule1::TblServiziAfterPost(Dataset& a)
{
    if (a.tag != tagIncremento && a.tag != tagDecremento)
        return;
    const QString motivo = motivoMagazzino ? motivoMagazzino() : QString();
    const int tag = a.tag;
    a.tag = 0;
    RegistraMovimento(tag == tagIncremento ? QStringLiteral("Acquisto") : QStringLiteral("Rimozione"), motivo, QuantitaMagazzino, QString());
    if (pulisciMotivoMagazzino)
        pulisciMotivoMagazzino();
}

void TDataModule1::TblServiziBeforeDelete(Dataset& a)
{
    if (a["Fuori"].asFloat() != 0) {
        prompts.error(QStringLiteral("L'eliminazione è possibile solo quando tutta la merce è rientrata in magazzino."));
        throw Abort{};
    }
    const QScopedValueRollback<bool> senzaGiacenza(giacenzaZero, true);
    RegistraMovimento(QStringLiteral("Rimozione"), QString(), a["Dentro"].asFloat(), QString());
}

void TDataModule1::TblNoleggiBeforeInsert(Dataset&)
{
    qtaRicordata = 0;
    servizioRicordato = 0;
    sospesiRicordati = 0;
    // No site selected: no rental.
    if (!TblSedi.active() || TblSedi["Codice"].isNull())
        throw Abort{};
}

void TDataModule1::TblNoleggiBeforePost(Dataset& n)
{
    const double servizio = n["Codice servizio"].asFloat();
    const double quantita = n["Quantita"].asFloat();
    const bool stessoArticolo = servizio == servizioRicordato;
    if (stessoArticolo && quantita <= qtaRicordata)
        return;
    const QVariant dentro = TblServizi.active() ? TblServizi.lookup(QStringLiteral("Codice"), {servizio}, QStringLiteral("Dentro"))
                                                : QVariant();
    const double disponibile = dentro.toDouble() + (stessoArticolo ? qtaRicordata : 0.0);
    if (disponibile < quantita) {
        prompts.warning(QStringLiteral("Quantità troppo alta per la giacenza attuale."));
        throw Abort{};
    }
}

void TDataModule1::aggiornaGiacenza(double codiceServizio, double quantita)
{
    if (!trovaArticolo(codiceServizio))
        return;
    TblServizi.edit();
    TblServizi["Dentro"] = TblServizi["Dentro"].asFloat() + qtaRicordata - quantita;
    TblServizi["Fuori"] = TblServizi["Fuori"].asFloat() - qtaRicordata + quantita;
    TblServizi.post();
    const double resa = qtaRicordata - quantita;
    if (resa >= 0)
        RegistraMovimento(QStringLiteral("Entrata"), QString(), resa, nomeClienteCorrente());
    else
        RegistraMovimento(QStringLiteral("Uscita"), QString(), -resa, nomeClienteCorrente());
}

void TDataModule1::TblNoleggiAfterPost(Dataset& n)
{
    if (TblSedi.state() == DatasetState::Insert && DSSedi.tag != tagNavigatore)
        TblSedi.post();
    const double servizio = n["Codice servizio"].asFloat();
    const double quantita = n["Quantita"].asFloat();
    if (servizio != servizioRicordato) {
        if (servizioRicordato != 0) {
            RientroMerce(qtaRicordata, servizioRicordato);
            qtaRicordata = 0;
        }
        aggiornaGiacenza(servizio, quantita);
    } else if (quantita != qtaRicordata) {
        aggiornaGiacenza(servizio, quantita);
    }
    registraSospeso(n);
    // The next edit of the same record starts from what is stored now.
    qtaRicordata = quantita;
    servizioRicordato = servizio;
    sospesiRicordati = int(n["Sospesi"].asInteger());
}

void TDataModule1::registraSospeso(Dataset& n)
{
    const int sospesi = int(n["Sospesi"].asInteger());
    if (sospesi == sospesiRicordati)
        return;
    if (!TblSospesi.active())
        TblSospesi.open();
    QSqlQuery q = db.exec(QStringLiteral("SELECT MAX(Codice) FROM %1").arg(db.qualified(QStringLiteral("Sospesi"))));
    const qint64 nuovo = (q.next() ? q.value(0).toLongLong() : 0) + 1;
    q.finish();

    const QVariant sede = n["Codice sede"].value();
    const QVariant servizio = n["Codice servizio"].value();
    // The date typed counts even when the dialog was closed without OK.
    const RispostaDataSospeso risposta = prompts.dataSospesoTesto();
    QVariant data;
    if (!isBlankDate(risposta.testo)) {
        const QDate d = parseDate(risposta.testo);
        if (d.isValid())
            data = d;
    }
    bool trovato = false;
    if (risposta.ok) {
        trovato = TblSospesi.locate(QStringLiteral("Data;Sede;Servizio"), {data, sede, servizio});
    } else {
        trovato = TblSospesi.locate(QStringLiteral("Data;Sede;Servizio"), {QVariant(), sede, servizio});
        if (!trovato) {
            QTemp.close();
            QTemp.setParam(QStringLiteral("Sede"), sede);
            QTemp.setParam(QStringLiteral("Servizio"), servizio);
            QTemp.open();
            if (!QTemp.isEmpty())
                trovato = TblSospesi.locate(QStringLiteral("Codice"), {QTemp["Codice"].value()});
            QTemp.close();
        }
    }
    if (trovato) {
        TblSospesi.edit();
    } else {
        TblSospesi.append();
        TblSospesi["Codice"] = nuovo;
        TblSospesi["Data"] = data;
        TblSospesi["Sede"] = sede;
        TblSospesi["Servizio"] = servizio;
    }
    TblSospesi["Quantita"] = sospesi;
    TblSospesi.post();
}

// A reading is a quantity consumed on a day of this age: a negative quantity or a date outside
// any plausible range is a typing error that would spoil the statistics.
void TDataModule1::TblConsumiBeforePost(Dataset& c)
{
    if (c["Quantita"].asFloat() < 0) {
        prompts.error(QStringLiteral("La quantità consumata non può essere negativa."));
        throw Abort{};
    }
    const QDate data = c["Data"].asDate();
    if (!c["Data"].isNull() && (data.year() < 1900 || data.year() > 2100)) {
        prompts.error(QStringLiteral("Data del consumo non plausibile: indicare una data tra il 1900 e il 2100."));
        throw Abort{};
    }
}

int TDataModule1::MesiTraDate(const QDate& fine, const QDate& inizio)
{
    const int anni = fine.year() > inizio.year() ? fine.year() - inizio.year() : 0;
    return 1 + 12 * anni + (fine.month() - inizio.month());
}

void TDataModule1::AnnullaModifiche(Table& table)
{
    BusyScope busy(prompts);
    try {
        db.rollback();
    } catch (const LavError&) {
    }
    riallinea(nullptr);
    if (table.active())
        table.first();
}

void TDataModule1::RicalcolaTotali()
{
    ricalcolaTotali(true);
}

int TDataModule1::RicalcolaTotaliCliente()
{
    return int(TblSedi.active() ? (ricalcolaTotali(false), TblSedi.recordCount()) : 0);
}

void TDataModule1::ricalcolaTotali(bool tutti)
{
    // The rentals are read with one statement in the order the sites and rentals are shown
    // (so the last non-zero price met is the same), summed per customer and article, and the
    // rows written in one transaction.
    struct Totale { double quantita = 0, sospesi = 0; double prezzo = 0; bool conPrezzo = false; };
    QList<QVariant> clienti;
    if (tutti) {
        for (int i = 0; i < TblClienti.recordCount(); ++i)
            clienti << TblClienti.valueAt(i, "Codice");
        prompts.progressStart(int(clienti.size()));
    } else if (TblClienti.active() && !TblClienti.isEmpty()) {
        clienti << TblClienti["Codice"].value();
    }
    std::map<double, std::vector<std::pair<double, Totale>>> perCliente;   // customer -> articles in order met
    {
        QString sql = QStringLiteral(
            "SELECT s.\"Codice cliente\", n.\"Codice servizio\", n.Quantita, n.InFattura, n.Sospesi, n.Costo "
            "FROM Sedi s JOIN Noleggi n ON n.\"Codice sede\" = s.Codice ");
        QVariantList params;
        if (!tutti) {
            sql += QStringLiteral("WHERE s.\"Codice cliente\" = ? ");
            params << clienti.value(0);
        }
        sql += QStringLiteral("ORDER BY s.\"Codice cliente\", s.rowid, n.\"Codice sede\", n.rowid");
        QSqlQuery q = db.exec(sql, params);
        while (q.next()) {
            auto& articoli = perCliente[q.value(0).toDouble()];
            const double art = q.value(1).toDouble();
            auto it = std::find_if(articoli.begin(), articoli.end(), [art](const auto& a) { return a.first == art; });
            if (it == articoli.end()) {
                articoli.push_back({art, Totale{}});
                it = articoli.end() - 1;
            }
            Totale& t = it->second;
            t.quantita += q.value(3).isNull() ? q.value(2).toDouble() : q.value(3).toDouble();
            t.sospesi += q.value(4).toDouble();
            if (q.value(5).toDouble() != 0) {
                t.prezzo = q.value(5).toDouble();
                t.conPrezzo = true;
            }
        }
        q.finish();
    }
    TblTotali.close();
    // Inside a transaction of the caller, or in one of its own.
    std::optional<Transaction> transazione;
    if (!db.inTransaction())
        transazione.emplace(db);
    const auto fine = qScopeGuard([&] {
        if (tutti)
            prompts.progressEnd();
    });
    db.createTable(QStringLiteral("Totali"), Tabelle::Totali());
    QSqlQuery ins = db.prepare(QStringLiteral("INSERT INTO main.Totali (Cliente, Servizio, Quantita, Sospesi, Prezzo) VALUES (?, ?, ?, ?, ?)"));
    for (const QVariant& c : clienti) {
        const auto it = perCliente.find(c.toDouble());
        if (it != perCliente.end()) {
            for (const auto& [art, t] : it->second) {
                ins.addBindValue(c.toDouble());
                ins.addBindValue(art);
                ins.addBindValue(t.quantita);
                ins.addBindValue(t.sospesi);
                ins.addBindValue(t.conPrezzo ? QVariant(t.prezzo) : QVariant());
                Database::run(ins);
            }
        }
        if (tutti)
            prompts.progressStep();
    }
    ins.finish();
    if (transazione)
        transazione->commit();
    TblTotali.open();
}
