#pragma once

// Connecting pipes screen ("Page 3/4"): pipes that join the room's loops to
// the manifold and pipes of other loops crossing the room, and the water's
// temperature drop. Moving on runs the room calculation on every entry
// screen and shows its results.

#include "calcul/ModCalcul.h"
#include "etude/Enregistrements.h"

#include <QWidget>

#include <array>

class QComboBox;
class QFrame;
class QLabel;

namespace sorvel {

class ChampNumerique;
class MDIPlancher;

class FrmConduites : public QWidget {
    Q_OBJECT
public:
    explicit FrmConduites(MDIPlancher& plancher, QWidget* parent = nullptr);

    void RemplirEnregistrement(DonneesPiece& d) const;
    void AfficherEnregistrement(const DonneesPiece& d);

    void DefinirDesignation(const QString& nom);
    // Shows the edge loop's connecting pipes (independent edge loop), or
    // hides them and sets their length to 0.
    void AfficherBoucleBordure(bool visible);
    // The drop a new room starts with: "8".
    void PrechoisirChute();

    // The room calculation on the contents of the entry screens, balanced
    // against the rooms already accepted (Perte.tmp). Raises
    // ErreurArithmetique when the room cannot be calculated.
    ResultatsPiece Feuille(const DonneesPiece& piece, const DonneesGenerales& generales) const;

    void CmdPrecedent_Click();
    void CmdSuivant_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

private:
    MDIPlancher& plancher_;
    QLabel* lblDesignation_;
    ChampNumerique* txtLongRaccordNormale_;
    ChampNumerique* txtLongDistri_;
    ChampNumerique* txtLongRaccordBordure_;
    QComboBox* cmbTempChute_;
    std::array<QWidget*, 4> ligneBordure_{}; // caption, field, unit, separator
};

} // namespace sorvel
