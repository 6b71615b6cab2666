#include "TFrmAgentiLst.h"
#include "DbGrid.h"
#include "TDataModule1.h"
#include <QHeaderView>

// The agents are ordered by name (IdxNome).
TFrmAgentiLst::TFrmAgentiLst(TDataModule1& dm, QWidget* parent)
    : FinestraRicerca(dm.DSAgenti, dm.prompts, "&Nominativo", "Nominativo", {{.field = "Nominativo", .width = 260}}, parent)
{
    setWindowTitle("Archivio agenti");
    grdRicerca->horizontalHeader()->setStretchLastSection(true);
    setMinimumSize(260, 240);
    resize(320, 380);
}
