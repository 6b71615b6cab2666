#include "Icone.h"
#include "IconaDisegnata.h"
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Head and shoulders of a person centred on cx; the shoulders end at the bottom edge b.
void busto(QPainter& p, qreal cx, qreal testaY, qreal r, qreal spalle, qreal b,
           const QColor& abito)
{
    const qreal alto = testaY + r + 1.2;
    const qreal curva = spalle * 0.7;
    QPainterPath corpo;
    corpo.moveTo(cx - spalle, b);
    corpo.lineTo(cx - spalle, alto + curva);
    corpo.quadTo(cx - spalle, alto, cx - spalle + curva, alto);
    corpo.lineTo(cx + spalle - curva, alto);
    corpo.quadTo(cx + spalle, alto, cx + spalle, alto + curva);
    corpo.lineTo(cx + spalle, b);
    corpo.closeSubpath();
    penna(p, abito, abito.darker(160));
    p.drawPath(corpo);
    penna(p, QColor(0xf2, 0xc6, 0x94), QColor(0xb0, 0x7a, 0x4a));
    p.drawEllipse(QPointF(cx, testaY), r, r);
}

void disegnaClienti(QPainter& p)
{
    busto(p, 21, 8.5, 4.8, 8.5, 28, QColor(0x7f, 0xa7, 0xd6));
    busto(p, 12, 12.5, 5.4, 10, 31, QColor(0x2f, 0x6d, 0xb5));
}

void disegnaAgenti(QPainter& p)
{
    busto(p, 16, 8.5, 6, 12, 31, QColor(0x3b, 0x4a, 0x5e));
    penna(p, Qt::white, QColor(0x9a, 0xa5, 0xb1), 0.8);
    p.drawPolygon(QPolygonF({{11.5, 16.8}, {20.5, 16.8}, {16, 26}}));
    penna(p, QColor(0xc0, 0x39, 0x2b), QColor(0x7b, 0x24, 0x1c), 0.7);
    p.drawPolygon(QPolygonF({{14.8, 17}, {17.2, 17}, {16.7, 19.4}, {15.3, 19.4}}));
    p.drawPolygon(QPolygonF({{15.3, 19.4}, {16.7, 19.4}, {17.8, 26.5}, {16, 28.5}, {14.2, 26.5}}));
}

void disegnaMagazzino(QPainter& p)
{
    const QColor cartone(0xd9, 0xa5, 0x5f), bordo(0x8a, 0x5a, 0x22), nastro(0xf1, 0xd9, 0xa8);
    auto scatola = [&](qreal x, qreal y, qreal w, qreal h) {
        penna(p, cartone, bordo);
        p.drawRect(QRectF(x, y, w, h));
        p.setPen(Qt::NoPen);
        p.setBrush(nastro);
        p.drawRect(QRectF(x + w / 2 - 1.5, y + 0.5, 3, h * 0.45));
        p.setPen(QPen(bordo, 0.8));
        p.drawLine(QPointF(x + 2, y + h - 3), QPointF(x + 6, y + h - 3));
    };
    scatola(2.5, 17, 13.5, 13);
    scatola(16, 17, 13.5, 13);
    scatola(9, 4.5, 14, 12.5);
}

// The delivery van, facing right: the routes and services.
void furgone(QPainter& p)
{
    const QColor bordo(0x34, 0x49, 0x5e);
    penna(p, QColor(0xf4, 0xf6, 0xf8), bordo);
    QPainterPath sagoma;
    sagoma.moveTo(1.5, 24);
    sagoma.lineTo(1.5, 9);
    sagoma.lineTo(21, 9);
    sagoma.lineTo(21, 12.5);
    sagoma.lineTo(26, 12.5);
    sagoma.lineTo(30.5, 18);
    sagoma.lineTo(30.5, 24);
    sagoma.closeSubpath();
    p.drawPath(sagoma);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x86, 0xc1));
    p.drawRect(QRectF(2, 17.5, 28, 2.5));
    penna(p, QColor(0xae, 0xd6, 0xf1), bordo, 0.8);
    p.drawPolygon(QPolygonF({{22.2, 14}, {25.4, 14}, {28.4, 17.5}, {22.2, 17.5}}));
    for (qreal x : {8.0, 24.0}) {
        penna(p, QColor(0x2c, 0x3e, 0x50), QColor(0x17, 0x20, 0x2a));
        p.drawEllipse(QPointF(x, 25), 3.8, 3.8);
        penna(p, QColor(0xbd, 0xc3, 0xc7), QColor(0x7f, 0x8c, 0x8d), 0.6);
        p.drawEllipse(QPointF(x, 25), 1.5, 1.5);
    }
}

// The euro sign drawn, so that it needs no font: an open ring crossed by two bars.
void euro(QPainter& p, const QColor& colore, const QRectF& anello, qreal spessore)
{
    p.setPen(QPen(colore, spessore, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(anello, 50 * 16, 260 * 16);
    p.setPen(QPen(colore, spessore * 0.7, Qt::SolidLine, Qt::FlatCap));
    const qreal x = anello.left() - 2, y = anello.top() + 4.6, fine = anello.right() - 5;
    p.drawLine(QPointF(x, y), QPointF(fine, y));
    p.drawLine(QPointF(x, y + 2.9), QPointF(fine - 0.5, y + 2.9));
}

void disegnaFatture(QPainter& p)
{
    const QColor bordo(0x5d, 0x6d, 0x7e);
    penna(p, Qt::white, bordo);
    p.drawPolygon(QPolygonF({{5.5, 1.5}, {20.5, 1.5}, {26.5, 7.5}, {26.5, 30.5}, {5.5, 30.5}}));
    penna(p, QColor(0xd5, 0xdb, 0xe1), bordo);
    p.drawPolygon(QPolygonF({{20.5, 1.5}, {20.5, 7.5}, {26.5, 7.5}}));
    p.setPen(QPen(QColor(0xaa, 0xb7, 0xb8), 1.2));
    p.drawLine(QPointF(9, 6), QPointF(17, 6));
    p.drawLine(QPointF(9, 9.5), QPointF(22.5, 9.5));
    euro(p, QColor(0x1e, 0x84, 0x49), QRectF(11.5, 14, 12, 12), 2.3);
}

void disegnaParametri(QPainter& p)
{
    QPainterPath ingranaggio;
    ingranaggio.addEllipse(QPointF(16, 16), 10.5, 10.5);
    for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(16, 16);
        t.rotate(i * 45);
        QPainterPath dente;
        dente.addRoundedRect(QRectF(-2.9, -14.8, 5.8, 7), 1.2, 1.2);
        ingranaggio = ingranaggio.united(t.map(dente));
    }
    QPainterPath foro;
    foro.addEllipse(QPointF(16, 16), 4.2, 4.2);
    ingranaggio = ingranaggio.subtracted(foro);
    QLinearGradient sfumatura(0, 0, 32, 32);
    sfumatura.setColorAt(0, QColor(0xb3, 0xbc, 0xc4));
    sfumatura.setColorAt(1, QColor(0x6c, 0x7a, 0x89));
    p.setPen(QPen(QColor(0x41, 0x4c, 0x57), 1.0));
    p.setBrush(sfumatura);
    p.drawPath(ingranaggio);
}

void disegnaPagamenti(QPainter& p)
{
    penna(p, QColor(0x6a, 0xbf, 0x69), QColor(0x2e, 0x7d, 0x32));
    p.drawRect(QRectF(1.5, 4.5, 24, 14));
    p.setPen(QPen(QColor(0xc8, 0xe6, 0xc9), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 6.5, 20, 10));
    penna(p, QColor(0xc8, 0xe6, 0xc9), QColor(0x2e, 0x7d, 0x32), 0.8);
    p.drawEllipse(QPointF(13.5, 11.5), 3.2, 3.2);
    penna(p, QColor(0x2e, 0x86, 0xc1), QColor(0x1b, 0x4f, 0x72));
    p.drawRoundedRect(QRectF(9.5, 14.5, 21, 14), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1b, 0x26, 0x31));
    p.drawRect(QRectF(10, 17.5, 20, 3));
    penna(p, QColor(0xf4, 0xd0, 0x3f), QColor(0xb7, 0x95, 0x0b), 0.6);
    p.drawRoundedRect(QRectF(12.5, 22, 4.5, 3.5), 0.8, 0.8);
}

void disegnaUscita(QPainter& p)
{
    penna(p, QColor(0x4e, 0x34, 0x2e), QColor(0x5d, 0x40, 0x37), 1.4);
    p.drawRect(QRectF(4.5, 3, 15, 27));
    penna(p, QColor(0xbc, 0xaa, 0xa4), QColor(0x5d, 0x40, 0x37));
    p.drawPolygon(QPolygonF({{4.5, 3}, {12.5, 6}, {12.5, 31.5}, {4.5, 30}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0x40, 0x37));
    p.drawEllipse(QPointF(10.8, 18), 1, 1);
    penna(p, QColor(0xe7, 0x4c, 0x3c), QColor(0x96, 0x28, 0x1b));
    p.drawPolygon(QPolygonF({{14, 14}, {22.5, 14}, {22.5, 9.5}, {30.5, 16.5},
                             {22.5, 23.5}, {22.5, 19}, {14, 19}}));
}

void disegnaLavatriceFerma(QPainter& p)
{
    Icone::disegnaLavatrice(p, QRectF(0, 0, 32, 32), 0);
}


// A sheet of paper with ruled lines.
void foglio(QPainter& p, qreal x, qreal y, qreal w, qreal h)
{
    penna(p, Qt::white, QColor(0x5d, 0x6d, 0x7e), 1.4);
    p.drawRect(QRectF(x, y, w, h));
    p.setPen(QPen(QColor(0x95, 0xa5, 0xa6), 1.4));
    for (qreal r = y + 5; r < y + h - 3; r += 4)
        p.drawLine(QPointF(x + 3, r), QPointF(x + w - 3, r));
}

void disegnaAnnullaElimina(QPainter& p)
{
    // The bin.
    penna(p, QColor(0xd5, 0xdb, 0xdb), QColor(0x5d, 0x6d, 0x7e), 1.4);
    p.drawPolygon(QPolygonF({{11, 14}, {27, 14}, {25, 30}, {13, 30}}));
    p.drawLine(QPointF(9.5, 12), QPointF(28.5, 12));
    // The arrow coming back out of it.
    p.setPen(QPen(QColor(0x1e, 0x84, 0x49), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath arco;
    arco.moveTo(22, 9);
    arco.cubicTo(20, 2, 8, 1, 6.5, 10);
    p.drawPath(arco);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x84, 0x49));
    p.drawPolygon(QPolygonF({{1.5, 8}, {11.5, 8.5}, {6, 16}}));
}

void disegnaElimina(QPainter& p)
{
    penna(p, QColor(0xd5, 0xdb, 0xdb), QColor(0x5d, 0x6d, 0x7e), 1.4);
    p.drawPolygon(QPolygonF({{9, 9}, {23, 9}, {21.5, 30}, {10.5, 30}}));
    p.drawRect(QRectF(6, 5.5, 20, 3.5));
    p.drawRect(QRectF(13, 2.5, 6, 3));
    p.setPen(QPen(QColor(0x5d, 0x6d, 0x7e), 1.4));
    for (qreal x : {13.0, 16.0, 19.0})
        p.drawLine(QPointF(x, 13), QPointF(x, 26.5));
}

void disegnaStatistica(QPainter& p)
{
    p.setPen(QPen(QColor(0x2c, 0x3e, 0x50), 1.6));
    p.drawLine(QPointF(3, 2), QPointF(3, 29.5));
    p.drawLine(QPointF(2.5, 29.5), QPointF(30, 29.5));
    penna(p, QColor(0x27, 0xae, 0x60), QColor(0x1e, 0x84, 0x49), 1);
    p.drawRect(QRectF(6, 17, 6, 12));
    p.drawRect(QRectF(18, 9, 6, 20));
    penna(p, QColor(0xe7, 0x4c, 0x3c), QColor(0xa9, 0x32, 0x26), 1);
    p.drawRect(QRectF(12, 11, 5, 18));
    p.drawRect(QRectF(24, 4, 5, 25));
}

void disegnaRicerca(QPainter& p)
{
    penna(p, QColor(0xd6, 0xea, 0xf8), QColor(0x2c, 0x3e, 0x50), 3);
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.setPen(QPen(QColor(0x6e, 0x4b, 0x2a), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.5, 20.5), QPointF(28.5, 28.5));
}

void disegnaAnteprima(QPainter& p)
{
    foglio(p, 3, 2, 19, 25);
    penna(p, QColor(0xd6, 0xea, 0xf8, 0xd0), QColor(0x2c, 0x3e, 0x50), 2.4);
    p.drawEllipse(QPointF(18, 18), 6.5, 6.5);
    p.setPen(QPen(QColor(0x6e, 0x4b, 0x2a), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23, 23), QPointF(29, 29));
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
    penna(p, QColor(0x5d, 0x6d, 0x7e), QColor(0x2c, 0x3e, 0x50), 1.4);
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
    penna(p, QColor(0x85, 0x92, 0x9e), QColor(0x2c, 0x3e, 0x50), 1.4);
    p.drawRoundedRect(QRectF(2, 12, 28, 12), 2, 2);
    penna(p, Qt::white, QColor(0x5d, 0x6d, 0x7e), 1.4);
    p.drawRect(QRectF(8, 20, 16, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0xcc, 0x71));
    p.drawEllipse(QPointF(25.5, 16), 1.5, 1.5);
}

void disegnaSaldo(QPainter& p)
{
    penna(p, QColor(0xf4, 0xd0, 0x3f), QColor(0xb7, 0x95, 0x0b), 1.6);
    p.drawEllipse(QPointF(14, 14), 11.5, 11.5);
    euro(p, QColor(0x7d, 0x66, 0x08), QRectF(10, 8, 11, 12), 2.2);
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
    p.translate(24, 7);
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
    p.drawLine(QPointF(21, 1), QPointF(30, 10));
    p.drawLine(QPointF(30, 1), QPointF(21, 10));
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

// The carton of the stock buttons with a sign on its lower right corner: a green plus for an
// increment, a red minus for a decrement.
void scatolaConSegno(QPainter& p, const QColor& colore, bool piu)
{
    penna(p, QColor(214, 170, 105), QColor(120, 80, 30), 2);
    p.drawRect(QRectF(3, 9, 20, 16));
    p.drawLine(QPointF(3, 14), QPointF(23, 14));
    p.setBrush(QColor(240, 215, 170));
    p.drawRect(QRectF(10, 9, 6, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(15, 15, 16, 16));
    p.setBrush(colore);
    p.drawRect(QRectF(17, 21.4, 12, 3.6));
    if (piu)
        p.drawRect(QRectF(21.2, 17.2, 3.6, 12));
}

void disegnaIncrementa(QPainter& p)
{
    scatolaConSegno(p, QColor(0, 140, 0), true);
}

void disegnaDecrementa(QPainter& p)
{
    scatolaConSegno(p, QColor(190, 0, 0), false);
}
} // namespace

namespace Icone {

QIcon clienti() { return iconaDisegnata(disegnaClienti); }
QIcon magazzino() { return iconaDisegnata(disegnaMagazzino); }
QIcon agenti() { return iconaDisegnata(disegnaAgenti); }
QIcon servizi() { return iconaDisegnata(furgone); }
QIcon fatture() { return iconaDisegnata(disegnaFatture); }
QIcon parametri() { return iconaDisegnata(disegnaParametri); }
QIcon pagamenti() { return iconaDisegnata(disegnaPagamenti); }
QIcon uscita() { return iconaDisegnata(disegnaUscita); }
QIcon lavatrice() { return iconaDisegnata(disegnaLavatriceFerma); }

QIcon annullaElimina() { return iconaDisegnata(disegnaAnnullaElimina); }
QIcon ricerca() { return iconaDisegnata(disegnaRicerca); }
QIcon elimina() { return iconaDisegnata(disegnaElimina); }
QIcon statistica() { return iconaDisegnata(disegnaStatistica); }
QIcon anteprima() { return iconaDisegnata(disegnaAnteprima); }
QIcon ulterioriRighe() { return iconaDisegnata(disegnaUlterioriRighe); }
QIcon calcola() { return iconaDisegnata(disegnaCalcola); }
QIcon stampa() { return iconaDisegnata(disegnaStampa); }
QIcon saldo() { return iconaDisegnata(disegnaSaldo); }
QIcon modificaServizio() { return iconaDisegnata(disegnaModificaServizio); }
QIcon eliminaServizio() { return iconaDisegnata(disegnaEliminaServizio); }
QIcon raggruppamenti() { return iconaDisegnata(disegnaRaggruppamenti); }
QIcon ricopiaImporti() { return iconaDisegnata(disegnaRicopiaImporti); }
QIcon incrementa() { return iconaDisegnata(disegnaIncrementa); }
QIcon decrementa() { return iconaDisegnata(disegnaDecrementa); }

void disegnaLavatrice(QPainter& p, const QRectF& r, qreal angolo)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal lato = qMin(r.width(), r.height());
    p.translate(r.center().x() - lato / 2, r.center().y() - lato / 2);
    p.scale(lato / 32.0, lato / 32.0);

    const QColor bordo(0x70, 0x7b, 0x7c);
    penna(p, QColor(0xf4, 0xf6, 0xf6), bordo);
    p.drawRoundedRect(QRectF(3.5, 1.5, 25, 29), 2.5, 2.5);
    penna(p, QColor(0xd5, 0xdb, 0xdb), bordo, 0.8);
    p.drawRoundedRect(QRectF(3.5, 1.5, 25, 6.5), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0xad, 0xe2));
    p.drawRect(QRectF(6.5, 3.7, 7, 2.2));
    penna(p, QColor(0xa6, 0xac, 0xaf), bordo, 0.6);
    p.drawEllipse(QPointF(23.5, 4.8), 1.8, 1.8);

    // The door, the glass and the drum with the laundry turning inside.
    const QPointF centro(16, 19);
    penna(p, QColor(0xbd, 0xc3, 0xc7), bordo);
    p.drawEllipse(centro, 9, 9);
    QPainterPath vetro;
    vetro.addEllipse(centro, 7, 7);
    p.setBrush(QColor(0xd6, 0xea, 0xf8));
    p.setPen(QPen(QColor(0x5d, 0x6d, 0x7e), 0.7));
    p.drawPath(vetro);
    p.save();
    p.setClipPath(vetro);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0xad, 0xe2, 170));
    QPainterPath acqua;
    acqua.moveTo(8, 21);
    const qreal onda = qSin(qDegreesToRadians(angolo * 2)) * 0.8;
    acqua.cubicTo(12, 19.5 + onda, 18, 22.5 - onda, 24, 20.5);
    acqua.lineTo(24, 27);
    acqua.lineTo(8, 27);
    acqua.closeSubpath();
    p.drawPath(acqua);
    p.translate(centro);
    p.rotate(angolo);
    const QColor panni[] = {QColor(0xe7, 0x4c, 0x3c), QColor(0xf1, 0xc4, 0x0f), QColor(0x8e, 0x44, 0xad)};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.rotate(i * 120);
        p.setBrush(panni[i]);
        p.drawEllipse(QPointF(0, -3.6), 2.6, 1.7);
        p.restore();
    }
    p.restore();
    p.setPen(QPen(Qt::white, 1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centro.x() - 5, centro.y() - 5, 10, 10), 100 * 16, 50 * 16);
    p.restore();
}

} // namespace Icone
