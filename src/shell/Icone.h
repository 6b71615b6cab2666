#pragma once
#include <QIcon>

class QPainter;
class QRectF;

// The images of the tool bar and of the menu, drawn as vectors so that they stay sharp at
// every size (32 × 32 on the tool bar, 16 × 16 in the menu).
namespace Icone {

QIcon clienti();      // two people
QIcon magazzino();    // stacked boxes
QIcon agenti();       // a person in jacket and tie
QIcon servizi();      // a delivery van
QIcon fatture();      // a sheet with the euro sign
QIcon parametri();    // a gear
QIcon pagamenti();    // a banknote and a card
QIcon uscita();       // an open door with an arrow going out
QIcon lavatrice();    // the program's own icon: a washing machine

// The washing machine in the middle of r, its drum turned by angolo degrees: the program's icon
// at rest, the start-up animation while it turns.
void disegnaLavatrice(QPainter& p, const QRectF& r, qreal angolo);

} // namespace Icone
