#include "CodiciItaliani.h"
#include "Generatore.h"
#include "Tabelle.h"

// Manual invoices: the free-form invoices the office writes outside the periodic run, to public
// bodies (recipient code of six characters, tender code, split payment) and to occasional
// customers (a clubs' event, a parish fête), some VAT-exempt. They are drafts not yet printed:
// numbers come from the year's counter when the office prints them.
namespace demo {

namespace {

struct Destinatario
{
    const char* nome1;
    const char* nome2;
    bool pubblico;
};

const Destinatario destinatari[] = {
    {"Comune di %1", "Ufficio economato", true},
    {"Azienda Sanitaria Provinciale", "Distretto sanitario di %1", true},
    {"Istituto Comprensivo Statale", "Plesso di %1", true},
    {"Casa di riposo comunale", "Comune di %1", true},
    {"Associazione Sportiva %1", "Settore calcio giovanile", false},
    {"Parrocchia San Francesco", "%1", false},
    {"Pro Loco %1", "Sagra d'estate", false},
    {"Circolo Tennis %1", "", false},
};

struct Lavoro
{
    const char* descrizione;
    int quantitaMin, quantitaMax;
    int centesimiMin, centesimiMax;
};

const Lavoro lavori[] = {
    {"Noleggio biancheria piana", 20, 300, 60, 180},
    {"Lavaggio tovagliato per evento", 10, 120, 150, 450},
    {"Noleggio divise da lavoro", 5, 60, 300, 900},
    {"Lavaggio tende e tendaggi", 2, 30, 900, 2500},
    {"Sanificazione materassi", 4, 40, 1200, 3500},
    {"Lavaggio coperte di lana", 10, 80, 350, 800},
    {"Trasporto e ritiro con automezzo", 1, 6, 2500, 6000},
};

} // namespace

void Generatore::creaFattureManuali()
{
    // A stream of its own: the data of the earlier steps stay as they are for a given seed.
    Caso k(seme ^ 0x4d414e55u);
    QStringList campi{"Nome1", "Nome2", "Indirizzo", "Città", "Codice fiscale", "Partita iva", "Data fattura",
                      "Iva", "NATURA", "Codice_FE", "PA", "Scissione", "Cig", "NumContratto", "DataContratto",
                      "DataInizioP", "DataFineP", "DataScadenza", "Causale", "PEC", "CoordinateBanca", "Banca",
                      "Millesimi", "Rigo 1", "Rigo 2", "Rigo_7"};
    constexpr int righe = 4;
    for (int n = 1; n <= righe; ++n)
        campi << QStringLiteral("Quantità %1").arg(n) << QStringLiteral("Descrizione %1").arg(n)
              << QStringLiteral("Prezzo unitario %1").arg(n);
    Inserimento ins(db, Tabelle::FattMan(), campi);

    const int quante = 4 + 2 * scala;
    for (int i = 0; i < quante; ++i) {
        const Destinatario& d = destinatari[size_t(i < 2 ? i * 4 : k.tra(0, int(std::size(destinatari)) - 1))];
        const Localita& luogo = localita[size_t(k.tra(0, int(std::size(localita)) - 1))];
        const QString citta = QString::fromUtf8(luogo.nome);
        QString piva = QString::number(k.tra(100000000, 999999999)) + QString::number(k.tra(0, 9));
        piva += cifraControlloPiva(piva);

        // A month or a quarter ended in the last half year, invoiced a few days later.
        const QDate fineMese = QDate(oggi.year(), oggi.month(), 1).addMonths(-k.tra(0, 5)).addDays(-1);
        const bool trimestre = k.percento(25);
        const QDate inizio = QDate(fineMese.year(), fineMese.month(), 1).addMonths(trimestre ? -2 : 0);
        const QDate data = std::min(oggi, fineMese.addDays(k.tra(1, 10)));
        const QDate scadenza = QDate(data.year(), data.month(), 1).addMonths(2).addDays(-1);
        const bool esente = !d.pubblico && k.percento(30);
        const QString cig = d.pubblico ? QStringLiteral("Z%1").arg(k.tra(100000000, 999999999)) : QString();

        auto conCitta = [&](const char* testo) {
            const QString t = QString::fromUtf8(testo);
            return t.contains(QLatin1String("%1")) ? t.arg(citta) : t;
        };
        QVariantList valori{conCitta(d.nome1), conCitta(d.nome2),
                            indirizzo(k), QStringLiteral("%1 %2 (%3)").arg(QString::fromUtf8(luogo.cap), citta,
                                                                          QString::fromUtf8(luogo.prov)),
                            piva, piva, data,
                            esente ? 0.0 : 22.0, esente ? QStringLiteral("N4") : QString(),
                            d.pubblico ? codiceUfficio(k) : QStringLiteral("0000000"), d.pubblico, d.pubblico, cig,
                            d.pubblico ? QStringLiteral("%1/%2").arg(data.year()).arg(k.tra(10, 400)) : QString(),
                            d.pubblico ? QVariant(inizio.addDays(-k.tra(20, 200))) : QVariant(),
                            inizio, fineMese, scadenza,
                            trimestre ? QStringLiteral("Servizi di lavanderia del trimestre")
                                      : QStringLiteral("Servizi di lavanderia del mese"),
                            d.pubblico ? QString() : QStringLiteral("amministrazione@pec.it"),
                            QStringLiteral("IT60X0542811101000000123456"), QStringLiteral("Banca della Calabria"),
                            false, QStringLiteral("Servizio di lavanderia industriale"),
                            esente ? QStringLiteral("Operazione esente art. 10 DPR 633/72") : QString(),
                            QStringLiteral("Pagamento con bonifico bancario a 30 giorni fine mese.")};
        const int quanteRighe = k.tra(1, righe);
        for (int r = 0; r < righe; ++r) {
            if (r >= quanteRighe) {
                valori << QVariant() << QVariant() << QVariant();
                continue;
            }
            const Lavoro& l = lavori[size_t(k.tra(0, int(std::size(lavori)) - 1))];
            valori << k.tra(l.quantitaMin, l.quantitaMax) << QString::fromUtf8(l.descrizione)
                   << k.tra(l.centesimiMin, l.centesimiMax) / 100.0;
        }
        ins(valori);
    }
}

QString Generatore::indirizzo(Caso& k)
{
    return QStringLiteral("%1, %2").arg(QString::fromUtf8(k.uno(vie))).arg(k.tra(1, 120));
}

// The recipient code of a public office: six letters and digits.
QString Generatore::codiceUfficio(Caso& k)
{
    static const char segni[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString codice;
    for (int i = 0; i < 6; ++i)
        codice += QLatin1Char(segni[k.tra(0, 35)]);
    return codice;
}

} // namespace demo
