#pragma once

// The manifolds window: the study's manifolds with their figures (outlets,
// loops connected, flow, head needed, the Kv of their balancing valve), the
// outlets of the one chosen with each loop's figures, that manifold
// renamed, given its outlets and its own drop, manifolds added and removed,
// and the manifold of each room chosen from a list. Every change is the
// study's at once (kept in its working files, the study modified); the
// window then shows the study recalculated.

#include "ihm/FenetreAuxiliaire.h"
#include "modele/EtudeEnCours.h"

#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace sorvel {

class ChampNumerique;
class Grille;

class FrmCollecteurs : public FenetreAuxiliaire {
    Q_OBJECT
public:
    // Recalculates the study and fills the window, the first manifold
    // chosen. A room that cannot be calculated is told (by the study): the
    // manifolds are then listed without their figures.
    explicit FrmCollecteurs(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleCollecteurs() const { return grilleCollecteurs_; }
    Grille* GrilleSorties() const { return grilleSorties_; }
    // The manifold chosen, from 1.
    int CollecteurChoisi() const { return collecteur_; }
    void ChoisirCollecteur(int k);

    void CmdAppliquer_Click();
    void CmdAjouter_Click();
    void CmdSupprimer_Click();
    // The room chosen in "Pièce" fed by the manifold chosen in "Collecteur
    // de la pièce" ("Automatique": where the study's filling puts it).
    void CmbCollecteurPiece_Click();
    void CmdFermer_Click() { Fermer(); }

    // The study recalculated and every part of the window filled again.
    void Actualiser();

    // The whole of both grids when the main window has the room for them.
    QSize sizeHint() const override;

protected:
    // Shown again after another screen: the study may have changed
    // meanwhile (a room deleted or edited), and the window acts on it.
    void Revenue() override { Actualiser(); }

private:
    // "Collecteur choisi": the name, outlets and own drop of the manifold
    // chosen, and the buttons that change the list; "Collecteur d'une
    // pièce": a room and its manifold.
    QGroupBox* CadreCollecteur();
    QGroupBox* CadrePiece();
    // The manifolds as the window lists them: the study's, with those its
    // filling of the outlets added.
    int NombreCollecteurs() const;
    void RemplirCollecteurs();
    void RemplirChoix();
    void RemplirSorties();
    void RemplirPieces();
    void AfficherCollecteurPiece();

    EtudeEnCours& etude_;
    std::optional<EtudeRecalculee> recalculee_;
    std::vector<Collecteur> liste_;           // the study's own list
    std::vector<std::optional<int>> choix_;   // each room's manifold, none: the study's filling
    int collecteur_ = 1;

    QVBoxLayout* corps_ = nullptr;          // the body: both grids, the choices between them
    QWidget* cadres_ = nullptr;             // the manifold's and the room's frames side by side
    Grille* grilleCollecteurs_ = nullptr;
    Grille* grilleSorties_ = nullptr;
    QLabel* lblSorties_ = nullptr;
    QLineEdit* txtNom_ = nullptr;
    QComboBox* cmbSorties_ = nullptr;
    ChampNumerique* txtPerteCollecteur_ = nullptr;
    QPushButton* cmdSupprimer_ = nullptr;
    QComboBox* cmbPiece_ = nullptr;
    QComboBox* cmbCollecteurPiece_ = nullptr;
    QPushButton* cmdFermer_ = nullptr;
};

} // namespace sorvel
