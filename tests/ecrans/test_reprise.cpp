// The start of the program after a run cut short, and a second program on
// the same studies folder, through the main window.

#include "ExemplesEtude.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/Grille.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Reprise : public ::testing::Test {
protected:
    // A run with two rooms, 45 °C at the supply, killed: what it leaves in
    // its studies folder is copied, lock aside (a dead program's lock is
    // taken over), into the folder of the next run.
    void RunInterrompu() {
        auto premier = DemarrerEtude(QStringLiteral("45"));
        AjouterPieceExemple(premier->Etude().Dossier(), 1, "Séjour");
        AjouterPieceExemple(premier->Etude().Dossier(), 2, "Cuisine");
        const QDir source(dossier.etudes());
        for (const QString& f : source.entryList(QDir::Files | QDir::Hidden)) {
            if (f != FichierVerrou) {
                ASSERT_TRUE(QFile::copy(source.filePath(f), apres() + QLatin1Char('/') + f)) << f.toStdString();
            }
        }
        ASSERT_TRUE(QFile::exists(apres() + QLatin1Char('/') + FichierSession));
        boite.vider();
    }
    QString apres() const { return suivant.path(); }
    QString Ligne(const MDIPlancher& f, int ligne) const {
        return f.Circuits()->GrilleCircuit()->texte(ligne, 1);
    }
    QString TempDepart(const MDIPlancher& f) const {
        return Trouver<QComboBox>(f.Generales(), QStringLiteral("CmbTempDepart"))->currentText();
    }

    DossierProgrammeTest dossier;
    QTemporaryDir suivant;
    BoiteMessageScriptee boite;
};

} // namespace

// "Oui": the rooms list shows the rooms back, the general data and the
// name are those of the run cut short, and the study is modified.
TEST_F(Reprise, OuiRameneLesPieces) {
    RunInterrompu();
    boite.repondre(ReponseMessage::Oui);
    auto f = DemarrerDans(apres());
    EXPECT_TRUE(boite.seul(TitreReprise,
                           QStringLiteral("Sorvel ne s'est pas arrêté normalement. Voulez-vous récupérer l'étude en "
                                          "cours « Etude 1 » (2 pièces) ?"),
                           IconeMessage::Question, BoutonsMessage::OuiNon));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_EQ(Ligne(*f, 1), QStringLiteral("Séjour"));
    EXPECT_EQ(Ligne(*f, 2), QStringLiteral("Cuisine"));
    EXPECT_EQ(Ligne(*f, 3), QString());
    EXPECT_EQ(TempDepart(*f), QStringLiteral("45"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Etude 1]"));
    EXPECT_TRUE(f->Etude().Modifie());
    EXPECT_FALSE(f->Etude().EtudeEnregistree());
}

// "Non": the working files are deleted and the program starts as always.
TEST_F(Reprise, NonEffaceLesPieces) {
    RunInterrompu();
    boite.repondre(ReponseMessage::Non);
    auto f = DemarrerDans(apres());
    EXPECT_TRUE(boite.seul(TitreReprise));
    for (const QString& nom : {FichierEtude, FichierPerte, FichierGenerales})
        EXPECT_FALSE(QFile::exists(apres() + QLatin1Char('/') + nom)) << nom.toStdString();
    EXPECT_EQ(Ligne(*f, 1), QString());
    EXPECT_EQ(TempDepart(*f), QStringLiteral("40"));
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_FALSE(f->Etude().Modifie());
}

// A second program on the same folder says so and touches nothing of the
// first one, which works on.
TEST_F(Reprise, SecondProgramme) {
    auto premier = DemarrerEtude(QStringLiteral("45"));
    AjouterPieceExemple(premier->Etude().Dossier(), 1, "Séjour");
    boite.vider();
    {
        MDIPlancher second(dossier.etudes());
        EXPECT_TRUE(boite.seul(TitreDossierOccupe, MessageDossierOccupe(dossier.etudes()),
                               IconeMessage::Exclamation, BoutonsMessage::OK));
        EXPECT_EQ(second.Etude().EtatDemarrage(), Demarrage::DossierOccupe);
        EXPECT_FALSE(second.isVisible());
    }
    EXPECT_EQ(premier->Etude().NomsPieces(), QStringList{QStringLiteral("Séjour")});
    EXPECT_TRUE(dossier.existeDansEtudes(FichierGenerales));
    EXPECT_EQ(SessionInterrompue(premier->Etude().Dossier()), QStringLiteral("Etude 1"));
    EXPECT_EQ(boite.messages.size(), 1u);
}
