#include "ScrittoreFE.h"

#include "Periodicita.h"
#include "TestoFE.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>

QString NomeFileFE(const QString& pivaTrasmittente, qint64 progressivo)
{
    return QStringLiteral("IT") + pivaTrasmittente + QLatin1Char('_') + TestoFE::Progressivo(progressivo)
           + QStringLiteral(".xml");
}

namespace {

using namespace TestoFE;

// Every document starts from this text, parsed afresh.
const char modello[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<?xml-stylesheet type=\"text/xsl\" href=\"fatturapa_v1.2.xsl\"?>\n"
    "<FatturaElettronica versione=\"FPA12\""
    " xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\""
    " xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"/>";

const char scissione[] =
    "SCISSIONE DEI PAGAMENTI - iva versata ai sensi dell'art. 1 del D.L. 24 aprile 2017 n. 50";

const xmlChar* X(const char* s)
{
    return reinterpret_cast<const xmlChar*>(s);
}

// The tree operations: an element is reached by name from its parent, created at the end of
// the parent's children the first time, so that the elements come out in the order they are
// first touched.
class Albero
{
public:
    explicit Albero(xmlDocPtr doc) : doc(doc) {}

    xmlNodePtr figlio(xmlNodePtr padre, const char* nome)
    {
        for (xmlNodePtr n = padre->children; n; n = n->next)
            if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, X(nome)))
                return n;
        return nuovo(padre, nome);
    }

    xmlNodePtr nuovo(xmlNodePtr padre, const char* nome)
    {
        return xmlAddChild(padre, xmlNewDocNode(doc, nullptr, X(nome), nullptr));
    }

    // Follows a path "A/B/C" of child-by-name steps.
    xmlNodePtr percorso(xmlNodePtr padre, const char* path)
    {
        const char* inizio = path;
        xmlNodePtr n = padre;
        char nome[64];
        for (const char* p = path;; ++p) {
            if (*p == '/' || *p == '\0') {
                const size_t len = size_t(p - inizio);
                memcpy(nome, inizio, len);
                nome[len] = '\0';
                n = figlio(n, nome);
                if (*p == '\0')
                    return n;
                inizio = p + 1;
            }
        }
    }

    // Sets the text of the element at the path, replacing what it held.
    void valore(xmlNodePtr padre, const char* path, const QString& testo)
    {
        imposta(percorso(padre, path), testo);
    }

    void imposta(xmlNodePtr n, const QString& testo)
    {
        while (n->children) {
            xmlNodePtr c = n->children;
            xmlUnlinkNode(c);
            xmlFreeNode(c);
        }
        const QByteArray utf8 = Latino(testo).toUtf8();
        xmlAddChild(n, xmlNewDocTextLen(doc, X(utf8.constData()), int(utf8.size())));
    }

private:
    xmlDocPtr doc;
};

QDate fineMeseSuccessivo(const QDate& d)
{
    if (!d.isValid())
        return {};
    const QDate dopo = d.addMonths(1);
    return QDate(dopo.year(), dopo.month(), dopo.daysInMonth());
}

// The VAT of the periodic kinds: 22 % of the taxable amount rounded to the cent with halves
// upward, worked out on the exact decimal amount.
Money iva22(Money imponibile)
{
    // units × 22 is the tax in millionths of a euro; cents = floor(millionths / 10000 + 0.5).
    const qint64 x = imponibile.units() * 22 + 5000;
    qint64 centesimi = x / 10000;
    if (x % 10000 != 0 && x < 0)
        --centesimi;
    return Money::fromUnits(centesimi * 100);
}

// The document total of the periodic kinds.
Money totalePeriodico(const DocumentoFE& d)
{
    return d.pagaIva ? d.imponibile + iva22(d.imponibile) : d.imponibile;
}

struct Aliquota
{
    QString testo;   // R
    float tasso;     // r, held as a 32-bit float as the tax is computed with it
    bool zero;
};

Aliquota aliquota(const DocumentoFE& d)
{
    if (Periodico(d.tipo))
        return d.pagaIva ? Aliquota{QStringLiteral("22.00"), 0.22f, false}
                         : Aliquota{QStringLiteral("0.00"), 0.0f, true};
    if (d.iva && *d.iva != 0)
        return {Importo(*d.iva, 2), float(*d.iva / 100.0), false};
    return {QStringLiteral("0.00"), 0.0f, true};
}

// Quantity, unit price and total of one line as written.
struct ValoriRiga
{
    QString quantita, prezzo, totale;
};

ValoriRiga valoriPeriodici(const DocumentoFE& d, const RigaFE& r)
{
    int m = MesiPerFattura(d.condizioni);
    if (!r.moltiplicatore)
        m = 1;
    const qint64 q = Intero(r.quantita);
    const double p = r.prezzo.value_or(0);
    const int base = d.millesimi ? 3 : 2;
    ValoriRiga v;
    v.quantita = Quantita(double(m * q));
    v.prezzo = r.prezzo ? Importo(p, DecimaliNecessari(Money::fromDouble(p), base)) : QStringLiteral("0.00");
    v.totale = Importo(double(q) * p * double(m), base);
    return v;
}

ValoriRiga valoriManuali(const DocumentoFE& d, const RigaFE& r)
{
    const double f = d.mesiPeriodo;
    qint64 q = Intero(r.quantita);
    Money u = Money::fromDouble(r.prezzo.value_or(0));
    Money totale;
    double quantita = 0;
    if (f == 0.5) {
        u = u / 2.0;
        totale = u * double(q);
        quantita = double(q);
    } else {
        totale = u * (double(q) * f);
        // A whole factor multiplies the quantity; any other gives the quantity its fraction
        // too, so that quantity × price is the total.
        quantita = f >= 1 && f == std::trunc(f) ? std::trunc(f) * double(q) : double(q) * f;
    }
    // The schema knows no negative quantity: the sign goes to the price.
    if (quantita < 0) {
        quantita = -quantita;
        u = -u;
    }
    const int base = d.millesimi ? 3 : 2;
    ValoriRiga v;
    v.quantita = Quantita(quantita);
    v.prezzo = r.prezzo ? Importo(u, DecimaliNecessari(u, base)) : QStringLiteral("0.00");
    v.totale = Importo(totale, base);
    return v;
}

// The billing period written on every line.
std::pair<QString, QString> periodo(const DocumentoFE& d)
{
    if (Periodico(d.tipo)) {
        const QString inizio = QStringLiteral("01/") + Periodo(d.mese.toInt(), d.condizioni, d.anno);
        const QString fine = d.finePeriodo + QLatin1Char('/') + d.mese + QLatin1Char('/') + d.anno;
        return {DataDaTesto(inizio), DataDaTesto(fine)};
    }
    const QDate f = d.dataFattura;
    const QString inizio = d.dataInizioP.isValid() ? Data(d.dataInizioP)
                           : f.isValid()           ? Data(QDate(f.year(), f.month(), 1))
                                                   : Data({});
    const QString anno = f.isValid() ? QString::number(f.year()) : QString();
    const QString fine = d.dataFineP.isValid()
                             ? Data(d.dataFineP)
                             : DataDaTesto(d.finePeriodo + QLatin1Char('/') + d.mese + QLatin1Char('/') + anno);
    return {inizio, fine};
}

void controllaCig(const DocumentoFE& d)
{
    if (!d.pa)
        return;
    const QString testo = QStringLiteral("Attenzione non è stato possibile rintracciare il CIG del cliente ");
    if (Periodico(d.tipo)) {
        bool trovato = false;
        CercaCIG(d.rigo3, &trovato);
        if (!trovato)
            throw CigMancante(testo + d.nome1 + QLatin1Char('\n')
                              + QStringLiteral("Indicarlo nel campo \"Fine pagina fattura\" preceduto dalla scritta CIG:"));
    } else {
        // The manual credit note tests the code as stored, the manual invoice trimmed.
        const bool vuoto = d.tipo == TipoFE::NotaCreditoManuale ? d.cig.isEmpty() : d.cig.trimmed().isEmpty();
        if (vuoto)
            throw CigMancante(testo + d.nome1);
    }
}

// A text longer than the schema's 200 characters goes into as many elements as it needs.
QStringList pezzi(const QString& testo, int lunghezza)
{
    QStringList r;
    for (qsizetype i = 0; i < testo.size(); i += lunghezza)
        r << testo.mid(i, lunghezza);
    return r;
}

} // namespace

DocXml ScriviFatturaPA(const DocumentoFE& d, const ParametriFE& par)
{
    DocXml doc(xmlReadMemory(modello, int(sizeof modello - 1), nullptr, "UTF-8", XML_PARSE_NONET));
    if (!doc)
        throw LavError(QStringLiteral("Impossibile preparare il documento XML."));
    Albero t(doc.get());
    xmlNodePtr root = xmlDocGetRootElement(doc.get());
    const bool manuale = !Periodico(d.tipo);
    const bool nota = NotaDiCredito(d.tipo);

    // The root is in the FatturaPA namespace, its children unqualified; a private customer's
    // document is an FPR12.
    xmlSetNs(root, xmlSearchNs(doc.get(), root, X("p")));
    xmlSetProp(root, X("versione"), X(d.pa ? "FPA12" : "FPR12"));

    // Header: transmission.
    xmlNodePtr header = t.figlio(root, "FatturaElettronicaHeader");
    xmlNodePtr tras = t.figlio(header, "DatiTrasmissione");
    t.valore(tras, "IdTrasmittente/IdPaese", QStringLiteral("IT"));
    t.valore(tras, "IdTrasmittente/IdCodice", par.piva);
    t.valore(tras, "ProgressivoInvio", Progressivo(d.progressivo));
    t.valore(tras, "FormatoTrasmissione", d.pa ? QStringLiteral("FPA12") : QStringLiteral("FPR12"));
    const QString codice = d.codiceFE.trimmed();
    const bool senzaCodice = codice == QLatin1String("-") || (manuale && codice.isEmpty());
    t.valore(tras, "CodiceDestinatario", senzaCodice ? QStringLiteral("0000000") : d.codiceFE);
    if (!d.pec.trimmed().isEmpty() && (senzaCodice || codice == QLatin1String("0000000")))
        t.valore(tras, "PECDestinatario", d.pec.trimmed());

    // Header: the company.
    xmlNodePtr ced = t.figlio(header, "CedentePrestatore");
    t.valore(ced, "DatiAnagrafici/IdFiscaleIVA/IdPaese", QStringLiteral("IT"));
    t.valore(ced, "DatiAnagrafici/IdFiscaleIVA/IdCodice", par.cedID);
    t.valore(ced, "DatiAnagrafici/CodiceFiscale", par.cedID.trimmed());
    t.valore(ced, "DatiAnagrafici/Anagrafica/Denominazione", par.cedNome.trimmed());
    t.valore(ced, "DatiAnagrafici/ProvinciaAlbo", QStringLiteral("CS"));
    t.valore(ced, "DatiAnagrafici/RegimeFiscale", QStringLiteral("RF01"));
    t.valore(ced, "Sede/Indirizzo", par.cedIndirizzo.trimmed());
    t.valore(ced, "Sede/CAP", par.cedCAP);
    t.valore(ced, "Sede/Comune", par.cedComune.trimmed());
    t.valore(ced, "Sede/Provincia", QStringLiteral("CS"));
    t.valore(ced, "Sede/Nazione", QStringLiteral("IT"));
    // The register block only for a registered company; share capital and sole shareholder
    // only when given (an empty element would make the file invalid).
    if (!par.reaUfficio.trimmed().isEmpty() || !par.reaNumero.trimmed().isEmpty()) {
        t.valore(ced, "IscrizioneREA/Ufficio", par.reaUfficio.trimmed());
        t.valore(ced, "IscrizioneREA/NumeroREA", par.reaNumero.trimmed());
        if (par.reaCapSoc)
            t.valore(ced, "IscrizioneREA/CapitaleSociale", Importo(par.reaCapSoc->toDouble(), 2));
        if (!par.reaSocioUnico.trimmed().isEmpty())
            t.valore(ced, "IscrizioneREA/SocioUnico", par.reaSocioUnico);
        t.valore(ced, "IscrizioneREA/StatoLiquidazione", par.reaStatoLiq);
    }

    // Header: the customer.
    xmlNodePtr com = t.figlio(header, "CessionarioCommittente");
    const bool conPiva = !d.partitaIva.trimmed().isEmpty();
    const bool conCf = !d.codiceFiscale.trimmed().isEmpty();
    if (conPiva) {
        t.valore(com, "DatiAnagrafici/IdFiscaleIVA/IdPaese", QStringLiteral("IT"));
        t.valore(com, "DatiAnagrafici/IdFiscaleIVA/IdCodice", d.partitaIva);
    }
    if (conCf && (!manuale || !conPiva))
        t.valore(com, "DatiAnagrafici/CodiceFiscale", d.codiceFiscale);
    t.valore(com, "DatiAnagrafici/Anagrafica/Denominazione",
             (d.nome1.trimmed() + QLatin1Char(' ') + d.nome2.trimmed()).trimmed());
    const Localita luogo = DividiComune(d.comune);
    t.valore(com, "Sede/Indirizzo", d.indirizzo.trimmed());
    t.valore(com, "Sede/CAP", luogo.cap);
    t.valore(com, "Sede/Comune", luogo.comune);
    t.valore(com, "Sede/Provincia", luogo.provincia);
    t.valore(com, "Sede/Nazione", QStringLiteral("IT"));

    // Body.
    xmlNodePtr body = t.nuovo(root, "FatturaElettronicaBody");
    xmlNodePtr gen = t.figlio(body, "DatiGenerali");
    xmlNodePtr doc1 = t.figlio(gen, "DatiGeneraliDocumento");
    const QString tipoDoc = nota ? par.tipoDocNota : par.tipoDocFatt;
    t.valore(doc1, "TipoDocumento", !tipoDoc.isEmpty() ? tipoDoc : nota ? QStringLiteral("TD04") : QStringLiteral("TD24"));
    t.valore(doc1, "Divisa", QStringLiteral("EUR"));
    t.valore(doc1, "Data", Data(nota ? d.dataEmissione : d.dataFattura));
    t.valore(doc1, "Numero", Progressivo(nota ? d.numeroNota : Intero(d.numero.value_or(0))));
    const Money totale = manuale ? d.totale : totalePeriodico(d);
    t.valore(doc1, "ImportoTotaleDocumento", Importo(totale, 2));
    for (const QString& c : pezzi(d.causale, 200))
        t.imposta(t.nuovo(doc1, "Causale"), c);

    // Contract and tender code: only when there is one of the two, the date only when set.
    controllaCig(d);
    const QString cig = manuale ? d.cig.trimmed() : CercaCIG(d.rigo3);
    const QString contratto = d.numContratto.trimmed();
    if (!contratto.isEmpty() || !cig.isEmpty()) {
        xmlNodePtr c = t.figlio(gen, "DatiContratto");
        t.valore(c, "IdDocumento", contratto);
        if (d.dataContratto.isValid())
            t.valore(c, "Data", Data(d.dataContratto));
        if (!cig.isEmpty())
            t.valore(c, "CodiceCIG", cig);
    }
    if (nota) {
        xmlNodePtr c = t.figlio(gen, "DatiFattureCollegate");
        t.valore(c, "IdDocumento", QString::number(Intero(d.numero.value_or(0))));
        if (d.dataFattura.isValid())
            t.valore(c, "Data", Data(d.dataFattura));
    }

    // Lines and summary.
    const Aliquota al = aliquota(d);
    const QString natura = d.natura.trimmed();
    const bool conNatura = al.zero && !natura.isEmpty();
    const auto [inizio, fine] = periodo(d);
    xmlNodePtr beni = t.figlio(body, "DatiBeniServizi");
    int numero = 0;
    for (const RigaFE& r : d.righe) {
        const ValoriRiga v = manuale ? valoriManuali(d, r) : valoriPeriodici(d, r);
        xmlNodePtr l = t.nuovo(beni, "DettaglioLinee");
        t.valore(l, "NumeroLinea", QString::number(++numero));
        t.valore(l, "Descrizione", r.servizio.trimmed());
        t.valore(l, "Quantita", v.quantita);
        t.valore(l, "UnitaMisura", QStringLiteral("Pezzo"));
        t.valore(l, "DataInizioPeriodo", inizio);
        t.valore(l, "DataFinePeriodo", fine);
        t.valore(l, "PrezzoUnitario", v.prezzo);
        t.valore(l, "PrezzoTotale", v.totale);
        t.valore(l, "AliquotaIVA", al.testo);
        if (conNatura)
            t.valore(l, "Natura", natura);
    }
    xmlNodePtr riep = t.figlio(beni, "DatiRiepilogo");
    t.valore(riep, "AliquotaIVA", al.testo);
    if (conNatura)
        t.valore(riep, "Natura", natura);
    t.valore(riep, "ImponibileImporto", Importo(d.imponibile.toDouble(), 2));
    t.valore(riep, "Imposta", Importo(d.imponibile.toDouble() * double(al.tasso), 2));
    if (d.scissione) {
        t.valore(riep, "EsigibilitaIVA", QStringLiteral("S"));
        t.valore(riep, "RiferimentoNormativo", QString::fromUtf8(scissione));
    }

    // Payment: invoices only.
    if (!nota) {
        xmlNodePtr pag = t.figlio(body, "DatiPagamento");
        t.valore(pag, "CondizioniPagamento", QStringLiteral("TP02"));
        xmlNodePtr det = t.figlio(pag, "DettaglioPagamento");
        t.valore(det, "ModalitaPagamento", QStringLiteral("MP05"));
        QDate scadenza;
        if (manuale)
            scadenza = d.dataScadenza.isValid() ? d.dataScadenza : fineMeseSuccessivo(d.dataFattura);
        else
            scadenza = d.scadenzaFattura == 1 ? d.dataFattura : fineMeseSuccessivo(d.dataFattura);
        t.valore(det, "DataScadenzaPagamento", Data(scadenza));
        t.valore(det, "ImportoPagamento", Importo(d.scissione ? d.imponibile : totale, 2));
        if (!d.banca.isEmpty())
            t.valore(det, "IstitutoFinanziario", d.banca);
        if (!d.coordinateBanca.isEmpty())
            t.valore(det, "IBAN", d.coordinateBanca);
    }
    return doc;
}

QByteArray TestoFatturaPA(_xmlDoc* doc)
{
    xmlChar* mem = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &mem, &size, "UTF-8", 1);
    if (!mem)
        throw LavError(QStringLiteral("Impossibile scrivere il documento XML."));
    // Every line ends with CR LF: copied a line at a time.
    QByteArrayView testo(reinterpret_cast<const char*>(mem), size);
    QByteArray out;
    out.reserve(size + testo.count('\n') + 2);
    for (qsizetype inizio = 0; inizio < testo.size();) {
        qsizetype fine = testo.indexOf('\n', inizio);
        if (fine < 0) {
            out.append(testo.sliced(inizio));
            break;
        }
        const qsizetype prossimo = fine + 1;
        if (fine > inizio && testo[fine - 1] == '\r')
            --fine;
        out.append(testo.sliced(inizio, fine - inizio));
        out += "\r\n";
        inizio = prossimo;
    }
    xmlFree(mem);
    if (!out.endsWith("\r\n"))
        out += "\r\n";
    return out;
}
