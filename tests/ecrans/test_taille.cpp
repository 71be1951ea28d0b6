// The main window on small screens: it never exceeds the area the screen
// leaves to windows, and every entry screen keeps its buttons in view, its
// body scrolling when the room runs out.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "Exemples.h"
#include "etude/PresentationResultats.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// 800 x 600, the smallest screen served; the test screen is that size.
const QRect Ecran800x600(0, 0, 800, 600);

class Taille : public ::testing::Test {
protected:
    QWidget* client() const { return f->findChild<QMdiArea*>()->viewport(); }
    const FeuillesPiece& ecrans() const { return f->FeuillesDePiece(); }

    // The part of `w` the user sees: inside the client area and, for a
    // control of a screen's scrolling body, inside what the body shows.
    ::testing::AssertionResult visible(const QWidget* w) const {
        const QRect dansClient(w->mapTo(client(), QPoint()), w->size());
        if (!client()->rect().contains(dansClient))
            return ::testing::AssertionFailure() << w->objectName().toStdString() << " hors de la zone client";
        for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (auto* corps = qobject_cast<const QScrollArea*>(p)) {
                const QRect dansCorps(w->mapTo(corps->viewport(), QPoint()), w->size());
                if (!corps->viewport()->rect().contains(dansCorps))
                    return ::testing::AssertionFailure() << w->objectName().toStdString() << " caché dans la page";
            }
        return ::testing::AssertionSuccess();
    }
    // Every button the screen showing has (its bottom row alone when
    // `rangeeDuBas`) lies in the visible part of the client area.
    void boutonsVisibles(bool rangeeDuBas) const {
        QWidget* ecran = f->FeuilleAffichee();
        ASSERT_NE(ecran, nullptr);
        SCOPED_TRACE(ecran->objectName().toStdString());
        int boutons = 0;
        for (QPushButton* b : ecran->findChildren<QPushButton*>()) {
            if (!b->isVisibleTo(ecran) || (rangeeDuBas && b->parentWidget() != ecran))
                continue;
            ++boutons;
            EXPECT_TRUE(visible(b));
        }
        EXPECT_GE(boutons, 2);
    }
    // Each screen in turn, the panels' "OK" on the way.
    void parcourirLesEcrans(bool rangeeDuBas) {
        ParcourirLesEcrans(*f, [&](Arret arret, QWidget* ecran) {
            if (arret == Arret::Apport || arret == Arret::Emissions)
                EXPECT_TRUE(visible(Trouver<QPushButton>(
                    ecran, arret == Arret::Apport ? QStringLiteral("CmdApport_OK") : QStringLiteral("CmdEmission_OK"))));
            else
                boutonsVisibles(rangeeDuBas || arret == Arret::Commentaire);
        });
    }
    // How many rows of the results grid are whole in its view.
    int lignesResultatsVisibles() const {
        const Grille* grille = qobject_cast<FrmResultats*>(ecrans().Resultats.data())->GrilleResult();
        int lignes = 0;
        for (int l = 0; l < grille->rowCount(); ++l)
            if (grille->viewport()->rect().contains(grille->visualRect(grille->model()->index(l, 2))))
                ++lignes;
        return lignes;
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// On an 800 x 600 screen the window opens maximised, its frame inside the
// area; where there is room it opens at its own size, centred.
TEST_F(Taille, LaFenetreTientDansLaZoneDisponible) {
    f = Demarrer(800, Ecran800x600);
    EXPECT_TRUE(f->isMaximized());
    EXPECT_TRUE(Ecran800x600.contains(f->frameGeometry())) << f->frameGeometry().width() << "x"
                                                          << f->frameGeometry().height();

    f.reset(); // one program at a time on the studies folder
    f = Demarrer(1280, GrandEcran);
    EXPECT_FALSE(f->isMaximized());
    EXPECT_EQ(f->size(), f->TailleVoulue());
    const QRect avecCadre(f->pos(), f->size() + CadreFenetre);
    EXPECT_TRUE(GrandEcran.contains(avecCadre));
    EXPECT_LE(std::abs(avecCadre.center().x() - GrandEcran.center().x()), 1);
    EXPECT_LE(std::abs(avecCadre.center().y() - GrandEcran.center().y()), 1);
}

// Maximised on 800 x 600, every button of every entry screen is in view.
TEST_F(Taille, ToutLEcranA800x600) {
    f = Demarrer(800, Ecran800x600);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    parcourirLesEcrans(false);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
}

// With a task bar taking 40 pixels of the 600 (the window manager gives the
// window what is left), each screen's bottom row is still in view; its body
// scrolls.
TEST_F(Taille, RangeeDuBasAvecUneBarreDesTaches) {
    f = Demarrer(800, Ecran800x600);
    f->showNormal();
    f->setGeometry(QRect(QPoint(0, 0), QSize(800, 560) - CadreFenetre));
    QApplication::processEvents();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    parcourirLesEcrans(true);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
}

// The results screen follows the main window's size: on a 1024 x 768 screen
// all 29 rows show at once; the window made small, "OK" stays in view and
// the grid scrolls; made large again, all the rows are back.
TEST_F(Taille, LesResultatsSuiventLaFenetre) {
    f = Demarrer(1024, QRect(0, 0, 1024, 768));
    ASSERT_FALSE(f->isMaximized()) << "the window's own size is expected to fit 1024 x 768";
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    SaisirPieceJusquALaPage(*f, 4);
    EXPECT_EQ(lignesResultatsVisibles(), NombreLignesResultats);

    const QSize voulue = f->size();
    f->resize(760, 480);
    QApplication::processEvents();
    EXPECT_TRUE(visible(Trouver<QPushButton>(ecrans().Resultats, QStringLiteral("cmdOK"))));
    const int peu = lignesResultatsVisibles();
    EXPECT_GE(peu, FrmResultats::LignesVisiblesMinimum);
    EXPECT_LT(peu, NombreLignesResultats);

    f->resize(voulue);
    QApplication::processEvents();
    EXPECT_EQ(lignesResultatsVisibles(), NombreLignesResultats);
}

// The grid takes the keyboard: the surface temperatures, last rows of the
// grid, are reached with the keys when the window is small.
TEST_F(Taille, LaGrilleDesResultatsDefileAuClavier) {
    f = Demarrer(800, Ecran800x600);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    SaisirPieceJusquALaPage(*f, 4);
    Grille* grille = qobject_cast<FrmResultats*>(ecrans().Resultats.data())->GrilleResult();
    ASSERT_LT(lignesResultatsVisibles(), NombreLignesResultats) << "a window too small for every row";
    grille->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(grille->hasFocus());
    QTest::keyClick(grille, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    const int derniere = NombreLignesResultats - 1;
    EXPECT_TRUE(grille->viewport()->rect().contains(grille->visualRect(grille->model()->index(derniere, 2))));
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Resultats);
}

// The study's summary line holds on one line, whole, above the rooms list
// and above the results, with the longest support and pipe names, at 800
// pixels wide.
TEST_F(Taille, LeResumeTientSurUneLigne) {
    f = Demarrer(800, Ecran800x600);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f->Generales(), QStringLiteral("OptSupport_1"));
    Choisir(f->Generales(), QStringLiteral("CmbTempDepart"), QStringLiteral("50"));
    Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
    auto* resume = Trouver<QLabel>(f->Circuits(), QStringLiteral("LblCircuit"));
    ASSERT_TRUE(resume->text().endsWith(QStringLiteral("Plots thermoformés avec température de départ du fluide de 50°C")));
    EXPECT_TRUE(visible(resume));
    EXPECT_GE(resume->width(), resume->fontMetrics().horizontalAdvance(resume->text()));
    EXPECT_LT(resume->height(), 2 * resume->fontMetrics().lineSpacing());

    SaisirPieceJusquALaPage(*f, 4);
    auto* ligne = Trouver<QLabel>(ecrans().Resultats, QStringLiteral("LblEtude"));
    EXPECT_EQ(ligne->text(), resume->text());
    EXPECT_TRUE(visible(ligne));
    EXPECT_GE(ligne->width(), ligne->fontMetrics().horizontalAdvance(ligne->text()));
}

// The views of the whole study on 800 x 600, with the 12 rooms of a house:
// the balancing shows all its columns, its labels and its buttons; the
// summary keeps its labels and buttons in view, its grid scrolling.
TEST_F(Taille, VuesDeLEtudeA800x600) {
    f = Demarrer(800, Ecran800x600);
    AjouterPieces(*f, exemples::Maison12Pieces());
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* equilibrage = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(equilibrage, nullptr);
    QApplication::processEvents();
    for (const char* nom : {"CmdExporter", "CmdFermer"})
        EXPECT_TRUE(visible(Trouver<QPushButton>(equilibrage, QString::fromLatin1(nom))));
    for (const char* nom : {"LblPerte", "LblTempDepartMinimale"}) {
        auto* l = Trouver<QLabel>(equilibrage, QString::fromLatin1(nom));
        EXPECT_TRUE(visible(l));
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << nom;
    }
    const Grille* grille = equilibrage->GrilleEquilibrage();
    EXPECT_EQ(grille->horizontalScrollBar()->maximum(), 0) << "every column in view";
    Cliquer(equilibrage, QStringLiteral("CmdFermer"));

    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    QWidget* recap = f->FeuilleAffichee();
    ASSERT_EQ(recap->objectName(), QStringLiteral("FrmRecap"));
    QApplication::processEvents();
    for (const char* nom : {"CmdExporter", "CmdFermer"})
        EXPECT_TRUE(visible(Trouver<QPushButton>(recap, QString::fromLatin1(nom))));
    for (const char* nom : {"LblRecap", "LblPerte", "LblTempDepartMinimale"})
        EXPECT_TRUE(visible(Trouver<QLabel>(recap, QString::fromLatin1(nom)))) << nom;
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
}

// When the screen has the room, the main window grows for the expert
// modules, whose three columns then show without scrolling sideways; the
// window stays on the screen and the module's bottom row in view.
TEST_F(Taille, LesModulesAgrandissentLaFenetre) {
    for (const char* menu : {"MnuCorrection", "MnuIncertitude"}) {
        SCOPED_TRACE(menu);
        f = Demarrer(1280, GrandEcran);
        ASSERT_FALSE(f->isMaximized());
        Declencher(f.get(), QString::fromLatin1(menu));
        QWidget* module = f->FeuilleAffichee();
        ASSERT_NE(module, nullptr);
        QApplication::processEvents();
        auto* defilement = module->findChild<QScrollArea*>();
        ASSERT_NE(defilement, nullptr);
        EXPECT_EQ(defilement->horizontalScrollBar()->maximum(), 0) << "every column in view";
        EXPECT_TRUE(GrandEcran.contains(f->geometry()));
        EXPECT_TRUE(visible(Trouver<QPushButton>(module, QStringLiteral("CmdFermer"))));
        f.reset();
    }
}
