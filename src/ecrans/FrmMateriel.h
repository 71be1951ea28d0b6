#pragma once

// The material list window: the quantities to order for the site, from the
// study recalculated when the window opens.

#include "ihm/FenetreAuxiliaire.h"

namespace sorvel {

class EtudeEnCours;
class Grille;

class FrmMateriel : public FenetreAuxiliaire {
    Q_OBJECT
public:
    // Lays out the grid and fills it from the study recalculated now. A
    // study without rooms, or one whose room cannot be calculated (told by
    // the study), leaves only the heading row.
    explicit FrmMateriel(EtudeEnCours& etude, QWidget* parent = nullptr);

    Grille* GrilleMat() const { return grille_; }
    void CmdFermer_Click() { Fermer(); }

private:
    Grille* grille_;
};

} // namespace sorvel
