#include "calcul/ModCalcul.h"
#include "etude/CalculEtude.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace sorvel;

namespace {

using exemples::Generales;
using exemples::Piece;

double Nombre(const TableEtude& t, int k, int i) {
    const auto x = NombreCellule(t.Cell(k, i));
    EXPECT_TRUE(x.has_value()) << "column " << k << " room " << i;
    return x.value_or(std::nan(""));
}

TEST(CalculEtude, EtudeVide) {
    // An empty study: empty table, no pressure drop, no flow.
    const ResultatEtude r = CalculEtude({}, Generales());
    EXPECT_EQ(r.Table.NombrePieces(), 0);
    EXPECT_EQ(r.PerteMaxi, 0);
    EXPECT_EQ(r.DebitTotal, 0);
}

TEST(CalculEtude, EquilibrageFinal) {
    // Two rooms whose normal loops lose 300 and 450 mmCE, no edge loop: the
    // first must get 150 of artificial pressure drop, the second none.
    TableEtude t;
    t.Pieces.resize(2);
    t.Cell(ColonneEtude::PerteNormale, 1) = 300.0;
    t.Cell(ColonneEtude::PerteArtificielleNormale, 1) = 0.0; // value of the pass: nothing before it
    t.Cell(ColonneEtude::PerteNormale, 2) = 450.0;
    t.Cell(ColonneEtude::PerteArtificielleNormale, 2) = 0.0;
    EquilibrerEtude(t, 450);
    EXPECT_EQ(t.Cell(ColonneEtude::PerteArtificielleNormale, 1), Cellule(150.0));
    EXPECT_EQ(t.Cell(ColonneEtude::PerteArtificielleNormale, 2), Cellule(0.0));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.Cell(ColonneEtude::PerteBordure, 1)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.Cell(ColonneEtude::PerteArtificielleBordure, 1))); // empty cells stay empty
}

TEST(CalculEtude, ToutesLesBouclesAligneesSurLaPlusResistante) {
    // Smallest room first: during the pass it has nothing to balance against,
    // the final balancing must still bring it up to the largest loop.
    const std::vector<DonneesPiece> pieces = {
        Piece("Chambre", 0, 10, 700), Piece("Séjour", 0, 30, 2600), Piece("Cuisine", 2, 14, 1000),
        Piece("Bureau", 3, 12, 900), Piece("Salle de bains", 1, 8, 800)};
    const ResultatEtude r = CalculEtude(pieces, Generales());
    ASSERT_EQ(r.Table.NombrePieces(), 5);
    double maxi = 0, debit = 0;
    for (int i = 1; i <= 5; ++i) {
        maxi = std::max({maxi, Nombre(r.Table, ColonneEtude::PerteNormale, i), NombreCellule(r.Table.Cell(ColonneEtude::PerteBordure, i)).value_or(0)});
        debit += Nombre(r.Table, ColonneEtude::DebitNormale, i) + NombreCellule(r.Table.Cell(ColonneEtude::DebitBordure, i)).value_or(0);
    }
    EXPECT_EQ(r.PerteMaxi, maxi);
    EXPECT_NEAR(r.DebitTotal, debit, 1e-9);
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleNormale, i), r.PerteMaxi - Nombre(r.Table, ColonneEtude::PerteNormale, i));
        EXPECT_GE(Nombre(r.Table, ColonneEtude::PerteArtificielleNormale, i), 0);
    }
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleBordure, 5), r.PerteMaxi - Nombre(r.Table, ColonneEtude::PerteBordure, 5));

    // Each room is the room calculation of its record, balanced in the pass
    // against the rooms before it (room 2 against room 1).
    // (the reference room with the record's own values)
    const ResultatsPiece sejour = exemples::CalculModifie([](EntreesPiece& e) {
        e.SurfacePiece = 30; e.SurfaceEmprises = 1; e.RthFuture = "0.10"; e.DeperdPiece = 2600;
        e.DeperdPlancher = 150; e.ApportPlafond = 50; e.LongRaccordNormale = 8; e.LongRaccordBordure = 6;
        e.EmissionsBas = 60;
    });
    EXPECT_EQ(Nombre(r.Table, ColonneEtude::PerteNormale, 2), sejour.PerteNormale);
    EXPECT_EQ(Nombre(r.Table, ColonneEtude::DebitNormale, 2), sejour.DebitNormale);
    EXPECT_EQ(std::get<std::string>(r.Table.Cell(ColonneEtude::PasVZNormale, 2)), sejour.PasVZNormale);
}

TEST(CalculEtude, CellulesParTypeDeCharge) {
    // Edge pitch and edge surface temperature exist for every edge zone; edge
    // length, flow, emission and pressure drops only for an independent loop.
    const std::vector<DonneesPiece> pieces = {
        Piece("Normale", 0, 12, 900), Piece("Limite", 1, 12, 900),
        Piece("Combinée", 2, 12, 900), Piece("Angle", 3, 12, 900)};
    const ResultatEtude r = CalculEtude(pieces, Generales(1, 0));
    const int boucle[] = {29, 31, 33, 37, 39};
    const int zone[] = {27, 41};
    struct Cas { int piece; bool boucle; bool zone; };
    for (const Cas c : {Cas{1, false, false}, Cas{2, true, true}, Cas{3, false, true}, Cas{4, false, true}}) {
        SCOPED_TRACE(c.piece);
        for (int k : boucle)
            EXPECT_EQ(std::holds_alternative<std::monostate>(r.Table.Cell(k, c.piece)), !c.boucle) << k;
        for (int k : zone)
            EXPECT_EQ(std::holds_alternative<std::monostate>(r.Table.Cell(k, c.piece)), !c.zone) << k;
        EXPECT_EQ(r.Table.Cell(ColonneEtude::ChuteTemperature, c.piece), Cellule(std::int32_t{5}));
        EXPECT_EQ(r.Table.Cell(ColonneEtude::TempPiece, c.piece), Cellule(std::string("20")));
        EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::SurfaceUtile, c.piece), 11);
    }
    EXPECT_EQ(r.Table.Cell(ColonneEtude::Designation, 3), Cellule(std::string("Combinée")));
    EXPECT_EQ(r.Table.Cell(ColonneEtude::PasVZBordure, 2), Cellule(std::string("10")));
    // Corner panel: 0.85 of half the 11 m2 of heated floor.
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::SurfaceBordure, 4), 11 / 2.0 * 0.85);
}

TEST(CalculEtude, BoucleDeBordureLaPlusResistante) {
    // A type-1 room whose 5-cm edge loop (6 m2, 120 m of pipe plus 30 m of
    // connection) is the study's most resistant loop.
    DonneesPiece limite = Piece("Véranda", 1, 16, 1400);
    limite.SurfaceBordure = 6;
    limite.PasVZBordure = "5";
    limite.LongRaccordBordure = 30;
    const std::vector<DonneesPiece> pieces = {Piece("Chambre", 0, 10, 700), limite};
    const ResultatEtude r = CalculEtude(pieces, Generales());
    const double bordure = Nombre(r.Table, ColonneEtude::PerteBordure, 2);
    ASSERT_GT(bordure, Nombre(r.Table, ColonneEtude::PerteNormale, 2));
    EXPECT_EQ(r.PerteMaxi, bordure);
    EXPECT_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleBordure, 2), 0);
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleNormale, 2), bordure - Nombre(r.Table, ColonneEtude::PerteNormale, 2));
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::PerteArtificielleNormale, 1), bordure - Nombre(r.Table, ColonneEtude::PerteNormale, 1));
    EXPECT_DOUBLE_EQ(Nombre(r.Table, ColonneEtude::LongueurBordure, 2), 150);
}

TEST(CalculEtude, PieceImpossibleACalculer) {
    // The failed room is named by number and name, and its cause explained
    // in the words of the room screens.
    struct Cas { const char* quoi; std::function<void(DonneesPiece&)> abimer; const char* etape; const char* cause; };
    const Cas cas[] = {
        {"ecart nul", [](DonneesPiece& p) { p.TempPiece = "42"; }, "EmissionNecessairePiece",
         "la température moyenne de l'eau est égale à la température de la pièce : "
         "augmenter la température de départ ou réduire la chute de température"},
        {"temperature illisible", [](DonneesPiece& p) { p.TempPiece = "x"; }, "TempPiece",
         "la température de la pièce n'est pas choisie"},
        {"surface NaN", [](DonneesPiece& p) { p.SurfacePiece = std::nan(""); }, "SurfacePiece",
         "la valeur « Surface de la pièce » n'est pas un nombre utilisable"},
        {"plafond infini", [](DonneesPiece& p) { p.SurfacePlafond = INFINITY; }, "SurfacePlafond",
         "la valeur « Surface du plancher haut » n'est pas un nombre utilisable"},
        {"type 7", [](DonneesPiece& p) { p.TypeCharge = 7; }, "TypeCharge", "le type de charge n'est pas reconnu"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        std::vector<DonneesPiece> pieces = {Piece("Chambre", 0, 10, 700), Piece("Séjour", 0, 30, 2600),
                                            Piece("Cuisine", 0, 12, 900)};
        c.abimer(pieces[1]);
        const auto e = exemples::Erreur<ErreurCalculEtude>([&] { CalculEtude(pieces, Generales()); });
        ASSERT_TRUE(e) << "no error raised";
        EXPECT_EQ(e->Piece(), 2);
        EXPECT_EQ(e->NomPiece(), "Séjour");
        EXPECT_EQ(e->Erreur().etape(), c.etape);
        EXPECT_EQ(std::string(e->what()),
                  std::string("La pièce 2 « Séjour » ne peut pas être calculée : ") + c.cause + ".");
    }
    DonneesGenerales g = Generales();
    g.TempDepart = "";
    EXPECT_THROW(CalculEtude({Piece("Chambre", 0, 10, 700)}, g), ErreurArithmetique);

    // A name holding a NUL and a line feed: what() is the whole sentence,
    // the controls shown; NomPiece() keeps the name as stored.
    const std::string nom("Bur\0eau\n", 8);
    const auto e = exemples::Erreur<ErreurCalculEtude>([&] {
        DonneesPiece p = Piece(nom, 0, 10, 700);
        p.TempPiece = "42";
        CalculEtude({p}, Generales());
    });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->NomPiece(), nom);
    EXPECT_EQ(std::string(e->what()).rfind("La pièce 1 « Bur␀eau␊ » ne peut pas être calculée : la température", 0), 0u)
        << e->what();
}

// Both callers of the room calculation build its inputs the same way: the
// texts trimmed, the general data's support and tube named.
TEST(CalculEtude, EntreesDepuisEnregistrements) {
    DonneesPiece d = Piece("Séjour", 1, 20, 1500);
    d.PasVZBordure = "5 ";
    d.TempPiece = " 19";
    d.RthActuelle = " 0.05 ";
    const DonneesGenerales g = Generales(1, 0);
    const EntreesPiece e = EntreesDepuisEnregistrements(d, g, 123.5);
    EXPECT_EQ(e.TempDepart, 45);
    EXPECT_EQ(e.TempPiece, 19);
    EXPECT_EQ(e.PasVZBordure, "5");
    EXPECT_EQ(e.RthActuelle, "0.05");
    EXPECT_EQ(e.Support, "Plots");
    EXPECT_EQ(e.Tube, "13x16");
    EXPECT_EQ(e.LongRaccordBordure, 6);
    EXPECT_EQ(e.PerteMaxEtude, 123.5);
    d.TempPiece = "";
    EXPECT_THROW(EntreesDepuisEnregistrements(d, g, 0), ErreurArithmetique);
}

} // namespace
