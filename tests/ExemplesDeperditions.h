#pragma once

// A study whose rooms' losses are detailed, its figures worked out by hand:
// shared by the tests of the losses' presentation, CSV and report.

#include "etude/Etude.h"

#include "Exemples.h"

namespace sorvel::exemples {

// Lyon at 250 m: -10 °C outside, 11 °C over the year, thermal bridges
// 0.05 W/(m².K), rooms 2.5 m high unless they say otherwise.
inline ClimatSite ClimatLyon() {
    return {.Departement = "69", .Altitude = 250, .TempExterieure = -10, .TempMoyenneAnnuelle = 11,
            .PontsThermiques = 0.05, .Hauteur = 2.5};
}

// A living room of 28 m² at 20 °C (Δθ 30 K) with six elements, every
// contact among them:
//   wall         12.5 x (0.25 + 0.05)               =  3.75 W/K   112.5 W
//   window        4.2 x (1.4 + 0.05)                =  6.09 W/K   182.7 W
//   door          2   x (1.5 + 0.05)                =  3.1  W/K    93   W
//   ceiling      28   x (0.2 + 0.05) x 0.9          =  6.3  W/K   189   W
//   floor        28   x 0.3 x 1.45 x (20 - 11) / 30 =  3.654 W/K  109.62 W
//   partition     6   x 1.8 x (20 - 24) / 30        = -1.44 W/K   -43.2 W
// transmission 643.62 W; air 0.5 x 28 x 2.5 = 35 m³/h, 0.34 x 35 x 30 =
// 357 W; no reheat: 1000.62 W, of which 109.62 W through the floor.
inline DeperditionsPiece SejourSixElements() {
    using N = NatureElement;
    using C = ContactElement;
    return {.Renouvellement = 0.5,
            .Elements = {{"Mur nord", N::Mur, 12.5, 0.25, C::Exterieur},
                         {"Baie vitrée sud", N::Fenetre, 4.2, 1.4, C::Exterieur},
                         {"Porte d'entrée", N::Porte, 2, 1.5, C::Exterieur},
                         {"Plafond sous combles", N::Plafond, 28, 0.2, C::NonChauffe, 0.9},
                         {"Dalle sur terre-plein", N::Plancher, 28, 0.3, C::Sol},
                         {"Cloison salle de bains", N::Mur, 6, 1.8, C::Chauffe, std::nullopt, 24}}};
}

// Three rooms in Lyon: the living room above, its fields as its details
// give them (1001 W, 110 W); a kitchen without details (1100 W typed); a
// bedroom of 12 m², 2.4 m high, whose fields were typed over (900 W, 150 W):
//   window 1.8 x (1.3 + 0.05) = 2.43 W/K, 72.9 W; wall 9 x (0.3 + 0.05) =
//   3.15 W/K, 94.5 W; transmission 167.4 W; the extract (45 m³/h) beats
//   the air change (0.6 x 12 x 2.4 = 17.28 m³/h): 0.34 x 45 x 30 = 459 W;
//   reheat 5 W/m² x 12 m² = 60 W; total 686.4 W, none through the floor.
inline Etude EtudeDeperditions() {
    Etude e{.Generales = Generales(), .Climat = ClimatLyon()};
    e.Pieces = {PieceMaison("Séjour", Charge::Normale, 28, 1001), PieceMaison("Cuisine", Charge::Combinee, 14, 1100),
                PieceMaison("Chambre", Charge::Normale, 12, 900)};
    e.Pieces[0].DeperdPlancher = 110;
    e.Pieces[0].Deperditions = SejourSixElements();
    e.Pieces[2].Deperditions = DeperditionsPiece{
        .Hauteur = 2.4, .Renouvellement = 0.6, .DebitExtrait = 45, .Relance = 5,
        .Elements = {{"Fenêtre ouest", NatureElement::Fenetre, 1.8, 1.3, ContactElement::Exterieur},
                     {"Mur ouest", NatureElement::Mur, 9, 0.3, ContactElement::Exterieur}}};
    return e;
}

} // namespace sorvel::exemples
