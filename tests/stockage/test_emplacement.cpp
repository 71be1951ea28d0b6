// Where the studies folder lies: beside a program whose folder takes new
// files, in the user's documents otherwise, wherever SORVEL_ETUDES says.

#include "Environnement.h"
#include "stockage/EmplacementEtudes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

using namespace sorvel;
using namespace sorvel::test;

TEST(EmplacementEtudes, Regle) {
    const struct {
        const char* cas;
        const char* programme;
        bool inscriptible;
        const char* impose;
        const char* attendu;
    } cas[] = {
        {"program folder takes files", "/opt/sorvel", true, "", "/opt/sorvel/Etudes"},
        {"program folder refuses files", "/opt/sorvel", false, "", "/home/anne/Documents/Sorvel/Etudes"},
        {"SORVEL_ETUDES over a writable program folder", "/opt/sorvel", true, "/srv/bureau/etudes", "/srv/bureau/etudes"},
        {"SORVEL_ETUDES over the documents", "/opt/sorvel", false, "/srv/bureau/etudes", "/srv/bureau/etudes"},
        {"relative SORVEL_ETUDES from the current folder", "/opt/sorvel", false, "partage/etudes",
         "/home/anne/chantiers/partage/etudes"},
        {"SORVEL_ETUDES made clean", "/opt/sorvel", false, "/srv/bureau/./etudes/../etudes/", "/srv/bureau/etudes"},
        {"blank SORVEL_ETUDES counts as unset", "/opt/sorvel", false, "  ", "/home/anne/Documents/Sorvel/Etudes"},
        {"program folder made clean", "/opt/sorvel/bin/../", true, "", "/opt/sorvel/Etudes"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        const SituationEtudes s{
            .dossierProgramme = QString::fromUtf8(k.programme),
            .programmeInscriptible = k.inscriptible,
            .dossierImpose = QString::fromUtf8(k.impose),
            .dossierDocuments = QStringLiteral("/home/anne/Documents"),
            .repertoireCourant = QStringLiteral("/home/anne/chantiers"),
        };
        EXPECT_EQ(ChoisirDossierEtudes(s), QString::fromUtf8(k.attendu));
    }
}

// The probe makes a real file: it answers for what the disk does, and leaves
// nothing behind.
TEST(EmplacementEtudes, SondeDuDossier) {
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    EXPECT_TRUE(DossierInscriptible(dossier.path()));
    EXPECT_TRUE(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty())
        << "the probe's file is removed";

    EXPECT_FALSE(DossierInscriptible(dossier.path() + QStringLiteral("/absent")));
    EXPECT_FALSE(DossierInscriptible(QString()));
    // Below a regular file no folder can exist, whoever asks.
    QFile fichier(dossier.path() + QStringLiteral("/fichier"));
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.close();
    EXPECT_FALSE(DossierInscriptible(fichier.fileName()));
    EXPECT_FALSE(DossierInscriptible(fichier.fileName() + QStringLiteral("/programme")));

    if (geteuid() != 0) { // the administrator writes through permission bits
        const QString lectureSeule = dossier.path() + QStringLiteral("/lecture-seule");
        ASSERT_TRUE(QDir().mkdir(lectureSeule));
        QFile::setPermissions(lectureSeule, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(DossierInscriptible(lectureSeule));
        QFile::setPermissions(lectureSeule, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// At start-up the documents folder is the desktop's: the one the user's
// configuration names, or Documents in the home folder.
TEST(EmplacementEtudes, Demarrage) {
    QTemporaryDir maison;
    QTemporaryDir programme;
    ASSERT_TRUE(maison.isValid() && programme.isValid());
    MaisonTemporaire environnement(maison.path());
    const auto refuse = [](const QString&) { return false; };
    const auto accepte = [](const QString&) { return true; };

    EXPECT_EQ(DossierEtudesDemarrage(programme.path(), refuse), maison.path() + QStringLiteral("/Documents/Sorvel/Etudes"));
    EXPECT_EQ(DossierEtudesDemarrage(programme.path(), accepte), programme.path() + QStringLiteral("/Etudes"));
    EXPECT_EQ(DossierEtudesDemarrage(programme.path()), programme.path() + QStringLiteral("/Etudes"))
        << "a temporary folder takes files";
    EXPECT_FALSE(QFileInfo::exists(maison.path() + QStringLiteral("/Documents/Sorvel")))
        << "choosing the folder makes nothing";

    QDir().mkpath(maison.path() + QStringLiteral("/.config"));
    QFile dossiersUtilisateur(maison.path() + QStringLiteral("/.config/user-dirs.dirs"));
    ASSERT_TRUE(dossiersUtilisateur.open(QIODevice::WriteOnly));
    dossiersUtilisateur.write("XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
    dossiersUtilisateur.close();
    EXPECT_EQ(DossierEtudesDemarrage(programme.path(), refuse),
              maison.path() + QStringLiteral("/Mes documents/Sorvel/Etudes"));

    VariableEnvironnement partage("SORVEL_ETUDES", QByteArray("/srv/bureau/etudes"));
    EXPECT_EQ(DossierEtudesDemarrage(programme.path(), accepte), QStringLiteral("/srv/bureau/etudes"));
}
