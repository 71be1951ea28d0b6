// The study library's dialogs, the summary, the material list and the
// balancing, through the main window's menus: what the user does reaches
// the study model, and what the model gives reaches the windows. The rules
// themselves are tested on the model and on the presentations.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmCharge.h"
#include "ecrans/FrmD_Generales.h"
#include "Exemples.h"
#include "ecrans/FrmEnregistrer.h"
#include "ecrans/FrmEquilibrage.h"
#include "ecrans/FrmMateriel.h"
#include "ecrans/FrmOuvrir.h"
#include "ecrans/FrmRecap.h"
#include "ecrans/Harnais.h"
#include "ecrans/VuesCommunes.h"
#include "ihm/Grille.h"
#include "modele/ReprisePiece.h"
#include "modules_fenetres/FrmCorrection.h"
#include "modules_fenetres/FrmIncertitude.h"
#include "stockage/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QApplication>
#include <QTest>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace sorvel;
using namespace sorvel::test;

namespace {

const QString Maison = QStringLiteral("Maison 12 pièces");

class Bibliotheque : public ::testing::Test {
protected:
    // The example study of 12 rooms, stored in the studies folder.
    void copierMaison() {
        ASSERT_TRUE(QDir().mkpath(dossier.etudes()));
        for (const char* extension : {".pla", ".plp", ".plg"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(SORVEL_DONNEES_TESTS "/") + Maison + QLatin1String(extension),
                                    CheminEtudes(Maison + QLatin1String(extension))));
    }
    template <class T>
    T* dialogue() const {
        for (T* d : f->findChildren<T*>())
            if (d->isVisible())
                return d;
        return nullptr;
    }
    // Cell (l, c) of `g` shows `texte` with the format `format`.
    static void cellule(const Grille& g, int l, int c, const std::string& texte, const FormatValeur& format) {
        SCOPED_TRACE(std::to_string(l) + ", " + std::to_string(c));
        EXPECT_EQ(g.texte(l, c), QString::fromStdString(texte));
        EXPECT_EQ(g.gras(l, c), format.Gras);
        if (format.Couleur != CouleurValeur::TexteFenetre) {
            EXPECT_EQ(g.couleurTexte(l, c), CouleurAffichee(format.Couleur));
        }
    }
    // "Exporter…" of `vue` offers `nom` where the model proposes exports and
    // writes what the model's export `exporter` writes.
    void exporter(QWidget* vue, const QString& nom, const std::function<bool(const QString&)>& exporter) {
        QTemporaryDir dossierExport;
        QString offert;
        InstallerChoixFichierExport([&](QWidget*, const QString&, const QString& propose) {
            offert = propose;
            return dossierExport.filePath(QStringLiteral("vue.csv"));
        });
        Cliquer(vue, QStringLiteral("CmdExporter"));
        InstallerChoixFichierExport({});
        EXPECT_EQ(offert, f->Etude().CheminExportPropose(nom));
        ASSERT_TRUE(exporter(dossierExport.filePath(QStringLiteral("modele.csv"))));
        QFile ecrit(dossierExport.filePath(QStringLiteral("vue.csv"))), attendu(dossierExport.filePath(QStringLiteral("modele.csv")));
        ASSERT_TRUE(ecrit.open(QIODevice::ReadOnly) && attendu.open(QIODevice::ReadOnly));
        EXPECT_EQ(ecrit.readAll(), attendu.readAll());
    }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    std::unique_ptr<MDIPlancher> f;
};

} // namespace

// "Enregistrer l'étude" of a study never stored: the dialog offers its name,
// selected; the name typed reaches the model, the title and the general data
// show it.
TEST_F(Bibliotheque, Enregistrer) {
    f = DemarrerEtude();
    AjouterPieces(*f, {exemples::Maison12Pieces()[0]});
    Declencher(f.get(), QStringLiteral("MnuEnregistrer"));
    QPointer<FrmEnregistrer> d = dialogue<FrmEnregistrer>();
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

}

// The open dialog lists the stored studies in the model's order, the first
// one chosen; deleting one asks and lists what is left; a double click
// opens one (the keyboard back on the list after a deletion), shown on the general data screen with its rooms in the rooms
// list. The program started on a study opens it the same way.
TEST_F(Bibliotheque, OuvrirEtSupprimer) {
    copierMaison();
    for (const char* nom : {"Étage.pla", "atelier.pla"})
        dossier.creerDansEtudes(QString::fromUtf8(nom));
    f = Demarrer();
    Declencher(f.get(), QStringLiteral("MnuOuvrir"));
    QPointer<FrmOuvrir> d = dialogue<FrmOuvrir>();
    ASSERT_TRUE(d);
    QStringList listees;
    for (int i = 0; i < d->Liste()->count(); ++i)
        listees << d->Liste()->item(i)->text();
    EXPECT_EQ(listees, f->Etude().EtudesStockees().Etudes());
    EXPECT_EQ(d->Liste()->currentRow(), 0);
    boite.repondre(ReponseMessage::Oui);
    Cliquer(d, QStringLiteral("CmdSupprimer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Suppression de l'étude."), {}, IconeMessage::Question,
                           BoutonsMessage::OuiNonDefautNon));
    EXPECT_EQ(d->Liste()->count(), 2);
    EXPECT_EQ(QApplication::focusWidget(), d->Liste()) << "not on Supprimer, which Enter would press";
    EXPECT_FALSE(dossier.existeDansEtudes(listees[0] + QStringLiteral(".pla")));

    boite.vider();
    QListWidgetItem* maison = d->Liste()->findItems(Maison, Qt::MatchExactly).value(0);
    ASSERT_NE(maison, nullptr);
    d->Liste()->setCurrentItem(maison);
    const QPoint centre = d->Liste()->visualItemRect(maison).center();
    QTest::mouseClick(d->Liste()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(d->Liste()->viewport(), Qt::LeftButton, {}, centre);
    Detruire();
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
    EXPECT_TRUE(!d || !d->isVisible()) << "closed";
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Sorvel. [Maison 12 pièces]"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    EXPECT_EQ(f->Circuits()->GrilleCircuit()->texte(12, 1), QStringLiteral("Buanderie"));
    EXPECT_EQ(f->Circuits()->LigneSelectionnee(), 1);

    f.reset();
    f = Demarrer();
    EXPECT_FALSE(f->OuvrirEtude(QStringLiteral("Absente")));
    EXPECT_EQ(f->Etude().Nom(), QStringLiteral("Etude 1"));
    ASSERT_TRUE(f->OuvrirEtude(Maison));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
}

// The views of the 12-room example study show the model's views, cell for
// cell with their formats, and the labels follow; "Exporter…" writes what
// the model exports. Opened again, the same window; "Fermer" goes back.
TEST_F(Bibliotheque, VuesDeDouzePieces) {
    copierMaison();
    f = Demarrer();
    ASSERT_TRUE(f->OuvrirEtude(Maison));
    const auto etude = f->Etude().RecalculerEtude();
    ASSERT_TRUE(etude);

    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    QPointer<FrmRecap> recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_TRUE(recap);
    EXPECT_EQ(recap->windowTitle(), QStringLiteral("Récapitulatif [Maison 12 pièces]"));
    const Recapitulatif attendu = RecapitulatifEtude(*etude, f->Etude().Generales());
    for (int k = 1; k <= NombreColonnesEtude; ++k) {
        for (int i = 1; i <= 12; ++i) {
            cellule(*recap->GrilleRecap(), LigneGrillePiece(i), ColonneGrille(k), attendu.Case(k, i).Texte,
                    attendu.Case(k, i).Format);
            if (k != ColonneEtude::Designation) {
                EXPECT_EQ(recap->GrilleRecap()->infoBulle(LigneGrillePiece(i), ColonneGrille(k)),
                          QString::fromStdString(attendu.Case(k, i).InfoBulle));
            }
        }
        const CelluleRecapitulatif& total = (*attendu.Totaux)[static_cast<std::size_t>(k - 1)];
        cellule(*recap->GrilleRecap(), LigneGrilleTotaux(12), ColonneGrille(k), total.Texte, total.Format);
    }
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblRecap"))->text(), QString::fromStdString(attendu.LblRecap));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblLegende"))->accessibleName(),
              QString::fromStdString(TexteLegendeCouleurs(f->Etude().Generales().Tube)));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblPerte"))->accessibleName(), LignePerteEtude(*etude));
    EXPECT_EQ(Trouver<QLabel>(recap, QStringLiteral("LblTempDepartMinimale"))->accessibleName(),
              LigneTempDepartMinimale(*etude));
    exporter(recap, Maison + QStringLiteral(".csv"), [&](const QString& c) { return f->Etude().ExporterCsv(c, *etude); });
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    EXPECT_EQ(f->FeuilleAffichee(), recap.data());
    Cliquer(recap, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Generales());

    Declencher(f.get(), QStringLiteral("MnuEquilibrage"));
    auto* equilibrage = qobject_cast<FrmEquilibrage*>(f->FeuilleAffichee());
    ASSERT_NE(equilibrage, nullptr);
    const Grille* g = equilibrage->GrilleEquilibrage();
    const auto lignes = LignesEquilibrage(*etude);
    for (std::size_t n = 0; n < lignes.size(); ++n)
        for (int c = 0; c < NombreColonnesEquilibrage; ++c) {
            const CelluleEquilibrage& attendue = lignes[n][static_cast<std::size_t>(c)];
            cellule(*g, 2 + static_cast<int>(n), c, attendue.Texte, attendue.Format);
            EXPECT_EQ(g->infoBulle(2 + static_cast<int>(n), c), QString::fromStdString(attendue.InfoBulle));
        }
    EXPECT_EQ(g->texte(2 + static_cast<int>(lignes.size()), 0), QString()) << "one row a loop";
    EXPECT_EQ(Trouver<QLabel>(equilibrage, QStringLiteral("LblPerte"))->text(), LignePerteEtude(*etude));
    exporter(equilibrage, Maison + QStringLiteral(" - équilibrage.csv"),
             [&](const QString& c) { return f->Etude().ExporterCsvEquilibrage(c, *etude); });
    Cliquer(equilibrage, QStringLiteral("CmdFermer"));

    Declencher(f.get(), QStringLiteral("MnuMateriel"));
    auto* materiel = qobject_cast<FrmMateriel*>(f->FeuilleAffichee());
    ASSERT_NE(materiel, nullptr);
    const auto quantites = LignesMaterielEtude(*etude);
    ASSERT_EQ(quantites.size(), static_cast<std::size_t>(NombreLignesMateriel));
    for (int n = 1; n <= NombreLignesMateriel; ++n) {
        const LigneMaterielAffichee& q = quantites[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(QStringList({materiel->GrilleMat()->texte(n, 0), materiel->GrilleMat()->texte(n, 1),
                               materiel->GrilleMat()->texte(n, 2)}),
                  QStringList({q.Designation, q.Valeur, q.Unite}));
    }
    EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(", ").toStdString();
}


// A double click on a room of the summary opens that room on the room
// screens, the summary closed; "Reprendre la pièce sélectionnée" of a
// module takes the room chosen in the rooms list, as the model gives it.
TEST_F(Bibliotheque, PiecesOuvertesEtReprises) {
    copierMaison();
    f = Demarrer();
    ASSERT_TRUE(f->OuvrirEtude(Maison));
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    QPointer<FrmRecap> recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_TRUE(recap);
    emit recap->GrilleRecap()->cellDoubleClicked(LigneGrillePiece(3), ColonneGrille(ColonneEtude::LongueurNormale));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(recap);
    EXPECT_EQ(f->FeuilleAffichee(), static_cast<QWidget*>(f->FeuillesDePiece().Charge));
    EXPECT_EQ(f->Etude().Saisie().PieceCourante(), 3);
    // Enter on a row does the same.
    Declencher(f.get(), QStringLiteral("MnuRecapitulatif"));
    recap = qobject_cast<FrmRecap*>(f->FeuilleAffichee());
    ASSERT_TRUE(recap);
    recap->GrilleRecap()->definirCelluleCourante(LigneGrillePiece(5), 3);
    QTest::keyClick(recap->GrilleRecap(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(recap);
    EXPECT_EQ(f->Etude().Saisie().PieceCourante(), 5);

    f->Circuits()->SelectionnerLigne(2);
    Declencher(f.get(), QStringLiteral("MnuCorrection"));
    auto* correction = qobject_cast<FrmCorrection*>(f->FeuilleAffichee());
    ASSERT_NE(correction, nullptr);
    const ModCorrection::Saisie avant = correction->Saisie();
    Cliquer(correction, QStringLiteral("CmdReprendre"));
    const std::optional<DonneesBoucle> boucle = ReprendrePiece(f->Etude(), 2);
    ASSERT_TRUE(boucle);
    const ModCorrection::Saisie attendue = modules::ReprendreCorrection(avant, *boucle);
    EXPECT_EQ(correction->Saisie().ValManuelles, attendue.ValManuelles);
    EXPECT_EQ(correction->Saisie().PasVZ, attendue.PasVZ);
    EXPECT_EQ(correction->Saisie().TempSouhaitee, attendue.TempSouhaitee);
    // The example has no climate: H follows the outdoor temperature typed.
    ASSERT_FALSE(boucle->TempExterieure);
    Taper(correction, QStringLiteral("TxtValManuelle_4"), QStringLiteral("-7"));
    EXPECT_EQ(correction->Saisie().Texte(ModCorrection::Champ::CoeffDeperditions),
              modules::TexteCoeffDeperditions(*boucle, "-7"));
    Cliquer(correction, QStringLiteral("CmdFermer"));

    Declencher(f.get(), QStringLiteral("MnuIncertitude"));
    auto* incertitude = qobject_cast<FrmIncertitude*>(f->FeuilleAffichee());
    ASSERT_NE(incertitude, nullptr);
    const ModIncertitude::Saisie depart = incertitude->Saisie();
    Cliquer(incertitude, QStringLiteral("CmdReprendre"));
    EXPECT_EQ(incertitude->Saisie().Valeurs, modules::ReprendreIncertitude(depart, *boucle).Valeurs);
}
