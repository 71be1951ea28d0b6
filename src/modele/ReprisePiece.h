#pragma once

// "Reprendre la pièce sélectionnée" of the expert modules: the study gives
// the loop of the room chosen in the rooms list, calculated as its results
// screen shows it, for the module to start from.

#include "calcul/DonneesBoucle.h"
#include "etude/Etude.h"

#include <optional>

namespace sorvel {

class EtudeEnCours;

// The loop of the normal zone of room `n` (the row chosen in the rooms
// list, from 1), with the study's general data and the site's outdoor
// temperature when it has a climate. Nothing, and the user told why
// ("Reprendre la pièce."), when the row holds no room, and nothing with the
// "Calcul impossible." message when the room cannot be read or calculated:
// the module keeps its fields then.
std::optional<DonneesBoucle> ReprendrePiece(EtudeEnCours& etude, int n);

// The room screen after a change from `avant` to `apres`: its ceiling gain
// and downward emission made again when they were their panels' estimates
// and the surface or insulation they came from has changed; a value typed
// by hand, or still 0, stays.
Piece EstimationsSuivies(const Piece& avant, const Piece& apres);

} // namespace sorvel
