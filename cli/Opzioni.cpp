#include "Opzioni.h"

#include "DateIt.h"

bool Opzioni::leggi(const QStringList& args, const QStringList& nomi, QString& errore, const QStringList& senzaValore)
{
    for (int i = 0; i < args.size(); ++i) {
        QString a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            if (!cartella.isEmpty()) {
                errore = QStringLiteral("Argomento non riconosciuto: %1").arg(a);
                return false;
            }
            cartella = a;
            continue;
        }
        QString v;
        bool conValore = false;
        if (a.contains(u'=')) {
            v = a.section(u'=', 1);
            a = a.section(u'=', 0, 0);
            conValore = true;
        }
        const QString nome = a.mid(2);
        if (senzaValore.contains(nome) && !conValore) {
            interruttori.insert(nome);
            continue;
        }
        if (!nomi.contains(nome)) {
            errore = QStringLiteral("Opzione non riconosciuta: %1").arg(a);
            return false;
        }
        if (!conValore) {
            if (i + 1 >= args.size()) {
                errore = QStringLiteral("Manca il valore dell'opzione %1.").arg(a);
                return false;
            }
            v = args[++i];
        }
        valori.insert(nome, v);
    }
    return true;
}

QDate Opzioni::data(const QString& nome) const
{
    return ha(nome) ? parseDate(valore(nome)) : QDate();
}
