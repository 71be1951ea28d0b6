// The "&Impression..." menu: the preview window (zooms, clicks on the page,
// page buttons and labels, the report the menu marks) and printing, to a
// printer or, without one, to a PDF file, with a printer and a save dialog
// that the tests stand in for.

#include "ecrans/FrmCircuits.h"
#include "ecrans/FrmD_Generales.h"
#include "ecrans/FrmImprimer.h"
#include "ecrans/Harnais.h"
#include "ecrans/MDIPlancher.h"
#include "etude/CalculEtude.h"
#include "etude/Materiel.h"
#include "ihm/PosteImpression.h"
#include "ihm/Ressources.h"
#include "rapports/ModImprimer.h"

#include "Exemples.h"

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
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
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

QString Lancer(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << programme.toStdString() << " a échoué : " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PagesPdf(const QString& chemin) {
    const auto m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
                       .match(Lancer(QStringLiteral("pdfinfo"), {chemin}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of page `page`, every run of spaces made one.
QString TextePage(const QString& chemin, int page) {
    const QString n = QString::number(page);
    return Lancer(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, chemin,
                   QStringLiteral("-")})
        .simplified();
}

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
    std::unique_ptr<MDIPlancher> Etude(const std::vector<DonneesPiece>& pieces) {
        auto f = DemarrerEtude(QStringLiteral("45"));
        for (const DonneesPiece& p : pieces) {
            f->Etude().Dossier().AjouterPiece(p);
            f->Etude().Dossier().AjouterPerte(0, 0, 0, FichierPerte);
        }
        f->Circuits()->RemplirGrilleCircuits();
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

const char* const MenusImpression[] = {"MnuApercuChantier", "MnuImprimerChantier", "MnuApercuRecap",
                                       "MnuImprimerRecap"};

bool MemeCurseur(const QCursor& a, const QCursor& b) {
    return a.shape() == b.shape() && a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

} // namespace

TEST_F(Impressions, SansPieceCalculeeNiApercuNiImpression) {
    auto f = Etude({});
    for (const char* menu : MenusImpression) {
        SCOPED_TRACE(menu);
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(menu));
        EXPECT_TRUE(boite.seul(
            QStringLiteral("Impression."),
            QStringLiteral("Une pièce au moins doit avoir été calculée pour avoir un aperçu ou une impression !"),
            IconeMessage::Aucune, BoutonsMessage::OK));
        EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    }
    EXPECT_EQ(f->findChild<FrmImprimer*>(), nullptr);
    EXPECT_EQ(poste.imprimantesDemandees, 0);
    EXPECT_TRUE(poste.demandes.empty());
}

// A room that cannot be calculated is named, and no report is drawn,
// previewed or printed.
TEST_F(Impressions, PieceImpossibleACalculer) {
    std::vector<DonneesPiece> pieces = exemples::EtudeDePieces(3);
    pieces[1].SurfacePiece = 0;
    auto f = Etude(pieces);
    for (const char* menu : MenusImpression) {
        SCOPED_TRACE(menu);
        boite.vider();
        Declencher(f.get(), QString::fromLatin1(menu));
        ASSERT_EQ(boite.messages.size(), 1u);
        EXPECT_EQ(boite.messages[0].titre, QStringLiteral("Calcul impossible."));
        EXPECT_TRUE(boite.messages[0].texte.contains(QStringLiteral("« Cuisine »")))
            << boite.messages[0].texte.toStdString();
        EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    }
    EXPECT_EQ(f->findChild<FrmImprimer*>(), nullptr);
    EXPECT_EQ(poste.imprimantesDemandees, 0);
}

// The preview opens at 50 % on page 1, titled after the study; each zoom of
// the menu sets its label, the page's size and the scroll bar.
TEST_F(Impressions, ZoomParLeMenu) {
    auto f = Etude(exemples::EtudeDePieces(12));
    // Large enough for the zooms' own scroll settings.
    f->resize(1280, 1024);
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(apercu->windowTitle(), QStringLiteral("Sorvel. [Etude 1]"));
    EXPECT_EQ(Etiquette(apercu, "LblZoom"), QStringLiteral("50%"));
    EXPECT_EQ(Etiquette(apercu, "LblPage"), QStringLiteral("Page 1 sur 2"));
    EXPECT_EQ(apercu->PageCourante(), 1);

    const struct {
        const char* menu;
        const char* libelle;
        double echelle;
        int max, petitPas, grandPas;
    } zooms[] = {
        {"Mnu_75", "75%", 0.75, -5000, 100, 1000},
        {"Mnu_100", "100%", 0.9, -7300, 200, 2000},
        {"Mnu_50", "50%", 0.5, -500, 50, 100},
    };
    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    auto* barre = Trouver<QScrollBar>(apercu, QStringLiteral("VsbBarre"));
    auto* vue = image->parentWidget();
    const QSizeF a4 = TailleA4();
    for (const auto& z : zooms) {
        SCOPED_TRACE(z.menu);
        barre->setValue(barre->maximum()); // scrolled away, the zoom brings the top back
        Declencher(apercu, QString::fromLatin1(z.menu));
        EXPECT_EQ(Etiquette(apercu, "LblZoom"), QString::fromLatin1(z.libelle));
        EXPECT_DOUBLE_EQ(apercu->Echelle(), z.echelle);
        // The sheet at the zoom's scale, centred across the view, its top
        // 480 twips down.
        const double pixels = z.echelle * image->logicalDpiY() / 72.0;
        EXPECT_NEAR(image->width(), a4.width() * pixels, 1.0);
        EXPECT_NEAR(image->height(), a4.height() * pixels, 1.0);
        EXPECT_NEAR(image->x() + image->width() / 2.0, vue->width() / 2.0, 1.0);
        EXPECT_NEAR(image->y(), 480.0 * image->logicalDpiY() / 1440.0, 1.0);
        // The bar holds the opposite of the picture's top, from 480 down
        // to the zoom's Max.
        EXPECT_EQ(barre->minimum(), -480);
        EXPECT_EQ(barre->maximum(), -z.max);
        EXPECT_EQ(barre->singleStep(), z.petitPas);
        EXPECT_EQ(barre->pageStep(), z.grandPas);
        EXPECT_EQ(barre->value(), -480);
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
        EXPECT_EQ(apercu->HautImageTwips(), 480 - barre->singleStep());
        EXPECT_TRUE(image->hasFocus());
        // The wheel turned towards the user, over the page, does the same.
        const int valeur = apercu->HautImageTwips();
        QWheelEvent molette(QPointF(10, 10), image->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(image, &molette);
        EXPECT_LT(apercu->HautImageTwips(), valeur);
        barre->setValue(barre->maximum());
        EXPECT_LE(image->geometry().bottom(), image->parentWidget()->height())
            << "bottom of the page out of reach";
    }
}

// Three clicks on the page go round the zooms back to 50 %; over the page
// the pointer is the zoom-in lens, and the zoom-out one at 100 %.
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

    const struct {
        const char* libelle;
        double echelle;
        const QCursor& curseur;
    } suite[] = {{"75%", 0.75, *plus}, {"100%", 0.9, *moins}, {"50%", 0.5, *plus}};
    for (const auto& s : suite) {
        SCOPED_TRACE(s.libelle);
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(Etiquette(apercu, "LblZoom"), QString::fromLatin1(s.libelle));
        EXPECT_DOUBLE_EQ(apercu->Echelle(), s.echelle);
        EXPECT_TRUE(MemeCurseur(image->cursor(), s.curseur));
    }

    // Without the cursor files the page still takes clicks, under a pointing hand.
    QFile::remove(dossier.chemin() + QStringLiteral("/Plus.cur"));
    QFile::remove(dossier.chemin() + QStringLiteral("/Moins.cur"));
    FrmImprimer sansCurseurs(nullptr, nullptr);
    EXPECT_EQ(Trouver<QWidget>(&sansCurseurs, QStringLiteral("ImgAp"))->cursor().shape(), Qt::PointingHandCursor);
}

// The page buttons move within the report and the label follows: "Page n
// sur 2" for the site results, the summary's own count for the summary.
TEST_F(Impressions, BoutonsDePageEtEtiquettes) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    FrmImprimer* apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    const auto page = [&] { return Etiquette(apercu, "LblPage"); };
    Cliquer(apercu, QStringLiteral("CmdDerniere"));
    EXPECT_EQ(page(), QStringLiteral("Page 2 sur 2"));
    EXPECT_FALSE(Trouver<QPushButton>(apercu, QStringLiteral("CmdSuivante"))->isEnabled());
    Cliquer(apercu, QStringLiteral("CmdPrecedente"));
    EXPECT_EQ(page(), QStringLiteral("Page 1 sur 2"));
    EXPECT_FALSE(Trouver<QPushButton>(apercu, QStringLiteral("CmdPremiere"))->isEnabled());

    // The same window now shows the summary, from its first page.
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_EQ(Apercu(*f), apercu);
    const int n = apercu->NombrePages();
    ASSERT_GT(n, 2) << "30 rooms take several pages side by side";
    const auto sur = [n](int p) { return QStringLiteral("Page %1 sur %2").arg(p).arg(n); };
    EXPECT_EQ(page(), sur(1));
    Cliquer(apercu, QStringLiteral("CmdSuivante"));
    EXPECT_EQ(page(), sur(2));
    EXPECT_EQ(apercu->PageCourante(), 2);
    Cliquer(apercu, QStringLiteral("CmdSuivante"));
    EXPECT_EQ(page(), sur(3));
    Cliquer(apercu, QStringLiteral("CmdDerniere"));
    EXPECT_EQ(page(), sur(n));
    Cliquer(apercu, QStringLiteral("CmdPremiere"));
    EXPECT_EQ(page(), sur(1));
    // A zoom keeps the page.
    Cliquer(apercu, QStringLiteral("CmdSuivante"));
    Declencher(apercu, QStringLiteral("Mnu_75"));
    EXPECT_EQ(page(), sur(2));
}

// The preview draws the report whose preview menu entry carries the tag
// "1", and exactly what the drawing routines draw for it.
TEST_F(Impressions, LeMenuMarqueLeRapportDessine) {
    const std::vector<DonneesPiece> pieces = exemples::EtudeDePieces(12);
    auto f = Etude(pieces);
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
    EXPECT_EQ(Etiquette(apercu, "LblPage"), QStringLiteral("Page 1 sur 2"));
    Cliquer(apercu, QStringLiteral("CmdSuivante"));

    // Page 2 at 100 %, as the routines draw it for this study today.
    DonneesRapport donnees;
    donnees.NomEtude = "Etude 1";
    donnees.Date = QDate::currentDate();
    donnees.Generales = f->Etude().Generales();
    donnees.Resultat = CalculEtude(pieces, donnees.Generales);
    donnees.Materiel = Materiel(donnees.Resultat.Table, donnees.Generales);
    auto* image = Trouver<QWidget>(apercu, QStringLiteral("ImgAp"));
    QImage attendu(image->size(), QImage::Format_RGB32);
    attendu.setDotsPerMeterX(qRound(image->logicalDpiX() / 0.0254));
    attendu.setDotsPerMeterY(qRound(image->logicalDpiY() / 0.0254));
    attendu.fill(Qt::white);
    {
        QPainter p(&attendu);
        ModImprimer(donnees, Rapport::Chantier).DessinerPage(p, 2, 0.9);
    }
    const QImage vu = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(vu.size(), attendu.size());
    EXPECT_TRUE(vu == attendu) << "the preview is not the drawn page";
}

// "Fermer" goes back to the screen the preview was opened from, and the
// window goes.
TEST_F(Impressions, Fermer) {
    auto f = Etude(exemples::EtudeDePieces(2));
    Declencher(f.get(), QStringLiteral("MnuApercuChantier"));
    QPointer<FrmImprimer> apercu = Apercu(*f);
    ASSERT_TRUE(apercu);
    Cliquer(apercu, QStringLiteral("CmdFermer"));
    EXPECT_EQ(Etiquette(apercu, "LblPage"), QString());
    EXPECT_EQ(Etiquette(apercu, "LblZoom"), QStringLiteral("50%"));
    EXPECT_EQ(f->FeuilleAffichee(), f->Circuits());
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(apercu);
}

// Without a printer, each report is offered as a PDF file of the documents
// folder; the file written holds the report's pages.
TEST_F(Impressions, SansImprimanteUnPdf) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_TRUE(Apercu(*f));
    const int pagesRecap = Apercu(*f)->NombrePages();
    Declencher(f.get(), QStringLiteral("MnuDonneesGenerales"));

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
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
        EXPECT_EQ(poste.demandes[0].proposition, documents + QLatin1Char('/') + QString::fromUtf8(c.fichier));
        EXPECT_EQ(poste.demandes[0].titre, QStringLiteral("Aucune imprimante installée : enregistrer le rapport en PDF"));
        ASSERT_TRUE(QFile::exists(poste.reponse));
        EXPECT_EQ(PagesPdf(poste.reponse), c.pages);
        const QString page1 = TextePage(poste.reponse, 1);
        EXPECT_TRUE(page1.contains(QStringLiteral("Sorvel. [Etude 1]"))) << page1.toStdString();
        EXPECT_TRUE(page1.contains(QString::fromUtf8(c.texte))) << page1.toStdString();
        EXPECT_TRUE(TextePage(poste.reponse, c.pages).contains(QStringLiteral("Page : %1/%1").arg(c.pages)));
        // The screen the user was on stays.
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

    poste.reponse.clear();
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

// With a printer installed, the report goes to it, every page at scale 1
// and no dialog asked; a 30-room summary counts its pages off meanwhile.
TEST_F(Impressions, AvecImprimante) {
    auto f = Etude(exemples::EtudeDePieces(30));
    Declencher(f.get(), QStringLiteral("MnuApercuRecap"));
    ASSERT_TRUE(Apercu(*f));
    const int pages = Apercu(*f)->NombrePages();

    poste.imprimante = Chemin(QStringLiteral("imprimante.pdf"));
    int maximum = -1;
    QString titre;
    QTimer::singleShot(0, [&] {
        if (auto* progression = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
            maximum = progression->maximum();
            titre = progression->windowTitle();
        }
    });
    Declencher(f.get(), QStringLiteral("MnuImprimerRecap"));
    EXPECT_TRUE(poste.demandes.empty());
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(maximum, pages) << "no progress shown while printing";
    EXPECT_EQ(titre, QStringLiteral("Impression."));
    EXPECT_EQ(PagesPdf(poste.imprimante), pages);
    // Scale 1: the sheet is A4 and the header sits on it at full size.
    const QString info = Lancer(QStringLiteral("pdfinfo"), {poste.imprimante});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    EXPECT_TRUE(TextePage(poste.imprimante, pages).contains(QStringLiteral("Page : %1/%1").arg(pages)));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the progress dialog is gone";
}
