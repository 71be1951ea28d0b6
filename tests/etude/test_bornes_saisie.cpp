// The rule of the entry screens: a number the study check would refuse is
// refused when it is typed, field by field, in the screen's order.

#include "etude/BornesSaisie.h"
#include "etude/VerificationEtude.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <limits>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

// Every number of a room record, as the record declares them.
struct ChampNombre {
    const char* nom;
    double DonneesPiece::*champ;
};
const ChampNombre NombresDuRecord[] = {
    {"SurfaceBordure", &DonneesPiece::SurfaceBordure},
    {"SurfacePiece", &DonneesPiece::SurfacePiece},
    {"SurfaceEmprises", &DonneesPiece::SurfaceEmprises},
    {"SurfacePlafond", &DonneesPiece::SurfacePlafond},
    {"DeperdPiece", &DonneesPiece::DeperdPiece},
    {"DeperdPlancher", &DonneesPiece::DeperdPlancher},
    {"ApportPlafond", &DonneesPiece::ApportPlafond},
    {"EmissionsBas", &DonneesPiece::EmissionsBas},
    {"LongRaccordNormale", &DonneesPiece::LongRaccordNormale},
    {"LongDistri", &DonneesPiece::LongDistri},
    {"LongRaccordBordure", &DonneesPiece::LongRaccordBordure},
};

std::vector<std::string_view> ToutesLesLegendes() {
    std::vector<std::string_view> legendes;
    for (const BorneSaisie& b : BornesSaisie)
        legendes.push_back(b.Legende);
    return legendes;
}

} // namespace

// Each number of the record, out of bounds alone: the screens' rule and
// the study check name the same field, so that what a screen lets through
// the check accepts, and what the check refuses a screen refuses first.
TEST(BornesSaisie, LesEcransRefusentCeQueLaVerificationRefuse) {
    const DonneesPiece saine = exemples::Piece("Séjour", ChargeElevee, 28, 1600);
    ASSERT_EQ(PremierNombreRefuse(saine, ToutesLesLegendes()), nullptr);
    for (const ChampNombre& c : NombresDuRecord) {
        for (double valeur : {-1.0, 2e6, Inf}) {
            SCOPED_TRACE(std::string(c.nom) + " = " + std::to_string(valeur));
            DonneesPiece d = saine;
            d.*c.champ = valeur;
            const auto defaut = VerifierEtude(exemples::Generales(), {d}, {PerteChargePiece(500, 0)});
            ASSERT_TRUE(defaut.has_value());
            const BorneSaisie* refus = PremierNombreRefuse(d, ToutesLesLegendes());
            ASSERT_NE(refus, nullptr);
            EXPECT_EQ(refus->Legende, defaut->Champ);
            EXPECT_EQ(ValeurChamp(d, refus->Legende), valeur);
        }
    }
}

// The fields are taken in the order given; a caption without a bound, or
// a field within its bound, is passed over.
TEST(BornesSaisie, PremierNombreRefuseDansLOrdreDeLEcran) {
    DonneesPiece d = exemples::Piece("Séjour", ChargeNormale, 28, 1600);
    d.SurfaceEmprises = -2;
    d.DeperdPlancher = PuissanceMaximale * 2;
    const std::string_view surfaces = "Surface des emprises";
    const std::string_view plancher = "Déperditions du plancher";
    struct Cas {
        std::vector<std::string_view> legendes;
        const char* refuse; // nullptr: none
    };
    const Cas cas[] = {
        {{surfaces, plancher}, "Surface des emprises"},
        {{plancher, surfaces}, "Déperditions du plancher"},
        {{"Nom de la pièce", "Surface de la pièce", plancher}, "Déperditions du plancher"},
        {{"Surface de la pièce", "Déperditions de la pièce"}, nullptr},
        {{}, nullptr},
    };
    for (const Cas& c : cas) {
        const BorneSaisie* refus = PremierNombreRefuse(d, c.legendes);
        if (c.refuse) {
            ASSERT_NE(refus, nullptr) << c.refuse;
            EXPECT_EQ(refus->Legende, c.refuse);
        } else {
            EXPECT_EQ(refus, nullptr) << (refus ? refus->Legende : "");
        }
    }
    EXPECT_EQ(ValeurChamp(d, "Nom de la pièce"), std::nullopt);
}
