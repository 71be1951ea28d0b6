#include "LigneCommande.h"

#include "commun/Version.h"
#include "stockage/EmplacementEtudes.h"

#include <QDir>

namespace sorvel {

namespace {

const QString OptionAide = QStringLiteral("--help");
const QString OptionAideCourte = QStringLiteral("-h");
const QString OptionVersion = QStringLiteral("--version");
const QString OptionVerifier = QStringLiteral("--verifier-installation");
const QString FinDesOptions = QStringLiteral("--");

// The three files of a stored study; any of them names it.
const QStringList ExtensionsEtude = {QStringLiteral(".pla"), QStringLiteral(".plp"), QStringLiteral(".plg")};

QString Guillemets(const QString& texte) { return QStringLiteral("« %1 »").arg(texte); }

std::optional<EtudeDemandee> EtudeDeLArgument(const QString& argument, const QString& repertoireCourant) {
    QString extension;
    for (const QString& e : ExtensionsEtude)
        if (argument.endsWith(e))
            extension = e;
    if (extension.isEmpty() && !argument.contains(QLatin1Char('/'))) {
        if (argument.trimmed().isEmpty())
            return std::nullopt;
        return EtudeDemandee{QString(), argument};
    }
    const QString chemin = QDir::cleanPath(QDir(repertoireCourant).absoluteFilePath(argument));
    const qsizetype barre = chemin.lastIndexOf(QLatin1Char('/'));
    QString nom = chemin.mid(barre + 1);
    if (!extension.isEmpty() && nom.endsWith(extension))
        nom.chop(extension.size());
    // A folder ("Etudes/") or a bare extension (".pla") names no study.
    if (argument.endsWith(QLatin1Char('/')) || nom.trimmed().isEmpty())
        return std::nullopt;
    return EtudeDemandee{barre == 0 ? QStringLiteral("/") : chemin.left(barre), nom};
}

} // namespace

Lancement AnalyserLigneCommande(const QStringList& arguments, const QString& repertoireCourant) {
    Lancement l;
    bool aide = false;
    bool version = false;
    bool verifier = false;
    bool optionsFinies = false;
    QStringList etudes;
    QString erreur;
    for (const QString& a : arguments) {
        if (!optionsFinies && a == FinDesOptions) {
            optionsFinies = true;
        } else if (!optionsFinies && (a == OptionAide || a == OptionAideCourte)) {
            aide = true;
        } else if (!optionsFinies && a == OptionVersion) {
            version = true;
        } else if (!optionsFinies && a == OptionVerifier) {
            verifier = true;
        } else if (!optionsFinies && a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            if (!a.startsWith(FinDesOptions))
                l.optionsFenetrage = true;
            if (erreur.isEmpty())
                erreur = QStringLiteral("Option inconnue : %1.").arg(Guillemets(a));
        } else {
            etudes << a;
        }
    }
    if (aide) {
        l.commande = CommandeLancement::AfficherAide;
        return l;
    }
    if (version) {
        l.commande = CommandeLancement::AfficherVersion;
        return l;
    }
    if (erreur.isEmpty() && etudes.size() > 1)
        erreur = QStringLiteral("Une seule étude s'ouvre au démarrage : %1 et %2 sont donnés.")
                     .arg(Guillemets(etudes[0]), Guillemets(etudes[1]));
    if (erreur.isEmpty() && verifier && !etudes.isEmpty())
        erreur = QStringLiteral("L'option %1 ne prend pas d'étude.").arg(OptionVerifier);
    if (erreur.isEmpty() && etudes.size() == 1) {
        l.etude = EtudeDeLArgument(etudes[0], repertoireCourant);
        if (!l.etude)
            erreur = QStringLiteral("%1 ne désigne pas une étude.").arg(Guillemets(etudes[0]));
    }
    if (!erreur.isEmpty()) {
        l.commande = CommandeLancement::Erreur;
        l.etude.reset();
        l.erreur = erreur;
        return l;
    }
    l.commande = verifier ? CommandeLancement::VerifierInstallation : CommandeLancement::Demarrer;
    return l;
}

QString TexteAide() {
    return QStringLiteral(
               "Usage : sorvel [ÉTUDE]\n"
               "        sorvel --help | --version | --verifier-installation\n"
               "\n"
               "Sorvel dimensionne les grilles chauffantes (plancher chauffant hydraulique)\n"
               "des logements individuels.\n"
               "\n"
               "ÉTUDE, l'étude enregistrée à ouvrir au démarrage :\n"
               "  FICHIER.pla  un fichier de l'étude (ou son .plp, son .plg) ; le dossier\n"
               "               du fichier devient le dossier des études de la session ;\n"
               "  NOM          le nom d'une étude du dossier des études.\n"
               "\n"
               "Options :\n"
               "  --help, -h   affiche cette aide et quitte.\n"
               "  --version    affiche la version et quitte.\n"
               "  --verifier-installation\n"
               "               vérifie que les images, les curseurs et l'aide se trouvent\n"
               "               à côté du programme et sont lisibles, puis quitte.\n"
               "\n"
               "Dossier des études : « %1 » à côté du programme quand le dossier du\n"
               "programme est accessible en écriture (dossier de construction, copie sur\n"
               "une clé USB) ; sinon « %2 » dans le dossier des documents de\n"
               "l'utilisateur, créé au premier démarrage. La variable d'environnement\n"
               "%3 impose un autre dossier (un disque partagé, par exemple).\n"
               "Un seul Sorvel à la fois travaille sur un dossier des études.\n"
               "\n"
               "Codes de sortie :\n"
               "  0  fin normale ;\n"
               "  1  ligne de commande incorrecte ;\n"
               "  2  (--verifier-installation) un fichier manque ou est illisible ;\n"
               "  3  un autre Sorvel travaille déjà sur le dossier des études.\n")
        .arg(NomDossierEtudes, SousDossierDocuments, QString::fromLatin1(VariableDossierEtudes));
}

QString TexteVersion() { return QStringLiteral("Sorvel %1\n").arg(QString::fromLatin1(VersionSorvel)); }

} // namespace sorvel
