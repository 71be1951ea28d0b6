#pragma once

// The values a new room of a study starts from ("Valeurs par défaut des
// pièces..."): the room temperature by the room's name, the supply/return
// drop, both floor coverings, the insulation of the ceiling-gain and
// downward-emission estimates and the connecting pipes of its normal loop.
// The study keeps them in its extension file; a study without them starts
// every room without temperature or covering, with a drop of 8 K, 4 cm of
// insulation and no connecting pipe (DefautsPieces{}). Pure C++.

#include "etude/Etude.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sorvel {

// The names the room screen proposes, in the order of its list.
inline constexpr std::array<std::string_view, 26> NomsPiecesProposes = {
    "Atelier",   "Buanderie",      "Bureau",      "Cellier",   "Chambre 1",      "Chambre 2",
    "Chambre 3", "Chambre 4",      "Chambre 5",   "Chambre 6", "Chambre d'amis", "Cuisine",
    "Dégagement", "Douche",        "Entrée",      "Hall",      "Lingerie",       "Mézzanine",
    "Repas",     "Salle à manger", "Salle de bain", "Salle d'eau", "Séjour",      "Toilette",
    "Véranda",   "WC"};

// Temperatures the dialog proposes: the rooms one washes in are kept
// warmer than the others, °C.
inline constexpr int TemperatureSalleDeBain = 22;
inline constexpr int TemperatureAutresPieces = 20;

// What the dialog proposes when the study has no defaults yet: every name
// of the list at its proposed temperature ("Salle de bain", "Salle d'eau"
// and "Douche" at 22 °C, the others at 20 °C), the rest as DefautsPieces{}.
DefautsPieces DefautsProposes();

// The defaults `defauts` with every name of the list that they lack at its
// proposed temperature, after their own names: what the dialog shows.
DefautsPieces DefautsCompletes(const DefautsPieces& defauts);

// A new room as the defaults start it: no name nor temperature yet (the
// name chosen gives it, TemperatureParNom), the drop, the coverings, the
// insulation thicknesses and the connecting pipes of the defaults.
Piece PieceDepuisDefauts(const DefautsPieces& defauts);

// The temperature the defaults give a room named `nom` (trimmed): the one
// of that very name; else the one of a name of the defaults that differs
// only by its final number ("Chambre 7" takes that of "Chambre 1"); else
// the one of the longest name that `nom` begins with, followed by a space
// ("Salle de bain étage", "Douche italienne"). Nothing otherwise.
std::optional<int> TemperatureParNom(const DefautsPieces& defauts, std::string_view nom);

// Why `defauts` cannot be kept, naming the field by its key in the
// extension file ("tempChute", "temperatures"...) and the reason in French
// without a final full stop; nothing when they can. Whole numbers of the
// lists the screens offer (temperatures 15 to 24 °C, drop 3 to 20 K,
// insulation 2 to 8 cm), non-empty names each given once, a connecting
// length within the room screen's bound.
struct RefusDefauts {
    std::string Champ;
    std::string Raison;
    bool operator==(const RefusDefauts&) const = default;
};
std::optional<RefusDefauts> VerifierDefautsPieces(const DefautsPieces& defauts);

} // namespace sorvel
