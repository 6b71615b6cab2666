#pragma once
#include "Report.h"
#include <memory>

class Database;
class TDataModule1;
class TQRSospesi;
class TQRSospesi2;

// The printed list of pending deliveries: the detailed list and the totals per article as one
// landscape document, the totals continuing on the page where the list ends and the page
// numbers running on. Shown by the main window and exported by lavanderia-cli.
class ElencoSospesi
{
public:
    explicit ElencoSospesi(TDataModule1& dm);
    ~ElencoSospesi();

    // The document with the revision label "OVRT/" + revisione (an empty text when the
    // question was cancelled); preview, print or export it. The queries are closed after.
    ReportDocument& Prepara(const QString& revisione);

    // Deletes the pending rows whose site no longer exists and those without units; the
    // number of rows deleted.
    static int PulisciSospesi(Database& db);

    TQRSospesi& dettaglio() { return *qrSospesi; }
    TQRSospesi2& totali() { return *qrSospesi2; }

private:
    TDataModule1& dm;
    std::unique_ptr<TQRSospesi> qrSospesi;
    std::unique_ptr<TQRSospesi2> qrSospesi2;
    CompositeReport documento;
};
