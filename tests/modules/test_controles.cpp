// The required fields of both modules (donnees/controles.tsv): each press
// refuses the first field not entered, in its module's order, with its
// message and the focus on it, and writes nothing.

#include "Cas.h"

using namespace sorvel;
using namespace sorvel::test;
using modules::Arret;

namespace {

// Each field of `module` left out alone is refused, and still is with
// every later one left out too; a line without message is accepted.
// `presser` gives the Bilan of a press and whether it wrote nothing.
template <class Champ, class Saisie, class Presser>
void Controler(const std::string& module, const Saisie& complete, Presser presser) {
    std::vector<std::vector<std::string>> lignes;
    for (auto& l : LireCas("controles.tsv"))
        if (l[0] == module)
            lignes.push_back(l);
    auto avec = [](Saisie s, const std::vector<std::string>& l) {
        s.Texte(static_cast<Champ>(std::stoi(l[1]))) = l[2];
        return s;
    };
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        const std::vector<std::string>& l = lignes[i];
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
        Bilan corrigees = CalculerValeursCorrigees(s, Fixe("20"));
        const Bilan actuelles = CalculerValeursActuelles(s);
        // The actual values refuse the same fields but the wished
        // temperature, which they do without.
        const bool sansSouhait = corrigees.Focus == Champ::TempSouhaitee;
        if (!sansSouhait)
            EXPECT_EQ(actuelles.Focus, corrigees.Focus);
        const bool rien = RienEcrit(corrigees.Ecrit) && !corrigees.Trace && (sansSouhait || RienEcrit(actuelles.Ecrit));
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
