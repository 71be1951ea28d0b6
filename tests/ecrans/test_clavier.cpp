// The keys of the main window and of the entry screens, and where the focus
// goes: each key does one thing, none throws work away unasked, and a field
// that gets the focus has its whole text selected.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmResultats.h"
#include "ExemplesEtude.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/Harnais.h"
#include "ihm/Grille.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Clavier : public ::testing::Test {
protected:
    void SetUp() override { f = DemarrerEtude(QStringLiteral("45")); }

    const FeuillesPiece& ecrans() const { return f->FeuillesDePiece(); }

    // A key pressed where the focus is, as the user presses it.
    static void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, touche, modificateurs);
        QApplication::processEvents();
    }
    // Text typed where the focus is, key by key, without selecting anything first.
    static void Frappe(const QString& texte) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), texte);
        QApplication::processEvents();
    }
    static QString NomFocus() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(aucun)");
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// Escape on page 3/4 of a room that was changed asks first: "Non" keeps it
// on its page, "Oui" drops it and nothing else: the rooms list shows, the
// stored rooms and the "modified" state are as they were. Unchanged, it
// goes without a word. An Escape that closes an open list stays there. On
// the general data screen and the rooms list, no key throws the study away.
TEST_F(Clavier, Echap) {
    AjouterPieceExemple(f->Etude().Dossier(), 1);
    f->Circuits()->RemplirGrilleCircuits();
    f->Etude().DefinirModifie(false);
    const std::vector<Piece> avant = f->Etude().Travail().LirePieces();
    SaisirPieceJusquALaPage(*f, 3);
    Taper(ecrans().Conduites, QStringLiteral("TxtLongDistri"), QStringLiteral("7"));
    boite.vider();
    Touche(Qt::Key_Escape);
    EXPECT_TRUE(boite.seul(QStringLiteral("Abandon de la saisie."),
                           QStringLiteral("Abandonner les modifications de la pièce « Séjour » ?"),
                           IconeMessage::Question, BoutonsMessage::OuiNonDefautNon));
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Conduites);
    auto* chute = Trouver<QComboBox>(ecrans().Conduites, QStringLiteral("CmbTempChute"));
    chute->setFocus(Qt::TabFocusReason);
    chute->showPopup();
    QApplication::processEvents();
    ASSERT_TRUE(chute->view()->isVisible());
    QTest::keyClick(chute->view(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(chute->view()->isVisible());
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Conduites);
    EXPECT_EQ(boite.messages.size(), 1u) << "the list closed, nothing asked";
    boite.repondre(ReponseMessage::Oui);
    Touche(Qt::Key_Escape);
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_FALSE(f->Etude().Saisie().EnCours());
    EXPECT_FALSE(f->Etude().Modifie());
    EXPECT_EQ(f->Etude().Travail().LirePieces(), avant);

    // Opened and left as it was.
    boite.vider();
    f->ModifierPiece(1);
    Touche(Qt::Key_Escape);
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    for (QWidget* ecran : {static_cast<QWidget*>(f->Circuits()), static_cast<QWidget*>(f->Generales())}) {
        SCOPED_TRACE(ecran->objectName().toStdString());
        f->AfficherFeuille(ecran);
        QApplication::processEvents();
        Touche(Qt::Key_Escape);
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
        EXPECT_EQ(f->Etude().NombrePieces(), 1);
    }
    EXPECT_TRUE(boite.messages.empty());
}

// Enter on page 2/4 runs the page's checks: refused, the page stays with the
// message; once they pass, page 3/4 shows. Enter on a button that has the
// focus presses that button.
TEST_F(Clavier, EntreeSurLaPage2ControlePuisAvance) {
    SaisirPieceJusquALaPage(*f, 1);
    Touche(Qt::Key_Return);
    ASSERT_EQ(f->FeuilleAffichee(), ecrans().Piece) << "Enter moves on from page 1/4 too";

    Touche(Qt::Key_Return);
    EXPECT_TRUE(boite.seul(QStringLiteral("Température de la pièce.")));
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Piece);

    Choisir(ecrans().Piece, QStringLiteral("CmbTempPiece"), QStringLiteral("20"));
    Choisir(ecrans().Piece, QStringLiteral("CmbNomPiece"), QStringLiteral("Séjour"));
    Taper(ecrans().Piece, QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
    Taper(ecrans().Piece, QStringLiteral("TxtDeperdPiece"), QStringLiteral("1 500"));
    Taper(ecrans().Piece, QStringLiteral("TxtEmissions"), QStringLiteral("50"));
    Choisir(ecrans().Piece, QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    boite.vider();
    Touche(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Conduites);
    EXPECT_EQ(f->Etude().Saisie().PieceEnSaisie().DeperdPiece, 1500.0) << "the thousands typed with a space";

    Trouver<QPushButton>(ecrans().Conduites, QStringLiteral("CmdPrecedent"))->setFocus(Qt::TabFocusReason);
    Touche(Qt::Key_Return);
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Piece);

    // On to the results, where Enter is "OK": the room is in the study.
    EXPECT_EQ(NomFocus(), QStringLiteral("TxtEmissions")) << "back where the page was left";
    Touche(Qt::Key_Return);
    Touche(Qt::Key_Return);
    ASSERT_EQ(f->FeuilleAffichee(), ecrans().Resultats);
    Touche(Qt::Key_Return);
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_EQ(f->Etude().NomsPieces(), QStringList{QStringLiteral("Séjour")});
}

// Rooms list: on the grid, Enter opens the chosen room, Delete deletes it
// after the question, Insert adds one.
TEST_F(Clavier, GrilleDesPieces) {
    AjouterPieceExemple(f->Etude().Dossier(), 1, "Séjour");
    AjouterPieceExemple(f->Etude().Dossier(), 2, "Cuisine");
    f->Circuits()->RemplirGrilleCircuits();
    Grille* grille = f->Circuits()->GrilleCircuit();
    f->Circuits()->SelectionnerLigne(2);
    grille->setFocus(Qt::TabFocusReason);
    Touche(Qt::Key_Return);
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Charge);
    EXPECT_EQ(f->Etude().Saisie().PieceCourante(), 2);
    Cliquer(ecrans().Charge, QStringLiteral("CmdAnnuler"));

    f->Circuits()->SelectionnerLigne(2);
    grille->setFocus(Qt::TabFocusReason);
    boite.repondre(ReponseMessage::Oui);
    Touche(Qt::Key_Delete);
    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression."),
                           QStringLiteral("Voulez vous supprimer la pièce 'Cuisine' de l'étude ?")));
    EXPECT_EQ(f->Etude().NomsPieces(), QStringList{QStringLiteral("Séjour")});

    grille->setFocus(Qt::TabFocusReason);
    Touche(Qt::Key_Insert);
    EXPECT_EQ(f->FeuilleAffichee(), ecrans().Charge);
    EXPECT_TRUE(f->Etude().Saisie().NouvellePiece());
}

// An open pop-over panel keeps the focus: Tab and Shift+Tab go round its own
// controls, the rest of the screen cannot be reached. Escape puts it away
// wherever the focus is in the screen's window, without dropping the room;
// a second Escape does.
TEST_F(Clavier, PanneauGardeLeFocus) {
    SaisirPieceJusquALaPage(*f, 2);
    auto* piece = qobject_cast<FrmPiece*>(ecrans().Piece.data());
    auto* panneau = Trouver<QWidget>(piece, QStringLiteral("CdrApport"));
    Cliquer(piece, QStringLiteral("CmdApport"));
    ASSERT_TRUE(panneau->isVisible());
    for (Qt::KeyboardModifiers sens : {Qt::NoModifier, Qt::ShiftModifier}) {
        for (int i = 0; i < 7; ++i) {
            Touche(sens == Qt::NoModifier ? Qt::Key_Tab : Qt::Key_Backtab, sens);
            EXPECT_TRUE(panneau->isAncestorOf(QApplication::focusWidget())) << NomFocus().toStdString();
        }
    }
    for (const char* nom : {"TxtEmissions", "CmdEmissions", "CmbActuelle", "CmdSuivant", "CmdAnnuler"})
        EXPECT_FALSE(Trouver<QWidget>(piece, QString::fromLatin1(nom))->isEnabled()) << nom;

    // The focus on the screen's window itself (its title bar clicked).
    QWidget* fenetre = piece->parentWidget();
    fenetre->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(fenetre, Qt::Key_Escape);
    EXPECT_FALSE(panneau->isVisible());
    EXPECT_EQ(f->FeuilleAffichee(), piece);
    EXPECT_TRUE(Trouver<QWidget>(piece, QStringLiteral("CmdSuivant"))->isEnabled());
    EXPECT_EQ(NomFocus(), QStringLiteral("CmdApport"));
    boite.repondre(ReponseMessage::Oui);
    Touche(Qt::Key_Escape);
    EXPECT_TRUE(boite.seul(QStringLiteral("Abandon de la saisie.")));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
}

