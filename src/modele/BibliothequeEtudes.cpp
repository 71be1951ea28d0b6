#include "modele/BibliothequeEtudes.h"

#include "modele/EtudeEnCours.h"
#include "stockage/Catalogue.h"
#include "stockage/FichiersTravail.h"
#include "modele/SaisiePiece.h"

namespace sorvel {

namespace {

bool ContientInterdit(const QString& texte) {
    for (QChar c : texte)
        if (CaracteresInterdits.contains(c))
            return true;
    return false;
}

} // namespace

QString BibliothequeEtudes::PremierNomLibre() const {
    QString nom;
    for (int n = 1;; ++n) {
        nom = QStringLiteral("Etude %1").arg(n);
        // A folder that cannot be listed would never give a free name.
        if (!etude_.EtudesStockees().Existe(nom) || n == 1000000)
            break;
    }
    return nom;
}

void BibliothequeEtudes::NommerEtude() { etude_.DefinirNom(PremierNomLibre()); }

bool BibliothequeEtudes::DemanderEnregistrement(BoutonsMessage boutons) {
    if (!etude_.Modifie())
        return true;
    const ReponseMessage reponse = etude_.Dire(IconeMessage::Question, QStringLiteral("Enregistrer."),
                                               QStringLiteral("Voulez vous enregistrer l'étude en cours ?"), boutons);
    if (reponse != ReponseMessage::Oui)
        return reponse != ReponseMessage::Annuler;
    // Declining to replace a study of that name is the user's choice; a
    // store that failed leaves the study where it is.
    return EnregistrerEtude(etude_.Nom()) != ResultatEnregistrement::Echouee;
}

bool BibliothequeEtudes::CommandeNouvelleEtude() {
    if (!DemanderEnregistrement())
        return false;
    etude_.NouvelleEtude();
    return true;
}

bool BibliothequeEtudes::AbandonnerEtude() {
    if (!DemanderEnregistrement(BoutonsMessage::OuiNonAnnuler))
        return false;
    etude_.NouvelleEtude();
    return true;
}

void BibliothequeEtudes::SupprimerEtude() {
    const QString nom = etude_.Nom();
    if (!etude_.EtudesStockees().Existe(nom)) {
        etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Suppression impossible."),
                    QStringLiteral("Cette étude n'a pas encore été enregistrée, elle ne peut donc pas être "
                                   "supprimée !"));
        return;
    }
    if (etude_.Dire(IconeMessage::Question, QStringLiteral("Suppression de l'étude."),
                    QStringLiteral("Voulez vous supprimer l'étude '") + nom + QStringLiteral("' ?"),
                    BoutonsMessage::OuiNonDefautNon) != ReponseMessage::Oui)
        return;
    if (!etude_.Signaler([&] { etude_.EtudesStockees().Supprimer(nom); }))
        return;
    etude_.NouvelleEtude();
}

QStringList BibliothequeEtudes::EtudesAOuvrir() {
    const QStringList etudes = etude_.EtudesStockees().Etudes();
    if (etudes.isEmpty())
        etude_.Dire(IconeMessage::Aucune, QStringLiteral("Ouverture d'une étude."),
                    QStringLiteral("Aucune étude n'est disponible !"));
    return etudes;
}

bool BibliothequeEtudes::CommandeEnregistrer() {
    if (etude_.EtudeEnregistree()) {
        EnregistrerEtude(etude_.Nom());
        return false;
    }
    // A study emptied of its rooms has no accepted room either.
    if (etude_.NombrePieces() > 0)
        return true;
    etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
                QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"));
    return false;
}

bool BibliothequeEtudes::PeutEnregistrerSous() {
    if (etude_.NombrePieces() > 0)
        return true;
    etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
                QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude sous un "
                               "autre nom !"));
    return false;
}

bool BibliothequeEtudes::PeutRenommer() {
    if (etude_.EtudesStockees().Existe(etude_.Nom()))
        return true;
    etude_.Dire(IconeMessage::Aucune, QStringLiteral("Renommer."),
                QStringLiteral("L'étude '") + etude_.Nom() + QStringLiteral("' n'est pas encore enregistrée !"));
    return false;
}

ResultatEnregistrement BibliothequeEtudes::EnregistrerEtude(const QString& nom) {
    // This study stored under its own name is simply stored again.
    const bool autre = etude_.EtudesStockees().Existe(nom) && !(etude_.EtudeEnregistree() && nom == etude_.Nom());
    if (autre && etude_.Dire(IconeMessage::Question, QStringLiteral("Enregistrer."),
                             QStringLiteral("L'étude '") + nom +
                                 QStringLiteral("' existe déjà !\nVoulez vous la remplacer ?"),
                             BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return ResultatEnregistrement::Refusee;
    try {
        etude_.Travail().EcrireGenerales(etude_.Generales());
        etude_.EtudesStockees().Enregistrer(nom);
    } catch (const ErreurSignalee& e) {
        etude_.Dire(IconeMessage::Exclamation, TitreEnregistrementImpossible,
                    QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                        QStringLiteral("' n'a pas été enregistrée ; ce qui était enregistré sous ce nom n'a pas "
                                       "changé."));
        return ResultatEnregistrement::Echouee;
    }
    etude_.DefinirEtudeEnregistree(true);
    etude_.DefinirModifie(false);
    etude_.DefinirNom(nom);
    return ResultatEnregistrement::Enregistree;
}

// ---- The save dialog ---------------------------------------------------------

void BibliothequeEtudes::DireCaractereIncorrect() {
    etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Caractère incorrect."),
                QStringLiteral("Caractère incorrect !\nles caractères \\ / : \" ? * | < > sont interdits pour un "
                               "nom de fichier."));
}

QString BibliothequeEtudes::CorrigerNomSaisi(const QString& texte) {
    if (!ContientInterdit(texte))
        return texte;
    DireCaractereIncorrect();
    QString propre;
    for (QChar c : texte)
        if (!CaracteresInterdits.contains(c))
            propre += c;
    return propre;
}

SuiteDialogue BibliothequeEtudes::ValiderEnregistrement(ModeEnregistrement mode, const QString& texte) {
    const QString nom = texte.trimmed();
    if (nom.isEmpty()) {
        etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Nom de l'étude."),
                    QStringLiteral("Vous devez donner un nom à l'étude !"));
        return SuiteDialogue::Rester;
    }
    // The field refuses them as they are typed; a name never reaches the
    // folder with one.
    if (ContientInterdit(nom)) {
        DireCaractereIncorrect();
        return SuiteDialogue::Rester;
    }
    if (mode == ModeEnregistrement::Enregistrer)
        return EnregistrerEtude(nom) == ResultatEnregistrement::Enregistree ? SuiteDialogue::Fermer
                                                                            : SuiteDialogue::Rester;
    return CopierSous(mode, nom);
}

SuiteDialogue BibliothequeEtudes::CopierSous(ModeEnregistrement mode, const QString& nom) {
    const QString ancien = etude_.Nom();
    // The stored files of the current name hold the study, then they are
    // copied under the new name.
    if (EnregistrerEtude(ancien) != ResultatEnregistrement::Enregistree)
        return SuiteDialogue::Rester;
    if (etude_.EtudesStockees().Existe(nom)) {
        etude_.Dire(IconeMessage::Aucune, QStringLiteral("Etude existante."),
                    QStringLiteral("Le nom '") + nom + QStringLiteral("' existe déjà !"));
        return SuiteDialogue::ViderNom;
    }
    try {
        etude_.EtudesStockees().Copier(ancien, nom);
    } catch (const ErreurSignalee& e) {
        etude_.Dire(IconeMessage::Exclamation, TitreEnregistrementImpossible,
                    QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                        QStringLiteral("' n'a pas été créée ; l'étude '") + ancien +
                        QStringLiteral("' est enregistrée."));
        return SuiteDialogue::Rester;
    }
    if (mode == ModeEnregistrement::Renommer) {
        try {
            etude_.EtudesStockees().Supprimer(ancien);
        } catch (const ErreurSignalee& e) {
            // The study goes on under its new name; the old files are told.
            etude_.Dire(IconeMessage::Exclamation, QStringLiteral("Renommer."),
                        QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude est enregistrée sous le nom '") +
                            nom + QStringLiteral("', mais l'étude '") + ancien +
                            QStringLiteral("' n'a pas pu être supprimée."));
        }
    }
    etude_.DefinirNom(nom);
    return SuiteDialogue::Fermer;
}

// ---- The open dialog -----------------------------------------------------------

bool BibliothequeEtudes::OuvrirEtude(const QString& nom) {
    if (!DemanderEnregistrement())
        return false;
    // Everything is checked before the current study is closed: a study
    // that cannot be opened leaves it as it is.
    auto refuser = [&](const ErreurSignalee& e) {
        etude_.Dire(IconeMessage::Exclamation, QString::fromStdString(e.titre()),
                    QString::fromUtf8(e.what()) + QStringLiteral("\n\nL'étude '") + nom +
                        QStringLiteral("' ne peut pas être ouverte ; l'étude en cours n'a pas changé."));
        return false;
    };
    Catalogue& catalogue = etude_.EtudesStockees();
    try {
        catalogue.JournalEnregistrement().Reprendre();
    } catch (const ErreurSignalee& e) {
        return refuser(e);
    }
    for (const QString& extension : {ExtensionPertes, ExtensionGenerales}) {
        if (!catalogue.Dossier().Existe(nom + extension) && catalogue.Dossier().Existe(nom + ExtensionPieces)) {
            etude_.Dire(IconeMessage::Critique, QStringLiteral("Fichier manquant."),
                        QStringLiteral("Le fichier [") + nom + extension +
                            QStringLiteral("] nécessaire à l'étude est manquant !\n\nOuverture de l'étude "
                                           "impossible."));
            return false;
        }
    }
    Etude lue;
    try {
        // Sizes and values: a study the program could never have written is
        // refused here.
        lue = catalogue.Lire(nom);
        // The current study is closed here: its working files are replaced,
        // all or nothing.
        catalogue.Charger(nom);
    } catch (const ErreurSignalee& e) {
        return refuser(e);
    }
    etude_.Remplacer(lue, nom, true, false);
    return true;
}

std::optional<QStringList> BibliothequeEtudes::SupprimerEtudeEnregistree(const QString& nom) {
    if (nom.isEmpty() ||
        etude_.Dire(IconeMessage::Question, QStringLiteral("Suppression de l'étude."),
                    QStringLiteral("Voulez vous supprimer l'étude '") + nom + QStringLiteral("' ?"),
                    BoutonsMessage::OuiNonDefautNon) != ReponseMessage::Oui)
        return std::nullopt;
    etude_.Signaler([&] { etude_.EtudesStockees().Supprimer(nom); });
    // The study being edited was that one: it now lives in its working
    // files alone, and quitting asks to store it.
    if (etude_.EtudeEnregistree() && nom == etude_.Nom() && !etude_.EtudesStockees().Existe(nom)) {
        etude_.DefinirEtudeEnregistree(false);
        etude_.DefinirModifie(true);
    }
    return etude_.EtudesStockees().Etudes();
}

} // namespace sorvel
