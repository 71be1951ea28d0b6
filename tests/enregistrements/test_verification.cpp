// The check of a loaded study: one fault per field (cas/defauts.txt), the
// counts of the files, the order of the faults, the message naming the
// file, the room and the field, and the screens refusing what it refuses.

#include "enregistrements/Conversion.h"
#include "enregistrements/VerificationEtude.h"
#include "etude/BornesSaisie.h"

#include "ChampsEnregistrements.h"
#include "Exemples.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace sorvel;

namespace {

using exemples::PieceMaison;

// A sound study of three rooms, one of each edge arrangement.
struct EtudeEnregistree {
    DonneesGenerales generales = VersEnregistrement(exemples::Generales());
    std::vector<DonneesPiece> pieces{VersEnregistrement(PieceMaison("Séjour", Charge::Normale, 28, 1600)),
                                     VersEnregistrement(PieceMaison("Véranda", Charge::Elevee, 15, 900)),
                                     VersEnregistrement(PieceMaison("Cuisine", Charge::Angle, 12, 700))};
    std::vector<PerteCharge> pertes{PerteChargePiece(850, 0), PerteChargePiece(620, 410), PerteChargePiece(300, 0)};
    std::optional<DefautEtude> Verifier() const { return VerifierEtude(generales, pieces, pertes); }
};

TEST(VerificationEtude, UnDefautParChamp) {
    const std::vector<cas::Ligne> defauts = cas::Lire("defauts.txt");
    ASSERT_EQ(defauts.size(), 30u);
    for (const cas::Ligne& l : defauts) {
        SCOPED_TRACE(l.ou);
        EtudeEnregistree e;
        const int piece = l.Entier(1);
        const auto n = static_cast<std::size_t>(std::max(piece, 1) - 1);
        FichierStocke fichier = FichierStocke::Generales;
        for (FichierStocke f : {FichierStocke::Pieces, FichierStocke::Pertes})
            fichier = l[0] == ExtensionFichier(f) ? f : fichier;
        ASSERT_TRUE(fichier == FichierStocke::Generales ? test::ChampsGenerales.Poser(e.generales, l, 2)
                    : fichier == FichierStocke::Pieces  ? test::ChampsPiece.Poser(e.pieces.at(n), l, 2)
                                                        : test::ChampsPerte.Poser(e.pertes.at(n), l, 2));
        EXPECT_EQ(e.Verifier(), (DefautEtude{fichier, piece, piece > 0 ? e.pieces[n].NomPiece : "", l[4], l[5]}));
    }
}

TEST(VerificationEtude, NombresDePiecesEtOrdreDesDefauts) {
    EtudeEnregistree e;
    EXPECT_EQ(e.Verifier(), std::nullopt);
    EXPECT_EQ(VerifierEtude(e.generales, {}, {}), std::nullopt);
    // Bounds are reached, not passed; any finite pressure drop is a result.
    e.pieces[0].SurfacePiece = SurfaceMaximale;
    e.pieces[0].ApportPlafond = PuissanceMaximale;
    e.pieces[0].LongDistri = LongueurMaximale;
    e.pertes[0] = PerteChargePiece(-12.5, 0);
    EXPECT_EQ(e.Verifier(), std::nullopt);
    // 30 rooms are allowed, with as many pressure drops; not 31.
    EtudeEnregistree trente;
    trente.pieces.resize(PiecesMaximumEtude, trente.pieces[1]);
    trente.pertes.resize(PiecesMaximumEtude, trente.pertes[1]);
    EXPECT_EQ(trente.Verifier(), std::nullopt);
    trente.pieces.push_back(trente.pieces[0]);
    trente.pertes.push_back(trente.pertes[0]);
    EXPECT_EQ(trente.Verifier(), (DefautEtude{FichierStocke::Pieces, 0, "", "",
                                              "il contient 31 pièces, une étude en compte au plus 30"}));
    // General data before rooms, rooms in order, pressure drops last.
    e.pertes.pop_back();
    EXPECT_EQ(e.Verifier(), (DefautEtude{FichierStocke::Pertes, 0, "", "", "il contient 2 pertes de charge pour 3 pièces"}));
    e.pieces[2].TempPiece = "";
    e.pieces[1].TempChute = 0;
    EXPECT_EQ(e.Verifier()->Piece, 2);
    e.generales.Chape = 9;
    EXPECT_EQ(e.Verifier()->Fichier, FichierStocke::Generales);
}

TEST(VerificationEtude, Message) {
    DefautEtude d{FichierStocke::Pieces, 2, "Séjour", "Surface de la pièce", "la valeur -3 est négative"};
    EXPECT_EQ(MessageDefautEtude(d, "/etudes/Maison.pla"),
              "Le fichier « /etudes/Maison.pla » est endommagé : pièce 2 « Séjour », champ « Surface de la pièce » : "
              "la valeur -3 est négative.");
    EXPECT_EQ(MessageDefautEtude({FichierStocke::Generales, 0, "", "Chape", "2 n'est pas une valeur proposée (0 ou 1)"},
                                 "Maison.plg"),
              "Le fichier « Maison.plg » est endommagé : champ « Chape » : 2 n'est pas une valeur proposée (0 ou 1).");
    EXPECT_EQ(MessageDefautEtude({FichierStocke::Pertes, 0, "", "", "il contient 2 pertes de charge pour 3 pièces"},
                                 "Maison.plp"),
              "Le fichier « Maison.plp » est endommagé : il contient 2 pertes de charge pour 3 pièces.");
    // A name holding a NUL, a line feed or a stray byte: the whole message,
    // with the controls visible, in valid UTF-8.
    d.NomPiece = std::string("Bur\0eau\n\xFF", 9);
    EXPECT_EQ(MessageDefautEtude(d, std::string("Mai\x01son.pla")),
              "Le fichier « Mai␁son.pla » est endommagé : pièce 2 « Bur␀eau␊� », champ « Surface de la pièce » : "
              "la valeur -3 est négative.");
    EXPECT_EQ(std::string(ExtensionFichier(FichierStocke::Generales)) + ExtensionFichier(FichierStocke::Pieces)
                  + ExtensionFichier(FichierStocke::Pertes),
              ".plg.pla.plp");
}

// Each number of a room, out of bounds alone: the screens' rule and the
// study check name the same field, so that what a screen lets through the
// check accepts, and what the check refuses a screen refuses first.
TEST(VerificationEtude, LesEcransRefusentCeQueLaVerificationRefuse) {
    std::vector<std::string_view> legendes;
    for (const BorneSaisie& b : BornesSaisie)
        legendes.push_back(b.Legende);
    const Piece saine = PieceMaison("Séjour", Charge::Elevee, 28, 1600);
    ASSERT_EQ(PremierNombreRefuse(saine, legendes), nullptr);
    for (double Piece::*champ : {&Piece::SurfaceBordure, &Piece::SurfacePiece, &Piece::SurfaceEmprises,
                                 &Piece::SurfacePlafond, &Piece::DeperdPiece, &Piece::DeperdPlancher,
                                 &Piece::ApportPlafond, &Piece::EmissionsBas, &Piece::LongRaccordNormale,
                                 &Piece::LongDistri, &Piece::LongRaccordBordure})
        for (double valeur : {-1.0, 2e6, std::numeric_limits<double>::infinity()}) {
            Piece p = saine;
            p.*champ = valeur;
            const auto defaut = VerifierEtude(VersEnregistrement(exemples::Generales()), {VersEnregistrement(p)},
                                              {PerteChargePiece(500, 0)});
            ASSERT_TRUE(defaut.has_value()) << valeur;
            const BorneSaisie* refus = PremierNombreRefuse(p, legendes);
            ASSERT_NE(refus, nullptr) << defaut->Champ;
            EXPECT_EQ(refus->Legende, defaut->Champ);
            EXPECT_EQ(ValeurChamp(p, refus->Legende), valeur);
        }
}

} // namespace
