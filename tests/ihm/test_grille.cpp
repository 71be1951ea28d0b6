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

// A grid emptied reads back empty texts everywhere; outside the grid
// writes are ignored and reads are empty.
TEST(Grille, TextesViderEtHorsGrille) {
    Grille g(QStringLiteral("GrilleTest"), 31, 2, 1, 0);
    for (int l = 0; l < g.rowCount(); ++l)
        for (int c = 0; c < g.columnCount(); ++c)
            g.definirTexte(l, c, QStringLiteral("x%1-%2").arg(l).arg(c));
    g.viderTextes();
    for (int l = 0; l < g.rowCount(); ++l)
        for (int c = 0; c < g.columnCount(); ++c)
            EXPECT_EQ(g.texte(l, c), QString()) << l << "," << c;
    g.definirTexte(40, 10, QStringLiteral("hors"));
    g.definirTexte(-1, 0, QStringLiteral("hors"));
    EXPECT_EQ(g.texte(40, 10), QString());
    EXPECT_EQ(g.texte(-1, 0), QString());
}

// 1440 twips make one inch: at the usual 96 dots per inch, 1440 twips are
// 96 pixels, the results grid's 4900-twip title column 326.7, so 327.
TEST(Grille, TwipsEnPixels) {
    const struct {
        int twips;
        double ppp;
        int pixels;
    } cas[] = {{1440, 96, 96}, {4900, 96, 327}, {750, 96, 50}, {2050, 96, 137}, {1440, 120, 120}, {0, 96, 0}};
    for (const auto& k : cas)
        EXPECT_EQ(Grille::TwipsEnPixels(k.twips, k.ppp), k.pixels) << k.twips << " twips";

    Grille g(QStringLiteral("GrilleTest"), 3, 3, 1, 1);
    g.definirLargeurColonneTwips(2, 2050);
    EXPECT_EQ(g.columnWidth(2), Grille::TwipsEnPixels(2050, g.logicalDpiX()));
}

// A heading can be formatted (the summary's titles are bold) but never
// becomes the row chosen by the user.
TEST(Grille, EntetesFormatablesMaisPasSelectionnables) {
    Grille g(QStringLiteral("GrilleTest"), 5, 3, 1, 1);
    g.definirCelluleCourante(0, 1);
    g.definirGras(true);
    EXPECT_TRUE(g.gras(0, 1));
    EXPECT_FALSE(g.item(0, 1)->flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(g.item(2, 2)->flags() & Qt::ItemIsSelectable);
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

// The heading rows stay in view while the grid scrolls down.
TEST(Grille, EntetesRestentVisibles) {
    Grille g(QStringLiteral("GrilleTest"), 35, 4, 3, 1);
    for (int c = 0; c < 4; ++c)
        g.definirTexte(0, c, QStringLiteral("Titre %1").arg(c));
    g.resize(300, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum());
    QApplication::processEvents();
    ASSERT_GT(g.verticalScrollBar()->value(), 0);
    EXPECT_GT(g.rowAt(0), 0) << "the grid itself has scrolled";
    // What is drawn at the top of the grid is still heading row 0.
    const QPoint hautGauche = g.viewport()->mapTo(&g, QPoint(g.columnWidth(0) + 2, 2));
    QWidget* dessus = g.childAt(hautGauche);
    auto* vue = dessus ? qobject_cast<QTableView*>(dessus->parentWidget()) : nullptr;
    ASSERT_NE(vue, nullptr);
    ASSERT_NE(vue, &g);
    EXPECT_EQ(vue->rowAt(2), 0);
    EXPECT_EQ(vue->model()->index(0, 1).data().toString(), QStringLiteral("Titre 1"));
}
