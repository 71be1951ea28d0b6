#pragma once

// Emission coefficients of the heated floor, W/(m².K): the heat one m² of
// floor gives off per kelvin between the mean water temperature and the
// room, by pipe size, floor-covering resistance Rth and pipe pitch VZ.
// Pure data and lookups: no file, no Qt.

#include "calcul/Grandeurs.h"

#include <optional>

namespace sorvel {

// Result of the pitch choice: the pitch (nothing when no pitch of the row
// gives the required emission) and its coefficient (0 then).
struct PasCoefficient {
    std::optional<PasVZ> Pas;
    double Coefficient = 0;
    bool operator==(const PasCoefficient&) const = default;
};

// Widest normal-zone pitch (30, 20, 15, then 10 cm) whose coefficient
// reaches `coefDemande`, in the row of `rth`.
PasCoefficient ChoisirPasVZ(Fixation support, DiametreTube tube, Resistance rth, double coefDemande);

// Coefficient of a given pitch: 10 to 30 cm in the normal zone, 5 to 15 cm
// in the edge zone. A pitch outside its zone, or none, reads as 0; on studs
// every coefficient is 0.03 lower (so -0.03 then).
double CoefficientNormale(DiametreTube tube, Resistance rth, Fixation support, std::optional<PasVZ> pas);
double CoefficientBordure(DiametreTube tube, Resistance rth, Fixation support, std::optional<PasVZ> pas);

} // namespace sorvel
