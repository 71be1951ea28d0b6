#pragma once

// Rooms and general data shared by the calculation and study tests.

#include "calcul/ModCalcul.h"
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
    EntreesPiece e;
    e.TempDepart = 45;
    e.TempChute = 5;
    e.TempPiece = 20;
    e.TypeCharge = 0;
    e.SurfacePiece = 20;
    e.SurfaceEmprises = 2;
    e.Support = "Treillis";
    e.Tube = "16x20";
    e.RthActuelle = "0.05";
    e.RthFuture = "0.05";
    e.PasVZBordure = "10";
    e.DeperdPiece = 1500;
    e.DeperdPlancher = 200;
    e.LongRaccordNormale = 6;
    e.EmissionsBas = 90;
    return e;
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
    DonneesPiece p;
    p.TypeCharge = type;
    p.SurfaceBordure = type == 0 ? 0 : 4;
    p.PasVZBordure = "10";
    p.NomPiece = nom;
    p.TempPiece = "20";
    p.SurfacePiece = surface;
    p.SurfaceEmprises = 1;
    p.SurfacePlafond = surface;
    p.DeperdPiece = deperd;
    p.DeperdPlancher = 150;
    p.ApportPlafond = 50;
    p.EmissionsBas = 60;
    p.RthActuelle = "0.05";
    p.RthFuture = "0.10";
    p.IsoApport = "4";
    p.IsoEmissions = "6";
    p.LongRaccordNormale = 8;
    p.LongDistri = 0;
    p.LongRaccordBordure = 6;
    p.TempChute = 5;
    return p;
}

} // namespace sorvel::exemples
