#include "ecrans/FrmRecap.h"

#include "ecrans/VuesCommunes.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"
#include "modele/VuesEtude.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvel {

namespace {

// Grid rows: three heading rows, up to 30 rooms, one empty row, the totals.
constexpr int LignesGrilleRecap = LignesEnTeteRecapitulatif + PiecesMaximumEtude + 2;
constexpr int LargeurDesignationTwips = 2000;
constexpr int LargeurColonneTwips = 1600;

// Writes one cell of a room or of the totals with its format.
void EcrireCellule(Grille& grille, int ligne, int colonne, const CelluleRecapitulatif& cellule) {
    grille.definirTexte(ligne, colonne, QString::fromStdString(cellule.Texte));
    grille.definirCelluleCourante(ligne, colonne);
    grille.definirGras(cellule.Format.Gras);
    grille.definirCouleurTexte(CouleurAffichee(cellule.Format.Couleur));
    if (cellule.Fond != FondCellule::Aucun) {
        const auto rvb = Rvb(cellule.Fond);
        grille.definirCouleurFond(QColor(rvb[0], rvb[1], rvb[2]));
    }
    grille.definirInfoBulle(QString::fromStdString(cellule.InfoBulle));
}

// The legend with each colour's name in its colour.
QString LegendeRiche(const std::vector<SegmentLegende>& legende) {
    QString html;
    for (const SegmentLegende& s : legende) {
        QString texte = QString::fromStdString(s.Texte).toHtmlEscaped();
        if (s.Couleur != CouleurValeur::TexteFenetre)
            texte = QStringLiteral("<span style=\"color:%1\">%2</span>").arg(CouleurAffichee(s.Couleur).name(), texte);
        html += s.Gras ? QStringLiteral("<b>") + texte + QStringLiteral("</b>") : texte;
    }
    return html;
}

QString LegendeSimple(const std::vector<SegmentLegende>& legende) {
    QString texte;
    for (const SegmentLegende& s : legende)
        texte += QString::fromStdString(s.Texte);
    return texte;
}

} // namespace

FrmRecap::FrmRecap(EtudeEnCours& etude, QWidget* parent) : FenetreAuxiliaire(parent), etude_(etude) {
    setObjectName(QStringLiteral("FrmRecap"));
    setWindowTitle(QStringLiteral("Récapitulatif"));

    grille_ = new Grille(QStringLiteral("GrilleRecap"), LignesGrilleRecap, NombreColonnesEtude,
                         LignesEnTeteRecapitulatif, 1, this);
    grille_->setAccessibleName(QStringLiteral("Récapitulatif de l'étude"));
    // A table to read: no cell shows selected over its colour.
    grille_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        const int c = ColonneGrille(k);
        grille_->definirLargeurColonneTwips(c, c == 0 ? LargeurDesignationTwips : LargeurColonneTwips);
        grille_->definirTexte(LigneGrilleNumero, c, QString::number(k));
        grille_->definirTexte(LigneGrilleTitre, c, QString::fromUtf8(TitresColonnesEtude[static_cast<std::size_t>(k - 1)]));
        grille_->definirTexte(LigneGrilleUnite, c, QString::fromUtf8(UnitesColonnesEtude[static_cast<std::size_t>(k - 1)]));
        for (int l : {LigneGrilleNumero, LigneGrilleTitre, LigneGrilleUnite}) {
            grille_->definirCelluleCourante(l, c);
            grille_->definirAlignement(AlignementCellule::Centre);
            grille_->definirCouleurFond(Grille::CouleurInfoBulle());
            grille_->definirCouleurTexte(Grille::CouleurTexteFenetre());
            grille_->definirGras(l == LigneGrilleNumero);
        }
    }
    grille_->definirCelluleCourante(LigneGrillePiece(1), 1);

    lblRecap_ = Libelle(QStringLiteral("LblRecap"), QString(), this);
    lblPerte_ = Libelle(QStringLiteral("LblPerte"), QString(), this);
    // Apart from the 41 columns: it comes from recalculating the whole study
    // at every supply temperature.
    lblTempDepartMinimale_ = Libelle(QStringLiteral("LblTempDepartMinimale"), QString(), this);
    for (QLabel* l : {lblRecap_, lblPerte_, lblTempDepartMinimale_}) {
        QFont gras = l->font();
        gras.setBold(true);
        l->setFont(gras);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // What the colours of the table mean; each coloured value says more in
    // its tooltip.
    lblLegende_ = Libelle(QStringLiteral("LblLegende"), QString(), this);
    lblLegende_->setTextFormat(Qt::RichText);
    lblLegende_->setWordWrap(true);
    cmdExporter_ = Bouton(QStringLiteral("CmdExporter"), QStringLiteral("E&xporter…"), this);
    cmdExporter_->setToolTip(QStringLiteral("Enregistre le récapitulatif, la liste du matériel et l'équilibrage dans un fichier "
                                            "CSV pour un tableur"));
    cmdExporter_->setEnabled(false);
    auto* cmdFermer = Bouton(QStringLiteral("CmdFermer"), QStringLiteral("Fermer"), this);

    auto* principal = Disposition(this);
    principal->addWidget(grille_, 1);
    principal->addWidget(lblLegende_);
    principal->addWidget(lblRecap_);
    principal->addWidget(lblPerte_);
    principal->addWidget(lblTempDepartMinimale_);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmdExporter_);
    bas->addWidget(cmdFermer);
    principal->addLayout(bas);

    RelierClic(cmdFermer, this, [this] { CmdFermer_Click(); });
    RelierClic(cmdExporter_, this, [this] { CmdExporter_Click(); });
    connect(grille_, &Grille::doubleClic, this, [this](int ligne, int) { OuvrirPieceDeLigne(ligne); });
    grille_->installEventFilter(this);
}

void FrmRecap::OuvrirPieceDeLigne(int ligne) {
    const int n = ligne - LigneGrillePiece(1) + 1;
    if (n >= 1 && n <= pieces_)
        emit ouvrirPiece(n);
}

bool FrmRecap::eventFilter(QObject* objet, QEvent* evenement) {
    // Enter opens the room of the current row, as a double click does.
    if (objet == grille_ && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            OuvrirPieceDeLigne(grille_->ligneCourante());
            return true;
        }
    }
    return FenetreAuxiliaire::eventFilter(objet, evenement);
}

void FrmRecap::RemplirRecapitulatif() {
    const Installation generales = etude_.Generales();
    setWindowTitle(QStringLiteral("Récapitulatif [") + etude_.Nom() + QStringLiteral("]"));
    lblRecap_->setText(ResumeEtude(generales));
    lblRecap_->setAccessibleName(lblRecap_->text());

    recalculee_ = etude_.RecalculerEtude();
    cmdExporter_->setEnabled(recalculee_ && AvecPieces(*recalculee_));
    if (!recalculee_)
        return;
    const Recapitulatif recap = RecapitulatifEtude(*recalculee_, generales);
    pieces_ = recap.NombrePieces();
    for (int i = 1; i <= recap.NombrePieces(); ++i) {
        for (int k = 1; k <= NombreColonnesEtude; ++k)
            EcrireCellule(*grille_, LigneGrillePiece(i), ColonneGrille(k), recap.Case(k, i));
        grille_->definirCelluleCourante(LigneGrillePiece(i), ColonneGrille(ColonneEtude::Designation));
        grille_->definirInfoBulle(QStringLiteral("Double-cliquer pour ouvrir la pièce."));
    }
    lblLegende_->setText(LegendeRiche(recap.Legende));
    lblLegende_->setAccessibleName(LegendeSimple(recap.Legende));
    // Two lines at most on the smallest screen: the rest in its tooltip.
    lblLegende_->setToolTip(QStringLiteral("Survoler une valeur colorée pour son explication ; double-cliquer sur une "
                                           "pièce (ou Entrée) pour l'ouvrir."));
    if (recap.Totaux) {
        const int ligne = LigneGrilleTotaux(recap.NombrePieces());
        for (int k = 1; k <= NombreColonnesEtude; ++k) {
            EcrireCellule(*grille_, ligne, ColonneGrille(k), (*recap.Totaux)[static_cast<std::size_t>(k - 1)]);
            grille_->definirTaillePolice(TaillePoliceTotaux);
        }
    }
    lblPerte_->setText(LignePerteEtude(*recalculee_));
    lblPerte_->setAccessibleName(lblPerte_->text());
    lblTempDepartMinimale_->setText(LigneTempDepartMinimale(*recalculee_));
    lblTempDepartMinimale_->setAccessibleName(lblTempDepartMinimale_->text());
    grille_->definirCelluleCourante(LigneGrillePiece(1), 1);
}

void FrmRecap::CmdExporter_Click() {
    if (!recalculee_)
        return;
    const QString chemin = ChoisirFichierExport(this, QStringLiteral("Exporter le récapitulatif"),
                                                etude_.CheminExportPropose(etude_.Nom() + QStringLiteral(".csv")));
    if (!chemin.isEmpty())
        etude_.ExporterCsv(chemin, *recalculee_);
}

QSize FrmRecap::sizeHint() const {
    return TailleVueGrille(*this, *grille_, {lblLegende_, lblRecap_, lblPerte_, lblTempDepartMinimale_, cmdExporter_});
}

} // namespace sorvel
