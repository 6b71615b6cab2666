#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

struct _xmlDoc;
struct _xmlSchemaValidCtxt;

// What the program needs of libxml2 around the electronic invoices.

// An XML tree, freed with its owner.
struct LiberaDocXml
{
    void operator()(_xmlDoc* d) const;
};
using DocXml = std::unique_ptr<_xmlDoc, LiberaDocXml>;

// Parses a document, never reaching the network; nullptr when it is not well formed.
DocXml LeggiXml(const QByteArray& dati);

// One complaint of libxml2.
struct ErroreXml
{
    int codice = 0;
    QString messaggio;     // libxml2's text, without the final line end
    int riga = 0;
    int colonna = 0;
    QString str1, str2;
    int int1 = 0;
    bool grave = false;    // an error, not a warning
};

// Collects what libxml2 reports while it lives, instead of letting it print.
class RaccoltaErroriXml
{
public:
    RaccoltaErroriXml();
    ~RaccoltaErroriXml();
    RaccoltaErroriXml(const RaccoltaErroriXml&) = delete;
    RaccoltaErroriXml& operator=(const RaccoltaErroriXml&) = delete;

    // Schema validation reports through its own context.
    void collega(_xmlSchemaValidCtxt* vc);

    QList<ErroreXml> errori;   // errors and warnings, in order

private:
    void* precedenteContesto;
    void* precedenteFunzione;
};

// Installs, once, the loader of external resources: the XML-Signature schema that the
// FatturaPA schema imports (by a W3C address or by a relative name) is read from the folder of
// the schema being compiled, and no other address on the network is ever fetched.
void InstallaCaricatoreXml();

// While it lives, the folder whose xmldsig-core-schema.xsd answers the W3C address.
class CartellaImportazioni
{
public:
    explicit CartellaImportazioni(const QString& cartella);
    ~CartellaImportazioni();

private:
    QString precedente;
};
