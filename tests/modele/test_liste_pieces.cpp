// The rooms list's commands through the model: a deletion undone, a room
// duplicated, moved up and down. A room's record, its pressure drops and
// what the extension file keeps for it (details, manifold, loops) always
// move together, in working files of a real studies folder.

#include "ModeleTest.h"

#include "commun/Nombres.h"
#include "etude/PresentationRecapitulatif.h"
#include "modele/ListePieces.h"

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Liste : public ModeleTest {
protected:
    // Four rooms: room 2 with details and manifold 2, room 3 in 3 loops.
    void SetUp() override {
        ModeleTest::SetUp();
        ASSERT_TRUE(etude.ChangerClimat(ClimatExemple) && etude.AjouterCollecteur());
        for (int i = 1; i <= 4; ++i)
            etude.Travail().EcrirePiece(i, Exemple(i), PerteExemple(i));
        etude.DefinirModifie(false);
    }
    static Piece Exemple(int i) {
        Piece p = i == 2 ? PieceDetaillee(i) : PieceExemple(i);
        if (i == 2)
            p.Collecteur = 2;
        if (i == 3)
            p.Boucles = 3;
        return p;
    }
    // The record `n` (from 1) of a working file of records `longueur` long.
    QByteArray Enregistrement(const QString& fichier, int n, int longueur) const {
        return Contenu(dossier, fichier).mid((n - 1) * longueur, longueur);
    }
    std::vector<Piece> Lues() const { return etude.Travail().LirePieces(); }
    ListePieces& L = etude.Liste();
};

} // namespace

// Each room deleted then brought back: every working file is again byte for
// byte what it was, no scratch file is left, and the study is modified.
TEST_F(Liste, AnnulerLaSuppressionRendChaqueOctet) {
    const Jeu avant = Travail();
    ASSERT_NE(avant[3], "<absent>");
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        questions.reponses = {ReponseMessage::Oui};
        ASSERT_TRUE(L.Supprimer(k));
        EXPECT_NE(Travail(), avant);
        EXPECT_TRUE(L.PeutAnnulerSuppression());
        EXPECT_EQ(L.AnnulerSuppression(), k);
        EXPECT_EQ(Travail(), avant);
        EXPECT_FALSE(L.PeutAnnulerSuppression()) << "brought back once";
        for (const QString& f : {FichierTemp, FichierPteTemp, FichierExtTemp})
            EXPECT_FALSE(dossier.Existe(f));
    }
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(piecesChangees, 8);
}

// The one room that kept something in the extension file: the file goes
// with it and comes back with it, byte for byte.
TEST_F(Liste, AnnulerLaSuppressionRecreeLeFichierDExtension) {
    etude.NouvelleEtude();
    for (int i = 1; i <= 3; ++i) {
        Piece p = PieceExemple(i);
        p.Boucles = i == 2 ? 2 : 1;
        etude.Travail().EcrirePiece(i, p, PerteExemple(i));
    }
    const Jeu avant = Travail();
    ASSERT_NE(avant[3], "<absent>");
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(L.Supprimer(2));
    EXPECT_EQ(Travail()[3], "<absent>");
    ASSERT_EQ(L.AnnulerSuppression(), 2);
    EXPECT_EQ(Travail(), avant);
}

// Changed since the deletion, the study gets the room back at its number all
// the same, with its details and manifold; a manifold removed meanwhile is
// no longer the room's.
TEST_F(Liste, AnnulerLaSuppressionApresUnAutreChangement) {
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(L.Supprimer(2));
    ASSERT_EQ(L.Descendre(1), 2);
    ASSERT_TRUE(etude.SupprimerCollecteur(2));
    ASSERT_EQ(L.AnnulerSuppression(), 2);
    Piece revenue = Exemple(2);
    revenue.Collecteur.reset();
    EXPECT_EQ(Lues(), (std::vector{Exemple(3), revenue, Exemple(1), Exemple(4)}));
    EXPECT_EQ(etude.Travail().LireEtude().Pertes,
              (std::vector{PerteExemple(3), PerteExemple(2), PerteExemple(1), PerteExemple(4)}));
}

// Nothing to bring back (none deleted, a new study since, or a full study)
// is told, and nothing changes.
TEST_F(Liste, AnnulerLaSuppressionRefusee) {
    EXPECT_EQ(L.AnnulerSuppression(), std::nullopt);
    EXPECT_TRUE(questions.Seul("Annulation de la suppression.", "Aucune suppression de pièce n'est à annuler."));
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(L.Supprimer(4));
    questions.posees.clear();
    for (int i = 4; i <= PiecesMaximumEtude; ++i)
        etude.Travail().EcrirePiece(i, PieceExemple(i), PerteExemple(i));
    const Jeu plein = Travail();
    EXPECT_EQ(L.AnnulerSuppression(), std::nullopt);
    EXPECT_TRUE(questions.Seul("30 Pièces maximum.", "Il n'est plus possible d'ajouter de pièce à l'étude !"));
    EXPECT_EQ(Travail(), plein);
    etude.NouvelleEtude();
    EXPECT_FALSE(L.PeutAnnulerSuppression());
}

// Names of copies: the suffix always shows, within the field's length, and
// a name already taken gets the next number.
TEST_F(Liste, NomDeLaCopie) {
    const std::string trente(LongueurNomPiece, 'a');
    const std::tuple<std::string, QStringList, std::string> cas[] = {
        {"Séjour", {"Séjour"}, "Séjour (copie)"},
        {"Séjour", {"Séjour", "Séjour (copie)"}, "Séjour (copie 2)"},
        {"Séjour (copie)", {"Séjour (copie)"}, "Séjour (copie) (copie)"},
        {trente, {}, std::string(LongueurNomPiece - 8, 'a') + " (copie)"},
        {"Chambre d'amis du 1er étage", {}, "Chambre d'amis du 1er (copie)"},
        {"Chambre d'amis du 1er étage", {"Chambre d'amis du 1er (copie)"}, "Chambre d'amis du 1e (copie 2)"},
    };
    for (const auto& [nom, pris, attendu] : cas) {
        const QString copie = NomCopie(QString::fromStdString(nom), pris, LongueurNomPiece);
        EXPECT_EQ(copie.toStdString(), attendu);
        EXPECT_LE(copie.size(), LongueurNomPiece);
    }
}

// The copy comes right after its room, the rooms after it move down with
// their details and manifolds; a full study or an empty row is refused.
TEST_F(Liste, Dupliquer) {
    const QByteArray pertes2 = Enregistrement(FichierPerte, 2, LongueurPerteCharge);
    ASSERT_EQ(L.Dupliquer(2), 3);
    Piece copie = Exemple(2);
    copie.NomPiece = "Pièce 2 (copie)";
    EXPECT_EQ(Lues(), (std::vector{Exemple(1), Exemple(2), copie, Exemple(3), Exemple(4)}));
    EXPECT_EQ(Enregistrement(FichierPerte, 3, LongueurPerteCharge), pertes2);
    EXPECT_TRUE(etude.Modifie());
    EXPECT_EQ(L.Dupliquer(9), std::nullopt);
    EXPECT_TRUE(questions.Seul("Duplication.", "La ligne sélectionnée est vide, aucune pièce ne peut être dupliquée !"));
    for (int i = 6; i <= PiecesMaximumEtude; ++i)
        etude.Travail().EcrirePiece(i, PieceExemple(i), PerteExemple(i));
    const Jeu plein = Travail();
    EXPECT_EQ(L.Dupliquer(1), std::nullopt);
    EXPECT_TRUE(questions.Seul("30 Pièces maximum."));
    EXPECT_EQ(Travail(), plein);
}

// Up and down: the records of both files and the extension's details,
// manifold and loops change places together; down then up gives back every
// byte. The first room goes no higher, the last no lower.
TEST_F(Liste, MonterEtDescendre) {
    const Jeu avant = Travail();
    const QByteArray piece2 = Enregistrement(FichierEtude, 2, DonneesPiece::Longueur);
    const QByteArray perte2 = Enregistrement(FichierPerte, 2, LongueurPerteCharge);
    ASSERT_EQ(L.Descendre(2), 3);
    EXPECT_EQ(Lues(), (std::vector{Exemple(1), Exemple(3), Exemple(2), Exemple(4)}));
    EXPECT_EQ(Enregistrement(FichierEtude, 3, DonneesPiece::Longueur), piece2);
    EXPECT_EQ(Enregistrement(FichierPerte, 3, LongueurPerteCharge), perte2);
    ASSERT_EQ(L.Monter(3), 2);
    EXPECT_EQ(Travail(), avant);
    EXPECT_EQ(L.Monter(1), std::nullopt);
    EXPECT_EQ(L.Descendre(4), std::nullopt);
    EXPECT_TRUE(questions.posees.empty());
    EXPECT_EQ(Travail(), avant);
    EXPECT_EQ(piecesChangees, 2);
}

// A room open on the room screens keeps its own record whatever the list
// does around it: accepted, it is written over that one.
TEST_F(Liste, LaPieceEnSaisieSuitSonEnregistrement) {
    ASSERT_TRUE(S.OuvrirPiece(3));
    ASSERT_EQ(L.Monter(3), 2);
    EXPECT_EQ(S.PieceCourante(), 2);
    ASSERT_EQ(L.Dupliquer(1), 2);
    EXPECT_EQ(S.PieceCourante(), 3);
    questions.reponses = {ReponseMessage::Oui};
    ASSERT_TRUE(L.Supprimer(1));
    EXPECT_EQ(S.PieceCourante(), 2);
    ASSERT_EQ(L.AnnulerSuppression(), 1);
    EXPECT_EQ(S.PieceCourante(), 3);
    EXPECT_EQ(Lues()[2], Exemple(3));
}

// Beside each name, the figures of the summary: area, heat to deliver, the
// normal loop in its colour, the supplementary heat when there is some.
// From a room that cannot be calculated on, none.
TEST_F(Liste, ChiffresCommeLeRecapitulatif) {
    etude.NouvelleEtude();
    etude.ChangerGenerales(exemples::Generales(Fixation::Treillis, DiametreTube::D13x16));
    Piece froide = Sejour;
    froide.DeperdPiece = 4000;
    for (const Piece& p : {froide, Chambre, Cuisine})
        ASSERT_TRUE(Saisir(p));
    const EtudeRecalculee r = RecalculerEtude({froide, Chambre, Cuisine}, etude.Generales());
    const Recapitulatif recap = PresenterRecapitulatif(r.Resultat, etude.Generales());
    const std::vector<ChiffresPiece> chiffres = L.Chiffres();
    ASSERT_EQ(chiffres.size(), 3u);
    for (int i = 1; i <= 3; ++i) {
        const ChiffresPiece& c = chiffres[static_cast<std::size_t>(i - 1)];
        using namespace ColonneEtude;
        EXPECT_EQ(c.Surface.toStdString(), recap.Case(SurfacePiece, i).Texte + " m²");
        const double chaleur = NombreCellule(r.Resultat.Table.Cell(DeperdCorrigees, i)).value();
        EXPECT_EQ(c.Chaleur.toStdString(), FormatGeneral(Arrondir(chaleur, 0)) + " W");
        EXPECT_EQ(c.Boucle.toStdString(), recap.Case(LongueurNormale, i).Texte + " m");
        EXPECT_EQ(c.FormatBoucle, recap.Case(LongueurNormale, i).Format);
    }
    EXPECT_EQ(chiffres[0].FormatAppoint.Couleur, CouleurValeur::Bleu);
    EXPECT_FALSE(chiffres[0].Appoint.isEmpty());
    EXPECT_TRUE(chiffres[2].Appoint.isEmpty());

    Piece nulle = Chambre;
    nulle.SurfacePiece = 0;
    etude.Travail().EcrirePiece(2, nulle, {});
    const std::vector<ChiffresPiece> partiels = L.Chiffres();
    EXPECT_EQ(partiels[0], chiffres[0]);
    EXPECT_EQ(partiels[1], ChiffresPiece{});
    EXPECT_EQ(partiels[2], ChiffresPiece{});
    EXPECT_TRUE(questions.posees.empty());
}
