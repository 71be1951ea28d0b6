#pragma once

// The run of the program on its studies folder: the start (the folder made,
// its lock taken, the working files put right, the study of a run cut short
// offered back), the marker of the run in progress, and the end.

#include <QString>

#include <memory>

namespace sorvel {

class EtudeEnCours;
class VerrouEtudes;

// How a run of the program started.
enum class Demarrage {
    Normal,        // an empty study; the working files of an earlier run deleted
    Reprise,       // the study of a run that did not end normally, taken back
    DossierOccupe, // another program works on the studies folder: this one ends
};

// The question asked at start-up when the previous run did not end
// normally and left rooms: "Sorvel ne s'est pas arrêté normalement.
// Voulez-vous récupérer l'étude en cours « Villa » (3 pièces) ?" ("1 pièce"
// for one room).
inline const QString TitreReprise = QStringLiteral("Récupération de l'étude.");
QString QuestionReprise(const QString& nom, int pieces);
// What a second program started on the same studies folder says before it
// ends; `ordinateur` names the holder's computer when it is another one.
inline const QString TitreDossierOccupe = QStringLiteral("Sorvel déjà ouvert.");
QString MessageDossierOccupe(const QString& dossier, const QString& ordinateur = {});

class MarcheProgramme {
public:
    explicit MarcheProgramme(EtudeEnCours& etude);
    // Ended while its working files still hold rooms the user never chose to
    // drop, the run counts as cut short: its marker stays, and the next
    // start offers the study back.
    ~MarcheProgramme();

    // Creates the studies folder when missing and takes its lock. Another
    // program holding it is told (TitreDossierOccupe): this one must end,
    // having touched nothing. Otherwise the working files of an earlier run
    // are put right and, when that run did not end normally and left rooms,
    // offered back (TitreReprise): "Oui" makes them the current study, under
    // its name, modified and never stored; "Non", or a normal start, deletes
    // them. A folder that cannot be used is told ("Dossier des études."); the
    // program goes on.
    Demarrage Demarrer();
    Demarrage EtatDemarrage() const { return demarrage_; }
    // Shut-down: asks to store a modified study. False when the program must
    // stay open (Cancel, or nothing stored); otherwise the working files are
    // gone and the run's marker with them: the next start is a normal one.
    bool Quitter();
    // The marker of this run, written again with the study's name; a marker
    // that cannot be written only loses the offer to recover.
    void NoterSession();

private:
    // The study a run cut short left in the working files (`pieces` rooms),
    // checked, then offered back. True when it is the current study now.
    bool ProposerReprise(const QString& nomInterrompu, int pieces);
    void DossierInutilisable(const QString& erreur);
    void FinirSession();

    EtudeEnCours& etude_;
    Demarrage demarrage_ = Demarrage::Normal;
    std::unique_ptr<VerrouEtudes> verrou_;
    bool sessionOuverte_ = false; // this run keeps the marker
};

} // namespace sorvel
