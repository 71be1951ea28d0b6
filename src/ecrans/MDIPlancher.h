#pragma once

// The program's only top-level window: the menu bar, the state of the study
// being edited and the navigation between the entry screens, which are shown
// one at a time, centred in the client area, over the background picture.

#include "etude/Enregistrements.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace sorvel {

class FrmD_Generales;
class FrmCircuits;

// The four screens of one room, in page order. They are created afresh for
// every room entered (`RechargerFeuillesPiece`).
struct FeuillesPiece {
    QPointer<QWidget> Charge;     // load type, "Page 1/4"
    QPointer<QWidget> Piece;      // room data, "Page 2/4"
    QPointer<QWidget> Conduites;  // connecting pipes, "Page 3/4"
    QPointer<QWidget> Resultats;  // results, "Page 4/4"
    std::array<QWidget*, 4> toutes() const { return {Charge, Piece, Conduites, Resultats}; }
    bool existent() const { return Charge && Piece && Conduites && Resultats; }
};

enum class ModeEnregistrement { Enregistrer, EnregistrerSous, Renommer };
enum class Impression { ApercuChantier, ImprimerChantier, ApercuRecapitulatif, ImprimerRecapitulatif };

class MDIPlancher : public QMainWindow {
    Q_OBJECT
public:
    // `largeurEcran` in pixels chooses the background picture; by default the
    // width of the screen the program runs on.
    explicit MDIPlancher(QWidget* parent = nullptr, int largeurEcran = -1);
    ~MDIPlancher() override;

    // ---- Program state -------------------------------------------------
    bool Modifie() const { return modifie_; }
    void DefinirModifie(bool valeur) { modifie_ = valeur; }
    // For the entry fields' change signals: connect(champ, &ChampNumerique::modifie,
    // &plancher, &MDIPlancher::MarquerModifie).
    void MarquerModifie() { modifie_ = true; }
    bool EtudeEnregistree() const { return etudeEnregistree_; }
    void DefinirEtudeEnregistree(bool valeur) { etudeEnregistree_ = valeur; }
    bool NouvellePiece() const { return nouvellePiece_; }
    void DefinirNouvellePiece(bool valeur) { nouvellePiece_ = valeur; }
    int PieceCourante() const { return pieceCourante_; }
    void DefinirPieceCourante(int piece) { pieceCourante_ = piece; }
    // The room screen left through the menu, or nullptr.
    QWidget* FeuilleCalcul() const { return feuilleCalcul_; }
    // The study name, shown in the general data screen and in the title bar.
    QString NomEtude() const { return nomEtude_; }
    void DefinirNomEtude(const QString& nom);

    // ---- Screens ---------------------------------------------------------
    FrmD_Generales* Generales() const { return generales_; }
    FrmCircuits* Circuits() const { return circuits_; }
    const FeuillesPiece& FeuillesDePiece() const { return feuillesPiece_; }
    bool EstFeuillePiece(const QWidget* ecran) const;
    // The entry screen now showing, or nullptr.
    QWidget* FeuilleAffichee() const;

    // Puts `ecran` in the client area (hidden) as one of its child windows; the
    // window is destroyed with the screen. Used for every screen and for the
    // auxiliary windows (summary, material list, modules).
    QMdiSubWindow* AjouterFeuille(QWidget* ecran);
    // Hides every other screen and shows `ecran`.
    void AfficherFeuille(QWidget* ecran);
    // Places `ecran` in the middle of the client area.
    void CentrerFeuille(QWidget* ecran);

    // ---- Operations shared by the screens -------------------------------
    void RechargerFeuillesPiece();
    void NouvelleEtude();
    void NommerEtude();
    void AjouterPiece();
    void ModifierPiece();
    void SupprimerPiece();
    void ActiverMenuPiece(bool etat);
    // "&Annuler" on a room screen: the room's entries are dropped, the rooms
    // list shows again and the study is as it was last accepted.
    void AbandonnerPiece();
    // The room record built from the three entry screens (load type, room,
    // connecting pipes), and the screens filled from a record.
    DonneesPiece EnregistrementPiece() const;
    void AfficherPiece(const DonneesPiece& d);
    // Deletes Etude.tmp, Perte.tmp and Generale.tmp (missing files are no
    // error). Returns the French message of the first one that resisted,
    // empty when all are gone.
    static QString SupprimerFichiersTravail();

    // ---- Background ------------------------------------------------------
    // File name of the background picture for a screen `largeur` pixels wide,
    // empty when there is none.
    static QString ImageDeFond(int largeur);
    QString FichierImageFond() const { return fichierFond_; }
    QImage ImageFond() const { return imageFond_; }

protected:
    // Creates the four room screens. They do nothing more than being created:
    // RechargerFeuillesPiece adds them to the client area, hidden, and centres them.
    virtual FeuillesPiece CreerFeuillesPiece();

    void closeEvent(QCloseEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    bool event(QEvent* evenement) override;

private:
    void Ini();
    void PlacerFe();
    void CreerMenus();
    QAction* Action(QMenu* menu, const char* nom, const QString& libelle,
                    const QKeySequence& raccourci, void (MDIPlancher::*slot)());
    void ChoisirImageFond(int largeurEcran);
    void DemarrerDossierEtudes();
    void QuitterFeuillesPiece();
    void OublierFeuilleCalcul();

    // Menu commands.
    void MnuNouvelle_Click();
    void MnuOuvrir_Click();
    void MnuEnregistrer_Click();
    void MnuEnregistrerSous_Click();
    void MnuRenommer_Click();
    void MnuSupprimerEtude_Click();
    void MnuApercuChantier_Click();
    void MnuImprimerChantier_Click();
    void MnuApercuRecap_Click();
    void MnuImprimerRecap_Click();
    void MnuQuitter_Click();
    void MnuDonneesGenerales_Click();
    void MnuCircuits_Click();
    void MnuFeuilleCalcul_Click();
    void MnuAjouterPiece_Click();
    void MnuModifierPiece_Click();
    void MnuSupprimerPiece_Click();
    void MnuPieceSelectionnee_Click();
    void MnuRecapitulatif_Click();
    void MnuMateriel_Click();
    void MnuCorrection_Click();
    void MnuIncertitude_Click();
    void MnuAideSorvel_Click();
    void MnuAPropos_Click();

    // Commands of the windows still to come (FonctionsAVenir.cpp): each one
    // tells the user it is not available yet.
    // Stores the study under `nom`; sets `refuse` when nothing was stored
    // because the user declined to replace a stored study.
    void EnregistrerEtude(const QString& nom, bool& refuse);
    void OuvrirDialogueOuverture(const QStringList& etudes);
    void OuvrirDialogueEnregistrement(ModeEnregistrement mode);
    void LancerImpression(Impression impression);
    void OuvrirRecapitulatif();
    void OuvrirMateriel();
    void OuvrirModuleCorrection();
    void OuvrirModuleIncertitude();

    bool modifie_ = false;
    bool etudeEnregistree_ = false;
    bool nouvellePiece_ = false;
    int pieceCourante_ = 0;
    QPointer<QWidget> feuilleCalcul_;
    QString nomEtude_;
    bool dejaActivee_ = false;

    QMdiArea* zone_ = nullptr;
    FrmD_Generales* generales_ = nullptr;
    FrmCircuits* circuits_ = nullptr;
    FeuillesPiece feuillesPiece_;
    QString fichierFond_;
    QImage imageFond_;

    QAction* mnuFeuilleCalcul_ = nullptr;
    QAction* mnuAjouterPiece_ = nullptr;
    QAction* mnuModifierPiece_ = nullptr;
    QAction* mnuSupprimerPiece_ = nullptr;
};

} // namespace sorvel
