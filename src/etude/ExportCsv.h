#pragma once

// The recalculated study as CSV for a French spreadsheet: the separator is
// ";", a line of column headings, one line per room (numbers rounded to 2
// decimals with a decimal comma), then, after an empty line, one line
// "designation;value;unit" per material quantity. The batch tool prints it
// and the summary window exports it: one writer for both. Pure C++.

#include "etude/CalculEtude.h"
#include "etude/Materiel.h"

#include <string>
#include <string_view>
#include <vector>

namespace sorvel {

// A text field: control characters shown by their symbols (a CSV line
// holds no raw control byte), quoted when it holds the separator or a
// quote, a quote doubled inside.
std::string ChampCsv(std::string_view texte);

// The whole CSV text (UTF-8, lines ended by "\n"); without material (a
// study without rooms) the material part and its empty line are left out.
std::string CsvEtude(const ResultatEtude& resultat, const std::vector<CelluleMateriel>& materiel);

} // namespace sorvel
