#pragma once

// The two room files of the current study change together. Room n is record
// n of Etude.tmp and of Perte.tmp: a program stopped between the two writes
// (a kill, a power cut) must not leave one file a room ahead of the other,
// nor a file missing. Every change of the rooms therefore goes through
// RemplacerPiecesEtPertes, which has one point of no return, and the next
// start puts the files back on one side of it (ReparerFichiersTravail).

#include "stockage/ModEnregistrer.h"

#include <QByteArray>

namespace sorvel {

// Makes `pieces` the whole of Etude.tmp and `pertes` the whole of Perte.tmp,
// both or neither:
//   1. PteTemp.tmp then Temp.tmp receive the new contents; each appears under
//      its name only once written whole and on disk (EcrireFichierComplet);
//   2. PteTemp.tmp is renamed over Perte.tmp: from here the change is made;
//   3. Temp.tmp is renamed over Etude.tmp.
// A failure before step 2 removes the scratch files and leaves the study as
// it was; either way it raises ErreurFichier naming the file. A stop
// between 2 and 3 leaves Temp.tmp alone, which the next start finishes.
void RemplacerPiecesEtPertes(const DossierEtudes& dossier, const QByteArray& pieces, const QByteArray& pertes);

// Room n (1 to count + 1) written into both files at once: an edited room
// over its records, a new room after the last. Records a file holds beyond
// the other's count (left by an older program) are dropped.
void EcrirePieceEtPerte(const DossierEtudes& dossier, int n, const DonneesPiece& piece, const PerteCharge& perte);

// Start-up, before the working files are used or deleted: puts them back
// into a whole study and gives its number of rooms.
//   - A store interrupted in an earlier run (opening or storing a study) is
//     finished or undone, and every file it wrote aside (name + ".neuf")
//     goes (ReprendreEnregistrement).
//   - PteTemp.tmp present: a change stopped before its point of no return;
//     the scratch files go, the study is the one before the change.
//   - Temp.tmp alone: a change past that point; Temp.tmp replaces
//     Etude.tmp, provided it holds as many rooms as Perte.tmp.
//   - The bytes of an unfinished last record are dropped, and the longer of
//     Etude.tmp and Perte.tmp is cut to the rooms both hold.
//   - The probe of the folder (essai_XXXXXX.tmp) is removed.
// Raises ErreurFichier when a file cannot be read or put right.
int ReparerFichiersTravail(const DossierEtudes& dossier);

} // namespace sorvel
