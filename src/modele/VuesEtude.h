#pragma once

// What the views of the study show, ready to be laid out: the summary of the
// recalculated study, its balancing rows, its manifolds with their outlets,
// its material list, the lines of text below them, and the study lines the
// general data can give. Built
// from the presentations of the study; the screens only put them in grids
// and labels.

#include "etude/PresentationCollecteurs.h"
#include "etude/PresentationEquilibrage.h"
#include "etude/PresentationRecapitulatif.h"
#include "etude/PresentationResultats.h"
#include "etude/RecalculEtude.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sorvel {

// Every study line (ResumeEtude) the general data screen can give: each
// support with each pipe at each supply temperature. The screens that show
// the line keep room for the widest of them.
QStringList ResumesEtudePossibles();

// The study has at least one room: its views have figures to show and to
// export.
bool AvecPieces(const EtudeRecalculee& etude);

// The summary of `etude`, recalculated with the general data `generales`:
// one row of 41 cells per room, the totals and the lines below the table.
Recapitulatif RecapitulatifEtude(const EtudeRecalculee& etude, const Installation& generales);

// One row per loop of the balancing, its warnings in orange; each of a
// room's equal loops says which it is ("normale (2 sur 3)").
std::vector<LigneEquilibrage> LignesEquilibrage(const EtudeRecalculee& etude);

// Every manifold of `etude` in order: its row, then one row per loop by
// outlet (warnings in orange, with their tooltips; a room's equal loops
// numbered as in the balancing).
struct CollecteurAffiche {
    LigneCollecteur Ligne;
    std::vector<LigneSortie> Sorties;
};
std::vector<CollecteurAffiche> LignesCollecteurs(const EtudeRecalculee& etude);

// "Etude : perte de charge maximale, 450 mmCE. débit total, 312,46 l/h";
// empty for a study without rooms.
QString LignePerteEtude(const EtudeRecalculee& etude);
// "Température de départ minimale sans appoint : 38 °C"; empty for a study
// without rooms.
QString LigneTempDepartMinimale(const EtudeRecalculee& etude);

// Rows of the material list.
inline constexpr int NombreLignesMateriel = static_cast<int>(LignesMateriel.size());
struct LigneMaterielAffichee {
    QString Designation; // "Longueur totale de tube"
    QString Valeur;      // "124", "16x20"
    QString Unite;       // "m"
};
// The material to order for `etude`, in list order; none for a study
// without rooms.
std::vector<LigneMaterielAffichee> LignesMaterielEtude(const EtudeRecalculee& etude);
// The manifolds to order, apart from that list: one line per size used
// ("Collecteur 12 départs", "2", "u"), by increasing size; none for a study
// without rooms.
std::vector<LigneMaterielAffichee> LignesMaterielCollecteurs(const EtudeRecalculee& etude);

} // namespace sorvel
