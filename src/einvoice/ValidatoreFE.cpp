#include "ValidatoreFE.h"

#include "BustaP7M.h"
#include "ControlliSdI.h"
#include "FileFE.h"
#include "XmlFE.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {

const char* const nomeSchema = "schemafattura.xsd";

// The messages of libxml2 in Italian, for the parser's usual complaints.
QString motivoParser(const ErroreXml& e)
{
    switch (e.codice) {
    case XML_ERR_DOCUMENT_EMPTY:
        return QStringLiteral("Il documento è vuoto o non è un documento XML.");
    case XML_ERR_DOCUMENT_END:
        return QStringLiteral("Dopo la fine del documento c'è altro contenuto.");
    case XML_ERR_TAG_NAME_MISMATCH:
        return QStringLiteral("Il tag di chiusura </%1> non corrisponde al tag di apertura <%2> della riga %3.")
            .arg(e.str2, e.str1)
            .arg(e.int1);
    case XML_ERR_TAG_NOT_FINISHED:
        return QStringLiteral("Il file finisce prima della chiusura del tag <%1> aperto alla riga %2.")
            .arg(e.str1)
            .arg(e.int1);
    case XML_ERR_LTSLASH_REQUIRED:
        return QStringLiteral("Manca il tag di chiusura.");
    case XML_ERR_GT_REQUIRED:
        return QStringLiteral("Manca il carattere '>' che chiude il tag.");
    case XML_ERR_INVALID_CHAR:
    case XML_ERR_INVALID_CHARREF:
        return QStringLiteral("Il testo contiene un carattere non ammesso o non è codificato in UTF-8.");
    case XML_ERR_INVALID_ENCODING:
    case XML_ERR_UNSUPPORTED_ENCODING:
        return QStringLiteral("La codifica dei caratteri del file non è valida.");
    case XML_ERR_UNDECLARED_ENTITY:
    case XML_WAR_UNDECLARED_ENTITY:
        return QStringLiteral("L'entità '%1' non è definita.").arg(e.str1);
    case XML_ERR_ENTITYREF_SEMICOL_MISSING:
        return QStringLiteral("Manca il ';' che chiude un riferimento a un'entità.");
    case XML_ERR_NAME_REQUIRED:
        return QStringLiteral("Manca il nome di un elemento o di un attributo.");
    case XML_ERR_ATTRIBUTE_NOT_STARTED:
    case XML_ERR_ATTRIBUTE_WITHOUT_VALUE:
        return QStringLiteral("Il valore di un attributo manca o non è tra virgolette.");
    case XML_ERR_ATTRIBUTE_REDEFINED:
        return QStringLiteral("L'attributo %1 è ripetuto.").arg(e.str1);
    case XML_ERR_LT_IN_ATTRIBUTE:
        return QStringLiteral("Il carattere '<' non è ammesso nel valore di un attributo.");
    case XML_ERR_RESERVED_XML_NAME:
        return QStringLiteral("La dichiarazione XML è ammessa solo all'inizio del documento.");
    case XML_NS_ERR_UNDEFINED_NAMESPACE:
        return QStringLiteral("Il prefisso %1 non è dichiarato.").arg(e.str1);
    default:
        return QStringLiteral("Errore nel formato XML: %1").arg(e.messaggio);
    }
}

// The schema validator's usual complaints in Italian; any other stays as libxml2 says it.
QString motivoSchema(const QString& m)
{
    static const QRegularExpression elemento(QStringLiteral("^Element '([^']*)'(?:, attribute '([^']*)')?: (.*)$"),
                                             QRegularExpression::DotMatchesEverythingOption);
    const auto em = elemento.match(m);
    if (!em.hasMatch()) {
        if (m.startsWith(QLatin1String("No matching global declaration")))
            return QStringLiteral("Il documento non è una fattura elettronica FatturaPA: l'elemento radice non è previsto "
                                  "dallo schema.");
        return m;
    }
    QString soggetto = QStringLiteral("Elemento '%1'").arg(em.captured(1));
    if (!em.captured(2).isEmpty())
        soggetto += QStringLiteral(", attributo '%1'").arg(em.captured(2));
    const QString resto = em.captured(3);

    struct Regola
    {
        const char* inglese;
        const char* italiano;
    };
    static const Regola regole[] = {
        {R"(^This element is not expected\. Expected is one of \( (.*) \)\.$)",
         "elemento non previsto in questa posizione; è atteso uno di: %1."},
        {R"(^This element is not expected\. Expected is \( (.*) \)\.$)",
         "elemento non previsto in questa posizione; è atteso: %1."},
        {R"(^This element is not expected\.$)", "elemento non previsto in questa posizione."},
        {R"(^Missing child element\(s\)\. Expected is one of \( (.*) \)\.$)",
         "mancano elementi obbligatori; è atteso uno di: %1."},
        {R"(^Missing child element\(s\)\. Expected is \( (.*) \)\.$)", "mancano elementi obbligatori; è atteso: %1."},
        {R"(^\[facet 'minLength'\] The value has a length of '(\d+)'; this underruns the allowed minimum length of '(\d+)'\.$)",
         "il valore è lungo %1 caratteri, meno del minimo di %2."},
        {R"(^\[facet 'maxLength'\] The value has a length of '(\d+)'; this exceeds the allowed maximum length of '(\d+)'\.$)",
         "il valore è lungo %1 caratteri, più del massimo di %2."},
        {R"(^\[facet 'length'\] The value has a length of '(\d+)'; this differs from the allowed length of '(\d+)'\.$)",
         "il valore è lungo %1 caratteri invece di %2."},
        {R"(^\[facet 'pattern'\] The value '(.*)' is not accepted by the pattern '(.*)'\.$)",
         "il valore '%1' non ha la forma richiesta (%2)."},
        {R"(^\[facet 'enumeration'\] The value '(.*)' is not an element of the set \{(.*)\}\.$)",
         "il valore '%1' non è fra quelli ammessi: %2."},
        {R"(^\[facet 'fractionDigits'\] The value '(.*)' has more fractional digits than are allowed \('(\d+)'\)\.$)",
         "il valore '%1' ha più di %2 decimali."},
        {R"(^\[facet 'totalDigits'\] The value '(.*)' has more digits than are allowed \('(\d+)'\)\.$)",
         "il valore '%1' ha più di %2 cifre."},
        {R"(^\[facet 'minInclusive'\] The value '(.*)' is less than the minimum value allowed \('(.*)'\)\.$)",
         "il valore '%1' è minore del minimo ammesso (%2)."},
        {R"(^\[facet 'maxInclusive'\] The value '(.*)' is greater than the maximum value allowed \('(.*)'\)\.$)",
         "il valore '%1' è maggiore del massimo ammesso (%2)."},
        {R"(^'(.*)' is not a valid value of the (?:local |union )?(?:atomic |list )?type '(.*)'\.$)",
         "'%1' non è un valore valido del tipo %2."},
        {R"(^'(.*)' is not a valid value of the local (?:atomic |list )?type\.$)", "'%1' non è un valore valido."},
        {R"(^The attribute '(.*)' is required but missing\.$)", "manca l'attributo obbligatorio '%1'."},
        {R"(^The attribute is not allowed\.$)", "l'attributo non è ammesso."},
        {R"(^Character content other than whitespace is not allowed because the content type is 'element-only'\.$)",
         "non può contenere testo, solo altri elementi."},
        {R"(^No matching global declaration available for the validation root\.$)",
         "non è l'elemento radice di una fattura elettronica FatturaPA."},
    };
    for (const Regola& r : regole) {
        const QRegularExpression re(QString::fromUtf8(r.inglese));
        const auto rm = re.match(resto);
        if (!rm.hasMatch())
            continue;
        QString it = QString::fromUtf8(r.italiano);
        for (int i = 1; i <= rm.lastCapturedIndex(); ++i)
            it = it.arg(rm.captured(i));
        return soggetto + QStringLiteral(": ") + it;
    }
    return m;
}

struct LiberaSchema
{
    void operator()(xmlSchema* s) const { xmlSchemaFree(s); }
};

// Compiled schemas of this process, by file.
QHash<QString, std::shared_ptr<xmlSchema>>& schemiCompilati()
{
    static QHash<QString, std::shared_ptr<xmlSchema>> schemi;
    return schemi;
}

std::shared_ptr<xmlSchema> compila(const QString& percorso, QString& errore)
{
    auto& schemi = schemiCompilati();
    const auto it = schemi.constFind(percorso);
    if (it != schemi.constEnd())
        return *it;
    RaccoltaErroriXml raccolta;
    CartellaImportazioni cartella(QFileInfo(percorso).absolutePath());
    xmlSchemaParserCtxtPtr pc = xmlSchemaNewParserCtxt(QFile::encodeName(percorso).constData());
    xmlSchemaPtr schema = pc ? xmlSchemaParse(pc) : nullptr;
    xmlSchemaFreeParserCtxt(pc);
    if (!schema) {
        errore = raccolta.errori.isEmpty() ? QStringLiteral("errore sconosciuto") : raccolta.errori.first().messaggio;
        return {};
    }
    std::shared_ptr<xmlSchema> s(schema, LiberaSchema());
    schemi.insert(percorso, s);
    return s;
}

EsitoFE nonLetto(const QString& motivo, int riga = 0, int carattere = 0, qint64 posizione = 0)
{
    EsitoFE e;
    e.stato = EsitoFE::Stato::NonLetto;
    e.tipo = MsgType::Information;
    e.messaggio = QStringLiteral("%1 Linea: %2 Carattere: %3 Posizione nel file: %4")
                      .arg(motivo)
                      .arg(riga)
                      .arg(carattere)
                      .arg(posizione);
    return e;
}

} // namespace

qint64 PosizioneNelFile(const QByteArray& dati, int riga, int colonna)
{
    if (riga <= 0)
        return 0;
    qsizetype i = 0;
    for (int r = 1; r < riga && i < dati.size(); ++i)
        if (dati[i] == '\n')
            ++r;
    // Columns count characters: skip the continuation bytes of UTF-8.
    for (int c = 1; c < colonna && i < dati.size(); ++c) {
        ++i;
        while (i < dati.size() && (uchar(dati[i]) & 0xC0) == 0x80)
            ++i;
    }
    return qMin<qint64>(i, dati.size()) + 1;
}

ValidatoreFE::ValidatoreFE(const QString& cartellaSchema)
    : cartella(cartellaSchema.isEmpty() ? CartellaProgramma() : cartellaSchema)
{
    InstallaCaricatoreXml();
}

QString ValidatoreFE::percorsoSchema() const
{
    return QDir(cartella).filePath(QString::fromLatin1(nomeSchema));
}

EsitoFE ValidatoreFE::Valida(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (percorso.trimmed().isEmpty())
        return nonLetto(QStringLiteral("Nessun file indicato."));
    if (!info.exists() || !info.isFile())
        return nonLetto(QStringLiteral("Impossibile trovare il file %1.").arg(QDir::toNativeSeparators(percorso)));
    if (info.size() > dimensioneMassima)
        return nonLetto(QStringLiteral("Il file %1 è di %2 MB, troppo grande per una fattura elettronica.")
                            .arg(QDir::toNativeSeparators(percorso))
                            .arg(info.size() / (1024 * 1024)));
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return nonLetto(QStringLiteral("Impossibile leggere il file %1: %2.")
                            .arg(QDir::toNativeSeparators(percorso), f.errorString()));
    return ValidaDati(f.readAll(), info.size());
}

EsitoFE ValidatoreFE::ValidaDati(const QByteArray& dati, qint64 dimensione)
{
    // A signed file is read for its content.
    QByteArray xml = dati;
    QString firmatario;
    if (!SembraXml(dati)) {
        const BustaP7M busta = ApriP7M(dati);
        if (busta.letta) {
            xml = busta.contenuto;
            firmatario = busta.firmatario;
        }
    }
    auto conFirma = [&](EsitoFE e) {
        e.firmatario = firmatario;
        e.xml = xml;
        if (!firmatario.isEmpty())
            e.messaggio += QStringLiteral("\nFirmato da: %1").arg(firmatario);
        return e;
    };

    // 1. Well-formedness.
    DocXml doc;
    {
        RaccoltaErroriXml raccolta;
        doc = LeggiXml(xml);
        if (!doc || !raccolta.errori.isEmpty()) {
            // libxml2 refuses an empty text without a word.
            const ErroreXml e =
                raccolta.errori.isEmpty() ? ErroreXml{.codice = XML_ERR_DOCUMENT_EMPTY} : raccolta.errori.first();
            if (!doc || e.grave) {
                return conFirma(nonLetto(motivoParser(e), e.riga, e.colonna, PosizioneNelFile(xml, e.riga, e.colonna)));
            }
        }
    }

    // 2. The schema beside the program, looked for only until it is compiled.
    const QString schema = percorsoSchema();
    if (!schemiCompilati().contains(schema) && !QFileInfo::exists(schema)) {
        EsitoFE e;
        e.stato = EsitoFE::Stato::SchemaMancante;
        e.tipo = MsgType::Confirmation;
        e.messaggio = QStringLiteral("Schema di validazione non trovato nella cartella %1.")
                          .arg(QDir::toNativeSeparators(cartella));
        return conFirma(e);
    }
    QString errore;
    const std::shared_ptr<xmlSchema> compilato = compila(schema, errore);
    if (!compilato) {
        EsitoFE e;
        e.stato = EsitoFE::Stato::SchemaMancante;
        e.tipo = MsgType::Error;
        e.messaggio = QStringLiteral("Lo schema di validazione %1 non è leggibile: %2")
                          .arg(QDir::toNativeSeparators(schema), errore);
        return conFirma(e);
    }

    // 3. Validity against the schema: the first error, with its line.
    {
        RaccoltaErroriXml raccolta;
        xmlSchemaValidCtxtPtr vc = xmlSchemaNewValidCtxt(compilato.get());
        raccolta.collega(vc);
        const int esito = xmlSchemaValidateDoc(vc, doc.get());
        xmlSchemaFreeValidCtxt(vc);
        if (esito != 0) {
            const ErroreXml e = raccolta.errori.isEmpty() ? ErroreXml{} : raccolta.errori.first();
            EsitoFE r;
            r.stato = EsitoFE::Stato::NonValido;
            r.tipo = MsgType::Error;
            r.messaggio = QStringLiteral("Errore riga %1: %2").arg(e.riga).arg(motivoSchema(e.messaggio));
            return conFirma(r);
        }
    }

    // 4. The checks of the exchange system.
    EsitoFE r;
    r.scarti = ControlliSdI(doc.get());
    if (!r.scarti.isEmpty()) {
        r.stato = EsitoFE::Stato::ScartoSdI;
        r.tipo = MsgType::Error;
        r.messaggio = QStringLiteral("Il documento rispetta lo schema, ma il Sistema di Interscambio lo scarterebbe:\n")
                      + r.scarti.join(QLatin1Char('\n'));
        return conFirma(r);
    }

    r.stato = EsitoFE::Stato::Valido;
    if (dimensione > sogliaDimensione) {
        r.tipo = MsgType::Warning;
        r.messaggio = QStringLiteral("Il documento risulta valido, ma ha dim. %1 KB.").arg(dimensione / 1024);
    } else {
        r.tipo = MsgType::Information;
        r.messaggio = QStringLiteral("Il documento risulta valido");
    }
    return conFirma(r);
}
