#pragma once

// The recalculated study as CSV for a French spreadsheet: the separator is
// ";", a line of column headings, one line per room (numbers rounded to 2
// decimals with a decimal comma), then, after an empty line, one line
// "designation;value;unit" per material quantity, then, after another, the
// balancing section. The batch tool prints it and the summary window
// exports it; the balancing window exports its section alone: one writer
// for all. Pure C++.

#include "etude/CalculEtude.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Materiel.h"

#include <string>
#include <string_view>
#include <vector>

namespace sorvel {

// A text field: control characters shown by their symbols (a CSV line
// holds no raw control byte), quoted when it holds the separator or a
// quote, a quote doubled inside.
std::string ChampCsv(std::string_view texte);

// The balancing section: a line "Équilibrage", a line of column headings
// in words with their units ("Débit (l/h)"), one line per loop as the balancing
// window shows it, an empty line and the line "Température de départ
// minimale sans appoint;38;°C" (or ";aucune (appoint nécessaire même à
// 50 °C);").
std::string CsvEquilibrage(const EquilibrageEtude& equilibrage);

// The whole CSV text (UTF-8, lines ended by "\n"); without material (a
// study without rooms) the material part, the balancing section and their
// empty lines are left out.
std::string CsvEtude(const ResultatEtude& resultat, const std::vector<CelluleMateriel>& materiel,
                     const EquilibrageEtude& equilibrage);

} // namespace sorvel
