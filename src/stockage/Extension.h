#pragma once

// The extension file of a study: what its three record files cannot hold,
// kept beside them as UTF-8 JSON (name.plx for a stored study, Extension.tmp
// for the study being edited): the site's climate, the manifolds of the
// site, room by room the details of its losses and its manifold, and, for
// the whole study, the values its new rooms start from and the details of
// the job its reports print (ExtensionReglages.h):
//
//   {"format": "sorvel-extension", "version": 2,
//    "climat": {"departement": "69", "altitude": 250, "tempExterieure": -10,
//               "tempMoyenneAnnuelle": 11, "pontsThermiques": 0.05, "hauteur": 2.5},
//    "collecteurs": [{"nom": "Rez-de-chaussée", "sorties": 12, "perteCollecteur": 0},
//                    {"nom": "Étage", "sorties": 8, "perteCollecteur": 150}],
//    "pieces": [{"piece": 1, "collecteur": 2,
//                "deperditions": {"hauteur": 2.5, "renouvellement": 0.5,
//                "debitExtrait": 0, "relance": 0, "elements": [
//                {"designation": "Mur nord", "nature": "mur", "surface": 12.5,
//                 "u": 0.25, "contact": "exterieur"}, ...]}}],
//    "defautsPieces": {...}, "renseignements": {...}}
//
// A room is an object named by its number ("piece", its record), so that
// what it keeps lies together. Keys left out take their defaults: no
// climate, one manifold "Collecteur 1" of 12 outlets without own drop, no
// rooms, no details, no manifold chosen for a room (CollecteursEtude and
// AffecterCollecteurs choose), 12 outlets and an own drop of 0 for a
// manifold (its name is required), an empty designation or department, no
// altitude, thermal bridges 0, the climate's height 2.5 m, a room's height
// the climate's, air change, extract flow and reheat 0, no elements; no
// annual mean temperature (needed only by a floor on the ground).
//
// A key this version does not know is refused, as is a version above 3: a
// file is never read in part, to be written back without what it held.
// Version 1 knew neither "collecteurs" nor a room's "collecteur": a file
// that holds neither is written as version 1, byte for byte as before, and
// one that holds them as version 2, which a Sorvel of version 1 refuses as
// made by a more recent Sorvel rather than as damaged. Version 3 added
// "defautsPieces" and "renseignements": a file that holds neither is
// written as before, one that holds one of them as version 3. A later
// version that adds a key writes a higher version number in the same way.

#include "etude/Etude.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace sorvel {

// The value of "format", and the latest version of it this program reads
// and writes.
inline const QString FormatExtension = QStringLiteral("sorvel-extension");
inline constexpr int VersionExtension = 3;
// Beyond this size (bytes) a file is not read: 30 rooms described element by
// element take a few tens of kilobytes.
inline constexpr qint64 TailleMaximaleExtension = 4 * 1024 * 1024;

// Titles of the messages that refuse details or manifolds the file could
// not hold.
inline const QString TitreDeperditions = QStringLiteral("Déperditions.");
inline const QString TitreCollecteurs = QStringLiteral("Collecteurs.");
inline const QString TitreDefautsPieces = QStringLiteral("Valeurs par défaut des pièces.");

// The room keeps something in the extension file: its manifold, more than
// one loop, or its details.
bool ComplementsPiece(const Piece& piece);

// The file of the climate, the manifolds and the rooms of `etude` (room n is
// etude.Pieces[n - 1]; its general data and drops are not used), indented,
// numbers as JSON numbers; nothing when there is no climate, no room with
// details or a manifold, no other list of manifolds than the default one,
// no defaults of the rooms and no details of the job: such a study has no
// extension file. Details that break a rule of the
// file (VerifierDeperditions) raise ErreurSignalee (TitreDeperditions)
// naming the room, the element and the field; manifolds that break one
// (VerifierCollecteurs), ErreurSignalee (TitreCollecteurs) naming the
// manifold or the room and the field: the program never writes what it
// would refuse to read. Defaults of the rooms that break a rule
// (VerifierDefautsPieces) raise ErreurSignalee (TitreDefautsPieces).
std::optional<QByteArray> EcrireExtension(const Etude& etude);

// Reads the file `octets` into the climate, the manifolds and the rooms'
// details and manifolds of `etude`, whose rooms are those of the study's
// records. A file that is not JSON, is of another format or a later
// version, names a room the study does not have (or twice), gives a value
// of the wrong type or an unknown key, nature or contact, lists no
// manifold, or breaks a rule of VerifierDeperditions or VerifierCollecteurs
// raises ErreurEtudeEndommagee for `chemin`; its message shows the file as
// `affiche` and names the room (number and name) or the manifold (number
// and name), the element and the key. Nothing is changed then.
void LireExtension(const QByteArray& octets, const QString& chemin, const QString& affiche, Etude& etude);

} // namespace sorvel
