#include "ecrans/MDIPlancher.h"

#include "ihm/BoiteMessage.h"
#include "ecrans/FonctionsAVenir.h"
#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Frm_A_Propos.h"
#include "ihm/Grille.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "ihm/Ressources.h"
#include "stockage/ModEnregistrer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

namespace sorvel {

namespace {

// The client area: the entry screens over the background picture, which is
// drawn centred and scaled to cover the whole area.
class ZoneClient : public QMdiArea {
public:
    ZoneClient(MDIPlancher& plancher, QWidget* parent) : QMdiArea(parent), plancher_(plancher) {
        setObjectName(QStringLiteral("ZoneClient"));
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setBackground(QColor(0x5a, 0x6e, 0x82));
    }
    QImage image;

protected:
    void paintEvent(QPaintEvent* evenement) override {
        QMdiArea::paintEvent(evenement);
        if (image.isNull())
            return;
        QPainter p(viewport());
        const QSize taille = image.size().scaled(viewport()->size(), Qt::KeepAspectRatioByExpanding);
        const QRect cible(QPoint((viewport()->width() - taille.width()) / 2,
                                 (viewport()->height() - taille.height()) / 2),
                          taille);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(cible, image);
    }
    void resizeEvent(QResizeEvent* evenement) override {
        QMdiArea::resizeEvent(evenement);
        // The screen showing stays in the middle of the window.
        if (QWidget* ecran = plancher_.FeuilleAffichee())
            plancher_.CentrerFeuille(ecran);
    }

private:
    MDIPlancher& plancher_;
};

QMdiSubWindow* SousFenetre(QWidget* ecran) {
    return ecran ? qobject_cast<QMdiSubWindow*>(ecran->parentWidget()) : nullptr;
}

} // namespace

MDIPlancher::MDIPlancher(QWidget* parent, int largeurEcran) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDIPlancher"));
    setWindowTitle(QStringLiteral("Sorvel."));
    zone_ = new ZoneClient(*this, this);
    setCentralWidget(zone_);
    CreerMenus();

    Ini();
    if (largeurEcran < 0) {
        const QScreen* ecran = QGuiApplication::primaryScreen();
        largeurEcran = ecran ? ecran->geometry().width() : 0;
    }
    ChoisirImageFond(largeurEcran);
    mnuFeuilleCalcul_->setEnabled(false);
    DemarrerDossierEtudes();
    resize(880, 640);
}

MDIPlancher::~MDIPlancher() = default;

void MDIPlancher::Ini() {
    generales_ = new FrmD_Generales(*this);
    AjouterFeuille(generales_);
    circuits_ = new FrmCircuits(*this);
    AjouterFeuille(circuits_);
}

void MDIPlancher::PlacerFe() {
    CentrerFeuille(generales_);
    CentrerFeuille(circuits_);
}

// ---- Background ---------------------------------------------------------

QString MDIPlancher::ImageDeFond(int largeur) {
    if (largeur < 810)
        return QStringLiteral("Fd1.fpl");
    if (largeur < 1050)
        return QStringLiteral("Fd2.fpl");
    return QString();
}

void MDIPlancher::ChoisirImageFond(int largeurEcran) {
    fichierFond_ = ImageDeFond(largeurEcran);
    imageFond_ = QImage();
    // A missing or unreadable file just leaves the background plain.
    if (!fichierFond_.isEmpty())
        imageFond_ = ChargerImage(fichierFond_).toImage();
    static_cast<ZoneClient*>(zone_)->image = imageFond_;
    zone_->viewport()->update();
}

// ---- Start-up and shut-down ------------------------------------------

void MDIPlancher::DemarrerDossierEtudes() {
    try {
        PreparerDemarrage();
    } catch (const ErreurFichier& e) {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Dossier des études."),
                e.messageFrancais() +
                    QStringLiteral("\n\nLes études ne pourront pas être enregistrées tant que "
                                   "le dossier 'Etudes' n'est pas utilisable."));
    } catch (const std::exception& e) {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Dossier des études."),
                QString::fromUtf8(e.what()));
    }
}

QString MDIPlancher::SupprimerFichiersTravail() {
    // Every file is tried even when one resists; the first failure is told.
    QString erreur;
    for (const QString& f : {FichierEtude, FichierPerte, FichierGenerales}) {
        try {
            SupprimerFichier(f);
        } catch (const ErreurFichier& e) {
            if (erreur.isEmpty())
                erreur = e.messageFrancais();
        }
    }
    return erreur;
}

void MDIPlancher::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!dejaActivee_) {
        dejaActivee_ = true;
        PlacerFe();
        Proteger(this, [this] { NommerEtude(); });
        modifie_ = false;
    }
}

bool MDIPlancher::event(QEvent* evenement) {
    if (evenement->type() == QEvent::WindowActivate)
        PlacerFe();
    return QMainWindow::event(evenement);
}

void MDIPlancher::closeEvent(QCloseEvent* evenement) {
    if (modifie_) {
        const ReponseMessage r = Message(
            this, IconeMessage::Question, QStringLiteral("Enregistrement."),
            QStringLiteral("Voulez vous enregistrer les modifications apportées à l'étude '") + nomEtude_ +
                QStringLiteral("' ?"),
            BoutonsMessage::OuiNonAnnuler);
        if (r == ReponseMessage::Annuler) {
            evenement->ignore();
            return;
        }
        if (r == ReponseMessage::Oui) {
            bool refuse = false;
            if (!Proteger(this, [&] { EnregistrerEtude(nomEtude_, refuse); }) || refuse) {
                // Not stored: the study stays open rather than being lost.
                evenement->ignore();
                return;
            }
        }
    }
    // A working file that resists now is deleted at the next start.
    SupprimerFichiersTravail();
    evenement->accept();
}

// ---- Screens ----------------------------------------------------------

QMdiSubWindow* MDIPlancher::AjouterFeuille(QWidget* ecran) {
    if (!ecran)
        return nullptr;
    auto* sous = new QMdiSubWindow(zone_, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    sous->setObjectName(ecran->objectName() + QStringLiteral("_Fenetre"));
    sous->setWidget(ecran);
    sous->setWindowTitle(ecran->windowTitle());
    sous->setAttribute(Qt::WA_DeleteOnClose, false);
    zone_->addSubWindow(sous);
    sous->adjustSize();
    sous->hide();
    // The window goes with its screen.
    connect(ecran, &QObject::destroyed, sous, &QObject::deleteLater);
    CentrerFeuille(ecran);
    return sous;
}

QWidget* MDIPlancher::FeuilleAffichee() const {
    for (QMdiSubWindow* sous : zone_->subWindowList())
        if (sous->isVisibleTo(zone_) && sous->widget())
            return sous->widget();
    return nullptr;
}

void MDIPlancher::AfficherFeuille(QWidget* ecran) {
    QMdiSubWindow* cible = SousFenetre(ecran);
    for (QMdiSubWindow* sous : zone_->subWindowList())
        if (sous != cible)
            sous->hide();
    if (!cible)
        return;
    cible->show();
    CentrerFeuille(ecran);
    zone_->setActiveSubWindow(cible);
    // The keyboard starts on the screen's first field unless it is already there.
    if (!ecran->isAncestorOf(QApplication::focusWidget())) {
        for (QWidget* w = ecran->nextInFocusChain(); w && w != ecran; w = w->nextInFocusChain()) {
            if (ecran->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
                w->isVisibleTo(ecran)) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
}

void MDIPlancher::CentrerFeuille(QWidget* ecran) {
    QMdiSubWindow* sous = SousFenetre(ecran);
    if (!sous)
        return;
    const QSize client = zone_->viewport()->size();
    sous->move(qMax(0, client.width() / 2 - sous->width() / 2),
               qMax(0, client.height() / 2 - sous->height() / 2));
}

bool MDIPlancher::EstFeuillePiece(const QWidget* ecran) const {
    if (!ecran)
        return false;
    for (QWidget* f : feuillesPiece_.toutes())
        if (f == ecran)
            return true;
    return false;
}

FeuillesPiece MDIPlancher::CreerFeuillesPiece() {
    FeuillesPiece f;
    f.Charge = new FrmCharge(*this);
    f.Piece = new FrmPiece(*this);
    f.Conduites = new FrmConduites(*this);
    f.Resultats = new FrmResultats(*this);
    return f;
}

void MDIPlancher::RechargerFeuillesPiece() {
    // The screens go once the event that asked for it is over: the button
    // clicked may be one of theirs. Hidden at once, they are out of the way.
    for (QWidget* f : feuillesPiece_.toutes()) {
        if (!f)
            continue;
        if (QMdiSubWindow* sous = SousFenetre(f))
            sous->hide();
        f->deleteLater(); // its window follows
    }
    feuillesPiece_ = CreerFeuillesPiece();
    // The screen remembered for "Feuille de calcul..." is gone with the others.
    OublierFeuilleCalcul();
    for (QWidget* f : feuillesPiece_.toutes())
        AjouterFeuille(f);
    // A room screen's first load is no change to the study.
    modifie_ = false;
}

// ---- Study ------------------------------------------------------------

void MDIPlancher::DefinirNomEtude(const QString& nom) {
    nomEtude_ = nom;
    generales_->DefinirNomEtude(nom);
    setWindowTitle(QStringLiteral("Sorvel. [") + nom + QStringLiteral("]"));
}

void MDIPlancher::NommerEtude() {
    // The first "Etude n" not already stored.
    QString nom;
    for (int n = 1;; ++n) {
        nom = QStringLiteral("Etude %1").arg(n);
        if (!QFileInfo::exists(CheminEtudes(nom + QStringLiteral(".pla"))) || n == 1000000)
            break;
    }
    DefinirNomEtude(nom);
}

void MDIPlancher::NouvelleEtude() {
    RechargerFeuillesPiece();
    circuits_->ViderGrilleCircuits();
    // Rooms left in a working file would come back in the new study, out of
    // step with the empty rooms list: the user must know.
    const QString erreur = SupprimerFichiersTravail();
    if (!erreur.isEmpty())
        Message(this, IconeMessage::Exclamation, TitreErreurFichier,
                erreur + QStringLiteral("\n\nLa nouvelle étude risque de reprendre des pièces de "
                                        "l'étude précédente."));
    generales_->Reinitialiser();
    NommerEtude();
    // No room is being entered any more.
    ActiverMenuPiece(true);
    pieceCourante_ = 0;
    etudeEnregistree_ = false;
    modifie_ = false;
}

void MDIPlancher::ActiverMenuPiece(bool etat) {
    mnuAjouterPiece_->setEnabled(etat);
    mnuModifierPiece_->setEnabled(etat);
    mnuSupprimerPiece_->setEnabled(etat);
}

void MDIPlancher::AjouterPiece() {
    if (!circuits_->GrilleCircuit()->texte(FrmCircuits::PiecesMaximum, 1).isEmpty()) {
        Message(this, IconeMessage::Information, QStringLiteral("30 Pièces maximum."),
                QStringLiteral("Il n'est plus possible d'ajouter de pièce à l'étude !"));
        return;
    }
    nouvellePiece_ = true;
    RechargerFeuillesPiece();
    if (!feuillesPiece_.existent()) {
        FonctionIndisponible(this);
        return;
    }
    AfficherFeuille(feuillesPiece_.Charge);
    // A new room starts with a drop of 8 K; presetting it is no change.
    const bool avant = modifie_;
    if (auto* conduites = qobject_cast<FrmConduites*>(feuillesPiece_.Conduites.data()))
        conduites->PrechoisirChute();
    modifie_ = avant;
    ActiverMenuPiece(false);
}

void MDIPlancher::AbandonnerPiece() {
    RechargerFeuillesPiece();
    AfficherFeuille(circuits_);
    modifie_ = false;
    ActiverMenuPiece(true);
}

DonneesPiece MDIPlancher::EnregistrementPiece() const {
    DonneesPiece d;
    if (auto* charge = qobject_cast<FrmCharge*>(feuillesPiece_.Charge.data()))
        charge->RemplirEnregistrement(d);
    if (auto* piece = qobject_cast<FrmPiece*>(feuillesPiece_.Piece.data()))
        piece->RemplirEnregistrement(d);
    if (auto* conduites = qobject_cast<FrmConduites*>(feuillesPiece_.Conduites.data()))
        conduites->RemplirEnregistrement(d);
    return d;
}

void MDIPlancher::AfficherPiece(const DonneesPiece& d) {
    if (auto* charge = qobject_cast<FrmCharge*>(feuillesPiece_.Charge.data()))
        charge->AfficherEnregistrement(d);
    if (auto* piece = qobject_cast<FrmPiece*>(feuillesPiece_.Piece.data()))
        piece->AfficherEnregistrement(d);
    if (auto* conduites = qobject_cast<FrmConduites*>(feuillesPiece_.Conduites.data()))
        conduites->AfficherEnregistrement(d);
}

void MDIPlancher::ModifierPiece() {
    nouvellePiece_ = false;
    const int ligne = circuits_->LigneSelectionnee();
    if (ligne < 1 || circuits_->GrilleCircuit()->texte(ligne, 1).isEmpty()) {
        pieceCourante_ = 0;
        Message(this, IconeMessage::Aucune, QStringLiteral("Modification."),
                QStringLiteral("La ligne sélectionnée dans la feuille circuits est vide !"));
        return;
    }
    pieceCourante_ = ligne;
    // Filling the room screens counts as no change to the study.
    const bool avant = modifie_;
    // Fresh screens, so that nothing of a room entered before lingers.
    RechargerFeuillesPiece();
    if (!feuillesPiece_.existent()) {
        modifie_ = avant;
        FonctionIndisponible(this);
        return;
    }
    try {
        AfficherPiece(LirePiece(ligne));
    } catch (...) {
        // An unreadable record is reported by the caller; the study is unchanged.
        modifie_ = avant;
        throw;
    }
    AfficherFeuille(feuillesPiece_.Charge);
    modifie_ = avant;
    ActiverMenuPiece(false);
}

void MDIPlancher::SupprimerPiece() {
    const int ligne = circuits_->LigneSelectionnee();
    const QString nom = circuits_->GrilleCircuit()->texte(ligne, 1);
    if (ligne < 1 || nom.isEmpty()) {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Suppression."),
                QStringLiteral("La ligne sélectionnée est vide, aucune suppression ne peut être faite !"));
        return;
    }
    if (Message(this, IconeMessage::Question, QStringLiteral("Suppression."),
                QStringLiteral("Voulez vous supprimer la pièce '") + nom + QStringLiteral("' de l'étude ?"),
                BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return;
    SupprimerPieceFichiers(ligne);
    QStringList noms;
    ListerPieces(noms);
    circuits_->RemplirGrilleCircuits(noms);
    if (!noms.isEmpty())
        circuits_->SelectionnerLigne(1);
    modifie_ = true;
}

// ---- Menus ------------------------------------------------------------

QAction* MDIPlancher::Action(QMenu* menu, const char* nom, const QString& libelle,
                             const QKeySequence& raccourci, void (MDIPlancher::*slot)()) {
    QAction* a = menu->addAction(libelle);
    a->setObjectName(QString::fromLatin1(nom));
    if (!raccourci.isEmpty())
        a->setShortcut(raccourci);
    connect(a, &QAction::triggered, this, [this, slot] { Proteger(this, [this, slot] { (this->*slot)(); }); });
    return a;
}

void MDIPlancher::CreerMenus() {
    auto sousMenu = [](QMenu* parent, const char* nom, const QString& titre) {
        QMenu* m = parent->addMenu(titre);
        m->setObjectName(QString::fromLatin1(nom));
        m->menuAction()->setObjectName(QString::fromLatin1(nom) + QStringLiteral("_Action"));
        return m;
    };
    auto menu = [this](const char* nom, const QString& titre) {
        QMenu* m = menuBar()->addMenu(titre);
        m->setObjectName(QString::fromLatin1(nom));
        return m;
    };
    const auto ctrl = [](char lettre) { return QKeySequence(Qt::CTRL | Qt::Key(lettre)); };

    QMenu* fichier = menu("MnuFichier", QStringLiteral("&Fichier"));
    Action(fichier, "MnuNouvelle", QStringLiteral("Nouvelle étude"), ctrl('N'), &MDIPlancher::MnuNouvelle_Click);
    Action(fichier, "MnuOuvrir", QStringLiteral("Ouvrir une étude..."), ctrl('O'), &MDIPlancher::MnuOuvrir_Click);
    fichier->addSeparator();
    Action(fichier, "MnuEnregistrer", QStringLiteral("Enregistrer l'étude"), ctrl('S'),
           &MDIPlancher::MnuEnregistrer_Click);
    Action(fichier, "MnuEnregistrerSous", QStringLiteral("Enregistrer l'étude sous..."), {},
           &MDIPlancher::MnuEnregistrerSous_Click);
    Action(fichier, "MnuRenommer", QStringLiteral("Renommer l'étude..."), {}, &MDIPlancher::MnuRenommer_Click);
    Action(fichier, "MnuSupprimerEtude", QStringLiteral("Supprimer l'étude"), ctrl('D'),
           &MDIPlancher::MnuSupprimerEtude_Click);
    fichier->addSeparator();
    QMenu* impression = sousMenu(fichier, "MnuImpression", QStringLiteral("&Impression..."));
    Action(impression, "MnuApercuChantier", QStringLiteral("Aperçu résultats &chantier"), {},
           &MDIPlancher::MnuApercuChantier_Click);
    Action(impression, "MnuImprimerChantier", QStringLiteral("Imprimer résultats chantier"), ctrl('C'),
           &MDIPlancher::MnuImprimerChantier_Click);
    impression->addSeparator();
    Action(impression, "MnuApercuRecap", QStringLiteral("Aperçu &récapitulatif"), {},
           &MDIPlancher::MnuApercuRecap_Click);
    Action(impression, "MnuImprimerRecap", QStringLiteral("Imprimer récapitulatif"), ctrl('R'),
           &MDIPlancher::MnuImprimerRecap_Click);
    fichier->addSeparator();
    Action(fichier, "MnuQuitter", QStringLiteral("Quitter"), ctrl('Q'), &MDIPlancher::MnuQuitter_Click);

    QMenu* etude = menu("MnuEtude", QStringLiteral("&Etude"));
    QMenu* afficher = sousMenu(etude, "MnuAfficher", QStringLiteral("&Afficher la feuille..."));
    Action(afficher, "MnuDonneesGenerales", QStringLiteral("&Données générales"), {},
           &MDIPlancher::MnuDonneesGenerales_Click);
    Action(afficher, "MnuCircuits", QStringLiteral("&Circuits"), {}, &MDIPlancher::MnuCircuits_Click);
    mnuFeuilleCalcul_ = Action(afficher, "MnuFeuilleCalcul", QStringLiteral("&Feuille de calcul..."), {},
                               &MDIPlancher::MnuFeuilleCalcul_Click);
    QMenu* piece = sousMenu(etude, "MnuPiece", QStringLiteral("&Pièce..."));
    mnuAjouterPiece_ = Action(piece, "MnuAjouterPiece", QStringLiteral("&Ajouter une pièce"), {},
                              &MDIPlancher::MnuAjouterPiece_Click);
    mnuModifierPiece_ = Action(piece, "MnuModifierPiece", QStringLiteral("&Modifier/Visionner une pièce..."),
                               {}, &MDIPlancher::MnuModifierPiece_Click);
    mnuSupprimerPiece_ = Action(piece, "MnuSupprimerPiece", QStringLiteral("&Supprimer une pièce..."), {},
                                &MDIPlancher::MnuSupprimerPiece_Click);

    QMenu* consulter = menu("MnuConsulter", QStringLiteral("&Consulter"));
    Action(consulter, "MnuPieceSelectionnee", QStringLiteral("&Pièce sélectionnée"), {},
           &MDIPlancher::MnuPieceSelectionnee_Click);
    Action(consulter, "MnuRecapitulatif", QStringLiteral("&Récapitulatif"), {},
           &MDIPlancher::MnuRecapitulatif_Click);
    Action(consulter, "MnuMateriel", QStringLiteral("&Matériel"), {}, &MDIPlancher::MnuMateriel_Click);

    QMenu* modules = menu("MnuModules", QStringLiteral("&Modules"));
    Action(modules, "MnuCorrection", QStringLiteral("Module de &correction"), {},
           &MDIPlancher::MnuCorrection_Click);
    Action(modules, "MnuIncertitude", QStringLiteral("Module d'&incertitude Ti"), {},
           &MDIPlancher::MnuIncertitude_Click);

    QMenu* aide = menu("MnuAide", QStringLiteral("&Aide"));
    Action(aide, "MnuAideSorvel", QStringLiteral("&Aide sur Sorvel"), {}, &MDIPlancher::MnuAideSorvel_Click);
    Action(aide, "MnuAPropos", QStringLiteral("À &propos d'Sorvel"), {}, &MDIPlancher::MnuAPropos_Click);
}

void MDIPlancher::MnuNouvelle_Click() {
    if (modifie_ &&
        Message(this, IconeMessage::Question, QStringLiteral("Enregistrer."),
                QStringLiteral("Voulez vous enregistrer l'étude en cours ?"),
                BoutonsMessage::OuiNon) == ReponseMessage::Oui) {
        // Whatever comes of the storing, the new study starts.
        bool refuse = false;
        Proteger(this, [&] { EnregistrerEtude(nomEtude_, refuse); });
    }
    NouvelleEtude();
    AfficherFeuille(generales_);
    modifie_ = false;
}

void MDIPlancher::MnuOuvrir_Click() {
    const QStringList etudes = EtudesEnregistrees();
    if (etudes.isEmpty()) {
        Message(this, IconeMessage::Aucune, QStringLiteral("Ouverture d'une étude."),
                QStringLiteral("Aucune étude n'est disponible !"));
        return;
    }
    OuvrirDialogueOuverture(etudes);
}

void MDIPlancher::MnuEnregistrer_Click() {
    if (etudeEnregistree_) {
        bool refuse = false;
        EnregistrerEtude(nomEtude_, refuse);
    } else if (QFileInfo::exists(CheminEtudes(FichierEtude))) {
        OuvrirDialogueEnregistrement(ModeEnregistrement::Enregistrer);
    } else {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
                QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !"));
    }
}

void MDIPlancher::MnuEnregistrerSous_Click() {
    if (QFileInfo::exists(CheminEtudes(FichierEtude))) {
        OuvrirDialogueEnregistrement(ModeEnregistrement::EnregistrerSous);
    } else {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Enregistrement."),
                QStringLiteral("Une pièce au moins doit avoir été calculée avant d'enregistrer "
                               "l'étude sous un autre nom !"));
    }
}

void MDIPlancher::MnuRenommer_Click() {
    if (QFileInfo::exists(CheminEtudes(nomEtude_ + QStringLiteral(".pla")))) {
        OuvrirDialogueEnregistrement(ModeEnregistrement::Renommer);
    } else {
        Message(this, IconeMessage::Aucune, QStringLiteral("Renommer."),
                QStringLiteral("L'étude '") + nomEtude_ + QStringLiteral("' n'est pas encore enregistrée !"));
    }
}

void MDIPlancher::MnuSupprimerEtude_Click() {
    if (!QFileInfo::exists(CheminEtudes(nomEtude_ + QStringLiteral(".pla")))) {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Suppression impossible."),
                QStringLiteral("Cette étude n'a pas encore été enregistrée, elle ne peut donc pas "
                               "être supprimée !"));
        return;
    }
    if (Message(this, IconeMessage::Question, QStringLiteral("Suppression de l'étude."),
                QStringLiteral("Voulez vous supprimer l'étude '") + nomEtude_ + QStringLiteral("' ?"),
                BoutonsMessage::OuiNon) != ReponseMessage::Oui)
        return;
    for (const char* extension : {".pla", ".plp", ".plg"})
        SupprimerFichier(nomEtude_ + QLatin1String(extension));
    NouvelleEtude();
}

void MDIPlancher::MnuApercuChantier_Click() { LancerImpression(Impression::ApercuChantier); }
void MDIPlancher::MnuImprimerChantier_Click() { LancerImpression(Impression::ImprimerChantier); }
void MDIPlancher::MnuApercuRecap_Click() { LancerImpression(Impression::ApercuRecapitulatif); }
void MDIPlancher::MnuImprimerRecap_Click() { LancerImpression(Impression::ImprimerRecapitulatif); }

void MDIPlancher::MnuQuitter_Click() { close(); }

void MDIPlancher::OublierFeuilleCalcul() {
    feuilleCalcul_ = nullptr;
    mnuFeuilleCalcul_->setEnabled(false);
}

void MDIPlancher::QuitterFeuillesPiece() {
    QWidget* affichee = FeuilleAffichee();
    if (EstFeuillePiece(affichee)) {
        feuilleCalcul_ = affichee;
        mnuFeuilleCalcul_->setEnabled(true);
    }
}

void MDIPlancher::MnuDonneesGenerales_Click() {
    QuitterFeuillesPiece();
    AfficherFeuille(generales_);
}

void MDIPlancher::MnuCircuits_Click() {
    QuitterFeuillesPiece();
    AfficherFeuille(circuits_);
}

void MDIPlancher::MnuFeuilleCalcul_Click() {
    QWidget* feuille = feuilleCalcul_;
    OublierFeuilleCalcul();
    if (feuille)
        AfficherFeuille(feuille);
}

void MDIPlancher::MnuAjouterPiece_Click() { AjouterPiece(); }
void MDIPlancher::MnuModifierPiece_Click() { ModifierPiece(); }

void MDIPlancher::MnuSupprimerPiece_Click() {
    AfficherFeuille(circuits_);
    SupprimerPiece();
}

void MDIPlancher::MnuPieceSelectionnee_Click() { ModifierPiece(); }
void MDIPlancher::MnuRecapitulatif_Click() { OuvrirRecapitulatif(); }
void MDIPlancher::MnuMateriel_Click() { OuvrirMateriel(); }
void MDIPlancher::MnuCorrection_Click() { OuvrirModuleCorrection(); }
void MDIPlancher::MnuIncertitude_Click() { OuvrirModuleIncertitude(); }

void MDIPlancher::MnuAideSorvel_Click() { AfficherAide(CheminAide()); }

void MDIPlancher::MnuAPropos_Click() {
    // Modal to the main window, without holding up the caller.
    auto* boite = new Frm_A_Propos(this);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

} // namespace sorvel
