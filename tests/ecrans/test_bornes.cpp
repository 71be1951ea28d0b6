// The room screens refuse a number beyond what a study may hold: the
// message, the focus back on the field with its text selected, and the
// screen stays.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/Harnais.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Bornes : public ::testing::Test {
protected:
    void SetUp() override {
        f = DemarrerEtude(QStringLiteral("45"));
        Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
        ASSERT_EQ(f->FeuilleAffichee(), charge());
        boite.vider();
    }
    QWidget* charge() const { return f->FeuillesDePiece().Charge.data(); }
    QWidget* piece() const { return f->FeuillesDePiece().Piece.data(); }
    QWidget* conduites() const { return f->FeuillesDePiece().Conduites.data(); }

    // A sound room on page 2, then page 3.
    void allerALaPiece() {
        Cliquer(charge(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), piece());
        auto* nom = Trouver<QComboBox>(piece(), QStringLiteral("CmbNomPiece"));
        nom->setEditText(QStringLiteral("Salon"));
        Choisir(piece(), QStringLiteral("CmbTempPiece"), QStringLiteral("20"));
        Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("30"));
        Taper(piece(), QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500"));
        Taper(piece(), QStringLiteral("TxtEmissions"), QStringLiteral("90"));
        Choisir(piece(), QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    }
    void allerAuxConduites() {
        allerALaPiece();
        Cliquer(piece(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), conduites());
    }
    // The one message shown refuses `legende` (largest value `borne`); its
    // field has the focus, its text `texte` selected.
    void refuse(QWidget* ecran, const char* champ, const char* legende, const char* borne, const QString& texte) {
        const QString l = QString::fromUtf8(legende);
        EXPECT_TRUE(boite.seul(l + QLatin1Char('.'),
                               QStringLiteral("La valeur de « %1 » doit être comprise entre 0 et %2 !")
                                   .arg(l, QString::fromUtf8(borne)),
                               IconeMessage::Exclamation, BoutonsMessage::OK));
        auto* c = Trouver<QLineEdit>(ecran, QString::fromLatin1(champ));
        EXPECT_EQ(QApplication::focusWidget(), c);
        EXPECT_EQ(c->selectedText(), texte);
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
        boite.vider();
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

TEST_F(Bornes, SurfaceDeBordure) {
    Cliquer(charge(), QStringLiteral("OptCharge_1"));
    Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("20000"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    refuse(charge(), "TxtSurfaceBordure", "Surface zone de bordure (élevée/limite)", "10000 m²",
           QStringLiteral("20000"));
    Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("4"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->FeuilleAffichee(), piece());
}

TEST_F(Bornes, NombresDeLaPiece) {
    allerALaPiece();
    // Typed, or pasted (a minus sign cannot be typed alone).
    Taper(piece(), QStringLiteral("TxtDeperdPlancher"), QStringLiteral("2000000"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    refuse(piece(), "TxtDeperdPlancher", "Déperditions du plancher", "1000000 W", QStringLiteral("2000000"));
    Taper(piece(), QStringLiteral("TxtDeperdPlancher"), QStringLiteral("200"));
    Trouver<QLineEdit>(piece(), QStringLiteral("TxtSurface_1"))->setText(QStringLiteral("-2"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    refuse(piece(), "TxtSurface_1", "Surface des emprises", "10000 m²", QStringLiteral("-2"));
    Trouver<QLineEdit>(piece(), QStringLiteral("TxtSurface_1"))->setText(QStringLiteral("2"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->FeuilleAffichee(), conduites());
}

// The ceiling's area, in its panel: refused on the panel's "OK", which then
// fills nothing, and again on "Suivant" when the panel was put away.
TEST_F(Bornes, SurfaceDuPlancherHaut) {
    allerALaPiece();
    Cliquer(piece(), QStringLiteral("CmdApport"));
    Taper(piece(), QStringLiteral("TxtApport_Surface"), QStringLiteral("50000"));
    Cliquer(piece(), QStringLiteral("CmdApport_OK"));
    refuse(piece(), "TxtApport_Surface", "Surface du plancher haut", "10000 m²", QStringLiteral("50000"));
    auto* panneau = Trouver<QFrame>(piece(), QStringLiteral("CdrApport"));
    EXPECT_TRUE(panneau->isVisible());
    EXPECT_EQ(Trouver<QLineEdit>(piece(), QStringLiteral("TxtApport"))->text(), QStringLiteral("0"));

    QTest::keyClick(Trouver<QLineEdit>(piece(), QStringLiteral("TxtApport_Surface")), Qt::Key_Escape);
    ASSERT_FALSE(panneau->isVisible());
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    EXPECT_TRUE(panneau->isVisible());
    refuse(piece(), "TxtApport_Surface", "Surface du plancher haut", "10000 m²", QStringLiteral("50000"));
}

TEST_F(Bornes, LongueursDesConduites) {
    allerAuxConduites();
    Taper(conduites(), QStringLiteral("TxtLongDistri"), QStringLiteral("5000"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    refuse(conduites(), "TxtLongDistri", "Longueur des conduites de distribution (traversantes)", "1000 m",
           QStringLiteral("5000"));
    Taper(conduites(), QStringLiteral("TxtLongDistri"), QStringLiteral("5"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    EXPECT_NE(f->FeuilleAffichee(), conduites());
}
