#pragma once

// The extension file of a study: what its three record files cannot hold,
// kept beside them as UTF-8 JSON (name.plx for a stored study, Extension.tmp
// for the study being edited). Version 1 holds the site's climate and, room
// by room, the details of its losses:
//
//   {"format": "sorvel-extension", "version": 1,
//    "climat": {"departement": "69", "altitude": 250, "tempExterieure": -10,
//               "tempMoyenneAnnuelle": 11, "pontsThermiques": 0.05, "hauteur": 2.5},
//    "pieces": [{"piece": 1, "deperditions": {"hauteur": 2.5, "renouvellement": 0.5,
//                "debitExtrait": 0, "relance": 0, "elements": [
//                {"designation": "Mur nord", "nature": "mur", "surface": 12.5,
//                 "u": 0.25, "contact": "exterieur"}, ...]}}]}
//
// A room is an object named by its number ("piece", its record), so that
// what a later version keeps for a room (its manifold, its loops) lies
// beside "deperditions". Keys left out take their defaults: no climate, no
// rooms, no details, an empty designation or department, no altitude,
// thermal bridges 0, the climate's height 2.5 m, a room's height the
// climate's, air change, extract flow and reheat 0, no elements; no annual
// mean temperature (needed only by a floor on the ground).
//
// A key this version does not know is refused, as is a version above 1: a
// file is never read in part, to be written back without what it held.
// A later version that adds a key writes a higher version number, and this
// one says that the study was made by a more recent Sorvel.

#include "etude/Etude.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace sorvel {

// The value of "format", and the one version of it this program reads and
// writes.
inline const QString FormatExtension = QStringLiteral("sorvel-extension");
inline constexpr int VersionExtension = 1;
// Beyond this size (bytes) a file is not read: 30 rooms described element by
// element take a few tens of kilobytes.
inline constexpr qint64 TailleMaximaleExtension = 4 * 1024 * 1024;

// Title of the message that refuses details the file could not hold.
inline const QString TitreDeperditions = QStringLiteral("Déperditions.");

// The file of `climat` and the details of `pieces` (room n is pieces[n - 1]),
// indented, numbers as JSON numbers; nothing when there is neither a climate
// nor a room with details: such a study has no extension file. Details that
// break a rule of the file (VerifierDeperditions) raise ErreurSignalee
// (TitreDeperditions) naming the room, the element and the field: the
// program never writes what it would refuse to read.
std::optional<QByteArray> EcrireExtension(const std::optional<ClimatSite>& climat, const std::vector<Piece>& pieces);

// Reads the file `octets` into `climat` and the details of `pieces`, the
// rooms of the study as its records hold them. A file that is not JSON, is
// of another format or a later version, names a room the study does not
// have (or twice), gives a value of the wrong type or an unknown key, nature
// or contact, or breaks a rule of VerifierDeperditions raises
// ErreurEtudeEndommagee for `chemin`; its message shows the file as
// `affiche` and names the room (number and name), the element and the key.
// Nothing is changed then.
void LireExtension(const QByteArray& octets, const QString& chemin, const QString& affiche,
                   std::optional<ClimatSite>& climat, std::vector<Piece>& pieces);

} // namespace sorvel
