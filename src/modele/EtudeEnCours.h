#pragma once

// The study being edited: its name and state, its general data, its rooms
// (in the working files of the studies folder), and the commands on the
// whole study. No widget here: the screens show what this model holds,
// hand it what the user typed and call one command; every message and
// question goes through the `Questions` interface. It is the one owner of
// the working files. Three parts work on it, each for one concern: the run
// of the program (MarcheProgramme), the library of stored studies
// (BibliothequeEtudes) and the room being entered (SaisiePiece).

#include "commun/Questions.h"
#include "etude/Etude.h"
#include "etude/RecalculEtude.h"
#include "modele/BibliothequeEtudes.h"
#include "modele/ListePieces.h"
#include "modele/MarcheProgramme.h"
#include "modele/SaisiePiece.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace sorvel {

class Catalogue;
class DossierEtudes;
class FichiersTravail;

// "Etude : tube de diamètre 16x20 mm sur Trellis avec température de départ
// du fluide de 40°C", the line above the rooms list and the results.
QString ResumeEtude(const Installation& g);

class EtudeEnCours : public QObject {
    Q_OBJECT
public:
    // The study works in the studies folder `dossier`. `questions` (not
    // owned) tells the user and asks; it outlives the model.
    EtudeEnCours(const QString& dossier, Questions& questions, QObject* parent = nullptr);
    ~EtudeEnCours() override;

    // The studies folder, its working files and its stored studies.
    const DossierEtudes& Dossier() const;
    QString CheminDossier() const;
    const FichiersTravail& Travail() const { return *travail_; }
    const Catalogue& EtudesStockees() const { return *catalogue_; }
    Catalogue& EtudesStockees() { return *catalogue_; }

    MarcheProgramme& Programme() { return *programme_; }
    const MarcheProgramme& Programme() const { return *programme_; }
    BibliothequeEtudes& Bibliotheque() { return *bibliotheque_; }
    SaisiePiece& Saisie() { return *saisie_; }
    const SaisiePiece& Saisie() const { return *saisie_; }
    ListePieces& Liste() { return *liste_; }

    // ---- State --------------------------------------------------------
    // The study has changes not stored under its name.
    bool Modifie() const { return modifie_; }
    // ModifieChange tells every change of it.
    void DefinirModifie(bool valeur);
    // An edit on an entry screen; ignored while the screens are being filled
    // from the model (SansMarquage).
    void MarquerModifie();
    // A change of the study apart from the room being entered (its climate,
    // manifolds, defaults, details): abandoning that room keeps it.
    void MarquerChangementEtude();
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

    // ---- The whole study ----------------------------------------------
    // An empty study with the initial general data (the screed thickness
    // kept) and a new name; asks nothing.
    void NouvelleEtude();
    // The reports need at least one accepted room; otherwise it is told.
    bool PeutImprimer();

    // ---- General data ---------------------------------------------------
    const Installation& Generales() const { return generales_; }
    // The general data as now on screen. Every room calculated afterwards
    // uses them; a change marks the study as modified.
    void ChangerGenerales(const Installation& g);
    // Writes them to Generale.tmp (leaving the general data screen forward).
    bool EcrireGenerales();

    // ---- Climate of the site ---------------------------------------------
    // The climate the rooms' losses are worked out in; none until the user
    // gives one. A stored study brings back its own.
    const std::optional<ClimatSite>& Climat() const { return climat_; }
    // The climate kept in the working files at once (a run cut short gives
    // it back), and the study modified. False, told and nothing changed when
    // it cannot be kept: a file that cannot be written, or a room whose
    // details would not hold with it (no climate for them, a room not
    // warmer than the outside).
    bool ChangerClimat(const std::optional<ClimatSite>& climat);

    // ---- Manifolds of the site -------------------------------------------
    // The study's manifolds, numbered from 1, never none: a study that lists
    // none has one "Collecteur 1" of 12 outlets without own drop. A stored
    // study brings back its own. Each change below is kept in the working
    // files at once (a run cut short gives it back), the room being edited
    // follows it, and it marks the study modified; false, told ("Collecteurs.")
    // and nothing changed when it cannot be kept: a file that cannot be
    // written, or what the study's extension file would refuse (an empty
    // name, outlets not a whole number of 1 to 24, a negative own drop, a
    // room naming a manifold beyond the list).
    std::vector<Collecteur> Collecteurs() const;
    // A manifold after the others: "Collecteur n", n the first number free
    // from the new count on, 12 outlets, no own drop.
    bool AjouterCollecteur();
    // Manifold `k` (from 1) renamed (the name trimmed), given its outlets and
    // its own drop (mmCE).
    bool ModifierCollecteur(int k, const Collecteur& collecteur);
    // Manifold `k` removed; the study keeps one at least. When rooms name it
    // the user is asked first, naming them: they then name none (they go to
    // the first manifold, or, when no room names one any more, where the
    // study's filling puts them), and the rooms of the manifolds after it
    // follow their manifold's new number.
    bool SupprimerCollecteur(int k);
    // Room `piece` (from 1) fed by manifold `collecteur` (from 1; none: the
    // study chooses). While no room names a manifold the study fills them by
    // itself; the first room given one keeps every other room where that
    // filling put it, the manifolds it added joining the list, so that only
    // that room moves.
    bool AffecterCollecteur(int piece, std::optional<int> collecteur);

    // ---- Defaults of the new rooms, details of the job -------------------
    // Kept in the working files at once (a run cut short gives them back)
    // and the study modified; false, told and nothing changed when they
    // cannot be kept. A stored study brings back its own; a new one has
    // none. (Defined in ReglagesEtude.cpp.)
    // The values new rooms start from; none: as in a study that sets none.
    const std::optional<DefautsPieces>& Defauts() const { return defauts_; }
    // What "Valeurs par défaut des pièces..." shows: the study's defaults, or
    // the proposed ones, with every name of the room screen's list.
    DefautsPieces DefautsAffiches() const;
    bool ChangerDefautsPieces(const std::optional<DefautsPieces>& defauts);
    // Client, site, installer, installer's details and notes, each kept
    // without surrounding spaces or blank lines.
    const RenseignementsEtude& Renseignements() const { return renseignements_; }
    bool ChangerRenseignements(const RenseignementsEtude& renseignements);

    // ---- Rooms of the study --------------------------------------------
    int NombrePieces() const;
    // Trimmed names of the rooms, in record order.
    QStringList NomsPieces() const;
    // Every accepted room, with the details kept beside its record; nothing
    // (and the reason told) when the rooms cannot be read.
    std::optional<std::vector<Piece>> Pieces();
    // "Supprimer une pièce" on row `k`: asks first ("Non" by default). True
    // when it is gone; "Annuler la suppression" can bring it back
    // (ListePieces).
    bool SupprimerPiece(int k);

    // Every accepted room recalculated in order and balanced, with the
    // material to order, the setting of every loop's valve, the lowest
    // supply temperature that needs no supplementary heat and the study's
    // manifolds with their loops. Nothing (and a
    // message naming the room and why) when a room cannot be calculated or
    // the rooms file cannot be read.
    std::optional<EtudeRecalculee> RecalculerEtude();

    // "Exporter…" of the summary: the recalculated study `etude` (the one
    // the summary shows) with its material list, its balancing, the losses
    // of its detailed rooms and its manifolds, as the CSV of the batch tool, in the
    // file `chemin`. False, and told, when it cannot be written or a room's
    // losses cannot be worked out.
    bool ExporterCsv(const QString& chemin, const EtudeRecalculee& etude);
    // "Exporter…" of the balancing window: the balancing section of that
    // CSV alone.
    bool ExporterCsvEquilibrage(const QString& chemin, const EtudeRecalculee& etude);
    // Where an export named `nomFichier` is proposed: the user's documents.
    QString CheminExportPropose(const QString& nomFichier) const;
    // A report saved as PDF: the document `octets` as the whole file
    // `chemin`. False, and told ("Le fichier « … » ne peut pas être écrit."),
    // when it cannot be written, or when the document could not be made
    // (nothing in `octets`).
    bool EcrireDocument(const QString& chemin, const std::optional<QByteArray>& octets);

    // ---- Messages -------------------------------------------------------
    ReponseMessage Dire(IconeMessage icone, const QString& titre, const QString& texte,
                        BoutonsMessage boutons = BoutonsMessage::OK);
    // Runs `action`; a file or study error is told and gives false.
    bool Signaler(const std::function<void()>& action);

signals:
    void NomChange(const QString& nom);
    // The study has now changes not stored (or none any more).
    void ModifieChange(bool modifie);
    // The list of rooms changed (accepted, deleted, emptied).
    void PiecesChangees();
    // A new study (or another one opened): the screens start again from the
    // model's general data and rooms.
    void EtudeRemplacee();

private:
    friend class BibliothequeEtudes;
    friend class MarcheProgramme;
    friend class SaisiePiece;

    // The working files deleted, every one tried. The French message of the
    // first that resisted, empty when all are gone.
    QString SupprimerFichiersTravail();
    // Another study (the general data, climate and manifolds of `etude`,
    // named `nom`, stored or not) is now the one being edited: the screens
    // start again from it.
    void Remplacer(const Etude& etude, const QString& nom, bool enregistree, bool modifiee);
    // The manifolds `liste` and the rooms' manifolds `affectations` (rooms
    // beyond it keep theirs) kept in the working files, then in the model.
    bool GarderCollecteurs(const std::vector<Collecteur>& liste, const std::vector<std::optional<int>>& affectations);
    // Manifold `k` is one of the `nombre` of the study; told when not.
    bool CollecteurExiste(int k, std::size_t nombre);
    // Writes the CSV text `csv` to `chemin`; false, and told, when it cannot.
    bool EcrireCsv(const QString& chemin, const std::string& csv);

    std::unique_ptr<FichiersTravail> travail_;
    std::unique_ptr<Catalogue> catalogue_;
    Questions& questions_;
    QString nom_;
    bool modifie_ = false;
    bool etudeEnregistree_ = false;
    int remplissages_ = 0;
    Installation generales_;
    std::optional<ClimatSite> climat_;
    std::vector<Collecteur> collecteurs_; // none: the single default one
    std::optional<DefautsPieces> defauts_;
    RenseignementsEtude renseignements_;

    std::unique_ptr<MarcheProgramme> programme_;
    std::unique_ptr<BibliothequeEtudes> bibliotheque_;
    std::unique_ptr<SaisiePiece> saisie_;
    std::unique_ptr<ListePieces> liste_;
};

} // namespace sorvel
