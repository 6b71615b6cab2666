#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include "Money.h"
#include <QDate>
#include <QObject>

class TDataModule1;

// The collections of the current customer in the ledger of the current fiscal year: its open
// invoices (the data module's ledger, linked to the customer) beside its collections (a table
// of its own on the same ledger). Collecting an invoice, undoing a collection, invoices and
// collections entered by hand, the date filter of both lists. The collection screen and
// "lavanderia-cli incassa" work through it.
//
// A refused action has shown its message through the data module's prompts and throws Abort;
// the ledger is then as it was.
class IncassiCliente : public QObject
{
    Q_OBJECT
public:
    explicit IncassiCliente(TDataModule1& dm, QObject* parent = nullptr);
    ~IncassiCliente() override;

    static const QString filtroFatture;     // the customer's open invoices
    static const QString filtroIncassi;     // the customer's collections

    // " and Data >= 'da' and Data <= 'a'", each bound only when its date is valid.
    static QString suffissoDate(const QDate& da, const QDate& a);

    // The collections of the current customer; open only between Apri and Chiudi.
    Table TblPrimaNota2;
    DataSource DSPrimaNota2;

    // The ledger linked to the current customer and filtered on its open invoices, the first
    // one current; the collections of the customer opened on the current year's ledger.
    void Apri();
    // The collections closed, the ledger's filter removed (it stays linked to the customer).
    void Chiudi();
    bool aperto() const { return TblPrimaNota2.active(); }

    // The date filter of both lists: on with the period given, or off.
    void ImpostaFiltro(bool attivo, const QDate& da, const QDate& a);
    bool filtroAttivo() const { return attivo; }
    QString filtroFattureCorrente() const;
    QString filtroIncassiCorrente() const;

    // Whether the current invoice can be collected, and the current collection undone.
    bool PuoIncassare();
    bool PuoAnnullare();

    // "Eseguo l'incasso della fattura n° 15 emessa il 05/01/2024?"
    QString DomandaIncasso() const;
    // Collects the current open invoice on the date: the invoice marked collected, the
    // collection on the customer's payment account and on the customer's account.
    void Incassa(const QDate& data);
    // Moves to the open invoice of that number; false when the customer has none.
    bool TrovaFattura(int numero);

    // Asks, then undoes the current collection back to its invoice, which is open again.
    // False when the user said no.
    bool AnnullaIncasso();

    // An invoice entered by hand: the record being inserted or edited in the open-invoice list
    // gets its fixed fields; RegistraFattura checks it, stores a typed amount as a debit and
    // posts it; AnnullaFattura takes the insert or edit back.
    void PreparaFattura();
    void RegistraFattura();
    void AnnullaFattura();

    // A collection entered by hand, on the collection list: PreparaIncasso dates it today and
    // marks it as typed by hand; RegistraIncasso posts it, with its movement on the customer's
    // payment account written or brought up to date in the same transaction.
    void PreparaIncasso();
    void RegistraIncasso();
    void AnnullaIncassoManuale();

private:
    void TblPrimaNota2BeforeEdit(Dataset& pn);
    void TblPrimaNota2BeforePost(Dataset& pn);
    void TblPrimaNota2BeforeDelete(Dataset& pn);
    void TblPrimaNota2AfterDelete(Dataset& pn);
    void controllaData(const QDate& data, const QString& cosa) const;
    Money residuoFattura(int numero, qint64 tranne) const;
    qint64 pagamentoCliente() const;
    void rifiuta(const QString& messaggio) const;

    TDataModule1& dm;
    bool attivo = false;
    QString suffisso;
    qint64 catenaEliminata = 0;     // CodiceAltra of the collection being deleted
};
