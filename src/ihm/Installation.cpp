#include "ihm/Installation.h"

#include "ihm/LecteurChm.h"
#include "ihm/ModAide.h"
#include "ihm/Ressources.h"

#include <QFileInfo>

namespace sorvel {

namespace {

const ContexteAide ContextesEcrans[] = {
    AideDonneesGenerales, AideCircuits, AideCharge, AidePiece,
    AideConduites, AideResultats, AideCorrection, AideIncertitude, AideDeperditions,
};

const QString Absent = QStringLiteral("absent");
const QString Endommage = QStringLiteral("illisible ou endommagé");

bool Present(const QString& nom) {
    return QFileInfo(DossierProgramme() + QLatin1Char('/') + nom).isFile();
}

void VerifierAide(std::vector<FichierInutilisable>& defauts) {
    if (!Present(FichierAide)) {
        defauts.push_back({FichierAide, Absent});
        return;
    }
    const LecteurChm aide(CheminAide());
    if (!aide.estOuvert()) {
        defauts.push_back({FichierAide, Endommage});
        return;
    }
    if (!aide.fenetre(FenetreAide))
        defauts.push_back({FichierAide, QStringLiteral("sans la fenêtre d'aide « %1 »").arg(FenetreAide)});
    const QString defaut = aide.sujetParDefaut();
    if (defaut.isEmpty() || !aide.lire(defaut))
        defauts.push_back({FichierAide, QStringLiteral("sans page d'accueil")});
    for (ContexteAide contexte : ContextesEcrans) {
        const auto sujet = aide.sujetDuContexte(contexte);
        if (!sujet || !aide.lire(*sujet))
            defauts.push_back({FichierAide, QStringLiteral("sans page pour le contexte %1").arg(int(contexte))});
    }
}

} // namespace

std::vector<FichierInutilisable> VerifierFichiersProgramme() {
    std::vector<FichierInutilisable> defauts;
    for (const QString& image : ImagesProgramme) {
        if (!Present(image))
            defauts.push_back({image, Absent});
        else if (ChargerImage(image).isNull())
            defauts.push_back({image, Endommage});
    }
    for (const QString& curseur : CurseursProgramme) {
        if (!Present(curseur))
            defauts.push_back({curseur, Absent});
        else if (!ChargerCurseur(curseur))
            defauts.push_back({curseur, Endommage});
    }
    VerifierAide(defauts);
    if (!Present(FichierTemperaturesBase))
        defauts.push_back({FichierTemperaturesBase, Absent});
    return defauts;
}

} // namespace sorvel
