#pragma once

// The manifolds of a study and what the site's commissioning sheet reads
// from them: which outlet every loop takes, its flow for the outlet's flow
// meter, the artificial drop and the Kv of its valve within its manifold,
// and how each manifold is balanced against the others. Pure C++.

#include "etude/EquilibrageEtude.h"
#include "etude/Etude.h"

#include <optional>
#include <string>
#include <vector>

namespace sorvel {

// An ordinary flow meter reads from 0.5 to 5 l/min.
inline constexpr double DebitmetreMinimum = 0.5;
inline constexpr double DebitmetreMaximum = 5.0;

// The manifolds of a study: those it lists, or one "Collecteur 1" of 12
// outlets without own drop when it lists none.
std::vector<Collecteur> CollecteursEtude(const std::vector<Collecteur>& liste);

// The manifold (from 0) of every room, in room order. A room that names one
// goes there; when some do, a room that names none goes to the first.
// When none does, the rooms fill the manifolds in room order: a room goes to
// the current manifold when its `boucles[i]` loops fit the outlets left,
// else to the next one (of the list, or a new one of 12 outlets named
// "Collecteur n", appended to `collecteurs`), even if it does not fit there
// either. `boucles` holds the number of loops of each room.
std::vector<int> AffecterCollecteurs(const std::vector<Piece>& pieces, const std::vector<int>& boucles,
                                     std::vector<Collecteur>& collecteurs);

struct BoucleCollecteur {
    int Sortie = 0;                 // outlet number within the manifold, from 1
    ReglageBoucle Boucle;           // room, loop, length, flow, own drop
    double DebitLmin = 0;           // l/min, what the flow meter is set to
    double PerteArtificielle = 0;   // mmCE, up to the manifold's largest loop drop
    std::optional<double> Kv;       // m³/h; nothing for a valve left open
    bool AlerteDebitmetre = false;  // outside an ordinary flow meter's scale
};

struct FiguresCollecteur {
    Collecteur Definition;
    int Departs = 0;                // loops connected
    double Debit = 0;               // l/h, all its loops
    double PerteMaxi = 0;           // mmCE, its largest loop drop (0 empty)
    double HauteurNecessaire = 0;   // mmCE, that plus its own drop
    std::optional<double> KvCollecteur; // its balancing valve; nothing when open
    bool AlerteSorties = false;     // more loops than outlets
    std::vector<BoucleCollecteur> Boucles;
};

// The manifolds of the study `pieces`, their loops being `boucles` (the
// balancing's loops, in room order, the normal loop before the edge loop).
std::vector<FiguresCollecteur> CalculerCollecteurs(const std::vector<Piece>& pieces,
                                                   const std::vector<ReglageBoucle>& boucles,
                                                   const std::vector<Collecteur>& liste);

// The manifolds to order: one line per size used ("Collecteur 12 départs")
// with how many, by increasing size; an empty manifold is not ordered.
struct LigneMaterielCollecteur {
    std::string Designation;
    int Nombre = 0;
    bool operator==(const LigneMaterielCollecteur&) const = default;
};
std::vector<LigneMaterielCollecteur> MaterielCollecteurs(const std::vector<FiguresCollecteur>& figures);

} // namespace sorvel
