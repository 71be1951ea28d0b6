#pragma once

// One run of the program on a studies folder. The working files have fixed
// names: two programs on one folder would write each other's rooms. A lock
// file keeps a second program off the folder while the first runs, and a
// marker file, present from start to normal end, tells the next run that
// this one was cut short and which study it was editing.

#include "stockage/DossierEtudes.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace sorvel {

inline const QString FichierVerrou = QStringLiteral("Sorvel.verrou");
inline const QString FichierSession = QStringLiteral("Sorvel.session");

// The lock of a studies folder, held from Prendre() to Rendre() or the end
// of the object. A lock left by a program that no longer runs on this
// computer is taken over; one held by a running program, or written by
// another computer (a shared disk), is not: its age says nothing, a run may
// last all day.
class VerrouEtudes {
public:
    explicit VerrouEtudes(const DossierEtudes& dossier);
    ~VerrouEtudes();
    VerrouEtudes(const VerrouEtudes&) = delete;
    VerrouEtudes& operator=(const VerrouEtudes&) = delete;

    enum class Issue {
        Pris,       // this run holds the folder
        Occupe,     // another program holds it
        Impossible, // the lock file cannot be made (a folder that takes no file)
    };
    Issue Prendre();
    bool Pris() const;
    void Rendre();
    // With Occupe: the holder's computer, empty when unknown.
    const QString& OrdinateurDetenteur() const { return ordinateur_; }
    // True when the holder runs on another computer than this one.
    bool DetenteurDistant() const { return distant_; }

private:
    std::unique_ptr<QLockFile> verrou_;
    QString ordinateur_;
    bool distant_ = false;
};

// The marker of the run in progress, naming the study it edits; written
// again whenever the name changes. Raises ErreurFichier.
void EcrireSession(const DossierEtudes& dossier, const QString& nomEtude);
// The study name the marker of an earlier run holds: that run did not end
// normally. Nothing when there is no marker (the last run ended normally,
// or never ran); an empty name when the marker names no study.
std::optional<QString> SessionInterrompue(const DossierEtudes& dossier);
// The normal end of a run: the marker goes. A missing marker is no error.
void TerminerSession(const DossierEtudes& dossier);

} // namespace sorvel
