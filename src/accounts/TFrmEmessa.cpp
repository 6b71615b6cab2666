#include "TFrmEmessa.h"

#include "DbEdit.h"
#include "IncassiCliente.h"
#include "TDataModule1.h"

TFrmEmessa::TFrmEmessa(TDataModule1& d, IncassiCliente& i, QWidget* parent)
    : DialogoMovimento(QStringLiteral("Registra fattura emessa (in dare)"), d, i, d.DSPrimaNota, parent)
{
    disponi({{.etichetta = "&Data emissione", .campo = "Data", .riga = 0, .caratteri = 10, .allinea = Qt::AlignLeft,
              .tipo = VoceModulo::Data, .dove = &edtData},
             {.etichetta = "&Importo", .campo = "Importo", .riga = 1, .caratteri = 12, .allinea = Qt::AlignLeft,
              .dove = &edtImporto},
             {.etichetta = "&Fattura", .campo = "Fattura", .riga = 2, .caratteri = 6, .allinea = Qt::AlignLeft,
              .dove = &edtFattura}});
    campoIniziale = edtData;
}

void TFrmEmessa::registra()
{
    incassi.RegistraFattura();
}
