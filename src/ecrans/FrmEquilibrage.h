#pragma once

// The balancing window: one row per loop of the study recalculated when it
// opens, with its flow, its pressure drop, the artificial drop its valve
// must add, the velocity of the water and the valve setting as a Kv; the
// warnings in orange, each explained by its tooltip; the study's largest
// pressure drop and lowest supply temperature without supplementary heat
// below. "Exporter…" writes the table as CSV for a spreadsheet. A normal
// zone too long for one loop shows its advice ("trop longue : 3 boucles")
// as a button that lays the zone as that many equal loops, the window then
// shown afresh.

#include "ihm/FenetreAuxiliaire.h"
#include "modele/EtudeEnCours.h"

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace sorvel {

class Grille;

class FrmEquilibrage : public FenetreAuxiliaire {
    Q_OBJECT
public:
    // Recalculates the study and fills the grid, the labels and the title.
    // A room that cannot be calculated is told (by the study) and leaves
    // only the heading rows.
    explicit FrmEquilibrage(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleEquilibrage() const { return grille_; }

    void CmdFermer_Click() { Fermer(); }
    void CmdExporter_Click();
    // The advice of loop row `ligne` (from 0, in the balancing's order)
    // applied: its room's normal zone laid as the loops advised.
    void CmdPartager_Click(std::size_t ligne);
    // The study recalculated and the grid and labels filled again.
    void Actualiser();

    // The whole grid when the main window has the room for it.
    QSize sizeHint() const override;

protected:
    // Shown again after another screen: the study may have changed
    // meanwhile (a room deleted or edited), and the window acts on it.
    void Revenue() override { Actualiser(); }

private:
    EtudeEnCours& etude_;
    std::optional<EtudeRecalculee> recalculee_;
    QVBoxLayout* corps_ = nullptr; // the body, which the grid heads
    Grille* grille_ = nullptr;
    QLabel* lblPerte_ = nullptr;
    QLabel* lblTempDepartMinimale_ = nullptr;
    QPushButton* cmdExporter_ = nullptr;
};

} // namespace sorvel
