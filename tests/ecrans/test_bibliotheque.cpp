// The study library's dialogs, the summary, the material list and the
// balancing, through
// the main window's menus: what the user does reaches the study model, and
// what the model gives reaches the windows. The rules themselves are tested
// on the model (tests/modele) and on the presentations (tests/etude).

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
#include "ecrans/VuesCommunes.h"
#include "etude/ExportCsv.h"
#include "etude/Materiel.h"
#include "etude/PresentationEquilibrage.h"
#include "etude/PresentationRecapitulatif.h"
#include "ihm/Grille.h"

#include <QAccessible>
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

} // namespace

// "Enregistrer l'étude" of a study never stored: the dialog offers its name,
// selected; the name typed reaches the model, the title and the general data
// show it. Once stored, the command stores without a dialog.
TEST_F(Bibliotheque, EnregistrerParLeMenu) {
    auto f = DemarrerEtude();
    AjouterPieces(*f, {exemples::Maison12Pieces()[0]});
    Declencher(f.get(), QStringLiteral("MnuEnregistrer"));
    QPointer<FrmEnregistrer> d = Dialogue<FrmEnregistrer>(*f);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->isModal());
    EXPECT_EQ(d->Nom()->selectedText(), QStringLiteral("Etude 1"));
    EXPECT_TRUE(d->Nom()->hasFocus());

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Maison A"));
    Cliquer(d, QStringLiteral("CmdEnregistrer"));
    Detruire();
    EXPECT_FALSE(d) << "closed once stored";
    EXPECT_TRUE(dossier.existeDansEtudes(QStringLiteral("Maison A.pla")));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison A]"));
    EXPECT_EQ(Trouver<QLabel>(f->Generales(), QStringLiteral("LblEtude"))->text(), QStringLiteral("Maison A"));

    Declencher(f.get(), QStringLiteral("MnuEnregistrer"));
    EXPECT_EQ(Dialogue<FrmEnregistrer>(*f), nullptr);
    EXPECT_TRUE(boite.messages.empty());
}

// "Renommer l'étude...": a forbidden character is refused as it is typed
// (the field keeps what it held, the caret at its end); a name already taken
// empties the field and keeps the dialog open; a free one renames.
TEST_F(Bibliotheque, RenommerParLeMenu) {
    dossier.creerDansEtudes(QStringLiteral("Villa.pla"));
    auto f = DemarrerEtude();
    AjouterPieces(*f, {exemples::Maison12Pieces()[0]});
    ASSERT_EQ(f->Etude().EnregistrerEtude(QStringLiteral("Maison")), ResultatEnregistrement::Enregistree);
    Declencher(f.get(), QStringLiteral("MnuRenommer"));
    QPointer<FrmEnregistrer> d = Dialogue<FrmEnregistrer>(*f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Renommer l'étude..."));
    EXPECT_EQ(Trouver<QPushButton>(d, QStringLiteral("CmdEnregistrer"))->text(), QStringLiteral("Renommer"));

    Taper(d, QStringLiteral("TxtEnregistrer"), QStringLiteral("Salle/"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Caractère incorrect.")));
    EXPECT_EQ(d->Nom()->text(), QStringLiteral("Salle"));
    EXPECT_EQ(d->Nom()->cursorPosition(), 5);

    boite.vider();
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
    EXPECT_TRUE(dossier.existeDansEtudes(QStringLiteral("Chalet.plg")));
}

// The open dialog lists the stored studies in French order, the first one
// chosen; deleting one asks and lists what is left; a double click opens
// one, shown on the general data screen with its rooms in the rooms list.
TEST_F(Bibliotheque, OuvrirEtSupprimer) {
    CopierMaison12Pieces(dossier);
    for (const char* nom : {"Étage.pla", "atelier.pla", "Etude 10.pla", "Etude 9.pla"})
        dossier.creerDansEtudes(QString::fromUtf8(nom));
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuOuvrir"));
    QPointer<FrmOuvrir> d = Dialogue<FrmOuvrir>(*f);
    ASSERT_TRUE(d);
    QStringList listees;
    for (int i = 0; i < d->Liste()->count(); ++i)
        listees << d->Liste()->item(i)->text();
    EXPECT_EQ(listees, (QStringList{"atelier", "Étage", "Etude 9", "Etude 10", "Maison 12 pièces"}));
    EXPECT_EQ(d->Liste()->currentRow(), 0);

    boite.repondre(ReponseMessage::Oui);
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression de l'étude.")));
    EXPECT_EQ(d->Liste()->count(), 4);
    EXPECT_EQ(d->Liste()->currentItem()->text(), QStringLiteral("Étage"));
    EXPECT_FALSE(dossier.existeDansEtudes(QStringLiteral("atelier.pla")));

    boite.vider();
    QListWidgetItem* maison = d->Liste()->item(3);
    d->Liste()->setCurrentItem(maison);
    const QRect rect = d->Liste()->visualItemRect(maison);
    // The first press and release of a double click, then the second.
    QTest::mouseClick(d->Liste()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(d->Liste()->viewport(), Qt::LeftButton, {}, rect.center());
    Detruire();
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
    EXPECT_TRUE(!d || !d->isVisible()) << "closed";
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison 12 pièces]"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(12, 1), QStringLiteral("Buanderie"));
    EXPECT_EQ(f->Circuits()->LigneSelectionnee(), 1);
    EXPECT_TRUE(f->Etude().EtudeEnregistree());
}

// Deleting every study from the dialog leaves its list empty, and its
// buttons then do nothing.
TEST_F(Bibliotheque, SupprimerLaDerniereEtude) {
    dossier.creerDansEtudes(QStringLiteral("Seule.pla"));
    auto f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuOuvrir"));
    QPointer<FrmOuvrir> d = Dialogue<FrmOuvrir>(*f);
    ASSERT_TRUE(d);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_EQ(d->Liste()->count(), 0);
    boite.vider();
    Cliquer(d, QStringLiteral("CmdOuvrir"));
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_TRUE(d->isVisible());
}

// The summary of the 12-room example study: the grid shows what the summary
// presentation gives, cell for cell, with its formats, and the labels
// follow. "Exporter…" writes what the window shows. Opened again, the same
// window; "Fermer" goes back.
TEST_F(Bibliotheque, RecapitulatifDeDouzePieces) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    ASSERT_TRUE(f->Etude().OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    QPointer<FrmRecap> recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_TRUE(recap);
    EXPECT_EQ(recap->windowTitle(), QStringLiteral("Récapitulatif [Maison 12 pièces]"));

    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    const Recapitulatif attendu = PresenterRecapitulatif(recalculee->Resultat, f->Etude().Generales());
    const Grille* g = recap->GrilleRecap();
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        for (int i = 1; i <= 13; ++i) {
            const CelluleRecapitulatif& c = i <= 12 ? attendu.Case(k, i) : (*attendu.Totaux)[k - 1];
            const int l = i <= 12 ? LigneGrillePiece(i) : LigneGrilleTotaux(12), col = ColonneGrille(k);
            ASSERT_EQ(g->texte(l, col), QString::fromStdString(c.Texte)) << i << " " << k;
            EXPECT_EQ(g->gras(l, col), c.Format.Gras) << i << " " << k;
            if (c.Format.Couleur != CouleurValeur::TexteFenetre) {
                const auto rvb = Rvb(c.Format.Couleur);
                EXPECT_EQ(g->couleurTexte(l, col), QColor(rvb[0], rvb[1], rvb[2])) << i << " " << k;
            }
        }
    }
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblRecap"))->text(), QString::fromStdString(attendu.LblRecap));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblPerte"))->accessibleName(),
              QString::fromStdString(attendu.LblPerte));
    // The lowest supply temperature, below the 41 columns.
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblTempDepartMinimale"))->accessibleName(),
              QString::fromStdString(TexteTempDepartMinimale(recalculee->Equilibrage.TempDepartMinimale)));

    QTemporaryDir exportation;
    const QString chemin = exportation.path() + QStringLiteral("/recap.csv");
    QString offert;
    InstallerChoixFichierExport([&](QWidget*, const QString&, const QString& propose) {
        offert = propose;
        return chemin;
    });
    Cliquer(recap, QStringLiteral("CmdExporter"));
    InstallerChoixFichierExport({});
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
// tooltips, which a screen reader reads out; the labels follow;
// "Exporter…" writes the balancing section of the CSV. Opened again, the
// same window; "Fermer" goes back.
TEST_F(Bibliotheque, EquilibrageDeDouzePieces) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    ASSERT_TRUE(f->Etude().OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    QPointer<FrmEquilibrage> fenetre = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_TRUE(fenetre);
    EXPECT_EQ(fenetre->windowTitle(), QStringLiteral("Équilibrage [Maison 12 pièces]"));

    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    const auto attendu = PresenterEquilibrage(recalculee->Equilibrage.Boucles, f->Etude().Generales().Tube);
    const Grille* g = fenetre->GrilleEquilibrage();
    QAccessibleInterface* acces = QAccessible::queryAccessibleInterface(const_cast<Grille*>(g));
    ASSERT_TRUE(acces && acces->tableInterface());
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
    EXPECT_EQ(g->texte(2 + static_cast<int>(attendu.size()), 0), QString()) << "one row a loop";
    EXPECT_EQ(Trouver<QLabel>(fenetre, QStringLiteral("LblTempDepartMinimale"))->accessibleName(),
              QString::fromStdString(TexteTempDepartMinimale(recalculee->Equilibrage.TempDepartMinimale)));
    EXPECT_FALSE(Trouver<QLabel>(fenetre, QStringLiteral("LblPerte"))->accessibleName().isEmpty());

    QTemporaryDir exportation;
    const QString chemin = exportation.path() + QStringLiteral("/equilibrage.csv");
    QString offert;
    InstallerChoixFichierExport([&](QWidget*, const QString&, const QString& propose) {
        offert = propose;
        return chemin;
    });
    Cliquer(fenetre, QStringLiteral("CmdExporter"));
    InstallerChoixFichierExport({});
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

// A study without rooms has nothing to summarise, balance or export; a
// room that cannot be calculated is named in a message and the grids stay
// unfilled.
TEST_F(Bibliotheque, VuesSansPieceOuIncalculable) {
    auto f = DemarrerEtude();
    for (const char* menu : {"MnuRecapitulatif", "MnuEquilibrage"}) {
        SCOPED_TRACE(menu);
        Declencher(f.get(), QString::fromLatin1(menu));
        QWidget* vue = f->FeuilleAffichee();
        ASSERT_NE(vue, nullptr);
        EXPECT_TRUE(boite.messages.empty());
        EXPECT_FALSE(Trouver<QPushButton>(vue, QStringLiteral("CmdExporter"))->isEnabled());
        Cliquer(vue, QStringLiteral("CmdFermer"));
        Detruire();
    }

    DonneesPiece vide = exemples::Maison12Pieces()[1];
    vide.SurfacePiece = 0;
    AjouterPieces(*f, {exemples::Maison12Pieces()[0], vide});
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    auto* recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_NE(recap, nullptr);
    ASSERT_TRUE(boite.seul(QStringLiteral("Calcul impossible.")));
    EXPECT_TRUE(boite.messages[0].texte.contains(QStringLiteral("« Cuisine »")));
    EXPECT_EQ(recap->GrilleRecap()->texte(LigneGrillePiece(1), 0), QString());
    boite.vider();
    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* equilibrage = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(equilibrage, nullptr);
    ASSERT_TRUE(boite.seul(QStringLiteral("Calcul impossible.")));
    EXPECT_EQ(equilibrage->GrilleEquilibrage()->texte(2, 0), QString());
    EXPECT_FALSE(Trouver<QPushButton>(equilibrage, QStringLiteral("CmdExporter"))->isEnabled());
}
// The material list: the model's quantities in the grid, with their
// designations and units.
TEST_F(Bibliotheque, Materiel) {
    auto f = DemarrerEtude();
    AjouterPieces(*f, exemples::Maison12Pieces());
    Declencher(f.get(), QStringLiteral("MnuMateriel"));
    auto* materiel = qobject_cast<FrmMateriel*>(f->FeuilleAffichee());
    ASSERT_NE(materiel, nullptr);
    const Grille* g = materiel->GrilleMat();
    const auto recalculee = f->Etude().RecalculerEtude();
    ASSERT_TRUE(recalculee);
    ASSERT_EQ(recalculee->Materiel.size(), 12u);
    for (int n = 1; n <= 12; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        EXPECT_EQ(g->texte(n, 0), QString::fromUtf8(LignesMateriel[i].Designation));
        EXPECT_EQ(g->texte(n, 1), QString::fromStdString(TexteMateriel(recalculee->Materiel[i])));
        EXPECT_EQ(g->texte(n, 2), QString::fromUtf8(LignesMateriel[i].Unite));
    }
    Cliquer(materiel, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
}

// The program started on a stored study opens it as the open dialog does;
// a study that cannot be opened is told and the new study stays.
TEST_F(Bibliotheque, OuvrirAuDemarrage) {
    CopierMaison12Pieces(dossier);
    auto f = Demarrer();
    EXPECT_FALSE(f->OuvrirEtude(QStringLiteral("Absente")));
    EXPECT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(f->Etude().Nom(), QStringLiteral("Etude 1"));
    boite.vider();
    ASSERT_TRUE(f->OuvrirEtude(QStringLiteral("Maison 12 pièces")));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison 12 pièces]"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(12, 0), QStringLiteral("12"));
}
