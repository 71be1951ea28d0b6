// Between the typed study and its records: every value each list offers is
// written, read back and written again as the same bytes, and the study
// check accepts it; an option beyond its list is refused.

#include "calcul/Isolation.h"
#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"

#include "Exemples.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace sorvel;

namespace {

TEST(Conversion, ChaqueValeurDesListesALOctetPres) {
    std::vector<Installation> installations;
    for (Fixation support : {Fixation::Treillis, Fixation::Plots})
        for (DiametreTube tube : {DiametreTube::D13x16, DiametreTube::D16x20})
            for (NatureChape chape : {NatureChape::Traditionnelle, NatureChape::Liquide})
                for (int epaisseur = EpaisChapeBasse; epaisseur <= EpaisChapeHaute; ++epaisseur)
                    for (int depart = TempDepartBasse; depart <= TempDepartHaute; ++depart)
                        installations.push_back({support, tube, depart, epaisseur, chape});
    ASSERT_EQ(installations.size(), 2u * 2 * 2 * 3 * 21);
    for (const Installation& g : installations) {
        const DonneesGenerales d = VersEnregistrement(g);
        EXPECT_EQ(VerifierEtude(d, {}, {}), std::nullopt) << d.TempDepart;
        const auto octets = Encoder(d);
        const Installation relue = VersInstallation(DecoderGenerales(octets.data()));
        EXPECT_EQ(relue, g) << d.TempDepart;
        EXPECT_EQ(Encoder(VersEnregistrement(relue)), octets);
    }

    // Each list of a room through all its values (both resistances and
    // both insulations at once), the other fields as in a sound room.
    const Piece base = exemples::PieceMaison("Séjour", Charge::Elevee, 20, 1500);
    std::vector<Piece> pieces;
    auto varier = [&](auto modifier) { pieces.push_back(base); modifier(pieces.back()); };
    for (Charge type : TypesCharge)
        varier([=](Piece& p) { p.TypeCharge = type; });
    for (int t = TempPieceBasse; t <= TempPieceHaute; ++t)
        varier([=](Piece& p) { p.TempPiece = t; });
    for (int c = 1; c <= NombreResistances; ++c)
        varier([=](Piece& p) { p.RthActuelle = p.RthFuture = ResistanceEnCentiemes(c); });
    for (std::optional<PasVZ> pas : {std::optional(PasVZ::VZ5), std::optional(PasVZ::VZ10),
                                     std::optional(PasVZ::VZ15), std::optional<PasVZ>()})
        varier([=](Piece& p) { p.PasVZBordure = pas; });
    for (int e = EpaisseurIsolantMinimale - 1; e <= EpaisseurIsolantMaximale; ++e)
        varier([=](Piece& p) { p.IsoApport = p.IsoEmissions = e < EpaisseurIsolantMinimale ? std::nullopt : std::optional(e); });
    for (int chute = ChuteBasse; chute <= ChuteHaute; ++chute)
        varier([=](Piece& p) { p.TempChute = chute; });
    ASSERT_EQ(pieces.size(), 4u + 10 + 15 + 4 + 8 + 18);
    for (const Piece& p : pieces) {
        const DonneesPiece d = VersEnregistrement(p);
        SCOPED_TRACE(d.TempPiece + " " + d.RthActuelle + " " + d.PasVZBordure + " " + d.IsoApport + " "
                     + std::to_string(d.TypeCharge) + " " + std::to_string(d.TempChute));
        EXPECT_EQ(VerifierPiece(d, 1), std::nullopt);
        const auto octets = Encoder(d);
        const Piece relue = VersPiece(DecoderPiece(octets.data()));
        EXPECT_EQ(relue, p);
        EXPECT_EQ(Encoder(VersEnregistrement(relue)), octets);
    }
}

TEST(Conversion, OptionHorsDeSaListe) {
    const DonneesPiece piece = VersEnregistrement(exemples::PieceMaison("Séjour", Charge::Angle, 20, 1500));
    for (std::int16_t type : {-1, 4, 32767}) {
        DonneesPiece d = piece;
        d.TypeCharge = type;
        EXPECT_THROW(VersPiece(d), std::invalid_argument) << type;
    }
    const DonneesGenerales generales = VersEnregistrement(exemples::Generales());
    for (auto abimer : {+[](DonneesGenerales& g) { g.Support = 2; }, +[](DonneesGenerales& g) { g.Tube = -1; },
                        +[](DonneesGenerales& g) { g.Chape = 2; }, +[](DonneesGenerales& g) { g.TempDepart = ""; }}) {
        DonneesGenerales g = generales;
        abimer(g);
        EXPECT_THROW(VersInstallation(g), std::invalid_argument);
    }
    // A list text outside its list reads as not chosen.
    DonneesPiece d = piece;
    d.RthActuelle = "0.1";
    d.TempPiece = "x";
    d.IsoApport = "";
    d.PasVZBordure = "7";
    const Piece p = VersPiece(d);
    EXPECT_EQ(p.RthActuelle, std::nullopt);
    EXPECT_EQ(p.TempPiece, std::nullopt);
    EXPECT_EQ(p.IsoApport, std::nullopt);
    EXPECT_EQ(p.PasVZBordure, std::nullopt);
}

} // namespace
