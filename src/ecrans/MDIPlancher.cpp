#include "ecrans/MDIPlancher.h"

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmEnregistrer.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmMateriel.h"
#include "ecrans/FrmOuvrir.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmRecap.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Frm_A_Propos.h"
#include "ihm/Controles.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "ihm/Ressources.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules_fenetres/FrmIncertitude.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

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
        // The screen showing takes the room there is now, in the middle.
        if (QWidget* ecran = plancher_.FeuilleAffichee())
            plancher_.AjusterFeuille(ecran);
    }

private:
    MDIPlancher& plancher_;
};

QMdiSubWindow* SousFenetre(QWidget* ecran) {
    return ecran ? qobject_cast<QMdiSubWindow*>(ecran->parentWidget()) : nullptr;
}

} // namespace

std::array<QWidget*, 4> FeuillesPiece::toutes() const { return {Charge, Piece, Conduites, Resultats}; }

MDIPlancher::MDIPlancher(const QString& dossierEtudes, QWidget* parent, int largeurEcran,
                         const QRect& zoneDisponible)
    : QMainWindow(parent), questions_(this),
      etude_(std::make_unique<EtudeEnCours>(DossierEtudes(dossierEtudes), questions_)),
      zoneDisponible_(zoneDisponible) {
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
    connect(etude_.get(), &EtudeEnCours::NomChange, this, &MDIPlancher::NomChange);
    connect(etude_.get(), &EtudeEnCours::EtudeRemplacee, this, &MDIPlancher::EtudeRemplacee);
    // A study taken back from a run cut short reaches the screens at once.
    etude_->Demarrer();
    // F1: the help of what is on screen.
    auto* aide = new QShortcut(QKeySequence::HelpContents, this);
    aide->setObjectName(QStringLiteral("RaccourciAide"));
    connect(aide, &QShortcut::activated, this, [this] { Proteger(this, [this] { AideContextuelle(); }); });
    PlacerFenetre();
}

MDIPlancher::~MDIPlancher() {
    // The screens refer to the study: they go first.
    delete zone_;
    zone_ = nullptr;
}

void MDIPlancher::Ini() {
    generales_ = new FrmD_Generales(*etude_);
    AjouterFeuille(generales_);
    circuits_ = new FrmCircuits(*etude_);
    AjouterFeuille(circuits_);
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

// ---- Size on the screen ------------------------------------------------

QRect MDIPlancher::ZoneDisponible() const {
    if (!zoneDisponible_.isEmpty())
        return zoneDisponible_;
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->availableGeometry() : QRect();
}

QSize MDIPlancher::TailleVoulue() const {
    // Every screen with its window's title bar and borders, measured on the
    // general data screen's window.
    const QMdiSubWindow* sous = SousFenetre(generales_);
    const QSize cadre = sous ? sous->sizeHint() - generales_->sizeHint() : QSize();
    QSize client;
    auto mesurer = [&](QWidget& ecran) {
        ecran.ensurePolished();
        client = client.expandedTo(ecran.sizeHint() + cadre);
    };
    mesurer(*generales_);
    mesurer(*circuits_);
    {
        // The room screens as a new room shows them; measured on screens made
        // for the purpose, which touch nothing of the study.
        EtudeEnCours::SansMarquage mesure(*etude_);
        FrmCharge charge(*etude_);
        FrmPiece piece(*etude_);
        FrmConduites conduites(*etude_);
        FrmResultats resultats(*etude_);
        for (QWidget* ecran : std::initializer_list<QWidget*>{&charge, &piece, &conduites, &resultats})
            mesurer(*ecran);
    }
    // A margin of background around the screen.
    const int marge = 2 * 12;
    return QSize(client.width() + marge, client.height() + marge + menuBar()->sizeHint().height());
}

void MDIPlancher::PlacerFenetre() {
    const QRect zone = ZoneDisponible();
    const QSize voulue = TailleVoulue();
    if (zone.isEmpty()) {
        resize(voulue);
        return;
    }
    const QSize avecCadre = voulue + CadreFenetre;
    if (avecCadre.width() <= zone.width() && avecCadre.height() <= zone.height()) {
        resize(voulue);
        move(zone.x() + (zone.width() - avecCadre.width()) / 2, zone.y() + (zone.height() - avecCadre.height()) / 2);
        return;
    }
    // A small screen: the whole of it, and back to a size that fits should
    // the user restore the window.
    resize(voulue.boundedTo(zone.size() - CadreFenetre));
    move(zone.topLeft());
    setWindowState(windowState() | Qt::WindowMaximized);
}

// ---- Start-up and shut-down ------------------------------------------

void MDIPlancher::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!dejaActivee_) {
        dejaActivee_ = true;
        PlacerFe();
        if (etude_->EtatDemarrage() == Demarrage::Reprise) {
            // The rooms taken back are what the user sees first.
            circuits_->DefinirLigneEtude(ResumeEtude(etude_->Generales()));
            AfficherFeuille(circuits_);
        } else {
            etude_->NommerEtude();
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
    if (etude_->Quitter())
        evenement->accept();
    else
        evenement->ignore();
}

bool MDIPlancher::eventFilter(QObject* objet, QEvent* evenement) {
    auto* sous = qobject_cast<QMdiSubWindow*>(objet);
    if (sous && sous->widget()) {
        // A screen that asks for another size (an explanation unfolded, a
        // row hidden) gets it as far as there is room; any window stays centred.
        if (evenement->type() == QEvent::LayoutRequest && sous->isVisibleTo(zone_))
            AjusterFeuille(sous->widget());
        else if (evenement->type() == QEvent::Resize)
            CentrerFeuille(sous->widget());
    }
    return QMainWindow::eventFilter(objet, evenement);
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
    sous->hide();
    sous->installEventFilter(this);
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
    if (!zone_)
        return;
    QMdiSubWindow* cible = SousFenetre(ecran);
    // The field that has the focus on the screen being left is where the
    // keyboard comes back to it. Not a button: back on a page left through
    // "<< Précédent", Enter would leave it again.
    QWidget* focus = QApplication::focusWidget();
    for (QMdiSubWindow* sous : zone_->subWindowList()) {
        if (sous == cible)
            continue;
        if (sous->isVisible() && sous->widget() && sous->widget()->isAncestorOf(focus))
            focusDesFeuilles_[sous->widget()] = qobject_cast<QPushButton*>(focus) ? nullptr : focus;
        sous->hide();
    }
    if (!cible)
        return;
    const bool dejaAffichee = cible->isVisible();
    cible->show();
    // Shown, the screen lays itself out; let its new wishes reach its window.
    for (int tour = 0; tour < 4; ++tour)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    AjusterFeuille(ecran);
    zone_->setActiveSubWindow(cible);
    if (dejaAffichee && ecran->isAncestorOf(QApplication::focusWidget()))
        return;
    auto accessible = [ecran](const QWidget* w) {
        return w && ecran->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
               w->isVisibleTo(ecran);
    };
    QWidget* retour = focusDesFeuilles_.value(ecran);
    if (!accessible(retour)) {
        // The first time: the screen's first field.
        retour = nullptr;
        for (QWidget* w = ecran->nextInFocusChain(); w && w != ecran && !retour; w = w->nextInFocusChain())
            if (accessible(w))
                retour = w;
    }
    if (retour)
        retour->setFocus(Qt::TabFocusReason);
}

void MDIPlancher::CentrerFeuille(QWidget* ecran) {
    QMdiSubWindow* sous = SousFenetre(ecran);
    if (!sous || !zone_)
        return;
    const QSize client = zone_->viewport()->size();
    sous->move(qMax(0, client.width() / 2 - sous->width() / 2),
               qMax(0, client.height() / 2 - sous->height() / 2));
}

void MDIPlancher::AjusterFeuille(QWidget* ecran) {
    QMdiSubWindow* sous = SousFenetre(ecran);
    if (!sous || !zone_)
        return;
    const QSize client = zone_->viewport()->size();
    sous->resize(sous->sizeHint().boundedTo(client).expandedTo(sous->minimumSizeHint()));
    CentrerFeuille(ecran);
}

void MDIPlancher::AgrandirPour(const QSize& voulue) {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize manque = (voulue - zone_->viewport()->size()).expandedTo(QSize(0, 0));
    if (manque.isNull())
        return;
    // With the margin of background the entry screens have.
    const int marge = 2 * 12;
    QSize nouvelle = size() + manque + QSize(manque.width() ? marge : 0, manque.height() ? marge : 0);
    const QRect zone = ZoneDisponible();
    if (!zone.isEmpty()) {
        nouvelle = nouvelle.boundedTo(zone.size() - CadreFenetre);
        // Grown, the window stays on the screen.
        QPoint coin = pos();
        coin.setX(qBound(zone.left(), coin.x(), zone.right() + 1 - nouvelle.width() - CadreFenetre.width()));
        coin.setY(qBound(zone.top(), coin.y(), zone.bottom() + 1 - nouvelle.height() - CadreFenetre.height()));
        move(coin);
    }
    resize(nouvelle);
}

void MDIPlancher::PlacerFenetreAuxiliaire(FenetreAuxiliaire* fenetre) {
    AjouterFeuille(fenetre);
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
    // As large as it needs: the main window grows for it when the screen
    // has the room; on a small screen its contents scroll.
    if (QMdiSubWindow* sous = SousFenetre(fenetre)) {
        AgrandirPour(sous->sizeHint());
        sous->resize(sous->sizeHint().boundedTo(zone_->viewport()->size()));
    }
    CentrerFeuille(fenetre);
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
        if (QMdiSubWindow* sous = SousFenetre(f))
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
        AjouterFeuille(ecran);

    // The way through a room, page after page.
    connect(f.Charge, &FrmCharge::suivant, this, [this] { AfficherFeuille(feuillesPiece_.Piece); });
    connect(f.Piece, &FrmPiece::precedent, this, [this] { AfficherFeuille(feuillesPiece_.Charge); });
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
    setWindowTitle(QStringLiteral("Sorvel. [") + nom + QStringLiteral("]"));
}

void MDIPlancher::EtudeRemplacee() {
    RechargerFeuillesPiece();
    ActiverMenuPiece(true);
}

void MDIPlancher::ActiverMenuPiece(bool etat) {
    mnuAjouterPiece_->setEnabled(etat);
    mnuModifierPiece_->setEnabled(etat);
    mnuSupprimerPiece_->setEnabled(etat);
}

void MDIPlancher::AjouterPiece() {
    if (!etude_->CommencerNouvellePiece())
        return;
    RechargerFeuillesPiece();
    AfficherFeuille(feuillesPiece_.Charge);
    {
        EtudeEnCours::SansMarquage remplissage(*etude_);
        feuillesPiece_.Conduites->AfficherChute(etude_->PieceEnSaisie());
    }
    ActiverMenuPiece(false);
}

void MDIPlancher::AbandonnerPiece() {
    etude_->AbandonnerPiece();
    RechargerFeuillesPiece();
    AfficherFeuille(circuits_);
    ActiverMenuPiece(true);
}

void MDIPlancher::ModifierPiece(int ligne) {
    if (!etude_->OuvrirPiece(ligne))
        return;
    // Fresh screens, so that nothing of a room entered before lingers;
    // filling them counts as no change to the study.
    RechargerFeuillesPiece();
    {
        EtudeEnCours::SansMarquage remplissage(*etude_);
        const DonneesPiece& d = etude_->PieceEnSaisie();
        feuillesPiece_.Charge->AfficherEnregistrement(d);
        feuillesPiece_.Piece->AfficherEnregistrement(d);
        feuillesPiece_.Conduites->AfficherEnregistrement(d);
    }
    AfficherFeuille(feuillesPiece_.Charge);
    ActiverMenuPiece(false);
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
    Action(consulter, "MnuEquilibrage", QStringLiteral("É&quilibrage"), {}, &MDIPlancher::MnuEquilibrage_Click);

    QMenu* modules = menu("MnuModules", QStringLiteral("&Modules"));
    Action(modules, "MnuCorrection", QStringLiteral("Module de &correction"), {},
           &MDIPlancher::MnuCorrection_Click);
    Action(modules, "MnuIncertitude", QStringLiteral("Module d'&incertitude Ti"), {},
           &MDIPlancher::MnuIncertitude_Click);

    QMenu* aide = menu("MnuAide", QStringLiteral("&Aide"));
    Action(aide, "MnuAideSorvel", QStringLiteral("&Aide sur Sorvel"), {}, &MDIPlancher::MnuAideSorvel_Click);
    Action(aide, "MnuAPropos", QStringLiteral("À &propos de Sorvel"), {}, &MDIPlancher::MnuAPropos_Click);
}

void MDIPlancher::MnuNouvelle_Click() {
    if (etude_->CommandeNouvelleEtude())
        AfficherFeuille(generales_);
}

void MDIPlancher::MnuOuvrir_Click() {
    const QStringList etudes = etude_->EtudesAOuvrir();
    if (!etudes.isEmpty())
        OuvrirDialogueOuverture(etudes);
}

void MDIPlancher::MnuEnregistrer_Click() {
    if (etude_->CommandeEnregistrer())
        OuvrirDialogueEnregistrement(ModeEnregistrement::Enregistrer);
}

void MDIPlancher::MnuEnregistrerSous_Click() {
    if (etude_->PeutEnregistrerSous())
        OuvrirDialogueEnregistrement(ModeEnregistrement::EnregistrerSous);
}

void MDIPlancher::MnuRenommer_Click() {
    if (etude_->PeutRenommer())
        OuvrirDialogueEnregistrement(ModeEnregistrement::Renommer);
}

void MDIPlancher::MnuSupprimerEtude_Click() { etude_->SupprimerEtude(); }

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
void MDIPlancher::MnuModifierPiece_Click() { ModifierPiece(circuits_->LigneSelectionnee()); }

void MDIPlancher::MnuSupprimerPiece_Click() {
    AfficherFeuille(circuits_);
    circuits_->SupprimerPiece();
}

void MDIPlancher::MnuPieceSelectionnee_Click() { ModifierPiece(circuits_->LigneSelectionnee()); }
void MDIPlancher::MnuRecapitulatif_Click() { OuvrirRecapitulatif(); }
void MDIPlancher::MnuMateriel_Click() { OuvrirMateriel(); }
void MDIPlancher::MnuEquilibrage_Click() { OuvrirEquilibrage(); }

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
    if (!etude_->OuvrirEtude(nom))
        return false;
    EtudeOuverte();
    return true;
}

void MDIPlancher::EtudeOuverte() {
    AfficherFeuille(generales_);
    if (etude_->NombrePieces() > 0)
        circuits_->SelectionnerLigne(1);
}

void MDIPlancher::OuvrirRecapitulatif() {
    OuvrirFenetreAuxiliaire<FrmRecap>([this] {
        auto* recap = new FrmRecap(*etude_);
        recap->RemplirRecapitulatif();
        return recap;
    });
}

void MDIPlancher::OuvrirMateriel() {
    OuvrirFenetreAuxiliaire<FrmMateriel>([this] { return new FrmMateriel(*etude_); });
}

void MDIPlancher::OuvrirEquilibrage() {
    OuvrirFenetreAuxiliaire<FrmEquilibrage>([this] { return new FrmEquilibrage(*etude_); });
}
void MDIPlancher::MnuCorrection_Click() {
    OuvrirFenetreAuxiliaire<FrmCorrection>([] { return new FrmCorrection; });
}
void MDIPlancher::MnuIncertitude_Click() {
    OuvrirFenetreAuxiliaire<FrmIncertitude>([] { return new FrmIncertitude; });
}

void MDIPlancher::MnuAideSorvel_Click() { AfficherAide(CheminAide()); }

void MDIPlancher::AideContextuelle() {
    auto* bouton = FeuilleAffichee() ? FeuilleAffichee()->findChild<QPushButton*>(QStringLiteral("CmdAide")) : nullptr;
    if (bouton && bouton->isEnabled())
        bouton->click();
    else
        MnuAideSorvel_Click();
}

void MDIPlancher::MnuAPropos_Click() {
    // Modal to the main window, without holding up the caller.
    auto* boite = new Frm_A_Propos(etude_->Dossier().Chemin(), this);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

} // namespace sorvel
