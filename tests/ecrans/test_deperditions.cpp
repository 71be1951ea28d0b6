// The wiring of the climate and losses dialogs: opened from the menu and
// from the room screen, their checks, and what "OK" and "Annuler" leave in
// the study and on the room screen. Their rules are tested on the model.

#include "ecrans/FrmClimat.h"
#include "ecrans/FrmDeperditions.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/Harnais.h"
#include "modele/SaisieClimat.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Deperditions : public ::testing::Test {
protected:
    FrmPiece* piece() const { return f->FeuillesDePiece().Piece; }
    template <class D>
    D* dialogue() const {
        Detruire();
        return f->findChild<D*>();
    }
    QString texte(const QObject* racine, const char* nom) const {
        return Trouver<QLineEdit>(racine, QString::fromLatin1(nom))->text();
    }
    // Every control the user acts on carries a name and a caption.
    static void commandesNommees(const QWidget* fenetre) {
        for (QWidget* w : fenetre->findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractItemView*>(w->parentWidget()))
                continue;
            EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }

    // A studies folder of the test's own: tests run side by side.
    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// "Climat du site..." refuses a climate without outdoor temperature or
// thermal bridges; "OK" gives the study the climate typed, and the dialog
// opens again on it; "Annuler" keeps it.
TEST_F(Deperditions, ClimatDuSite) {
    f = DemarrerEtude();
    Declencher(f.get(), QStringLiteral("MnuClimat"));
    auto* climat = dialogue<FrmClimat>();
    ASSERT_NE(climat, nullptr);
    commandesNommees(climat);
    Cliquer(climat, QStringLiteral("CmdOK"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Température extérieure de base."),
                           QStringLiteral("Entrer la température extérieure de base du site !")));
    EXPECT_EQ(QApplication::focusWidget(), Trouver(climat, QStringLiteral("TxtTempExterieure")));
    Taper(climat, QStringLiteral("TxtDepartement"), QStringLiteral("38"));
    Taper(climat, QStringLiteral("TxtAltitude"), QStringLiteral("300"));
    Taper(climat, QStringLiteral("TxtTempExterieure"), QStringLiteral("-12"));
    boite.vider();
    Cliquer(climat, QStringLiteral("CmdOK"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Ponts thermiques."), QStringLiteral("Choisir le niveau des ponts thermiques !")));
    Choisir(climat, QStringLiteral("CmbPontsThermiques"), TextePontsThermiques(0.10));
    f->Etude().DefinirModifie(false);
    Cliquer(climat, QStringLiteral("CmdOK"));
    const ClimatSite attendu{.Departement = "38", .Altitude = 300, .TempExterieure = -12, .PontsThermiques = 0.10};
    EXPECT_EQ(f->Etude().Climat(), attendu);
    EXPECT_TRUE(f->Etude().Modifie());

    Declencher(f.get(), QStringLiteral("MnuClimat"));
    climat = dialogue<FrmClimat>();
    ASSERT_NE(climat, nullptr);
    EXPECT_EQ(texte(climat, "TxtTempExterieure"), QStringLiteral("-12"));
    EXPECT_EQ(Trouver<QComboBox>(climat, QStringLiteral("CmbPontsThermiques"))->currentText(), TextePontsThermiques(0.10));
    Taper(climat, QStringLiteral("TxtTempExterieure"), QStringLiteral("-5"));
    Cliquer(climat, QStringLiteral("CmdAnnuler"));
    EXPECT_EQ(f->Etude().Climat(), attendu);
}

// "..." of the room data: without a climate the climate dialog comes
// first, then the losses dialog; its results follow the typing, a number
// out of bounds is refused and selected, "OK" fills both fields and keeps
// the details, "Annuler" leaves them.
TEST_F(Deperditions, DialogueDeLaPiece) {
    f = DemarrerEtude();
    SaisirPieceJusquALaPage(*f, 2);
    boite.repondre(ReponseMessage::Non);
    Cliquer(piece(), QStringLiteral("CmdDeperditions"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Climat du site.")));
    EXPECT_EQ(dialogue<FrmClimat>(), nullptr);
    boite.vider();
    boite.repondre(ReponseMessage::Oui);
    Cliquer(piece(), QStringLiteral("CmdDeperditions"));
    auto* climat = dialogue<FrmClimat>();
    ASSERT_NE(climat, nullptr);
    Taper(climat, QStringLiteral("TxtTempExterieure"), QStringLiteral("-10"));
    Choisir(climat, QStringLiteral("CmbPontsThermiques"), TextePontsThermiques(0.02));
    Cliquer(climat, QStringLiteral("CmdOK"));

    auto* d = dialogue<FrmDeperditions>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Déperditions de la pièce (Séjour)"));
    commandesNommees(d);
    // 10 m² of floor, U 0.5 + 0.02, over an unheated space (b 0.5), 30 K.
    Cliquer(d, QStringLiteral("CmdAjouterElement"));
    Choisir(d, QStringLiteral("CmbNature_1"), QStringLiteral("Plancher"));
    Choisir(d, QStringLiteral("CmbContact_1"), QStringLiteral("Local non chauffé"));
    Taper(d, QStringLiteral("TxtSurfaceElement_1"), QStringLiteral("10"));
    Taper(d, QStringLiteral("TxtU_1"), QStringLiteral("25"));
    Taper(d, QStringLiteral("TxtB_1"), QStringLiteral("0.5"));
    boite.vider();
    Cliquer(d, QStringLiteral("CmdOK"));
    EXPECT_TRUE(boite.seul(QStringLiteral("U de l'élément 1.")));
    EXPECT_EQ(QApplication::focusWidget(), Trouver(d, QStringLiteral("TxtU_1")));
    Taper(d, QStringLiteral("TxtU_1"), QStringLiteral("0.5"));
    EXPECT_EQ(Trouver<QLabel>(d, QStringLiteral("LblTotal"))->text(), QStringLiteral("78 W"));
    Cliquer(d, QStringLiteral("CmdOK"));
    EXPECT_EQ(texte(piece(), "TxtDeperdPiece"), QStringLiteral("78"));
    EXPECT_EQ(texte(piece(), "TxtDeperdPlancher"), QStringLiteral("78"));
    EXPECT_EQ(Trouver<QLabel>(piece(), QStringLiteral("LblEtatDeperditions"))->text(),
              QStringLiteral("Valeurs calculées d'après le détail des parois."));
    ASSERT_TRUE(f->Etude().Saisie().PieceEnSaisie().Deperditions);
    const DeperditionsPiece gardes = *f->Etude().Saisie().PieceEnSaisie().Deperditions;
    EXPECT_EQ(gardes.Elements.size(), 1u);

    Cliquer(piece(), QStringLiteral("CmdDeperditions"));
    d = dialogue<FrmDeperditions>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(texte(d, "TxtSurfaceElement_1"), QStringLiteral("10"));
    Taper(d, QStringLiteral("TxtDesignation_1"), QStringLiteral("Plancher bas"));
    Cliquer(d, QStringLiteral("CmdSupprimerElement"));
    EXPECT_EQ(Trouver<QLabel>(d, QStringLiteral("LblTotal"))->text(), QStringLiteral("0 W"));
    Cliquer(d, QStringLiteral("CmdAnnuler"));
    EXPECT_EQ(f->Etude().Saisie().PieceEnSaisie().Deperditions, gardes);
    EXPECT_EQ(texte(piece(), "TxtDeperdPiece"), QStringLiteral("78"));
}
