#pragma once

// Heat that crosses the insulation under a heated floor: used to estimate
// the gain through the ceiling (the heated floor of the flat above) and the
// emission of the panel downwards, from the insulation thickness.

#include <optional>

namespace sorvel {

// Insulation thicknesses offered, cm.
inline constexpr int EpaisseurIsolantMinimale = 2;
inline constexpr int EpaisseurIsolantMaximale = 8;

// W per m² of floor through an insulation `epaisseur` cm thick (2 to 8):
// 9.26, 6.6, 5.08, 4.11, 3.44, 2.95, 2.58. Any other thickness, or none
// chosen, gives 0.
double CoefficientIsolant(std::optional<int> epaisseur);

// Heat (W) through `surface` m² of floor over that insulation.
double FluxIsolant(double surface, std::optional<int> epaisseur);

} // namespace sorvel
