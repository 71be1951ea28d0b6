#pragma once

// What the losses report, the CSV and the batch tool's JSON show of the
// rooms whose losses are worked out from their elements: every such room
// calculated once in the site's climate, then its rows as texts (French
// numbers, rounded to 2 decimals; U to 3). The numbers stay signed and
// unrounded in the results; only the fields of the room screen are rounded
// and kept at 0 or more. Pure C++.

#include "etude/CalculEtude.h"
#include "etude/Deperditions.h"
#include "etude/Etude.h"
#include "etude/PresentationChantier.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// "Mur", "Fenêtre", "Porte", "Plancher", "Plafond".
const char* TexteNature(NatureElement nature);
// "Extérieur", "Local non chauffé", "Terre-plein", "Local chauffé".
const char* TexteContact(ContactElement contact);

// The losses of one room that has details, worked out in the site's climate.
struct DeperditionsPieceCalculees {
    int Piece = 0;              // the room's number, from 1
    std::string NomPiece;
    double TempPiece = 0;       // °C
    double Ecart = 0;           // K, room minus outside
    double SurfacePiece = 0;    // m²
    double Hauteur = 0;         // m, the room's or else the climate's
    DeperditionsPiece Details;
    ResultatDeperditions Resultat;
    double SaisiePiece = 0;     // W, "Déperditions de la pièce" as the room holds it
    double SaisiePlancher = 0;  // W, "Déperditions du plancher" as the room holds it

    // What the two fields receive from the details.
    double ChampPiece() const { return ValeurChampDeperditions(Resultat.Total); }
    double ChampPlancher() const { return ValeurChampDeperditions(Resultat.Plancher); }
    // The user typed other values than the details give: the typed values
    // are the ones the room's calculation uses.
    bool SaisieManuelle() const { return SaisiePiece != ChampPiece() || SaisiePlancher != ChampPlancher(); }
};

struct DeperditionsEtude {
    std::optional<ClimatSite> Climat;
    std::vector<DeperditionsPieceCalculees> Pieces; // the rooms with details, in room order
    std::vector<std::string> SansDetails;           // the names of the others, in room order
    double Total = 0;          // W, Σ of the worked-out totals
    double TotalPlancher = 0;  // W, Σ of the worked-out floor losses
    double Retenues = 0;       // W, Σ of "Déperditions de la pièce" of every room
};

// The losses of every room of `pieces` that has details. Raises
// ErreurCalculEtude naming the first such room whose losses cannot be
// worked out: no climate, a temperature not above the outside one, or an
// element without what its contact needs.
DeperditionsEtude CalculerDeperditionsEtude(const std::optional<ClimatSite>& climat,
                                            const std::vector<Piece>& pieces);

// Whether the study has anything about losses: a climate or a room with
// details (the CSV's "Déperditions" section is written only then).
inline bool AvecDeperditions(const DeperditionsEtude& d) { return d.Climat || !d.Pieces.empty(); }

// Why the losses report has nothing to print (a full sentence); nothing
// when it has.
std::optional<std::string> RefusRapportDeperditions(const DeperditionsEtude& d);

// The climate as lines "Température extérieure de base : ", "-10", " °C";
// the department, altitude and annual mean only when given.
std::vector<LigneDonneeGenerale> LignesClimat(const ClimatSite& climat);

// The table of a room's elements: designation, nature, contact, A, U, b
// (unheated space), temperature of a heated neighbour, H and Φ.
inline constexpr int NombreColonnesElements = 9;
extern const std::array<const char*, NombreColonnesElements> TitresColonnesElements; // "Désignation"... "Φ"
extern const std::array<const char*, NombreColonnesElements> UnitesColonnesElements; // ... "W/K", "W"
using LigneElement = std::array<std::string, NombreColonnesElements>;
std::vector<LigneElement> LignesElements(const DeperditionsPieceCalculees& piece);

// "Température 20 °C (écart 30 K), surface 28 m², hauteur 2,5 m".
std::string InfoPiece(const DeperditionsPieceCalculees& piece);

// A room's balance: air flow, transmission, ventilation, reheat, total,
// floor, then what each field receives; a last line tells the typed values
// when they are the ones used.
std::vector<LigneDonneeGenerale> BilanPiece(const DeperditionsPieceCalculees& piece);

// The study's totals, and the rooms without details named.
std::vector<LigneDonneeGenerale> BilanEtude(const DeperditionsEtude& d);

// The table of the rooms' balances, one row per room with details, for the
// CSV: its headings in words with their units, then its rows.
inline constexpr int NombreColonnesBilans = 10;
extern const std::array<const char*, NombreColonnesBilans> TitresColonnesBilans;
using LigneBilanPiece = std::array<std::string, NombreColonnesBilans>;
LigneBilanPiece LigneBilan(const DeperditionsPieceCalculees& piece);

} // namespace sorvel
