#pragma once
#include "ArchivioDiProva.h"
#include "DateIt.h"
#include <QFile>
#include <QSqlQuery>
#include <tuple>
#include <gtest/gtest.h>

// The builders take designated initializers that leave the other fields at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// A started archive of fiscal year 2024 with four articles (the fourth may not be invoiced)
// and the payment methods 1 and 2, and builders that write customers, sites, rentals and
// free invoice lines straight into the files, as the customer screen would have left them.
class FattureDiProva : public ::testing::Test
{
protected:
    FattureDiProva() : a(2024, ArchivioDiProva::Avviato), dm(*a.dm)
    {
        sql("INSERT INTO Servizi (Codice, Descrizione, Tipo, Dentro, Fuori, Fatturabile) VALUES "
            "(1, 'Lenzuolo matrimoniale', 'Cotone', 500, 0, 1), (2, 'Federa', 'Cotone', 500, 0, 1), "
            "(3, 'Tovaglia 140x140', 'Misto', 500, 0, 1), (4, 'Sacco biancheria', 'Nylon', 500, 0, 0)");
        sql("INSERT INTO ModPag (Codice, Descrizione, Mastro, Conto) VALUES (1, 'Rimessa diretta', 18, 1), "
            "(2, 'Bonifico', 18, 2)");
        for (Table* t : {&dm.TblServizi, &dm.TblModPag})
            t->refresh();
    }

    struct Cliente
    {
        QString nome = QStringLiteral("Hotel Miramare");
        QString nome2;
        QString condizioni = QStringLiteral("Mensile");
        int forza = 0;                   // Mese_Fatt
        QVariant escluso = false;
        double imponibile = 100;
        bool pagaIva = true;
        bool millesimi = false;
        bool incassabile = false;
        int pagamento = 2;
        QVariant fattura;
    };

    double cliente(const Cliente& c)
    {
        const double codice = ++ultimoCliente;
        sql("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\", Indirizzo, Comune, \"Partita iva\", "
            "\"Codice fiscale\", Condizioni, Mese_Fatt, Escluso, Imponibile, Pagaiva, Millesimi, Incassabile, Pagamento, "
            "Fattura, \"Rigo 1\", \"Rigo 2\", Rigo_3, CoordinateBanca, \"Numero cc\", Banca, Flag) "
            "VALUES (?, ?, ?, 'Via Roma 12', '87100 Cosenza', '01234567890', 'MRARSS70A01D086X', ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "'Servizio di noleggio biancheria', 'Contratto n. 118', 'Pagamento a 30 giorni', 'IT60X0542811101000000123456', "
            "'123456', 'Banca della Calabria', '0')",
            {codice, c.nome, c.nome2.isEmpty() ? QVariant() : QVariant(c.nome2), c.condizioni, c.forza, c.escluso,
             c.imponibile, c.pagaIva, c.millesimi, c.incassabile, c.pagamento, c.fattura});
        return codice;
    }

    double sede(double cliente)
    {
        const double codice = ++ultimaSede;
        sql("INSERT INTO Sedi (Codice, \"Codice cliente\", Indirizzo, Comune) VALUES (?, ?, 'Via Popilia 5', 'Rende')",
            {codice, cliente});
        return codice;
    }

    void noleggio(double sede, double articolo, const QVariant& quantita, double costo, const QVariant& inFattura = {})
    {
        sql("INSERT INTO Noleggi (\"Codice sede\", \"Codice servizio\", Quantita, InFattura, Sospesi, Costo) "
            "VALUES (?, ?, ?, ?, 0, ?)",
            {sede, articolo, quantita, inFattura, costo});
    }

    // A free invoice line ("Ulteriori informazioni in fattura"), numbered after the others.
    void rigaLibera(double cliente, const QVariant& quantita, const QString& descrizione, const QVariant& prezzo = {})
    {
        sql("INSERT INTO AltreInfo (Cliente, Progr, Quantita, Descrizione, Prezzo) VALUES (?, ?, ?, ?, ?)",
            {cliente, ++ultimoProgr, quantita, descrizione, prezzo});
    }

    struct Manuale
    {
        QString nome1 = QStringLiteral("Comune di Rende");
        QString nome2 = QStringLiteral("Ufficio economato");
        QString indirizzo = QStringLiteral("Piazza Municipio 1");
        QVariant data;                   // "Data fattura", ISO text
        QVariant numero;
        QVariant inizio, fine;           // the billing period, ISO texts
        QVariant contratto;              // "DataContratto"
        double iva = 22;
        bool millesimi = false;
        QList<std::tuple<QVariant, QString, QVariant>> righe;   // quantity, description, unit price
    };

    // A manual invoice written into the file; the data module's table stands on it.
    qint64 fatturaManuale(const Manuale& m)
    {
        QStringList campi{"Nome1", "Nome2", "Indirizzo", "\"Città\"", "\"Codice fiscale\"", "\"Partita iva\"",
                          "\"Data fattura\"", "\"Numero fattura\"", "DataInizioP", "DataFineP", "DataContratto", "Iva",
                          "Millesimi", "\"Rigo 1\"", "Rigo_7"};
        QVariantList valori{m.nome1, m.nome2, m.indirizzo, "87036 Rende (CS)", "80003370781", "00339930780", m.data,
                            m.numero, m.inizio, m.fine, m.contratto, m.iva, m.millesimi, "Servizio di lavanderia",
                            "Pagamento con bonifico bancario"};
        for (int i = 0; i < m.righe.size(); ++i) {
            const auto& [q, d, p] = m.righe[i];
            campi << QString("\"Quantità %1\"").arg(i + 1) << QString("\"Descrizione %1\"").arg(i + 1)
                  << QString("\"Prezzo unitario %1\"").arg(i + 1);
            valori << q << d << p;
        }
        QStringList segni;
        for (int i = 0; i < campi.size(); ++i)
            segni << "?";
        QSqlQuery q = dm.db.exec(QString("INSERT INTO Fattman (%1) VALUES (%2)").arg(campi.join(", "), segni.join(", ")), valori);
        const qint64 codice = q.lastInsertId().toLongLong();
        dm.TblFatturaMan.refresh();
        dm.TblFatturaMan.locate("Codice", {codice});
        return codice;
    }

    // The tables see what was written.
    void aggiorna()
    {
        for (Table* t : {&dm.TblClienti, &dm.TblSedi, &dm.TblNoleggi, &dm.TblAltreInfo})
            t->refresh();
        dm.TblClienti.first();
    }

    struct Riga
    {
        QString servizio;
        int posizione = 0;
        QVariant quantita;
        QVariant prezzo;
        bool moltiplicatore = false;
        bool operator==(const Riga&) const = default;
    };
    friend void PrintTo(const Riga& r, std::ostream* os)
    {
        *os << '{' << r.servizio.toStdString() << ", " << r.posizione << ", " << r.quantita.toString().toStdString()
            << ", " << r.prezzo.toString().toStdString() << ", " << r.moltiplicatore << '}';
    }

    // The lines of a customer as the print reads them (by position, then text).
    QList<Riga> righe(double cliente)
    {
        QList<Riga> out;
        QSqlQuery q = dm.db.exec("SELECT Servizio, Posizione, Quantita, Prezzo, Moltiplicatore FROM Fatture "
                                 "WHERE Cliente = ? ORDER BY Posizione, Servizio COLLATE NOCASE",
                                 {cliente});
        auto valore = [](const QVariant& v) { return v.isNull() ? QVariant() : v; };
        while (q.next())
            out.append({q.value(0).toString(), q.value(1).toInt(), valore(q.value(2)), valore(q.value(3)), q.value(4).toBool()});
        return out;
    }
    int righeInTutto() { return valore("SELECT count(*) FROM Fatture").toInt(); }

    QVariant valore(const QString& sqlText, const QVariantList& params = {})
    {
        QSqlQuery q = dm.db.exec(sqlText, params);
        return q.next() && !q.value(0).isNull() ? q.value(0) : QVariant();
    }
    QString flag(double cliente) { return valore("SELECT Flag FROM Clienti WHERE Codice = ?", {cliente}).toString(); }
    QVariant fattura(double cliente) { return valore("SELECT Fattura FROM Clienti WHERE Codice = ?", {cliente}); }

    // The ledger of 2024, movement by movement.
    struct Movimento
    {
        qint64 codice, altra;
        double cliente;
        QString causale;
        int conto;
        double importo;
        bool incassata;
        int fattura;
        QDate data, rif;
    };
    QList<Movimento> movimenti()
    {
        QList<Movimento> out;
        QSqlQuery q = dm.db.exec(QString("SELECT Codice, CodiceAltra, Cliente, Causale, Conto, Importo, Incassata, Fattura, "
                                         "Data, DataRif FROM %1 ORDER BY Codice")
                                     .arg(dm.db.qualified(dm.TblPrimaNota.tableName())));
        while (q.next())
            out.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toDouble(), q.value(3).toString(),
                        q.value(4).toInt(), q.value(5).toDouble(), q.value(6).toBool(), q.value(7).toInt(),
                        fromIso(q.value(8).toString()), fromIso(q.value(9).toString())});
        return out;
    }

    // The counter file of 2024, written as the program writes it, and read back.
    QString fileContatore() const { return a.percorso("2024/fatture.dat"); }
    void contatore(qint16 ultimo, const char* giorno = "", const char* mese = "", const char* fine = "")
    {
        QByteArray r;
        r += char(quint16(ultimo) & 0xff);
        r += char(quint16(ultimo) >> 8);
        for (const char* t : {giorno, mese, fine}) {
            const QByteArray s(t);
            r += char(s.size());
            r += s.leftJustified(2, '\0');
        }
        r += '\0';
        QFile f(fileContatore());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(r);
    }
    QByteArray bytesContatore() const
    {
        QFile f(fileContatore());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int ultimoNumero() const
    {
        const QByteArray b = bytesContatore();
        return b.size() < 2 ? -1 : qint16(quint16(quint8(b[0])) | quint16(quint8(b[1])) << 8);
    }

    void sql(const QString& text, const QVariantList& params = {}) { dm.db.exec(text, params); }

    ArchivioDiProva a;
    TDataModule1& dm;
    ScriptedPrompts& prompts = a.prompts;

private:
    double ultimoCliente = 0;
    double ultimaSede = 0;
    int ultimoProgr = 0;
};
