#pragma once

// What the tests of the two modules share, with and without their windows:
// the example loop, the wished temperature as a search reads it, and the
// case tables kept as data in tests/modules/cas.

#include "modules/ModCorrection.h"
#include "modules/ModIncertitude.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sorvel::test {

// 80 m of loop at VZ 15 in 16x20 pipe with 6 m of connecting pipes, fed at
// 40 °C and 150 l/h, in a room of H = 40 W/K at -5 °C outside, wished at
// 20 °C.
inline ModCorrection::Saisie BoucleCorrection(ModCorrection::ModeCorrection mode = {}) {
    return {.ValManuelles = {"80", "6", "40", "8", "-5", "150", "10,8", "40"},
            .PasVZ = "15", .Diametre = "16x20", .TempSouhaitee = "20", .Mode = mode};
}

// The same loop for the uncertainty, 150 l/h in the loop alone, the room at
// 20 °C, each quantity known to its own percentage.
inline ModIncertitude::Saisie BoucleIncertitude() {
    return {.Valeurs = {"80", "150", "10,8", "40", "20", "40", "-5"}, .PasVZ = "15", .Pourcents = {"5", "10", "7,5", "15"}};
}

// The wished temperature as a case table writes it: "20" left as typed,
// "a>b@n" changed from a to b once n steps are done, "a>@n" the window
// closed then.
inline ModCorrection::RelireCible Souhait(const std::string& texte) {
    const std::size_t fleche = texte.find('>'), pas = texte.find('@');
    if (fleche == std::string::npos)
        return [texte] { return std::optional<std::string>(texte); };
    const std::string avant = texte.substr(0, fleche), apres = texte.substr(fleche + 1, pas - fleche - 1);
    const int n = std::stoi(texte.substr(pas + 1));
    auto lus = std::make_shared<int>(0);
    return [=]() -> std::optional<std::string> {
        if (++*lus < n)
            return avant;
        return apres.empty() ? std::nullopt : std::optional(apres);
    };
}

} // namespace sorvel::test
