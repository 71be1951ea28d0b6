#pragma once

// "Reprendre la pièce sélectionnée" of the two modules: their fields filled
// from one loop of a room of the study, so that the engineer starts from
// the design instead of typing it again. What the room cannot give (the
// loss coefficient without an outdoor temperature) is left not entered,
// for the module's own check to ask.

#include "calcul/DonneesBoucle.h"
#include "modules/ModCorrection.h"
#include "modules/ModIncertitude.h"

#include <optional>

namespace sorvel::modules {

// The room's loss coefficient H seen by the loop, W/K: the loop's heat over
// the room-to-outside difference. None without a difference (the outdoor
// temperature at or above the room's).
std::optional<double> CoeffDeperditionsBoucle(const DonneesBoucle& boucle, double tempExterieure);

// The outdoor temperature the fields take: the site's; without one, what
// the field `texte` holds when it is entered (not 0).
std::optional<double> TempExterieureReprise(const DonneesBoucle& boucle, std::string_view texte);

// H as its field shows it for the outdoor temperature the field `texte`
// holds (the site's when the loop has one): rounded to 2 decimals, "0" (not
// entered) when it cannot be worked out.
std::string TexteCoeffDeperditions(const DonneesBoucle& boucle, std::string_view texteExterieure);

// `s` with the loop's data in every field the room gives: lengths, supply
// temperature, drop, outdoor temperature, flow, emission coefficient, H,
// pitch, pipe, and the room's temperature as the wished one. The correction
// mode stays as chosen.
ModCorrection::Saisie ReprendreCorrection(ModCorrection::Saisie s, const DonneesBoucle& boucle);
// The same for the uncertainty module; the percentages stay as typed.
ModIncertitude::Saisie ReprendreIncertitude(ModIncertitude::Saisie s, const DonneesBoucle& boucle);

} // namespace sorvel::modules
