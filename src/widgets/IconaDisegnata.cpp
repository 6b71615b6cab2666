#include "IconaDisegnata.h"
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace {

class MotoreDisegno : public QIconEngine
{
public:
    explicit MotoreDisegno(std::function<void(QPainter&)> d) : disegno(std::move(d)) {}

    void paint(QPainter* p, const QRect& r, QIcon::Mode mode, QIcon::State) override
    {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(r.topLeft());
        p->scale(r.width() / 32.0, r.height() / 32.0);
        if (mode == QIcon::Disabled)
            p->setOpacity(0.35);
        disegno(*p);
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new MotoreDisegno(disegno); }

private:
    std::function<void(QPainter&)> disegno;
};

} // namespace

QIcon iconaDisegnata(std::function<void(QPainter&)> disegno)
{
    return QIcon(new MotoreDisegno(std::move(disegno)));
}

void penna(QPainter& p, const QColor& riempimento, const QColor& bordo, qreal spessore)
{
    p.setPen(QPen(bordo, spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(riempimento);
}
