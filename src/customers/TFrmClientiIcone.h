#pragma once
#include <QIcon>

// The images of the small buttons of the customer screen, drawn as vectors on a 32 × 32 grid.
namespace TFrmClientiIcone {

QIcon annullaElimina();    // an arrow turning back over a bin
QIcon ricerca();           // a magnifying glass
QIcon ulterioriRighe();    // a sheet with a plus
QIcon calcola();           // a calculator
QIcon stampa();            // a printer
QIcon saldo();             // a coin with a tick
QIcon modificaServizio();  // a van with a pencil
QIcon eliminaServizio();   // a van with a red cross
QIcon raggruppamenti();    // three linked boxes
QIcon ricopiaImporti();    // a price copied onto the sheets behind it

} // namespace TFrmClientiIcone
