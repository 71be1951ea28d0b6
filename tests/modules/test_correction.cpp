// The correction module without its window: the formulas, the two
// searches and the procedures. The required fields and the formulas
// without value: test_communs.cpp.

#include "Cas.h"
#include "calcul/ModCalcul.h"
#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>
#include <map>

using namespace sorvel;
using namespace sorvel::ModCorrection;
using namespace sorvel::test;
using modules::Arret;

namespace {

// The number a label shows; a label left unwritten fails the test.
double Lu(const std::optional<std::string>& texte) { return LireNombre(texte.value()).value(); }

// The example loop, some of its fields changed.
Saisie Boucle(std::initializer_list<std::pair<Champ, const char*>> champs = {}, ModeCorrection mode = {}) {
    Saisie s = BoucleCorrection(mode);
    for (auto [champ, texte] : champs)
        s.Texte(champ) = texte;
    return s;
}

// The rows of a press that ran to its end hold together as the loop model
// says, each from the rows shown before it, within the rounding shown: the
// connecting pipes at the present drop (at the drop found when the flow is
// searched), the regulation coefficient of the loop flow, the room at its
// equilibrium for the supply temperature in force, the heat it loses, the
// drop of the water carrying it (over the total flow, or the loop flow
// found), the pressure drop with its colour, and the change of what was
// searched in percent, the other percentage emptied.
void VerifierLignes(const Saisie& s, const Bilan& b) {
    ASSERT_EQ(b.Fin, Arret::Aucun);
    auto v = [&](Resultat r) { return Lu(b.Ecrit[r]); };
    auto x = [&](Champ c) { return LireNombre(s.Texte(c)).value(); };
    const bool actuel = s.Mode == ModeCorrection::Aucun, debit = s.Mode == ModeCorrection::Debit;
    const double t = v(Resultat::TempDepartNecessaire), teq = v(Resultat::TempEquilibre), H = x(Champ::CoeffDeperditions);
    const double qb = v(Resultat::DebitBoucle), qc = v(Resultat::DebitRaccordement), dtf = v(Resultat::ChuteTemperature);
    const double chute = debit ? dtf : x(Champ::ChuteActuelle);
    EXPECT_EQ(qc, Arrondir(DebitConduites(CInt(x(Champ::TempDepart) - chute / 2), CInt(chute),
                                          x(Champ::LongueurRaccordement), s.Diametre), 2));
    EXPECT_NEAR(v(Resultat::DebitTotal), debit ? qc + qb : x(Champ::DebitTotal), 0.0101);
    if (!debit) {
        EXPECT_NEAR(qb, x(Champ::DebitTotal) - qc, actuel ? 1e-9 : 0.0051);
    }
    const double f = v(Resultat::CoeffRegulation);
    const double k = Coeff_Lineique(x(Champ::CoeffSurfacique), std::stod(s.PasVZ));
    EXPECT_NEAR(f, Coeff_f(qb, H, x(Champ::LongueurBoucle), k), 2e-4);
    EXPECT_NEAR(teq, Temp_Equilibre(x(Champ::TempExterieure), f, t), 0.01);
    EXPECT_NEAR(v(Resultat::Emission), H * (teq - x(Champ::TempExterieure)), H * 0.005 + 0.005);
    EXPECT_NEAR(dtf, v(Resultat::Emission) / ((debit ? qb : x(Champ::DebitTotal)) * ChaleurMassique), 0.0051);
    EXPECT_NEAR(v(Resultat::EcartMoyen), EcartMoyen(dtf, t, teq), 0.02);
    const double longueur = x(Champ::LongueurBoucle) + x(Champ::LongueurRaccordement);
    const double tm = t - (actuel ? x(Champ::ChuteActuelle) : dtf) / 2;
    EXPECT_NEAR(v(Resultat::PerteChargeTotale), longueur * PerteChargeCorrection(v(Resultat::DebitTotal), tm, s.Diametre), 0.006);
    EXPECT_EQ(b.Ecrit.Couleur, CouleurPerteCharge(v(Resultat::PerteChargeTotale)));
    EXPECT_EQ(b.Ecrit[debit ? PourCent::Temperature : PourCent::Debit], "");
    const std::optional<std::string>& change = b.Ecrit[debit ? PourCent::Debit : PourCent::Temperature];
    const double attendu = debit ? (qb / x(Champ::DebitTotal) - 1) * 100 : (t / x(Champ::TempDepart) - 1) * 100;
    EXPECT_TRUE(actuel ? change == "" : std::abs(Lu(change) - attendu) < 0.006) << change.value_or("-") << " " << attendu;
}

} // namespace

// ---------------------------------------------------------------------------
// Formulas

TEST(Correction, Formules) {
    // f = (Q.c/H)(1 - e^(-Lk/(Qc))): with L.k = Q.c.ln 2, half of Q.c/H; for
    // a flow large enough that the water hardly cools, L.k/H.
    EXPECT_NEAR(Coeff_f(100, 50, 100 * ChaleurMassique * std::log(2.0), 1), ChaleurMassique, 1e-12);
    EXPECT_NEAR(Coeff_f(1e9, 40, 80, 1.76), 80 * 1.76 / 40, 1e-6);
    // At equilibrium the losses H(Teq - Text) equal what the loop gives,
    // f.H.(Tdep - Teq).
    for (auto [text, f, tdep] : {std::tuple{-5.0, 2.38, 40.0}, {-15.0, 0.5, 45.3}, {10.0, 12.0, 30.0}, {-7.0, 0.03, 50.0}}) {
        const double teq = Temp_Equilibre(text, f, tdep);
        EXPECT_NEAR(teq - text, f * (tdep - teq), 1e-12) << f;
    }
    EXPECT_DOUBLE_EQ(EcartMoyen(10, 40, 20), 10 / std::log(2.0));
    // The heat lost by 10 m of 16x20 connecting pipe at 40 °C, 0.0075 x 40² x
    // 10 = 120 W, carried by a flow at the drop; water at 40 °C is 0.99239944
    // times as dense as the reference. No drop, no flow.
    EXPECT_NEAR(DebitConduites(40, 5, 10, "16x20"), 120 / (5 * 1.162639 * 0.99239944), 1e-12);
    EXPECT_NEAR(DebitConduites(36, 8, 6, "13x16") / DebitConduites(36, 8, 6, "16x20"), 0.0065 / 0.0075, 1e-12);
    EXPECT_EQ(DebitConduites(40, 0, 10, "13x16"), 0);
    // Any pipe text but "13x16" is the 16x20 pipe.
    for (const char* autre : {"20x25", "", "13X16", " 13x16"}) {
        EXPECT_EQ(DebitConduites(36, 8, 6, autre), DebitConduites(36, 8, 6, "16x20")) << autre;
        EXPECT_EQ(PerteChargeCorrection(150, 36, autre), PerteChargeCorrection(150, 36, "16x20")) << autre;
    }
    // The loop pressure drop is the one the room calculation uses for its
    // own loops, written again in the module's order of operations.
    for (const auto& c : cas::Lire("pertes_de_charge.txt")) {
        const DiametreTube tube = c[2] == "13x16" ? DiametreTube::D13x16 : DiametreTube::D16x20;
        const double attendu = PerteChargeLineique(std::stod(c[0]), std::stod(c[1]), tube);
        EXPECT_NEAR(PerteChargeCorrection(std::stod(c[0]), std::stod(c[1]), c[2]), attendu, attendu * 1e-12)
            << c[0] << " l/h, " << c[1] << " °C, " << c[2];
    }
    EXPECT_EQ(CouleurPerteCharge(2500), CouleurPerte::Bleu);
    EXPECT_EQ(CouleurPerteCharge(2500.01), CouleurPerte::Rouge);
}

// ---------------------------------------------------------------------------
// Searches

TEST(Correction, Recherches) {
    auto temperature = [](RelireCible r) { return RechercherTemperature(1, 0, r); };
    auto debit = [](RelireCible r) { return RechercherDebit(10.8f, 15, 40, 80, -5, 40, r); };
    const std::map<std::string, FinRecherche> fins = {
        {"Atteinte", FinRecherche::Atteinte}, {"Limite", FinRecherche::Limite}, {"Abandonnee", FinRecherche::Abandonnee}};
    for (const auto& c : cas::Lire("recherches.txt")) {
        SCOPED_TRACE(c[0] + " " + c[1]);
        const Recherche r = c[0] == "debit" ? debit(Souhait(c[1])) : temperature(Souhait(c[1]));
        EXPECT_EQ(r.Fin, fins.at(c[2]));
        ASSERT_EQ(r.Pas.size(), std::stoul(c[3]));
        EXPECT_NEAR(r.Pas.back().X, std::stod(c[4]), 1e-9);
        EXPECT_EQ(r.Valeur > r.Pas.back().X, r.Fin == FinRecherche::Limite);
    }
    // With f = 1 and 0 °C outside, the room is at half the supply
    // temperature. More flow, a warmer room: the search stops at the first
    // step that reaches the wished temperature.
    for (const PointCourbe& p : temperature(Souhait("100")).Pas)
        ASSERT_EQ(p.TempEquilibre, p.X / 2);
    const Recherche r = debit(Souhait("20"));
    EXPECT_TRUE(std::ranges::is_sorted(r.Pas, std::less<>(), &PointCourbe::TempEquilibre));
    EXPECT_LT(r.Pas[r.Pas.size() - 2].TempEquilibre, 20);
    EXPECT_GE(r.TempEquilibre, 20);
}

// ---------------------------------------------------------------------------
// Procedures

// The present state of the example loop, with and without connecting
// pipes, drawn as a point against the supply temperature or the loop flow;
// each correction, asked for the present room temperature, finds the
// present supply temperature or loop flow again, at the point of its curve.
TEST(Correction, EtatActuelRetrouve) {
    for (const Saisie& boucle : {Boucle(), Boucle({{Champ::LongueurRaccordement, "0"}, {Champ::ChuteActuelle, "0"}})}) {
        for (ModeCorrection mode : {ModeCorrection::Temperature, ModeCorrection::Debit}) {
            const bool debit = mode == ModeCorrection::Debit;
            SCOPED_TRACE(boucle.Texte(Champ::LongueurRaccordement) + (debit ? " débit" : " température"));
            Saisie s = boucle;
            const Bilan actuelles = CalculerValeursActuelles(s);
            VerifierLignes(s, actuelles);
            const std::string teq = actuelles.Ecrit[Resultat::TempEquilibre].value();
            const double present = debit ? Lu(actuelles.Ecrit[Resultat::DebitBoucle]) : 40;
            s.Mode = mode;
            const Courbe point = CalculerValeursActuelles(s).Trace.value();
            EXPECT_TRUE(point.Points.empty() && !point.Cible);
            EXPECT_EQ(point.Point, (PointCourbe{present, Lu(teq)}));
            const Bilan corrigees = CalculerValeursCorrigees(s, Souhait(teq));
            VerifierLignes(s, corrigees);
            const Courbe& c = corrigees.Trace.value();
            EXPECT_EQ(point.Axe, c.Axe);
            EXPECT_EQ(c.Axe, debit ? AxeCourbe::DebitBoucle : AxeCourbe::TempDepart);
            EXPECT_EQ(c.Cible, Lu(teq));
            EXPECT_EQ(c.Point, c.Points.back());
            EXPECT_NEAR(c.Point->X, present, debit ? 1.5 : 0.05);
        }
    }
}

// The loop flow shown is the exact difference of the two flows shown above
// it, without the binary residue of the subtraction: 6,31 l/h for 6 m of
// connecting pipes at a mean 36 °C and 8 K (58,32 W over 8 x 1,162639 x
// 0,99386) leave 0,1 l/h of 6,41.
TEST(Correction, DebitDeBoucleSansResiduBinaire) {
    const Ecritures e = CalculerValeursActuelles(Boucle({{Champ::DebitTotal, "6,41"}})).Ecrit;
    EXPECT_EQ(e[Resultat::DebitRaccordement], "6,31");
    EXPECT_EQ(e[Resultat::DebitBoucle], "0,1");
    for (const auto& c : cas::Lire("differences.txt"))
        EXPECT_EQ(modules::Difference(c[0], c[1]), std::stod(c[2])) << c[0] << " - " << c[1];
}

// 200 m of connecting pipes carry 210,3 l/h here. The actual values stop at
// a loop flow below zero, keeping the flows written before it. The
// temperature search goes on while the formulas have a value: at -110 l/h
// the regulation coefficient has one, the search finds its point and the
// rows up to the drop are written, then the mean difference has none (the
// drop exceeds the difference between water and room); at -0,1 l/h the
// coefficient overflows. Each ends the press silently.
TEST(Correction, DebitDeBoucleNegatif) {
    using R = Resultat;
    const std::tuple<ModeCorrection, const char*, std::vector<Resultat>> cas[] = {
        {ModeCorrection::Aucun, "5", {R::DebitRaccordement, R::DebitTotal}},
        {ModeCorrection::Temperature, "100", {R::TempEquilibre, R::CoeffRegulation, R::Emission, R::ChuteTemperature}},
        {ModeCorrection::Temperature, "210,2", {}},
    };
    for (const auto& [mode, total, ecrits] : cas) {
        SCOPED_TRACE(total);
        const Saisie s = Boucle({{Champ::DebitTotal, total}, {Champ::LongueurRaccordement, "200"}}, mode);
        const Bilan b = mode == ModeCorrection::Aucun ? CalculerValeursActuelles(s) : CalculerValeursCorrigees(s, Souhait("20"));
        EXPECT_EQ(b.Fin, Arret::FormuleSansValeur);
        EXPECT_FALSE(b.Message.has_value());
        for (int i = 0; i < NombreResultats; ++i)
            EXPECT_EQ(b.Ecrit.Resultats[i].has_value(), std::ranges::count(ecrits, Resultat(i)) == 1) << i;
        // The curve of the search, with the point found at the wished temperature.
        EXPECT_EQ(b.Trace && b.Trace->Point && Lu(b.Ecrit[R::TempEquilibre]) >= 20, ecrits.size() == 4);
    }
}

// A supply temperature found at 30 for 32 entered: (30 - 32) / 32 = -0.0625,
// shown -6,25 %; the user lowers the target once 3000 steps are done. The
// supply temperature kept in flow mode is the single-precision one, shown
// as typed. Away from the present state, the rows still hold together.
TEST(Correction, TemperaturesDeDepart) {
    const Saisie s = Boucle({{Champ::TempDepart, "32"}}, ModeCorrection::Temperature);
    const Bilan bilan = CalculerValeursCorrigees(s, Souhait("100>-100@3000"));
    VerifierLignes(s, bilan);
    EXPECT_EQ(bilan.Ecrit[Resultat::TempDepartNecessaire], "30");
    EXPECT_EQ(bilan.Ecrit[PourCent::Temperature], "-6,25");
    for (const char* tdep : {"45,3", "38,7", "41,15"}) {
        const Saisie debit = Boucle({{Champ::TempDepart, tdep}}, ModeCorrection::Debit);
        const Bilan corrige = CalculerValeursCorrigees(debit, Souhait("21"));
        VerifierLignes(debit, corrige);
        EXPECT_EQ(corrige.Ecrit[Resultat::TempDepartNecessaire], tdep);
    }
}

// Without a mode chosen nothing happens. A search past its limit shows its
// message, naming the wished temperature in the field when the limit is
// reached, and writes nothing; the chart shows how far it went, without a
// point found.
TEST(Correction, CorrigeesSansResultat) {
    const Bilan aucun = CalculerValeursCorrigees(Boucle(), Souhait("20>@1"));
    EXPECT_EQ(aucun.Fin, Arret::AucunMode);
    EXPECT_TRUE(!aucun.Message && !aucun.Trace && aucun.Ecrit == Ecritures{});
    for (const auto& c : cas::Lire("limites.txt")) {
        const ModeCorrection mode = c[0] == "0" ? ModeCorrection::Temperature : ModeCorrection::Debit;
        const Bilan bilan = CalculerValeursCorrigees(Boucle({}, mode), Souhait("40>35,5@2"));
        EXPECT_EQ(bilan.Fin, Arret::Limite);
        EXPECT_EQ(bilan.Message, (modules::Avertissement{c[2], c[3] + "\r\n" + c[4]}));
        EXPECT_EQ(bilan.Ecrit, Ecritures{});
        EXPECT_EQ(bilan.Trace.value().Points.size(), std::stoul(c[1]));
        EXPECT_EQ(bilan.Trace->Cible, 35.5);
        EXPECT_FALSE(bilan.Trace->Point.has_value());
    }
}
