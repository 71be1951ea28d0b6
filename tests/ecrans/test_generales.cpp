// The general data screen: its fields reach the study's record, the record
// reaches its fields. A new study's values are the model's
// (Etude.NouvelleEtude), the summary line's text is ResumeEtude's.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/Harnais.h"
#include "stockage/ModEnregistrer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
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

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
    FrmD_Generales* ecran = nullptr;
};

} // namespace

// Each option and list marks the study modified; "Suivant >>" writes the
// record and puts the study's summary line above the rooms list.
TEST_F(Generales, ChaqueChampJusquALEnregistrement) {
    const std::function<void()> gestes[] = {
        [&] { Cliquer(ecran, QStringLiteral("OptSupport_1")); },
        [&] { Cliquer(ecran, QStringLiteral("OptTube_0")); },
        [&] { Choisir(ecran, QStringLiteral("CmbTempDepart"), QStringLiteral("35")); },
        [&] { Choisir(ecran, QStringLiteral("CmbEpais"), QStringLiteral("8")); },
        [&] { Cliquer(ecran, QStringLiteral("OptChape_1")); },
    };
    for (std::size_t i = 0; i < std::size(gestes); ++i) {
        f->Etude().DefinirModifie(false);
        gestes[i]();
        EXPECT_TRUE(f->Etude().Modifie()) << i;
    }
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_EQ(f->Etude().Dossier().LireGenerales(), (DonneesGenerales{1, 0, "35", 8, 1}));
    EXPECT_EQ(Trouver<QLabel>(f->Circuits(), QStringLiteral("LblCircuit"))->text(),
              ResumeEtude(f->Etude().Generales()));
    EXPECT_TRUE(boite.messages.empty());
}

// Liquid screed greys the thickness, which keeps its value.
TEST_F(Generales, ChapeLiquide) {
    for (bool liquide : {true, false}) {
        Cliquer(ecran, QStringLiteral("OptChape_%1").arg(liquide ? 1 : 0));
        for (const char* nom : {"LblEpais", "CmbEpais", "LblValeur_1"})
            EXPECT_EQ(Trouver(ecran, QString::fromLatin1(nom))->isEnabled(), !liquide) << nom;
        EXPECT_TRUE(Trouver(ecran, QStringLiteral("LblValeur_0"))->isEnabled());
    }
}

// "Annuler" empties the study without a question, the thickness kept.
TEST_F(Generales, AnnulerVideLEtudeSansRienDemander) {
    Cliquer(ecran, QStringLiteral("OptSupport_1"));
    Choisir(ecran, QStringLiteral("CmbEpais"), QStringLiteral("7"));
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    f->AfficherFeuille(ecran);
    Cliquer(ecran, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->FeuilleAffichee(), nullptr);
    EXPECT_FALSE(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")));
    EXPECT_TRUE(Trouver<QRadioButton>(ecran, QStringLiteral("OptSupport_0"))->isChecked());
    EXPECT_EQ(Trouver<QComboBox>(ecran, QStringLiteral("CmbEpais"))->currentText(), QStringLiteral("7"));
    EXPECT_FALSE(f->Etude().Modifie());
}

// A record read back from a file sets the fields; values outside the
// choices (a damaged file) leave the fields as they were.
TEST_F(Generales, RelectureDUnEnregistrement) {
    ecran->AfficherEnregistrement({1, 0, "45", 7, 1});
    EXPECT_EQ(ecran->Enregistrement(), (DonneesGenerales{1, 0, "45", 7, 1}));
    EXPECT_FALSE(Trouver(ecran, QStringLiteral("CmbEpais"))->isEnabled());
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
