#pragma once
#include "DocumentoFE.h"
#include "Errors.h"
#include "XmlFE.h"
#include <QByteArray>

// The tender code of a public administration cannot be found: the generation stops there.
class CigMancante : public LavError
{
public:
    using LavError::LavError;
};

// The FatturaPA 1.2 document of one invoice or credit note: one algorithm for the four kinds,
// elements in the order of the schema. Throws CigMancante, with the message for the user,
// when a public administration's document has no tender code.
DocXml ScriviFatturaPA(const DocumentoFE& doc, const ParametriFE& par);

// The bytes of the file: UTF-8, the root element `p:FatturaElettronica` in the FatturaPA
// namespace and every other element unqualified, each line ended by CR LF.
QByteArray TestoFatturaPA(_xmlDoc* doc);

// The file name of a progressive number: "IT" + the transmitter's VAT number + "_" + the
// number with five digits + ".xml".
QString NomeFileFE(const QString& pivaTrasmittente, qint64 progressivo);
