#pragma once

// Results screen ("Page 4/4"): the results of the room just calculated, one
// value per row; "&OK" has the room accepted into the study.

#include <QWidget>

class QLabel;

namespace sorvel {

class EtudeEnCours;
class Grille;

class FrmResultats : public QWidget {
    Q_OBJECT
public:
    // Column widths of the grid in twips: title, unit, value.
    static constexpr int LargeurTitre = 4900;
    static constexpr int LargeurUnite = 750;
    static constexpr int LargeurValeur = 2050;
    // Rows of the grid the screen keeps in view however small the window.
    static constexpr int LignesVisiblesMinimum = 6;

    explicit FrmResultats(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleResult() const { return grille_; }
    // The results of the room the study model calculated last, in column 2
    // with their formats, and the study's summary line.
    void RemplirResultatsPiece();

    void cmdOK_Click();
    void CmdPrecedent_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

signals:
    // The room is in the study.
    void acceptee();
    void precedent();
    // "Annuler": the room's entries are to be dropped.
    void annulee();

private:
    EtudeEnCours& etude_;
    Grille* grille_;
    QLabel* lblEtude_;
};

} // namespace sorvel
