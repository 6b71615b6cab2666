#pragma once
#include "Caso.h"
#include <QList>
#include <QString>
#include <iterator>

namespace demo {

// The territory: the towns served, grouped in the zones of the delivery routes.

struct Localita
{
    const char* nome;
    const char* cap;
    const char* prov;
    int zona;
    int peso;
    const char* breve = nullptr;   // the name as written where the town field is short
};

inline const Localita localita[] = {
    {"Cosenza", "87100", "CS", 0, 40},
    {"Rende", "87036", "CS", 1, 25},
    {"Castrolibero", "87040", "CS", 1, 6},
    {"Mendicino", "87040", "CS", 1, 4},
    {"Montalto Uffugo", "87046", "CS", 2, 6},
    {"Bisignano", "87043", "CS", 2, 3},
    {"Luzzi", "87040", "CS", 2, 2},
    {"Acri", "87041", "CS", 2, 4},
    {"Spezzano Albanese", "87019", "CS", 2, 2},
    {"Scalea", "87029", "CS", 3, 6},
    {"Praia a Mare", "87028", "CS", 3, 5},
    {"Diamante", "87023", "CS", 3, 5},
    {"Belvedere Marittimo", "87021", "CS", 3, 3},
    {"Cetraro", "87022", "CS", 3, 3},
    {"Paola", "87027", "CS", 4, 6},
    {"San Lucido", "87038", "CS", 4, 3},
    {"Fuscaldo", "87024", "CS", 4, 2},
    {"Amantea", "87032", "CS", 4, 5},
    {"Fiumefreddo Bruzio", "87030", "CS", 4, 1},
    {"Corigliano-Rossano", "87064", "CS", 5, 10},
    {"Cassano all'Ionio", "87011", "CS", 5, 4},
    {"Trebisacce", "87075", "CS", 5, 3},
    {"Villapiana", "87076", "CS", 5, 2},
    {"Cariati", "87062", "CS", 5, 2},
    {"Castrovillari", "87012", "CS", 6, 6},
    {"Altomonte", "87042", "CS", 6, 1},
    {"Morano Calabro", "87016", "CS", 6, 2},
    {"Saracena", "87010", "CS", 6, 1},
    {"San Giovanni in Fiore", "87055", "CS", 7, 4, "S.Giovanni in Fiore"},
    {"Spezzano della Sila", "87058", "CS", 7, 2},
    {"Rogliano", "87054", "CS", 7, 2},
    {"Catanzaro", "88100", "CZ", 8, 8},
    {"Lamezia Terme", "88046", "CZ", 8, 7},
    {"Soverato", "88068", "CZ", 8, 3},
    {"Crotone", "88900", "KR", 9, 6},
    {"Cirò Marina", "88811", "KR", 9, 2},
    {"Vibo Valentia", "89900", "VV", 10, 4},
    {"Tropea", "89861", "VV", 10, 4},
    {"Pizzo", "89812", "VV", 10, 2},
};
inline constexpr int numLocalita = int(std::size(localita));

inline const char* const nomiZone[] = {"Cosenza centro",  "Rende e Castrolibero", "Valle del Crati",
                                "Tirreno nord",    "Tirreno sud",          "Sibaritide",
                                "Pollino",         "Sila",                 "Catanzaro e Lametino",
                                "Crotonese",       "Vibonese"};
inline constexpr int numZone = int(std::size(nomiZone));
inline const QList<int> zoneCostiere{3, 4, 5, 9, 10};

inline const char* const vie[] = {
    "Via Roma",           "Corso Mazzini",       "Via Nazionale",        "Via Popilia",
    "Viale Trieste",      "Via XXIV Maggio",     "Via Panebianco",       "Via degli Stadi",
    "Via Garibaldi",      "Via Cavour",          "Corso Umberto I",      "Via Margherita",
    "Via della Libertà",  "Via San Francesco",   "Viale Repubblica",     "Via Marconi",
    "Via Kennedy",        "Via Fiume",           "Via Vittorio Veneto",  "Via Alimena",
    "Via Montesanto",     "Lungomare",           "Via delle Terme",      "Via Pietro Bucci",
    "Contrada Lecco",     "Via Piave",           "Via Isonzo",           "Via Dante Alighieri",
    "Via Nicola Serra",   "Via Caloprese",       "Via Sicilia",          "Via Calabria",
    "Via Mattia Preti",   "Via Torino",          "Via Milano",           "Zona Industriale",
    "Via dei Mille",      "Via Brodolini",       "Largo Padula",         "Via Lungo Crati",
    "Via Gramsci",        "Via Matteotti",       "Via Bologna",          "Viale degli Alimena",
    "Via Tommaso Campanella", "Via Bernardino Telesio", "Via Gioacchino da Fiore", "Via Rossini",
};

inline const char* const cognomi[] = {
    "Rossi",     "Russo",     "Ferraro",    "Esposito",  "Romano",    "Greco",    "Bruno",
    "Gallo",     "Conti",     "De Luca",    "Mancini",   "Costa",     "Giordano", "Rizzo",
    "Lombardi",  "Caruso",    "Gentile",    "Perri",     "Aiello",    "Algieri",  "Amato",
    "Belmonte",  "Caligiuri", "Chiappetta", "Cosentino", "De Rose",   "Falcone",  "Gabriele",
    "Guido",     "Le Pera",   "Lucente",    "Madeo",     "Marchese",  "Morrone",  "Nigro",
    "Occhiuto",  "Pugliese",  "Scarpelli",  "Spadafora", "Tucci",     "Vetere",   "Zicarelli",
    "Arcuri",    "Bilotta",   "Cundari",    "Iacino",    "Mazzei",    "Sposato",  "Trotta",
};
inline const char* const nomiUomo[] = {"Mario",    "Giuseppe", "Francesco", "Antonio", "Giovanni",
                                "Luigi",    "Salvatore", "Pasquale", "Domenico", "Vincenzo",
                                "Carmine",  "Rocco",    "Franco",    "Luca",    "Marco",
                                "Andrea",   "Stefano",  "Roberto",   "Gennaro", "Raffaele"};
inline const char* const nomiDonna[] = {"Maria",    "Anna",    "Giuseppina", "Rosa",     "Teresa",
                                 "Francesca", "Angela", "Caterina",   "Lucia",    "Giulia",
                                 "Chiara",   "Sara",    "Federica",   "Elena",    "Paola"};

struct Persona
{
    QString cognome, nome;
    bool donna = false;
};

// A person of the region: surname, name and sex.
Persona persona(Caso& c);
// Province office code that opens a VAT number.
QString ufficioIva(const QString& prov);
// "87100 Cosenza (CS)", with the short name when the field is too narrow for the full one.
QString comuneTesto(const Localita& l, int larghezza);

} // namespace demo
