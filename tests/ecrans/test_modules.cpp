// The two expert modules open from the "&Modules" menu as auxiliary
// windows: created once, shown again unchanged, closed back to the screen
// they came from, and fitted to the client area.

#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Modules : public ::testing::Test {
protected:
    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
};

// Each module's menu entry, title, and a field of its window.
const std::tuple<QString, QString, QString> LesModules[] = {
    {"MnuCorrection", "Sorvel. [Module de correction]", "TxtValManuelle_0"},
    {"MnuIncertitude", "Sorvel. [Module d'incertitude sur la température d'ambiance de la pièce]", "TxtValeurs_0"},
};

QString Texte(QWidget* fenetre, const QString& champ) { return Trouver<QLineEdit>(fenetre, champ)->text(); }

} // namespace

TEST_F(Modules, OuvertureEtFermeture) {
    for (const auto& [menu, titre, champ] : LesModules) {
        SCOPED_TRACE(menu.toStdString());
        auto f = DemarrerEtude();
        Declencher(f.get(), menu);
        QPointer<QWidget> fenetre = f->FeuilleAffichee();
        ASSERT_TRUE(fenetre);
        EXPECT_EQ(fenetre->windowTitle(), titre);
        Taper(fenetre, champ, QStringLiteral("75"));

        // Opened again after the general data screen: the same window,
        // unchanged; it now goes back to the general data.
        Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
        Declencher(f.get(), menu);
        EXPECT_EQ(f->FeuilleAffichee(), fenetre);
        EXPECT_EQ(Texte(fenetre, champ), QStringLiteral("75"));
        Cliquer(fenetre, QStringLiteral("CmdFermer"));
        EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
        Detruire();
        EXPECT_FALSE(fenetre) << "destroyed on closing";

        // The next opening starts afresh.
        Declencher(f.get(), menu);
        EXPECT_EQ(Texte(f->FeuilleAffichee(), champ), QStringLiteral("0"));
    }
    EXPECT_TRUE(boite.messages.empty());
}

// The two modules live side by side, each with its own contents and its own
// screen to go back to; opened at start-up, a module closes back to the
// empty client area.
TEST_F(Modules, LesDeuxModules) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuCorrection"));
    QWidget* correction = f->FeuilleAffichee();
    Taper(correction, QStringLiteral("TxtValManuelle_2"), QStringLiteral("45"));
    Declencher(f.get(), QStringLiteral("MnuIncertitude"));
    QWidget* incertitude = f->FeuilleAffichee();
    ASSERT_NE(incertitude, correction);
    Cliquer(incertitude, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), correction);
    EXPECT_EQ(Texte(correction, QStringLiteral("TxtValManuelle_2")), QStringLiteral("45"));
    Cliquer(correction, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
}

// On a small screen the window fits in the client area (its contents
// scroll); on a large one it takes the size it needs.
TEST_F(Modules, TientDansLaZoneClient) {
    for (const auto& [menu, titre, champ] : LesModules) {
        auto f = Demarrer();
        auto* zone = Trouver<QMdiArea>(f.get(), QStringLiteral("ZoneClient"));
        for (QSize taille : {QSize(800, 600), QSize(1280, 1024)}) {
            f->resize(taille);
            QApplication::processEvents();
            Declencher(f.get(), menu);
            auto* sous = qobject_cast<QMdiSubWindow*>(f->FeuilleAffichee()->parentWidget());
            ASSERT_NE(sous, nullptr);
            EXPECT_EQ(sous->size(), sous->sizeHint().boundedTo(zone->viewport()->size())) << menu.toStdString();
            EXPECT_TRUE(zone->viewport()->rect().contains(sous->geometry()));
        }
    }
}
