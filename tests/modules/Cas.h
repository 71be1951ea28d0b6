#pragma once

// What the tests of the two modules' calculations share: the example loop,
// the case tables kept as data in tests/modules/donnees, and what a press
// left unwritten.

#include "ExemplesModules.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace sorvel::test {

// The cases of `nom` in tests/modules/donnees: one a line, its fields
// separated by tabs; blank lines and lines starting with "#" are skipped.
inline std::vector<std::vector<std::string>> LireCas(const std::string& nom) {
    std::ifstream fichier(std::string(SORVEL_DONNEES_MODULES) + "/" + nom);
    EXPECT_TRUE(fichier.is_open()) << nom;
    std::vector<std::vector<std::string>> cas;
    for (std::string ligne; std::getline(fichier, ligne);) {
        if (ligne.empty() || ligne[0] == '#')
            continue;
        cas.emplace_back();
        std::size_t debut = 0;
        for (std::size_t tab; (tab = ligne.find('\t', debut)) != std::string::npos; debut = tab + 1)
            cas.back().push_back(ligne.substr(debut, tab - debut));
        cas.back().push_back(ligne.substr(debut));
    }
    EXPECT_FALSE(cas.empty()) << nom;
    return cas;
}

// Nothing of the correction's results column is written, nor its colour.
inline bool RienEcrit(const ModCorrection::Ecritures& e) {
    return e.Resultats == ModCorrection::Ecritures{}.Resultats && e.PourCents == ModCorrection::Ecritures{}.PourCents &&
           !e.Couleur;
}

} // namespace sorvel::test
