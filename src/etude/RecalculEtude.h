#pragma once

// Recalculating a whole study: every room in order and balanced, the
// material to order, the setting of every loop's valve and the lowest
// supply temperature that needs no supplementary heat. What the summary,
// the material list, the balancing window, the printed reports and the
// batch tool all show.

#include "etude/CalculEtude.h"
#include "etude/Collecteurs.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Etude.h"
#include "etude/Materiel.h"

#include <vector>

namespace sorvel {

struct EtudeRecalculee {
    ResultatEtude Resultat;
    std::vector<CelluleMateriel> Materiel;
    EquilibrageEtude Equilibrage;
    std::vector<FiguresCollecteur> Collecteurs; // every manifold, its loops and its balancing
};

// Raises ErreurCalculEtude for the first room that cannot be calculated.
// `collecteurs`: the study's list of manifolds (none: one of 12 outlets).
EtudeRecalculee RecalculerEtude(const std::vector<Piece>& pieces, const Installation& generales,
                                const std::vector<Collecteur>& collecteurs = {});

} // namespace sorvel
