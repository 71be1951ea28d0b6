// The CSV of a recalculated study, as a French spreadsheet reads it.

#include "etude/ExportCsv.h"

#include <gtest/gtest.h>

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

// Field `k` (from 1) of a line split on the separators outside quotes.
std::string Champ(const std::string& ligne, int k) {
    int n = 1;
    bool guillemets = false;
    std::string champ;
    for (char c : ligne) {
        if (c == '"')
            guillemets = !guillemets;
        if (c == ';' && !guillemets) {
            if (n == k)
                return champ;
            ++n;
            champ.clear();
            continue;
        }
        champ += c;
    }
    return n == k ? champ : "<absent>";
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
    ReglageBoucle reglee;
    reglee.Piece = 1;
    reglee.NomPiece = "Salle \"A\"; nord";
    reglee.Debit = 80.456;
    reglee.Perte = 120.5;
    reglee.PerteArtificielle = 379.5;
    reglee.Vitesse = 0.111;
    reglee.Kv = 0.4132;
    reglee.AlerteVitesse = true;
    ReglageBoucle ouverte;
    ouverte.Piece = 2;
    ouverte.NomPiece = "Bureau";
    ouverte.Boucle = TypeBoucle::Bordure;
    ouverte.Longueur = 190;
    ouverte.Debit = 150;
    ouverte.Perte = 500;
    ouverte.Vitesse = 0.2;
    ouverte.AlerteLongueur = true;
    ouverte.BouclesConseillees = 2;
    return {{reglee, ouverte}, tempMinimale, Tube16x20};
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
    EXPECT_EQ(Champ(l[0], 1), "Désignation");
    EXPECT_EQ(Champ(l[0], 41), "T° Sup. bordure");
    EXPECT_EQ(Champ(l[0], 42), "<absent>");
    EXPECT_EQ(Champ(l[1], 1), "\"Salle \"\"A\"\"; nord\"");
    EXPECT_EQ(Champ(l[1], 3), "12,5");
    EXPECT_EQ(Champ(l[1], 6), "0,12");
    EXPECT_EQ(Champ(l[1], 21), "5");
    EXPECT_EQ(Champ(l[1], 22), "0.05") << "a resistance key stays as chosen";
    EXPECT_EQ(Champ(l[1], 7), "") << "a value the room does not have";
    EXPECT_EQ(Champ(l[1], 41), "");
    EXPECT_EQ(Champ(l[1], 42), "<absent>");
    EXPECT_EQ(Champ(l[2], 32), "80,46");
    EXPECT_EQ(l[3], "");
    EXPECT_EQ(l[4], "Longueur totale de tube;40;m");
    EXPECT_EQ(l[6], "Type de fixation;Plots thermoformés;-");
    EXPECT_EQ(l[15], "Surface de plaques isolantes de sol;-;m²");
    EXPECT_EQ(l[16], "");
    EXPECT_EQ(l[17], "Équilibrage");
}

// The balancing section, as the balancing window shows it: headings with
// their units, one line per loop, then the lowest supply temperature.
TEST(ExportCsv, Equilibrage) {
    const std::vector<std::string> l = Lignes(CsvEquilibrage(Equilibrage(38)));
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "Équilibrage");
    EXPECT_EQ(l[1], "Pièce;Boucle;Débit (l/h);Perte de charge (mmCE);Perte de charge artificielle (mmCE);"
                    "Vitesse de l'eau (m/s);Kv de la vanne (m³/h);Alertes");
    EXPECT_EQ(l[2], "\"Salle \"\"A\"\"; nord\";normale;80,46;120,5;379,5;0,11;0,41;vitesse faible");
    EXPECT_EQ(l[3], "Bureau;bordure;150;500;0;0,2;ouverte;trop longue : 2 boucles");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "Température de départ minimale sans appoint;38;°C");
    EXPECT_EQ(Lignes(CsvEquilibrage(Equilibrage(std::nullopt)))[5],
              "Température de départ minimale sans appoint;aucune (appoint nécessaire même à 50 °C);");
}

// A study without rooms: the headings alone.
TEST(ExportCsv, EtudeSansPiece) {
    const std::vector<std::string> l = Lignes(CsvEtude(ResultatEtude{}, {}, EquilibrageEtude{{}, 30, Tube16x20}));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(Champ(l[0], 2), "T° pièce");
}
