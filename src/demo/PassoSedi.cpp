#include "Generatore.h"
#include <QVariant>
#include <algorithm>
#include <map>

namespace demo {

// The sites with their route, agent, rentals, groups and intervention days; the taxable amounts
// of the sites, of the customer and of the agents add up.
void Generatore::creaSedi(ClienteDemo& k)
{
    // Prices: one per article for the whole customer, around the list price.
    const int fattore = k.pubblico ? c.tra(80, 95) : c.tra(85, 120);
    std::map<int, Unita> prezzi;
    auto prezzo = [&](int art) {
        auto it = prezzi.find(art);
        if (it != prezzi.end())
            return it->second;
        qint64 milli = qint64(articoli[art].prezzoMillesimi) * fattore * c.tra(95, 105) / 10000;
        if (!k.millesimi)
            milli = (milli + 5) / 10 * 10;
        if (qstrcmp(articoli[art].tipo, "Dispenser") == 0 && c.percento(6))
            milli = 0;   // dispensers given on loan, only their refills are paid
        return prezzi[art] = milli * 10;
    };

    // Sites.
    int numSedi = 1 + c.pesato(k.cat->pesiSedi);
    if (k.forzata == Gruppi)
        numSedi = qMax(numSedi, 3);
    const bool unito = numSedi >= 2 && (k.forzata == Gruppi || c.percento(5));
    const bool catena = numSedi >= 3 && c.percento(30);
    int colore = 0;
    bool sospesoFatto = false, inFatturaFatta = false;
    std::vector<SedeDemo> sedi;
    for (int s = 0; s < numSedi; ++s) {
        SedeDemo sede;
        sede.codice = prossimaSede++;
        sede.localita = s == 0 ? k.sedeLegale
                        : catena ? localitaCasuale(-1, k.cat->costiero)
                        : c.percento(70) ? k.sedeLegale
                                         : localitaCasuale((*k.luogo).zona, k.cat->costiero);
        // The first site is often the administrative address itself.
        sede.indirizzo = s == 0 && c.percento(60) ? k.indirizzoCliente : indirizzo();
        sedi.push_back(sede);
    }

    const QString nomeCliente = k.den + u' ' + k.den2;
    for (int s = 0; s < numSedi; ++s) {
        SedeDemo& sede = sedi[size_t(s)];
        const Localita& l = localita[sede.localita];

        // Route and agent: a route of the site's zone; a few sites have none yet.
        int iter = 0, agente;
        if (c.percento(97)) {
            const Rotta& r = rotte[size_t(c.uno(rottePerZona[size_t(l.zona)]))];
            iter = r.codice;
            agente = r.agente;
        } else {
            agente = c.tra(1, int(percentualeAgenti.size()));
        }

        // Rentals: distinct articles of the kind's usual equipment.
        std::vector<Dotazione> dotazione = k.cat->dotazione;
        c.mescola(dotazione);
        const int numNoleggi = qMin(int(dotazione.size()), c.tra(3, 7));
        std::sort(dotazione.begin(), dotazione.begin() + numNoleggi,
                  [](const Dotazione& a, const Dotazione& b) { return a.articolo < b.articolo; });
        const int dimensione = c.tra(50, 150);
        for (int n = 0; n < numNoleggi; ++n) {
            const Dotazione& d = dotazione[size_t(n)];
            const int q = qMax(1, c.tra(d.qMin, d.qMax) * dimensione / 100);
            QVariant inFattura, sospesi = 0;
            if (q > 1 && ((k.forzata == InFattura && !inFatturaFatta) || c.percento(5))) {
                inFattura = q - c.tra(1, qMax(1, q / 3));
                inFatturaFatta = true;
            }
            if ((k.forzata == Sospeso && !sospesoFatto) || c.percento(3)) {
                const int s = c.tra(1, qMin(q, 10));
                sospesi = s;
                sospesoFatto = true;
                (*insSospesi)({prossimoSospeso++, c.percento(70) ? QVariant(giorniFa(1, 45)) : QVariant(),
                               sede.codice, d.articolo + 1, s});
            }
            const Unita costo = prezzo(d.articolo);
            const int qFatt = inFattura.isNull() ? q : inFattura.toInt();
            sede.imponibile += costo * qFatt;
            k.imponibile += costo * qFatt * k.mesi;
            fuori[size_t(d.articolo)] += q;
            ultimoCliente[size_t(d.articolo)] = nomeCliente;
            ultimaQuantita[size_t(d.articolo)] = q;

            QVariant reparto, sesso, altro, altraDitta;
            if (k.estesa) {
                static const char* const reparti[] = {"Cucina", "Sala", "Piano terra", "Primo piano",
                                                      "Spogliatoi", "Servizi igienici", "Direzione"};
                reparto = QString::fromUtf8(c.uno(reparti));
                static const char* const sessi[] = {"M", "F", " "};
                sesso = QString::fromUtf8(c.uno(sessi));
                static const char* const taglie[] = {"S", "M", "L", "XL"};
                if (c.percento(20))
                    altro = QStringLiteral("Taglia %1").arg(QString::fromUtf8(c.uno(taglie)));
                if (c.percento(15))
                    altraDitta = c.tra(1, 3);
            }
            (*insNoleggi)({sede.codice, d.articolo + 1, q, inFattura, sospesi, euro(costo), reparto,
                           sesso, altro, altraDitta});

            const int materiale = consumabileDi(d.articolo);
            if (materiale >= 0 && c.percento(15))
                creaConsumi(sede.codice, materiale, q);
        }
        imponibileAgenti[size_t(agente - 1)] += sede.imponibile;

        // Groups as the program numbers them: each site its own group, colours 1, 0, 1...;
        // a customer whose first two sites make one stop shares group 1, recoloured by group.
        const int gruppoOrg = s + 1;
        int gruppo = gruppoOrg;
        QString indirizzoGruppo;
        if (unito) {
            if (s == 1)
                gruppo = 1;
            if (s <= 1)
                indirizzoGruppo = sedi[0].indirizzo;
            colore = s <= 1 ? 0 : (s % 2 == 0 ? 1 : 0);
        } else {
            colore = s == 0 ? 1 : 1 - colore;
        }

        const int frequenza = c.pesato(k.cat->pesiFrequenza);
        QVariant ostrelo, dirGen, prSocc, ufficio, scala, piano, sessoSede, reparto, altro;
        if (k.estesa) {
            ostrelo = c.percento(50);
            dirGen = s == 0;
            prSocc = c.percento(15);
            static const char* const uffici[] = {"UFFICIO TECNICO", "AMMINISTRAZIONE", "SEGRETERIA",
                                                 "PERSONALE", "RECEPTION", "MAGAZZINO"};
            ufficio = QString::fromUtf8(c.uno(uffici));
            scala = QString(QChar(u'A' + c.tra(0, 2)));
            static const char* const piani[] = {"T", "1", "2", "3", "S1"};
            piano = QString::fromUtf8(c.uno(piani));
            if (c.percento(30))
                sessoSede = c.percento(50) ? QStringLiteral("M") : QStringLiteral("F");
            if (c.percento(40))
                reparto = QStringLiteral("Servizi generali");
            if (c.percento(20))
                altro = QStringLiteral("Accesso con badge");
        }
        (*insSedi)({sede.codice, k.codice, sede.indirizzo, comuneTesto(l, 50), agente,
                    euro(sede.imponibile), c.percento(15) ? c.tra(1, 3) : 0, iter,
                    QString::fromUtf8(frequenze[frequenza]), gruppo, gruppoOrg, colore,
                    indirizzoGruppo, ostrelo, dirGen, prSocc, ufficio, scala, piano, sessoSede,
                    reparto, altro});
        creaInterventi(sede.codice, frequenza);
    }
}

void Generatore::creaInterventi(int sede, int frequenza)
{
    // Intervention rows are numbered with 16 bits: the largest archives stop adding them.
    auto riga = [&](int settimana, std::array<QVariant, 6> giorni) {
        if (prossimoIntervento > 32767)
            return;
        (*insInterventi)({prossimoIntervento++, settimana, giorni[0], giorni[1], giorni[2],
                          giorni[3], giorni[4], giorni[5], sede});
    };
    // A day with a visit is true, or empty (grey) now and then for a mandatory one.
    auto visita = [&]() { return c.percento(8) ? QVariant() : QVariant(true); };
    std::array<QVariant, 6> giorni;
    giorni.fill(false);
    switch (frequenza) {
    case 0:   // Giornaliera
        for (auto& g : giorni)
            g = visita();
        riga(1, giorni);
        break;
    case 1: {   // Trisettimanale
        const int primo = c.tra(0, 1);
        giorni[size_t(primo)] = visita();
        giorni[size_t(primo + 2)] = visita();
        giorni[size_t(primo + 4)] = visita();
        riga(1, giorni);
        break;
    }
    case 2: {   // Bisettimanale
        const int primo = c.tra(0, 2);
        giorni[size_t(primo)] = visita();
        giorni[size_t(primo + 3)] = visita();
        riga(1, giorni);
        break;
    }
    case 3:   // Settimanale
        giorni[size_t(c.tra(0, 5))] = visita();
        riga(1, giorni);
        break;
    case 4: {   // Quindicinale: weeks 1 and 3 of the four-week sheet
        const int giorno = c.tra(0, 4);
        giorni[size_t(giorno)] = visita();
        riga(1, giorni);
        riga(3, giorni);
        break;
    }
    default:   // Mensile
        giorni[size_t(c.tra(0, 4))] = visita();
        riga(c.tra(1, 4), giorni);
    }
}

void Generatore::creaConsumi(int sede, int materiale, int dispenser)
{
    // Monthly readings over the last months, roughly proportional to the dispensers placed.
    const int mesi = c.tra(4, 12);
    const int base = materiale == SaponeLiquido ? 2 : materiale == CartaIgienica ? 6
                     : materiale == CartaMani   ? 4 : 1;
    for (int m = mesi; m >= 1; --m) {
        const QDate inizio = QDate(oggi.year(), oggi.month(), 1).addMonths(-m);
        const QDate data = inizio.addDays(c.tra(0, 20));
        const double quantita = qMax(1, base * dispenser * c.tra(60, 140) / 100) + (c.percento(25) ? 0.5 : 0.0);
        (*insConsumi)({sede, materiale + 1, quantita, data});
    }
}

} // namespace demo
