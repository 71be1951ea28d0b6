#pragma once

// The losses dialog of the room screen ("..." beside "Déperditions de la
// pièce"): the elements of the room in a grid, its air change, extract
// flow, height and reheat, and the results worked out as the user types.
// "OK" keeps the details with the room being entered and hands the two
// values the room screen's fields receive; "Annuler" changes nothing.

#include "modele/EtudeEnCours.h"

#include <QDialog>

class QLabel;

namespace sorvel {

class ChampNumerique;
class GrilleElements;

class FrmDeperditions : public QDialog {
    Q_OBJECT
public:
    // `piece`: the room as the room screen shows it (name, temperature,
    // surface, the losses typed) with the details it keeps, if any.
    FrmDeperditions(EtudeEnCours& etude, const Piece& piece, QWidget* parent = nullptr);

    GrilleElements* Elements() const { return grille_; }
    // The details as typed.
    DeperditionsPiece Details() const;

    void CmdOK_Click();
    void CmdAide_Click();

signals:
    // "OK" took the details: the room screen's two fields receive these
    // values (room, floor).
    void deperditionsCalculees(double piece, double plancher);

private:
    QWidget* CreerAir();
    QWidget* CreerResultats();
    void Afficher(const DeperditionsPiece& details);
    // The results and what "OK" will do, for the details as typed.
    void Actualiser();

    EtudeEnCours& etude_;
    Piece piece_;
    double hauteurClimat_;
    GrilleElements* grille_;
    ChampNumerique* txtRenouvellement_;
    ChampNumerique* txtDebitExtrait_;
    ChampNumerique* txtHauteur_;
    ChampNumerique* txtRelance_;
    QLabel* lblTransmission_;
    QLabel* lblVentilation_;
    QLabel* lblRelance_;
    QLabel* lblTotal_;
    QLabel* lblPlancher_;
    QLabel* lblDebitAir_;
    QLabel* lblSuite_;
};

} // namespace sorvel
