#include "TFrmClientiIcone.h"
#include "IconaDisegnata.h"
#include <QPainter>
#include <QPainterPath>

namespace {

// The border of the shapes of these buttons.
const qreal tratto = 1.4;

void foglio(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    penna(p, Qt::white, QColor(0x5d, 0x6d, 0x7e), tratto);
    p.drawRect(QRectF(x, y, w, h));
    p.setPen(QPen(QColor(0x95, 0xa5, 0xa6), 1.4));
    for (qreal r = y + 5; r < y + h - 3; r += 4)
        p.drawLine(QPointF(x + 3, r), QPointF(x + w - 3, r));
}

void furgone(QPainter& p)
{
    const QColor bordo(0x34, 0x49, 0x5e);
    penna(p, QColor(0xf4, 0xf6, 0xf8), bordo, tratto);
    QPainterPath sagoma;
    sagoma.moveTo(1.5, 22);
    sagoma.lineTo(1.5, 7);
    sagoma.lineTo(19, 7);
    sagoma.lineTo(19, 11);
    sagoma.lineTo(24, 11);
    sagoma.lineTo(28, 16);
    sagoma.lineTo(28, 22);
    sagoma.closeSubpath();
    p.drawPath(sagoma);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x86, 0xc1));
    p.drawRect(QRectF(2.2, 15, 25, 2.5));
    for (qreal x : {7.5, 22.0}) {
        penna(p, QColor(0x2c, 0x3e, 0x50), QColor(0x17, 0x20, 0x2a), 1);
        p.drawEllipse(QPointF(x, 23), 3.3, 3.3);
    }
}

void disegnaAnnullaElimina(QPainter& p)
{
    // The bin.
    penna(p, QColor(0xd5, 0xdb, 0xdb), QColor(0x5d, 0x6d, 0x7e), tratto);
    p.drawPolygon(QPolygonF({{11, 14}, {27, 14}, {25, 30}, {13, 30}}));
    p.drawLine(QPointF(9.5, 12), QPointF(28.5, 12));
    // The arrow coming back out of it.
    QPen freccia(QColor(0x1e, 0x84, 0x49), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(freccia);
    p.setBrush(Qt::NoBrush);
    QPainterPath arco;
    arco.moveTo(22, 9);
    arco.cubicTo(20, 2, 8, 1, 6.5, 10);
    p.drawPath(arco);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x84, 0x49));
    p.drawPolygon(QPolygonF({{1.5, 8}, {11.5, 8.5}, {6, 16}}));
}

void disegnaRicerca(QPainter& p)
{
    penna(p, QColor(0xd6, 0xea, 0xf8), QColor(0x2c, 0x3e, 0x50), 3);
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(QPen(QColor(0x6e, 0x4b, 0x2a), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.5, 20.5), QPointF(28.5, 28.5));
}

void disegnaUlterioriRighe(QPainter& p)
{
    foglio(p, 4, 2, 19, 27);
    penna(p, QColor(0x27, 0xae, 0x60), QColor(0x1e, 0x84, 0x49), 1);
    p.drawEllipse(QPointF(23, 23), 7.5, 7.5);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23, 19), QPointF(23, 27));
    p.drawLine(QPointF(19, 23), QPointF(27, 23));
}

void disegnaCalcola(QPainter& p)
{
    penna(p, QColor(0x5d, 0x6d, 0x7e), QColor(0x2c, 0x3e, 0x50), tratto);
    p.drawRoundedRect(QRectF(5, 1.5, 22, 29), 2.5, 2.5);
    penna(p, QColor(0xd5, 0xf5, 0xe3), QColor(0x2c, 0x3e, 0x50), 1);
    p.drawRect(QRectF(8, 4.5, 16, 6));
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            p.setBrush(r == 2 && c == 2 ? QColor(0xe6, 0x7e, 0x22) : QColor(0xec, 0xf0, 0xf1));
            p.drawRect(QRectF(8 + c * 5.7, 13.5 + r * 5.5, 4.3, 4));
        }
}

void disegnaStampa(QPainter& p)
{
    foglio(p, 8, 2, 16, 12);
    penna(p, QColor(0x85, 0x92, 0x9e), QColor(0x2c, 0x3e, 0x50), tratto);
    p.drawRoundedRect(QRectF(2, 12, 28, 12), 2, 2);
    penna(p, Qt::white, QColor(0x5d, 0x6d, 0x7e), tratto);
    p.drawRect(QRectF(8, 20, 16, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0xcc, 0x71));
    p.drawEllipse(QPointF(25.5, 16), 1.5, 1.5);
}

void disegnaSaldo(QPainter& p)
{
    penna(p, QColor(0xf4, 0xd0, 0x3f), QColor(0xb7, 0x95, 0x0b), 1.6);
    p.drawEllipse(QPointF(14, 14), 11.5, 11.5);
    QFont f;
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x7d, 0x66, 0x08));
    p.drawText(QRectF(2.5, 2.5, 23, 23), Qt::AlignCenter, QStringLiteral("€"));
    penna(p, QColor(0x27, 0xae, 0x60), QColor(0x1e, 0x84, 0x49), 1);
    p.drawEllipse(QPointF(24.5, 24.5), 6.5, 6.5);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{21.5, 24.5}, {23.8, 27}, {27.8, 22}}));
}

void disegnaModificaServizio(QPainter& p)
{
    furgone(p);
    p.save();
    p.translate(24, 8);
    p.rotate(45);
    penna(p, QColor(0xf3, 0x9c, 0x12), QColor(0x9c, 0x64, 0x0c), 1);
    p.drawRect(QRectF(-2.2, -9, 4.4, 13));
    p.setBrush(QColor(0x2c, 0x3e, 0x50));
    p.drawPolygon(QPolygonF({{-2.2, 4}, {2.2, 4}, {0, 8}}));
    p.restore();
}

void disegnaEliminaServizio(QPainter& p)
{
    furgone(p);
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 3.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 1.5), QPointF(30, 11.5));
    p.drawLine(QPointF(30, 1.5), QPointF(20, 11.5));
}

void disegnaRaggruppamenti(QPainter& p)
{
    p.setPen(QPen(QColor(0x5d, 0x6d, 0x7e), 1.6));
    p.drawLine(QPointF(9, 9), QPointF(23, 9));
    p.drawLine(QPointF(9, 9), QPointF(16, 23));
    p.drawLine(QPointF(23, 9), QPointF(16, 23));
    const QColor colori[] = {QColor(0x34, 0x98, 0xdb), QColor(0xe6, 0x7e, 0x22), QColor(0x27, 0xae, 0x60)};
    const QPointF centri[] = {{9, 9}, {23, 9}, {16, 23}};
    for (int i = 0; i < 3; ++i) {
        penna(p, colori[i], colori[i].darker(150), 1.2);
        p.drawRect(QRectF(centri[i].x() - 5.5, centri[i].y() - 5.5, 11, 11));
    }
}

void disegnaRicopiaImporti(QPainter& p)
{
    foglio(p, 12, 9, 17, 21);
    foglio(p, 3, 2, 17, 21);
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(13, 17), QPointF(26, 17));
    p.drawPolyline(QPolygonF({{22, 13}, {26.5, 17}, {22, 21}}));
}

} // namespace

namespace TFrmClientiIcone {

QIcon annullaElimina() { return iconaDisegnata(disegnaAnnullaElimina); }
QIcon ricerca() { return iconaDisegnata(disegnaRicerca); }
QIcon ulterioriRighe() { return iconaDisegnata(disegnaUlterioriRighe); }
QIcon calcola() { return iconaDisegnata(disegnaCalcola); }
QIcon stampa() { return iconaDisegnata(disegnaStampa); }
QIcon saldo() { return iconaDisegnata(disegnaSaldo); }
QIcon modificaServizio() { return iconaDisegnata(disegnaModificaServizio); }
QIcon eliminaServizio() { return iconaDisegnata(disegnaEliminaServizio); }
QIcon raggruppamenti() { return iconaDisegnata(disegnaRaggruppamenti); }
QIcon ricopiaImporti() { return iconaDisegnata(disegnaRicopiaImporti); }

} // namespace TFrmClientiIcone
