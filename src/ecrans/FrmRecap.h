#pragma once

// The summary window: the whole study recalculated, one row per room and 41
// columns with their formats and colours, the totals row and two lines of
// text below, then the lowest supply temperature that needs no
// supplementary heat. It holds what was computed when it was opened;
// "Exporter…" writes that same summary with the material list and the
// balancing for a spreadsheet.

#include "ihm/FenetreAuxiliaire.h"
#include "modele/EtudeEnCours.h"

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace sorvel {

class Grille;

class FrmRecap : public FenetreAuxiliaire {
    Q_OBJECT
public:
    // Lays out the heading rows and the column widths; no room yet.
    explicit FrmRecap(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleRecap() const { return grille_; }

    // Recalculates the study and fills the room rows, the totals, both
    // labels and the title. A room that cannot be calculated is told (by
    // the study) and leaves the grid unfilled.
    void RemplirRecapitulatif();

    void CmdFermer_Click() { Fermer(); }
    void CmdExporter_Click();

    // The whole grid when the main window has the room for it.
    QSize sizeHint() const override;

signals:
    // A double click on room `n` (from 1) of the table, or Enter on its row:
    // that room is to be opened on the room screens.
    void ouvrirPiece(int n);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Asks for the room of grid row `ligne` to be opened, if it holds one.
    void OuvrirPieceDeLigne(int ligne);

    EtudeEnCours& etude_;
    Grille* grille_;
    QLabel* lblRecap_;
    QLabel* lblPerte_;
    QLabel* lblTempDepartMinimale_;
    QLabel* lblLegende_;
    QPushButton* cmdExporter_;
    std::optional<EtudeRecalculee> recalculee_;
    int pieces_ = 0; // rooms in the table
};

} // namespace sorvel
