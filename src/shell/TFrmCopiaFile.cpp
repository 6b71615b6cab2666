#include "TFrmCopiaFile.h"
#include "Animazione.h"
#include "Centra.h"
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QtMath>

namespace {

constexpr int Fotogrammi = 20;

const QColor Giallo(0xf5, 0xc8, 0x4c), BordoCartella(0xa4, 0x7a, 0x12);

void dorsoCartella(QPainter& p, qreal x, qreal y)
{
    p.setPen(QPen(BordoCartella, 1));
    p.setBrush(Giallo.darker(112));
    QPainterPath dorso;
    dorso.moveTo(x, y + 4);
    dorso.lineTo(x, y);
    dorso.lineTo(x + 11, y);
    dorso.lineTo(x + 14, y + 4);
    dorso.lineTo(x + 36, y + 4);
    dorso.lineTo(x + 36, y + 28);
    dorso.lineTo(x, y + 28);
    dorso.closeSubpath();
    p.drawPath(dorso);
}

void frontaleCartella(QPainter& p, qreal x, qreal y)
{
    p.setPen(QPen(BordoCartella, 1));
    p.setBrush(Giallo);
    p.drawRect(QRectF(x, y + 8, 36, 20));
}

void foglio(QPainter& p, const QPointF& centro, qreal inclinazione)
{
    p.save();
    p.translate(centro);
    p.rotate(inclinazione);
    p.setPen(QPen(QColor(0x5d, 0x6d, 0x7e), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{-7, -9}, {3, -9}, {7, -5}, {7, 9}, {-7, 9}}));
    p.setPen(QPen(QColor(0xaa, 0xb7, 0xb8), 1));
    for (qreal y : {-4.0, -1.0, 2.0, 5.0})
        p.drawLine(QPointF(-4, y), QPointF(4, y));
    p.restore();
}

// A sheet leaves the left folder, flies in an arc and drops into the right one.
void disegnaCopia(QPainter& p, const QRectF& r, int f)
{
    p.translate(r.center().x() - 110, r.center().y() - 30);
    dorsoCartella(p, 0, 26);
    dorsoCartella(p, 184, 26);
    const qreal t = qreal(f) / (Fotogrammi - 1);
    const QPointF da(18, 34), a(202, 34);
    const QPointF punto(da.x() + (a.x() - da.x()) * t, da.y() - qSin(t * M_PI) * 26);
    foglio(p, punto, (t - 0.5) * 50);
    frontaleCartella(p, 0, 26);
    frontaleCartella(p, 184, 26);
}

} // namespace

TFrmCopiaFile::TFrmCopiaFile(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle("Copia in corso...");
    animazione = new Animazione(disegnaCopia, Fotogrammi, 50, this);
    animazione->setFixedHeight(64);
    lblNome = new QLabel(this);
    lblPercorso = new QLabel(this);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(16, 12, 16, 16);
    l->addWidget(animazione);
    l->addWidget(lblNome);
    l->addWidget(lblPercorso);
    l->setSpacing(8);
    l->setSizeConstraint(QLayout::SetFixedSize);
    animazione->setMinimumWidth(368);
}

void TFrmCopiaFile::mostraFile(const QString& nome, const QString& da, const QString& a)
{
    lblNome->setText(nome);
    lblPercorso->setText("da '" + da + "/" + nome + "' a '" + a + "/" + nome + "'");
    repaint();
    // Lets the window reach the screen and the animation move between one file and the next.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmCopiaFile::mostraMancati(const QStringList& mancati)
{
    lblNome->setText(QStringLiteral("File non copiati:"));
    lblPercorso->setText(mancati.join('\n'));
    repaint();
}

void TFrmCopiaFile::showEvent(QShowEvent* e)
{
    centraSulloSchermo(*this);
    QDialog::showEvent(e);
}
