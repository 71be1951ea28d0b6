#include "ecrans/FrmCollecteurs.h"

#include "ecrans/VuesCommunes.h"
#include "ihm/ChampNumerique.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "modele/VuesEtude.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <array>

namespace sorvel {

namespace {

// The rows of the manifolds grid kept in view before it scrolls.
constexpr int CollecteursEnVue = 4;
// "Collecteur de la pièce": the first item leaves the choice to the study.
const QString Automatique = QStringLiteral("Automatique");

// A grid named `nom` under two heading rows (the columns `colonnes`, their
// units below, their headings in words as tooltips), one row per line of
// `lignes` (at least one, empty), its first `fixes` columns fixed.
template <std::size_t N>
Grille* CreerGrille(const QString& nom, const QString& description, const std::array<ColonnePresentee, N>& colonnes,
                    const std::vector<std::array<CelluleEquilibrage, N>>& lignes, int fixes, QWidget* parent) {
    const int n = static_cast<int>(lignes.size());
    auto* grille = new Grille(nom, LignesEnTete + qMax(1, n), static_cast<int>(N), LignesEnTete, fixes, parent);
    grille->setAccessibleName(description);
    for (int c = 0; c < static_cast<int>(N); ++c) {
        const ColonnePresentee& colonne = colonnes[static_cast<std::size_t>(c)];
        grille->definirTexte(LigneTitre, c, QString::fromUtf8(colonne.Titre));
        grille->definirTexte(LigneUnite, c, QString::fromUtf8(colonne.Unite));
        for (int l : {LigneTitre, LigneUnite}) {
            grille->definirCelluleCourante(l, c);
            grille->definirAlignement(AlignementCellule::Centre);
            grille->definirCouleurFond(Grille::CouleurInfoBulle());
            grille->definirCouleurTexte(Grille::CouleurTexteFenetre());
            grille->definirGras(l == LigneTitre);
            grille->definirInfoBulle(QString::fromStdString(LibelleAvecUnite(colonne)));
        }
    }
    for (int l = 0; l < n; ++l)
        for (int c = 0; c < static_cast<int>(N); ++c) {
            const CelluleEquilibrage& cellule = lignes[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)];
            grille->definirTexte(LignesEnTete + l, c, QString::fromStdString(cellule.Texte));
            grille->definirCelluleCourante(LignesEnTete + l, c);
            grille->definirGras(cellule.Format.Gras);
            grille->definirCouleurTexte(CouleurAffichee(cellule.Format.Couleur));
            grille->definirInfoBulle(QString::fromStdString(cellule.InfoBulle));
            // Figures to the right; names, loops and warnings to the left.
            if (!QString::fromStdString(cellule.Texte).isEmpty() && cellule.Texte.front() >= '0' &&
                cellule.Texte.front() <= '9')
                grille->definirAlignement(AlignementCellule::DroiteCentre);
        }
    for (int c = 0; c < static_cast<int>(N); ++c) {
        grille->resizeColumnToContents(c);
        grille->setColumnWidth(c, grille->columnWidth(c) + MargeColonne);
    }
    grille->horizontalHeader()->setStretchLastSection(true);
    return grille;
}

// `ancienne`, in its place in `disposition`, gives way to `nouvelle`.
void Remplacer(QLayout* disposition, Grille*& ancienne, Grille* nouvelle) {
    if (ancienne) {
        delete disposition->replaceWidget(ancienne, nouvelle);
        ancienne->hide();
        ancienne->deleteLater();
    }
    ancienne = nouvelle;
}

// The row of a manifold known only by its definition, when the study
// cannot be recalculated.
LigneCollecteur LigneSansFigures(const Collecteur& c) {
    LigneCollecteur l;
    l[ColonneCollecteur::Nom].Texte = c.Nom;
    l[ColonneCollecteur::Sorties].Texte = std::to_string(c.Sorties);
    l[ColonneCollecteur::PerteCollecteur].Texte = TexteArrondi(c.PerteCollecteur);
    return l;
}

} // namespace

QGroupBox* FrmCollecteurs::CadreCollecteur() {
    auto* cdrCollecteur = new QGroupBox(QStringLiteral("Collecteur choisi"), this);
    cdrCollecteur->setObjectName(QStringLiteral("CdrCollecteur"));
    auto* lblNom = Libelle(QStringLiteral("LblNom"), QStringLiteral("Nom"), cdrCollecteur);
    txtNom_ = new QLineEdit(cdrCollecteur);
    txtNom_->setObjectName(QStringLiteral("TxtNom"));
    txtNom_->setAccessibleName(lblNom->text());
    auto* lblSortiesCollecteur = Libelle(QStringLiteral("LblNombreSorties"), QStringLiteral("Sorties"), cdrCollecteur);
    cmbSorties_ = Liste(QStringLiteral("CmbSorties"), lblSortiesCollecteur->text(),
                        Entiers(1, SortiesCollecteurMaximum), cdrCollecteur);
    cmbSorties_->setFixedWidth(70);
    auto* lblPerte = Libelle(QStringLiteral("LblPerteCollecteur"), QStringLiteral("Perte propre"), cdrCollecteur);
    txtPerteCollecteur_ = ChampNombre(QStringLiteral("TxtPerteCollecteur"), lblPerte->text(), cdrCollecteur, 70);
    auto* cmdAppliquer = Bouton(QStringLiteral("CmdAppliquer"), QStringLiteral("A&ppliquer"), cdrCollecteur);
    auto* cmdAjouter = Bouton(QStringLiteral("CmdAjouter"), QStringLiteral("A&jouter un collecteur"), cdrCollecteur);
    cmdSupprimer_ = Bouton(QStringLiteral("CmdSupprimer"), QStringLiteral("Supp&rimer"), cdrCollecteur);
    auto* formeCollecteur = new QGridLayout(cdrCollecteur);
    LigneChamp(formeCollecteur, 0, lblNom, txtNom_, QString());
    LigneChamp(formeCollecteur, 1, lblSortiesCollecteur, cmbSorties_, QString());
    LigneChamp(formeCollecteur, 2, lblPerte, txtPerteCollecteur_, QStringLiteral("mmCE"),
               QStringLiteral("LblUnitePerte"));
    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {cmdAppliquer, cmdAjouter, cmdSupprimer_})
        boutons->addWidget(b);
    formeCollecteur->addLayout(boutons, 3, 0, 1, 3);

    RelierClic(cmdAppliquer, this, [this] { CmdAppliquer_Click(); });
    RelierClic(cmdAjouter, this, [this] { CmdAjouter_Click(); });
    RelierClic(cmdSupprimer_, this, [this] { CmdSupprimer_Click(); });
    return cdrCollecteur;
}

QGroupBox* FrmCollecteurs::CadrePiece() {
    auto* cdrPiece = new QGroupBox(QStringLiteral("Collecteur d'une pièce"), this);
    cdrPiece->setObjectName(QStringLiteral("CdrPiece"));
    auto* lblPiece = Libelle(QStringLiteral("LblPiece"), QStringLiteral("Pièce"), cdrPiece);
    cmbPiece_ = Liste(QStringLiteral("CmbPiece"), lblPiece->text(), {}, cdrPiece);
    auto* lblCollecteurPiece = Libelle(QStringLiteral("LblCollecteurPiece"), QStringLiteral("Collecteur"), cdrPiece);
    cmbCollecteurPiece_ = Liste(QStringLiteral("CmbCollecteurPiece"), QStringLiteral("Collecteur de la pièce"), {},
                                cdrPiece);
    cmbCollecteurPiece_->setToolTip(QStringLiteral("« Automatique » : les pièces remplissent les collecteurs dans "
                                                   "leur ordre, tant que leurs boucles tiennent sur les sorties."));
    auto* formePiece = new QGridLayout(cdrPiece);
    LigneChamp(formePiece, 0, lblPiece, cmbPiece_, QString());
    LigneChamp(formePiece, 1, lblCollecteurPiece, cmbCollecteurPiece_, QString());
    formePiece->setRowStretch(2, 1);
    connect(cmbPiece_, &QComboBox::currentIndexChanged, this, [this] { AfficherCollecteurPiece(); });
    connect(cmbCollecteurPiece_, &QComboBox::activated, this,
            [this] { Proteger(this, [this] { CmbCollecteurPiece_Click(); }); });
    return cdrPiece;
}

FrmCollecteurs::FrmCollecteurs(EtudeEnCours& etude, QWidget* parent) : FenetreAuxiliaire(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmCollecteurs"));
    setWindowTitle(QStringLiteral("Collecteurs [") + etude_.Nom() + QStringLiteral("]"));

    QGroupBox* cdrCollecteur = CadreCollecteur();
    QGroupBox* cdrPiece = CadrePiece();

    lblSorties_ = Libelle(QStringLiteral("LblSorties"), QString(), this);
    QFont gras = lblSorties_->font();
    gras.setBold(true);
    lblSorties_->setFont(gras);
    cmdFermer_ = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);

    corps_ = Disposition(this);
    cadres_ = new QWidget(this);
    cadres_->setObjectName(QStringLiteral("CadresChoix"));
    auto* choix = new QHBoxLayout(cadres_);
    choix->setContentsMargins(0, 0, 0, 0);
    choix->addWidget(cdrCollecteur);
    choix->addWidget(cdrPiece, 1);
    corps_->addWidget(cadres_);
    corps_->addWidget(lblSorties_);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmdFermer_);
    qobject_cast<QVBoxLayout*>(layout())->addLayout(bas);

    RelierClic(cmdFermer_, this, [this] { CmdFermer_Click(); });
    Actualiser();
}

int FrmCollecteurs::NombreCollecteurs() const {
    const std::size_t calcules = recalculee_ ? recalculee_->Collecteurs.size() : 0;
    return static_cast<int>(qMax(calcules, liste_.size()));
}

void FrmCollecteurs::Actualiser() {
    liste_ = etude_.Collecteurs();
    recalculee_ = etude_.RecalculerEtude();
    choix_.clear();
    if (const auto pieces = etude_.Pieces())
        for (const Piece& p : *pieces)
            choix_.push_back(p.Collecteur);
    collecteur_ = qBound(1, collecteur_, NombreCollecteurs());
    RemplirCollecteurs();
    RemplirChoix();
    RemplirSorties();
    RemplirPieces();
}

void FrmCollecteurs::RemplirCollecteurs() {
    std::vector<LigneCollecteur> lignes;
    if (recalculee_)
        for (const CollecteurAffiche& c : LignesCollecteurs(*recalculee_))
            lignes.push_back(c.Ligne);
    else
        for (const Collecteur& c : liste_)
            lignes.push_back(LigneSansFigures(c));
    Grille* grille = CreerGrille(QStringLiteral("GrilleCollecteurs"), QStringLiteral("Collecteurs de l'étude"),
                                 ColonnesCollecteurs, lignes, 1, this);
    // A manifold is chosen by its row.
    grille->setSelectionBehavior(QAbstractItemView::SelectRows);
    int hauteur = grille->frameWidth() * 2 + grille->horizontalScrollBar()->sizeHint().height();
    for (int l = 0; l < qMin(grille->rowCount(), LignesEnTete + CollecteursEnVue); ++l)
        hauteur += grille->rowHeight(l);
    grille->setFixedHeight(hauteur);
    grille->definirCelluleCourante(LignesEnTete + collecteur_ - 1, 0);
    grille->selectRow(LignesEnTete + collecteur_ - 1);
    connect(grille, &QTableWidget::currentCellChanged, this, [this](int ligne) {
        if (ligne >= LignesEnTete && ligne - LignesEnTete + 1 != collecteur_)
            ChoisirCollecteur(ligne - LignesEnTete + 1);
    });
    if (!grilleCollecteurs_)
        corps_->insertWidget(0, grille);
    Remplacer(corps_, grilleCollecteurs_, grille);
}

void FrmCollecteurs::ChoisirCollecteur(int k) {
    if (k < 1 || k > NombreCollecteurs())
        return;
    collecteur_ = k;
    if (grilleCollecteurs_->ligneCourante() != LignesEnTete + k - 1) {
        grilleCollecteurs_->definirCelluleCourante(LignesEnTete + k - 1, 0);
        grilleCollecteurs_->selectRow(LignesEnTete + k - 1);
    }
    RemplirChoix();
    RemplirSorties();
}

void FrmCollecteurs::RemplirChoix() {
    const auto k = static_cast<std::size_t>(collecteur_ - 1);
    const Collecteur c = k < liste_.size() ? liste_[k]
                         : recalculee_ && k < recalculee_->Collecteurs.size() ? recalculee_->Collecteurs[k].Definition
                                                                               : Collecteur{};
    txtNom_->setText(QString::fromStdString(c.Nom));
    ChoisirTexte(cmbSorties_, QString::number(c.Sorties));
    txtPerteCollecteur_->definirValeur(c.PerteCollecteur);
    // Only a manifold of the study's list can leave it; the one the study
    // adds to take more loops goes when they fit elsewhere.
    cmdSupprimer_->setEnabled(k < liste_.size() && liste_.size() > 1);
}

void FrmCollecteurs::RemplirSorties() {
    std::vector<LigneSortie> lignes;
    const auto k = static_cast<std::size_t>(collecteur_ - 1);
    QString nom;
    if (recalculee_ && k < recalculee_->Collecteurs.size()) {
        lignes = LignesCollecteurs(*recalculee_)[k].Sorties;
        nom = QString::fromStdString(recalculee_->Collecteurs[k].Definition.Nom);
    } else if (k < liste_.size()) {
        nom = QString::fromStdString(liste_[k].Nom);
    }
    lblSorties_->setText(lignes.empty() ? QStringLiteral("Aucune boucle sur le collecteur « %1 »").arg(nom)
                                        : QStringLiteral("Sorties du collecteur « %1 »").arg(nom));
    lblSorties_->setAccessibleName(lblSorties_->text());
    Grille* grille = CreerGrille(QStringLiteral("GrilleSorties"), QStringLiteral("Sorties du collecteur choisi"),
                                 ColonnesSorties, lignes, 0, this);
    // A table to read: no cell shows selected over its colour.
    grille->setSelectionMode(QAbstractItemView::NoSelection);
    grille->clearSelection();
    grille->definirCelluleCourante(LignesEnTete, 0);
    // The room of an outlet clicked is the one whose manifold is offered.
    connect(grille, &QTableWidget::currentCellChanged, this, [this](int ligne) {
        const auto n = static_cast<std::size_t>(ligne - LignesEnTete);
        const auto c = static_cast<std::size_t>(collecteur_ - 1);
        if (ligne >= LignesEnTete && recalculee_ && c < recalculee_->Collecteurs.size() &&
            n < recalculee_->Collecteurs[c].Boucles.size())
            cmbPiece_->setCurrentIndex(recalculee_->Collecteurs[c].Boucles[n].Boucle.Piece - 1);
    });
    if (!grilleSorties_)
        corps_->insertWidget(corps_->indexOf(lblSorties_) + 1, grille, 1);
    Remplacer(corps_, grilleSorties_, grille);
}

void FrmCollecteurs::RemplirPieces() {
    const int choisie = cmbPiece_->currentIndex();
    {
        const QSignalBlocker bloque(cmbPiece_);
        cmbPiece_->clear();
        cmbPiece_->addItems(etude_.NomsPieces());
        cmbPiece_->setCurrentIndex(qMin(qMax(choisie, 0), cmbPiece_->count() - 1));
    }
    const QSignalBlocker bloque(cmbCollecteurPiece_);
    cmbCollecteurPiece_->clear();
    cmbCollecteurPiece_->addItem(Automatique);
    for (int k = 1; k <= NombreCollecteurs(); ++k)
        cmbCollecteurPiece_->addItem(grilleCollecteurs_->texte(LignesEnTete + k - 1, ColonneCollecteur::Nom));
    AfficherCollecteurPiece();
}

void FrmCollecteurs::AfficherCollecteurPiece() {
    const auto n = static_cast<std::size_t>(cmbPiece_->currentIndex());
    const QSignalBlocker bloque(cmbCollecteurPiece_);
    cmbCollecteurPiece_->setEnabled(n < choix_.size());
    cmbCollecteurPiece_->setCurrentIndex(n < choix_.size() ? choix_[n].value_or(0) : -1);
}

void FrmCollecteurs::CmbCollecteurPiece_Click() {
    const int piece = cmbPiece_->currentIndex() + 1;
    const int k = cmbCollecteurPiece_->currentIndex();
    if (piece < 1 || k < 0)
        return;
    etude_.AffecterCollecteur(piece, k == 0 ? std::nullopt : std::optional(k));
    // Refused or not, the window shows what the study holds.
    Actualiser();
}

void FrmCollecteurs::CmdAppliquer_Click() {
    // A manifold the study added to take more loops joins its list first.
    while (static_cast<int>(etude_.Collecteurs().size()) < collecteur_)
        if (!etude_.AjouterCollecteur())
            return;
    const Collecteur modifie{.Nom = txtNom_->text().toStdString(),
                             .Sorties = EntierChoisi(cmbSorties_).value_or(0),
                             .PerteCollecteur = txtPerteCollecteur_->valeur().value_or(0.0)};
    etude_.ModifierCollecteur(collecteur_, modifie);
    Actualiser();
}

void FrmCollecteurs::CmdAjouter_Click() {
    if (etude_.AjouterCollecteur()) {
        collecteur_ = static_cast<int>(etude_.Collecteurs().size());
        Actualiser();
    }
}

void FrmCollecteurs::CmdSupprimer_Click() {
    if (etude_.SupprimerCollecteur(collecteur_))
        Actualiser();
}

QSize FrmCollecteurs::sizeHint() const {
    QSize taille = TailleVueGrille(*this, *grilleSorties_, {cadres_, lblSorties_, cmdFermer_});
    taille.rheight() += grilleCollecteurs_->height() + corps_->spacing();
    const int largeurs[] = {TailleGrilleEntiere(*grilleCollecteurs_).width(), cadres_->sizeHint().width()};
    for (int largeur : largeurs)
        taille.setWidth(qMax(taille.width(), largeur + layout()->contentsMargins().left() +
                                                 layout()->contentsMargins().right()));
    return taille;
}


} // namespace sorvel
