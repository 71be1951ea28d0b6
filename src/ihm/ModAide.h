#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace sorvel {

// Help contexts of the screens in Sorvel.chm.
enum ContexteAide : int {
    AideDonneesGenerales = 10000,
    AideCircuits = 10001,
    AideCharge = 10002,
    AidePiece = 10003,
    AideConduites = 10004,
    AideResultats = 10005,
    AideCorrection = 10006,
    AideIncertitude = 10007,
    AideDeperditions = 10008, // the losses and climate dialogs
};

inline const QString FenetreAide = QStringLiteral("plancher");

// Path of the help file beside the program.
QString CheminAide();

// Opens the help file at `contexte` (or at its default topic without one) in
// the program's help window. A missing file is reported to the user and
// nothing else happens.
void AfficherAide(const QString& chemin, const QString& typeFenetre = QString(),
                  std::optional<int> contexte = std::nullopt);

} // namespace sorvel
