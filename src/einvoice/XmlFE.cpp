#include "XmlFE.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlschemas.h>

#include <QDir>
#include <QFile>

void LiberaDocXml::operator()(_xmlDoc* d) const
{
    xmlFreeDoc(d);
}

DocXml LeggiXml(const QByteArray& dati)
{
    InstallaCaricatoreXml();
    return DocXml(xmlReadMemory(dati.constData(), int(dati.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_BIG_LINES));
}

namespace {

void raccogli(void* contesto, xmlErrorPtr e)
{
    if (!contesto || !e)
        return;
    ErroreXml r;
    r.codice = e->code;
    r.messaggio = QString::fromUtf8(e->message ? e->message : "").trimmed();
    r.riga = e->line;
    r.colonna = e->int2;
    r.str1 = QString::fromUtf8(e->str1 ? e->str1 : "");
    r.str2 = QString::fromUtf8(e->str2 ? e->str2 : "");
    r.int1 = e->int1;
    r.grave = e->level >= XML_ERR_ERROR;
    static_cast<RaccoltaErroriXml*>(contesto)->errori.append(r);
}

QString& cartellaImport()
{
    static QString cartella;
    return cartella;
}

xmlExternalEntityLoader& caricatorePredefinito()
{
    static xmlExternalEntityLoader c = nullptr;
    return c;
}

xmlParserInputPtr caricatore(const char* url, const char* id, xmlParserCtxtPtr ctxt)
{
    const QString u = QString::fromUtf8(url ? url : "");
    const bool rete = u.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                      || u.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)
                      || u.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive);
    if (rete) {
        const QString nome = QStringLiteral("xmldsig-core-schema.xsd");
        if (u.endsWith(QLatin1Char('/') + nome) && !cartellaImport().isEmpty()) {
            const QByteArray locale = QFile::encodeName(QDir(cartellaImport()).filePath(nome));
            return xmlNewInputFromFile(ctxt, locale.constData());
        }
        return nullptr;   // never the network
    }
    return caricatorePredefinito()(url, id, ctxt);
}

} // namespace

RaccoltaErroriXml::RaccoltaErroriXml()
    : precedenteContesto(xmlStructuredErrorContext),
      precedenteFunzione(reinterpret_cast<void*>(xmlStructuredError))
{
    xmlSetStructuredErrorFunc(this, raccogli);
}

RaccoltaErroriXml::~RaccoltaErroriXml()
{
    xmlSetStructuredErrorFunc(precedenteContesto, reinterpret_cast<xmlStructuredErrorFunc>(precedenteFunzione));
}

void RaccoltaErroriXml::collega(_xmlSchemaValidCtxt* vc)
{
    xmlSchemaSetValidStructuredErrors(vc, raccogli, this);
}

void InstallaCaricatoreXml()
{
    static const bool fatto = [] {
        caricatorePredefinito() = xmlGetExternalEntityLoader();
        xmlSetExternalEntityLoader(caricatore);
        return true;
    }();
    (void)fatto;
}

CartellaImportazioni::CartellaImportazioni(const QString& cartella) : precedente(cartellaImport())
{
    InstallaCaricatoreXml();
    cartellaImport() = cartella;
}

CartellaImportazioni::~CartellaImportazioni()
{
    cartellaImport() = precedente;
}
