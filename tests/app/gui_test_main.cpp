// Runs the window tests inside a QApplication on the offscreen platform, in English when
// SHINOFU_LANG asks for it (the command audit runs in both languages).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/language.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (std::getenv("SHINOFU_LANG")) shinofu::app::installLanguage();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
