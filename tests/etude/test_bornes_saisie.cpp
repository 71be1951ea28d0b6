// The bounds of the numbers the room screens take (cas/bornes.txt), and the
// screens' rule: the first field, in the screen's order, whose number is
// beyond its bound.

#include "etude/BornesSaisie.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sorvel;

namespace {

TEST(BornesSaisie, RefusParLegende) {
    // Every field of the table is found by its caption; others have no bound.
    for (const BorneSaisie& b : BornesSaisie)
        EXPECT_EQ(BornePourLegende(b.Legende), &b) << b.Legende;
    EXPECT_EQ(BornePourLegende("Nom de la pièce"), nullptr);
    const BorneSaisie& surface = *BornePourLegende("Surface de la pièce");
    EXPECT_EQ(surface.Maximum, SurfaceMaximale);
    for (const cas::Ligne& l : cas::Lire("bornes.txt", "refus"))
        EXPECT_EQ(RefusBorne(surface, l.Reel(1)).value_or(""), l[2]) << l.ou;
    EXPECT_EQ(MessageBorne(*BornePourLegende("Apport par le plafond")),
              "La valeur de « Apport par le plafond » doit être comprise entre 0 et 1000000 W !");
    // The ceiling and downward panels compute at most 9.26 W per m² of
    // floor: their results stay within the heat bound for any area allowed.
    EXPECT_LE(9.26 * SurfaceMaximale, PuissanceMaximale);
}

TEST(BornesSaisie, PremierNombreRefuseDansLOrdreDeLEcran) {
    Piece p = exemples::PieceMaison("Séjour", Charge::Normale, 28, 1600);
    p.SurfaceEmprises = -2;
    p.DeperdPlancher = PuissanceMaximale * 2;
    for (const cas::Ligne& l : cas::Lire("bornes.txt", "ordre")) {
        const std::vector<std::string_view> legendes(l.champs.begin() + 1, l.champs.end() - 1);
        const BorneSaisie* refus = PremierNombreRefuse(p, legendes);
        EXPECT_EQ(refus ? refus->Legende : "", l.champs.back()) << l.ou;
    }
    EXPECT_EQ(ValeurChamp(p, "Déperditions du plancher"), PuissanceMaximale * 2);
    EXPECT_EQ(ValeurChamp(p, "Nom de la pièce"), std::nullopt);
}

} // namespace
