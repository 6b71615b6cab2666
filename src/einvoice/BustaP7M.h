#pragma once
#include <QByteArray>
#include <QString>

// A signed electronic invoice (.p7m): a CMS envelope, in DER or in base64, holding the XML.
struct BustaP7M
{
    bool letta = false;      // the bytes are an envelope and its content was read
    QByteArray contenuto;    // the document inside
    QString firmatario;      // the common name of the signer's certificate
};

// Whether the bytes start like an XML document (after blanks and a byte-order mark).
bool SembraXml(const QByteArray& dati);

// Opens the envelope; an envelope inside an envelope (signed twice) is opened too. Nothing
// read when the bytes are not an envelope. The signature is not verified.
BustaP7M ApriP7M(const QByteArray& dati);
