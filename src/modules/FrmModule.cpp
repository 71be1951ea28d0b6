#include "modules/FrmModule.h"

#include "ihm/Controles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace sorvel {

FrmModule::FrmModule(QWidget* parent) : QWidget(parent) {}

void FrmModule::CmdFermer_Click() {
    fermee_ = true;
    emit fermee();
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
    return !fermee_;
}

bool FrmModule::TraiterEvenements() {
    QCoreApplication::processEvents();
    return !fermee_;
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

QPushButton* FrmModule::BoutonsBas(QGridLayout* grille, int ligne, int colonnes) {
    auto* aide = Bouton(QStringLiteral("CmdAide"), QStringLiteral("Aide &?"), this);
    auto* fermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);
    auto* rangee = new QHBoxLayout;
    rangee->addStretch();
    rangee->addWidget(aide);
    rangee->addWidget(fermer);
    grille->addLayout(rangee, ligne, 0, 1, colonnes);
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
