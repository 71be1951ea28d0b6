#include "commun/Version.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/Ressources.h"
#include "ihm/Traduction.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvel"));
    QApplication::setApplicationVersion(QString::fromLatin1(sorvel::VersionSorvel));
    sorvel::InstallerFrancais(application);
    // Every window, the main one included, carries the program's icon.
    QApplication::setWindowIcon(sorvel::IconeProgramme());

    sorvel::MDIPlancher fenetre(sorvel::DossierEtudesProgramme());
    fenetre.show();
    return application.exec();
}
