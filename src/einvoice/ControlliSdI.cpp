#include "ControlliSdI.h"

#include <libxml/tree.h>

#include <QList>
#include <QMap>
#include <QSet>

#include <cmath>

namespace {

const xmlChar* X(const char* s)
{
    return reinterpret_cast<const xmlChar*>(s);
}

QList<xmlNodePtr> figli(xmlNodePtr n, const char* nome)
{
    QList<xmlNodePtr> r;
    if (!n)
        return r;
    for (xmlNodePtr c = n->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, X(nome)))
            r.append(c);
    return r;
}

// The first element at the path "A/B/C" below n, or nullptr.
xmlNodePtr trova(xmlNodePtr n, const char* path)
{
    QByteArray p(path);
    for (const QByteArray& passo : p.split('/')) {
        if (!n)
            return nullptr;
        xmlNodePtr trovato = nullptr;
        for (xmlNodePtr c = n->children; c && !trovato; c = c->next)
            if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, X(passo.constData())))
                trovato = c;
        n = trovato;
    }
    return n;
}

QString testo(xmlNodePtr n)
{
    if (!n)
        return {};
    xmlChar* t = xmlNodeGetContent(n);
    const QString r = QString::fromUtf8(reinterpret_cast<const char*>(t)).trimmed();
    xmlFree(t);
    return r;
}

QString testo(xmlNodePtr n, const char* path)
{
    return testo(trova(n, path));
}

double numero(const QString& s, double seVuoto = 0)
{
    if (s.isEmpty())
        return seVuoto;
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : seVuoto;
}

QString cifre2(double v)
{
    return QString::number(v, 'f', 2);
}

// VAT rates compared as numbers ("22.00" and "22.0" are the same rate).
QString chiaveAliquota(const QString& s)
{
    return cifre2(numero(s));
}

// A tiny margin so that tolerances hold on values read from decimal text.
constexpr double margine = 1e-9;

struct Corpo
{
    xmlNodePtr nodo;
    QString prefisso;   // "" for a single invoice, "Documento n. 2: " in a batch
};

void controllaCorpo(const Corpo& c, QStringList& errori)
{
    auto errore = [&](const QString& testo) { errori << c.prefisso + testo; };

    const QString numeroDoc = testo(c.nodo, "DatiGenerali/DatiGeneraliDocumento/Numero");
    bool conCifra = false;
    for (QChar ch : numeroDoc)
        conCifra = conCifra || ch.isDigit();
    if (!conCifra)
        errore(QStringLiteral("00425: il numero del documento (%1) non contiene cifre.").arg(numeroDoc));

    xmlNodePtr beni = trova(c.nodo, "DatiBeniServizi");
    // Taxable amount of the lines (and of the pension fund) per VAT rate and nature.
    QMap<QString, double> imponibileRighe;
    QSet<QString> aliquoteRighe, natureRighe;
    auto chiave = [](const QString& aliquota, const QString& natura) {
        return numero(aliquota) == 0 ? chiaveAliquota(aliquota) + QLatin1Char('/') + natura : chiaveAliquota(aliquota);
    };

    for (xmlNodePtr l : figli(beni, "DettaglioLinee")) {
        const QString linea = testo(l, "NumeroLinea");
        const QString aliquota = testo(l, "AliquotaIVA");
        const QString natura = testo(l, "Natura");
        if (numero(aliquota) == 0 && natura.isEmpty())
            errore(QStringLiteral("00400: la linea %1 ha aliquota IVA zero ma non indica la natura dell'operazione.")
                       .arg(linea));
        if (numero(aliquota) != 0 && !natura.isEmpty())
            errore(QStringLiteral("00401: la linea %1 indica la natura %2 con un'aliquota IVA del %3 %, diversa da zero.")
                       .arg(linea, natura, aliquota));

        // Unit price with its discounts and markups, in cascade, times the quantity.
        double prezzo = numero(testo(l, "PrezzoUnitario"));
        for (xmlNodePtr s : figli(l, "ScontoMaggiorazione")) {
            const double segno = testo(s, "Tipo") == QLatin1String("MG") ? 1 : -1;
            const QString perc = testo(s, "Percentuale");
            if (!perc.isEmpty())
                prezzo += segno * prezzo * numero(perc) / 100.0;
            else
                prezzo += segno * numero(testo(s, "Importo"));
        }
        const double quantita = numero(testo(l, "Quantita"), 1);
        const double totale = numero(testo(l, "PrezzoTotale"));
        if (std::fabs(prezzo * quantita - totale) > 0.01 + margine)
            errore(QStringLiteral("00423: il prezzo totale %1 della linea %2 non è il prezzo unitario per la quantità "
                                  "(%3), oltre la tolleranza di 0,01.")
                       .arg(testo(l, "PrezzoTotale"), linea, cifre2(prezzo * quantita)));

        imponibileRighe[chiave(aliquota, natura)] += totale;
        aliquoteRighe.insert(chiaveAliquota(aliquota));
        if (!natura.isEmpty())
            natureRighe.insert(natura);
    }
    for (xmlNodePtr cassa : figli(trova(c.nodo, "DatiGenerali/DatiGeneraliDocumento"), "DatiCassaPrevidenziale")) {
        const QString aliquota = testo(cassa, "AliquotaIVA");
        const QString natura = testo(cassa, "Natura");
        imponibileRighe[chiave(aliquota, natura)] += numero(testo(cassa, "ImportoContributoCassa"));
        aliquoteRighe.insert(chiaveAliquota(aliquota));
        if (!natura.isEmpty())
            natureRighe.insert(natura);
    }

    QMap<QString, double> imponibileRiepilogo;
    QSet<QString> aliquoteRiepilogo, natureRiepilogo;
    QMap<QString, QString> aliquotaDi;
    for (xmlNodePtr r : figli(beni, "DatiRiepilogo")) {
        const QString aliquota = testo(r, "AliquotaIVA");
        const QString natura = testo(r, "Natura");
        if (numero(aliquota) == 0 && natura.isEmpty())
            errore(QStringLiteral("00429: il riepilogo con aliquota IVA zero non indica la natura dell'operazione."));
        if (numero(aliquota) != 0 && !natura.isEmpty())
            errore(QStringLiteral("00430: il riepilogo con aliquota IVA del %1 % indica la natura %2.").arg(aliquota, natura));
        const double imponibile = numero(testo(r, "ImponibileImporto"));
        const double imposta = numero(testo(r, "Imposta"));
        const double attesa = imponibile * numero(aliquota) / 100.0;
        if (std::fabs(imposta - attesa) > 0.01 + margine)
            errore(QStringLiteral("00421: l'imposta %1 del riepilogo con aliquota IVA del %2 % non è l'imponibile per "
                                  "l'aliquota (%3), oltre la tolleranza di 0,01.")
                       .arg(testo(r, "Imposta"), aliquota, cifre2(attesa)));
        const QString k = chiave(aliquota, natura);
        // Ancillary costs and rounding of the summary count with its lines.
        imponibileRiepilogo[k] += imponibile;
        imponibileRighe[k] += numero(testo(r, "SpeseAccessorie")) + numero(testo(r, "Arrotondamento"));
        aliquotaDi[k] = aliquota;
        aliquoteRiepilogo.insert(chiaveAliquota(aliquota));
        if (!natura.isEmpty())
            natureRiepilogo.insert(natura);
    }

    for (const QString& a : aliquoteRighe)
        if (!aliquoteRiepilogo.contains(a))
            errore(QStringLiteral("00419: manca il riepilogo (DatiRiepilogo) dell'aliquota IVA del %1 % usata nelle linee.")
                       .arg(a));
    for (const QString& a : aliquoteRiepilogo)
        if (!aliquoteRighe.contains(a))
            errore(QStringLiteral("00444: il riepilogo dell'aliquota IVA del %1 % non corrisponde a nessuna linea.").arg(a));
    for (const QString& n : natureRighe)
        if (!natureRiepilogo.contains(n))
            errore(QStringLiteral("00443: la natura %1 delle linee non compare in nessun riepilogo.").arg(n));
    for (auto it = imponibileRiepilogo.cbegin(); it != imponibileRiepilogo.cend(); ++it) {
        const double righe = imponibileRighe.value(it.key());
        if (std::fabs(it.value() - righe) > 1.0 + margine)
            errore(QStringLiteral("00422: l'imponibile %1 del riepilogo con aliquota IVA del %2 % non è la somma delle "
                                  "linee (%3), oltre la tolleranza di 1 euro.")
                       .arg(cifre2(it.value()), aliquotaDi.value(it.key()), cifre2(righe)));
    }
}

} // namespace

QStringList ControlliSdI(_xmlDoc* doc)
{
    QStringList errori;
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root)
        return errori;

    xmlNodePtr header = trova(root, "FatturaElettronicaHeader");
    const QString formato = testo(header, "DatiTrasmissione/FormatoTrasmissione");
    xmlChar* v = xmlGetProp(root, X("versione"));
    const QString versione = v ? QString::fromUtf8(reinterpret_cast<const char*>(v)) : QString();
    xmlFree(v);
    if (formato != versione)
        errori << QStringLiteral("00428: il formato di trasmissione %1 non corrisponde alla versione %2 del documento.")
                      .arg(formato, versione);
    const QString codice = testo(header, "DatiTrasmissione/CodiceDestinatario");
    const int attesi = formato == QLatin1String("FPA12") ? 6 : 7;
    if (codice.size() != attesi)
        errori << QStringLiteral("00427: il codice destinatario %1 ha %2 caratteri, ma con il formato %3 ne deve avere %4.")
                      .arg(codice)
                      .arg(codice.size())
                      .arg(formato)
                      .arg(attesi);
    xmlNodePtr anagrafici = trova(header, "CessionarioCommittente/DatiAnagrafici");
    if (!trova(anagrafici, "IdFiscaleIVA") && testo(anagrafici, "CodiceFiscale").isEmpty())
        errori << QStringLiteral("00417: il cessionario/committente non ha né la partita IVA né il codice fiscale.");

    const QList<xmlNodePtr> corpi = figli(root, "FatturaElettronicaBody");
    for (int i = 0; i < corpi.size(); ++i) {
        const QString prefisso = corpi.size() > 1 ? QStringLiteral("Documento n. %1: ").arg(i + 1) : QString();
        controllaCorpo({corpi[i], prefisso}, errori);
    }
    return errori;
}
