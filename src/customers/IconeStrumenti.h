#pragma once
#include <QIcon>

// The images of the tool-bar buttons of the maintenance screens, drawn as vectors on the same
// 16 × 16 grid as the navigator's glyphs so that a tool bar looks of one piece.
namespace IconeStrumenti {

QIcon ricerca();      // a magnifying glass
QIcon stampa();       // a printer
QIcon calcola();      // a pocket calculator
QIcon incrementa();   // a box with a green plus
QIcon decrementa();   // a box with a red minus

} // namespace IconeStrumenti
