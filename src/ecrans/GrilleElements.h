#pragma once

// The grid of the losses dialog: one row an element of the room, each cell
// a control: its designation, nature and contact, its surface, its U (the
// usual values of its nature offered in a list), and its reduction factor
// b or its neighbour's temperature as its contact asks (nothing for the
// outside or the ground). Tab goes through the cells row by row; the row of
// the cell that has the focus is the current one.

#include "modele/SaisieDeperditions.h"

#include <QTableWidget>

#include <vector>

class QComboBox;
class QLineEdit;
class QStackedWidget;

namespace sorvel {

class ChampNumerique;

class GrilleElements : public QTableWidget {
    Q_OBJECT
public:
    explicit GrilleElements(QWidget* parent = nullptr);

    void Afficher(const std::vector<ElementParoi>& elements);
    std::vector<ElementParoi> Elements() const;
    // "Ajouter un élément": a wall to the outside at the end, the focus on
    // its designation.
    void Ajouter();
    // "Supprimer l'élément": the element of the current row goes, the
    // focus on the row that takes its place. False when there is none.
    bool Supprimer();
    // The number fields the user fills, in screen order, for their checks.
    std::vector<ChampNumerique*> Champs() const;

signals:
    // An element was typed, chosen, added or removed.
    void modifie();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    struct Ligne {
        QLineEdit* designation;
        QComboBox* nature;
        QComboBox* contact;
        ChampNumerique* surface;
        ChampNumerique* u;
        QStackedWidget* complement; // nothing, b, or the neighbour's temperature
        ChampNumerique* b;
        ChampNumerique* voisin;
        std::vector<QWidget*> cellules() const;
    };
    void AjouterLigne(const ElementParoi& e);
    // The third column of the row shows what its contact asks for.
    void AccorderContact(const Ligne& ligne);
    // The focus goes from cell to cell in the order of the rows.
    void OrdonnerTabulation();

    std::vector<Ligne> lignes_;
};

} // namespace sorvel
