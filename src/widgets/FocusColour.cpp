#include "FocusColour.h"
#include <QEvent>
#include <QWidget>

FocusColour::FocusColour(QWidget* w) : QObject(w), box(w) {}

FocusColour* FocusColour::install(QWidget* box)
{
    auto* f = new FocusColour(box);
    box->installEventFilter(f);
    return f;
}

bool FocusColour::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != box)
        return false;
    if (e->type() == QEvent::FocusIn && !coloured) {
        coloured = true;
        hadPalette = box->testAttribute(Qt::WA_SetPalette);
        hadFont = box->testAttribute(Qt::WA_SetFont);
        ownPalette = box->palette();
        ownFont = box->font();
        QPalette p = ownPalette;
        p.setColor(QPalette::Base, aqua);
        box->setPalette(p);
        QFont f = ownFont;
        f.setBold(true);
        box->setFont(f);
    } else if (e->type() == QEvent::FocusOut && coloured) {
        coloured = false;
        // A box that took its colours from the window takes them from it again.
        box->setPalette(hadPalette ? ownPalette : QPalette());
        box->setFont(hadFont ? ownFont : QFont());
    }
    return false;
}
