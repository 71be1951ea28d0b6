// How the manifolds are shown and exported: the CSV section of a study on
// two manifolds worked out by hand (cas/collecteurs.txt), and the warnings
// in words with what to do.

#include "etude/ExportCsv.h"
#include "etude/PresentationCollecteurs.h"

#include "TableCas.h"

#include <gtest/gtest.h>

using namespace sorvel;

namespace {

// Séjour and Cuisine on "Bas", Chambre and Salle de bains (with its edge
// loop) on "Haut".
std::vector<FiguresCollecteur> DeuxCollecteurs() {
    struct Boucle {
        const char* piece;
        TypeBoucle type;
        double longueur, debit, perte;
    };
    const Boucle boucles[] = {{"Séjour", TypeBoucle::Normale, 80, 300, 1000},
                              {"Cuisine", TypeBoucle::Normale, 60.5, 240, 700},
                              {"Chambre", TypeBoucle::Normale, 70, 120, 800},
                              {"Salle de bains", TypeBoucle::Normale, 45, 90, 600},
                              {"Salle de bains", TypeBoucle::Bordure, 12.25, 20, 50}};
    std::vector<Piece> pieces;
    std::vector<ReglageBoucle> reglages;
    for (const Boucle& b : boucles) {
        if (pieces.empty() || pieces.back().NomPiece != b.piece)
            pieces.push_back({.NomPiece = b.piece, .Collecteur = pieces.size() < 2 ? 1 : 2});
        reglages.push_back({.Piece = static_cast<int>(pieces.size()), .NomPiece = b.piece, .Boucle = b.type,
                            .Longueur = b.longueur, .Debit = b.debit, .Perte = b.perte});
    }
    return CalculerCollecteurs(pieces, reglages, {{"Bas", 12, 0}, {"Haut", 2, 100}});
}

TEST(PresentationCollecteurs, SectionCsv) {
    std::string attendu;
    for (const cas::Ligne& l : cas::Lire("collecteurs.txt"))
        attendu += l[0] + "\n";
    EXPECT_EQ(CsvCollecteurs(DeuxCollecteurs()), attendu);
}

// A warning is orange, and its tooltip says what it means on site.
TEST(PresentationCollecteurs, Alertes) {
    const std::vector<FiguresCollecteur> f = DeuxCollecteurs();
    const CelluleEquilibrage sorties = PresenterCollecteur(f[1])[ColonneCollecteur::Alertes];
    EXPECT_EQ(sorties.Format.Couleur, CouleurValeur::Orange);
    EXPECT_EQ(sorties.InfoBulle, "3 boucles arrivent sur ce collecteur de 2 sorties : prendre un collecteur plus "
                                 "grand ou passer des pièces sur un autre collecteur.");
    const CelluleEquilibrage debitmetre = PresenterSorties(f[1])[2][ColonneSortie::Alertes];
    EXPECT_EQ(debitmetre.Format.Couleur, CouleurValeur::Orange);
    EXPECT_EQ(debitmetre.InfoBulle, "Le débit de la boucle (0,33 l/min) sort de l'échelle d'un débitmètre ordinaire "
                                    "(0,5 à 5 l/min) : il ne pourra pas y être lu.");
    EXPECT_EQ(PresenterSorties(f[0])[0][ColonneSortie::Alertes], CelluleEquilibrage{});
}

} // namespace
