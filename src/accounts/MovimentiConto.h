#pragma once
#include "DataSource.h"
#include "Dataset.h"
#include "Money.h"
#include <QDate>
#include <QObject>
#include <functional>

class TDataModule1;
class TQRConto;

// The movements of one payment account (a payment method of ModPag) in the ledger of the
// current fiscal year: the collections that reached it and the other movements typed on it
// under "Dare" or "Avere", with their counter-account; and its statement, "Scheda contabile".
// The screen of the other movements and the payment-methods screen work through it.
//
// Only movements typed by hand can be changed or removed; the others are refused silently
// (collections are changed from the collection screen). A refused post shows its message
// through the data module's prompts and throws Abort.
class MovimentiConto : public QObject
{
    Q_OBJECT
public:
    explicit MovimentiConto(TDataModule1& dm, QObject* parent = nullptr);
    ~MovimentiConto() override;

    // The account's movements in the order Data, Fattura, with Dare, Avere, MastroCP, ContoCP.
    Table TblPrimaNota;
    // It never starts editing by itself.
    DataSource DSPrimaNota;

    // The account of the payment method current in the data module's table: the movements of
    // the current year's ledger (opened again when the year changed) restricted to it.
    void Apri();
    // The account's restriction removed.
    void Chiudi();
    qint64 conto() const { return codiceConto; }
    QString descrizione() const { return descrizioneConto; }
    // "Conto = 2"
    QString filtroConto() const;

    // The date filter: on with the period, or off (the account only).
    void ImpostaFiltro(bool attivo, const QDate& da, const QDate& a);
    bool filtroAttivo() const { return attivo; }

    // "Da&re" (+1) and "Av&ere" (-1): the side of a new movement, appended when none is being
    // typed; while a movement is being typed or changed, the side it takes.
    void NuovoMovimento(int segno);
    // The side the movement being typed will take: +1, -1, or 0 (it keeps its own).
    int segnoCorrente() const;

    // The statement of the account: the running balance written over all its movements in the
    // order Data, Fattura (the data module's ledger is left unlinked), then `mostra` runs over
    // the movements of the period when `conFiltro` and the date filter is on, else over all.
    // The screen's restriction is put back afterwards.
    void Scheda(bool conFiltro, const std::function<void(TQRConto&)>& mostra);
    TQRConto& report();

Q_SIGNALS:
    // The side of the movement being typed changed (+1 Dare, -1 Avere).
    void segnoCambiato(int segno);

private:
    void TblPrimaNotaNewRecord(Dataset& pn);
    void TblPrimaNotaBeforeEdit(Dataset& pn);
    void TblPrimaNotaAfterEdit(Dataset& pn);
    void TblPrimaNotaBeforePost(Dataset& pn);
    void TblPrimaNotaBeforeDelete(Dataset& pn);
    void TblPrimaNotaCalcFields(Dataset& pn);
    void applicaFiltro(bool conSuffisso);
    void rifiuta(const QString& messaggio) const;

    TDataModule1& dm;
    std::unique_ptr<TQRConto> qr;
    qint64 codiceConto = 0;
    QString descrizioneConto;
    bool attivo = false;
    QString suffisso;
    int segnoNuovo = 0;        // side of the next new movement, set by Dare and Avere
    int segnoModifica = 0;     // side chosen during the edit of a movement, 0 when none
    Money importoOriginale;    // the edited movement's amount as it was read
};
