#include "CodiciItaliani.h"

namespace demo {

// Check digit of a VAT number (and of a numeric tax code): the Luhn rule on ten digits.
QChar cifraControlloPiva(const QString& dieci)
{
    int somma = 0;
    for (int i = 0; i < 10; ++i) {
        int c = dieci[i].digitValue();
        if (i % 2 == 1) {
            c *= 2;
            if (c > 9)
                c -= 9;
        }
        somma += c;
    }
    return QChar(u'0' + (10 - somma % 10) % 10);
}

// Values of the characters in odd positions for the tax code and the bank CIN.
int valoreDispari(QChar c)
{
    static const int tab[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    return c.isDigit() ? tab[c.digitValue()] : tab[c.unicode() - u'A'];
}

int valorePari(QChar c)
{
    return c.isDigit() ? c.digitValue() : c.unicode() - u'A';
}

QChar carattereControllo(const QString& testo)
{
    int somma = 0;
    for (int i = 0; i < testo.size(); ++i)
        somma += i % 2 == 0 ? valoreDispari(testo[i]) : valorePari(testo[i]);
    return QChar(u'A' + somma % 26);
}

QString soloLettere(const QString& s)
{
    QString r;
    for (QChar c : s.toUpper())
        if (c >= u'A' && c <= u'Z')
            r += c;
    return r;
}

QString consonanti(const QString& s)
{
    QString r;
    for (QChar c : s)
        if (!QStringLiteral("AEIOU").contains(c))
            r += c;
    return r;
}

QString vocali(const QString& s)
{
    QString r;
    for (QChar c : s)
        if (QStringLiteral("AEIOU").contains(c))
            r += c;
    return r;
}

QString codiceFiscalePersona(const QString& cognome, const QString& nome, bool donna,
                             const QDate& nascita, const QString& belfiore)
{
    const QString c = soloLettere(cognome), n = soloLettere(nome);
    QString parte1 = (consonanti(c) + vocali(c) + QStringLiteral("XXX")).left(3);
    const QString cn = consonanti(n);
    QString parte2 = cn.size() >= 4 ? QString(cn[0]) + cn[2] + cn[3]
                                    : (cn + vocali(n) + QStringLiteral("XXX")).left(3);
    const QString mesi = QStringLiteral("ABCDEHLMPRST");
    const QString base = parte1 + parte2
                         + QStringLiteral("%1").arg(nascita.year() % 100, 2, 10, QChar(u'0'))
                         + mesi[nascita.month() - 1]
                         + QStringLiteral("%1").arg(nascita.day() + (donna ? 40 : 0), 2, 10, QChar(u'0'))
                         + belfiore;
    return base + carattereControllo(base);
}

// IBAN of an Italian account: CIN over ABI, CAB and account, then the two check digits.
QString iban(const QString& abi, const QString& cab, const QString& conto)
{
    const QString bban0 = abi + cab + conto;
    const QString bban = QString(carattereControllo(bban0)) + bban0;
    const QString riordinato = bban + QStringLiteral("IT00");
    int resto = 0;
    for (QChar c : riordinato) {
        const QString cifre = c.isDigit() ? QString(c) : QString::number(c.unicode() - u'A' + 10);
        for (QChar d : cifre)
            resto = (resto * 10 + d.digitValue()) % 97;
    }
    return QStringLiteral("IT%1%2").arg(98 - resto, 2, 10, QChar(u'0')).arg(bban);
}

} // namespace demo
