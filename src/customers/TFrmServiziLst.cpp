#include "TFrmServiziLst.h"
#include "Centra.h"
#include "TDataModule1.h"
#include <QShowEvent>

// The articles are ordered by description (IdxName).
TFrmServiziLst::TFrmServiziLst(TDataModule1& dm, QWidget* parent)
    : FinestraRicerca(dm.DSServizi, dm.prompts, "Ricerca:", "Descrizione",
                      {{.field = "Descrizione", .width = 230},
                       {.field = "Tipo", .width = 90},
                       {.field = "Dentro", .width = 70},
                       {.field = "Fuori", .width = 70}},
                      parent)
{
    setWindowTitle("Elenco giacenze");
    setMinimumSize(360, 260);
    resize(520, 420);
}

void TFrmServiziLst::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        centraSulloSchermo(*this);
    FinestraRicerca::showEvent(e);
}
