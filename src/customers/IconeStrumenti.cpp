#include "IconeStrumenti.h"
#include "IconaDisegnata.h"
#include <QPainter>
#include <QPainterPath>
#include <utility>

namespace IconeStrumenti {

namespace {

const QColor inchiostro(40, 40, 40);

// Drawn on the navigator's 16 × 16 grid, doubled onto the 32 × 32 one of the drawn images.
QIcon disegna(std::function<void(QPainter&)> disegno)
{
    return iconaDisegnata([disegno = std::move(disegno)](QPainter& p) {
        p.scale(2, 2);
        disegno(p);
    });
}

// The carton of the stock buttons, with the sign drawn on its lower right corner.
void scatola(QPainter& p)
{
    p.setPen(QPen(QColor(120, 80, 30), 1));
    p.setBrush(QColor(214, 170, 105));
    p.drawRect(QRectF(1.5, 4.5, 10, 8));
    p.drawLine(QPointF(1.5, 7), QPointF(11.5, 7));
    p.setBrush(QColor(240, 215, 170));
    p.drawRect(QRectF(5, 4.5, 3, 2.5));
}

void segno(QPainter& p, const QColor& colore, bool verticale)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.5, 7.5, 8, 8));
    p.setBrush(colore);
    p.drawRect(QRectF(8.5, 10.7, 6, 1.8));
    if (verticale)
        p.drawRect(QRectF(10.6, 8.6, 1.8, 6));
}

} // namespace

QIcon ricerca()
{
    return disegna([](QPainter& p) {
        p.setPen(QPen(inchiostro, 1.6));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(2, 2, 8.5, 8.5));
        p.setPen(QPen(inchiostro, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.6, 9.6), QPointF(13.8, 13.8));
    });
}

QIcon stampa()
{
    return disegna([](QPainter& p) {
        p.setPen(QPen(inchiostro, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(inchiostro, 0.8));
        p.drawLine(QPointF(6, 12.2), QPointF(10, 12.2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 150, 0));
        p.drawEllipse(QRectF(11.5, 8, 1.6, 1.6));
    });
}

QIcon calcola()
{
    return disegna([](QPainter& p) {
        p.setPen(QPen(inchiostro, 1));
        p.setBrush(QColor(90, 90, 100));
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 225, 190));
        p.drawRect(QRectF(4, 3, 8, 3));
        p.setBrush(Qt::white);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(4 + c * 3, 7.3 + r * 2.3, 2, 1.5));
    });
}

QIcon incrementa()
{
    return disegna([](QPainter& p) {
        scatola(p);
        segno(p, QColor(0, 140, 0), true);
    });
}

QIcon decrementa()
{
    return disegna([](QPainter& p) {
        scatola(p);
        segno(p, QColor(190, 0, 0), false);
    });
}

} // namespace IconeStrumenti
