#pragma once

// Plain-language reasons why a room could not be calculated, for the
// message that sends the user back to the room's inputs.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"

#include <string>

namespace sorvel {

// What the user must correct, in French, without the trailing full stop:
// "la température moyenne de l'eau est égale à la température de la pièce".
// The inputs are examined first (a cause seen in them is named whatever the
// step that stumbled on it); otherwise the failed step is put into words, and
// a step without a wording is named as it is.
std::string ExpliquerEchec(const EntreesPiece& entrees, const ErreurArithmetique& erreur);

// The wording of a step alone ("le calcul des émissions nécessaires pour la
// pièce"), empty when the step has none.
std::string LibelleEtape(const std::string& etape);

} // namespace sorvel
