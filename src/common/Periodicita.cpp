#include "Periodicita.h"

int MesiPerFattura(const QString& condizioni)
{
    static const struct { const char* testo; int mesi; } tabella[] = {
        {"Mensile", 1},    {"Bimestrale", 2}, {"Trimestrale", 3}, {"Quadrimestrale", 4},
        {"Semestrale", 6}, {"5 mesi", 5},     {"Annuale", 12}};
    for (const auto& t : tabella)
        if (condizioni == QLatin1String(t.testo))
            return t.mesi;
    return 1;
}

QString Periodo(int m, const QString& condizioni, const QString& anno)
{
    int y = anno.trimmed().toInt();
    int f = 0;
    if (condizioni == QLatin1String("Annuale")) {
        if (m == 12) {
            f = 1;
        } else {
            f = m + 1;
            --y;
        }
    } else {
        static const struct { const char* testo; int indietro; } tabella[] = {
            {"Mensile", 0},    {"Bimestrale", 1}, {"Trimestrale", 2}, {"Quadrimestrale", 3},
            {"Semestrale", 5}, {"5 mesi", 4}};
        bool nota = false;
        for (const auto& t : tabella) {
            if (condizioni == QLatin1String(t.testo)) {
                f = m - t.indietro;
                nota = true;
            }
        }
        if (!nota)
            f = 0;
        if (f < 1) {
            f += 12;
            --y;
        }
    }
    return QStringLiteral("%1/%2").arg(f, 2, 10, QLatin1Char('0')).arg(y);
}
