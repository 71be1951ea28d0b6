#include "ecrans/MDIPlancher.h"

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmClimat.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmDeperditions.h"
#include "ecrans/FrmEnregistrer.h"
#include "ecrans/FrmImprimer.h"
#include "ecrans/FrmOuvrir.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Frm_A_Propos.h"
#include "ihm/Controles.h"
#include "ihm/Installation.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "ihm/Ressources.h"
#include "modele/ReprisePiece.h"
#include "modele/SaisieDeperditions.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace sorvel {

std::array<QWidget*, 4> FeuillesPiece::toutes() const { return {Charge, Piece, Conduites, Resultats}; }

MDIPlancher::MDIPlancher(const QString& dossierEtudes, QWidget* parent, int largeurEcran,
                         const QRect& zoneDisponible)
    : QMainWindow(parent), questions_(this),
      etude_(std::make_unique<EtudeEnCours>(dossierEtudes, questions_)), impression_(*etude_) {
    setObjectName(QStringLiteral("MDIPlancher"));
    setWindowTitle(QStringLiteral("Sorvel."));
    zone_ = new ZoneEcrans(*this, zoneDisponible, largeurEcran);
    setCentralWidget(zone_);
    CreerMenuFichier();
    CreerMenusEtude();

    Ini();
    mnuFeuilleCalcul_->setEnabled(false);
    ActiverAnnulerSuppression();
    connect(etude_.get(), &EtudeEnCours::NomChange, this, &MDIPlancher::NomChange);
    connect(etude_.get(), &EtudeEnCours::ModifieChange, this, [this] { NomChange(etude_->Nom()); });
    connect(etude_.get(), &EtudeEnCours::PiecesChangees, this, &MDIPlancher::ActiverAnnulerSuppression);
    connect(etude_.get(), &EtudeEnCours::EtudeRemplacee, this, &MDIPlancher::EtudeRemplacee);
    // A study taken back from a run cut short reaches the screens at once.
    etude_->Programme().Demarrer();
    // F1: the help of what is on screen.
    auto* aide = new QShortcut(QKeySequence::HelpContents, this);
    aide->setObjectName(QStringLiteral("RaccourciAide"));
    connect(aide, &QShortcut::activated, this, [this] { Proteger(this, [this] { AideContextuelle(); }); });
    zone_->PlacerFenetre(TailleVoulue());
}

MDIPlancher::~MDIPlancher() {
    // The screens refer to the study: they go first.
    delete zone_;
    zone_ = nullptr;
}

void MDIPlancher::Ini() {
    generales_ = new FrmD_Generales(*etude_);
    zone_->AjouterFeuille(generales_);
    circuits_ = new FrmCircuits(*etude_);
    zone_->AjouterFeuille(circuits_);
    connect(generales_, &FrmD_Generales::suivant, this, [this] {
        circuits_->DefinirLigneEtude(ResumeEtude(etude_->Generales()));
        AfficherFeuille(circuits_);
    });
    connect(generales_, &FrmD_Generales::quitter, this, [this] { AfficherFeuille(nullptr); });
    connect(circuits_, &FrmCircuits::precedent, this, [this] { AfficherFeuille(generales_); });
    connect(circuits_, &FrmCircuits::quitter, this, [this] { AfficherFeuille(nullptr); });
    connect(circuits_, &FrmCircuits::ajouterPiece, this, &MDIPlancher::AjouterPiece);
    connect(circuits_, &FrmCircuits::modifierPiece, this, &MDIPlancher::ModifierPiece);
}

void MDIPlancher::PlacerFe() {
    zone_->CentrerFeuille(generales_);
    zone_->CentrerFeuille(circuits_);
}

// ---- Size on the screen ------------------------------------------------

QSize MDIPlancher::TailleVoulue() const {
    // The room screens as a new room shows them; measured on screens made
    // for the purpose, which touch nothing of the study.
    EtudeEnCours::SansMarquage mesure(*etude_);
    const FrmCharge charge(*etude_);
    const FrmPiece piece(*etude_);
    const FrmConduites conduites(*etude_);
    const FrmResultats resultats(*etude_);
    return zone_->TailleVoulue({generales_, circuits_, &charge, &piece, &conduites, &resultats});
}

// ---- Start-up and shut-down ------------------------------------------

void MDIPlancher::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!dejaActivee_) {
        dejaActivee_ = true;
        PlacerFe();
        if (etude_->Programme().EtatDemarrage() == Demarrage::Reprise) {
            // The rooms taken back are what the user sees first.
            circuits_->DefinirLigneEtude(ResumeEtude(etude_->Generales()));
            AfficherFeuille(circuits_);
        } else {
            etude_->Bibliotheque().NommerEtude();
            etude_->DefinirModifie(false);
        }
    }
}

bool MDIPlancher::event(QEvent* evenement) {
    if (evenement->type() == QEvent::WindowActivate)
        PlacerFe();
    return QMainWindow::event(evenement);
}

void MDIPlancher::closeEvent(QCloseEvent* evenement) {
    if (etude_->Programme().Quitter())
        evenement->accept();
    else
        evenement->ignore();
}

// ---- Screens ----------------------------------------------------------

void MDIPlancher::AfficherFeuille(QWidget* ecran) {
    if (zone_)
        zone_->AfficherFeuille(ecran);
}

void MDIPlancher::PlacerFenetreAuxiliaire(FenetreAuxiliaire* fenetre) {
    zone_->AjouterFeuille(fenetre);
    connect(fenetre, &FenetreAuxiliaire::fermee, this, [this, fenetre] {
        AfficherFeuille(fenetre->FeuilleOrigine());
        fenetre->deleteLater(); // its window in the client area follows
    });
}

void MDIPlancher::AfficherFenetreAuxiliaire(FenetreAuxiliaire* fenetre) {
    // Opened again over itself, it keeps the screen it came from.
    QWidget* affichee = FeuilleAffichee();
    if (affichee != fenetre)
        fenetre->DefinirFeuilleOrigine(affichee);
    AfficherFeuille(fenetre);
}

bool MDIPlancher::EstFeuillePiece(const QWidget* ecran) const {
    if (!ecran)
        return false;
    for (QWidget* f : feuillesPiece_.toutes())
        if (f == ecran)
            return true;
    return false;
}

void MDIPlancher::RechargerFeuillesPiece() {
    // Creating and filling screens is no change to the study.
    EtudeEnCours::SansMarquage remplissage(*etude_);
    // The screens go once the event that asked for it is over: the button
    // clicked may be one of theirs. Hidden at once, they are out of the way.
    for (QWidget* f : feuillesPiece_.toutes()) {
        if (!f)
            continue;
        if (QMdiSubWindow* sous = ZoneEcrans::SousFenetre(f))
            sous->hide();
        f->deleteLater(); // its window follows
    }
    FeuillesPiece& f = feuillesPiece_;
    f.Charge = new FrmCharge(*etude_);
    f.Piece = new FrmPiece(*etude_);
    f.Conduites = new FrmConduites(*etude_);
    f.Resultats = new FrmResultats(*etude_);
    // The screen remembered for "Feuille de calcul..." is gone with the others.
    OublierFeuilleCalcul();
    for (QWidget* ecran : f.toutes())
        zone_->AjouterFeuille(ecran);

    // The way through a room, page after page.
    connect(f.Charge, &FrmCharge::suivant, this, [this] { AfficherFeuille(feuillesPiece_.Piece); });
    connect(f.Piece, &FrmPiece::precedent, this, [this] { AfficherFeuille(feuillesPiece_.Charge); });
    connect(f.Piece, &FrmPiece::deperditionsDemandees, this, &MDIPlancher::OuvrirDeperditions);
    connect(f.Piece, &FrmPiece::suivant, this, [this] {
        feuillesPiece_.Conduites->Preparer();
        AfficherFeuille(feuillesPiece_.Conduites);
    });
    connect(f.Conduites, &FrmConduites::precedent, this, [this] { AfficherFeuille(feuillesPiece_.Piece); });
    connect(f.Conduites, &FrmConduites::suivant, this, [this] {
        feuillesPiece_.Resultats->RemplirResultatsPiece();
        feuillesPiece_.Resultats->setWindowTitle(feuillesPiece_.Conduites->windowTitle());
        AfficherFeuille(feuillesPiece_.Resultats);
    });
    connect(f.Resultats, &FrmResultats::precedent, this, [this] { AfficherFeuille(feuillesPiece_.Conduites); });
    connect(f.Resultats, &FrmResultats::acceptee, this, [this] {
        RechargerFeuillesPiece();
        AfficherFeuille(circuits_);
        ActiverMenuPiece(true);
    });
    connect(f.Charge, &FrmCharge::annulee, this, &MDIPlancher::AbandonnerPiece);
    connect(f.Piece, &FrmPiece::annulee, this, &MDIPlancher::AbandonnerPiece);
    connect(f.Conduites, &FrmConduites::annulee, this, &MDIPlancher::AbandonnerPiece);
    connect(f.Resultats, &FrmResultats::annulee, this, &MDIPlancher::AbandonnerPiece);
}

// ---- Study ------------------------------------------------------------

void MDIPlancher::NomChange(const QString& nom) {
    // The asterisk: changes not stored yet.
    setWindowTitle(QStringLiteral("Sorvel. [") + nom + QStringLiteral("]") +
                   (etude_->Modifie() ? QStringLiteral(" *") : QString()));
}

void MDIPlancher::EtudeRemplacee() {
    RechargerFeuillesPiece();
    ActiverMenuPiece(true);
}

void MDIPlancher::ActiverMenuPiece(bool etat) {
    mnuAjouterPiece_->setEnabled(etat);
    mnuModifierPiece_->setEnabled(etat);
    mnuSupprimerPiece_->setEnabled(etat);
    ActiverAnnulerSuppression();
}

void MDIPlancher::ActiverAnnulerSuppression() {
    // A room being entered keeps its number: nothing comes back before it.
    mnuAnnulerSuppression_->setEnabled(mnuAjouterPiece_->isEnabled() &&
                                       etude_->Liste().PeutAnnulerSuppression());
}

// A room being entered is left only as "Annuler" leaves it: asked about
// when it has changes.
bool MDIPlancher::QuitterPieceEnSaisie() {
    return !etude_->Saisie().EnCours() || etude_->Saisie().DemanderAbandon(PieceAffichee());
}

void MDIPlancher::AjouterPiece() {
    if (!QuitterPieceEnSaisie() || !etude_->Saisie().CommencerNouvellePiece())
        return;
    RechargerFeuillesPiece();
    AfficherFeuille(feuillesPiece_.Charge);
    {
        // The room as the study's defaults start it.
        EtudeEnCours::SansMarquage remplissage(*etude_);
        feuillesPiece_.Piece->Afficher(etude_->Saisie().PieceEnSaisie());
        feuillesPiece_.Conduites->Afficher(etude_->Saisie().PieceEnSaisie());
    }
    etude_->Saisie().NoterDepart(PieceAffichee());
    ActiverMenuPiece(false);
}

Piece MDIPlancher::PieceAffichee() const {
    Piece affichee = etude_->Saisie().PieceEnSaisie();
    if (feuillesPiece_.Charge && feuillesPiece_.Piece && feuillesPiece_.Conduites) {
        feuillesPiece_.Charge->Remplir(affichee);
        feuillesPiece_.Piece->Remplir(affichee);
        feuillesPiece_.Conduites->Remplir(affichee);
    }
    return affichee;
}

void MDIPlancher::AbandonnerPiece() {
    // The room as its screens now show it, judged against what it was.
    if (!etude_->Saisie().DemanderAbandon(PieceAffichee()))
        return;
    RechargerFeuillesPiece();
    AfficherFeuille(circuits_);
    ActiverMenuPiece(true);
}

void MDIPlancher::AnnulerSuppression() {
    if (const std::optional<int> ligne = etude_->Liste().AnnulerSuppression()) {
        // Where it came back.
        AfficherFeuille(circuits_);
        circuits_->MontrerLigne(*ligne);
    }
}

void MDIPlancher::ModifierPiece(int ligne) {
    if (!QuitterPieceEnSaisie() || !etude_->Saisie().OuvrirPiece(ligne))
        return;
    // Fresh screens, so that nothing of a room entered before lingers;
    // filling them counts as no change to the study.
    RechargerFeuillesPiece();
    {
        EtudeEnCours::SansMarquage remplissage(*etude_);
        const Piece& d = etude_->Saisie().PieceEnSaisie();
        feuillesPiece_.Charge->Afficher(d);
        feuillesPiece_.Piece->Afficher(d);
        feuillesPiece_.Conduites->Afficher(d);
    }
    etude_->Saisie().NoterDepart(PieceAffichee());
    AfficherFeuille(feuillesPiece_.Charge);
    ActiverMenuPiece(false);
}

void MDIPlancher::MnuNouvelle_Click() {
    if (etude_->Bibliotheque().CommandeNouvelleEtude())
        AfficherFeuille(generales_);
}

void MDIPlancher::MnuOuvrir_Click() {
    const QStringList etudes = etude_->Bibliotheque().EtudesAOuvrir();
    if (!etudes.isEmpty())
        OuvrirDialogueOuverture(etudes);
}

void MDIPlancher::MnuEnregistrer_Click() {
    if (etude_->Bibliotheque().CommandeEnregistrer())
        OuvrirDialogueEnregistrement(ModeEnregistrement::Enregistrer);
}

void MDIPlancher::MnuEnregistrerSous_Click() {
    if (etude_->Bibliotheque().PeutEnregistrerSous())
        OuvrirDialogueEnregistrement(ModeEnregistrement::EnregistrerSous);
}

void MDIPlancher::MnuRenommer_Click() {
    if (etude_->Bibliotheque().PeutRenommer())
        OuvrirDialogueEnregistrement(ModeEnregistrement::Renommer);
}

void MDIPlancher::LancerImpression(Impression impression) {
    // Each report has its preview entry and its print entry, in that order.
    const int n = static_cast<int>(impression);
    const Rapport rapport = static_cast<Rapport>(n / 2);
    // A room that cannot be calculated, or a report with nothing to print,
    // is told by the model, and no report follows.
    std::optional<DonneesRapport> donnees = impression_.DonneesAImprimer(rapport);
    if (!donnees)
        return;
    if (n % 2 == 1) {
        impression_.Imprimer(this, *donnees, rapport);
        return;
    }
    // The preview shows the report whose preview entry is tagged "1".
    constexpr std::array<const char*, NombreRapports> entrees = {"MnuApercuChantier", "MnuApercuRecap",
                                                                 "MnuApercuDeperditions", "MnuApercuReglage"};
    std::array<const QAction*, NombreRapports> apercus{};
    for (std::size_t r = 0; r < entrees.size(); ++r) {
        auto* entree = findChild<QAction*>(QString::fromLatin1(entrees[r]));
        entree->setData(QString::fromLatin1(static_cast<int>(r) == n / 2 ? "1" : "0"));
        apercus[r] = entree;
    }
    FrmImprimer* apercu =
        OuvrirFenetreAuxiliaire<FrmImprimer>([&] { return new FrmImprimer(impression_, apercus); });
    apercu->Afficher(std::move(*donnees));
}

void MDIPlancher::OublierFeuilleCalcul() {
    feuilleCalcul_ = nullptr;
    mnuFeuilleCalcul_->setEnabled(false);
}

void MDIPlancher::QuitterFeuillesPour(QWidget* ecran) {
    QWidget* affichee = FeuilleAffichee();
    if (EstFeuillePiece(affichee)) {
        feuilleCalcul_ = affichee;
        mnuFeuilleCalcul_->setEnabled(true);
    }
    AfficherFeuille(ecran);
}

void MDIPlancher::MnuFeuilleCalcul_Click() {
    QWidget* feuille = feuilleCalcul_;
    OublierFeuilleCalcul();
    if (feuille)
        AfficherFeuille(feuille);
}

void MDIPlancher::OuvrirClimat(const std::function<void()>& ensuite) {
    const QString table = DossierProgramme() + QLatin1Char('/') + FichierTemperaturesBase;
    auto* dialogue = new FrmClimat(*etude_, ChargerTemperaturesBase(table), this);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialogue, &QDialog::accepted, this, [this, ensuite] {
        // The room screen says anew what the room's details give.
        if (feuillesPiece_.Piece)
            feuillesPiece_.Piece->ActualiserEtatDeperditions();
        if (ensuite)
            ensuite();
    });
    dialogue->open();
}

void MDIPlancher::OuvrirDeperditions(const Piece& piece) {
    switch (PreparerDeperditions(*etude_)) {
    case AvantDeperditions::Renoncer: return;
    case AvantDeperditions::DefinirClimat: OuvrirClimat([this, piece] { OuvrirDeperditions(piece); }); return;
    case AvantDeperditions::Pret: break;
    }
    auto* dialogue = new FrmDeperditions(*etude_, piece, this);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialogue, &FrmDeperditions::deperditionsCalculees, this, [this](double total, double plancher) {
        if (feuillesPiece_.Piece)
            feuillesPiece_.Piece->AfficherDeperditions(total, plancher);
    });
    dialogue->open();
}

void MDIPlancher::OuvrirDialogueOuverture(const QStringList& etudes) {
    auto* dialogue = new FrmOuvrir(*etude_, etudes, this);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialogue, &FrmOuvrir::ouverte, this, &MDIPlancher::EtudeOuverte);
    dialogue->open();
}

void MDIPlancher::OuvrirDialogueEnregistrement(ModeEnregistrement mode) {
    auto* dialogue = new FrmEnregistrer(*etude_, mode, this);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    dialogue->open();
}

bool MDIPlancher::OuvrirEtude(const QString& nom) {
    if (!etude_->Bibliotheque().OuvrirEtude(nom))
        return false;
    EtudeOuverte();
    return true;
}

void MDIPlancher::EtudeOuverte() {
    AfficherFeuille(generales_);
    if (etude_->NombrePieces() > 0)
        circuits_->SelectionnerLigne(1);
}

void MDIPlancher::AideContextuelle() {
    auto* bouton = FeuilleAffichee() ? FeuilleAffichee()->findChild<QPushButton*>(QStringLiteral("CmdAide")) : nullptr;
    if (bouton && bouton->isEnabled())
        bouton->click();
    else
        AfficherAide(CheminAide());
}

void MDIPlancher::MnuAPropos_Click() {
    // Modal to the main window, without holding up the caller.
    auto* boite = new Frm_A_Propos(etude_->CheminDossier(), this);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

} // namespace sorvel
