#pragma once

// The working files of the study being edited, in the studies folder:
// Generale.tmp (its general data), Etude.tmp (its rooms), Perte.tmp (the
// pressure drops of their loops) and, when the study has anything to keep
// there, Extension.tmp (its extension file, Extension.h: the site's climate,
// the manifolds, the details and the manifolds of the rooms); Temp.tmp, PteTemp.tmp and ExtTemp.tmp
// are scratch files of a change of the rooms.
//
// Room n is record n of Etude.tmp and of Perte.tmp, and room n of
// Extension.tmp: a program stopped between two writes (a kill, a power cut)
// must not leave one file a room ahead of another, nor a file missing.
// Every change of the rooms goes through one replacement with one point of
// no return, and the next start puts the files back on one side of it
// (Reparer).
//
// Every operation raises ErreurFichier when a file cannot be read or
// written (the message names the file and the cause, a full disk
// included), and ErreurEtudeEndommagee when a record holds a value the
// screens never write.

#include "etude/Etude.h"
#include "stockage/DossierEtudes.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace sorvel {

inline const QString FichierGenerales = QStringLiteral("Generale.tmp");
inline const QString FichierEtude = QStringLiteral("Etude.tmp");
inline const QString FichierPerte = QStringLiteral("Perte.tmp");
inline const QString FichierTemp = QStringLiteral("Temp.tmp");
inline const QString FichierPteTemp = QStringLiteral("PteTemp.tmp");
inline const QString FichierExtension = QStringLiteral("Extension.tmp");
inline const QString FichierExtTemp = QStringLiteral("ExtTemp.tmp");

// A room removed from the working files, as RetablirPiece puts it back.
struct PieceRetiree {
    int Numero = 0;            // its number before the removal, from 1
    QByteArray Enregistrement; // its record of Etude.tmp
    QByteArray Perte;          // its record of Perte.tmp
    Piece Donnees;             // the room, details, manifold and loops included
    // Extension.tmp before and after the removal; nothing: no file.
    std::optional<QByteArray> ExtensionAvant;
    std::optional<QByteArray> ExtensionApres;
};

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
    // Room n (from 1) with what Extension.tmp keeps for it; n outside
    // 1..count raises ErreurFichier (a default room would show an empty room
    // as if it had been entered).
    Piece LirePiece(int n) const;
    std::vector<Piece> LirePieces() const;
    // Largest PerteMax of Perte.tmp, 0 when it is empty or holds no positive
    // value; a missing file is created empty.
    double PerteMaxEtude() const;

    // The whole study the working files hold, its climate, its manifolds and
    // its rooms' details and manifolds included, checked as a stored study is (a missing
    // Generale.tmp reads as the general data of a new study).
    Etude LireEtude() const;

    // The site's climate written into Extension.tmp, whole or not at all;
    // the rooms' details stay. Raises ErreurSignalee (TitreDeperditions)
    // when the details of a room would break a rule with it (a room not
    // warmer than the outside, details without a climate).
    void EcrireClimat(const std::optional<ClimatSite>& climat) const;
    // The study's manifolds (empty: the single default one) and the
    // manifold of each room (affectations[n - 1] for room n, none: the
    // study chooses) written into Extension.tmp together, whole or not at
    // all; the rest of the file stays. Raises ErreurSignalee
    // (TitreCollecteurs) when they break a rule of the file (an empty name,
    // outlets out of 1 to 24, a negative own drop, a room naming a manifold
    // beyond the list).
    void EcrireCollecteurs(const std::vector<Collecteur>& collecteurs,
                           const std::vector<std::optional<int>>& affectations) const;
    // The values new rooms start from (none: those of a study that sets
    // none), and the details of the job, each written into Extension.tmp
    // whole or not at all; the rest of the file stays. Defaults that break a
    // rule of the file raise ErreurSignalee (TitreDefautsPieces).
    void EcrireDefautsPieces(const std::optional<DefautsPieces>& defauts) const;
    void EcrireRenseignements(const RenseignementsEtude& renseignements) const;

    // Room n (1 to count + 1), its pressure drops, its details and its
    // manifold written into the files at once: an edited room over its records, a new room
    // after the last. Records a file holds beyond the other's count are
    // dropped. Details that break a rule of the extension file raise
    // ErreurSignalee (TitreDeperditions) and nothing is written.
    void EcrirePiece(int n, const Piece& piece, const PerteCharge& perte) const;
    // Removes room k (from 1) from the files; the other records keep their
    // bytes, and the details and manifolds of the rooms after it move down
    // with them. Gives what RetablirPiece needs to bring it back.
    PieceRetiree SupprimerPiece(int k) const;
    // The room `retiree` put back at its number (after the last room when
    // the study has fewer rooms now), its records as they were, its details,
    // manifold and loops with it; the rooms from that number on move up.
    // Nothing changed since its removal, every file is again byte for byte
    // what it was before it. A manifold the study no longer has is dropped
    // (the study chooses one). Raises ErreurFichier when the study already
    // holds PiecesMaximumEtude rooms.
    void RetablirPiece(const PieceRetiree& retiree) const;
    // `piece` and its drops `perte` inserted as room n (1 to count + 1); the
    // rooms from n on move up, their details and manifolds with them.
    void InsererPiece(int n, const Piece& piece, const PerteCharge& perte) const;
    // Rooms k and k + 1 (k from 1) change places: their records, their drops,
    // their details, manifolds and loops.
    void EchangerPieces(int k) const;

    // Start-up, before the working files are used or deleted: puts them back
    // into a whole study and gives its number of rooms.
    //   - PteTemp.tmp present: a change stopped before its point of no
    //     return; the scratch files go, the study is the one before it.
    //   - ExtTemp.tmp without PteTemp.tmp: a change past that point; it
    //     replaces Extension.tmp, or, empty, both go.
    //   - Temp.tmp without PteTemp.tmp: a change past that point; Temp.tmp
    //     replaces Etude.tmp, provided it holds as many rooms as Perte.tmp.
    //   - The bytes of an unfinished last record are dropped, and the longer
    //     of Etude.tmp and Perte.tmp is cut to the rooms both hold.
    //   - The probe of the folder (essai_XXXXXX.tmp) is removed.
    // A store interrupted in an earlier run is finished or undone first by
    // the caller (Journal::Reprendre).
    int Reparer() const;

    // Deletes the working files, every one tried; raises the error of the
    // first that resisted.
    void SupprimerTout() const;

private:
    // Makes `pieces` the whole of Etude.tmp, `pertes` the whole of
    // Perte.tmp and, when given, `extension` the whole of Extension.tmp
    // (empty: the file goes), all or none:
    //   1. PteTemp.tmp, ExtTemp.tmp (when given) then Temp.tmp receive the
    //      new contents, each whole and on disk before it appears under its
    //      name;
    //   2. PteTemp.tmp is renamed over Perte.tmp: from here the change is made;
    //   3. ExtTemp.tmp takes the place of Extension.tmp (TerminerExtension);
    //   4. Temp.tmp is renamed over Etude.tmp.
    // A failure before step 2 removes the scratch files and leaves the study
    // as it was.
    void Remplacer(const QByteArray& pieces, const QByteArray& pertes,
                   const std::optional<QByteArray>& extension = std::nullopt) const;
    void TerminerExtension() const;
    Piece Verifiee(const char* octets, int numero) const;
    // What Extension.tmp keeps for `etude`, whose rooms are those of
    // Etude.tmp: its climate, its manifolds, its rooms' details and
    // manifolds; nothing without the file.
    void LireComplements(Etude& etude) const;
    // The rooms of the whole records `octets`, each checked, with what
    // Extension.tmp keeps for them and for the study.
    Etude Completee(const QByteArray& octets) const;
    // What Extension.tmp holds once `changer` has made the study the working
    // files hold what a change makes it: nothing when the file stays as it
    // is (it does not exist and `ajoute` is false), otherwise its new bytes,
    // empty when it must go.
    std::optional<QByteArray> ExtensionApres(bool ajoute, const std::function<void(Etude&)>& changer) const;
    // The bytes of Extension.tmp; nothing without the file.
    std::optional<QByteArray> ContenuExtension() const;
    // Etude.tmp and Perte.tmp, cut to the rooms both hold, whose number it
    // gives.
    int PiecesCommunes(QByteArray& pieces, QByteArray& pertes) const;
    // Extension.tmp alone changed so: written whole, or gone.
    void ChangerExtension(bool ajoute, const std::function<void(Etude&)>& changer) const;

    DossierEtudes dossier_;
};

} // namespace sorvel
