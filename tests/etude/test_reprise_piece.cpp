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
TEST(ReprisePiece, LesEstimationsSuiventLeursSurfaces) {
    Piece base;
    base.SurfacePiece = 20;
    base.SurfaceEmprises = 2.5;
    base.IsoEmissions = 8;
    base.EmissionsBas = 45.15;
    base.SurfacePlafond = 12.5;
    base.IsoApport = 4;
    base.ApportPlafond = 63.5;
    struct Cas {
        const char* quoi;
        std::function<void(Piece&)> avant, apres;
        double apport, emissions;
    };
    const auto rien = [](Piece&) {};
    const Cas cas[] = {
        {"surface de la pièce", rien, [](Piece& p) { p.SurfacePiece = 22; }, 63.5, 50.31},
        {"emprises", rien, [](Piece& p) { p.SurfaceEmprises = 0; }, 63.5, 51.6},
        {"isolant du plancher", rien, [](Piece& p) { p.IsoEmissions = 4; }, 63.5, 88.9},
        {"surface du plafond", rien, [](Piece& p) { p.SurfacePlafond = 10; }, 50.8, 45.15},
        {"isolant du plafond", rien, [](Piece& p) { p.IsoApport = 8; }, 32.25, 45.15},
        {"chiffres du fichier", [](Piece& p) { p.EmissionsBas = 45.1500015; },
         [](Piece& p) { p.SurfacePiece = 22; }, 63.5, 50.31},
        {"tapées à la main", [](Piece& p) { p.EmissionsBas = 100; p.ApportPlafond = 70; },
         [](Piece& p) { p.SurfacePiece = 22; p.SurfacePlafond = 10; }, 70, 100},
        {"pas encore données", [](Piece& p) { p.EmissionsBas = 0; p.ApportPlafond = 0; },
         [](Piece& p) { p.SurfacePiece = 22; p.SurfacePlafond = 10; }, 0, 0},
        {"valeur changée elle-même", rien, [](Piece& p) { p.ApportPlafond = 63.499; }, 63.499, 45.15},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        Piece avant = base;
        c.avant(avant);
        Piece apres = avant;
        c.apres(apres);
        const Piece suivie = SuivreEstimations(avant, apres);
        EXPECT_NEAR(suivie.ApportPlafond, c.apport, 1e-9);
        EXPECT_NEAR(suivie.EmissionsBas, c.emissions, 1e-9);
        // Nothing else moves.
        Piece reste = suivie;
        reste.ApportPlafond = apres.ApportPlafond;
        reste.EmissionsBas = apres.EmissionsBas;
        EXPECT_EQ(reste, apres);
    }
}
