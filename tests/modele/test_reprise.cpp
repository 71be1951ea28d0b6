// "Reprendre la pièce sélectionnée" of the modules on the study: the room of
// the chosen row, with the site's outdoor temperature when it has one.

#include "ModeleTest.h"
#include "modele/ReprisePiece.h"

using namespace sorvel;
using namespace sorvel::test;

TEST_F(ModeleTest, ReprendreLaPieceSelectionnee) {
    EXPECT_EQ(ReprendrePiece(etude, 1), std::nullopt);
    EXPECT_TRUE(questions.Seul("Reprendre la pièce."));

    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_TRUE(Saisir(Chambre));
    questions.posees.clear();
    const std::optional<DonneesBoucle> chambre = ReprendrePiece(etude, 2);
    ASSERT_TRUE(chambre);
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_EQ(chambre->NomPiece, "Chambre");
    EXPECT_EQ(chambre->TempPiece, *Chambre.TempPiece);
    EXPECT_EQ(chambre->TempExterieure, std::nullopt);
    EXPECT_GT(chambre->Debit, 0);

    ASSERT_TRUE(etude.ChangerClimat(ClimatExemple));
    EXPECT_EQ(ReprendrePiece(etude, 1)->TempExterieure, ClimatExemple.TempExterieure);
    for (int ligne : {0, 3}) {
        EXPECT_EQ(ReprendrePiece(etude, ligne), std::nullopt);
        EXPECT_TRUE(questions.Seul("Reprendre la pièce."));
    }

    // A room that cannot be calculated gives nothing, and says why.
    Piece nulle = Chambre;
    nulle.SurfacePiece = 0;
    etude.Travail().EcrirePiece(2, nulle, {});
    EXPECT_EQ(ReprendrePiece(etude, 2), std::nullopt);
    EXPECT_TRUE(questions.Seul("Calcul impossible."));
}
