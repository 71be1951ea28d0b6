#pragma once

// Rooms list: one row per room of the study (row n = room n = record n of
// the working files), from which rooms are added, opened and deleted.

#include <QWidget>

class QLabel;

namespace sorvel {

class Grille;
class MDIPlancher;

class FrmCircuits : public QWidget {
    Q_OBJECT
public:
    static constexpr int PiecesMaximum = 30;

    explicit FrmCircuits(MDIPlancher& plancher, QWidget* parent = nullptr);

    Grille* GrilleCircuit() const { return grille_; }
    // Empties the number and name of every room row.
    void ViderGrilleCircuits();
    // Rows 1.. get the numbers and the names, in order.
    void RemplirGrilleCircuits(const QStringList& noms);
    // Row `n` (from 1) gets the room number and its name.
    void EcrireLigne(int n, const QString& nom);
    // Rows holding a room (the filled rows are 1 to n without gaps).
    int NombrePieces() const;
    // The row the user chose.
    int LigneSelectionnee() const;
    void SelectionnerLigne(int ligne);

    void DefinirLigneEtude(const QString& texte);
    QString LigneEtude() const;

    void CmdPrecedent_Click();
    void CmdAnnuler_Click();
    void CmdAide_Click();

private:
    MDIPlancher& plancher_;
    QLabel* lblCircuit_;
    Grille* grille_;
};

} // namespace sorvel
