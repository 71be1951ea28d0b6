#include "ecrans/FrmMateriel.h"

#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "modele/EtudeEnCours.h"
#include "modele/VuesEtude.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// Rows: the heading, the 12 quantities, one empty row, then the manifolds
// to order, apart.
constexpr int LignesGrilleMat = 1 + NombreLignesMateriel + 1;
enum ColonneMat { ColDesignation, ColValeur, ColUnite, NombreColonnesMat };
constexpr int LargeursTwips[NombreColonnesMat] = {5000, 2200, 500};
const char* const Entetes[NombreColonnesMat] = {"Désignations", "Valeurs", "Dim."};

// One line of the list at row `ligne`: the designation in bold, the value
// centred, the unit.
void EcrireLigne(Grille& grille, int ligne, const LigneMaterielAffichee& materiel) {
    grille.definirTexte(ligne, ColDesignation, materiel.Designation);
    grille.definirCelluleCourante(ligne, ColDesignation);
    grille.definirGras(true);
    grille.definirTexte(ligne, ColValeur, materiel.Valeur);
    grille.definirCelluleCourante(ligne, ColValeur);
    grille.definirAlignement(AlignementCellule::Centre);
    grille.definirTexte(ligne, ColUnite, materiel.Unite);
}

} // namespace

FrmMateriel::FrmMateriel(EtudeEnCours& etude, QWidget* parent) : FenetreAuxiliaire(parent) {
    setObjectName(QStringLiteral("FrmMateriel"));
    setWindowTitle(QStringLiteral("Matériel."));

    const auto recalculee = etude.RecalculerEtude();
    const std::vector<LigneMaterielAffichee> collecteurs =
        recalculee ? LignesMaterielCollecteurs(*recalculee) : std::vector<LigneMaterielAffichee>();
    const int lignes = LignesGrilleMat + static_cast<int>(collecteurs.size());
    grille_ = new Grille(QStringLiteral("GrilleMat"), lignes, NombreColonnesMat, 1, 0, this);
    grille_->setAccessibleName(QStringLiteral("Matériel de l'étude"));
    // A list to read: no cell shows selected.
    grille_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < NombreColonnesMat; ++c) {
        grille_->definirLargeurColonneTwips(c, LargeursTwips[c]);
        grille_->definirTexte(0, c, QString::fromUtf8(Entetes[c]));
        grille_->definirCelluleCourante(0, c);
        grille_->definirGras(true);
    }

    auto* cmdFermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);
    auto* principal = Disposition(this);
    principal->addWidget(grille_, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmdFermer);
    principal->addLayout(bas);
    RelierClic(cmdFermer, this, [this] { CmdFermer_Click(); });

    if (recalculee) {
        int ligne = 0;
        for (const LigneMaterielAffichee& materiel : LignesMaterielEtude(*recalculee))
            EcrireLigne(*grille_, ++ligne, materiel);
        // The manifolds after the empty row that sets them apart.
        ligne = LignesGrilleMat - 1;
        for (const LigneMaterielAffichee& materiel : collecteurs)
            EcrireLigne(*grille_, ++ligne, materiel);
        grille_->definirCelluleCourante(1, ColValeur);
    }

    // The widths in twips, widened when the screen's font needs more room
    // for a whole designation or heading; every row in view.
    int largeur = grille_->frameWidth() * 2;
    for (int c = 0; c < NombreColonnesMat; ++c) {
        const int voulue = grille_->columnWidth(c);
        grille_->resizeColumnToContents(c);
        grille_->setColumnWidth(c, qMax(voulue, grille_->columnWidth(c) + 8));
        largeur += grille_->columnWidth(c);
    }
    int hauteur = grille_->frameWidth() * 2;
    for (int l = 0; l < lignes; ++l)
        hauteur += grille_->rowHeight(l);
    grille_->setMinimumSize(largeur, hauteur);
    grille_->horizontalHeader()->setStretchLastSection(true);
}

} // namespace sorvel
