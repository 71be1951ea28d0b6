#pragma once

// The heat losses of a room worked out from its walls, windows, doors,
// floors and ceilings, its air change and its reheat, by the simplified
// method of the European standard for heating loads: each element loses
// H × Δθ through its area, the air renewed carries 0.34 W per m³/h and per
// kelvin, the reheat adds a fixed power per m². The climate of the site
// gives the outdoor temperature every room is designed for.

#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// The climate of the site, shared by every room of a study.
struct ClimatSite {
    std::string Departement;                   // free text, "69"
    std::optional<double> Altitude;            // m
    double TempExterieure = 0;                 // °C, base outdoor temperature θe
    std::optional<double> TempMoyenneAnnuelle; // °C, needed for floors on the ground
    double PontsThermiques = 0;                // W/(m².K), ΔU_tb added to the U of outer elements
    double Hauteur = 2.5;                      // m, height of a room that gives none
    bool operator==(const ClimatSite&) const = default;
};

// Thermal bridges the climate dialog offers, W/(m².K).
inline constexpr double PontsThermiquesProposes[] = {0.02, 0.05, 0.10, 0.15};

enum class NatureElement { Mur, Fenetre, Porte, Plancher, Plafond };
// What lies behind an element: the outside, an unheated space (its
// temperature reduction factor b), the ground (U is the floor's equivalent
// U), or a heated neighbour (at its own temperature).
enum class ContactElement { Exterieur, NonChauffe, Sol, Chauffe };

struct ElementParoi {
    std::string Designation;              // "Mur nord"
    NatureElement Nature = NatureElement::Mur;
    double Surface = 0;                   // m², A
    double U = 0;                         // W/(m².K)
    ContactElement Contact = ContactElement::Exterieur;
    std::optional<double> B;              // 0 to 1, with NonChauffe
    std::optional<double> TempAdjacente;  // °C, with Chauffe
    bool operator==(const ElementParoi&) const = default;
};

// The details of a room's losses.
struct DeperditionsPiece {
    std::optional<double> Hauteur;        // m; the climate's when none
    double Renouvellement = 0;            // air changes per hour
    double DebitExtrait = 0;              // m³/h, mechanical extract
    double Relance = 0;                   // W/m², reheat after setback
    std::vector<ElementParoi> Elements;
    bool operator==(const DeperditionsPiece&) const = default;
};

struct ResultatDeperditions {
    std::vector<double> H;      // W/K, one per element
    std::vector<double> Flux;   // W, one per element: H × Δθ
    double Transmission = 0;    // W, Φ_T
    double DebitAir = 0;        // m³/h, the larger of the air change and the extract
    double Ventilation = 0;     // W, Φ_V
    double Relance = 0;         // W, Φ_RH
    double Total = 0;           // W
    double Plancher = 0;        // W, through the floors alone
};

// The losses of a room at `tempPiece` °C with `surfacePiece` m² of floor,
// signed and unrounded. Raises ErreurArithmetique naming the step when the
// room is not warmer than the outside ("EcartDeperditions"), or an element
// lacks what its contact needs ("B", "TempAdjacente", "TempMoyenneAnnuelle").
ResultatDeperditions CalculerDeperditions(const DeperditionsPiece& details, const ClimatSite& climat, double tempPiece,
                                          double surfacePiece);

// What a field of the room screen receives from a loss: rounded to the
// watt, halves to even, and never below 0 (a room over a warmer one gains
// heat through its floor).
double ValeurChampDeperditions(double flux);

} // namespace sorvel
