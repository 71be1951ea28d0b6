#include "calcul/Diagnostic.h"
#include "calcul/Isolation.h"
#include "calcul/ModCalcul.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <cmath>

using namespace sorvel;

// Flow through the insulation under a heated floor, W/m², by thickness
// (the table the room screen's two panels use); any other text gives 0.
TEST(Isolation, CoefficientsEtProduits) {
    const struct {
        const char* epaisseur;
        double coefficient;
    } table[] = {{"2", 9.26}, {"3", 6.6}, {"4", 5.08}, {"5", 4.11}, {"6", 3.44}, {"7", 2.95}, {"8", 2.58},
                 {"", 0},     {"1", 0},   {"9", 0},    {"4 ", 0},   {"04", 0}};
    for (const auto& k : table) {
        SCOPED_TRACE(k.epaisseur);
        EXPECT_EQ(CoefficientIsolant(k.epaisseur), k.coefficient);
        EXPECT_EQ(FluxIsolant(10, k.epaisseur), 10 * k.coefficient);
    }
    // The room screen's two panels: 12.5 m² over 4 cm, 17.5 m² over 8 cm.
    EXPECT_NEAR(FluxIsolant(12.5, "4"), 63.5, 1e-12);
    EXPECT_NEAR(FluxIsolant(17.5, "8"), 45.15, 1e-12);
    EXPECT_THROW(FluxIsolant(INFINITY, "4"), ErreurArithmetique);
}

using exemples::EntreesExemple;

// Each input fault that makes a room incalculable is named in words, from
// the real calculation's error.
TEST(Diagnostic, CausesReconnuesDansLesEntrees) {
    const struct {
        const char* cas;
        void (*modifier)(EntreesPiece&);
        const char* debut;
    } cas[] = {
        // 30 - 16 / 2 = 22 °C of mean water in a room at 22 °C.
        {"écart nul", [](EntreesPiece& e) { e.TempDepart = 30; e.TempChute = 16; e.TempPiece = 22; },
         "la température moyenne de l'eau est égale à la température de la pièce"},
        {"surface nulle", [](EntreesPiece& e) { e.SurfacePiece = 0; e.SurfaceEmprises = 0; },
         "la surface de la pièce est nulle"},
        {"emprises totales", [](EntreesPiece& e) { e.SurfaceEmprises = 20; },
         "la surface des emprises occupe toute la surface de la pièce"},
        {"bordure totale", [](EntreesPiece& e) { e.TypeCharge = 2; e.SurfaceBordure = 18; },
         "la zone de bordure occupe toute la surface utile du plancher"},
        {"type inconnu", [](EntreesPiece& e) { e.TypeCharge = 7; }, "le type de charge n'est pas reconnu"},
        // A covering outside the list: no pitch, no emission, no flow.
        {"rth hors liste", [](EntreesPiece& e) { e.RthActuelle = e.RthFuture = "0.20"; e.EmissionsBas = 0;
                                                 e.LongRaccordNormale = 0; },
         "la résistance thermique du revêtement « 0.20 » n'est pas dans la liste"},
        // A damaged record: the field is named by its caption.
        {"surface illisible", [](EntreesPiece& e) { e.SurfacePiece = std::nan(""); },
         "la valeur « Surface de la pièce » n'est pas un nombre utilisable"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        EntreesPiece e = EntreesExemple();
        k.modifier(e);
        const auto erreur = exemples::Erreur<ErreurArithmetique>([&] { CalculPiece(e); });
        ASSERT_TRUE(erreur) << "the calculation should have failed";
        EXPECT_TRUE(ExpliquerEchec(e, *erreur).starts_with(k.debut)) << ExpliquerEchec(e, *erreur);
    }
}

TEST(Diagnostic, EtapeSansCauseVisible) {
    const EntreesPiece e = EntreesExemple();
    const ErreurArithmetique connue(ErreurArithmetique::Nature::Depassement, "DebitAFreiner");
    EXPECT_EQ(ExpliquerEchec(e, connue), "le calcul du débit à freiner est impossible (" +
                                             std::string(ErreurArithmetique::libelle(connue.nature())) + ")");
    const ErreurArithmetique inconnue(ErreurArithmetique::Nature::DivisionParZero, "Xyz");
    EXPECT_NE(ExpliquerEchec(e, inconnue).find("« Xyz »"), std::string::npos);
    EXPECT_EQ(LibelleEtape("Xyz"), "");
    // A room temperature that is no number is said so, whatever the other inputs.
    const ErreurArithmetique temperature(ErreurArithmetique::Nature::OperationInvalide, "TempPiece");
    EXPECT_EQ(ExpliquerEchec(EntreesPiece{}, temperature), "la température de la pièce n'est pas choisie");
}
