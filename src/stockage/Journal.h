#pragma once

// Files stored together, all or nothing, also when the program is killed
// or the power fails midway: the new files are written beside their targets
// and synced, a journal naming the targets is put in place (from then the
// store is decided), the new files are renamed over their targets and the
// journal goes. The next start (or the next store, the next listing of the
// stored studies) finishes a decided store and removes what an undecided
// one left aside.

#include "stockage/DossierEtudes.h"

#include <QString>

#include <array>
#include <functional>

namespace sorvel {

// The intent of a store under way: the names of its targets.
inline const QString FichierJournal = QStringLiteral("Enregistrement.journal");

// The steps of a store of three files (rooms, pressure drops, general
// data), in order. A program killed after any of them leaves either the
// previous files or the new ones once Reprendre has run.
enum class EtapeEnregistrement {
    PiecesEcrit,       // the new rooms file written aside and synced
    PertesEcrit,       // the new pressure-drop file too
    GeneralesEcrit,    // the new general-data file too
    JournalEcrit,      // the journal written aside and synced
    JournalEnPlace,    // the journal in place: the store is decided
    PiecesRemplace,    // the new rooms file renamed over its target
    PertesRemplace,
    GeneralesRemplace,
    Termine,           // the journal removed
};
inline constexpr int NombreEtapesEnregistrement = static_cast<int>(EtapeEnregistrement::Termine) + 1;

// The three files of a study in one store: rooms, pressure drops, general
// data.
using TroisFichiers = std::array<QString, 3>;

class Journal {
public:
    explicit Journal(DossierEtudes dossier) : dossier_(std::move(dossier)) {}

    // Copies the three files `sources` of the folder over `cibles`, all or
    // nothing. A missing source counts as an empty file (a study without
    // rooms has no rooms file yet). A failure before the journal is in
    // place (unreadable source, full disk) removes what was written aside
    // and leaves the previous files byte for byte; it raises ErreurFichier.
    void Copier(const TroisFichiers& sources, const TroisFichiers& cibles) const;

    // Finishes a store whose journal is in place and removes what an
    // undecided store left aside. Raises ErreurFichier when a decided store
    // cannot be finished.
    void Reprendre() const;

    // Called after each step of a store (tests interrupt a store there, as a
    // kill would; nothing is cleaned up after an exception that is not an
    // ErreurFichier).
    void SuivreEtapes(std::function<void(EtapeEnregistrement)> suivi) { suivi_ = std::move(suivi); }

private:
    void Etape(EtapeEnregistrement etape) const;
    void EcrireJournal(const TroisFichiers& cibles) const;

    DossierEtudes dossier_;
    std::function<void(EtapeEnregistrement)> suivi_;
};

} // namespace sorvel
