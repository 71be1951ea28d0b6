#include "ecrans/FrmResultats.h"

#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "ihm/ModAide.h"
#include "modele/EtudeEnCours.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace sorvel {

namespace {
// The widest value the grid shows in practice: a normal zone laid as the
// most loops, each of a long loop.
const QString ValeurLaPlusLarge = QStringLiteral("8 boucles de 888,88 m");
} // namespace

FrmResultats::FrmResultats(EtudeEnCours& etude, QWidget* parent) : QWidget(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmResultats"));
    setWindowTitle(QStringLiteral("Données de la pièce"));

    auto* lblTitre = Titre(QStringLiteral("Résultats"), this);
    // The summary on one line: the screen asks for the width of the widest
    // study line (a wrapped label would ask for some eighty characters and
    // leave the end of the line alone below it).
    lblEtude_ = Libelle(QStringLiteral("LblEtude"), QString(), this);
    ReserverLigneEtude(*lblEtude_);

    grille_ = new Grille(QStringLiteral("GrilleResult"), NombreLignesResultats, 3, 0, 2, this);
    grille_->setAccessibleName(QStringLiteral("Résultats de la pièce"));
    grille_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A grid to read: no cell is ever shown selected, not even the cells the
    // layout below makes current one after the other.
    grille_->setSelectionMode(QAbstractItemView::NoSelection);
    // It takes the keyboard, so that the arrow and page keys scroll it when
    // the window is too small for every row.
    grille_->setFocusPolicy(Qt::StrongFocus);
    // Rows as tight as reading allows: all of them in view on a 1024 x 768
    // screen.
    grille_->definirHauteurLignes(grille_->fontMetrics().height() + 3);
    // It asks for the height of all its rows; given less, it scrolls. Its
    // columns always fit its width.
    grille_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grille_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The titles and units: the same rows whatever the room.
    const auto lignes = etude_.Saisie().LignesResultats();
    for (int l = 0; l < NombreLignesResultats; ++l) {
        grille_->definirTexte(l, 0, QString::fromUtf8(lignes[l].Titre));
        grille_->definirTexte(l, 1, QString::fromUtf8(lignes[l].Unite));
        grille_->definirCelluleCourante(l, 1);
        grille_->definirAlignement(AlignementCellule::Centre);
        grille_->definirCelluleCourante(l, 2);
        grille_->definirAlignement(AlignementCellule::DroiteCentre);
    }
    // The widths in twips, widened when the screen's font needs more room
    // for a whole title or unit.
    const int largeurs[] = {LargeurTitre, LargeurUnite, LargeurValeur};
    int largeur = 0;
    for (int c = 0; c < 3; ++c) {
        grille_->definirLargeurColonneTwips(c, largeurs[c]);
        const int voulue = grille_->columnWidth(c);
        if (c < 2) {
            grille_->resizeColumnToContents(c);
            grille_->setColumnWidth(c, qMax(voulue, grille_->columnWidth(c) + 8));
        } else {
            // Room for a normal zone laid as the most loops, in bold.
            QFont gras = grille_->font();
            gras.setBold(true);
            const int boucles = QFontMetrics(gras).horizontalAdvance(ValeurLaPlusLarge) + 12;
            grille_->setColumnWidth(c, qMax(voulue, boucles));
        }
        largeur += grille_->columnWidth(c);
    }
    grille_->setMinimumSize(largeur + grille_->frameWidth() * 2 + grille_->verticalScrollBar()->sizeHint().width() + 2,
                            grille_->verticalHeader()->defaultSectionSize() * LignesVisiblesMinimum);
    // Without a scroll bar (all rows in view) the values take its room too.
    grille_->horizontalHeader()->setStretchLastSection(true);
    grille_->definirCelluleCourante(0, 2);

    auto* principal = Disposition(this);
    principal->addWidget(lblTitre);
    principal->addWidget(lblEtude_);
    principal->addWidget(grille_, 1);
    const BoutonsPage boutons = PiedDePage(principal, QStringLiteral("Page 4/4"), true, Avancer::OK);

    Relier(boutons.OK, this, &FrmResultats::cmdOK_Click);
    Relier(boutons.Precedent, this, &FrmResultats::CmdPrecedent_Click);
    Relier(boutons.Annuler, this, &FrmResultats::CmdAnnuler_Click);
    Relier(boutons.Aide, this, &FrmResultats::CmdAide_Click);
    EchapAnnule(boutons);
}

void FrmResultats::RemplirResultatsPiece() {
    lblEtude_->setText(ResumeEtude(etude_.Generales()));
    const auto lignes = etude_.Saisie().LignesResultats();
    for (int l = 0; l < NombreLignesResultats; ++l) {
        grille_->definirTexte(l, 2, QString::fromStdString(lignes[l].Valeur));
        grille_->definirCelluleCourante(l, 2);
        grille_->definirGras(lignes[l].Format.Gras);
        grille_->definirCouleurTexte(CouleurAffichee(lignes[l].Format.Couleur));
        grille_->definirInfoBulle(QString::fromStdString(lignes[l].InfoBulle));
    }
    grille_->definirCelluleCourante(0, 2);
}

void FrmResultats::cmdOK_Click() {
    if (etude_.Saisie().AccepterPiece())
        emit acceptee();
}

void FrmResultats::CmdPrecedent_Click() { emit precedent(); }

void FrmResultats::CmdAnnuler_Click() { emit annulee(); }

void FrmResultats::CmdAide_Click() { AfficherAide(CheminAide(), FenetreAide, AideResultats); }

} // namespace sorvel
