#pragma once

// How the results of a room are shown: the rounding of a value to its text
// and the highlighting rules (supplementary heat and flows to throttle in
// blue, loop lengths in orange or red by pipe size, surface temperatures
// above 28 °C in red). The results screen and the summary table both apply
// these; they hold no widget.

#include "calcul/ModCalcul.h"
#include "etude/Etude.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sorvel {

enum class CouleurValeur { TexteFenetre, Bleu, Rouge, Orange, Vert };

struct FormatValeur {
    bool Gras = false;
    CouleurValeur Couleur = CouleurValeur::TexteFenetre;
    bool operator==(const FormatValeur&) const = default;
};

// Red, green, blue of a colour (TexteFenetre has none of its own: the
// caller uses the system's window-text colour).
std::array<int, 3> Rvb(CouleurValeur couleur);

// A value as shown: rounded to 2 decimals, halves to even, shortest form
// with a comma ("12,35", "42").
std::string TexteArrondi(double x);

// Supplementary heat, flows to throttle, artificial pressure drops: bold
// blue when the value shown is above 0.
FormatValeur FormatSiPositif(double x);
// The loop lengths (m) above which a loop of the pipe `tube` shows orange (80 m, 120 m), and red (120 m, 160 m).
double LongueurBoucleOrange(DiametreTube tube);
double LongueurBoucleRouge(DiametreTube tube);
// Loop length (m): bold; with the 13x16 pipe orange above 80 m and
// red above 120 m, with the 16x20 pipe orange above 120 m and red above
// 160 m. The limits are strict: a loop of exactly 120 m of 13x16 pipe keeps
// the window-text colour.
FormatValeur FormatLongueurBoucle(double longueur, DiametreTube tube);
// Surface temperature (°C): bold red above 28 (28 itself is plain).
FormatValeur FormatTempSurface(double temperature);
// The surface temperature above which a floor is too warm to stand on, °C.
inline constexpr double TempSurfaceMaximale = 28.0;

// Why a value shows in colour: one sentence naming the value, the limit it
// passes and what to do, for its tooltip. Empty for a value the rules above
// leave in the window-text colour: only a coloured value explains itself.
std::string InfoBulleTempSurface(double temperature);
// A loop of the normal zone can be split into equal loops; an independent
// edge loop cannot.
enum class ZoneBoucle { Normale, Bordure };
std::string InfoBulleLongueurBoucle(double longueur, DiametreTube tube, ZoneBoucle zone);
// The values shown in blue when above 0, each with its own reason.
enum class ValeurARegler {
    AppointActuelle,
    AppointFuture,
    DebitFreinActuelle,
    DebitFreinFuture,
    PerteArtificielle,
};
std::string InfoBulleSiPositif(ValeurARegler valeur, double x);
// The loop whose pressure drop `texte` (as shown, "450") is the study's
// largest, in green on the summary.
std::string InfoBullePerteMaxi(const std::string& texte);

// The legend of the colours, under the summary and on its printed pages:
// "Couleurs —", then each colour's name in its colour and what it means
// for a study laid with `tube`.
struct SegmentLegende {
    std::string Texte;
    CouleurValeur Couleur = CouleurValeur::TexteFenetre;
    bool Gras = false;
    bool operator==(const SegmentLegende&) const = default;
};
std::vector<SegmentLegende> LegendeCouleurs(DiametreTube tube);
// The same as one plain line.
std::string TexteLegendeCouleurs(DiametreTube tube);

// The normal zone laid as `boucles` equal loops of `longueur` m each,
// connecting pipes included, where its length is shown in words: "3 boucles
// de 98,6 m"; the length alone ("98,6") for a single loop.
std::string TexteBouclesNormales(int boucles, double longueur);
// The same for a column too narrow for the words, whose unit (m) stands
// beside it: "3 × 98,6"; the length alone for a single loop.
std::string TexteBouclesNormalesCourt(int boucles, double longueur);

inline constexpr int NombreLignesResultats = 29;

// The rows of the results screen, from the top (row 0).
namespace LigneResultat {
enum : int {
    NomPiece,
    TempPiece,
    SurfaceUtile,
    DeperdCorrigees,
    EmissionNecessairePiece,
    EmissionZoneBordure,
    EmissionNecessaireNormale,
    EmissionUtiliseeNormale,
    ChuteTemperature,
    AppointActuelle,
    AppointFuture,
    PasVZNormale,
    PasVZBordure,
    LongueurNormale,
    LongueurBordure,
    EmissionRaccordNormale,
    EmissionRaccordBordure,
    EmissionsBas,
    DebitNormale,
    DebitBordure,
    DebitFreinActuelle,
    DebitFreinFuture,
    PerteNormale,
    PerteBordure,
    PerteLaPlusElevee,
    PerteArtificielleNormale,
    PerteArtificielleBordure,
    TempSurfaceNormale,
    TempSurfaceBordure,
};
} // namespace LigneResultat
static_assert(LigneResultat::TempSurfaceBordure + 1 == NombreLignesResultats);

struct LigneResultatPiece {
    const char* Titre;
    const char* Unite;
    std::string Valeur; // empty for a value the load type does not have
    FormatValeur Format;
    std::string InfoBulle; // why it is coloured; empty when it is not
};

// The 29 rows of the results screen for the room `piece` just calculated
// into `r`, with the pipe size of the study `tube`.
std::array<LigneResultatPiece, NombreLignesResultats> LignesResultatsPiece(const Piece& piece,
                                                                     DiametreTube tube,
                                                                     const ResultatsPiece& r);

} // namespace sorvel
