#pragma once

// What the site results report prints: the rooms table (pitches and loop
// lengths, what the pipe layer needs on site) and the general data of the
// installation with the material to order. Texts only; the drawing lives in
// the reports layer.

#include "etude/CalculEtude.h"
#include "etude/Etude.h"
#include "etude/Materiel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvel {

// Water held by `longueur` metres of pipe, in litres: the inner section
// (13 mm across for the 13x16 pipe, 16 mm for the 16x20 pipe) times the
// length.
double ContenanceTubes(double longueur, DiametreTube tube);

// Columns of the rooms table: room name, pitch of the normal and the edge
// zone, loop length of the normal and the edge zone.
inline constexpr int NombreColonnesChantier = 5;
extern const std::array<const char*, NombreColonnesChantier> TitresColonnesChantier; // "Pièces", "VZ normale"...
extern const std::array<const char*, NombreColonnesChantier> UnitesColonnesChantier; // "", "cm", "cm", "m", "m"
using LigneChantier = std::array<std::string, NombreColonnesChantier>;

// One row per room of the recalculated study, in its order: texts as they
// stand, numbers rounded to 2 decimals; a zone the room does not have stays
// empty. A normal zone laid as several equal loops reads "3 boucles de
// 98,6 m", the length of each.
std::vector<LigneChantier> LignesPiecesChantier(const ResultatEtude& resultat);

struct LigneDonneeGenerale {
    std::string Libelle; // "Débit total du plancher chauffant : "
    std::string Valeur;  // "313", "-"
    std::string Unite;   // " l/h", "" for the kind of support
    bool operator==(const LigneDonneeGenerale&) const = default;
};

// The lines of "Données générales": total flow (rounded up), largest
// pressure drop, supply temperature, pipe length, size and content, kind of
// support, then the material quantities of the material list `materiel`
// (the 12 cells of Materiel; a missing cell prints "-").
std::vector<LigneDonneeGenerale> DonneesGeneralesChantier(const ResultatEtude& resultat,
                                                          const Installation& generales,
                                                          const std::vector<CelluleMateriel>& materiel);

} // namespace sorvel
