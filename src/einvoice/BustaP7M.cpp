#include "BustaP7M.h"

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/x509.h>

#include <QList>

#include <memory>

namespace {

struct LiberaCms
{
    void operator()(CMS_ContentInfo* c) const { CMS_ContentInfo_free(c); }
};

std::unique_ptr<CMS_ContentInfo, LiberaCms> leggiCms(const QByteArray& der)
{
    BIO* in = BIO_new_mem_buf(der.constData(), int(der.size()));
    CMS_ContentInfo* cms = in ? d2i_CMS_bio(in, nullptr) : nullptr;
    BIO_free(in);
    return std::unique_ptr<CMS_ContentInfo, LiberaCms>(cms);
}

// Base64 text of an envelope, with or without the PEM lines around it.
QByteArray daBase64(const QByteArray& dati)
{
    QByteArray corpo;
    for (const QByteArray& riga : dati.split('\n')) {
        const QByteArray r = riga.trimmed();
        if (r.startsWith("-----"))
            continue;
        corpo += r;
    }
    auto decodifica = QByteArray::fromBase64Encoding(corpo, QByteArray::AbortOnBase64DecodingErrors);
    return decodifica ? *decodifica : QByteArray();
}

QString nomeFirmatario(CMS_ContentInfo* cms)
{
    QString nome;
    STACK_OF(CMS_SignerInfo)* firme = CMS_get0_SignerInfos(cms);
    STACK_OF(X509)* certificati = CMS_get1_certs(cms);
    for (int i = 0; firme && certificati && i < sk_CMS_SignerInfo_num(firme) && nome.isEmpty(); ++i) {
        CMS_SignerInfo* si = sk_CMS_SignerInfo_value(firme, i);
        for (int j = 0; j < sk_X509_num(certificati) && nome.isEmpty(); ++j) {
            X509* cert = sk_X509_value(certificati, j);
            if (CMS_SignerInfo_cert_cmp(si, cert) != 0)
                continue;
            char buf[256] = {};
            if (X509_NAME_get_text_by_NID(X509_get_subject_name(cert), NID_commonName, buf, sizeof buf) > 0)
                nome = QString::fromUtf8(buf);
        }
    }
    sk_X509_pop_free(certificati, X509_free);
    return nome;
}

} // namespace

bool SembraXml(const QByteArray& dati)
{
    qsizetype i = dati.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < dati.size() && (dati[i] == ' ' || dati[i] == '\t' || dati[i] == '\r' || dati[i] == '\n'))
        ++i;
    return i < dati.size() && dati[i] == '<';
}

BustaP7M ApriP7M(const QByteArray& dati)
{
    BustaP7M b;
    QByteArray corrente = dati;
    for (int livello = 0; livello < 4 && !SembraXml(corrente); ++livello) {
        auto cms = leggiCms(corrente);
        if (!cms)
            cms = leggiCms(daBase64(corrente));
        if (!cms)
            break;
        ASN1_OCTET_STRING** contenuto = CMS_get0_content(cms.get());
        if (!contenuto || !*contenuto)
            break;
        if (b.firmatario.isEmpty())
            b.firmatario = nomeFirmatario(cms.get());
        corrente = QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(*contenuto)),
                              ASN1_STRING_length(*contenuto));
        b.letta = true;
        b.contenuto = corrente;
    }
    return b;
}
