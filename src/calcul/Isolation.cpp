#include "calcul/Isolation.h"

#include "commun/ErreurArithmetique.h"

#include <array>
#include <utility>

namespace sorvel {

double CoefficientIsolant(std::string_view epaisseur) {
    // The thicker the insulation, the less heat leaks through it; the values
    // are the flows of a heated floor over 2 to 8 cm of insulation.
    static constexpr std::array<std::pair<std::string_view, double>, 7> table{{
        {"2", 9.26}, {"3", 6.6}, {"4", 5.08}, {"5", 4.11}, {"6", 3.44}, {"7", 2.95}, {"8", 2.58}}};
    for (const auto& [texte, coefficient] : table)
        if (texte == epaisseur)
            return coefficient;
    return 0.0;
}

double FluxIsolant(double surface, std::string_view epaisseur) {
    return Verifier(surface * CoefficientIsolant(epaisseur), "FluxIsolant");
}

} // namespace sorvel
