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
