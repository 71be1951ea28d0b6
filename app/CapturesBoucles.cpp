// Screenshots of equal loops and manifolds, on the 12-room example study
// (Captures.h). Not part of the program.

#include "Captures.h"

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ihm/BoiteMessage.h"

#include <QTableWidget>

namespace captures {

namespace {

// A message that would wait for the user is written out and answered as
// cautiously as the buttons allow, so that the screenshots go on.
class BoitesNotees : public sorvel::BoiteMessage {
public:
    BoitesNotees() { sorvel::InstallerBoiteMessage(this); }
    ~BoitesNotees() override { sorvel::InstallerBoiteMessage(nullptr); }
    sorvel::ReponseMessage afficher(QWidget*, sorvel::IconeMessage, const QString& titre, const QString& texte,
                                    sorvel::BoutonsMessage boutons) override {
        std::fprintf(stderr, "message « %s » : %s\n", qPrintable(titre), qPrintable(texte));
        return boutons == sorvel::BoutonsMessage::OK ? sorvel::ReponseMessage::OK : sorvel::ReponseMessage::Non;
    }
};

// A living room of 100 m², too long for one loop, through its first two
// screens up to the connecting pipes.
void SalonJusquAuxConduites(Seance& s) {
    s.fenetre.AfficherFeuille(s.fenetre.Circuits());
    s.fenetre.AjouterPiece();
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    Clic(feuilles.Charge, "CmdSuivant");
    if (auto* nom = feuilles.Piece->findChild<QComboBox*>(QStringLiteral("CmbNomPiece")))
        nom->setEditText(QStringLiteral("Salon"));
    Choix(feuilles.Piece, "CmbTempPiece", QStringLiteral("20"));
    Texte(feuilles.Piece, "TxtSurface_0", QStringLiteral("100"));
    Texte(feuilles.Piece, "TxtSurface_1", QStringLiteral("2"));
    Texte(feuilles.Piece, "TxtDeperdPiece", QStringLiteral("4000"));
    Texte(feuilles.Piece, "TxtDeperdPlancher", QStringLiteral("300"));
    Choix(feuilles.Piece, "CmbActuelle", QStringLiteral("0.05"));
    Choix(feuilles.Piece, "CmbFuture", QStringLiteral("0.10"));
    Clic(feuilles.Piece, "CmdEmissions");
    Choix(feuilles.Piece, "CmbEmissions_Iso", QStringLiteral("6"));
    Clic(feuilles.Piece, "CmdEmission_OK");
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
    const BoitesNotees boites;
    // Entered on one loop, which the proposal advises against.
    SalonJusquAuxConduites(s);
    const sorvel::FeuillesPiece& feuilles = s.fenetre.FeuillesDePiece();
    s.capturer("33-piece-conduites-proposition.png");
    Clic(feuilles.Conduites, "CmdSuivant");
    s.capturer("34-piece-resultats-trop-longue.png");
    if (QWidget* resultats = feuilles.Resultats)
        Clic(resultats, "cmdOK");

    // The balancing's advice applied: the room on 3 loops.
    s.action("MnuEquilibrage")->trigger();
    if (QWidget* equilibrage = s.fenetre.FeuilleAffichee()) {
        s.capturer("35-equilibrage-conseil.png");
        for (QAbstractButton* conseil : equilibrage->findChildren<QAbstractButton*>())
            if (conseil->objectName().startsWith(QLatin1String("CmdPartager_"))) {
                conseil->click();
                s.capturer("36-equilibrage-3-boucles.png");
                break;
            }
        Clic(equilibrage, "CmdFermer");
    }

    // The room opened again: its pages 3/4 and 4/4 on 3 loops.
    s.fenetre.ModifierPiece(s.fenetre.Etude().NombrePieces());
    Clic(feuilles.Charge, "CmdSuivant");
    Clic(feuilles.Piece, "CmdSuivant");
    s.capturer("37-piece-conduites-3-boucles.png");
    Clic(feuilles.Conduites, "CmdSuivant");
    s.capturer("38-piece-resultats-3-boucles.png");
    s.fenetre.AbandonnerPiece();

    s.action("MnuCollecteurs")->trigger();
    if (QWidget* collecteurs = s.fenetre.FeuilleAffichee()) {
        s.capturer("39-collecteurs.png");
        ChoisirLigne(s, "GrilleCollecteurs", 3);
        s.capturer("40-collecteurs-second.png");
        Clic(collecteurs, "CmdFermer");
    }
}

} // namespace captures
