#pragma once

// Rooms list: one row per room of the study (row n = room n = record n of
// the working files), from which rooms are added, opened and deleted.

#include <QWidget>

class QLabel;

namespace sorvel {

class EtudeEnCours;
class Grille;

class FrmCircuits : public QWidget {
    Q_OBJECT
public:
    explicit FrmCircuits(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleCircuit() const { return grille_; }
    // The rooms of the study, one per row from row 1 (number, name).
    void RemplirGrilleCircuits();
    // The row the user chose.
    int LigneSelectionnee() const;
    void SelectionnerLigne(int ligne);

    void DefinirLigneEtude(const QString& texte);

    // Deletes the room of the chosen row, after the study's question; row 1
    // is chosen afterwards when rooms are left.
    void SupprimerPiece();

    void CmdPrecedent_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

signals:
    void ajouterPiece();
    // Open the room of row `ligne` for editing.
    void modifierPiece(int ligne);
    void precedent();
    // "Annuler" emptied the study: no screen shows any more.
    void quitter();

private:
    EtudeEnCours& etude_;
    QLabel* lblCircuit_;
    Grille* grille_;
};

} // namespace sorvel
