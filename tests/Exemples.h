#pragma once

// Rooms and general data shared by the calculation and study tests.

#include "calcul/ModCalcul.h"
#include "commun/ErreurArithmetique.h"
#include "etude/Enregistrements.h"

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
    return {.TempDepart = 45, .TempChute = 5, .TempPiece = 20, .TypeCharge = 0,
            .SurfacePiece = 20, .SurfaceEmprises = 2,
            .Support = "Treillis", .Tube = "16x20", .RthActuelle = "0.05", .RthFuture = "0.05", .PasVZBordure = "10",
            .DeperdPiece = 1500, .DeperdPlancher = 200, .LongRaccordNormale = 6, .EmissionsBas = 90};
}

// The reference room with some of its inputs changed, calculated.
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

// A house of 12 rooms with every load type, as a site has them: a large
// living room, bedrooms, wet rooms with an independent edge loop, small
// passages.
inline std::vector<DonneesPiece> Maison12Pieces() {
    return {Piece("Séjour", 0, 38, 2900),         Piece("Cuisine", 2, 14, 1100),
            Piece("Entrée", 0, 8, 500),           Piece("Chambre 1", 0, 13, 900),
            Piece("Chambre 2", 0, 12, 850),       Piece("Chambre parents", 3, 16, 1200),
            Piece("Salle de bains", 1, 7, 600),   Piece("Salle d'eau", 0, 5, 350),
            Piece("Bureau", 0, 10, 700),          Piece("Véranda", 1, 20, 2200),
            Piece("Dégagement", 0, 6, 250),       Piece("Buanderie", 0, 6, 300)};
}

// A study of `n` rooms: the house's rooms over again, numbered from the
// second round on ("Séjour 2").
inline std::vector<DonneesPiece> EtudeDePieces(int n) {
    const std::vector<DonneesPiece> maison = Maison12Pieces();
    std::vector<DonneesPiece> pieces;
    for (int i = 0; i < n; ++i) {
        DonneesPiece p = maison[static_cast<std::size_t>(i % 12)];
        if (i >= 12)
            p.NomPiece += " " + std::to_string(i / 12 + 1);
        pieces.push_back(p);
    }
    return pieces;
}

// A room name of the full 30 characters a record holds:
// "Chambre d'amis n°07 - 2e étage".
inline std::string NomLong(int i) {
    char numero[8];
    std::snprintf(numero, sizeof numero, "%02d", i % 100);
    return std::string("Chambre d'amis n°") + numero + " - 2e étage";
}

} // namespace sorvel::exemples
