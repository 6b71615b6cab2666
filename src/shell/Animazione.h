#pragma once
#include <QTimer>
#include <QWidget>
#include <functional>

class QPainter;

// A small looping animation drawn by a function: one frame every interval, frames 0 to
// fotogrammi − 1. Runs while the widget is visible.
class Animazione : public QWidget
{
    Q_OBJECT
public:
    using Disegno = std::function<void(QPainter&, const QRectF&, int fotogramma)>;

    Animazione(Disegno disegno, int fotogrammi, int intervalloMs, QWidget* parent = nullptr);

    int fotogramma() const { return corrente; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    Disegno disegno;
    int fotogrammi;
    int corrente = 0;
    QTimer timer;
};
