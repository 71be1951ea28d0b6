// The room screens refuse a number beyond what a study may hold (the
// bounds are the model's): the message, the focus back on the field with
// its text selected, and the screen stays.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/Harnais.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Bornes : public ::testing::Test {
protected:
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

// A number beyond its bound is refused on the page's "Suivant", typed or
// pasted (a minus sign cannot be typed alone); corrected, the page moves on.
TEST_F(Bornes, ChaquePage) {
    const struct {
        int page; // 1 to 3
        const char* champ;
        const char* saisie;
        const char* legende;
        const char* borne;
        const char* correction;
    } cas[] = {
        {1, "TxtSurfaceBordure", "20000", "Surface zone de bordure (élevée/limite)", "10000 m²", "4"},
        {2, "TxtDeperdPlancher", "2000000", "Déperditions du plancher", "1000000 W", "200"},
        {2, "TxtSurface_1", "-2", "Surface des emprises", "10000 m²", "2"},
        {3, "TxtLongDistri", "5000", "Longueur des conduites de distribution (traversantes)", "1000 m", "5"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.champ);
        f = DemarrerEtude(QStringLiteral("45"));
        Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
        Cliquer(charge(), QStringLiteral("OptCharge_1"));
        if (k.page > 1) {
            Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("4"));
            allerALaPiece();
        }
        if (k.page > 2) {
            Cliquer(piece(), QStringLiteral("CmdSuivant"));
            ASSERT_EQ(f->FeuilleAffichee(), conduites());
        }
        QWidget* ecran = f->FeuilleAffichee();
        Trouver<QLineEdit>(ecran, QString::fromLatin1(k.champ))->setText(QString::fromLatin1(k.saisie));
        boite.vider();
        Cliquer(ecran, QStringLiteral("CmdSuivant"));
        refuse(ecran, k.champ, k.legende, k.borne, QString::fromLatin1(k.saisie));
        Taper(ecran, QString::fromLatin1(k.champ), QString::fromLatin1(k.correction));
        Cliquer(ecran, QStringLiteral("CmdSuivant"));
        EXPECT_NE(f->FeuilleAffichee(), ecran);
        f.reset();
    }
}

