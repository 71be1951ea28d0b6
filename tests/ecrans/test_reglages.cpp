// The wiring of "Valeurs par défaut des pièces..." and "Renseignements de
// l'étude..." (menu "Etude"): opened on the study's values, "OK" gives the
// study what the fields hold (a length beyond its bound refused),
// "Annuler" keeps what it had. Their rules are tested on the model.

#include "ecrans/FrmDefautsPieces.h"
#include "ecrans/FrmRenseignements.h"
#include "ecrans/Harnais.h"
#include "etude/DefautsPieces.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Reglages : public ::testing::Test {
protected:
    template <class D>
    D* dialogue() const {
        Detruire();
        return f->findChild<D*>();
    }
    QString liste(const QObject* racine, const char* nom) const {
        return Trouver<QComboBox>(racine, QString::fromLatin1(nom))->currentText();
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// Entries 20 and 22 of the names: "Salle de bain" and "Séjour".
TEST_F(Reglages, DefautsDesPieces) {
    f = DemarrerEtude();
    Declencher(f.get(), QStringLiteral("MnuDefautsPieces"));
    auto* d = dialogue<FrmDefautsPieces>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(liste(d, "CmbTemperature_20"), QStringLiteral("22"));
    EXPECT_EQ(liste(d, "CmbTemperature_22"), QStringLiteral("20"));
    EXPECT_EQ(liste(d, "CmbTempChute"), QStringLiteral("8"));
    Choisir(d, QStringLiteral("CmbTemperature_22"), QStringLiteral("21"));
    Choisir(d, QStringLiteral("CmbTempChute"), QStringLiteral("7"));
    Choisir(d, QStringLiteral("CmbActuelle"), QStringLiteral("0.05"));
    Taper(d, QStringLiteral("TxtLongRaccordNormale"), QStringLiteral("2000"));
    Cliquer(d, QStringLiteral("CmdOK"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Longueur des conduites de raccordement.")));
    EXPECT_EQ(f->Etude().Defauts(), std::nullopt);
    boite.vider();
    Taper(d, QStringLiteral("TxtLongRaccordNormale"), QStringLiteral("4,5"));
    Cliquer(d, QStringLiteral("CmdOK"));
    ASSERT_TRUE(f->Etude().Defauts());
    const DefautsPieces gardes = *f->Etude().Defauts();
    EXPECT_EQ(TemperatureParNom(gardes, "Séjour"), 21);
    EXPECT_EQ(gardes.TempChute, 7);
    EXPECT_EQ(gardes.RthActuelle, Resistance::R005);
    EXPECT_EQ(gardes.RthFuture, std::nullopt);
    EXPECT_EQ(gardes.LongRaccordNormale, 4.5);
    EXPECT_TRUE(f->Etude().Modifie());

    Declencher(f.get(), QStringLiteral("MnuDefautsPieces"));
    d = dialogue<FrmDefautsPieces>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(liste(d, "CmbTempChute"), QStringLiteral("7"));
    Choisir(d, QStringLiteral("CmbTempChute"), QStringLiteral("9"));
    Cliquer(d, QStringLiteral("CmdAnnuler"));
    EXPECT_EQ(f->Etude().Defauts(), gardes);
}

TEST_F(Reglages, RenseignementsDeLEtude) {
    f = DemarrerEtude();
    Declencher(f.get(), QStringLiteral("MnuRenseignements"));
    auto* r = dialogue<FrmRenseignements>();
    ASSERT_NE(r, nullptr);
    Taper(r, QStringLiteral("TxtClient"), QStringLiteral("M. et Mme Dupont"));
    Trouver<QPlainTextEdit>(r, QStringLiteral("TxtChantier"))->setPlainText(QStringLiteral("12 rue des Lilas\n69003 Lyon\n"));
    Taper(r, QStringLiteral("TxtInstallateur"), QStringLiteral("Thermo Services"));
    Trouver<QPlainTextEdit>(r, QStringLiteral("TxtNotes"))->setPlainText(QStringLiteral("Accès par la cour."));
    Cliquer(r, QStringLiteral("CmdOK"));
    const RenseignementsEtude attendus{.Client = "M. et Mme Dupont", .Chantier = "12 rue des Lilas\n69003 Lyon",
                                       .Installateur = "Thermo Services", .Notes = "Accès par la cour."};
    EXPECT_EQ(f->Etude().Renseignements(), attendus);

    Declencher(f.get(), QStringLiteral("MnuRenseignements"));
    r = dialogue<FrmRenseignements>();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(Trouver<QPlainTextEdit>(r, QStringLiteral("TxtChantier"))->toPlainText(),
              QStringLiteral("12 rue des Lilas\n69003 Lyon"));
    Taper(r, QStringLiteral("TxtClient"), QStringLiteral("Martin"));
    Cliquer(r, QStringLiteral("CmdAnnuler"));
    EXPECT_EQ(f->Etude().Renseignements(), attendus);
}
