#pragma once
#include <QString>

class QWidget;

// Pictures of the windows and reports for a look by eye, written by scripts/screenshots into the
// folder named by LAV_SCREENSHOTS. Without the variable there is nothing to do:
//
//     if (cartellaSchermate().isEmpty())
//         GTEST_SKIP() << "LAV_SCREENSHOTS not set";
//     salvaFinestra(principale, "principale");

// The folder named by LAV_SCREENSHOTS, made if missing; empty when the variable is not set.
QString cartellaSchermate();

// The path of a file of that folder.
QString fileSchermata(const QString& nomeFile);

// The window shown, given time to draw itself and saved as <nome>.png into the folder.
void salvaFinestra(QWidget& w, const QString& nome);
