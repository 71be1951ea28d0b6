#include "calcul/Isolation.h"

#include "commun/ErreurArithmetique.h"

#include <array>

namespace sorvel {

double CoefficientIsolant(std::optional<int> epaisseur) {
    // The thicker the insulation, the less heat leaks through it; the values
    // are the flows of a heated floor over 2 to 8 cm of insulation.
    static constexpr std::array<double, EpaisseurIsolantMaximale - EpaisseurIsolantMinimale + 1> flux = {
        9.26, 6.6, 5.08, 4.11, 3.44, 2.95, 2.58};
    if (!epaisseur || *epaisseur < EpaisseurIsolantMinimale || *epaisseur > EpaisseurIsolantMaximale)
        return 0.0;
    return flux[static_cast<std::size_t>(*epaisseur - EpaisseurIsolantMinimale)];
}

double FluxIsolant(double surface, std::optional<int> epaisseur) {
    return Verifier(surface * CoefficientIsolant(epaisseur), "FluxIsolant");
}

} // namespace sorvel
