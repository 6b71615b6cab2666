#include "TestoFE.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace TestoFE {

QString Data(const QDate& d)
{
    return DataDaTesto(d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString());
}

QString DataDaTesto(const QString& t)
{
    return t.mid(6, 4) + QLatin1Char('-') + t.mid(3, 2) + QLatin1Char('-') + t.mid(0, 2);
}

QString Progressivo(qint64 n)
{
    return QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0'));
}

namespace {

constexpr qint64 potenza10(int n)
{
    qint64 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// Digits of a non-negative whole number with `decimali` of them after the point.
QString conPunto(const QString& cifre, int decimali, bool negativo)
{
    QString s = cifre;
    if (s.size() < decimali + 1)
        s.prepend(QString(decimali + 1 - s.size(), QLatin1Char('0')));
    if (decimali > 0)
        s.insert(s.size() - decimali, QLatin1Char('.'));
    bool zero = true;
    for (QChar c : cifre)
        zero = zero && c == QLatin1Char('0');
    return negativo && !zero ? QLatin1Char('-') + s : s;
}

} // namespace

QString Importo(Money m, int decimali)
{
    decimali = qBound(0, decimali, 8);
    const qint64 u = m.units();
    const bool negativo = u < 0;
    quint64 modulo = negativo ? quint64(0) - quint64(u) : quint64(u);
    if (decimali < 4) {
        const quint64 q = quint64(potenza10(4 - decimali));
        const quint64 resto = modulo % q;
        modulo /= q;
        if (2 * resto >= q)
            ++modulo;
        return conPunto(QString::number(modulo), decimali, negativo);
    }
    return conPunto(QString::number(modulo) + QString(decimali - 4, QLatin1Char('0')), decimali, negativo);
}

QString Importo(double v, int decimali)
{
    decimali = qBound(0, decimali, 12);
    if (!std::isfinite(v))
        return conPunto(QStringLiteral("0"), decimali, false);
    // 18 significant digits: d.ddddddddddddddddde±xx
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(v));
    QString cifre;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            cifre += QLatin1Char(*p);
    const int esponente = *p == 'e' ? std::atoi(p + 1) : 0;
    // Value = 0.cifre × 10^(esponente + 1): the digits kept are those before the decimal point
    // plus `decimali` after it.
    const int tenute = esponente + 1 + decimali;
    QString intere;
    if (tenute <= 0) {
        intere = tenute == 0 && cifre[0] >= QLatin1Char('5') ? QStringLiteral("1") : QStringLiteral("0");
    } else if (tenute >= cifre.size()) {
        intere = cifre + QString(tenute - cifre.size(), QLatin1Char('0'));
    } else {
        intere = cifre.left(tenute);
        if (cifre[tenute] >= QLatin1Char('5')) {
            // Carry through the kept digits.
            int i = intere.size() - 1;
            while (i >= 0 && intere[i] == QLatin1Char('9'))
                intere[i--] = QLatin1Char('0');
            if (i < 0)
                intere.prepend(QLatin1Char('1'));
            else
                intere[i] = QChar(intere[i].unicode() + 1);
        }
    }
    while (intere.size() > 1 && intere[0] == QLatin1Char('0'))
        intere.remove(0, 1);
    return conPunto(intere, decimali, v < 0);
}

int DecimaliNecessari(Money m, int minimo)
{
    int d = qBound(0, minimo, 4);
    while (d < 4 && m.units() % potenza10(4 - d) != 0)
        ++d;
    return d;
}

QString Quantita(double q)
{
    if (q == std::trunc(q))
        return Importo(q, 2);
    QString s = Importo(q, 8);
    while (s.endsWith(QLatin1Char('0')) && s.size() - s.indexOf(QLatin1Char('.')) > 3)
        s.chop(1);
    return s;
}

qint64 Intero(double v)
{
    return qint64(std::nearbyint(v));
}

QString Latino(const QString& s)
{
    QString r;
    r.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\u2018': case u'\u2019': case u'\u201A': case u'\u2032': r += QLatin1Char('\''); break;
        case u'\u201C': case u'\u201D': case u'\u201E': case u'\u2033': r += QLatin1Char('"'); break;
        case u'\u2013': case u'\u2014': case u'\u2212': r += QLatin1Char('-'); break;
        case u'\u2026': r += QLatin1String("..."); break;
        case u'\u20AC': r += QLatin1String("EUR"); break;
        case u'\u00A0': r += QLatin1Char(' '); break;
        default:
            if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
                break;
            r += c;
        }
    }
    return r;
}

Localita DividiComune(const QString& testo)
{
    Localita l;
    l.cap = testo.left(5).trimmed();
    const int k = int(testo.indexOf(QLatin1Char('('))) + 1;
    if (k > 0) {
        l.comune = testo.mid(5, qMax(0, k - 1 - 5)).trimmed();
        l.provincia = testo.mid(k, 2).trimmed();
    } else {
        l.comune = testo.mid(5, 24).trimmed();
        l.provincia = QStringLiteral("CS");
    }
    return l;
}

QString CercaCIG(const QString& rigo3, bool* trovato)
{
    const qsizetype c = rigo3.indexOf(QLatin1String("CIG"));
    const qsizetype d = c < 0 ? -1 : rigo3.indexOf(QLatin1Char(':'), c + 3);
    if (trovato)
        *trovato = c >= 0 && d >= 0;
    return d < 0 ? QString() : rigo3.mid(d + 1).trimmed();
}

} // namespace TestoFE
