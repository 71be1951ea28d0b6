#pragma once

// Files stored together, all or nothing, also when the program is killed
// or the power fails midway: the new files are written beside their targets
// and synced, a journal naming the targets is put in place (from then the
// store is decided), the new files are renamed over their targets and the
// journal goes; a target that must disappear goes once the store is
// decided. The next start (or the next store, the next listing of the
// stored studies) finishes a decided store and removes what an undecided
// one left aside.

#include "stockage/DossierEtudes.h"

#include <QString>

#include <functional>
#include <vector>

namespace sorvel {

// The intent of a store under way: the names of its targets.
inline const QString FichierJournal = QStringLiteral("Enregistrement.journal");

// One file of a store: `source` copied over `cible`. A missing source of a
// record file counts as an empty file (a study without rooms has no rooms
// file yet); for an optional file (`facultatif`) it means that the target
// must disappear: a study stored without an extension file leaves none of
// its earlier one. An empty source with `facultatif` deletes the target.
struct FichierEnregistre {
    QString source;
    QString cible;
    bool facultatif = false;
};
using FichiersEnregistres = std::vector<FichierEnregistre>;

// The steps of a store, in order. A program killed after any of them leaves
// either the previous files or the new ones once Reprendre has run.
enum class EtapeEnregistrement {
    FichierEcrit,    // a new file written aside and synced, one step per file copied
    JournalEcrit,    // the journal written aside and synced
    JournalEnPlace,  // the journal in place: the store is decided
    FichierRemplace, // a target replaced by its new file, or removed, one step per file
    Termine,         // the journal removed
};

class Journal {
public:
    explicit Journal(DossierEtudes dossier) : dossier_(std::move(dossier)) {}

    // Copies the files of the folder, all or nothing, in the order given. A
    // failure before the journal is in place (unreadable source, full disk)
    // removes what was written aside and leaves the previous files byte for
    // byte; it raises ErreurFichier.
    void Copier(const FichiersEnregistres& fichiers) const;

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
    void EcrireJournal(const FichiersEnregistres& fichiers, const std::vector<bool>& supprimes) const;

    DossierEtudes dossier_;
    std::function<void(EtapeEnregistrement)> suivi_;
};

} // namespace sorvel
