#include "Generatore.h"
#include "Tabelle.h"
#include <QStringList>

// The agents and the delivery routes, one or more per zone; each agent's commission is written
// last, once the sites have added up its taxable amount.
namespace demo {

void Generatore::creaAgentiERotte()
{
    const int giriPerZona = 1 + (scala - 1) / 20;
    const int numRotte = numZone * giriPerZona;
    const int numAgenti = 3 + numRotte / 4;

    for (int a = 0; a < numAgenti; ++a) {
        static const int percentuali[] = {50, 60, 70, 75, 80, 100, 120};
        percentualeAgenti.push_back(c.uno(percentuali));
    }
    imponibileAgenti.assign(size_t(numAgenti), 0);

    // Every agent gets routes: the agents are dealt out over the routes in a shuffled order.
    std::vector<int> ordine;
    for (int r = 0; r < numRotte; ++r)
        ordine.push_back(r % numAgenti);
    c.mescola(ordine);

    Inserimento ins(db, Tabelle::Iter(), {"Codice", "Descrizione", "Agente"});
    rottePerZona.assign(numZone, {});
    for (int z = 0; z < numZone; ++z) {
        for (int g = 0; g < giriPerZona; ++g) {
            Rotta r{int(rotte.size()) + 1, z, ordine[rotte.size()] + 1};
            QString descr = QString::fromUtf8(nomiZone[z]);
            if (giriPerZona > 1)
                descr += QStringLiteral(" - giro %1").arg(g + 1);
            ins({r.codice, descr, r.agente});
            rottePerZona[size_t(z)].push_back(int(rotte.size()));
            rotte.push_back(r);
        }
    }
}

void Generatore::scriviAgenti()
{
    Inserimento ins(db, Tabelle::Agenti(), {"Codice", "Nominativo", "Percentuale", "Provvigione"});
    QStringList usati;
    for (size_t a = 0; a < percentualeAgenti.size(); ++a) {
        QString nome;
        do {
            const Persona p = persona(c);
            nome = p.cognome + u' ' + p.nome;
        } while (usati.contains(nome));
        usati << nome;
        // Commission as the agents screen computes it: the monthly amount of the agent's
        // sites times the percentage, to the cent with halves upwards.
        const qint64 decimiDiMillesimo = imponibileAgenti[a] * percentualeAgenti[a];   // /1000
        const qint64 unita = (decimiDiMillesimo + 500) / 1000;
        const qint64 centesimi = (unita + 50) / 100;
        ins({int(a) + 1, nome, percentualeAgenti[a] / 10.0, euro(centesimi * 100)});
    }
}

} // namespace demo
