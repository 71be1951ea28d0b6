#pragma once

// Where the files of the program lie by default: the studies folder for one
// run of the program, and the folder proposed for exports. A copy of the
// program in a folder of its own (a build folder, a USB key) keeps its
// studies beside itself; an installed program, whose folder belongs to the
// system and is shared by every user of the machine, keeps them in each
// user's documents folder, so that two users never share studies or working
// files.

#include <QString>

#include <functional>

namespace sorvel {

// Environment variable naming the studies folder outright (tests, offices
// that keep their studies on a shared drive).
inline constexpr const char* VariableDossierEtudes = "SORVEL_ETUDES";
// The studies folder beside the program.
inline const QString NomDossierEtudes = QStringLiteral("Etudes");
// The studies folder below the user's documents folder.
inline const QString SousDossierDocuments = QStringLiteral("Sorvel/Etudes");

// What the choice depends on, gathered at start-up.
struct SituationEtudes {
    QString dossierProgramme;      // the executable's folder
    bool programmeInscriptible;    // a new file can be made there
    QString dossierImpose;         // the value of SORVEL_ETUDES, empty when unset
    QString dossierDocuments;      // the user's documents folder
    QString repertoireCourant;     // against which a relative SORVEL_ETUDES is read
};

// The studies folder, as a clean absolute path: the folder SORVEL_ETUDES
// names (blank counts as unset); otherwise `Etudes` beside a program whose
// folder takes new files; otherwise `Sorvel/Etudes` in the documents folder.
QString ChoisirDossierEtudes(const SituationEtudes& situation);

// Whether a new file can be made in `dossier`, found by making one and
// removing it: permission bits say nothing of a read-only disk, nor to the
// administrator, who writes through them.
bool DossierInscriptible(const QString& dossier);

// The studies folder of a program lying in `dossierProgramme`: reads
// SORVEL_ETUDES, the user's documents folder (QStandardPaths) and the
// current folder, and asks `inscriptible` about the program's folder. The
// folder itself is made by the study at start-up.
QString DossierEtudesDemarrage(const QString& dossierProgramme,
                               const std::function<bool(const QString&)>& inscriptible = DossierInscriptible);

// Where exports (spreadsheets, PDF files) are proposed: the user's documents
// folder, or the home folder when the system names none.
QString DossierExportations();

} // namespace sorvel
