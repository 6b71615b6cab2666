#pragma once
#include <vector>

// What the demo laundry rents, to whom and how it is paid: the articles, the kinds of customer
// with their usual equipment, the payment methods and banks, the billing periodicities.
namespace demo {

// Articles: those rented and invoiced, then the consumables recorded in the readings.

struct Articolo
{
    const char* descrizione;
    const char* tipo;
    int prezzoMillesimi;   // usual monthly price of one unit, in thousandths of a euro
    bool fatturabile;
};

enum : int {
    LenzSingolo, LenzMatrimoniale, Federa, Copripiumino, Copriletto, Traversa, Coperta,
    Tovaglia140, Tovaglia180, Coprimacchia, Tovagliolo, AsciugViso, AsciugOspite, TeloDoccia,
    Accappatoio, Scendiletto, GiaccaCuoco, PantaloneCuoco, Grembiule, DivisaLavoro,
    CamiceMedico, CasaccaSanitaria, PantaloneSanitario, Strofinaccio, Tappeto85, Tappeto115,
    Tappeto150, DispSapone, DistrCartaMani, DistrCartaIgienica, RotoloCotone, DistrRotolo,
    IgienizzanteWc, DeodoranteAmb, ContenitoreIgienico,
    // consumables
    SaponeLiquido, CartaIgienica, CartaMani, RicaricaIgienizzante, RicaricaDeodorante,
    NumArticoli
};

inline const Articolo articoli[NumArticoli] = {
    {"Lenzuolo singolo", "Piana", 1200, true},
    {"Lenzuolo matrimoniale", "Piana", 1800, true},
    {"Federa", "Piana", 450, true},
    {"Copripiumino matrimoniale", "Piana", 2600, true},
    {"Copriletto", "Piana", 2200, true},
    {"Traversa letto", "Piana", 700, true},
    {"Coperta in pile", "Piana", 2900, true},
    {"Tovaglia 140x140", "Tovagliato", 1100, true},
    {"Tovaglia 180x270", "Tovagliato", 1900, true},
    {"Coprimacchia 100x100", "Tovagliato", 600, true},
    {"Tovagliolo", "Tovagliato", 180, true},
    {"Asciugamano viso", "Spugna", 550, true},
    {"Asciugamano ospite", "Spugna", 350, true},
    {"Telo doccia", "Spugna", 1050, true},
    {"Accappatoio", "Spugna", 2400, true},
    {"Scendiletto", "Spugna", 500, true},
    {"Giacca cuoco", "Divisa", 4200, true},
    {"Pantalone cuoco", "Divisa", 3600, true},
    {"Grembiule", "Divisa", 1300, true},
    {"Divisa da lavoro", "Divisa", 6800, true},
    {"Camice medico", "Divisa", 4900, true},
    {"Casacca sanitaria", "Divisa", 3800, true},
    {"Pantalone sanitario", "Divisa", 3400, true},
    {"Strofinaccio cucina", "Piana", 250, true},
    {"Tappeto 85x150", "Tappeto", 9500, true},
    {"Tappeto 115x200", "Tappeto", 14000, true},
    {"Tappeto 150x300", "Tappeto", 24000, true},
    {"Dispenser sapone", "Dispenser", 2500, true},
    {"Distributore carta mani", "Dispenser", 3000, true},
    {"Distributore carta igienica", "Dispenser", 2500, true},
    {"Asciugamano a rotolo in cotone", "Rotolo", 6500, true},
    {"Distributore rotolo cotone", "Dispenser", 4500, true},
    {"Igienizzante WC", "Dispenser", 3200, true},
    {"Deodorante ambienti", "Dispenser", 3900, true},
    {"Contenitore igienico femminile", "Dispenser", 4800, true},
    {"Sapone liquido", "Tanica", 0, false},
    {"Carta igienica", "Rotoli", 0, false},
    {"Carta mani piegata", "Pacchi", 0, false},
    {"Ricarica igienizzante", "Flacone", 0, false},
    {"Ricarica deodorante", "Bomboletta", 0, false},
};

struct Dotazione
{
    int articolo, qMin, qMax;
};

// Kinds of customer: how they are named, what they rent, how many sites they have and how
// often they are served.

enum class Tipo {
    Hotel, Ristorante, Bar, Clinica, Rsa, Scuola, ScuolaPubblica, Comune, Palestra, Estetica,
    Azienda, Agriturismo, Lido
};

struct Categoria
{
    Tipo tipo;
    int peso;
    std::vector<const char*> prefissi;
    std::vector<const char*> radici;
    std::vector<Dotazione> dotazione;
    std::vector<int> pesiSedi;          // weight of 1, 2, 3 ... sites
    std::vector<int> pesiFrequenza;     // Giornaliera, Trisettimanale, Bisettimanale,
                                        // Settimanale, Quindicinale, Mensile
    bool pubblico = false;
    bool costiero = false;              // only in the towns by the sea
};

inline const char* const frequenze[] = {"Giornaliera", "Trisettimanale", "Bisettimanale",
                                 "Settimanale", "Quindicinale",   "Mensile"};

// Payment methods, which are also the payment accounts of the ledger.

struct Pagamento
{
    const char* descrizione;
    int mastro, conto;
    int peso;
};

inline const Pagamento pagamenti[] = {
    {"Rimessa diretta", 18, 1, 20},
    {"Contanti", 18, 1, 5},
    {"Assegno bancario", 18, 2, 5},
    {"Bonifico bancario 30 gg", 18, 10, 20},
    {"Bonifico bancario 60 gg", 18, 10, 10},
    {"RI.BA. 30 gg", 18, 11, 10},
    {"RI.BA. 60 gg", 18, 11, 10},
    {"RI.BA. 90 gg", 18, 11, 3},
    {"Addebito diretto SEPA", 18, 10, 7},
};
enum { PagRimessa = 1, PagContanti, PagAssegno, PagBonifico30, PagBonifico60, PagRiba30,
       PagRiba60, PagRiba90, PagSepa };

struct Banca
{
    const char* abi;
    const char* nome;
};

inline const Banca banche[] = {
    {"03069", "Intesa Sanpaolo"},      {"02008", "UniCredit"},
    {"05387", "BPER Banca"},           {"05034", "Banco BPM"},
    {"01030", "Monte dei Paschi di Siena"}, {"01005", "BNL"},
    {"06230", "Crédit Agricole Italia"}, {"05424", "Banca Popolare di Bari"},
    {"07601", "Poste Italiane"},
};

inline const char* const periodicita[] = {"Mensile",   "Bimestrale", "Trimestrale", "Quadrimestrale",
                                   "Semestrale", "5 mesi",    "Annuale"};
inline const int mesiPeriodicita[] = {1, 2, 3, 4, 6, 5, 12};

// The consumable a dispenser uses, recorded in the consumption readings of its site.
int consumabileDi(int articolo);
// The kinds of customer, with their weights.
const std::vector<Categoria>& categorie();

} // namespace demo
