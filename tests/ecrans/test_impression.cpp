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
#include "LecturePdf.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
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

// The build puts the test program beside the cursors.
void CopierCurseurs(const QString& dossier) {
    for (const char* nom : {"Plus.cur", "Moins.cur"})
        QFile::copy(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(nom),
                    dossier + QLatin1Char('/') + QLatin1String(nom));
}

class Impressions : public ::testing::Test {
protected:
    void SetUp() override { CopierCurseurs(dossier.chemin()); }

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

bool MemeCurseur(const QCursor& a, const QCursor& b) {
    return a.shape() == b.shape() && a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

} // namespace

// A room that cannot be calculated is named, and no report is drawn,
// previewed or printed. (Without any room, the print items are refused by
// the model: Application.ConditionsDesCommandesDEtude.)
TEST_F(Impressions, PieceImpossibleACalculer) {
    std::vector<Piece> pieces = exemples::EtudeDePieces(3);
    pieces[1].SurfacePiece = 0;
    auto f = Etude(pieces);
    for (const char* menu : {"MnuApercuChantier", "MnuImprimerChantier", "MnuApercuRecap", "MnuImprimerRecap"}) {
        SCOPED_TRACE(menu);
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(menu));
        ASSERT_TRUE(boite.seul(QStringLiteral("Calcul impossible.")));
        EXPECT_TRUE(boite.messages[0].texte.contains(QStringLiteral("« Cuisine »")));
        EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    }
    EXPECT_EQ(f->findChild<FrmImprimer*>(), nullptr);
    EXPECT_EQ(poste.imprimantesDemandees, 0);
}

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

// Scrolling moves the page up, and in a window too short for the zooms'
// own settings the bottom of the page can still be brought into view.
TEST_F(Impressions, DefilementJusquAuBasDeLaPage) {
    auto f = Etude(exemples::EtudeDePieces(1));
    f->resize(800, 560);
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    auto* barre = Trouver<QScrollBar>(apercu, QStringLiteral("VsbBarre"));
    for (double echelle : {0.5, 0.75, 0.9}) {
        SCOPED_TRACE(echelle);
        apercu->Zoom(echelle);
        const int haut = image->y();
        QTest::keyClick(barre, Qt::Key_Down);
        EXPECT_LT(image->y(), haut) << "the page goes up";
        EXPECT_TRUE(image->hasFocus());
        // The wheel turned towards the user, over the page, does the same.
        const int valeur = apercu->HautImageTwips();
        QWheelEvent molette(QPointF(10, 10), image->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(image, &molette);
        EXPECT_LT(apercu->HautImageTwips(), valeur);
        barre->setValue(barre->maximum());
        EXPECT_LE(image->geometry().bottom(), image->parentWidget()->height()) << "bottom of the page out of reach";
    }
}

// Three clicks on the page go round the zooms back to 50 %; over the page
// the pointer is the zoom-in lens, and the zoom-out one at 100 %. Without
// the cursor files the page still takes clicks, under a pointing hand.
TEST_F(Impressions, TroisClicsRamenentA50) {
    auto f = Etude(exemples::EtudeDePieces(2));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    const auto plus = ChargerCurseur(QStringLiteral("Plus.cur"));
    const auto moins = ChargerCurseur(QStringLiteral("Moins.cur"));
    ASSERT_TRUE(plus && moins);
    EXPECT_TRUE(MemeCurseur(image->cursor(), *plus));
    for (auto [libelle, curseur] : {std::pair{"75%", &*plus}, {"100%", &*moins}, {"50%", &*plus}}) {
        SCOPED_TRACE(libelle);
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(Etiquette(apercu, "LblZoom"), QString::fromLatin1(libelle));
        EXPECT_TRUE(MemeCurseur(image->cursor(), *curseur));
    }
    QFile::remove(dossier.chemin() + QStringLiteral("/Plus.cur"));
    QFile::remove(dossier.chemin() + QStringLiteral("/Moins.cur"));
    ImpressionEtude impression(f->Etude());
    FrmImprimer sansCurseurs(impression, nullptr, nullptr);
    EXPECT_EQ(Trouver<QWidget>(&sansCurseurs, QStringLiteral("ImgAp"))->cursor().shape(), Qt::PointingHandCursor);
}

// The page buttons move within the report and the label follows; the same
// window then shows the summary from its first page, a zoom keeps the page.
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

    Cliquer(apercu, QStringLiteral("CmdFermer"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    Detruire();
    EXPECT_FALSE(apercu);
}

// The preview draws the report whose preview menu entry carries the tag
// "1", and exactly what the drawing routines draw for it.
TEST_F(Impressions, LeMenuMarqueLeRapportDessine) {
    auto f = Etude(exemples::EtudeDePieces(12));
    auto* chantier = Trouver<QAction>(f.get(), QStringLiteral("MnuApercuChantier"));
    auto* recap = Trouver<QAction>(f.get(), QStringLiteral("MnuApercuRecap"));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    EXPECT_EQ(recap->data().toString(), QStringLiteral("1"));
    EXPECT_EQ(chantier->data().toString(), QStringLiteral("0"));
    EXPECT_EQ(apercu->RapportAffiche(), Rapport::Recapitulatif);

    // The marks moved by hand: the next zoom redraws the site results.
    chantier->setData(QStringLiteral("1"));
    recap->setData(QStringLiteral("0"));
    Declencher(apercu, QStringLiteral("Mnu_100"));
    EXPECT_EQ(apercu->RapportAffiche(), Rapport::Chantier);
    Cliquer(apercu, QStringLiteral("CmdSuivante"));

    // Page 2 at 100 %, as the routines draw it for this study today.
    const std::optional<DonneesRapport> donnees = ImpressionEtude(f->Etude()).DonneesAImprimer();
    ASSERT_TRUE(donnees);
    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    QImage attendu(image->size(), QImage::Format_RGB32);
    attendu.setDotsPerMeterX(qRound(image->logicalDpiX() / 0.0254));
    attendu.setDotsPerMeterY(qRound(image->logicalDpiY() / 0.0254));
    attendu.fill(Qt::white);
    {
        QPainter p(&attendu);
        ModImprimer(*donnees, Rapport::Chantier).DessinerPage(p, 2, 0.9);
    }
    const QImage vu = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(vu.size(), attendu.size());
    EXPECT_TRUE(vu == attendu) << "the preview is not the drawn page";
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

// "Imprimer" in the preview prints the report previewed; a dialog given
// up writes nothing, a file that cannot be written is told.
TEST_F(Impressions, ImprimerDepuisLApercu) {
    auto f = Etude(exemples::EtudeDePieces(12));
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);

    Cliquer(apercu, QStringLiteral("CmdImprimer"));
    ASSERT_EQ(poste.demandes.size(), 1u);
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_TRUE(QDir(sortie.path()).isEmpty());

    poste.reponse = Chemin(QStringLiteral("absent/rapport.pdf"));
    Declencher(apercu, QStringLiteral("MnuImprimer"));
    EXPECT_TRUE(boite.seul(QStringLiteral("Impression."),
                           QStringLiteral("Le fichier « %1 » ne peut pas être écrit.").arg(poste.reponse),
                           IconeMessage::Exclamation));
    EXPECT_EQ(Apercu(*f), apercu);

    boite.vider();
    poste.reponse = Chemin(QStringLiteral("apercu.pdf"));
    Cliquer(apercu, QStringLiteral("CmdImprimer"));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(PagesPdf(poste.reponse), 2);
    EXPECT_TRUE(TextePage(poste.reponse, 2).contains(QStringLiteral("Données générales")));
}

// With a printer installed, the report goes to it, every page on A4 and no
// dialog asked; a 30-room summary counts its pages off meanwhile.
TEST_F(Impressions, AvecImprimante) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_TRUE(Apercu(*f));
    const int pages = Apercu(*f)->NombrePages();

    poste.imprimante = Chemin(QStringLiteral("imprimante.pdf"));
    int maximum = -1;
    QTimer::singleShot(0, [&] {
        if (auto* progression = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            maximum = progression->maximum();
    });
    Declencher(f.get(), QStringLiteral("MnuImprimerRecap"));
    EXPECT_TRUE(poste.demandes.empty());
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(maximum, pages) << "no progress shown while printing";
    EXPECT_EQ(PagesPdf(poste.imprimante), pages);
    EXPECT_TRUE(Lancer(QStringLiteral("pdfinfo"), {poste.imprimante}).contains(QStringLiteral("(A4)")));
    EXPECT_TRUE(TextePage(poste.imprimante, pages).contains(QStringLiteral("Page : %1/%1").arg(pages)));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress dialog is gone";
}
