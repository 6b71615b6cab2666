#pragma once
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

class TDataModule1;
class TQRDocumenti;

// The account statement of the current customer ("Scheda contabile"): the ledger linked to the
// customer, the running balance written over the whole customer account in date order, and
// the report over the movements of the period asked (all of them without one). The ledger's
// filter is put back as it was found; it stays linked to the customer.
class EstrattoConto
{
public:
    explicit EstrattoConto(TDataModule1& dm);
    ~EstrattoConto();

    // The report, created on first use.
    TQRDocumenti& report();

    // Runs `mostra` (preview, print, PDF) over the statement; the suffix restricts the
    // movements shown (" and Data >= '01/01/2024'"), not the balance.
    void esegui(const QString& suffisso, const std::function<void(TQRDocumenti&)>& mostra);
    // Writes the statement as a PDF file; false when there is nothing to print.
    bool esportaPdf(const QString& file, const QString& suffisso = {});

private:
    TDataModule1& dm;
    std::unique_ptr<TQRDocumenti> qr;
};
