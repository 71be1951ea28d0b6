#include "ecrans/VuesCommunes.h"

#include "ihm/Grille.h"

#include <QFileDialog>
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

QSize TailleGrilleEntiere(const Grille& grille) {
    int largeur = grille.frameWidth() * 2 + grille.verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grille.columnCount(); ++c)
        largeur += grille.columnWidth(c);
    int hauteur = grille.frameWidth() * 2 + grille.horizontalScrollBar()->sizeHint().height();
    for (int l = 0; l < grille.rowCount(); ++l)
        hauteur += grille.rowHeight(l);
    return {largeur, hauteur};
}

} // namespace sorvel
