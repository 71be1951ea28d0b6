// The material list of a study and the site results report.

#include "commun/Nombres.h"
#include "etude/CalculEtude.h"
#include "etude/Materiel.h"
#include "etude/PresentationChantier.h"
#include "etude/PresentationRecapitulatif.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

using namespace sorvel;

namespace {

using C = CelluleMateriel;
constexpr auto D13x16 = DiametreTube::D13x16, D16x20 = DiametreTube::D16x20;

// A number, or the text itself.
C Quantite(const cas::Ligne& l, std::size_t i) {
    try {
        return l.Reel(i);
    } catch (const std::invalid_argument&) {
        return l[i];
    }
}

// A room of the study table as the material list reads it.
void AjouterPiece(TableEtude& t, const cas::Ligne& l) {
    using namespace ColonneEtude;
    t.Pieces.emplace_back();
    const int i = t.NombrePieces();
    for (auto [k, champ] : {std::pair{SurfacePiece, 1}, {ColonneEtude::SurfaceUtile, 2}, {SurfaceNormale, 3},
                            {SurfaceBordure, 4}, {LongueurNormale, 7}})
        t.Cell(k, i) = l.Reel(static_cast<std::size_t>(champ));
    t.Cell(PasVZNormale, i) = l[5];
    if (l[6] != "-")
        t.Cell(PasVZBordure, i) = l[6];
    if (l[8] != "-")
        t.Cell(LongueurBordure, i) = l.Reel(8);
}

TEST(Materiel, Quantites) {
    TableEtude table;
    Installation g;
    for (const cas::Ligne& l : cas::Lire("materiel.txt")) {
        SCOPED_TRACE(l.ou);
        if (l[0] == "cas") {
            table = {};
            g = {exemples::Support(l[2]), exemples::Tube(l[3]), 45, l.Entier(5),
                 l[4] == "liquide" ? NatureChape::Liquide : NatureChape::Traditionnelle};
        } else if (l[0] == "piece") {
            AjouterPiece(table, l);
        } else if (l[0] == "materiel") {
            std::vector<C> attendu;
            for (std::size_t i = 1; i < l.size(); ++i)
                attendu.push_back(Quantite(l, i));
            EXPECT_EQ(Materiel(table, g), attendu);
        } else {
            EXPECT_EQ(SurfacesTreillis(table, g), (std::array{l.Reel(1), l.Reel(2), l.Reel(3)}));
        }
    }
    // A quantity shows in its shortest French form, a text as it is.
    EXPECT_EQ(TexteMateriel(C(12.5)), "12,5");
    EXPECT_EQ(TexteMateriel(C(std::string("Plots thermoformés"))), "Plots thermoformés");
    EXPECT_STREQ(LignesMateriel[9].Designation, "longueur approximative de bande périphérique");
}

TEST(Chantier, LignesDesPiecesEtContenance) {
    Piece salon = exemples::PieceMaison("Salon", Charge::Normale, 60, 5200);
    salon.Boucles = 3;
    const std::vector<Piece> pieces = {exemples::PieceMaison("Séjour", Charge::Normale, 30, 2600),
                                       exemples::PieceMaison("Véranda", Charge::Elevee, 15, 1400),
                                       exemples::PieceMaison("Bureau", Charge::Angle, 12, 900), salon};
    const ResultatEtude r = CalculEtude(pieces, exemples::Generales());
    const std::vector<LigneChantier> l = LignesPiecesChantier(r);
    const auto texte = [&](int k, int i) { return TexteCellule(r.Table.Cell(k, i)); };
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0], (LigneChantier{"Séjour", texte(ColonneEtude::PasVZNormale, 1), "",
                                   texte(ColonneEtude::LongueurNormale, 1), ""}));
    EXPECT_EQ(l[1][2], "10");
    EXPECT_EQ(l[1][4], texte(ColonneEtude::LongueurBordure, 2));
    EXPECT_EQ(l[2][2], "10"); // an edge zone on the normal loop: pitch, no loop of its own
    EXPECT_EQ(l[2][4], "");
    // Three equal loops: how many, and the length of each (the summary's number).
    EXPECT_EQ(l[3][3], "3 boucles de " + texte(ColonneEtude::LongueurNormale, 4) + " m");
    EXPECT_EQ(TexteBouclesNormalesCourt(3, 98.604), "3 × 98,6");
    EXPECT_EQ(TexteBouclesNormalesCourt(1, 98.604), "98,6");
    EXPECT_EQ(TexteBouclesNormales(2, 101.256), "2 boucles de 101,26 m");
    EXPECT_STREQ(TitresColonnesChantier[0], "Pièces");
    EXPECT_STREQ(TitresColonnesChantier[4], "Lg bordure");
    // Water in the pipes: 20.11 l per 100 m of 16x20, 13.27 of 13x16.
    EXPECT_EQ(TexteArrondi(ContenanceTubes(100, D16x20)), "20,11");
    EXPECT_EQ(TexteArrondi(ContenanceTubes(100, D13x16)), "13,27");
    EXPECT_EQ(ContenanceTubes(0, D16x20), 0);
    EXPECT_NEAR(ContenanceTubes(250, D13x16), 2.5 * ContenanceTubes(100, D13x16), 1e-12);
}

TEST(Chantier, DonneesGenerales) {
    ResultatEtude r;
    r.DebitTotal = 312.01;
    r.PerteMaxi = 450.456;
    const Installation plots{Fixation::Plots, D13x16, 38, 6, NatureChape::Liquide};
    const C tiret = std::string("-");
    const std::vector<C> materiel = {100.0, std::string("13x16"), std::string("Plots thermoformés"), tiret, tiret,
                                     tiret, tiret, tiret, tiret, 61.0, 45.0, 7.0};
    std::vector<LigneDonneeGenerale> attendu;
    for (const cas::Ligne& l : cas::Lire("chantier.txt"))
        attendu.push_back({l[0], l[1], l[2]});
    EXPECT_EQ(DonneesGeneralesChantier(r, plots, materiel), attendu);

    // A whole flow is not rounded up; the 16x20 pipe holds more water.
    r.DebitTotal = 312;
    const auto l = DonneesGeneralesChantier(r, exemples::Generales(), materiel);
    EXPECT_EQ(l[0].Valeur, "312");
    EXPECT_EQ(l[4].Valeur, "16x20");
    EXPECT_EQ(l[5].Valeur, "20,11");
    EXPECT_EQ(l[6].Valeur, "Treillis");
    // Nothing computed: every quantity reads "-".
    const auto vide = DonneesGeneralesChantier(ResultatEtude{}, exemples::Generales(), {});
    EXPECT_EQ(vide[3].Valeur, "-");
    EXPECT_EQ(vide[5].Valeur, "0");
    EXPECT_EQ(vide[15].Valeur, "-");
}

} // namespace
