// A room entered from end to end through the four room screens: load type,
// room data, connecting pipes and results, then stored on "&OK". The rules
// of the room (balancing, abandoning, deleting) are tested on the study
// model; here, what the screens themselves decide and their wiring.

#include "calcul/ModCalcul.h"
#include "commun/Nombres.h"
#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmConduites.h"
#include "ecrans/FrmPiece.h"
#include "ecrans/FrmResultats.h"
#include "ecrans/Harnais.h"
#include "etude/PresentationResultats.h"
#include "ihm/Grille.h"
#include "stockage/ModEnregistrer.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

template <std::size_t N>
QByteArray Octets(const std::array<char, N>& a) {
    return QByteArray(a.data(), static_cast<qsizetype>(N));
}

QString T(double x) { return QString::fromStdString(FormatGeneral(Arrondir(x, 2))); }

// What the user types on the three entry screens. Empty texts are left as
// the screen has them.
struct Saisie {
    int type = 0;
    QString surfaceBordure, pas;
    QString nom, temperature, surface, emprises, deperdPiece, deperdPlancher;
    QString apportSurface, apportIso; // through the "..." panel
    QString emissions, emissionsIso;  // emissionsIso: through the panel
    QString actuelle, future;
    QString raccord, distri, raccordBordure, chute;
};

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
        for (const QChar c : nom) {
            if (c.unicode() < 128)
                QTest::keyClick(liste->lineEdit(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, liste->lineEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void taperSi(QWidget* ecran, const char* champ, const QString& texte) {
        if (!texte.isEmpty())
            Taper(ecran, QString::fromLatin1(champ), texte);
    }
    static void choisirSi(QWidget* ecran, const char* liste, const QString& texte) {
        if (!texte.isEmpty())
            Choisir(ecran, QString::fromLatin1(liste), texte);
    }

    // Pages 1 to 3 filled, standing on page 3.
    void remplirJusquAuxConduites(const Saisie& s) {
        ASSERT_EQ(f->FeuilleAffichee(), charge());
        if (s.type != 0)
            Cliquer(charge(), QStringLiteral("OptCharge_%1").arg(s.type));
        taperSi(charge(), "TxtSurfaceBordure", s.surfaceBordure);
        choisirSi(charge(), "CmbPasVZ", s.pas);
        Cliquer(charge(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), piece());

        taperNom(s.nom);
        choisirSi(piece(), "CmbTempPiece", s.temperature);
        taperSi(piece(), "TxtSurface_0", s.surface);
        taperSi(piece(), "TxtSurface_1", s.emprises);
        taperSi(piece(), "TxtDeperdPiece", s.deperdPiece);
        taperSi(piece(), "TxtDeperdPlancher", s.deperdPlancher);
        if (!s.apportSurface.isEmpty()) {
            Cliquer(piece(), QStringLiteral("CmdApport"));
            Taper(piece(), QStringLiteral("TxtApport_Surface"), s.apportSurface);
            Choisir(piece(), QStringLiteral("CmbApport_Iso"), s.apportIso);
            Cliquer(piece(), QStringLiteral("CmdApport_OK"));
        }
        taperSi(piece(), "TxtEmissions", s.emissions);
        if (!s.emissionsIso.isEmpty()) {
            Cliquer(piece(), QStringLiteral("CmdEmissions"));
            Choisir(piece(), QStringLiteral("CmbEmissions_Iso"), s.emissionsIso);
            Cliquer(piece(), QStringLiteral("CmdEmission_OK"));
        }
        choisirSi(piece(), "CmbActuelle", s.actuelle);
        choisirSi(piece(), "CmbFuture", s.future);
        Cliquer(piece(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), conduites());

        taperSi(conduites(), "TxtLongRaccordNormale", s.raccord);
        taperSi(conduites(), "TxtLongDistri", s.distri);
        taperSi(conduites(), "TxtLongRaccordBordure", s.raccordBordure);
        choisirSi(conduites(), "CmbTempChute", s.chute);
    }

    void saisirEtAccepter(const Saisie& s) {
        Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
        remplirJusquAuxConduites(s);
        Cliquer(conduites(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), resultats());
        grilles.push_back(valeurs());
        Cliquer(resultats(), QStringLiteral("cmdOK"));
        ASSERT_EQ(f->FeuilleAffichee(), f->Circuits());
    }

    // The record the three entry screens hold now.
    DonneesPiece ecransEnregistrement() const {
        DonneesPiece d;
        charge()->RemplirEnregistrement(d);
        piece()->RemplirEnregistrement(d);
        conduites()->RemplirEnregistrement(d);
        return d;
    }

    QStringList valeurs() const {
        QStringList v;
        for (int l = 0; l < NombreLignesResultats; ++l)
            v << resultats()->GrilleResult()->texte(l, 2);
        return v;
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
    std::vector<QStringList> grilles;
};

// The two rooms of the end-to-end test, as typed and as recorded: every
// field of the three entry screens, both panels included.
const Saisie Cuisine = {1, QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("Cuisine"),
                        QStringLiteral("19"), QStringLiteral("16"), QStringLiteral("1"), QStringLiteral("1200"),
                        QStringLiteral("150"), QStringLiteral("12.5"), QStringLiteral("4"),
                        QStringLiteral("40"), {}, QStringLiteral("0.10"), {}, QStringLiteral("4"),
                        QStringLiteral("2,5"), QStringLiteral("3"), QStringLiteral("10")};
const Saisie Sejour = {0, {}, {}, QStringLiteral("Séjour"), QStringLiteral("20"), QStringLiteral("25"),
                       QStringLiteral("2"), QStringLiteral("1500"), QStringLiteral("200"), {}, {}, {},
                       QStringLiteral("8"), QStringLiteral("0.05"), QStringLiteral("0.10"), QStringLiteral("6"),
                       {}, {}, {}};

// Ceiling gain of the kitchen: 12.5 m² over 4 cm, 12.5 x 5.08 = 63.5 W;
// downward emission of the living room: 23 m² net over 8 cm of insulation,
// 23 x 2.58 = 59.34 W. The pitch list of a normal load keeps its "10"; an
// unchosen future resistance takes the present one.
const DonneesPiece RecordCuisine{.TypeCharge = 1, .SurfaceBordure = 4, .PasVZBordure = "5", .NomPiece = "Cuisine",
                                 .TempPiece = "19", .SurfacePiece = 16, .SurfaceEmprises = 1, .SurfacePlafond = 12.5,
                                 .DeperdPiece = 1200, .DeperdPlancher = 150, .ApportPlafond = 12.5 * 5.08,
                                 .EmissionsBas = 40, .RthActuelle = "0.10", .RthFuture = "0.10", .IsoApport = "4",
                                 .IsoEmissions = "4", .LongRaccordNormale = 4, .LongDistri = 2.5,
                                 .LongRaccordBordure = 3, .TempChute = 10};
const DonneesPiece RecordSejour{.TypeCharge = 0, .PasVZBordure = "10", .NomPiece = "Séjour", .TempPiece = "20",
                                .SurfacePiece = 25, .SurfaceEmprises = 2, .DeperdPiece = 1500, .DeperdPlancher = 200,
                                .EmissionsBas = 23 * 2.58, .RthActuelle = "0.05", .RthFuture = "0.10",
                                .IsoApport = "4", .IsoEmissions = "8", .LongRaccordNormale = 6, .TempChute = 8};

// The calculation with its twenty inputs spelled out by hand from the record,
// for a 16x20 pipe on mesh at a supply of 45 °C: independent of the way the
// screens gather them.
ResultatsPiece Calculer(const DonneesPiece& d, double perteMax) {
    return CalculPiece(EntreesPiece{
        .TempDepart = 45, .TempChute = d.TempChute, .TempPiece = static_cast<std::int16_t>(std::stoi(d.TempPiece)),
        .TypeCharge = d.TypeCharge, .SurfacePiece = d.SurfacePiece, .SurfaceEmprises = d.SurfaceEmprises,
        .SurfaceBordure = d.SurfaceBordure, .Support = "Treillis", .Tube = "16x20", .RthActuelle = d.RthActuelle,
        .RthFuture = d.RthFuture, .PasVZBordure = d.PasVZBordure, .DeperdPiece = d.DeperdPiece,
        .DeperdPlancher = d.DeperdPlancher, .ApportPlafond = d.ApportPlafond,
        .LongRaccordNormale = d.LongRaccordNormale, .LongRaccordBordure = d.LongRaccordBordure,
        .LongDistri = d.LongDistri, .EmissionsBas = d.EmissionsBas, .PerteMaxEtude = perteMax});
}

} // namespace

TEST_F(Pieces, DeuxPiecesDeBoutEnBout) {
    saisirEtAccepter(Cuisine);
    saisirEtAccepter(Sejour);
    ASSERT_EQ(grilles.size(), 2u);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();

    const DonneesPiece attendus[] = {RecordCuisine, RecordSejour};
    QByteArray pieces, pertes;
    double perteMax = 0; // the rooms accepted before each one balance it
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(attendus[i].NomPiece);
        const ResultatsPiece r = Calculer(attendus[i], perteMax);
        // The grid shows the presentation of these results, row by row.
        const auto lignes = LignesResultatsPiece(attendus[i], Tube16x20, r);
        for (int l = 0; l < NombreLignesResultats; ++l)
            EXPECT_EQ(grilles[static_cast<std::size_t>(i)][l], QString::fromStdString(lignes[l].Valeur)) << l;
        const PerteCharge p = PerteChargePiece(r.PerteNormale, r.PerteBordure);
        perteMax = std::max(perteMax, p.PerteMax);
        pieces += Octets(Encoder(attendus[i]));
        pertes += Octets(Encoder(p));
    }
    EXPECT_EQ(Contenu(FichierEtude), pieces);
    EXPECT_EQ(Contenu(FichierPerte), pertes);
    // Mesh, 16x20 mm, 45 °C, 6 cm of traditional screed.
    const DonneesGenerales g{.Support = 0, .Tube = 1, .TempDepart = "45", .EpaisChape = 6, .Chape = 0};
    EXPECT_EQ(Contenu(FichierGenerales), Octets(Encoder(g)));
    const Grille* liste = f->Circuits()->GrilleCircuit();
    EXPECT_EQ(liste->texte(1, 1), QStringLiteral("Cuisine"));
    EXPECT_EQ(liste->texte(2, 0), QStringLiteral("2"));
    EXPECT_EQ(liste->texte(2, 1), QStringLiteral("Séjour"));

    // Editing room 1 rewrites record 1 of both files only.
    f->Etude().DefinirModifie(false);
    f->Circuits()->SelectionnerLigne(1);
    Cliquer(f->Circuits(), QStringLiteral("CmdModifier"));
    EXPECT_FALSE(f->Etude().Modifie()) << "filling the screens is no change";
    ASSERT_EQ(f->FeuilleAffichee(), charge());
    // The screens hold record 1 (read back from the fields), decimals shown the French way.
    EXPECT_EQ(piece()->windowTitle(), QStringLiteral("Données de la pièce (Cuisine)"));
    EXPECT_EQ(Trouver<QLineEdit>(piece(), QStringLiteral("TxtApport"))->text(), QStringLiteral("63,5"));
    EXPECT_EQ(Trouver<QLineEdit>(conduites(), QStringLiteral("TxtLongDistri"))->text(), QStringLiteral("2,5"));
    EXPECT_EQ(ecransEnregistrement(), RecordCuisine);

    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    taperNom(QStringLiteral("Cuisine ouverte"));
    Taper(piece(), QStringLiteral("TxtDeperdPiece"), QStringLiteral("1300"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    ASSERT_EQ(f->FeuilleAffichee(), resultats());
    const ResultatsPiece r = f->Etude().Resultats();
    Cliquer(resultats(), QStringLiteral("cmdOK"));
    EXPECT_TRUE(f->Etude().Modifie());

    DonneesPiece cuisine = RecordCuisine;
    cuisine.NomPiece = "Cuisine ouverte";
    cuisine.DeperdPiece = 1300;
    const int P = DonneesPiece::Longueur, Q = PerteCharge::Longueur;
    EXPECT_EQ(Contenu(FichierEtude), Octets(Encoder(cuisine)) + pieces.mid(P));
    EXPECT_EQ(Contenu(FichierPerte), Octets(Encoder(PerteChargePiece(r.PerteNormale, r.PerteBordure))) + pertes.mid(Q));
    EXPECT_EQ(liste->texte(1, 1), QStringLiteral("Cuisine ouverte"));
}

// "&Annuler" on each room screen drops the room: no file changes, the rooms
// list shows and the room menu is back.
TEST_F(Pieces, AnnulerSurChaqueEcran) {
    SaisirPieceJusquALaPage(*f, 4);
    Cliquer(resultats(), QStringLiteral("cmdOK"));
    const QByteArray pieces = Contenu(FichierEtude);
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        f->Circuits()->SelectionnerLigne(1);
        Cliquer(f->Circuits(), QStringLiteral("CmdModifier"));
        EXPECT_FALSE(Trouver<QAction>(f.get(), QStringLiteral("MnuAjouterPiece"))->isEnabled());
        QWidget* ecrans[] = {charge(), piece(), conduites(), resultats()};
        for (int p = 0; p < page; ++p)
            Cliquer(ecrans[p], QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), ecrans[page]);
        Taper(piece(), QStringLiteral("TxtDeperdPiece"), QStringLiteral("999"));
        Cliquer(ecrans[page], QStringLiteral("CmdAnnuler"));
        EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
        EXPECT_FALSE(f->Etude().SaisieEnCours());
        EXPECT_TRUE(Trouver<QAction>(f.get(), QStringLiteral("MnuAjouterPiece"))->isEnabled());
        EXPECT_EQ(Contenu(FichierEtude), pieces);
    }
    EXPECT_TRUE(boite.messages.empty());
}

// A new room arrives with a drop of 8 K, which is no change. Load type
// screen: each option's field states, and the "Surface." check of the edge
// zone.
TEST_F(Pieces, TypesDeCharge) {
    f->Etude().DefinirModifie(false);
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    EXPECT_EQ(Trouver<QComboBox>(conduites(), QStringLiteral("CmbTempChute"))->currentText(), QStringLiteral("8"));
    EXPECT_FALSE(f->Etude().Modifie());
    auto* surface = Trouver<QLineEdit>(charge(), QStringLiteral("TxtSurfaceBordure"));
    auto* pas = Trouver<QComboBox>(charge(), QStringLiteral("CmbPasVZ"));
    auto* commentaire = charge()->findChild<QWidget*>(QStringLiteral("TxtCommentaire"));
    ASSERT_NE(commentaire, nullptr);
    EXPECT_FALSE(surface->isEnabled());
    EXPECT_FALSE(pas->isEnabled());

    const struct {
        int type;
        bool surface, pas;
    } cas[] = {{1, true, true}, {3, false, true}, {2, true, true}, {0, false, false}};
    for (const auto& k : cas) {
        SCOPED_TRACE(k.type);
        if (surface->isEnabled())
            Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("8"));
        Cliquer(charge(), QStringLiteral("OptCharge_%1").arg(k.type));
        EXPECT_EQ(surface->text(), QStringLiteral("0"));
        EXPECT_EQ(surface->isEnabled(), k.surface);
        EXPECT_EQ(pas->isEnabled(), k.pas);
        if (k.surface) {
            EXPECT_TRUE(surface->hasFocus());
        }
        EXPECT_EQ(commentaire->property("plainText").toString(), FrmCharge::Commentaire(k.type));
        EXPECT_TRUE(f->Etude().Modifie());
        f->Etude().DefinirModifie(false);

        boite.vider();
        Cliquer(charge(), QStringLiteral("CmdSuivant"));
        if (k.surface) {
            EXPECT_TRUE(boite.seul(QStringLiteral("Surface."),
                                   QStringLiteral("Entrer la surface de la zone à charge élevée ou limite en m² !\n"
                                                  "Si le champ n'est pas visible, cliquer sur le bouton 'Commentaire'"),
                                   IconeMessage::Exclamation));
            EXPECT_EQ(f->FeuilleAffichee(), charge());
            EXPECT_TRUE(surface->hasFocus());
        } else {
            EXPECT_TRUE(boite.messages.empty());
            EXPECT_EQ(f->FeuilleAffichee(), piece());
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
    ASSERT_EQ(f->FeuilleAffichee(), piece());

    const struct {
        const char* texte;
        const char* titre;
        const char* focus;
        std::function<void()> correction;
    } etapes[] = {
        {"Choisir une température pour la pièce !", "Température de la pièce.", "CmbTempPiece",
         [&] { Choisir(piece(), QStringLiteral("CmbTempPiece"), QStringLiteral("20")); }},
        // Spaces alone are no name.
        {"Donner un nom à la pièce !", "Nom de la pièce.", "CmbNomPiece", [&] { taperNom(QStringLiteral("   ")); }},
        {"Donner un nom à la pièce !", "Nom de la pièce.", "CmbNomPiece", [&] { taperNom(QStringLiteral("Séjour")); }},
        {"Entrer la surface de la pièce !", "Surface de la pièce.", "TxtSurface_0",
         [&] {
             Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
             Taper(piece(), QStringLiteral("TxtSurface_1"), QStringLiteral("2"));
         }},
        // Half the useful surface is 9: 9,5 m² of edge zone is too much, 9 passes.
        {"La surface de la zone de bordure ne peut pas excéder la moitié de la surface utile !", "Surface de bordure.",
         "TxtSurface_0",
         [&] {
             Cliquer(piece(), QStringLiteral("CmdPrecedent"));
             Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("9"));
             Cliquer(charge(), QStringLiteral("CmdSuivant"));
         }},
        {"Entrer les déperditions de la pièce !", "Déperditions de la pièce.", "TxtDeperdPiece",
         [&] { Taper(piece(), QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500")); }},
        {"Définir les émissions du plancher en cliquant sur le bouton !", "Emissions du plancher.", "TxtEmissions",
         [&] { Taper(piece(), QStringLiteral("TxtEmissions"), QStringLiteral("50")); }},
        {"Choisir une résistance thermique pour le revêtement actuel !", "Rth actuelle", "CmbActuelle",
         [&] { Choisir(piece(), QStringLiteral("CmbActuelle"), QStringLiteral("0.07")); }},
    };
    for (const auto& e : etapes) {
        SCOPED_TRACE(e.titre);
        boite.vider();
        Cliquer(piece(), QStringLiteral("CmdSuivant"));
        EXPECT_TRUE(boite.seul(QString::fromUtf8(e.titre), QString::fromUtf8(e.texte), IconeMessage::Exclamation,
                               BoutonsMessage::OK));
        EXPECT_EQ(f->FeuilleAffichee(), piece());
        QWidget* focus = QApplication::focusWidget();
        QWidget* attendu = piece()->findChild<QWidget*>(QString::fromLatin1(e.focus));
        EXPECT_TRUE(focus && attendu && (focus == attendu || attendu->isAncestorOf(focus)))
            << (focus ? focus->objectName().toStdString() : "aucun");
        e.correction();
    }
    boite.vider();
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), conduites());
    // The future covering takes the present one.
    EXPECT_EQ(Trouver<QComboBox>(piece(), QStringLiteral("CmbFuture"))->currentText(), QStringLiteral("0.07"));
}

// The panels by the keyboard: Enter is their "OK", Escape puts a panel away
// and fills nothing; the downward panel shows the net floor, 20 - 2,5 m².
TEST_F(Pieces, PanneauxAuClavier) {
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    auto* panneauApport = Trouver(piece(), QStringLiteral("CdrApport"));
    auto* panneauBas = Trouver(piece(), QStringLiteral("CdrEmissions"));
    Cliquer(piece(), QStringLiteral("CmdApport"));
    EXPECT_TRUE(Trouver(piece(), QStringLiteral("TxtApport_Surface"))->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(panneauApport->isVisible());
    EXPECT_EQ(Trouver<QLineEdit>(piece(), QStringLiteral("TxtApport"))->text(), QStringLiteral("63,5"));

    Taper(piece(), QStringLiteral("TxtSurface_0"), QStringLiteral("20"));
    Taper(piece(), QStringLiteral("TxtSurface_1"), QStringLiteral("2,5"));
    Cliquer(piece(), QStringLiteral("CmdEmissions"));
    EXPECT_TRUE(panneauBas->isVisible());
    EXPECT_EQ(Trouver<QLabel>(piece(), QStringLiteral("LblEmissions_Bas"))->text(), QStringLiteral("17,5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(panneauBas->isVisible());
    EXPECT_EQ(Trouver<QLineEdit>(piece(), QStringLiteral("TxtEmissions"))->text(), QStringLiteral("0"));
}

// Going back and forth recalculates the same results, shown with the
// presentation's formats; the edge loop's pipes exist only for an
// independent edge loop.
TEST_F(Pieces, AllerRetourEtBoucleDeBordure) {
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    remplirJusquAuxConduites(Cuisine);
    auto* bordure = Trouver<QLineEdit>(conduites(), QStringLiteral("TxtLongRaccordBordure"));
    EXPECT_TRUE(bordure->isVisible());
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    const QStringList premiere = valeurs();
    Cliquer(resultats(), QStringLiteral("CmdPrecedent"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    EXPECT_EQ(valeurs(), premiere);
    const auto lignes = LignesResultatsPiece(f->Etude().PieceEnSaisie(), Tube16x20, f->Etude().Resultats());
    for (int l = 0; l < NombreLignesResultats; ++l) {
        const auto rvb = Rvb(lignes[l].Format.Couleur);
        const QColor couleur = lignes[l].Format.Couleur == CouleurValeur::TexteFenetre ? Grille::CouleurTexteFenetre()
                                                                                      : QColor(rvb[0], rvb[1], rvb[2]);
        EXPECT_EQ(resultats()->GrilleResult()->gras(l, 2), lignes[l].Format.Gras) << l;
        EXPECT_EQ(resultats()->GrilleResult()->couleurTexte(l, 2), couleur) << l;
    }
    EXPECT_TRUE(resultats()->GrilleResult()->selectedItems().isEmpty()) << "no cell shown selected";
    EXPECT_EQ(premiere[14], T(Calculer(RecordCuisine, 0).LongueurBordure + 3));

    // Now a combined edge zone: the edge loop's pipes are hidden and count 0.
    Cliquer(resultats(), QStringLiteral("CmdPrecedent"));
    Cliquer(conduites(), QStringLiteral("CmdPrecedent"));
    Cliquer(piece(), QStringLiteral("CmdPrecedent"));
    Cliquer(charge(), QStringLiteral("OptCharge_2"));
    Taper(charge(), QStringLiteral("TxtSurfaceBordure"), QStringLiteral("4"));
    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    Cliquer(piece(), QStringLiteral("CmdSuivant"));
    EXPECT_FALSE(bordure->isVisible());
    EXPECT_EQ(bordure->text(), QStringLiteral("0"));
    Cliquer(conduites(), QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->Etude().PieceEnSaisie().LongRaccordBordure, 0.0);
    EXPECT_EQ(valeurs()[14], QString());
}

// The caption follows the name. Picking a suggested name is no change to the
// study by itself; typing one is. The explanation of the load type cannot
// be edited: a click in it goes to the "Commentaire" button.
TEST_F(Pieces, NomDeLaPieceEtCommentaire) {
    Cliquer(f->Circuits(), QStringLiteral("CmdAjouter"));
    Cliquer(charge(), QStringLiteral("CmdComment"));
    auto* zone = qobject_cast<QAbstractScrollArea*>(Trouver(charge(), QStringLiteral("TxtCommentaire")));
    ASSERT_NE(zone, nullptr);
    QTest::mouseClick(zone->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(Trouver(charge(), QStringLiteral("CmdComment"))->hasFocus());

    Cliquer(charge(), QStringLiteral("CmdSuivant"));
    f->Etude().DefinirModifie(false);
    Choisir(piece(), QStringLiteral("CmbNomPiece"), QStringLiteral("Séjour"));
    EXPECT_EQ(piece()->windowTitle(), QStringLiteral("Données de la pièce (Séjour)"));
    EXPECT_FALSE(f->Etude().Modifie());
    // A typed name is kept as typed, even the beginning of a suggestion.
    taperNom(QStringLiteral("Chambre"));
    EXPECT_EQ(piece()->windowTitle(), QStringLiteral("Données de la pièce (Chambre)"));
    EXPECT_EQ(piece()->NomPiece(), QStringLiteral("Chambre"));
    EXPECT_TRUE(f->Etude().Modifie());
    auto* nom = Trouver<QComboBox>(piece(), QStringLiteral("CmbNomPiece"));
    nom->lineEdit()->selectAll();
    QTest::keyClick(nom->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(piece()->windowTitle(), QStringLiteral("Données de la pièce"));
}
