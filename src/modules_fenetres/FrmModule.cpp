#include "modules_fenetres/FrmModule.h"

#include "ihm/BoiteMessage.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace sorvel {

namespace {

constexpr int Marge = 12;
constexpr int LargeurLibelle = 175;
constexpr int LargeurChamp = 70;

} // namespace

const ListeDonnee ListeVZ = {"VZ", "Pas (VZ) en centimètre", {"5", "10", "15", "20", "30"}, "cm"};

FrmModule::FrmModule(QWidget* parent) : FenetreAuxiliaire(parent) {
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, Marge);
    disposition->setSpacing(6);
    defilement_ = new QScrollArea(this);
    defilement_->setObjectName(QStringLiteral("Defilement"));
    defilement_->setFrameShape(QFrame::NoFrame);
    defilement_->setWidgetResizable(true);
    contenu_ = new QWidget(defilement_);
    contenu_->setObjectName(QStringLiteral("Contenu"));
    grille_ = new QGridLayout(contenu_);
    grille_->setContentsMargins(Marge, 10, Marge, 0);
    grille_->setHorizontalSpacing(Marge);
    defilement_->setWidget(contenu_);
    disposition->addWidget(defilement_, 1);
}

QSize FrmModule::sizeHint() const {
    const QSize contenu = contenu_->sizeHint();
    const QSize bas = rangeeBas_ ? rangeeBas_->sizeHint() : QSize();
    const QMargins m = layout()->contentsMargins();
    return QSize(std::max(contenu.width(), bas.width() + 2 * Marge),
                 contenu.height() + layout()->spacing() + bas.height() + m.top() + m.bottom());
}

bool FrmModule::Rechercher(const std::function<void()>& recherche) {
    ++recherches_;
    struct Fin {
        FrmModule& f;
        ~Fin() {
            if (--f.recherches_ == 0 && f.detruireApres_) {
                f.detruireApres_ = false;
                f.deleteLater();
            }
        }
    } fin{*this};
    recherche();
    return !EstFermee();
}

bool FrmModule::TraiterEvenements() {
    QCoreApplication::processEvents();
    return !EstFermee();
}

bool FrmModule::event(QEvent* evenement) {
    // A deleteLater() from a click handled inside the search's own event
    // processing would otherwise destroy the window under the search.
    if (evenement->type() == QEvent::DeferredDelete && recherches_ > 0) {
        detruireApres_ = true;
        return true;
    }
    return QWidget::event(evenement);
}

void FrmModule::Signaler(const std::optional<modules::Avertissement>& message, QWidget* champ) {
    if (message)
        Message(this, IconeMessage::Exclamation, QString::fromStdString(message->Titre),
                QString::fromStdString(message->Texte));
    DonnerFocus(champ);
}

QGroupBox* FrmModule::CadreDonnees(const QString& prefixe, std::span<const LigneDonnee> lignes,
                                   std::span<ChampNumerique*> champs, std::span<const ListeDonnee> listes,
                                   std::span<QComboBox*> combos) {
    auto [cadre, g] = Cadre(QStringLiteral("CdrDonnees"), QStringLiteral("Données d'entrée"), this);
    int ligne = 0;
    bool facultatives = false;
    for (const LigneDonnee& l : lignes) {
        const QString suffixe = prefixe + QStringLiteral("_%1").arg(l.index);
        auto* libelle = LibelleLong(QStringLiteral("Lbl") + suffixe, QString::fromUtf8(l.libelle), cadre);
        ChampNumerique* champ = ChampNombre(QStringLiteral("Txt") + suffixe, libelle->text(), cadre, LargeurChamp);
        LigneChamp(g, ligne, libelle, champ, QString::fromUtf8(l.unite), QStringLiteral("LblUnite") + suffixe);
        if (l.particularite == Particularite::Facultative) {
            g->addWidget(Libelle(QStringLiteral("LblFacultatif_%1").arg(l.index), QStringLiteral("*"), cadre), ligne, 3);
            facultatives = true;
        }
        champ->accepterMoinsSeul(l.particularite == Particularite::Negative);
        champs[static_cast<std::size_t>(l.index)] = champ;
        ++ligne;
    }
    for (std::size_t i = 0; i < listes.size(); ++i) {
        const QString nom = QString::fromLatin1(listes[i].nom);
        auto* libelle = LibelleLong(QStringLiteral("Lbl") + nom, QString::fromUtf8(listes[i].libelle), cadre);
        combos[i] = Liste(QStringLiteral("Cmb") + nom, libelle->text(), listes[i].elements, cadre);
        combos[i]->setFixedWidth(LargeurChamp);
        LigneChamp(g, ligne++, libelle, combos[i], QString::fromUtf8(listes[i].unite), QStringLiteral("LblUnite") + nom);
    }
    g->setRowStretch(ligne, 1);
    if (facultatives)
        g->setColumnMinimumWidth(3, 8);
    return cadre;
}

void FrmModule::Colonnes(QWidget* donnees, QLayout* milieu, QWidget* resultats) {
    grille_->addWidget(donnees, 0, 0);
    grille_->addLayout(milieu, 0, 1);
    grille_->addWidget(resultats, 0, 2);
}

QPushButton* FrmModule::BoutonsBas() {
    auto* aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), this);
    auto* fermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);
    auto* reprendre = Bouton(QStringLiteral("CmdReprendre"), QStringLiteral("&Reprendre la pièce sélectionnée"), this);
    reprendre->setToolTip(QStringLiteral("Remplit les données d'entrée avec la boucle de la pièce sélectionnée dans la "
                                         "liste des pièces"));
    rangeeBas_ = new QHBoxLayout;
    rangeeBas_->setContentsMargins(Marge, 0, Marge, 0);
    rangeeBas_->addWidget(reprendre);
    rangeeBas_->addStretch();
    rangeeBas_->addWidget(aide);
    rangeeBas_->addWidget(fermer);
    static_cast<QVBoxLayout*>(layout())->addLayout(rangeeBas_);
    connect(fermer, &QPushButton::clicked, this, &FrmModule::CmdFermer_Click);
    connect(reprendre, &QPushButton::clicked, this, &FrmModule::repriseDemandee);
    return aide;
}

void FrmModule::LierExterieureEtH(ChampNumerique* exterieure, ChampNumerique* h) {
    exterieure_ = exterieure;
    h_ = h;
    connect(exterieure_, &ChampNumerique::modifie, this, [this] {
        if (!reprise_ || h_->text() != hRepris_)
            return;
        hRepris_ = QString::fromStdString(modules::TexteCoeffDeperditions(*reprise_, exterieure_->text().toStdString()));
        h_->setText(hRepris_);
    });
}

void FrmModule::Reprendre(const DonneesBoucle& boucle) {
    // What the fields show while they are written follows no former reprise.
    reprise_.reset();
    RemplirDepuis(boucle);
    reprise_ = boucle;
    hRepris_ = h_->text();
    if (!modules::EstSaisi(hRepris_.toStdString(), modules::Saisi::Nombre))
        DonnerFocus(exterieure_);
}

std::pair<QGroupBox*, QGridLayout*> Cadre(const QString& nom, const QString& titre, QWidget* parent, int espacement) {
    auto* cadre = new QGroupBox(titre, parent);
    cadre->setObjectName(nom);
    auto* grille = new QGridLayout(cadre);
    grille->setVerticalSpacing(espacement);
    return {cadre, grille};
}

QLabel* LibelleLong(const QString& nom, const QString& texte, QWidget* parent) {
    auto* l = Libelle(nom, texte, parent);
    l->setWordWrap(true);
    l->setFixedWidth(LargeurLibelle);
    return l;
}

QLabel* LabelResultat(const QString& nom, QWidget* parent) {
    auto* l = Libelle(nom, QString(), parent);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(90);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLabel* RangeeResultat(QGridLayout* grille, int ligne, const QString& suffixe, const QString& libelle,
                       const QString& unite) {
    QWidget* parent = grille->parentWidget();
    grille->addWidget(LibelleLong(QStringLiteral("LblLibelle") + suffixe, libelle, parent), ligne, 0);
    QLabel* valeur = LabelResultat(QStringLiteral("Lbl") + suffixe, parent);
    grille->addWidget(valeur, ligne, 1, Qt::AlignVCenter);
    grille->addWidget(Libelle(QStringLiteral("LblUnite") + suffixe, unite, parent), ligne, 2);
    return valeur;
}

void AfficherResultat(QLabel* label, const QString& texte) {
    label->setText(texte);
    label->setAccessibleName(texte);
}

} // namespace sorvel
