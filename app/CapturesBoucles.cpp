// Screenshots of equal loops and manifolds, on the 12-room example study
// (Captures.h). Not part of the program.

#include "Captures.h"

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"

#include <QTableWidget>

namespace captures {

namespace {

// A living room of 60 m², too long for one loop, through its first two
// screens up to the connecting pipes.
void SalonJusquAuxConduites(Seance& s) {
    s.fenetre.AfficherFeuille(s.fenetre.Circuits());
    s.fenetre.AjouterPiece();
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    Clic(feuilles.Charge, "CmdSuivant");
    if (auto* nom = feuilles.Piece->findChild<QComboBox*>(QStringLiteral("CmbNomPiece")))
        nom->setEditText(QStringLiteral("Salon"));
    Choix(feuilles.Piece, "CmbTempPiece", QStringLiteral("20"));
    Texte(feuilles.Piece, "TxtSurface_0", QStringLiteral("60"));
    Texte(feuilles.Piece, "TxtSurface_1", QStringLiteral("2"));
    Texte(feuilles.Piece, "TxtDeperdPiece", QStringLiteral("4200"));
    Texte(feuilles.Piece, "TxtDeperdPlancher", QStringLiteral("300"));
    Choix(feuilles.Piece, "CmbActuelle", QStringLiteral("0.05"));
    Choix(feuilles.Piece, "CmbFuture", QStringLiteral("0.10"));
    Clic(feuilles.Piece, "CmdSuivant");
    Texte(feuilles.Conduites, "TxtLongRaccordNormale", QStringLiteral("12"));
}

// The grid `nom` of the window showing, its row `ligne` made current.
void ChoisirLigne(Seance& s, const char* nom, int ligne) {
    if (QWidget* fenetre = s.fenetre.FeuilleAffichee())
        if (auto* grille = fenetre->findChild<QTableWidget*>(QString::fromLatin1(nom)))
            grille->setCurrentCell(ligne, 0);
}

} // namespace

void BouclesEtCollecteurs(Seance& s) {
    SalonJusquAuxConduites(s);
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    s.capturer("33-piece-conduites-proposition.png");
    Choix(feuilles.Conduites, "CmbBoucles", QStringLiteral("3"));
    s.capturer("34-piece-conduites-3-boucles.png");
    Clic(feuilles.Conduites, "CmdSuivant");
    s.capturer("35-piece-resultats-3-boucles.png");
    if (QWidget* resultats = feuilles.Resultats)
        Clic(resultats, "cmdOK");

    s.action("MnuEquilibrage")->trigger();
    if (QWidget* equilibrage = s.fenetre.FeuilleAffichee()) {
        s.capturer("36-equilibrage-3-boucles.png");
        // The advice of the first loop too long, applied.
        for (QAbstractButton* conseil : equilibrage->findChildren<QAbstractButton*>())
            if (conseil->objectName().startsWith(QLatin1String("CmdPartager_"))) {
                conseil->click();
                s.capturer("37-equilibrage-conseil-applique.png");
                break;
            }
        Clic(equilibrage, "CmdFermer");
    }

    s.action("MnuCollecteurs")->trigger();
    if (QWidget* collecteurs = s.fenetre.FeuilleAffichee()) {
        s.capturer("38-collecteurs.png");
        ChoisirLigne(s, "GrilleCollecteurs", 3);
        s.capturer("39-collecteurs-second.png");
        Clic(collecteurs, "CmdFermer");
    }
}

} // namespace captures
