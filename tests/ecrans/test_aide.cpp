// The help of every screen and module, the help file behind it, and the
// about box.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Frm_A_Propos.h"
#include "ecrans/Harnais.h"
#include "ihm/FrmAide.h"
#include "ihm/LecteurChm.h"
#include "ihm/ModAide.h"
#include "ihm/Ressources.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QStringDecoder>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// The build puts the test programs in the program's folder, beside the
// pictures and the help file.
QString DossierConstruit() { return QCoreApplication::applicationDirPath(); }

class Aide : public ::testing::Test {
protected:
    void SetUp() override { DefinirDossierProgramme(DossierConstruit()); }
    void TearDown() override {
        LienCourriel::DefinirOuvreur({});
        DefinirDossierProgramme(DossierConstruit());
        delete FrmAide::Existante();
    }
    BoiteMessageScriptee boite;
};

} // namespace

// Each screen's context number leads, in the help file, to the page of that
// screen, titled after it, in UTF-8; the default topic and the "plancher"
// window the program asks for are there.
TEST_F(Aide, ChaqueContexteMeneALaPageDeSonEcran) {
    const std::tuple<int, const char*, const char*> sujets[] = {
        {AideDonneesGenerales, "/donnees_generales.html", "Données générales"},
        {AideCircuits, "/circuits.html", "Circuits"},
        {AideCharge, "/charge.html", "Type de charge"},
        {AidePiece, "/piece.html", "Surfaces et déperditions"},
        {AideConduites, "/conduites.html", "Conduites"},
        {AideResultats, "/resultats.html", "Résultats"},
        {AideCorrection, "/correction.html", "Module de correction"},
        {AideIncertitude, "/incertitude.html", "Module d'incertitude Ti"},
        {AideDeperditions, "/deperditions.html", "Déperditions détaillées et climat du site"},
    };
    LecteurChm chm(CheminAide());
    ASSERT_TRUE(chm.estOuvert());
    EXPECT_EQ(chm.contextes().size(), std::size(sujets));
    for (auto [contexte, objet, titre] : sujets) {
        SCOPED_TRACE(contexte);
        ASSERT_EQ(chm.sujetDuContexte(contexte), QString::fromUtf8(objet));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString page = utf8(chm.lire(QString::fromUtf8(objet)).value_or(QByteArray()));
        EXPECT_FALSE(utf8.hasError());
        EXPECT_TRUE(page.contains(QStringLiteral("<h1>%1</h1>").arg(QString::fromUtf8(titre))));
    }
    EXPECT_EQ(chm.sujetParDefaut(), QStringLiteral("/index.html"));
    ASSERT_TRUE(chm.fenetre(FenetreAide).has_value());
    EXPECT_EQ(chm.fenetre(FenetreAide)->position, QRect(QPoint(60, 40), QPoint(959, 699)));
    // The default page names the menu item as the menu shows it.
    const QString index = QString::fromUtf8(chm.lire(chm.sujetParDefaut()).value_or(QByteArray()));
    EXPECT_TRUE(index.contains(QStringLiteral("À propos de Sorvel")));
}

// "Aide ?" of every screen and module, F1 and the menu open the help at the
// page of what is showing, in a window whole on the 800 x 600 screen;
// without the file, each says so and the screen stays.
TEST_F(Aide, ChaqueEcranOuvreSaPage) {
    for (bool fichier : {true, false}) {
        SCOPED_TRACE(fichier);
        DossierProgrammeTest dossier;
        if (fichier) {
            ASSERT_TRUE(QFile::copy(DossierConstruit() + QStringLiteral("/Sorvel.chm"), CheminAide()));
        }
        auto f = DemarrerEtude();
        SaisirPieceJusquALaPage(*f, 4);
        const auto piece = f->FeuillesDePiece().toutes();
        const std::pair<QWidget*, const char*> ecrans[] = {
            {f->Generales(), "/donnees_generales.html"}, {f->Circuits(), "/circuits.html"},
            {piece[0], "/charge.html"}, {piece[1], "/piece.html"}, {piece[2], "/conduites.html"},
            {piece[3], "/resultats.html"}, {nullptr, "/correction.html"}, {nullptr, "/incertitude.html"}};
        boite.vider();
        for (auto [ecran, page] : ecrans) {
            SCOPED_TRACE(page);
            if (ecran)
                f->AfficherFeuille(ecran);
            else
                Declencher(f.get(), page == std::string("/correction.html") ? QStringLiteral("MnuCorrection")
                                                                            : QStringLiteral("MnuIncertitude"));
            QWidget* affiche = f->FeuilleAffichee();
            Cliquer(affiche, QStringLiteral("CmdAide"));
            EXPECT_EQ(f->FeuilleAffichee(), affiche);
            if (fichier) {
                ASSERT_NE(FrmAide::Existante(), nullptr);
                EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QString::fromLatin1(page));
                EXPECT_TRUE(FrmAide::Existante()->screen()->availableGeometry().contains(
                    FrmAide::Existante()->frameGeometry()));
                FrmAide::Existante()->hide();
            }
        }
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        f->AfficherFeuille(f->Circuits());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        Declencher(f.get(), QStringLiteral("MnuAideSorvel"));
        if (fichier) {
            EXPECT_EQ(FrmAide::Existante()->sujetAffiche(), QStringLiteral("/index.html"));
            EXPECT_TRUE(boite.messages.empty());
        } else {
            EXPECT_EQ(boite.titres(), QStringList(std::size(ecrans) + 2, QStringLiteral("FICHIER D'AIDE MANQUANT.")));
            EXPECT_EQ(FrmAide::Existante(), nullptr);
        }
        delete FrmAide::Existante();
    }
}

// "À propos" from the menu shows the version, the program's icon and the
// studies folder; "OK" closes the box and frees it.
TEST_F(Aide, APropos) {
    DossierProgrammeTest dossier;
    for (const char* nom : {"Main.cur", "Sorvel.chm"})
        QFile::copy(DossierConstruit() + QLatin1Char('/') + QLatin1String(nom), dossier.chemin() + QLatin1Char('/') + QLatin1String(nom));
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuAPropos"));
    auto* aPropos = f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos"));
    ASSERT_NE(aPropos, nullptr);
    EXPECT_EQ(Trouver<QLabel>(aPropos, QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_FALSE(Trouver<QLabel>(aPropos, QStringLiteral("ImgIcone"))->pixmap().isNull());
    bool dossierMontre = false;
    for (const QLabel* l : aPropos->findChildren<QLabel*>())
        dossierMontre |= l->text().contains(dossier.etudes());
    EXPECT_TRUE(dossierMontre);

    Cliquer(aPropos, QStringLiteral("cmdOK"));
    Detruire();
    EXPECT_EQ(f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos")), nullptr);
}
