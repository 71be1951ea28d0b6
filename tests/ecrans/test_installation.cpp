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
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

const QStringList FichiersTravail = {QStringLiteral("Generale.tmp"), QStringLiteral("Etude.tmp"),
                                     QStringLiteral("Perte.tmp")};

bool Existe(const QString& dossier, const QString& nom) { return QFileInfo::exists(dossier + QLatin1Char('/') + nom); }

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
        SaisirPieceJusquALaPage(*f, 4);
        Cliquer(f->FeuilleAffichee(), QStringLiteral("cmdOK"));
        EXPECT_EQ(f->Etude().NomsPieces(), QStringList{QStringLiteral("Séjour")});
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
