#pragma once

// Rooms and general data shared by the calculation and study tests.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "etude/Etude.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace sorvel::exemples {

// The error of type E the operation raises; empty when it raises none, which
// every caller reports as a failure through its comparison.
template <class E, class F>
std::optional<E> Erreur(F&& operation) {
    try {
        operation();
    } catch (const E& e) {
        return e;
    }
    return std::nullopt;
}

// The failed step of an arithmetic error, or "<aucune erreur>".
template <class F>
std::string Etape(F&& operation) {
    const auto e = Erreur<ErreurArithmetique>(operation);
    return e ? e->etape() : "<aucune erreur>";
}

// The reference room of the calculation tests: supply 45 °C,
// drop 5 K, room 20 °C, 20 m² with 2 m² of obstacles, losses 1500 W of which
// 200 W through the floor, no ceiling gain; 16x20 pipe on trellis, covering
// 0.05 now and later, 6 m of connecting pipes, 90 W downwards.
inline EntreesPiece EntreesExemple() {
    return {.TempDepart = 45, .TempChute = 5, .TempPiece = 20, .TypeCharge = Charge::Normale,
            .SurfacePiece = 20, .SurfaceEmprises = 2, .Support = Fixation::Treillis, .Tube = DiametreTube::D16x20,
            .RthActuelle = Resistance::R005, .RthFuture = Resistance::R005, .PasVZBordure = PasVZ::VZ10,
            .DeperdPiece = 1500, .DeperdPlancher = 200, .LongRaccordNormale = 6, .EmissionsBas = 90};
}

// The support and the pipe as the tables of cases name them: "Plots",
// "13x16"; any other name is the other one.
inline Fixation Support(const std::string& nom) { return nom == "Plots" ? Fixation::Plots : Fixation::Treillis; }
inline DiametreTube Tube(const std::string& nom) { return nom == "13x16" ? DiametreTube::D13x16 : DiametreTube::D16x20; }

// General data: supply 45 °C, 7 cm of traditional screed.
inline Installation Generales(Fixation support = Fixation::Treillis, DiametreTube tube = DiametreTube::D16x20) {
    return {.Support = support, .Tube = tube, .TempDepart = 45, .EpaisChape = 7, .Chape = NatureChape::Traditionnelle};
}

// A room at 20 °C with 1 m² of obstacles, 150 W lost through the floor,
// 50 W gained from the ceiling, 60 W downwards, coverings 0.05 now and 0.10
// later, a 5 K drop and 8 m of connecting pipes; with an edge zone (any
// type but the normal one) of 4 m² at 10 cm, and 6 m of edge-loop
// connection.
inline sorvel::Piece PieceMaison(const std::string& nom, Charge type, double surface, double deperd) {
    return {.TypeCharge = type, .SurfaceBordure = type == Charge::Normale ? 0.0 : 4.0, .PasVZBordure = PasVZ::VZ10,
            .NomPiece = nom, .TempPiece = 20, .SurfacePiece = surface, .SurfaceEmprises = 1,
            .SurfacePlafond = surface, .DeperdPiece = deperd, .DeperdPlancher = 150, .ApportPlafond = 50,
            .EmissionsBas = 60, .RthActuelle = Resistance::R005, .RthFuture = Resistance::R010, .IsoApport = 4,
            .IsoEmissions = 6, .LongRaccordNormale = 8, .LongDistri = 0, .LongRaccordBordure = 6, .TempChute = 5};
}

// A house of 12 rooms with every load type, as a site has them: a large
// living room, bedrooms, wet rooms with an independent edge loop, small
// passages.
inline std::vector<sorvel::Piece> Maison12Pieces() {
    constexpr Charge N = Charge::Normale, E = Charge::Elevee, C = Charge::Combinee, A = Charge::Angle;
    return {PieceMaison("Séjour", N, 38, 2900),       PieceMaison("Cuisine", C, 14, 1100),
            PieceMaison("Entrée", N, 8, 500),         PieceMaison("Chambre 1", N, 13, 900),
            PieceMaison("Chambre 2", N, 12, 850),     PieceMaison("Chambre parents", A, 16, 1200),
            PieceMaison("Salle de bains", E, 7, 600), PieceMaison("Salle d'eau", N, 5, 350),
            PieceMaison("Bureau", N, 10, 700),        PieceMaison("Véranda", E, 20, 2200),
            PieceMaison("Dégagement", N, 6, 250),     PieceMaison("Buanderie", N, 6, 300)};
}

// A study of `n` rooms: the house's rooms over again, numbered from the
// second round on ("Séjour 2").
inline std::vector<sorvel::Piece> EtudeDePieces(int n) {
    const std::vector<sorvel::Piece> maison = Maison12Pieces();
    std::vector<sorvel::Piece> pieces;
    for (int i = 0; i < n; ++i) {
        sorvel::Piece p = maison[static_cast<std::size_t>(i % 12)];
        if (i >= 12)
            p.NomPiece += " " + std::to_string(i / 12 + 1);
        pieces.push_back(p);
    }
    return pieces;
}

// A room name of the full 30 characters a stored room holds:
// "Chambre d'amis n°07 - 2e étage".
inline std::string NomLong(int i) {
    char numero[8];
    std::snprintf(numero, sizeof numero, "%02d", i % 100);
    return std::string("Chambre d'amis n°") + numero + " - 2e étage";
}

} // namespace sorvel::exemples
