#include "modele/MarcheProgramme.h"

#include "modele/BibliothequeEtudes.h"
#include "modele/EtudeEnCours.h"
#include "stockage/Catalogue.h"
#include "stockage/FichiersTravail.h"
#include "stockage/SessionEtudes.h"

#include <QDir>

namespace sorvel {

QString QuestionReprise(const QString& nom, int pieces) {
    return QStringLiteral("Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en cours « %1 » "
                          "(%2 %3) ?")
        .arg(nom)
        .arg(pieces)
        .arg(pieces > 1 ? QStringLiteral("pièces") : QStringLiteral("pièce"));
}

QString MessageDossierOccupe(const QString& dossier, const QString& ordinateur) {
    QString texte = QStringLiteral("Sorvel est déjà ouvert sur le dossier des études « %1 »")
                        .arg(QDir::toNativeSeparators(dossier));
    if (!ordinateur.isEmpty())
        texte += QStringLiteral(", depuis l'ordinateur « %1 »").arg(ordinateur);
    texte += QStringLiteral(". Deux Sorvel ne peuvent pas travailler en même temps sur le même dossier : "
                            "chacun effacerait les pièces de l'autre.\n\n"
                            "Revenez à la fenêtre de Sorvel déjà ouverte ; celle-ci va se fermer.");
    if (!ordinateur.isEmpty())
        texte += QStringLiteral("\n\nSi Sorvel n'est plus ouvert sur cet ordinateur, supprimez le fichier « %1 » "
                                "du dossier des études.")
                     .arg(FichierVerrou);
    return texte;
}

MarcheProgramme::MarcheProgramme(EtudeEnCours& etude) : etude_(etude) {}

MarcheProgramme::~MarcheProgramme() {
    if (sessionOuverte_ && etude_.NombrePieces() == 0)
        FinirSession();
}

void MarcheProgramme::DossierInutilisable(const QString& erreur) {
    etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Dossier des études."),
                erreur + QStringLiteral("\n\nLes études ne pourront pas être enregistrées tant que "
                                        "le dossier 'Etudes' n'est pas utilisable."));
}

Demarrage MarcheProgramme::Demarrer() {
    demarrage_ = Demarrage::Normal;
    const DossierEtudes& dossier = etude_.Dossier();
    try {
        dossier.PreparerDossier();
    } catch (const ErreurFichier& e) {
        DossierInutilisable(e.messageFrancais());
        return demarrage_;
    }
    // Nothing of the folder is touched before its lock is held: the working
    // files may be another program's.
    verrou_ = std::make_unique<VerrouEtudes>(dossier);
    if (verrou_->Prendre() == VerrouEtudes::Issue::Occupe) {
        etude_.Dire(IconeMessage::Exclamation, TitreDossierOccupe,
                    MessageDossierOccupe(dossier.Chemin(),
                                         verrou_->DetenteurDistant() ? verrou_->OrdinateurDetenteur() : QString()));
        verrou_.reset();
        demarrage_ = Demarrage::DossierOccupe;
        return demarrage_;
    }
    const std::optional<QString> interrompue = SessionInterrompue(dossier);
    int pieces = 0;
    try {
        // A store into or out of the working files (opening, storing a
        // study) comes first: finished when decided, undone otherwise.
        etude_.EtudesStockees().JournalEnregistrement().Reprendre();
        pieces = etude_.Travail().Reparer();
    } catch (const ErreurFichier& e) {
        DossierInutilisable(e.messageFrancais());
    }
    if (!(interrompue && pieces > 0 && ProposerReprise(*interrompue, pieces))) {
        const QString erreur = etude_.SupprimerFichiersTravail();
        if (!erreur.isEmpty())
            DossierInutilisable(erreur);
        // A rooms list made before the start must not show them.
        if (pieces > 0)
            emit etude_.PiecesChangees();
    }
    sessionOuverte_ = true;
    NoterSession();
    return demarrage_;
}

bool MarcheProgramme::ProposerReprise(const QString& nomInterrompu, int pieces) {
    // What a run cut short left is checked as a stored study is: values no
    // screen could have written are not taken back.
    Etude reprise;
    try {
        reprise = etude_.Travail().LireEtude();
    } catch (const ErreurEtudeEndommagee& e) {
        etude_.Dire(IconeMessage::Exclamation, TitreEtudeEndommagee,
                    QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude en cours ne peut pas être récupérée."));
        return false;
    } catch (const ErreurFichier& e) {
        etude_.Dire(IconeMessage::Exclamation, TitreErreurFichier, e.messageFrancais());
        return false;
    }
    // A run cut short before its study had a name.
    const QString nom =
        nomInterrompu.trimmed().isEmpty() ? etude_.Bibliotheque().PremierNomLibre() : nomInterrompu;
    if (etude_.Dire(IconeMessage::Question, TitreReprise, QuestionReprise(nom, pieces), BoutonsMessage::OuiNon) !=
        ReponseMessage::Oui)
        return false;
    demarrage_ = Demarrage::Reprise;
    // Never stored as it now stands: storing it asks before replacing a
    // stored study of that name.
    etude_.Remplacer(reprise, nom, false, true);
    return true;
}

void MarcheProgramme::NoterSession() {
    if (!sessionOuverte_)
        return;
    try {
        EcrireSession(etude_.Dossier(), etude_.Nom());
    } catch (const ErreurFichier&) {
    }
}

void MarcheProgramme::FinirSession() {
    sessionOuverte_ = false;
    try {
        TerminerSession(etude_.Dossier());
    } catch (const ErreurFichier&) {
        // A marker that stays only offers the next run an empty study back,
        // which it does not: without rooms nothing is asked.
    }
}

bool MarcheProgramme::Quitter() {
    // The folder is another program's: nothing here is this run's to delete.
    if (demarrage_ == Demarrage::DossierOccupe)
        return true;
    if (etude_.Modifie()) {
        const ReponseMessage r = etude_.Dire(
            IconeMessage::Question, QStringLiteral("Enregistrement."),
            QStringLiteral("Voulez vous enregistrer les modifications apportées à l'étude '") + etude_.Nom() +
                QStringLiteral("' ?"),
            BoutonsMessage::OuiNonAnnuler);
        if (r == ReponseMessage::Annuler)
            return false;
        // Not stored: the study stays open rather than being lost.
        if (r == ReponseMessage::Oui &&
            etude_.Bibliotheque().EnregistrerEtude(etude_.Nom()) != ResultatEnregistrement::Enregistree)
            return false;
    }
    // A working file that resists now is deleted at the next start.
    etude_.SupprimerFichiersTravail();
    FinirSession();
    return true;
}

} // namespace sorvel
