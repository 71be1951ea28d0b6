// A room entered from end to end through the four room screens: load type,
// room data, connecting pipes and results, then stored on "&OK". The rules
// of the room (its calculation, balancing, abandoning) are tested on the
// model; here, what the screens themselves decide and their wiring.

#include "ecrans/FrmCircuits.h"
#include "commun/Nombres.h"
#include "ecrans/FrmCharge.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "ecrans/VuesCommunes.h"
#include "ihm/Grille.h"
#include "stockage/FichiersTravail.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Pieces : public ::testing::Test {
protected:
    void SetUp() override { f = DemarrerEtude(QStringLiteral("45")); }

    FrmCharge* charge() const { return f->FeuillesDePiece().Charge; }
    FrmPiece* piece() const { return f->FeuillesDePiece().Piece; }
    FrmConduites* conduites() const { return f->FeuillesDePiece().Conduites; }
    FrmResultats* resultats() const { return f->FeuillesDePiece().Resultats; }

    void taperNom(const QString& nom) {
        auto* liste = Trouver<QComboBox>(piece(), QStringLiteral("CmbNomPiece"));
        liste->lineEdit()->setFocus();
        liste->lineEdit()->selectAll();
        // Key by key; an accented letter has no key of its own here.
        for (const QChar c : nom)
            QTest::sendKeyEvent(QTest::Click, liste->lineEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // The kitchen, an edge zone on a loop of its own, typed on pages 1 to 3
    // with both panels of the room data: standing on page 3.
    void saisirCuisine() {
        Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
        Cliquer(charge(), QStringLiteral("OptCharge_1"));
        Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("4"));
        Choisir(charge(), QStringLiteral("CmbPasVZ"), QStringLiteral("5"));
        Cliquer(charge(), QStringLiteral("CmdSuivant"));
        taperNom(QStringLiteral("Cuisine"));
        Choisir(piece(), QStringLiteral("CmbTempPiece"), QStringLiteral("19"));
        const std::pair<const char*, const char*> champs[] = {
            {"TxtSurface_0", "16"}, {"TxtSurface_1", "1"}, {"TxtDeperdPiece", "1200"},
            {"TxtDeperdPlancher", "150"}, {"TxtEmissions", "40"}};
        for (auto [champ, texte] : champs)
            Taper(piece(), QString::fromLatin1(champ), QString::fromLatin1(texte));
        Cliquer(piece(), QStringLiteral("CmdApport"));
        Taper(piece(), QStringLiteral("TxtApport_Surface"), QStringLiteral("12.5"));
        Choisir(piece(), QStringLiteral("CmbApport_Iso"), QStringLiteral("4"));
        Cliquer(piece(), QStringLiteral("CmdApport_OK"));
        Choisir(piece(), QStringLiteral("CmbActuelle"), QStringLiteral("0.10"));
        Cliquer(piece(), QStringLiteral("CmdSuivant"));
        Taper(conduites(), QStringLiteral("TxtLongRaccordNormale"), QStringLiteral("4"));
        Taper(conduites(), QStringLiteral("TxtLongDistri"), QStringLiteral("2,5"));
        Taper(conduites(), QStringLiteral("TxtLongRaccordBordure"), QStringLiteral("3"));
        Choisir(conduites(), QStringLiteral("CmbTempChute"), QStringLiteral("10"));
        ASSERT_EQ(f->FeuilleAffichee(), conduites());
    }

    // The results grid shows the model's rows of the room calculated last,
    // texts and formats.
    void resultatsDuModele() const {
        const Grille* grille = resultats()->GrilleResult();
        const auto lignes = f->Etude().Saisie().LignesResultats();
        for (int l = 0; l < NombreLignesResultats; ++l) {
            EXPECT_EQ(grille->texte(l, 2), QString::fromStdString(lignes[l].Valeur)) << l;
            EXPECT_EQ(grille->gras(l, 2), lignes[l].Format.Gras) << l;
            EXPECT_EQ(grille->couleurTexte(l, 2), CouleurAffichee(lignes[l].Format.Couleur)) << l;
            EXPECT_EQ(grille->infoBulle(l, 2), QString::fromStdString(lignes[l].InfoBulle)) << l;
        }
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

// Ceiling gain 12.5 m² over 4 cm of insulation; an unchosen future covering
// takes the present one.
const Piece Cuisine{.TypeCharge = Charge::Elevee, .SurfaceBordure = 4, .PasVZBordure = PasVZ::VZ5,
                    .NomPiece = "Cuisine", .TempPiece = 19, .SurfacePiece = 16, .SurfaceEmprises = 1,
                    .SurfacePlafond = 12.5, .DeperdPiece = 1200, .DeperdPlancher = 150,
                    .ApportPlafond = FluxAtraversIsolant(12.5, 4), .EmissionsBas = 40,
                    .RthActuelle = Resistance::R010, .RthFuture = Resistance::R010, .IsoApport = 4,
                    .IsoEmissions = 4, .LongRaccordNormale = 4, .LongDistri = 2.5, .LongRaccordBordure = 3,
                    .TempChute = 10};

} // namespace

// The room typed reaches the model as it was typed; the results show what
// the model calculated, the same after going back and forth; "&OK" stores
// it and the rooms list names it. Opened again, the screens show it without
// marking the study modified; a change is stored over it.
TEST_F(Pieces, DeBoutEnBoutPuisModifiee) {
    saisirCuisine();
    EXPECT_TRUE(Trouver(conduites(), QStringLiteral("TxtLongRaccordBordure"))->isVisible()) << "its own edge loop";
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f->FeuilleAffichee(), resultats());
    EXPECT_EQ(f->Etude().Saisie().PieceEnSaisie(), Cuisine);
    resultatsDuModele();
    EXPECT_TRUE(resultats()->GrilleResult()->selectedItems().isEmpty()) << "no cell shown selected";
    Cliquer(resultats(), QStringLiteral("CmdPrecedent"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    resultatsDuModele();
    Cliquer(resultats(), QStringLiteral("cmdOK"));
    ASSERT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_EQ(f->Etude().Travail().LirePieces(), std::vector<Piece>{Cuisine});
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(1, 1), QStringLiteral("Cuisine"));

    f->Etude().DefinirModifie(false);
    f->Circuits()->SelectionnerLigne(1);
    Cliquer(f->Circuits(), QStringLiteral("CmdModifier"));
    EXPECT_FALSE(f->Etude().Modifie()) << "filling the screens is no change";
    EXPECT_EQ(piece()->windowTitle(), QStringLiteral("Données de la pièce (Cuisine)"));
    EXPECT_EQ(Trouver<QLineEdit>(conduites(), QStringLiteral("TxtLongDistri"))->text(), QStringLiteral("2,5"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    taperNom(QStringLiteral("Cuisine ouverte"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    Cliquer(resultats(), QStringLiteral("cmdOK"));
    EXPECT_TRUE(f->Etude().Modifie());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(1, 1), QStringLiteral("Cuisine ouverte"));
    EXPECT_EQ(f->Etude().NombrePieces(), 1);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
}

// Load type screen: a new room arrives with a drop of 8 K, which is no
// change; each option's field states and explanation, and the "Surface."
// check of the edge zone with the focus on its field.
TEST_F(Pieces, TypesDeCharge) {
    f->Etude().DefinirModifie(false);
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    EXPECT_EQ(Trouver<QComboBox>(conduites(), QStringLiteral("CmbTempChute"))->currentText(), QStringLiteral("8"));
    EXPECT_FALSE(f->Etude().Modifie());
    auto* surface = Trouver<QLineEdit>(charge(), QStringLiteral("TxtSurfaceBordure"));
    auto* pas = Trouver<QComboBox>(charge(), QStringLiteral("CmbPasVZ"));
    auto* commentaire = Trouver(charge(), QStringLiteral("TxtCommentaire"));
    const struct {
        Charge type;
        bool surface, pas;
    } cas[] = {{Charge::Elevee, true, true}, {Charge::Angle, false, true}, {Charge::Combinee, true, true},
               {Charge::Normale, false, false}};
    for (const auto& k : cas) {
        SCOPED_TRACE(static_cast<int>(k.type));
        if (surface->isEnabled())
            Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("8"));
        Cliquer(charge(), QStringLiteral("OptCharge_%1").arg(static_cast<int>(k.type)));
        EXPECT_EQ(surface->text(), QStringLiteral("0"));
        EXPECT_EQ(surface->isEnabled(), k.surface);
        EXPECT_EQ(pas->isEnabled(), k.pas);
        EXPECT_EQ(commentaire->property("plainText").toString(), FrmCharge::Commentaire(k.type));
        EXPECT_TRUE(f->Etude().Modifie());
        boite.vider();
        Cliquer(charge(), QStringLiteral("CmdSuivant"));
        if (k.surface) {
            EXPECT_TRUE(boite.seul(QStringLiteral("Surface."), {}, IconeMessage::Exclamation));
            EXPECT_EQ(f->FeuilleAffichee(), charge());
            EXPECT_TRUE(surface->hasFocus());
        } else {
            EXPECT_TRUE(boite.messages.empty());
            ASSERT_EQ(f->FeuilleAffichee(), piece());
            Cliquer(piece(), QStringLiteral("CmdPrecedent"));
        }
    }
}

// Room screen: the seven checks in order, each with its message and the
// focus on its field; fixing one brings the next.
TEST_F(Pieces, ControleDeLaPiece) {
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(charge(), QStringLiteral("OptCharge_2"));
    Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("9,5"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    const struct {
        const char* titre;
        const char* focus;
        std::function<void()> correction;
    } etapes[] = {
        {"Température de la pièce.", "CmbTempPiece",
         [&] { Choisir(piece(), QStringLiteral("CmbTempPiece"), QStringLiteral("20")); }},
        // Spaces alone are no name.
        {"Nom de la pièce.", "CmbNomPiece", [&] { taperNom(QStringLiteral("   ")); }},
        {"Nom de la pièce.", "CmbNomPiece", [&] { taperNom(QStringLiteral("Séjour")); }},
        {"Surface de la pièce.", "TxtSurface_0",
         [&] {
             Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
             Taper(piece(), QStringLiteral("TxtSurface_1"), QStringLiteral("2"));
         }},
        // Half the usable floor is 9 m²: 9,5 m² of edge zone is too much.
        {"Surface de bordure.", "TxtSurface_0",
         [&] {
             Cliquer(piece(), QStringLiteral("CmdPrecedent"));
             Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("9"));
             Cliquer(charge(), QStringLiteral("CmdSuivant"));
         }},
        {"Déperditions de la pièce.", "TxtDeperdPiece",
         [&] { Taper(piece(), QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500")); }},
        {"Emissions du plancher.", "TxtEmissions",
         [&] { Taper(piece(), QStringLiteral("TxtEmissions"), QStringLiteral("50")); }},
        {"Rth actuelle", "CmbActuelle", [&] { Choisir(piece(), QStringLiteral("CmbActuelle"), QStringLiteral("0.07")); }},
    };
    for (const auto& e : etapes) {
        SCOPED_TRACE(e.titre);
        boite.vider();
        Cliquer(piece(), QStringLiteral("CmdSuivant"));
        EXPECT_TRUE(boite.seul(QString::fromUtf8(e.titre), {}, IconeMessage::Exclamation, BoutonsMessage::OK));
        EXPECT_EQ(f->FeuilleAffichee(), piece());
        QWidget* focus = QApplication::focusWidget();
        QWidget* attendu = piece()->findChild<QWidget*>(QString::fromLatin1(e.focus));
        EXPECT_TRUE(focus && attendu && (focus == attendu || attendu->isAncestorOf(focus)));
        e.correction();
    }
    boite.vider();
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), conduites());
    EXPECT_EQ(Trouver<QComboBox>(piece(), QStringLiteral("CmbFuture"))->currentText(), QStringLiteral("0.07"));
}


// A new room shows the study's defaults on its screens; the name chosen
// sets its temperature until the user chooses one by hand.
TEST_F(Pieces, NouvellePieceDepuisLesDefauts) {
    DefautsPieces d = f->Etude().DefautsAffiches();
    d.TempChute = 7;
    d.RthActuelle = Resistance::R005;
    d.IsoEmissions = 8;
    d.LongRaccordNormale = 4.5;
    ASSERT_TRUE(f->Etude().ChangerDefautsPieces(d));
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    const auto texte = [](const QWidget* ecran, const char* liste) {
        return Trouver<QComboBox>(ecran, QString::fromLatin1(liste))->currentText();
    };
    EXPECT_EQ(texte(piece(), "CmbTempPiece"), QString());
    Choisir(piece(), QStringLiteral("CmbNomPiece"), QStringLiteral("Salle de bain"));
    EXPECT_EQ(texte(piece(), "CmbTempPiece"), QStringLiteral("22"));
    EXPECT_EQ(texte(piece(), "CmbActuelle"), QStringLiteral("0.05"));
    EXPECT_EQ(texte(piece(), "CmbFuture"), QString());
    EXPECT_EQ(texte(piece(), "CmbEmissions_Iso"), QStringLiteral("8"));
    EXPECT_EQ(texte(piece(), "CmbApport_Iso"), QStringLiteral("4"));
    auto* temperature = Trouver<QComboBox>(piece(), QStringLiteral("CmbTempPiece"));
    Choisir(piece(), QStringLiteral("CmbTempPiece"), QStringLiteral("21"));
    emit temperature->activated(temperature->currentIndex()); // as a user's choice
    taperNom(QStringLiteral("Séjour"));
    EXPECT_EQ(texte(piece(), "CmbTempPiece"), QStringLiteral("21"));
    EXPECT_EQ(Trouver<QLineEdit>(conduites(), QStringLiteral("TxtLongRaccordNormale"))->text(), QStringLiteral("4,5"));
    EXPECT_EQ(texte(conduites(), "CmbTempChute"), QStringLiteral("7"));
}

// The downward emission made by its panel follows the room's surface as it
// is typed, key by key; once typed by hand it stays.
TEST_F(Pieces, EstimationsQuiSuiventLesSurfaces) {
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
    Taper(piece(), QStringLiteral("TxtSurface_1"), QStringLiteral("2"));
    Cliquer(piece(), QStringLiteral("CmdEmissions"));
    Choisir(piece(), QStringLiteral("CmbEmissions_Iso"), QStringLiteral("8"));
    Cliquer(piece(), QStringLiteral("CmdEmission_OK"));
    auto* emissions = Trouver<QLineEdit>(piece(), QStringLiteral("TxtEmissions"));
    EXPECT_EQ(emissions->text(), QStringLiteral("46,44"));
    Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("25"));
    EXPECT_EQ(emissions->text(), QStringLiteral("59,34"));
    Taper(piece(), QStringLiteral("TxtEmissions"), QStringLiteral("50"));
    Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("30"));
    EXPECT_EQ(emissions->text(), QStringLiteral("50"));
}
