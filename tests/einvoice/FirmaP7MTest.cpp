#include "ArchivioFE.h"
#include "BustaP7M.h"
#include "ValidatoreFE.h"
#include "VisualizzaFE.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

namespace {

// A document signed as the signing tools of the exchange do it: a CMS envelope holding the
// XML, signed with a certificate of the given holder.
QByteArray firma(const QByteArray& xml, const char* titolare, bool base64)
{
    EVP_PKEY* chiave = EVP_EC_gen("P-256");
    X509* cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), 0);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, chiave);
    X509_NAME* nome = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(nome, "C", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("IT"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(nome, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char*>(titolare), -1, -1, 0);
    X509_set_issuer_name(cert, nome);
    X509_sign(cert, chiave, EVP_sha256());

    BIO* dentro = BIO_new_mem_buf(xml.constData(), int(xml.size()));
    CMS_ContentInfo* cms = CMS_sign(cert, chiave, nullptr, dentro, CMS_BINARY);
    BIO* fuori = BIO_new(BIO_s_mem());
    i2d_CMS_bio(fuori, cms);
    char* dati = nullptr;
    const long n = BIO_get_mem_data(fuori, &dati);
    QByteArray r(dati, int(n));
    if (base64) {
        // As some signing tools save it: base64 text in lines of 76 characters.
        const QByteArray testo = r.toBase64();
        r.clear();
        for (qsizetype i = 0; i < testo.size(); i += 76)
            r += testo.mid(i, 76) + "\r\n";
    }
    BIO_free(fuori);
    BIO_free(dentro);
    CMS_ContentInfo_free(cms);
    X509_free(cert);
    EVP_PKEY_free(chiave);
    return r;
}

QByteArray campione()
{
    QFile f(QStringLiteral(FATTURAPA_DIR "/samples/IT01234567890_FPA01.xml"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class FirmaP7M : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ValidatoreFE validatore{QStringLiteral(FATTURAPA_DIR)};
    QString file(const QString& nome, const QByteArray& dati)
    {
        QFile f(dir.filePath(nome));
        f.open(QIODevice::WriteOnly);
        f.write(dati);
        return f.fileName();
    }
};

TEST_F(FirmaP7M, SignedFilesAreCheckedForTheirContentAndNameTheSigner)
{
    for (bool base64 : {false, true}) {
        const QByteArray p7m = firma(campione(), "Mario Rossi", base64);
        ASSERT_FALSE(SembraXml(p7m));
        const EsitoFE e = validatore.Valida(file("IT01234567890_FPA01.xml.p7m", p7m));
        EXPECT_TRUE(e.valido()) << e.messaggio.toStdString();
        EXPECT_EQ(e.firmatario, "Mario Rossi");
        EXPECT_EQ(e.messaggio, "Il documento risulta valido\nFirmato da: Mario Rossi");
        EXPECT_EQ(e.xml, campione());
    }
    // Signed twice: the envelope inside the envelope is opened too.
    const BustaP7M doppia = ApriP7M(firma(firma(campione(), "Ufficio Firme", false), "Anna Verdi", false));
    EXPECT_TRUE(doppia.letta);
    EXPECT_EQ(doppia.contenuto, campione());
    EXPECT_EQ(doppia.firmatario, "Anna Verdi");
}

TEST_F(FirmaP7M, ASignedInvalidDocumentIsReportedWithItsSigner)
{
    QByteArray sbagliato = campione();
    sbagliato.replace("<Numero>", "<Nummero>").replace("</Numero>", "</Nummero>");
    const EsitoFE e = validatore.Valida(file("sbagliato.xml.p7m", firma(sbagliato, "Mario Rossi", false)));
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonValido);
    EXPECT_TRUE(e.messaggio.startsWith("Errore riga ")) << e.messaggio.toStdString();
    EXPECT_TRUE(e.messaggio.endsWith("\nFirmato da: Mario Rossi")) << e.messaggio.toStdString();
}

TEST_F(FirmaP7M, AFileThatIsNeitherXmlNorAnEnvelopeIsNotRead)
{
    const EsitoFE e = validatore.Valida(file("rotto.p7m", QByteArray("\x30\x82\x01\x00 non una busta", 20)));
    EXPECT_EQ(e.stato, EsitoFE::Stato::NonLetto);
    EXPECT_TRUE(e.firmatario.isEmpty());
}

TEST_F(FirmaP7M, SignedFilesAreShownThroughTheStyleSheet)
{
    const QString p7m = file("IT01234567890_FPA01.xml.p7m", firma(campione(), "Mario Rossi", false));
    const QString pagina = ScriviHtmlFE(p7m, PercorsoFoglioDiStile(QStringLiteral(LAV_BIN_DIR)));
    EXPECT_EQ(pagina, dir.filePath("IT01234567890_FPA01.html"));
    QFile f(pagina);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("ALPHA SRL"));
}
