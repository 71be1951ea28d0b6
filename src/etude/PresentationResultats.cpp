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
    return Affichee(temperature) > 28.0 ? FormatValeur{true, CouleurValeur::Rouge} : Normal;
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

    return {{
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
}

} // namespace sorvel
