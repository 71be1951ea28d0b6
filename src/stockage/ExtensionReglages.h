#pragma once

// The two keys of the extension file (Extension.h) that belong to the
// study as a whole rather than to its site or rooms:
//
//   "defautsPieces": {"temperatures": [{"nom": "Séjour", "temperature": 20},
//                                      {"nom": "Salle de bain", "temperature": 22}],
//                     "tempChute": 8, "rthActuelle": 0.05, "rthFuture": 0.1,
//                     "isoApport": 4, "isoEmissions": 4, "longRaccordNormale": 3.5}
//   "renseignements": {"client": "M. et Mme Dupont", "chantier": "12 rue des Lilas",
//                      "installateur": "Thermo Services", "coordonnees": "…",
//                      "notes": "…"}
//
// A key left out takes the value of a study that sets none: no temperature
// by name, a drop of 8 K, no covering, insulation of 4 cm, no connecting
// pipe; an empty text. "rthActuelle" and "rthFuture" are numbers of the
// lists (0.01 to 0.15 by 0.01). The temperatures keep their order, the
// one in which the dialog shows them.

#include "etude/Etude.h"

#include <QJsonObject>
#include <QJsonValue>

#include <string>

namespace sorvel {

// A value the file cannot hold: the key and why (French, no final full
// stop). The reader of the whole file names the file around it.
struct RefusCle {
    std::string Champ;
    std::string Raison;
};

// Every key written (the coverings only when chosen); the defaults are
// checked first (VerifierDefautsPieces), a fault raising RefusCle.
QJsonObject DefautsPiecesVersJson(const DefautsPieces& defauts);
// The texts given; nothing written for an empty one.
QJsonObject RenseignementsVersJson(const RenseignementsEtude& renseignements);

// The values of the keys; a value of the wrong type, an unknown key, or
// defaults that VerifierDefautsPieces refuses raise RefusCle.
DefautsPieces LireDefautsPieces(const QJsonValue& valeur);
RenseignementsEtude LireRenseignements(const QJsonValue& valeur);

} // namespace sorvel
