#pragma once

// The command line of `sorvel`: what the user asked for, read before any
// window exists (--help and --version work without a display).

#include <QString>
#include <QStringList>

#include <optional>

namespace sorvel {

enum class CommandeLancement {
    Demarrer,              // the main window, with a study to open or not
    AfficherAide,          // --help, -h
    AfficherVersion,       // --version
    VerifierInstallation,  // --verifier-installation
    Erreur,                // a wrong command line; `erreur` says why
};

// A stored study named on the command line.
struct EtudeDemandee {
    // The folder that holds its files, absolute and clean; empty for a bare
    // name, which belongs to the run's usual studies folder.
    QString dossier;
    // The name the three files share (NOM.pla, NOM.plp, NOM.plg).
    QString nom;

    bool operator==(const EtudeDemandee&) const = default;
};

struct Lancement {
    CommandeLancement commande = CommandeLancement::Demarrer;
    std::optional<EtudeDemandee> etude;
    QString erreur;  // French sentence, for CommandeLancement::Erreur
    // An unknown option has a single dash, as the window system's own have
    // (-platform, -style...): the line is to be read again once the window
    // system has taken them out.
    bool optionsFenetrage = false;
};

// Reads `arguments` (without the program's name). An argument that ends with
// .pla, .plp or .plg, or holds a "/", is the path of a stored study's file,
// read from `repertoireCourant` when relative; any other is the name of a
// study of the usual studies folder. After "--" every argument is a study.
// --help wins over everything else, then --version.
Lancement AnalyserLigneCommande(const QStringList& arguments, const QString& repertoireCourant);

// What --help and --version print.
QString TexteAide();
QString TexteVersion();

} // namespace sorvel
