#pragma once

// How the recalculated study is shown as a summary: the text and format of
// every cell (one row per room, 41 columns), the totals row and the two
// lines of text below the table. The summary window and the printed summary
// both draw from this model; it holds no widget.

#include "etude/CalculEtude.h"
#include "etude/Etude.h"
#include "etude/PresentationResultats.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// Units of the 41 columns ("" for the room name, "°C", "m²", ... "mmCE").
extern const std::array<const char*, NombreColonnesEtude> UnitesColonnesEtude;
// The 41 quantities in words, as the printed summary labels its rows
// ("Pièce", "Température de la pièce", ... "Température superficielle en
// zone de bordure"); the units are those of the columns.
extern const std::array<const char*, NombreColonnesEtude> LibellesColonnesEtude;

// Rows of the summary grid: three heading rows (column number, title, unit),
// the rooms from row 3, one empty row, then the totals.
inline constexpr int LigneGrilleNumero = 0;
inline constexpr int LigneGrilleTitre = 1;
inline constexpr int LigneGrilleUnite = 2;
inline constexpr int LignesEnTeteRecapitulatif = 3;
inline constexpr int LigneGrillePiece(int piece) { return piece + 2; }        // piece from 1
inline constexpr int LigneGrilleTotaux(int pieces) { return pieces + 4; }
inline constexpr int ColonneGrille(int colonne) { return colonne - 1; }       // colonne from 1

// Background of a summary cell: none of its own, white (room names) or the
// green of the totals row.
enum class FondCellule { Aucun, Blanc, Total };
std::array<int, 3> Rvb(FondCellule fond); // {0, 0, 0} for Aucun: the caller keeps its own
// The totals row is written in a font of this size (points).
inline constexpr int TaillePoliceTotaux = 10;

struct CelluleRecapitulatif {
    std::string Texte;
    FormatValeur Format;
    FondCellule Fond = FondCellule::Aucun;
    std::string InfoBulle; // why it is coloured; empty when it is not
    bool operator==(const CelluleRecapitulatif&) const = default;
};
using LigneRecapitulatif = std::array<CelluleRecapitulatif, NombreColonnesEtude>;

struct Recapitulatif {
    std::vector<LigneRecapitulatif> Pieces; // room i is Pieces[i - 1]
    // "Total :" and the column sums; nothing for a study without rooms, whose
    // grid keeps only its heading rows.
    std::optional<LigneRecapitulatif> Totaux;
    // "Etude : tube de diamètre 16x20 mm sur Trellis avec température de
    // départ du fluide de 45°C"
    std::string LblRecap;
    // "Etude : perte de charge maximale, 450 mmCE. débit total, 312,46 l/h";
    // empty for a study without rooms.
    std::string LblPerte;
    // What the colours mean, under the table; empty for a study without rooms.
    std::vector<SegmentLegende> Legende;

    int NombrePieces() const { return static_cast<int>(Pieces.size()); }
    // Column k (1..41) of room i (1..count).
    const CelluleRecapitulatif& Case(int k, int i) const {
        return Pieces.at(static_cast<std::size_t>(i - 1)).at(static_cast<std::size_t>(k - 1));
    }
};

// A cell as shown: a text trimmed, a number rounded to 2 decimals (halves to
// even) in its shortest form with a comma, nothing for an empty cell.
std::string TexteCellule(const Cellule& cellule);

// Whether the totals row adds up column k: the surfaces, losses and gains,
// the thermal power, the supplementary heat, the loop lengths, the
// connecting-pipe emissions and the flows.
bool ColonneTotalisee(int k);

// The study summary line, in the words of the general data screen.
std::string TexteLblRecap(const Installation& generales);
// The largest pressure drop and the total flow of the study.
std::string TexteLblPerte(const ResultatEtude& resultat);

// The whole summary of a recalculated study.
Recapitulatif PresenterRecapitulatif(const ResultatEtude& resultat, const Installation& generales);

} // namespace sorvel
