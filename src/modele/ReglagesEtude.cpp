// The study's defaults of the new rooms and the details of its job
// (EtudeEnCours.h).

#include "modele/EtudeEnCours.h"

#include "etude/DefautsPieces.h"
#include "stockage/FichiersTravail.h"

namespace sorvel {

namespace {

// A text without spaces nor blank lines around it.
std::string Nettoye(const std::string& texte) { return QString::fromStdString(texte).trimmed().toStdString(); }

} // namespace

DefautsPieces EtudeEnCours::DefautsAffiches() const {
    return defauts_ ? DefautsCompletes(*defauts_) : DefautsProposes();
}

bool EtudeEnCours::ChangerDefautsPieces(const std::optional<DefautsPieces>& defauts) {
    if (defauts == defauts_)
        return true;
    if (!Signaler([&] { travail_->EcrireDefautsPieces(defauts); }))
        return false;
    defauts_ = defauts;
    MarquerChangementEtude();
    return true;
}

bool EtudeEnCours::ChangerRenseignements(const RenseignementsEtude& brut) {
    const RenseignementsEtude r{Nettoye(brut.Client), Nettoye(brut.Chantier), Nettoye(brut.Installateur),
                                Nettoye(brut.Coordonnees), Nettoye(brut.Notes)};
    if (r == renseignements_)
        return true;
    if (!Signaler([&] { travail_->EcrireRenseignements(r); }))
        return false;
    renseignements_ = r;
    MarquerChangementEtude();
    return true;
}

} // namespace sorvel
