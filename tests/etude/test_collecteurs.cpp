// The manifolds of a study: which manifold every room goes to, the outlets
// of its loops, and the balancing of each manifold and between manifolds.

#include "etude/Collecteurs.h"
#include "etude/RecalculEtude.h"

#include "Exemples.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sorvel;

namespace {

// Rooms named after their number, each with `boucles` loops of the given
// flows (l/h) and drops (mmCE); the rooms' manifolds as given.
struct PieceBoucles {
    std::optional<int> collecteur;
    std::vector<std::pair<double, double>> boucles; // flow, drop
};

struct Etude2 {
    std::vector<Piece> pieces;
    std::vector<ReglageBoucle> boucles;
};

Etude2 Construire(const std::vector<PieceBoucles>& description) {
    Etude2 e;
    for (const PieceBoucles& p : description) {
        Piece piece;
        piece.NomPiece = "Pièce " + std::to_string(e.pieces.size() + 1);
        piece.Collecteur = p.collecteur;
        e.pieces.push_back(piece);
        for (std::size_t i = 0; i < p.boucles.size(); ++i)
            e.boucles.push_back({.Piece = static_cast<int>(e.pieces.size()), .NomPiece = piece.NomPiece,
                                 .Boucle = i == 0 ? TypeBoucle::Normale : TypeBoucle::Bordure,
                                 .Debit = p.boucles[i].first, .Perte = p.boucles[i].second});
    }
    return e;
}

// Which manifold (from 1) each loop went to, in loop order.
std::vector<int> Repartition(const std::vector<FiguresCollecteur>& figures, const Etude2& e) {
    std::vector<int> collecteur(e.boucles.size(), 0);
    for (std::size_t c = 0; c < figures.size(); ++c)
        for (const BoucleCollecteur& b : figures[c].Boucles)
            for (std::size_t i = 0; i < e.boucles.size(); ++i)
                if (e.boucles[i].Piece == b.Boucle.Piece && e.boucles[i].Boucle == b.Boucle.Boucle)
                    collecteur[i] = static_cast<int>(c) + 1;
    return collecteur;
}

// With one manifold, the figures are the study's own balancing. The house
// has 14 loops: a manifold of 24 outlets takes them all.
TEST(Collecteurs, UnSeulCollecteurEstLEquilibrageDeLEtude) {
    const std::vector<Piece> pieces = exemples::Maison12Pieces();
    const EtudeRecalculee r = RecalculerEtude(pieces, exemples::Generales());
    const Collecteur seul{"Collecteur 1", SortiesCollecteurMaximum, 0};
    const auto figures = CalculerCollecteurs(pieces, r.Equilibrage.Boucles, {seul});
    ASSERT_EQ(figures.size(), 1u);
    ASSERT_EQ(figures[0].Boucles.size(), r.Equilibrage.Boucles.size());
    EXPECT_DOUBLE_EQ(figures[0].PerteMaxi, r.Resultat.PerteMaxi);
    EXPECT_NEAR(figures[0].Debit, r.Resultat.DebitTotal, 1e-9);
    EXPECT_FALSE(figures[0].KvCollecteur) << "the only manifold needs no throttling";
    for (std::size_t i = 0; i < figures[0].Boucles.size(); ++i) {
        const BoucleCollecteur& b = figures[0].Boucles[i];
        const ReglageBoucle& reglage = r.Equilibrage.Boucles[i];
        EXPECT_EQ(b.Sortie, static_cast<int>(i) + 1);
        EXPECT_DOUBLE_EQ(b.PerteArtificielle, reglage.PerteArtificielle) << i;
        EXPECT_EQ(b.Kv, reglage.Kv) << i;
    }
}

// 13 rooms, the last but one with an edge loop of its own: 14 loops.
std::vector<PieceBoucles> Quatorze(bool parEtage) {
    std::vector<PieceBoucles> pieces(13, PieceBoucles{std::nullopt, {{120, 600}}});
    pieces[11].boucles.push_back({90, 300});
    if (parEtage)
        for (std::size_t i = 0; i < pieces.size(); ++i)
            pieces[i].collecteur = i < 7 ? 1 : 2;
    return pieces;
}

TEST(Collecteurs, Affectation) {
    struct Cas {
        const char* quoi;
        std::vector<PieceBoucles> pieces;
        std::vector<Collecteur> liste;
        std::vector<int> attendue;  // manifold of each loop, from 1
        std::vector<std::string> noms;
    };
    std::vector<PieceBoucles> serres(3, PieceBoucles{std::nullopt, {{100, 100}, {50, 50}}});
    std::vector<PieceBoucles> mixte(3, PieceBoucles{std::nullopt, {{100, 100}}});
    mixte[1].collecteur = 2;
    const Collecteur petit{"Bas", 3, 0}, vide{"Haut", 4, 0};
    const std::vector<int> quatorzeAuto = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2};
    const std::vector<int> quatorzeEtages = {1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2};
    const Cas cas[] = {
        // The room of 2 loops that would take outlets 12 and 13 opens a new
        // manifold of 12 outlets.
        {"14 boucles, automatique", Quatorze(false), {}, quatorzeAuto, {"Collecteur 1", "Collecteur 2"}},
        {"14 boucles, par étage", Quatorze(true), {{"Rez-de-chaussée", 12, 0}, {"Etage", 12, 0}}, quatorzeEtages,
         {"Rez-de-chaussée", "Etage"}},
        // A room that fits nowhere still goes to the next manifold; one more
        // is made after the list, and a manifold that gets nothing stays.
        {"trop serré", serres, {petit, {"Minuscule", 1, 0}}, {1, 1, 2, 2, 3, 3}, {"Bas", "Minuscule", "Collecteur 3"}},
        {"un collecteur vide", {PieceBoucles{std::nullopt, {{100, 100}}}}, {petit, vide}, {1}, {"Bas", "Haut"}},
        // Once one room names its manifold, the others go to the first.
        {"affectation partielle", mixte, {petit, vide}, {1, 2, 1}, {"Bas", "Haut"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const Etude2 e = Construire(c.pieces);
        const auto figures = CalculerCollecteurs(e.pieces, e.boucles, c.liste);
        EXPECT_EQ(Repartition(figures, e), c.attendue);
        std::vector<std::string> noms;
        for (const FiguresCollecteur& f : figures)
            noms.push_back(f.Definition.Nom);
        EXPECT_EQ(noms, c.noms);
        for (const FiguresCollecteur& f : figures)
            for (std::size_t i = 0; i < f.Boucles.size(); ++i)
                EXPECT_EQ(f.Boucles[i].Sortie, static_cast<int>(i) + 1);
    }
}

// Downstairs 1000 mmCE at most; upstairs loops of 800 and 600 mmCE (120 and
// 90 l/h) with a manifold of its own drop 100 mmCE: it needs 900 mmCE, so its
// valve takes 100 mmCE at 210 l/h:
//   Kv = 0.21 / √(100 × 9.80665 / 100000) = 0.21 / 0.0990285 = 2.120601
// and its 600 mmCE loop is throttled by 200 mmCE at 90 l/h:
//   Kv = 0.09 / √(200 × 9.80665 / 100000) = 0.09 / 0.1400475 = 0.642639.
TEST(Collecteurs, EquilibrageEntreCollecteurs) {
    const Etude2 e = Construire({{1, {{300, 1000}}}, {1, {{240, 700}}}, {2, {{120, 800}}}, {2, {{90, 600}}}});
    const auto f = CalculerCollecteurs(e.pieces, e.boucles, {{"Bas", 12, 0}, {"Haut", 12, 100}});
    ASSERT_EQ(f.size(), 2u);
    EXPECT_DOUBLE_EQ(f[0].HauteurNecessaire, 1000);
    EXPECT_FALSE(f[0].KvCollecteur);
    EXPECT_DOUBLE_EQ(f[1].PerteMaxi, 800);
    EXPECT_DOUBLE_EQ(f[1].HauteurNecessaire, 900);
    EXPECT_DOUBLE_EQ(f[1].Debit, 210);
    EXPECT_NEAR(f[1].KvCollecteur.value_or(0), 2.120601, 1e-6);
    EXPECT_DOUBLE_EQ(f[1].Boucles[1].PerteArtificielle, 200);
    EXPECT_NEAR(f[1].Boucles[1].Kv.value_or(0), 0.642639, 1e-6);
    EXPECT_DOUBLE_EQ(f[1].Boucles[1].DebitLmin, 1.5);
    EXPECT_FALSE(f[1].Boucles[0].Kv) << "the most resistant loop of its manifold stays open";
    // An empty manifold below that head passes nothing: its valve is shut.
    const auto vide = CalculerCollecteurs(e.pieces, e.boucles, {{"Bas", 12, 0}, {"Haut", 12, 100}, {"Cave", 4, 0}});
    EXPECT_EQ(vide[2].KvCollecteur, 0.0);
}

TEST(Collecteurs, Alertes) {
    // 29.9 and 300.1 l/h lie outside 0.5 to 5 l/min; 30 and 300 are the limits.
    const Etude2 e = Construire({{std::nullopt, {{29.9, 100}}}, {std::nullopt, {{30, 100}}},
                                 {std::nullopt, {{300, 100}}}, {std::nullopt, {{300.1, 100}}}});
    const auto f = CalculerCollecteurs(e.pieces, e.boucles, {{"Petit", 2, 0}, {"Autre", 2, 0}});
    const auto g = CalculerCollecteurs(e.pieces, e.boucles, {{"Petit", 3, 0}});
    ASSERT_EQ(g.size(), 2u);
    std::vector<bool> debitmetre;
    for (const FiguresCollecteur& c : f)
        for (const BoucleCollecteur& b : c.Boucles)
            debitmetre.push_back(b.AlerteDebitmetre);
    EXPECT_EQ(debitmetre, (std::vector<bool>{true, false, false, true}));
    // Named by hand past its outlets, a manifold is warned.
    Etude2 tous = e;
    for (Piece& p : tous.pieces)
        p.Collecteur = 1;
    const auto trop = CalculerCollecteurs(tous.pieces, tous.boucles, {{"Petit", 2, 0}});
    EXPECT_TRUE(trop[0].AlerteSorties);
    EXPECT_EQ(trop[0].Boucles.back().Sortie, 4);
    EXPECT_FALSE(f[0].AlerteSorties);
}

TEST(Collecteurs, Materiel) {
    const Etude2 e = Construire({{1, {{100, 100}}}, {2, {{100, 100}}}, {4, {{100, 100}}}});
    const auto f = CalculerCollecteurs(e.pieces, e.boucles,
                                       {{"A", 12, 0}, {"B", 4, 0}, {"Vide", 8, 0}, {"C", 12, 0}});
    EXPECT_EQ(MaterielCollecteurs(f), (std::vector<LigneMaterielCollecteur>{{"Collecteur 4 départs", 1},
                                                                             {"Collecteur 12 départs", 2}}));
}

} // namespace
