#include "etude/PresentationResultats.h"

#include "commun/Nombres.h"
#include "etude/CalculEtude.h"

#include <algorithm>
#include <string_view>

namespace sorvel {

namespace {

// The rules compare the value the user reads, not the digits hidden behind it.
double Affichee(double x) { return Arrondir(x, 2); }

constexpr FormatValeur Normal{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};

} // namespace

std::array<int, 3> Rvb(CouleurValeur couleur) {
    switch (couleur) {
    case CouleurValeur::Bleu: return {0, 0, 255};
    case CouleurValeur::Rouge: return {255, 0, 0};
    case CouleurValeur::Orange: return {255, 128, 0};
    case CouleurValeur::Vert: return {0, 128, 0};
    case CouleurValeur::TexteFenetre: break;
    }
    return {0, 0, 0};
}

std::string TexteArrondi(double x) { return FormatGeneral(Affichee(x)); }

FormatValeur FormatSiPositif(double x) {
    return Affichee(x) > 0 ? FormatValeur{true, CouleurValeur::Bleu} : Normal;
}

// A longer loop needs too much pump head: the small pipe reaches it sooner.
double LongueurBoucleOrange(DiametreTube tube) { return tube == DiametreTube::D13x16 ? 80.0 : 120.0; }
double LongueurBoucleRouge(DiametreTube tube) { return tube == DiametreTube::D13x16 ? 120.0 : 160.0; }

FormatValeur FormatLongueurBoucle(double longueur, DiametreTube tube) {
    const double l = Affichee(longueur);
    const double orange = LongueurBoucleOrange(tube);
    const double rouge = LongueurBoucleRouge(tube);
    if (l > rouge)
        return {true, CouleurValeur::Rouge};
    if (l > orange && l < rouge)
        return {true, CouleurValeur::Orange};
    return Gras;
}

FormatValeur FormatTempSurface(double temperature) {
    // Above 28 °C the floor is uncomfortable to stand on.
    return Affichee(temperature) > TempSurfaceMaximale ? FormatValeur{true, CouleurValeur::Rouge} : Normal;
}

// The tooltips follow the colour rules above to the digit: a value shown
// plain has none.

std::string InfoBulleTempSurface(double temperature) {
    if (FormatTempSurface(temperature).Couleur == CouleurValeur::TexteFenetre)
        return {};
    return "Température de surface " + TexteArrondi(temperature) + " °C : au-dessus de "
           + FormatGeneral(TempSurfaceMaximale) + " °C. Réduire le pas ou la température de départ.";
}

std::string InfoBulleLongueurBoucle(double longueur, DiametreTube tube, ZoneBoucle zone) {
    const CouleurValeur couleur = FormatLongueurBoucle(longueur, tube).Couleur;
    if (couleur == CouleurValeur::TexteFenetre)
        return {};
    const bool normale = zone == ZoneBoucle::Normale;
    const std::string debut = "Longueur de boucle " + TexteArrondi(longueur) + " m : au-dessus de ";
    const std::string rouge = FormatGeneral(LongueurBoucleRouge(tube));
    if (couleur == CouleurValeur::Rouge)
        return debut + rouge + " m, limite du tube " + TexteTube(tube) + ". "
               + (normale ? "Partager la zone en boucles égales (« Nombre de boucles », page 3/4) ou rapprocher "
                            "le collecteur."
                          : "Rapprocher le collecteur ou réduire la zone de bordure.");
    return debut + FormatGeneral(LongueurBoucleOrange(tube)) + " m, boucle longue pour le tube " + TexteTube(tube)
           + " (limite " + rouge + " m). "
           + (normale ? "Vérifier la perte de charge ou partager la zone en boucles égales."
                      : "Vérifier la perte de charge ou rapprocher le collecteur.");
}

std::string InfoBulleSiPositif(ValeurARegler valeur, double x) {
    if (FormatSiPositif(x).Couleur == CouleurValeur::TexteFenetre)
        return {};
    const std::string v = TexteArrondi(x);
    switch (valeur) {
    case ValeurARegler::AppointActuelle:
    case ValeurARegler::AppointFuture:
        return "Appoint " + v + " W avec la Rth "
               + (valeur == ValeurARegler::AppointActuelle ? "actuelle" : "future")
               + " : au-dessus de 0 W, le plancher seul ne couvre pas les déperditions. Prévoir un chauffage "
                 "d'appoint ou un revêtement moins résistant.";
    case ValeurARegler::DebitFreinActuelle:
    case ValeurARegler::DebitFreinFuture:
        return "Débit à freiner " + v + " l/h avec la Rth "
               + (valeur == ValeurARegler::DebitFreinActuelle ? "actuelle" : "future")
               + " : au-dessus de 0 l/h, la boucle donne plus que la pièce ne demande. Réduire son débit au "
                 "collecteur.";
    case ValeurARegler::PerteArtificielle:
        break;
    }
    return "Perte de charge artificielle " + v
           + " mmCE : au-dessus de 0 mmCE, la boucle résiste moins que la plus résistante de l'étude. L'ajouter en "
             "réglant la vanne de la boucle (fenêtre « Équilibrage »).";
}

std::string InfoBullePerteMaxi(const std::string& texte) {
    return "Perte de charge " + texte
           + " mmCE : la plus élevée de l'étude. Cette boucle fixe la pression que le circulateur doit fournir ; sa "
             "vanne reste grande ouverte.";
}

std::vector<SegmentLegende> LegendeCouleurs(DiametreTube tube) {
    const std::string orange = FormatGeneral(LongueurBoucleOrange(tube));
    const std::string rouge = FormatGeneral(LongueurBoucleRouge(tube));
    const std::string dutube = std::string(" (tube ") + TexteTube(tube) + ")";
    return {
        {"Couleurs —", CouleurValeur::TexteFenetre, true},
        {" bleu", CouleurValeur::Bleu, true},
        {" : appoint, débit à freiner ou perte de charge artificielle ;",
         CouleurValeur::TexteFenetre, false},
        {" orange", CouleurValeur::Orange, true},
        {" : boucle de plus de " + orange + " m" + dutube + " ;", CouleurValeur::TexteFenetre, false},
        {" rouge", CouleurValeur::Rouge, true},
        {" : boucle de plus de " + rouge + " m ou sol à plus de " + FormatGeneral(TempSurfaceMaximale) + " °C ;",
         CouleurValeur::TexteFenetre, false},
        {" vert", CouleurValeur::Vert, true},
        {" : plus forte perte de charge de l'étude.", CouleurValeur::TexteFenetre, false},
    };
}

std::string TexteLegendeCouleurs(DiametreTube tube) {
    std::string texte;
    for (const SegmentLegende& s : LegendeCouleurs(tube))
        texte += s.Texte;
    return texte;
}

std::string TexteBouclesNormales(int boucles, double longueur) {
    return boucles > 1 ? std::to_string(boucles) + " boucles de " + TexteArrondi(longueur) + " m"
                       : TexteArrondi(longueur);
}

std::string TexteBouclesNormalesCourt(int boucles, double longueur) {
    return boucles > 1 ? std::to_string(boucles) + " × " + TexteArrondi(longueur) : TexteArrondi(longueur);
}

std::array<LigneResultatPiece, NombreLignesResultats> LignesResultatsPiece(const Piece& d, DiametreTube tube,
                                                                     const ResultatsPiece& r) {
    const bool boucle = BoucleBordureIndependante(d.TypeCharge);
    const bool zone = AvecZoneBordure(d.TypeCharge);
    const auto v = [](double x) { return TexteArrondi(x); };
    const auto si = [](bool existe, std::string texte) { return existe ? std::move(texte) : std::string(); };
    // The normal zone laid as equal loops shows how many, and the length of
    // each with its own connecting pipes, which its colour judges.
    const int boucles = std::max(1, d.Boucles);
    const double longueurNormale = d.LongRaccordNormale + r.LongueurNormale / boucles;
    const std::string texteNormale = TexteBouclesNormales(boucles, longueurNormale);
    const double longueurBordure = d.LongRaccordBordure + r.LongueurBordure;

    std::array<LigneResultatPiece, NombreLignesResultats> lignes{{
        {"Nom de la pièce", "", Nettoyer(d.NomPiece), Gras},
        {"Température de la pièce", "°C", TexteEntier(d.TempPiece), Normal},
        {"Surface utile du plancher chauffant", "m²", v(SurfaceUtile(d)), Normal},
        {"Déperditions corrigées", "W", v(r.DeperdCorrigees), Normal},
        {"Emissions nécessaires pour la pièce", "W/(m².K)", v(r.EmissionNecessairePiece), Normal},
        {"Emissions utilisées pour la zone de bordure", "W/(m².K)",
         v(Mini(r.CoefBordureActuelle, r.CoefBordureFuture)), Normal},
        {"Emissions nécessaires pour la zone normale", "W/(m².K)", v(r.EmissionNecessaireNormale), Normal},
        {"Emissions utilisées en zone normale", "W/(m².K)", v(r.EmissionUtiliseeNormale), Normal},
        {"Chute de température Départ/Retour (DeltaT eau)", "°C", FormatGeneral(d.TempChute), Normal},
        {"Appoint pour la Rth actuelle", "W", v(r.AppointActuelle), FormatSiPositif(r.AppointActuelle)},
        {"Appoint pour la Rth future", "W", v(r.AppointFuture), FormatSiPositif(r.AppointFuture)},
        {"Pas (VZ) zone normale", "cm", TextePasNormale(r.PasVZNormale), Gras},
        {"Pas (VZ) zone de bordure", "cm", si(zone, TextePas(d.PasVZBordure)), Gras},
        {"Longueur totale du circuit zone normale (normale ou combinée)", "m", texteNormale,
         FormatLongueurBoucle(longueurNormale, tube)},
        {"Longueur totale du circuit zone de bordure (si boucle indépendante)", "m",
         si(boucle, v(longueurBordure)), boucle ? FormatLongueurBoucle(longueurBordure, tube) : Gras},
        {"Emissions des conduites de raccordement", "W", v(r.EmissionRaccordNormale), Normal},
        {"Emissions des conduites de raccordement (si boucle indépendante)", "W",
         si(boucle, v(r.EmissionRaccordBordure)), Normal},
        {"Emissions du panneau vers le bas", "W", v(r.EmissionBasNormale + r.EmissionBasBordure), Normal},
        {"Débit total du circuit zone normale (normale ou combinée)", "l/h", v(r.DebitNormale), Gras},
        {"Débit total du circuit zone de bordure (si boucle indépendante)", "l/h", si(boucle, v(r.DebitBordure)),
         Gras},
        {"Débit à freiner avec la Rth actuelle", "l/h", v(r.DebitFreinActuelle), FormatSiPositif(r.DebitFreinActuelle)},
        {"Débit à freiner avec la Rth future", "l/h", v(r.DebitFreinFuture), FormatSiPositif(r.DebitFreinFuture)},
        {"Perte de charge du circuit zone normale (normale ou combinée)", "mmCE", v(r.PerteNormale), Normal},
        {"Perte de charge du circuit zone de bordure (si boucle indépendante)", "mmCE",
         si(boucle, v(r.PerteBordure)), Normal},
        {"Perte de charge la plus élevée de l'étude", "mmCE", v(r.PerteLaPlusElevee), Normal},
        {"Perte de charge artificielle zone normale (normale ou combinée)", "mmCE", v(r.PerteArtificielleNormale),
         FormatSiPositif(r.PerteArtificielleNormale)},
        {"Perte de charge artificielle zone de bordure (si boucle indépendante)", "mmCE",
         si(boucle, v(r.PerteArtificielleBordure)), boucle ? FormatSiPositif(r.PerteArtificielleBordure) : Normal},
        {"Température superficielle zone normale", "°C", v(r.TempSurfaceNormale),
         FormatTempSurface(r.TempSurfaceNormale)},
        {"Température superficielle zone de bordure", "°C", si(zone, v(r.TempSurfaceBordure)),
         zone ? FormatTempSurface(r.TempSurfaceBordure) : Normal},
    }};

    // Each coloured value says why.
    const auto bulle = [&lignes](int ligne, std::string texte) { lignes[ligne].InfoBulle = std::move(texte); };
    using enum ValeurARegler;
    bulle(LigneResultat::AppointActuelle, InfoBulleSiPositif(AppointActuelle, r.AppointActuelle));
    bulle(LigneResultat::AppointFuture, InfoBulleSiPositif(AppointFuture, r.AppointFuture));
    bulle(LigneResultat::LongueurNormale, InfoBulleLongueurBoucle(longueurNormale, tube, ZoneBoucle::Normale));
    bulle(LigneResultat::DebitFreinActuelle, InfoBulleSiPositif(DebitFreinActuelle, r.DebitFreinActuelle));
    bulle(LigneResultat::DebitFreinFuture, InfoBulleSiPositif(DebitFreinFuture, r.DebitFreinFuture));
    bulle(LigneResultat::PerteArtificielleNormale, InfoBulleSiPositif(PerteArtificielle, r.PerteArtificielleNormale));
    bulle(LigneResultat::TempSurfaceNormale, InfoBulleTempSurface(r.TempSurfaceNormale));
    if (boucle) {
        bulle(LigneResultat::LongueurBordure, InfoBulleLongueurBoucle(longueurBordure, tube, ZoneBoucle::Bordure));
        bulle(LigneResultat::PerteArtificielleBordure, InfoBulleSiPositif(PerteArtificielle, r.PerteArtificielleBordure));
    }
    if (zone)
        bulle(LigneResultat::TempSurfaceBordure, InfoBulleTempSurface(r.TempSurfaceBordure));
    return lignes;
}

} // namespace sorvel
