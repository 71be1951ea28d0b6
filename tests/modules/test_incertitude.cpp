// The uncertainty module without its window: the derivatives of the loop
// model and the calculation of the four contributions.

#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "modules/ModCorrection.h"
#include "modules/ModIncertitude.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace sorvel;
using namespace sorvel::ModIncertitude;
using modules::Arret;

namespace {

// A loop and its room: L, Q, h, H, VZ and the three temperatures.
struct Boucle {
    double L = 80, Q = 150, h = 10.8, H = 40, vz = 15;
    double tdep = 40, text = -5;
    double k() const { return Coeff_Lineique(h, vz); }
    double n() const { return Exposant_n(L, k(), Q); }
    // The room temperature the correction module's model gives.
    double ti() const {
        return ModCorrection::Temp_Equilibre(text, ModCorrection::Coeff_f(Q, H, L, k()), tdep);
    }
};

// Central difference of the room temperature when one quantity of the loop
// moves by a relative 1e-6.
double Derivee(Boucle b, double Boucle::*grandeur) {
    const double x = b.*grandeur, pas = x * 1e-6;
    Boucle plus = b, moins = b;
    plus.*grandeur = x + pas;
    moins.*grandeur = x - pas;
    return (plus.ti() - moins.ti()) / (2 * pas);
}

Saisie Exemple() {
    Saisie s;
    s.Valeurs = {"80", "150", "10,8", "40", "20", "40", "-5"};
    s.PasVZ = "15";
    s.Pourcents = {"5", "10", "10", "15"};
    return s;
}

Saisie Avec(Saisie s, Champ champ, const std::string& texte) {
    if (champ == Champ::PasVZ)
        s.PasVZ = texte;
    else
        s.Valeurs[IndexValeur(champ)] = texte;
    return s;
}

std::string Resultat(const Bilan& bilan, int i) { return bilan.Resultats[i].value_or("(rien)"); }

} // namespace

// The two f agree: the one balancing three temperatures gives back the
// loop's f when the room is at the loop's equilibrium; n is the exponent
// of the loop's f.
TEST(Incertitude, CoefficientsDuModeleDeBoucle) {
    const Boucle b;
    const double fBoucle = ModCorrection::Coeff_f(b.Q, b.H, b.L, b.k());
    EXPECT_NEAR(Coeff_f(b.ti(), b.text, b.tdep), fBoucle, 1e-12);
    EXPECT_NEAR(b.Q * ChaleurMassique / b.H * (1 - std::exp(b.n())), fBoucle, 1e-12);
    EXPECT_DOUBLE_EQ(Coeff_f(20, 20, 40), 0); // the room at the outdoor temperature
    EXPECT_THROW(Coeff_f(40, -5, 40), ErreurArithmetique); // the room at the supply temperature
    EXPECT_THROW(Exposant_n(80, 1.76, 0), ErreurArithmetique);
}

// Each sensitivity, times dTi/df, is the slope of the room temperature
// against that quantity in the loop model.
TEST(Incertitude, DeriveesDuModeleDeBoucle) {
    const Boucle boucles[] = {Boucle{}, Boucle{45, 60, 7.5, 25, 20, 35, -12}, Boucle{120, 400, 11, 90, 10, 50, 0}};
    for (const Boucle& b : boucles) {
        SCOPED_TRACE(b.L);
        const double g = Erreur_f(b.tdep, b.text, Coeff_f(b.ti(), b.text, b.tdep));
        const double k = b.k(), n = b.n();
        const struct {
            const char* nom;
            double analytique;
            double Boucle::*grandeur;
            double facteur; // d(quantity)/d(field)
        } cas[] = {
            {"longueur", Erreur_Longueur(k, b.H, n), &Boucle::L, 1},
            {"débit", Erreur_Debit(b.H, n), &Boucle::Q, 1},
            {"coefficient H", Erreur_H(b.Q, b.H, n), &Boucle::H, 1},
            // k is proportional to h: dk/dh = k/h.
            {"coefficient surfacique", Erreur_Coeff_P(b.L, b.H, n), &Boucle::h, k / b.h},
        };
        for (const auto& c : cas) {
            const double numerique = Derivee(b, c.grandeur);
            EXPECT_NEAR(c.analytique * c.facteur * g, numerique, std::abs(numerique) * 1e-5) << c.nom;
        }
    }
    EXPECT_THROW(Erreur_f(40, -5, -1), ErreurArithmetique);
    EXPECT_THROW(Erreur_Debit(0, -1), ErreurArithmetique);
}

TEST(Incertitude, Calcul) {
    const Bilan bilan = CalculerIncertitude(Exemple());
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    EXPECT_FALSE(bilan.Message.has_value());
    // Each contribution is its percentage of the quantity times the slope
    // of the room temperature, at the room temperature typed.
    Boucle b;
    const double g = Erreur_f(40, -5, Coeff_f(20, -5, 40));
    const double attendues[] = {
        0.05 * b.L * Erreur_Longueur(b.k(), b.H, b.n()) * g,
        0.10 * b.Q * Erreur_Debit(b.H, b.n()) * g,
        0.10 * b.k() * Erreur_Coeff_P(b.L, b.H, b.n()) * g,
        0.15 * b.H * std::abs(Erreur_H(b.Q, b.H, b.n())) * g,
    };
    double total = 0;
    for (int i = 0; i < NombreGrandeurs; ++i) {
        const double lu = LireNombre(Resultat(bilan, i)).value();
        EXPECT_NEAR(lu, attendues[i], 0.005 + 1e-6) << i;
        EXPECT_EQ(lu, Arrondir(lu, 2)) << i;
        total += lu;
    }
    EXPECT_EQ(LireNombre(Resultat(bilan, IndexTotal)), total);
}

// Percentages are not checked: 0 gives no uncertainty, a negative one the
// same as its opposite.
TEST(Incertitude, Pourcentages) {
    const struct { const char* p; const char* comme; } cas[] = {{"0", nullptr}, {"-10", "10"}, {"-2,5", "2,5"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.p);
        Saisie s = Exemple();
        s.Pourcents = {c.p, c.p, c.p, c.p};
        const Bilan bilan = CalculerIncertitude(s);
        ASSERT_EQ(bilan.Fin, Arret::Aucun);
        if (!c.comme) {
            for (int i = 0; i < NombreResultats; ++i)
                EXPECT_EQ(Resultat(bilan, i), "0") << i;
            continue;
        }
        Saisie oppose = Exemple();
        oppose.Pourcents = {c.comme, c.comme, c.comme, c.comme};
        EXPECT_EQ(bilan.Resultats, CalculerIncertitude(oppose).Resultats);
    }
}

// The total adds the values as shown, with no further rounding.
TEST(Incertitude, TotalDesValeursAffichees) {
    const struct {
        std::array<std::string, NombreGrandeurs> contributions;
        const char* total;
    } cas[] = {
        {{"0,12", "0,13", "0", "0,05"}, "0,3"},
        {{"0,1", "0,2", "0", "0"}, "0,3"},
        {{"1,25", "0,75", "2", "0,01"}, "4,01"},
        {{"0", "0", "0", "0"}, "0"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(TexteTotal(c.contributions), c.total) << c.total;
}

TEST(Incertitude, ControleDansLOrdre) {
    const struct {
        Champ champ;
        const char* texte;
        const char* titre;
        const char* message;
    } cas[] = {
        {Champ::Longueur, "0", "Longueur de tube.",
         "Vous devez entrer la longueur de tube située dans la pièce (longueur de la boucle) !"},
        {Champ::Debit, "", "Débit total.", "Vous devez entrer le débit de fluide de la boucle (boucle seule) !"},
        {Champ::CoeffSurfacique, "0", "Coefficient surfacique.",
         "Vous devez entrer le coefficient surfacique (émissions hautes en W/m²/K) !"},
        {Champ::CoeffDeperditions, "0", "Coefficient H.", "Vous devez entrer le coefficient de déperdition (H) !"},
        {Champ::TempPiece, "0", "Température d'ambiance.", "Vous devez entrer la température de la pièce !"},
        {Champ::TempDepart, "0", "Température du fluide.",
         "Vous devez entrer la température de départ du fluide caloporteur (entrée collecteur de départ) !"},
        {Champ::TempExterieure, "0", "Température extérieure.",
         "Vous devez entrer la température extérieure, qui peut être celle de base ou celle mesurée !"},
        {Champ::PasVZ, "", "Pas VZ", "Vous devez entrer le pas (VZ) de la pièce !"},
    };
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        const auto& c = cas[i];
        SCOPED_TRACE(c.titre);
        Saisie seul = Avec(Exemple(), c.champ, c.texte);
        Saisie suivants = seul;
        for (std::size_t j = i + 1; j < std::size(cas); ++j)
            suivants = Avec(suivants, cas[j].champ, cas[j].texte);
        for (const Saisie& s : {seul, suivants}) {
            const Bilan bilan = CalculerIncertitude(s);
            EXPECT_EQ(bilan.Fin, Arret::ChampManquant);
            EXPECT_EQ(bilan.Focus, c.champ);
            ASSERT_TRUE(bilan.Message.has_value());
            EXPECT_EQ(bilan.Message->Titre, c.titre);
            EXPECT_EQ(bilan.Message->Texte, c.message);
            for (const auto& r : bilan.Resultats)
                EXPECT_FALSE(r.has_value());
        }
    }
}

TEST(Incertitude, TemperatureExterieure) {
    const struct { const char* text; bool accepte; } cas[] = {{"-5", true}, {"0", false}, {"-", false}, {"8", true}};
    for (const auto& c : cas)
        EXPECT_EQ(!ControleIncertitude(Avec(Exemple(), Champ::TempExterieure, c.text)).has_value(), c.accepte)
            << c.text;
}

// The room at the supply temperature leaves f without a value: the
// calculation stops silently, writing nothing. At the outdoor temperature
// f is 0 and the calculation goes on.
TEST(Incertitude, FormulesSansValeur) {
    const Bilan egale = CalculerIncertitude(Avec(Exemple(), Champ::TempPiece, "40"));
    EXPECT_EQ(egale.Fin, Arret::FormuleSansValeur);
    EXPECT_FALSE(egale.Message.has_value());
    for (const auto& r : egale.Resultats)
        EXPECT_FALSE(r.has_value());

    const Bilan exterieure = CalculerIncertitude(Avec(Exemple(), Champ::TempPiece, "-5"));
    EXPECT_EQ(exterieure.Fin, Arret::Aucun);
    EXPECT_TRUE(exterieure.Resultats[IndexTotal].has_value());
}
