#include "Generatore.h"
#include "CodiciItaliani.h"
#include "Tabelle.h"

namespace demo {

void Generatore::esegui()
{
    creaPagamenti();
    creaAgentiERotte();

    const int numClienti = 50 * scala;
    caratteristica.assign(size_t(numClienti), -1);
    std::vector<int> indici(static_cast<size_t>(numClienti));
    for (int i = 0; i < numClienti; ++i)
        indici[size_t(i)] = i;
    c.mescola(indici);
    for (int f = 0; f < NumCaratteristiche && f < numClienti; ++f)
        caratteristica[size_t(indici[size_t(f)])] = f;

    insClienti = std::make_unique<Inserimento>(
        db, Tabelle::Clienti(),
        QStringList{"Codice", "Pagamento", "Mastro", "Conto", "Incassabile", "Denominazione",
                    "Denominazione 2", "Indirizzo", "Comune", "Partita iva", "Codice fiscale",
                    "NumContratto", "Data contratto", "Data scadenza", "Numero cc",
                    "CoordinateBanca", "Banca", "Rigo_3", "Condizioni", "Rigo 1", "Rigo 2",
                    "Note", "NoteServizi", "Imponibile", "Flag", "Escluso", "Pagaiva", "Scheda",
                    "IndiceRev", "DataRev", "Millesimi", "StampaEstesa", "XML", "Codice_FE",
                    "Mese_Fatt", "Scissione", "Causale", "PEC", "NATURA", "ScadenzaFattura"});
    insSedi = std::make_unique<Inserimento>(
        db, Tabelle::Sedi(),
        QStringList{"Codice", "Codice cliente", "Indirizzo", "Comune", "Codice agente",
                    "Imponibile", "Chiavi", "Iter", "Frequenza", "Gruppo", "GruppoOrg", "Colore",
                    "IndirizzoGruppo", "Ostrelo", "DirGen", "PrSocc", "Ufficio", "Scala", "Piano",
                    "Sesso", "Reparto", "Altro"});
    insNoleggi = std::make_unique<Inserimento>(
        db, Tabelle::Noleggi(),
        QStringList{"Codice sede", "Codice servizio", "Quantita", "InFattura", "Sospesi", "Costo",
                    "Reparto", "Sesso", "Altro", "AltraDitta"});
    insInterventi = std::make_unique<Inserimento>(
        db, Tabelle::Interventi(),
        QStringList{"Codice", "Settimana", "Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi",
                    "Sabato", "Sede"});
    insSospesi = std::make_unique<Inserimento>(
        db, Tabelle::Sospesi(), QStringList{"Codice", "Data", "Sede", "Servizio", "Quantita"});
    insAltreInfo = std::make_unique<Inserimento>(
        db, Tabelle::AltreInfo(),
        QStringList{"Cliente", "Progr", "Quantita", "Descrizione", "Prezzo"});
    insConsumi = std::make_unique<Inserimento>(
        db, Tabelle::Consumi(), QStringList{"Sede", "Servizio", "Quantita", "Data"});

    for (int i = 0; i < numClienti; ++i)
        creaCliente(i);

    creaArticoliEMovimenti();
    scriviAgenti();
    scriviParametri();
    creaFattureManuali();
}

QString Generatore::indirizzo()
{
    QString via = QString::fromUtf8(c.uno(vie));
    QString numero = QString::number(c.percento(70) ? c.tra(1, 60) : c.tra(61, 250));
    if (c.percento(8))
        numero += QStringLiteral("/") + QChar(u'A' + c.tra(0, 2));
    return via + QStringLiteral(", ") + numero;
}

// A name of the kind that fits the 35 characters of Denominazione.
QString Generatore::nome(const Categoria& cat)
{
    QString n;
    do
        n = QString::fromUtf8(c.uno(cat.prefissi)) + u' ' + QString::fromUtf8(c.uno(cat.radici));
    while (n.size() > 35);
    return n;
}

// A VAT number (or the numeric tax code of a public body) not given to anyone else yet.
QString Generatore::partitaIva(const QString& prov, bool ente)
{
    QString numero;
    do {
        QString base = ente ? QStringLiteral("8") : QStringLiteral("0");
        for (int i = 0; i < 6; ++i)
            base += QChar(u'0' + c.tra(0, 9));
        base += ufficioIva(prov);
        numero = base + cifraControlloPiva(base);
    } while (partiteIva.contains(numero));
    partiteIva.insert(numero);
    return numero;
}

QString Generatore::codiceAlfa(int lunghezza)
{
    static const QString simboli = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ0123456789");
    QString s;
    for (int i = 0; i < lunghezza; ++i)
        s += simboli[c.tra(0, int(simboli.size()) - 1)];
    return s;
}

int Generatore::localitaCasuale(int zona, bool costiero)
{
    std::vector<int> pesi(numLocalita);
    for (int i = 0; i < numLocalita; ++i) {
        const bool ammessa = (zona < 0 || localita[i].zona == zona)
                             && (!costiero || zoneCostiere.contains(localita[i].zona));
        pesi[size_t(i)] = ammessa ? localita[i].peso : 0;
    }
    return c.pesato(pesi);
}

} // namespace demo
