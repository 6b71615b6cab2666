#pragma once
#include "ArchivioDiProva.h"
#include "PageModel.h"
#include "reports/TestoQt.h"
#include <QSqlQuery>
#include <QSqlRecord>
#include <array>
#include <gtest/gtest.h>

// The builders take designated initializers that leave the other fields at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// A started archive of 2024 and builders that write routes, customers, sites, intervention
// days, rentals, pending deliveries, consumption readings and stock movements straight into the
// files, as earlier sessions would have left them.
class ServiziDiProva : public ::testing::Test
{
protected:
    ServiziDiProva() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm) {}

    int giro(const QString& descrizione, const QString& agente = {})
    {
        QVariant codiceAgente;
        if (!agente.isEmpty()) {
            codiceAgente = ++ultimoAgente;
            sql("INSERT INTO Agenti (Codice, Nominativo) VALUES (?, ?)", {codiceAgente, agente});
        }
        sql("INSERT INTO Iter (Codice, Descrizione, Agente) VALUES (?, ?, ?)", {++ultimoGiro, descrizione, codiceAgente});
        return ultimoGiro;
    }

    struct Cliente
    {
        QString nome = QStringLiteral("Hotel Miramare");
        QString nome2 = QStringLiteral("S.r.l.");
        QVariant scheda = 7;
        QVariant indiceRev = 2;
        QVariant dataRev = QStringLiteral("2024-03-01");
    };

    double cliente() { return cliente(Cliente{}); }
    double cliente(const Cliente& c)
    {
        sql("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\", Indirizzo, Comune, Scheda, IndiceRev, DataRev) "
            "VALUES (?, ?, ?, 'Via Roma 12', 'Cosenza', ?, ?, ?)",
            {++ultimoCliente, c.nome, c.nome2, c.scheda, c.indiceRev, c.dataRev});
        return ultimoCliente;
    }

    struct Sede
    {
        double cliente = 0;
        QString indirizzo = QStringLiteral("Via Popilia 5");
        QString comune = QStringLiteral("Rende");
        int iter = 0;
        int gruppo = 0;            // 0: the site's own group, the next of its customer
        QString indirizzoGruppo;
        double codice = 0;         // 0: the next code
    };

    // A site in its own group (Gruppo = GruppoOrg), unless told to join another.
    double sede(const Sede& s)
    {
        const double codice = s.codice != 0 ? s.codice : ++ultimaSede;
        ultimaSede = std::max(ultimaSede, codice);
        QSqlQuery q = dm.db.exec("SELECT COALESCE(MAX(GruppoOrg), 0) + 1 FROM Sedi WHERE \"Codice cliente\" = ?", {s.cliente});
        q.next();
        const int proprio = q.value(0).toInt();
        q.finish();
        sql("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo, Comune, Iter, Gruppo, GruppoOrg, Colore, IndirizzoGruppo) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?)",
            {codice, s.cliente, s.indirizzo, s.comune, s.iter, s.gruppo != 0 ? s.gruppo : proprio, proprio,
             s.indirizzoGruppo.isEmpty() ? QVariant() : QVariant(s.indirizzoGruppo)});
        return codice;
    }

    // Days Monday to Saturday: true checked, false unchecked, an empty QVariant grey.
    void intervento(double sede, int settimana, const std::array<QVariant, 6>& giorni)
    {
        QVariantList p{++ultimoIntervento, settimana};
        for (const QVariant& g : giorni)
            p << g;
        p << sede;
        sql("INSERT INTO Interventi (Codice, Settimana, Lunedi, Martedi, Mercoledi, Giovedi, Venerdi, Sabato, Sede) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", p);
    }

    double articolo(const QString& descrizione, const QString& tipo, bool fatturabile = true)
    {
        sql("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori, Fatturabile) VALUES (?, ?, ?, 100, 0, ?)",
            {++ultimoArticolo, descrizione, tipo, fatturabile});
        return ultimoArticolo;
    }

    void noleggio(double sede, double articolo, int quantita, int sospesi = 0)
    {
        sql("INSERT INTO Noleggi (\"Codice sede\", \"Codice servizio\", Quantita, Sospesi) VALUES (?, ?, ?, ?)",
            {sede, articolo, quantita, sospesi});
    }

    void sospeso(const QVariant& data, double sede, double articolo, const QVariant& quantita)
    {
        sql("INSERT INTO Sospesi (Codice, Data, Sede, Servizio, Quantita) VALUES (?, ?, ?, ?, ?)",
            {++ultimoSospeso, data, sede, articolo, quantita});
    }

    void consumo(double sede, double articolo, double quantita, const QString& data)
    {
        sql("INSERT INTO Consumi (Sede, Servizio, Quantita, Data) VALUES (?, ?, ?, ?)", {sede, articolo, quantita, data});
    }

    void movimento(const QString& servizio, const QString& data, const QString& tipo, double quantita, double giacenza,
                   const QString& cliente = {}, const QString& motivo = {})
    {
        sql("INSERT INTO Stomag (Servizio, \"Data movimento\", \"Tipo movimento\", Motivo, Cliente, \"Quantità\", Giacenza) "
            "VALUES (?, ?, ?, ?, ?, ?, ?)",
            {servizio, data, tipo, motivo.isEmpty() ? QVariant() : QVariant(motivo),
             cliente.isEmpty() ? QVariant() : QVariant(cliente), quantita, giacenza});
    }

    // The tables see what was written, the customer table on its first customer.
    void aggiorna()
    {
        for (Table* t : {&dm.TblAgenti, &dm.TblIter, &dm.TblServizi, &dm.TblClienti, &dm.TblSedi, &dm.TblNoleggi,
                         &dm.TblInterventi, &dm.TblConsumi, &dm.TblSospesi, &dm.TblStoMag})
            if (t->active())
                t->refresh();
        dm.TblClienti.first();
    }

    void sql(const QString& text, const QVariantList& params = {}) { dm.db.exec(text, params); }

    // The rows of a statement, each as its values joined by " | ".
    QStringList righe(const QString& text, const QVariantList& params = {})
    {
        QStringList out;
        QSqlQuery q = dm.db.exec(text, params);
        const int n = q.record().count();
        while (q.next()) {
            QStringList r;
            for (int i = 0; i < n; ++i)
                r << q.value(i).toString();
            out << r.join(QStringLiteral(" | "));
        }
        return out;
    }

    // Every text of the document, page after page, top to bottom.
    static QStringList testi(const PageModel& m)
    {
        QStringList out;
        for (int p = 0; p < m.pageCount(); ++p)
            out << m.texts(p);
        return out;
    }

    ArchivioDiProva a;
    TDataModule1& dm;
    double ultimoCliente = 0, ultimaSede = 0, ultimoArticolo = 0, ultimoAgente = 0;
    int ultimoGiro = 0, ultimoIntervento = 0, ultimoSospeso = 0;
};
