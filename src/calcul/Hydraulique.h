#pragma once

// Loop hydraulics: pipe lengths, the heat pipes give off, water properties,
// flows, the flow to throttle, velocity, Reynolds number, pressure drop
// per metre, balancing. Every operation is a pure function of its
// arguments; an arithmetic fault (division by zero, overflow, logarithm of
// a non-positive number, a NaN or infinite input) raises
// sorvel::ErreurArithmetique naming the step that failed.
// Units: °C, K, m, m², W, l/h, mmCE.

#include "calcul/Grandeurs.h"

#include <cstdint>
#include <optional>

namespace sorvel {

// Heat capacity of water in Wh/(kg.K), held in single precision: the flows
// are computed with this rounded factor, so that every stored pressure drop
// and every flow shown reproduce to the last digit.
inline constexpr double FacteurDebit = static_cast<double>(1.162639f); // 1.16263902187347412109375

// Largest number of 0.0001 K raises of the drop that DebitAFreiner tries
// (a raise of 1000 K): far beyond any real loop. Past it the search gives up
// with an ErreurArithmetique (Depassement) naming "DebitAFreiner". The
// search never tries the steps one by one up to there: it halves intervals
// of steps, so that a few hundred trials at most settle any loop.
inline constexpr std::int64_t PasMaximumDebitAFreiner = 10'000'000;

// Pipe laid in `surface` m² at the pitch `pas` (5, 10, 15, 20, 30 cm):
// 20, 10, 6.7, 5, 3.4 m per m²; no pitch, 0.
double LongueurTube(std::optional<PasVZ> pas, double surface);

// Heat given off by `longueur` m of pipe carrying water at `temperature`
// (the rounded mean water temperature): 0.0072 W/(m.°C²) for the 13x16 pipe,
// 0.0075 for the 16x20, times temperature² times length.
double EmissionConduites(std::int16_t temperature, double longueur, DiametreTube tube);

// Density of water, kg/m³, at `temperature` °C.
double MasseVolumique(double temperature);
// Kinematic viscosity of water, m²/s, at `temperature` °C.
double Viscosite(double temperature);

// Flow (l/h) carrying the emission `emission`, the connecting-pipe emission
// `raccord` and the downward emission `bas` at a drop of `deltaT` K, water
// at `temperature` (the rounded mean water temperature).
double DebitCircuit(double emission, std::int16_t temperature, std::int16_t deltaT,
                    double raccord, double bas);

// Flow (l/h) by which a loop of flow `debit` must be throttled when the
// floor gives off `emission` W for a need of `besoin` W (emission >= besoin),
// with connecting pipes `raccord` and downward emission `bas`: the excess
// flow at the first drop, in steps of 0.0001 K from `deltaT`, at which the
// remaining flow still carries the need. `temperature` is the unrounded mean
// water temperature. A loop flow <= 0 gives 0 at once. The result is the
// one of trying the drops one after the other (the same q1, or the same
// arithmetic error at the same step), found in a few hundred trials.
double DebitAFreiner(double besoin, double emission, double raccord, double bas,
                     double debit, std::int16_t deltaT, double temperature);

// Number of drops DebitAFreiner has tried on this thread so far: the cost
// of the search, read before and after a calculation.
std::int64_t EssaisDebitAFreiner() noexcept;

// Mean water temperature of a loop, °C: the supply temperature less half
// the supply/return drop (unrounded).
inline double TempMoyenneEau(std::int16_t tempDepart, std::int16_t tempChute) {
    return static_cast<double>(tempDepart) - static_cast<double>(tempChute) / 2.0;
}

// Bore of the pipe, mm: 13 or 16.
double DiametreInterieur(DiametreTube tube);
// Mean velocity of the water, m/s, for a flow `debit` l/h in the bore of
// `tube`.
double VitesseEau(double debit, DiametreTube tube);
// Reynolds number of that flow with water at `temperature` °C. Raises
// ErreurArithmetique ("NombreReynolds") when the viscosity is zero.
double NombreReynolds(double debit, double temperature, DiametreTube tube);
// Up to this Reynolds number (included) the flow is laminar and the
// friction factor is 64 / Re; above it, turbulent.
inline constexpr double ReynoldsLaminaire = 2320.0;
inline constexpr bool EcoulementLaminaire(double reynolds) { return reynolds <= ReynoldsLaminaire; }

// Pressure drop per metre of loop, mmCE/m, for a flow `debit` l/h at
// `temperature` °C in `tube`: Darcy-Weisbach with an explicit Colebrook-White
// friction factor, plus 0.3 dynamic pressures per metre of singular losses.
double PerteChargeLineique(double debit, double temperature, DiametreTube tube);

// Balancing of a room's loops against the largest loop pressure drop
// recorded for the study so far (`perteMaxEtude`, 0 when none).
struct Equilibre {
    double PerteLaPlusElevee = 0;
    double PerteArtificielleNormale = 0;
    double PerteArtificielleBordure = 0; // type 1 only, else 0
    bool operator==(const Equilibre&) const = default;
};
Equilibre Equilibrage(Charge typeCharge, double perteMaxEtude, double perteNormale, double perteBordure);

// The smaller (Mini) or larger (Maxi) of a and b, a on a tie; 0 when they
// cannot be ordered (NaN). The calculation takes the worse of the present
// and the future covering with them.
double Mini(double a, double b);
double Maxi(double a, double b);

} // namespace sorvel
