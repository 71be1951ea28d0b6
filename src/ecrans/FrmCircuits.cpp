#include "ecrans/FrmCircuits.h"

#include "commun/Nombres.h"
#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "modele/EtudeEnCours.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

FrmCircuits::FrmCircuits(EtudeEnCours& etude, QWidget* parent) : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmCircuits"));
    setWindowTitle(QStringLiteral("Circuits."));

    // The summary on one line: the screen asks for the width of the widest
    // study line (a wrapped label would ask for some eighty characters and
    // leave the end of the line alone below it).
    lblCircuit_ = Libelle(QStringLiteral("LblCircuit"), QString(), this);
    QFont gras = lblCircuit_->font();
    gras.setBold(true);
    lblCircuit_->setFont(gras);
    ReserverLigneEtude(*lblCircuit_);

    // Row 0 is the heading; rows 1 to 30 hold the rooms.
    grille_ = new Grille(QStringLiteral("GrilleCircuit"), PiecesMaximumEtude + 1, 2, 1, 0, this);
    grille_->setAccessibleName(QStringLiteral("Pièces de l'étude"));
    grille_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grille_->definirTexte(0, 0, QStringLiteral("N°"));
    grille_->definirTexte(0, 1, QStringLiteral("Pièce"));
    for (int c = 0; c < 2; ++c) {
        grille_->definirCelluleCourante(0, c);
        grille_->definirGras(true);
        grille_->definirAlignement(AlignementCellule::Centre);
    }
    for (int l = 1; l <= PiecesMaximumEtude; ++l) {
        grille_->definirCelluleCourante(l, 0);
        grille_->definirAlignement(AlignementCellule::Centre);
    }
    grille_->definirLargeurColonneTwips(0, 600);
    grille_->definirLargeurColonneTwips(1, 4800);
    grille_->horizontalHeader()->setStretchLastSection(true);
    grille_->setMinimumSize(Grille::TwipsEnPixels(5800, grille_->logicalDpiX()),
                            grille_->verticalHeader()->defaultSectionSize() * 11);
    grille_->definirCelluleCourante(1, 1);

    auto* cmdAjouter = Bouton(QStringLiteral("CmdAjouter"), QStringLiteral("Ajouter une pièce"), this);
    auto* cmdModifier =
        Bouton(QStringLiteral("CmdModifier"), QStringLiteral("Modifier/Visionner une pièce"), this);
    auto* cmdSupprimer = Bouton(QStringLiteral("CmdSupprimer"), QStringLiteral("Supprimer une pièce"), this);

    auto* principal = Disposition(this);
    principal->addWidget(lblCircuit_);
    auto* centre = new QHBoxLayout;
    centre->addWidget(grille_, 1);
    auto* colonneBoutons = new QVBoxLayout;
    colonneBoutons->addWidget(cmdAjouter);
    colonneBoutons->addWidget(cmdModifier);
    colonneBoutons->addWidget(cmdSupprimer);
    colonneBoutons->addStretch();
    centre->addLayout(colonneBoutons);
    principal->addLayout(centre, 1);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 1/1"), true, Avancer::Non);

    RelierClic(cmdAjouter, this, [this] { emit ajouterPiece(); });
    RelierClic(cmdModifier, this, [this] { emit modifierPiece(LigneSelectionnee()); });
    RelierClic(cmdSupprimer, this, [this] { SupprimerPiece(); });
    connect(grille_, &Grille::doubleClic, this,
            [this] { Proteger(this, [this] { emit modifierPiece(LigneSelectionnee()); }); });
    Relier(boutons.Precedent, this, &FrmCircuits::CmdPrecedent_Click);
    Relier(boutons.Annuler, this, &FrmCircuits::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmCircuits::CmdAide_Click);

    connect(&etude_, &EtudeEnCours::PiecesChangees, this, &FrmCircuits::RemplirGrilleCircuits);
    RemplirGrilleCircuits();
    grille_->installEventFilter(this);
}

bool FrmCircuits::eventFilter(QObject* objet, QEvent* evenement) {
    // The keys of a list: Enter opens the chosen room (as a double click
    // does), Insert adds one, Delete deletes the chosen one (after the
    // study's question).
    if (objet == grille_ && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if ((touche->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            switch (touche->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                Proteger(this, [this] { emit modifierPiece(LigneSelectionnee()); });
                return true;
            case Qt::Key_Insert:
                Proteger(this, [this] { emit ajouterPiece(); });
                return true;
            case Qt::Key_Delete:
                Proteger(this, [this] { SupprimerPiece(); });
                return true;
            default:
                break;
            }
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

void FrmCircuits::RemplirGrilleCircuits() {
    const QStringList noms = etude_.NomsPieces();
    for (int l = 1; l < grille_->rowCount(); ++l) {
        const bool piece = l <= noms.size();
        grille_->definirTexte(l, 0, piece ? QString::fromStdString(FormatGeneral(l)) : QString());
        grille_->definirTexte(l, 1, piece ? noms[l - 1] : QString());
    }
}

int FrmCircuits::LigneSelectionnee() const { return grille_->ligneCourante(); }

void FrmCircuits::SelectionnerLigne(int ligne) { grille_->definirCelluleCourante(ligne, 1); }

void FrmCircuits::DefinirLigneEtude(const QString& texte) { lblCircuit_->setText(texte); }

void FrmCircuits::SupprimerPiece() {
    if (etude_.SupprimerPiece(LigneSelectionnee()) && etude_.NombrePieces() > 0)
        SelectionnerLigne(1);
}

void FrmCircuits::CmdPrecedent_Click() { emit precedent(); }

void FrmCircuits::CmdAnnuler_Click() {
    etude_.NouvelleEtude();
    emit quitter();
}

void FrmCircuits::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideCircuits); }

} // namespace sorvel
