#include "Animazione.h"
#include <QPainter>

Animazione::Animazione(Disegno disegno, int fotogrammi, int intervalloMs, QWidget* parent)
    : QWidget(parent), disegno(std::move(disegno)), fotogrammi(fotogrammi)
{
    timer.setInterval(intervalloMs);
    connect(&timer, &QTimer::timeout, this, [this] {
        corrente = (corrente + 1) % this->fotogrammi;
        update();
    });
}

void Animazione::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    disegno(p, QRectF(rect()), corrente);
}

void Animazione::showEvent(QShowEvent*)
{
    corrente = 0;
    timer.start();
}

void Animazione::hideEvent(QHideEvent*)
{
    timer.stop();
}
