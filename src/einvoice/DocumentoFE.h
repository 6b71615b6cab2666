#pragma once
#include "Money.h"
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// The four documents an electronic invoice is written for.
enum class TipoFE
{
    Fattura,             // periodic invoice
    NotaCredito,         // credit note on a periodic invoice
    FatturaManuale,      // manual invoice
    NotaCreditoManuale,  // credit note on a manual invoice
};

inline bool Periodico(TipoFE t) { return t == TipoFE::Fattura || t == TipoFE::NotaCredito; }
inline bool NotaDiCredito(TipoFE t) { return t == TipoFE::NotaCredito || t == TipoFE::NotaCreditoManuale; }

// The company's values of the parameters record that the documents carry.
struct ParametriFE
{
    QString piva;              // FE_PIva: the transmitter
    QString cedID;             // FE_CedID
    QString cedNome, cedIndirizzo, cedCAP, cedComune;
    QString reaUfficio, reaNumero;
    std::optional<Money> reaCapSoc;
    QString reaSocioUnico, reaStatoLiq;
    QString tipoDocFatt, tipoDocNota;
    std::optional<qint64> notaCre;   // the last credit note issued
    std::optional<qint64> progr;     // FE_Progr: the last file handed over

    // The number the next credit note takes: NotaCre + 1, 1 when it is empty.
    qint64 prossimaNotaCre() const { return notaCre.value_or(0) + 1; }
};

// One line of a document as its lines query gives it.
struct RigaFE
{
    QString servizio;
    std::optional<double> prezzo;   // empty for an unpriced line
    double quantita = 0;
    bool moltiplicatore = true;     // periodic lines: multiplied by the months of the period
};

// One document: the values of its source (a row of the customers joined with their run lines,
// or a manual invoice) under the names the documents give them, and the inputs of the screen
// that generates it.
struct DocumentoFE
{
    TipoFE tipo = TipoFE::Fattura;

    // Addressee.
    double codice = 0;
    bool pa = false;                 // public administration: XML of a customer, PA of a manual invoice
    QString codiceFE, pec;
    QString partitaIva, codiceFiscale;
    QString nome1, nome2;            // Denominazione / Denominazione 2, Nome1 / Nome2
    QString indirizzo, comune;       // comune: postcode, town, province in parentheses

    // The invoice.
    std::optional<double> numero;    // Fattura / Numero fattura
    QDate dataFattura;               // DataFatt / Data fattura
    Money imponibile;
    Money totale;                    // manual kinds: the calculated total
    bool pagaIva = true;             // periodic kinds
    std::optional<double> iva;       // manual kinds: the rate in percent
    QString natura;
    QString condizioni;              // periodic kinds: the billing periodicity
    QString numContratto;
    QDate dataContratto;
    QString rigo3;                   // periodic kinds: the footer holding "CIG: ..."
    QString cig;                     // manual kinds
    bool scissione = false;
    bool millesimi = false;
    QString causale, banca, coordinateBanca;
    int scadenzaFattura = 0;         // periodic invoice: 1 = due on the invoice date
    QDate dataInizioP, dataFineP, dataScadenza;   // manual kinds

    QList<RigaFE> righe;

    // Inputs of the generating screen.
    qint64 progressivo = 0;          // the file's progressive number
    qint64 numeroNota = 0;           // credit notes: the number they take
    QDate dataEmissione;             // credit notes: "Data emissione"
    QString anno;                    // periodic kinds: the year of the billing period
    QString mese, finePeriodo;       // the counter file's month and period-end day
    double mesiPeriodo = 1;          // manual kinds: the period factor
};
