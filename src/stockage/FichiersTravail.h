#pragma once

// The working files of the study being edited, in the studies folder:
// Generale.tmp (its general data), Etude.tmp (its rooms) and Perte.tmp (the
// pressure drops of their loops); Temp.tmp and PteTemp.tmp are scratch
// files of a change of the rooms.
//
// Room n is record n of Etude.tmp and of Perte.tmp: a program stopped
// between two writes (a kill, a power cut) must not leave one file a room
// ahead of the other, nor a file missing. Every change of the rooms goes
// through one replacement with one point of no return, and the next start
// puts the files back on one side of it (Reparer).
//
// Every operation raises ErreurFichier when a file cannot be read or
// written (the message names the file and the cause, a full disk
// included), and ErreurEtudeEndommagee when a record holds a value the
// screens never write.

#include "etude/Etude.h"
#include "stockage/DossierEtudes.h"

#include <QStringList>

#include <vector>

namespace sorvel {

inline const QString FichierGenerales = QStringLiteral("Generale.tmp");
inline const QString FichierEtude = QStringLiteral("Etude.tmp");
inline const QString FichierPerte = QStringLiteral("Perte.tmp");
inline const QString FichierTemp = QStringLiteral("Temp.tmp");
inline const QString FichierPteTemp = QStringLiteral("PteTemp.tmp");

class FichiersTravail {
public:
    explicit FichiersTravail(DossierEtudes dossier) : dossier_(std::move(dossier)) {}
    const DossierEtudes& Dossier() const { return dossier_; }

    // Rooms in Etude.tmp (whole records; 0 when the file is missing).
    int NombrePieces() const;
    // The rooms' names as stored, trimmed, in record order; an unreadable
    // file lists none.
    QStringList NomsPieces() const;

    void EcrireGenerales(const Installation& generales) const;
    // Record 1 of Generale.tmp; a missing or empty file raises ErreurFichier.
    Installation LireGenerales() const;
    // Room n (from 1); n outside 1..count raises ErreurFichier (a default
    // room would show an empty room as if it had been entered).
    Piece LirePiece(int n) const;
    std::vector<Piece> LirePieces() const;
    // Largest PerteMax of Perte.tmp, 0 when it is empty or holds no positive
    // value; a missing file is created empty.
    double PerteMaxEtude() const;

    // The whole study the working files hold, checked as a stored study is
    // (a missing Generale.tmp reads as the general data of a new study).
    Etude LireEtude() const;

    // Room n (1 to count + 1) and its pressure drops written into both files
    // at once: an edited room over its records, a new room after the last.
    // Records a file holds beyond the other's count are dropped.
    void EcrirePiece(int n, const Piece& piece, const PerteCharge& perte) const;
    // Removes room k (from 1) from both files; the other records keep their
    // bytes.
    void SupprimerPiece(int k) const;

    // Start-up, before the working files are used or deleted: puts them back
    // into a whole study and gives its number of rooms.
    //   - PteTemp.tmp present: a change stopped before its point of no
    //     return; the scratch files go, the study is the one before it.
    //   - Temp.tmp alone: a change past that point; Temp.tmp replaces
    //     Etude.tmp, provided it holds as many rooms as Perte.tmp.
    //   - The bytes of an unfinished last record are dropped, and the longer
    //     of Etude.tmp and Perte.tmp is cut to the rooms both hold.
    //   - The probe of the folder (essai_XXXXXX.tmp) is removed.
    // A store interrupted in an earlier run is finished or undone first by
    // the caller (Journal::Reprendre).
    int Reparer() const;

    // Deletes the three working files, every one tried; raises the error of
    // the first that resisted.
    void SupprimerTout() const;

private:
    // Makes `pieces` the whole of Etude.tmp and `pertes` the whole of
    // Perte.tmp, both or neither:
    //   1. PteTemp.tmp then Temp.tmp receive the new contents, each whole
    //      and on disk before it appears under its name;
    //   2. PteTemp.tmp is renamed over Perte.tmp: from here the change is made;
    //   3. Temp.tmp is renamed over Etude.tmp.
    // A failure before step 2 removes the scratch files and leaves the study
    // as it was.
    void Remplacer(const QByteArray& pieces, const QByteArray& pertes) const;
    Piece Verifiee(const char* octets, int numero) const;

    DossierEtudes dossier_;
};

} // namespace sorvel
