#pragma once

// The check of what the extension file of a study holds beside its records:
// the site's climate and the details of each room's losses, against the
// rooms they belong to. The rules are those the calculation of the losses
// needs: areas, U values, air changes, extract flows and reheats never
// negative, heights above 0, a factor b from 0 to 1 for an unheated space,
// the temperature of a heated neighbour, the annual mean temperature for a
// floor on the ground, and a room warmer than the outside. The same rules
// hold when the file is read and before it is written, so that the program
// never writes what it would refuse to open. Faults name the fields by
// their keys in that file. Pure C++.

#include "enregistrements/VerificationEtude.h"
#include "etude/Etude.h"

#include <optional>
#include <vector>

namespace sorvel {

// The first fault (FichierStocke::Extension): the climate first, then the
// rooms in order, each room's own values before its elements; nothing when
// all is sound. A room without details asks for nothing, not even a
// climate.
std::optional<DefautEtude> VerifierDeperditions(const std::optional<ClimatSite>& climat,
                                                const std::vector<Piece>& pieces);

} // namespace sorvel
