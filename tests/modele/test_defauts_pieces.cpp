// The values new rooms start from and the details of the job, through the
// model's commands: kept in the working files, stored and opened with the
// study, gone with a new study; a room of a house entered from them.

#include "ModeleTest.h"

#include "etude/DefautsPieces.h"

#include <functional>
#include <utility>

using namespace sorvel;
using namespace sorvel::test;

using Defauts = ModeleTest;

namespace {

DefautsPieces DefautsMaison() {
    DefautsPieces d = DefautsProposes();
    d.TempChute = 7;
    d.RthActuelle = Resistance::R005;
    d.RthFuture = Resistance::R010;
    d.IsoApport = 6;
    d.IsoEmissions = 8;
    d.LongRaccordNormale = 4.5;
    return d;
}

} // namespace

// Without defaults a room starts as it always did (its edge pitch as the
// load type screen first shows it), and no name sets its
// temperature. With them it starts from them, and the name given sets its
// temperature until the user chooses one; a room opened again keeps its
// own.
TEST_F(Defauts, NouvellePieceDepuisLesDefauts) {
    ASSERT_TRUE(S.CommencerNouvellePiece());
    EXPECT_EQ(S.PieceEnSaisie(), (Piece{.PasVZBordure = PasVZ::VZ10, .IsoApport = 4, .IsoEmissions = 4, .TempChute = 8}));
    EXPECT_EQ(S.TemperatureProposee("Salle de bain"), std::nullopt);
    S.AbandonnerPiece();
    ASSERT_TRUE(etude.ChangerDefautsPieces(DefautsMaison()));
    EXPECT_TRUE(etude.Modifie());
    ASSERT_TRUE(S.CommencerNouvellePiece());
    EXPECT_EQ(S.PieceEnSaisie(), (Piece{.PasVZBordure = PasVZ::VZ10, .RthActuelle = Resistance::R005,
                                        .RthFuture = Resistance::R010, .IsoApport = 6, .IsoEmissions = 8,
                                        .LongRaccordNormale = 4.5, .TempChute = 7}));
    const std::pair<const char*, std::optional<int>> noms[] = {
        {"Salle de bain", 22}, {"Salle d'eau", 22},    {"Douche", 22},      {"Séjour", 20},
        {" Cuisine ", 20},     {"Chambre 9", 20},      {"Douche étage", 22}, {"Salle de bain 2", 22},
        {"Garage", {}},        {"Douches", {}},        {"", {}}};
    for (const auto& [nom, temperature] : noms)
        EXPECT_EQ(S.TemperatureProposee(QString::fromUtf8(nom)), temperature) << nom;
    S.NoterTemperatureChoisie();
    EXPECT_EQ(S.TemperatureProposee("Douche"), std::nullopt) << "chosen by hand";
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(S.CommencerNouvellePiece());
    EXPECT_EQ(S.TemperatureProposee("Douche"), 22) << "each new room anew";
    S.AbandonnerPiece();
    ASSERT_TRUE(S.OuvrirPiece(1));
    EXPECT_EQ(S.TemperatureProposee("Douche"), std::nullopt) << "a room edited keeps its temperature";
}

// Defaults and details are stored and opened with the study; a new study
// has none; a study that never had them stores no extension file.
TEST_F(Defauts, EnregistrerEtOuvrir) {
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(B.EnregistrerEtude("Sans"), ResultatEnregistrement::Enregistree);
    EXPECT_EQ(Stockee("Sans")[3], "<absent>");
    ASSERT_TRUE(etude.ChangerDefautsPieces(DefautsMaison()));
    ASSERT_TRUE(etude.ChangerRenseignements({.Client = "  Dupont\n", .Chantier = "\n12 rue des Lilas\n69003 Lyon  ",
                                             .Notes = " Accès par la cour. "}));
    const RenseignementsEtude attendus{.Client = "Dupont", .Chantier = "12 rue des Lilas\n69003 Lyon",
                                       .Notes = "Accès par la cour."};
    EXPECT_EQ(etude.Renseignements(), attendus);
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    etude.NouvelleEtude();
    EXPECT_EQ(etude.Defauts(), std::nullopt);
    EXPECT_TRUE(etude.Renseignements().Vides());
    EXPECT_EQ(etude.DefautsAffiches(), DefautsProposes());
    ASSERT_TRUE(B.OuvrirEtude("Maison"));
    EXPECT_EQ(etude.Defauts(), DefautsMaison());
    EXPECT_EQ(etude.Renseignements(), attendus);
    EXPECT_FALSE(etude.Modifie());
    // Taken away, they leave the study as it was: no extension file.
    ASSERT_TRUE(etude.ChangerDefautsPieces(std::nullopt));
    ASSERT_TRUE(etude.ChangerRenseignements({}));
    EXPECT_EQ(Travail()[3], "<absent>");
}

// Defaults the study's file would refuse are told, and nothing changes.
TEST_F(Defauts, DefautsRefuses) {
    DefautsPieces d = DefautsMaison();
    d.Temperatures[0].Temperature = 40;
    EXPECT_FALSE(etude.ChangerDefautsPieces(d));
    EXPECT_TRUE(questions.Seul("Valeurs par défaut des pièces.",
                               "Les valeurs par défaut des pièces ne peuvent pas être enregistrées : champ "
                               "« temperatures » : la température de « Atelier » (40 °C) n'est pas un nombre entier de "
                               "15 à 24."));
    EXPECT_EQ(etude.Defauts(), std::nullopt);
    EXPECT_FALSE(etude.Modifie());
}

// A change of the study made while a room is being entered (from the
// "Etude" menu) outlives the room abandoned: the study stays modified.
TEST_F(Defauts, ChangementsPendantLaSaisie) {
    const std::pair<const char*, std::function<bool()>> changements[] = {
        {"climat", [&] { return etude.ChangerClimat(ClimatSite{.TempExterieure = -7}); }},
        {"défauts", [&] { return etude.ChangerDefautsPieces(DefautsMaison()); }},
        {"renseignements", [&] { return etude.ChangerRenseignements({.Client = "Dupont"}); }},
    };
    for (const auto& [quoi, changer] : changements) {
        SCOPED_TRACE(quoi);
        etude.NouvelleEtude();
        ASSERT_FALSE(etude.Modifie());
        ASSERT_TRUE(S.CommencerNouvellePiece());
        ASSERT_TRUE(changer());
        S.AbandonnerPiece();
        EXPECT_TRUE(etude.Modifie());
    }
    // The room's own typing alone is dropped with it.
    etude.NouvelleEtude();
    ASSERT_TRUE(S.CommencerNouvellePiece());
    etude.MarquerModifie();
    S.AbandonnerPiece();
    EXPECT_FALSE(etude.Modifie());
}
