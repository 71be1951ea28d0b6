#pragma once

// Rooms and general data shared by the calculation and study tests.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "etude/Enregistrements.h"

#include <cstdint>
#include <optional>
#include <string>

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

// The room of the worked example of the room calculation: supply 45 °C,
// drop 5 K, room 20 °C, 20 m² with 2 m² of obstacles, losses 1500 W of which
// 200 W through the floor, no ceiling gain; 16x20 pipe on trellis, covering
// 0.05 now and later, 6 m of connecting pipes, 90 W downwards.
inline EntreesPiece EntreesExemple() {
    return {.TempDepart = 45, .TempChute = 5, .TempPiece = 20, .TypeCharge = 0,
            .SurfacePiece = 20, .SurfaceEmprises = 2,
            .Support = "Treillis", .Tube = "16x20", .RthActuelle = "0.05", .RthFuture = "0.05", .PasVZBordure = "10",
            .DeperdPiece = 1500, .DeperdPlancher = 200, .LongRaccordNormale = 6, .EmissionsBas = 90};
}

// The worked example with some of its inputs changed, calculated.
template <class F>
ResultatsPiece CalculModifie(F&& modifier) {
    EntreesPiece e = EntreesExemple();
    modifier(e);
    return CalculPiece(e);
}

// General data: supply 45 °C, 7 cm of traditional screed; support 0
// trellis / 1 studs, tube 0 13x16 / 1 16x20.
inline DonneesGenerales Generales(std::int16_t support = 0, std::int16_t tube = 1) {
    return {.Support = support, .Tube = tube, .TempDepart = "45", .EpaisChape = 7, .Chape = 0};
}

// A room record at 20 °C with 1 m² of obstacles, 150 W lost through the
// floor, 50 W gained from the ceiling, 60 W downwards, coverings 0.05 now and
// 0.10 later, a 5 K drop and 8 m of connecting pipes; with an edge zone
// (type other than 0) of 4 m² at 10 cm, and 6 m of edge-loop connection.
inline DonneesPiece Piece(const std::string& nom, std::int16_t type, double surface, double deperd) {
    return {.TypeCharge = type, .SurfaceBordure = type == 0 ? 0.0 : 4.0, .PasVZBordure = "10", .NomPiece = nom,
            .TempPiece = "20", .SurfacePiece = surface, .SurfaceEmprises = 1, .SurfacePlafond = surface,
            .DeperdPiece = deperd, .DeperdPlancher = 150, .ApportPlafond = 50, .EmissionsBas = 60,
            .RthActuelle = "0.05", .RthFuture = "0.10", .IsoApport = "4", .IsoEmissions = "6",
            .LongRaccordNormale = 8, .LongDistri = 0, .LongRaccordBordure = 6, .TempChute = 5};
}

} // namespace sorvel::exemples
