// One QGuiApplication for the whole test program: the reports need fonts,
// not a screen.

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Test discovery runs the program outside CTest's environment: never
    // look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
