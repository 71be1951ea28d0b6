#include "ecrans/FrmEquilibrage.h"

#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "modele/VuesEtude.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <functional>

namespace sorvel {

namespace {

bool Numerique(int colonne) {
    return colonne != ColonneEquilibrage::Piece && colonne != ColonneEquilibrage::Boucle &&
           colonne != ColonneEquilibrage::Alertes;
}

// The grid of the balancing rows `lignes`, under its two heading rows.
Grille* CreerGrille(const std::vector<LigneEquilibrage>& lignes, QWidget* parent) {
    auto* grille = new Grille(QStringLiteral("GrilleEquilibrage"),
                              LignesEnTete + qMax<int>(1, static_cast<int>(lignes.size())), NombreColonnesEquilibrage,
                              LignesEnTete, 1, parent);
    grille->setAccessibleName(QStringLiteral("Équilibrage des boucles de l'étude"));
    // A table to read: no cell shows selected over its colour.
    grille->setSelectionMode(QAbstractItemView::NoSelection);
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        grille->definirTexte(LigneTitre, c, QString::fromUtf8(TitresColonnesEquilibrage[static_cast<std::size_t>(c)]));
        grille->definirTexte(LigneUnite, c, QString::fromUtf8(UnitesColonnesEquilibrage[static_cast<std::size_t>(c)]));
        for (int l : {LigneTitre, LigneUnite}) {
            grille->definirCelluleCourante(l, c);
            grille->definirAlignement(AlignementCellule::Centre);
            grille->definirCouleurFond(Grille::CouleurInfoBulle());
            grille->definirCouleurTexte(Grille::CouleurTexteFenetre());
            grille->definirGras(l == LigneTitre);
            // The short heading in words.
            grille->definirInfoBulle(QString::fromStdString(LibelleAvecUnite(c)));
        }
    }
    for (std::size_t n = 0; n < lignes.size(); ++n) {
        const int l = LignesEnTete + static_cast<int>(n);
        for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
            const CelluleEquilibrage& cellule = lignes[n][static_cast<std::size_t>(c)];
            grille->definirTexte(l, c, QString::fromStdString(cellule.Texte));
            grille->definirCelluleCourante(l, c);
            grille->definirGras(cellule.Format.Gras);
            grille->definirCouleurTexte(CouleurAffichee(cellule.Format.Couleur));
            grille->definirInfoBulle(QString::fromStdString(cellule.InfoBulle));
            if (Numerique(c))
                grille->definirAlignement(AlignementCellule::DroiteCentre);
        }
    }
    grille->definirCelluleCourante(LignesEnTete, 1);
    return grille;
}

// Over the warnings of loop row `n`: those that only warn, then the advice
// to lay the zone as more loops as a button that does it (`partager`).
void PlacerConseil(Grille& grille, std::size_t n, const ReglageBoucle& b, const CelluleEquilibrage& alertes,
                   const std::function<void()>& partager) {
    const QString conseil = QStringLiteral("trop longue : %1 boucles").arg(b.BouclesConseillees);
    QString autres = QString::fromStdString(alertes.Texte);
    autres.chop(conseil.size());
    if (autres.endsWith(QLatin1String(", ")))
        autres.chop(2);
    auto* cellule = new QWidget;
    cellule->setAutoFillBackground(true);
    auto* rangee = new QHBoxLayout(cellule);
    rangee->setContentsMargins(2, 0, 2, 0);
    rangee->setSpacing(4);
    if (!autres.isEmpty()) {
        auto* lbl = new QLabel(autres + QLatin1Char(','), cellule);
        lbl->setObjectName(QStringLiteral("LblAlertes_%1").arg(n + 1));
        QPalette palette = lbl->palette();
        palette.setColor(QPalette::WindowText, CouleurAffichee(alertes.Format.Couleur));
        lbl->setPalette(palette);
        rangee->addWidget(lbl);
    }
    auto* bouton = Bouton(QStringLiteral("CmdPartager_%1").arg(n + 1), conseil, cellule);
    bouton->setAccessibleName(conseil);
    bouton->setToolTip(QString::fromStdString(alertes.InfoBulle) +
                       QStringLiteral("\nUn clic partage la zone normale de « %1 » en %2 boucles égales.")
                           .arg(QString::fromStdString(b.NomPiece))
                           .arg(b.BouclesConseillees));
    QPalette palette = bouton->palette();
    palette.setColor(QPalette::ButtonText, CouleurAffichee(alertes.Format.Couleur));
    bouton->setPalette(palette);
    rangee->addWidget(bouton);
    rangee->addStretch();
    RelierClic(bouton, &grille, partager);
    grille.setCellWidget(LignesEnTete + static_cast<int>(n), ColonneEquilibrage::Alertes, cellule);
}

// Every column as wide as its widest text, or advice; the warnings take what is left.
void AjusterColonnes(Grille& grille) {
    for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
        grille.resizeColumnToContents(c);
        grille.setColumnWidth(c, grille.columnWidth(c) + MargeColonne);
    }
    for (int l = LignesEnTete; l < grille.rowCount(); ++l)
        if (QWidget* w = grille.cellWidget(l, ColonneEquilibrage::Alertes)) {
            grille.setColumnWidth(ColonneEquilibrage::Alertes,
                                  qMax(grille.columnWidth(ColonneEquilibrage::Alertes), w->sizeHint().width()));
            grille.setRowHeight(l, qMax(grille.rowHeight(l), w->sizeHint().height()));
        }
    grille.horizontalHeader()->setStretchLastSection(true);
}

} // namespace

FrmEquilibrage::FrmEquilibrage(EtudeEnCours& etude, QWidget* parent) : FenetreAuxiliaire(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmEquilibrage"));
    setWindowTitle(QStringLiteral("Équilibrage [") + etude_.Nom() + QStringLiteral("]"));

    lblPerte_ = Libelle(QStringLiteral("LblPerte"), QString(), this);
    lblTempDepartMinimale_ = Libelle(QStringLiteral("LblTempDepartMinimale"), QString(), this);
    for (QLabel* l : {lblPerte_, lblTempDepartMinimale_}) {
        QFont gras = l->font();
        gras.setBold(true);
        l->setFont(gras);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    cmdExporter_ = Bouton(QStringLiteral("CmdExporter"), QStringLiteral("E&xporter…"), this);
    cmdExporter_->setToolTip(QStringLiteral("Enregistre le tableau d'équilibrage dans un fichier CSV pour un tableur"));
    auto* cmdFermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);

    corps_ = Disposition(this);
    corps_->addWidget(lblPerte_);
    corps_->addWidget(lblTempDepartMinimale_);
    // The buttons stay in view below the body, whatever the room left.
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmdExporter_);
    bas->addWidget(cmdFermer);
    qobject_cast<QVBoxLayout*>(layout())->addLayout(bas);

    RelierClic(cmdFermer, this, [this] { CmdFermer_Click(); });
    RelierClic(cmdExporter_, this, [this] { CmdExporter_Click(); });
    Actualiser();
}

void FrmEquilibrage::Actualiser() {
    recalculee_ = etude_.RecalculerEtude();
    const std::vector<ReglageBoucle> boucles =
        recalculee_ ? recalculee_->Equilibrage.Boucles : std::vector<ReglageBoucle>();
    const std::vector<LigneEquilibrage> lignes =
        recalculee_ ? LignesEquilibrage(*recalculee_) : std::vector<LigneEquilibrage>();

    Grille* grille = CreerGrille(lignes, this);
    for (std::size_t n = 0; n < boucles.size() && n < lignes.size(); ++n)
        if (boucles[n].Boucle == TypeBoucle::Normale && boucles[n].AlerteLongueur)
            PlacerConseil(*grille, n, boucles[n], lignes[n][ColonneEquilibrage::Alertes],
                          [this, n] { CmdPartager_Click(n); });
    AjusterColonnes(*grille);
    // The grid heads the body; one shown before gives way.
    if (grille_) {
        delete corps_->replaceWidget(grille_, grille);
        grille_->hide();
        grille_->deleteLater();
    } else {
        corps_->insertWidget(0, grille, 1);
    }
    grille_ = grille;

    lblPerte_->setText(recalculee_ ? LignePerteEtude(*recalculee_) : QString());
    lblTempDepartMinimale_->setText(recalculee_ ? LigneTempDepartMinimale(*recalculee_) : QString());
    for (QLabel* l : {lblPerte_, lblTempDepartMinimale_})
        l->setAccessibleName(l->text());
    cmdExporter_->setEnabled(recalculee_ && AvecPieces(*recalculee_));
}

void FrmEquilibrage::CmdPartager_Click(std::size_t ligne) {
    if (!recalculee_ || ligne >= recalculee_->Equilibrage.Boucles.size())
        return;
    const ReglageBoucle& b = recalculee_->Equilibrage.Boucles[ligne];
    // Refused (and told by the study) beyond the most loops a room takes,
    // or while the room is open on the room screens.
    if (etude_.Saisie().PartagerZoneNormale(b.Piece, b.BouclesConseillees))
        Actualiser();
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
