// The two expert modules open from the "&Modules" menu as auxiliary
// windows: fitted to the client area, created once, shown again unchanged,
// closed back to the screen they came from.

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

// The module shown fits the client area: at the size it needs where there
// is room, less on a small screen, where its contents scroll.
void VerifierTaille(MDIPlancher* f) {
    const QWidget* zone = Trouver<QMdiArea>(f, QStringLiteral("ZoneClient"))->viewport();
    auto* sous = qobject_cast<QMdiSubWindow*>(f->FeuilleAffichee()->parentWidget());
    ASSERT_NE(sous, nullptr);
    EXPECT_EQ(sous->size(), sous->sizeHint().boundedTo(zone->size()));
    EXPECT_TRUE(zone->rect().contains(sous->geometry()));
}

} // namespace

TEST_F(Modules, OuvertureEtFermeture) {
    for (const auto& [menu, titre, champ] : LesModules) {
        SCOPED_TRACE(menu.toStdString());
        auto f = DemarrerEtude();
        Declencher(f.get(), menu);
        QPointer<QWidget> fenetre = f->FeuilleAffichee();
        ASSERT_TRUE(fenetre);
        EXPECT_EQ(fenetre->windowTitle(), titre);
        VerifierTaille(f.get());
        Taper(fenetre, champ, QStringLiteral("75"));

        // Opened again after the general data screen, on a small screen: the
        // same window, unchanged, fitted again; it now goes back to the
        // general data.
        Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
        f->resize(800, 600);
        QApplication::processEvents();
        Declencher(f.get(), menu);
        EXPECT_EQ(f->FeuilleAffichee(), fenetre);
        VerifierTaille(f.get());
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
