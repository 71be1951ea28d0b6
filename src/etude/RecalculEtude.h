#pragma once

// Recalculating a whole study: every room in order and balanced, the
// material to order, the setting of every loop's valve and the lowest
// supply temperature that needs no supplementary heat. What the summary,
// the material list, the balancing window, the printed reports and the
// batch tool all show.

#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Etude.h"
#include "etude/Materiel.h"

#include <vector>

namespace sorvel {

struct EtudeRecalculee {
    ResultatEtude Resultat;
    std::vector<CelluleMateriel> Materiel;
    EquilibrageEtude Equilibrage;
};

// Raises ErreurCalculEtude for the first room that cannot be calculated.
EtudeRecalculee RecalculerEtude(const std::vector<Piece>& pieces, const Installation& generales);

} // namespace sorvel
