// The four items of the "&Impression..." menu: the whole study recalculated,
// then its report previewed or printed.

#include "ecrans/FrmImprimer.h"
#include "ecrans/MDIPlancher.h"
#include "modele/EtudeEnCours.h"

#include <QAction>
#include <QDate>

namespace sorvel {

namespace {

// The preview menu entry of `rapport`; its tag says whether the preview
// shows that report ("1") or not ("0").
QAction* EntreeApercu(const MDIPlancher& plancher, Rapport rapport) {
    return plancher.findChild<QAction*>(rapport == Rapport::Chantier ? QStringLiteral("MnuApercuChantier")
                                                                     : QStringLiteral("MnuApercuRecap"));
}

} // namespace

void MDIPlancher::LancerImpression(Impression impression) {
    if (!etude_->PeutImprimer())
        return;
    // A room that cannot be calculated is told by the model, and no report
    // follows.
    std::optional<EtudeRecalculee> etude = etude_->RecalculerEtude();
    if (!etude)
        return;
    DonneesRapport donnees;
    donnees.NomEtude = etude_->Nom().toStdString();
    donnees.Date = QDate::currentDate();
    donnees.Generales = etude_->Generales();
    donnees.Resultat = std::move(etude->Resultat);
    donnees.Materiel = std::move(etude->Materiel);

    const bool chantier = impression == Impression::ApercuChantier || impression == Impression::ImprimerChantier;
    const Rapport rapport = chantier ? Rapport::Chantier : Rapport::Recapitulatif;
    if (impression == Impression::ImprimerChantier || impression == Impression::ImprimerRecapitulatif) {
        ImprimerRapport(this, donnees, rapport);
        return;
    }

    QAction* apercuChantier = EntreeApercu(*this, Rapport::Chantier);
    QAction* apercuRecapitulatif = EntreeApercu(*this, Rapport::Recapitulatif);
    apercuChantier->setData(QString::fromLatin1(chantier ? "1" : "0"));
    apercuRecapitulatif->setData(QString::fromLatin1(chantier ? "0" : "1"));
    FrmImprimer* apercu = OuvrirFenetreAuxiliaire<FrmImprimer>(
        [&] { return new FrmImprimer(apercuChantier, apercuRecapitulatif); });
    apercu->Afficher(std::move(donnees));
}

} // namespace sorvel
