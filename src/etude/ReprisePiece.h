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

// Which of the ceiling gain and the downward emission of a room are their
// panels' estimates: "Apport par le plafond" is the ceiling area times the
// coefficient of its insulation, "Emission vers le bas" the room's net floor
// times that of its own. Such a value follows what it was made from.
struct Estimations {
    bool Apport = false;
    bool Emissions = false;
    bool operator==(const Estimations&) const = default;
};

// The values of `piece` that are their panels' estimates, to the centiwatt
// (what the records' single precision leaves of them); a value of 0 is not
// given yet and is none.
Estimations EstimationsDe(const Piece& piece);

// `piece` with the values `estimees` says are estimates made again from its
// surfaces and insulations as they are now.
Piece AppliquerEstimations(const Piece& piece, Estimations estimees);

} // namespace sorvel
