#pragma once

// What a room hands on beyond its own screens: the loop the expert modules
// start from, and the estimates of its ceiling gain and downward emission,
// which follow the surfaces they were made from.

#include "calcul/DonneesBoucle.h"
#include "calcul/ModCalcul.h"
#include "etude/Etude.h"

#include <optional>

namespace sorvel {

// The loop of the normal (or combined) zone of `piece`, calculated into
// `resultats` with the general data `generales`, in a site whose base
// outdoor temperature is `tempExterieure` (none: no climate given). A zone
// of N equal loops gives one loop: an N-th of the zone's length, flow and
// heat. The heat is what the floor must give the room (the corrected
// losses), less what an independent edge loop gives.
DonneesBoucle BouclePiece(const Piece& piece, const Installation& generales, const ResultatsPiece& resultats,
                          std::optional<double> tempExterieure);

// `apres`, the room as its screen now shows it after a change to `avant`,
// with its ceiling gain and downward emission made again when they were
// the estimates of their panels ("Apport par le plafond": ceiling area
// times the coefficient of its insulation; "Emission vers le bas": the
// room's net floor times that of its own) and what they were made from
// has changed. A value typed by hand, or 0 (not given yet), stays as it is.
Piece SuivreEstimations(const Piece& avant, const Piece& apres);

} // namespace sorvel
