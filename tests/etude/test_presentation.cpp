// How results are shown: rounding, highlighting (cas/presentation.txt), the
// results screen of a room and the summary of a study.

#include "calcul/ModCalcul.h"
#include "etude/CalculEtude.h"
#include "etude/PresentationRecapitulatif.h"
#include "etude/PresentationResultats.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

using namespace sorvel;

namespace {

std::vector<cas::Ligne> Cas(const char* genre) { return cas::Lire("presentation.txt", genre); }

// "normal", "gras", or the colour of a bold value.
FormatValeur Format(const std::string& nom) {
    static const std::map<std::string, FormatValeur> formats = {
        {"normal", {}}, {"gras", {true, CouleurValeur::TexteFenetre}}, {"bleu", {true, CouleurValeur::Bleu}},
        {"orange", {true, CouleurValeur::Orange}}, {"rouge", {true, CouleurValeur::Rouge}},
        {"vert", {true, CouleurValeur::Vert}}};
    return formats.at(nom);
}

// A cell of the study table: "vide", "texte:...", "entier:..." or a real.
Cellule CelluleCas(const cas::Ligne& l, std::size_t i) {
    if (l[i] == "vide")
        return {};
    if (l[i].starts_with("texte:") || l[i].starts_with("entier:"))
        return l[i][0] == 't' ? Cellule(l[i].substr(6)) : Cellule(std::int32_t{std::stoi(l[i].substr(7))});
    return l.Reel(i);
}

// The column (from 1) of the study table with this heading.
int Colonne(const std::string& titre) {
    const auto k = std::find(TitresColonnesEtude.begin(), TitresColonnesEtude.end(), titre);
    return k == TitresColonnesEtude.end() ? 0 : static_cast<int>(k - TitresColonnesEtude.begin()) + 1;
}

std::string TexteLegende(const Recapitulatif& recap) {
    std::string texte;
    for (const SegmentLegende& s : recap.Legende)
        texte += s.Texte;
    return texte;
}

Installation Generales(DiametreTube tube = DiametreTube::D16x20) { return exemples::Generales(Fixation::Treillis, tube); }

TEST(Presentation, ArrondisEtCouleurs) {
    for (const cas::Ligne& l : Cas("arrondi"))
        EXPECT_EQ(TexteArrondi(l.Reel(1)), l[2]) << l.ou;
    for (const cas::Ligne& l : Cas("positif"))
        EXPECT_EQ(FormatSiPositif(l.Reel(1)), Format(l[2])) << l.ou;
    for (const cas::Ligne& l : Cas("longueur"))
        EXPECT_EQ(FormatLongueurBoucle(l.Reel(1), exemples::Tube(l[2])), Format(l[3])) << l.ou;
    for (const cas::Ligne& l : Cas("surface"))
        EXPECT_EQ(FormatTempSurface(l.Reel(1)), Format(l[2])) << l.ou;
    EXPECT_EQ(Rvb(CouleurValeur::Orange), (std::array<int, 3>{255, 128, 0}));
    EXPECT_EQ(Rvb(CouleurValeur::Vert), (std::array<int, 3>{0, 128, 0}));
}

// The tooltip of each colour rule, just below and above its limit: a value
// without colour has no tooltip, a coloured one has exactly one.
TEST(Presentation, InfoBullesDesCouleurs) {
    using enum ValeurARegler;
    const std::map<std::string, std::function<std::string(double, DiametreTube)>> regles = {
        {"surface", [](double x, DiametreTube) { return InfoBulleTempSurface(x); }},
        {"normale", [](double x, DiametreTube t) { return InfoBulleLongueurBoucle(x, t, ZoneBoucle::Normale); }},
        {"bordure", [](double x, DiametreTube t) { return InfoBulleLongueurBoucle(x, t, ZoneBoucle::Bordure); }},
        {"appoint-actuelle", [](double x, DiametreTube) { return InfoBulleSiPositif(AppointActuelle, x); }},
        {"appoint-future", [](double x, DiametreTube) { return InfoBulleSiPositif(AppointFuture, x); }},
        {"frein-actuelle", [](double x, DiametreTube) { return InfoBulleSiPositif(DebitFreinActuelle, x); }},
        {"frein-future", [](double x, DiametreTube) { return InfoBulleSiPositif(DebitFreinFuture, x); }},
        {"artificielle", [](double x, DiametreTube) { return InfoBulleSiPositif(PerteArtificielle, x); }},
    };
    for (const cas::Ligne& l : Cas("bulle"))
        EXPECT_EQ(regles.at(l[1])(l.Reel(2), exemples::Tube(l[3])), l[4] == "-" ? std::string() : l[4]) << l.ou;
    const auto plain = [](const FormatValeur& f) { return f.Couleur == CouleurValeur::TexteFenetre; };
    for (const cas::Ligne& l : Cas("positif"))
        EXPECT_EQ(InfoBulleSiPositif(AppointActuelle, l.Reel(1)).empty(), plain(FormatSiPositif(l.Reel(1)))) << l.ou;
    for (const cas::Ligne& l : Cas("longueur")) {
        const DiametreTube t = exemples::Tube(l[2]);
        EXPECT_EQ(InfoBulleLongueurBoucle(l.Reel(1), t, ZoneBoucle::Normale).empty(),
                  plain(FormatLongueurBoucle(l.Reel(1), t)))
            << l.ou;
    }
    for (const cas::Ligne& l : Cas("surface"))
        EXPECT_EQ(InfoBulleTempSurface(l.Reel(1)).empty(), plain(FormatTempSurface(l.Reel(1)))) << l.ou;
    for (const cas::Ligne& l : Cas("legende"))
        EXPECT_EQ(TexteLegendeCouleurs(exemples::Tube(l[1])), l[2]) << l.ou;
}

// The edge-loop rows exist only for an independent edge loop, the edge
// pitch and surface temperature for any edge zone.
TEST(Presentation, LignesSelonLeTypeDeCharge) {
    for (Charge type : TypesCharge) {
        SCOPED_TRACE(static_cast<int>(type));
        const Piece p = exemples::PieceMaison("Séjour", type, 20, 1500);
        const ResultatsPiece r = CalculPiece(EntreesDepuisPiece(p, Generales(), 0));
        const auto l = LignesResultatsPiece(p, DiametreTube::D16x20, r);
        EXPECT_STREQ(l[0].Titre, "Nom de la pièce");
        EXPECT_STREQ(l[28].Titre, "Température superficielle zone de bordure");
        EXPECT_STREQ(l[4].Unite, "W/(m².K)");
        EXPECT_EQ(l[0].Valeur, "Séjour");
        EXPECT_EQ(l[2].Valeur, "19");
        EXPECT_EQ(l[8].Valeur, "5");
        EXPECT_EQ(l[13].Valeur, TexteArrondi(r.LongueurNormale + 8));
        EXPECT_EQ(l[13].Format, FormatLongueurBoucle(r.LongueurNormale + 8, DiametreTube::D16x20));
        for (int row : {14, 16, 19, 23, 26})
            EXPECT_EQ(l[row].Valeur.empty(), !BoucleBordureIndependante(type)) << row;
        for (int row : {12, 28})
            EXPECT_EQ(l[row].Valeur.empty(), !AvecZoneBordure(type)) << row;
        for (int row : {0, 11, 12, 18, 19})
            EXPECT_TRUE(l[row].Format.Gras) << row;
        for (int row = 0; row < NombreLignesResultats; ++row)
            EXPECT_EQ(l[row].InfoBulle.empty(), l[row].Format.Couleur == CouleurValeur::TexteFenetre) << row;
    }
}

// Each column's text and format for one cell value.
TEST(Recapitulatif, TexteEtFormatParColonne) {
    for (const cas::Ligne& l : Cas("colonne")) {
        SCOPED_TRACE(l.ou);
        const int k = Colonne(l[1]);
        ResultatEtude r;
        r.Table.Pieces.resize(1);
        r.Table.Cell(k, 1) = CelluleCas(l, 2);
        r.PerteMaxi = l.Reel(4);
        const Recapitulatif recap = PresenterRecapitulatif(r, Generales(exemples::Tube(l[3])));
        ASSERT_EQ(recap.NombrePieces(), 1);
        const CelluleRecapitulatif& c = recap.Case(k, 1);
        EXPECT_EQ(c.Texte, l[5]);
        EXPECT_EQ(c.Format, Format(l[6]));
        EXPECT_EQ(c.Fond, k == ColonneEtude::Designation ? FondCellule::Blanc : FondCellule::Aucun);
        // A coloured cell says why; the green one names the study's largest drop.
        EXPECT_EQ(c.InfoBulle.empty(), c.Format.Couleur == CouleurValeur::TexteFenetre);
        if (c.Format.Couleur == CouleurValeur::Vert)
            EXPECT_EQ(c.InfoBulle, InfoBullePerteMaxi(l[5]));
        EXPECT_EQ(TexteLegende(recap), TexteLegendeCouleurs(exemples::Tube(l[3])));
    }
}

// The totals row sums the grid columns 2 to 12, 19, 23, 24 and 27 to 32 of
// the values as shown (2 decimals), skips the cells without a number and
// shows the sums unrounded; the whole row is bold on green.
TEST(Recapitulatif, LigneDesTotaux) {
    std::set<int> attendues;
    for (int c : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 19, 23, 24, 27, 28, 29, 30, 31, 32})
        attendues.insert(c + 1); // grid column c holds table column c + 1
    ResultatEtude r;
    r.Table.Pieces.resize(3);
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        EXPECT_EQ(ColonneTotalisee(k), attendues.contains(k)) << k;
        for (int i = 1; i <= 3; ++i)
            if (ColonneTotalisee(k))
                r.Table.Cell(k, i) = 1.0;
    }
    r.Table.Cell(ColonneEtude::SurfacePiece, 1) = 1.114; // shown 1,11
    r.Table.Cell(ColonneEtude::SurfacePiece, 2) = 2.114; // shown 2,11
    r.Table.Cell(ColonneEtude::SurfacePiece, 3) = 0.1;
    r.Table.Cell(ColonneEtude::LongueurBordure, 2) = Cellule{}; // no edge loop
    r.Table.Cell(ColonneEtude::DebitBordure, 3) = Cellule{};
    r.Table.Cell(ColonneEtude::PasVZNormale, 1) = std::string("10");
    r.Table.Cell(ColonneEtude::TempSurfaceNormale, 1) = 27.0;
    const Recapitulatif recap = PresenterRecapitulatif(r, Generales());
    ASSERT_TRUE(recap.Totaux.has_value());
    const auto total = [&](int k) { return (*recap.Totaux)[static_cast<std::size_t>(k - 1)]; };
    EXPECT_EQ(total(ColonneEtude::Designation).Texte, "Total :");
    EXPECT_EQ(total(ColonneEtude::SurfacePiece).Texte, "3,32"); // 1,11 + 2,11 + 0,1, not 3,328
    EXPECT_EQ(total(ColonneEtude::LongueurBordure).Texte, "2");
    EXPECT_EQ(total(ColonneEtude::DebitNormale).Texte, "3");
    EXPECT_EQ(total(ColonneEtude::PasVZNormale).Texte, "");
    EXPECT_EQ(total(ColonneEtude::TempSurfaceNormale).Texte, "");
    for (int k = 1; k <= NombreColonnesEtude; ++k)
        EXPECT_EQ(std::pair(total(k).Format, total(k).Fond), std::pair(Format("gras"), FondCellule::Total)) << k;
    EXPECT_EQ(Rvb(FondCellule::Total), (std::array<int, 3>{5, 200, 5}));
    EXPECT_EQ(Rvb(FondCellule::Blanc), (std::array<int, 3>{255, 255, 255}));
}

TEST(Recapitulatif, LibellesDeLEtude) {
    EXPECT_EQ(TexteLblRecap(Generales()),
              "Etude : tube de diamètre 16x20 mm sur Trellis avec température de départ du fluide de 45°C");
    const Installation plots{Fixation::Plots, DiametreTube::D13x16, 38, 6, NatureChape::Liquide};
    EXPECT_EQ(TexteLblRecap(plots),
              "Etude : tube de diamètre 13x16 mm sur Plots thermoformés avec température de départ du fluide de 38°C");
    ResultatEtude r;
    r.PerteMaxi = 450;
    r.DebitTotal = 312.456;
    EXPECT_EQ(TexteLblPerte(r), "Etude : perte de charge maximale, 450 mmCE. débit total, 312,46 l/h");
    // A study without rooms keeps only its heading rows.
    const Recapitulatif vide = PresenterRecapitulatif(ResultatEtude{}, Generales(DiametreTube::D13x16));
    EXPECT_EQ(vide.NombrePieces(), 0);
    EXPECT_FALSE(vide.Totaux.has_value());
    EXPECT_TRUE(vide.LblPerte.empty());
    EXPECT_EQ(vide.LblRecap.rfind("Etude : tube de diamètre 13x16 mm", 0), 0u);
}

// From a real recalculation: every cell shown as the table holds it;
// exactly the loops whose pressure drop is the study's largest are green,
// throttled by nothing, the others throttled.
TEST(Recapitulatif, EtudeRecalculee) {
    using namespace ColonneEtude;
    const std::vector<Piece> pieces = {exemples::PieceMaison("Séjour", Charge::Normale, 30, 2600),
                                       exemples::PieceMaison("Véranda", Charge::Elevee, 15, 1400),
                                       exemples::PieceMaison("Cuisine", Charge::Combinee, 14, 1000),
                                       exemples::PieceMaison("Bureau", Charge::Angle, 12, 900)};
    const ResultatEtude r = CalculEtude(pieces, Generales());
    const Recapitulatif recap = PresenterRecapitulatif(r, Generales());
    ASSERT_EQ(recap.NombrePieces(), 4);
    int verts = 0;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(recap.Case(Designation, i).Texte, pieces[static_cast<std::size_t>(i - 1)].NomPiece);
        for (int k = 1; k <= NombreColonnesEtude; ++k)
            EXPECT_EQ(recap.Case(k, i).Texte, TexteCellule(r.Table.Cell(k, i))) << k;
        for (auto [perte, artificielle] : {std::pair{PerteNormale, PerteArtificielleNormale},
                                           std::pair{PerteBordure, PerteArtificielleBordure}})
            if (recap.Case(perte, i).Format == Format("vert")) {
                ++verts;
                EXPECT_EQ(recap.Case(perte, i).Texte, TexteArrondi(r.PerteMaxi));
                EXPECT_EQ(recap.Case(artificielle, i).Texte, "0");
            } else if (!recap.Case(perte, i).Texte.empty()) {
                EXPECT_NE(recap.Case(artificielle, i).Texte, "0");
            }
    }
    EXPECT_GE(verts, 1);
    EXPECT_EQ(recap.LblPerte, TexteLblPerte(r));
}

// Headings, units and row labels of the 41 quantities (cas/colonnes.txt);
// 30 rooms fill grid rows 3 to 32, the totals are row 34.
TEST(Recapitulatif, TitresUnitesEtLibelles) {
    const std::vector<cas::Ligne> colonnes = cas::Lire("colonnes.txt");
    ASSERT_EQ(colonnes.size(), static_cast<std::size_t>(NombreColonnesEtude));
    for (std::size_t n = 0; n < colonnes.size(); ++n) {
        const cas::Ligne& l = colonnes[n];
        EXPECT_EQ(std::tuple(std::string(TitresColonnesEtude[n]), std::string(UnitesColonnesEtude[n]),
                             std::string(LibellesColonnesEtude[n])),
                  std::tuple(l[0], l[1], l[2])) << l.ou;
    }
    EXPECT_EQ(LigneGrillePiece(1), LignesEnTeteRecapitulatif);
    EXPECT_EQ(LigneGrillePiece(30), 32);
    EXPECT_EQ(LigneGrilleTotaux(30), 34);
}

} // namespace
