#pragma once

// The study being edited: its general data, its rooms (in the working files
// of the studies folder), its name and state, the room being entered, and
// every command the screens trigger on it. No widget here: the screens show
// what this model holds, hand it what the user typed and call one command;
// every message and question goes through the `Questions` interface. It is
// the one owner of the working files.

#include "calcul/ModCalcul.h"
#include "commun/Questions.h"
#include "etude/CalculEtude.h"
#include "etude/Enregistrements.h"
#include "etude/EquilibrageEtude.h"
#include "etude/Materiel.h"
#include "stockage/ModEnregistrer.h"
#include "stockage/SessionEtudes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace sorvel {

// Temperature drop a new room starts with, K.
inline constexpr std::int16_t ChuteNouvellePiece = 8;

// Title of the message of a store that failed.
inline const QString TitreEnregistrementImpossible = QStringLiteral("Enregistrement impossible.");

// The general data of a new study: "Treillis ou plaques pré tracées",
// "16x20 mm", 40 °C, "Chape traditionnelle", 6 cm.
DonneesGenerales GeneralesInitiales();
// "Etude : tube de diamètre 16x20 mm sur Trellis avec température de départ
// du fluide de 40°C", the line above the rooms list and the results.
QString ResumeEtude(const DonneesGenerales& g);
// Heat (W) through `surface` m² of floor over an insulation `epaisseur` cm
// thick ("2" to "8"; 0 without one): the estimates of the ceiling gain and
// of the downward emission offered by the room screen.
double FluxAtraversIsolant(double surface, const QString& epaisseur);
// Caption of the room screens: "Données de la pièce (Séjour)", or without the
// brackets while the room has no name.
QString LegendePiece(const QString& nom);

// The message by which an entry screen refuses the number `piece` holds in
// the field captioned `legende`: beyond its bound (BornesSaisie) the study
// check would refuse the study when it is opened again, so it is never
// written. Title: the caption and "."; text: "La valeur de « Surface de la
// pièce » doit être comprise entre 0 et 10000 m² !". Nothing when the
// number fits or the field has no bound.
std::optional<std::pair<QString, QString>> RefusNombreSaisi(const DonneesPiece& piece, const QString& legende);

// How a run of the program started (EtudeEnCours::Demarrer).
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

// The whole study recalculated, for the summary, the material list, the
// balancing and the reports.
struct EtudeRecalculee {
    ResultatEtude Resultat;
    std::vector<CelluleMateriel> Materiel;
    EquilibrageEtude Equilibrage;
};

class EtudeEnCours : public QObject {
    Q_OBJECT
public:
    // `questions` (not owned) tells the user and asks; it outlives the model.
    EtudeEnCours(DossierEtudes dossier, Questions& questions, QObject* parent = nullptr);
    // Destroyed while its working files still hold rooms the user never
    // chose to drop, the run counts as cut short: its marker stays, and the
    // next start offers the study back.
    ~EtudeEnCours() override;

    const DossierEtudes& Dossier() const { return dossier_; }

    // ---- State --------------------------------------------------------
    // The study has changes not stored under its name.
    bool Modifie() const { return modifie_; }
    void DefinirModifie(bool valeur) { modifie_ = valeur; }
    // An edit on an entry screen; ignored while the screens are being filled
    // from the model (SansMarquage).
    void MarquerModifie();
    // While one lives, filling the screens counts as no change to the study.
    class SansMarquage {
    public:
        explicit SansMarquage(EtudeEnCours& etude) : etude_(etude) { ++etude_.remplissages_; }
        ~SansMarquage() { --etude_.remplissages_; }
        SansMarquage(const SansMarquage&) = delete;
        SansMarquage& operator=(const SansMarquage&) = delete;
    private:
        EtudeEnCours& etude_;
    };
    // The study exists as a stored study under its name.
    bool EtudeEnregistree() const { return etudeEnregistree_; }
    void DefinirEtudeEnregistree(bool valeur) { etudeEnregistree_ = valeur; }
    const QString& Nom() const { return nom_; }
    void DefinirNom(const QString& nom);

    // ---- Start and end of a run ---------------------------------------
    // Creates the studies folder when missing and takes its lock. Another
    // program holding it is told (TitreDossierOccupe): this one must end,
    // having touched nothing. Otherwise the working files of an earlier run
    // are put right (ReparerFichiersTravail) and, when that run did not end
    // normally and left rooms, offered back (TitreReprise): "Oui" makes them
    // the current study, under its name, modified and never stored; "Non",
    // or a normal start, deletes them. A folder that cannot be used is told
    // ("Dossier des études."); the program goes on.
    Demarrage Demarrer();
    Demarrage EtatDemarrage() const { return demarrage_; }
    // The first "Etude n" not already stored.
    void NommerEtude();
    // Shut-down: asks to store a modified study. False when the program must
    // stay open (Cancel, or nothing stored); otherwise the working files are
    // gone and the run's marker with them: the next start is a normal one.
    bool Quitter();
    // Deletes the three working files, every one tried. The French message
    // of the first that resisted, empty when all are gone.
    QString SupprimerFichiersTravail();

    // ---- The whole study ----------------------------------------------
    // An empty study with the initial general data and a new name; asks
    // nothing.
    void NouvelleEtude();
    // "Nouvelle étude": a modified study is offered for storing first; when
    // the user wants it stored and storing fails, nothing is discarded
    // (false). Otherwise the new study starts, whatever else came of the
    // storing.
    bool CommandeNouvelleEtude();
    // "Supprimer l'étude": the stored study of this name, after a question;
    // a new study follows.
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
    // The reports need at least one accepted room; otherwise it is told.
    bool PeutImprimer();

    // ---- General data ---------------------------------------------------
    const DonneesGenerales& Generales() const { return generales_; }
    // The general data as now on screen. Every room calculated afterwards
    // uses them; a change marks the study as modified.
    void ChangerGenerales(const DonneesGenerales& g);
    // Writes them to Generale.tmp (leaving the general data screen forward).
    bool EcrireGenerales();

    // ---- Rooms of the study --------------------------------------------
    int NombrePieces() const;
    // Trimmed names of the rooms, in record order.
    QStringList NomsPieces() const;

    // Every accepted room recalculated in order and balanced, with the
    // material to order, the setting of every loop's valve and the lowest
    // supply temperature that needs no supplementary heat. Nothing (and a
    // message naming the room and why) when a room cannot be calculated or
    // the rooms file cannot be read.
    std::optional<EtudeRecalculee> RecalculerEtude();

    // "Exporter…" of the summary: the recalculated study `etude` (the one
    // the summary shows) with its material list and its balancing, as the
    // CSV of the batch tool, in the file `chemin`. False, and told, when it
    // cannot be written.
    bool ExporterCsv(const QString& chemin, const EtudeRecalculee& etude);
    // "Exporter…" of the balancing window: the balancing section of that
    // CSV alone.
    bool ExporterCsvEquilibrage(const QString& chemin, const EtudeRecalculee& etude);

    // ---- The room being entered ----------------------------------------
    // "Ajouter une pièce": refused (and told) when the study is full.
    bool CommencerNouvellePiece();
    // "Modifier/Visionner une pièce" on row `n` of the rooms list: refused
    // (and told) for an empty row or a record that cannot be read.
    bool OuvrirPiece(int n);
    // "&Annuler" on a room screen: the entries are dropped and the study is
    // as modified as it was before the room was started or opened.
    void AbandonnerPiece();
    // A room is being entered or edited.
    bool SaisieEnCours() const { return saisie_; }
    bool NouvellePiece() const { return nouvellePiece_; }
    // Number of the room being edited, 0 for none or a new room.
    int PieceCourante() const { return pieceCourante_; }
    // The record of the room being entered, as the screens left it.
    const DonneesPiece& PieceEnSaisie() const { return piece_; }
    // A screen hands over its part of the record.
    void ModifierPieceEnSaisie(const std::function<void(DonneesPiece&)>& modification);
    // Calculates the room being entered against the largest pressure drop
    // recorded in the study. False (and a "Calcul impossible." message that
    // explains why) when it cannot be calculated.
    bool CalculerPiece();
    // The results of the room calculated last.
    const ResultatsPiece& Resultats() const { return resultats_; }
    // "&OK": the room calculated last goes into the study (appended, or
    // written over its record when edited). False (and told) when a file
    // refused it; the room then stays on screen.
    bool AccepterPiece();
    // "Supprimer une pièce" on row `k`: asks first. True when it is gone.
    bool SupprimerPiece(int k);

signals:
    void NomChange(const QString& nom);
    // The list of rooms changed (accepted, deleted, emptied).
    void PiecesChangees();
    // A new study (or another one opened): the screens start again from the
    // model's general data and rooms.
    void EtudeRemplacee();

private:
    // The question before a modified study is closed; false when the user
    // wants it stored and storing failed.
    bool DemanderEnregistrement();
    void DireCaractereIncorrect();
    ReponseMessage Dire(IconeMessage icone, const QString& titre, const QString& texte,
                        BoutonsMessage boutons = BoutonsMessage::OK);
    // Runs `action`; a file or study error is told and gives false.
    bool Signaler(const std::function<void()>& action);
    // Writes the CSV text `csv` to `chemin`; false, and told, when it cannot.
    bool EcrireCsv(const QString& chemin, const std::string& csv);
    void FinirSaisie();
    // The study a run cut short left in the working files (`pieces` rooms),
    // checked, then offered back. True when it is the current study now.
    bool ProposerReprise(const QString& nomInterrompu, int pieces);
    // The first "Etude n" not already stored.
    QString PremierNomLibre() const;
    // The marker of this run, written again with the study's name; a marker
    // that cannot be written only loses the offer to recover.
    void NoterSession();
    void FinirSession();

    DossierEtudes dossier_;
    Questions& questions_;
    QString nom_;
    bool modifie_ = false;
    bool etudeEnregistree_ = false;
    int remplissages_ = 0;
    DonneesGenerales generales_;

    Demarrage demarrage_ = Demarrage::Normal;
    std::unique_ptr<VerrouEtudes> verrou_;
    bool sessionOuverte_ = false; // this run keeps the marker

    bool saisie_ = false;
    bool modifieAvantSaisie_ = false;
    bool nouvellePiece_ = false;
    int pieceCourante_ = 0;
    DonneesPiece piece_;
    ResultatsPiece resultats_;
};

} // namespace sorvel
