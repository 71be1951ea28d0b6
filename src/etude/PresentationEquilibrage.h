#pragma once

// How the balancing of the study is shown: one row per loop with the text,
// format and tooltip of every cell (warnings in orange), and the sentence of
// the lowest supply temperature. The balancing window, the summary window
// and the CSV all draw from this model; it holds no widget.

#include "etude/EquilibrageEtude.h"
#include "etude/PresentationResultats.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// The columns of the balancing table, from 0.
namespace ColonneEquilibrage {
enum : int { Piece, Boucle, Debit, Perte, PerteArtificielle, Vitesse, Kv, Alertes };
} // namespace ColonneEquilibrage
inline constexpr int NombreColonnesEquilibrage = ColonneEquilibrage::Alertes + 1;

// The headings of the grid, short enough for its columns: "Pièce",
// "Boucle", "Débit", "Perte", "Perte art.", "Vitesse", "Kv", "Alertes".
extern const std::array<const char*, NombreColonnesEquilibrage> TitresColonnesEquilibrage;
// The same in words, for the headings' tooltips and the CSV: "Pièce",
// "Boucle", "Débit", "Perte de charge", "Perte de charge artificielle",
// "Vitesse de l'eau", "Kv de la vanne", "Alertes".
extern const std::array<const char*, NombreColonnesEquilibrage> LibellesColonnesEquilibrage;
// "", "", "l/h", "mmCE", "mmCE", "m/s", "m³/h", "".
extern const std::array<const char*, NombreColonnesEquilibrage> UnitesColonnesEquilibrage;

// What a valve left fully open reads in the "Kv" column.
inline constexpr const char* TexteVanneOuverte = "ouverte";

struct CelluleEquilibrage {
    std::string Texte;
    FormatValeur Format;
    std::string InfoBulle; // one sentence a line, empty for none
    bool operator==(const CelluleEquilibrage&) const = default;
};
using LigneEquilibrage = std::array<CelluleEquilibrage, NombreColonnesEquilibrage>;

// The rows of the balancing table for the loops `boucles` of a study laid
// with the pipe `tube`. Numbers are rounded to 2
// decimals as in the summary; the "Alertes" cell names each warning in
// orange ("vitesse faible", "laminaire", "trop longue : 2 boucles") and its
// tooltip explains each in one sentence; a slow velocity is orange too.
std::vector<LigneEquilibrage> PresenterEquilibrage(const std::vector<ReglageBoucle>& boucles, DiametreTube tube);

// The lowest supply temperature as a value: "38 °C", or "aucune (appoint
// nécessaire même à 50 °C)".
std::string ValeurTempDepartMinimale(std::optional<int> temperature);
// A column in words with its unit: "Débit (l/h)", "Pièce".
std::string LibelleAvecUnite(int colonne);
// "Température de départ minimale sans appoint : " and that value.
std::string TexteTempDepartMinimale(std::optional<int> temperature);
// "Température de départ minimale sans appoint".
inline constexpr const char* LibelleTempDepartMinimale = "Température de départ minimale sans appoint";

} // namespace sorvel
