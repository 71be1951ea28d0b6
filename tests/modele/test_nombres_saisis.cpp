// The messages by which the entry screens refuse a number the study check
// would refuse later.

#include "Exemples.h"
#include "modele/EtudeEnCours.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace sorvel;

TEST(NombresSaisis, MessageDeRefus) {
    struct Cas {
        const char* legende;
        std::function<void(DonneesPiece&)> saisir;
        const char* titre; // nullptr: accepted
        const char* texte;
    };
    const Cas cas[] = {
        {"Surface de la pièce", [](DonneesPiece& d) { d.SurfacePiece = -3; }, "Surface de la pièce.",
         "La valeur de « Surface de la pièce » doit être comprise entre 0 et 10000 m² !"},
        {"Surface du plancher haut", [](DonneesPiece& d) { d.SurfacePlafond = 10000.5; },
         "Surface du plancher haut.",
         "La valeur de « Surface du plancher haut » doit être comprise entre 0 et 10000 m² !"},
        {"Déperditions de la pièce", [](DonneesPiece& d) { d.DeperdPiece = std::numeric_limits<double>::infinity(); },
         "Déperditions de la pièce.",
         "La valeur de « Déperditions de la pièce » doit être comprise entre 0 et 1000000 W !"},
        {"Longueur des conduites de raccordement (si boucle indépendante)",
         [](DonneesPiece& d) { d.LongRaccordBordure = 1e300; },
         "Longueur des conduites de raccordement (si boucle indépendante).",
         "La valeur de « Longueur des conduites de raccordement (si boucle indépendante) » doit être comprise entre 0 "
         "et 1000 m !"},
        // Within the bounds, on them, or another field out of bounds.
        {"Surface de la pièce", [](DonneesPiece& d) { d.SurfacePiece = 10000; }, nullptr, nullptr},
        {"Emission vers le bas", [](DonneesPiece& d) { d.EmissionsBas = 0; }, nullptr, nullptr},
        {"Surface des emprises", [](DonneesPiece& d) { d.SurfacePiece = -1; }, nullptr, nullptr},
        // A field without a bound.
        {"Nom de la pièce", [](DonneesPiece& d) { d.SurfacePiece = -1; }, nullptr, nullptr},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.legende);
        DonneesPiece d = exemples::Piece("Séjour", ChargeNormale, 28, 1600);
        c.saisir(d);
        const auto refus = RefusNombreSaisi(d, QString::fromUtf8(c.legende));
        if (!c.titre) {
            EXPECT_EQ(refus, std::nullopt);
            continue;
        }
        ASSERT_TRUE(refus.has_value());
        EXPECT_EQ(refus->first, QString::fromUtf8(c.titre));
        EXPECT_EQ(refus->second, QString::fromUtf8(c.texte));
    }
}
