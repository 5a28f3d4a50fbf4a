// Window tests run without a display: the offscreen platform unless the caller chose another one. ctest sets
// it too, but gtest_discover_tests also runs this program while building.
#include <clocale>
#include <cstdlib>

#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include "app/window/Fonts.h"

int main(int argc, char* argv[]) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Settings the window keeps between runs go to a test folder, never to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavrel", "tavrel").clear();
    std::setlocale(LC_NUMERIC, "C");
    tavrel::window::InstallSongFace();
    return RUN_ALL_TESTS();
}
