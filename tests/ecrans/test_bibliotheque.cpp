// The study library's dialogs, the summary, the material list and the
// balancing, through
// the main window's menus: what the user does reaches the study model, and
// what the model gives reaches the windows. The rules themselves are tested
// on the model (tests/modele).

#include "Exemples.h"
#include "ExemplesEtude.h"
#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmEnregistrer.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmMateriel.h"
#include "ecrans/FrmOuvrir.h"
#include "ecrans/FrmRecap.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"
#include "etude/ExportCsv.h"
#include "etude/Materiel.h"
#include "etude/PresentationEquilibrage.h"
#include "etude/PresentationRecapitulatif.h"
#include "ihm/Grille.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

class Bibliotheque : public ::testing::Test {
protected:
    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
};

// The rooms `pieces` in the working files, as if accepted one by one.
void Pieces(MDIPlancher& f, const std::vector<DonneesPiece>& pieces) {
    for (const DonneesPiece& d : pieces) {
        f.Etude().Dossier().AjouterPiece(d);
        f.Etude().Dossier().AjouterPerte(0, 0, 0, FichierPerte);
    }
    f.Circuits()->RemplirGrilleCircuits();
}

// The example study of 12 rooms, stored in the studies folder.
void CopierMaison12Pieces(const DossierProgrammeTest& dossier) {
    ASSERT_TRUE(QDir().mkpath(dossier.etudes()));
    for (const char* extension : {".pla", ".plp", ".plg"}) {
        const QString nom = QStringLiteral("Maison 12 pièces") + QLatin1String(extension);
        ASSERT_TRUE(QFile::copy(QStringLiteral(SORVEL_DONNEES_TESTS "/") + nom, CheminEtudes(nom)));
    }
}

template <class T>
T* Dialogue(const MDIPlancher& f) {
    for (T* d : f.findChildren<T*>())
        if (d->isVisible())
            return d;
    return nullptr;
}

void Detruire() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// "Enregistrer l'étude" of a study never stored: the dialog offers its name,
// selected; the name typed reaches the model, the title and the general data
// show it. Once stored, the command stores without a dialog.
TEST_F(Bibliotheque, EnregistrerParLeMenu) {
    auto f = DemarrerEtude();
    Pieces(*f, {exemples::Maison12Pieces()[0]});
    Declencher(f.get(), QStringLiteral("MnuEnregistrer"));
    QPointer<FrmEnregistrer> d = Dialogue<FrmEnregistrer>(*f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Enregistrer..."));
    EXPECT_TRUE(d->isModal());
    EXPECT_EQ(d->Nom()->text(), QStringLiteral("Etude 1"));
    EXPECT_EQ(d->Nom()->selectedText(), QStringLiteral("Etude 1"));
    EXPECT_TRUE(d->Nom()->hasFocus());
    EXPECT_EQ(Trouver<QPushButton>(d, QStringLiteral("CmdEnregistrer"))->text(), QStringLiteral("Enregistrer"));

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Maison A"));
    Cliquer(d, QStringLiteral("CmdEnregistrer"));
    Detruire();
    EXPECT_FALSE(d) << "closed once stored";
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_TRUE(dossier.existeDansEtudes(QStringLiteral("Maison A.pla")));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison A]"));
    EXPECT_EQ(Trouver<QLabel>(f->Generales(), QStringLiteral("LblEtude"))->text(), QStringLiteral("Maison A"));

    Declencher(f.get(), QStringLiteral("MnuEnregistrer"));
    EXPECT_EQ(Dialogue<FrmEnregistrer>(*f), nullptr);
    EXPECT_TRUE(boite.messages.empty());
}

// A forbidden character is refused as it is typed: the message shows once,
// the field holds what it held, the caret at its end; typing goes on.
TEST_F(Bibliotheque, CaractereInterditALaFrappe) {
    auto f = DemarrerEtude();
    Pieces(*f, {exemples::Maison12Pieces()[0]});
    Declencher(f.get(), QStringLiteral("MnuEnregistrerSous"));
    QPointer<FrmEnregistrer> d = Dialogue<FrmEnregistrer>(*f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Enregistrer sous..."));
    EXPECT_TRUE(d->Nom()->text().isEmpty());

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Salle/"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Caractère incorrect."), {}, IconeMessage::Exclamation));
    EXPECT_EQ(d->Nom()->text(), QStringLiteral("Salle"));
    EXPECT_EQ(d->Nom()->cursorPosition(), 5);
    QTest::keyClicks(d->Nom(), QStringLiteral("1"));
    EXPECT_EQ(d->Nom()->text(), QStringLiteral("Salle1"));
    EXPECT_EQ(boite.messages.size(), 1u);

    // An empty name is refused and the field keeps the focus.
    d->Nom()->clear();
    boite.vider();
    Cliquer(d, QStringLiteral("CmdEnregistrer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Nom de l'étude."), QStringLiteral("Vous devez donner un nom à l'étude !")));
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->Nom()->hasFocus());
    Cliquer(d, QStringLiteral("CmdAnnuler"));
    EXPECT_TRUE(!d || !d->isVisible()) << "closed";
}

// "Renommer l'étude..." names its button "Renommer"; a name already taken
// empties the field and keeps the dialog open.
TEST_F(Bibliotheque, RenommerParLeMenu) {
    dossier.creerDansEtudes(QStringLiteral("Villa.pla"));
    auto f = DemarrerEtude();
    Pieces(*f, {exemples::Maison12Pieces()[0]});
    ASSERT_EQ(f->Etude().EnregistrerEtude(QStringLiteral("Maison")), ResultatEnregistrement::Enregistree);
    Declencher(f.get(), QStringLiteral("MnuRenommer"));
    QPointer<FrmEnregistrer> d = Dialogue<FrmEnregistrer>(*f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Renommer l'étude..."));
    EXPECT_EQ(Trouver<QPushButton>(d, QStringLiteral("CmdEnregistrer"))->text(), QStringLiteral("Renommer"));

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Villa"));
    Cliquer(d, QStringLiteral("CmdEnregistrer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Etude existante.")));
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->Nom()->text().isEmpty());
    EXPECT_TRUE(d->Nom()->hasFocus());

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Chalet"));
    Cliquer(d, QStringLiteral("CmdEnregistrer"));
    EXPECT_TRUE(!d || !d->isVisible()) << "closed";
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Chalet]"));
    EXPECT_FALSE(dossier.existeDansEtudes(QStringLiteral("Maison.pla")));
    EXPECT_TRUE(dossier.existeDansEtudes(QStringLiteral("Chalet.plg")));
}

// The open dialog lists the stored studies in French order, the first one
// chosen; opening one shows it on the general data screen with its rooms in
// the rooms list; deleting one asks and lists what is left.
TEST_F(Bibliotheque, OuvrirEtSupprimer) {
    CopierMaison12Pieces(dossier);
    for (const char* nom : {"Étage.pla", "atelier.pla", "Etude 10.pla", "Etude 9.pla"})
        dossier.creerDansEtudes(QString::fromUtf8(nom));
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuOuvrir"));
    QPointer<FrmOuvrir> d = Dialogue<FrmOuvrir>(*f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Ouvrir..."));
    QStringList listees;
    for (int i = 0; i < d->Liste()->count(); ++i)
        listees << d->Liste()->item(i)->text();
    EXPECT_EQ(listees, (QStringList{"atelier", "Étage", "Etude 9", "Etude 10", "Maison 12 pièces"}));
    EXPECT_EQ(d->Liste()->currentRow(), 0);

    // "Non" keeps it; "Oui" deletes it and the first one left is chosen.
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression de l'étude."),
                           QStringLiteral("Voulez vous supprimer l'étude 'atelier' ?")));
    EXPECT_EQ(d->Liste()->count(), 5);
    boite.vider();
    boite.repondre(ReponseMessage::Oui);
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(d->Liste()->count(), 4);
    EXPECT_EQ(d->Liste()->currentItem()->text(), QStringLiteral("Étage"));
    EXPECT_FALSE(dossier.existeDansEtudes(QStringLiteral("atelier.pla")));

    // A double click opens the study.
    boite.vider();
    QListWidgetItem* maison = d->Liste()->item(3);
    d->Liste()->setCurrentItem(maison);
    const QRect rect = d->Liste()->visualItemRect(maison);

    // The first press and release of a double click, then the second.
    QTest::mouseClick(d->Liste()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(d->Liste()->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
    EXPECT_TRUE(!d || !d->isVisible()) << "closed";
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison 12 pièces]"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(1, 1), QStringLiteral("Séjour"));
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(12, 1), QStringLiteral("Buanderie"));
    EXPECT_EQ(f->Circuits()->LigneSelectionnee(), 1);
    EXPECT_FALSE(f->Etude().Modifie());
    EXPECT_TRUE(f->Etude().EtudeEnregistree());
}

// Deleting every study from the dialog leaves its list empty.
TEST_F(Bibliotheque, SupprimerLaDerniereEtude) {
    dossier.creerDansEtudes(QStringLiteral("Seule.pla"));
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuOuvrir"));
    QPointer<FrmOuvrir> d = Dialogue<FrmOuvrir>(*f);
    ASSERT_TRUE(d);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(d->Liste()->count(), 0);
    // Nothing chosen: the buttons do nothing.
    boite.vider();
    Cliquer(d, QStringLiteral("CmdOuvrir"));
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_TRUE(d->isVisible());
}

// The summary of the 12-room example study: the grid shows what the summary
// presentation gives, cell for cell, with its formats; the labels and the
// title follow. Opened again, the same window; "Fermer" goes back.
TEST_F(Bibliotheque, RecapitulatifDeDouzePieces) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    ASSERT_TRUE(f->Etude().OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    QPointer<FrmRecap> recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_TRUE(recap);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
    EXPECT_EQ(recap->windowTitle(), QStringLiteral("Récapitulatif [Maison 12 pièces]"));

    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    const Recapitulatif attendu = PresenterRecapitulatif(recalculee->Resultat, f->Etude().Generales());
    ASSERT_EQ(attendu.NombrePieces(), 12);
    const Grille* g = recap->GrilleRecap();
    ASSERT_EQ(g->rowCount(), 35);
    ASSERT_EQ(g->columnCount(), 41);
    EXPECT_EQ(g->texte(0, 0), QStringLiteral("1"));
    EXPECT_EQ(g->texte(0, 40), QStringLiteral("41"));
    EXPECT_EQ(g->texte(1, 0), QStringLiteral("Désignation"));
    EXPECT_EQ(g->texte(2, 0), QString());
    EXPECT_EQ(g->texte(2, 2), QStringLiteral("m²"));
    EXPECT_TRUE(g->gras(0, 5));
    EXPECT_EQ(g->couleurFond(1, 5), Grille::CouleurInfoBulle());
    for (int i = 1; i <= 12; ++i)
        for (int k = 1; k <= NombreColonnesEtude; ++k) {
            const CelluleRecapitulatif& c = attendu.Case(k, i);
            const int l = LigneGrillePiece(i), col = ColonneGrille(k);
            ASSERT_EQ(g->texte(l, col), QString::fromStdString(c.Texte)) << i << " " << k;
            EXPECT_EQ(g->gras(l, col), c.Format.Gras) << i << " " << k;
            if (c.Format.Couleur != CouleurValeur::TexteFenetre) {
                const auto rvb = Rvb(c.Format.Couleur);
                EXPECT_EQ(g->couleurTexte(l, col), QColor(rvb[0], rvb[1], rvb[2])) << i << " " << k;
            }
        }
    EXPECT_EQ(g->couleurFond(3, 0), QColor(255, 255, 255));
    EXPECT_EQ(g->texte(15, 0), QString()) << "the row between the rooms and the totals";
    EXPECT_EQ(g->texte(16, 0), QStringLiteral("Total :"));
    EXPECT_EQ(g->texte(16, 2), QString::fromStdString((*attendu.Totaux)[2].Texte));
    EXPECT_EQ(g->couleurFond(16, 20), QColor(5, 200, 5));
    EXPECT_EQ(g->taillePolice(16, 20), 10);
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblRecap"))->text(), QString::fromStdString(attendu.LblRecap));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblPerte"))->text(), QString::fromStdString(attendu.LblPerte));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblPerte"))->accessibleName(),
              QString::fromStdString(attendu.LblPerte));
    // The lowest supply temperature, below the 41 columns.
    const QString temperature = QString::fromStdString(TexteTempDepartMinimale(recalculee->Equilibrage.TempDepartMinimale));
    EXPECT_TRUE(temperature.startsWith(QStringLiteral("Température de départ minimale sans appoint : ")));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblTempDepartMinimale"))->text(), temperature);
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblTempDepartMinimale"))->accessibleName(), temperature);

    // "Exporter…" offers the study's name in the documents folder and writes
    // the batch tool's CSV of what the window shows.
    QTemporaryDir exportation;
    const QString chemin = exportation.path() + QStringLiteral("/recap.csv");
    QString offert;
    FrmRecap::DefinirChoixFichier([&](QWidget*, const QString& propose) {
        offert = propose;
        return chemin;
    });
    Cliquer(recap, QStringLiteral("CmdExporter"));
    FrmRecap::DefinirChoixFichier({});
    EXPECT_EQ(offert, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                          QStringLiteral("/Maison 12 pièces.csv"));
    QFile csv(chemin);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().toStdString(),
              CsvEtude(recalculee->Resultat, recalculee->Materiel, recalculee->Equilibrage));
    EXPECT_TRUE(boite.messages.empty());

    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    EXPECT_EQ(f->FeuilleAffichee(), recap.data());
    Cliquer(recap, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    Detruire();
    EXPECT_FALSE(recap);
}

// The balancing of the 12-room example study: the grid shows what the
// balancing presentation gives, loop by loop, with its colours and
// tooltips, which a screen reader reads out; the labels and the title
// follow; "Exporter…" writes the balancing section of the CSV. Opened
// again, the same window; "Fermer" goes back.
TEST_F(Bibliotheque, EquilibrageDeDouzePieces) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    ASSERT_TRUE(f->Etude().OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    Declencher(f.get(), QStringLiteral("MnuCircuits"));
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    QPointer<FrmEquilibrage> fenetre = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_TRUE(fenetre);
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
    EXPECT_EQ(fenetre->windowTitle(), QStringLiteral("Équilibrage [Maison 12 pièces]"));

    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    const auto attendu = PresenterEquilibrage(recalculee->Equilibrage.Boucles, f->Etude().Generales().Tube);
    ASSERT_EQ(attendu.size(), 14u); // two rooms have an edge loop of their own
    const Grille* g = fenetre->GrilleEquilibrage();
    ASSERT_EQ(g->rowCount(), 2 + 14);
    ASSERT_EQ(g->columnCount(), NombreColonnesEquilibrage);
    EXPECT_EQ(g->texte(0, ColonneEquilibrage::Kv), QStringLiteral("Kv"));
    EXPECT_EQ(g->texte(1, ColonneEquilibrage::Kv), QStringLiteral("m³/h"));
    QAccessibleInterface* acces = QAccessible::queryAccessibleInterface(const_cast<Grille*>(g));
    ASSERT_NE(acces, nullptr);
    ASSERT_NE(acces->tableInterface(), nullptr);
    int avecInfoBulle = 0;
    for (std::size_t n = 0; n < attendu.size(); ++n)
        for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
            SCOPED_TRACE(std::to_string(n) + " " + std::to_string(c));
            const CelluleEquilibrage& cellule = attendu[n][static_cast<std::size_t>(c)];
            const int l = 2 + static_cast<int>(n);
            ASSERT_EQ(g->texte(l, c), QString::fromStdString(cellule.Texte));
            EXPECT_EQ(g->gras(l, c), cellule.Format.Gras);
            if (cellule.Format.Couleur != CouleurValeur::TexteFenetre) {
                const auto rvb = Rvb(cellule.Format.Couleur);
                EXPECT_EQ(g->couleurTexte(l, c), QColor(rvb[0], rvb[1], rvb[2]));
            }
            EXPECT_EQ(g->infoBulle(l, c), QString::fromStdString(cellule.InfoBulle));
            QAccessibleInterface* case_ = acces->tableInterface()->cellAt(l, c);
            ASSERT_NE(case_, nullptr);
            EXPECT_EQ(case_->text(QAccessible::Name), g->texte(l, c));
            if (!cellule.InfoBulle.empty()) {
                ++avecInfoBulle;
                EXPECT_EQ(case_->text(QAccessible::Description), QString::fromStdString(cellule.InfoBulle));
            }
        }
    EXPECT_GT(avecInfoBulle, 0) << "the open valve, at least, is explained";
    for (const char* nom : {"LblPerte", "LblTempDepartMinimale"}) {
        const QLabel* l = Trouver<QLabel>(fenetre, QString::fromLatin1(nom));
        EXPECT_FALSE(l->text().isEmpty()) << nom;
        EXPECT_EQ(l->accessibleName(), l->text()) << nom;
    }
    EXPECT_EQ(Trouver<QLabel>(fenetre, QStringLiteral("LblTempDepartMinimale"))->text(),
              QString::fromStdString(TexteTempDepartMinimale(recalculee->Equilibrage.TempDepartMinimale)));

    QTemporaryDir exportation;
    const QString chemin = exportation.path() + QStringLiteral("/equilibrage.csv");
    QString offert;
    FrmEquilibrage::DefinirChoixFichier([&](QWidget*, const QString& propose) {
        offert = propose;
        return chemin;
    });
    Cliquer(fenetre, QStringLiteral("CmdExporter"));
    FrmEquilibrage::DefinirChoixFichier({});
    EXPECT_EQ(offert, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                          QStringLiteral("/Maison 12 pièces - équilibrage.csv"));
    QFile csv(chemin);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().toStdString(), CsvEquilibrage(recalculee->Equilibrage));
    EXPECT_TRUE(boite.messages.empty());

    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    EXPECT_EQ(f->FeuilleAffichee(), fenetre.data());
    Cliquer(fenetre, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    Detruire();
    EXPECT_FALSE(fenetre);
}

// Without rooms, or with a room that cannot be calculated, the headings
// alone and nothing to export.
TEST_F(Bibliotheque, EquilibrageSansPieceOuIncalculable) {
    auto f = DemarrerEtude();
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* fenetre = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(fenetre, nullptr);
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(fenetre->GrilleEquilibrage()->texte(0, 0), QStringLiteral("Pièce"));
    EXPECT_EQ(fenetre->GrilleEquilibrage()->texte(2, 0), QString());
    EXPECT_EQ(Trouver<QLabel>(fenetre, QStringLiteral("LblTempDepartMinimale"))->text(), QString());
    EXPECT_FALSE(Trouver<QPushButton>(fenetre, QStringLiteral("CmdExporter"))->isEnabled());
    Cliquer(fenetre, QStringLiteral("CmdFermer"));
    Detruire();

    DonneesPiece vide = exemples::Maison12Pieces()[1];
    vide.SurfacePiece = 0;
    Pieces(*f, {exemples::Maison12Pieces()[0], vide});
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    fenetre = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(fenetre, nullptr);
    ASSERT_TRUE(boite.seul(QStringLiteral("Calcul impossible.")));
    EXPECT_EQ(fenetre->GrilleEquilibrage()->texte(2, 0), QString());
    EXPECT_FALSE(Trouver<QPushButton>(fenetre, QStringLiteral("CmdExporter"))->isEnabled());
}

// 30 rooms fill grid rows 3 to 32; row 33 stays empty; the totals are the
// last row.
TEST_F(Bibliotheque, RecapitulatifDeTrentePieces) {
    auto f = DemarrerEtude();
    Pieces(*f, exemples::EtudeDePieces(PiecesMaximumEtude));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    auto* recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_NE(recap, nullptr);
    EXPECT_TRUE(boite.messages.empty());
    const Grille* g = recap->GrilleRecap();
    EXPECT_EQ(g->texte(3, 0), QStringLiteral("Séjour"));
    EXPECT_EQ(g->texte(32, 0), QStringLiteral("Chambre parents 3"));
    EXPECT_EQ(g->texte(33, 0), QString());
    EXPECT_EQ(g->texte(34, 0), QStringLiteral("Total :"));
}

// A study without rooms shows the heading rows alone; a room that cannot
// be calculated is named in a message and the grid stays unfilled.
TEST_F(Bibliotheque, RecapitulatifSansPieceOuIncalculable) {
    auto f = DemarrerEtude();
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    auto* recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_NE(recap, nullptr);
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(recap->GrilleRecap()->texte(1, 1), QStringLiteral("T° pièce"));
    EXPECT_EQ(recap->GrilleRecap()->texte(3, 0), QString());
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblPerte"))->text(), QString());
    EXPECT_FALSE(Trouver<QPushButton>(recap, QStringLiteral("CmdExporter"))->isEnabled()) << "nothing to export";
    Cliquer(recap, QStringLiteral("CmdFermer"));
    Detruire();

    DonneesPiece vide = exemples::Maison12Pieces()[1];
    vide.SurfacePiece = 0;
    Pieces(*f, {exemples::Maison12Pieces()[0], vide});
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_NE(recap, nullptr);
    ASSERT_TRUE(boite.seul(QStringLiteral("Calcul impossible.")));
    EXPECT_TRUE(boite.messages[0].texte.contains(QStringLiteral("« Cuisine »")));
    EXPECT_EQ(recap->GrilleRecap()->texte(3, 0), QString());
    EXPECT_FALSE(Trouver<QLabel>(recap, QStringLiteral("LblRecap"))->text().isEmpty());
}

// The material list: the model's quantities in the grid, with their
// designations and units; row 13 stays empty.
TEST_F(Bibliotheque, Materiel) {
    auto f = DemarrerEtude();
    Pieces(*f, exemples::Maison12Pieces());
    Declencher(f.get(), QStringLiteral("MnuMateriel"));
    auto* materiel = qobject_cast<FrmMateriel*>(f->FeuilleAffichee());
    ASSERT_NE(materiel, nullptr);
    EXPECT_EQ(materiel->windowTitle(), QStringLiteral("Matériel."));
    const Grille* g = materiel->GrilleMat();
    ASSERT_EQ(g->rowCount(), 14);
    ASSERT_EQ(g->columnCount(), 3);
    EXPECT_EQ(g->texte(0, 0), QStringLiteral("Désignations"));
    EXPECT_EQ(g->texte(0, 1), QStringLiteral("Valeurs"));
    EXPECT_EQ(g->texte(0, 2), QStringLiteral("Dim."));
    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    ASSERT_EQ(recalculee->Materiel.size(), 12u);
    for (int n = 1; n <= 12; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        EXPECT_EQ(g->texte(n, 0), QString::fromUtf8(LignesMateriel[i].Designation));
        EXPECT_TRUE(g->gras(n, 0));
        EXPECT_EQ(g->texte(n, 1), QString::fromStdString(TexteMateriel(recalculee->Materiel[i])));
        EXPECT_EQ(g->alignement(n, 1), AlignementCellule::Centre);
        EXPECT_EQ(g->texte(n, 2), QString::fromUtf8(LignesMateriel[i].Unite));
    }
    EXPECT_EQ(g->texte(13, 0), QString());
    Cliquer(materiel, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    Detruire();
}

// The program started on a stored study opens it as the open dialog does:
// its rooms listed, the general data showing; a study that cannot be opened
// is told and the new study stays.
TEST_F(Bibliotheque, OuvrirAuDemarrage) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    EXPECT_FALSE(f->OuvrirEtude(QStringLiteral("Absente")));
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(f->Etude().Nom(), QStringLiteral("Etude 1"));
    boite.vider();
    ASSERT_TRUE(f->OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison 12 pièces]"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(12, 0), QStringLiteral("12"));
    EXPECT_FALSE(f->Etude().Modifie());
}
