// The "&Impression..." menu: the preview window (zooms, clicks on the page,
// page buttons and labels, the report the menu marks) and printing, to a
// printer or, without one, to a PDF file, with a printer and a save dialog
// that the tests stand in for.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmImprimer.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"
#include "ihm/PosteImpression.h"
#include "ihm/Ressources.h"
#include "rapports/ModImprimer.h"

#include "Exemples.h"
#include "ExemplesDeperditions.h"
#include "LecturePdf.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <iterator>

using namespace sorvel;
using namespace sorvel::test;

namespace {

// Stands in for the system: `imprimante` empty means no printer is
// installed; otherwise the "printer" prints into that PDF file. The save
// dialog records what it was asked and answers `reponse`.
class PosteScripte : public PosteImpression {
public:
    PosteScripte() { InstallerPosteImpression(this); }
    ~PosteScripte() override { InstallerPosteImpression(nullptr); }

    std::unique_ptr<QPrinter> ImprimanteParDefaut() override {
        ++imprimantesDemandees;
        if (imprimante.isEmpty())
            return nullptr;
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(imprimante);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
    QPageSize Papier() override { return QPageSize(QPageSize::A4); }
    QString ChoisirFichierPdf(QWidget*, const QString& titre, const QString& proposition) override {
        demandes.push_back({titre, proposition});
        return reponse;
    }

    struct Demande {
        QString titre, proposition;
    };
    QString imprimante;
    QString reponse;
    int imprimantesDemandees = 0;
    std::vector<Demande> demandes;
};

class Impressions : public ::testing::Test {
protected:
    // The main window on a study of `pieces` (written as accepted rooms), at
    // 45 °C, showing the rooms list.
    std::unique_ptr<MDIPlancher> Etude(const std::vector<Piece>& pieces) {
        auto f = DemarrerEtude(QStringLiteral("45"));
        AjouterPieces(*f, pieces);
        boite.vider();
        return f;
    }

    // The preview showing, or nullptr with a test failure.
    static FrmImprimer* Apercu(const MDIPlancher& f) {
        auto* apercu = qobject_cast<FrmImprimer*>(f.FeuilleAffichee());
        if (!apercu)
            ADD_FAILURE() << "l'aperçu n'est pas affiché";
        return apercu;
    }

    static QString Etiquette(const QWidget* apercu, const char* nom) {
        return Trouver<QLabel>(apercu, QString::fromLatin1(nom))->text();
    }

    QString Chemin(const QString& nom) const { return sortie.filePath(nom); }

    DossierProgrammeTest dossier;
    BoiteMessageScriptee boite;
    PosteScripte poste;
    QTemporaryDir sortie;
};

} // namespace

// The preview opens at 50 % on page 1, titled after the study; each zoom of
// the menu sets its label and the page's size, centred, back at its top.
TEST_F(Impressions, ZoomParLeMenu) {
    auto f = Etude(exemples::EtudeDePieces(12));
    f->resize(1280, 1024);
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    EXPECT_EQ(apercu->windowTitle(), QStringLiteral("Sorvel. [Etude 1]"));
    EXPECT_EQ(Etiquette(apercu, "LblZoom"), QStringLiteral("50%"));
    EXPECT_EQ(Etiquette(apercu, "LblPage"), QStringLiteral("Page 1 sur 2"));

    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    auto* barre = Trouver<QScrollBar>(apercu, QStringLiteral("VsbBarre"));
    const QSizeF a4 = TailleA4();
    for (auto [menu, libelle, echelle] : {std::tuple{"Mnu_75", "75%", 0.75}, {"Mnu_100", "100%", 0.9},
                                          {"Mnu_50", "50%", 0.5}}) {
        SCOPED_TRACE(menu);
        barre->setValue(barre->maximum()); // scrolled away, the zoom brings the top back
        Declencher(apercu, QString::fromLatin1(menu));
        EXPECT_EQ(Etiquette(apercu, "LblZoom"), QString::fromLatin1(libelle));
        const double pixels = echelle * image->logicalDpiY() / 72.0;
        EXPECT_NEAR(image->width(), a4.width() * pixels, 1.0);
        EXPECT_NEAR(image->height(), a4.height() * pixels, 1.0);
        EXPECT_NEAR(image->x() + image->width() / 2.0, image->parentWidget()->width() / 2.0, 1.0);
        EXPECT_EQ(apercu->HautImageTwips(), 480);
        EXPECT_EQ(Etiquette(apercu, "LblPage"), QStringLiteral("Page 1 sur 2"));
    }
}

// The page buttons move within the report and the label follows; the same
// window then shows the summary from its first page, a zoom keeps the page,
// then the commissioning sheet.
// "Fermer" goes back to the screen the preview was opened from.
TEST_F(Impressions, BoutonsDePageEtFermer) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    QPointer<FrmImprimer> apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    const auto page = [&] { return Etiquette(apercu, "LblPage"); };
    Cliquer(apercu, QStringLiteral("CmdDerniere"));
    EXPECT_EQ(page(), QStringLiteral("Page 2 sur 2"));
    EXPECT_FALSE(Trouver<QPushButton>(apercu, QStringLiteral("CmdSuivante"))->isEnabled());

    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_EQ(Apercu(*f), apercu);
    const int n = apercu->NombrePages();
    ASSERT_GT(n, 2) << "30 rooms take several pages side by side";
    const auto sur = [n](int p) { return QStringLiteral("Page %1 sur %2").arg(p).arg(n); };
    EXPECT_EQ(page(), sur(1));
    EXPECT_FALSE(Trouver<QPushButton>(apercu, QStringLiteral("CmdPremiere"))->isEnabled());
    Cliquer(apercu, QStringLiteral("CmdSuivante"));
    EXPECT_EQ(page(), sur(2));
    Declencher(apercu, QStringLiteral("Mnu_75"));
    EXPECT_EQ(page(), sur(2));
    Cliquer(apercu, QStringLiteral("CmdDerniere"));
    EXPECT_EQ(page(), sur(n));
    Cliquer(apercu, QStringLiteral("CmdPrecedente"));
    EXPECT_EQ(page(), sur(n - 1));
    Cliquer(apercu, QStringLiteral("CmdPremiere"));
    EXPECT_EQ(page(), sur(1));
    // 34 loops: three manifolds on two sheets.
    Declencher(f.get(), QStringLiteral("MnuApercuReglage"));
    EXPECT_EQ(apercu->RapportAffiche(), Rapport::Reglage);
    EXPECT_EQ(page(), QStringLiteral("Page 1 sur 2"));

    Cliquer(apercu, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    Detruire();
    EXPECT_FALSE(apercu);
}

// Without a printer, each report is offered as a PDF file where the model
// proposes exports; the file written holds the report's pages; the screen the user
// was on stays.
TEST_F(Impressions, SansImprimanteUnPdf) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_TRUE(Apercu(*f));
    const int pagesRecap = Apercu(*f)->NombrePages();
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));

    const struct {
        const char* menu;
        const char* fichier;
        int pages;
        const char* texte; // on page 1
    } cas[] = {
        {"MnuImprimerChantier", "Etude 1 - résultats chantier.pdf", 2, "Pièces VZ normale VZ bordure"},
        {"MnuImprimerRecap", "Etude 1 - récapitulatif.pdf", pagesRecap, "Température de la pièce °C"},
        // 30 rooms, 34 loops: three manifolds of 12 outlets on two sheets.
        {"MnuImprimerReglage", "Etude 1 - fiche de réglage.pdf", 2, "Collecteur 1 12 départs sur 12 sorties"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.menu);
        poste.demandes.clear();
        poste.reponse = Chemin(QString::fromUtf8(c.fichier));
        Declencher(f.get(), QString::fromLatin1(c.menu));
        EXPECT_TRUE(boite.messages.empty()) << boite.titres().join(QStringLiteral(", ")).toStdString();
        ASSERT_EQ(poste.demandes.size(), 1u);
        EXPECT_EQ(poste.demandes[0].proposition, f->Etude().CheminExportPropose(QString::fromUtf8(c.fichier)));
        EXPECT_EQ(poste.demandes[0].titre, QStringLiteral("Aucune imprimante installée : enregistrer le rapport en PDF"));
        EXPECT_EQ(PagesPdf(poste.reponse), c.pages);
        EXPECT_TRUE(TextePage(poste.reponse, 1).contains(QString::fromUtf8(c.texte)));
        EXPECT_EQ(f->FeuilleAffichee(), f->Generales());
    }
}

// The losses report needs the site's climate, then a room with details:
// what is missing is told, and neither preview nor printer follows.
TEST_F(Impressions, DeperditionsSansClimatNiDetail) {
    auto f = Etude(exemples::EtudeDePieces(3));
    const std::pair<bool, const char*> cas[] = {
        {false, "Le climat du site doit avoir été donné (menu « Etude », « Climat du site... ») pour avoir un aperçu "
                "ou une impression des déperditions !"},
        {true, "Une pièce au moins doit avoir le détail de ses déperditions pour avoir un aperçu ou une impression "
               "des déperditions !"}};
    for (const auto& [climat, texte] : cas) {
        if (climat)
            f->Etude().ChangerClimat(exemples::ClimatLyon());
        for (const char* menu : {"MnuApercuDeperditions", "MnuImprimerDeperditions"}) {
            boite.vider();
            Declencher(f.get(), QString::fromLatin1(menu));
            EXPECT_TRUE(boite.seul(QStringLiteral("Impression."), QString::fromUtf8(texte), IconeMessage::Aucune));
            EXPECT_EQ(f->FeuilleAffichee(), f->Circuits()) << menu;
        }
    }
    EXPECT_EQ(poste.imprimantesDemandees, 0);
}
