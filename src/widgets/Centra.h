#pragma once
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Places a top-level window in the middle of the screen it is on (the primary one before it is
// shown), keeping its current size.
inline void centraSulloSchermo(QWidget& finestra)
{
    QScreen* schermo = finestra.screen() ? finestra.screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect area = schermo->availableGeometry();
    QSize dim = finestra.frameGeometry().size();
    finestra.move(area.x() + (area.width() - dim.width()) / 2,
                  area.y() + (area.height() - dim.height()) / 2);
}

// Gives a top-level window the size asked for, or less where the screen it is on (the primary
// one before it is shown) has no room for it with its title bar and borders.
inline void dimensionaNelloSchermo(QWidget& finestra, QSize dim)
{
    if (QScreen* schermo = finestra.screen() ? finestra.screen() : QGuiApplication::primaryScreen()) {
        constexpr int bordi = 16, titolo = 40;
        const QRect area = schermo->availableGeometry();
        dim = dim.boundedTo(QSize(area.width() - bordi, area.height() - titolo));
    }
    finestra.resize(dim);
}
