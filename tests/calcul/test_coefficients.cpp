// Emission coefficients by pipe, covering and pitch, and the heat through
// the insulation (cas/coefficients.txt).

#include "calcul/Isolation.h"
#include "calcul/ModVZ.h"
#include "commun/ErreurArithmetique.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace sorvel;

namespace {

std::vector<cas::Ligne> Cas(const char* genre) { return cas::Lire("coefficients.txt", genre); }

using exemples::Support;
using exemples::Tube;
Resistance Rth(const std::string& texte) { return ResistanceDepuisTexte(texte).value(); }
std::optional<int> Epaisseur(int cm) { return cm == 0 ? std::nullopt : std::optional(cm); }

TEST(Coefficients, ChoixDuPasEtLecture) {
    for (const cas::Ligne& l : Cas("choix")) {
        SCOPED_TRACE(l.ou);
        const PasCoefficient r = ChoisirPasVZ(Support(l[1]), Tube(l[2]), Rth(l[3]), l.Reel(4));
        EXPECT_EQ(r.Pas, PasEnCentimetres(l.Entier(5)));
        EXPECT_NEAR(r.Coefficient, l.Reel(6), 1e-12);
    }
    for (const auto* genre : {"normale", "bordure"})
        for (const cas::Ligne& l : Cas(genre)) {
            SCOPED_TRACE(l.ou);
            const auto lire = l[0] == "normale" ? CoefficientNormale : CoefficientBordure;
            EXPECT_NEAR(lire(Tube(l[1]), Rth(l[2]), Support(l[3]), PasEnCentimetres(l.Entier(4))), l.Reel(5), 1e-12);
        }
    for (const cas::Ligne& l : Cas("isolant")) {
        SCOPED_TRACE(l.ou);
        EXPECT_EQ(CoefficientIsolant(Epaisseur(l.Entier(1))), l.Reel(2));
        EXPECT_NEAR(FluxIsolant(l.Reel(3), Epaisseur(l.Entier(1))), l.Reel(4), 1e-12);
    }
    EXPECT_THROW(FluxIsolant(INFINITY, 4), ErreurArithmetique);
}

// The demand capped at the VZ10 coefficient of a row must select VZ10
// itself, whatever the support: both uses subtract 0.03 the same way.
TEST(Coefficients, LePlafondVZ10ChoisitVZ10) {
    for (DiametreTube tube : {DiametreTube::D13x16, DiametreTube::D16x20})
        for (Fixation support : {Fixation::Treillis, Fixation::Plots})
            for (int c = 1; c <= NombreResistances; ++c) {
                const Resistance rth = *ResistanceEnCentiemes(c);
                SCOPED_TRACE(std::string(TexteResistance(rth)) + (support == Fixation::Plots ? " plots" : ""));
                const double plafond = CoefficientNormale(tube, rth, support, PasVZ::VZ10);
                EXPECT_EQ(ChoisirPasVZ(support, tube, rth, plafond), (PasCoefficient{PasVZ::VZ10, plafond}));
                EXPECT_EQ(ChoisirPasVZ(support, tube, rth, std::nextafter(plafond, 10.0)).Pas, std::nullopt);
            }
}

} // namespace
