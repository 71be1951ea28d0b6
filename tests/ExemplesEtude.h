#pragma once

// Room records shared by the file tests and the screen tests: varied enough
// that a record written in the wrong place or with a wrong byte shows.

#include "stockage/ModEnregistrer.h"

#include <string>

namespace sorvel::test {

// Room i ("Pièce i"): its load type, surfaces, losses and drop change with i.
inline DonneesPiece PieceExemple(int i) {
    return {.TypeCharge = static_cast<std::int16_t>(i % 4), .SurfaceBordure = i % 4 == 1 ? 2.25 : 0,
            .PasVZBordure = i % 4 == 1 ? "10" : "", .NomPiece = "Pièce " + std::to_string(i), .TempPiece = "20",
            .SurfacePiece = 10.5 + i, .DeperdPiece = 100.0 * i, .RthActuelle = "0.05", .RthFuture = "0.10",
            .IsoApport = "3", .IsoEmissions = "4", .TempChute = static_cast<std::int16_t>(5 + i % 10)};
}

// Appends room i to both working files of `etudes`, as accepting it on the
// results screen does; its loop pressure drop is 10 × i mmCE.
inline void AjouterPieceExemple(const DossierEtudes& etudes, int i, const std::string& nom = {}) {
    DonneesPiece d = PieceExemple(i);
    if (!nom.empty())
        d.NomPiece = nom;
    etudes.AjouterPiece(d);
    etudes.AjouterPerte(10.0 * i, 0, 10.0 * i, FichierPerte);
}

} // namespace sorvel::test
