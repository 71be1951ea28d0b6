// The uncertainty module without its window: the four contributions against
// the slopes of the loop model. The required fields and the formulas
// without value: test_communs.cpp.

#include "Cas.h"
#include "commun/Nombres.h"

#include <cmath>

using namespace sorvel;
using namespace sorvel::ModIncertitude;
using namespace sorvel::test;
using modules::Arret;

namespace {

// A loop and its room: L, Q, h, H, VZ and the supply and outdoor
// temperatures; the room at the equilibrium the correction module's model
// gives.
struct Boucle {
    double L = 80, Q = 150, h = 10.8, H = 40, vz = 15;
    double tdep = 40, text = -5;
    double ti() const {
        return ModCorrection::Temp_Equilibre(text, ModCorrection::Coeff_f(Q, H, L, Coeff_Lineique(h, vz)), tdep);
    }
};

// Central difference of the room temperature when one quantity of the loop
// moves by a relative 1e-6.
double Pente(Boucle b, double Boucle::*grandeur) {
    const double x = b.*grandeur, pas = x * 1e-6;
    Boucle plus = b, moins = b;
    plus.*grandeur = x + pas;
    moins.*grandeur = x - pas;
    return (plus.ti() - moins.ti()) / (2 * pas);
}

} // namespace

// With the room at the loop's equilibrium, each contribution is its
// percentage of the quantity times the slope of the room temperature
// against it (the surface coefficient's error applies to k, which is
// proportional to h), shown to 2 decimals; the total adds them as shown.
TEST(Incertitude, ContributionsDuModeleDeBoucle) {
    const Boucle boucles[] = {Boucle{}, Boucle{45, 60, 7.5, 25, 20, 35, -12}, Boucle{120, 400, 11, 90, 10, 50, 3}};
    const std::pair<double, double Boucle::*> grandeurs[] = {
        {1, &Boucle::L}, {0.5, &Boucle::Q}, {0.75, &Boucle::h}, {0.25, &Boucle::H}};
    for (const Boucle& b : boucles) {
        SCOPED_TRACE(b.L);
        Saisie s;
        s.Valeurs = {FormatGeneral(b.L), FormatGeneral(b.Q), FormatGeneral(b.h), FormatGeneral(b.H),
                     FormatGeneral(b.ti()), FormatGeneral(b.tdep), FormatGeneral(b.text)};
        s.PasVZ = FormatGeneral(b.vz);
        s.Pourcents = {"100", "50", "75", "25"};
        const Bilan bilan = CalculerIncertitude(s);
        ASSERT_EQ(bilan.Fin, Arret::Aucun);
        for (int i = 0; i < NombreGrandeurs; ++i) {
            const auto [part, grandeur] = grandeurs[i];
            const double lu = LireNombre(bilan.Resultats[i].value()).value();
            EXPECT_NEAR(lu, part * b.*grandeur * std::abs(Pente(b, grandeur)), 0.005 + 1e-5) << i;
            EXPECT_EQ(lu, Arrondir(lu, 2)) << i;
        }
        const auto& r = bilan.Resultats;
        EXPECT_EQ(r[IndexTotal], TexteTotal({r[0].value(), r[1].value(), r[2].value(), r[3].value()}));
    }
    for (const auto& c : cas::Lire("totaux.txt"))
        EXPECT_EQ(TexteTotal({c[0], c[1], c[2], c[3]}), c[4]) << c[4];
}

// The room at the supply temperature leaves f without a value: the
// calculation stops silently, writing nothing. At the outdoor temperature f
// is 0 and the calculation goes on. Percentages are not checked: 0 gives no
// uncertainty, a negative one the same as its opposite.
TEST(Incertitude, CasLimites) {
    Saisie s = BoucleIncertitude();
    s.Texte(Champ::TempPiece) = "40";
    const Bilan egale = CalculerIncertitude(s);
    EXPECT_EQ(egale.Fin, Arret::FormuleSansValeur);
    EXPECT_FALSE(egale.Message.has_value());
    EXPECT_EQ(egale.Resultats, Bilan{}.Resultats);
    s.Texte(Champ::TempPiece) = "-5";
    EXPECT_EQ(CalculerIncertitude(s).Fin, Arret::Aucun);
    auto calcul = [](const char* p) {
        Saisie connue = BoucleIncertitude();
        connue.Pourcents = {p, p, p, p};
        return CalculerIncertitude(connue).Resultats;
    };
    for (const auto& r : calcul("0"))
        EXPECT_EQ(r, "0");
    for (const auto& [negatif, positif] : {std::pair{"-10", "10"}, std::pair{"-2,5", "2,5"}})
        EXPECT_EQ(calcul(negatif), calcul(positif)) << negatif;
}
