#include "ArchivioFE.h"
#include "BustaP7M.h"
#include "ValidatoreFE.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString pubblicati = QStringLiteral(FATTURAPA_DIR);

QByteArray leggi(const QString& percorso)
{
    QFile f(percorso);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void scrivi(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

QByteArray esempio(const QString& nome = "IT01234567890_FPR01.xml")
{
    return leggi(QDir(pubblicati).filePath("samples/" + nome));
}

} // namespace

class Validazione : public ::testing::Test
{
protected:
    ValidatoreFE validatore{pubblicati};
    QTemporaryDir dir;
    QString file(const QString& nome, const QByteArray& dati)
    {
        const QString p = dir.filePath(nome);
        scrivi(p, dati);
        return p;
    }
};

TEST_F(Validazione, PublishedSamplesAreValidAndTheKnownInvalidOneIsNot)
{
    const QStringList campioni = QDir(pubblicati + "/samples").entryList({"*.xml"}, QDir::Files);
    ASSERT_EQ(campioni.size(), 6);
    for (const QString& c : campioni) {
        const EsitoFE e = validatore.Valida(pubblicati + "/samples/" + c);
        if (c == "IT01234567890_FPR03.xml") {
            // Valid against the schema, but its first invoice sums its lines to 25.00 and
            // declares 27.00: the exchange system refuses it.
            EXPECT_EQ(e.stato, EsitoFE::Stato::ScartoSdI);
            EXPECT_EQ(e.scarti, QStringList{"Documento n. 1: 00422: l'imponibile 27.00 del riepilogo con aliquota IVA "
                                            "del 22.00 % non è la somma delle linee (25.00), oltre la tolleranza di 1 "
                                            "euro."});
            EXPECT_EQ(e.tipo, MsgType::Error);
            continue;
        }
        EXPECT_TRUE(e.valido()) << c.toStdString() << ": " << e.messaggio.toStdString();
        EXPECT_EQ(e.messaggio, "Il documento risulta valido");
        EXPECT_EQ(e.tipo, MsgType::Information);
    }
    const EsitoFE e = validatore.Valida(pubblicati + "/samples/invalid/IT01234567890_FPR02.xml");
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonValido);
    EXPECT_EQ(e.tipo, MsgType::Error);
    EXPECT_TRUE(e.messaggio.startsWith("Errore riga 16: Elemento 'ContattiTrasmittente': elemento non previsto"))
        << e.messaggio.toStdString();
}

TEST_F(Validazione, TheSchemaAsPublishedImportsTheSignatureSchemaFromBesideIt)
{
    // The published file names the W3C address of the signature schema; it is read from the
    // copy beside it, never from the network.
    QTemporaryDir cartella;
    QFile::copy(pubblicati + "/Schema_del_file_xml_FatturaPA_v1.2.2.xsd", cartella.filePath("schemafattura.xsd"));
    QFile::copy(pubblicati + "/xmldsig-core-schema.xsd", cartella.filePath("xmldsig-core-schema.xsd"));
    ASSERT_TRUE(leggi(cartella.filePath("schemafattura.xsd")).contains("http://www.w3.org/TR/2002/REC-xmldsig-core"));
    const EsitoFE e = ValidatoreFE(cartella.path()).Valida(file("a.xml", esempio()));
    EXPECT_TRUE(e.valido()) << e.messaggio.toStdString();

    // Without the signature schema beside it the schema cannot be read, and it says so.
    QTemporaryDir senza;
    QFile::copy(pubblicati + "/Schema_del_file_xml_FatturaPA_v1.2.2.xsd", senza.filePath("schemafattura.xsd"));
    const EsitoFE s = ValidatoreFE(senza.path()).Valida(file("b.xml", esempio()));
    EXPECT_EQ(s.stato, EsitoFE::Stato::SchemaMancante);
    EXPECT_TRUE(s.messaggio.startsWith("Lo schema di validazione")) << s.messaggio.toStdString();
}

TEST_F(Validazione, MissingSchemaIsToldWithItsFolder)
{
    QTemporaryDir vuota;
    const EsitoFE e = ValidatoreFE(vuota.path()).Valida(file("a.xml", esempio()));
    EXPECT_EQ(e.stato, EsitoFE::Stato::SchemaMancante);
    EXPECT_EQ(e.tipo, MsgType::Confirmation);
    EXPECT_EQ(e.messaggio, "Schema di validazione non trovato nella cartella " + QDir::toNativeSeparators(vuota.path()) + ".");
}

TEST_F(Validazione, FilesThatAreNotWellFormedGiveReasonLineCharacterAndPosition)
{
    // A missing end tag: the parser's reason, and no schema check.
    QByteArray troncato = esempio();
    troncato.chop(troncato.size() - troncato.lastIndexOf("</p:FatturaElettronica>"));
    EsitoFE e = validatore.Valida(file("troncato.xml", troncato));
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonLetto);
    EXPECT_EQ(e.tipo, MsgType::Information);
    EXPECT_TRUE(e.messaggio.contains("Il file finisce prima della chiusura del tag <FatturaElettronica> aperto alla riga 2."))
        << e.messaggio.toStdString();
    EXPECT_TRUE(e.messaggio.contains(" Linea: ")) << e.messaggio.toStdString();

    // A mismatched tag: line, character and byte position point at it.
    const QByteArray storto = "<?xml version=\"1.0\"?>\n<a>\n  <b>testo</c>\n</a>\n";
    e = validatore.Valida(file("storto.xml", storto));
    EXPECT_EQ(e.messaggio, "Il tag di chiusura </c> non corrisponde al tag di apertura <b> della riga 3. "
                           "Linea: 3 Carattere: 15 Posizione nel file: " + QString::number(storto.indexOf("</c>") + 5));

    e = validatore.Valida(file("vuoto.xml", ""));
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonLetto);
    EXPECT_TRUE(e.messaggio.startsWith("Il documento è vuoto o non è un documento XML. Linea:")) << e.messaggio.toStdString();
    e = validatore.Valida(dir.filePath("manca.xml"));
    EXPECT_EQ(e.messaggio, "Impossibile trovare il file " + QDir::toNativeSeparators(dir.filePath("manca.xml"))
                               + ". Linea: 0 Carattere: 0 Posizione nel file: 0");
    e = validatore.Valida("");
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonLetto);
}

TEST_F(Validazione, LargeValidFilesAreReportedWithTheirSize)
{
    // A valid file padded with a comment to an exact size.
    auto grande = [&](qint64 dimensione) {
        QByteArray d = esempio();
        const QByteArray apertura = "\n<!--", chiusura = "-->\n";
        d += apertura + QByteArray(dimensione - d.size() - apertura.size() - chiusura.size(), 'x') + chiusura;
        return file(QString("grande%1.xml").arg(dimensione), d);
    };
    EXPECT_EQ(validatore.Valida(grande(150000)).messaggio, "Il documento risulta valido");
    EXPECT_EQ(validatore.Valida(grande(200560)).messaggio, "Il documento risulta valido");
    const EsitoFE e = validatore.Valida(grande(300000));
    EXPECT_EQ(e.messaggio, "Il documento risulta valido, ma ha dim. 292 KB.");
    EXPECT_EQ(e.tipo, MsgType::Warning);
    EXPECT_TRUE(e.valido());
}
