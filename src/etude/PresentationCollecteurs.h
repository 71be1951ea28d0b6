#pragma once

// How the manifolds of a study are shown: one row per manifold (its name,
// outlets, loops connected, total flow, largest loop drop, own drop, head
// needed, the Kv of its balancing valve, its warning) and one row per
// outlet (outlet, room, loop, length, flow in l/h and in l/min for the flow
// meter, the loop's drop and artificial drop, the Kv of its valve or
// "ouverte", its warning). The manifolds window, the commissioning sheet
// and the CSV all draw from this model; it holds no widget. Pure C++.

#include "etude/Collecteurs.h"
#include "etude/PresentationEquilibrage.h"

#include <array>
#include <string>
#include <vector>

namespace sorvel {

// The columns of the manifolds table, from 0.
namespace ColonneCollecteur {
enum : int { Nom, Sorties, Departs, Debit, PerteMaxi, PerteCollecteur, HauteurNecessaire, Kv, Alertes };
} // namespace ColonneCollecteur
inline constexpr int NombreColonnesCollecteurs = ColonneCollecteur::Alertes + 1;

// The columns of a manifold's outlets, from 0.
namespace ColonneSortie {
enum : int { Sortie, Piece, Boucle, Longueur, Debit, DebitLmin, Perte, PerteArtificielle, Kv, Alertes };
} // namespace ColonneSortie
inline constexpr int NombreColonnesSorties = ColonneSortie::Alertes + 1;

// A column's short heading for a grid ("Perte maxi", "Débitmètre"), its
// heading in words for a tooltip, the CSV and the sheet ("Perte de charge
// maximale des boucles", "Débit au débitmètre") and its unit ("mmCE",
// "l/min", "" for none).
struct ColonnePresentee {
    const char* Titre;
    const char* Libelle;
    const char* Unite;
};
extern const std::array<ColonnePresentee, NombreColonnesCollecteurs> ColonnesCollecteurs;
extern const std::array<ColonnePresentee, NombreColonnesSorties> ColonnesSorties;
// "Débit au débitmètre (l/min)", "Pièce".
std::string LibelleAvecUnite(const ColonnePresentee& colonne);

using LigneCollecteur = std::array<CelluleEquilibrage, NombreColonnesCollecteurs>;
using LigneSortie = std::array<CelluleEquilibrage, NombreColonnesSorties>;

// The row of the manifold `c`: numbers rounded to 2 decimals as in the
// balancing, the Kv of its valve or "ouverte" for the manifold that needs
// the most head, "trop de boucles : 14 pour 12 sorties" in orange when its
// loops outnumber its outlets, with a tooltip that says what to do.
LigneCollecteur PresenterCollecteur(const FiguresCollecteur& c);
// One row per loop of the manifold `c`, by outlet: "hors débitmètre" in
// orange for a flow outside an ordinary flow meter's scale, explained in
// the tooltip; the Kv of its valve or "ouverte".
std::vector<LigneSortie> PresenterSorties(const FiguresCollecteur& c);

} // namespace sorvel
