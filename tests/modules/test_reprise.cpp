// "Reprendre la pièce sélectionnée": the modules' fields from one loop of a
// room, and the loss coefficient H worked out from its heat.

#include "Cas.h"
#include "modules/RepriseModules.h"

using namespace sorvel;
using namespace sorvel::modules;

namespace {

DonneesBoucle Boucle(std::optional<double> tempExterieure = -5) {
    DonneesBoucle b;
    b.NomPiece = "Séjour";
    b.LongueurBoucle = 85.456;
    b.LongueurRaccordement = 6;
    b.Debit = 120.123;
    b.Chaleur = 1000;
    b.CoeffSurfacique = 5.5;
    b.Pas = PasVZ::VZ15;
    b.Tube = DiametreTube::D13x16;
    b.TempDepart = 40;
    b.Chute = 8;
    b.TempPiece = 20;
    b.TempExterieure = tempExterieure;
    return b;
}

} // namespace

TEST(Reprise, ModuleDeCorrection) {
    ModCorrection::Saisie avant;
    avant.Mode = ModCorrection::ModeCorrection::Debit;
    const ModCorrection::Saisie s = ReprendreCorrection(avant, Boucle());
    EXPECT_EQ(s.ValManuelles,
              (std::array<std::string, 8>{"85,46", "6", "40", "8", "-5", "120,12", "5,5", "40"}));
    EXPECT_EQ(s.PasVZ, "15");
    EXPECT_EQ(s.Diametre, "13x16");
    EXPECT_EQ(s.TempSouhaitee, "20");
    EXPECT_EQ(s.Mode, ModCorrection::ModeCorrection::Debit);
    EXPECT_EQ(ModCorrection::ControleCorrection(s), std::nullopt);
}

TEST(Reprise, ModuleDIncertitude) {
    ModIncertitude::Saisie avant;
    avant.Pourcents = {"5", "10", "0", "3"};
    const ModIncertitude::Saisie s = ReprendreIncertitude(avant, Boucle());
    EXPECT_EQ(s.Valeurs, (std::array<std::string, 7>{"85,46", "120,12", "5,5", "40", "20", "40", "-5"}));
    EXPECT_EQ(s.PasVZ, "15");
    EXPECT_EQ(s.Pourcents, avant.Pourcents);
    EXPECT_EQ(ModIncertitude::ControleIncertitude(s), std::nullopt);
}

// Without the site's climate the outdoor temperature typed in the module
// stays and gives H; without any, or not below the room's, H is left not
// entered ("0") for the module's check to ask.
TEST(Reprise, SansClimatDuSite) {
    struct Cas {
        std::optional<double> climat;
        std::string champ, exterieure, H;
    };
    const Cas cas[] = {
        {std::nullopt, "0", "0", "0"},       {std::nullopt, "-7", "-7", "37,04"},
        {std::nullopt, "25", "25", "0"},     {std::nullopt, "20", "20", "0"},
        {-10, "3", "-10", "33,33"},          {19.5, "0", "19,5", "2000"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.champ);
        ModCorrection::Saisie avant;
        avant.Texte(ModCorrection::Champ::TempExterieure) = c.champ;
        const ModCorrection::Saisie s = ReprendreCorrection(avant, Boucle(c.climat));
        EXPECT_EQ(s.Texte(ModCorrection::Champ::TempExterieure), c.exterieure);
        EXPECT_EQ(s.Texte(ModCorrection::Champ::CoeffDeperditions), c.H);
        ModIncertitude::Saisie i;
        i.Texte(ModIncertitude::Champ::TempExterieure) = c.champ;
        EXPECT_EQ(ReprendreIncertitude(i, Boucle(c.climat)).Texte(ModIncertitude::Champ::CoeffDeperditions), c.H);
    }
    // Typed afterwards, the outdoor temperature gives H.
    EXPECT_EQ(TexteCoeffDeperditions(Boucle(std::nullopt), "-7"), "37,04");
    EXPECT_EQ(TexteCoeffDeperditions(Boucle(std::nullopt), "-"), "0");
    // A room without a pitch leaves the list unchosen.
    DonneesBoucle sansPas = Boucle();
    sansPas.Pas.reset();
    EXPECT_EQ(ReprendreCorrection({}, sansPas).PasVZ, "");
}
