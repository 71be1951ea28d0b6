// Nothing is lost without a question: "Annuler" of the general data and of
// the rooms list on a modified study, a changed room dropped, and every
// deletion asked with "Non" as the default answer. Each question with each
// of its answers, through the model and the scripted questions.

#include "ModeleTest.h"

#include "commun/Nombres.h"

using namespace sorvel;
using namespace sorvel::test;

namespace {

using SansPerte = ModeleTest;

const std::string QuestionEnregistrer = "Voulez vous enregistrer l'étude en cours ?";

} // namespace

// Unmodified, the study goes without a word. Modified: "Annuler" keeps
// everything, "Non" lets it go unstored, "Oui" stores it first.
TEST_F(SansPerte, AnnulerLEtude) {
    EXPECT_TRUE(B.AbandonnerEtude());
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_EQ(remplacements, 1);

    const struct {
        ReponseMessage reponse;
        bool abandonnee;
        bool stockee;
    } cas[] = {{ReponseMessage::Annuler, false, false},
               {ReponseMessage::Non, true, false},
               {ReponseMessage::Oui, true, true}};
    for (const auto& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.reponse));
        ASSERT_TRUE(Saisir(Sejour));
        const QString nom = etude.Nom();
        const Jeu travail = Travail();
        questions.reponses = {c.reponse};
        EXPECT_EQ(B.AbandonnerEtude(), c.abandonnee);
        EXPECT_TRUE(questions.Seul("Enregistrer.", QuestionEnregistrer, IconeMessage::Question,
                                   BoutonsMessage::OuiNonAnnuler));
        EXPECT_EQ(etude.EtudesStockees().Existe(nom), c.stockee);
        EXPECT_EQ(Stockee(nom) == travail, c.stockee);
        EXPECT_EQ(Travail() == travail, !c.abandonnee);
        EXPECT_EQ(etude.Modifie(), !c.abandonnee);
        // The cautious answer keeps the study too.
        EXPECT_EQ(B.AbandonnerEtude(), c.abandonnee);
        EXPECT_EQ(questions.posees.size(), c.abandonnee ? 0u : 1u);
        questions.posees.clear();
        etude.NouvelleEtude();
    }
}

// A room opened and left as it was goes without a word, also when a number
// shown rounded was read back from its field. Changed, it is asked about by
// its name ("Non" by default): "Non" keeps it on its screens, "Oui" drops it
// and the study is as modified as before.
TEST_F(SansPerte, AbandonnerLaPiece) {
    Piece arrondie = Cuisine;
    arrondie.ApportPlafond = 100.0 / 3; // shown as 33,3333333333333
    ASSERT_TRUE(Saisir(arrondie));
    etude.DefinirModifie(false);
    ASSERT_TRUE(S.OuvrirPiece(1));
    Piece affichee = arrondie;
    affichee.ApportPlafond = LireNombre(FormatGeneral(arrondie.ApportPlafond)).value();
    ASSERT_NE(affichee, arrondie);
    EXPECT_FALSE(S.PieceChangee(affichee));
    EXPECT_TRUE(S.DemanderAbandon(affichee));
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_FALSE(S.EnCours());

    const std::pair<std::function<void(Piece&)>, std::string> changements[] = {
        {[](Piece& p) { p.SurfacePiece += 0.5; }, "Cuisine"},
        {[](Piece& p) { p.RthFuture = Resistance::R015; }, "Cuisine"},
        {[](Piece& p) { p.NomPiece = "Repas"; }, "Repas"},
        {[](Piece& p) { p.Deperditions = DetailsExemple(1); }, "Cuisine"},
        {[](Piece& p) { p.Boucles = 2; }, "Cuisine"},
    };
    for (const auto& [changer, nom] : changements) {
        SCOPED_TRACE(nom);
        ASSERT_TRUE(S.OuvrirPiece(1));
        Piece p = S.PieceEnSaisie();
        changer(p);
        EXPECT_TRUE(S.PieceChangee(p));
        for (ReponseMessage r : {ReponseMessage::Non, ReponseMessage::Oui}) {
            questions.reponses = {r};
            EXPECT_EQ(S.DemanderAbandon(p), r == ReponseMessage::Oui);
            EXPECT_TRUE(questions.Seul(TitreAbandonPiece.toStdString(),
                                       "Abandonner les modifications de la pièce « " + nom + " » ?",
                                       IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
            EXPECT_EQ(S.EnCours(), r == ReponseMessage::Non);
        }
        EXPECT_FALSE(etude.Modifie());
        EXPECT_EQ(etude.Travail().LirePieces(), std::vector{arrondie});
    }
}

// A new room: as "Ajouter une pièce" and the fresh screens leave it, no
// change; with something typed and no name yet, it is "the new room".
TEST_F(SansPerte, AbandonnerUneNouvellePiece) {
    ASSERT_TRUE(S.CommencerNouvellePiece());
    Piece p = S.PieceEnSaisie();
    EXPECT_EQ(p.IsoApport, IsolantNouvellePiece);
    EXPECT_FALSE(S.PieceChangee(p));
    p.TempPiece = 20;
    EXPECT_FALSE(S.DemanderAbandon(p));
    EXPECT_TRUE(questions.Seul(TitreAbandonPiece.toStdString(),
                               "Abandonner les modifications de la nouvelle pièce ?"));
    EXPECT_TRUE(S.EnCours());
}

// Every deletion is asked with "Non" as the default answer, which deletes
// nothing: a room, the study (menu), a study of the open dialog, a manifold
// that feeds a room.
TEST_F(SansPerte, SuppressionsNonParDefaut) {
    Piece p = Sejour;
    p.Collecteur = 2;
    ASSERT_TRUE(etude.AjouterCollecteur() && Saisir(p));
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    const Jeu travail = Travail();
    const std::function<void()> suppressions[] = {
        [&] { etude.SupprimerPiece(1); },
        [&] { B.SupprimerEtude(); },
        [&] { B.SupprimerEtudeEnregistree("Maison"); },
        [&] { etude.SupprimerCollecteur(2); },
    };
    for (const auto& supprimer : suppressions) {
        supprimer();
        ASSERT_EQ(questions.posees.size(), 1u);
        EXPECT_EQ(questions.posees[0].boutons, BoutonsMessage::OuiNonDefautNon) << questions.posees[0].titre;
        questions.posees.clear();
    }
    EXPECT_EQ(Travail(), travail);
    EXPECT_EQ(Stockee("Maison"), travail);
}

// The "modified" state is told each time it changes, and only then: the
// title bar's asterisk follows it.
TEST_F(SansPerte, ModifieSignale) {
    std::vector<bool> vus;
    QObject::connect(&etude, &EtudeEnCours::ModifieChange, [&](bool m) { vus.push_back(m); });
    etude.MarquerModifie();
    etude.MarquerModifie();
    ASSERT_TRUE(Saisir(Sejour));
    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    {
        EtudeEnCours::SansMarquage remplissage(etude);
        etude.MarquerModifie();
    }
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(etude.SupprimerPiece(1));
    etude.NouvelleEtude();
    EXPECT_EQ(vus, (std::vector{true, false, true, false}));
}
