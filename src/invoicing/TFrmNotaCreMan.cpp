#include "TFrmNotaCreMan.h"

#include "GruppoFE.h"

TFrmNotaCreMan::TFrmNotaCreMan(TDataModule1& dm, QWidget* parent)
    : EmissioneNotaCredito(dm, SessioneFE::Schermata::NotaCreMan, parent)
{
    grpFE->genera = [this] { return grpFE->sessione.GeneraManuale(dataEmissione()); };
}
