#include "Territorio.h"

namespace demo {

QString ufficioIva(const QString& prov)
{
    if (prov == u"CZ")
        return QStringLiteral("079");
    if (prov == u"KR")
        return QStringLiteral("101");
    if (prov == u"VV")
        return QStringLiteral("102");
    return QStringLiteral("078");
}

QString comuneTesto(const Localita& l, int larghezza)
{
    QString t = QStringLiteral("%1 %2 (%3)").arg(l.cap, QString::fromUtf8(l.nome), l.prov);
    if (t.size() > larghezza && l.breve)
        t = QStringLiteral("%1 %2 (%3)").arg(l.cap, QString::fromUtf8(l.breve), l.prov);
    return t;
}

Persona persona(Caso& c)
{
    Persona p;
    p.cognome = QString::fromUtf8(c.uno(cognomi));
    p.donna = c.percento(45);
    p.nome = QString::fromUtf8(p.donna ? c.uno(nomiDonna) : c.uno(nomiUomo));
    return p;
}

} // namespace demo
