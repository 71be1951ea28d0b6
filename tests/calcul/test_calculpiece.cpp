#include "calcul/ModCalcul.h"
#include "calcul/ModVZ.h"
#include "commun/ErreurArithmetique.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>

using namespace sorvel;

namespace {

// The room of the worked example of the room calculation: supply 45 degC,
// drop 5 K, room 20 degC, 20 m2 with 2 m2 of obstacles, losses 1500 W of
// which 200 W through the floor, no ceiling gain.
EntreesPiece PieceExemple() {
    EntreesPiece e;
    e.TempDepart = 45;
    e.TempChute = 5;
    e.TempPiece = 20;
    e.TypeCharge = 0;
    e.SurfacePiece = 20;
    e.SurfaceEmprises = 2;
    e.SurfaceBordure = 0;
    e.Support = "Treillis";
    e.Tube = "16x20";
    e.RthActuelle = "0.05";
    e.RthFuture = "0.05";
    e.PasVZBordure = "10";
    e.DeperdPiece = 1500;
    e.DeperdPlancher = 200;
    e.ApportPlafond = 0;
    e.LongRaccordNormale = 6;
    e.LongRaccordBordure = 0;
    e.LongDistri = 0;
    e.EmissionsBas = 90;
    e.PerteMaxEtude = 0;
    return e;
}

TEST(CalculPiece, ExempleEtTemperatures) {
    // Worked example of the room calculation.
    const ResultatsPiece r = CalculPiece(PieceExemple());
    EXPECT_EQ(r.TempMoyenne, 42.5);
    EXPECT_EQ(r.EcartEau, 22); // CInt(42.5) = 42, halves to even
    EXPECT_EQ(r.SurfaceNette, 18);
    EXPECT_EQ(r.SurfaceNormale, 18);
    EXPECT_EQ(r.SurfaceBordureCalculee, 0);
    EXPECT_DOUBLE_EQ(r.Besoin, 1320); // 1500 - (200 - 0.1 x 200)
    EXPECT_DOUBLE_EQ(r.DeperdCorrigees, 1320);
    // 1320 / 18 / 22 = 3.33 W/(m2.K): VZ30 (4.06 for 16x20, 0.05) is enough.
    EXPECT_NEAR(r.EmissionNecessairePiece, 1320.0 / 18 / 22, 1e-12);
    EXPECT_EQ(r.PasVZNormale, "30");
    EXPECT_EQ(r.EmissionUtiliseeNormale, 4.06);
    EXPECT_NEAR(r.LongueurNormale, 18 * 3.4, 1e-12);
    EXPECT_EQ(r.AppointActuelle, 0);
    // Surface temperature ((4.06 / 11.6) x 22 + 20) x 1.02 = 28.254 -> 28.25.
    EXPECT_EQ(r.TempSurfaceNormale, 28.25);
    EXPECT_EQ(r.TempSurfaceBordure, 0);
    // Identical coverings: the two capacities coincide.
    EXPECT_EQ(r.EmissionMaxActuelle, r.EmissionMaxFuture);
    EXPECT_EQ(r.RthDeCalcul, 0.05);
    // A single loop: nothing to balance it against yet.
    EXPECT_EQ(r.PerteArtificielleNormale, 0);
    EXPECT_EQ(r.PerteLaPlusElevee, r.PerteNormale);
    EXPECT_GT(r.PerteNormale, 0);

    struct Cas { std::int16_t depart, chute, piece; double moyenne; std::int16_t ecart; };
    // Edge cases of the mean temperature: 41.5 and 42.5 both round to 42.
    const Cas cas[] = {{45, 7, 20, 41.5, 22}, {45, 5, 20, 42.5, 22}, {50, 20, 18, 40, 22}, {35, 3, 24, 33.5, 10}};
    for (const Cas& c : cas) {
        EntreesPiece e = PieceExemple();
        e.TempDepart = c.depart;
        e.TempChute = c.chute;
        e.TempPiece = c.piece;
        const ResultatsPiece t = CalculPiece(e);
        EXPECT_EQ(t.TempMoyenne, c.moyenne);
        EXPECT_EQ(t.EcartEau, c.ecart);
    }
}

TEST(CalculPiece, TypesDeCharge) {
    // Corner panel: the edge zone is 0.85 of half the net floor, whatever was
    // entered (20 m2 net -> 8.5 m2 of edge, 11.5 m2 normal).
    {
        EntreesPiece e = PieceExemple();
        e.TypeCharge = 3;
        e.SurfacePiece = 22;
        e.SurfaceBordure = 7;
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_DOUBLE_EQ(r.SurfaceBordureCalculee, 8.5);
        EXPECT_DOUBLE_EQ(r.SurfaceNormale, 11.5);
        // Combined loop: the edge pipe is in the normal loop, the two flows summed.
        EXPECT_NEAR(r.LongueurNormale, LongueurTube(r.PasVZNormale, 11.5) + LongueurTube("10", 8.5), 1e-9);
        EXPECT_EQ(r.DebitBordure, 0);
        EXPECT_EQ(r.PerteBordure, 0);
        EXPECT_EQ(r.EmissionRaccordBordure, 0);
        EXPECT_NEAR(r.DebitNormale,
                    DebitCircuit(r.PuissanceBordure, 42, 5, 0, r.EmissionBasBordure)
                        + DebitCircuit(r.PuissanceNormale, 42, 5, r.EmissionRaccordNormale, r.EmissionBasNormale),
                    1e-9);
        EXPECT_GT(r.TempSurfaceBordure, 0);
    }
    // Independent 5-cm edge loop: the edge zone works with supply - 1.5 - room
    // (45 and 20 give 23.5 K) and its loop with a 3 K drop.
    {
        EntreesPiece e = PieceExemple();
        e.TypeCharge = 1;
        e.SurfaceBordure = 4;
        e.PasVZBordure = "5";
        e.TempChute = 7;
        e.LongRaccordBordure = 5;
        e.RthFuture = "0.10";
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_EQ(r.SurfaceNormale, 14);
        const double coefActuel = CoefficientBordure("16x20", "0.05", "Treillis", "5");
        const double coefFutur = CoefficientBordure("16x20", "0.10", "Treillis", "5");
        EXPECT_DOUBLE_EQ(r.EmissionBordureActuelle, 23.5 * coefActuel * 4);
        EXPECT_DOUBLE_EQ(r.PuissanceBordure, 23.5 * coefFutur * 4);
        EXPECT_DOUBLE_EQ(r.LongueurBordure, 80); // 20 m of pipe per m2 at 5 cm
        EXPECT_DOUBLE_EQ(r.DebitBordure,
                         DebitCircuit(r.PuissanceBordure, 42, 3, r.EmissionRaccordBordure, r.EmissionBasBordure));
        EXPECT_GT(r.PerteBordure, 0);
        // The edge surface temperature keeps the water-to-room difference (22 K).
        EXPECT_EQ(r.TempSurfaceBordure, std::round((coefFutur / 11.6 * 22 + 20) * 1.02 * 100) / 100);
    }
    // Same loop at 10 cm: water-to-room difference and the room's drop.
    {
        EntreesPiece e = PieceExemple();
        e.TypeCharge = 1;
        e.SurfaceBordure = 4;
        e.PasVZBordure = "10";
        e.TempChute = 7;
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_DOUBLE_EQ(r.EmissionBordureActuelle, 22.0 * CoefficientBordure("16x20", "0.05", "Treillis", "10") * 4);
        EXPECT_DOUBLE_EQ(r.DebitBordure,
                         DebitCircuit(r.PuissanceBordure, 42, 7, r.EmissionRaccordBordure, r.EmissionBasBordure));
    }
}

TEST(CalculPiece, AppointsEtDebitsAFreiner) {
    // The need exceeds what the tightest pitch gives: VZ10 with the worse
    // covering, and the shortfall reported as supplementary heat.
    {
        EntreesPiece e = PieceExemple();
        e.DeperdPiece = 4000;
        e.RthFuture = "0.10";
        e.LongDistri = 4;
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_EQ(r.PasVZNormale, "10");
        EXPECT_EQ(r.CoefDemande, CoefficientNormale("16x20", "0.10", "Treillis", "10"));
        // Computed on the need before the crossing pipes are deducted
        // (16x20 VZ10: 5.63 at 0.05, 4.38 at 0.10; 22 K over 18 m2).
        EXPECT_NEAR(r.AppointActuelle, 3820 - 22 * 5.63 * 18, 0.005);
        EXPECT_NEAR(r.AppointFuture, 3820 - 22 * 4.38 * 18, 0.005);
        EXPECT_EQ(r.AppointActuelle, std::round(r.AppointActuelle * 100) / 100);
    }
    // Capacity exactly equal to the need: no supplementary heat.
    {
        EntreesPiece e = PieceExemple();
        e.SurfaceEmprises = 0;
        e.SurfacePiece = 10;
        e.DeperdPlancher = 0;
        e.DeperdPiece = 22.0 * CoefficientNormale("16x20", "0.05", "Treillis", "10") * 10.0;
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_EQ(r.EmissionMaxActuelle, r.Besoin);
        EXPECT_EQ(r.AppointActuelle, 0);
        EXPECT_EQ(r.PasVZNormale, "10");
    }
    // A present covering better than the future one gives off more than
    // needed at the pitch chosen for the future one: flow to throttle.
    {
        EntreesPiece e = PieceExemple();
        e.RthActuelle = "0.01";
        e.RthFuture = "0.10";
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_EQ(r.RthDeCalcul, 0.10);
        EXPECT_GT(r.DebitFreinActuelle, 0);
        EXPECT_LT(r.DebitFreinFuture, r.DebitFreinActuelle);
        EXPECT_LT(r.DebitFreinActuelle, r.DebitNormale);
    }
    // Need equal to the maximal capacity of the future covering at VZ10:
    // no excess left with it.
    {
        EntreesPiece e = PieceExemple();
        e.RthActuelle = "0.01";
        e.RthFuture = "0.10";
        e.DeperdPiece = 3000;
        const ResultatsPiece r = CalculPiece(e);
        EXPECT_EQ(r.PasVZNormale, "10");
        EXPECT_GT(r.AppointFuture, 0);
        EXPECT_EQ(r.DebitFreinFuture, 0);
    }
}

TEST(CalculPiece, DefautsArithmetiques) {
    struct Cas { const char* quoi; std::function<void(EntreesPiece&)> modifier; const char* etape; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Cas cas[] = {
        // Mean water 42 degC in a 42 degC room: EcartEau = 0.
        {"ecart nul", [](EntreesPiece& e) { e.TempPiece = 42; }, "EmissionNecessairePiece"},
        {"surface nulle", [](EntreesPiece& e) { e.SurfacePiece = 0; e.SurfaceEmprises = 0; }, "Besoin"},
        {"surface nette nulle", [](EntreesPiece& e) { e.SurfaceEmprises = 20; }, "EmissionNecessairePiece"},
        {"zone normale nulle", [](EntreesPiece& e) { e.TypeCharge = 1; e.SurfaceBordure = 18; },
         "EmissionNecessaireNormale"},
        {"chute nulle", [](EntreesPiece& e) { e.TempChute = 0; }, "DebitCircuit"},
        // Covering outside the list: no pitch, no emission, no flow.
        {"debit nul", [](EntreesPiece& e) { e.RthActuelle = e.RthFuture = "0.20"; e.EmissionsBas = 0;
                                            e.LongRaccordNormale = 0; }, "PerteChargeLineique"},
        {"surface NaN", [nan](EntreesPiece& e) { e.SurfacePiece = nan; }, "SurfacePiece"},
        {"deperditions infinies", [inf](EntreesPiece& e) { e.DeperdPiece = inf; }, "DeperdPiece"},
        {"raccord NaN", [nan](EntreesPiece& e) { e.LongRaccordBordure = nan; }, "LongRaccordBordure"},
        {"perte max NaN", [nan](EntreesPiece& e) { e.PerteMaxEtude = nan; }, "PerteMaxEtude"},
        {"depassement", [](EntreesPiece& e) { e.DeperdPiece = 1e308; e.ApportPlafond = -1e308; }, "Besoin"},
        {"type 4", [](EntreesPiece& e) { e.TypeCharge = 4; }, "TypeCharge"},
        {"temperature hors int16", [](EntreesPiece& e) { e.TempDepart = 32767; e.TempChute = -20; }, "TempMoyenne"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        EntreesPiece e = PieceExemple();
        c.modifier(e);
        try {
            CalculPiece(e);
            ADD_FAILURE() << "no error raised";
        } catch (const ErreurArithmetique& err) {
            EXPECT_EQ(err.etape(), c.etape);
        }
    }
}

TEST(CalculPiece, IndependantDeLaLocale) {
    // The coverings are read with a point whatever the machine's locale.
    const ResultatsPiece avant = CalculPiece(PieceExemple());
    const char* ancienne = std::setlocale(LC_ALL, nullptr);
    const std::string sauvee = ancienne ? ancienne : "C";
    if (!std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "fr_FR.UTF-8 is not generated on this machine";
    const ResultatsPiece apres = CalculPiece(PieceExemple());
    std::setlocale(LC_ALL, sauvee.c_str());
    EXPECT_EQ(apres.RthDeCalcul, 0.05);
    EXPECT_EQ(apres.PerteNormale, avant.PerteNormale);
    EXPECT_EQ(apres.PasVZNormale, avant.PasVZNormale);
}

TEST(CalculPiece, VingtArguments) {
    const EntreesPiece e = PieceExemple();
    const ResultatsPiece a = CalculPiece(e);
    const ResultatsPiece b = CalculPiece(e.TempDepart, e.TempChute, e.TempPiece, e.TypeCharge, e.SurfacePiece,
                                         e.SurfaceEmprises, e.SurfaceBordure, e.Support, e.Tube, e.RthActuelle,
                                         e.RthFuture, e.PasVZBordure, e.DeperdPiece, e.DeperdPlancher,
                                         e.ApportPlafond, e.LongRaccordNormale, e.LongRaccordBordure,
                                         e.LongDistri, e.EmissionsBas, 5000.0);
    EXPECT_EQ(b.PerteNormale, a.PerteNormale);
    EXPECT_EQ(b.PerteLaPlusElevee, 5000.0);
    EXPECT_EQ(b.PerteArtificielleNormale, 5000.0 - a.PerteNormale);
}

} // namespace
