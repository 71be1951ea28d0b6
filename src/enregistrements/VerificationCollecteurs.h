#pragma once

// The check of the manifolds the extension file of a study lists and of the
// manifold each room names: a name that is not empty, 1 to 24 outlets as a
// whole number, an own drop that is a number of 0 or more, and a room's
// manifold among those of the list. The same rules hold when the file is
// read and before it is written, so that the program never writes what it
// would refuse to open. Faults name the fields by their keys in that file.
// Pure C++.

#include "enregistrements/VerificationEtude.h"
#include "etude/Etude.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// Why `sorties` cannot be the outlets of a manifold ("le nombre de sorties
// 25 n'est pas un nombre entier de 1 à 24"); nothing when it can.
std::optional<std::string> RefusSorties(double sorties);
// Why `numero` cannot name a manifold of a list of `nombre` ("le collecteur
// 3 n'existe pas, l'étude en compte 2"); nothing when it can.
std::optional<std::string> RefusNumeroCollecteur(double numero, std::size_t nombre);

// The first fault (FichierStocke::Extension): the manifolds in order, each
// its name, outlets and own drop, then the rooms in order; nothing when all
// is sound. An empty list stands for the study's single default manifold.
std::optional<DefautEtude> VerifierCollecteurs(const std::vector<Collecteur>& collecteurs,
                                               const std::vector<Piece>& pieces);

} // namespace sorvel
