// The bounds of the numbers the room screens take, and the screens' rule:
// the first field, in the screen's order, whose number is beyond its bound.

#include "etude/BornesSaisie.h"

#include "Exemples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(BornesSaisie, TableParLegendeEtRefus) {
    // Every field of the table is found by its caption; others have no bound.
    for (const BorneSaisie& b : BornesSaisie)
        EXPECT_EQ(BornePourLegende(b.Legende), &b) << b.Legende;
    EXPECT_EQ(BornePourLegende("Nom de la pièce"), nullptr);

    const BorneSaisie& surface = *BornePourLegende("Surface de la pièce");
    EXPECT_EQ(surface.Maximum, SurfaceMaximale);
    struct Cas { double valeur; std::optional<std::string> refus; };
    const Cas cas[] = {
        {0, std::nullopt}, {-0.0, std::nullopt}, {SurfaceMaximale, std::nullopt}, {12.5, std::nullopt},
        {-1e-9, "la valeur -1E-09 est négative"},
        {10000.5, "la valeur 10000,5 dépasse 10000 m²"},
        {std::nextafter(SurfaceMaximale, Inf), "la valeur 10000 dépasse 10000 m²"},
        {std::numeric_limits<double>::quiet_NaN(), "la valeur n'est pas un nombre fini"},
        {Inf, "la valeur n'est pas un nombre fini"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(RefusBorne(surface, c.valeur), c.refus) << c.valeur;
    EXPECT_EQ(MessageBorne(*BornePourLegende("Apport par le plafond")),
              "La valeur de « Apport par le plafond » doit être comprise entre 0 et 1000000 W !");
    // The ceiling and downward panels compute at most 9.26 W per m² of
    // floor: their results stay within the heat bound for any area allowed.
    EXPECT_LE(9.26 * SurfaceMaximale, PuissanceMaximale);
}

// The fields are taken in the order given; a caption without a bound, or
// a field within its bound, is passed over.
TEST(BornesSaisie, PremierNombreRefuseDansLOrdreDeLEcran) {
    Piece p = exemples::PieceMaison("Séjour", Charge::Normale, 28, 1600);
    p.SurfaceEmprises = -2;
    p.DeperdPlancher = PuissanceMaximale * 2;
    const std::string_view surfaces = "Surface des emprises", plancher = "Déperditions du plancher";
    struct Cas { std::vector<std::string_view> legendes; std::string_view refuse; };
    const Cas cas[] = {
        {{surfaces, plancher}, surfaces},
        {{plancher, surfaces}, plancher},
        {{"Nom de la pièce", "Surface de la pièce", plancher}, plancher},
        {{"Surface de la pièce", "Déperditions de la pièce"}, ""},
        {{}, ""},
    };
    for (const Cas& c : cas) {
        const BorneSaisie* refus = PremierNombreRefuse(p, c.legendes);
        EXPECT_EQ(refus ? refus->Legende : "", c.refuse);
    }
    EXPECT_EQ(ValeurChamp(p, plancher), PuissanceMaximale * 2);
    EXPECT_EQ(ValeurChamp(p, "Nom de la pièce"), std::nullopt);
}

} // namespace
