#include "Periodicita.h"

#include <QDate>

namespace {

struct Regola
{
    QString testo;
    int mesi;           // months per invoice; due in the months divisible by it
    int inizio;         // the period starts this many months before the invoiced one
};

const QList<Regola>& regole()
{
    static const QList<Regola> r = {
        {QStringLiteral("Mensile"), 1, 0},      {QStringLiteral("Bimestrale"), 2, 1},
        {QStringLiteral("Trimestrale"), 3, 2},  {QStringLiteral("Quadrimestrale"), 4, 3},
        {QStringLiteral("Semestrale"), 6, 5},   {QStringLiteral("Annuale"), 12, 0},
        {QStringLiteral("5 mesi"), 5, 4},
    };
    return r;
}

const Regola* regola(const QString& condizioni)
{
    for (const Regola& r : regole())
        if (r.testo == condizioni)
            return &r;
    return nullptr;
}

const QString annuale = QStringLiteral("Annuale");

} // namespace

const QStringList& PeriodicitaFatturazione()
{
    static const QStringList testi = [] {
        QStringList l;
        for (const Regola& r : regole())
            l << r.testo;
        return l;
    }();
    return testi;
}

bool PeriodicitaNota(const QString& condizioni)
{
    return regola(condizioni) != nullptr;
}

int MesiPerFattura(const QString& condizioni)
{
    const Regola* r = regola(condizioni);
    return r ? r->mesi : 1;
}

bool DaFatturare(const QString& condizioni, int mese, bool forza)
{
    if (forza)
        return true;
    const Regola* r = regola(condizioni);
    if (!r)
        return false;
    // An annual customer is invoiced every month for the twelve months that end with it.
    return condizioni == annuale || mese % r->mesi == 0;
}

QString Periodo(int m, const QString& condizioni, const QString& anno)
{
    const Regola* r = regola(condizioni);
    int f = r ? m - r->inizio : 0;
    int y = anno.trimmed().toInt();
    if (condizioni == annuale) {
        if (m != 12) {
            f = m + 1;
            --y;
        } else {
            f = 1;
        }
    } else if (f < 1) {
        f += 12;
        --y;
    }
    return QStringLiteral("%1/%2").arg(f, 2, 10, QLatin1Char('0')).arg(y);
}

const QStringList& NomiMesi()
{
    static const QStringList nomi = {
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
        QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
        QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
    };
    return nomi;
}

QString NomeMese(int mese)
{
    return mese >= 1 && mese <= 12 ? NomiMesi()[mese - 1] : QString();
}

int NumeroMese(const QString& nome)
{
    return int(NomiMesi().indexOf(nome)) + 1;
}

int GiorniMese(const QString& nome, int anno)
{
    const int m = NumeroMese(nome);
    if (m == 0)
        return 30;
    return QDate(QDate::isLeapYear(anno) ? 2024 : 2023, m, 1).daysInMonth();
}
