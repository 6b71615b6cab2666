#include "Ufficio.h"
#include "Catalogo.h"
#include "Clock.h"
#include "ContatoreFatture.h"
#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "FattureManuali.h"
#include "IncassiCliente.h"
#include "Periodicita.h"
#include "TDataModule1.h"
#include "TQRFatturaMan.h"
#include <QSqlQuery>
#include <algorithm>

namespace demo {

namespace {
const QString incassoRiporto = QStringLiteral("Incasso saldo esercizio precedente");
// Invoice numbers and the electronic invoices' progressive are 16-bit.
constexpr int numeroMassimo = ContatoreFatture::numeroMassimo;
} // namespace

// The history draws from a stream of its own, so that the data of the other steps stay as
// they are for a seed.
Ufficio::Ufficio(const QString& cartella, quint32 seed)
    : dm(std::make_unique<TDataModule1>(prompts, cartella)), c(seed ^ 0x5eed0ff1u), oggi(::oggi())
{}

Ufficio::~Ufficio() = default;

template <class F> auto Ufficio::operazione(const F& f)
{
    prompts.clear();
    try {
        return f();
    } catch (const Abort&) {
        throw LavError(QStringLiteral("Dati dimostrativi: operazione rifiutata (%1).")
                           .arg(prompts.shown().isEmpty() ? QStringLiteral("senza messaggio") : prompts.last().text));
    }
}

void Ufficio::esegui()
{
    const int corrente = oggi.year(), precedente = corrente - 1;
    apriAnno(precedente);
    scegliPagatori();
    incassi = std::make_unique<IncassiCliente>(*dm);

    for (int mese = 1; mese <= 12; ++mese)
        fatturaMese(precedente, mese);
    incassa(QDate(precedente, 12, 31));

    // The new year, with what each customer still owed carried forward; its counter file is
    // made at once, as the user does on the parameters screen.
    operazione([&] { dm->CreaAnnoSuccessivo(); });
    senzaAttesaDelDisco();
    dm->contatore().ProssimoNumeroFattura(false);
    daIncassare.clear();
    riscuotiSaldiPrecedenti();

    for (int mese = 1; mese <= 12; ++mese) {
        if (QDate(corrente, mese, GiorniMese(NomeMese(mese), corrente)) <= oggi)
            fatturaMese(corrente, mese);
    }
    incassa(oggi);
    aggiornaParametri();
}

void Ufficio::apriAnno(int anno)
{
    // The year does not exist yet: the question to create it is answered yes.
    dm->sceltaAnno = [this, anno] { dm->CambiaAnno(anno); };
    if (!dm->Avvia() || dm->annoEsercizio() != anno)
        throw LavError(QStringLiteral("Impossibile aprire l'esercizio %1 dell'archivio dimostrativo.").arg(anno));
    senzaAttesaDelDisco();
}

// The history posts a couple of thousand movements, each in a transaction of its own: the
// demo does not wait for the disk to confirm each one (that guards only against the machine
// itself stopping, and a demo folder cut short that way is simply made again).
void Ufficio::senzaAttesaDelDisco()
{
    QStringList schemi;
    QSqlQuery q = dm->db.exec(QStringLiteral("PRAGMA database_list"));
    while (q.next())
        schemi << q.value(1).toString();
    q.finish();
    for (const QString& s : schemi) {
        dm->db.exec(QStringLiteral("PRAGMA \"%1\".synchronous = OFF").arg(s));
        dm->db.exec(QStringLiteral("PRAGMA \"%1\".journal_mode = MEMORY").arg(s));
    }
}

// Each customer's way of paying: the delay its payment method gives, longer for public
// bodies and for some slow payers, and a few customers that stop paying at some point.
void Ufficio::scegliPagatori()
{
    QSqlQuery q = dm->db.exec(QStringLiteral("SELECT Codice, Pagamento, Incassabile, XML FROM Clienti ORDER BY Codice"));
    const QDate inizio(oggi.year() - 1, 1, 1);
    while (q.next()) {
        Pagatore p;
        p.automatico = q.value(2).toBool();
        switch (q.value(1).toInt()) {
        case PagRimessa: p.ritardo = 20; p.variazione = 10; break;
        case PagContanti: p.ritardo = 5; p.variazione = 5; break;
        case PagAssegno: p.ritardo = 12; p.variazione = 8; break;
        case PagBonifico30: p.ritardo = 32; p.variazione = 5; break;
        case PagBonifico60: p.ritardo = 62; p.variazione = 6; break;
        case PagRiba30: p.ritardo = 30; p.variazione = 1; break;
        case PagRiba60: p.ritardo = 60; p.variazione = 1; break;
        case PagRiba90: p.ritardo = 90; p.variazione = 1; break;
        case PagSepa: p.ritardo = 5; p.variazione = 2; break;
        default: p.ritardo = 30; p.variazione = 10;
        }
        const int ente = c.tra(20, 90), lento = c.tra(30, 120), smette = c.tra(120, 600);
        if (q.value(3).toBool())
            p.ritardo += ente;
        if (c.percento(10))
            p.ritardo += lento;
        if (c.percento(3))
            p.smetteDal = inizio.addDays(smette);
        pagatori.insert(q.value(0).toDouble(), p);
    }
}

// The periodic run of the month, printed on its last day.
void Ufficio::fatturaMese(int anno, int mese)
{
    FatturazionePeriodica run(*dm);
    run.scelte.mese = mese;
    run.scelte.anno = anno;
    run.scelte.giorno = GiorniMese(NomeMese(mese), anno);
    const QDate data(anno, mese, run.scelte.giorno);
    run.scelte.dataStampa = formatDate(data);
    if (!numeriBastano(run))
        return;
    QList<FatturaPeriodica> fatture;
    operazione([&] {
        fatture = run.ElaboraFatture(true);
        const QString giorno = QString::number(run.scelte.giorno);
        dm->contatore().SalvaPeriodo(giorno, QString::number(mese), giorno);
        run.RegistraInPrimaNota(fatture, data);
    });
    fattureEmesse += int(fatture.size());
    meseMaggiore = std::max(meseMaggiore, int(fatture.size()));
    ultimaStampa = data;
    pianificaIncassi(fatture, data);
    stampaManuali(data);
}

// An archive larger than any real office (the benchmarks' scale 100) issues more invoices in
// a year than the year's numbers allow: a month whose run would not fit is left out. Far from
// the last number no trial run is needed.
bool Ufficio::numeriBastano(FatturazionePeriodica& run)
{
    const int prossimo = dm->contatore().ProssimoNumeroFattura(false);
    if (prossimo + 2 * meseMaggiore <= numeroMassimo)
        return true;
    qsizetype dovute = 0;
    operazione([&] { dovute = run.ElaboraFatture(false).size(); });
    return prossimo + dovute - 1 <= numeroMassimo;
}

// About half of the manual invoices whose period ended in the month are printed with its run,
// taking the next numbers of the same counter; the others wait as drafts.
void Ufficio::stampaManuali(const QDate& data)
{
    QList<qint64> codici;
    {
        QSqlQuery q = dm->db.exec(QStringLiteral("SELECT Codice FROM Fattman WHERE Codice % 2 = 1 AND \"Numero fattura\" IS NULL "
                                                 "AND DataFineP BETWEEN ? AND ? ORDER BY Codice"),
                                  {isoDate(QDate(data.year(), data.month(), 1)), isoDate(data)});
        while (q.next())
            codici << q.value(0).toLongLong();
    }
    // Those the year's numbers still allow.
    const int liberi = numeroMassimo + 1 - dm->contatore().ProssimoNumeroFattura(false);
    if (codici.size() > liberi)
        codici.resize(std::max(0, liberi));
    if (codici.isEmpty())
        return;
    FattureManuali manuali(*dm);
    TQRFatturaMan report(*dm);
    Table& f = dm->TblFatturaMan;
    for (qint64 codice : codici)
        operazione([&] {
            f.refresh();
            if (!f.locate(QStringLiteral("Codice"), {codice}))
                throw LavError(QStringLiteral("Dati dimostrativi: la fattura manuale %1 non si trova.").arg(codice));
            manuali.Stampa(report, data, [](const PageModel&) { return true; });
        });
    fattureEmesse += int(codici.size());
}

void Ufficio::pianificaIncassi(const QList<FatturaPeriodica>& fatture, const QDate& data)
{
    for (const FatturaPeriodica& f : fatture) {
        const Pagatore p = pagatori.value(f.cliente);
        const int giorni = std::max(0, p.ritardo + c.tra(-p.variazione, p.variazione));
        if (p.automatico || f.totale <= Money() || (p.smetteDal.isValid() && data >= p.smetteDal))
            continue;
        daIncassare.push_back({f.cliente, int(f.numero), data.addDays(giorni)});
    }
}

// Collects, through the collection screen's operation, every planned collection due by the
// date; the later ones wait.
void Ufficio::incassa(const QDate& finoAl)
{
    std::stable_sort(daIncassare.begin(), daIncassare.end(), [](const DaIncassare& a, const DaIncassare& b) {
        return a.cliente < b.cliente || (a.cliente == b.cliente && a.data < b.data);
    });
    std::vector<DaIncassare> resto;
    for (size_t i = 0; i < daIncassare.size();) {
        size_t fine = i;
        while (fine < daIncassare.size() && daIncassare[fine].cliente == daIncassare[i].cliente)
            ++fine;
        bool aperto = false;
        for (size_t j = i; j < fine; ++j) {
            const DaIncassare& d = daIncassare[j];
            if (d.data > finoAl) {
                resto.push_back(d);
                continue;
            }
            if (!aperto) {
                suCliente(d.cliente);
                incassi->Apri();
                aperto = true;
            }
            if (incassi->TrovaFattura(d.numero))
                operazione([&] { incassi->Incassa(d.data); });
        }
        if (aperto)
            incassi->Chiudi();
        i = fine;
    }
    daIncassare = std::move(resto);
}

// Most customers that ended the year owing something pay it in the first weeks of the new
// one: a collection typed on the collection screen against the carried balance.
void Ufficio::riscuotiSaldiPrecedenti()
{
    struct Riporto
    {
        double cliente;
        Money saldo;
    };
    std::vector<Riporto> riporti;
    {
        QSqlQuery q = dm->db.exec(QStringLiteral("SELECT Cliente, Importo FROM %1 WHERE Causale = ? AND Importo < 0 "
                                                 "ORDER BY Cliente")
                                      .arg(dm->db.qualified(dm->TblPrimaNota.tableName())),
                                  {QStringLiteral("Ripresa saldi esercizio precedente")});
        while (q.next())
            riporti.push_back({q.value(0).toDouble(), Money::fromDouble(q.value(1).toDouble())});
    }
    for (const Riporto& r : riporti) {
        const Pagatore p = pagatori.value(r.cliente);
        const QDate quando = QDate(oggi.year(), 1, 1).addDays(std::min(p.ritardo, 75) + c.tra(0, 15));
        const bool paga = c.percento(90) && !p.smetteDal.isValid();
        if (!paga || quando > oggi)
            continue;
        suCliente(r.cliente);
        incassi->Apri();
        operazione([&] {
            Table& pn = incassi->TblPrimaNota2;
            pn.append();
            incassi->PreparaIncasso();
            pn["Data"] = quando;
            pn["Causale"] = incassoRiporto;
            pn["Importo"] = -r.saldo;
            incassi->RegistraIncasso();
        });
        incassi->Chiudi();
    }
}

// The counters of the electronic invoices and credit notes as an office that sends them.
void Ufficio::aggiornaParametri()
{
    const int noteCredito = c.tra(2, 6);
    const QDate ultimaNota = QDate(oggi.year(), 1, 1).addDays(c.tra(10, std::max(10, oggi.dayOfYear() - 1)));
    Table& par = dm->TblParametri;
    operazione([&] {
        par.first();
        par.edit();
        // An archive too large for the progressive leaves room for the runs to come.
        par["FE_Progr"] = std::min(fattureEmesse + noteCredito, numeroMassimo / 2);
        par["FE_Data"] = ultimaStampa.isValid() ? ultimaStampa : oggi;
        par["NotaCre"] = noteCredito;
        par["DataNotaCre"] = std::min(ultimaNota, oggi);
        par.post();
    });
}

void Ufficio::suCliente(double codice)
{
    if (!dm->TblClienti.locate(QStringLiteral("Codice"), {codice}))
        throw LavError(QStringLiteral("Dati dimostrativi: il cliente %1 non si trova.").arg(codice));
}

} // namespace demo

void CreaEserciziDemo(const QString& cartella, quint32 seed)
{
    demo::Ufficio(cartella, seed).esegui();
}
