#pragma once
#include <QIcon>
#include <functional>

class QColor;
class QPainter;

// An image drawn as vectors on a 32 × 32 grid and scaled to the size asked for, so that it stays
// sharp on a tool bar, in a menu and on dense screens. A disabled button shows it faded.
QIcon iconaDisegnata(std::function<void(QPainter&)> disegno);

// The pen and brush of a filled shape: round caps and joins, the border spessore units wide.
void penna(QPainter& p, const QColor& riempimento, const QColor& bordo, qreal spessore = 1.0);
