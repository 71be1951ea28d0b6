// What a room hands on: one loop of its normal zone for the expert modules,
// and the panels' estimates that follow the surfaces they came from.

#include "etude/CalculEtude.h"
#include "etude/ReprisePiece.h"

#include "Exemples.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;

// A zone of two equal loops gives one of them; an independent edge loop
// keeps its own heat.
TEST(ReprisePiece, UneBoucleDeLaZoneNormale) {
    for (Charge type : {Charge::Normale, Charge::Elevee}) {
        SCOPED_TRACE(static_cast<int>(type));
        Piece p = exemples::PieceMaison("Séjour", type, 30, 1800);
        p.Boucles = 2;
        const Installation g = exemples::Generales(Fixation::Treillis, DiametreTube::D13x16);
        const ResultatsPiece r = CalculPiece(EntreesDepuisPiece(p, g, 0));
        const double bordure = type == Charge::Elevee ? r.PuissanceBordure : 0.0;
        if (type == Charge::Elevee)
            ASSERT_GT(bordure, 0);
        const DonneesBoucle b = BouclePiece(p, g, r, -7);
        EXPECT_DOUBLE_EQ(b.LongueurBoucle * 2, r.LongueurNormale);
        EXPECT_DOUBLE_EQ(b.Debit * 2, r.DebitNormale);
        EXPECT_DOUBLE_EQ(b.Chaleur * 2, r.DeperdCorrigees - bordure);
        EXPECT_EQ(b.LongueurRaccordement, p.LongRaccordNormale);
        EXPECT_EQ(b.CoeffSurfacique, r.EmissionUtiliseeNormale);
        EXPECT_EQ(b.Pas, r.PasVZNormale);
        EXPECT_EQ(b.Tube, DiametreTube::D13x16);
        EXPECT_EQ(b.TempDepart, g.TempDepart);
        EXPECT_EQ(b.Chute, p.TempChute);
        EXPECT_EQ(b.TempPiece, *p.TempPiece);
        EXPECT_EQ(b.TempExterieure, -7);
        EXPECT_EQ(BouclePiece(p, g, r, std::nullopt).TempExterieure, std::nullopt);
    }
}

// Room 20 m² with 2,5 m² of obstacles over 8 cm (17,5 x 2,58 = 45,15 W
// downwards), ceiling 12,5 m² over 4 cm (12,5 x 5,08 = 63,5 W).
Piece AvecEstimations() {
    Piece p;
    p.SurfacePiece = 20;
    p.SurfaceEmprises = 2.5;
    p.IsoEmissions = 8;
    p.EmissionsBas = 45.15;
    p.SurfacePlafond = 12.5;
    p.IsoApport = 4;
    p.ApportPlafond = 63.5;
    return p;
}

// A value is its panel's estimate when it shows it to the centiwatt; 0 is
// a value not given yet.
TEST(ReprisePiece, EstimationsReconnues) {
    struct Cas {
        const char* quoi;
        std::function<void(Piece&)> modifier;
        Estimations attendues;
    };
    const Cas cas[] = {
        {"les deux", [](Piece&) {}, {true, true}},
        {"chiffres du fichier", [](Piece& p) { p.EmissionsBas = 45.1500015; p.ApportPlafond = 63.499; }, {true, true}},
        {"tapées à la main", [](Piece& p) { p.EmissionsBas = 45.2; p.ApportPlafond = 70; }, {false, false}},
        {"pas encore données", [](Piece& p) { p.EmissionsBas = 0; p.SurfacePiece = 2.5; p.ApportPlafond = 0; },
         {false, false}},
        {"sans isolant choisi", [](Piece& p) { p.IsoApport.reset(); }, {false, true}},
    };
    for (const Cas& c : cas) {
        Piece p = AvecEstimations();
        c.modifier(p);
        EXPECT_EQ(EstimationsDe(p), c.attendues) << c.quoi;
    }
}

// An estimate follows what it was made from; another value stays, and
// nothing else moves.
TEST(ReprisePiece, LesEstimationsSuiventLeursSurfaces) {
    struct Cas {
        const char* quoi;
        std::function<void(Piece&)> modifier;
        Estimations estimees;
        double apport, emissions;
    };
    const Cas cas[] = {
        {"surface de la pièce", [](Piece& p) { p.SurfacePiece = 22; }, {true, true}, 63.5, 50.31},
        {"emprises", [](Piece& p) { p.SurfaceEmprises = 0; }, {true, true}, 63.5, 51.6},
        {"isolant du plancher", [](Piece& p) { p.IsoEmissions = 4; }, {true, true}, 63.5, 88.9},
        {"surface du plafond", [](Piece& p) { p.SurfacePlafond = 10; }, {true, true}, 50.8, 45.15},
        {"isolant du plafond", [](Piece& p) { p.IsoApport = 8; }, {true, true}, 32.25, 45.15},
        // Typed key by key, 25 m² passes through 2 m²: nothing is left at 0.
        {"en passant par rien", [](Piece& p) { p.SurfacePiece = 2.5; }, {true, true}, 63.5, 0},
        {"tapées à la main", [](Piece& p) { p.SurfacePiece = 22; p.SurfacePlafond = 10; }, {false, false}, 63.5,
         45.15},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Piece p = AvecEstimations();
        c.modifier(p);
        const Piece suivie = AppliquerEstimations(p, c.estimees);
        EXPECT_NEAR(suivie.ApportPlafond, c.apport, 1e-9);
        EXPECT_NEAR(suivie.EmissionsBas, c.emissions, 1e-9);
        Piece reste = suivie;
        reste.ApportPlafond = p.ApportPlafond;
        reste.EmissionsBas = p.EmissionsBas;
        EXPECT_EQ(reste, p);
    }
    Piece p = AvecEstimations();
    p.SurfacePiece = 2.5;
    p = AppliquerEstimations(p, {true, true});
    p.SurfacePiece = 25;
    EXPECT_NEAR(AppliquerEstimations(p, {true, true}).EmissionsBas, 22.5 * 2.58, 1e-9);
}
