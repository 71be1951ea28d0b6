#pragma once

// Emission coefficients of the heated floor, W/(m².K): the heat one m² of
// floor gives off per kelvin between the mean water temperature and the
// room, by pipe size, floor-covering resistance Rth and pipe pitch VZ.
// Pure data and lookups: no file, no Qt.

#include <string_view>

namespace sorvel {

// Result of the pitch choice: the pitch in cm (30, 20, 15, 10, or 0 when no
// pitch of the row gives the required emission) and its coefficient.
struct PasCoefficient {
    double Pas = 0;
    double Coefficient = 0;
    bool operator==(const PasCoefficient&) const = default;
};

// Widest normal-zone pitch whose coefficient reaches `coefDemande`, in the
// row whose Rth equals `rth` exactly (0.01, 0.02, ... 0.15 as doubles).
// Table: "Treillis" or any other support text (the studs), "13x16" or any
// other tube text (16x20). No row, or a requirement above the VZ10 value:
// {0, 0}.
PasCoefficient ChoisirPasVZ(std::string_view support, std::string_view tube,
                            double rth, double coefDemande);

// Coefficient of a given pitch, looked up by exact texts: Rth "0.01".."0.15",
// pitch "10", "15", "20", "30" (normal zone) or "5", "10", "15" (edge zone).
// A text outside the table gives 0; with the support "Plots" 0.03 less
// (so -0.03 for an unknown text). Tube "13x16", any other text 16x20.
double CoefficientNormale(std::string_view tube, std::string_view rth,
                          std::string_view support, std::string_view pas);
double CoefficientBordure(std::string_view tube, std::string_view rth,
                          std::string_view support, std::string_view pas);

} // namespace sorvel
