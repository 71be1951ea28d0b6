// The CSV of a recalculated study, as a French spreadsheet reads it.

#include "etude/ExportCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> lignes;
    std::istringstream flux(texte);
    for (std::string l; std::getline(flux, l);)
        lignes.push_back(l);
    return lignes;
}

} // namespace

TEST(ExportCsv, Champs) {
    EXPECT_EQ(ChampCsv("Séjour"), "Séjour");
    EXPECT_EQ(ChampCsv("Salle \"A\""), "\"Salle \"\"A\"\"\"");
    EXPECT_EQ(ChampCsv("Nord;Sud"), "\"Nord;Sud\"");
    // No raw control byte breaks a line or a cell.
    EXPECT_EQ(ChampCsv("Cuisine\nEst"), "Cuisine␊Est");
    EXPECT_EQ(ChampCsv(std::string("Bureau\0", 7)), "Bureau␀");
}

// A balancing of two loops: one set, one left open and too long.
EquilibrageEtude Equilibrage(std::optional<int> tempMinimale) {
    const ReglageBoucle reglee{.Piece = 1, .NomPiece = "Salle \"A\"; nord", .Debit = 80.456, .Perte = 120.5,
                               .PerteArtificielle = 379.5, .Vitesse = 0.111, .Kv = 0.4132, .AlerteVitesse = true};
    const ReglageBoucle ouverte{.Piece = 2, .NomPiece = "Bureau", .Boucle = TypeBoucle::Bordure, .Longueur = 190,
                                .Debit = 150, .Perte = 500, .Vitesse = 0.2, .Kv = std::nullopt, .AlerteLongueur = true,
                                .BouclesConseillees = 2};
    return {{reglee, ouverte}, tempMinimale, DiametreTube::D16x20};
}

// Headings, one line per room with its 41 cells, numbers rounded to 2
// decimals with a comma, then the material after an empty line, then the
// balancing after another.
TEST(ExportCsv, EtudeEtMateriel) {
    ResultatEtude r;
    r.Table.Pieces.resize(2);
    r.Table.Cell(ColonneEtude::Designation, 1) = std::string("Salle \"A\"; nord");
    r.Table.Cell(ColonneEtude::SurfacePiece, 1) = 12.5;
    r.Table.Cell(ColonneEtude::SurfaceNormale, 1) = 0.125; // half: to the even neighbour
    r.Table.Cell(ColonneEtude::ChuteTemperature, 1) = std::int32_t{5};
    r.Table.Cell(ColonneEtude::RthActuelle, 1) = std::string("0.05");
    r.Table.Cell(ColonneEtude::Designation, 2) = std::string("Bureau");
    r.Table.Cell(ColonneEtude::DebitNormale, 2) = 80.456;
    std::vector<CelluleMateriel> materiel(12, CelluleMateriel(std::string("-")));
    materiel[0] = 40.0;
    materiel[2] = std::string("Plots thermoformés");

    const std::vector<std::string> l = Lignes(CsvEtude(r, materiel, Equilibrage(38)));
    ASSERT_EQ(l.size(), 1u + 2u + 1u + 12u + 1u + 6u);
    EXPECT_TRUE(l[0].starts_with("Désignation;T° pièce;") && l[0].ends_with(";T° Sup. bordure")) << l[0];
    EXPECT_EQ(std::count(l[0].begin(), l[0].end(), ';'), 40);
    // Columns 1, 3, 6, 21 and 22 of room 1, 1 and 32 of room 2; a value the
    // room does not have is an empty field; a resistance is a number too.
    EXPECT_EQ(l[1], "\"Salle \"\"A\"\"; nord\";;12,5;;;0,12;" + std::string(14, ';') + "5;0,05" + std::string(19, ';'));
    EXPECT_EQ(l[2], "Bureau" + std::string(31, ';') + "80,46" + std::string(9, ';'));
    EXPECT_EQ(l[3], "");
    EXPECT_EQ(l[4], "Longueur totale de tube;40;m");
    EXPECT_EQ(l[6], "Type de fixation;Plots thermoformés;-");
    EXPECT_EQ(l[15], "Surface de plaques isolantes de sol;-;m²");
    EXPECT_EQ(l[16], "");
    EXPECT_EQ(l[17], "Équilibrage");
    // A study without rooms: the headings alone.
    const std::vector<std::string> vide = Lignes(CsvEtude({}, {}, {{}, 30, DiametreTube::D16x20}));
    ASSERT_EQ(vide.size(), 1u);
    EXPECT_EQ(vide[0], l[0]);
}

// The balancing section, as the balancing window shows it: headings with
// their units, one line per loop, then the lowest supply temperature.
TEST(ExportCsv, Equilibrage) {
    const std::vector<std::string> l = Lignes(CsvEquilibrage(Equilibrage(38)));
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "Équilibrage");
    EXPECT_EQ(l[1], "Pièce;Boucle;Débit (l/h);Perte de charge (mmCE);Perte de charge artificielle (mmCE);"
                    "Vitesse de l'eau (m/s);Kv de la vanne (m³/h);Alertes;Boucles");
    EXPECT_EQ(l[2], "\"Salle \"\"A\"\"; nord\";normale;80,46;120,5;379,5;0,11;0,41;vitesse faible;1 sur 1");
    EXPECT_EQ(l[3], "Bureau;bordure;150;500;0;0,2;ouverte;trop longue : 2 boucles;1 sur 1");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "Température de départ minimale sans appoint;38;°C");
    EXPECT_EQ(Lignes(CsvEquilibrage(Equilibrage(std::nullopt)))[5],
              "Température de départ minimale sans appoint;aucune (appoint nécessaire même à 50 °C);");
}

// A room laid as equal loops: each normal loop says which of them it is;
// its edge loop is a loop of its own.
TEST(ExportCsv, BouclesEgales) {
    EquilibrageEtude e = Equilibrage(38);
    ReglageBoucle bordure = e.Boucles[0];
    e.Boucles[0].Rangs = 2;
    ReglageBoucle seconde = e.Boucles[0];
    seconde.Rang = 2;
    bordure.Boucle = TypeBoucle::Bordure;
    e.Boucles.insert(e.Boucles.begin() + 1, {seconde, bordure});
    const std::vector<std::string> l = Lignes(CsvEquilibrage(e));
    ASSERT_EQ(l.size(), 8u);
    for (const auto& [ligne, fin] : {std::pair{2, ";1 sur 2"}, {3, ";2 sur 2"}, {4, ";1 sur 1"}, {5, ";1 sur 1"}})
        EXPECT_TRUE(l[ligne].ends_with(fin)) << l[ligne];
}
