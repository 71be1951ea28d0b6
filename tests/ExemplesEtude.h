#pragma once

// Rooms shared by the file tests and the screen tests: varied enough that a
// room written in the wrong place or with a wrong byte shows.

#include "stockage/FichiersTravail.h"

#include <string>

namespace sorvel::test {

// Room i ("Pièce i"): its load type, surfaces, losses and drop change with i.
inline Piece PieceExemple(int i) {
    const auto type = static_cast<Charge>(i % NombreTypesCharge);
    return {.TypeCharge = type, .SurfaceBordure = type == Charge::Elevee ? 2.25 : 0,
            .PasVZBordure = type == Charge::Elevee ? std::optional(PasVZ::VZ10) : std::nullopt,
            .NomPiece = "Pièce " + std::to_string(i), .TempPiece = 20, .SurfacePiece = 10.5 + i,
            .DeperdPiece = 100.0 * i, .RthActuelle = Resistance::R005, .RthFuture = Resistance::R010,
            .IsoApport = 3, .IsoEmissions = 4, .TempChute = 5 + i % 10};
}

// Appends room i to both working files of the folder `etudes`, as accepting
// it on the results screen does; its loop pressure drop is 10 × i mmCE.
inline void AjouterPieceExemple(const DossierEtudes& etudes, int i, const std::string& nom = {}) {
    Piece p = PieceExemple(i);
    if (!nom.empty())
        p.NomPiece = nom;
    const FichiersTravail travail(etudes);
    travail.EcrirePiece(travail.NombrePieces() + 1, p, PerteCharge{10.0 * i, 0, 10.0 * i});
}

} // namespace sorvel::test
