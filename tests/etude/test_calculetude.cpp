// The study-wide recalculation: every room calculated in order, balanced
// against the rooms before it, then every loop against the largest.

#include "calcul/ModCalcul.h"
#include "etude/CalculEtude.h"

#include "Exemples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace sorvel;

namespace {

using exemples::Generales;
using exemples::PieceMaison;
constexpr Charge N = Charge::Normale, E = Charge::Elevee, C = Charge::Combinee, A = Charge::Angle;

double Nombre(const TableEtude& t, int k, int i) {
    const auto x = NombreCellule(t.Cell(k, i));
    EXPECT_TRUE(x.has_value()) << "column " << k << " room " << i;
    return x.value_or(std::nan(""));
}

TEST(CalculEtude, EquilibrageFinal) {
    // Two rooms whose normal loops lose 300 and 450 mmCE, no edge loop: the
    // first must get 150 of artificial pressure drop, the second none;
    // empty cells stay empty.
    TableEtude t;
    t.Pieces.resize(2);
    for (int i : {1, 2})
        t.Cell(ColonneEtude::PerteArtificielleNormale, i) = 0.0;
    t.Cell(ColonneEtude::PerteNormale, 1) = 300.0;
    t.Cell(ColonneEtude::PerteNormale, 2) = 450.0;
    EquilibrerEtude(t, 450);
    EXPECT_EQ(t.Cell(ColonneEtude::PerteArtificielleNormale, 1), Cellule(150.0));
    EXPECT_EQ(t.Cell(ColonneEtude::PerteArtificielleNormale, 2), Cellule(0.0));
    EXPECT_EQ(t.Cell(ColonneEtude::PerteArtificielleBordure, 1), Cellule());
    // An empty study: empty table, no pressure drop, no flow.
    const ResultatEtude vide = CalculEtude({}, Generales());
    EXPECT_EQ(std::tuple(vide.Table.NombrePieces(), vide.PerteMaxi, vide.DebitTotal), std::tuple(0, 0.0, 0.0));
    // A room's largest loop drop: its normal loop unless the edge loop is
    // strictly larger.
    EXPECT_EQ(PerteChargePiece(350.5, 0), (PerteCharge{350.5, 0, 350.5}));
    EXPECT_EQ(PerteChargePiece(200, 300), (PerteCharge{200, 300, 300}));
    EXPECT_EQ(PerteChargePiece(250, 250).PerteMax, 250);
}

TEST(CalculEtude, ToutesLesBouclesAligneesSurLaPlusResistante) {
    // Smallest room first: during the pass it has nothing to balance against,
    // the final balancing must still bring it up to the largest loop.
    const std::vector<Piece> pieces = {PieceMaison("Chambre", N, 10, 700), PieceMaison("Séjour", N, 30, 2600),
                                       PieceMaison("Cuisine", C, 14, 1000), PieceMaison("Bureau", A, 12, 900),
                                       PieceMaison("Salle de bains", E, 8, 800)};
    const ResultatEtude r = CalculEtude(pieces, Generales());
    ASSERT_EQ(r.Table.NombrePieces(), 5);
    double maxi = 0, debit = 0;
    for (int i = 1; i <= 5; ++i) {
        const auto bordure = [&](int k) { return NombreCellule(r.Table.Cell(k, i)).value_or(0); };
        maxi = std::max({maxi, Nombre(r.Table, ColonneEtude::PerteNormale, i), bordure(ColonneEtude::PerteBordure)});
        debit += Nombre(r.Table, ColonneEtude::DebitNormale, i) + bordure(ColonneEtude::DebitBordure);
        EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleNormale, i),
                         r.PerteMaxi - Nombre(r.Table, ColonneEtude::PerteNormale, i)) << i;
    }
    EXPECT_EQ(r.PerteMaxi, maxi);
    EXPECT_NEAR(r.DebitTotal, debit, 1e-9);
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleBordure, 5),
                     r.PerteMaxi - Nombre(r.Table, ColonneEtude::PerteBordure, 5));

    // Each room is the room calculation of its inputs, balanced in the pass
    // against the rooms before it (room 2 against room 1).
    const ResultatsPiece sejour =
        CalculPiece(EntreesDepuisPiece(pieces[1], Generales(), Nombre(r.Table, ColonneEtude::PerteNormale, 1)));
    EXPECT_EQ(Nombre(r.Table, ColonneEtude::PerteNormale, 2), sejour.PerteNormale);
    EXPECT_EQ(Nombre(r.Table, ColonneEtude::DebitNormale, 2), sejour.DebitNormale);
    EXPECT_EQ(r.Table.Cell(ColonneEtude::PasVZNormale, 2), Cellule(TextePasNormale(sejour.PasVZNormale)));
}

TEST(CalculEtude, CellulesParTypeDeCharge) {
    // Edge pitch and edge surface temperature exist for every edge zone; edge
    // length, flow, emission and pressure drops only for an independent loop.
    const std::vector<Piece> pieces = {PieceMaison("Normale", N, 12, 900), PieceMaison("Limite", E, 12, 900),
                                       PieceMaison("Combinée", C, 12, 900), PieceMaison("Angle", A, 12, 900)};
    const ResultatEtude r = CalculEtude(pieces, Generales(Fixation::Plots, DiametreTube::D13x16));
    using namespace ColonneEtude;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const Charge type = pieces[static_cast<std::size_t>(i - 1)].TypeCharge;
        for (int k : {LongueurBordure, EmissionRaccordBordure, DebitBordure, PerteBordure, PerteArtificielleBordure})
            EXPECT_EQ(r.Table.Cell(k, i) == Cellule(), !BoucleBordureIndependante(type)) << k;
        for (int k : {PasVZBordure, TempSurfaceBordure})
            EXPECT_EQ(r.Table.Cell(k, i) == Cellule(), !AvecZoneBordure(type)) << k;
        EXPECT_EQ(r.Table.Cell(ChuteTemperature, i), Cellule(std::int32_t{5}));
        EXPECT_EQ(r.Table.Cell(TempPiece, i), Cellule(std::string("20")));
        EXPECT_EQ(r.Table.Cell(RthFuture, i), Cellule(std::string("0.10")));
        EXPECT_EQ(r.Table.Cell(IsolationPlancher, i), Cellule(std::string("6")));
        EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::SurfaceUtile, i), 11);
    }
    EXPECT_EQ(r.Table.Cell(Designation, 3), Cellule(std::string("Combinée")));
    EXPECT_EQ(r.Table.Cell(PasVZBordure, 2), Cellule(std::string("10")));
    // Corner panel: 0.85 of half the 11 m² of heated floor.
    EXPECT_DOUBLE_EQ(Nombre(r.Table, SurfaceBordure, 4), 11 / 2.0 * 0.85);
}

TEST(CalculEtude, BoucleDeBordureLaPlusResistante) {
    // A type-1 room whose 5-cm edge loop (6 m², 120 m of pipe plus 30 m of
    // connection) is the study's most resistant loop.
    Piece limite = PieceMaison("Véranda", E, 16, 1400);
    limite.SurfaceBordure = 6;
    limite.PasVZBordure = PasVZ::VZ5;
    limite.LongRaccordBordure = 30;
    const ResultatEtude r = CalculEtude({PieceMaison("Chambre", N, 10, 700), limite}, Generales());
    using namespace ColonneEtude;
    const double bordure = Nombre(r.Table, PerteBordure, 2);
    ASSERT_GT(bordure, Nombre(r.Table, PerteNormale, 2));
    EXPECT_EQ(r.PerteMaxi, bordure);
    EXPECT_EQ(Nombre(r.Table, PerteArtificielleBordure, 2), 0);
    EXPECT_DOUBLE_EQ(Nombre(r.Table, PerteArtificielleNormale, 2), bordure - Nombre(r.Table, PerteNormale, 2));
    EXPECT_DOUBLE_EQ(Nombre(r.Table, PerteArtificielleNormale, 1), bordure - Nombre(r.Table, PerteNormale, 1));
    EXPECT_DOUBLE_EQ(Nombre(r.Table, LongueurBordure, 2), 150);
}

TEST(CalculEtude, PieceImpossibleACalculer) {
    // The failed room is named by number and name, and its cause explained
    // in the words of the room screens.
    struct Cas { std::function<void(Piece&)> abimer; const char* etape; const char* cause; };
    const Cas cas[] = {
        {[](Piece& p) { p.TempPiece = 42; }, "EmissionNecessairePiece",
         "la température moyenne de l'eau est égale à la température de la pièce : "
         "augmenter la température de départ ou réduire la chute de température"},
        {[](Piece& p) { p.TempPiece.reset(); }, "TempPiece", "la température de la pièce n'est pas choisie"},
        {[](Piece& p) { p.RthFuture.reset(); }, "RthFuture",
         "la résistance thermique future du revêtement n'est pas choisie"},
        {[](Piece& p) { p.SurfacePiece = std::nan(""); }, "SurfacePiece",
         "la valeur « Surface de la pièce » n'est pas un nombre utilisable"},
        {[](Piece& p) { p.SurfacePlafond = INFINITY; }, "SurfacePlafond",
         "la valeur « Surface du plancher haut » n'est pas un nombre utilisable"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.etape);
        std::vector<Piece> pieces = {PieceMaison("Chambre", N, 10, 700), PieceMaison("Séjour", N, 30, 2600),
                                     PieceMaison("Cuisine", N, 12, 900)};
        c.abimer(pieces[1]);
        const auto e = exemples::Erreur<ErreurCalculEtude>([&] { CalculEtude(pieces, Generales()); });
        ASSERT_TRUE(e) << "no error raised";
        EXPECT_EQ(std::tuple(e->Piece(), e->NomPiece(), e->Erreur().etape()), std::tuple(2, "Séjour", c.etape));
        EXPECT_EQ(std::string(e->what()),
                  std::string("La pièce 2 « Séjour » ne peut pas être calculée : ") + c.cause + ".");
    }
    // A name holding a NUL and a line feed: what() is the whole sentence,
    // the controls shown; NomPiece() keeps the name as stored.
    const std::string nom("Bur\0eau\n", 8);
    Piece p = PieceMaison(nom, N, 10, 700);
    p.TempPiece = 42;
    const auto e = exemples::Erreur<ErreurCalculEtude>([&] { CalculEtude({p}, Generales()); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->NomPiece(), nom);
    EXPECT_EQ(std::string(e->what()).rfind("La pièce 1 « Bur␀eau␊ » ne peut pas être calculée : la température", 0), 0u)
        << e->what();
}

// Both callers of the room calculation build its inputs the same way.
TEST(CalculEtude, EntreesDepuisPiece) {
    Piece p = PieceMaison("Séjour", E, 20, 1500);
    p.PasVZBordure = PasVZ::VZ5;
    p.TempPiece = 19;
    const EntreesPiece e = EntreesDepuisPiece(p, Generales(Fixation::Plots, DiametreTube::D13x16), 123.5);
    EXPECT_EQ(std::tuple(e.TempDepart, e.TempPiece, e.TempChute, e.TypeCharge), std::tuple(45, 19, 5, E));
    EXPECT_EQ(std::tuple(e.Support, e.Tube, e.PasVZBordure), std::tuple(Fixation::Plots, DiametreTube::D13x16, PasVZ::VZ5));
    EXPECT_EQ(std::tuple(e.RthActuelle, e.RthFuture), std::tuple(Resistance::R005, Resistance::R010));
    EXPECT_EQ(std::tuple(e.SurfacePiece, e.SurfaceEmprises, e.SurfaceBordure), std::tuple(20.0, 1.0, 4.0));
    EXPECT_EQ(std::tuple(e.DeperdPiece, e.DeperdPlancher, e.ApportPlafond, e.EmissionsBas),
              std::tuple(1500.0, 150.0, 50.0, 60.0));
    EXPECT_EQ(std::tuple(e.LongRaccordNormale, e.LongRaccordBordure, e.LongDistri, e.PerteMaxEtude),
              std::tuple(8.0, 6.0, 0.0, 123.5));
    p.RthActuelle.reset();
    EXPECT_EQ(exemples::Etape([&] { EntreesDepuisPiece(p, Generales(), 0); }), "RthActuelle");
}

} // namespace
