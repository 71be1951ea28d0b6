#include "calcul/Grandeurs.h"

namespace sorvel {

namespace {

constexpr std::array<std::string_view, NombreResistances> TextesResistances = {
    "0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08",
    "0.09", "0.10", "0.11", "0.12", "0.13", "0.14", "0.15"};
// The same resistances as the doubles nearest to them.
constexpr std::array<double, NombreResistances> ValeursResistances = {
    0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08,
    0.09, 0.10, 0.11, 0.12, 0.13, 0.14, 0.15};

std::size_t Rang(Resistance r) { return static_cast<std::size_t>(Centiemes(r) - 1); }

} // namespace

std::optional<PasVZ> PasEnCentimetres(int centimetres) {
    for (PasVZ pas : {PasVZ::VZ5, PasVZ::VZ10, PasVZ::VZ15, PasVZ::VZ20, PasVZ::VZ30})
        if (Centimetres(pas) == centimetres)
            return pas;
    return std::nullopt;
}

std::optional<Resistance> ResistanceEnCentiemes(int centiemes) {
    if (centiemes < 1 || centiemes > NombreResistances)
        return std::nullopt;
    return static_cast<Resistance>(centiemes);
}

double ValeurResistance(Resistance r) { return ValeursResistances.at(Rang(r)); }

std::string_view TexteResistance(Resistance r) { return TextesResistances.at(Rang(r)); }

std::optional<Resistance> ResistanceDepuisTexte(std::string_view texte) {
    for (int c = 1; c <= NombreResistances; ++c)
        if (TextesResistances[static_cast<std::size_t>(c - 1)] == texte)
            return static_cast<Resistance>(c);
    return std::nullopt;
}

} // namespace sorvel
