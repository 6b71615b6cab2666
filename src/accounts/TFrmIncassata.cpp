#include "TFrmIncassata.h"

#include "DbEdit.h"
#include "IncassiCliente.h"
#include "TDataModule1.h"

TFrmIncassata::TFrmIncassata(TDataModule1& d, IncassiCliente& i, QWidget* parent)
    : DialogoMovimento(QStringLiteral("Registra fattura incassata (in avere)"), d, i, i.DSPrimaNota2, parent)
{
    disponi({{.etichetta = "&Causale", .campo = "Causale", .riga = 0, .caratteri = 30, .dove = &edtCausale},
             {.etichetta = "&Data", .campo = "Data", .riga = 1, .caratteri = 10, .allinea = Qt::AlignLeft,
              .tipo = VoceModulo::Data, .dove = &edtData},
             {.etichetta = "&Importo", .campo = "Importo", .riga = 2, .caratteri = 12, .allinea = Qt::AlignLeft,
              .dove = &edtImporto},
             {.etichetta = "&Fattura", .campo = "Fattura", .riga = 3, .caratteri = 6, .allinea = Qt::AlignLeft,
              .dove = &edtFattura},
             {.etichetta = "D&ata di rif.", .campo = "DataRif", .riga = 4, .caratteri = 10, .allinea = Qt::AlignLeft,
              .tipo = VoceModulo::Data, .dove = &edtDataRif}});
    campoIniziale = edtCausale;
}

// Dated today and marked as typed by hand, whether new or changed.
void TFrmIncassata::prepara()
{
    incassi.PreparaIncasso();
}

void TFrmIncassata::registra()
{
    incassi.RegistraIncasso();
}
