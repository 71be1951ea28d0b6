#pragma once

// The program's only top-level window: the menu bar and the navigation
// between the entry screens, which are shown one at a time in the client
// area (ZoneEcrans, which also sizes the window on the screen). The study
// itself (its data, its state, its commands) is the model this window owns;
// the screens work on it, and this window alone decides which screen shows
// next. The reports go through ImpressionEtude.

#include "ecrans/ImpressionEtude.h"
#include "ecrans/ZoneEcrans.h"
#include "ihm/BoiteMessage.h"
#include "ihm/FenetreAuxiliaire.h"
#include "modele/EtudeEnCours.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMdiSubWindow;
class QMenu;

namespace sorvel {

class FrmCharge;
class FrmCircuits;
class FrmConduites;
class FrmD_Generales;
class FrmPiece;
class FrmResultats;

// The four screens of one room, in page order. They are created afresh for
// every room entered (`RechargerFeuillesPiece`).
struct FeuillesPiece {
    QPointer<FrmCharge> Charge;         // load type, "Page 1/4"
    QPointer<FrmPiece> Piece;           // room data, "Page 2/4"
    QPointer<FrmConduites> Conduites;   // connecting pipes, "Page 3/4"
    QPointer<FrmResultats> Resultats;   // results, "Page 4/4"
    std::array<QWidget*, 4> toutes() const;
};

// The "&Impression..." items: for each report, in the order of Rapport, its
// preview then its printing.
enum class Impression {
    ApercuChantier,
    ImprimerChantier,
    ApercuRecapitulatif,
    ImprimerRecapitulatif,
    ApercuDeperditions,
    ImprimerDeperditions,
    ApercuReglage,
    ImprimerReglage,
};

class MDIPlancher : public QMainWindow {
    Q_OBJECT
public:
    // `dossierEtudes`: the studies folder the study works in. `largeurEcran`
    // in pixels chooses the background picture; by default the width of the
    // screen the program runs on. `zoneDisponible`: the part of the screen a
    // window may take (the screen less its task bar); by default that of
    // the screen the program runs on.
    explicit MDIPlancher(const QString& dossierEtudes, QWidget* parent = nullptr, int largeurEcran = -1,
                         const QRect& zoneDisponible = QRect());
    ~MDIPlancher() override;

    EtudeEnCours& Etude() { return *etude_; }
    const EtudeEnCours& Etude() const { return *etude_; }
    // The client area, and the window's size on the screen.
    ZoneEcrans& Zone() const { return *zone_; }

    // ---- Screens ---------------------------------------------------------
    FrmD_Generales* Generales() const { return generales_; }
    FrmCircuits* Circuits() const { return circuits_; }
    const FeuillesPiece& FeuillesDePiece() const { return feuillesPiece_; }
    bool EstFeuillePiece(const QWidget* ecran) const;
    // The entry screen now showing, or nullptr.
    QWidget* FeuilleAffichee() const { return zone_->FeuilleAffichee(); }
    // The room screen left through the menu, or nullptr.
    QWidget* FeuilleCalcul() const { return feuilleCalcul_; }

    // Hides every other screen and shows `ecran` (none for nullptr), the
    // main window grown for it when the screen has the room, the keyboard on
    // the field it had when it was left, or on its first field.
    void AfficherFeuille(QWidget* ecran);

    // The size (frame excluded) at which every entry screen shows whole,
    // whatever the study line. The window opens at this size, centred, when
    // the available area has room for it and its frame; maximised otherwise.
    QSize TailleVoulue() const;

    // The auxiliary window of type F (summary, material list, modules):
    // made with `creer` when none is open, shown again unchanged otherwise;
    // either way it remembers the screen then showing. Its "Fermer" shows
    // that screen again and destroys it.
    template <class F>
    F* OuvrirFenetreAuxiliaire(const std::function<F*()>& creer) {
        F* fenetre = nullptr;
        for (F* f : findChildren<F*>())
            if (!f->EstFermee())
                fenetre = f;
        if (!fenetre) {
            fenetre = creer();
            PlacerFenetreAuxiliaire(fenetre);
        }
        AfficherFenetreAuxiliaire(fenetre);
        return fenetre;
    }

    // Opens the stored study `nom` of the studies folder, as the open dialog
    // does (the study is checked first; a refusal is told and nothing
    // changes). Used when the program is started on a study.
    bool OuvrirEtude(const QString& nom);

    // ---- Room screens ------------------------------------------------------
    void RechargerFeuillesPiece();
    bool QuitterPieceEnSaisie();
    void AjouterPiece();
    // Opens the room of row `ligne` of the rooms list.
    void ModifierPiece(int ligne);
    // A module window whose "Reprendre la pièce sélectionnée" takes the room
    // chosen in the rooms list.
    template <class F>
    F* RelierReprise(F* module);
    void ActiverMenuPiece(bool etat);
    // "Annuler" on a room screen: the room's entries are dropped, the rooms
    // list shows again and the study is as it was last accepted.
    void AbandonnerPiece();
    // The room being entered as its screens now show it.
    Piece PieceAffichee() const;
    // "Annuler la suppression": the last deleted room back in the rooms list,
    // chosen there.
    void AnnulerSuppression();

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    bool event(QEvent* evenement) override;

private:
    void Ini();
    void PlacerFe();
    // The "&Fichier" menu; then "&Etude", "&Consulter", "&Modules", "&Aide".
    void CreerMenuFichier();
    void CreerMenusEtude();
    // A menu titled `titre` in `parent`, or in the menu bar for nullptr.
    QMenu* Menu(QMenu* parent, const char* nom, const QString& titre);
    // A command of `menu`; `commande` runs through Proteger.
    QAction* Action(QMenu* menu, const char* nom, const QString& libelle, const QKeySequence& raccourci,
                    const std::function<void()>& commande);
    // "Aide ?" of the screen showing, or the help's default topic (F1).
    void AideContextuelle();
    void PlacerFenetreAuxiliaire(FenetreAuxiliaire* fenetre);
    void AfficherFenetreAuxiliaire(FenetreAuxiliaire* fenetre);
    // "&Données générales", "&Circuits": a room screen showing is remembered
    // for "&Feuille de calcul...", then `ecran` shows.
    void QuitterFeuillesPour(QWidget* ecran);
    void OublierFeuilleCalcul();
    // "Annuler la suppression" is offered while a deleted room can come back
    // and no room is being entered.
    void ActiverAnnulerSuppression();
    // A new or opened study: the room screens start afresh, the rooms list
    // and the general data follow the model.
    void EtudeRemplacee();
    void NomChange(const QString& nom);

    // Menu commands.
    void MnuNouvelle_Click();
    void MnuOuvrir_Click();
    void MnuEnregistrer_Click();
    void MnuEnregistrerSous_Click();
    void MnuRenommer_Click();
    void MnuFeuilleCalcul_Click();
    void MnuAPropos_Click();

    // The "&Impression..." items: the study recalculated, then its report
    // previewed (FrmImprimer) or printed.
    void LancerImpression(Impression impression);

    // "Climat du site...": the climate dialog, modal over the main window;
    // `ensuite` runs once it has given the study a climate.
    void OuvrirClimat(const std::function<void()>& ensuite = {});
    // The losses dialog of the room `piece` as on the room screen, once the
    // site has a climate (asked for when it has none); its "OK" fills the
    // room screen's two losses fields.
    void OuvrirDeperditions(const Piece& piece);

    // The study library's dialogs, modal over the main window.
    void OuvrirDialogueOuverture(const QStringList& etudes);
    void OuvrirDialogueEnregistrement(ModeEnregistrement mode);
    // An opened study shows on the general data screen, its first room
    // chosen in the rooms list.
    void EtudeOuverte();

    QuestionsParBoite questions_;
    std::unique_ptr<EtudeEnCours> etude_;
    ImpressionEtude impression_;
    QPointer<QWidget> feuilleCalcul_;
    bool dejaActivee_ = false;

    ZoneEcrans* zone_ = nullptr;
    FrmD_Generales* generales_ = nullptr;
    FrmCircuits* circuits_ = nullptr;
    FeuillesPiece feuillesPiece_;

    QAction* mnuFeuilleCalcul_ = nullptr;
    QAction* mnuAjouterPiece_ = nullptr;
    QAction* mnuModifierPiece_ = nullptr;
    QAction* mnuSupprimerPiece_ = nullptr;
    QAction* mnuAnnulerSuppression_ = nullptr;
};

} // namespace sorvel
