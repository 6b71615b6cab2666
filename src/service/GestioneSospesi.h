#pragma once
#include "Dataset.h"

class TDataModule1;

// The pending deliveries as the management screen lists them: by date, customer, address and
// article, only those of existing sites, each re-dated or deleted through the data module's
// pending table kept on the listed row.
class GestioneSospesi
{
public:
    explicit GestioneSospesi(TDataModule1& dm);

    // Data, Cliente, Indirizzo, Comune, Servizio, Quantita, Codice, with CcSede (address and
    // town) and CcServizio (the article's description and type).
    Query QryElenco;

    // Runs the list again, staying on the same pending row when it is still listed.
    void Aggiorna();
    // Puts the data module's pending table on the row the list stands on; false when none.
    bool Allinea();
    // Deletes the listed row after "Elimino il sospeso?"; false when not confirmed or gone.
    bool EliminaCorrente();

private:
    TDataModule1& dm;
};
