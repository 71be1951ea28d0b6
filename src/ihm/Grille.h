#pragma once

// The grid shared by the rooms list, the results of a room, the summary
// table and the material list. Cells are addressed (row, column) from 0,
// heading rows and columns included; the first `lignesFixes` rows and
// `colonnesFixes` columns are headings that stay in view while the rest
// scrolls. Formats apply to the current cell only and stay until changed.

#include <QColor>
#include <QTableWidget>

class QTableView;

namespace sorvel {

enum class AlignementCellule { GaucheCentre, Centre, DroiteCentre };

class Grille : public QTableWidget {
    Q_OBJECT
public:
    Grille(const QString& nom, int lignes, int colonnes, int lignesFixes, int colonnesFixes,
           QWidget* parent = nullptr);
    ~Grille() override;

    int lignesFixes() const { return lignesFixes_; }
    int colonnesFixes() const { return colonnesFixes_; }

    // Text of a cell; a cell outside the grid reads empty and ignores writes.
    QString texte(int ligne, int colonne) const;
    void definirTexte(int ligne, int colonne, const QString& texte);
    // Empties the text of every cell of the given rows and columns (formats stay).
    void viderTextes(int premiereLigne = 0, int premiereColonne = 0);

    // The current cell: the one the next format applies to, and whose row is
    // the row chosen by the user (a click selects it too).
    void definirCelluleCourante(int ligne, int colonne);
    int ligneCourante() const;
    int colonneCourante() const;

    // Formats of the current cell.
    void definirGras(bool gras);
    void definirCouleurTexte(const QColor& couleur);
    void definirCouleurFond(const QColor& couleur);
    void definirAlignement(AlignementCellule alignement);
    void definirTaillePolice(double points);
    // A tooltip that explains the current cell, which a screen reader gives
    // as the cell's description; empty for none.
    void definirInfoBulle(const QString& texte);

    bool gras(int ligne, int colonne) const;
    QColor couleurTexte(int ligne, int colonne) const;
    QColor couleurFond(int ligne, int colonne) const;
    AlignementCellule alignement(int ligne, int colonne) const;
    double taillePolice(int ligne, int colonne) const;
    QString infoBulle(int ligne, int colonne) const;

    // Height of every row, in pixels.
    void definirHauteurLignes(int pixels);
    // Column width in twips (1/1440 inch), shown at the screen's logical DPI.
    void definirLargeurColonneTwips(int colonne, int twips);
    static int TwipsEnPixels(int twips, double pointsParPouce);

    // The system colours the callers name: window text and the tooltip background.
    static QColor CouleurTexteFenetre();
    static QColor CouleurInfoBulle();

signals:
    // A double click on a cell that is not in a heading row (the fixed
    // columns that name a row included).
    void doubleClic(int ligne, int colonne);

protected:
    void resizeEvent(QResizeEvent* evenement) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modificateurs) override;
    void scrollTo(const QModelIndex& index, ScrollHint indication = EnsureVisible) override;

private:
    QTableWidgetItem* cellule(int ligne, int colonne) const;
    QTableWidgetItem* celluleCourante() const;
    QTableView* creerVueFixe();
    void placerVuesFixes();
    int hauteurFixe() const;
    int largeurFixe() const;

    int lignesFixes_;
    int colonnesFixes_;
    QTableView* vueLignes_ = nullptr;   // heading rows, follows horizontal scrolling
    QTableView* vueColonnes_ = nullptr; // heading columns, follows vertical scrolling
    QTableView* vueCoin_ = nullptr;     // where both meet, never scrolls
};

} // namespace sorvel
