#include "Generatore.h"
#include "Tabelle.h"
#include <algorithm>

// The articles with their stock and the story of each in the movement log.
namespace demo {

void Generatore::creaArticoliEMovimenti()
{
    struct Movimento
    {
        QDate data;
        QString servizio, tipo, motivo, cliente;
        double quantita, giacenza;
    };
    std::vector<Movimento> movimenti;

    Inserimento ins(db, Tabelle::Servizi(),
                    {"Codice", "Descrizione", "Tipo", "Dentro", "Fuori", "Motivo", "Fatturabile"});
    for (int a = 0; a < NumArticoli; ++a) {
        const Articolo& art = articoli[a];
        const qint64 f = fuori[size_t(a)];
        const qint64 dentro = art.fatturabile ? f * c.tra(10, 35) / 100 + c.tra(5, 50) : c.tra(40, 400);
        ins({a + 1, QString::fromUtf8(art.descrizione), QString::fromUtf8(art.tipo), double(dentro),
             double(f), QVariant(), art.fatturabile});

        // The story of the stock: a purchase of everything, perhaps some worn pieces removed,
        // the deliveries to the customers, the last one to the customer who rented it last.
        const QString servizio = QString::fromUtf8(art.descrizione) + u' ' + QString::fromUtf8(art.tipo);
        const qint64 scarti = c.percento(40) ? c.tra(1, 20) : 0;
        qint64 giacenza = dentro + f + scarti;
        movimenti.push_back({giorniFa(330, 420), servizio, QStringLiteral("Acquisto"),
                             QStringLiteral("Carico iniziale"), QString(), double(giacenza),
                             double(giacenza)});
        if (scarti) {
            giacenza -= scarti;
            movimenti.push_back({giorniFa(150, 300), servizio, QStringLiteral("Rimozione"),
                                 QStringLiteral("Capi usurati"), QString(), double(scarti),
                                 double(giacenza)});
        }
        if (f > 0) {
            const qint64 ultima = ultimaQuantita[size_t(a)];
            if (f > ultima) {
                giacenza -= f - ultima;
                movimenti.push_back({giorniFa(40, 140), servizio, QStringLiteral("Uscita"),
                                     QStringLiteral("Consegne ai clienti"), QString(),
                                     double(f - ultima), double(giacenza)});
            }
            giacenza -= ultima;
            movimenti.push_back({giorniFa(1, 30), servizio, QStringLiteral("Uscita"), QString(),
                                 ultimoCliente[size_t(a)], double(ultima), double(giacenza)});
        }
        Q_ASSERT(giacenza == dentro);
    }

    std::stable_sort(movimenti.begin(), movimenti.end(),
                     [](const Movimento& a, const Movimento& b) { return a.data < b.data; });
    Inserimento insMov(db, Tabelle::StoMag(),
                       {"Servizio", "Data movimento", "Tipo movimento", "Motivo", "Cliente",
                        "Quantità", "Giacenza"});
    for (const Movimento& m : movimenti)
        insMov({m.servizio, m.data, m.tipo, m.motivo, m.cliente, m.quantita, m.giacenza});
}

} // namespace demo
