#include "OrdineFE.h"

#include "Dataset.h"
#include "Errors.h"
#include "FileFE.h"
#include "Prompts.h"
#include "XmlFE.h"

#include <libxml/tree.h>

#include <QDir>

namespace {

const char nonTrovato[] = "Numero ordine non trovato";

// The first element after `n` in document order, descending first.
xmlNodePtr successivo(xmlNodePtr n)
{
    if (n->children)
        return n->children;
    while (n && !n->next)
        n = n->parent;
    return n ? n->next : nullptr;
}

bool e(xmlNodePtr n, const char* nome)
{
    return n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, reinterpret_cast<const xmlChar*>(nome));
}

bool stessoNamespace(xmlNodePtr a, xmlNodePtr b)
{
    if (!a->ns || !b->ns)
        return !a->ns && !b->ns;
    return xmlStrEqual(a->ns->href, b->ns->href);
}

// The `cbc:ID` that follows `cbc:ProfileID` in the document.
QString idDopoProfilo(const QByteArray& dati)
{
    DocXml doc;
    {
        RaccoltaErroriXml silenzio;
        doc = LeggiXml(dati);
    }
    if (!doc)
        return {};
    xmlNodePtr profilo = nullptr;
    for (xmlNodePtr n = xmlDocGetRootElement(doc.get()); n; n = successivo(n)) {
        if (!profilo) {
            if (e(n, "ProfileID"))
                profilo = n;
        } else if (e(n, "ID") && stessoNamespace(n, profilo)) {
            xmlChar* t = xmlNodeGetContent(n);
            const QString id = QString::fromUtf8(reinterpret_cast<const char*>(t)).trimmed();
            xmlFree(t);
            return id;
        }
    }
    return {};
}

} // namespace

RiferimentoOrdine LeggiRiferimentoOrdine(const QString& percorso)
{
    RiferimentoOrdine r;
    QByteArray dati;
    try {
        dati = LeggiFile(percorso);
    } catch (const LavError& err) {
        r.errore = err.message();
        return r;
    }
    const QString testo = QString::fromUtf8(dati);
    bool profilo = false;
    QString id;
    for (const QString& riga : testo.split(QLatin1Char('\n'))) {
        const qsizetype p = riga.indexOf(QLatin1String("</cbc:ProfileID>"));
        if (p < 0)
            continue;
        profilo = true;
        const qsizetype b = riga.indexOf(QLatin1String("<cbc:ID>"), p);
        const qsizetype f = riga.indexOf(QLatin1String("</cbc:ID>"), p);
        if (b >= 0 && f >= b + 8)
            id = riga.mid(b + 8, f - b - 8).trimmed();
        else
            id = idDopoProfilo(dati);
        break;
    }
    if (!profilo || id.isEmpty()) {
        r.errore = QString::fromUtf8(nonTrovato);
        return r;
    }
    r.trovato = true;
    const QString anno = id.left(4), numero = id.mid(4);
    bool cifre = !numero.isEmpty() && numero.size() <= 18;
    for (QChar c : numero)
        cifre = cifre && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!cifre) {
        r.errore = QStringLiteral("Il numero d'ordine \"%1\" non è valido: dopo le quattro cifre dell'anno deve "
                                  "seguire un numero intero.")
                       .arg(id);
        return r;
    }
    r.riferimento = (anno + QLatin1Char('/') + QString::number(numero.toLongLong())).trimmed();
    return r;
}

bool CaricaNumeroOrdine(Prompts& prompts, Dataset& tabella, const QString& cartella)
{
    if (!tabella.active() || tabella.isEmpty())
        return false;
    if (!prompts.askYes(QStringLiteral("Sostituisco il numero d'ordine attuale?")))
        return false;
    const QString file = prompts.openFile(QStringLiteral("Apri"), cartella, QStringLiteral("File XML (*.xml)"));
    if (file.isEmpty())
        return false;
    const RiferimentoOrdine r = LeggiRiferimentoOrdine(file);
    if (!r.errore.isEmpty()) {
        prompts.error(r.errore);
        return false;
    }
    Field& campo = tabella["NumContratto"];
    if (campo.size() > 0 && r.riferimento.size() > campo.size()) {
        prompts.error(QStringLiteral("Il numero d'ordine %1 è lungo %2 caratteri, ma il numero del contratto ne può "
                                     "contenere al massimo %3: non è stato caricato.")
                          .arg(r.riferimento)
                          .arg(r.riferimento.size())
                          .arg(campo.size()));
        return false;
    }
    const bool giaInModifica = tabella.state() != DatasetState::Browse;
    try {
        tabella.edit();
        campo = r.riferimento;
        tabella.post();
    } catch (const Abort&) {
        return false;
    } catch (const LavError& err) {
        if (!giaInModifica && tabella.state() != DatasetState::Browse)
            tabella.cancel();
        prompts.standardError(err.message());
        return false;
    }
    return true;
}
