#include "ecrans/VuesCommunes.h"

#include "ihm/Grille.h"

#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>

namespace sorvel {

namespace {

ChoixFichierExport& ChoixInstalle() {
    static ChoixFichierExport choix;
    return choix;
}

} // namespace

QColor CouleurAffichee(CouleurValeur couleur) {
    if (couleur == CouleurValeur::TexteFenetre)
        return Grille::CouleurTexteFenetre();
    const auto rvb = Rvb(couleur);
    return QColor(rvb[0], rvb[1], rvb[2]);
}

QString ChoisirFichierExport(QWidget* parent, const QString& titre, const QString& proposition) {
    if (ChoixInstalle())
        return ChoixInstalle()(parent, titre, proposition);
    return QFileDialog::getSaveFileName(parent, titre, proposition, QStringLiteral("Fichiers CSV (*.csv)"));
}

void InstallerChoixFichierExport(ChoixFichierExport choix) { ChoixInstalle() = std::move(choix); }

void ReserverLigneEtude(QLabel& ligne) {
    ligne.ensurePolished();
    int largeur = 0;
    for (const QString& resume : ResumesEtudePossibles())
        largeur = qMax(largeur, ligne.fontMetrics().horizontalAdvance(resume));
    const QMargins marges = ligne.contentsMargins();
    ligne.setMinimumWidth(largeur + 2 * ligne.margin() + marges.left() + marges.right());
}

QSize TailleGrilleEntiere(const Grille& grille) {
    int largeur = grille.frameWidth() * 2 + grille.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grille.columnCount(); ++c)
        largeur += grille.columnWidth(c);
    int hauteur = grille.frameWidth() * 2 + grille.horizontalScrollBar()->sizeHint().height();
    for (int l = 0; l < grille.rowCount(); ++l)
        hauteur += grille.rowHeight(l);
    return {largeur, hauteur};
}

QSize TailleVueGrille(const QWidget& vue, const Grille& grille, std::initializer_list<const QWidget*> dessous) {
    QSize taille = TailleGrilleEntiere(grille);
    const QLayout* disposition = vue.layout();
    const int espace = disposition ? disposition->spacing() : 0;
    for (const QWidget* w : dessous)
        taille.rheight() += w->sizeHint().height() + espace;
    const QMargins m = disposition ? disposition->contentsMargins() : QMargins();
    return taille + QSize(m.left() + m.right(), m.top() + m.bottom());
}

} // namespace sorvel
