#pragma once

// Rooms list: one row per room of the study (row n = room n = record n of
// the working files), from which rooms are added, opened, duplicated, moved
// and deleted. Beside each name, its key figures as the summary shows them.

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
    // The rooms of the study, one per row from row 1 (number, name, key
    // figures).
    void RemplirGrilleCircuits();
    // The row the user chose.
    int LigneSelectionnee() const;
    void SelectionnerLigne(int ligne);
    // Row `ligne` chosen and the keyboard on the list.
    void MontrerLigne(int ligne);

    void DefinirLigneEtude(const QString& texte);

    // Deletes the room of the chosen row, after the study's question; row 1
    // is chosen afterwards when rooms are left, and the keyboard goes to the
    // list.
    void SupprimerPiece();
    // "Dupliquer la pièce", "Monter", "Descendre" on the chosen row; the row
    // of the room then chosen.
    void DupliquerPiece();
    void MonterPiece();
    void DescendrePiece();

    void CmdPrecedent_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    // The general data may have changed the figures.
    void showEvent(QShowEvent* evenement) override;

signals:
    void ajouterPiece();
    // Open the room of row `ligne` for editing.
    void modifierPiece(int ligne);
    void precedent();
    // "Annuler" emptied the study (after the question a modified study
    // asks): no screen shows any more.
    void quitter();

private:
    // The key figures of the rooms, beside their names.
    void RemplirChiffres();

    EtudeEnCours& etude_;
    QLabel* lblCircuit_;
    Grille* grille_;
};

} // namespace sorvel
