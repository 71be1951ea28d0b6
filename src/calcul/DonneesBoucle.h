#pragma once

// One loop of a room as it was designed, in the quantities the expert
// modules take: the room calculation gives it, the correction and
// uncertainty modules start from it.

#include "calcul/Grandeurs.h"

#include <optional>
#include <string>

namespace sorvel {

struct DonneesBoucle {
    std::string NomPiece;
    // One loop of the normal (or combined) zone: a zone laid as N equal
    // loops gives one N-th of its length, flow and heat.
    double LongueurBoucle = 0;       // m, in the room, without its connecting pipes
    double LongueurRaccordement = 0; // m, connecting pipes of that loop
    double Debit = 0;                // l/h, loop and connecting pipes
    double Chaleur = 0;              // W, what the loop gives the room at design conditions
    double CoeffSurfacique = 0;      // W/(m².K), emission of the chosen pitch
    std::optional<PasVZ> Pas;        // none when no pitch gives the emission
    DiametreTube Tube = DiametreTube::D16x20;
    int TempDepart = 0;              // °C
    int Chute = 0;                   // K, supply/return drop
    int TempPiece = 0;               // °C
    // °C, the site's base outdoor temperature; none when the study has no
    // climate.
    std::optional<double> TempExterieure;
    bool operator==(const DonneesBoucle&) const = default;
};

} // namespace sorvel
