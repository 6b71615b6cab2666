#pragma once
#include "ArchivioDiProva.h"
#include "Database.h"
#include "DateIt.h"
#include "FileFE.h"
#include "XmlFE.h"
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <libxml/xpath.h>
#include <optional>

// A started archive for the electronic invoices: the company's parameters, builders that write
// customers with the lines of a last invoice run and manual invoices straight into the files,
// and readers of the XML written.
struct ArchivioFE : ArchivioDiProva
{
    ArchivioFE() : ArchivioDiProva(2024, Avviato)
    {
        sql("UPDATE Parametri SET FE_Progr = 41, FE_PIva = '01234567890', FE_CedID = '01234567890', "
            "FE_CedNome = 'Lavanderia Mr. Zanfo S.r.l.', FE_CedIndirizzo = 'Via Enrico Mattei, 18', "
            "FE_CedCAP = '87036', FE_CedComune = 'Rende', REA_Ufficio = 'CS', REA_Numero = '187452', "
            "REA_CapSoc = 50000, REA_SocioUnico = 'SU', REA_StatoLiq = 'LN', NotaCre = NULL, SoloPA = 0, "
            "FE_TipoDocFatt = 'TD24', FE_TipoDocNota = 'TD04', FEPath = NULL");
        dm->TblParametri.refresh();
        dm->ApriFatture();
        dm->contatore().ProssimoNumeroFattura(false);
        dm->contatore().SalvaPeriodo("30", "06", "30");
    }

    void sql(const QString& testo, const QVariantList& valori = {}) { dm->db.exec(testo, valori); }
    QVariant leggi(const QString& testo, const QVariantList& valori = {})
    {
        QSqlQuery q = dm->db.exec(testo, valori);
        return q.next() ? q.value(0) : QVariant();
    }

    struct Cliente
    {
        int codice = 1;
        QString nome = "Hotel Miramare";
        QString nome2 = "S.r.l.";
        bool pa = false;
        QString codiceFE = "ABC1234";
        QString pec;
        QString piva = "01234567897";
        QString cf;
        QString indirizzo = "Via Roma 1";
        QString comune = "87100 Cosenza (CS)";
        double imponibile = 25;   // the default line: 10 × 2,50
        bool pagaIva = true;
        QString natura;
        std::optional<double> fattura = 7;
        QString condizioni = "Mensile";
        QString numContratto;
        QDate dataContratto;
        QString rigo3;
        bool scissione = false;
        QString causale;
        bool millesimi = false;
        QString banca, iban;
        int scadenza = 0;
    };
    struct Riga
    {
        QString servizio;
        std::optional<double> prezzo;
        double quantita = 1;
        bool moltiplicatore = true;
        QDate data = QDate(2024, 6, 30);
    };

    static QVariant testo(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }
    static QVariant data(const QDate& d) { return d.isValid() ? QVariant(isoDate(d)) : QVariant(); }

    // A customer with its lines in the last run.
    void cliente(const Cliente& c, const QList<Riga>& righe)
    {
        sql("INSERT INTO Clienti (Codice, Denominazione, \"Denominazione 2\", XML, Codice_FE, PEC, \"Partita iva\", "
            "\"Codice fiscale\", Indirizzo, Comune, Imponibile, Pagaiva, NATURA, Fattura, Condizioni, NumContratto, "
            "\"Data contratto\", Rigo_3, Scissione, Causale, Millesimi, Banca, CoordinateBanca, ScadenzaFattura) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {c.codice, c.nome, testo(c.nome2), c.pa, testo(c.codiceFE), testo(c.pec), testo(c.piva), testo(c.cf),
             c.indirizzo, c.comune, c.imponibile, c.pagaIva, testo(c.natura),
             c.fattura ? QVariant(*c.fattura) : QVariant(), c.condizioni, testo(c.numContratto), data(c.dataContratto),
             testo(c.rigo3), c.scissione, testo(c.causale), c.millesimi, testo(c.banca), testo(c.iban), c.scadenza});
        for (const Riga& r : righe)
            sql("INSERT INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, Moltiplicatore) "
                "VALUES (?, ?, 0, ?, ?, ?, ?)",
                {c.codice, r.servizio, r.quantita, r.prezzo ? QVariant(*r.prezzo) : QVariant(), data(r.data),
                 r.moltiplicatore});
        dm->TblClienti.refresh();
    }

    struct Manuale
    {
        QString nome1 = "Studio Bianchi";
        QString nome2;
        QString indirizzo = "Corso Mazzini 10";
        QString citta = "87100 Cosenza (CS)";
        QString piva = "01234567897";
        QString cf;
        QDate data = QDate(2024, 2, 15);
        std::optional<double> numero = 12;
        QList<std::tuple<double, QString, double>> righe = {{2, "Noleggio tovagliato", 10}};
        std::optional<double> iva = 22;
        QString natura;
        QString codiceFE = "XYZ9876";
        QString pec;
        bool pa = false;
        QString cig, numContratto;
        QDate dataContratto, inizio, fine, scadenza;
        bool scissione = false;
        bool millesimi = false;
    };

    // A manual invoice, made the current record of its table.
    int manuale(const Manuale& m)
    {
        QStringList campi{"Nome1", "Nome2", "Indirizzo", "Città", "\"Partita iva\"", "\"Codice fiscale\"",
                          "\"Data fattura\"", "\"Numero fattura\"", "Iva", "NATURA", "Codice_FE", "PEC", "PA", "Cig",
                          "NumContratto", "DataContratto", "DataInizioP", "DataFineP", "DataScadenza", "Scissione",
                          "Millesimi"};
        QVariantList valori{m.nome1, testo(m.nome2), m.indirizzo, m.citta, testo(m.piva), testo(m.cf), data(m.data),
                            m.numero ? QVariant(*m.numero) : QVariant(), m.iva ? QVariant(*m.iva) : QVariant(),
                            testo(m.natura), testo(m.codiceFE), testo(m.pec), m.pa, testo(m.cig), testo(m.numContratto),
                            data(m.dataContratto), data(m.inizio), data(m.fine), data(m.scadenza), m.scissione,
                            m.millesimi};
        for (int i = 0; i < m.righe.size(); ++i) {
            campi << QStringLiteral("\"Quantità %1\"").arg(i + 1) << QStringLiteral("\"Descrizione %1\"").arg(i + 1)
                  << QStringLiteral("\"Prezzo unitario %1\"").arg(i + 1);
            valori << std::get<0>(m.righe[i]) << std::get<1>(m.righe[i]) << std::get<2>(m.righe[i]);
        }
        sql(QStringLiteral("INSERT INTO Fattman (%1) VALUES (%2)")
                .arg(campi.join(", "), QStringList(campi.size(), "?").join(", ")),
            valori);
        const int codice = leggi("SELECT max(Codice) FROM Fattman").toInt();
        dm->TblFatturaMan.refresh();
        dm->TblFatturaMan.locate("Codice", {codice});
        return codice;
    }

    QString percorso(const QString& nome) const { return QDir(dir.path()).filePath(nome); }
};

// The lines a run leaves for every customer that is not excluded: one line per invoiceable
// article (quantities to invoice summed, the rental's price, multiplied by the months) and one
// per extra line with a quantity (not multiplied). It stands in for the invoice run where only
// the files made from the lines are under test.
inline void RigheDiUnaElaborazione(Database& db, const QDate& data)
{
    db.exec("DELETE FROM Fatture");
    db.exec("INSERT INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, Moltiplicatore) "
            "SELECT s.\"Codice cliente\", a.Descrizione, 0, SUM(COALESCE(n.InFattura, n.Quantita)), "
            "NULLIF(MAX(n.Costo), 0), ?, 1 "
            "FROM Noleggi n JOIN Sedi s ON s.Codice = n.\"Codice sede\" JOIN Servizi a ON a.Codice = n.\"Codice servizio\" "
            "JOIN Clienti c ON c.Codice = s.\"Codice cliente\" "
            "WHERE a.Fatturabile = 1 AND NOT COALESCE(c.Escluso, 0) GROUP BY s.\"Codice cliente\", a.Descrizione",
            {isoDate(data)});
    db.exec("INSERT OR IGNORE INTO Fatture (Cliente, Servizio, Posizione, Quantita, Prezzo, Data, Moltiplicatore) "
            "SELECT i.Cliente, i.Descrizione, 0, i.Quantita, NULLIF(i.Prezzo, 0), ?, 0 FROM AltreInfo i "
            "JOIN Clienti c ON c.Codice = i.Cliente WHERE i.Quantita IS NOT NULL AND NOT COALESCE(c.Escluso, 0)",
            {isoDate(data)});
}

// Texts read in the failures of the tests.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// A parsed XML file with its texts read by path ("//DatiGeneraliDocumento/Numero").
class XmlLetto
{
public:
    explicit XmlLetto(const QByteArray& dati) : doc(LeggiXml(dati)) {}
    static XmlLetto file(const QString& percorso)
    {
        QFile f(percorso);
        f.open(QIODevice::ReadOnly);
        return XmlLetto(f.readAll());
    }

    bool valido() const { return doc != nullptr; }

    // The texts of the nodes the path selects, in document order.
    QStringList tutti(const QString& xpath) const
    {
        QStringList r;
        if (!doc)
            return r;
        xmlXPathContextPtr ctx = xmlXPathNewContext(doc.get());
        xmlXPathObjectPtr o = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.toUtf8().constData()), ctx);
        if (o && o->nodesetval)
            for (int i = 0; i < o->nodesetval->nodeNr; ++i) {
                xmlChar* t = xmlNodeGetContent(o->nodesetval->nodeTab[i]);
                r << QString::fromUtf8(reinterpret_cast<const char*>(t));
                xmlFree(t);
            }
        xmlXPathFreeObject(o);
        xmlXPathFreeContext(ctx);
        return r;
    }
    QString operator[](const QString& xpath) const
    {
        const QStringList t = tutti(xpath);
        return t.isEmpty() ? QStringLiteral("<assente>") : t.first();
    }
    int conta(const QString& xpath) const { return int(tutti(xpath).size()); }

    // Names of the children of the element the path selects, in order.
    QStringList figli(const QString& xpath) const
    {
        QStringList r;
        if (!doc)
            return r;
        xmlXPathContextPtr ctx = xmlXPathNewContext(doc.get());
        xmlXPathObjectPtr o =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>((xpath + "/*").toUtf8().constData()), ctx);
        if (o && o->nodesetval)
            for (int i = 0; i < o->nodesetval->nodeNr; ++i)
                r << QString::fromUtf8(reinterpret_cast<const char*>(o->nodesetval->nodeTab[i]->name));
        xmlXPathFreeObject(o);
        xmlXPathFreeContext(ctx);
        return r;
    }

private:
    DocXml doc;
};
