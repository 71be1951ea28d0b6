#pragma once

// The loop the tests of the two modules take as their example, with and
// without their windows, and the wished temperature as a search reads it.

#include "modules/ModCorrection.h"
#include "modules/ModIncertitude.h"

#include <memory>
#include <optional>
#include <string>

namespace sorvel::test {

// 80 m of loop at VZ 15 in 16x20 pipe with 6 m of connecting pipes, fed at
// 40 °C and 150 l/h, in a room of H = 40 W/K at -5 °C outside, wished at
// 20 °C.
inline ModCorrection::Saisie BoucleCorrection(ModCorrection::ModeCorrection mode = {}) {
    ModCorrection::Saisie s;
    s.ValManuelles = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
    s.PasVZ = "15";
    s.Diametre = "16x20";
    s.TempSouhaitee = "20";
    s.Mode = mode;
    return s;
}

// The same loop for the uncertainty, 150 l/h in the loop alone, the room at
// 20 °C, each quantity known to its own percentage.
inline ModIncertitude::Saisie BoucleIncertitude() {
    ModIncertitude::Saisie s;
    s.Valeurs = {"80", "150", "10,8", "40", "20", "40", "-5"};
    s.PasVZ = "15";
    s.Pourcents = {"5", "10", "7,5", "15"};
    return s;
}

// The wished temperature left as typed: the same text at every step.
inline ModCorrection::RelireCible Fixe(std::string texte) {
    return [texte] { return std::optional<std::string>(texte); };
}

// The user types `avant` and changes it to `apres` once `pas` steps are
// done; with no `apres`, the window closes then.
inline ModCorrection::RelireCible Change(std::string avant, std::optional<std::string> apres, int pas) {
    auto n = std::make_shared<int>(0);
    return [=] { return ++*n < pas ? std::optional<std::string>(avant) : apres; };
}

} // namespace sorvel::test
