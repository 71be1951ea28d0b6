#include "ecrans/FrmCircuits.h"

#include "commun/Nombres.h"
#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "ihm/ModAide.h"
#include "ihm/Proteger.h"
#include "modele/EtudeEnCours.h"
#include "modele/ListePieces.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <optional>

namespace sorvel {

namespace {

// The columns of the rooms list: the number, the name, then the key figures
// of the room.
struct Colonne {
    const char* Titre;
    const char* InfoBulle;
    int Twips;
    AlignementCellule Alignement;
};
constexpr int ColonneNom = 1;
constexpr std::array<Colonne, 6> Colonnes = {{
    {"N°", "", 540, AlignementCellule::Centre},
    {"Pièce", "", 2400, AlignementCellule::GaucheCentre},
    {"Surface", "Surface de la pièce", 1080, AlignementCellule::DroiteCentre},
    {"À fournir", "Chaleur que le plancher doit fournir (déperditions corrigées)", 1080,
     AlignementCellule::DroiteCentre},
    {"Boucle", "Longueur de la boucle de la zone normale (orange ou rouge : trop longue pour le tube)", 1500,
     AlignementCellule::DroiteCentre},
    {"Appoint", "Appoint nécessaire, avec le revêtement le plus défavorable", 1020,
     AlignementCellule::DroiteCentre},
}};
constexpr int NombreColonnes = static_cast<int>(Colonnes.size());
// The grid's frame and vertical scroll bar.
constexpr int MargeGrilleTwips = 400;

} // namespace

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
    grille_ = new Grille(QStringLiteral("GrilleCircuit"), PiecesMaximumEtude + 1, NombreColonnes, 1, 0, this);
    grille_->setAccessibleName(QStringLiteral("Pièces de l'étude"));
    grille_->setSelectionBehavior(QAbstractItemView::SelectRows);
    int largeur = 0;
    for (int c = 0; c < NombreColonnes; ++c) {
        const Colonne& colonne = Colonnes[static_cast<std::size_t>(c)];
        grille_->definirTexte(0, c, QString::fromUtf8(colonne.Titre));
        grille_->definirCelluleCourante(0, c);
        grille_->definirGras(true);
        grille_->definirAlignement(AlignementCellule::Centre);
        grille_->definirInfoBulle(QString::fromUtf8(colonne.InfoBulle));
        for (int l = 1; l <= PiecesMaximumEtude; ++l) {
            grille_->definirCelluleCourante(l, c);
            grille_->definirAlignement(colonne.Alignement);
        }
        grille_->definirLargeurColonneTwips(c, colonne.Twips);
        largeur += colonne.Twips;
    }
    // The names take what the figures leave.
    grille_->horizontalHeader()->setSectionResizeMode(ColonneNom, QHeaderView::Stretch);
    grille_->setMinimumSize(Grille::TwipsEnPixels(largeur + MargeGrilleTwips, grille_->logicalDpiX()),
                            grille_->verticalHeader()->defaultSectionSize() * 11);
    grille_->definirCelluleCourante(1, ColonneNom);

    auto* cmdAjouter = Bouton(QStringLiteral("CmdAjouter"), QStringLiteral("Ajouter une pièce"), this);
    auto* cmdModifier =
        Bouton(QStringLiteral("CmdModifier"), QStringLiteral("Modifier/Visionner une pièce"), this);
    auto* cmdDupliquer = Bouton(QStringLiteral("CmdDupliquer"), QStringLiteral("Dupliquer la pièce"), this);
    auto* cmdMonter = Bouton(QStringLiteral("CmdMonter"), QStringLiteral("Monter"), this);
    auto* cmdDescendre = Bouton(QStringLiteral("CmdDescendre"), QStringLiteral("Descendre"), this);
    auto* cmdSupprimer = Bouton(QStringLiteral("CmdSupprimer"), QStringLiteral("Supprimer une pièce"), this);

    auto* principal = Disposition(this);
    principal->addWidget(lblCircuit_);
    auto* centre = new QHBoxLayout;
    centre->addWidget(grille_, 1);
    auto* colonneBoutons = new QVBoxLayout;
    colonneBoutons->addWidget(cmdAjouter);
    colonneBoutons->addWidget(cmdModifier);
    colonneBoutons->addWidget(cmdDupliquer);
    auto* deplacer = new QHBoxLayout;
    deplacer->addWidget(cmdMonter);
    deplacer->addWidget(cmdDescendre);
    colonneBoutons->addLayout(deplacer);
    colonneBoutons->addWidget(cmdSupprimer);
    colonneBoutons->addStretch();
    centre->addLayout(colonneBoutons);
    principal->addLayout(centre, 1);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 1/1"), true, Avancer::Non);

    RelierClic(cmdAjouter, this, [this] { emit ajouterPiece(); });
    RelierClic(cmdModifier, this, [this] { emit modifierPiece(LigneSelectionnee()); });
    RelierClic(cmdSupprimer, this, [this] { SupprimerPiece(); });
    RelierClic(cmdDupliquer, this, [this] { DupliquerPiece(); });
    RelierClic(cmdMonter, this, [this] { MonterPiece(); });
    RelierClic(cmdDescendre, this, [this] { DescendrePiece(); });
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
        // Ctrl+Up and Ctrl+Down move the chosen room.
        if ((touche->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier &&
            (touche->key() == Qt::Key_Up || touche->key() == Qt::Key_Down)) {
            Proteger(this, [this, touche] { touche->key() == Qt::Key_Up ? MonterPiece() : DescendrePiece(); });
            return true;
        }
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
    const int courante = grille_->ligneCourante();
    const int colonne = grille_->colonneCourante();
    for (int l = 1; l < grille_->rowCount(); ++l) {
        const bool piece = l <= noms.size();
        grille_->definirTexte(l, 0, piece ? QString::fromStdString(FormatGeneral(l)) : QString());
        grille_->definirTexte(l, ColonneNom, piece ? noms[l - 1] : QString());
        // A long name cut at the column's edge is read whole in its tooltip.
        grille_->definirCelluleCourante(l, ColonneNom);
        grille_->definirInfoBulle(piece ? noms[l - 1] : QString());
    }
    grille_->definirCelluleCourante(courante, colonne);
    RemplirChiffres();
}

void FrmCircuits::RemplirChiffres() {
    const std::vector<ChiffresPiece> chiffres = etude_.Liste().Chiffres();
    const int courante = grille_->ligneCourante();
    const int colonne = grille_->colonneCourante();
    for (int l = 1; l < grille_->rowCount(); ++l) {
        const auto n = static_cast<std::size_t>(l - 1);
        const ChiffresPiece c = n < chiffres.size() ? chiffres[n] : ChiffresPiece{};
        const std::pair<QString, FormatValeur> cases[] = {
            {c.Surface, {}}, {c.Chaleur, {}}, {c.Boucle, c.FormatBoucle}, {c.Appoint, c.FormatAppoint}};
        for (int k = 0; k < static_cast<int>(std::size(cases)); ++k) {
            grille_->definirTexte(l, ColonneNom + 1 + k, cases[k].first);
            grille_->definirCelluleCourante(l, ColonneNom + 1 + k);
            grille_->definirGras(cases[k].second.Gras);
            grille_->definirCouleurTexte(CouleurAffichee(cases[k].second.Couleur));
        }
    }
    grille_->definirCelluleCourante(courante, colonne);
}

void FrmCircuits::showEvent(QShowEvent* evenement) {
    QWidget::showEvent(evenement);
    RemplirChiffres();
}

int FrmCircuits::LigneSelectionnee() const { return grille_->ligneCourante(); }

void FrmCircuits::SelectionnerLigne(int ligne) { grille_->definirCelluleCourante(ligne, ColonneNom); }

void FrmCircuits::MontrerLigne(int ligne) {
    SelectionnerLigne(ligne);
    grille_->setFocus(Qt::OtherFocusReason);
}

void FrmCircuits::DefinirLigneEtude(const QString& texte) { lblCircuit_->setText(texte); }

void FrmCircuits::SupprimerPiece() {
    if (!etude_.SupprimerPiece(LigneSelectionnee()))
        return;
    // The keyboard on the list, not on a button that Enter would press again.
    if (etude_.NombrePieces() > 0)
        SelectionnerLigne(1);
    grille_->setFocus(Qt::OtherFocusReason);
}

void FrmCircuits::DupliquerPiece() {
    if (const std::optional<int> ligne = etude_.Liste().Dupliquer(LigneSelectionnee()))
        MontrerLigne(*ligne);
}

void FrmCircuits::MonterPiece() {
    if (const std::optional<int> ligne = etude_.Liste().Monter(LigneSelectionnee()))
        MontrerLigne(*ligne);
}

void FrmCircuits::DescendrePiece() {
    if (const std::optional<int> ligne = etude_.Liste().Descendre(LigneSelectionnee()))
        MontrerLigne(*ligne);
}

void FrmCircuits::CmdPrecedent_Click() { emit precedent(); }

void FrmCircuits::CmdAnnuler_Click() {
    // A modified study is offered for storing; "Annuler" keeps it.
    if (etude_.Bibliotheque().AbandonnerEtude())
        emit quitter();
}

void FrmCircuits::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideCircuits); }

} // namespace sorvel
