#include "ecrans/MDIPlancher.h"
#include "ecrans/Ressources.h"
#include "ecrans/Traduction.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    sorvel::InstallerFrancais(application);
    // Every window, the main one included, carries the program's icon.
    QApplication::setWindowIcon(sorvel::IconeProgramme());

    sorvel::MDIPlancher fenetre;
    fenetre.show();
    return application.exec();
}
