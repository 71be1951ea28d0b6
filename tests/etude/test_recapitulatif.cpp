#include "commun/Nombres.h"
#include "etude/CalculEtude.h"
#include "etude/PresentationChantier.h"
#include "etude/PresentationRecapitulatif.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <set>
#include <utility>
#include <vector>

using namespace sorvel;

namespace {

constexpr FormatValeur Plain{};
constexpr FormatValeur Gras{true, CouleurValeur::TexteFenetre};
constexpr FormatValeur Bleu{true, CouleurValeur::Bleu};
constexpr FormatValeur Orange{true, CouleurValeur::Orange};
constexpr FormatValeur Rouge{true, CouleurValeur::Rouge};
constexpr FormatValeur Vert{true, CouleurValeur::Vert};

// A study of one room whose only filled cell is column k.
ResultatEtude UneCellule(int k, Cellule valeur, double perteMaxi = 0) {
    ResultatEtude r;
    r.Table.Pieces.resize(1);
    r.Table.Cell(k, 1) = std::move(valeur);
    r.PerteMaxi = perteMaxi;
    return r;
}

DonneesGenerales Tube(std::int16_t tube) { return exemples::Generales(0, tube); }

} // namespace

// Each column's text and format for one cell value.
TEST(Recapitulatif, TexteEtFormatParColonne) {
    using namespace ColonneEtude;
    const struct {
        int k;
        Cellule valeur;
        std::int16_t tube;
        double perteMaxi;
        const char* texte;
        FormatValeur format;
    } cas[] = {
        {Designation, std::string("  Séjour "), 1, 0, "Séjour", Gras},
        {TempPiece, std::string("20"), 1, 0, "20", Plain},
        {SurfacePiece, 12.345, 1, 0, "12,34", Plain},
        {ChuteTemperature, std::int32_t{5}, 1, 0, "5", Plain},
        {RthActuelle, std::string("0.05"), 1, 0, "0.05", Plain},
        {PuissanceThermique, 1234.567, 1, 0, "1234,57", Gras},
        {PasVZNormale, std::string("15"), 1, 0, "15", Gras},
        {PasVZBordure, Cellule{}, 1, 0, "", Gras},
        {DebitNormale, 80.0, 1, 0, "80", Gras},
        {DebitBordure, Cellule{}, 1, 0, "", Gras},
        {AppointActuelle, 12.5, 1, 0, "12,5", Bleu},
        {AppointFuture, 0.0, 1, 0, "0", Plain},
        {DebitFreinActuelle, 0.004, 1, 0, "0", Plain},
        {DebitFreinFuture, 3.0, 1, 0, "3", Bleu},
        {PerteArtificielleNormale, 150.0, 1, 0, "150", Bleu},
        {PerteArtificielleNormale, 0.0, 1, 0, "0", Plain},
        {PerteArtificielleBordure, Cellule{}, 1, 0, "", Plain},
        // Loop lengths: orange and red limits by pipe size, strict.
        {LongueurNormale, 80.0, 0, 0, "80", Gras},
        {LongueurNormale, 95.0, 0, 0, "95", Orange},
        {LongueurNormale, 120.0, 0, 0, "120", Gras},
        {LongueurNormale, 125.0, 0, 0, "125", Rouge},
        {LongueurBordure, 125.0, 1, 0, "125", Orange},
        {LongueurBordure, 160.0, 1, 0, "160", Gras},
        {LongueurBordure, 160.01, 1, 0, "160,01", Rouge},
        {LongueurBordure, Cellule{}, 0, 0, "", Gras},
        // The loop that sets the study's largest pressure drop shows in green.
        {PerteNormale, 450.0, 1, 450, "450", Vert},
        {PerteNormale, 449.99, 1, 450, "449,99", Plain},
        {PerteBordure, 612.344, 1, 612.3449, "612,34", Vert},
        {PerteBordure, Cellule{}, 1, 0, "", Plain},
        // Surface temperatures: 28 °C is still comfortable.
        {TempSurfaceNormale, 28.0, 1, 0, "28", Plain},
        {TempSurfaceNormale, 28.01, 1, 0, "28,01", Rouge},
        {TempSurfaceBordure, 29.5, 1, 0, "29,5", Rouge},
        {TempSurfaceBordure, Cellule{}, 1, 0, "", Plain},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE("column " + std::to_string(c.k) + " " + c.texte);
        const Recapitulatif recap = PresenterRecapitulatif(UneCellule(c.k, c.valeur, c.perteMaxi), Tube(c.tube));
        ASSERT_EQ(recap.NombrePieces(), 1);
        EXPECT_EQ(recap.Case(c.k, 1).Texte, c.texte);
        EXPECT_EQ(recap.Case(c.k, 1).Format, c.format);
        EXPECT_EQ(recap.Case(c.k, 1).Fond, c.k == Designation ? FondCellule::Blanc : FondCellule::Aucun);
    }
}

// Two rooms whose normal loops lose 300 and 450 mmCE: the 450 loop is the
// reference (green, nothing to add), the other one is throttled by 150 (blue).
TEST(Recapitulatif, DeuxBouclesEquilibrees) {
    ResultatEtude r;
    r.Table.Pieces.resize(2);
    r.Table.Cell(ColonneEtude::PerteNormale, 1) = 300.0;
    r.Table.Cell(ColonneEtude::PerteNormale, 2) = 450.0;
    r.PerteMaxi = 450;
    EquilibrerEtude(r.Table, r.PerteMaxi);
    r.Table.Cell(ColonneEtude::PerteArtificielleNormale, 2) = 0.0;
    const Recapitulatif recap = PresenterRecapitulatif(r, Tube(1));
    EXPECT_EQ(recap.Case(ColonneEtude::PerteNormale, 1).Format, Plain);
    EXPECT_EQ(recap.Case(ColonneEtude::PerteNormale, 2).Format, Vert);
    EXPECT_EQ(recap.Case(ColonneEtude::PerteArtificielleNormale, 1).Texte, "150");
    EXPECT_EQ(recap.Case(ColonneEtude::PerteArtificielleNormale, 1).Format, Bleu);
    EXPECT_EQ(recap.Case(ColonneEtude::PerteArtificielleNormale, 2).Format, Plain);
}

// The totals row sums the grid columns 2 to 12, 19, 23, 24 and 27 to 32.
TEST(Recapitulatif, ColonnesTotalisees) {
    std::set<int> attendues;
    for (int c : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 19, 23, 24, 27, 28, 29, 30, 31, 32})
        attendues.insert(c + 1); // grid column c holds table column c + 1
    for (int k = 1; k <= NombreColonnesEtude; ++k)
        EXPECT_EQ(ColonneTotalisee(k), attendues.count(k) == 1) << k;
}

// The totals add the values as shown (2 decimals), skip the cells without a
// number and are shown unrounded; the whole row is bold on green.
TEST(Recapitulatif, LigneDesTotaux) {
    ResultatEtude r;
    r.Table.Pieces.resize(3);
    for (int i = 1; i <= 3; ++i)
        for (int k = 1; k <= NombreColonnesEtude; ++k)
            if (ColonneTotalisee(k))
                r.Table.Cell(k, i) = 1.0;
    r.Table.Cell(ColonneEtude::SurfacePiece, 1) = 1.114; // shown 1,11
    r.Table.Cell(ColonneEtude::SurfacePiece, 2) = 2.114; // shown 2,11
    r.Table.Cell(ColonneEtude::SurfacePiece, 3) = 0.1;
    r.Table.Cell(ColonneEtude::LongueurBordure, 2) = Cellule{}; // no edge loop
    r.Table.Cell(ColonneEtude::DebitBordure, 2) = Cellule{};
    r.Table.Cell(ColonneEtude::DebitBordure, 3) = Cellule{};
    r.Table.Cell(ColonneEtude::PasVZNormale, 1) = std::string("10");
    r.Table.Cell(ColonneEtude::TempSurfaceNormale, 1) = 27.0;

    const Recapitulatif recap = PresenterRecapitulatif(r, Tube(1));
    ASSERT_TRUE(recap.Totaux.has_value());
    const auto total = [&](int k) { return (*recap.Totaux)[static_cast<std::size_t>(k - 1)]; };
    EXPECT_EQ(total(ColonneEtude::Designation).Texte, "Total :");
    EXPECT_EQ(total(ColonneEtude::SurfacePiece).Texte, "3,32"); // 1,11 + 2,11 + 0,1, not 3,328
    EXPECT_EQ(total(ColonneEtude::LongueurBordure).Texte, "2");
    EXPECT_EQ(total(ColonneEtude::DebitBordure).Texte, "1");
    EXPECT_EQ(total(ColonneEtude::DebitNormale).Texte, "3");
    EXPECT_EQ(total(ColonneEtude::PasVZNormale).Texte, "");
    EXPECT_EQ(total(ColonneEtude::TempSurfaceNormale).Texte, "");
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        EXPECT_EQ(total(k).Format, Gras) << k;
        EXPECT_EQ(total(k).Fond, FondCellule::Total) << k;
    }
    EXPECT_EQ(Rvb(FondCellule::Total), (std::array<int, 3>{5, 200, 5}));
    EXPECT_EQ(Rvb(FondCellule::Blanc), (std::array<int, 3>{255, 255, 255}));
}

TEST(Recapitulatif, Libelles) {
    DonneesGenerales g = exemples::Generales(0, 1);
    EXPECT_EQ(TexteLblRecap(g),
              "Etude : tube de diamètre 16x20 mm sur Trellis avec température de départ du fluide de 45°C");
    g = {.Support = 1, .Tube = 0, .TempDepart = "38", .EpaisChape = 5, .Chape = 1};
    EXPECT_EQ(TexteLblRecap(g),
              "Etude : tube de diamètre 13x16 mm sur Plots thermoformés avec température de départ du fluide de 38°C");
    ResultatEtude r;
    r.PerteMaxi = 450;
    r.DebitTotal = 312.456;
    EXPECT_EQ(TexteLblPerte(r), "Etude : perte de charge maximale, 450 mmCE. débit total, 312,46 l/h");
}

// A study without rooms keeps only its heading rows.
TEST(Recapitulatif, EtudeVide) {
    const Recapitulatif recap = PresenterRecapitulatif(ResultatEtude{}, Tube(0));
    EXPECT_EQ(recap.NombrePieces(), 0);
    EXPECT_FALSE(recap.Totaux.has_value());
    EXPECT_TRUE(recap.LblPerte.empty());
    EXPECT_EQ(recap.LblRecap.rfind("Etude : tube de diamètre 13x16 mm", 0), 0u);
}

// From a real recalculation: an edge zone without its own loop (types 2 and
// 3) shows its pitch and surface temperature but no loop values.
TEST(Recapitulatif, EtudeRecalculee) {
    using namespace ColonneEtude;
    const std::vector<DonneesPiece> pieces = {
        exemples::Piece("Séjour", 0, 30, 2600), exemples::Piece("Véranda", 1, 15, 1400),
        exemples::Piece("Cuisine", 2, 14, 1000), exemples::Piece("Bureau", 3, 12, 900)};
    const ResultatEtude r = CalculEtude(pieces, exemples::Generales());
    const Recapitulatif recap = PresenterRecapitulatif(r, exemples::Generales());
    ASSERT_EQ(recap.NombrePieces(), 4);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const std::int16_t type = pieces[static_cast<std::size_t>(i - 1)].TypeCharge;
        EXPECT_EQ(recap.Case(Designation, i).Texte, pieces[static_cast<std::size_t>(i - 1)].NomPiece);
        for (int k : {LongueurBordure, EmissionRaccordBordure, DebitBordure, PerteBordure, PerteArtificielleBordure})
            EXPECT_EQ(recap.Case(k, i).Texte.empty(), type != 1) << k;
        for (int k : {PasVZBordure, TempSurfaceBordure})
            EXPECT_EQ(recap.Case(k, i).Texte.empty(), type == 0) << k;
        for (int k = 1; k <= NombreColonnesEtude; ++k)
            EXPECT_EQ(recap.Case(k, i).Texte, TexteCellule(r.Table.Cell(k, i))) << k;
    }
    // Exactly the loops whose pressure drop is the study's largest are green,
    // and they are throttled by nothing.
    int verts = 0;
    for (int i = 1; i <= 4; ++i)
        for (auto [perte, artificielle] : {std::pair<int, int>{PerteNormale, PerteArtificielleNormale}, {PerteBordure, PerteArtificielleBordure}})
            if (recap.Case(perte, i).Format == Vert) {
                ++verts;
                EXPECT_EQ(recap.Case(perte, i).Texte, TexteArrondi(r.PerteMaxi));
                EXPECT_EQ(recap.Case(artificielle, i).Texte, "0");
            }
    EXPECT_GE(verts, 1);
    EXPECT_EQ(recap.LblPerte, TexteLblPerte(r));
}

// Row labels and units of the 41 quantities: the units run as the summary
// grid's heading says.
TEST(Recapitulatif, LibellesEtUnites) {
    const std::vector<std::pair<const char*, int>> suites = {
        {"", 1},  {"°C", 1}, {"m²", 6},     {"W", 5},  {"cm", 2}, {"W/(m².K)", 4}, {"W", 1},    {"°C", 1},
        {"m².K/W", 2}, {"W", 2}, {"cm", 2}, {"m", 2}, {"W", 2},  {"l/h", 4},      {"mmCE", 4}, {"°C", 2}};
    std::vector<std::string> unites;
    for (auto [unite, fois] : suites)
        unites.insert(unites.end(), static_cast<std::size_t>(fois), unite);
    ASSERT_EQ(unites.size(), static_cast<std::size_t>(NombreColonnesEtude));
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        const auto n = static_cast<std::size_t>(k - 1);
        EXPECT_EQ(UnitesColonnesEtude[n], unites[n]) << k;
        ASSERT_NE(LibellesColonnesEtude[n], nullptr) << k;
        EXPECT_NE(std::string(LibellesColonnesEtude[n]), "") << k;
    }
    EXPECT_STREQ(LibellesColonnesEtude[ColonneEtude::Designation - 1], "Pièce");
    EXPECT_STREQ(LibellesColonnesEtude[ColonneEtude::LongueurBordure - 1],
                 "Longueur totale de la boucle en zone de bordure (*)");
    EXPECT_STREQ(LibellesColonnesEtude[ColonneEtude::TempSurfaceBordure - 1], "Température superficielle en zone de bordure");
    EXPECT_STREQ(TitresColonnesEtude[ColonneEtude::PerteArtificielleBordure - 1], "Pertes Art. bordure");
    // 30 rooms fill grid rows 3 to 32, row 33 stays empty, the totals are row 34.
    EXPECT_EQ(LigneGrillePiece(1), LignesEnTeteRecapitulatif);
    EXPECT_EQ(LigneGrillePiece(30), 32);
    EXPECT_EQ(LigneGrilleTotaux(30), 34);
}

// ---------------------------------------------------------------------------
// Site results report

TEST(Chantier, ContenanceDesTubes) {
    EXPECT_EQ(TexteArrondi(ContenanceTubes(100, 1)), "20,11");
    EXPECT_EQ(TexteArrondi(ContenanceTubes(100, 0)), "13,27");
    EXPECT_EQ(ContenanceTubes(0, 1), 0);
    EXPECT_NEAR(ContenanceTubes(250, 0), 2.5 * ContenanceTubes(100, 0), 1e-12);
}

TEST(Chantier, LignesDesPieces) {
    const std::vector<DonneesPiece> pieces = {exemples::Piece("Séjour", 0, 30, 2600),
                                              exemples::Piece("Véranda", 1, 15, 1400),
                                              exemples::Piece("Bureau", 3, 12, 900)};
    const ResultatEtude r = CalculEtude(pieces, exemples::Generales());
    const std::vector<LigneChantier> l = LignesPiecesChantier(r.Table);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0][0], "Séjour");
    EXPECT_EQ(l[0][1], std::get<std::string>(r.Table.Cell(ColonneEtude::PasVZNormale, 1)));
    EXPECT_EQ(l[0][2], "");
    EXPECT_EQ(l[0][3], TexteArrondi(std::get<double>(r.Table.Cell(ColonneEtude::LongueurNormale, 1))));
    EXPECT_EQ(l[0][4], "");
    EXPECT_EQ(l[1][2], "10");
    EXPECT_EQ(l[1][4], TexteArrondi(std::get<double>(r.Table.Cell(ColonneEtude::LongueurBordure, 2))));
    EXPECT_EQ(l[2][2], "10"); // an edge zone on the normal loop: pitch, no loop of its own
    EXPECT_EQ(l[2][4], "");
    EXPECT_STREQ(TitresColonnesChantier[0], "Pièces");
    EXPECT_STREQ(TitresColonnesChantier[4], "Lg bordure");
}

// "Données générales": every line with its value and unit, the material
// quantities taken as the material list computes them, "-" where the
// material list has none.
TEST(Chantier, DonneesGenerales) {
    ResultatEtude r;
    r.DebitTotal = 312.01;
    r.PerteMaxi = 450.456;
    const DonneesGenerales plots{.Support = 1, .Tube = 0, .TempDepart = "38", .EpaisChape = 5, .Chape = 1};
    const std::vector<CelluleMateriel> materiel = {
        100.0, std::string("13x16"), std::string("Plots thermoformés"), std::string("-"), std::string("-"),
        std::string("-"), std::string("-"), std::string("-"), std::string("-"), 61.0, 45.0, 7.0};
    const std::vector<LigneDonneeGenerale> attendu = {
        {"Débit total du plancher chauffant : ", "313", " l/h"},
        {"Perte de charge maximale pour l'étude : ", "450,46", " mmCE"},
        {"Température de départ du fluide : ", "38", " °C"},
        {"Longueur totale de tube du plancher chauffant : ", "100", " m"},
        {"Diamètre du tube : ", "13x16", " mm"},
        {"Contenance totale des tubes : ", "13,27", " litres"},
        {"Type de support du tube : ", "Plots thermoformés", ""},
        {"Surface de plaques à plots : ", "45", " m²"},
        {"Surface de plaques isolantes de sol : ", "7", " m²"},
        {"Surface de treillis en 5x5 : ", "-", " m²"},
        {"Surface de treillis en 10x10 : ", "-", " m²"},
        {"Surface de treillis en 15x15 : ", "-", " m²"},
        {"Nombre total de clips : ", "-", " u"},
        {"Volume d'adjuvant (plastifiant) : ", "-", " litres"},
        {"Surface de film polyéthylène (protection de l'isolant) : ", "-", " m²"},
        {"longueur approximative de bande périphérique : ", "61", " m"},
    };
    EXPECT_EQ(DonneesGeneralesChantier(r, plots, materiel), attendu);

    // A whole flow is not rounded up; the 16x20 pipe holds more water.
    r.DebitTotal = 312;
    const DonneesGenerales treillis = exemples::Generales(0, 1);
    std::vector<CelluleMateriel> m2 = materiel;
    m2[0] = 100.0;
    const auto l = DonneesGeneralesChantier(r, treillis, m2);
    EXPECT_EQ(l[0].Valeur, "312");
    EXPECT_EQ(l[4].Valeur, "16x20");
    EXPECT_EQ(l[5].Valeur, "20,11");
    EXPECT_EQ(l[6].Valeur, "Treillis");
    // Nothing computed: every quantity reads "-".
    const auto vide = DonneesGeneralesChantier(ResultatEtude{}, treillis, {});
    EXPECT_EQ(vide[3].Valeur, "-");
    EXPECT_EQ(vide[5].Valeur, "0");
    EXPECT_EQ(vide[15].Valeur, "-");
}
