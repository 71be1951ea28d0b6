// The manifolds of the study through the model: added, renamed, given
// outlets and an own drop, removed; a room's manifold set from outside the
// room entry. Each change is kept in the working files at once and marks
// the study modified; what the study's file would refuse is refused with
// its message; the choices follow the rooms and come back with the stored
// study.

#include "Environnement.h"
#include "ModeleTest.h"
#include "modele/VuesEtude.h"

#include <QFile>
#include <QJsonObject>

using namespace sorvel;
using namespace sorvel::test;

namespace {

using Affectations = std::vector<std::optional<int>>;

class ModeleCollecteurs : public ModeleTest {
protected:
    // The 12-room house of the examples, stored as "Maison" and opened: 14
    // loops, which the study spreads over two manifolds of 12 outlets.
    void OuvrirMaison() {
        for (const QString& extension : {ExtensionPieces, ExtensionPertes, ExtensionGenerales})
            ASSERT_TRUE(QFile::copy(QStringLiteral(SORVEL_DONNEES_TESTS "/Maison 12 pièces") + extension,
                                    dossier.Chemin("Maison" + extension)));
        ASSERT_TRUE(B.OuvrirEtude("Maison"));
    }
    // Each room's manifold as the working files keep it.
    Affectations Lues() const {
        Affectations a;
        for (const Piece& p : etude.Travail().LirePieces())
            a.push_back(p.Collecteur);
        return a;
    }
    // The manifolds of the recalculated study as its views show them: the
    // name and the loops of each.
    std::vector<std::pair<std::string, std::string>> Repartition() {
        std::vector<std::pair<std::string, std::string>> r;
        for (const CollecteurAffiche& c : LignesCollecteurs(etude.RecalculerEtude().value()))
            r.emplace_back(c.Ligne[ColonneCollecteur::Nom].Texte, c.Ligne[ColonneCollecteur::Departs].Texte);
        return r;
    }
};

// Added, renamed, resized and removed, each change kept at once; what
// storage would refuse is told and changes nothing, not even the flag.
// Abandoning a room entered meanwhile keeps the study modified.
TEST_F(ModeleCollecteurs, ListeDesCollecteurs) {
    EXPECT_EQ(etude.Collecteurs(), std::vector{Collecteur{}});
    ASSERT_TRUE(etude.AjouterCollecteur());
    ASSERT_TRUE(etude.ModifierCollecteur(2, {" Étage ", 8, 150}));
    const std::vector<Collecteur> deux = {{}, {"Étage", 8, 150}};
    EXPECT_EQ(etude.Collecteurs(), deux);
    EXPECT_EQ(etude.Travail().LireEtude().Collecteurs, deux);
    EXPECT_TRUE(etude.Modifie());
    for (const QJsonValue& ligne : TableCas(SORVEL_CAS, "collecteurs_refuses")) {
        const QJsonObject c = ligne.toObject();
        etude.DefinirModifie(false);
        EXPECT_FALSE(etude.ModifierCollecteur(
            c["k"].toInt(), {c["nom"].toString().toStdString(), c["sorties"].toInt(), c["perte"].toDouble()}));
        EXPECT_TRUE(questions.Seul("Collecteurs.", c["texte"].toString().toStdString()));
        EXPECT_EQ(etude.Collecteurs(), deux);
        EXPECT_EQ(etude.Travail().LireEtude().Collecteurs, deux);
        EXPECT_FALSE(etude.Modifie());
    }
    // A manifold no room names goes without a question; a new one takes the
    // first name free.
    ASSERT_TRUE(etude.SupprimerCollecteur(1) && etude.AjouterCollecteur() && etude.SupprimerCollecteur(1) &&
                etude.AjouterCollecteur());
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_EQ(etude.Collecteurs(), (std::vector<Collecteur>{{.Nom = "Collecteur 2"}, {.Nom = "Collecteur 3"}}));
    ASSERT_TRUE(etude.SupprimerCollecteur(2));
    EXPECT_FALSE(etude.SupprimerCollecteur(1));
    EXPECT_TRUE(questions.Seul("Collecteurs.",
                               "Le collecteur « Collecteur 2 » est le seul de l'étude : il ne peut pas être supprimé."));
    // A manifold added while a room is being entered stays a change of the
    // study when that room is abandoned.
    etude.DefinirModifie(false);
    ASSERT_TRUE(S.CommencerNouvellePiece() && etude.AjouterCollecteur());
    S.AbandonnerPiece();
    EXPECT_TRUE(etude.Modifie());
}

// The house's rooms given manifolds by hand: the first choice keeps every
// other room where the study had put it; the room being edited follows a
// choice made meanwhile; a room deleted in the middle leaves the others
// theirs; a manifold that rooms name is removed once the user agrees, its
// rooms naming none and the rooms of the next manifold following it; the
// study stored and opened again has them all back.
TEST_F(ModeleCollecteurs, PiecesDeLaMaison) {
    OuvrirMaison();
    using R = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Repartition(), (R{{"Collecteur 1", "12"}, {"Collecteur 2", "2"}}));
    EXPECT_EQ(etude.Collecteurs().size(), 1u);
    ASSERT_TRUE(etude.AffecterCollecteur(9, 2)); // the office upstairs
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(Lues(), (Affectations{1, 1, 1, 1, 1, 1, 1, 1, 2, 1, 2, 2}));
    EXPECT_EQ(Repartition(), (R{{"Collecteur 1", "11"}, {"Collecteur 2", "3"}}));

    ASSERT_TRUE(S.OuvrirPiece(12));
    ASSERT_TRUE(etude.AffecterCollecteur(12, 1));
    ASSERT_TRUE(S.CalculerPiece() && S.AccepterPiece());
    EXPECT_EQ(Lues().back(), 1);
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(etude.SupprimerPiece(3));
    questions.posees.clear();
    EXPECT_EQ(Lues(), (Affectations{1, 1, 1, 1, 1, 1, 1, 2, 1, 2, 1}));

    EXPECT_FALSE(etude.AffecterCollecteur(2, 5));
    EXPECT_TRUE(questions.Seul("Collecteurs.", "Les collecteurs de l'étude ne peuvent pas être enregistrés : pièce 2 "
                                               "« Cuisine », champ « collecteur » : le collecteur 5 n'existe pas, "
                                               "l'étude en compte 2."));
    ASSERT_TRUE(etude.AjouterCollecteur() && etude.AffecterCollecteur(1, 3));
    const std::string question = "Le collecteur « Collecteur 2 » alimente les pièces « Bureau », « Dégagement ». "
                                 "Voulez vous le supprimer ?\n\nCes pièces n'auront plus de collecteur choisi : "
                                 "elles iront au collecteur « Collecteur 1 ».";
    EXPECT_FALSE(etude.SupprimerCollecteur(2));
    EXPECT_TRUE(questions.Seul("Collecteurs.", question, IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
    EXPECT_EQ(etude.Collecteurs().size(), 3u);
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(etude.SupprimerCollecteur(2));
    const Affectations apres = {2, 1, 1, 1, 1, 1, 1, std::nullopt, 1, std::nullopt, 1};
    EXPECT_EQ(Lues(), apres);

    ASSERT_EQ(B.EnregistrerEtude("Maison"), ResultatEnregistrement::Enregistree);
    etude.NouvelleEtude();
    EXPECT_EQ(etude.Collecteurs(), std::vector{Collecteur{}});
    ASSERT_TRUE(B.OuvrirEtude("Maison"));
    EXPECT_EQ(Lues(), apres);
    EXPECT_EQ(Repartition(), (R{{"Collecteur 1", "12"}, {"Collecteur 3", "1"}}));
    EXPECT_FALSE(etude.Modifie());
    const std::vector<LigneMaterielAffichee> commande = LignesMaterielCollecteurs(etude.RecalculerEtude().value());
    ASSERT_EQ(commande.size(), 1u);
    EXPECT_EQ(commande[0].Designation + ";" + commande[0].Valeur + ";" + commande[0].Unite, "Collecteur 12 départs;2;u");
}

} // namespace
