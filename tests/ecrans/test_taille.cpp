// The main window on the screen: it never exceeds the area the screen leaves
// to windows, every entry screen keeps its buttons in view (its body
// scrolling when the room runs out) whatever the study line, and the window
// grows for a window that needs more room.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmImprimer.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "Exemples.h"
#include "ihm/Controles.h"
#include "ihm/Grille.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// 800 x 600, the smallest screen served; the test screen is that size.
const QRect Ecran800x600(0, 0, 800, 600);
const QRect Ecran1024x768(0, 0, 1024, 768);

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
// area; where there is room it opens at its own size, centred. The
// background picture follows the screen's width.
TEST_F(Taille, OuvertureSelonLEcran) {
    QImage(48, 30, QImage::Format_RGB32).save(dossier.chemin() + QStringLiteral("/Fd2.fpl"), "BMP");
    const struct {
        QRect ecran;
        bool maximisee;
        const char* fond;
    } cas[] = {{Ecran800x600, true, "Fd1.fpl"}, {Ecran1024x768, false, "Fd2.fpl"}, {GrandEcran, false, ""}};
    for (const auto& k : cas) {
        SCOPED_TRACE(k.ecran.width());
        f = Demarrer(k.ecran.width(), k.ecran);
        EXPECT_EQ(f->isMaximized(), k.maximisee);
        const QRect avecCadre(f->pos(), f->size() + CadreFenetre);
        EXPECT_TRUE(k.ecran.contains(k.maximisee ? f->frameGeometry() : avecCadre));
        if (!k.maximisee) {
            EXPECT_EQ(f->size(), f->TailleVoulue());
            EXPECT_LE(std::abs(avecCadre.center().x() - k.ecran.center().x()), 1);
        }
        EXPECT_EQ(f->Zone().FichierImageFond(), QString::fromLatin1(k.fond));
        // Fd1.fpl is missing: the background stays plain.
        EXPECT_EQ(f->Zone().ImageFond().size(), k.fond == std::string("Fd2.fpl") ? QSize(48, 30) : QSize(0, 0));
        f.reset(); // one program at a time on the studies folder
    }
    for (auto [largeur, fichier] : {std::pair{809, "Fd1.fpl"}, {810, "Fd2.fpl"}, {1049, "Fd2.fpl"}, {1050, ""}})
        EXPECT_EQ(ZoneEcrans::ImageDeFond(largeur), QString::fromLatin1(fichier)) << largeur;
}

// Every button of every entry screen is in view: maximised on 800 x 600,
// and with a task bar taking 40 pixels of the 600, where each screen's
// bottom row is still in view and its body scrolls.
TEST_F(Taille, ToutLEcranA800x600) {
    for (const QRect zone : {Ecran800x600, QRect(0, 0, 800, 560)}) {
        SCOPED_TRACE(zone.height());
        f = Demarrer(800, zone);
        if (zone != Ecran800x600) {
            f->showNormal();
            f->setGeometry(QRect(QPoint(0, 0), zone.size() - CadreFenetre));
            QApplication::processEvents();
        }
        Declencher(f.get(), QStringLiteral("MnuNouvelle"));
        Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
        parcourirLesEcrans(zone != Ecran800x600);
        EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
        f.reset();
    }
}

// The study line holds on one line, whole, above the rooms list and above
// the results, with the plainest and the widest general data, at 1024 x 768
// (the window at the size it opened at) and on 800 x 600: the rooms list
// and its buttons in view.
TEST_F(Taille, LaLigneDEtudeTientDansLaZoneClient) {
    const struct {
        const char* support;
        const char* tube;
        const char* temperature;
    } lignes[] = {{"OptSupport_0", "OptTube_1", "40"}, {"OptSupport_1", "OptTube_0", "50"}};
    for (const QRect ecran : {Ecran1024x768, Ecran800x600})
        for (const auto& l : lignes) {
            SCOPED_TRACE(std::to_string(ecran.width()) + " " + l.support + " " + l.tube);
            f = Demarrer(ecran.width(), ecran);
            const QSize ouverte = f->size();
            Declencher(f.get(), QStringLiteral("MnuNouvelle"));
            Cliquer(f->Generales(), QString::fromLatin1(l.support));
            Cliquer(f->Generales(), QString::fromLatin1(l.tube));
            Choisir(f->Generales(), QStringLiteral("CmbTempDepart"), QString::fromLatin1(l.temperature));
            Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
            ASSERT_EQ(f->FeuilleAffichee(), f->Circuits());
            EXPECT_EQ(f->size(), ouverte) << "opened wide enough for every study line";
            EXPECT_TRUE(visible(f->Circuits()->parentWidget()));
            boutonsVisibles(false);
            SaisirPieceJusquALaPage(*f, 4);
            for (QLabel* ligne : {Trouver<QLabel>(f->Circuits(), QStringLiteral("LblCircuit")),
                                  Trouver<QLabel>(ecrans().Resultats, QStringLiteral("LblEtude"))}) {
                EXPECT_EQ(ligne->text(), ResumeEtude(f->Etude().Generales()));
                EXPECT_GE(ligne->width(), ligne->fontMetrics().horizontalAdvance(ligne->text()));
                EXPECT_LT(ligne->height(), 2 * ligne->fontMetrics().lineSpacing());
            }
            EXPECT_TRUE(visible(Trouver<QLabel>(ecrans().Resultats, QStringLiteral("LblEtude"))));
            f.reset();
        }
}

// The results screen follows the main window's size: on a 1024 x 768 screen
// all 29 rows show at once; the window made small, "OK" stays in view, the
// grid scrolls and takes the keyboard; made large again, all the rows are
// back.
TEST_F(Taille, LesResultatsSuiventLaFenetre) {
    f = Demarrer(1024, Ecran1024x768);
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
    Grille* grille = qobject_cast<FrmResultats*>(ecrans().Resultats.data())->GrilleResult();
    grille->setFocus(Qt::TabFocusReason);
    QTest::keyClick(grille, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(grille->viewport()->rect().contains(
        grille->visualRect(grille->model()->index(NombreLignesResultats - 1, 2))));

    f->resize(voulue);
    QApplication::processEvents();
    EXPECT_EQ(lignesResultatsVisibles(), NombreLignesResultats);
}

// When the screen has the room, the main window grows for the expert
// modules and the preview, which then show without scrolling sideways; the
// window stays on the screen and never shrinks: given the whole screen
// (no window manager frames it), it keeps it.
TEST_F(Taille, LaFenetreGranditPourLesModules) {
    for (const char* menu : {"MnuCorrection", "MnuIncertitude"}) {
        SCOPED_TRACE(menu);
        f = Demarrer(1280, GrandEcran);
        ASSERT_FALSE(f->isMaximized());
        Declencher(f.get(), QString::fromLatin1(menu));
        QWidget* module = f->FeuilleAffichee();
        ASSERT_NE(module, nullptr);
        QApplication::processEvents();
        EXPECT_EQ(module->findChild<QScrollArea*>()->horizontalScrollBar()->maximum(), 0) << "every column in view";
        EXPECT_TRUE(GrandEcran.contains(f->geometry()));
        EXPECT_TRUE(visible(Trouver<QPushButton>(module, QStringLiteral("CmdFermer"))));
        f.reset();
    }
    f = Demarrer(1024, Ecran1024x768);
    AjouterPieces(*f, exemples::Maison12Pieces());
    f->setGeometry(Ecran1024x768);
    QApplication::processEvents();
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    ASSERT_NE(qobject_cast<FrmImprimer*>(f->FeuilleAffichee()), nullptr);
    EXPECT_EQ(f->size(), Ecran1024x768.size());
}
