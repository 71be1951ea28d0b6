// The two expert modules open from the "&Modules" menu as auxiliary
// windows: created once, shown again unchanged, closed back to the screen
// they came from, and fitted to the client area.

#include "ecrans/FrmCircuits.h"
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

struct Module {
    const char* menu;
    const char* titre;
    const char* champ; // a field of the window
};

const Module LesModules[] = {
    {"MnuCorrection", "Sorvel. [Module de correction]", "TxtValManuelle_0"},
    {"MnuIncertitude", "Sorvel. [Module d'incertitude sur la température d'ambiance de la pièce]", "TxtValeurs_0"},
};

} // namespace

TEST_F(Modules, OuvertureEtFermeture) {
    for (const Module& m : LesModules) {
        SCOPED_TRACE(m.menu);
        auto f = DemarrerEtude();
        Declencher(f.get(), QString::fromLatin1(m.menu));
        QPointer<QWidget> fenetre = f->FeuilleAffichee();
        ASSERT_TRUE(fenetre);
        EXPECT_EQ(fenetre->windowTitle(), QString::fromUtf8(m.titre));
        Taper(fenetre, QString::fromLatin1(m.champ), QStringLiteral("75"));

        // Opened again after the general data screen: the same window,
        // unchanged; it now goes back to the general data.
        Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
        Declencher(f.get(), QString::fromLatin1(m.menu));
        EXPECT_EQ(f->FeuilleAffichee(), fenetre);
        EXPECT_EQ(Trouver<QLineEdit>(fenetre, QString::fromLatin1(m.champ))->text(), QStringLiteral("75"));
        Cliquer(fenetre, QStringLiteral("CmdFermer"));
        EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
        Detruire();
        EXPECT_FALSE(fenetre) << "destroyed on closing";

        // The next opening starts afresh.
        Declencher(f.get(), QString::fromLatin1(m.menu));
        EXPECT_EQ(Trouver<QLineEdit>(f->FeuilleAffichee(), QString::fromLatin1(m.champ))->text(), QStringLiteral("0"));
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
    EXPECT_EQ(Trouver<QLineEdit>(correction, QStringLiteral("TxtValManuelle_2"))->text(), QStringLiteral("45"));
    Cliquer(correction, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
}
