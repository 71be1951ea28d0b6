#pragma once

// What the installer sets on site once the study is balanced: for every
// loop, its flow, its pressure drop, the artificial drop its balancing valve
// must add, the velocity of the water, the valve setting as a Kv, and three
// warnings (water too slow to carry air away, laminar flow, loop too long);
// and the lowest supply temperature at which no room needs supplementary
// heat. Everything is drawn from the recalculated study. Pure C++.

#include "etude/CalculEtude.h"
#include "etude/Etude.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// Below this velocity (m/s) the water no longer sweeps the air bubbles of a
// loop along to the vents of the manifold.
inline constexpr double VitesseMinimaleEau = 0.15;
// 1 mmCE is the pressure of a millimetre of water under standard gravity;
// 1 bar is 100 000 Pa.
inline constexpr double PascalsParMmCE = 9.80665;
inline constexpr double PascalsParBar = 100'000.0;

enum class TypeBoucle { Normale, Bordure };
// "normale" or "bordure".
const char* TexteBoucle(TypeBoucle boucle);

// One loop of the study as the installer balances it.
struct ReglageBoucle {
    int Piece = 0;                      // room number, from 1
    std::string NomPiece;               // trimmed
    TypeBoucle Boucle = TypeBoucle::Normale;
    double Longueur = 0;                // m, connecting pipes included
    double Debit = 0;                   // l/h
    double Perte = 0;                   // mmCE, the loop's own pressure drop
    double PerteArtificielle = 0;       // mmCE, what its valve must add
    double Vitesse = 0;                 // m/s, in the bore of the study's pipe
    double Reynolds = 0;                // at the room's mean water temperature
    std::optional<double> Kv;           // m³/h; nothing for a valve left fully open
    bool AlerteVitesse = false;         // slower than VitesseMinimaleEau
    bool AlerteLaminaire = false;       // Re <= ReynoldsLaminaire
    bool AlerteLongueur = false;        // shown red in the summary
    int BouclesConseillees = 1;         // equal loops of the room's zone that bring it out of the red
    int Rang = 1;                       // which of the room's equal loops, from 1
    int Rangs = 1;                      // how many equal loops the room's zone is laid as
};

// Which of its room's equal loops `b` is: "2 sur 3"; "1 sur 1" for a loop
// alone, an edge loop included (a spreadsheet would read "2/3" as a date).
std::string RangBoucle(const ReglageBoucle& b);
// The kind of loop `b`, and for one of several equal loops which one:
// "normale (2 sur 3)", "bordure".
std::string TexteBoucleRang(const ReglageBoucle& b);

// Kv (m³/h) of a valve passing `debit` l/h with a drop of `perte` mmCE
// across it: Q[m³/h] / √(Δp[bar]). Raises ErreurArithmetique ("Kv") for a
// drop that is not above zero.
double KvVanne(double debit, double perte);

// How many equal loops sharing `longueur` m of pipe the summary would no
// longer show red with the pipe `tube`; 1 for a loop it does not show red.
int BouclesEgalesConseillees(double longueur, DiametreTube tube);

// The fewest equal loops, 1 to BouclesMaximum, that lay `longueurZone` m
// of a normal zone with `longRaccord` m of connecting pipes each, and that
// the summary does not show red with the pipe `tube`; nothing when even the
// most are red.
std::optional<int> BouclesProposees(double longueurZone, double longRaccord, DiametreTube tube);

// Every loop of the recalculated study `resultat` (general data
// `generales`), in room order, the normal loop before the edge loop of a
// room that has one. A valve whose artificial drop shows as 0 (2 decimals)
// is left open: the most resistant loop of the study, and any loop as
// resistant. Raises ErreurArithmetique when a figure of the table cannot be
// computed.
std::vector<ReglageBoucle> ReglerBoucles(const ResultatEtude& resultat, const Installation& generales);

// The lowest supply temperature of the list (TempDepartBasse to
// TempDepartHaute, °C) at which the study recalculated needs no
// supplementary heat in any room, with the present covering as with the
// future one; nothing when even the highest needs some. A temperature at
// which some room cannot be calculated does not qualify. A study without
// rooms needs none at the lowest.
std::optional<int> TempDepartMinimale(const std::vector<Piece>& pieces, const Installation& generales);

// Both, for the windows, the CSV and the batch tool.
struct EquilibrageEtude {
    std::vector<ReglageBoucle> Boucles;
    std::optional<int> TempDepartMinimale;
    DiametreTube Tube = DiametreTube::D16x20; // the study's pipe, whose limits the warnings quote
};

// The balancing of the study `pieces` with the general data `generales`,
// recalculated as `resultat`.
EquilibrageEtude CalculerEquilibrage(const std::vector<Piece>& pieces, const Installation& generales,
                                     const ResultatEtude& resultat);

} // namespace sorvel
