// The correction module without its window: the formulas, the two
// searches and the three procedures.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"
#include "modules/ModCorrection.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sorvel;
using namespace sorvel::ModCorrection;
using modules::Arret;

namespace {

const double Ln2 = std::log(2.0);

double Lu(const std::optional<std::string>& texte) {
    EXPECT_TRUE(texte.has_value());
    return LireNombre(texte.value_or("")).value_or(NAN);
}

// A loop of 80 m at VZ 15 in 16x20 pipe, with 6 m of connecting pipes, fed
// at 40 °C and 150 l/h, in a room of H = 40 W/K at -5 °C outside.
Saisie Boucle() {
    Saisie s;
    s.ValManuelles = {"80", "6", "40", "8", "-5", "150", "10,8", "40"};
    s.PasVZ = "15";
    s.Diametre = "16x20";
    s.TempSouhaitee = "20";
    return s;
}

Saisie Avec(Saisie s, Champ champ, const std::string& texte) {
    switch (champ) {
    case Champ::PasVZ: s.PasVZ = texte; break;
    case Champ::Diametre: s.Diametre = texte; break;
    case Champ::TempSouhaitee: s.TempSouhaitee = texte; break;
    default: s.ValManuelles[IndexValManuelle(champ)] = texte;
    }
    return s;
}

Saisie EnMode(Saisie s, ModeCorrection mode) {
    s.Mode = mode;
    return s;
}

// The wished temperature as the user leaves it: the same text at every step.
RelireCible Fixe(std::string texte) {
    return [texte] { return std::optional<std::string>(texte); };
}

// The user types `avant` and changes it to `apres` once `pas` steps are done.
RelireCible Change(std::string avant, std::string apres, int pas) {
    auto n = std::make_shared<int>(0);
    return [=] { return std::optional<std::string>(++*n < pas ? avant : apres); };
}

bool RienEcrit(const Ecritures& e) {
    for (const auto& r : e.Resultats)
        if (r)
            return false;
    return !e.PourCents[0] && !e.PourCents[1] && !e.Couleur;
}

} // namespace

// ---------------------------------------------------------------------------
// Formulas

TEST(Correction, CoefficientLineique) {
    const struct { double h, vz, k; } cas[] = {{9.2, 10, 1}, {9.2, 30, 3}, {4.6, 5, 0.25}, {0, 15, 0}};
    for (const auto& c : cas)
        EXPECT_DOUBLE_EQ(Coeff_Lineique(c.h, c.vz), c.k) << c.h << " " << c.vz;
}

// f = (Q.c/H)(1 - e^(-Lk/(Qc))): with L.k = Q.c.ln 2 half of Q.c/H; for a
// flow large enough that the water hardly cools, L.k/H.
TEST(Correction, CoefficientDeRegulation) {
    const double c = ChaleurMassique;
    EXPECT_NEAR(Coeff_f(100, 50, 100 * c * Ln2, 1), c, 1e-12);
    EXPECT_NEAR(Coeff_f(300, 25, 4 * 300 * c * Ln2, 0.5), 300 * c / 25 * 0.75, 1e-12);
    EXPECT_NEAR(Coeff_f(1e9, 40, 80, 1.76), 80 * 1.76 / 40, 1e-6);
    // More flow, more regulation: f rises with Q.
    double precedent = 0;
    for (double q : {10.0, 50.0, 150.0, 500.0}) {
        const double f = Coeff_f(q, 40, 80, 1.76);
        EXPECT_GT(f, precedent) << q;
        precedent = f;
    }
    EXPECT_THROW(Coeff_f(0, 40, 80, 1.76), ErreurArithmetique);
    EXPECT_THROW(Coeff_f(150, 0, 80, 1.76), ErreurArithmetique);
}

// At equilibrium the losses H(Teq - Text) equal what the loop gives,
// f.H.(Tdep - Teq).
TEST(Correction, TemperatureDEquilibre) {
    EXPECT_DOUBLE_EQ(Temp_Equilibre(0, 1, 40), 20);
    const struct { double text, f, tdep; } cas[] = {{-5, 2.38, 40}, {-15, 0.5, 45.3}, {10, 12, 30}, {-7, 0.03, 50}};
    for (const auto& c : cas) {
        const double teq = Temp_Equilibre(c.text, c.f, c.tdep);
        EXPECT_NEAR(teq - c.text, c.f * (c.tdep - teq), 1e-12) << c.f;
    }
    EXPECT_THROW(Temp_Equilibre(-5, 0, 40), ErreurArithmetique);  // 1/f
    EXPECT_THROW(Temp_Equilibre(-5, -1, 40), ErreurArithmetique); // Text / (f + 1)
}

TEST(Correction, EcartMoyenLogarithmique) {
    EXPECT_DOUBLE_EQ(EcartMoyen(10, 40, 20), 10 / Ln2);
    EXPECT_NEAR(EcartMoyen(8, 45, 20), 8 / std::log(25.0 / 17.0), 1e-12);
    // No value: the room between return and supply (negative ratio), at the
    // return temperature (division by zero), or water that does not cool
    // (logarithm 0).
    const struct { double chute, tdep, ti; } sansValeur[] = {{10, 40, 35}, {10, 40, 30}, {0, 40, 20}, {10, 40, 40}};
    for (const auto& c : sansValeur)
        EXPECT_THROW(EcartMoyen(c.chute, c.tdep, c.ti), ErreurArithmetique) << c.chute << " " << c.ti;
}

// Heat lost by the connecting pipes, carried by a flow at the drop.
TEST(Correction, DebitDesConduites) {
    // 10 m of 16x20 pipe at 40 °C: 0.0075 x 40² x 10 = 120 W; water at
    // 40 °C is 0.99239944 times as dense as the reference.
    const double densite = (1000.07 + 0.001276 * 40 - 0.004826 * 1600) / 1000;
    EXPECT_NEAR(DebitConduites(40, 5, 10, "16x20"), 120 / (5 * 1.162639 * densite), 1e-12);
    // No drop, no flow, whatever the pipes.
    EXPECT_EQ(DebitConduites(40, 0, 10, "16x20"), 0);
    EXPECT_EQ(DebitConduites(40, 0, 10, "13x16"), 0);
    // Twice the length, twice the flow; twice the drop, half the flow.
    EXPECT_DOUBLE_EQ(DebitConduites(36, 8, 12, "16x20"), 2 * DebitConduites(36, 8, 6, "16x20"));
    EXPECT_DOUBLE_EQ(DebitConduites(36, 8, 6, "16x20"), DebitConduites(36, 4, 6, "16x20") / 2);
}

// Any pipe text but "13x16" is the 16x20 pipe, for both the connecting-pipe
// flow and the pressure drop.
TEST(Correction, TubeAutreQue13x16) {
    for (const char* autre : {"20x25", "", "13X16", " 13x16"}) {
        SCOPED_TRACE(autre);
        EXPECT_EQ(DebitConduites(36, 8, 6, autre), DebitConduites(36, 8, 6, "16x20"));
        EXPECT_EQ(PerteChargeCorrection(150, 36, autre), PerteChargeCorrection(150, 36, "16x20"));
    }
    EXPECT_NEAR(DebitConduites(36, 8, 6, "13x16") / DebitConduites(36, 8, 6, "16x20"), 0.0065 / 0.0075, 1e-12);
    EXPECT_GT(PerteChargeCorrection(150, 36, "13x16"), PerteChargeCorrection(150, 36, "16x20"));
}

// The loop pressure drop is the one the room calculation uses for its own
// loops (laminar at 5 and 20 l/h, turbulent above), written again in the
// module's order of operations.
TEST(Correction, PerteDeChargeCommeLeCalculDesPieces) {
    const struct { double debit, temperature; const char* tube; } cas[] = {
        {150, 36, "16x20"}, {150, 36, "13x16"}, {48.47, 30.74, "16x20"}, {600, 45, "13x16"},
        {20, 40, "16x20"}, {5, 25, "13x16"}, {1000, 50, "16x20"},
    };
    for (const auto& c : cas) {
        const double attendu = PerteChargeLineique(c.debit, c.temperature, c.tube);
        EXPECT_NEAR(PerteChargeCorrection(c.debit, c.temperature, c.tube), attendu, attendu * 1e-12)
            << c.debit << " l/h, " << c.temperature << " °C, " << c.tube;
    }
    EXPECT_THROW(PerteChargeCorrection(0, 40, "16x20"), ErreurArithmetique);
}

TEST(Correction, CouleurDeLaPerteDeCharge) {
    const struct { double perte; CouleurPerte couleur; } cas[] = {
        {0, CouleurPerte::Bleu}, {2499.99, CouleurPerte::Bleu}, {2500, CouleurPerte::Bleu},
        {2500.01, CouleurPerte::Rouge}, {12000, CouleurPerte::Rouge},
    };
    for (const auto& c : cas)
        EXPECT_EQ(CouleurPerteCharge(c.perte), c.couleur) << c.perte;
}

// ---------------------------------------------------------------------------
// Searches

// With f = 1 and 0 °C outside, the room is at half the supply temperature.
TEST(Correction, RechercheDeTemperature) {
    const struct {
        const char* nom;
        RelireCible relire;
        FinRecherche fin;
        std::size_t pas;
    } cas[] = {
        // The 5000th step, 49.99999999999862, is still tried...
        {"atteinte au 5000e pas", Fixe("24,999999"), FinRecherche::Atteinte, 5000},
        // ...the 5001st is past 50 °C.
        {"limite", Fixe("25"), FinRecherche::Limite, 5000},
        {"inaccessible", Fixe("100"), FinRecherche::Limite, 5000},
        {"atteinte au premier pas", Fixe("0,001"), FinRecherche::Atteinte, 1},
        {"souhait vidé pendant la recherche", Change("100", "0", 10), FinRecherche::Atteinte, 10},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Recherche r = RechercherTemperature(1, 0, c.relire);
        EXPECT_EQ(r.Fin, c.fin);
        ASSERT_EQ(r.Pas.size(), c.pas);
        if (c.pas == 5000) {
            EXPECT_EQ(r.Pas.back().X, 49.99999999999862);
        }
        for (const PointCourbe& p : r.Pas)
            ASSERT_EQ(p.TempEquilibre, p.X / 2);
        if (c.fin == FinRecherche::Limite)
            EXPECT_GT(r.Valeur, TemperatureDepartMaxi);
        else
            EXPECT_EQ(r.Valeur, r.Pas.back().X);
    }
    EXPECT_EQ(RechercherTemperature(1, 0, Fixe("0,001")).Valeur, 0.01);
}

TEST(Correction, RechercheDeDebit) {
    const auto inaccessible = RechercherDebit(10.8f, 15, 40, 80, -5, 40, Fixe("100"));
    EXPECT_EQ(inaccessible.Fin, FinRecherche::Limite);
    // The 10000th step already exceeds 1000 l/h: 9999 steps tried.
    ASSERT_EQ(inaccessible.Pas.size(), 9999u);
    EXPECT_NEAR(inaccessible.Pas.back().X, 999.9, 1e-9);
    EXPECT_LE(inaccessible.Pas.back().X, DebitBoucleMaxi);
    EXPECT_GT(inaccessible.Valeur, DebitBoucleMaxi);

    const auto premier = RechercherDebit(10.8f, 15, 40, 80, -5, 40, Fixe("-10"));
    EXPECT_EQ(premier.Fin, FinRecherche::Atteinte);
    EXPECT_EQ(premier.Valeur, 0.1);
    EXPECT_EQ(premier.Pas.size(), 1u);

    // Each step is the loop model at that flow; more flow, a warmer room.
    const auto r = RechercherDebit(10.8f, 15, 40, 80, -5, 40, Fixe("20"));
    ASSERT_EQ(r.Fin, FinRecherche::Atteinte);
    ASSERT_GE(r.Pas.size(), 2u);
    for (std::size_t i = 1; i < r.Pas.size(); ++i)
        ASSERT_GT(r.Pas[i].TempEquilibre, r.Pas[i - 1].TempEquilibre);
    EXPECT_EQ(r.TempEquilibre, Temp_Equilibre(-5, Coeff_f(r.Valeur, 40, 80, Coeff_Lineique(10.8f, 15)), 40));
    EXPECT_GE(r.TempEquilibre, 20);
    EXPECT_LT(r.Pas[r.Pas.size() - 2].TempEquilibre, 20);
}

// The window closing during a search abandons it at the next step.
TEST(Correction, RechercheAbandonnee) {
    int appels = 0;
    const RelireCible relire = [&]() -> std::optional<std::string> {
        if (++appels == 3)
            return std::nullopt;
        return "100";
    };
    const Recherche r = RechercherDebit(10.8f, 15, 40, 80, -5, 40, relire);
    EXPECT_EQ(r.Fin, FinRecherche::Abandonnee);
    EXPECT_EQ(r.Pas.size(), 3u);
    EXPECT_EQ(appels, 3);
}

// ---------------------------------------------------------------------------
// Check of the required fields

TEST(Correction, ControleDansLOrdre) {
    const struct {
        Champ champ;
        const char* texte;
        const char* titre;
        const char* message;
    } cas[] = {
        {Champ::LongueurBoucle, "0", "Longueur de tube.",
         "Vous devez entrer la longueur de tube située dans la pièce (longueur de la boucle) !"},
        {Champ::TempDepart, "0", "Température du fluide.",
         "Vous devez entrer la température de départ du fluide caloporteur (entrée collecteur de départ) !"},
        {Champ::ChuteActuelle, "0", "Chute de température.",
         "Vous devez entrer la chute de température du fluide caloporteur (DeltaT fluide) !"},
        {Champ::TempExterieure, "0", "Température extérieure.",
         "Vous devez entrer la température extérieure, qui peut être celle de base ou celle mesurée !"},
        {Champ::TempExterieure, "-", "Température extérieure.", nullptr},
        {Champ::DebitTotal, "0", "Débit total.",
         "Vous devez entrer le débit total de fluide du circuit (boucle + raccordement si il y a) !"},
        {Champ::CoeffSurfacique, "", "Coefficient surfacique.",
         "Vous devez entrer le coefficient surfacique (émissions hautes en W/m²/K) !"},
        {Champ::CoeffDeperditions, "0,0", "Coefficient H.", "Vous devez entrer le coefficient de déperdition (H) !"},
        {Champ::PasVZ, "", "Pas VZ", "Vous devez entrer le pas (VZ) de la pièce !"},
        {Champ::Diametre, "", "Diamètre du tube",
         "Vous devez entrer le diamètre du tube utilisé (13x16 ou 16x20 mm) !"},
    };
    for (std::size_t i = 0; i < std::size(cas); ++i) {
        const auto& c = cas[i];
        SCOPED_TRACE(c.titre);
        // The field alone, then with every later field missing too: the
        // first in the order is told.
        Saisie seul = Avec(Boucle(), c.champ, c.texte);
        Saisie suivants = seul;
        for (std::size_t j = i + 1; j < std::size(cas); ++j)
            suivants = Avec(suivants, cas[j].champ, cas[j].texte);
        for (const Saisie& s : {seul, suivants}) {
            const auto manque = ControleCorrection(s);
            ASSERT_TRUE(manque.has_value());
            EXPECT_EQ(manque->Focus, c.champ);
            EXPECT_EQ(manque->Message.Titre, c.titre);
            if (c.message) {
                EXPECT_EQ(manque->Message.Texte, c.message);
            }
            // Both procedures stop there and write nothing.
            for (const Bilan& bilan : {CalculerValeursActuelles(s),
                                       CalculerValeursCorrigees(EnMode(s, ModeCorrection::Debit), Fixe("20"))}) {
                EXPECT_EQ(bilan.Fin, Arret::ChampManquant);
                EXPECT_EQ(bilan.Focus, c.champ);
                EXPECT_TRUE(RienEcrit(bilan.Ecrit));
                EXPECT_FALSE(bilan.Trace.has_value());
            }
        }
    }
}

TEST(Correction, ChampsFacultatifsEtTemperatureNegative) {
    const struct {
        const char* nom;
        Saisie saisie;
        bool accepte;
    } cas[] = {
        {"complète", Boucle(), true},
        {"sans raccordement ni chute", Avec(Avec(Boucle(), Champ::LongueurRaccordement, "0"), Champ::ChuteActuelle, "0"), true},
        {"chute sans raccordement", Avec(Boucle(), Champ::LongueurRaccordement, "0"), true},
        {"raccordement sans chute", Avec(Boucle(), Champ::ChuteActuelle, "0"), false},
        {"-5 dehors", Avec(Boucle(), Champ::TempExterieure, "-5"), true},
        {"0 dehors", Avec(Boucle(), Champ::TempExterieure, "0"), false},
        {"5 dehors", Avec(Boucle(), Champ::TempExterieure, "5"), true},
    };
    for (const auto& c : cas)
        EXPECT_EQ(!ControleCorrection(c.saisie).has_value(), c.accepte) << c.nom;
}

// ---------------------------------------------------------------------------
// Actual values

TEST(Correction, ValeursActuelles) {
    const Bilan bilan = CalculerValeursActuelles(Boucle());
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    const Ecritures& e = bilan.Ecrit;
    // Texts copied from the fields, percentages emptied.
    EXPECT_EQ(e[Resultat::DebitTotal], "150");
    EXPECT_EQ(e[Resultat::TempDepartNecessaire], "40");
    EXPECT_EQ(e[PourCent::Debit], "");
    EXPECT_EQ(e[PourCent::Temperature], "");
    // The connecting pipes at the present drop, mean water 36 °C.
    EXPECT_EQ(Lu(e[Resultat::DebitRaccordement]), Arrondir(DebitConduites(36, 8, 6, "16x20"), 2));
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitBoucle]), 150 - Lu(e[Resultat::DebitRaccordement]));
    // Each value from the one shown before it, within the rounding shown.
    const double f = Lu(e[Resultat::CoeffRegulation]);
    EXPECT_NEAR(f, Coeff_f(Lu(e[Resultat::DebitBoucle]), 40, 80, Coeff_Lineique(10.8, 15)), 0.00005);
    const double teq = Lu(e[Resultat::TempEquilibre]);
    EXPECT_NEAR(teq, Temp_Equilibre(-5, f, 40), 0.005);
    EXPECT_NEAR(Lu(e[Resultat::Emission]), 40 * (teq + 5), 0.005);
    // The drop of the whole circuit, on the total flow.
    EXPECT_NEAR(Lu(e[Resultat::ChuteTemperature]), Lu(e[Resultat::Emission]) / (150 * ChaleurMassique), 0.005);
    EXPECT_NEAR(Lu(e[Resultat::EcartMoyen]), EcartMoyen(Lu(e[Resultat::ChuteTemperature]), 40, teq), 0.005);
    EXPECT_NEAR(Lu(e[Resultat::PerteChargeTotale]), 86 * PerteChargeCorrection(150, 36, "16x20"), 0.005);
    EXPECT_EQ(e.Couleur, CouleurPerte::Bleu);
    // The chart shows the present point alone, against the supply temperature.
    ASSERT_TRUE(bilan.Trace.has_value());
    EXPECT_TRUE(bilan.Trace->Points.empty());
    EXPECT_FALSE(bilan.Trace->Cible.has_value());
    EXPECT_EQ(bilan.Trace->Axe, AxeCourbe::TempDepart);
    EXPECT_EQ(bilan.Trace->Point, (PointCourbe{40, teq}));
    // ...against the loop flow when the flow is to be corrected.
    const Bilan debit = CalculerValeursActuelles(EnMode(Boucle(), ModeCorrection::Debit));
    ASSERT_TRUE(debit.Trace.has_value());
    EXPECT_EQ(debit.Trace->Axe, AxeCourbe::DebitBoucle);
    EXPECT_EQ(debit.Trace->Point, (PointCourbe{Lu(e[Resultat::DebitBoucle]), teq}));
}

// A loop without connecting pipes needs no drop: the loop takes the whole
// flow and the pressure drop is taken at the supply temperature.
TEST(Correction, SansConduitesDeRaccordement) {
    const Saisie s = Avec(Avec(Boucle(), Champ::LongueurRaccordement, "0"), Champ::ChuteActuelle, "0");
    const Bilan bilan = CalculerValeursActuelles(s);
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    EXPECT_EQ(bilan.Ecrit[Resultat::DebitRaccordement], "0");
    EXPECT_EQ(bilan.Ecrit[Resultat::DebitBoucle], "150");
    EXPECT_EQ(Lu(bilan.Ecrit[Resultat::PerteChargeTotale]), Arrondir(80 * PerteChargeCorrection(150, 40, "16x20"), 2));
}

// The loop flow shown is the exact difference of the two flows shown
// above it, without the binary residue of the subtraction: 6,41 l/h in
// all, 6,31 l/h for 6 m of connecting pipes at a mean 36 °C and 8 K
// (58,32 W over 8 x 1,162639 x 0,99386), leave 0,1 l/h.
TEST(Correction, DebitDeBoucleSansResiduBinaire) {
    const Bilan bilan = CalculerValeursActuelles(Avec(Boucle(), Champ::DebitTotal, "6,41"));
    ASSERT_EQ(bilan.Ecrit[Resultat::DebitRaccordement], "6,31");
    EXPECT_EQ(bilan.Ecrit[Resultat::DebitBoucle], "0,1");
    const struct { const char* a; const char* b; double difference; } cas[] = {
        {"100,1", "100", 0.1}, {"6,41", "6,31", 0.1}, {"150", "6,31", 143.69},
        {"0,3", "0,1", 0.2}, {"1,2345", "0,01", 1.2245}, {"12", "12", 0}, {"5", "6,31", -1.31},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(modules::Difference(c.a, c.b), c.difference) << c.a << " - " << c.b;
        EXPECT_EQ(FormatGeneral(modules::Difference(c.a, c.b)), FormatGeneral(c.difference));
    }
    // With an exponent the difference is the binary one.
    EXPECT_EQ(modules::Difference("1E-3", "0"), 0.001);
}

// Connecting pipes that take the whole flow leave the loop none: the
// actual values stop there, silently, keeping the flows written before.
TEST(Correction, DebitDeBoucleNulEnValeursActuelles) {
    const Saisie s = Avec(Avec(Boucle(), Champ::DebitTotal, "5"), Champ::LongueurRaccordement, "200");
    const Bilan actuelles = CalculerValeursActuelles(s);
    EXPECT_EQ(actuelles.Fin, Arret::FormuleSansValeur);
    EXPECT_FALSE(actuelles.Message.has_value());
    EXPECT_TRUE(actuelles.Ecrit[Resultat::DebitRaccordement].has_value());
    EXPECT_EQ(actuelles.Ecrit[Resultat::DebitTotal], "5");
    EXPECT_FALSE(actuelles.Ecrit[Resultat::DebitBoucle].has_value());
    EXPECT_FALSE(actuelles.Ecrit[Resultat::TempEquilibre].has_value());
}

// The temperature search takes the loop flow the connecting pipes leave
// (200 m of them carry 210,3 l/h here), even below zero, and goes on while
// the formulas have a value. At -110 l/h the regulation coefficient still
// has one, the search finds its point and the rows up to the drop are
// written; the mean difference has none (the drop exceeds the difference
// between water and room), which ends the press silently. At -0,1 l/h the
// coefficient overflows: nothing is written, not even the curve.
TEST(Correction, CorrectionDeTemperatureAvecDebitDeBoucleNegatif) {
    const struct {
        const char* total;
        int ecrits; // the first rows of LblResultats written
    } cas[] = {{"100", static_cast<int>(Resultat::ChuteTemperature) + 1}, {"210,2", 0}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.total);
        const Saisie s = Avec(Avec(Boucle(), Champ::DebitTotal, c.total), Champ::LongueurRaccordement, "200");
        const Bilan bilan = CalculerValeursCorrigees(EnMode(s, ModeCorrection::Temperature), Fixe("20"));
        EXPECT_EQ(bilan.Fin, Arret::FormuleSansValeur);
        EXPECT_FALSE(bilan.Message.has_value());
        for (int i = 0; i < NombreResultats; ++i)
            EXPECT_EQ(bilan.Ecrit.Resultats[i].has_value(), i < c.ecrits) << i;
        EXPECT_EQ(bilan.Trace.has_value(), c.ecrits > 0);
        if (c.ecrits > 0) {
            EXPECT_GE(Lu(bilan.Ecrit[Resultat::TempEquilibre]), 20);
            EXPECT_TRUE(bilan.Trace->Point.has_value());
        }
    }
}

// ---------------------------------------------------------------------------
// Corrected values

TEST(Correction, TemperatureSouhaiteeAvantToutControle) {
    Saisie s = Avec(Boucle(), Champ::TempSouhaitee, "0");
    s = Avec(s, Champ::LongueurBoucle, "0");
    const Bilan bilan = CalculerValeursCorrigees(EnMode(s, ModeCorrection::Temperature), Fixe("0"));
    EXPECT_EQ(bilan.Fin, Arret::ChampManquant);
    EXPECT_EQ(bilan.Focus, Champ::TempSouhaitee);
    ASSERT_TRUE(bilan.Message.has_value());
    EXPECT_EQ(bilan.Message->Titre, "Température d'ambiance.");
    EXPECT_EQ(bilan.Message->Texte, "Vous devez définir une température d'ambiance !");
}

TEST(Correction, SansModeChoisiRienNeSePasse) {
    int lectures = 0;
    const Bilan bilan = CalculerValeursCorrigees(Boucle(), [&] {
        ++lectures;
        return std::optional<std::string>("20");
    });
    EXPECT_EQ(bilan.Fin, Arret::AucunMode);
    EXPECT_TRUE(RienEcrit(bilan.Ecrit));
    EXPECT_FALSE(bilan.Message.has_value());
    EXPECT_FALSE(bilan.Trace.has_value());
    EXPECT_EQ(lectures, 0);
}

// Searching the temperature at which the room is at its present
// equilibrium finds the present supply temperature again.
TEST(Correction, CorrectionDeTemperatureRetrouveLEtatActuel) {
    const Bilan actuelles = CalculerValeursActuelles(Boucle());
    const std::string teqActuelle = actuelles.Ecrit[Resultat::TempEquilibre].value();
    const Bilan bilan = CalculerValeursCorrigees(EnMode(Boucle(), ModeCorrection::Temperature), Fixe(teqActuelle));
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    const Ecritures& e = bilan.Ecrit;
    EXPECT_NEAR(Lu(e[Resultat::TempDepartNecessaire]), 40, 0.05);
    EXPECT_EQ(e[Resultat::CoeffRegulation], actuelles.Ecrit[Resultat::CoeffRegulation]);
    EXPECT_EQ(e[Resultat::DebitRaccordement], actuelles.Ecrit[Resultat::DebitRaccordement]);
    EXPECT_EQ(e[Resultat::DebitTotal], "150");
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitBoucle]), Arrondir(150 - Lu(e[Resultat::DebitRaccordement]), 2));
    EXPECT_EQ(e[PourCent::Debit], "");
    EXPECT_NEAR(Lu(e[PourCent::Temperature]), 0, 0.15);
    // The emission is that of the temperature found, before its rounding.
    EXPECT_NEAR(Lu(e[Resultat::Emission]), 40 * (Lu(e[Resultat::TempEquilibre]) + 5), 40 * 0.005 + 0.005);
    // The curve of the search, the wished temperature and the point found.
    ASSERT_TRUE(bilan.Trace.has_value());
    const Courbe& c = *bilan.Trace;
    EXPECT_EQ(c.Axe, AxeCourbe::TempDepart);
    EXPECT_NEAR(c.Points.back().X, Lu(e[Resultat::TempDepartNecessaire]), 0.005);
    EXPECT_EQ(c.Cible, Lu(teqActuelle));
    ASSERT_TRUE(c.Point.has_value());
    EXPECT_EQ(*c.Point, c.Points.back());
    EXPECT_GE(c.Point->TempEquilibre, *c.Cible);
    EXPECT_LT(c.Points[c.Points.size() - 2].TempEquilibre, *c.Cible);
}

// A supply temperature found at 30 for 32 entered: (30 - 32) / 32 = -0.0625,
// shown -6,25 %. The user lowers the target once 3000 steps are done.
TEST(Correction, PourcentageDeTemperature) {
    const Saisie s = EnMode(Avec(Boucle(), Champ::TempDepart, "32"), ModeCorrection::Temperature);
    const Bilan bilan = CalculerValeursCorrigees(s, Change("100", "-100", 3000));
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    EXPECT_EQ(bilan.Ecrit[Resultat::TempDepartNecessaire], "30");
    EXPECT_EQ(bilan.Ecrit[PourCent::Temperature], "-6,25");
}

TEST(Correction, LimitesDesRecherches) {
    const struct {
        ModeCorrection mode;
        std::size_t pas;
        const char* titre;
        const char* texte;
    } cas[] = {
        {ModeCorrection::Temperature, 5000, "Température trop élevée.",
         "La température du fluide nécessaire pour obtenir une température intérieure d'équilibre de "
         "35,5°C est supérieure à 60°C (50°C maxi autorisé par le DTU).\r\n"
         "Essayez avec un débit de fluide un peu plus élevé."},
        {ModeCorrection::Debit, 9999, "Débit trop important.",
         "Le débit nécessaire pour obtenir une température intérieure d'équilibre de "
         "35,5°C est beaucoup trop important.\r\n"
         "Essayez avec une température de départ du fluide plus élevée."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.titre);
        // The target typed at the press is changed during the search: the
        // message names the one in the field when the limit is reached.
        const Bilan bilan = CalculerValeursCorrigees(EnMode(Boucle(), c.mode), Change("40", "35,5", 2));
        EXPECT_EQ(bilan.Fin, Arret::Limite);
        ASSERT_TRUE(bilan.Message.has_value());
        EXPECT_EQ(bilan.Message->Titre, c.titre);
        EXPECT_EQ(bilan.Message->Texte, c.texte);
        EXPECT_TRUE(RienEcrit(bilan.Ecrit));
        // The chart shows how far the search went, without a point found.
        ASSERT_TRUE(bilan.Trace.has_value());
        EXPECT_EQ(bilan.Trace->Points.size(), c.pas);
        EXPECT_EQ(bilan.Trace->Cible, 35.5);
        EXPECT_FALSE(bilan.Trace->Point.has_value());
    }
}

// Searching the flow at which the room is at its present equilibrium finds
// the present loop flow again.
TEST(Correction, CorrectionDeDebitRetrouveLEtatActuel) {
    const Saisie s = Avec(Avec(Boucle(), Champ::LongueurRaccordement, "0"), Champ::ChuteActuelle, "0");
    const Bilan actuelles = CalculerValeursActuelles(s);
    const Bilan bilan = CalculerValeursCorrigees(EnMode(s, ModeCorrection::Debit),
                                                 Fixe(actuelles.Ecrit[Resultat::TempEquilibre].value()));
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    const Ecritures& e = bilan.Ecrit;
    EXPECT_NEAR(Lu(e[Resultat::DebitBoucle]), 150, 1.5);
    EXPECT_EQ(e[Resultat::TempDepartNecessaire], "40");
    EXPECT_EQ(e[PourCent::Temperature], "");
    const double qb = bilan.Trace.value().Point.value().X;
    EXPECT_EQ(Lu(e[PourCent::Debit]), Arrondir((qb - 150) / 150, 4) * 100);
    // The drop of the loop alone, on the loop flow found.
    EXPECT_NEAR(Lu(e[Resultat::ChuteTemperature]), Lu(e[Resultat::Emission]) / (qb * ChaleurMassique), 0.005);
    // The connecting pipes at the new drop, added to the loop flow.
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitTotal]), Arrondir(Lu(e[Resultat::DebitRaccordement]) + qb, 2));
    EXPECT_EQ(bilan.Trace->Axe, AxeCourbe::DebitBoucle);
}

// The supply temperature is held in single precision and shown as typed.
TEST(Correction, TemperatureDeDepartEnSimplePrecision) {
    for (const char* tdep : {"45,3", "40", "38,7", "41,15"}) {
        const Saisie s = EnMode(Avec(Boucle(), Champ::TempDepart, tdep), ModeCorrection::Debit);
        const Bilan bilan = CalculerValeursCorrigees(s, Fixe("20"));
        ASSERT_EQ(bilan.Fin, Arret::Aucun) << tdep;
        EXPECT_EQ(bilan.Ecrit[Resultat::TempDepartNecessaire], tdep);
    }
}
