#pragma once

// Alphabetical order of names as a French reader expects it in a list,
// whatever the machine's locale: letters compared without their accents and
// case first ("école" beside "Ecole", before "Étage"), numbers by their value
// ("Etude 2" before "Etude 10"), spaces and punctuation before digits and
// digits before letters. Names equal on the letters are then ordered by
// accents (none first, then acute, grave, circumflex, diaeresis, cedilla,
// from the start of the name), then by case (lower case first), and at last
// by their bytes, so that two different names never compare equal.

#include <string_view>

namespace sorvel {

// < 0 when `a` comes before `b`, 0 when they are the same text, > 0 after.
// Both are UTF-8; a byte that starts no valid sequence counts as itself.
int ComparerEnFrancais(std::string_view a, std::string_view b);

// Strict weak order for sorting: `a` comes before `b`.
inline bool AvantEnFrancais(std::string_view a, std::string_view b) { return ComparerEnFrancais(a, b) < 0; }

} // namespace sorvel
