#include "ihm/Grille.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;

namespace {

struct EtatCellule {
    bool gras;
    QColor texte;
    QColor fond;
    AlignementCellule alignement;
    double taille;
    bool operator==(const EtatCellule&) const = default;
};

EtatCellule Etat(const Grille& g, int l, int c) {
    return {g.gras(l, c), g.couleurTexte(l, c), g.couleurFond(l, c), g.alignement(l, c), g.taillePolice(l, c)};
}

struct CasFormat {
    const char* nom;
    std::function<void(Grille&)> appliquer;
    std::function<bool(const Grille&, int, int)> applique;
};

} // namespace

// A format applies to the current cell only: the four neighbours keep
// every format they had.
TEST(Grille, UnFormatNeTouchePasLesVoisines) {
    const CasFormat cas[] = {
        {"gras", [](Grille& g) { g.definirGras(true); },
         [](const Grille& g, int l, int c) { return g.gras(l, c); }},
        {"couleur du texte", [](Grille& g) { g.definirCouleurTexte(QColor(255, 0, 0)); },
         [](const Grille& g, int l, int c) { return g.couleurTexte(l, c) == QColor(255, 0, 0); }},
        {"couleur du fond", [](Grille& g) { g.definirCouleurFond(Grille::CouleurInfoBulle()); },
         [](const Grille& g, int l, int c) { return g.couleurFond(l, c) == Grille::CouleurInfoBulle(); }},
        {"centré", [](Grille& g) { g.definirAlignement(AlignementCellule::Centre); },
         [](const Grille& g, int l, int c) { return g.alignement(l, c) == AlignementCellule::Centre; }},
        {"taille", [](Grille& g) { g.definirTaillePolice(14); },
         [](const Grille& g, int l, int c) { return g.taillePolice(l, c) == 14; }},
        // The tooltip is the description a screen reader gives of the cell.
        {"info-bulle", [](Grille& g) { g.definirInfoBulle(QStringLiteral("Trop lent.")); },
         [](const Grille& g, int l, int c) {
             return g.infoBulle(l, c) == QStringLiteral("Trop lent.")
                    && g.item(l, c)->data(Qt::AccessibleDescriptionRole).toString() == QStringLiteral("Trop lent.");
         }},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.nom);
        Grille g(QStringLiteral("GrilleTest"), 6, 5, 1, 1);
        const EtatCellule voisineAvant = Etat(g, 2, 3);
        g.definirCelluleCourante(2, 2);
        k.appliquer(g);
        EXPECT_TRUE(k.applique(g, 2, 2));
        for (auto [l, c] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}}) {
            EXPECT_FALSE(k.applique(g, l, c)) << l << "," << c;
            EXPECT_TRUE(Etat(g, l, c) == voisineAvant) << l << "," << c;
        }
        // The format stays once the current cell has moved on.
        g.definirCelluleCourante(4, 4);
        EXPECT_TRUE(k.applique(g, 2, 2));
    }
}

// A click on a cell makes its row the current row; a double click on a
// room cell is announced with its row, one on a heading is not.
TEST(Grille, ClicEtDoubleClic) {
    Grille g(QStringLiteral("GrilleTest"), 8, 2, 1, 0);
    g.resize(300, 250);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    int ligneDoubleClic = -1;
    QObject::connect(&g, &Grille::doubleClic, [&](int l, int) { ligneDoubleClic = l; });

    const QPoint centre3 = g.visualRect(g.model()->index(3, 1)).center();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centre3);
    EXPECT_EQ(g.ligneCourante(), 3);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre3);
    EXPECT_EQ(ligneDoubleClic, 3);

    ligneDoubleClic = -1;
    g.cellDoubleClicked(0, 1); // the heading row
    EXPECT_EQ(ligneDoubleClic, -1);
    g.definirCelluleCourante(5, 0);
    EXPECT_EQ(g.ligneCourante(), 5);
    EXPECT_EQ(g.currentRow(), 5);
}

