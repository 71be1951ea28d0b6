// What the two modules share: the check of their required fields
// (cas/controles.txt), where each press refuses the first field not
// entered, in its module's order, with its message and the focus on it,
// and writes nothing; and formulas that raise when they have no value.

#include "Cas.h"
#include "commun/ErreurArithmetique.h"

#include <algorithm>
#include <iterator>

using namespace sorvel;
using namespace sorvel::test;
using modules::Arret;

namespace {

// Each field of `module` left out alone is refused, and still is with
// every later one left out too; a line without message is accepted.
// `presser` gives the Bilan of a press and whether it wrote nothing.
template <class Champ, class Saisie, class Presser>
void Controler(const std::string& module, const Saisie& complete, Presser presser) {
    std::vector<cas::Ligne> lignes;
    std::ranges::copy_if(cas::Lire("controles.txt"), std::back_inserter(lignes), [&](auto& l) { return l[0] == module; });
    auto avec = [](Saisie s, const cas::Ligne& l) {
        s.Texte(static_cast<Champ>(std::stoi(l[1]))) = l[2];
        return s;
    };
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        const cas::Ligne& l = lignes[i];
        SCOPED_TRACE(module + " " + l[1] + " \"" + l[2] + "\"");
        if (l.size() < 4) {
            EXPECT_EQ(presser(avec(complete, l)).first.Fin, Arret::Aucun);
            continue;
        }
        Saisie suivants = avec(complete, l);
        for (std::size_t j = i + 1; j < lignes.size(); ++j)
            if (lignes[j].size() >= 4)
                suivants = avec(suivants, lignes[j]);
        for (const Saisie& s : {avec(complete, l), suivants}) {
            const auto [bilan, rienEcrit] = presser(s);
            EXPECT_EQ(bilan.Fin, Arret::ChampManquant);
            EXPECT_EQ(bilan.Focus, static_cast<Champ>(std::stoi(l[1])));
            EXPECT_EQ(bilan.Message, (modules::Avertissement{l[3], l[4]}));
            EXPECT_TRUE(rienEcrit);
        }
    }
}

} // namespace

TEST(Controles, Correction) {
    using namespace ModCorrection;
    Controler<Champ>("correction", BoucleCorrection(ModeCorrection::Debit), [](const Saisie& s) {
        Bilan corrigees = CalculerValeursCorrigees(s, Souhait("20"));
        const Bilan actuelles = CalculerValeursActuelles(s);
        // The actual values refuse the same fields but the wished
        // temperature, which they do without.
        const bool sansSouhait = corrigees.Focus == Champ::TempSouhaitee;
        EXPECT_TRUE(sansSouhait || actuelles.Focus == corrigees.Focus);
        const bool rien = corrigees.Ecrit == Ecritures{} && !corrigees.Trace && (sansSouhait || actuelles.Ecrit == Ecritures{});
        return std::pair{std::move(corrigees), rien};
    });
}

TEST(Controles, Incertitude) {
    using namespace ModIncertitude;
    Controler<Champ>("incertitude", BoucleIncertitude(), [](const Saisie& s) {
        Bilan bilan = CalculerIncertitude(s);
        const bool rien = bilan.Resultats == Bilan{}.Resultats;
        return std::pair{std::move(bilan), rien};
    });
}

TEST(Modules, FormulesSansValeur) {
    using namespace ModCorrection;
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
        {"incertitude, pièce au départ", [] { return ModIncertitude::Coeff_f(40, -5, 40); }},
        {"incertitude, débit nul", [] { return ModIncertitude::Exposant_n(80, 1.76, 0); }},
        {"incertitude, f = -1", [] { return ModIncertitude::Erreur_f(40, -5, -1); }},
        {"incertitude, H nul", [] { return ModIncertitude::Erreur_Debit(0, -1); }},
    };
    for (const auto& [nom, formule] : cas)
        EXPECT_THROW(formule(), ErreurArithmetique) << nom;
}
