#pragma once
#include "Money.h"
#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

class TDataModule1;

// Single movements of the current year's ledger read and written straight on its file, for
// the checks and the paired movements of the ledger screens. They run inside the caller's
// transaction when there is one.
namespace Movimenti {

inline const QString fatturaDiVendita = QStringLiteral("Fattura di vendita");
inline const QString saldoFattura = QStringLiteral("Saldo fattura");

// Whether the movement of that code is still in the ledger.
bool esiste(TDataModule1& dm, qint64 codice);

// What is left to collect of a customer's invoice of that number: its amount less the
// collections that name it (leaving out the movement `tranne`). Nothing when the customer has
// no invoice of that number in the ledger.
std::optional<Money> residuoFattura(TDataModule1& dm, const QVariant& cliente, int numero, qint64 tranne);

// Whether the movement of that code is a collection of the customer on a payment account.
bool eIncassoSuConto(TDataModule1& dm, qint64 codice, const QVariant& cliente);

// Brings a collection on a payment account in line with the collection typed by hand it
// belongs to.
void aggiornaIncassoSuConto(TDataModule1& dm, qint64 codice, qint64 conto, const QString& causale, Money importo,
                            int numero, const QDate& dataRif, const QDate& data);

void elimina(TDataModule1& dm, qint64 codice);

// Whether a payment method of that code is in the file.
bool esisteModPag(TDataModule1& dm, qint64 codice);

} // namespace Movimenti
