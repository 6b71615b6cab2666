#include "CodiciItaliani.h"
#include "Generatore.h"
#include <algorithm>

namespace demo {

// The customers: for each, its kind, name and tax identifiers, billing and payment, the
// e-invoice data, the contract, then its sites with their rentals, and the extra invoice lines.
// The draws follow one another in a fixed order, so that a seed always gives the same archive.
void Generatore::creaCliente(int indice)
{
    ClienteDemo k;
    k.forzata = caratteristica[size_t(indice)];
    k.codice = indice + 1;
    scegliAnagrafica(k);
    scegliPagamento(k);
    scegliFatturaElettronica(k);
    scegliContratto(k);
    creaSedi(k);
    if (k.forzata == ExtraRighe || c.percento(15))
        creaAltreRighe(k.codice, k.imponibile);
    scriviCliente(k);
}

// Kind of customer, name, legal form, tax identifiers and administrative address.
void Generatore::scegliAnagrafica(ClienteDemo& k)
{
    const auto& cats = categorie();
    // Kind of customer; two drawn customers are public bodies whatever the chance says.
    if (k.forzata == Pubblico1 || k.forzata == Pubblico2) {
        const Tipo t = k.forzata == Pubblico1 ? Tipo::Comune : Tipo::ScuolaPubblica;
        k.cat = &*std::find_if(cats.begin(), cats.end(), [&](const Categoria& x) { return x.tipo == t; });
    } else {
        std::vector<int> pesi;
        for (const Categoria& x : cats)
            pesi.push_back(x.peso);
        k.cat = &cats[size_t(c.pesato(pesi))];
    }
    k.pubblico = k.cat->pubblico;

    // Name, legal form and tax identifiers.
    k.sedeLegale = localitaCasuale(-1, k.cat->costiero);
    k.luogo = &localita[k.sedeLegale];
    k.citta = QString::fromUtf8((*k.luogo).nome);
    k.titolare = persona(c);
    if (k.cat->tipo == Tipo::Comune) {
        k.den = QStringLiteral("Comune di ") + k.citta;
        static const char* const uffici[] = {"Settore Affari Generali", "Ufficio Economato",
                                             "Area Tecnica", "Servizi Sociali",
                                             "Ufficio Ragioneria"};
        k.den2 = QString::fromUtf8(c.uno(uffici));
        k.piva = partitaIva((*k.luogo).prov);
        k.cf = partitaIva((*k.luogo).prov, true);
    } else if (k.cat->tipo == Tipo::ScuolaPubblica) {
        k.den = nome(*k.cat);
        k.den2 = k.citta;
        k.cf = partitaIva((*k.luogo).prov, true);
    } else {
        k.den = nome(*k.cat);
        switch (c.pesato({30, 8, 12, 10, 25, 10, 5})) {
        case 0: k.den2 = QStringLiteral("S.r.l."); break;
        case 1: k.den2 = QStringLiteral("S.p.A."); break;
        case 2: k.den2 = QStringLiteral("S.r.l.s."); break;
        case 3: k.den2 = QStringLiteral("S.n.c. di %1 & C.").arg(k.titolare.cognome); break;
        case 4:
            k.den2 = QStringLiteral("di %1 %2").arg(k.titolare.cognome, k.titolare.nome);
            k.individuale = true;
            break;
        case 5: k.den2 = QStringLiteral("S.a.s. di %1 %2").arg(k.titolare.cognome, k.titolare.nome); break;
        default:
            k.den2 = k.cat->tipo == Tipo::Rsa ? QStringLiteral("Soc. Coop. Sociale")
                                          : QStringLiteral("Soc. Coop. a r.l.");
        }
        k.piva = partitaIva((*k.luogo).prov);
        if (k.individuale) {
            static const char* const belfiore[] = {"D086", "D086", "D086", "C002", "L049", "H501"};
            const QDate nascita(c.tra(1950, 1995), c.tra(1, 12), c.tra(1, 28));
            k.cf = codiceFiscalePersona(k.titolare.cognome, k.titolare.nome, k.titolare.donna, nascita,
                                      QString::fromUtf8(c.uno(belfiore)));
        } else {
            k.cf = k.piva;
        }
    }

    k.indirizzoCliente = indirizzo();
}

// Billing periodicity, the flags of the customer and the payment with its bank.
void Generatore::scegliPagamento(ClienteDemo& k)
{
    // Billing.
    k.periodo = k.forzata >= PrimaPeriodicita && k.forzata < PrimaPeriodicita + 7
                            ? k.forzata - PrimaPeriodicita
                            : c.pesato({45, 15, 15, 5, 6, 4, 10});
    k.mesi = mesiPeriodicita[k.periodo];
    k.meseForzato = k.forzata == Forzato || c.percento(4);
    k.escluso = k.forzata == Escluso || c.percento(3);
    k.millesimi = k.forzata == Millesimi || c.percento(5);
    k.estesa = k.forzata == Estesa || c.percento(4);
    k.senzaIva = !k.pubblico && (k.forzata == SenzaIva || c.percento(2));
    k.pagamento = k.pubblico ? (c.percento(70) ? PagBonifico30 : PagBonifico60)
                                   : 1 + c.pesato({20, 5, 5, 20, 10, 10, 10, 3, 7});
    k.incasso = k.forzata == Incasso || k.pagamento == PagSepa
                         || (k.pagamento == PagContanti && c.percento(50))
                         || (k.pagamento == PagRimessa && c.percento(25));

    if (k.pagamento == PagBonifico30 || k.pagamento == PagBonifico60) {
        // Bank transfers go to one of the laundry's two accounts.
        if (c.percento(60)) {
            k.coordinate = iban(QStringLiteral("03069"), QStringLiteral("80880"), QStringLiteral("100000012345"));
            k.banca = QStringLiteral("Intesa Sanpaolo - Filiale di Rende");
        } else {
            k.coordinate = iban(QStringLiteral("05387"), QStringLiteral("16200"), QStringLiteral("000000654321"));
            k.banca = QStringLiteral("BPER Banca - Filiale di Cosenza");
        }
    } else if (k.pagamento >= PagRiba30) {
        const Banca& b = c.uno(banche);
        QString cab, conto;
        for (int i = 0; i < 5; ++i)
            cab += QChar(u'0' + c.tra(0, 9));
        conto = QStringLiteral("0000");
        for (int i = 0; i < 8; ++i)
            conto += QChar(u'0' + c.tra(0, 9));
        k.coordinate = iban(QString::fromUtf8(b.abi), cab, conto);
        k.banca = QStringLiteral("%1 - Filiale di %2").arg(QString::fromUtf8(b.nome), k.citta);
        if (c.percento(30))
            k.numeroCc = conto.mid(4);
    }
}

// Recipient code, certified mail, invoice footer and reason of the electronic invoice.
void Generatore::scegliFatturaElettronica(ClienteDemo& k)
{
    if (k.pubblico) {
        k.codiceFE = codiceAlfa(6);
        QString cig = QStringLiteral("Z");
        for (int i = 0; i < 9; ++i)
            cig += QStringLiteral("0123456789ABCDEF")[c.tra(0, 15)];
        k.rigo3 = c.percento(70) ? QStringLiteral("CIG: ") + cig
                               : QStringLiteral("Determina n. %1/%2 - CIG: %3")
                                     .arg(c.tra(10, 480)).arg(oggi.year() - c.tra(0, 1)).arg(cig);
        QString slug = soloLettere(k.citta).toLower();
        k.pec = k.cat->tipo == Tipo::Comune
                  ? QStringLiteral("protocollo@pec.comune.%1.%2.it").arg(slug, QString((*k.luogo).prov).toLower())
                  : QStringLiteral("%1ic%2@pec.istruzione.it").arg(QString((*k.luogo).prov).toLower()).arg(c.tra(800000, 899999));
        k.causale = QStringLiteral("Servizio di noleggio e sanificazione biancheria e igiene ambientale");
    } else {
        const QString slug = soloLettere(k.den).toLower().left(18);
        if (c.percento(60)) {
            k.codiceFE = QStringLiteral("0000000");
            k.pec = slug + QStringLiteral("@pec.it");
        } else {
            k.codiceFE = codiceAlfa(7);
            if (c.percento(30))
                k.pec = QStringLiteral("amministrazione@pec.") + slug + QStringLiteral(".it");
        }
        if ((k.pagamento == PagBonifico30 || k.pagamento == PagBonifico60) && c.percento(30))
            k.rigo3 = QStringLiteral("Pagamento a mezzo bonifico bancario, indicando il numero di fattura");
        if (c.percento(40))
            k.causale = QStringLiteral("Noleggio e lavaggio biancheria");
    }
}

// The invoice lines of the customer and its contract with its revision sheet.
void Generatore::scegliContratto(ClienteDemo& k)
{
    static const char* const righe1[] = {"Servizio di noleggio e lavaggio biancheria",
                                         "Noleggio biancheria piana e confezionata",
                                         "Servizio igiene ambientale",
                                         "Come da contratto in essere"};
    k.rigo1 = c.percento(30) ? QString::fromUtf8(c.uno(righe1)) : QString();
    k.rigo2 = c.percento(10) ? QStringLiteral("Rif. ordine n. %1 del %2")
                                               .arg(c.tra(1, 300))
                                               .arg(giorniFa(30, 400).toString(QStringLiteral("dd/MM/yyyy")))
                                         : QString();
    // Contract.
    k.dataContratto = giorniFa(20, 3650);
    const QString anno = QString::number(k.dataContratto.year());
    const int progContratto = ++contrattiAnno[anno];
    k.numContratto = QStringLiteral("%1/%2").arg(progContratto, 3, 10, QChar(u'0')).arg(anno);
    k.scadenza = k.dataContratto.addYears(c.tra(1, 5));
    k.conScheda = c.percento(80);
    k.dataRev = k.conScheda ? qMin(oggi, k.dataContratto.addDays(c.tra(0, 700))) : QDate();
}

void Generatore::scriviCliente(const ClienteDemo& k)
{
    static const char* const note[] = {"Consegna entro le ore 10", "Chiedere del responsabile",
                                       "Fatturare a fine mese", "Cliente storico",
                                       "Chiuso il lunedì", "Chiuso in agosto"};
    static const char* const noteServizi[] = {"Chiavi in portineria", "Accesso dal retro",
                                              "Suonare al citofono", "Ritiro al mattino",
                                              "Scarico merci lato nord"};

    (*insClienti)({k.codice, k.pagamento, 11, k.codice, k.incasso, k.den, k.den2, k.indirizzoCliente,
                   comuneTesto((*k.luogo), 30), k.piva, k.cf, k.numContratto, k.dataContratto, k.scadenza,
                   k.numeroCc, k.coordinate, k.banca, k.rigo3, QString::fromUtf8(periodicita[k.periodo]),
                   k.rigo1, k.rigo2, c.percento(20) ? QString::fromUtf8(c.uno(note)) : QString(),
                   c.percento(25) ? QString::fromUtf8(c.uno(noteServizi)) : QString(),
                   euro(k.imponibile), QStringLiteral("0"), k.escluso, !k.senzaIva,
                   k.conScheda ? QVariant(prossimaScheda++) : QVariant(),
                   k.conScheda ? QVariant(c.tra(0, 4)) : QVariant(), k.dataRev, k.millesimi, k.estesa,
                   k.pubblico, k.codiceFE, k.meseForzato ? 1 : 0, k.pubblico, k.causale, k.pec,
                   k.senzaIva ? QStringLiteral("N4") : QString(), c.percento(20) ? 1 : 0});
}

void Generatore::creaAltreRighe(int cliente, Unita& imponibile)
{
    struct Modello
    {
        const char* descrizione;
        int qMin, qMax;
        int prezzoMin, prezzoMax;   // cents
    };
    static const Modello modelli[] = {
        {"Servizio di ritiro e consegna", 1, 1, 1500, 4000},
        {"Lavaggio tende", 2, 12, 800, 1800},
        {"Sanificazione ambienti", 1, 1, 6000, 15000},
        {"Contributo trasporto", 1, 1, 500, 1500},
        {"Lavaggio coperte", 2, 20, 500, 900},
        {"Lavaggio tappeti a domicilio", 1, 4, 2000, 4500},
    };
    const int numRighe = c.tra(1, 3);
    QStringList usate;
    for (int p = 1; p <= numRighe; ++p) {
        if (c.percento(20)) {
            // A line of text only.
            (*insAltreInfo)({cliente, p, QVariant(),
                             QStringLiteral("Rif. vs. ordine n. %1 del %2")
                                 .arg(c.tra(1, 999))
                                 .arg(giorniFa(10, 300).toString(QStringLiteral("dd/MM/yyyy"))),
                             QVariant()});
            continue;
        }
        const Modello& m = c.uno(modelli);
        const int q = c.tra(m.qMin, m.qMax);
        const Unita prezzo = Unita(c.tra(m.prezzoMin, m.prezzoMax) / 10 * 10) * 100;
        imponibile += prezzo * q;
        // The run merges lines of the same text into one, at the first line's price: a second
        // line of a kind gets a text of its own.
        QString descrizione = QString::fromUtf8(m.descrizione);
        if (const qsizetype volte = usate.count(descrizione))
            descrizione += QStringLiteral(" - intervento n. %1").arg(volte + 1);
        usate << QString::fromUtf8(m.descrizione);
        (*insAltreInfo)({cliente, p, q, descrizione, euro(prezzo)});
    }
}

} // namespace demo
