#pragma once

// A study in memory: the general data of the installation, its rooms and
// the pressure drops recorded for their loops, as typed values (choices as
// enumerations, temperatures and quantities as numbers). How they are laid
// out on disk is the storage's business alone.

#include "calcul/Grandeurs.h"
#include "etude/Deperditions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// Most rooms a study holds (rows of the rooms list).
inline constexpr int PiecesMaximumEtude = 30;
// Characters a room's name keeps (the name of its record).
inline constexpr int LongueurNomPiece = 30;

// The lists the screens offer, as numbers: supply temperature (°C), room
// temperature (°C), supply/return drop (K), screed thickness (cm).
inline constexpr int TempDepartBasse = 30;
inline constexpr int TempDepartHaute = 50;
inline constexpr int TempPieceBasse = 15;
inline constexpr int TempPieceHaute = 24;
inline constexpr int ChuteBasse = 3;
inline constexpr int ChuteHaute = 20;
inline constexpr int EpaisChapeBasse = 6;
inline constexpr int EpaisChapeHaute = 8;

enum class NatureChape : std::int16_t { Traditionnelle = 0, Liquide = 1 };

// The general data of the installation. A new study starts from these
// values: trellis, 16x20 mm, 40 °C, 6 cm of traditional screed.
struct Installation {
    Fixation Support = Fixation::Treillis;
    DiametreTube Tube = DiametreTube::D16x20;
    int TempDepart = 40;                 // °C, supply temperature
    int EpaisChape = 6;                  // cm, average screed thickness
    NatureChape Chape = NatureChape::Traditionnelle;
    bool operator==(const Installation&) const = default;
};

// The inputs of one room. A list not chosen yet (a room being entered)
// holds nothing; a stored room has its temperature and both resistances,
// and may lack an insulation thickness or an edge pitch.
struct Piece {
    Charge TypeCharge = Charge::Normale;
    double SurfaceBordure = 0;             // m², edge zone as entered
    std::optional<PasVZ> PasVZBordure;     // 5, 10 or 15 cm
    std::string NomPiece;                  // UTF-8, without surrounding spaces
    std::optional<int> TempPiece;          // °C
    double SurfacePiece = 0;               // m²
    double SurfaceEmprises = 0;            // m², fixed obstacles
    double SurfacePlafond = 0;             // m², floor above, for the ceiling gain
    double DeperdPiece = 0;                // W
    double DeperdPlancher = 0;             // W
    double ApportPlafond = 0;              // W
    double EmissionsBas = 0;               // W
    std::optional<Resistance> RthActuelle; // present floor covering
    std::optional<Resistance> RthFuture;   // future floor covering
    std::optional<int> IsoApport;          // cm, insulation of the ceiling-gain estimate
    std::optional<int> IsoEmissions;       // cm, insulation of the downward-emission estimate
    double LongRaccordNormale = 0;         // m
    double LongDistri = 0;                 // m, distribution pipes crossing the room
    double LongRaccordBordure = 0;         // m
    int TempChute = 0;                     // K, supply/return drop
    // What the records cannot hold, kept beside them.
    std::optional<DeperditionsPiece> Deperditions; // the details its losses come from
    std::optional<int> Collecteur;                 // its manifold, from 1; none: chosen by the study
    int Boucles = 1;                               // equal loops laying its normal zone, 1 to 8
    bool operator==(const Piece&) const = default;
};

// The loop pressure drops a room's calculation left, mmCE: its normal loop,
// its independent edge loop (0 without one) and the larger of the two.
struct PerteCharge {
    double PerteNormale = 0;
    double PerteBordure = 0;
    double PerteMax = 0;
    bool operator==(const PerteCharge&) const = default;
};
// PerteMax is PerteNormale when PerteBordure <= PerteNormale, else
// PerteBordure (a room without an independent edge loop has PerteBordure
// 0, so its normal loop sets it).
PerteCharge PerteChargePiece(double normale, double bordure);

// A manifold of the site: every loop ends on one of its outlets.
struct Collecteur {
    std::string Nom = "Collecteur 1";
    int Sorties = 12;           // outlets, 1 to 24
    double PerteCollecteur = 0; // mmCE, the manifold's own drop
    bool operator==(const Collecteur&) const = default;
};
inline constexpr int SortiesCollecteurMaximum = 24;
// Most equal loops a room's normal zone is split into.
inline constexpr int BouclesMaximum = 8;

// What the reports print of the job, as the user typed it (UTF-8, each
// text without surrounding spaces; empty when not given): the client, the
// site's address, the installer and the installer's details, and notes.
struct RenseignementsEtude {
    std::string Client;
    std::string Chantier;
    std::string Installateur;
    std::string Coordonnees;
    std::string Notes;
    bool Vides() const { return *this == RenseignementsEtude{}; }
    bool operator==(const RenseignementsEtude&) const = default;
};

// Temperature drop and insulation thickness a new room starts with when the
// study gives no other: K, cm.
inline constexpr int ChuteNouvellePiece = 8;
inline constexpr int IsolantNouvellePiece = 4;

// The room temperature (°C) a new room named `Nom` starts with.
struct TemperatureNommee {
    std::string Nom;
    int Temperature = 20;
    bool operator==(const TemperatureNommee&) const = default;
};

// What a new room of the study starts from (etude/DefautsPieces.h): its
// temperature by its name, its supply/return drop, its floor coverings,
// the insulation of its two estimates and its connecting pipes. These
// values are those of a study that sets none.
struct DefautsPieces {
    std::vector<TemperatureNommee> Temperatures; // in the order the user sees them
    int TempChute = ChuteNouvellePiece;          // K
    std::optional<Resistance> RthActuelle;
    std::optional<Resistance> RthFuture;
    int IsoApport = IsolantNouvellePiece;        // cm
    int IsoEmissions = IsolantNouvellePiece;     // cm
    double LongRaccordNormale = 0;               // m
    bool operator==(const DefautsPieces&) const = default;
};

// A whole study: room n is Pieces[n - 1], its drops Pertes[n - 1].
struct Etude {
    Installation Generales;
    std::optional<ClimatSite> Climat; // the site's climate, for the rooms' losses
    std::vector<Collecteur> Collecteurs; // none given: one "Collecteur 1" of 12 outlets
    std::vector<Piece> Pieces;
    std::vector<PerteCharge> Pertes;
    std::optional<DefautsPieces> Defauts;  // none set: new rooms start as DefautsPieces{}
    RenseignementsEtude Renseignements;
};

// "13x16" or "16x20", as the reports name the pipe.
const char* TexteTube(DiametreTube tube);

// The texts the lists show for a choice, and the study table and the
// reports repeat: "20", "0.05", "4", "10"; empty for a list not chosen.
std::string TexteEntier(std::optional<int> valeur);
std::string TexteResistance(std::optional<Resistance> rth);
std::string TextePas(std::optional<PasVZ> pas);
// The pitch the calculation chose for a normal zone: "0" when none gives
// the emission needed.
std::string TextePasNormale(std::optional<PasVZ> pas);

} // namespace sorvel
