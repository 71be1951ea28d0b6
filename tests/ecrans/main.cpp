// One QApplication for the whole test program, French like the program
// itself; each test then builds the windows it needs.

#include "ihm/Traduction.h"

#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Test discovery runs the program outside CTest's environment: never
    // look for a display. The windows are drawn off screen, on a screen of
    // 800 x 600 pixels at 96 dots per inch: the smallest the program serves.
    QTemporaryFile ecran;
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (plateforme.isEmpty() || plateforme == "offscreen") {
        if (ecran.open()) {
            ecran.write(R"({"screens": [{"name": "Ecran", "x": 0, "y": 0, "width": 800, "height": 600,)"
                        R"( "logicalDpi": 96}]})");
            ecran.flush();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + ecran.fileName().toLocal8Bit());
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    QApplication application(argc, argv);
    sorvel::InstallerFrancais(application);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
