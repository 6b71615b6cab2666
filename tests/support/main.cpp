#include "Locale.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs with a QApplication on the offscreen platform unless told
// otherwise, on one screen of the office's size (1366 x 768), and with the Italian formats the
// program sets at start-up.
int main(int argc, char** argv)
{
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    if (piattaforma.isEmpty() || piattaforma == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LAV_SCHERMO_PROVA);
    QApplication app(argc, argv);
    impostaFormatiItaliani();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
