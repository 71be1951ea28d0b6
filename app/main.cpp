#include "LigneCommande.h"

#include "commun/Version.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/Installation.h"
#include "ihm/Ressources.h"
#include "ihm/Traduction.h"
#include "stockage/EmplacementEtudes.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int SortieUsage = 1;
constexpr int SortieFichiers = 2;
// Another Sorvel works on the studies folder; the user has been told.
constexpr int SortieDossierOccupe = 3;

QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void Ecrire(std::FILE* sortie, const QString& texte) {
    std::fputs(texte.toLocal8Bit().constData(), sortie);
}

int ErreurDeLigneDeCommande(const QString& erreur) {
    Ecrire(stderr, QStringLiteral("sorvel : %1\nEssayez « sorvel --help ».\n").arg(erreur));
    return SortieUsage;
}

// Where the program and its studies lie, then every file of the program's
// folder that cannot be used.
int VerifierInstallation() {
    Ecrire(stdout, QStringLiteral("Dossier du programme : %1\nDossier des études : %2\n")
                       .arg(sorvel::DossierProgramme(), sorvel::DossierEtudesDemarrage(sorvel::DossierProgramme())));
    const auto defauts = sorvel::VerifierFichiersProgramme();
    for (const auto& d : defauts)
        Ecrire(stdout, QStringLiteral("Fichier « %1 » : %2.\n").arg(d.fichier, d.raison));
    if (!defauts.empty())
        return SortieFichiers;
    Ecrire(stdout, QStringLiteral("Les images, les curseurs et l'aide sont en place.\n"));
    return 0;
}

// Opening, at start-up, the stored study named on the command line (a study
// that cannot be opened is told, and the program goes on with a new study).
void OuvrirEtudeAuDemarrage(sorvel::MDIPlancher& fenetre, const sorvel::EtudeDemandee& etude) {
    fenetre.OuvrirEtude(etude.nom);
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version answer before any window system is reached, so
    // they work without a display.
    const sorvel::Lancement demande = sorvel::AnalyserLigneCommande(Arguments(argc, argv), QDir::currentPath());
    switch (demande.commande) {
    case sorvel::CommandeLancement::AfficherAide:
        Ecrire(stdout, sorvel::TexteAide());
        return 0;
    case sorvel::CommandeLancement::AfficherVersion:
        Ecrire(stdout, sorvel::TexteVersion());
        return 0;
    case sorvel::CommandeLancement::VerifierInstallation:
        // Pictures are loaded, nothing is shown: no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        break;
    case sorvel::CommandeLancement::Erreur:
        // Unless the window system may know the option, it is told now,
        // display or not.
        if (!demande.optionsFenetrage)
            return ErreurDeLigneDeCommande(demande.erreur);
        break;
    case sorvel::CommandeLancement::Demarrer:
        break;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvel"));
    QApplication::setApplicationVersion(QString::fromLatin1(sorvel::VersionSorvel));
    // The desktop matches the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.sorvel.Sorvel"));
    sorvel::InstallerFrancais(application);

    // The window system took its own options (-platform, -style...): what
    // is left is read again.
    const sorvel::Lancement lancement =
        sorvel::AnalyserLigneCommande(QApplication::arguments().mid(1), QDir::currentPath());
    if (lancement.commande == sorvel::CommandeLancement::Erreur)
        return ErreurDeLigneDeCommande(lancement.erreur);
    if (lancement.commande == sorvel::CommandeLancement::VerifierInstallation)
        return VerifierInstallation();

    // Every window, the main one included, carries the program's icon.
    QApplication::setWindowIcon(sorvel::IconeProgramme());

    // A study file named on the command line brings its own folder.
    const QString dossierEtudes = lancement.etude && !lancement.etude->dossier.isEmpty()
                                      ? lancement.etude->dossier
                                      : sorvel::DossierEtudesDemarrage(sorvel::DossierProgramme());
    sorvel::MDIPlancher fenetre(dossierEtudes);
    if (fenetre.Etude().Programme().EtatDemarrage() == sorvel::Demarrage::DossierOccupe)
        return SortieDossierOccupe;
    fenetre.show();
    if (lancement.etude)
        OuvrirEtudeAuDemarrage(fenetre, *lancement.etude);
    return application.exec();
}
