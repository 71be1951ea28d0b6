#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ihm/Grille.h"
#include "ExemplesEtude.h"
#include "ecrans/Harnais.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Circuits : public ::testing::Test {
protected:
    void demarrer() {
        f = DemarrerEtude();
        ecran = f->Circuits();
        grille = ecran->GrilleCircuit();
        ASSERT_EQ(f->FeuilleAffichee(), ecran);
    }
    // Rooms as accepted on the results screen: one record in each working
    // file; the grid shows them.
    void ecrirePieces(const QStringList& noms) {
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

// Room 2 of 4 goes: the grid shows the rooms left, row 1 is selected.
TEST_F(Circuits, SupprimerLaPiece2Sur4) {
    demarrer();
    ecrirePieces({"Séjour", "Chambre", "Cuisine", "Salle de bains"});
    f->Etude().DefinirModifie(false);

    choisirLigne(2);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(ecran, QStringLiteral("CmdSupprimer"));

    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression."),
                           QStringLiteral("Voulez vous supprimer la pièce 'Chambre' de l'étude ?"),
                           IconeMessage::Question, BoutonsMessage::OuiNon));

    const char* attendus[][2] = {{"1", "Séjour"}, {"2", "Cuisine"}, {"3", "Salle de bains"}, {"", ""}};
    for (int l = 1; l <= 4; ++l) {
        EXPECT_EQ(grille->texte(l, 0), QString::fromUtf8(attendus[l - 1][0])) << l;
        EXPECT_EQ(grille->texte(l, 1), QString::fromUtf8(attendus[l - 1][1])) << l;
    }
    EXPECT_EQ(ecran->LigneSelectionnee(), 1);
    EXPECT_TRUE(f->Etude().Modifie());
    EXPECT_EQ(Contenu(FichierEtude).size(), 3 * DonneesPiece::Longueur);
}

// "Non" changes nothing; deleting through the menu shows the rooms list
// first; deleting the only room left empties the list and the files.
TEST_F(Circuits, SupprimerRefuseParLeMenuEtDernierePiece) {
    demarrer();
    ecrirePieces({"Séjour", "Chambre"});
    const QByteArray pieces = Contenu(FichierEtude);
    f->Etude().DefinirModifie(false);
    choisirLigne(1);
    boite.repondre(ReponseMessage::Non);
    Cliquer(ecran, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(grille->texte(1, 1), QStringLiteral("Séjour"));
    EXPECT_EQ(Contenu(FichierEtude), pieces);
    EXPECT_FALSE(f->Etude().Modifie());

    choisirLigne(2);
    f->AfficherFeuille(f->Generales());
    boite.repondre(ReponseMessage::Oui);
    Declencher(f.get(), QStringLiteral("MnuSupprimerPiece"));
    EXPECT_EQ(f->FeuilleAffichee(), ecran);
    EXPECT_EQ(grille->texte(1, 1), QStringLiteral("Séjour"));
    EXPECT_EQ(grille->texte(2, 1), QString());

    choisirLigne(1);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(ecran, QStringLiteral("CmdSupprimer"));
    for (int l = 1; l < grille->rowCount(); ++l)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(grille->texte(l, c), QString()) << l << "," << c;
    EXPECT_EQ(Contenu(FichierEtude).size(), 0);
    EXPECT_TRUE(f->Etude().Modifie());
}

// An empty row: each command says so and changes nothing.
TEST_F(Circuits, LigneVide) {
    demarrer();
    ecrirePieces({"Séjour"});
    f->Etude().DefinirModifie(false);
    const char* const Vide = "La ligne sélectionnée dans la feuille circuits est vide !";
    const struct {
        std::function<void()> geste;
        const char* titre;
        const char* texte;
        IconeMessage icone;
    } cas[] = {
        {[&] { Cliquer(ecran, QStringLiteral("CmdSupprimer")); }, "Suppression.",
         "La ligne sélectionnée est vide, aucune suppression ne peut être faite !", IconeMessage::Exclamation},
        {[&] { Cliquer(ecran, QStringLiteral("CmdModifier")); }, "Modification.", Vide, IconeMessage::Aucune},
        {[&] { QTest::mouseDClick(grille->viewport(), Qt::LeftButton, {}, centre(3)); }, "Modification.", Vide,
         IconeMessage::Aucune},
        {[&] { Declencher(f.get(), QStringLiteral("MnuPieceSelectionnee")); }, "Modification.", Vide,
         IconeMessage::Aucune},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.titre);
        boite.vider();
        choisirLigne(3);
        k.geste();
        EXPECT_TRUE(boite.seul(QString::fromUtf8(k.titre), QString::fromUtf8(k.texte), k.icone));
        EXPECT_EQ(grille->texte(1, 1), QStringLiteral("Séjour"));
        EXPECT_EQ(f->Etude().NombrePieces(), 1);
        EXPECT_FALSE(f->Etude().Modifie());
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
    }
}

// The button and the menu item both meet the 30-room limit; the room screens
// are not touched.
TEST_F(Circuits, TrentePiecesMaximum) {
    demarrer();
    QStringList noms;
    for (int i = 1; i <= PiecesMaximumEtude; ++i)
        noms << QStringLiteral("Pièce %1").arg(i);
    ecrirePieces(noms);
    choisirLigne(4);
    const QWidget* charge = f->FeuillesDePiece().Charge;
    for (const auto& geste : {std::function<void()>([&] { Cliquer(ecran, QStringLiteral("CmdAjouter")); }),
                              std::function<void()>([&] { Declencher(f.get(), QStringLiteral("MnuAjouterPiece")); })}) {
        boite.vider();
        geste();
        EXPECT_TRUE(boite.seul(QStringLiteral("30 Pièces maximum."),
                               QStringLiteral("Il n'est plus possible d'ajouter de pièce à l'étude !"),
                               IconeMessage::Information));
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
        EXPECT_EQ(f->FeuillesDePiece().Charge, charge) << "the room screens were not touched";
        EXPECT_EQ(ecran->LigneSelectionnee(), 4);
    }
}

TEST_F(Circuits, PrecedentEtAnnuler) {
    demarrer();
    Cliquer(ecran, QStringLiteral("CmdPrecedent"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    f->AfficherFeuille(ecran);
    ecrirePieces({"Séjour"});
    f->Etude().DefinirModifie(true);
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_EQ(grille->texte(1, 1), QString());
    EXPECT_FALSE(dossier.existeDansEtudes(FichierEtude));
    EXPECT_FALSE(f->Etude().Modifie());
}
