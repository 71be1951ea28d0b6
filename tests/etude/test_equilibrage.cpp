// The balancing of a study: valve settings, velocities and warnings of
// every loop, and the lowest supply temperature that needs no
// supplementary heat.

#include "calcul/ModCalcul.h"
#include "etude/EquilibrageEtude.h"
#include "etude/PresentationEquilibrage.h"

#include <gtest/gtest.h>

#include "Exemples.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

// One loop of a hand-made study table.
struct Boucle {
    double longueur;   // m
    double debit;      // l/h
    double perte;      // mmCE
    double artificielle; // mmCE
};

// A room of a study table holding what the balancing reads: its name, its
// drop (5 K: water at 42.5 °C from a 45 °C supply), its normal loop and,
// when given, its edge loop.
LigneEtude Ligne(const std::string& nom, const Boucle& normale, std::optional<Boucle> bordure = {}) {
    LigneEtude l;
    auto poser = [&l](int k, Cellule c) { l[static_cast<std::size_t>(k - 1)] = std::move(c); };
    poser(ColonneEtude::Designation, nom);
    poser(ColonneEtude::ChuteTemperature, std::int32_t{5});
    poser(ColonneEtude::LongueurNormale, normale.longueur);
    poser(ColonneEtude::DebitNormale, normale.debit);
    poser(ColonneEtude::PerteNormale, normale.perte);
    poser(ColonneEtude::PerteArtificielleNormale, normale.artificielle);
    poser(ColonneEtude::AppointActuelle, 0.0);
    poser(ColonneEtude::AppointFuture, 0.0);
    if (bordure) {
        poser(ColonneEtude::LongueurBordure, bordure->longueur);
        poser(ColonneEtude::DebitBordure, bordure->debit);
        poser(ColonneEtude::PerteBordure, bordure->perte);
        poser(ColonneEtude::PerteArtificielleBordure, bordure->artificielle);
    }
    return l;
}

ResultatEtude Resultat(std::vector<LigneEtude> lignes) {
    ResultatEtude r;
    r.Table.Pieces = std::move(lignes);
    return r;
}

// The only loop of a one-room study.
ReglageBoucle Seule(std::int16_t tube, const Boucle& b) {
    const auto boucles = ReglerBoucles(Resultat({Ligne("Pièce", b)}), exemples::Generales(0, tube));
    EXPECT_EQ(boucles.size(), 1u);
    return boucles.at(0);
}

} // namespace

// Kv and velocity worked out by hand, with a valve left open in each study:
// - 13x16, 100 l/h: 2.7778e-5 m³/s through pi x 0.0065² = 1.3273e-4 m² make
//   0.20928 m/s; 500 mmCE = 4903.3 Pa = 0.049033 bar, whose root is 0.22143,
//   so Kv = 0.1 m³/h / 0.22143 = 0.45160.
// - 16x20, 100 l/h: through pi x 0.008² = 2.0106e-4 m², 0.13816 m/s;
//   250 mmCE = 0.024517 bar, root 0.15658, Kv = 0.63866.
// - The loops that set the study's largest drop, 150 l/h of 13x16 (0.31392
//   m/s) and 240 l/h of 16x20 (0.33157 m/s), add nothing: open.
TEST(Equilibrage, KvEtVitesseALaMain) {
    struct Cas {
        const char* quoi;
        std::int16_t tube;
        Boucle boucle;
        double vitesse;
        std::optional<double> kv;
    };
    const Cas cas[] = {
        {"13x16 réglée", Tube13x16, {60, 100, 200, 500}, 0.20928, 0.45160},
        {"13x16 ouverte", Tube13x16, {70, 150, 700, 0}, 0.31392, std::nullopt},
        {"16x20 réglée", Tube16x20, {60, 100, 150, 250}, 0.13816, 0.63866},
        {"16x20 ouverte", Tube16x20, {90, 240, 400, 0}, 0.33157, std::nullopt},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const ReglageBoucle b = Seule(c.tube, c.boucle);
        EXPECT_NEAR(b.Vitesse, c.vitesse, 5e-6);
        ASSERT_EQ(b.Kv.has_value(), c.kv.has_value());
        if (c.kv) {
            EXPECT_NEAR(*b.Kv, *c.kv, 5e-6);
        }
        EXPECT_EQ(b.Debit, c.boucle.debit);
        EXPECT_EQ(b.Perte, c.boucle.perte);
        EXPECT_EQ(b.PerteArtificielle, c.boucle.artificielle);
    }
    // Shown with 2 decimals; the open valve in words.
    const auto lignes = PresenterEquilibrage({Seule(Tube13x16, cas[0].boucle), Seule(Tube13x16, cas[1].boucle)},
                                             Tube13x16);
    EXPECT_EQ(lignes[0][ColonneEquilibrage::Kv].Texte, "0,45");
    EXPECT_EQ(lignes[0][ColonneEquilibrage::Vitesse].Texte, "0,21");
    EXPECT_EQ(lignes[1][ColonneEquilibrage::Kv].Texte, "ouverte");
    EXPECT_FALSE(lignes[1][ColonneEquilibrage::Kv].InfoBulle.empty());
}

// A drop too small to show (below 0,005 mmCE) is no setting either.
TEST(Equilibrage, VanneOuverteQuandRienNeSAffiche) {
    EXPECT_FALSE(Seule(Tube16x20, {60, 100, 150, 0.004}).Kv);
    EXPECT_TRUE(Seule(Tube16x20, {60, 100, 150, 0.006}).Kv);
    EXPECT_THROW(KvVanne(100, 0), ErreurArithmetique);
    EXPECT_THROW(KvVanne(100, -1), ErreurArithmetique);
}

// The loops in room order, the normal loop before the edge loop; a room
// without an edge loop of its own has one row.
TEST(Equilibrage, OrdreDesBoucles) {
    const auto boucles = ReglerBoucles(
        Resultat({Ligne("Séjour", {80, 200, 600, 0}), Ligne("Véranda", {50, 120, 300, 300}, Boucle{30, 90, 100, 500}),
                  Ligne("Bureau", {40, 110, 250, 350})}),
        exemples::Generales(0, Tube16x20));
    struct Attendu { int piece; const char* nom; TypeBoucle boucle; double debit; };
    const Attendu attendus[] = {{1, "Séjour", TypeBoucle::Normale, 200},
                                {2, "Véranda", TypeBoucle::Normale, 120},
                                {2, "Véranda", TypeBoucle::Bordure, 90},
                                {3, "Bureau", TypeBoucle::Normale, 110}};
    ASSERT_EQ(boucles.size(), std::size(attendus));
    for (std::size_t n = 0; n < boucles.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(boucles[n].Piece, attendus[n].piece);
        EXPECT_EQ(boucles[n].NomPiece, attendus[n].nom);
        EXPECT_EQ(boucles[n].Boucle, attendus[n].boucle);
        EXPECT_EQ(boucles[n].Debit, attendus[n].debit);
    }
    EXPECT_EQ(boucles[2].Longueur, 30);
    EXPECT_EQ(boucles[2].PerteArtificielle, 500);
    EXPECT_STREQ(TexteBoucle(TypeBoucle::Bordure), "bordure");
}

// The three warnings, each at the edge of its rule.
TEST(Equilibrage, Alertes) {
    struct Cas {
        const char* quoi;
        std::int16_t tube;
        Boucle boucle;
        bool vitesse, laminaire, longueur;
        int boucles;
    };
    const Cas cas[] = {
        // 104 l/h in 16x20: 0.14368 m/s, shown 0,14.
        {"lente", Tube16x20, {60, 104, 150, 100}, true, false, false, 1},
        // 105 l/h: 0.14506 m/s, shown 0,15: the rule reads what is shown.
        {"juste assez rapide", Tube16x20, {60, 105, 150, 100}, false, false, false, 1},
        // 20 l/h in 16x20 at 42.5 °C: Re 717.
        {"laminaire", Tube16x20, {60, 20, 10, 100}, true, true, false, 1},
        // 100 l/h in 13x16: Re 4413, 0.209 m/s.
        {"turbulente", Tube13x16, {60, 100, 150, 100}, false, false, false, 1},
        // 190 m of 16x20 (red above 160 m): two loops of 95 m.
        {"190 m en 16x20", Tube16x20, {190, 200, 150, 100}, false, false, true, 2},
        // 160 m is not red: the limit is strict.
        {"160 m en 16x20", Tube16x20, {160, 200, 150, 100}, false, false, false, 1},
        // 320 m: two loops of exactly 160 m will do.
        {"320 m en 16x20", Tube16x20, {320, 200, 150, 100}, false, false, true, 2},
        // 321 m: 160.5 m is still red, three loops of 107 m.
        {"321 m en 16x20", Tube16x20, {321, 200, 150, 100}, false, false, true, 3},
        // 190 m of 13x16 (red above 120 m): 95 m each.
        {"190 m en 13x16", Tube13x16, {190, 200, 150, 100}, false, false, true, 2},
        // 250 m of 13x16: 125 m is red, three of 83.3 m.
        {"250 m en 13x16", Tube13x16, {250, 200, 150, 100}, false, false, true, 3},
        // 130 m of 16x20 is only orange.
        {"130 m en 16x20", Tube16x20, {130, 200, 150, 100}, false, false, false, 1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const ReglageBoucle b = Seule(c.tube, c.boucle);
        EXPECT_EQ(b.AlerteVitesse, c.vitesse);
        EXPECT_EQ(b.AlerteLaminaire, c.laminaire);
        EXPECT_EQ(b.AlerteLongueur, c.longueur);
        EXPECT_EQ(b.BouclesConseillees, c.boucles);
        EXPECT_EQ(BouclesEgalesConseillees(c.boucle.longueur, c.tube), c.boucles);
    }
    EXPECT_EQ(BouclesEgalesConseillees(1601, Tube16x20), 11);
}

// How the warnings read: named in orange in their column, each explained
// in one sentence by the tooltip; a slow velocity is orange itself.
TEST(Equilibrage, PresentationDesAlertes) {
    const ReglageBoucle longue = Seule(Tube16x20, {190, 20, 10, 100});
    const LigneEquilibrage l = PresenterEquilibrage({longue}, Tube16x20).at(0);
    const CelluleEquilibrage& alertes = l[ColonneEquilibrage::Alertes];
    EXPECT_EQ(alertes.Texte, "vitesse faible, laminaire, trop longue : 2 boucles");
    EXPECT_EQ(alertes.Format, (FormatValeur{true, CouleurValeur::Orange}));
    EXPECT_EQ(alertes.InfoBulle,
              "La vitesse de l'eau (0,03 m/s) est inférieure à 0,15 m/s : elle n'entraîne plus les bulles d'air vers "
              "les purgeurs du collecteur.\n"
              "L'écoulement est laminaire (nombre de Reynolds 717, 2320 au plus) : l'eau glisse en couches sans se "
              "mélanger et cède moins bien sa chaleur au tube.\n"
              "La boucle mesure 190 m, plus que la limite de 160 m du tube 16x20 : la partager en 2 boucles égales "
              "de 95 m.");
    EXPECT_EQ(l[ColonneEquilibrage::Vitesse].Format.Couleur, CouleurValeur::Orange);
    EXPECT_EQ(l[ColonneEquilibrage::Boucle].Texte, "normale");
    EXPECT_EQ(l[ColonneEquilibrage::Piece].Texte, "Pièce");

    const LigneEquilibrage calme = PresenterEquilibrage({Seule(Tube13x16, {60, 100, 150, 100})}, Tube13x16).at(0);
    EXPECT_TRUE(calme[ColonneEquilibrage::Alertes].Texte.empty());
    EXPECT_TRUE(calme[ColonneEquilibrage::Alertes].InfoBulle.empty());
    EXPECT_EQ(calme[ColonneEquilibrage::Vitesse].Format.Couleur, CouleurValeur::TexteFenetre);
    EXPECT_EQ(calme[ColonneEquilibrage::PerteArtificielle].Format, (FormatValeur{true, CouleurValeur::Bleu}));
}

// On a recalculated study the figures of each loop belong together: its
// pressure drop is the drop per metre of its flow at the room's mean water
// temperature times its length (so the laminar warning is the regime the
// drop was computed in), its Kv gives back its artificial drop, and the
// most resistant loop is left open.
TEST(Equilibrage, CoherentAvecLeCalculDeLEtude) {
    for (std::int16_t tube : {Tube13x16, Tube16x20}) {
        SCOPED_TRACE(tube);
        const DonneesGenerales g = exemples::Generales(0, tube);
        const ResultatEtude r = CalculEtude(exemples::Maison12Pieces(), g);
        const auto boucles = ReglerBoucles(r, g);
        ASSERT_EQ(boucles.size(), 12u + 2); // two rooms have an edge loop of their own
        int ouvertes = 0;
        for (const ReglageBoucle& b : boucles) {
            SCOPED_TRACE(b.NomPiece + " " + TexteBoucle(b.Boucle));
            const double t = TempMoyenneEau(45, 5);
            EXPECT_DOUBLE_EQ(b.Perte, PerteChargeLineique(b.Debit, t, TexteTube(g)) * b.Longueur);
            EXPECT_EQ(b.AlerteLaminaire, b.Reynolds <= 2320);
            EXPECT_DOUBLE_EQ(b.PerteArtificielle, r.PerteMaxi - b.Perte);
            if (!b.Kv) {
                ++ouvertes;
                EXPECT_EQ(b.Perte, r.PerteMaxi);
                continue;
            }
            const double q = b.Debit / 1000.0;
            EXPECT_NEAR(q * q / (*b.Kv * *b.Kv) * 100000.0 / 9.80665, b.PerteArtificielle, 1e-9 * r.PerteMaxi);
        }
        EXPECT_EQ(ouvertes, 1);
    }
}

// The lowest supply temperature at which no room needs supplementary heat,
// checked against the study recalculated at the temperatures around it.
TEST(Equilibrage, TempDepartMinimale) {
    using exemples::Piece;
    // A house whose living room (2000 W over 30 m²) sets it; the small rooms
    // need no more than 30 °C.
    const std::vector<DonneesPiece> maison = {Piece("Séjour", 0, 30, 2000), Piece("Chambre", 0, 12, 600),
                                              Piece("Cuisine", 2, 14, 800)};
    // A room no supply temperature of the list can heat without help.
    const std::vector<DonneesPiece> veranda = {Piece("Chambre", 0, 12, 600), Piece("Véranda", 0, 30, 4000)};
    // Well insulated rooms.
    const std::vector<DonneesPiece> passive = {Piece("Séjour", 0, 30, 900), Piece("Chambre", 1, 12, 400)};
    // A cellar kept at 24 °C with a 12 K drop: at 30 °C its mean water
    // temperature is the room's and it cannot be calculated; at 31 °C it is
    // heated.
    DonneesPiece cellier = Piece("Cellier", 0, 10, 200);
    cellier.TempPiece = "24";
    cellier.TempChute = 12;

    // `calculableAvant`: the study can be calculated a degree lower.
    struct Cas { const char* quoi; std::vector<DonneesPiece> pieces; std::optional<int> attendue; bool calculableAvant; };
    const Cas cas[] = {
        {"38 °C", maison, 38, true},
        {"aucune", veranda, std::nullopt, true},
        {"30 °C", passive, 30, true},
        {"incalculable à 30 °C", {cellier}, 31, false},
        {"sans pièce", {}, 30, true},
    };
    const auto appoint = [](const std::vector<DonneesPiece>& pieces, int depart) {
        DonneesGenerales g = exemples::Generales(0, Tube16x20);
        g.TempDepart = std::to_string(depart);
        const ResultatEtude r = CalculEtude(pieces, g);
        double total = 0;
        for (int i = 1; i <= r.Table.NombrePieces(); ++i)
            total += *NombreCellule(r.Table.Cell(ColonneEtude::AppointActuelle, i)) +
                     *NombreCellule(r.Table.Cell(ColonneEtude::AppointFuture, i));
        return total;
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        const std::optional<int> t = TempDepartMinimale(c.pieces, exemples::Generales(0, Tube16x20));
        EXPECT_EQ(t, c.attendue);
        if (!t) {
            EXPECT_GT(appoint(c.pieces, TempDepartHaute), 0);
            continue;
        }
        EXPECT_EQ(appoint(c.pieces, *t), 0);
        if (*t > TempDepartBasse && c.calculableAvant) {
            EXPECT_GT(appoint(c.pieces, *t - 1), 0);
        }
    }
    EXPECT_THROW(appoint({cellier}, 30), ErreurCalculEtude);
    // The general data's own supply temperature does not matter.
    DonneesGenerales g = exemples::Generales(0, Tube16x20);
    g.TempDepart = "50";
    EXPECT_EQ(TempDepartMinimale(maison, g), 38);

    EXPECT_EQ(TexteTempDepartMinimale(38), "Température de départ minimale sans appoint : 38 °C");
    EXPECT_EQ(TexteTempDepartMinimale(std::nullopt),
              "Température de départ minimale sans appoint : aucune (appoint nécessaire même à 50 °C)");
}
