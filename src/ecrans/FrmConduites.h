#pragma once

// Connecting pipes screen ("Page 3/4"): pipes that join the room's loops to
// the manifold and pipes of other loops crossing the room, and the water's
// temperature drop. Moving on has the room calculated and its results shown.

#include "modele/EtudeEnCours.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;

namespace sorvel {

class ChampNumerique;
class EtudeEnCours;

class FrmConduites : public QWidget {
    Q_OBJECT
public:
    explicit FrmConduites(EtudeEnCours& etude, QWidget* parent = nullptr);

    void Remplir(Piece& d) const;
    void Afficher(const Piece& d);

    // Before the screen shows: the caption and designation follow the
    // room's name, and the edge loop's connecting pipes show for an
    // independent edge loop only (hidden, their length is 0).
    void Preparer();

    // Refuses a length beyond what a study may hold, with its message, the
    // focus back on the field; true when every length passes.
    bool Controle();

    // The proposal beside "Nombre de boucles (zone normale)", for the room
    // as the four screens now show it.
    void ActualiserProposition();

    void CmdPrecedent_Click();
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

signals:
    // The room was calculated: its results are in the study model.
    void suivant();
    void precedent();
    // "Annuler": the room's entries are to be dropped.
    void annulee();

private:
    void AfficherBoucleBordure(bool visible);

    EtudeEnCours& etude_;
    QLabel* lblDesignation_;
    ChampNumerique* txtLongRaccordNormale_;
    ChampNumerique* txtLongDistri_;
    ChampNumerique* txtLongRaccordBordure_;
    QComboBox* cmbTempChute_;
    QComboBox* cmbBoucles_;
    QLabel* lblProposition_;
    std::array<QWidget*, 4> ligneBordure_{}; // caption, field, unit, separator
};

} // namespace sorvel
