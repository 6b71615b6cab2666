#include "ControlliSdI.h"

#include <libxml/tree.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

// The checks walk the tree the validator has already parsed and read each value in place:
// they run on every file of a batch, so nothing is converted to Qt strings unless a check fails.

namespace {

const xmlChar* X(const char* s)
{
    return reinterpret_cast<const xmlChar*>(s);
}

bool elemento(xmlNodePtr n, const char* nome)
{
    return n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, X(nome));
}

// The first child element of n named `nome`, or nullptr.
xmlNodePtr figlio(xmlNodePtr n, const char* nome)
{
    if (n)
        for (xmlNodePtr c = n->children; c; c = c->next)
            if (elemento(c, nome))
                return c;
    return nullptr;
}

// The first element down the path of names below n, or nullptr.
xmlNodePtr trova(xmlNodePtr n, std::initializer_list<const char*> percorso)
{
    for (const char* passo : percorso)
        n = figlio(n, passo);
    return n;
}

// The children of n named `nome`, in order.
std::vector<xmlNodePtr> figli(xmlNodePtr n, const char* nome)
{
    std::vector<xmlNodePtr> r;
    if (n)
        for (xmlNodePtr c = n->children; c; c = c->next)
            if (elemento(c, nome))
                r.push_back(c);
    return r;
}

// The text of an element without the white space around it. An element of one text node (all
// that this program writes) is read in place; anything else through libxml2.
std::string testo(xmlNodePtr n)
{
    if (!n)
        return {};
    std::string r;
    if (n->children && !n->children->next && n->children->type == XML_TEXT_NODE) {
        r = reinterpret_cast<const char*>(n->children->content);
    } else {
        xmlChar* t = xmlNodeGetContent(n);
        r = t ? reinterpret_cast<const char*>(t) : "";
        xmlFree(t);
    }
    const auto inizio = r.find_first_not_of(" \t\r\n");
    if (inizio == std::string::npos)
        return {};
    return r.substr(inizio, r.find_last_not_of(" \t\r\n") - inizio + 1);
}

std::string testo(xmlNodePtr n, std::initializer_list<const char*> percorso)
{
    return testo(trova(n, percorso));
}

QString qs(const std::string& s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// A decimal of the document; `seVuoto` when absent or not a number.
double numero(const std::string& s, double seVuoto = 0)
{
    const char* inizio = s.data();
    const char* fine = s.data() + s.size();
    if (inizio != fine && *inizio == '+')
        ++inizio;
    double v = 0;
    const auto [resto, errore] = std::from_chars(inizio, fine, v);
    return inizio == fine || errore != std::errc() || resto != fine ? seVuoto : v;
}

QString cifre2(double v)
{
    return QString::number(v, 'f', 2);
}

// A tiny margin so that tolerances hold on values read from decimal text.
constexpr double margine = 1e-9;

// VAT rates compared as numbers ("22.00" and "22.0" are the same rate), in hundredths.
long long centesimi(double aliquota)
{
    return std::llround(aliquota * 100);
}

// The taxable amounts of one VAT rate (and, at rate zero, one nature): lines against summaries.
struct Gruppo
{
    long long aliquota;
    std::string natura;
    double righe = 0;
    double riepilogo = 0;
    bool conRiepilogo = false;
    std::string aliquotaRiepilogo;   // as the summary writes it
};

struct Totali
{
    std::vector<Gruppo> gruppi;
    std::vector<long long> aliquoteRighe, aliquoteRiepilogo;
    std::vector<std::string> natureRighe, natureRiepilogo;

    Gruppo& gruppo(double aliquota, const std::string& natura)
    {
        const long long a = centesimi(aliquota);
        const std::string n = a == 0 ? natura : std::string();
        for (Gruppo& g : gruppi)
            if (g.aliquota == a && g.natura == n)
                return g;
        gruppi.push_back({a, n});
        return gruppi.back();
    }
    template <class T>
    static void aggiungi(std::vector<T>& v, const T& x)
    {
        if (std::find(v.begin(), v.end(), x) == v.end())
            v.push_back(x);
    }
    template <class T>
    static bool contiene(const std::vector<T>& v, const T& x)
    {
        return std::find(v.begin(), v.end(), x) != v.end();
    }
    void riga(double aliquota, const std::string& natura, double importo)
    {
        gruppo(aliquota, natura).righe += importo;
        aggiungi(aliquoteRighe, centesimi(aliquota));
        if (!natura.empty())
            aggiungi(natureRighe, natura);
    }
};

void controllaCorpo(xmlNodePtr corpo, const QString& prefisso, QStringList& errori)
{
    auto errore = [&](const QString& testo) { errori << prefisso + testo; };

    const std::string numeroDoc = testo(corpo, {"DatiGenerali", "DatiGeneraliDocumento", "Numero"});
    if (numeroDoc.find_first_of("0123456789") == std::string::npos)
        errore(QStringLiteral("00425: il numero del documento (%1) non contiene cifre.").arg(qs(numeroDoc)));

    xmlNodePtr beni = figlio(corpo, "DatiBeniServizi");
    Totali t;
    for (xmlNodePtr l : figli(beni, "DettaglioLinee")) {
        const std::string aliquotaTesto = testo(figlio(l, "AliquotaIVA"));
        const double aliquota = numero(aliquotaTesto);
        const std::string natura = testo(figlio(l, "Natura"));
        if (aliquota == 0 && natura.empty())
            errore(QStringLiteral("00400: la linea %1 ha aliquota IVA zero ma non indica la natura dell'operazione.")
                       .arg(qs(testo(figlio(l, "NumeroLinea")))));
        if (aliquota != 0 && !natura.empty())
            errore(QStringLiteral("00401: la linea %1 indica la natura %2 con un'aliquota IVA del %3 %, diversa da zero.")
                       .arg(qs(testo(figlio(l, "NumeroLinea"))), qs(natura), qs(aliquotaTesto)));

        // Unit price with its discounts and markups, in cascade, times the quantity.
        double prezzo = numero(testo(figlio(l, "PrezzoUnitario")));
        for (xmlNodePtr s : figli(l, "ScontoMaggiorazione")) {
            const double segno = testo(figlio(s, "Tipo")) == "MG" ? 1 : -1;
            const std::string perc = testo(figlio(s, "Percentuale"));
            if (!perc.empty())
                prezzo += segno * prezzo * numero(perc) / 100.0;
            else
                prezzo += segno * numero(testo(figlio(s, "Importo")));
        }
        const double quantita = numero(testo(figlio(l, "Quantita")), 1);
        const std::string totaleTesto = testo(figlio(l, "PrezzoTotale"));
        const double totale = numero(totaleTesto);
        if (std::fabs(prezzo * quantita - totale) > 0.01 + margine)
            errore(QStringLiteral("00423: il prezzo totale %1 della linea %2 non è il prezzo unitario per la quantità "
                                  "(%3), oltre la tolleranza di 0,01.")
                       .arg(qs(totaleTesto), qs(testo(figlio(l, "NumeroLinea"))), cifre2(prezzo * quantita)));
        t.riga(aliquota, natura, totale);
    }
    for (xmlNodePtr cassa :
         figli(trova(corpo, {"DatiGenerali", "DatiGeneraliDocumento"}), "DatiCassaPrevidenziale"))
        t.riga(numero(testo(figlio(cassa, "AliquotaIVA"))), testo(figlio(cassa, "Natura")),
               numero(testo(figlio(cassa, "ImportoContributoCassa"))));

    for (xmlNodePtr r : figli(beni, "DatiRiepilogo")) {
        const std::string aliquotaTesto = testo(figlio(r, "AliquotaIVA"));
        const double aliquota = numero(aliquotaTesto);
        const std::string natura = testo(figlio(r, "Natura"));
        if (aliquota == 0 && natura.empty())
            errore(QStringLiteral("00429: il riepilogo con aliquota IVA zero non indica la natura dell'operazione."));
        if (aliquota != 0 && !natura.empty())
            errore(QStringLiteral("00430: il riepilogo con aliquota IVA del %1 % indica la natura %2.")
                       .arg(qs(aliquotaTesto), qs(natura)));
        const double imponibile = numero(testo(figlio(r, "ImponibileImporto")));
        const std::string impostaTesto = testo(figlio(r, "Imposta"));
        const double attesa = imponibile * aliquota / 100.0;
        if (std::fabs(numero(impostaTesto) - attesa) > 0.01 + margine)
            errore(QStringLiteral("00421: l'imposta %1 del riepilogo con aliquota IVA del %2 % non è l'imponibile per "
                                  "l'aliquota (%3), oltre la tolleranza di 0,01.")
                       .arg(qs(impostaTesto), qs(aliquotaTesto), cifre2(attesa)));
        // Ancillary costs and rounding of the summary count with its lines.
        Gruppo& g = t.gruppo(aliquota, natura);
        g.riepilogo += imponibile;
        g.righe += numero(testo(figlio(r, "SpeseAccessorie"))) + numero(testo(figlio(r, "Arrotondamento")));
        g.conRiepilogo = true;
        g.aliquotaRiepilogo = aliquotaTesto;
        Totali::aggiungi(t.aliquoteRiepilogo, centesimi(aliquota));
        if (!natura.empty())
            Totali::aggiungi(t.natureRiepilogo, natura);
    }

    for (long long a : t.aliquoteRighe)
        if (!Totali::contiene(t.aliquoteRiepilogo, a))
            errore(QStringLiteral("00419: manca il riepilogo (DatiRiepilogo) dell'aliquota IVA del %1 % usata nelle linee.")
                       .arg(cifre2(a / 100.0)));
    for (long long a : t.aliquoteRiepilogo)
        if (!Totali::contiene(t.aliquoteRighe, a))
            errore(QStringLiteral("00444: il riepilogo dell'aliquota IVA del %1 % non corrisponde a nessuna linea.")
                       .arg(cifre2(a / 100.0)));
    for (const std::string& n : t.natureRighe)
        if (!Totali::contiene(t.natureRiepilogo, n))
            errore(QStringLiteral("00443: la natura %1 delle linee non compare in nessun riepilogo.").arg(qs(n)));
    for (const Gruppo& g : t.gruppi)
        if (g.conRiepilogo && std::fabs(g.riepilogo - g.righe) > 1.0 + margine)
            errore(QStringLiteral("00422: l'imponibile %1 del riepilogo con aliquota IVA del %2 % non è la somma delle "
                                  "linee (%3), oltre la tolleranza di 1 euro.")
                       .arg(cifre2(g.riepilogo), qs(g.aliquotaRiepilogo), cifre2(g.righe)));
}

} // namespace

QStringList ControlliSdI(_xmlDoc* doc)
{
    QStringList errori;
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root)
        return errori;

    xmlNodePtr header = figlio(root, "FatturaElettronicaHeader");
    const std::string formato = testo(header, {"DatiTrasmissione", "FormatoTrasmissione"});
    xmlChar* v = xmlGetProp(root, X("versione"));
    const std::string versione = v ? reinterpret_cast<const char*>(v) : "";
    xmlFree(v);
    if (formato != versione)
        errori << QStringLiteral("00428: il formato di trasmissione %1 non corrisponde alla versione %2 del documento.")
                      .arg(qs(formato), qs(versione));
    const QString codice = qs(testo(header, {"DatiTrasmissione", "CodiceDestinatario"}));
    const int attesi = formato == "FPA12" ? 6 : 7;
    if (codice.size() != attesi)
        errori << QStringLiteral("00427: il codice destinatario %1 ha %2 caratteri, ma con il formato %3 ne deve avere %4.")
                      .arg(codice)
                      .arg(codice.size())
                      .arg(qs(formato))
                      .arg(attesi);
    xmlNodePtr anagrafici = trova(header, {"CessionarioCommittente", "DatiAnagrafici"});
    if (!figlio(anagrafici, "IdFiscaleIVA") && testo(figlio(anagrafici, "CodiceFiscale")).empty())
        errori << QStringLiteral("00417: il cessionario/committente non ha né la partita IVA né il codice fiscale.");

    const std::vector<xmlNodePtr> corpi = figli(root, "FatturaElettronicaBody");
    for (size_t i = 0; i < corpi.size(); ++i)
        controllaCorpo(corpi[i], corpi.size() > 1 ? QStringLiteral("Documento n. %1: ").arg(i + 1) : QString(), errori);
    return errori;
}
