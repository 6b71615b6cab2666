#pragma once
#include <QString>

class Dataset;
class Prompts;

// The order number of a purchase order received as a UBL file (elements with the `cbc:`
// prefix), written as the contract reference of the electronic invoices: the identifier
// 2023000145 gives "2023/145" (the year, "/", the number without leading zeros).
struct RiferimentoOrdine
{
    bool trovato = false;     // an identifier was found after the profile
    QString riferimento;      // "2023/145"
    QString errore;           // why there is no reference, for the user
};

// The identifier is read from the first line holding "</cbc:ProfileID>", in the `cbc:ID`
// written after it on that line; when that line holds none (files written one element per line),
// from the `cbc:ID` that follows `cbc:ProfileID` in the document.
RiferimentoOrdine LeggiRiferimentoOrdine(const QString& percorso);

// "Carica...": asks whether to replace the current order number, lets the user pick the file
// (starting in `cartella`), and stores the reference in `NumContratto` of the current record of
// `tabella`. A reference longer than the field is refused, naming both lengths. True when stored.
bool CaricaNumeroOrdine(Prompts& prompts, Dataset& tabella, const QString& cartella);
