// The check of the files beside the program: pictures, cursors and help are
// loaded as the program loads them, and every fault is named.

#include "ihm/Installation.h"
#include "ihm/Ressources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace sorvel;

namespace {

// The build puts the test programs in the program's folder, beside the
// pictures and the help file.
QString DossierConstruit() { return QCoreApplication::applicationDirPath(); }

QStringList FichiersAttendus() {
    return ImagesProgramme + CurseursProgramme + QStringList{FichierAide, FichierTemperaturesBase};
}

QStringList Textes(const std::vector<FichierInutilisable>& defauts) {
    QStringList t;
    for (const auto& d : defauts)
        t << d.fichier + QStringLiteral(" : ") + d.raison;
    return t;
}

class Installation : public ::testing::Test {
protected:
    void TearDown() override { DefinirDossierProgramme(QString()); }
};

} // namespace

TEST_F(Installation, DossierConstruitComplet) {
    DefinirDossierProgramme(DossierConstruit());
    EXPECT_EQ(Textes(VerifierFichiersProgramme()), QStringList());
}

// What the build puts beside the program and what the check looks at are
// the same files: a picture added to the build without being checked, or a
// checked name the build no longer makes, shows here.
TEST_F(Installation, ListeDesFichiersDuBuild) {
    QStringList construits;
    for (const QFileInfo& f : QDir(DossierConstruit()).entryInfoList(QDir::Files | QDir::NoDotAndDotDot))
        if (!f.isExecutable())
            construits << f.fileName();
    construits.sort();
    QStringList attendus = FichiersAttendus();
    attendus.sort();
    EXPECT_EQ(construits, attendus);
}

TEST_F(Installation, DefautsNommes) {
    const auto supprimer = [](const QString& chemin) { QFile::remove(chemin); };
    const auto abimer = [](const QString& chemin) {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(64, 'x'));
    };
    const struct {
        QString fichier;
        std::function<void(const QString&)> faute;
        QString attendu;
    } cas[] = {
        {QStringLiteral("Fd2.fpl"), supprimer, QStringLiteral("Fd2.fpl : absent")},
        {QStringLiteral("Ch_Cd.fpl"), abimer, QStringLiteral("Ch_Cd.fpl : illisible ou endommagé")},
        {QStringLiteral("Plus.cur"), supprimer, QStringLiteral("Plus.cur : absent")},
        {QStringLiteral("Main.cur"), abimer, QStringLiteral("Main.cur : illisible ou endommagé")},
        {QStringLiteral("Sorvel.chm"), supprimer, QStringLiteral("Sorvel.chm : absent")},
        {QStringLiteral("Sorvel.chm"), abimer, QStringLiteral("Sorvel.chm : illisible ou endommagé")},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.attendu.toStdString());
        QTemporaryDir copie;
        ASSERT_TRUE(copie.isValid());
        for (const QString& nom : FichiersAttendus())
            ASSERT_TRUE(QFile::copy(DossierConstruit() + QLatin1Char('/') + nom, copie.filePath(nom)));
        DefinirDossierProgramme(copie.path());
        ASSERT_EQ(Textes(VerifierFichiersProgramme()), QStringList()) << "a full copy is in order";
        k.faute(copie.filePath(k.fichier));
        EXPECT_EQ(Textes(VerifierFichiersProgramme()), QStringList{k.attendu});
    }
}

TEST_F(Installation, DossierVide) {
    QTemporaryDir vide;
    ASSERT_TRUE(vide.isValid());
    DefinirDossierProgramme(vide.path());
    QStringList attendus;
    for (const QString& nom : FichiersAttendus())
        attendus << nom + QStringLiteral(" : absent");
    EXPECT_EQ(Textes(VerifierFichiersProgramme()), attendus);
}
