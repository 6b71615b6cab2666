#include "Locale.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs with a QApplication on the offscreen platform unless told
// otherwise, and with the Italian formats the program sets at start-up.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    impostaFormatiItaliani();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
