// The rooms list: its buttons, menu items and mouse gestures reach the
// study model, and the grid follows. Deleting, empty rows and the 30-room
// limit are the model's rules (Etude.SupprimerLaPiece2Sur4, LignesSansPiece,
// TrentePiecesAuPlus).

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmCircuits.h"
#include "ihm/Grille.h"
#include "ExemplesEtude.h"
#include "ecrans/Harnais.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Circuits : public ::testing::Test {
protected:
    // The rooms list showing rooms `noms`, as accepted on the results screen.
    void demarrer(const QStringList& noms) {
        f = DemarrerEtude();
        ecran = f->Circuits();
        grille = ecran->GrilleCircuit();
        for (int i = 0; i < noms.size(); ++i)
            AjouterPieceExemple(f->Etude().Dossier(), i + 1, noms[i].toStdString());
        ecran->RemplirGrilleCircuits();
    }
    QPoint centre(int ligne) const { return grille->visualRect(grille->model()->index(ligne, 1)).center(); }
    void choisirLigne(int ligne) { QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, centre(ligne)); }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
    FrmCircuits* ecran = nullptr;
    Grille* grille = nullptr;
};

} // namespace

// The row clicked is deleted, once asked: the grid shows the rooms left,
// renumbered, row 1 chosen. Through the menu the rooms list shows first;
// the last room gone, the grid is empty.
TEST_F(Circuits, Supprimer) {
    demarrer({"Séjour", "Chambre", "Cuisine"});
    choisirLigne(2);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(ecran, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression."),
                           QStringLiteral("Voulez vous supprimer la pièce 'Chambre' de l'étude ?")));
    EXPECT_EQ(grille->texte(2, 0), QStringLiteral("2"));
    EXPECT_EQ(grille->texte(2, 1), QStringLiteral("Cuisine"));
    EXPECT_EQ(grille->texte(3, 1), QString());
    EXPECT_EQ(ecran->LigneSelectionnee(), 1);

    f->AfficherFeuille(f->Generales());
    for (int reste = 1; reste >= 0; --reste) {
        boite.repondre(ReponseMessage::Oui);
        Declencher(f.get(), QStringLiteral("MnuSupprimerPiece"));
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
        EXPECT_EQ(f->Etude().NombrePieces(), reste);
    }
    EXPECT_EQ(grille->texte(1, 1), QString());
    EXPECT_TRUE(f->Etude().Travail().LirePieces().empty());
}

// "<< Précédent" goes back to the general data; "Annuler" empties the study
// without a question.
TEST_F(Circuits, PrecedentEtAnnuler) {
    demarrer({"Séjour"});
    Cliquer(ecran, QStringLiteral("CmdPrecedent"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    f->AfficherFeuille(ecran);
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_EQ(grille->texte(1, 1), QString());
    EXPECT_FALSE(dossier.existeDansEtudes(FichierEtude));
    EXPECT_FALSE(f->Etude().Modifie());
}
