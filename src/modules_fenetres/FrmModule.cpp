#include "modules_fenetres/FrmModule.h"

#include "ihm/BoiteMessage.h"
#include "ihm/Controles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace sorvel {

namespace {

constexpr int Marge = 12;

} // namespace

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
    if (champ)
        champ->setFocus(Qt::OtherFocusReason);
}

QPushButton* FrmModule::BoutonsBas() {
    auto* aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), this);
    auto* fermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);
    rangeeBas_ = new QHBoxLayout;
    rangeeBas_->setContentsMargins(Marge, 0, Marge, 0);
    rangeeBas_->addStretch();
    rangeeBas_->addWidget(aide);
    rangeeBas_->addWidget(fermer);
    static_cast<QVBoxLayout*>(layout())->addLayout(rangeeBas_);
    connect(fermer, &QPushButton::clicked, this, &FrmModule::CmdFermer_Click);
    return aide;
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

void AfficherResultat(QLabel* label, const QString& texte) {
    label->setText(texte);
    label->setAccessibleName(texte);
}

} // namespace sorvel
