#include "FattureManuali.h"

#include "Clock.h"
#include "ContatoreFatture.h"
#include "DateIt.h"
#include "Errors.h"
#include "FatturazionePeriodica.h"
#include "TDataModule1.h"
#include "TQRFatturaMan.h"
#include <QScopeGuard>
#include <cmath>

namespace {

// As for the periodic invoices: an amount this large is a price or a quantity typed wrong.
constexpr double importoMassimo = 1e10;

[[noreturn]] void rifiuta(Prompts& prompts, const QString& testo)
{
    prompts.error(testo);
    throw Abort{};
}

// The day of `giorno` in a month, or its last day when the month is shorter or no day is given.
QDate giornoNelMese(int giorno, int mese, int anno)
{
    const QDate primo(anno, mese, 1);
    if (!primo.isValid())
        return {};
    const int fine = primo.daysInMonth();
    return QDate(anno, mese, giorno >= 1 && giorno <= fine ? giorno : fine);
}

} // namespace

FattureManuali::FattureManuali(TDataModule1& dati) : dm(dati)
{
    dm.ricalcolaMesiPeriodo = [this](Dataset& f) { dm.MesiPeriodo = CalcolaMesi(f); };
}

FattureManuali::~FattureManuali()
{
    dm.ricalcolaMesiPeriodo = nullptr;
}

double FattureManuali::CalcolaMesi(const QDate& s, const QDate& e)
{
    const int mesi = 12 * (e.year() - s.year()) + e.month() - s.month();
    if (e.day() == e.daysInMonth() && s.day() == 1)
        return mesi + 1;
    if (mesi == 0)
        return 0.5;
    return (mesi - 1) + (31 - s.day() + e.day()) / 30.0;
}

double FattureManuali::CalcolaMesi(Dataset& f)
{
    const QDate data = f["Data fattura"].asDate();
    if (!data.isValid())
        return 1;
    QDate s = f["DataInizioP"].asDate();
    if (!s.isValid())
        s = QDate(data.year(), data.month(), 1);
    QDate e = f["DataFineP"].asDate();
    if (!e.isValid()) {
        // The month of the last run, in the year of the invoice.
        int mese = data.month();
        try {
            const int letto = dm.contatore().LeggiMese().toInt();
            if (letto >= 1 && letto <= 12)
                mese = letto;
        } catch (const LavError&) {
            // No counter file yet: the invoice's own month.
        }
        e = FinePeriodo(mese, data.year());
    }
    return CalcolaMesi(s, e);
}

QDate FattureManuali::FinePeriodo(int mese, int anno)
{
    int giorno = 0;
    try {
        giorno = dm.contatore().LeggiFinePeriodo().toInt();
    } catch (const LavError&) {
        // No counter file, or one that cannot be read: the month's last day.
    }
    return giornoNelMese(giorno, mese, anno);
}

void FattureManuali::PeriodoPredefinito(Dataset& f)
{
    const QDate contratto = f["DataContratto"].asDate();
    const QDate base = contratto.isValid() ? contratto : oggi();
    if (f["DataInizioP"].isNull())
        f["DataInizioP"] = QDate(base.year(), base.month(), 1);
    if (f["DataFineP"].isNull())
        f["DataFineP"] = FinePeriodo(base.month(), base.year());
    if (f["DataFineP"].asDate() < f["DataInizioP"].asDate())
        rifiuta(dm.prompts, QStringLiteral("La data di fine periodo precede quella di inizio."));
}

QDate FattureManuali::Scadenza(const QDate& dataFattura)
{
    const QDate mese = dataFattura.addMonths(1);
    return QDate(mese.year(), mese.month(), mese.daysInMonth());
}

void FattureManuali::ScadenzaPredefinita(Dataset& f)
{
    if (f["DataScadenza"].isNull() && !f["Data fattura"].isNull())
        f["DataScadenza"] = Scadenza(f["Data fattura"].asDate());
}

bool FattureManuali::Duplica()
{
    Table& f = dm.TblFatturaMan;
    if (!f.active() || f.isEmpty())
        return false;
    f.checkBrowseMode();
    if (!dm.prompts.askYes(QStringLiteral("Attenzione, sto per duplicare la fattura n. %1 intestata a %2 %3. Continuo?")
                               .arg(f["Numero fattura"].asString(), f["Nome1"].asString().trimmed(), f["Nome2"].asString())))
        return false;
    QList<std::pair<Field*, QVariant>> valori;
    for (int i = 0; i < f.fieldCount(); ++i) {
        Field& campo = f.fieldAt(i);
        if (campo.kind() == FieldKind::Data && campo.type() != FieldType::AutoInc)
            valori.append({&campo, campo.value()});
    }
    f.append();
    auto annulla = qScopeGuard([&f] { f.cancel(); });
    for (const auto& [campo, valore] : valori)
        campo->setValue(valore);
    f.post();
    annulla.dismiss();
    return true;
}

void FattureManuali::controllaImporti(Dataset& f)
{
    for (int i = 1; i <= 11; ++i)
        if (std::fabs(f[QStringLiteral("Importo %1").arg(i)].asFloat()) >= importoMassimo)
            rifiuta(dm.prompts, QStringLiteral("L'importo della riga %1 è fuori misura: controllare prezzo e quantità.").arg(i));
    if (std::fabs(f["Totale"].asFloat()) >= importoMassimo)
        rifiuta(dm.prompts, QStringLiteral("L'importo della fattura è fuori misura: controllare prezzi e quantità."));
}

void FattureManuali::Anteprima(TQRFatturaMan& report)
{
    BusyScope attesa(dm.prompts);
    FatturazionePeriodica::ControllaLettura(dm);
    dm.contatore().ProssimoNumeroFattura(false);
    report.esercizio = dm.AnnoCorrente();
    report.prepare();
}

int FattureManuali::Stampa(TQRFatturaMan& report, const QDate& dataStampa, const Emissione& emetti)
{
    Table& f = dm.TblFatturaMan;
    if (!f.active() || f.isEmpty())
        rifiuta(dm.prompts, QStringLiteral("Non c'è nessuna fattura manuale da stampare."));
    if (!dataStampa.isValid())
        rifiuta(dm.prompts, QStringLiteral("La data di stampa non è valida."));
    BusyScope attesa(dm.prompts);
    f.checkBrowseMode();
    FatturazionePeriodica::ControllaContatore(dm);
    ContatoreFatture& contatore = dm.contatore();
    if (contatore.ProssimoNumeroFattura(false) < 1)
        rifiuta(dm.prompts, ContatoreFatture::NumeriEsauriti());

    // The invoice with its new date must make sense before a number is taken for it.
    f.edit();
    auto annulla = qScopeGuard([&f] { f.cancel(); });
    f["Data fattura"] = dataStampa;
    controllaImporti(f);
    // The number reaches the counter file before the invoice has it: a failure from here
    // on leaves a gap in the numbering, never a number issued twice.
    const int numero = contatore.ProssimoNumeroFattura(true);
    f["Numero fattura"] = numero;
    f.post();
    annulla.dismiss();

    report.esercizio = dm.AnnoCorrente();
    report.prepare();
    if (!emetti(report.pages()))
        rifiuta(dm.prompts, QStringLiteral("La stampa della fattura n. %1 non è riuscita: la fattura conserva il numero, "
                                           "una nuova stampa le darà il successivo.").arg(numero));
    return numero;
}
