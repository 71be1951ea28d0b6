#pragma once

// What the site's commissioning sheet prints of each manifold, as texts:
// its figures as labelled lines, its warnings in words, and one row per
// outlet for the installer who sets the flow meters and the valves. Numbers
// the French way, rounded to 2 decimals as in the balancing window; the
// drawing is in ModImprimerReglage.cpp.

#include "etude/Collecteurs.h"
#include "etude/PresentationChantier.h"

#include <array>
#include <string>
#include <vector>

namespace sorvel {

// The columns of a manifold's table, from 0.
namespace ColonneReglage {
enum : int { Sortie, Piece, Boucle, Longueur, Debit, DebitLmin, Kv, Remarque };
} // namespace ColonneReglage
inline constexpr int NombreColonnesReglage = ColonneReglage::Remarque + 1;

// "Sortie", "Pièce", "Boucle", "Longueur", "Débit", "Débit", "Kv", "Remarque".
extern const std::array<const char*, NombreColonnesReglage> TitresColonnesReglage;
// "", "", "", "m", "l/h", "l/min", "m³/h", "".
extern const std::array<const char*, NombreColonnesReglage> UnitesColonnesReglage;
using LigneReglage = std::array<std::string, NombreColonnesReglage>;

// One row per loop of the manifold, by outlet: the outlet's number, the
// room, "normale" or "bordure", the loop's length, its flow in l/h and in
// l/min (what the flow meter is set to), the Kv of its valve or "ouverte";
// the remark flags what the manifold's warnings say in words: "sans
// sortie" for a loop beyond the manifold's outlets, "débit < 0,5 l/min" or
// "débit > 5 l/min" for a flow off an ordinary flow meter's scale.
std::vector<LigneReglage> LignesReglage(const FiguresCollecteur& collecteur);

// The outlets it uses: "7 départs sur 12 sorties", "1 départ sur 8 sorties".
std::string InfoCollecteur(const FiguresCollecteur& collecteur);

// The manifold's figures, none when it is empty: its total flow, the head
// it needs, the Kv of its balancing valve ("ouverte" for the manifold that
// needs the most), then what the head is made of: its largest loop drop
// and its own drop.
std::vector<LigneDonneeGenerale> FiguresReglage(const FiguresCollecteur& collecteur);

// Its warnings, one sentence each: an empty manifold, more loops than
// outlets, flows off a flow meter's scale. None for a manifold in order.
std::vector<std::string> AlertesReglage(const FiguresCollecteur& collecteur);

} // namespace sorvel
