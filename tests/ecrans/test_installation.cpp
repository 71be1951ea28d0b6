// An installed program, whose folder takes no file: the studies and the
// working files go to the user's documents folder, made at the first start
// and shown in the about box; two users of one machine never meet there.

#include "Environnement.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/Ressources.h"
#include "stockage/EmplacementEtudes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

const QStringList FichiersTravail = {QStringLiteral("Generale.tmp"), QStringLiteral("Etude.tmp"),
                                     QStringLiteral("Perte.tmp")};

bool Existe(const QString& dossier, const QString& nom) { return QFileInfo::exists(dossier + QLatin1Char('/') + nom); }

// A living room typed through the four room screens and accepted with "&OK".
void AccepterUnePiece(MDIPlancher& f) {
    Cliquer(f.Circuits(), QStringLiteral("CmdAjouter"));
    QWidget* charge = f.FeuilleAffichee();
    ASSERT_NE(charge, nullptr);
    Cliquer(charge, QStringLiteral("CmdSuivant"));
    QWidget* piece = f.FeuilleAffichee();
    ASSERT_NE(piece, charge);
    auto* nom = Trouver<QComboBox>(piece, QStringLiteral("CmbNomPiece"));
    ASSERT_NE(nom, nullptr);
    nom->lineEdit()->setFocus();
    QTest::keyClicks(nom->lineEdit(), QStringLiteral("Salon"));
    Choisir(piece, QStringLiteral("CmbTempPiece"), QStringLiteral("20"));
    Taper(piece, QStringLiteral("TxtSurface_0"), QStringLiteral("25"));
    Taper(piece, QStringLiteral("TxtDeperdPiece"), QStringLiteral("1500"));
    Taper(piece, QStringLiteral("TxtDeperdPlancher"), QStringLiteral("200"));
    Taper(piece, QStringLiteral("TxtEmissions"), QStringLiteral("60"));
    Choisir(piece, QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    Cliquer(piece, QStringLiteral("CmdSuivant"));
    QWidget* conduites = f.FeuilleAffichee();
    ASSERT_NE(conduites, piece);
    Taper(conduites, QStringLiteral("TxtLongRaccordNormale"), QStringLiteral("6"));
    Cliquer(conduites, QStringLiteral("CmdSuivant"));
    QWidget* resultats = f.FeuilleAffichee();
    ASSERT_NE(resultats, conduites);
    Cliquer(resultats, QStringLiteral("cmdOK"));
    ASSERT_EQ(f.FeuilleAffichee(), f.Circuits());
}

} // namespace

TEST(ProgrammeInstalle, EtudesDansLesDocuments) {
    // The program's folder refuses files: for real (its write permission
    // taken away, which binds every user but the administrator), or as the
    // probe's answer given by the test.
    const struct {
        const char* cas;
        bool retirerEcriture;
        std::function<bool(const QString&)> inscriptible;
    } cas[] = {
        {"read-only folder, real probe", true, DossierInscriptible},
        {"probe answering no", false, [](const QString&) { return false; }},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        if (k.retirerEcriture && geteuid() == 0)
            continue; // the administrator writes through permission bits
        BoiteMessageScriptee boite;
        DossierProgrammeTest programme;
        // A study beside the program belongs to no user of the installed copy.
        programme.creerDansEtudes(QStringLiteral("Ailleurs.pla"));
        if (k.retirerEcriture)
            QFile::setPermissions(programme.chemin(), QFile::ReadOwner | QFile::ExeOwner);
        QTemporaryDir maison;
        ASSERT_TRUE(maison.isValid());
        MaisonTemporaire environnement(maison.path());

        const QString etudes = DossierEtudesDemarrage(DossierProgramme(), k.inscriptible);
        ASSERT_EQ(etudes, maison.path() + QStringLiteral("/Documents/Sorvel/Etudes"));
        ASSERT_FALSE(QFileInfo::exists(etudes));

        auto f = DemarrerDans(etudes);
        EXPECT_TRUE(QFileInfo(etudes).isDir()) << "made at the first start";
        EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();

        // The about box tells where the studies are.
        Declencher(f.get(), QStringLiteral("MnuAPropos"));
        auto* aPropos = f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos"));
        ASSERT_NE(aPropos, nullptr);
        auto* dossier = Trouver<QLabel>(aPropos, QStringLiteral("LblDossierEtudes"));
        ASSERT_NE(dossier, nullptr);
        EXPECT_EQ(dossier->text(), etudes);
        EXPECT_EQ(dossier->accessibleName(), etudes);
        Cliquer(aPropos, QStringLiteral("cmdOK"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // A room entered and accepted leaves its working files there.
        Declencher(f.get(), QStringLiteral("MnuNouvelle"));
        Cliquer(f->Generales(), QStringLiteral("CmdSuivant"));
        ASSERT_EQ(f->FeuilleAffichee(), f->Circuits());
        AccepterUnePiece(*f);
        EXPECT_EQ(f->Etude().NomsPieces(), QStringList{QStringLiteral("Salon")});
        for (const QString& nom : FichiersTravail) {
            EXPECT_TRUE(Existe(etudes, nom)) << nom.toStdString();
            EXPECT_FALSE(programme.existeDansEtudes(nom)) << nom.toStdString();
        }
        EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();

        // The stored studies are listed from there, not from beside the program.
        QFile stockee(etudes + QStringLiteral("/Maison Dupont.pla"));
        ASSERT_TRUE(stockee.open(QIODevice::WriteOnly));
        stockee.close();
        EXPECT_EQ(f->Etude().EtudesAOuvrir(), QStringList{QStringLiteral("Maison Dupont")});

        // Another user of the machine starts the program: their own folder,
        // and the first user's study in progress is left alone.
        QTemporaryDir autreMaison;
        ASSERT_TRUE(autreMaison.isValid());
        MaisonTemporaire autreUtilisateur(autreMaison.path());
        const QString autresEtudes = DossierEtudesDemarrage(DossierProgramme(), k.inscriptible);
        EXPECT_EQ(autresEtudes, autreMaison.path() + QStringLiteral("/Documents/Sorvel/Etudes"));
        auto autre = DemarrerDans(autresEtudes);
        EXPECT_EQ(autre->Etude().NombrePieces(), 0);
        for (const QString& nom : FichiersTravail)
            EXPECT_TRUE(Existe(etudes, nom)) << nom.toStdString();
        EXPECT_EQ(f->Etude().NombrePieces(), 1);
    }
}
