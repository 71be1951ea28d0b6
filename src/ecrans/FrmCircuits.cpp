#include "ecrans/FrmCircuits.h"

#include "commun/Nombres.h"
#include "ihm/Controles.h"
#include "ecrans/FrmD_Generales.h"
#include "ihm/Grille.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

FrmCircuits::FrmCircuits(MDIPlancher& plancher, QWidget* parent) : QWidget(parent), plancher_(plancher) {
    setObjectName(QStringLiteral("FrmCircuits"));
    setWindowTitle(QStringLiteral("Circuits."));

    lblCircuit_ = Libelle(QStringLiteral("LblCircuit"), QString(), this);
    lblCircuit_->setWordWrap(true);
    lblCircuit_->setMinimumHeight(lblCircuit_->fontMetrics().height() * 2 + 4);
    QFont gras = lblCircuit_->font();
    gras.setBold(true);
    lblCircuit_->setFont(gras);

    // Row 0 is the heading; rows 1 to 30 hold the rooms.
    grille_ = new Grille(QStringLiteral("GrilleCircuit"), PiecesMaximum + 1, 2, 1, 0, this);
    grille_->setAccessibleName(QStringLiteral("Pièces de l'étude"));
    grille_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grille_->definirTexte(0, 0, QStringLiteral("N°"));
    grille_->definirTexte(0, 1, QStringLiteral("Pièce"));
    for (int c = 0; c < 2; ++c) {
        grille_->definirCelluleCourante(0, c);
        grille_->definirGras(true);
        grille_->definirAlignement(AlignementCellule::Centre);
    }
    for (int l = 1; l <= PiecesMaximum; ++l) {
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

    RelierClic(cmdAjouter, this, [this] { plancher_.AjouterPiece(); });
    RelierClic(cmdModifier, this, [this] { plancher_.ModifierPiece(); });
    RelierClic(cmdSupprimer, this, [this] { plancher_.SupprimerPiece(); });
    connect(grille_, &Grille::doubleClic, this, [this] { Proteger(this, [this] { plancher_.ModifierPiece(); }); });
    Relier(boutons.Precedent, this, &FrmCircuits::CmdPrecedent_Click);
    Relier(boutons.Annuler, this, &FrmCircuits::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmCircuits::CmdAide_Click);
}

void FrmCircuits::ViderGrilleCircuits() {
    for (int l = 1; l < grille_->rowCount(); ++l) {
        grille_->definirTexte(l, 0, QString());
        grille_->definirTexte(l, 1, QString());
    }
}

void FrmCircuits::EcrireLigne(int n, const QString& nom) {
    grille_->definirTexte(n, 0, QString::fromStdString(FormatGeneral(n)));
    grille_->definirTexte(n, 1, nom);
}

void FrmCircuits::RemplirGrilleCircuits(const QStringList& noms) {
    ViderGrilleCircuits();
    for (int i = 0; i < noms.size() && i < PiecesMaximum; ++i)
        EcrireLigne(i + 1, noms[i]);
}

int FrmCircuits::NombrePieces() const {
    int n = 0;
    while (n < PiecesMaximum && !grille_->texte(n + 1, 1).isEmpty())
        ++n;
    return n;
}

int FrmCircuits::LigneSelectionnee() const { return grille_->ligneCourante(); }

void FrmCircuits::SelectionnerLigne(int ligne) { grille_->definirCelluleCourante(ligne, 1); }

void FrmCircuits::DefinirLigneEtude(const QString& texte) { lblCircuit_->setText(texte); }
QString FrmCircuits::LigneEtude() const { return lblCircuit_->text(); }

void FrmCircuits::CmdPrecedent_Click() { plancher_.AfficherFeuille(plancher_.Generales()); }

void FrmCircuits::CmdAnnuler_Click() {
    plancher_.NouvelleEtude();
    plancher_.AfficherFeuille(nullptr);
}

void FrmCircuits::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideCircuits); }

} // namespace sorvel
