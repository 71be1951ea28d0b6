#pragma once

// Rooms shared by the file tests and the screen tests: varied enough that a
// room written in the wrong place or with a wrong byte shows; and the files
// of a studies folder as the tests make and read them.

#include "stockage/FichiersTravail.h"

#include <gtest/gtest.h>

#include <QFile>

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

// The pressure drops of room i's loops: 10 × i mmCE on the normal loop,
// 3 × i on the edge loop of the rooms that have one of their own.
inline PerteCharge PerteExemple(int i) { return PerteChargePiece(10.0 * i, i % NombreTypesCharge == 1 ? 3.0 * i : 0); }

// The site of the examples: the Rhône at 250 m, -10 °C outside, 11 °C over
// the year, 0.05 W/(m².K) of thermal bridges.
inline const ClimatSite ClimatExemple{.Departement = "69", .Altitude = 250, .TempExterieure = -10,
                                      .TempMoyenneAnnuelle = 11, .PontsThermiques = 0.05};

// The details of room i's losses: an outer wall, a floor over an unheated
// space and a partition to a heated neighbour, changing with i.
inline DeperditionsPiece DetailsExemple(int i) {
    return {.Hauteur = i % 2 ? std::optional(2.7) : std::nullopt, .Renouvellement = 0.5, .DebitExtrait = 15.0 * i,
            .Elements = {{.Designation = "Mur nord", .Surface = 10.0 + i, .U = 0.25},
                         {.Designation = "Plancher bas", .Nature = NatureElement::Plancher, .Surface = 10.5 + i,
                          .U = 0.3, .Contact = ContactElement::NonChauffe, .B = 0.8},
                         {.Designation = "Cloison cellier", .Surface = 8, .U = 1.8,
                          .Contact = ContactElement::Chauffe, .TempAdjacente = 16}}};
}
inline Piece PieceDetaillee(int i) {
    Piece p = PieceExemple(i);
    p.Deperditions = DetailsExemple(i);
    return p;
}

// Appends room i to both working files of the folder `etudes`, as accepting
// it on the results screen does.
inline void AjouterPieceExemple(const DossierEtudes& etudes, int i, const std::string& nom = {}) {
    Piece p = PieceExemple(i);
    if (!nom.empty())
        p.NomPiece = nom;
    const FichiersTravail travail(etudes);
    travail.EcrirePiece(travail.NombrePieces() + 1, p, PerteExemple(i));
}

// The bytes of the file `nom` of the folder; "<absent>" when it cannot be read.
inline QByteArray Contenu(const DossierEtudes& etudes, const QString& nom) {
    QFile f(etudes.Chemin(nom));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// The file `nom` of the folder made to hold `octets` exactly.
inline void Poser(const DossierEtudes& etudes, const QString& nom, const QByteArray& octets) {
    QFile f(etudes.Chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size());
}

} // namespace sorvel::test

// Texts and bytes shown as such when an expectation fails.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& texte, std::ostream* os) { *os << ::testing::PrintToString(texte.toStdString()); }
inline void PrintTo(const QByteArray& o, std::ostream* os) { *os << ::testing::PrintToString(o.toStdString()); }
QT_END_NAMESPACE
