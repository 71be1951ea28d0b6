#include "etude/PresentationRecapitulatif.h"

#include "commun/Nombres.h"

namespace sorvel {

const std::array<const char*, NombreColonnesEtude> UnitesColonnesEtude = {
    "",         "°C",       "m²",       "m²",       "m²",     "m²",     "m²",   "m²",   "W",    "W",
    "W",        "W",        "W",        "cm",       "cm",     "W/(m².K)", "W/(m².K)", "W/(m².K)", "W/(m².K)", "W",
    "°C",       "m².K/W",   "m².K/W",   "W",        "W",      "cm",     "cm",   "m",    "m",    "W",
    "W",        "l/h",      "l/h",      "l/h",      "l/h",    "mmCE",   "mmCE", "mmCE", "mmCE", "°C",
    "°C"};

const std::array<const char*, NombreColonnesEtude> LibellesColonnesEtude = {
    "Pièce",
    "Température de la pièce",
    "Surface de la pièce",
    "Surface des emprises",
    "Surface utile",
    "Surface en zone normale",
    "Surface en zone de bordure",
    "Surface du plafond pour apports",
    "Déperditions de la pièce",
    "Déperditions du plancher",
    "Apports par le plafond",
    "Déperditions corrigées",
    "Emissions vers le bas du plancher chauffant",
    "Epaisseur de l'isolant du plancher",
    "Epaisseur de l'isolant du plafond (apports)",
    "Emissions nécessaires pour la pièce",
    "Emissions utilisées pour la zone de bordure",
    "Emissions nécessaires pour la zone normale",
    "Emissions utilisées en zone normale",
    "Puissance thermique de la boucle",
    "Chute de température (DeltaT Départ/Retour)",
    "Résistance thermique (Rth) du revêtement actuel",
    "Résistance thermique (Rth) du revêtement futur",
    "Appoint nécessaire avec Rth actuelle",
    "Appoint nécessaire avec Rth future",
    "Pas VZ en zone normale",
    "Pas VZ en zone de bordure",
    "Longueur totale de la boucle en zone normale",
    "Longueur totale de la boucle en zone de bordure (*)",
    "Emissions des conduites de raccordement en zone normale",
    "Emissions des conduites de raccordement en zone de bordure (*)",
    "Débit de la boucle en zone normale",
    "Débit de la boucle en zone de bordure (*)",
    "Débit à freiner avec la Rth actuelle",
    "Débit à freiner avec la Rth future",
    "Pertes de charge de la boucle en zone normale",
    "Pertes de charge de la boucle en zone de bordure (*)",
    "Pertes de charge artificielle en zone normale",
    "Pertes de charge artificielle en zone de bordure (*)",
    "Température superficielle en zone normale",
    "Température superficielle en zone de bordure",
};

std::array<int, 3> Rvb(FondCellule fond) {
    switch (fond) {
    case FondCellule::Blanc: return {255, 255, 255};
    case FondCellule::Total: return {5, 200, 5};
    case FondCellule::Aucun: break;
    }
    return {0, 0, 0};
}

std::string TexteCellule(const Cellule& c) {
    if (const std::string* t = std::get_if<std::string>(&c))
        return Nettoyer(*t);
    if (const auto x = NombreCellule(c))
        return TexteArrondi(*x);
    return {};
}

bool ColonneTotalisee(int k) {
    using namespace ColonneEtude;
    return (k >= SurfacePiece && k <= EmissionsBas) || k == PuissanceThermique || k == AppointActuelle
        || k == AppointFuture || (k >= LongueurNormale && k <= DebitBordure);
}

std::string TexteLblRecap(const Installation& g) {
    return std::string("Etude : tube de diamètre ") + TexteTube(g.Tube) + " mm sur "
        + (g.Support == Fixation::Treillis ? "Trellis" : "Plots thermoformés")
        + " avec température de départ du fluide de " + std::to_string(g.TempDepart) + "°C";
}

std::string TexteLblPerte(const ResultatEtude& r) {
    return "Etude : perte de charge maximale, " + TexteArrondi(r.PerteMaxi) + " mmCE. débit total, "
        + TexteArrondi(r.DebitTotal) + " l/h";
}

namespace {

constexpr FormatValeur Normal{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};
constexpr FormatValeur VertGras{true, CouleurValeur::Vert};

// The format of column k for a room whose cell holds `c`, shown as `texte`.
// `perteMaxi` is the study's largest loop pressure drop as shown.
FormatValeur FormatColonne(int k, const Cellule& c, const std::string& texte, DiametreTube tube,
                           const std::string& perteMaxi) {
    using namespace ColonneEtude;
    const std::optional<double> x = NombreCellule(c);
    switch (k) {
    case Designation:
    case PuissanceThermique:
    case PasVZNormale:
    case PasVZBordure:
    case DebitNormale:
    case DebitBordure:
        return Gras;
    case AppointActuelle:
    case AppointFuture:
    case DebitFreinActuelle:
    case DebitFreinFuture:
    case PerteArtificielleNormale:
    case PerteArtificielleBordure:
        return x ? FormatSiPositif(*x) : Normal;
    case LongueurNormale:
    case LongueurBordure:
        // An edge loop that does not exist keeps the column's bold.
        return x ? FormatLongueurBoucle(*x, tube) : Gras;
    case PerteNormale:
    case PerteBordure:
        // The most resistant loop of the study, the one every other loop is
        // throttled up to.
        return !texte.empty() && texte == perteMaxi ? VertGras : Normal;
    case TempSurfaceNormale:
    case TempSurfaceBordure:
        return x ? FormatTempSurface(*x) : Normal;
    default:
        return Normal;
    }
}

// Why the cell of column k shows in colour (FormatColonne); empty when it
// does not.
std::string InfoBulleColonne(int k, const Cellule& c, const FormatValeur& format, const std::string& texte,
                             DiametreTube tube) {
    using namespace ColonneEtude;
    const std::optional<double> x = NombreCellule(c);
    if (!x || format.Couleur == CouleurValeur::TexteFenetre)
        return {};
    switch (k) {
    case AppointActuelle: return InfoBulleSiPositif(ValeurARegler::AppointActuelle, *x);
    case AppointFuture: return InfoBulleSiPositif(ValeurARegler::AppointFuture, *x);
    case DebitFreinActuelle: return InfoBulleSiPositif(ValeurARegler::DebitFreinActuelle, *x);
    case DebitFreinFuture: return InfoBulleSiPositif(ValeurARegler::DebitFreinFuture, *x);
    case PerteArtificielleNormale:
    case PerteArtificielleBordure: return InfoBulleSiPositif(ValeurARegler::PerteArtificielle, *x);
    case LongueurNormale: return InfoBulleLongueurBoucle(*x, tube, ZoneBoucle::Normale);
    case LongueurBordure: return InfoBulleLongueurBoucle(*x, tube, ZoneBoucle::Bordure);
    case PerteNormale:
    case PerteBordure: return InfoBullePerteMaxi(texte);
    case TempSurfaceNormale:
    case TempSurfaceBordure: return InfoBulleTempSurface(*x);
    default: return {};
    }
}

} // namespace

Recapitulatif PresenterRecapitulatif(const ResultatEtude& r, const Installation& g) {
    Recapitulatif recap;
    recap.LblRecap = TexteLblRecap(g);
    const int n = r.Table.NombrePieces();
    if (n == 0)
        return recap;

    const std::string perteMaxi = TexteArrondi(r.PerteMaxi);
    recap.Pieces.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        LigneRecapitulatif ligne;
        for (int k = 1; k <= NombreColonnesEtude; ++k) {
            CelluleRecapitulatif& cellule = ligne[static_cast<std::size_t>(k - 1)];
            const Cellule& c = r.Table.Cell(k, i);
            cellule.Texte = TexteCellule(c);
            cellule.Format = FormatColonne(k, c, cellule.Texte, g.Tube, perteMaxi);
            cellule.InfoBulle = InfoBulleColonne(k, c, cellule.Format, cellule.Texte, g.Tube);
            if (k == ColonneEtude::Designation)
                cellule.Fond = FondCellule::Blanc;
        }
        recap.Pieces.push_back(std::move(ligne));
    }

    // The totals add what the reader sees in the rows above, so that a column
    // checked by hand gives the same sum; cells without a number (edge loops
    // that do not exist) add nothing.
    LigneRecapitulatif totaux;
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        CelluleRecapitulatif& cellule = totaux[static_cast<std::size_t>(k - 1)];
        cellule.Format = Gras;
        cellule.Fond = FondCellule::Total;
        if (k == ColonneEtude::Designation) {
            cellule.Texte = "Total :";
        } else if (ColonneTotalisee(k)) {
            // A normal zone of equal loops counts each loop's length.
            double somme = 0;
            for (int i = 1; i <= n; ++i)
                if (const auto x = LireNombre(recap.Case(k, i).Texte))
                    somme += k == ColonneEtude::LongueurNormale ? *x * BouclesPiece(r, i) : *x;
            cellule.Texte = FormatGeneral(somme);
        }
    }
    recap.Totaux = totaux;
    recap.LblPerte = TexteLblPerte(r);
    recap.Legende = LegendeCouleurs(g.Tube);
    return recap;
}

} // namespace sorvel
