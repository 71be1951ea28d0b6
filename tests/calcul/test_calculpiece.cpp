// The room calculation on rooms worked out by hand (cas/pieces.txt): every
// result of each room, the step at which an incalculable room fails, the
// cause the screens give for it, and the cost of the throttling search.

#include "calcul/Diagnostic.h"
#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"

#include "Exemples.h"
#include "TableCas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

using namespace sorvel;

namespace {

using E = EntreesPiece;
using R = ResultatsPiece;

void PoserEntree(E& e, const cas::Ligne& l) {
    static const std::map<std::string, double E::*> reels = {
        {"SurfacePiece", &E::SurfacePiece}, {"SurfaceEmprises", &E::SurfaceEmprises},
        {"SurfaceBordure", &E::SurfaceBordure}, {"DeperdPiece", &E::DeperdPiece},
        {"DeperdPlancher", &E::DeperdPlancher}, {"ApportPlafond", &E::ApportPlafond},
        {"LongRaccordNormale", &E::LongRaccordNormale}, {"LongRaccordBordure", &E::LongRaccordBordure},
        {"LongDistri", &E::LongDistri}, {"EmissionsBas", &E::EmissionsBas}, {"PerteMaxEtude", &E::PerteMaxEtude}};
    static const std::map<std::string, std::int16_t E::*> entiers = {
        {"TempDepart", &E::TempDepart}, {"TempChute", &E::TempChute}, {"TempPiece", &E::TempPiece}};
    const std::string& champ = l[1];
    if (reels.contains(champ))
        e.*reels.at(champ) = l.Reel(2);
    else if (entiers.contains(champ))
        e.*entiers.at(champ) = static_cast<std::int16_t>(l.Entier(2));
    else if (champ == "TypeCharge")
        e.TypeCharge = static_cast<Charge>(l.Entier(2));
    else if (champ == "Support")
        e.Support = exemples::Support(l[2]);
    else if (champ == "Tube")
        e.Tube = exemples::Tube(l[2]);
    else if (champ == "RthActuelle" || champ == "RthFuture")
        (champ == "RthActuelle" ? e.RthActuelle : e.RthFuture) = ResistanceDepuisTexte(l[2]).value();
    else if (champ == "PasVZBordure")
        e.PasVZBordure = PasEnCentimetres(l.Entier(2));
    else
        ADD_FAILURE() << l.ou << " : entrée inconnue " << champ;
}

double Resultat(const R& r, const std::string& nom) {
    static const std::map<std::string, double R::*> reels = {
        {"TempMoyenne", &R::TempMoyenne}, {"SurfaceNette", &R::SurfaceNette}, {"SurfaceNormale", &R::SurfaceNormale},
        {"SurfaceBordureCalculee", &R::SurfaceBordureCalculee}, {"DeperdCorrigees", &R::DeperdCorrigees},
        {"EmissionNecessairePiece", &R::EmissionNecessairePiece}, {"CoefBordureActuelle", &R::CoefBordureActuelle},
        {"EmissionNecessaireNormale", &R::EmissionNecessaireNormale}, {"AppointFuture", &R::AppointFuture},
        {"EmissionUtiliseeNormale", &R::EmissionUtiliseeNormale}, {"AppointActuelle", &R::AppointActuelle},
        {"LongueurNormale", &R::LongueurNormale}, {"LongueurBordure", &R::LongueurBordure},
        {"EmissionRaccordNormale", &R::EmissionRaccordNormale}, {"EmissionDistri", &R::EmissionDistri},
        {"EmissionRaccordBordure", &R::EmissionRaccordBordure}, {"EmissionBasNormale", &R::EmissionBasNormale},
        {"EmissionBasBordure", &R::EmissionBasBordure}, {"PuissanceNormale", &R::PuissanceNormale},
        {"PuissanceBordure", &R::PuissanceBordure}, {"DebitNormale", &R::DebitNormale},
        {"DebitBordure", &R::DebitBordure}, {"DebitFreinActuelle", &R::DebitFreinActuelle},
        {"DebitFreinFuture", &R::DebitFreinFuture}, {"PerteNormale", &R::PerteNormale},
        {"PerteBordure", &R::PerteBordure}, {"PerteLaPlusElevee", &R::PerteLaPlusElevee},
        {"PerteArtificielleNormale", &R::PerteArtificielleNormale}, {"TempSurfaceBordure", &R::TempSurfaceBordure},
        {"PerteArtificielleBordure", &R::PerteArtificielleBordure}, {"TempSurfaceNormale", &R::TempSurfaceNormale},
        {"EmissionBordureActuelle", &R::EmissionBordureActuelle}, {"EmissionMaxActuelle", &R::EmissionMaxActuelle},
        {"EmissionMaxFuture", &R::EmissionMaxFuture}, {"Besoin", &R::Besoin}, {"CoefDemande", &R::CoefDemande},
        {"RthDeCalcul", &R::RthDeCalcul}};
    if (nom == "EcartEau")
        return r.EcartEau;
    if (nom == "PasVZNormale")
        return r.PasVZNormale ? Centimetres(*r.PasVZNormale) : 0;
    return r.*reels.at(nom);
}

// One room of the table: its inputs and what is expected of it.
struct CasPiece {
    std::string ou;
    EntreesPiece entrees = exemples::EntreesExemple();
    std::vector<cas::Ligne> attendus;
};

std::vector<CasPiece> Pieces() {
    std::vector<CasPiece> pieces;
    for (const cas::Ligne& l : cas::Lire("pieces.txt")) {
        if (l[0] == "cas")
            pieces.push_back({l.ou + " " + l[1], exemples::EntreesExemple(), {}});
        else if (l[0] == "entree")
            PoserEntree(pieces.back().entrees, l);
        else
            pieces.back().attendus.push_back(l);
    }
    return pieces;
}

constexpr const char* Natures[] = {"DivisionParZero", "Depassement", "OperationInvalide"};

TEST(CalculPiece, PiecesCalculeesALaMain) {
    const std::vector<CasPiece> pieces = Pieces();
    ASSERT_GT(pieces.size(), 20u);
    for (const CasPiece& p : pieces) {
        SCOPED_TRACE(p.ou);
        const std::int64_t avant = EssaisDebitAFreiner();
        std::optional<ResultatsPiece> r;
        const auto erreur = exemples::Erreur<ErreurArithmetique>([&] { r = CalculPiece(p.entrees); });
        const std::int64_t essais = EssaisDebitAFreiner() - avant;
        const bool echec = std::any_of(p.attendus.begin(), p.attendus.end(), [](auto& l) { return l[0] == "echec"; });
        ASSERT_EQ(erreur.has_value(), echec) << (erreur ? erreur->etape() : "");
        for (const cas::Ligne& l : p.attendus) {
            SCOPED_TRACE(l.ou);
            if (l[0] == "resultat") {
                const double tolerance = l.size() > 3 ? l.Reel(3) : 1e-9 * std::max(1.0, std::abs(l.Reel(2)));
                EXPECT_NEAR(Resultat(*r, l[1]), l.Reel(2), tolerance) << l[1];
            } else if (l[0] == "echec") {
                EXPECT_EQ(erreur->etape(), l[1]);
                if (l.size() > 2) {
                    EXPECT_EQ(Natures[static_cast<int>(erreur->nature())], l[2]);
                }
            } else if (l[0] == "cause") {
                const std::string cause = ExpliquerEchec(p.entrees, *erreur);
                EXPECT_TRUE(cause.starts_with(l[1])) << cause;
            } else {
                ASSERT_EQ(l[0], "essais");
                EXPECT_GT(essais, 0);
                EXPECT_LE(essais, l.Entier(1));
            }
        }
    }
}

// A step without a cause visible in the inputs is named, in words when it
// has a wording, as it is otherwise; an input not chosen says so itself.
TEST(CalculPiece, EtapeSansCauseVisible) {
    const EntreesPiece e = exemples::EntreesExemple();
    const ErreurArithmetique connue(ErreurArithmetique::Nature::Depassement, "DebitAFreiner");
    EXPECT_EQ(ExpliquerEchec(e, connue), "le calcul du débit à freiner est impossible (" +
                                             std::string(ErreurArithmetique::libelle(connue.nature())) + ")");
    const ErreurArithmetique inconnue(ErreurArithmetique::Nature::DivisionParZero, "Xyz");
    EXPECT_NE(ExpliquerEchec(e, inconnue).find("« Xyz »"), std::string::npos);
    EXPECT_EQ(LibelleEtape("Xyz"), "");
    const ErreurArithmetique temperature(ErreurArithmetique::Nature::OperationInvalide, "TempPiece");
    EXPECT_EQ(ExpliquerEchec(EntreesPiece{}, temperature), "la température de la pièce n'est pas choisie");
}

} // namespace

// A 45 m² living room of 16x20 pipe, 45 °C supply, 5 K drop (water at 42.5,
// rounded 42 °C, 22 K above the room): 4950 W to give asks 5 W/(m².K), so
// the 15-cm pitch (5.20) lays 6.7 x 45 = 301.5 m and gives 45 x 5.20 x 22 =
// 5148 W. Each of the N loops has its own 8 m pair of connecting pipes:
// 0.0075 x 42² x 8 = 105.84 W each. The flow is the room's, (5148 + N x
// 105.84) / (5 x 1.162639 x 0.99141 kg/l); the drop is each loop's, at its
// share of the flow over 301.5 / N + 8 m (Darcy-Weisbach at 42.5 °C, 16 mm
// bore: 140.27, 41.68 and 20.93 mmCE/m).
TEST(CalculPiece, BouclesEgales) {
    struct Cas { int n; double emission, debit, longueur, perte; };
    const Cas cas[] = {
        {1, 105.84, 911.6091584531239, 309.5, 43414.00553065683},
        {2, 211.68, 929.9737666883725, 158.75, 6616.008008506688},
        {3, 317.52, 948.3383749236211, 108.5, 2270.931955127585},
    };
    for (const Cas& c : cas) {
        EntreesPiece e = exemples::EntreesExemple();
        e.SurfacePiece = 45;
        e.SurfaceEmprises = 0;
        e.DeperdPiece = 4950;
        e.DeperdPlancher = 0;
        e.EmissionsBas = 0;
        e.LongRaccordNormale = 8;
        e.Boucles = c.n;
        const ResultatsPiece r = CalculPiece(e);
        SCOPED_TRACE(c.n);
        EXPECT_EQ(r.PasVZNormale, PasVZ::VZ15);
        EXPECT_NEAR(r.LongueurNormale, 301.5, 1e-9);
        EXPECT_NEAR(r.EmissionRaccordNormale, c.emission, 1e-9);
        EXPECT_NEAR(r.DebitNormale, c.debit, 1e-9);
        EXPECT_NEAR(r.LongueurNormale / c.n + e.LongRaccordNormale, c.longueur, 1e-9);
        EXPECT_NEAR(r.PerteNormale, c.perte, c.perte * 1e-12);
    }
}
