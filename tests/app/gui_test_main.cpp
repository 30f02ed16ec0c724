// Runs the window tests inside a QApplication on the offscreen platform, in the language the
// program would speak (CTest forces Japanese, and runs the command audit again in an English locale).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/language.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    shinofu::app::installLanguage();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
