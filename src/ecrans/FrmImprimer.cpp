#include "ecrans/FrmImprimer.h"

#include "ihm/Controles.h"
#include "ihm/PosteImpression.h"
#include "ihm/Proteger.h"
#include "ihm/Ressources.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sorvel {

namespace {

constexpr int NombreZooms = static_cast<int>(std::size(ReglagesZoom));
constexpr int ZoomDepart = 0; // 50 %
// Twips in an inch.
constexpr double TwipsParPouce = 1440.0;
constexpr int Marge = 8;

} // namespace

// ---- The picture of the page ----------------------------------------------

// `ImgAp`: the page drawn straight on the widget at the zoom's scale.
class FrmImprimer::ImageApercu : public QWidget {
public:
    explicit ImageApercu(FrmImprimer& fenetre, QWidget* parent) : QWidget(parent), fenetre_(fenetre) {
        setObjectName(QStringLiteral("ImgAp"));
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        peintre.fillRect(rect(), Qt::white);
        if (fenetre_.mise_)
            fenetre_.mise_->DessinerPage(peintre, fenetre_.page_, fenetre_.Echelle());
    }
    void mousePressEvent(QMouseEvent* evenement) override {
        if (evenement->button() == Qt::LeftButton)
            fenetre_.ImgAp_Click();
        else
            QWidget::mousePressEvent(evenement);
    }

private:
    FrmImprimer& fenetre_;
};

// ---- The window -------------------------------------------------------------

FrmImprimer::FrmImprimer(ImpressionEtude& impression, const std::array<const QAction*, NombreRapports>& apercus,
                         QWidget* parent)
    : FenetreAuxiliaire(parent), impression_(impression) {
    std::copy(apercus.begin(), apercus.end(), apercus_.begin());
    setObjectName(QStringLiteral("FrmImprimer"));
    setWindowTitle(QStringLiteral("Sorvel."));

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, Marge);
    disposition->setSpacing(Marge);

    disposition->setMenuBar(CreerMenu());
    disposition->addLayout(CreerPage(), 1);
    disposition->addLayout(CreerBas());
    ChargerCurseurs();
    Zoom(ReglagesZoom[ZoomDepart].Echelle);
}

// Menu: "Imprimer", and the three zooms.
QMenuBar* FrmImprimer::CreerMenu() {
    auto* barre = new QMenuBar(this);
    barre->setObjectName(QStringLiteral("MnuApercu"));
    barre->setNativeMenuBar(false);
    QAction* imprimer = barre->addAction(QStringLiteral("&Imprimer"));
    imprimer->setObjectName(QStringLiteral("MnuImprimer"));
    connect(imprimer, &QAction::triggered, this, [this] { Proteger(this, [this] { CmdImprimer_Click(); }); });
    QMenu* zoom = barre->addMenu(QStringLiteral("&Zoom"));
    zoom->setObjectName(QStringLiteral("MnuZoom"));
    auto* groupe = new QActionGroup(this);
    for (int i = 0; i < NombreZooms; ++i) {
        const QString libelle = QString::fromLatin1(ReglagesZoom[i].Libelle);
        QAction* a = zoom->addAction(QLatin1Char('&') + libelle);
        a->setObjectName(QStringLiteral("Mnu_") + QString(libelle).remove(QLatin1Char('%')));
        a->setCheckable(true);
        groupe->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { Zoom(ReglagesZoom[i].Echelle); });
    }
    return barre;

}

// The page on a grey desk, with the scroll bar beside it.
QHBoxLayout* FrmImprimer::CreerPage() {
    auto* milieu = new QHBoxLayout;
    milieu->setSpacing(0);
    vue_ = new QWidget(this);
    vue_->setObjectName(QStringLiteral("CadreApercu"));
    vue_->setAutoFillBackground(true);
    QPalette fond = vue_->palette();
    fond.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    vue_->setPalette(fond);
    vue_->setMinimumSize(200, 150);
    vue_->installEventFilter(this);
    imgAp_ = new ImageApercu(*this, vue_);
    imgAp_->setAccessibleName(QStringLiteral("Aperçu de la page"));
    imgAp_->installEventFilter(this);
    vsbBarre_ = new QScrollBar(Qt::Vertical, this);
    vsbBarre_->setObjectName(QStringLiteral("VsbBarre"));
    vsbBarre_->setAccessibleName(QStringLiteral("Défilement de la page"));
    connect(vsbBarre_, &QScrollBar::valueChanged, this, [this] {
        PosZoom();
        imgAp_->setFocus(Qt::OtherFocusReason);
    });
    milieu->addWidget(vue_, 1);
    milieu->addWidget(vsbBarre_);
    return milieu;

}

// Zoom and page labels, page buttons, "Imprimer" and "Fermer".
QHBoxLayout* FrmImprimer::CreerBas() {
    auto* bas = new QHBoxLayout;
    bas->setContentsMargins(Marge, 0, Marge, 0);
    const auto etiquette = [this](const char* nom, int largeur) {
        QLabel* l = Libelle(QString::fromLatin1(nom), QString(), this);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(largeur);
        return l;
    };
    lblZoom_ = etiquette("LblZoom", 50);
    lblPage_ = etiquette("LblPage", 100);
    cmdPremiere_ = Bouton(QStringLiteral("CmdPremiere"), QStringLiteral("Première"), this);
    cmdPrecedente_ = Bouton(QStringLiteral("CmdPrecedente"), QStringLiteral("Précédente"), this);
    cmdSuivante_ = Bouton(QStringLiteral("CmdSuivante"), QStringLiteral("Suivante"), this);
    cmdDerniere_ = Bouton(QStringLiteral("CmdDerniere"), QStringLiteral("Dernière"), this);
    auto* cmdImprimer = Bouton(QStringLiteral("CmdImprimer"), QStringLiteral("Imprimer"), this);
    auto* cmdFermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);
    bas->addWidget(lblZoom_);
    bas->addWidget(lblPage_);
    bas->addStretch();
    for (QPushButton* b : {cmdPremiere_, cmdPrecedente_, cmdSuivante_, cmdDerniere_})
        bas->addWidget(b);
    bas->addSpacing(2 * Marge);
    bas->addWidget(cmdImprimer);
    bas->addWidget(cmdFermer);
    Relier(cmdPremiere_, this, &FrmImprimer::CmdPremiere_Click);
    Relier(cmdPrecedente_, this, &FrmImprimer::CmdPrecedente_Click);
    Relier(cmdSuivante_, this, &FrmImprimer::CmdSuivante_Click);
    Relier(cmdDerniere_, this, &FrmImprimer::CmdDerniere_Click);
    Relier(cmdImprimer, this, &FrmImprimer::CmdImprimer_Click);
    Relier(cmdFermer, this, &FrmImprimer::CmdFermer_Click);
    return bas;
}

FrmImprimer::~FrmImprimer() = default;

void FrmImprimer::ChargerCurseurs() {
    if (!plusCharge_)
        if (const auto c = ChargerCurseur(QStringLiteral("Plus.cur"))) {
            plus_ = *c;
            plusCharge_ = true;
        }
    if (!moinsCharge_)
        if (const auto c = ChargerCurseur(QStringLiteral("Moins.cur"))) {
            moins_ = *c;
            moinsCharge_ = true;
        }
}

void FrmImprimer::Afficher(DonneesRapport donnees) {
    setWindowTitle(QStringLiteral("Sorvel. [") + QString::fromStdString(donnees.NomEtude) + QStringLiteral("]"));
    donnees_ = std::move(donnees);
    mise_.reset();
    page_ = 1;
    Zoom(ReglagesZoom[ZoomDepart].Echelle);
}

Rapport FrmImprimer::RapportMarque() const {
    const auto marque = [](const QAction* a) { return a && a->data().toString() == QStringLiteral("1"); };
    const auto premiere = std::find_if(apercus_.begin(), apercus_.end(), marque);
    if (premiere == apercus_.end() || std::any_of(premiere + 1, apercus_.end(), marque))
        return Rapport::Chantier;
    return static_cast<Rapport>(premiere - apercus_.begin());
}

std::optional<Rapport> FrmImprimer::RapportAffiche() const {
    if (!mise_)
        return std::nullopt;
    return mise_->TypeRapport();
}

int FrmImprimer::NombrePages() const { return mise_ ? mise_->NombrePages() : 0; }

void FrmImprimer::MettreEnPage() {
    mise_.reset();
    if (!donnees_)
        return;
    // The page as the default printer would print it.
    mise_.emplace(*donnees_, RapportMarque(), Poste().Papier().size(QPageSize::Point));
}

int FrmImprimer::PixelsDeTwips(double twips) const {
    return static_cast<int>(std::lround(twips * logicalDpiY() / TwipsParPouce));
}

double FrmImprimer::TwipsDePixels(int pixels) const { return pixels * TwipsParPouce / logicalDpiY(); }

void FrmImprimer::Zoom(double echelle) {
    zoom_ = 0;
    for (int i = 1; i < NombreZooms; ++i)
        if (std::abs(ReglagesZoom[i].Echelle - echelle) < std::abs(ReglagesZoom[zoom_].Echelle - echelle))
            zoom_ = i;
    // The report the menu marks, laid out again when the mark moved.
    if (!mise_ || mise_->TypeRapport() != RapportMarque())
        MettreEnPage();
    page_ = std::clamp(page_, 1, std::max(1, NombrePages()));

    const QSizeF papier = mise_ ? mise_->TaillePage() : Poste().Papier().size(QPageSize::Point);
    const double pixels = PixelsParPoint(*imgAp_, Echelle());
    imgAp_->resize(static_cast<int>(std::ceil(papier.width() * pixels)),
                   static_cast<int>(std::ceil(papier.height() * pixels)));
    ReglerBarre();
    {
        const QSignalBlocker silence(vsbBarre_);
        vsbBarre_->setValue(-HautImage);
    }
    PosZoom();
    // Over the page the pointer says what a click does.
    if (ReglagesZoom[zoom_].Echelle == ReglagesZoom[NombreZooms - 1].Echelle)
        imgAp_->setCursor(moinsCharge_ ? moins_ : QCursor(Qt::PointingHandCursor));
    else
        imgAp_->setCursor(plusCharge_ ? plus_ : QCursor(Qt::PointingHandCursor));
    AfficherEtiquettes();
    imgAp_->update();
}

void FrmImprimer::ReglerBarre() {
    const ReglageZoom& z = ReglagesZoom[zoom_];
    // A view shorter than the zoom's settings expect lets the page go up
    // further, until its bottom is as far above the view's bottom as its
    // top starts below the view's top.
    const double bas = TwipsDePixels(vue_->height()) - HautImage - TwipsDePixels(imgAp_->height());
    const int max = std::min(z.Max, static_cast<int>(std::floor(bas)));
    // The bar grows downwards while the picture's top goes up: it holds the
    // opposite of the top.
    const QSignalBlocker silence(vsbBarre_);
    vsbBarre_->setRange(-HautImage, -max);
    vsbBarre_->setSingleStep(z.PetitPas);
    vsbBarre_->setPageStep(z.GrandPas);
}

void FrmImprimer::PosZoom() {
    imgAp_->move(std::max(0, (vue_->width() - imgAp_->width()) / 2), PixelsDeTwips(HautImageTwips()));
}

int FrmImprimer::HautImageTwips() const { return -vsbBarre_->value(); }

void FrmImprimer::AfficherEtiquettes() {
    const QString zoom = QString::fromLatin1(ReglagesZoom[zoom_].Libelle);
    lblZoom_->setText(zoom);
    lblZoom_->setAccessibleName(zoom);
    const int pages = NombrePages();
    const QString page = pages > 0 ? QStringLiteral("Page %1 sur %2").arg(page_).arg(pages) : QString();
    lblPage_->setText(page);
    lblPage_->setAccessibleName(page);
    imgAp_->setAccessibleDescription(page);
    cmdPremiere_->setEnabled(page_ > 1);
    cmdPrecedente_->setEnabled(page_ > 1);
    cmdSuivante_->setEnabled(page_ < pages);
    cmdDerniere_->setEnabled(page_ < pages);
    if (auto* a = findChild<QAction*>(QStringLiteral("Mnu_") + QString(zoom).remove(QLatin1Char('%'))))
        a->setChecked(true);
}

void FrmImprimer::AllerPage(int page) {
    page_ = std::clamp(page, 1, std::max(1, NombrePages()));
    AfficherEtiquettes();
    imgAp_->update();
}

void FrmImprimer::CmdPremiere_Click() { AllerPage(1); }
void FrmImprimer::CmdPrecedente_Click() { AllerPage(page_ - 1); }
void FrmImprimer::CmdSuivante_Click() { AllerPage(page_ + 1); }
void FrmImprimer::CmdDerniere_Click() { AllerPage(NombrePages()); }

void FrmImprimer::CmdImprimer_Click() {
    if (donnees_)
        impression_.Imprimer(this, *donnees_, RapportAffiche().value_or(RapportMarque()));
}

void FrmImprimer::CmdFermer_Click() {
    lblPage_->clear();
    lblPage_->setAccessibleName(QString());
    lblZoom_->setText(QString::fromLatin1(ReglagesZoom[ZoomDepart].Libelle));
    lblZoom_->setAccessibleName(lblZoom_->text());
    Fermer();
}

void FrmImprimer::ImgAp_Click() { Zoom(ReglagesZoom[(zoom_ + 1) % NombreZooms].Echelle); }

QSize FrmImprimer::sizeHint() const {
    const QSizeF papier = mise_ ? mise_->TaillePage() : TailleA4();
    const double pixels = PixelsParPoint(*this, ReglagesZoom[NombreZooms - 1].Echelle);
    const QSize page(static_cast<int>(std::ceil(papier.width() * pixels)),
                     static_cast<int>(std::ceil(papier.height() * pixels)));
    // Around the view: the menu, the bottom row and the margins.
    const QSize tout = layout()->sizeHint();
    const int autour = std::max(0, tout.height() - vue_->minimumHeight());
    return QSize(std::max(page.width() + vsbBarre_->sizeHint().width() + 2 * Marge, tout.width()),
                 page.height() + 2 * PixelsDeTwips(HautImage) + autour);
}

bool FrmImprimer::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == vue_ && evenement->type() == QEvent::Resize) {
        ReglerBarre();
        PosZoom();
    } else if ((objet == vue_ || objet == imgAp_) && evenement->type() == QEvent::Wheel) {
        // The wheel over the page scrolls it.
        QCoreApplication::sendEvent(vsbBarre_, evenement);
        return true;
    } else if (objet == imgAp_ && evenement->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(evenement)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(vsbBarre_, evenement);
            return true;
        default:
            break;
        }
    }
    return FenetreAuxiliaire::eventFilter(objet, evenement);
}

} // namespace sorvel
