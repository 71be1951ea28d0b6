#pragma once

// Material list of the site: quantities to order, from the recalculated
// study and the general data. Computation only; every quantity is rounded up
// to a whole number (ArrondiSup) and carries a fixed allowance for waste.

#include "etude/CalculEtude.h"
#include "etude/Etude.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace sorvel {

// A quantity (a whole number) or a text ("-", "13x16", "Treillis"...).
using CelluleMateriel = std::variant<double, std::string>;

struct LigneMateriel {
    const char* Designation; // "Longueur totale de tube"...
    const char* Unite;       // "m", "mm", "-", "m²", "u", "L"
};
// Designations and units of the 12 cells, in order.
extern const std::array<LigneMateriel, 12> LignesMateriel;

// A cell as the material list shows it: the text as it is, a quantity in
// its shortest form with a comma ("124", "-").
std::string TexteMateriel(const CelluleMateriel& cellule);

// Trellis areas (m²) for meshes 5x5, 10x10 and 15x15 under the zones laid
// at 5, 10 or 20, 15 or 30 cm; all 0 on thermoformed studs.
std::array<double, 3> SurfacesTreillis(const TableEtude& table, const Installation& generales);

// The 12 cells of the material list; empty when the study has no room.
// `boucles`: the equal loops of each room's normal zone (1 when not given),
// whose length the table gives loop by loop.
std::vector<CelluleMateriel> Materiel(const TableEtude& table, const Installation& generales,
                                      const std::vector<int>& boucles = {});

} // namespace sorvel
