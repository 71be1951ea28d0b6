// The losses of a room from its elements (cas/deperditions.txt), what the
// room screen's fields receive, and the rooms that cannot be worked out.

#include "etude/Deperditions.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

using namespace sorvel;

namespace {

struct CasPiece {
    std::string nom;
    double tempPiece = 0, surface = 0;
    ClimatSite climat;
    DeperditionsPiece details;
    ResultatDeperditions attendu;
};

std::optional<double> Facultatif(const cas::Ligne& l, std::size_t i) {
    return l[i].empty() ? std::nullopt : std::optional(l.Reel(i));
}

std::vector<CasPiece> LirePieces() {
    static const std::map<std::string, NatureElement> natures = {
        {"mur", NatureElement::Mur}, {"fenetre", NatureElement::Fenetre}, {"porte", NatureElement::Porte},
        {"plancher", NatureElement::Plancher}, {"plafond", NatureElement::Plafond}};
    static const std::map<std::string, ContactElement> contacts = {
        {"exterieur", ContactElement::Exterieur}, {"nonChauffe", ContactElement::NonChauffe},
        {"sol", ContactElement::Sol}, {"chauffe", ContactElement::Chauffe}};
    std::vector<CasPiece> pieces;
    for (const cas::Ligne& l : cas::Lire("deperditions.txt")) {
        if (l[0] == "piece") {
            CasPiece c{.nom = l[1], .tempPiece = l.Reel(2), .surface = l.Reel(4)};
            c.climat = {.TempExterieure = l.Reel(3), .TempMoyenneAnnuelle = Facultatif(l, 10),
                        .PontsThermiques = l.Reel(9)};
            c.details = {.Hauteur = Facultatif(l, 5), .Renouvellement = l.Reel(6), .DebitExtrait = l.Reel(7),
                         .Relance = l.Reel(8)};
            c.attendu = {.Transmission = l.Reel(11), .DebitAir = l.Reel(12), .Ventilation = l.Reel(13),
                         .Total = l.Reel(14), .Plancher = l.Reel(15)};
            pieces.push_back(c);
            continue;
        }
        ElementParoi e{.Nature = natures.at(l[1]), .Surface = l.Reel(3), .U = l.Reel(4),
                       .Contact = contacts.at(l[2])};
        (e.Contact == ContactElement::NonChauffe ? e.B : e.TempAdjacente) = Facultatif(l, 5);
        pieces.back().details.Elements.push_back(e);
    }
    return pieces;
}

TEST(Deperditions, PiecesCalculeesALaMain) {
    const std::vector<CasPiece> pieces = LirePieces();
    ASSERT_EQ(pieces.size(), 3u);
    for (const CasPiece& c : pieces) {
        SCOPED_TRACE(c.nom);
        const ResultatDeperditions r = CalculerDeperditions(c.details, c.climat, c.tempPiece, c.surface);
        EXPECT_NEAR(r.Transmission, c.attendu.Transmission, 1e-9);
        EXPECT_NEAR(r.DebitAir, c.attendu.DebitAir, 1e-9);
        EXPECT_NEAR(r.Ventilation, c.attendu.Ventilation, 1e-9);
        EXPECT_NEAR(r.Relance, c.attendu.Total - c.attendu.Transmission - c.attendu.Ventilation, 1e-9);
        EXPECT_NEAR(r.Total, c.attendu.Total, 1e-9);
        EXPECT_NEAR(r.Plancher, c.attendu.Plancher, 1e-9);
        // Each element's figures add up to the transmission.
        ASSERT_EQ(r.H.size(), c.details.Elements.size());
        double somme = 0;
        for (std::size_t i = 0; i < r.H.size(); ++i) {
            EXPECT_DOUBLE_EQ(r.Flux[i], r.H[i] * (c.tempPiece - c.climat.TempExterieure));
            somme += r.Flux[i];
        }
        EXPECT_NEAR(somme, r.Transmission, 1e-9);
    }
}

// The fields take whole watts, halves to the even one, and no gain.
TEST(Deperditions, ValeurDesChamps) {
    const std::pair<double, double> cas[] = {{547.2, 547}, {547.5, 548}, {546.5, 546}, {12.49, 12},
                                             {-0.4, 0},    {-48, 0},     {0, 0}};
    for (const auto& [flux, champ] : cas) {
        EXPECT_EQ(ValeurChampDeperditions(flux), champ) << flux;
        EXPECT_FALSE(std::signbit(ValeurChampDeperditions(flux))) << flux;
    }
}

TEST(Deperditions, CeQuiManqueEstNomme) {
    const ClimatSite climat{.TempExterieure = -10};
    const auto etape = [&](ContactElement contact, double tempPiece) {
        const DeperditionsPiece d{.Elements = {{.Surface = 5, .U = 1, .Contact = contact}}};
        return exemples::Etape([&] { CalculerDeperditions(d, climat, tempPiece, 10); });
    };
    EXPECT_EQ(etape(ContactElement::NonChauffe, 20), "B");
    EXPECT_EQ(etape(ContactElement::Chauffe, 20), "TempAdjacente");
    EXPECT_EQ(etape(ContactElement::Sol, 20), "TempMoyenneAnnuelle");
    EXPECT_EQ(etape(ContactElement::Exterieur, 20), "<aucune erreur>");
    // A room no warmer than the outside has no losses to work out.
    EXPECT_EQ(etape(ContactElement::Exterieur, -10), "EcartDeperditions");
    EXPECT_EQ(etape(ContactElement::Exterieur, -15), "EcartDeperditions");
}

} // namespace
