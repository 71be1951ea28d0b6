// Equal loops and manifolds through the screens: the loop count of page 3/4
// and its proposal, the balancing's advice applied by its button, the
// manifolds window and the manifolds of the material list. What the user
// does reaches the study model, and what the model gives reaches the
// windows; the rules themselves are tested on the model.

#include "Exemples.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmCollecteurs.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmMateriel.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "ihm/Grille.h"
#include "modele/VuesEtude.h"
#include "stockage/FichiersTravail.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// Heading rows of the balancing and manifolds grids.
constexpr int EnTete = 2;

class BouclesCollecteurs : public ::testing::Test {
protected:
    // The texts of row `l` of `g`.
    static QStringList Ligne(const Grille& g, int l) {
        QStringList textes;
        for (int c = 0; c < g.columnCount(); ++c)
            textes << g.texte(l, c);
        return textes;
    }
    template <std::size_t N>
    static QStringList Textes(const std::array<CelluleEquilibrage, N>& ligne) {
        QStringList textes;
        for (const CelluleEquilibrage& c : ligne)
            textes << QString::fromStdString(c.Texte);
        return textes;
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// Page 3/4 proposes from the room as its screens show it and follows what
// is typed; the count chosen reaches the room, its results show it, and the
// room opened again shows it on its list.
TEST_F(BouclesCollecteurs, NombreDeBouclesDeLaPage3) {
    f = DemarrerEtude();
    SaisirPieceJusquALaPage(*f, 3);
    QWidget* conduites = f->FeuillesDePiece().Conduites;
    const auto proposition = [&] {
        Piece p = f->Etude().Saisie().PieceEnSaisie();
        f->FeuillesDePiece().Conduites->Remplir(p);
        return f->Etude().Saisie().ProposerBoucles(p).Texte;
    };
    auto* lbl = Trouver<QLabel>(conduites, QStringLiteral("LblProposition"));
    EXPECT_EQ(lbl->text(), proposition());
    EXPECT_EQ(lbl->text(), QStringLiteral("Proposition : 2 boucles de 90 m"));
    // Longer connecting pipes for each loop: one more loop.
    Taper(conduites, QStringLiteral("TxtLongRaccordNormale"), QStringLiteral("80"));
    EXPECT_EQ(lbl->text(), proposition());
    EXPECT_TRUE(lbl->text().startsWith(QStringLiteral("Proposition : 3 boucles de "))) << lbl->text().toStdString();

    Choisir(conduites, QStringLiteral("CmbBoucles"), QStringLiteral("3"));
    Cliquer(conduites, QStringLiteral("CmdSuivant"));
    auto* resultats = qobject_cast<FrmResultats*>(f->FeuilleAffichee());
    ASSERT_NE(resultats, nullptr);
    EXPECT_EQ(f->Etude().Saisie().PieceEnSaisie().Boucles, 3);
    EXPECT_TRUE(resultats->GrilleResult()->texte(LigneResultat::LongueurNormale, 2).startsWith(QStringLiteral("3 boucles de ")));
    Cliquer(resultats, QStringLiteral("cmdOK"));
    EXPECT_EQ(f->Etude().Travail().LirePiece(1).Boucles, 3);
    f->ModifierPiece(1);
    EXPECT_EQ(Trouver<QComboBox>(f->FeuillesDePiece().Conduites, QStringLiteral("CmbBoucles"))->currentText(),
              QStringLiteral("3"));
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
}

// A normal loop too long shows its advice as a button, an edge loop and a
// loop short enough none; the button lays the room as the loops advised,
// and the window shows them at once.
TEST_F(BouclesCollecteurs, ConseilDeLEquilibrageApplique) {
    f = Demarrer();
    AjouterPieces(*f, {exemples::PieceMaison("Bureau", Charge::Elevee, 12, 800),
                       exemples::PieceMaison("Salon", Charge::Normale, 100, 4000)});
    const EtudeRecalculee avant = f->Etude().RecalculerEtude().value();
    ASSERT_EQ(avant.Equilibrage.Boucles.size(), 3u);
    const int conseil = avant.Equilibrage.Boucles[2].BouclesConseillees;
    ASSERT_GT(conseil, 1);
    f->Etude().DefinirModifie(false);
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* equilibrage = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(equilibrage, nullptr);
    QStringList boutons;
    for (const QPushButton* b : equilibrage->findChildren<QPushButton*>())
        if (b->objectName().startsWith(QStringLiteral("CmdPartager_")))
            boutons << b->objectName() + QLatin1Char(' ') + b->text();
    EXPECT_EQ(boutons, QStringList{QStringLiteral("CmdPartager_3 trop longue : %1 boucles").arg(conseil)});

    Cliquer(equilibrage, QStringLiteral("CmdPartager_3"));
    EXPECT_EQ(f->Etude().Travail().LirePiece(2).Boucles, conseil);
    EXPECT_TRUE(f->Etude().Modifie());
    const std::vector<LigneEquilibrage> lignes = LignesEquilibrage(f->Etude().RecalculerEtude().value());
    ASSERT_EQ(lignes.size(), 2u + static_cast<std::size_t>(conseil));
    const Grille* g = equilibrage->GrilleEquilibrage();
    ASSERT_EQ(g->rowCount(), EnTete + static_cast<int>(lignes.size()));
    for (std::size_t n = 0; n < lignes.size(); ++n)
        EXPECT_EQ(Ligne(*g, EnTete + static_cast<int>(n)), Textes(lignes[n]));
    EXPECT_EQ(g->texte(EnTete + 2, 1), QStringLiteral("normale (1 sur %1)").arg(conseil));
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();

    // Shown again once a room has gone: it shows the study as it is now.
    f->AfficherFeuille(f->Circuits());
    boite.repondre(ReponseMessage::Oui);
    ASSERT_TRUE(f->Etude().SupprimerPiece(1));
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    ASSERT_EQ(f->FeuilleAffichee(), equilibrage);
    EXPECT_EQ(equilibrage->GrilleEquilibrage()->rowCount(), EnTete + conseil);
}

// The manifolds window on the 12-room house (14 loops, a second manifold
// added by the study): a manifold chosen shows its outlets; the second one
// renamed joins the study's list; one added and removed; a room given a
// manifold from its list. The material list orders the manifolds apart.
TEST_F(BouclesCollecteurs, FenetreCollecteurs) {
    f = Demarrer();
    AjouterPieces(*f, exemples::Maison12Pieces());
    Declencher(f.get(), QStringLiteral("MnuCollecteurs"));
    auto* fenetre = qobject_cast<FrmCollecteurs*>(f->FeuilleAffichee());
    ASSERT_NE(fenetre, nullptr);
    const auto vue = [&] { return LignesCollecteurs(f->Etude().RecalculerEtude().value()); };
    std::vector<CollecteurAffiche> attendus = vue();
    ASSERT_EQ(attendus.size(), 2u);
    EXPECT_EQ(Ligne(*fenetre->GrilleCollecteurs(), EnTete + 1), Textes(attendus[1].Ligne));
    fenetre->ChoisirCollecteur(2);
    ASSERT_EQ(fenetre->GrilleSorties()->rowCount(), EnTete + static_cast<int>(attendus[1].Sorties.size()));
    EXPECT_EQ(Ligne(*fenetre->GrilleSorties(), EnTete), Textes(attendus[1].Sorties[0]));
    EXPECT_FALSE(Trouver(fenetre, QStringLiteral("CmdSupprimer"))->isEnabled());

    f->Etude().DefinirModifie(false);
    Taper(fenetre, QStringLiteral("TxtNom"), QStringLiteral("Étage"));
    Choisir(fenetre, QStringLiteral("CmbSorties"), QStringLiteral("8"));
    Taper(fenetre, QStringLiteral("TxtPerteCollecteur"), QStringLiteral("150"));
    Cliquer(fenetre, QStringLiteral("CmdAppliquer"));
    EXPECT_EQ(f->Etude().Collecteurs(), (std::vector<Collecteur>{{}, {"Étage", 8, 150}}));
    EXPECT_TRUE(f->Etude().Modifie());
    EXPECT_EQ(fenetre->GrilleCollecteurs()->texte(EnTete + 1, ColonneCollecteur::Nom), QStringLiteral("Étage"));

    Cliquer(fenetre, QStringLiteral("CmdAjouter"));
    EXPECT_EQ(fenetre->CollecteurChoisi(), 3);
    EXPECT_EQ(fenetre->GrilleCollecteurs()->rowCount(), EnTete + 3);
    Cliquer(fenetre, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(f->Etude().Collecteurs().size(), 2u);

    // The office (room 9) on the first manifold, chosen from its list.
    Choisir(fenetre, QStringLiteral("CmbPiece"), QStringLiteral("Bureau"));
    auto* liste = Trouver<QComboBox>(fenetre, QStringLiteral("CmbCollecteurPiece"));
    EXPECT_EQ(liste->currentText(), QStringLiteral("Automatique"));
    liste->setCurrentIndex(1);
    emit liste->activated(1);
    EXPECT_EQ(f->Etude().Pieces().value().at(8).Collecteur, 1);
    EXPECT_EQ(Trouver<QComboBox>(fenetre, QStringLiteral("CmbCollecteurPiece"))->currentText(),
              QStringLiteral("Collecteur 1"));
    attendus = vue();
    EXPECT_EQ(Ligne(*fenetre->GrilleCollecteurs(), EnTete), Textes(attendus[0].Ligne));
    Cliquer(fenetre, QStringLiteral("CmdFermer"));

    Declencher(f.get(), QStringLiteral("MnuMateriel"));
    auto* materiel = qobject_cast<FrmMateriel*>(f->FeuilleAffichee());
    ASSERT_NE(materiel, nullptr);
    const std::vector<LigneMaterielAffichee> collecteurs =
        LignesMaterielCollecteurs(f->Etude().RecalculerEtude().value());
    ASSERT_EQ(collecteurs.size(), 2u);
    const int premiere = 1 + NombreLignesMateriel + 1;
    EXPECT_EQ(materiel->GrilleMat()->texte(premiere - 1, 0), QString());
    for (int n = 0; n < 2; ++n)
        EXPECT_EQ(Ligne(*materiel->GrilleMat(), premiere + n),
                  (QStringList{collecteurs[n].Designation, collecteurs[n].Valeur, collecteurs[n].Unite}));
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
}
