#pragma once
#include <QApplication>

// Shows the hourglass for the lifetime of the guard: windows use it while they are created and
// during long operations. Guards nest.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
