#pragma once

// The bounds of every number the room screens take (the most rooms a study
// holds, PiecesMaximumEtude, lies beside the typed study). The study check
// refuses a stored study beyond them, and the screens refuse the same
// numbers on entry, so that the program never writes what it would refuse
// to open. Every bound lies far beyond any dwelling; 0 is the lower bound of
// every one.

#include "etude/Etude.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvel {

inline constexpr double SurfaceMaximale = 10'000;       // m², any area of a room
inline constexpr double PuissanceMaximale = 1'000'000;  // W, losses, gains, emissions of a room
inline constexpr double LongueurMaximale = 1'000;       // m, pipes of a room

// A number field of a room screen: its caption, its largest value and unit.
struct BorneSaisie {
    std::string_view Legende;
    double Maximum;
    std::string_view Unite;
};

// Every bounded number field, by the caption it has on its screen.
inline constexpr std::array<BorneSaisie, 11> BornesSaisie = {{
    {"Surface zone de bordure (élevée/limite)", SurfaceMaximale, "m²"},
    {"Surface de la pièce", SurfaceMaximale, "m²"},
    {"Surface des emprises", SurfaceMaximale, "m²"},
    {"Surface du plancher haut", SurfaceMaximale, "m²"},
    {"Déperditions de la pièce", PuissanceMaximale, "W"},
    {"Déperditions du plancher", PuissanceMaximale, "W"},
    {"Apport par le plafond", PuissanceMaximale, "W"},
    {"Emission vers le bas", PuissanceMaximale, "W"},
    {"Longueur des conduites de raccordement", LongueurMaximale, "m"},
    {"Longueur des conduites de distribution (traversantes)", LongueurMaximale, "m"},
    {"Longueur des conduites de raccordement (si boucle indépendante)", LongueurMaximale, "m"},
}};

// The bound of the field with this caption; nullptr for any other caption.
const BorneSaisie* BornePourLegende(std::string_view legende);

// Why `valeur` cannot stand in the field, without a final full stop ("la
// valeur -3 est négative", "la valeur 20000 dépasse 10000 m²", "la valeur
// n'est pas un nombre fini"); nothing when it can.
std::optional<std::string> RefusBorne(const BorneSaisie& borne, double valeur);

// What a screen says when it refuses a number of the field:
// "La valeur de « Surface de la pièce » doit être comprise entre 0 et 10000 m² !"
std::string MessageBorne(const BorneSaisie& borne);

// The number a room holds in the bounded field with this caption; nothing
// for any other caption.
std::optional<double> ValeurChamp(const Piece& d, std::string_view legende);

// The rule of the entry screens: of the fields captioned `legendes`, taken
// in the order given (a screen's order), the first whose number in `d` the
// study check would refuse, by its bound; nullptr when every one fits. A
// caption without a bound is passed over.
const BorneSaisie* PremierNombreRefuse(const Piece& d, const std::vector<std::string_view>& legendes);

} // namespace sorvel
