#pragma once
#include "Caso.h"
#include "Catalogo.h"
#include "Clock.h"
#include "Inserimento.h"
#include "Territorio.h"
#include <QDate>
#include <QHash>
#include <QSet>
#include <array>
#include <memory>
#include <vector>

class Database;

namespace demo {

// Features that the archive must show at least once, whatever the seed: each is given to a
// customer drawn at the start, the others get them by chance.
enum Caratteristica {
    PrimaPeriodicita = 0,   // seven slots, one per billing periodicity
    Forzato = 7, Escluso, Millesimi, Estesa, ExtraRighe, Incasso, Sospeso, InFattura,
    Gruppi, SenzaIva, Pubblico1, Pubblico2, NumCaratteristiche
};

struct Rotta
{
    int codice, zona, agente;
};

struct SedeDemo
{
    int codice;
    int localita;
    QString indirizzo;
    Unita imponibile = 0;
};

// One customer as it is drawn, step by step, before it is written.
struct ClienteDemo
{
    int forzata = -1;          // the feature it must show, or -1
    int codice = 0;
    const Categoria* cat = nullptr;
    bool pubblico = false;
    int sedeLegale = 0;
    const Localita* luogo = nullptr;
    QString citta;
    Persona titolare;
    bool individuale = false;
    QString den, den2, piva, cf, indirizzoCliente;
    int periodo = 0, mesi = 1;
    bool meseForzato = false, escluso = false, millesimi = false, estesa = false, senzaIva = false;
    int pagamento = 0;
    bool incasso = false;
    QString coordinate, banca, numeroCc;
    QString codiceFE, pec, rigo3, causale;
    QString rigo1, rigo2, numContratto;
    QDate dataContratto, scadenza, dataRev;
    bool conScheda = false;
    Unita imponibile = 0;
};

// The generator of the demo archive. Its steps run in a fixed order over one stream of random
// draws (so that a scale and a seed always give the same archive) and share what the later
// steps need: routes and agents, the stock placed at the customers, the numbering.
class Generatore
{
public:
    Generatore(Database& db, int scale, quint32 seed)
        : db(db), c(seed), seme(seed), scala(scale), oggi(::oggi())
    {}

    void esegui();

private:
    void creaPagamenti();
    void creaAgentiERotte();
    void creaCliente(int indice);
    void scegliAnagrafica(ClienteDemo& k);
    void scegliPagamento(ClienteDemo& k);
    void scegliFatturaElettronica(ClienteDemo& k);
    void scegliContratto(ClienteDemo& k);
    void creaSedi(ClienteDemo& k);
    void scriviCliente(const ClienteDemo& k);
    void creaInterventi(int sede, int frequenza);
    void creaConsumi(int sede, int materiale, int dispenser);
    void creaAltreRighe(int cliente, Unita& imponibile);
    void creaArticoliEMovimenti();
    void scriviAgenti();
    void scriviParametri();
    void creaFattureManuali();

    QString indirizzo();
    static QString indirizzo(Caso& k);
    static QString codiceUfficio(Caso& k);
    QString nome(const Categoria& cat);
    QString partitaIva(const QString& prov, bool ente = false);
    QString codiceAlfa(int lunghezza);
    QDate giorniFa(int min, int max) { return oggi.addDays(-c.tra(min, max)); }
    int localitaCasuale(int zona = -1, bool costiero = false);

    Database& db;
    Caso c;
    quint32 seme;
    int scala;
    QDate oggi;

    std::vector<Rotta> rotte;
    std::vector<std::vector<int>> rottePerZona;
    std::vector<int> percentualeAgenti;    // in tenths
    std::vector<Unita> imponibileAgenti;
    std::vector<int> caratteristica;       // customer index -> forced feature, or -1
    std::array<qint64, NumArticoli> fuori{};
    std::array<QString, NumArticoli> ultimoCliente;
    std::array<int, NumArticoli> ultimaQuantita{};

    int prossimaSede = 1;
    int prossimoIntervento = 1;
    int prossimoSospeso = 1;
    int prossimaScheda = 1;
    QHash<QString, int> contrattiAnno;
    QSet<QString> partiteIva;

    std::unique_ptr<Inserimento> insClienti, insSedi, insNoleggi, insInterventi, insSospesi,
        insAltreInfo, insConsumi;
};

} // namespace demo
