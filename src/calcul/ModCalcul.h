#pragma once

// Room heating calculation and loop hydraulics. Every operation is a pure
// function of its arguments; an arithmetic fault (division by zero,
// overflow, logarithm of a non-positive number, a NaN or infinite input)
// raises sorvel::ErreurArithmetique naming the step that failed.
// Units: °C, K, m, m², W, W/(m².K), l/h, mmCE.

#include <cstdint>
#include <string>
#include <string_view>

namespace sorvel {

// ---------------------------------------------------------------------------
// Hydraulics

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

// Pipe laid in `surface` m² at the pitch `pas` ("5", "10", "15", "20",
// "30" cm, exact texts): 20, 10, 6.7, 5, 3.4 m per m²; any other text 0.
double LongueurTube(std::string_view pas, double surface);

// Heat given off by `longueur` m of pipe carrying water at `temperature`
// (the rounded mean water temperature): 0.0072 W/(m.°C²) for the 13x16 pipe,
// 0.0075 for any other tube text, times temperature² times length.
double EmissionConduites(std::int16_t temperature, double longueur, std::string_view tube);

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

// Bore of the pipe, mm: 13 for the tube "13x16", 16 for any other tube text
// (16x20).
double DiametreInterieur(std::string_view tube);
// Mean velocity of the water, m/s, for a flow `debit` l/h in the bore of
// `tube`.
double VitesseEau(double debit, std::string_view tube);
// Reynolds number of that flow with water at `temperature` °C. Raises
// ErreurArithmetique ("NombreReynolds") when the viscosity is zero.
double NombreReynolds(double debit, double temperature, std::string_view tube);
// Up to this Reynolds number (included) the flow is laminar and the
// friction factor is 64 / Re; above it, turbulent.
inline constexpr double ReynoldsLaminaire = 2320.0;
inline constexpr bool EcoulementLaminaire(double reynolds) { return reynolds <= ReynoldsLaminaire; }

// Pressure drop per metre of loop, mmCE/m, for a flow `debit` l/h at
// `temperature` °C in the tube "13x16" (13 mm bore) or any other tube text
// (16x20, 16 mm bore): Darcy-Weisbach with an explicit Colebrook-White
// friction factor, plus 0.3 dynamic pressures per metre of singular losses.
double PerteChargeLineique(double debit, double temperature, std::string_view tube);

// Balancing of a room's loops against the largest loop pressure drop
// recorded for the study so far (`perteMaxEtude`, 0 when none).
struct Equilibre {
    double PerteLaPlusElevee = 0;
    double PerteArtificielleNormale = 0;
    double PerteArtificielleBordure = 0; // type 1 only, else 0
    bool operator==(const Equilibre&) const = default;
};
Equilibre Equilibrage(std::int16_t typeCharge, double perteMaxEtude,
                      double perteNormale, double perteBordure);

// The larger ("Maxi") or smaller ("Mini") of a and b, a on a tie; 0 for any
// other mode or when a and b cannot be ordered (NaN).
double MiniMaxi(double a, double b, std::string_view mode);

// ---------------------------------------------------------------------------
// Room calculation

// Results of one room. The first block is what the screens and the study
// table show; the second block holds intermediate values of the steps,
// kept so that a result can be traced back.
struct ResultatsPiece {
    double TempMoyenne = 0;
    std::int16_t EcartEau = 0;
    double SurfaceNette = 0;
    double SurfaceNormale = 0;
    double SurfaceBordureCalculee = 0;
    double DeperdCorrigees = 0;
    double EmissionNecessairePiece = 0;
    double CoefBordureActuelle = 0;
    double CoefBordureFuture = 0;
    double EmissionNecessaireNormale = 0;
    double EmissionUtiliseeNormale = 0;
    double AppointActuelle = 0;
    double AppointFuture = 0;
    std::string PasVZNormale = "0";
    double LongueurNormale = 0;
    double LongueurBordure = 0;
    double EmissionRaccordNormale = 0;
    double EmissionRaccordBordure = 0;
    double EmissionDistri = 0;
    double EmissionBasNormale = 0;
    double EmissionBasBordure = 0;
    double PuissanceNormale = 0;
    double PuissanceBordure = 0;
    double DebitNormale = 0;
    double DebitBordure = 0;
    double DebitFreinActuelle = 0;
    double DebitFreinFuture = 0;
    double PerteNormale = 0;
    double PerteBordure = 0;
    double PerteLaPlusElevee = 0;
    double PerteArtificielleNormale = 0;
    double PerteArtificielleBordure = 0;
    double TempSurfaceNormale = 0;
    double TempSurfaceBordure = 0;

    // Intermediate values.
    double EmissionBordureActuelle = 0;
    double EmissionBordureFuture = 0;
    double CoefMaxActuelle = 0;
    double CoefMaxFuture = 0;
    double EmissionMaxActuelle = 0;
    double EmissionMaxFuture = 0;
    double EmissionMax = 0;
    double Besoin = 0;
    double CoefDemande = 0;
    double RthDeCalcul = 0;
    double EmissionNormaleActuelle = 0;
    double EmissionNormaleFuture = 0;
    double PerteMaxFichier = 0;
};

// The twenty inputs of a room calculation, in their customary order. Texts
// are compared exactly (pass them trimmed): support "Treillis" or "Plots",
// tube "13x16" or "16x20", Rth "0.01".."0.15", edge pitch "5", "10", "15".
// Load types of a room, as chosen on the load-type screen.
inline constexpr std::int16_t ChargeNormale = 0;   // normal zone only
inline constexpr std::int16_t ChargeElevee = 1;    // edge zone on a loop of its own
inline constexpr std::int16_t ChargeCombinee = 2;  // edge zone along one wall, on the room's loop
inline constexpr std::int16_t ChargeAngle = 3;     // edge zone in a corner, on the room's loop
inline constexpr int NombreTypesCharge = 4;
inline constexpr bool TypeChargeConnu(int type) { return type >= ChargeNormale && type < NombreTypesCharge; }
// Every type but the normal one has an edge zone; only ChargeElevee feeds it
// through a loop of its own (with its own connecting pipes and drop).
inline constexpr bool AvecZoneBordure(int type) { return type != ChargeNormale; }
inline constexpr bool BoucleBordureIndependante(int type) { return type == ChargeElevee; }
// The edge area is entered for these two types; the corner zone's is derived.
inline constexpr bool SurfaceBordureSaisie(int type) { return type == ChargeElevee || type == ChargeCombinee; }

// The floor that can be heated: the room's floor less the area under fixed
// obstacles (units, bath, cupboards), m².
inline double SurfaceNette(double surfacePiece, double surfaceEmprises) { return surfacePiece - surfaceEmprises; }

struct EntreesPiece {
    std::int16_t TempDepart = 0;      // °C, supply temperature
    std::int16_t TempChute = 0;       // K, supply/return drop
    std::int16_t TempPiece = 0;       // °C
    std::int16_t TypeCharge = 0;      // 0 normal, 1 independent edge loop, 2 and 3 combined
    double SurfacePiece = 0;          // m²
    double SurfaceEmprises = 0;       // m², fixed obstacles
    double SurfaceBordure = 0;        // m², edge zone as entered
    std::string Support;              // "Treillis" / "Plots"
    std::string Tube;                 // "13x16" / "16x20"
    std::string RthActuelle;          // m².K/W, text
    std::string RthFuture;            // m².K/W, text
    std::string PasVZBordure;         // cm, text
    double DeperdPiece = 0;           // W
    double DeperdPlancher = 0;        // W
    double ApportPlafond = 0;         // W
    double LongRaccordNormale = 0;    // m
    double LongRaccordBordure = 0;    // m
    double LongDistri = 0;            // m, distribution pipes crossing the room
    double EmissionsBas = 0;          // W, downward emission
    double PerteMaxEtude = 0;         // mmCE, largest PerteMax recorded for the study
};

// Runs the room calculation step by step. Raises ErreurArithmetique naming
// the step (a result name such as "EmissionNecessairePiece", or the input
// that was not a finite number) when a step cannot be computed. A load type
// outside 0..3 raises it too (step "TypeCharge").
ResultatsPiece CalculPiece(const EntreesPiece& entrees);


} // namespace sorvel
