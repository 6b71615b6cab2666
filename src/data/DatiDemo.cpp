#include "DatiDemo.h"
#include "Clock.h"
#include "Database.h"
#include "Errors.h"
#include "Tabelle.h"
#include <QDate>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Random choices. Only the raw output of std::mt19937 is used (fixed by the standard), turned
// into ranges by multiply-shift, so that a seed gives the same data with any library.

class Caso
{
public:
    explicit Caso(quint32 seed) : g(seed) {}

    // A whole number from lo to hi, both included.
    int tra(int lo, int hi)
    {
        const quint64 ampiezza = quint64(qint64(hi) - lo + 1);
        return int(qint64(lo) + qint64((quint64(g()) * ampiezza) >> 32));
    }
    bool percento(int p) { return tra(0, 99) < p; }

    template <class C> const auto& uno(const C& c)
    {
        return c[size_t(tra(0, int(std::size(c)) - 1))];
    }

    // The position of the weight chosen, each position with probability weight / total.
    int pesato(std::initializer_list<int> pesi) { return pesato(std::vector<int>(pesi)); }
    int pesato(const std::vector<int>& pesi)
    {
        int totale = 0;
        for (int p : pesi)
            totale += p;
        int r = tra(0, totale - 1);
        for (size_t i = 0; i < pesi.size(); ++i) {
            if (r < pesi[i])
                return int(i);
            r -= pesi[i];
        }
        return int(pesi.size()) - 1;
    }

    template <class T> void mescola(std::vector<T>& v)
    {
        for (int i = int(v.size()) - 1; i > 0; --i)
            std::swap(v[size_t(i)], v[size_t(tra(0, i))]);
    }

private:
    std::mt19937 g;
};

// ---------------------------------------------------------------------------------------------
// Writing rows: one prepared INSERT per table, values bound by position and brought to what
// the store keeps (texts cut to their width and empty texts as NULL, booleans 0/1, dates ISO).

class Inserimento
{
public:
    Inserimento(Database& db, const TableDef& def, const QStringList& campi)
    {
        QStringList nomi, segnaposto;
        for (const QString& c : campi) {
            const auto it = std::find_if(def.fields.begin(), def.fields.end(),
                                         [&](const FieldDef& f) { return f.name == c; });
            if (it == def.fields.end())
                throw LavError(QStringLiteral("Campo %1 sconosciuto nella tabella %2.").arg(c, def.name));
            tipi.push_back(*it);
            nomi << quoteName(c);
            segnaposto << QStringLiteral("?");
        }
        q = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(quoteName(def.name), nomi.join(u','), segnaposto.join(u',')));
    }

    void operator()(const QVariantList& valori)
    {
        Q_ASSERT(valori.size() == int(tipi.size()));
        for (int i = 0; i < valori.size(); ++i)
            q.bindValue(i, valore(tipi[size_t(i)], valori[i]));
        Database::run(q);
    }

private:
    static QVariant valore(const FieldDef& f, const QVariant& v)
    {
        if (v.isNull())
            return {};
        switch (f.type) {
        case FieldType::String: {
            const QString s = v.toString();
            return s.isEmpty() ? QVariant() : QVariant(s.left(f.size));
        }
        case FieldType::Boolean:
            return v.toBool() ? 1 : 0;
        case FieldType::Date: {
            const QDate d = v.toDate();
            return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
        }
        case FieldType::Float:
        case FieldType::Currency:
            return v.toDouble();
        default:
            return v.toLongLong();
        }
    }

    QSqlQuery q;
    std::vector<FieldDef> tipi;
};

// Amounts are counted in ten-thousandths of a euro, as the store's currency.
using Unita = qint64;
double euro(Unita u) { return double(u) / 10000.0; }

// ---------------------------------------------------------------------------------------------
// Italian registry codes.

// Check digit of a VAT number (and of a numeric tax code): the Luhn rule on ten digits.
QChar cifraControlloPiva(const QString& dieci)
{
    int somma = 0;
    for (int i = 0; i < 10; ++i) {
        int c = dieci[i].digitValue();
        if (i % 2 == 1) {
            c *= 2;
            if (c > 9)
                c -= 9;
        }
        somma += c;
    }
    return QChar(u'0' + (10 - somma % 10) % 10);
}

// Values of the characters in odd positions for the tax code and the bank CIN.
int valoreDispari(QChar c)
{
    static const int tab[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    return c.isDigit() ? tab[c.digitValue()] : tab[c.unicode() - u'A'];
}

int valorePari(QChar c)
{
    return c.isDigit() ? c.digitValue() : c.unicode() - u'A';
}

QChar carattereControllo(const QString& testo)
{
    int somma = 0;
    for (int i = 0; i < testo.size(); ++i)
        somma += i % 2 == 0 ? valoreDispari(testo[i]) : valorePari(testo[i]);
    return QChar(u'A' + somma % 26);
}

QString soloLettere(const QString& s)
{
    QString r;
    for (QChar c : s.toUpper())
        if (c >= u'A' && c <= u'Z')
            r += c;
    return r;
}

QString consonanti(const QString& s)
{
    QString r;
    for (QChar c : s)
        if (!QStringLiteral("AEIOU").contains(c))
            r += c;
    return r;
}

QString vocali(const QString& s)
{
    QString r;
    for (QChar c : s)
        if (QStringLiteral("AEIOU").contains(c))
            r += c;
    return r;
}

QString codiceFiscalePersona(const QString& cognome, const QString& nome, bool donna,
                             const QDate& nascita, const QString& belfiore)
{
    const QString c = soloLettere(cognome), n = soloLettere(nome);
    QString parte1 = (consonanti(c) + vocali(c) + QStringLiteral("XXX")).left(3);
    const QString cn = consonanti(n);
    QString parte2 = cn.size() >= 4 ? QString(cn[0]) + cn[2] + cn[3]
                                    : (cn + vocali(n) + QStringLiteral("XXX")).left(3);
    const QString mesi = QStringLiteral("ABCDEHLMPRST");
    const QString base = parte1 + parte2
                         + QStringLiteral("%1").arg(nascita.year() % 100, 2, 10, QChar(u'0'))
                         + mesi[nascita.month() - 1]
                         + QStringLiteral("%1").arg(nascita.day() + (donna ? 40 : 0), 2, 10, QChar(u'0'))
                         + belfiore;
    return base + carattereControllo(base);
}

// IBAN of an Italian account: CIN over ABI, CAB and account, then the two check digits.
QString iban(const QString& abi, const QString& cab, const QString& conto)
{
    const QString bban0 = abi + cab + conto;
    const QString bban = QString(carattereControllo(bban0)) + bban0;
    const QString riordinato = bban + QStringLiteral("IT00");
    int resto = 0;
    for (QChar c : riordinato) {
        const QString cifre = c.isDigit() ? QString(c) : QString::number(c.unicode() - u'A' + 10);
        for (QChar d : cifre)
            resto = (resto * 10 + d.digitValue()) % 97;
    }
    return QStringLiteral("IT%1%2").arg(98 - resto, 2, 10, QChar(u'0')).arg(bban);
}

// ---------------------------------------------------------------------------------------------
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

const Localita localita[] = {
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
constexpr int numLocalita = int(std::size(localita));

const char* const nomiZone[] = {"Cosenza centro",  "Rende e Castrolibero", "Valle del Crati",
                                "Tirreno nord",    "Tirreno sud",          "Sibaritide",
                                "Pollino",         "Sila",                 "Catanzaro e Lametino",
                                "Crotonese",       "Vibonese"};
constexpr int numZone = int(std::size(nomiZone));
const QList<int> zoneCostiere{3, 4, 5, 9, 10};

// Province office codes that open a VAT number.
QString ufficioIva(const QString& prov)
{
    if (prov == u"CZ")
        return QStringLiteral("079");
    if (prov == u"KR")
        return QStringLiteral("101");
    if (prov == u"VV")
        return QStringLiteral("102");
    return QStringLiteral("078");
}

// "87100 Cosenza (CS)", with the short name when the field is too narrow for the full one.
QString comuneTesto(const Localita& l, int larghezza)
{
    QString t = QStringLiteral("%1 %2 (%3)").arg(l.cap, QString::fromUtf8(l.nome), l.prov);
    if (t.size() > larghezza && l.breve)
        t = QStringLiteral("%1 %2 (%3)").arg(l.cap, QString::fromUtf8(l.breve), l.prov);
    return t;
}

const char* const vie[] = {
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

const char* const cognomi[] = {
    "Rossi",     "Russo",     "Ferraro",    "Esposito",  "Romano",    "Greco",    "Bruno",
    "Gallo",     "Conti",     "De Luca",    "Mancini",   "Costa",     "Giordano", "Rizzo",
    "Lombardi",  "Caruso",    "Gentile",    "Perri",     "Aiello",    "Algieri",  "Amato",
    "Belmonte",  "Caligiuri", "Chiappetta", "Cosentino", "De Rose",   "Falcone",  "Gabriele",
    "Guido",     "Le Pera",   "Lucente",    "Madeo",     "Marchese",  "Morrone",  "Nigro",
    "Occhiuto",  "Pugliese",  "Scarpelli",  "Spadafora", "Tucci",     "Vetere",   "Zicarelli",
    "Arcuri",    "Bilotta",   "Cundari",    "Iacino",    "Mazzei",    "Sposato",  "Trotta",
};
const char* const nomiUomo[] = {"Mario",    "Giuseppe", "Francesco", "Antonio", "Giovanni",
                                "Luigi",    "Salvatore", "Pasquale", "Domenico", "Vincenzo",
                                "Carmine",  "Rocco",    "Franco",    "Luca",    "Marco",
                                "Andrea",   "Stefano",  "Roberto",   "Gennaro", "Raffaele"};
const char* const nomiDonna[] = {"Maria",    "Anna",    "Giuseppina", "Rosa",     "Teresa",
                                 "Francesca", "Angela", "Caterina",   "Lucia",    "Giulia",
                                 "Chiara",   "Sara",    "Federica",   "Elena",    "Paola"};

struct Persona
{
    QString cognome, nome;
    bool donna = false;
};

Persona persona(Caso& c)
{
    Persona p;
    p.cognome = QString::fromUtf8(c.uno(cognomi));
    p.donna = c.percento(45);
    p.nome = QString::fromUtf8(p.donna ? c.uno(nomiDonna) : c.uno(nomiUomo));
    return p;
}

// ---------------------------------------------------------------------------------------------
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

const Articolo articoli[NumArticoli] = {
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

// The consumable a dispenser uses, recorded in the consumption readings of its site.
int consumabileDi(int articolo)
{
    switch (articolo) {
    case DispSapone: return SaponeLiquido;
    case DistrCartaMani: return CartaMani;
    case DistrCartaIgienica: return CartaIgienica;
    case IgienizzanteWc: return RicaricaIgienizzante;
    case DeodoranteAmb: return RicaricaDeodorante;
    default: return -1;
    }
}

struct Dotazione
{
    int articolo, qMin, qMax;
};

// ---------------------------------------------------------------------------------------------
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

const char* const frequenze[] = {"Giornaliera", "Trisettimanale", "Bisettimanale",
                                 "Settimanale", "Quindicinale",   "Mensile"};

const std::vector<Categoria>& categorie()
{
    static const std::vector<Categoria> c = {
        {Tipo::Hotel, 16,
         {"Hotel", "Grand Hotel", "Albergo", "Park Hotel", "Hotel Residence", "Hotel"},
         {"Aurora", "Bellavista", "Miramare", "Le Palme", "Excelsior", "Astoria", "Splendid",
          "Mediterraneo", "San Francesco", "Sila", "Il Gabbiano", "Riviera", "Europa", "Royal",
          "Panorama", "Del Golfo", "Costa Azzurra", "Magna Grecia", "Sybaris", "Santa Chiara",
          "Villa Fiorita", "Le Dune", "Stella Maris", "Il Parco"},
         {{LenzMatrimoniale, 20, 200}, {LenzSingolo, 10, 120}, {Federa, 40, 400},
          {Copripiumino, 10, 100}, {AsciugViso, 40, 300}, {TeloDoccia, 40, 300},
          {Accappatoio, 10, 80}, {Scendiletto, 20, 150}, {Tovaglia140, 10, 80},
          {Tovagliolo, 50, 400}, {GiaccaCuoco, 2, 8}, {PantaloneCuoco, 2, 8},
          {Tappeto115, 1, 4}, {AsciugOspite, 20, 200}},
         {15, 25, 25, 15, 10, 6, 4},
         {45, 30, 25, 0, 0, 0}},
        {Tipo::Ristorante, 20,
         {"Ristorante", "Trattoria", "Osteria", "Pizzeria", "Ristorante Pizzeria", "Taverna",
          "Locanda"},
         {"Da Peppino", "La Pergola", "Il Vecchio Mulino", "Il Focolare", "La Brace",
          "Il Borgo Antico", "Zio Totonno", "La Lanterna", "Il Gambero Rosso", "Al Castello",
          "La Tavernetta", "Il Casale", "Don Ciccio", "La Rosa dei Venti", "Il Peperoncino",
          "Lo Scoglio", "Il Vicoletto", "La Cantinetta", "Le Arcate", "Il Pescatore"},
         {{Tovaglia140, 10, 60}, {Tovaglia180, 5, 30}, {Coprimacchia, 10, 60},
          {Tovagliolo, 50, 400}, {GiaccaCuoco, 2, 8}, {PantaloneCuoco, 2, 8},
          {Grembiule, 2, 10}, {Strofinaccio, 10, 60}, {Tappeto85, 1, 3}, {DispSapone, 1, 3},
          {DistrCartaMani, 1, 3}},
         {20, 30, 25, 15, 7, 3},
         {0, 20, 40, 40, 0, 0}},
        {Tipo::Bar, 8,
         {"Bar", "Caffetteria", "Pasticceria", "Gelateria", "Bar Pasticceria"},
         {"Centrale", "Dolce Vita", "Italia", "Del Corso", "Il Chiosco", "Le Delizie", "Aurora",
          "Duomo", "Stazione", "Della Piazza", "Gran Caffè", "Il Portico"},
         {{Tovaglia140, 5, 20}, {Tovagliolo, 30, 200}, {Grembiule, 2, 8}, {Strofinaccio, 10, 40},
          {Tappeto85, 1, 2}, {DispSapone, 1, 2}, {DistrCartaMani, 1, 2},
          {DistrCartaIgienica, 1, 2}, {DivisaLavoro, 2, 6}},
         {30, 35, 25, 10},
         {0, 10, 40, 50, 0, 0}},
        {Tipo::Clinica, 8,
         {"Casa di Cura", "Clinica", "Poliambulatorio", "Centro Medico", "Centro Diagnostico",
          "Centro Fisioterapico"},
         {"Villa Serena", "San Raffaele", "Sant'Anna", "Salus", "Villa del Sole", "Igea",
          "Villa Azzurra", "La Madonnina", "San Michele", "Madonna della Catena",
          "Villa Ortensia", "Hippocrates", "Santa Rita", "Vita Nuova"},
         {{LenzSingolo, 20, 200}, {Federa, 20, 200}, {Traversa, 20, 200}, {Coperta, 10, 100},
          {AsciugViso, 20, 200}, {TeloDoccia, 20, 100}, {CamiceMedico, 5, 40},
          {CasaccaSanitaria, 5, 60}, {PantaloneSanitario, 5, 60}, {DispSapone, 2, 10},
          {DistrCartaMani, 2, 10}, {DistrCartaIgienica, 2, 10}, {IgienizzanteWc, 1, 6}},
         {5, 10, 20, 20, 15, 15, 10, 5},
         {50, 30, 20, 0, 0, 0}},
        {Tipo::Rsa, 8,
         {"RSA", "Casa di Riposo", "Casa Albergo per Anziani", "Comunità Alloggio",
          "Residenza Anziani"},
         {"Villa delle Rose", "San Giuseppe", "Padre Pio", "Il Sorriso", "Santa Maria",
          "Serena Età", "Villa Mimosa", "Don Orione", "Il Girasole", "Maria Immacolata",
          "San Francesco di Paola", "Villa Gioiosa", "Il Melograno"},
         {{LenzSingolo, 30, 250}, {Federa, 30, 250}, {Traversa, 30, 250}, {Coperta, 15, 120},
          {AsciugViso, 30, 200}, {TeloDoccia, 30, 150}, {Accappatoio, 10, 60},
          {CasaccaSanitaria, 5, 40}, {PantaloneSanitario, 5, 40}, {Tovaglia140, 5, 40},
          {Tovagliolo, 50, 300}, {DispSapone, 2, 8}, {DistrCartaIgienica, 2, 8}},
         {10, 20, 25, 20, 15, 10},
         {60, 25, 15, 0, 0, 0}},
        {Tipo::Scuola, 5,
         {"Scuola dell'Infanzia", "Asilo Nido", "Istituto Paritario", "Ludoteca",
          "Scuola Materna"},
         {"Il Girasole", "Arcobaleno", "Peter Pan", "Il Piccolo Principe", "Mary Poppins",
          "San Giovanni Bosco", "Maria Ausiliatrice", "Il Trenino", "Pollicino", "Biancaneve"},
         {{Grembiule, 10, 60}, {Tovaglia140, 5, 40}, {Tovagliolo, 50, 300},
          {Strofinaccio, 10, 40}, {DispSapone, 2, 8}, {DistrCartaMani, 2, 8},
          {DistrCartaIgienica, 2, 8}, {Tappeto115, 1, 3}, {ContenitoreIgienico, 1, 4},
          {AsciugOspite, 20, 100}},
         {15, 25, 30, 20, 10},
         {0, 0, 30, 50, 20, 0}},
        {Tipo::ScuolaPubblica, 3,
         {"Istituto Comprensivo", "Liceo Scientifico", "Liceo Classico", "I.I.S.",
          "Istituto Alberghiero", "Istituto Tecnico"},
         {"\"E. Fermi\"", "\"G. Galilei\"", "\"B. Telesio\"", "\"G. Marconi\"",
          "\"L. Da Vinci\"", "\"A. Volta\"", "\"T. Campanella\"", "\"G. da Fiore\"",
          "\"V. Padula\"", "\"E. Majorana\"", "\"Pitagora\"", "\"S. Pertini\""},
         {{Grembiule, 10, 60}, {GiaccaCuoco, 10, 60}, {PantaloneCuoco, 10, 60},
          {Tovaglia140, 10, 60}, {DispSapone, 4, 20}, {DistrCartaMani, 4, 20},
          {DistrCartaIgienica, 4, 20}, {Tappeto150, 1, 4}, {ContenitoreIgienico, 2, 10},
          {IgienizzanteWc, 2, 10}},
         {5, 10, 20, 25, 20, 10, 10},
         {0, 0, 20, 50, 30, 0},
         true},
        {Tipo::Comune, 3,
         {"Comune di"},
         {},
         {{Tappeto115, 1, 4}, {Tappeto150, 1, 3}, {DispSapone, 2, 12}, {DistrCartaMani, 2, 12},
          {DistrCartaIgienica, 2, 12}, {RotoloCotone, 1, 6}, {DistrRotolo, 1, 6},
          {IgienizzanteWc, 1, 8}, {DeodoranteAmb, 1, 8}, {ContenitoreIgienico, 1, 6},
          {DivisaLavoro, 2, 20}},
         {0, 5, 10, 15, 15, 15, 15, 10, 10, 5},
         {0, 0, 10, 40, 30, 20},
         true},
        {Tipo::Palestra, 6,
         {"Palestra", "Centro Sportivo", "Fitness Club", "Piscina", "Circolo Tennis",
          "Scuola di Danza"},
         {"Energy", "Body Line", "Olympia", "Athena", "Dinamica", "Fit Point", "Acquasport",
          "Sporting Club", "Virtus", "Delfino"},
         {{AsciugViso, 20, 150}, {TeloDoccia, 20, 150}, {Accappatoio, 5, 30}, {DispSapone, 1, 6},
          {DistrCartaMani, 1, 6}, {DistrCartaIgienica, 1, 6}, {Tappeto85, 1, 3},
          {DeodoranteAmb, 1, 4}, {AsciugOspite, 20, 100}},
         {30, 35, 25, 10},
         {0, 20, 40, 40, 0, 0}},
        {Tipo::Estetica, 7,
         {"Centro Estetico", "Parrucchiere", "Barberia", "Istituto di Bellezza", "Salone",
          "Beauty Spa"},
         {"Venere", "Afrodite", "Stile Libero", "Armonia", "Glamour", "Charme",
          "Bellezza Naturale", "Le Muse", "Nuova Immagine", "Essenza"},
         {{AsciugViso, 20, 120}, {AsciugOspite, 20, 120}, {TeloDoccia, 5, 40},
          {Accappatoio, 2, 20}, {Grembiule, 2, 8}, {DispSapone, 1, 3}, {DistrCartaMani, 1, 3},
          {Tappeto85, 1, 2}},
         {40, 35, 15, 10},
         {0, 10, 40, 50, 0, 0}},
        {Tipo::Azienda, 10,
         {"Caseificio", "Oleificio", "Panificio", "Salumificio", "Officina", "Autofficina",
          "Carrozzeria", "Industria Dolciaria", "Pastificio", "Cantina", "Macelleria",
          "Tipografia"},
         {"Sila", "Del Pollino", "La Calabrese", "Bruzia", "Valle del Crati",
          "Sapori di Calabria", "San Domenico", "Il Mulino", "Santa Lucia", "Jonica"},
         {{DivisaLavoro, 5, 60}, {Grembiule, 5, 40}, {Tappeto115, 1, 4}, {Tappeto150, 1, 2},
          {DispSapone, 1, 8}, {DistrCartaMani, 1, 8}, {DistrCartaIgienica, 1, 8},
          {RotoloCotone, 1, 6}, {DistrRotolo, 1, 6}, {IgienizzanteWc, 1, 4},
          {Strofinaccio, 10, 60}},
         {15, 25, 20, 15, 10, 8, 7},
         {0, 0, 30, 50, 20, 0}},
        {Tipo::Agriturismo, 7,
         {"Agriturismo", "B&B", "Country House", "Masseria", "Affittacamere", "Casa Vacanze"},
         {"Il Casale", "La Quercia", "Le Ginestre", "Il Vigneto", "I Tigli", "Il Frantoio",
          "La Collina", "Villa Verde", "Il Cortile", "La Terrazza", "Il Bergamotto",
          "La Rosa Canina"},
         {{LenzMatrimoniale, 10, 60}, {LenzSingolo, 5, 40}, {Federa, 20, 120},
          {AsciugViso, 20, 100}, {TeloDoccia, 20, 100}, {Tovaglia140, 5, 30},
          {Tovagliolo, 20, 150}, {Copriletto, 5, 30}, {Scendiletto, 5, 40}},
         {25, 35, 30, 10},
         {0, 30, 40, 30, 0, 0}},
        {Tipo::Lido, 5,
         {"Lido", "Stabilimento Balneare", "Villaggio Turistico", "Camping", "Residence"},
         {"Azzurro", "La Conchiglia", "Le Sirene", "Nettuno", "Blue Bay", "Il Faro",
          "Sabbia d'Oro", "Calypso", "Poseidon", "La Scogliera", "Perla del Tirreno"},
         {{TeloDoccia, 20, 200}, {AsciugViso, 20, 150}, {LenzSingolo, 10, 100},
          {Federa, 10, 100}, {Tovaglia140, 5, 40}, {Tovagliolo, 50, 300},
          {DispSapone, 1, 6}, {DistrCartaMani, 1, 6}, {DistrCartaIgienica, 1, 6}},
         {25, 35, 30, 10},
         {30, 30, 40, 0, 0, 0},
         false,
         true},
    };
    return c;
}

// ---------------------------------------------------------------------------------------------
// Payment methods, which are also the payment accounts of the ledger.

struct Pagamento
{
    const char* descrizione;
    int mastro, conto;
    int peso;
};

const Pagamento pagamenti[] = {
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

const Banca banche[] = {
    {"03069", "Intesa Sanpaolo"},      {"02008", "UniCredit"},
    {"05387", "BPER Banca"},           {"05034", "Banco BPM"},
    {"01030", "Monte dei Paschi di Siena"}, {"01005", "BNL"},
    {"06230", "Crédit Agricole Italia"}, {"05424", "Banca Popolare di Bari"},
    {"07601", "Poste Italiane"},
};

const char* const periodicita[] = {"Mensile",   "Bimestrale", "Trimestrale", "Quadrimestrale",
                                   "Semestrale", "5 mesi",    "Annuale"};
const int mesiPeriodicita[] = {1, 2, 3, 4, 6, 5, 12};

// ---------------------------------------------------------------------------------------------
// The generator.

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

class Generatore
{
public:
    Generatore(Database& db, int scale, quint32 seed)
        : db(db), c(seed), scala(scale), oggi(::oggi())
    {}

    void esegui();

private:
    void creaPagamenti();
    void creaAgentiERotte();
    void creaCliente(int indice);
    void creaInterventi(int sede, int frequenza);
    void creaConsumi(int sede, int materiale, int dispenser);
    void creaAltreRighe(int cliente, Unita& imponibile);
    void creaArticoliEMovimenti();
    void scriviAgenti();
    void scriviParametri();

    QString indirizzo();
    QString nome(const Categoria& cat);
    QString partitaIva(const QString& prov, bool ente = false);
    QString codiceAlfa(int lunghezza);
    QDate giorniFa(int min, int max) { return oggi.addDays(-c.tra(min, max)); }
    int localitaCasuale(int zona = -1, bool costiero = false);

    Database& db;
    Caso c;
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

void Generatore::creaPagamenti()
{
    Inserimento ins(db, Tabelle::ModPag(), {"Codice", "Descrizione", "Mastro", "Conto"});
    int codice = 1;
    for (const Pagamento& p : pagamenti)
        ins({codice++, QString::fromUtf8(p.descrizione), p.mastro, p.conto});
}

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
}

void Generatore::creaCliente(int indice)
{
    const int forzata = caratteristica[size_t(indice)];
    const int codice = indice + 1;
    const auto& cats = categorie();

    // Kind of customer; two drawn customers are public bodies whatever the chance says.
    const Categoria* cat = nullptr;
    if (forzata == Pubblico1 || forzata == Pubblico2) {
        const Tipo t = forzata == Pubblico1 ? Tipo::Comune : Tipo::ScuolaPubblica;
        cat = &*std::find_if(cats.begin(), cats.end(), [&](const Categoria& k) { return k.tipo == t; });
    } else {
        std::vector<int> pesi;
        for (const Categoria& k : cats)
            pesi.push_back(k.peso);
        cat = &cats[size_t(c.pesato(pesi))];
    }
    const bool pubblico = cat->pubblico;

    // Name, legal form and tax identifiers.
    const int sedeLegale = localitaCasuale(-1, cat->costiero);
    const Localita& luogo = localita[sedeLegale];
    const QString citta = QString::fromUtf8(luogo.nome);
    QString den, den2, piva, cf;
    bool individuale = false;
    Persona titolare = persona(c);
    if (cat->tipo == Tipo::Comune) {
        den = QStringLiteral("Comune di ") + citta;
        static const char* const uffici[] = {"Settore Affari Generali", "Ufficio Economato",
                                             "Area Tecnica", "Servizi Sociali",
                                             "Ufficio Ragioneria"};
        den2 = QString::fromUtf8(c.uno(uffici));
        piva = partitaIva(luogo.prov);
        cf = partitaIva(luogo.prov, true);
    } else if (cat->tipo == Tipo::ScuolaPubblica) {
        den = nome(*cat);
        den2 = citta;
        cf = partitaIva(luogo.prov, true);
    } else {
        den = nome(*cat);
        switch (c.pesato({30, 8, 12, 10, 25, 10, 5})) {
        case 0: den2 = QStringLiteral("S.r.l."); break;
        case 1: den2 = QStringLiteral("S.p.A."); break;
        case 2: den2 = QStringLiteral("S.r.l.s."); break;
        case 3: den2 = QStringLiteral("S.n.c. di %1 & C.").arg(titolare.cognome); break;
        case 4:
            den2 = QStringLiteral("di %1 %2").arg(titolare.cognome, titolare.nome);
            individuale = true;
            break;
        case 5: den2 = QStringLiteral("S.a.s. di %1 %2").arg(titolare.cognome, titolare.nome); break;
        default:
            den2 = cat->tipo == Tipo::Rsa ? QStringLiteral("Soc. Coop. Sociale")
                                          : QStringLiteral("Soc. Coop. a r.l.");
        }
        piva = partitaIva(luogo.prov);
        if (individuale) {
            static const char* const belfiore[] = {"D086", "D086", "D086", "C002", "L049", "H501"};
            const QDate nascita(c.tra(1950, 1995), c.tra(1, 12), c.tra(1, 28));
            cf = codiceFiscalePersona(titolare.cognome, titolare.nome, titolare.donna, nascita,
                                      QString::fromUtf8(c.uno(belfiore)));
        } else {
            cf = piva;
        }
    }

    const QString indirizzoCliente = indirizzo();

    // Billing.
    const int periodo = forzata >= PrimaPeriodicita && forzata < PrimaPeriodicita + 7
                            ? forzata - PrimaPeriodicita
                            : c.pesato({45, 15, 15, 5, 6, 4, 10});
    const int mesi = mesiPeriodicita[periodo];
    const bool meseForzato = forzata == Forzato || c.percento(4);
    const bool escluso = forzata == Escluso || c.percento(3);
    const bool millesimi = forzata == Millesimi || c.percento(5);
    const bool estesa = forzata == Estesa || c.percento(4);
    const bool senzaIva = !pubblico && (forzata == SenzaIva || c.percento(2));
    const int pagamento = pubblico ? (c.percento(70) ? PagBonifico30 : PagBonifico60)
                                   : 1 + c.pesato({20, 5, 5, 20, 10, 10, 10, 3, 7});
    const bool incasso = forzata == Incasso || pagamento == PagSepa
                         || (pagamento == PagContanti && c.percento(50))
                         || (pagamento == PagRimessa && c.percento(25));

    QString coordinate, banca, numeroCc;
    if (pagamento == PagBonifico30 || pagamento == PagBonifico60) {
        // Bank transfers go to one of the laundry's two accounts.
        if (c.percento(60)) {
            coordinate = iban(QStringLiteral("03069"), QStringLiteral("80880"), QStringLiteral("100000012345"));
            banca = QStringLiteral("Intesa Sanpaolo - Filiale di Rende");
        } else {
            coordinate = iban(QStringLiteral("05387"), QStringLiteral("16200"), QStringLiteral("000000654321"));
            banca = QStringLiteral("BPER Banca - Filiale di Cosenza");
        }
    } else if (pagamento >= PagRiba30) {
        const Banca& b = c.uno(banche);
        QString cab, conto;
        for (int i = 0; i < 5; ++i)
            cab += QChar(u'0' + c.tra(0, 9));
        conto = QStringLiteral("0000");
        for (int i = 0; i < 8; ++i)
            conto += QChar(u'0' + c.tra(0, 9));
        coordinate = iban(QString::fromUtf8(b.abi), cab, conto);
        banca = QStringLiteral("%1 - Filiale di %2").arg(QString::fromUtf8(b.nome), citta);
        if (c.percento(30))
            numeroCc = conto.mid(4);
    }

    QString codiceFE, pec, rigo3, causale;
    if (pubblico) {
        codiceFE = codiceAlfa(6);
        QString cig = QStringLiteral("Z");
        for (int i = 0; i < 9; ++i)
            cig += QStringLiteral("0123456789ABCDEF")[c.tra(0, 15)];
        rigo3 = c.percento(70) ? QStringLiteral("CIG: ") + cig
                               : QStringLiteral("Determina n. %1/%2 - CIG: %3")
                                     .arg(c.tra(10, 480)).arg(oggi.year() - c.tra(0, 1)).arg(cig);
        QString slug = soloLettere(citta).toLower();
        pec = cat->tipo == Tipo::Comune
                  ? QStringLiteral("protocollo@pec.comune.%1.%2.it").arg(slug, QString(luogo.prov).toLower())
                  : QStringLiteral("%1ic%2@pec.istruzione.it").arg(QString(luogo.prov).toLower()).arg(c.tra(800000, 899999));
        causale = QStringLiteral("Servizio di noleggio e sanificazione biancheria e igiene ambientale");
    } else {
        const QString slug = soloLettere(den).toLower().left(18);
        if (c.percento(60)) {
            codiceFE = QStringLiteral("0000000");
            pec = slug + QStringLiteral("@pec.it");
        } else {
            codiceFE = codiceAlfa(7);
            if (c.percento(30))
                pec = QStringLiteral("amministrazione@pec.") + slug + QStringLiteral(".it");
        }
        if ((pagamento == PagBonifico30 || pagamento == PagBonifico60) && c.percento(30))
            rigo3 = QStringLiteral("Pagamento a mezzo bonifico bancario, indicando il numero di fattura");
        if (c.percento(40))
            causale = QStringLiteral("Noleggio e lavaggio biancheria");
    }

    static const char* const righe1[] = {"Servizio di noleggio e lavaggio biancheria",
                                         "Noleggio biancheria piana e confezionata",
                                         "Servizio igiene ambientale",
                                         "Come da contratto in essere"};
    const QString rigo1 = c.percento(30) ? QString::fromUtf8(c.uno(righe1)) : QString();
    const QString rigo2 = c.percento(10) ? QStringLiteral("Rif. ordine n. %1 del %2")
                                               .arg(c.tra(1, 300))
                                               .arg(giorniFa(30, 400).toString(QStringLiteral("dd/MM/yyyy")))
                                         : QString();
    static const char* const note[] = {"Consegna entro le ore 10", "Chiedere del responsabile",
                                       "Fatturare a fine mese", "Cliente storico",
                                       "Chiuso il lunedì", "Chiuso in agosto"};
    static const char* const noteServizi[] = {"Chiavi in portineria", "Accesso dal retro",
                                              "Suonare al citofono", "Ritiro al mattino",
                                              "Scarico merci lato nord"};

    // Contract.
    const QDate dataContratto = giorniFa(20, 3650);
    const QString anno = QString::number(dataContratto.year());
    const int progContratto = ++contrattiAnno[anno];
    const QString numContratto = QStringLiteral("%1/%2").arg(progContratto, 3, 10, QChar(u'0')).arg(anno);
    const QDate scadenza = dataContratto.addYears(c.tra(1, 5));
    const bool conScheda = c.percento(80);
    const QDate dataRev = conScheda ? qMin(oggi, dataContratto.addDays(c.tra(0, 700))) : QDate();

    // Prices: one per article for the whole customer, around the list price.
    const int fattore = pubblico ? c.tra(80, 95) : c.tra(85, 120);
    std::map<int, Unita> prezzi;
    auto prezzo = [&](int art) {
        auto it = prezzi.find(art);
        if (it != prezzi.end())
            return it->second;
        qint64 milli = qint64(articoli[art].prezzoMillesimi) * fattore * c.tra(95, 105) / 10000;
        if (!millesimi)
            milli = (milli + 5) / 10 * 10;
        if (qstrcmp(articoli[art].tipo, "Dispenser") == 0 && c.percento(6))
            milli = 0;   // dispensers given on loan, only their refills are paid
        return prezzi[art] = milli * 10;
    };

    // Sites.
    int numSedi = 1 + c.pesato(cat->pesiSedi);
    if (forzata == Gruppi)
        numSedi = qMax(numSedi, 3);
    const bool unito = numSedi >= 2 && (forzata == Gruppi || c.percento(5));
    const bool catena = numSedi >= 3 && c.percento(30);
    Unita imponibile = 0;
    int colore = 0;
    bool sospesoFatto = false, inFatturaFatta = false;
    std::vector<SedeDemo> sedi;
    for (int s = 0; s < numSedi; ++s) {
        SedeDemo sede;
        sede.codice = prossimaSede++;
        sede.localita = s == 0 ? sedeLegale
                        : catena ? localitaCasuale(-1, cat->costiero)
                        : c.percento(70) ? sedeLegale
                                         : localitaCasuale(luogo.zona, cat->costiero);
        // The first site is often the administrative address itself.
        sede.indirizzo = s == 0 && c.percento(60) ? indirizzoCliente : indirizzo();
        sedi.push_back(sede);
    }

    const QString nomeCliente = den + u' ' + den2;
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
        std::vector<Dotazione> dotazione = cat->dotazione;
        c.mescola(dotazione);
        const int numNoleggi = qMin(int(dotazione.size()), c.tra(3, 7));
        std::sort(dotazione.begin(), dotazione.begin() + numNoleggi,
                  [](const Dotazione& a, const Dotazione& b) { return a.articolo < b.articolo; });
        const int dimensione = c.tra(50, 150);
        for (int n = 0; n < numNoleggi; ++n) {
            const Dotazione& d = dotazione[size_t(n)];
            const int q = qMax(1, c.tra(d.qMin, d.qMax) * dimensione / 100);
            QVariant inFattura, sospesi = 0;
            if (q > 1 && ((forzata == InFattura && !inFatturaFatta) || c.percento(5))) {
                inFattura = q - c.tra(1, qMax(1, q / 3));
                inFatturaFatta = true;
            }
            if ((forzata == Sospeso && !sospesoFatto) || c.percento(3)) {
                const int s = c.tra(1, qMin(q, 10));
                sospesi = s;
                sospesoFatto = true;
                (*insSospesi)({prossimoSospeso++, c.percento(70) ? QVariant(giorniFa(1, 45)) : QVariant(),
                               sede.codice, d.articolo + 1, s});
            }
            const Unita costo = prezzo(d.articolo);
            const int qFatt = inFattura.isNull() ? q : inFattura.toInt();
            sede.imponibile += costo * qFatt;
            imponibile += costo * qFatt * mesi;
            fuori[size_t(d.articolo)] += q;
            ultimoCliente[size_t(d.articolo)] = nomeCliente;
            ultimaQuantita[size_t(d.articolo)] = q;

            QVariant reparto, sesso, altro, altraDitta;
            if (estesa) {
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

        const int frequenza = c.pesato(cat->pesiFrequenza);
        QVariant ostrelo, dirGen, prSocc, ufficio, scala, piano, sessoSede, reparto, altro;
        if (estesa) {
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
        (*insSedi)({sede.codice, codice, sede.indirizzo, comuneTesto(l, 50), agente,
                    euro(sede.imponibile), c.percento(15) ? c.tra(1, 3) : 0, iter,
                    QString::fromUtf8(frequenze[frequenza]), gruppo, gruppoOrg, colore,
                    indirizzoGruppo, ostrelo, dirGen, prSocc, ufficio, scala, piano, sessoSede,
                    reparto, altro});
        creaInterventi(sede.codice, frequenza);
    }

    if (forzata == ExtraRighe || c.percento(15))
        creaAltreRighe(codice, imponibile);

    (*insClienti)({codice, pagamento, 11, codice, incasso, den, den2, indirizzoCliente,
                   comuneTesto(luogo, 30), piva, cf, numContratto, dataContratto, scadenza,
                   numeroCc, coordinate, banca, rigo3, QString::fromUtf8(periodicita[periodo]),
                   rigo1, rigo2, c.percento(20) ? QString::fromUtf8(c.uno(note)) : QString(),
                   c.percento(25) ? QString::fromUtf8(c.uno(noteServizi)) : QString(),
                   euro(imponibile), QStringLiteral("0"), escluso, !senzaIva,
                   conScheda ? QVariant(prossimaScheda++) : QVariant(),
                   conScheda ? QVariant(c.tra(0, 4)) : QVariant(), dataRev, millesimi, estesa,
                   pubblico, codiceFE, meseForzato ? 1 : 0, pubblico, causale, pec,
                   senzaIva ? QStringLiteral("N4") : QString(), c.percento(20) ? 1 : 0});
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
        (*insAltreInfo)({cliente, p, q, QString::fromUtf8(m.descrizione), euro(prezzo)});
    }
}

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

void Generatore::scriviParametri()
{
    const QString piva = [] {
        const QString base = QStringLiteral("0312457078");
        return base + cifraControlloPiva(base);
    }();
    const QStringList campi{"FE_Progr",    "FE_Data",        "FE_PIva",        "FE_CedID",
                            "FE_CedNome",  "FE_CedRegFisc",  "FE_CedIndirizzo", "FE_CedCAP",
                            "FE_CedComune", "REA_Ufficio",   "REA_Numero",     "REA_CapSoc",
                            "REA_SocioUnico", "REA_StatoLiq", "NotaCre",       "DataNotaCre",
                            "SoloPA",      "FE_TipoDocFatt", "FE_TipoDocNota"};
    const QVariantList valori{0,
                              QVariant(),
                              piva,
                              piva,
                              QStringLiteral("Lavanderia Mr. Zanfo S.r.l."),
                              QStringLiteral("RF01"),
                              QStringLiteral("Via Enrico Mattei, 18"),
                              QStringLiteral("87036"),
                              QStringLiteral("Rende"),
                              QStringLiteral("CS"),
                              QStringLiteral("187452"),
                              50000.0,
                              QStringLiteral("SU"),
                              QStringLiteral("LN"),
                              0,
                              QVariant(),
                              1,
                              QStringLiteral("TD24"),
                              QStringLiteral("TD04")};

    // The record exists from installation; an archive that lost it gets it back.
    if (db.recordCount(QStringLiteral("Parametri")) == 0) {
        Inserimento ins(db, Tabelle::Parametri(), campi);
        ins(valori);
        return;
    }
    QStringList assegnazioni;
    for (const QString& n : campi)
        assegnazioni << quoteName(n) + QStringLiteral(" = ?");
    QSqlQuery q = db.prepare(QStringLiteral("UPDATE %1 SET %2")
                                 .arg(quoteName(QStringLiteral("Parametri")), assegnazioni.join(u',')));
    for (int i = 0; i < valori.size(); ++i)
        q.bindValue(i, valori[i]);
    Database::run(q);
}

} // namespace

void CreaDatiDemo(Database& db, int scale, quint32 seed)
{
    if (scale < 1 || scale > 200)
        throw LavError(QStringLiteral("Scala %1 non valida: deve essere compresa fra 1 e 200.").arg(scale));
    for (const char* t : {"Clienti", "Sedi", "Noleggi", "Servizi", "Agenti", "Iter", "ModPag"}) {
        if (db.recordCount(QString::fromLatin1(t)) > 0)
            throw LavError(QStringLiteral("L'archivio contiene già dei dati (tabella %1): i dati "
                                          "dimostrativi si caricano solo in un archivio nuovo.")
                               .arg(QString::fromLatin1(t)));
    }

    db.startTransaction();
    try {
        Generatore(db, scale, seed).esegui();
        db.commit();
    } catch (...) {
        db.rollback();
        throw;
    }
}
