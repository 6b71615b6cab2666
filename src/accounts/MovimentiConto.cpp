#include "MovimentiConto.h"

#include "DateIt.h"
#include "Errors.h"
#include "IncassiCliente.h"
#include "Movimenti.h"
#include "TDataModule1.h"
#include "TQRConto.h"
#include "Tabelle.h"
#include <QRegularExpression>
#include <QScopeGuard>

namespace {

// "120/15": the counter-account typed by hand, each part a 16-bit number.
bool leggiMastroConto(const QString& testo, int& mastro, int& conto)
{
    static const QRegularExpression forma(QStringLiteral("^\\s*(\\d{1,5})\\s*/\\s*(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch m = forma.match(testo);
    if (!m.hasMatch())
        return false;
    mastro = m.captured(1).toInt();
    conto = m.captured(2).toInt();
    return mastro <= 32767 && conto <= 32767;
}

} // namespace

MovimentiConto::MovimentiConto(TDataModule1& d, QObject* parent)
    : QObject(parent), TblPrimaNota(d.db, QStringLiteral("TblPrimaNota")), DSPrimaNota(&TblPrimaNota), dm(d)
{
    DSPrimaNota.autoEdit = false;
    TblPrimaNota.setDefinition(Tabelle::PrimaNota());
    TblPrimaNota.setIndexFieldNames(QStringLiteral("Data;Fattura"));
    TblPrimaNota.addCalculatedField(QStringLiteral("Dare"), FieldType::Currency);
    TblPrimaNota.addCalculatedField(QStringLiteral("Avere"), FieldType::Currency);
    TblPrimaNota.addCalculatedField(QStringLiteral("MastroCP"), FieldType::SmallInt);
    TblPrimaNota.addCalculatedField(QStringLiteral("ContoCP"), FieldType::SmallInt);
    TblPrimaNota.onNewRecord += [this](Dataset& pn) { TblPrimaNotaNewRecord(pn); };
    TblPrimaNota.beforeEdit += [this](Dataset& pn) { TblPrimaNotaBeforeEdit(pn); };
    TblPrimaNota.afterEdit += [this](Dataset& pn) { TblPrimaNotaAfterEdit(pn); };
    TblPrimaNota.beforePost += [this](Dataset& pn) { TblPrimaNotaBeforePost(pn); };
    TblPrimaNota.afterPost += [this](Dataset&) { segnoModifica = 0; };
    TblPrimaNota.afterCancel += [this](Dataset&) { segnoModifica = 0; };
    TblPrimaNota.beforeDelete += [this](Dataset& pn) { TblPrimaNotaBeforeDelete(pn); };
    TblPrimaNota.onCalcFields += [this](Dataset& pn) { TblPrimaNotaCalcFields(pn); };
}

MovimentiConto::~MovimentiConto()
{
    TblPrimaNota.close();
}

TQRConto& MovimentiConto::report()
{
    if (!qr) {
        BusyScope attesa(dm.prompts);
        qr = std::make_unique<TQRConto>(*this, dm);
    }
    return *qr;
}

QString MovimentiConto::filtroConto() const
{
    return QStringLiteral("Conto = %1").arg(codiceConto);
}

void MovimentiConto::Apri()
{
    // The movements follow the fiscal year in use.
    if (TblPrimaNota.tableName() != dm.TblPrimaNota.tableName()) {
        TblPrimaNota.close();
        TblPrimaNota.setTableName(dm.TblPrimaNota.tableName());
    }
    codiceConto = dm.TblModPag["Codice"].asInteger();
    descrizioneConto = dm.TblModPag["Descrizione"].asString();
    attivo = false;
    suffisso.clear();
    const ControlsOff fermi(TblPrimaNota);
    applicaFiltro(false);
    if (!TblPrimaNota.active())
        TblPrimaNota.open();
    TblPrimaNota.refresh();
    TblPrimaNota.first();
}

void MovimentiConto::Chiudi()
{
    TblPrimaNota.cancel();
    TblPrimaNota.setFilter(QString());
    TblPrimaNota.setFiltered(false);
}

void MovimentiConto::ImpostaFiltro(bool on, const QDate& da, const QDate& a)
{
    attivo = on;
    suffisso = on ? IncassiCliente::suffissoDate(da, a) : QString();
    applicaFiltro(true);
}

void MovimentiConto::applicaFiltro(bool conSuffisso)
{
    TblPrimaNota.setFilter(filtroConto() + (conSuffisso ? suffisso : QString()));
    TblPrimaNota.setFiltered(true);
}

void MovimentiConto::NuovoMovimento(int segno)
{
    segno = segno < 0 ? -1 : 1;
    switch (TblPrimaNota.state()) {
    case DatasetState::Edit:
        segnoModifica = segno;
        break;
    case DatasetState::Insert:
        segnoNuovo = segno;
        break;
    default:
        segnoNuovo = segno;
        TblPrimaNota.append();
        break;
    }
    Q_EMIT segnoCambiato(segnoCorrente());
}

int MovimentiConto::segnoCorrente() const
{
    switch (TblPrimaNota.state()) {
    case DatasetState::Insert:
        return segnoNuovo;
    case DatasetState::Edit:
        return segnoModifica ? segnoModifica : (importoOriginale < Money() ? -1 : 1);
    default:
        return 0;
    }
}

void MovimentiConto::TblPrimaNotaNewRecord(Dataset& pn)
{
    pn["InsManuale"] = true;
}

void MovimentiConto::TblPrimaNotaBeforeEdit(Dataset& pn)
{
    if (!pn["InsManuale"].asBoolean())
        throw Abort{};
}

void MovimentiConto::TblPrimaNotaAfterEdit(Dataset& pn)
{
    segnoModifica = 0;
    importoOriginale = pn["Importo"].asMoney();
}

void MovimentiConto::TblPrimaNotaBeforeDelete(Dataset& pn)
{
    if (!pn["InsManuale"].asBoolean())
        throw Abort{};
}

// The amount is typed without sign; the side comes from "Dare" or "Avere", or, for a movement
// being changed, from the side it had.
void MovimentiConto::TblPrimaNotaBeforePost(Dataset& pn)
{
    const QDate data = pn["Data"].asDate();
    if (!data.isValid())
        rifiuta(QStringLiteral("Indicare la data del movimento."));
    if (data.year() != dm.annoEsercizio())
        rifiuta(QStringLiteral("La data %1 non cade nell'esercizio %2.").arg(formatDate(data)).arg(dm.annoEsercizio()));
    Money importo = pn["Importo"].asMoney();
    if (importo < Money())
        importo = -importo;
    if (importo.isZero())
        rifiuta(QStringLiteral("Indicare l'importo del movimento."));
    int mastro = 0, conto = 0;
    const QString mastroConto = pn["MastroConto"].asString().trimmed();
    if (!mastroConto.isEmpty() && !leggiMastroConto(mastroConto, mastro, conto))
        rifiuta(QStringLiteral("Mastro / conto va scritto come mastro/conto, per esempio 120/15."));

    if (pn.state() == DatasetState::Insert) {
        if (segnoNuovo == 0)
            rifiuta(QStringLiteral("Scegliere se il movimento è in dare o in avere."));
        if (!Movimenti::esisteModPag(dm, codiceConto))
            rifiuta(QStringLiteral("La modalità di pagamento \"%1\" non esiste più: il movimento non può essere registrato.")
                        .arg(descrizioneConto));
        pn["Importo"] = segnoNuovo < 0 ? -importo : importo;
        pn["Incassata"] = false;
        pn["Cliente"] = 0;
        pn["Conto"] = codiceConto;
    } else {
        pn["Importo"] = segnoCorrente() < 0 ? -importo : importo;
    }
}

// Dare and Avere without sign; the counter-account typed by hand, else the customer's general
// ledger account, else the customer's code.
void MovimentiConto::TblPrimaNotaCalcFields(Dataset& pn)
{
    const Money importo = pn["Importo"].asMoney();
    if (!pn["Importo"].isNull()) {
        if (importo >= Money())
            pn["Dare"] = importo;
        else
            pn["Avere"] = -importo;
    }
    const QString mastroConto = pn["MastroConto"].asString();
    if (!mastroConto.trimmed().isEmpty()) {
        int mastro = 0, conto = 0;
        if (leggiMastroConto(mastroConto, mastro, conto)) {
            pn["MastroCP"] = mastro;
            pn["ContoCP"] = conto;
        }
        return;
    }
    Table& clienti = dm.TblClienti;
    const QVariant cliente = pn["Cliente"].value();
    if (cliente.isNull() || !clienti.active())
        return;
    const QVariantList chiave{cliente};
    if (clienti.lookup(QStringLiteral("Codice"), chiave, QStringLiteral("Codice")).isNull())
        return;
    const QVariant mastro = clienti.lookup(QStringLiteral("Codice"), chiave, QStringLiteral("Mastro"));
    if (!mastro.isNull()) {
        pn["MastroCP"] = mastro;
        pn["ContoCP"] = clienti.lookup(QStringLiteral("Codice"), chiave, QStringLiteral("Conto"));
    } else {
        pn["MastroCP"] = cliente;
        pn["ContoCP"] = 0;
    }
}

void MovimentiConto::Scheda(bool conFiltro, const std::function<void(TQRConto&)>& mostra)
{
    TQRConto& r = report();
    TblPrimaNota.checkBrowseMode();
    const bool aperto = TblPrimaNota.filtered();
    TblPrimaNota.disableControls();
    const auto ripristina = qScopeGuard([&] {
        if (aperto) {
            applicaFiltro(true);
        } else {
            TblPrimaNota.setFilter(QString());
            TblPrimaNota.setFiltered(false);
        }
        TblPrimaNota.enableControls();
    });
    if (TblPrimaNota.tableName() != dm.TblPrimaNota.tableName()) {
        TblPrimaNota.close();
        TblPrimaNota.setTableName(dm.TblPrimaNota.tableName());
    }
    if (!aperto) {
        codiceConto = dm.TblModPag["Codice"].asInteger();
        descrizioneConto = dm.TblModPag["Descrizione"].asString();
    }
    dm.ScollegaPrimaNota();
    dm.CalcolaSaldi(filtroConto());
    applicaFiltro(conFiltro && attivo);
    if (!TblPrimaNota.active())
        TblPrimaNota.open();
    TblPrimaNota.refresh();
    mostra(r);
}

void MovimentiConto::rifiuta(const QString& messaggio) const
{
    dm.prompts.warning(messaggio);
    throw Abort{};
}
