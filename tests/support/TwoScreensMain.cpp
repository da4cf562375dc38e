// Test entry for programs that need a desktop of two screens side by side:
// the offscreen platform, laid out by the screen file the build names.

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    // Whatever platform the caller chose, these tests need the two screens.
    const std::string platform = std::string("offscreen:configfile=") + LEXMOOR_SCREENS_FILE;
    setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
