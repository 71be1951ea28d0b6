#include "ecrans/MDIPlancher.h"
#include "ecrans/Traduction.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvel"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    sorvel::InstallerFrancais(application);

    sorvel::MDIPlancher fenetre;
    fenetre.show();
    return application.exec();
}
