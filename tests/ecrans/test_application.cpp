// The main window: start-up, a new study, its menus, the general data
// screen and the screens it shows. The study's rules (names, questions,
// conditions of the commands, start-up after a run cut short) are tested on
// the model; here, that the window reaches them and shows what they give.

#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ExemplesEtude.h"
#include "ecrans/Harnais.h"
#include "ihm/Grille.h"
#include "stockage/SessionEtudes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Application : public ::testing::Test {
protected:
    QString texte(const char* liste) const {
        return Trouver<QComboBox>(f->Generales(), QString::fromLatin1(liste))->currentText();
    }
    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// The model's name for the new study shows in the title and on the general
// data; an asterisk follows it while the study has changes not stored.
TEST_F(Application, NomEtReprise) {
    dossier.creerDansEtudes(QStringLiteral("Etude 1.pla"));
    f = Demarrer();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Etude 2]"));
    f.reset();
    f = DemarrerEtude(QStringLiteral("45"));
    EXPECT_EQ(Trouver<QLabel>(f->Generales(), QStringLiteral("LblEtude"))->text(), QStringLiteral("Etude 2"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Etude 2] *"));
    // After a run cut short (its folder copied without its lock), "Oui"
    // shows the rooms taken back and the general data of that run.
    AjouterPieceExemple(f->Etude().Dossier(), 1, "Séjour");
    QTemporaryDir apres;
    for (const QString& nom : QDir(dossier.etudes()).entryList(QDir::Files | QDir::Hidden)) {
        if (nom != FichierVerrou) {
            ASSERT_TRUE(QFile::copy(dossier.etudes() + QLatin1Char('/') + nom, apres.filePath(nom)));
        }
    }
    boite.repondre(ReponseMessage::Oui);
    auto repris = DemarrerDans(apres.path());
    EXPECT_EQ(repris->FeuilleAffichee(), repris->Circuits());
    EXPECT_EQ(repris->Circuits()->GrilleCircuit()->texte(1, 1), QStringLiteral("Séjour"));
    EXPECT_EQ(repris->Etude().Generales().TempDepart, 45);
}

// The general data screen: each choice reaches the model and marks the
// study modified; liquid screed greys the thickness; "Suivant >>" writes the
// general data and puts the study line above the rooms list.
TEST_F(Application, DonneesGenerales) {
    f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    FrmD_Generales* ecran = f->Generales();
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
    for (const char* nom : {"LblEpais", "CmbEpais", "LblValeur_1"})
        EXPECT_FALSE(Trouver(ecran, QString::fromLatin1(nom))->isEnabled()) << nom;
    const Installation attendue{Fixation::Plots, DiametreTube::D13x16, 35, 8, NatureChape::Liquide};
    EXPECT_EQ(f->Etude().Generales(), attendue);
    Cliquer(ecran, QStringLiteral("CmdSuivant"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    EXPECT_EQ(f->Etude().Travail().LireGenerales(), attendue);
    EXPECT_EQ(Trouver<QLabel>(f->Circuits(), QStringLiteral("LblCircuit"))->text(), ResumeEtude(attendue));

}

// The commands of the menus, in menu order, with their shortcuts.
TEST_F(Application, MenusEtRaccourcis) {
    f = Demarrer();
    const std::pair<const char*, const char*> cas[] = {
        {"MnuNouvelle", "Ctrl+N"},       {"MnuOuvrir", "Ctrl+O"},          {"MnuEnregistrer", "Ctrl+S"},
        {"MnuEnregistrerSous", ""},      {"MnuRenommer", ""},              {"MnuSupprimerEtude", ""},
        {"MnuApercuChantier", ""},       {"MnuImprimerChantier", "Ctrl+P"}, {"MnuApercuRecap", ""},
        {"MnuImprimerRecap", "Ctrl+R"},  {"MnuApercuDeperditions", ""},    {"MnuImprimerDeperditions", "Ctrl+Shift+D"},
        {"MnuApercuReglage", ""},        {"MnuImprimerReglage", "Ctrl+G"},
        {"MnuQuitter", "Ctrl+Q"},        {"MnuDonneesGenerales", ""},
        {"MnuCircuits", ""},             {"MnuFeuilleCalcul", ""},         {"MnuAjouterPiece", ""},
        {"MnuModifierPiece", ""},        {"MnuSupprimerPiece", ""},        {"MnuAnnulerSuppression", "Ctrl+Z"},
        {"MnuClimat", ""},               {"MnuDefautsPieces", ""},         {"MnuRenseignements", ""},
        {"MnuPieceSelectionnee", ""},    {"MnuRecapitulatif", ""},         {"MnuMateriel", ""},
        {"MnuEquilibrage", ""},          {"MnuCollecteurs", ""},
        {"MnuCorrection", ""},           {"MnuIncertitude", ""},
        {"MnuAideSorvel", ""},           {"MnuAPropos", ""},
    };
    const auto actions = ActionsDesMenus(f.get());
    ASSERT_EQ(actions.size(), std::size(cas));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(cas[i].first));
        EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(cas[i].second))) << cas[i].first;
    }
    EXPECT_EQ(Trouver<QAction>(f.get(), QStringLiteral("MnuAPropos"))->text(), QStringLiteral("À &propos de Sorvel"));
    // The keys of the text fields keep their meaning: copy, paste, cut,
    // select all, redo, and delete and end of line on Linux desktops. Ctrl+Z
    // undoes a deletion only where no text field takes it.
    for (const char* edition : {"Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+A", "Ctrl+Y", "Ctrl+Shift+Z", "Ctrl+D", "Ctrl+E",
                                "Ctrl+K", "Ctrl+Z"})
        for (QAction* a : actions) {
            if (a->objectName() != QStringLiteral("MnuAnnulerSuppression")) {
                EXPECT_NE(a->shortcut(), QKeySequence(QString::fromLatin1(edition))) << a->objectName().toStdString();
            }
        }
}

// Leaving a room screen through the menu remembers it; "Feuille de
// calcul..." goes back to it once. A new study forgets it.
TEST_F(Application, FeuilleDeCalcul) {
    f = Demarrer();
    auto* feuilleCalcul = Trouver<QAction>(f.get(), QStringLiteral("MnuFeuilleCalcul"));
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    EXPECT_FALSE(feuilleCalcul->isEnabled()) << "nothing to remember from the other screens";

    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    QWidget* charge = f->FeuillesDePiece().Charge.data();
    ASSERT_EQ(f->FeuilleAffichee(), charge);
    for (const char* nom : {"MnuAjouterPiece", "MnuModifierPiece", "MnuSupprimerPiece"})
        EXPECT_FALSE(Trouver<QAction>(f.get(), QString::fromLatin1(nom))->isEnabled()) << nom;
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    Declencher(f.get(), QStringLiteral("MnuFeuilleCalcul"));
    EXPECT_EQ(f->FeuilleAffichee(), charge);
    EXPECT_FALSE(feuilleCalcul->isEnabled());

    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    ASSERT_TRUE(feuilleCalcul->isEnabled());
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    EXPECT_FALSE(feuilleCalcul->isEnabled());
    EXPECT_EQ(f->FeuilleCalcul(), nullptr);
    EXPECT_TRUE(Trouver<QAction>(f.get(), QStringLiteral("MnuAjouterPiece"))->isEnabled());
}

// Every menu command in turn, every question given its cautious answer, at
// start-up and with a room screen showing: none fails with an error message.
TEST_F(Application, TousLesMenus) {
    f = DemarrerEtude();
    auto parcourir = [&] {
        for (QAction* a : ActionsDesMenus(f.get())) {
            SCOPED_TRACE(a->objectName().toStdString());
            boite.vider();
            if (a->isEnabled())
                a->trigger();
            QApplication::processEvents();
            for (QDialog* d : f->findChildren<QDialog*>())
                d->close();
            for (const auto& m : boite.messages)
                EXPECT_FALSE(m.titre.startsWith(QStringLiteral("Erreur"))) << m.texte.toStdString();
            if (!f->isVisible())
                f->show(); // "Quitter" closed it
        }
    };
    parcourir();
    AjouterPieceExemple(f->Etude().Dossier(), 1);
    f->Circuits()->RemplirGrilleCircuits();
    f->AbandonnerPiece();
    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    parcourir();
}

// Each study and print command reaches the study model, which checks its
// conditions before any dialog.
TEST_F(Application, ConditionsDesCommandesDEtude) {
    f = Demarrer();
    const std::pair<const char*, const char*> cas[] = {
        {"MnuOuvrir", "Ouverture d'une étude."}, {"MnuEnregistrer", "Enregistrement."},
        {"MnuEnregistrerSous", "Enregistrement."}, {"MnuRenommer", "Renommer."},
        {"MnuSupprimerEtude", "Suppression impossible."}, {"MnuApercuChantier", "Impression."},
        {"MnuImprimerChantier", "Impression."}, {"MnuApercuRecap", "Impression."},
        {"MnuImprimerRecap", "Impression."}, {"MnuApercuDeperditions", "Impression."},
        {"MnuImprimerDeperditions", "Impression."}, {"MnuApercuReglage", "Impression."},
        {"MnuImprimerReglage", "Impression."}};
    for (auto [menu, titre] : cas) {
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(menu));
        EXPECT_TRUE(boite.seul(QString::fromUtf8(titre))) << menu;
    }

}

// The standard buttons of the real message box read in French.
TEST(Traduction, BoutonsEnFrancais) {
    QMessageBox boite;
    boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    const std::pair<QMessageBox::StandardButton, const char*> cas[] = {
        {QMessageBox::Yes, "Oui"}, {QMessageBox::No, "Non"}, {QMessageBox::Cancel, "Annuler"}, {QMessageBox::Ok, "OK"}};
    for (auto [bouton, texte] : cas)
        EXPECT_EQ(boite.button(bouton)->text().remove(QLatin1Char('&')), QString::fromUtf8(texte));
}
