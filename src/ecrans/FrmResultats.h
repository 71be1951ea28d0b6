#pragma once

// Results screen ("Page 4/4"): the results of the room just calculated, one
// value per row; "&OK" stores the room in the working files and enters it in
// the rooms list.

#include "calcul/ModCalcul.h"
#include "etude/Enregistrements.h"

#include <QWidget>

class QLabel;

namespace sorvel {

class Grille;
class MDIPlancher;

class FrmResultats : public QWidget {
    Q_OBJECT
public:
    // Column widths of the grid in twips: title, unit, value.
    static constexpr int LargeurTitre = 4900;
    static constexpr int LargeurUnite = 750;
    static constexpr int LargeurValeur = 2050;

    explicit FrmResultats(MDIPlancher& plancher, QWidget* parent = nullptr);

    Grille* GrilleResult() const { return grille_; }
    // The results of the room calculated last (what "&OK" stores).
    const ResultatsPiece& Resultats() const { return resultats_; }

    // Writes the values of the room `piece`, calculated into `r`, in column 2
    // with their formats.
    void RemplirResultatsPiece(const DonneesPiece& piece, const DonneesGenerales& generales,
                               const ResultatsPiece& r);
    void DefinirLigneEtude(const QString& texte);

    void cmdOK_Click();
    void CmdPrecedent_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    // The accepted room in the rooms list.
    void RemplirGrille(const QString& nom);

    MDIPlancher& plancher_;
    Grille* grille_;
    QLabel* lblEtude_;
    ResultatsPiece resultats_;
};

} // namespace sorvel
