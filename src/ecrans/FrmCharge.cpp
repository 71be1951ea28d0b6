#include "ecrans/FrmCharge.h"

#include "ihm/BoiteMessage.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "ihm/ModAide.h"
#include "ihm/Ressources.h"
#include "modele/EtudeEnCours.h"
#include "modele/SaisiePiece.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sorvel {

namespace {

const char* const LibellesCharge[] = {"Charge normale", "Charge élevée ou limite", "Charge combinée droite",
                                      "Charge intégrée d'angle"};
const char* const ImagesCharge[] = {"Ch_No.Fpl", "Ch_El.fpl", "Ch_Cd.fpl", "Ch_Ca.fpl"};
// What each picture shows, for a screen reader.
const char* const DescriptionsImages[] = {
    "Schéma de pose : zone normale seule",
    "Schéma de pose : zone de bordure à boucle indépendante devant la baie",
    "Schéma de pose : zone de bordure dans la boucle de la zone normale",
    "Schéma de pose : zone de bordure intégrée dans l'angle de deux baies",
};

const char* const Commentaires[] = {
    "---------------Zone normale.--------------- Type de charge la plus utilisée. Pas (VZ) couramment "
    "utilisé, VZ10, VZ15, VZ20, VZ30.",
    "--------------Zone de bordure.------------- Type de charge utilisée devant une grande ouverture pour "
    "couper le radian froid. La boucle est indépendante de celle de la partie à charge normale. Les émissions "
    "de cette zone de bordure seront déduites par le programme aux déperditions de la pièce afin de permettre "
    "le calcul de la partie à charge normale. La surface généralement utilisée est : 1m de large sur la "
    "longueur du mur. Pas (VZ) utilisé pour une charge élevée, VZ10, VZ15. Pas (VZ) utilisé pour une charge "
    "limite, VZ5 (très peu utilisé car la température superficielle risque de dépasser les 28°C).",
    "--------------Zone de bordure.------------- Caractéristiques quasiment identiques à la zone de bordure à "
    "boucle indépendante, à la différence près que la boucle de la partie à charge élevée ou limite fait "
    "partie de la boucle à charge normale (système combiné).",
    "--------------Zone de bordure.------------- Type de charge utilisée quand 2 murs en angles ont chacun une "
    "grande ouverture (système intégré). La surface n'a pas à être définie, le programme la calcule selon un "
    "schéma de pose. Pour le pas (VZ), même principer que pour les autres type de charge élevées ou limites.",
};

int Pixels(const QWidget* w, int twips) { return Grille::TwipsEnPixels(twips, w->logicalDpiY()); }

} // namespace

FrmCharge::FrmCharge(EtudeEnCours& etude, QWidget* parent) : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmCharge"));
    setWindowTitle(QStringLiteral("Données de la pièce"));

    auto* lblTitre = Titre(QStringLiteral("Charge"), this);
    QGroupBox* cdrCharge = CreerTypesCharge();
    QGridLayout* bordure = CreerZoneBordure();
    CreerCommentaire();

    auto* principal = Disposition(this);
    principal->addWidget(lblTitre);
    auto* haut = new QHBoxLayout;
    haut->addWidget(cdrCharge, 1);
    haut->addWidget(imgCharge_);
    principal->addLayout(haut);
    principal->addWidget(lblSurface_[2]);
    principal->addLayout(bordure);
    auto* ligneComment = new QHBoxLayout;
    ligneComment->addWidget(cmdComment_);
    ligneComment->addStretch();
    principal->addLayout(ligneComment);
    principal->addWidget(cdrComment_);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 1/4"), false, Avancer::Suivant);

    // A fresh screen: normal load, no edge zone to enter.
    optCharge_[static_cast<std::size_t>(Charge::Normale)]->setChecked(true);
    cmbPasVZ_->setCurrentText(QStringLiteral("10"));
    for (QWidget* w : {static_cast<QWidget*>(txtSurfaceBordure_), static_cast<QWidget*>(cmbPasVZ_),
                       static_cast<QWidget*>(lblSurface_[0]), static_cast<QWidget*>(lblSurface_[1]),
                       static_cast<QWidget*>(lblValeur_[0]), static_cast<QWidget*>(lblValeur_[1])})
        w->setEnabled(false);
    DefinirHauteurCommentaire(HauteurCommentairePlie);

    for (Charge type : TypesCharge)
        connect(optCharge_[static_cast<std::size_t>(type)], &QRadioButton::toggled, this, [this, type](bool coche) {
            if (coche)
                ChoisirCharge(type);
        });
    connect(txtSurfaceBordure_, &ChampNumerique::modifie, &etude_, &EtudeEnCours::MarquerModifie);
    connect(cmbPasVZ_, &QComboBox::currentIndexChanged, &etude_, &EtudeEnCours::MarquerModifie);
    connect(cmdComment_, &QPushButton::clicked, this, [this] { CmdComment_Click(); });
    Relier(boutons.Suivant, this, &FrmCharge::CmdSuivant_Click);
    Relier(boutons.Annuler, this, &FrmCharge::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmCharge::CmdAide_Click);
    EchapAnnule(boutons);
}

QGroupBox* FrmCharge::CreerTypesCharge() {
    auto* cdrCharge = new QGroupBox(QStringLiteral("Type de charge du panneau"), this);
    cdrCharge->setObjectName(QStringLiteral("CdrCharge"));
    auto* lCharge = new QVBoxLayout(cdrCharge);
    for (int i = 0; i < NombreTypesCharge; ++i) {
        optCharge_[i] = new QRadioButton(QString::fromUtf8(LibellesCharge[i]), cdrCharge);
        optCharge_[i]->setObjectName(QStringLiteral("OptCharge_%1").arg(i));
        optCharge_[i]->setAccessibleName(optCharge_[i]->text());
        lCharge->addWidget(optCharge_[i]);
    }
    lCharge->addStretch();

    imgCharge_ = Libelle(QStringLiteral("ImgCharge"), QString(), this);
    imgCharge_->setFixedSize(300, 220);
    imgCharge_->setAlignment(Qt::AlignCenter);
    imgCharge_->setFrameShape(QFrame::StyledPanel);
    imgCharge_->setPixmap(ChargerImage(QString::fromLatin1(ImagesCharge[0])));
    imgCharge_->setAccessibleName(QString::fromUtf8(DescriptionsImages[static_cast<int>(Charge::Normale)]));
    return cdrCharge;
}

// The edge zone: its surface and its pitch, on a grid of their own.
QGridLayout* FrmCharge::CreerZoneBordure() {
    lblSurface_[2] = Libelle(QStringLiteral("LblSurface_2"), QStringLiteral("Zone de bordure"), this);
    QFont gras = lblSurface_[2]->font();
    gras.setBold(true);
    lblSurface_[2]->setFont(gras);
    lblSurface_[0] =
        Libelle(QStringLiteral("LblSurface_0"), QStringLiteral("Surface zone de bordure (élevée/limite)"), this);
    txtSurfaceBordure_ = ChampNombre(QStringLiteral("TxtSurfaceBordure"), lblSurface_[0]->text(), this);
    auto* bordure = new QGridLayout;
    bordure->setContentsMargins(12, 0, 0, 0);
    bordure->setColumnStretch(3, 1);
    lblValeur_[0] = LigneChamp(bordure, 0, lblSurface_[0], txtSurfaceBordure_, QStringLiteral("m²"),
                               QStringLiteral("LblValeur_0"));
    lblSurface_[1] =
        Libelle(QStringLiteral("LblSurface_1"), QStringLiteral("Pas VZ zone de bordure (élevée/limite)"), this);
    cmbPasVZ_ = Liste(QStringLiteral("CmbPasVZ"), lblSurface_[1]->text(),
                      {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15")}, this);
    cmbPasVZ_->setFixedWidth(90);
    lblValeur_[1] =
        LigneChamp(bordure, 1, lblSurface_[1], cmbPasVZ_, QStringLiteral("cm"), QStringLiteral("LblValeur_1"));
    return bordure;
}

void FrmCharge::CreerCommentaire() {
    // The explanation of the chosen load type, folded away by default.
    cmdComment_ = Bouton(QStringLiteral("CmdComment"), QStringLiteral("Commentaire"), this);
    cdrComment_ = new QFrame(this);
    cdrComment_->setObjectName(QStringLiteral("CdrComment"));
    cdrComment_->setFrameShape(QFrame::StyledPanel);
    txtCommentaire_ = new QPlainTextEdit(cdrComment_);
    txtCommentaire_->setObjectName(QStringLiteral("TxtCommentaire"));
    txtCommentaire_->setAccessibleName(QStringLiteral("Commentaire"));
    txtCommentaire_->setReadOnly(true);
    txtCommentaire_->setFocusPolicy(Qt::NoFocus);
    txtCommentaire_->setPlainText(CommentaireInitial());
    txtCommentaire_->viewport()->installEventFilter(this);
    auto* lComment = new QVBoxLayout(cdrComment_);
    lComment->setContentsMargins(2, 2, 2, 2);
    lComment->addWidget(txtCommentaire_);
}

QString FrmCharge::Commentaire(Charge type) { return QString::fromUtf8(Commentaires[static_cast<int>(type)]); }

QString FrmCharge::CommentaireInitial() {
    return QStringLiteral("---------------Zone normale.--------------- \n"
                          "Type de charge la plus utilisée. \n"
                          "Pas (VZ) couramment utilisé : \n"
                          "VZ10, VZ15, VZ20, VZ30.\n");
}

Charge FrmCharge::TypeCharge() const {
    for (Charge type : TypesCharge)
        if (optCharge_[static_cast<std::size_t>(type)]->isChecked())
            return type;
    return Charge::Normale;
}

double FrmCharge::SurfaceBordure() const { return txtSurfaceBordure_->valeur().value_or(0.0); }

void FrmCharge::ChoisirCharge(Charge type) {
    const auto index = static_cast<std::size_t>(type);
    if (!optCharge_[index]->isChecked()) {
        optCharge_[index]->setChecked(true); // comes back here through `toggled`
        return;
    }
    for (QWidget* w : {static_cast<QWidget*>(txtSurfaceBordure_), static_cast<QWidget*>(cmbPasVZ_),
                       static_cast<QWidget*>(lblSurface_[0]), static_cast<QWidget*>(lblSurface_[1]),
                       static_cast<QWidget*>(lblValeur_[0]), static_cast<QWidget*>(lblValeur_[1]),
                       static_cast<QWidget*>(lblSurface_[2])})
        w->setEnabled(true);
    // A missing picture leaves the previous one.
    const QPixmap image = ChargerImage(QString::fromLatin1(ImagesCharge[index]));
    if (!image.isNull()) {
        imgCharge_->setPixmap(image);
        imgCharge_->setAccessibleName(QString::fromUtf8(DescriptionsImages[index]));
    }
    txtCommentaire_->setPlainText(Commentaire(type));

    // The corner zone's surface is derived by the calculation; every type
    // with an edge zone has its pitch.
    const bool surface = SurfaceBordureSaisie(type);
    const bool pas = AvecZoneBordure(type);
    txtSurfaceBordure_->setText(QStringLiteral("0"));
    txtSurfaceBordure_->setEnabled(surface);
    lblSurface_[0]->setEnabled(surface);
    lblValeur_[0]->setEnabled(surface);
    cmbPasVZ_->setEnabled(pas);
    lblSurface_[1]->setEnabled(pas);
    lblValeur_[1]->setEnabled(pas);
    if (surface)
        DonnerFocus(txtSurfaceBordure_);
    etude_.MarquerModifie();
}

void FrmCharge::Remplir(Piece& p) const {
    p.TypeCharge = TypeCharge();
    p.SurfaceBordure = SurfaceBordure();
    p.PasVZBordure = PasEnCentimetres(cmbPasVZ_->currentText().toInt());
}

void FrmCharge::Afficher(const Piece& p) {
    // The option first: choosing it empties the surface, which is then
    // given its stored value.
    const auto index = static_cast<std::size_t>(p.TypeCharge);
    if (optCharge_[index]->isChecked())
        ChoisirCharge(p.TypeCharge);
    else
        optCharge_[index]->setChecked(true);
    txtSurfaceBordure_->definirValeur(p.SurfaceBordure);
    ChoisirTexte(cmbPasVZ_, QString::fromStdString(TextePas(p.PasVZBordure)));
}

bool FrmCharge::CommentaireDeplie() const { return hauteurCommentaire_ == HauteurCommentaireDeplie; }

void FrmCharge::DefinirHauteurCommentaire(int twips) {
    hauteurCommentaire_ = twips;
    const bool deplie = twips == HauteurCommentaireDeplie;
    txtCommentaire_->setVisible(deplie);
    cdrComment_->setFixedHeight(deplie ? Pixels(this, twips) : 0);
    cdrComment_->setVisible(deplie);
    // The screen asks for its new height; the main window gives what it can
    // and the screen scrolls for the rest: bring the explanation into view.
    if (deplie)
        MontrerDansLaPage(cdrComment_);
}

void FrmCharge::CmdComment_Click() {
    DefinirHauteurCommentaire(hauteurCommentaire_ == HauteurCommentaireDeplie ? HauteurCommentairePlie
                                                                              : HauteurCommentaireDeplie);
}

bool FrmCharge::eventFilter(QObject* objet, QEvent* evenement) {
    // The explanation is read, never edited: a click in it goes to the button.
    if (objet == txtCommentaire_->viewport() && evenement->type() == QEvent::MouseButtonPress) {
        cmdComment_->setFocus(Qt::MouseFocusReason);
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

bool FrmCharge::Controle() {
    Piece p;
    Remplir(p);
    if (!ControlerChamps(this, {txtSurfaceBordure_},
                         [&p](const QString& legende) { return RefusNombreSaisi(p, legende); }))
        return false;
    if (SurfaceBordureSaisie(TypeCharge()) && SurfaceBordure() == 0) {
        Message(this, IconeMessage::Exclamation, QStringLiteral("Surface."),
                QStringLiteral("Entrer la surface de la zone à charge élevée ou limite en m² !\n"
                               "Si le champ n'est pas visible, cliquer sur le bouton 'Commentaire'"));
        DonnerFocus(txtSurfaceBordure_);
        return false;
    }
    return true;
}

void FrmCharge::CmdSuivant_Click() {
    if (!Controle())
        return;
    etude_.Saisie().ModifierPieceEnSaisie([this](Piece& p) { Remplir(p); });
    emit suivant();
}

void FrmCharge::CmdAnnuler_Click() { emit annulee(); }

void FrmCharge::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideCharge); }

} // namespace sorvel
