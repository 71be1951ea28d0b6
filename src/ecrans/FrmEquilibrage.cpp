#include "ecrans/FrmEquilibrage.h"

#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "modele/VuesEtude.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// Heading rows: the title of each column, then its unit.
constexpr int LigneTitre = 0;
constexpr int LigneUnite = 1;
constexpr int LignesEnTete = 2;
// Room for a cell's text beside what it measures, pixels.
constexpr int MargeColonne = 10;

bool Numerique(int colonne) {
    return colonne != ColonneEquilibrage::Piece && colonne != ColonneEquilibrage::Boucle &&
           colonne != ColonneEquilibrage::Alertes;
}

} // namespace

FrmEquilibrage::FrmEquilibrage(EtudeEnCours& etude, QWidget* parent) : FenetreAuxiliaire(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmEquilibrage"));
    setWindowTitle(QStringLiteral("Équilibrage [") + etude_.Nom() + QStringLiteral("]"));

    recalculee_ = etude_.RecalculerEtude();
    const bool avecPieces = recalculee_ && AvecPieces(*recalculee_);
    const std::vector<LigneEquilibrage> lignes =
        recalculee_ ? LignesEquilibrage(*recalculee_) : std::vector<LigneEquilibrage>();

    grille_ = new Grille(QStringLiteral("GrilleEquilibrage"), LignesEnTete + qMax<int>(1, static_cast<int>(lignes.size())),
                         NombreColonnesEquilibrage, LignesEnTete, 1, this);
    grille_->setAccessibleName(QStringLiteral("Équilibrage des boucles de l'étude"));
    // A table to read: no cell shows selected over its colour.
    grille_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        grille_->definirTexte(LigneTitre, c, QString::fromUtf8(TitresColonnesEquilibrage[static_cast<std::size_t>(c)]));
        grille_->definirTexte(LigneUnite, c, QString::fromUtf8(UnitesColonnesEquilibrage[static_cast<std::size_t>(c)]));
        for (int l : {LigneTitre, LigneUnite}) {
            grille_->definirCelluleCourante(l, c);
            grille_->definirAlignement(AlignementCellule::Centre);
            grille_->definirCouleurFond(Grille::CouleurInfoBulle());
            grille_->definirCouleurTexte(Grille::CouleurTexteFenetre());
            grille_->definirGras(l == LigneTitre);
            // The short heading in words.
            grille_->definirInfoBulle(QString::fromStdString(LibelleAvecUnite(c)));
        }
    }
    for (std::size_t n = 0; n < lignes.size(); ++n) {
        const int l = LignesEnTete + static_cast<int>(n);
        for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
            const CelluleEquilibrage& cellule = lignes[n][static_cast<std::size_t>(c)];
            grille_->definirTexte(l, c, QString::fromStdString(cellule.Texte));
            grille_->definirCelluleCourante(l, c);
            grille_->definirGras(cellule.Format.Gras);
            grille_->definirCouleurTexte(CouleurAffichee(cellule.Format.Couleur));
            grille_->definirInfoBulle(QString::fromStdString(cellule.InfoBulle));
            if (Numerique(c))
                grille_->definirAlignement(AlignementCellule::DroiteCentre);
        }
    }
    // Every column as wide as its widest text; the warnings take what is left.
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        grille_->resizeColumnToContents(c);
        grille_->setColumnWidth(c, grille_->columnWidth(c) + MargeColonne);
    }
    grille_->horizontalHeader()->setStretchLastSection(true);
    grille_->definirCelluleCourante(LignesEnTete, 1);

    lblPerte_ = Libelle(QStringLiteral("LblPerte"), QString(), this);
    lblTempDepartMinimale_ = Libelle(QStringLiteral("LblTempDepartMinimale"), QString(), this);
    if (recalculee_) {
        lblPerte_->setText(LignePerteEtude(*recalculee_));
        lblTempDepartMinimale_->setText(LigneTempDepartMinimale(*recalculee_));
    }
    for (QLabel* l : {lblPerte_, lblTempDepartMinimale_}) {
        QFont gras = l->font();
        gras.setBold(true);
        l->setFont(gras);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setAccessibleName(l->text());
    }

    cmdExporter_ = Bouton(QStringLiteral("CmdExporter"), QStringLiteral("E&xporter…"), this);
    cmdExporter_->setToolTip(QStringLiteral("Enregistre le tableau d'équilibrage dans un fichier CSV pour un tableur"));
    cmdExporter_->setEnabled(avecPieces);
    auto* cmdFermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);

    auto* principal = Disposition(this);
    principal->addWidget(grille_, 1);
    principal->addWidget(lblPerte_);
    principal->addWidget(lblTempDepartMinimale_);
    // The buttons stay in view below the body, whatever the room left.
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmdExporter_);
    bas->addWidget(cmdFermer);
    qobject_cast<QVBoxLayout*>(layout())->addLayout(bas);

    RelierClic(cmdFermer, this, [this] { CmdFermer_Click(); });
    RelierClic(cmdExporter_, this, [this] { CmdExporter_Click(); });
}

void FrmEquilibrage::CmdExporter_Click() {
    if (!recalculee_)
        return;
    const QString chemin = ChoisirFichierExport(this, QStringLiteral("Exporter l'équilibrage"),
                                                etude_.CheminExportPropose(etude_.Nom() + QStringLiteral(" - équilibrage.csv")));
    if (!chemin.isEmpty())
        etude_.ExporterCsvEquilibrage(chemin, *recalculee_);
}

QSize FrmEquilibrage::sizeHint() const {
    return TailleVueGrille(*this, *grille_, {lblPerte_, lblTempDepartMinimale_, cmdExporter_});
}

} // namespace sorvel
