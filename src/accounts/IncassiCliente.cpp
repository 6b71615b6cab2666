#include "IncassiCliente.h"

#include "Clock.h"
#include "DateIt.h"
#include "DisplayMask.h"
#include "Errors.h"
#include "Movimenti.h"
#include "TDataModule1.h"
#include "Tabelle.h"
#include <QSqlQuery>
#include <optional>

const QString IncassiCliente::filtroFatture =
    QStringLiteral("Causale = 'Fattura di vendita' and Importo < 0 and Incassata = False");
const QString IncassiCliente::filtroIncassi =
    QStringLiteral("Causale <> 'Fattura di vendita' and Conto = 0 and Incassata = True");

IncassiCliente::IncassiCliente(TDataModule1& d, QObject* parent)
    : QObject(parent), TblPrimaNota2(d.db, QStringLiteral("TblPrimaNota2")), DSPrimaNota2(&TblPrimaNota2), dm(d)
{
    TblPrimaNota2.setDefinition(Tabelle::PrimaNota());
    TblPrimaNota2.setIndexFieldNames(QStringLiteral("Cliente;Data"));
    TblPrimaNota2.setMaster(&dm.TblClienti, QStringLiteral("Codice"), QStringLiteral("Cliente"));
    TblPrimaNota2.setFilter(filtroIncassi);
    TblPrimaNota2.setFiltered(true);
    // A collection typed by hand and its payment-account movement are written, changed and
    // removed together.
    TblPrimaNota2.atomic = true;
    TblPrimaNota2.onAtomicFailure = [this](Dataset&) { dm.TblPrimaNota.refresh(); };
    TblPrimaNota2.beforeEdit += [this](Dataset& pn) { TblPrimaNota2BeforeEdit(pn); };
    TblPrimaNota2.beforePost += [this](Dataset& pn) { TblPrimaNota2BeforePost(pn); };
    TblPrimaNota2.beforeDelete += [this](Dataset& pn) { TblPrimaNota2BeforeDelete(pn); };
    TblPrimaNota2.afterDelete += [this](Dataset& pn) { TblPrimaNota2AfterDelete(pn); };
}

IncassiCliente::~IncassiCliente()
{
    TblPrimaNota2.close();
}

QString IncassiCliente::suffissoDate(const QDate& da, const QDate& a)
{
    QString s;
    if (da.isValid())
        s += QStringLiteral(" and Data >= '%1'").arg(formatDate(da));
    if (a.isValid())
        s += QStringLiteral(" and Data <= '%1'").arg(formatDate(a));
    return s;
}

void IncassiCliente::Apri()
{
    attivo = false;
    suffisso.clear();
    Table& pn = dm.TblPrimaNota;
    dm.CollegaPrimaNota(QStringLiteral("Cliente;Data"), dm.DSClienti);
    pn.setFilter(filtroFatture);
    pn.setFiltered(true);
    pn.first();
    // The collections follow the fiscal year in use.
    if (TblPrimaNota2.tableName() != pn.tableName()) {
        TblPrimaNota2.close();
        TblPrimaNota2.setTableName(pn.tableName());
    }
    TblPrimaNota2.setFilter(filtroIncassi);
    TblPrimaNota2.open();
    TblPrimaNota2.first();
}

void IncassiCliente::Chiudi()
{
    TblPrimaNota2.cancel();
    TblPrimaNota2.close();
    Table& pn = dm.TblPrimaNota;
    pn.cancel();
    pn.setFilter(QString());
    pn.setFiltered(false);
    attivo = false;
    suffisso.clear();
}

void IncassiCliente::ImpostaFiltro(bool on, const QDate& da, const QDate& a)
{
    attivo = on;
    suffisso = on ? suffissoDate(da, a) : QString();
    dm.TblPrimaNota.setFilter(filtroFattureCorrente());
    dm.TblPrimaNota.setFiltered(true);
    if (TblPrimaNota2.active())
        TblPrimaNota2.setFilter(filtroIncassiCorrente());
}

QString IncassiCliente::filtroFattureCorrente() const
{
    return filtroFatture + suffisso;
}

QString IncassiCliente::filtroIncassiCorrente() const
{
    return filtroIncassi + suffisso;
}

bool IncassiCliente::PuoIncassare()
{
    Table& pn = dm.TblPrimaNota;
    return pn.active() && !pn.isEmpty();
}

bool IncassiCliente::PuoAnnullare()
{
    return TblPrimaNota2.active() && !TblPrimaNota2.isEmpty()
           && !TblPrimaNota2["InsManuale"].asBoolean();
}

QString IncassiCliente::DomandaIncasso() const
{
    Table& pn = dm.TblPrimaNota;
    return QStringLiteral("Eseguo l'incasso della fattura n° %1 emessa il %2?")
        .arg(pn["Fattura"].asString(), formatDate(pn["Data"].asDate()));
}

void IncassiCliente::Incassa(const QDate& data)
{
    Table& pn = dm.TblPrimaNota;
    if (!PuoIncassare())
        throw Abort{};
    pn.checkBrowseMode();
    controllaData(data, QStringLiteral("la data d'incasso"));
    const QDate emessa = pn["Data"].asDate();
    if (emessa.isValid() && data < emessa)
        rifiuta(QStringLiteral("La data d'incasso (%1) precede la data della fattura (%2).")
                    .arg(formatDate(data), formatDate(emessa)));
    const qint64 codice = pn["Codice"].asInteger();
    if (!Movimenti::esiste(dm, codice)) {
        const QString numero = pn["Fattura"].asString();
        pn.refresh();
        rifiuta(QStringLiteral("La fattura n° %1 non è più in prima nota: l'elenco viene aggiornato.").arg(numero));
    }
    pagamentoCliente();
    dm.IncassaFattura(filtroFattureCorrente(), data);
    if (TblPrimaNota2.active())
        TblPrimaNota2.refresh();
}

bool IncassiCliente::TrovaFattura(int numero)
{
    return dm.TblPrimaNota.locate(QStringLiteral("Fattura"), {numero});
}

bool IncassiCliente::AnnullaIncasso()
{
    if (!PuoAnnullare())
        return false;
    TblPrimaNota2.checkBrowseMode();
    const qint64 codice = TblPrimaNota2["Codice"].asInteger();
    if (!dm.prompts.askYes(QStringLiteral("Eseguo il ripristino della fattura n° %1 del %2?")
                               .arg(TblPrimaNota2["Fattura"].asString(), formatDate(TblPrimaNota2["Data"].asDate()))))
        return false;
    if (!Movimenti::esiste(dm, codice)) {
        TblPrimaNota2.refresh();
        dm.TblPrimaNota.refresh();
        rifiuta(QStringLiteral("L'incasso non è più in prima nota: l'elenco viene aggiornato."));
    }
    dm.AnnullaIncasso(codice);
    TblPrimaNota2.refresh();
    return true;
}

void IncassiCliente::PreparaFattura()
{
    Table& pn = dm.TblPrimaNota;
    if (pn.state() != DatasetState::Insert)
        return;
    pn["Causale"] = Movimenti::fatturaDiVendita;
    pn["Incassata"] = false;
    pn["Conto"] = 0;
}

void IncassiCliente::RegistraFattura()
{
    Table& pn = dm.TblPrimaNota;
    if (pn.state() != DatasetState::Edit && pn.state() != DatasetState::Insert)
        return;
    controllaData(pn["Data"].asDate(), QStringLiteral("la data di emissione"));
    const Money importo = pn["Importo"].asMoney();
    if (importo.isZero())
        rifiuta(QStringLiteral("Indicare l'importo della fattura."));
    if (pn["Fattura"].isNull() || pn["Fattura"].asInteger() <= 0)
        rifiuta(QStringLiteral("Indicare il numero della fattura."));
    // An invoice is always a debit of the customer.
    if (importo > Money())
        pn["Importo"] = -importo;
    pn.post();
}

void IncassiCliente::AnnullaFattura()
{
    dm.TblPrimaNota.cancel();
}

void IncassiCliente::PreparaIncasso()
{
    if (TblPrimaNota2.state() != DatasetState::Edit && TblPrimaNota2.state() != DatasetState::Insert)
        return;
    TblPrimaNota2["Data"] = oggi();
    TblPrimaNota2["InsManuale"] = true;
}

void IncassiCliente::RegistraIncasso()
{
    TblPrimaNota2.post();
}

void IncassiCliente::AnnullaIncassoManuale()
{
    TblPrimaNota2.cancel();
}

// Collections written when an invoice was collected are changed only by undoing them.
void IncassiCliente::TblPrimaNota2BeforeEdit(Dataset& pn)
{
    if (!pn["InsManuale"].asBoolean())
        throw Abort{};
}

void IncassiCliente::TblPrimaNota2BeforePost(Dataset& pn)
{
    controllaData(pn["Data"].asDate(), QStringLiteral("la data dell'incasso"));
    Money importo = pn["Importo"].asMoney();
    if (importo < Money())
        importo = -importo;
    if (importo.isZero())
        rifiuta(QStringLiteral("Indicare l'importo dell'incasso."));
    // Without a causale the collection would drop out of its own list.
    const QString causale = pn["Causale"].asString().trimmed();
    if (causale.isEmpty())
        rifiuta(QStringLiteral("Indicare la causale dell'incasso."));
    if (causale == Movimenti::fatturaDiVendita)
        rifiuta(QStringLiteral("La causale \"%1\" è riservata alle fatture.").arg(causale));
    const int numero = int(pn["Fattura"].asInteger());
    const qint64 codice = pn.state() == DatasetState::Edit ? pn["Codice"].asInteger() : 0;
    if (numero > 0) {
        const std::optional<Money> residuo = Movimenti::residuoFattura(dm, pn["Cliente"].value(), numero, codice);
        if (residuo && importo > *residuo)
            rifiuta(QStringLiteral("L'importo dell'incasso (%1) supera quanto resta da incassare della fattura n° %2 (%3).")
                        .arg(formatCurrency(importo.toDouble()), QString::number(numero),
                             formatCurrency(std::max(Money(), *residuo).toDouble())));
    }

    // Its movement on the customer's payment account: the one it already has is brought up to
    // date, a new one written when it has none, and removed when the customer no longer pays
    // through an account.
    const qint64 conto = pagamentoCliente();
    qint64 precedente = codice ? pn["CodiceAltra"].asInteger() : 0;
    if (precedente && !Movimenti::eIncassoSuConto(dm, precedente, pn["Cliente"].value()))
        precedente = 0;
    qint64 codiceAltra = 0;
    if (conto && precedente) {
        Movimenti::aggiornaIncassoSuConto(dm, precedente, conto, causale, importo, numero, pn["DataRif"].asDate(),
                                          pn["Data"].asDate());
        codiceAltra = precedente;
    } else if (conto) {
        dm.RegistraIncassoConto(numero, causale, codiceAltra, filtroFattureCorrente(), -importo,
                                pn["DataRif"].asDate(), pn["Data"].asDate());
    } else if (precedente) {
        Movimenti::elimina(dm, precedente);
    }
    pn["Importo"] = importo;
    pn["Incassata"] = true;
    pn["Conto"] = 0;
    pn["CodiceAltra"] = codiceAltra;
    pn["InsManuale"] = true;
}

// Deleting a collection undoes the rest of its chain: its payment-account movement and, for a
// collection of an invoice, the invoice's collected mark.
void IncassiCliente::TblPrimaNota2BeforeDelete(Dataset& pn)
{
    catenaEliminata = pn["CodiceAltra"].asInteger();
}

void IncassiCliente::TblPrimaNota2AfterDelete(Dataset&)
{
    const qint64 codice = catenaEliminata;
    catenaEliminata = 0;
    if (codice)
        dm.AnnullaIncasso(codice);
}

void IncassiCliente::controllaData(const QDate& data, const QString& cosa) const
{
    if (!data.isValid())
        rifiuta(QStringLiteral("Indicare %1.").arg(cosa));
    if (data.year() != dm.annoEsercizio())
        rifiuta(QStringLiteral("La data %1 non cade nell'esercizio %2.").arg(formatDate(data)).arg(dm.annoEsercizio()));
}

// The customer's payment method, read again from the file so that one removed meanwhile is
// not used; the payment-method table stands on it. 0 when the customer has none.
qint64 IncassiCliente::pagamentoCliente() const
{
    Table& mp = dm.TblModPag;
    const QVariant pagamento = dm.TblClienti["Pagamento"].value();
    if (!mp.active())
        mp.open();
    else
        mp.refresh();
    if (pagamento.isNull() || !mp.locate(QStringLiteral("Codice"), {pagamento}))
        return 0;
    return mp["Codice"].asInteger();
}

void IncassiCliente::rifiuta(const QString& messaggio) const
{
    dm.prompts.warning(messaggio);
    throw Abort{};
}
