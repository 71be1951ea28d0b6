#pragma once

// The room heating calculation: from the room's inputs and the general data
// to the pitch of the normal zone, the loop lengths, emissions, flows,
// pressure drops, balancing and surface temperatures. A pure function of
// its inputs; an arithmetic fault raises sorvel::ErreurArithmetique naming
// the step that failed. Units: °C, K, m, m², W, W/(m².K), l/h, mmCE.

#include "calcul/Grandeurs.h"
#include "calcul/Hydraulique.h"

#include <cstdint>
#include <optional>

namespace sorvel {

// Exchange coefficient between the floor surface and the room, W/(m².K).
inline constexpr double EchangeSurface = 11.6;
// Margin taken on a surface temperature: 2 %.
inline constexpr double MargeTempSurface = 1.02;
// Share of the heated floor a corner panel gives its edge zone (halved).
inline constexpr double PartBordureAngle = 0.85;
// A 5-cm independent edge loop is fed first: its water is this much below
// the supply temperature...
inline constexpr double EcartDepartBordure5 = 1.5;
// ...and it works with this supply/return drop, K.
inline constexpr std::int16_t ChuteBordure5 = 3;

// The floor that can be heated: the room's floor less the area under fixed
// obstacles (units, bath, cupboards), m².
inline double SurfaceNette(double surfacePiece, double surfaceEmprises) { return surfacePiece - surfaceEmprises; }

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
    std::optional<PasVZ> PasVZNormale; // none when no pitch gives the emission
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

// The inputs of a room calculation.
struct EntreesPiece {
    std::int16_t TempDepart = 0;      // °C, supply temperature
    std::int16_t TempChute = 0;       // K, supply/return drop
    std::int16_t TempPiece = 0;       // °C
    Charge TypeCharge = Charge::Normale;
    double SurfacePiece = 0;          // m²
    double SurfaceEmprises = 0;       // m², fixed obstacles
    double SurfaceBordure = 0;        // m², edge zone as entered
    Fixation Support = Fixation::Treillis;
    DiametreTube Tube = DiametreTube::D16x20;
    Resistance RthActuelle = Resistance::R001; // present floor covering
    Resistance RthFuture = Resistance::R001;   // future floor covering
    std::optional<PasVZ> PasVZBordure;         // edge zone, none when not chosen
    double DeperdPiece = 0;           // W
    double DeperdPlancher = 0;        // W
    double ApportPlafond = 0;         // W
    double LongRaccordNormale = 0;    // m
    double LongRaccordBordure = 0;    // m
    double LongDistri = 0;            // m, distribution pipes crossing the room
    double EmissionsBas = 0;          // W, downward emission
    double PerteMaxEtude = 0;         // mmCE, largest PerteMax recorded for the study
    int Boucles = 1;                  // equal loops in parallel laying the normal zone
};

// Runs the room calculation step by step. Raises ErreurArithmetique naming
// the step (a result name such as "EmissionNecessairePiece", or the input
// that was not a finite number) when a step cannot be computed.
ResultatsPiece CalculPiece(const EntreesPiece& entrees);

} // namespace sorvel
