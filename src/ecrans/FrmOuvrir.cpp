#include "ecrans/FrmOuvrir.h"

#include "ihm/Controles.h"
#include "ihm/Proteger.h"
#include "modele/EtudeEnCours.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

FrmOuvrir::FrmOuvrir(EtudeEnCours& etude, const QStringList& etudes, QWidget* parent)
    : QDialog(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmOuvrir"));
    setWindowTitle(QStringLiteral("Ouvrir..."));

    auto* lblOuvrir = Libelle(QStringLiteral("LblOuvrir"), QStringLiteral("Etudes &enregistrées :"), this);
    lstOuvrir_ = new QListWidget(this);
    lstOuvrir_->setObjectName(QStringLiteral("LstOuvrir"));
    lstOuvrir_->setAccessibleName(QStringLiteral("Etudes enregistrées"));
    lblOuvrir->setBuddy(lstOuvrir_);
    lstOuvrir_->setMinimumSize(320, 220);

    auto* cmdOuvrir = Bouton(QStringLiteral("CmdOuvrir"), QStringLiteral("&Ouvrir"), this);
    auto* cmdSupprimer = Bouton(QStringLiteral("CmdSupprimer"), QStringLiteral("&Supprimer"), this);
    auto* cmdAnnuler = Bouton(QStringLiteral("CmdAnnuler"), QStringLiteral("&Annuler"), this);
    cmdOuvrir->setDefault(true);

    auto* principal = new QHBoxLayout(this);
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(lblOuvrir);
    gauche->addWidget(lstOuvrir_, 1);
    principal->addLayout(gauche, 1);
    auto* boutons = new QVBoxLayout;
    boutons->addSpacing(lblOuvrir->sizeHint().height());
    boutons->addWidget(cmdOuvrir);
    boutons->addWidget(cmdSupprimer);
    boutons->addStretch();
    boutons->addWidget(cmdAnnuler);
    principal->addLayout(boutons);

    RelierClic(cmdOuvrir, this, [this] { Ouvrir(); });
    RelierClic(cmdSupprimer, this, [this] { CmdSupprimer_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstOuvrir_, &QListWidget::itemDoubleClicked, this, [this] { Proteger(this, [this] { Ouvrir(); }); });

    Remplir(etudes);
    lstOuvrir_->setFocus();
}

void FrmOuvrir::Remplir(const QStringList& etudes) {
    lstOuvrir_->clear();
    lstOuvrir_->addItems(etudes);
    if (lstOuvrir_->count() > 0)
        lstOuvrir_->setCurrentRow(0);
}

void FrmOuvrir::Ouvrir() {
    const QListWidgetItem* choisie = lstOuvrir_->currentItem();
    if (!choisie || !choisie->isSelected())
        return;
    if (etude_.Bibliotheque().OuvrirEtude(choisie->text())) {
        accept();
        emit ouverte();
    }
}

void FrmOuvrir::CmdSupprimer_Click() {
    const QListWidgetItem* choisie = lstOuvrir_->currentItem();
    if (!choisie || !choisie->isSelected())
        return;
    const auto restantes = etude_.Bibliotheque().SupprimerEtudeEnregistree(choisie->text());
    if (!restantes)
        return;
    Remplir(*restantes);
    // The keyboard on the list, not on "Supprimer", which Enter would press again.
    lstOuvrir_->setFocus(Qt::OtherFocusReason);
}

} // namespace sorvel
