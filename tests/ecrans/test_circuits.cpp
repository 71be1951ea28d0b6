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

#include <QAction>
#include <QApplication>
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

// "<< Précédent" goes back to the general data; "Annuler" empties an
// unmodified study without a question. Modified, the study is offered for
// storing first, and "Annuler" keeps it and the rooms list.
TEST_F(Circuits, PrecedentEtAnnuler) {
    demarrer({"Séjour"});
    Cliquer(ecran, QStringLiteral("CmdPrecedent"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    f->AfficherFeuille(ecran);
    f->Etude().MarquerModifie();
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Enregistrer."), QStringLiteral("Voulez vous enregistrer l'étude en cours ?"),
                           IconeMessage::Question, BoutonsMessage::OuiNonAnnuler));
    EXPECT_EQ(f->FeuilleAffichee(), ecran);
    EXPECT_EQ(grille->texte(1, 1), QStringLiteral("Séjour"));
    f->Etude().DefinirModifie(false);
    boite.vider();
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_EQ(grille->texte(1, 1), QString());
    EXPECT_FALSE(dossier.existeDansEtudes(FichierEtude));
    EXPECT_FALSE(f->Etude().Modifie());
}

// "Dupliquer la pièce", "Monter" and "Descendre" act on the row chosen, and
// that room stays chosen where it went, the keyboard on the list; a deletion
// leaves the keyboard there too, and "Annuler la suppression" (Ctrl+Z on the
// list) brings the room back at its row. Beside each name, its figures.
TEST_F(Circuits, DupliquerDeplacerAnnulerLaSuppression) {
    demarrer({"Séjour", "Chambre", "Cuisine"});
    const auto noms = [&] {
        QStringList n;
        for (int l = 1; l <= 4; ++l)
            n << grille->texte(l, 1);
        return n;
    };
    choisirLigne(1);
    Cliquer(ecran, QStringLiteral("CmdDupliquer"));
    EXPECT_EQ(noms(), (QStringList{"Séjour", "Séjour (copie)", "Chambre", "Cuisine"}));
    EXPECT_EQ(ecran->LigneSelectionnee(), 2);
    Cliquer(ecran, QStringLiteral("CmdDescendre"));
    Cliquer(ecran, QStringLiteral("CmdDescendre"));
    EXPECT_EQ(noms(), (QStringList{"Séjour", "Chambre", "Cuisine", "Séjour (copie)"}));
    QTest::keyClick(grille, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(noms(), (QStringList{"Séjour", "Chambre", "Séjour (copie)", "Cuisine"}));
    EXPECT_EQ(ecran->LigneSelectionnee(), 3);
    EXPECT_FALSE(grille->texte(3, 2).isEmpty()) << "its surface";

    boite.repondre(ReponseMessage::Oui);
    Cliquer(ecran, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(QApplication::focusWidget(), grille);
    EXPECT_EQ(noms(), (QStringList{"Séjour", "Chambre", "Cuisine", ""}));
    QTest::keyClick(grille, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(noms(), (QStringList{"Séjour", "Chambre", "Séjour (copie)", "Cuisine"}));
    EXPECT_EQ(ecran->LigneSelectionnee(), 3);
    EXPECT_FALSE(Trouver<QAction>(f.get(), QStringLiteral("MnuAnnulerSuppression"))->isEnabled());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Etude 1] *"));
}
