// Study names in the order a French reader looks for them in a list.

#include "commun/OrdreAlphabetique.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

std::vector<std::string> Trier(std::vector<std::string> noms) {
    std::sort(noms.begin(), noms.end(), [](const std::string& a, const std::string& b) { return AvantEnFrancais(a, b); });
    return noms;
}

} // namespace

// Each pair: the first name comes before the second.
TEST(OrdreAlphabetique, Paires) {
    const struct {
        const char* avant;
        const char* apres;
        const char* pourquoi;
    } cas[] = {
        {"Ecole", "Étage", "an accent does not send a word to the end"},
        {"étage", "Ferme", "é is an e"},
        {"Zoé", "zone", "letters before accents"},
        {"Château", "Chaume", "â is an a"},
        {"cote", "coté", "unaccented first"},
        {"coté", "côte", "accents from the start of the name: o before ô"},
        {"côte", "côté", "then the next accent"},
        {"maison", "Maison", "lower case first when the letters are the same"},
        {"Maison", "maisons", "case counts only between equal letters"},
        {"Maison", "Maison A", "a shorter name first"},
        {"Maison A", "Maison B", "letters"},
        {"Maison B", "Maisonnette", "a space before a letter"},
        {"Etude 2", "Etude 10", "numbers by their value"},
        {"Etude 9", "Etude 10 bis", "the number decides before what follows"},
        {"Etude 01", "Etude 1", "same value: the bytes decide"},
        {"Lot 99", "Lot A", "digits before letters"},
        {"Saint-Denis", "Sainte", "a hyphen before a letter"},
        {"Oeuvre", "Œuvre", "œ is oe, after the plain letters"},
        {"Œuvre", "Orge", "œ sorts as oe"},
        {"Garçon", "Gare", "ç is a c"},
        {"Straße", "Strasse B", "ß is ss"},
        {"ÉCOLE", "ecoles", "capital accented letters too"},
        {"Ñandou", "Nuage", "ñ is an n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.avant) + " < " + c.apres + " : " + c.pourquoi);
        EXPECT_LT(ComparerEnFrancais(c.avant, c.apres), 0);
        EXPECT_GT(ComparerEnFrancais(c.apres, c.avant), 0);
        EXPECT_TRUE(AvantEnFrancais(c.avant, c.apres));
        EXPECT_FALSE(AvantEnFrancais(c.apres, c.avant));
    }
}

// Only the same text compares equal: two stored studies are never taken
// for one another, whatever their accents, case or leading zeros.
TEST(OrdreAlphabetique, SeulLeMemeTexteEstEgal) {
    const std::vector<std::string> noms = {"Maison", "maison", "MAISON", "Maisón", "Etude 1", "Etude 01",
                                           "Etude 001", "oe", "œ", "\xE9t\xE9", "été", "ete", ""};
    for (const std::string& a : noms)
        for (const std::string& b : noms)
            EXPECT_EQ(ComparerEnFrancais(a, b) == 0, a == b) << a << " / " << b;
}

// A list of stored studies, as a folder returns it in no useful order.
TEST(OrdreAlphabetique, ListeDEtudes) {
    EXPECT_EQ(Trier({"Villa Dupont", "Etude 10", "école Jules Ferry", "Etude 2", "Étage bureau", "atelier",
                     "Etude 1", "Appartement 3", "Maison B", "Maison A", "Zoé", "Ecole maternelle"}),
              (std::vector<std::string>{"Appartement 3", "atelier", "école Jules Ferry", "Ecole maternelle",
                                        "Étage bureau", "Etude 1", "Etude 2", "Etude 10", "Maison A", "Maison B",
                                        "Villa Dupont", "Zoé"}));
}

// Bytes that are no UTF-8 (a name written by another program) still sort,
// consistently, after the Latin letters.
TEST(OrdreAlphabetique, OctetsInvalides) {
    const std::string invalide = "Maison \xFF";
    EXPECT_LT(ComparerEnFrancais("Maison Z", invalide), 0);
    EXPECT_GT(ComparerEnFrancais(invalide, "Maison Z"), 0);
    EXPECT_LT(ComparerEnFrancais("Maison \xC3", "Maison \xFF"), 0); // a cut sequence is its byte
    EXPECT_EQ(ComparerEnFrancais(invalide, invalide), 0);
}
