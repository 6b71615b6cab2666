#pragma once
#include <QDate>
#include <QString>

// Italian registry codes with their check characters, for plausible demo customers.
namespace demo {

// Check digit of a VAT number (and of a numeric tax code): the Luhn rule on ten digits.
QChar cifraControlloPiva(const QString& dieci);
// The tax code of a person.
QString codiceFiscalePersona(const QString& cognome, const QString& nome, bool donna, const QDate& nascita,
                             const QString& belfiore);
// IBAN of an Italian account: CIN over ABI, CAB and account, then the two check digits.
QString iban(const QString& abi, const QString& cab, const QString& conto);
// The letters of a text, upper case, without accents or spaces.
QString soloLettere(const QString& s);

} // namespace demo
