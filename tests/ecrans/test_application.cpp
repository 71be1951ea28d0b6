#include "ecrans/FrmCharge.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ExemplesEtude.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
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

TEST_F(Application, NomDeLaNouvelleEtude) {
    // The name is the model's; the title and the general data show it.
    const struct {
        QStringList enregistrees;
        const char* attendu;
    } cas[] = {
        {{}, "Etude 1"},
        {{"Etude 1", "Etude 2"}, "Etude 3"},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.attendu);
        DossierProgrammeTest propre;
        for (const QString& nom : k.enregistrees)
            propre.creerDansEtudes(nom + QStringLiteral(".pla"));
        auto f = Demarrer();
        EXPECT_TRUE(QFileInfo(propre.etudes()).isDir()) << "Etudes is made when missing";
        EXPECT_EQ(f->Etude().Nom(), QString::fromUtf8(k.attendu));
        EXPECT_EQ(Trouver<QLabel>(f.get(), QStringLiteral("LblEtude"))->text(), QString::fromUtf8(k.attendu));
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [%1]").arg(QString::fromUtf8(k.attendu)));
        EXPECT_FALSE(f->Etude().Modifie());
    }
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
        if (lectureSeule) {
            QFile::setPermissions(propre.chemin(), QFile::ReadOwner | QFile::ExeOwner);
        } else {
            QFile bouchon(propre.etudes());
            ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
        }
        boite.vider();
        auto f = Demarrer();
        EXPECT_TRUE(boite.seul(QStringLiteral("Dossier des études."), {}, IconeMessage::Exclamation));
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->Etude().Nom(), QStringLiteral("Etude 1"));
    }
}

// Right after start-up nothing is asked and no working file is left. A
// modified study: Cancel keeps the program open; No ends it and deletes the
// working files; Yes must not end it unless the study was stored.
TEST_F(Application, Quitter) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuQuitter"));
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(boite.messages.empty());
    for (const QString& nom : FichiersTravail)
        EXPECT_FALSE(dossier.existeDansEtudes(nom)) << nom.toStdString();

    const struct {
        ReponseMessage reponse;
        bool resteOuvert;
    } cas[] = {
        {ReponseMessage::Annuler, true},
        {ReponseMessage::Non, false},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(static_cast<int>(k.reponse));
        boite.vider();
        f.reset(); // one program at a time on the studies folder
        f = DemarrerEtude(QStringLiteral("45")); // writes Generale.tmp
        ASSERT_TRUE(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")));
        ASSERT_TRUE(f->Etude().Modifie());
        boite.vider();
        boite.repondre(k.reponse);
        f->close();
        QApplication::processEvents();
        EXPECT_TRUE(boite.seul(
            QStringLiteral("Enregistrement."),
            QStringLiteral("Voulez vous enregistrer les modifications apportées à l'étude 'Etude 1' ?"),
            IconeMessage::Question, BoutonsMessage::OuiNonAnnuler));
        EXPECT_EQ(f->isVisible(), k.resteOuvert);
        EXPECT_EQ(dossier.existeDansEtudes(QStringLiteral("Generale.tmp")), k.resteOuvert);
    }
}

TEST_F(Application, NouvelleEtudeApresModification) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    EXPECT_TRUE(boite.messages.empty()) << "nothing changed yet, nothing asked";
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());

    Cliquer(f.get(), QStringLiteral("OptSupport_1"));
    Cliquer(f.get(), QStringLiteral("OptTube_0"));
    Choisir(f.get(), QStringLiteral("CmbTempDepart"), QStringLiteral("33"));
    Cliquer(f.get(), QStringLiteral("OptChape_1"));
    ASSERT_TRUE(f->Etude().Modifie());
    boite.repondre(ReponseMessage::Non);
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));

    EXPECT_TRUE(boite.seul(QStringLiteral("Enregistrer."), QStringLiteral("Voulez vous enregistrer l'étude en cours ?"),
                           IconeMessage::Question, BoutonsMessage::OuiNon));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_TRUE(Trouver<QRadioButton>(f.get(), QStringLiteral("OptSupport_0"))->isChecked());
    EXPECT_TRUE(Trouver<QRadioButton>(f.get(), QStringLiteral("OptTube_1"))->isChecked());
    EXPECT_EQ(Trouver<QComboBox>(f.get(), QStringLiteral("CmbTempDepart"))->currentText(), QStringLiteral("40"));
    EXPECT_TRUE(Trouver<QRadioButton>(f.get(), QStringLiteral("OptChape_0"))->isChecked());
    EXPECT_FALSE(f->Etude().Modifie());
    EXPECT_FALSE(f->Etude().EtudeEnregistree());
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
    EXPECT_FALSE(f->Etude().Modifie());
}

TEST_F(Application, ImageDeFondSelonLaLargeur) {
    const struct {
        int largeur;
        const char* fichier;
    } cas[] = {{640, "Fd1.fpl"}, {800, "Fd1.fpl"}, {809, "Fd1.fpl"}, {810, "Fd2.fpl"},
               {1024, "Fd2.fpl"}, {1049, "Fd2.fpl"}, {1050, ""}, {1280, ""}};
    // Two pictures of different sizes, in a format the extension does not tell.
    QImage(32, 24, QImage::Format_RGB32).save(dossier.chemin() + QStringLiteral("/Fd1.fpl"), "PNG");
    QImage(48, 30, QImage::Format_RGB32).save(dossier.chemin() + QStringLiteral("/Fd2.fpl"), "BMP");
    for (const auto& k : cas) {
        SCOPED_TRACE(k.largeur);
        auto f = Demarrer(k.largeur);
        EXPECT_EQ(f->FichierImageFond(), QString::fromUtf8(k.fichier));
        const QSize attendue = k.largeur < 810 ? QSize(32, 24) : k.largeur < 1050 ? QSize(48, 30) : QSize(0, 0);
        EXPECT_EQ(f->ImageFond().size(), attendue); // no picture: an empty one
    }
    // A picture missing or not a picture leaves the background plain.
    QFile::remove(dossier.chemin() + QStringLiteral("/Fd1.fpl"));
    QFile illisible(dossier.chemin() + QStringLiteral("/Fd2.fpl"));
    ASSERT_TRUE(illisible.open(QIODevice::WriteOnly | QIODevice::Truncate));
    illisible.write("ceci n'est pas une image");
    illisible.close();
    for (int largeur : {800, 1024})
        EXPECT_TRUE(Demarrer(largeur)->ImageFond().isNull()) << largeur;
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
// calcul..." goes back to it once.
TEST_F(Application, FeuilleDeCalcul) {
    auto f = Demarrer(1280);
    auto* feuilleCalcul = Trouver<QAction>(f.get(), QStringLiteral("MnuFeuilleCalcul"));
    EXPECT_FALSE(feuilleCalcul->isEnabled());

    // From a screen that is not a room screen, nothing is remembered.
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    EXPECT_FALSE(feuilleCalcul->isEnabled());

    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    QWidget* charge = f->FeuillesDePiece().Charge.data();
    ASSERT_NE(charge, nullptr);
    EXPECT_EQ(f->FeuilleAffichee(), charge);
    EXPECT_TRUE(f->Etude().NouvellePiece());
    for (const char* nom : {"MnuAjouterPiece", "MnuModifierPiece", "MnuSupprimerPiece"})
        EXPECT_FALSE(Trouver<QAction>(f.get(), QString::fromLatin1(nom))->isEnabled()) << nom;

    for (const char* sortie : {"MnuDonneesGenerales", "MnuCircuits"}) {
        SCOPED_TRACE(sortie);
        Declencher(f.get(), QString::fromLatin1(sortie));
        EXPECT_NE(f->FeuilleAffichee(), charge);
        EXPECT_TRUE(feuilleCalcul->isEnabled());
        EXPECT_EQ(f->FeuilleCalcul(), charge);
        Declencher(f.get(), QStringLiteral("MnuFeuilleCalcul"));
        EXPECT_EQ(f->FeuilleAffichee(), charge);
        EXPECT_FALSE(feuilleCalcul->isEnabled());
        EXPECT_EQ(f->FeuilleCalcul(), nullptr);
    }
    // A new study discards the room screens, and what was remembered of them.
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    ASSERT_TRUE(feuilleCalcul->isEnabled());
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    EXPECT_FALSE(feuilleCalcul->isEnabled());
    EXPECT_EQ(f->FeuilleCalcul(), nullptr);
    EXPECT_TRUE(Trouver<QAction>(f.get(), QStringLiteral("MnuAjouterPiece"))->isEnabled());
    EXPECT_TRUE(boite.messages.empty());
}

// The screen showing stays in the middle of the client area, also when
// the main window changes size.
TEST_F(Application, EcranCentre) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuNouvelle"));
    auto centrage = [&] {
        const QWidget* fenetre = f->Generales()->parentWidget(); // its child window
        const QWidget* zone = fenetre->parentWidget();           // the client area
        return std::pair{zone->width() / 2 - fenetre->width() / 2 - fenetre->x(),
                         zone->height() / 2 - fenetre->height() / 2 - fenetre->y()};
    };
    EXPECT_EQ(centrage(), std::pair(0, 0));
    for (QSize taille : {QSize(1000, 760), QSize(700, 650), QSize(1200, 900)}) {
        f->resize(taille);
        QApplication::processEvents();
        EXPECT_EQ(centrage(), std::pair(0, 0)) << taille.width() << "x" << taille.height();
    }
}

// The help menu item and every "Aide ?" button say the same when the help
// file is missing, and the screen stays.
TEST_F(Application, AideManquante) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuAideSorvel"));
    for (QWidget* ecran : {static_cast<QWidget*>(f->Generales()), static_cast<QWidget*>(f->Circuits())}) {
        f->AfficherFeuille(ecran);
        QApplication::processEvents();
        Cliquer(ecran, QStringLiteral("CmdAide"));
        EXPECT_EQ(f->FeuilleAffichee(), ecran);
    }
    EXPECT_EQ(boite.titres(), QStringList(3, QStringLiteral("FICHIER D'AIDE MANQUANT.")));
}

// "À propos" from the menu shows the version and the program's icon; "OK"
// closes the box and frees it.
TEST_F(Application, AProposSOuvreEtSeFerme) {
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuAPropos"));
    auto* boiteAPropos = f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos"));
    ASSERT_NE(boiteAPropos, nullptr);
    EXPECT_TRUE(boiteAPropos->isVisible());
    EXPECT_EQ(boiteAPropos->windowTitle(), QStringLiteral("À propos de Sorvel"));
    EXPECT_EQ(Trouver<QAction>(f.get(), QStringLiteral("MnuAPropos"))->text(), QStringLiteral("À &propos de Sorvel"));
    EXPECT_EQ(Trouver<QLabel>(boiteAPropos, QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 1.0.0"));
    EXPECT_FALSE(Trouver<QLabel>(boiteAPropos, QStringLiteral("ImgIcone"))->pixmap().isNull());
    Cliquer(boiteAPropos, QStringLiteral("cmdOK"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f->findChild<QDialog*>(QStringLiteral("Frm_A_Propos")), nullptr);
}

namespace {

// Chooses every menu command in turn, answering every question with its
// cautious answer; no command may fail with an error message.
void ParcourirTousLesMenus(MDIPlancher& f, BoiteMessageScriptee& boite) {
    for (QAction* a : ActionsDesMenus(&f)) {
        SCOPED_TRACE(a->objectName().toStdString());
        boite.vider();
        if (a->isEnabled())
            a->trigger();
        QApplication::processEvents();
        for (QDialog* d : f.findChildren<QDialog*>())
            d->close();
        for (const auto& m : boite.messages) {
            EXPECT_FALSE(m.titre.startsWith(QStringLiteral("Erreur")))
                << m.titre.toStdString() << " : " << m.texte.toStdString();
        }
        if (!f.isVisible())
            f.show(); // "Quitter" closed it
    }
}

} // namespace

// Every menu at start-up (twice, from wherever the first walk left it),
// after the general data, and with a room screen showing.
TEST_F(Application, TousLesMenus) {
    auto f = Demarrer();
    ParcourirTousLesMenus(*f, boite);
    ParcourirTousLesMenus(*f, boite);
    // One program at a time on the studies folder: the previous one goes
    // before the next starts.
    f.reset();
    f = DemarrerEtude(QStringLiteral("45"));
    ParcourirTousLesMenus(*f, boite);
    f.reset();
    f = DemarrerEtude();
    AjouterPieceExemple(f->Etude().Dossier(), 1);
    f->Circuits()->RemplirGrilleCircuits();
    Declencher(f.get(), QStringLiteral("MnuAjouterPiece"));
    ASSERT_EQ(f->FeuilleAffichee(), f->FeuillesDePiece().Charge);
    ParcourirTousLesMenus(*f, boite);
}

// Each study and print command reaches the study model, which checks its
// conditions before any dialog.
TEST_F(Application, ConditionsDesCommandesDEtude) {
    auto f = Demarrer();
    const struct {
        const char* menu;
        const char* titre;
        const char* texte;
        IconeMessage icone;
    } cas[] = {
        {"MnuOuvrir", "Ouverture d'une étude.", "Aucune étude n'est disponible !", IconeMessage::Aucune},
        {"MnuEnregistrer", "Enregistrement.",
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude !", IconeMessage::Exclamation},
        {"MnuEnregistrerSous", "Enregistrement.",
         "Une pièce au moins doit avoir été calculée avant d'enregistrer l'étude sous un autre nom !",
         IconeMessage::Exclamation},
        {"MnuRenommer", "Renommer.", "L'étude 'Etude 1' n'est pas encore enregistrée !", IconeMessage::Aucune},
        {"MnuSupprimerEtude", "Suppression impossible.",
         "Cette étude n'a pas encore été enregistrée, elle ne peut donc pas être supprimée !",
         IconeMessage::Exclamation},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.menu);
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(k.menu));
        EXPECT_TRUE(boite.seul(QString::fromUtf8(k.titre), QString::fromUtf8(k.texte), k.icone));
    }
    // The four print items ask the model first.
    for (const char* menu : {"MnuApercuChantier", "MnuImprimerChantier", "MnuApercuRecap", "MnuImprimerRecap"}) {
        SCOPED_TRACE(menu);
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(menu));
        EXPECT_TRUE(boite.seul(QStringLiteral("Impression.")));
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
