#include "ecrans/FrmEnregistrer.h"

#include "ihm/Controles.h"
#include "ihm/Proteger.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// A text field whose whole text is selected when it gets the focus, so that
// typing replaces the name offered.
class ChampNom : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* evenement) override {
        QLineEdit::focusInEvent(evenement);
        selectAll();
        // A click that gives the focus would put the caret where it lands
        // on release; the whole text stays selected instead.
        selectionnerAuClic_ = evenement->reason() == Qt::MouseFocusReason;
    }
    void mouseReleaseEvent(QMouseEvent* evenement) override {
        QLineEdit::mouseReleaseEvent(evenement);
        if (selectionnerAuClic_) {
            selectionnerAuClic_ = false;
            if (!hasSelectedText())
                selectAll();
        }
    }

private:
    bool selectionnerAuClic_ = false;
};

} // namespace

QString FrmEnregistrer::Titre(ModeEnregistrement mode) {
    switch (mode) {
    case ModeEnregistrement::EnregistrerSous: return QStringLiteral("Enregistrer sous...");
    case ModeEnregistrement::Renommer: return QStringLiteral("Renommer l'étude...");
    case ModeEnregistrement::Enregistrer: break;
    }
    return QStringLiteral("Enregistrer...");
}

FrmEnregistrer::FrmEnregistrer(EtudeEnCours& etude, ModeEnregistrement mode, QWidget* parent)
    : QDialog(parent), etude_(etude), mode_(mode) {
    setObjectName(QStringLiteral("FrmEnregistrer"));
    setWindowTitle(Titre(mode));

    auto* lblNom = Libelle(QStringLiteral("LblEnregistrer"), QStringLiteral("&Nom de l'étude :"), this);
    txtEnregistrer_ = new ChampNom(this);
    txtEnregistrer_->setObjectName(QStringLiteral("TxtEnregistrer"));
    txtEnregistrer_->setAccessibleName(QStringLiteral("Nom de l'étude"));
    txtEnregistrer_->setMinimumWidth(320);
    lblNom->setBuddy(txtEnregistrer_);
    // The name offered is the study's own only when storing it.
    if (mode == ModeEnregistrement::Enregistrer)
        txtEnregistrer_->setText(etude_.Nom());

    auto* cmdEnregistrer =
        Bouton(QStringLiteral("CmdEnregistrer"),
               mode == ModeEnregistrement::Renommer ? QStringLiteral("Renommer") : QStringLiteral("Enregistrer"),
               this);
    auto* cmdAnnuler = Bouton(QStringLiteral("CmdAnnuler"), QStringLiteral("&Annuler"), this);
    cmdEnregistrer->setDefault(true);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(lblNom);
    principal->addWidget(txtEnregistrer_);
    principal->addSpacing(6);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmdEnregistrer);
    boutons->addWidget(cmdAnnuler);
    principal->addLayout(boutons);

    connect(txtEnregistrer_, &QLineEdit::textChanged, this, [this] { Proteger(this, [this] { NomModifie(); }); });
    RelierClic(cmdEnregistrer, this, [this] { CmdEnregistrer_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    txtEnregistrer_->setFocus();
    txtEnregistrer_->selectAll();
}

void FrmEnregistrer::NomModifie() {
    const QString texte = txtEnregistrer_->text();
    const int curseur = txtEnregistrer_->cursorPosition();
    const QString corrige = etude_.Bibliotheque().CorrigerNomSaisi(texte);
    if (corrige == texte)
        return;
    const QSignalBlocker blocage(txtEnregistrer_);
    txtEnregistrer_->setText(corrige);
    // The caret where the character was typed: at the end of the text when
    // it was typed at the end.
    txtEnregistrer_->setCursorPosition(qMax(0, curseur - static_cast<int>(texte.size() - corrige.size())));
}

void FrmEnregistrer::CmdEnregistrer_Click() {
    switch (etude_.Bibliotheque().ValiderEnregistrement(mode_, txtEnregistrer_->text())) {
    case SuiteDialogue::Fermer:
        accept();
        return;
    case SuiteDialogue::ViderNom:
        txtEnregistrer_->clear();
        break;
    case SuiteDialogue::Rester:
        break;
    }
    txtEnregistrer_->setFocus();
}

} // namespace sorvel
