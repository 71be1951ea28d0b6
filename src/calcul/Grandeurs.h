#pragma once

// The choices a room calculation is keyed by: how the pipe is held, its
// size, the load type of the panel, the pipe pitch and the thermal
// resistance of the floor covering. Each is one of a short list; the values
// of the enumerations are the numbers the files and the screens use (an
// option's index, a pitch in cm, a resistance in hundredths of m².K/W).

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorvel {

// How the pipe is held on the insulation: trellis or pre-marked boards, or
// thermoformed studs (which hold it a little higher in the screed).
enum class Fixation : std::int16_t { Treillis = 0, Plots = 1 };

// Pipe size, bore x outer diameter in mm.
enum class DiametreTube : std::int16_t { D13x16 = 0, D16x20 = 1 };

// Load type of a room's panel.
enum class Charge : std::int16_t {
    Normale = 0,  // normal zone only
    Elevee = 1,   // edge zone on a loop of its own
    Combinee = 2, // edge zone along one wall, on the room's loop
    Angle = 3,    // edge zone in a corner, on the room's loop
};
inline constexpr int NombreTypesCharge = 4;
inline constexpr std::array<Charge, NombreTypesCharge> TypesCharge = {Charge::Normale, Charge::Elevee,
                                                                       Charge::Combinee, Charge::Angle};
// Every type but the normal one has an edge zone; only Elevee feeds it
// through a loop of its own (with its own connecting pipes and drop).
inline constexpr bool AvecZoneBordure(Charge type) { return type != Charge::Normale; }
inline constexpr bool BoucleBordureIndependante(Charge type) { return type == Charge::Elevee; }
// The edge area is entered for these two types; the corner zone's is derived.
inline constexpr bool SurfaceBordureSaisie(Charge type) { return type == Charge::Elevee || type == Charge::Combinee; }

// Pipe pitch VZ; the value is the pitch in cm. The normal zone is laid at
// 10 to 30 cm, the edge zone at 5 to 15 cm.
enum class PasVZ : std::int16_t { VZ5 = 5, VZ10 = 10, VZ15 = 15, VZ20 = 20, VZ30 = 30 };
inline constexpr int Centimetres(PasVZ pas) { return static_cast<int>(pas); }
inline constexpr std::array<PasVZ, 3> PasBordure = {PasVZ::VZ5, PasVZ::VZ10, PasVZ::VZ15};
// The pitch of `centimetres` cm, nothing for any other number.
std::optional<PasVZ> PasEnCentimetres(int centimetres);

// Thermal resistance of a floor covering, m².K/W: one of the fifteen rows of
// the emission tables, 0.01 to 0.15 by 0.01. The value is in hundredths.
enum class Resistance : std::int8_t {
    R001 = 1, R002, R003, R004, R005, R006, R007, R008,
    R009, R010, R011, R012, R013, R014, R015,
};
inline constexpr int NombreResistances = 15;
inline constexpr int Centiemes(Resistance r) { return static_cast<int>(r); }
// The resistance of `centiemes` hundredths, nothing outside 1..15.
std::optional<Resistance> ResistanceEnCentiemes(int centiemes);
// The double nearest to the resistance (0.05 for R005).
double ValeurResistance(Resistance r);
// As the lists show it and the files hold it, with a point: "0.05".
std::string_view TexteResistance(Resistance r);
// The resistance of that exact text, nothing for any other.
std::optional<Resistance> ResistanceDepuisTexte(std::string_view texte);

} // namespace sorvel
