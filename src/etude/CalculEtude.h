#pragma once

// Study-wide recalculation: every room recalculated in record order, each
// balanced against the rooms before it, then every loop brought up to the
// study's most resistant loop. Pure C++ (no file is read or written: the
// pass keeps its pressure-drop list in memory).

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "etude/Etude.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace sorvel {

// One cell of the study table: nothing (an edge-loop value of a room without
// an independent edge loop, or an edge value of a room without edge zone), a
// text, a real or an integer.
using Cellule = std::variant<std::monostate, std::string, double, std::int32_t>;

inline constexpr int NombreColonnesEtude = 41;
using LigneEtude = std::array<Cellule, NombreColonnesEtude>;

// The 41 columns of the study table, numbered from 1 as the summary shows
// them (TitresColonnesEtude gives their headings).
namespace ColonneEtude {
enum : int {
    Designation = 1,
    TempPiece,
    SurfacePiece,
    SurfaceEmprises,
    SurfaceUtile,
    SurfaceNormale,
    SurfaceBordure,
    SurfacePlafond,
    DeperdPiece,
    DeperdPlancher,
    ApportPlafond,
    DeperdCorrigees,
    EmissionsBas,
    IsolationPlancher,
    IsolationPlafond,
    EmissionNecessairePiece,
    EmissionZoneBordure,
    EmissionNecessaireNormale,
    EmissionUtiliseeNormale,
    PuissanceThermique,
    ChuteTemperature,
    RthActuelle,
    RthFuture,
    AppointActuelle,
    AppointFuture,
    PasVZNormale,
    PasVZBordure,
    LongueurNormale,
    LongueurBordure,
    EmissionRaccordNormale,
    EmissionRaccordBordure,
    DebitNormale,
    DebitBordure,
    DebitFreinActuelle,
    DebitFreinFuture,
    PerteNormale,
    PerteBordure,
    PerteArtificielleNormale,
    PerteArtificielleBordure,
    TempSurfaceNormale,
    TempSurfaceBordure,
};
} // namespace ColonneEtude
static_assert(ColonneEtude::TempSurfaceBordure == NombreColonnesEtude);

// The 41 values of every room. Column k (1..41) and room i (1..count), as
// the summary shows them.
struct TableEtude {
    std::vector<LigneEtude> Pieces; // room i is Pieces[i - 1]

    int NombrePieces() const { return static_cast<int>(Pieces.size()); }
    const Cellule& Cell(int k, int i) const { return Pieces.at(static_cast<std::size_t>(i - 1)).at(static_cast<std::size_t>(k - 1)); }
    Cellule& Cell(int k, int i) { return Pieces.at(static_cast<std::size_t>(i - 1)).at(static_cast<std::size_t>(k - 1)); }
};

// Headings of the 41 columns ("Désignation", "T° pièce", ... "T° Sup. bordure").
extern const std::array<const char*, NombreColonnesEtude> TitresColonnesEtude;

// The number a cell holds (real or integer), nothing for a text or an empty cell.
std::optional<double> NombreCellule(const Cellule& c);

struct ResultatEtude;
// The equal loops of room `i` (from 1) of a recalculated study: 1 when the
// study does not say.
int BouclesPiece(const ResultatEtude& resultat, int i);

struct ResultatEtude {
    TableEtude Table;
    std::vector<int> Boucles; // equal loops of each room's normal zone, in room order
    double PerteMaxi = 0;  // mmCE, largest loop pressure drop of the study
    double DebitTotal = 0; // l/h, sum of every loop's flow
};

// The calculation of room `Piece` (from 1) failed: the recalculation stops
// there. what() is a French sentence naming the room by its number and name
// and explaining the cause as the room screens do (ExpliquerEchec):
// "La pièce 2 « Séjour » ne peut pas être calculée : la surface de la pièce
// est nulle."
class ErreurCalculEtude : public std::runtime_error {
public:
    ErreurCalculEtude(int piece, std::string nomPiece, const ErreurArithmetique& erreur, const std::string& cause);
    int Piece() const noexcept { return piece_; }
    const std::string& NomPiece() const noexcept { return nomPiece_; }
    const ErreurArithmetique& Erreur() const noexcept { return erreur_; }
private:
    int piece_;
    std::string nomPiece_;
    ErreurArithmetique erreur_;
};

// The floor of a room that can be heated (SurfaceNette of its inputs), m².
inline double SurfaceUtile(const Piece& p) { return SurfaceNette(p.SurfacePiece, p.SurfaceEmprises); }

// The twenty inputs of the room calculation for the room `piece` of a study
// with the general data `generales`, balanced against `perteMax` (the
// largest PerteMax recorded so far, 0 when none). Both the room screens and
// the study-wide recalculation go through here. Raises ErreurArithmetique
// ("TempPiece", "RthActuelle", "RthFuture") for a list not chosen yet.
EntreesPiece EntreesDepuisPiece(const Piece& piece, const Installation& generales, double perteMax);

// Why the room `piece` could not be calculated (the `erreur` its
// calculation raised), in words: ExpliquerEchec on the room's inputs, or on
// the failed step alone when the inputs themselves cannot be formed (a list
// not chosen).
std::string ExpliquerEchecPiece(const Piece& piece, const Installation& generales, const ErreurArithmetique& erreur);

// Final balancing: every loop whose pressure drop (columns 36 and 37) is
// below `perteMaxi` gets the difference as its artificial pressure drop
// (columns 38 and 39); empty cells stay empty.
void EquilibrerEtude(TableEtude& table, double perteMaxi);

// Recalculates the study. Raises ErreurCalculEtude for the first room that
// cannot be calculated.
ResultatEtude CalculEtude(const std::vector<Piece>& pieces, const Installation& generales);

// The pass CalculEtude makes, room by room: each room, in record order, is
// calculated against the largest pressure drop of the rooms before it, and
// its results and row go to `suite`, which returns whether to go on. Raises
// ErreurCalculEtude as CalculEtude does, for the rooms it reaches. Gives
// the largest pressure drop and the total flow of the rooms calculated.
struct CumulEtude {
    double PerteMaxi = 0;
    double DebitTotal = 0;
};
CumulEtude ParcourirEtude(const std::vector<Piece>& pieces, const Installation& generales,
                          const std::function<bool(const ResultatsPiece&, LigneEtude&&)>& suite);

} // namespace sorvel
