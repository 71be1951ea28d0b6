#include "calcul/Diagnostic.h"

#include "commun/Nombres.h"

#include <cmath>

namespace sorvel {

namespace {

struct Etape {
    const char* nom;
    const char* libelle;
};

// The steps of the room calculation as the user knows them.
constexpr Etape Etapes[] = {
    {"TempMoyenne", "le calcul de la température moyenne de l'eau"},
    {"EcartEau", "le calcul de l'écart entre l'eau et la pièce"},
    {"SurfaceNette", "le calcul de la surface utile du plancher"},
    {"SurfaceNormale", "le calcul de la surface de la zone normale"},
    {"Besoin", "le calcul des déperditions à couvrir par le plancher"},
    {"DeperdCorrigees", "le calcul des déperditions corrigées"},
    {"EmissionNecessairePiece", "le calcul des émissions nécessaires pour la pièce"},
    {"EmissionNecessaireNormale", "le calcul des émissions nécessaires pour la zone normale"},
    {"CoefDemande", "le choix du coefficient d'émission de la zone normale"},
    {"PasVZNormale", "le choix du pas (VZ) de la zone normale"},
    {"PuissanceNormale", "le calcul de la puissance de la zone normale"},
    {"LongueurNormale", "le calcul de la longueur du circuit de la zone normale"},
    {"LongueurTube", "le calcul de la longueur des tubes"},
    {"EmissionConduites", "le calcul des émissions des conduites"},
    {"TempSurfaceNormale", "le calcul de la température superficielle de la zone normale"},
    {"TempSurfaceBordure", "le calcul de la température superficielle de la zone de bordure"},
    {"EmissionBasNormale", "la répartition des émissions vers le bas"},
    {"EmissionBasBordure", "la répartition des émissions vers le bas"},
    {"DebitCircuit", "le calcul du débit des circuits"},
    {"DebitNormale", "le calcul du débit du circuit de la zone normale"},
    {"DebitFrein", "le calcul du débit à freiner"},
    {"DebitFreinActuelle", "le calcul du débit à freiner avec la Rth actuelle"},
    {"DebitFreinFuture", "le calcul du débit à freiner avec la Rth future"},
    {"DebitAFreiner", "le calcul du débit à freiner"},
    {"MasseVolumique", "le calcul de la masse volumique de l'eau"},
    {"Viscosite", "le calcul de la viscosité de l'eau"},
    {"PerteNormale", "le calcul de la perte de charge de la zone normale"},
    {"PerteBordure", "le calcul de la perte de charge de la zone de bordure"},
    {"PerteChargeLineique", "le calcul de la perte de charge par mètre de tube"},
    {"EmissionBordureActuelle", "le calcul des émissions de la zone de bordure avec la Rth actuelle"},
    {"EmissionBordureFuture", "le calcul des émissions de la zone de bordure avec la Rth future"},
    {"EmissionMaxActuelle", "le calcul des émissions maximales de la zone normale avec la Rth actuelle"},
    {"EmissionMaxFuture", "le calcul des émissions maximales de la zone normale avec la Rth future"},
    {"EmissionNormaleActuelle", "le calcul des émissions de la zone normale avec la Rth actuelle"},
    {"EmissionNormaleFuture", "le calcul des émissions de la zone normale avec la Rth future"},
    {"AppointActuelle", "le calcul de l'appoint pour la Rth actuelle"},
    {"AppointFuture", "le calcul de l'appoint pour la Rth future"},
    {"LongueurBordure", "le calcul de la longueur du circuit de la zone de bordure"},
    {"PerteLaPlusElevee", "le calcul de la perte de charge la plus élevée de l'étude"},
    {"PerteArtificielleNormale", "le calcul de la perte de charge artificielle de la zone normale"},
    {"PerteArtificielleBordure", "le calcul de la perte de charge artificielle de la zone de bordure"},
    {"PuissanceThermique", "le calcul de la puissance thermique de la pièce"},
    {"DebitTotal", "le calcul du débit total de l'étude"},
};

// Inputs not chosen: the sentence is complete by itself.
constexpr Etape Entrees[] = {
    {"TempPiece", "la température de la pièce n'est pas choisie"},
    {"RthActuelle", "la résistance thermique actuelle du revêtement n'est pas choisie"},
    {"RthFuture", "la résistance thermique future du revêtement n'est pas choisie"},
};

// Number fields of the room that a damaged record may hold as NaN or
// infinity, by the caption the user knows them under.
constexpr Etape Valeurs[] = {
    {"SurfacePiece", "Surface de la pièce"},
    {"SurfaceEmprises", "Surface des emprises"},
    {"SurfaceBordure", "Surface zone de bordure"},
    {"SurfacePlafond", "Surface du plancher haut"},
    {"DeperdPiece", "Déperditions de la pièce"},
    {"DeperdPlancher", "Déperditions du plancher"},
    {"ApportPlafond", "Apport par le plafond"},
    {"EmissionsBas", "Emission vers le bas"},
    {"LongRaccordNormale", "Longueur des conduites de raccordement"},
    {"LongRaccordBordure", "Longueur des conduites de raccordement (si boucle indépendante)"},
    {"LongDistri", "Longueur des conduites de distribution (traversantes)"},
    {"PerteMaxEtude", "Perte de charge la plus élevée de l'étude"},
};

} // namespace

std::string LibelleEtape(const std::string& etape) {
    for (const Etape& e : Etapes)
        if (etape == e.nom)
            return e.libelle;
    return {};
}

std::string ExpliquerEchec(const EntreesPiece& e, const ErreurArithmetique& erreur) {
    // An input that could not even be read says so itself.
    for (const Etape& entree : Entrees)
        if (erreur.etape() == entree.nom)
            return entree.libelle;
    for (const Etape& valeur : Valeurs)
        if (erreur.etape() == valeur.nom)
            return std::string("la valeur « ") + valeur.libelle + " » n'est pas un nombre utilisable";
    // The usual causes, recognised from the inputs whatever the step that
    // met them first: each of them makes a later division impossible.
    const double moyenne = static_cast<double>(e.TempDepart) - static_cast<double>(e.TempChute) / 2.0;
    if (std::isfinite(moyenne) && std::abs(moyenne) < 32767.0 &&
        ArrondiPair(moyenne) == static_cast<double>(e.TempPiece))
        return "la température moyenne de l'eau est égale à la température de la pièce : "
               "augmenter la température de départ ou réduire la chute de température";
    if (e.TempChute == 0)
        return "la chute de température de l'eau (DeltaT) est nulle";
    if (e.SurfacePiece == 0)
        return "la surface de la pièce est nulle";
    const double nette = SurfaceNette(e.SurfacePiece, e.SurfaceEmprises);
    if (nette <= 0)
        return "la surface des emprises occupe toute la surface de la pièce";
    if (SurfaceBordureSaisie(e.TypeCharge) && nette - e.SurfaceBordure <= 0)
        return "la zone de bordure occupe toute la surface utile du plancher";
    // An edge zone without a pitch (only a damaged record holds one) gives
    // no emission and hence no flow.
    if (AvecZoneBordure(e.TypeCharge) && !e.PasVZBordure)
        return "le pas (VZ) de la zone de bordure «  » n'est pas 5, 10 ou 15 cm";

    std::string libelle = LibelleEtape(erreur.etape());
    if (libelle.empty())
        libelle = "l'étape « " + erreur.etape() + " » du calcul";
    return libelle + " est impossible (" + ErreurArithmetique::libelle(erreur.nature()) + ")";
}

} // namespace sorvel
