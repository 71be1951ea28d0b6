#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"
#include "stockage/ModEnregistrer.h"

#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Generales : public ::testing::Test {
protected:
    void SetUp() override {
        f = Demarrer();
        Declencher(f.get(), QStringLiteral("MnuNouvelle"));
        ecran = f->Generales();
    }
    QRadioButton* option(const char* nom) { return Trouver<QRadioButton>(ecran, QString::fromLatin1(nom)); }
    QComboBox* liste(const char* nom) { return Trouver<QComboBox>(ecran, QString::fromLatin1(nom)); }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
    FrmD_Generales* ecran = nullptr;
};

} // namespace

TEST_F(Generales, EtudeNeuve) {
    EXPECT_EQ(f->FeuilleAffichee(), ecran);
    EXPECT_TRUE(option("OptSupport_0")->isChecked());
    EXPECT_TRUE(option("OptTube_1")->isChecked());
    EXPECT_EQ(liste("CmbTempDepart")->currentText(), QStringLiteral("40"));
    EXPECT_EQ(liste("CmbTempDepart")->count(), 21);
    EXPECT_EQ(liste("CmbTempDepart")->itemText(0), QStringLiteral("30"));
    EXPECT_EQ(liste("CmbTempDepart")->itemText(20), QStringLiteral("50"));
    EXPECT_TRUE(option("OptChape_0")->isChecked());
    EXPECT_EQ(liste("CmbEpais")->currentText(), QStringLiteral("6"));
    EXPECT_TRUE(liste("CmbEpais")->isEnabled());
    EXPECT_EQ(Trouver<QLabel>(ecran, QStringLiteral("LblEtude"))->text(), QStringLiteral("Etude 1"));
    EXPECT_FALSE(f->Etude().Modifie());
}

// "Suivant >>" writes the record, puts the study's summary line above the
// rooms list and shows it. The support reads "Trellis" in that line.
TEST_F(Generales, SuivantEcritEtResume) {
    const struct {
        const char* support;
        const char* tube;
        const char* temperature;
        const char* ligne;
        DonneesGenerales enregistrement;
    } cas[] = {
        {"OptSupport_1", "OptTube_0", "35",
         "Etude : tube de diamètre 13x16 mm sur Plots thermoformés avec température de départ du fluide de 35°C",
         {1, 0, "35", 6, 0}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.ligne);
        f->AfficherFeuille(ecran);
        Cliquer(ecran, QString::fromLatin1(k.support));
        Cliquer(ecran, QString::fromLatin1(k.tube));
        Choisir(ecran, QStringLiteral("CmbTempDepart"), QString::fromLatin1(k.temperature));
        Cliquer(ecran, QStringLiteral("CmdSuivant"));
        EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
        EXPECT_EQ(Trouver<QLabel>(f->Circuits(), QStringLiteral("LblCircuit"))->text(), QString::fromUtf8(k.ligne));
        EXPECT_EQ(f->Etude().Dossier().LireGenerales(), k.enregistrement);
    }
    EXPECT_TRUE(boite.messages.empty());
}

// Liquid screed greys the thickness, which keeps its value and is still stored.
TEST_F(Generales, ChapeLiquide) {
    Choisir(ecran, QStringLiteral("CmbEpais"), QStringLiteral("8"));
    Cliquer(ecran, QStringLiteral("OptChape_1"));
    for (const char* nom : {"LblEpais", "CmbEpais", "LblValeur_1"})
        EXPECT_FALSE(Trouver(ecran, QString::fromLatin1(nom))->isEnabled()) << nom;
    EXPECT_TRUE(Trouver(ecran, QStringLiteral("LblValeur_0"))->isEnabled());
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    const DonneesGenerales d = f->Etude().Dossier().LireGenerales();
    EXPECT_EQ(d.Chape, 1);
    EXPECT_EQ(d.EpaisChape, 8);

    f->AfficherFeuille(ecran);
    Cliquer(ecran, QStringLiteral("OptChape_0"));
    for (const char* nom : {"LblEpais", "CmbEpais", "LblValeur_1"})
        EXPECT_TRUE(Trouver(ecran, QString::fromLatin1(nom))->isEnabled()) << nom;
}

// Any change of an option or of a list marks the study as modified.
TEST_F(Generales, ChaqueChangementModifieLEtude) {
    const std::function<void()> gestes[] = {
        [&] { Cliquer(ecran, QStringLiteral("OptSupport_1")); },
        [&] { Cliquer(ecran, QStringLiteral("OptTube_0")); },
        [&] { Choisir(ecran, QStringLiteral("CmbTempDepart"), QStringLiteral("31")); },
        [&] { Choisir(ecran, QStringLiteral("CmbEpais"), QStringLiteral("7")); },
        [&] { Cliquer(ecran, QStringLiteral("OptChape_1")); },
    };
    int i = 0;
    for (const auto& geste : gestes) {
        SCOPED_TRACE(i++);
        f->Etude().DefinirModifie(false);
        geste();
        EXPECT_TRUE(f->Etude().Modifie());
    }
}

TEST_F(Generales, AnnulerVideLEtudeSansRienDemander) {
    Cliquer(ecran, QStringLiteral("OptSupport_1"));
    Choisir(ecran, QStringLiteral("CmbEpais"), QStringLiteral("7"));
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    ASSERT_TRUE(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")));
    f->AfficherFeuille(ecran);
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_FALSE(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")));
    EXPECT_TRUE(option("OptSupport_0")->isChecked());
    EXPECT_EQ(liste("CmbEpais")->currentText(), QStringLiteral("7")) << "the thickness is kept";
    EXPECT_FALSE(f->Etude().Modifie());
}

// A record read back from a file sets the fields; values outside the
// choices (a damaged file) leave the fields as they were.
TEST_F(Generales, RelectureDUnEnregistrement) {
    ecran->AfficherEnregistrement({1, 0, "45", 7, 1});
    EXPECT_EQ(ecran->Enregistrement(), (DonneesGenerales{1, 0, "45", 7, 1}));
    EXPECT_FALSE(liste("CmbEpais")->isEnabled());
    ecran->AfficherEnregistrement({5, -1, "99", 12, 3});
    EXPECT_EQ(ecran->Enregistrement(), (DonneesGenerales{1, 0, "45", 7, 1}));
}

// A general data record that cannot be written is reported and the rooms
// list is not shown.
TEST_F(Generales, EcritureImpossible) {
    QDir(dossier.etudes()).removeRecursively();
    QFile bouchon(dossier.etudes()); // a file where the folder should be
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    EXPECT_TRUE(boite.seul(TitreErreurFichier, {}, IconeMessage::Exclamation));
    EXPECT_EQ(f->FeuilleAffichee(), ecran);
}
