// The main window: start-up, shut-down, a new study, its menus and the
// screens it shows. The study's rules (names, questions, conditions of the
// commands) are tested on the model; here, that the window reaches them
// and shows what they give.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ExemplesEtude.h"
#include "ecrans/Harnais.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

const QStringList FichiersTravail = {QStringLiteral("Etude.tmp"), QStringLiteral("Perte.tmp"),
                                     QStringLiteral("Generale.tmp")};

class Application : public ::testing::Test {
protected:
    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
};

} // namespace

// The model's name for the new study, the first one free, shows in the
// title and on the general data; the studies folder is made when missing.
TEST_F(Application, NomDeLaNouvelleEtude) {
    dossier.creerDansEtudes(QStringLiteral("Etude 1.pla"));
    auto f = Demarrer();
    EXPECT_EQ(Trouver<QLabel>(f.get(), QStringLiteral("LblEtude"))->text(), QStringLiteral("Etude 2"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Etude 2]"));
    QDir(dossier.etudes()).removeRecursively();
    f.reset(); // one program at a time on the studies folder
    f = Demarrer();
    EXPECT_TRUE(QFileInfo(dossier.etudes()).isDir());
    EXPECT_TRUE(boite.messages.empty());
}

// Working files left behind by a program that did not end properly are
// gone at the next start: every run begins with an empty study.
TEST_F(Application, DemarrageEffaceLesFichiersDeTravail) {
    for (const QString& f : FichiersTravail)
        dossier.creerDansEtudes(f, QByteArray(24, 'x'));
    dossier.creerDansEtudes(QStringLiteral("Maison.pla"), QByteArray(136, 'x'));
    auto f = Demarrer();
    for (const QString& nom : FichiersTravail)
        EXPECT_FALSE(dossier.existeDansEtudes(nom)) << nom.toStdString();
    EXPECT_TRUE(dossier.existeDansEtudes(QStringLiteral("Maison.pla")));
    EXPECT_TRUE(boite.messages.empty());
}

// A studies folder that cannot be made (a file holds its name) or written
// (read-only program folder) is reported, and the program opens all the same.
TEST_F(Application, EtudesInutilisable) {
    for (bool lectureSeule : {false, true}) {
        SCOPED_TRACE(lectureSeule);
        if (lectureSeule && geteuid() == 0)
            continue; // the superuser writes into read-only folders
        DossierProgrammeTest propre;
        QFile bouchon(propre.etudes());
        if (lectureSeule)
            QFile::setPermissions(propre.chemin(), QFile::ReadOwner | QFile::ExeOwner);
        else
            ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
        boite.vider();
        auto f = Demarrer();
        EXPECT_TRUE(boite.seul(QStringLiteral("Dossier des études."), {}, IconeMessage::Exclamation));
        EXPECT_TRUE(f->isVisible());
    }
}

// Closing the window asks the model: nothing asked right after start-up;
// for a modified study "Annuler" keeps the program and its working files,
// "Non" ends it and they go.
TEST_F(Application, Quitter) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuQuitter"));
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(boite.messages.empty());
    for (ReponseMessage reponse : {ReponseMessage::Annuler, ReponseMessage::Non}) {
        const bool resteOuvert = reponse == ReponseMessage::Annuler;
        SCOPED_TRACE(resteOuvert);
        f.reset(); // one program at a time on the studies folder
        f = DemarrerEtude(QStringLiteral("45")); // writes Generale.tmp
        boite.vider();
        boite.repondre(reponse);
        f->close();
        EXPECT_TRUE(boite.seul(QStringLiteral("Enregistrement.")));
        EXPECT_EQ(f->isVisible(), resteOuvert);
        EXPECT_EQ(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")), resteOuvert);
    }
}

// "Nouvelle étude" after changes: once answered, the general data screen
// shows the new study's values again.
TEST_F(Application, NouvelleEtudeApresModification) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    Cliquer(f.get(), QStringLiteral("OptSupport_1"));
    Choisir(f.get(), QStringLiteral("CmbTempDepart"), QStringLiteral("33"));
    boite.repondre(ReponseMessage::Non);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Enregistrer.")));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_TRUE(Trouver<QRadioButton>(f.get(), QStringLiteral("OptSupport_0"))->isChecked());
    EXPECT_EQ(Trouver<QComboBox>(f.get(), QStringLiteral("CmbTempDepart"))->currentText(), QStringLiteral("40"));
    EXPECT_FALSE(f->Etude().Modifie());
}

// A working file that cannot be deleted would bring its rooms into the new
// study: the user is told, and the new study starts all the same.
TEST_F(Application, NouvelleEtudeAvecFichierIndelebile) {
    auto f = Demarrer();
    // A folder holding a file: no file removal takes it away.
    ASSERT_TRUE(QDir().mkpath(dossier.etudes() + QStringLiteral("/Etude.tmp/bloque")));
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    ASSERT_TRUE(boite.seul(TitreErreurFichier, {}, IconeMessage::Exclamation));
    EXPECT_TRUE(boite.messages[0].texte.contains(QStringLiteral("« Etude.tmp »")));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
}

// The background picture by the screen's width, read by its content
// whatever its extension says; missing or unreadable, the background stays
// plain.
TEST_F(Application, ImageDeFondSelonLaLargeur) {
    const std::pair<int, const char*> cas[] = {{640, "Fd1.fpl"}, {809, "Fd1.fpl"}, {810, "Fd2.fpl"},
                                               {1049, "Fd2.fpl"}, {1050, ""}, {1280, ""}};
    for (auto [largeur, fichier] : cas)
        EXPECT_EQ(MDIPlancher::ImageDeFond(largeur), QString::fromLatin1(fichier)) << largeur;

    QImage(48, 30, QImage::Format_RGB32).save(dossier.chemin() + QStringLiteral("/Fd2.fpl"), "BMP");
    auto f = Demarrer(1024);
    EXPECT_EQ(f->FichierImageFond(), QStringLiteral("Fd2.fpl"));
    EXPECT_EQ(f->ImageFond().size(), QSize(48, 30));
    f.reset(); // one program at a time on the studies folder
    EXPECT_TRUE(Demarrer(800)->ImageFond().isNull()) << "Fd1.fpl missing";
    QFile illisible(dossier.chemin() + QStringLiteral("/Fd2.fpl"));
    ASSERT_TRUE(illisible.open(QIODevice::WriteOnly | QIODevice::Truncate));
    illisible.write("ceci n'est pas une image");
    illisible.close();
    EXPECT_TRUE(Demarrer(1024)->ImageFond().isNull());
    EXPECT_TRUE(boite.messages.empty());
}

// The commands of the menus, in menu order, with their shortcuts.
TEST_F(Application, MenusEtRaccourcis) {
    auto f = Demarrer();
    const std::pair<const char*, const char*> cas[] = {
        {"MnuNouvelle", "Ctrl+N"},       {"MnuOuvrir", "Ctrl+O"},          {"MnuEnregistrer", "Ctrl+S"},
        {"MnuEnregistrerSous", ""},      {"MnuRenommer", ""},              {"MnuSupprimerEtude", "Ctrl+D"},
        {"MnuApercuChantier", ""},       {"MnuImprimerChantier", "Ctrl+C"}, {"MnuApercuRecap", ""},
        {"MnuImprimerRecap", "Ctrl+R"},  {"MnuQuitter", "Ctrl+Q"},         {"MnuDonneesGenerales", ""},
        {"MnuCircuits", ""},             {"MnuFeuilleCalcul", ""},         {"MnuAjouterPiece", ""},
        {"MnuModifierPiece", ""},        {"MnuSupprimerPiece", ""},        {"MnuPieceSelectionnee", ""},
        {"MnuRecapitulatif", ""},        {"MnuMateriel", ""},              {"MnuEquilibrage", ""},
        {"MnuCorrection", ""},           {"MnuIncertitude", ""},           {"MnuAideSorvel", ""},
        {"MnuAPropos", ""},
    };
    const auto actions = ActionsDesMenus(f.get());
    ASSERT_EQ(actions.size(), std::size(cas));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(cas[i].first));
        EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(cas[i].second))) << cas[i].first;
    }
}

// Leaving a room screen through the menu remembers it; "Feuille de
// calcul..." goes back to it once. A new study forgets it.
TEST_F(Application, FeuilleDeCalcul) {
    auto f = Demarrer();
    auto* feuilleCalcul = Trouver<QAction>(f.get(), QStringLiteral("MnuFeuilleCalcul"));
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    EXPECT_FALSE(feuilleCalcul->isEnabled()) << "nothing to remember from the other screens";

    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    QWidget* charge = f->FeuillesDePiece().toutes()[0];
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

// The screen showing stays in the middle of the client area when the main
// window changes size.
TEST_F(Application, EcranCentre) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    for (QSize taille : {QSize(1000, 760), QSize(700, 650)}) {
        f->resize(taille);
        QApplication::processEvents();
        const QWidget* fenetre = f->Generales()->parentWidget(); // its child window
        const QWidget* zone = fenetre->parentWidget();           // the client area
        EXPECT_EQ(zone->width() / 2 - fenetre->width() / 2, fenetre->x()) << taille.width() << "x" << taille.height();
        EXPECT_EQ(zone->height() / 2 - fenetre->height() / 2, fenetre->y());
    }
}

// "À propos" from the menu shows the version and the program's icon; "OK"
// closes the box and frees it.
TEST_F(Application, AProposSOuvreEtSeFerme) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuAPropos"));
    auto* boiteAPropos = f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos"));
    ASSERT_NE(boiteAPropos, nullptr);
    EXPECT_TRUE(boiteAPropos->isVisible());
    EXPECT_EQ(Trouver<QLabel>(boiteAPropos, QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_FALSE(Trouver<QLabel>(boiteAPropos, QStringLiteral("ImgIcone"))->pixmap().isNull());
    Cliquer(boiteAPropos, QStringLiteral("cmdOK"));
    Detruire();
    EXPECT_EQ(f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos")), nullptr);
}

// Every menu command in turn, every question given its cautious answer, at
// start-up and with a room screen showing: none fails with an error message.
TEST_F(Application, TousLesMenus) {
    auto f = Demarrer();
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
                EXPECT_FALSE(m.titre.startsWith(QStringLiteral("Erreur")))
                    << m.titre.toStdString() << " : " << m.texte.toStdString();
            if (!f->isVisible())
                f->show(); // "Quitter" closed it
        }
    };
    parcourir();
    parcourir(); // from wherever the first walk left it
    f.reset(); // one program at a time on the studies folder
    f = DemarrerEtude();
    AjouterPieceExemple(f->Etude().Dossier(), 1);
    f->Circuits()->RemplirGrilleCircuits();
    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    parcourir();
}

// Each study and print command reaches the study model, which checks its
// conditions before any dialog.
TEST_F(Application, ConditionsDesCommandesDEtude) {
    auto f = Demarrer();
    const std::pair<const char*, const char*> cas[] = {
        {"MnuOuvrir", "Ouverture d'une étude."}, {"MnuEnregistrer", "Enregistrement."},
        {"MnuEnregistrerSous", "Enregistrement."}, {"MnuRenommer", "Renommer."},
        {"MnuSupprimerEtude", "Suppression impossible."}, {"MnuApercuChantier", "Impression."},
        {"MnuImprimerChantier", "Impression."}, {"MnuApercuRecap", "Impression."},
        {"MnuImprimerRecap", "Impression."}};
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
