#pragma once
#include <QIcon>

class QPainter;
class QRectF;

// The one set of images of the program's menus, tool bars and buttons, each drawn as vectors on
// the 32 × 32 grid of iconaDisegnata, so that they stay sharp at every size (32 × 32 on the main
// tool bar, 16 to 18 on the buttons of the screens, 16 in the menus). A new image joins this set.
namespace Icone {

// The main window's tool bar and menus.

QIcon clienti();      // two people
QIcon magazzino();    // stacked boxes
QIcon agenti();       // a person in jacket and tie
QIcon servizi();      // a delivery van
QIcon fatture();      // a sheet with the euro sign
QIcon parametri();    // a gear
QIcon pagamenti();    // a banknote and a card
QIcon uscita();       // an open door with an arrow going out
QIcon lavatrice();    // the program's own icon: a washing machine

// The buttons of the screens.
QIcon ricerca();           // a magnifying glass
QIcon stampa();            // a printer
QIcon anteprima();         // a sheet under a magnifying glass
QIcon calcola();           // a pocket calculator
QIcon annullaElimina();    // an arrow turning back over a bin
QIcon ulterioriRighe();    // a sheet with a plus
QIcon saldo();             // a coin with a tick
QIcon modificaServizio();  // the van with a pencil
QIcon eliminaServizio();   // the van with a red cross
QIcon raggruppamenti();    // three linked boxes
QIcon ricopiaImporti();    // a price copied onto the sheets behind it
QIcon incrementa();        // a box with a green plus
QIcon decrementa();        // a box with a red minus
QIcon elimina();           // a bin
QIcon statistica();        // green and red bars

// The washing machine in the middle of r, its drum turned by angolo degrees: the program's icon
// at rest, the start-up animation while it turns.
void disegnaLavatrice(QPainter& p, const QRectF& r, qreal angolo);

} // namespace Icone
