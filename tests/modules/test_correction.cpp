// The correction module without its window: the formulas, the two
// searches and the procedures. The required fields: test_controles.cpp.

#include "Cas.h"
#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "commun/Nombres.h"

#include <algorithm>
#include <cmath>

using namespace sorvel;
using namespace sorvel::ModCorrection;
using namespace sorvel::test;
using modules::Arret;

namespace {

const double Ln2 = std::log(2.0);

double Lu(const std::optional<std::string>& texte) {
    EXPECT_TRUE(texte.has_value());
    return LireNombre(texte.value_or("")).value_or(NAN);
}

// The example loop, some of its fields changed.
Saisie Boucle(std::initializer_list<std::pair<Champ, const char*>> champs = {}, ModeCorrection mode = {}) {
    Saisie s = BoucleCorrection(mode);
    for (auto [champ, texte] : champs)
        s.Texte(champ) = texte;
    return s;
}

} // namespace

// ---------------------------------------------------------------------------
// Formulas

TEST(Correction, ModeleDeBoucle) {
    // f = (Q.c/H)(1 - e^(-Lk/(Qc))): with L.k = Q.c.ln 2, half of Q.c/H; for
    // a flow large enough that the water hardly cools, L.k/H.
    EXPECT_NEAR(Coeff_f(100, 50, 100 * ChaleurMassique * Ln2, 1), ChaleurMassique, 1e-12);
    EXPECT_NEAR(Coeff_f(1e9, 40, 80, 1.76), 80 * 1.76 / 40, 1e-6);
    // At equilibrium the losses H(Teq - Text) equal what the loop gives,
    // f.H.(Tdep - Teq).
    const struct { double text, f, tdep; } equilibres[] = {{-5, 2.38, 40}, {-15, 0.5, 45.3}, {10, 12, 30}, {-7, 0.03, 50}};
    for (const auto& c : equilibres) {
        const double teq = Temp_Equilibre(c.text, c.f, c.tdep);
        EXPECT_NEAR(teq - c.text, c.f * (c.tdep - teq), 1e-12) << c.f;
    }
    EXPECT_DOUBLE_EQ(EcartMoyen(10, 40, 20), 10 / Ln2);
}

TEST(Correction, FormulesSansValeur) {
    const std::pair<const char*, std::function<double()>> cas[] = {
        {"débit nul", [] { return Coeff_f(0, 40, 80, 1.76); }},
        {"H nul", [] { return Coeff_f(150, 0, 80, 1.76); }},
        {"f nul", [] { return Temp_Equilibre(-5, 0, 40); }},
        {"f = -1", [] { return Temp_Equilibre(-5, -1, 40); }},
        {"pièce entre retour et départ", [] { return EcartMoyen(10, 40, 35); }},
        {"pièce au retour", [] { return EcartMoyen(10, 40, 30); }},
        {"pièce au départ", [] { return EcartMoyen(10, 40, 40); }},
        {"eau qui ne refroidit pas", [] { return EcartMoyen(0, 40, 20); }},
        {"perte de charge sans débit", [] { return PerteChargeCorrection(0, 40, "16x20"); }},
    };
    for (const auto& [nom, formule] : cas)
        EXPECT_THROW(formule(), ErreurArithmetique) << nom;
}

// Heat lost by the connecting pipes, carried by a flow at the drop: 10 m of
// 16x20 pipe at 40 °C lose 0.0075 x 40² x 10 = 120 W; water at 40 °C is
// 0.99239944 times as dense as the reference.
TEST(Correction, DebitDesConduites) {
    EXPECT_NEAR(DebitConduites(40, 5, 10, "16x20"), 120 / (5 * 1.162639 * 0.99239944), 1e-12);
    EXPECT_EQ(DebitConduites(40, 0, 10, "13x16"), 0); // no drop, no flow
    EXPECT_NEAR(DebitConduites(36, 8, 6, "13x16") / DebitConduites(36, 8, 6, "16x20"), 0.0065 / 0.0075, 1e-12);
    // Any pipe text but "13x16" is the 16x20 pipe.
    for (const char* autre : {"20x25", "", "13X16", " 13x16"}) {
        EXPECT_EQ(DebitConduites(36, 8, 6, autre), DebitConduites(36, 8, 6, "16x20")) << autre;
        EXPECT_EQ(PerteChargeCorrection(150, 36, autre), PerteChargeCorrection(150, 36, "16x20")) << autre;
    }
}

// The loop pressure drop is the one the room calculation uses for its own
// loops, written again in the module's order of operations.
TEST(Correction, PerteDeChargeCommeLeCalculDesPieces) {
    for (const auto& c : LireCas("pertes_de_charge.tsv")) {
        const double attendu = PerteChargeLineique(std::stod(c[0]), std::stod(c[1]), c[2]);
        EXPECT_NEAR(PerteChargeCorrection(std::stod(c[0]), std::stod(c[1]), c[2]), attendu, attendu * 1e-12)
            << c[0] << " l/h, " << c[1] << " °C, " << c[2];
    }
    EXPECT_EQ(CouleurPerteCharge(2500), CouleurPerte::Bleu);
    EXPECT_EQ(CouleurPerteCharge(2500.01), CouleurPerte::Rouge);
}

// ---------------------------------------------------------------------------
// Searches

TEST(Correction, Recherches) {
    // With f = 1 and 0 °C outside, the room is at half the supply temperature.
    auto temperature = [](RelireCible r) { return RechercherTemperature(1, 0, r); };
    auto debit = [](RelireCible r) { return RechercherDebit(10.8f, 15, 40, 80, -5, 40, r); };
    const struct {
        const char* nom;
        std::function<Recherche(RelireCible)> chercher;
        RelireCible relire;
        FinRecherche fin;
        std::size_t pas;
        double dernier; // the last step tried
    } cas[] = {
        // The 5000th step, 49.99999999999862, is still tried; the 5001st is past 50 °C.
        {"température atteinte au 5000e pas", temperature, Fixe("24,999999"), FinRecherche::Atteinte, 5000, 50},
        {"température limite", temperature, Fixe("25"), FinRecherche::Limite, 5000, 50},
        {"température au premier pas", temperature, Fixe("0,001"), FinRecherche::Atteinte, 1, 0.01},
        {"souhait vidé pendant la recherche", temperature, Change("100", "0", 10), FinRecherche::Atteinte, 10, 0.1},
        // The 10000th step already exceeds 1000 l/h.
        {"débit limite", debit, Fixe("100"), FinRecherche::Limite, 9999, 999.9},
        {"débit au premier pas", debit, Fixe("-10"), FinRecherche::Atteinte, 1, 0.1},
        {"fenêtre fermée au 3e pas", debit, Change("100", std::nullopt, 3), FinRecherche::Abandonnee, 3, 0.3},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Recherche r = c.chercher(c.relire);
        EXPECT_EQ(r.Fin, c.fin);
        ASSERT_EQ(r.Pas.size(), c.pas);
        EXPECT_NEAR(r.Pas.back().X, c.dernier, 1e-9);
        if (c.fin == FinRecherche::Limite)
            EXPECT_GT(r.Valeur, r.Pas.back().X);
        else
            EXPECT_EQ(r.Valeur, r.Pas.back().X);
    }
    for (const PointCourbe& p : temperature(Fixe("100")).Pas)
        ASSERT_EQ(p.TempEquilibre, p.X / 2);
    // More flow, a warmer room: the search stops at the first step that
    // reaches the wished temperature.
    const Recherche r = debit(Fixe("20"));
    EXPECT_TRUE(std::ranges::is_sorted(r.Pas, std::less<>(), &PointCourbe::TempEquilibre));
    EXPECT_LT(r.Pas[r.Pas.size() - 2].TempEquilibre, 20);
    EXPECT_GE(r.TempEquilibre, 20);
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
    EXPECT_EQ(e.PourCents, (std::array<std::optional<std::string>, NombrePourCent>{"", ""}));
    // The connecting pipes at the present drop, mean water 36 °C; the
    // equilibrium itself is found again by the corrections below.
    EXPECT_EQ(Lu(e[Resultat::DebitRaccordement]), Arrondir(DebitConduites(36, 8, 6, "16x20"), 2));
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitBoucle]), 150 - Lu(e[Resultat::DebitRaccordement]));
    const double teq = Lu(e[Resultat::TempEquilibre]);
    EXPECT_NEAR(Lu(e[Resultat::Emission]), 40 * (teq + 5), 0.005);
    // The drop of the whole circuit, on the total flow.
    EXPECT_NEAR(Lu(e[Resultat::ChuteTemperature]), Lu(e[Resultat::Emission]) / (150 * ChaleurMassique), 0.005);
    EXPECT_NEAR(Lu(e[Resultat::EcartMoyen]), EcartMoyen(Lu(e[Resultat::ChuteTemperature]), 40, teq), 0.005);
    EXPECT_NEAR(Lu(e[Resultat::PerteChargeTotale]), 86 * PerteChargeCorrection(150, 36, "16x20"), 0.005);
    EXPECT_EQ(e.Couleur, CouleurPerte::Bleu);
    // The chart shows the present point alone, against the supply
    // temperature, or the loop flow when the flow is to be corrected.
    EXPECT_TRUE(bilan.Trace.value().Points.empty() && !bilan.Trace->Cible);
    EXPECT_EQ(bilan.Trace->Axe, AxeCourbe::TempDepart);
    EXPECT_EQ(bilan.Trace->Point, (PointCourbe{40, teq}));
    const Bilan debit = CalculerValeursActuelles(Boucle({}, ModeCorrection::Debit));
    EXPECT_EQ(debit.Trace.value().Axe, AxeCourbe::DebitBoucle);
    EXPECT_EQ(debit.Trace->Point, (PointCourbe{Lu(e[Resultat::DebitBoucle]), teq}));
}

// The loop flow shown is the exact difference of the two flows shown above
// it, without the binary residue of the subtraction: 6,31 l/h for 6 m of
// connecting pipes at a mean 36 °C and 8 K (58,32 W over 8 x 1,162639 x
// 0,99386) leave 0,1 l/h of 6,41. Without connecting pipes the loop takes
// the whole flow and the pressure drop is the loop's, at the supply
// temperature.
TEST(Correction, DebitDeBoucleDesValeursActuelles) {
    const struct { Saisie saisie; const char *qc, *qb; } cas[] = {
        {Boucle({{Champ::DebitTotal, "6,41"}}), "6,31", "0,1"},
        {Boucle({{Champ::LongueurRaccordement, "0"}, {Champ::ChuteActuelle, "0"}}), "0", "150"},
    };
    for (const auto& c : cas) {
        const Ecritures e = CalculerValeursActuelles(c.saisie).Ecrit;
        EXPECT_EQ(e[Resultat::DebitRaccordement], c.qc);
        EXPECT_EQ(e[Resultat::DebitBoucle], c.qb);
    }
    const Ecritures sans = CalculerValeursActuelles(cas[1].saisie).Ecrit;
    EXPECT_EQ(Lu(sans[Resultat::PerteChargeTotale]), Arrondir(80 * PerteChargeCorrection(150, 40, "16x20"), 2));
    for (const auto& c : LireCas("differences.tsv"))
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
    const struct {
        ModeCorrection mode; // Aucun: the actual values
        const char* total;
        std::vector<Resultat> ecrits;
    } cas[] = {
        {ModeCorrection::Aucun, "5", {R::DebitRaccordement, R::DebitTotal}},
        {ModeCorrection::Temperature, "100", {R::TempEquilibre, R::CoeffRegulation, R::Emission, R::ChuteTemperature}},
        {ModeCorrection::Temperature, "210,2", {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.total);
        const Saisie s = Boucle({{Champ::DebitTotal, c.total}, {Champ::LongueurRaccordement, "200"}}, c.mode);
        const Bilan b = c.mode == ModeCorrection::Aucun ? CalculerValeursActuelles(s) : CalculerValeursCorrigees(s, Fixe("20"));
        EXPECT_EQ(b.Fin, Arret::FormuleSansValeur);
        EXPECT_FALSE(b.Message.has_value());
        for (int i = 0; i < NombreResultats; ++i)
            EXPECT_EQ(b.Ecrit.Resultats[i].has_value(), std::ranges::count(c.ecrits, Resultat(i)) == 1) << i;
        // The curve of the search, with the point found at the wished temperature.
        EXPECT_EQ(b.Trace && b.Trace->Point && Lu(b.Ecrit[R::TempEquilibre]) >= 20, c.ecrits.size() == 4);
    }
}

// ---------------------------------------------------------------------------
// Corrected values

// Searching the supply temperature, or the loop flow, at which the room is
// at its present equilibrium finds the present one again (`actuel`): the
// point of the curve, at the value shown. The change from the value entered
// (`entre`) is shown as a percentage, rounded as a ratio, the other one
// emptied.
Bilan Retrouver(const Saisie& s, Resultat trouve, double actuel, double ecart, double entre) {
    const std::string teq = CalculerValeursActuelles(s).Ecrit[Resultat::TempEquilibre].value();
    const Bilan bilan = CalculerValeursCorrigees(s, Fixe(teq));
    EXPECT_EQ(bilan.Fin, Arret::Aucun);
    const Courbe& c = bilan.Trace.value();
    const bool debit = s.Mode == ModeCorrection::Debit;
    EXPECT_EQ(c.Axe, debit ? AxeCourbe::DebitBoucle : AxeCourbe::TempDepart);
    EXPECT_EQ(c.Cible, Lu(teq));
    EXPECT_EQ(c.Point, c.Points.back());
    EXPECT_NEAR(c.Point->X, actuel, ecart);
    EXPECT_NEAR(c.Point->X, Lu(bilan.Ecrit[trouve]), 0.005);
    EXPECT_EQ(bilan.Ecrit[debit ? PourCent::Debit : PourCent::Temperature],
              FormatGeneral(Arrondir((c.Point->X - entre) / entre, 4) * 100));
    EXPECT_EQ(bilan.Ecrit[debit ? PourCent::Temperature : PourCent::Debit], "");
    return bilan;
}

TEST(Correction, CorrectionDeTemperatureRetrouveLEtatActuel) {
    const Ecritures actuelles = CalculerValeursActuelles(Boucle()).Ecrit;
    const Ecritures e =
        Retrouver(Boucle({}, ModeCorrection::Temperature), Resultat::TempDepartNecessaire, 40, 0.05, 40).Ecrit;
    for (Resultat r : {Resultat::CoeffRegulation, Resultat::DebitRaccordement, Resultat::DebitTotal})
        EXPECT_EQ(e[r], actuelles[r]) << static_cast<int>(r);
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitBoucle]), Arrondir(150 - Lu(e[Resultat::DebitRaccordement]), 2));
    // The emission is that of the temperature found, before its rounding.
    EXPECT_NEAR(Lu(e[Resultat::Emission]), 40 * (Lu(e[Resultat::TempEquilibre]) + 5), 40 * 0.005 + 0.005);
}

TEST(Correction, CorrectionDeDebitRetrouveLEtatActuel) {
    const Ecritures actuelles = CalculerValeursActuelles(Boucle()).Ecrit;
    const Bilan bilan = Retrouver(Boucle({}, ModeCorrection::Debit), Resultat::DebitBoucle,
                                  Lu(actuelles[Resultat::DebitBoucle]), 0.1, 150);
    const Ecritures& e = bilan.Ecrit;
    const double qb = bilan.Trace->Point->X;
    EXPECT_EQ(e[Resultat::TempDepartNecessaire], "40");
    // The drop of the loop alone, on the loop flow found; the connecting
    // pipes at the new drop, added to the loop flow.
    EXPECT_NEAR(Lu(e[Resultat::ChuteTemperature]), Lu(e[Resultat::Emission]) / (qb * ChaleurMassique), 0.005);
    const double dtf = Lu(e[Resultat::ChuteTemperature]);
    EXPECT_EQ(Lu(e[Resultat::DebitRaccordement]), Arrondir(DebitConduites(CInt(40 - dtf / 2), CInt(dtf), 6, "16x20"), 2));
    EXPECT_DOUBLE_EQ(Lu(e[Resultat::DebitTotal]), Arrondir(Lu(e[Resultat::DebitRaccordement]) + qb, 2));
}

// A supply temperature found at 30 for 32 entered: (30 - 32) / 32 = -0.0625,
// shown -6,25 %; the user lowers the target once 3000 steps are done. The
// supply temperature kept in flow mode is the single-precision one, shown
// as typed.
TEST(Correction, TemperaturesDeDepart) {
    const Bilan bilan = CalculerValeursCorrigees(Boucle({{Champ::TempDepart, "32"}}, ModeCorrection::Temperature),
                                                 Change("100", "-100", 3000));
    ASSERT_EQ(bilan.Fin, Arret::Aucun);
    EXPECT_EQ(bilan.Ecrit[Resultat::TempDepartNecessaire], "30");
    EXPECT_EQ(bilan.Ecrit[PourCent::Temperature], "-6,25");
    for (const char* tdep : {"45,3", "38,7", "41,15"}) {
        const Bilan debit = CalculerValeursCorrigees(Boucle({{Champ::TempDepart, tdep}}, ModeCorrection::Debit), Fixe("20"));
        EXPECT_EQ(debit.Ecrit[Resultat::TempDepartNecessaire], tdep);
    }
}

// Without a mode chosen nothing happens. A search past its limit shows its
// message, naming the wished temperature in the field when the limit is
// reached, and writes nothing; the chart shows how far it went, without a
// point found.
TEST(Correction, CorrigeesSansResultat) {
    const Bilan aucun = CalculerValeursCorrigees(Boucle(), Change("20", std::nullopt, 1));
    EXPECT_EQ(aucun.Fin, Arret::AucunMode);
    EXPECT_FALSE(aucun.Message || aucun.Trace || !RienEcrit(aucun.Ecrit));
    for (const auto& c : LireCas("limites.tsv")) {
        const ModeCorrection mode = c[0] == "0" ? ModeCorrection::Temperature : ModeCorrection::Debit;
        const Bilan bilan = CalculerValeursCorrigees(Boucle({}, mode), Change("40", "35,5", 2));
        EXPECT_EQ(bilan.Fin, Arret::Limite);
        EXPECT_EQ(bilan.Message, (modules::Avertissement{c[2], c[3] + "\r\n" + c[4]}));
        EXPECT_TRUE(RienEcrit(bilan.Ecrit));
        EXPECT_EQ(bilan.Trace.value().Points.size(), std::stoul(c[1]));
        EXPECT_EQ(bilan.Trace->Cible, 35.5);
        EXPECT_FALSE(bilan.Trace->Point.has_value());
    }
}
