#include "calcul/ModVZ.h"

#include <array>

namespace sorvel {

namespace {

// Columns of a row: pitches 5, 10, 15, 20 and 30 cm.
enum Colonne { VZ5, VZ10, VZ15, VZ20, VZ30, NombreColonnes };
constexpr int NombreLignes = 15;
using Table = std::array<std::array<double, NombreColonnes>, NombreLignes>;

// Coefficients on trellis or pre-marked boards; rows Rth 0.01 to 0.15.
constexpr Table Table13x16 = {{
    {7.70, 6.93, 6.19, 5.53, 4.48},
    {7.15, 6.47, 5.82, 5.23, 4.28},
    {6.67, 6.07, 5.49, 4.96, 4.09},
    {6.26, 5.72, 5.20, 4.72, 3.92},
    {5.89, 5.41, 4.94, 4.50, 3.77},
    {5.56, 5.13, 4.70, 4.30, 3.62},
    {5.26, 4.88, 4.49, 4.12, 3.49},
    {5.00, 4.65, 4.29, 3.95, 3.37},
    {4.76, 4.44, 4.11, 3.80, 3.25},
    {4.55, 4.25, 3.94, 3.65, 3.14},
    {4.35, 4.07, 3.79, 3.52, 3.04},
    {4.17, 3.91, 3.65, 3.40, 2.95},
    {4.00, 3.76, 3.52, 3.28, 2.86},
    {3.84, 3.62, 3.40, 3.17, 2.77},
    {3.70, 3.50, 3.28, 3.07, 2.69},
}};

constexpr Table Table16x20 = {{
    {7.96, 7.28, 6.59, 5.95, 4.89},
    {7.37, 6.78, 6.18, 5.61, 4.65},
    {6.86, 6.35, 5.81, 5.30, 4.43},
    {6.43, 5.97, 5.49, 5.03, 4.24},
    {6.04, 5.63, 5.20, 4.78, 4.06},
    {5.69, 5.32, 4.94, 4.56, 3.89},
    {5.38, 5.05, 4.70, 4.35, 3.74},
    {5.11, 4.81, 4.48, 4.17, 3.60},
    {4.86, 4.59, 4.29, 4.00, 3.47},
    {4.64, 4.38, 4.11, 3.84, 3.34},
    {4.43, 4.20, 3.95, 3.69, 3.23},
    {4.24, 4.03, 3.79, 3.56, 3.13},
    {4.07, 3.87, 3.65, 3.43, 3.03},
    {3.91, 3.72, 3.52, 3.32, 2.93},
    {3.76, 3.59, 3.40, 3.21, 2.85},
}};

// The one entry read differently when a given pitch's coefficient is asked
// for: 16x20, Rth 0.07, VZ20 gives 4.25 there, while the pitch choice offers
// 4.35 (the table value above).
constexpr std::size_t LigneDifferente = 6; // Rth 0.07
constexpr double CoefficientNormale16x20Rth007VZ20 = 4.25;

// The thermoformed studs hold the pipe a little higher in the screed: every
// coefficient is 0.03 lower than on trellis.
constexpr double CorrectionPlots = 0.03;

std::size_t Ligne(Resistance rth) { return static_cast<std::size_t>(Centiemes(rth) - 1); }

const Table& TableDuTube(DiametreTube tube) { return tube == DiametreTube::D13x16 ? Table13x16 : Table16x20; }

int ColonneNormale(std::optional<PasVZ> pas) {
    if (!pas)
        return -1;
    switch (*pas) {
    case PasVZ::VZ10: return VZ10;
    case PasVZ::VZ15: return VZ15;
    case PasVZ::VZ20: return VZ20;
    case PasVZ::VZ30: return VZ30;
    case PasVZ::VZ5: break; // an edge-zone pitch only
    }
    return -1;
}

int ColonneBordure(std::optional<PasVZ> pas) {
    if (!pas)
        return -1;
    switch (*pas) {
    case PasVZ::VZ5: return VZ5;
    case PasVZ::VZ10: return VZ10;
    case PasVZ::VZ15: return VZ15;
    case PasVZ::VZ20:
    case PasVZ::VZ30: break; // normal-zone pitches only
    }
    return -1;
}

double AvecSupport(double treillis, Fixation support) {
    return support == Fixation::Plots ? treillis - CorrectionPlots : treillis;
}

double Coefficient(DiametreTube tube, Resistance rth, Fixation support, int colonne) {
    double treillis = 0;
    if (colonne >= 0)
        treillis = TableDuTube(tube)[Ligne(rth)][static_cast<std::size_t>(colonne)];
    return AvecSupport(treillis, support);
}

} // namespace

PasCoefficient ChoisirPasVZ(Fixation support, DiametreTube tube, Resistance rth, double coefDemande) {
    const auto& valeurs = TableDuTube(tube)[Ligne(rth)];
    // Widest pitch first: the least pipe that still gives the emission.
    struct Choix { PasVZ pas; int colonne; };
    constexpr Choix ordre[] = {{PasVZ::VZ30, VZ30}, {PasVZ::VZ20, VZ20}, {PasVZ::VZ15, VZ15}, {PasVZ::VZ10, VZ10}};
    for (const Choix& c : ordre) {
        const double coef = AvecSupport(valeurs[static_cast<std::size_t>(c.colonne)], support);
        if (coef >= coefDemande)
            return {c.pas, coef};
    }
    return {};
}

double CoefficientNormale(DiametreTube tube, Resistance rth, Fixation support, std::optional<PasVZ> pas) {
    const int colonne = ColonneNormale(pas);
    if (tube == DiametreTube::D16x20 && Ligne(rth) == LigneDifferente && colonne == VZ20)
        return AvecSupport(CoefficientNormale16x20Rth007VZ20, support);
    return Coefficient(tube, rth, support, colonne);
}

double CoefficientBordure(DiametreTube tube, Resistance rth, Fixation support, std::optional<PasVZ> pas) {
    return Coefficient(tube, rth, support, ColonneBordure(pas));
}

} // namespace sorvel
