#include "ecrans/ZoneEcrans.h"

#include "ihm/Controles.h"
#include "ihm/Ressources.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace sorvel {

namespace {
// The background left around a screen, on each side.
constexpr int MargeFond = 12;
} // namespace

ZoneEcrans::ZoneEcrans(QMainWindow& fenetre, const QRect& zoneDisponible, int largeurEcran)
    : QMdiArea(&fenetre), fenetre_(fenetre), zoneDisponible_(zoneDisponible) {
    setObjectName(QStringLiteral("ZoneClient"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackground(QColor(0x5a, 0x6e, 0x82));
    if (largeurEcran < 0) {
        const QScreen* ecran = QGuiApplication::primaryScreen();
        largeurEcran = ecran ? ecran->geometry().width() : 0;
    }
    ChoisirImageFond(largeurEcran);
}

// ---- Sub-windows ------------------------------------------------------------

QMdiSubWindow* ZoneEcrans::AjouterFeuille(QWidget* ecran) {
    if (!ecran)
        return nullptr;
    auto* sous = new QMdiSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    sous->setObjectName(ecran->objectName() + QStringLiteral("_Fenetre"));
    sous->setWidget(ecran);
    sous->setWindowTitle(ecran->windowTitle());
    sous->setAttribute(Qt::WA_DeleteOnClose, false);
    addSubWindow(sous);
    sous->hide();
    sous->installEventFilter(this);
    // The sub-window goes with its screen.
    connect(ecran, &QObject::destroyed, sous, &QObject::deleteLater);
    CentrerFeuille(ecran);
    return sous;
}

QMdiSubWindow* ZoneEcrans::SousFenetre(const QWidget* ecran) {
    return ecran ? qobject_cast<QMdiSubWindow*>(ecran->parentWidget()) : nullptr;
}

QWidget* ZoneEcrans::FeuilleAffichee() const {
    for (QMdiSubWindow* sous : subWindowList())
        if (sous->isVisibleTo(this) && sous->widget())
            return sous->widget();
    return nullptr;
}

void ZoneEcrans::AfficherFeuille(QWidget* ecran) {
    QMdiSubWindow* cible = ZoneEcrans::SousFenetre(ecran);
    // The field that has the focus on the screen being left is where the
    // keyboard comes back to it. Not a button: back on a page left through
    // "<< Précédent", Enter would leave it again.
    QWidget* focus = QApplication::focusWidget();
    for (QMdiSubWindow* sous : subWindowList()) {
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
    // Shown, the screen lays itself out; let its new wishes reach its window,
    // which the main window grows for when the screen has the room.
    for (int tour = 0; tour < 4; ++tour)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    AgrandirEtAjuster(ecran);
    setActiveSubWindow(cible);
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

void ZoneEcrans::CentrerFeuille(QWidget* ecran) {
    QMdiSubWindow* sous = SousFenetre(ecran);
    if (!sous)
        return;
    const QSize client = viewport()->size();
    sous->move(qMax(0, client.width() / 2 - sous->width() / 2), qMax(0, client.height() / 2 - sous->height() / 2));
}

void ZoneEcrans::AjusterFeuille(QWidget* ecran) {
    QMdiSubWindow* sous = SousFenetre(ecran);
    if (!sous)
        return;
    sous->resize(sous->sizeHint().boundedTo(viewport()->size()).expandedTo(sous->minimumSizeHint()));
    CentrerFeuille(ecran);
}

void ZoneEcrans::AgrandirEtAjuster(QWidget* ecran) {
    if (QMdiSubWindow* sous = SousFenetre(ecran))
        AgrandirPour(sous->sizeHint());
    AjusterFeuille(ecran);
}

void ZoneEcrans::resizeEvent(QResizeEvent* evenement) {
    QMdiArea::resizeEvent(evenement);
    // The screen showing takes the room there is now, in the middle.
    if (QWidget* ecran = FeuilleAffichee())
        AjusterFeuille(ecran);
}

bool ZoneEcrans::eventFilter(QObject* objet, QEvent* evenement) {
    auto* sous = qobject_cast<QMdiSubWindow*>(objet);
    if (sous && sous->widget()) {
        // A screen that asks for another size (an explanation unfolded, a
        // row hidden) gets it as far as there is room; any window stays
        // centred.
        if (evenement->type() == QEvent::LayoutRequest && sous->isVisibleTo(this))
            AjusterFeuille(sous->widget());
        else if (evenement->type() == QEvent::Resize)
            CentrerFeuille(sous->widget());
    }
    return QMdiArea::eventFilter(objet, evenement);
}

// ---- The main window on the screen ---------------------------------------------

QRect ZoneEcrans::ZoneDisponible() const {
    if (!zoneDisponible_.isEmpty())
        return zoneDisponible_;
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->availableGeometry() : QRect();
}

QSize ZoneEcrans::TailleVoulue(std::initializer_list<const QWidget*> ecrans) const {
    // The title bar and borders of a sub-window, measured on the first one.
    QSize cadre;
    for (const QWidget* ecran : ecrans)
        if (const QMdiSubWindow* sous = SousFenetre(ecran)) {
            cadre = sous->sizeHint() - ecran->sizeHint();
            break;
        }
    QSize client;
    for (const QWidget* ecran : ecrans) {
        ecran->ensurePolished();
        client = client.expandedTo(ecran->sizeHint() + cadre);
    }
    return QSize(client.width() + 2 * MargeFond,
                 client.height() + 2 * MargeFond + fenetre_.menuBar()->sizeHint().height());
}

void ZoneEcrans::PlacerFenetre(const QSize& voulue) {
    const QRect zone = ZoneDisponible();
    if (zone.isEmpty()) {
        fenetre_.resize(voulue);
        return;
    }
    const QSize avecCadre = voulue + CadreFenetre;
    if (avecCadre.width() <= zone.width() && avecCadre.height() <= zone.height()) {
        fenetre_.resize(voulue);
        fenetre_.move(zone.x() + (zone.width() - avecCadre.width()) / 2,
                      zone.y() + (zone.height() - avecCadre.height()) / 2);
        return;
    }
    // A small screen: the whole of it, and back to a size that fits should
    // the user restore the window.
    fenetre_.resize(voulue.boundedTo(zone.size() - CadreFenetre));
    fenetre_.move(zone.topLeft());
    fenetre_.setWindowState(fenetre_.windowState() | Qt::WindowMaximized);
}

void ZoneEcrans::AgrandirPour(const QSize& voulue) {
    if (fenetre_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize manque = (voulue - viewport()->size()).expandedTo(QSize(0, 0));
    if (manque.isNull())
        return;
    QSize nouvelle = fenetre_.size() + manque +
                     QSize(manque.width() ? 2 * MargeFond : 0, manque.height() ? 2 * MargeFond : 0);
    const QRect zone = ZoneDisponible();
    if (!zone.isEmpty()) {
        // Within the area, and never smaller than it is: a window that already
        // takes the whole screen (no window manager frames it) keeps it.
        nouvelle = nouvelle.boundedTo(zone.size() - CadreFenetre).expandedTo(fenetre_.size());
        // Grown, the window stays on the screen.
        QPoint coin = fenetre_.pos();
        coin.setX(qBound(zone.left(), coin.x(), zone.right() + 1 - nouvelle.width() - CadreFenetre.width()));
        coin.setY(qBound(zone.top(), coin.y(), zone.bottom() + 1 - nouvelle.height() - CadreFenetre.height()));
        fenetre_.move(coin);
    }
    fenetre_.resize(nouvelle);
}

// ---- Background ---------------------------------------------------------------

QString ZoneEcrans::ImageDeFond(int largeur) {
    if (largeur < 810)
        return QStringLiteral("Fd1.fpl");
    if (largeur < 1050)
        return QStringLiteral("Fd2.fpl");
    return QString();
}

void ZoneEcrans::ChoisirImageFond(int largeurEcran) {
    fichierFond_ = ImageDeFond(largeurEcran);
    imageFond_ = QImage();
    // A missing or unreadable file just leaves the background plain.
    if (!fichierFond_.isEmpty())
        imageFond_ = ChargerImage(fichierFond_).toImage();
    viewport()->update();
}

void ZoneEcrans::paintEvent(QPaintEvent* evenement) {
    QMdiArea::paintEvent(evenement);
    if (imageFond_.isNull())
        return;
    // Centred, and scaled to cover the whole area.
    QPainter p(viewport());
    const QSize taille = imageFond_.size().scaled(viewport()->size(), Qt::KeepAspectRatioByExpanding);
    const QRect cible(QPoint((viewport()->width() - taille.width()) / 2, (viewport()->height() - taille.height()) / 2),
                      taille);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(cible, imageFond_);
}

} // namespace sorvel
