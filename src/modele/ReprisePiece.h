#pragma once

// "Reprendre la pièce sélectionnée" of the expert modules: the study gives
// the loop of the room chosen in the rooms list, calculated as its results
// screen shows it, for the module to start from.

#include "calcul/DonneesBoucle.h"
#include "etude/Etude.h"
#include "etude/ReprisePiece.h"

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

// Which of the ceiling gain and the downward emission of `piece` are its
// panels' estimates, which follow their surfaces and insulations; a value
// typed by hand, or still 0, is none.
Estimations EstimationsPiece(const Piece& piece);
// `piece` with those values made again from what it now shows.
Piece EstimationsSuivies(const Piece& piece, Estimations estimees);

} // namespace sorvel
