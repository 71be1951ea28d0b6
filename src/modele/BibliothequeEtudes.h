#pragma once

// The library of stored studies as the user works it: a new study, store,
// store as, rename, open and delete, with the questions each asks and the
// save and open dialogs' rules.

#include "commun/Questions.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sorvel {

class EtudeEnCours;

// Title of the message of a store that failed.
inline const QString TitreEnregistrementImpossible = QStringLiteral("Enregistrement impossible.");

// How storing a study came out: stored, refused by the user (an existing
// study of that name not to be replaced), or failed (and told).
enum class ResultatEnregistrement { Enregistree, Refusee, Echouee };
// The three modes of the save dialog.
enum class ModeEnregistrement { Enregistrer, EnregistrerSous, Renommer };
// What the save dialog does after its button: closes, stays open as it is,
// or stays open with its name field emptied.
enum class SuiteDialogue { Fermer, Rester, ViderNom };

// The nine characters a study name never holds: it names files.
inline const QString CaracteresInterdits = QStringLiteral("\\/:\"?*|<>");

class BibliothequeEtudes {
public:
    explicit BibliothequeEtudes(EtudeEnCours& etude) : etude_(etude) {}

    // The first "Etude n" not already stored.
    QString PremierNomLibre() const;
    // The study takes that name.
    void NommerEtude();

    // "Nouvelle étude": a modified study is offered for storing first; when
    // the user wants it stored and storing fails, nothing is discarded
    // (false). Otherwise the new study starts, whatever else came of the
    // storing.
    bool CommandeNouvelleEtude();
    // "&Annuler" of the general data screen and of the rooms list: a
    // modified study is offered for storing first, as "Nouvelle étude" does,
    // with a third answer, "Annuler", that keeps everything (false). A study
    // stored or let go, the new study starts (true).
    bool AbandonnerEtude();
    // "Supprimer l'étude": the stored study of this name, after a question
    // ("Non" by default); a new study follows.
    void SupprimerEtude();
    // "Ouvrir une étude...": the stored studies in French alphabetical
    // order, or nothing after telling that there is none.
    QStringList EtudesAOuvrir();
    // "Enregistrer l'étude": stored under its name when it already is. True
    // when the user must now choose a name (the save dialog).
    bool CommandeEnregistrer();
    // "Enregistrer l'étude sous..." and "Renommer l'étude...": true when the
    // dialog may open; otherwise the reason is told.
    bool PeutEnregistrerSous();
    bool PeutRenommer();
    // Stores the study under `nom`, all or nothing. An existing study of that
    // name, other than this study stored, is replaced only when the user
    // says so. Stored: the study is named `nom`, stored and unmodified.
    // Failed: told, and the study, its state and the stored files are as
    // they were.
    ResultatEnregistrement EnregistrerEtude(const QString& nom);
    // The question before a modified study is closed, with the buttons
    // `boutons`; false when the user wants it stored and storing failed, or
    // answers "Annuler".
    bool DemanderEnregistrement(BoutonsMessage boutons = BoutonsMessage::OuiNon);

    // ---- The save dialog ------------------------------------------------
    // The name field after a change: every forbidden character removed, and
    // the user told when there was one.
    QString CorrigerNomSaisi(const QString& texte);
    // The dialog's button in `mode` with the name typed (spaces around it
    // do not count): "Enregistrer..." stores under it; "Enregistrer
    // sous..." stores the study under its own name, then copies it as the
    // new one, which the study takes; "Renommer l'étude..." does the same
    // and deletes the study of the old name.
    SuiteDialogue ValiderEnregistrement(ModeEnregistrement mode, const QString& texte);

    // ---- The open dialog ------------------------------------------------
    // "&Ouvrir" on the stored study `nom`: a modified study is offered for
    // storing first; then the stored study is checked (its files present,
    // whole and sound) before anything of the current study is closed. True
    // when the study is opened and the dialog closes; otherwise the reason
    // is told and the current study is as it was.
    bool OuvrirEtude(const QString& nom);
    // "&Supprimer" on the stored study `nom`, after a question: the studies
    // left to list (empty when none), or nothing when none was deleted.
    std::optional<QStringList> SupprimerEtudeEnregistree(const QString& nom);

private:
    void DireCaractereIncorrect();
    // "Enregistrer sous..." and "Renommer l'étude..." once the name is good.
    SuiteDialogue CopierSous(ModeEnregistrement mode, const QString& nom);

    EtudeEnCours& etude_;
};

} // namespace sorvel
